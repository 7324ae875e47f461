#pragma once

// A user's hands on the new-tube window: mouse events with the buttons held,
// and the pick of an entry of the pop-up menu that a press opens.

#include "support/finestra_modale.h"
#include "tubes/ui/nuovo_dispositivo.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMouseEvent>
#include <QTimer>
#include <QtTest>

#include <memory>

// Picks an entry of the pop-up menu as soon as it is open, by the keyboard.
inline void scegli_dal_menu(const QString& voce)
{
    finestra_modale::quando_aperta<QMenu>([=](QMenu* menu) {
        for (QAction* a : menu->actions()) {
            if (a->text() == voce) {
                menu->setActiveAction(a);
                QTest::keyClick(menu, Qt::Key_Return);
                return;
            }
        }
        menu->close();
    });
}

inline void evento_mouse(QWidget* area, QEvent::Type tipo, QPointF pos, Qt::MouseButton pulsante,
                         Qt::MouseButtons tenuti)
{
    QMouseEvent e(tipo, pos, area->mapToGlobal(pos), pulsante, tenuti, Qt::NoModifier);
    QApplication::sendEvent(area, &e);
}

// Moves to a pixel of the curve picture, presses the left button and picks
// from the menu that opens.
inline void clic_e_scegli(Nuovo_Dispositivo& w, QPointF pos, const QString& voce)
{
    evento_mouse(w.Picture1_, QEvent::MouseMove, pos, Qt::NoButton, Qt::NoButton);
    scegli_dal_menu(voce);
    evento_mouse(w.Picture1_, QEvent::MouseButtonPress, pos, Qt::LeftButton, Qt::LeftButton);
    evento_mouse(w.Picture1_, QEvent::MouseButtonRelease, pos, Qt::LeftButton, Qt::NoButton);
}
