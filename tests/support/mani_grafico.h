#pragma once

// A user's hands on the chart: mouse events sent as the window system sends
// them (a move carries the buttons held, which QTest's widget helpers do
// not), a mode chosen on its legend, a value typed and confirmed with Enter.

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QList>
#include <QMouseEvent>
#include <QtTest>

namespace mani_grafico {

inline void evento(QWidget* grafico, QEvent::Type tipo, QPointF pos, Qt::MouseButton pulsante, Qt::MouseButtons tenuti)
{
    QMouseEvent e(tipo, pos, grafico->mapToGlobal(pos), pulsante, tenuti, Qt::NoModifier);
    QApplication::sendEvent(grafico, &e);
}

// Press at da, move through every step with the left button held, release
// at the last step (at da when there is none).
inline void trascina(QWidget* grafico, QPointF da, const QList<QPointF>& passi)
{
    evento(grafico, QEvent::MouseButtonPress, da, Qt::LeftButton, Qt::LeftButton);
    for (const QPointF& p : passi)
        evento(grafico, QEvent::MouseMove, p, Qt::NoButton, Qt::LeftButton);
    evento(grafico, QEvent::MouseButtonRelease, passi.isEmpty() ? da : passi.back(), Qt::LeftButton, Qt::NoButton);
}

// The mode's legend clicked, then a click on the chart.
inline void clic(QWidget* grafico, QAbstractButton* modo, QPointF pos)
{
    QTest::mouseClick(modo, Qt::LeftButton);
    evento(grafico, QEvent::MouseButtonPress, pos, Qt::LeftButton, Qt::LeftButton);
    evento(grafico, QEvent::MouseButtonRelease, pos, Qt::LeftButton, Qt::NoButton);
}

inline void scrivi_e_invio(QLineEdit* campo, const QString& testo)
{
    campo->clear();
    QTest::keyClicks(campo, testo);
    QTest::keyClick(campo, Qt::Key_Return);
}

} // namespace mani_grafico
