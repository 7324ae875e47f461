#pragma once

// Answering a modal window (or a pop-up menu) from a test. The window runs
// its own event loop, so the answer has to come from a timer while it is up.

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>
#include <QtTest>

namespace finestra_modale {

// Long enough for any window to open on a loaded machine; it only bounds a
// test that would otherwise wait for ever.
inline constexpr int scadenza_ms = 30000;

// Runs `risposta` on the window of type T as soon as it is the active modal
// window or pop-up. When none comes up before the deadline, the window then
// up (if any) is closed so that the test does not hang, and the test fails.
template <typename T, typename F> void quando_aperta(F risposta, int scadenza = scadenza_ms)
{
    auto* timer = new QTimer;
    timer->setInterval(5);
    QElapsedTimer orologio;
    orologio.start();
    QObject::connect(timer, &QTimer::timeout, [=]() mutable {
        QWidget* su = QApplication::activePopupWidget();
        if (!su)
            su = QApplication::activeModalWidget();
        if (auto* f = qobject_cast<T*>(su)) {
            timer->stop();
            timer->deleteLater();
            risposta(f);
            return;
        }
        if (!orologio.hasExpired(scadenza))
            return;
        timer->stop();
        timer->deleteLater();
        if (su)
            su->close();
        const QByteArray testo = QByteArray("no ") + T::staticMetaObject.className() + " came up in time";
        QTest::qFail(testo.constData(), __FILE__, __LINE__);
    });
    timer->start();
}

} // namespace finestra_modale
