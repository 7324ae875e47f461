// Velmora's own message boxes, drawn without widgets: the answer each key or
// click gives, the safe default of a question, and the look of the box.

#include "messaggi_velmora.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QTimer>
#include <QWindow>
#include <QtTest>

#include <functional>

namespace {

using messaggi_velmora::Messaggio;

const Messaggio domanda{QStringLiteral("Velmora"),
                        QStringLiteral("Accesso Data base assente, vuoi procedere alla installazione?"),
                        {QStringLiteral("Sì"), QStringLiteral("No")},
                        1};

// Runs `mano` on the box once it is up; the box is closed after a deadline
// so that the test cannot hang.
void quando_aperta(std::function<void(QWindow*)> mano)
{
    auto* timer = new QTimer;
    timer->setInterval(5);
    QElapsedTimer orologio;
    orologio.start();
    QObject::connect(timer, &QTimer::timeout, [=] {
        QWindow* w = QGuiApplication::modalWindow();
        if (!w || !w->isExposed()) {
            if (orologio.hasExpired(30000)) {
                timer->stop();
                timer->deleteLater();
                if (w)
                    w->close();
                QTest::qFail("the message box did not come up", __FILE__, __LINE__);
            }
            return;
        }
        timer->stop();
        timer->deleteLater();
        mano(w);
    });
    timer->start();
}

} // namespace

class TestMessaggiVelmora : public QObject {
    Q_OBJECT

private slots:
    void risposta_data()
    {
        QTest::addColumn<QList<int>>("tasti");
        QTest::addColumn<int>("scelto");
        // Enter takes the default, which is No: a stray Enter installs nothing.
        QTest::newRow("enter") << QList<int>{Qt::Key_Return} << 1;
        QTest::newRow("escape") << QList<int>{Qt::Key_Escape} << 1;
        QTest::newRow("left, enter") << QList<int>{Qt::Key_Left, Qt::Key_Return} << 0;
        QTest::newRow("tab twice, space") << QList<int>{Qt::Key_Tab, Qt::Key_Tab, Qt::Key_Space} << 1;
    }
    void risposta()
    {
        QFETCH(QList<int>, tasti);
        QFETCH(int, scelto);
        quando_aperta([tasti](QWindow* w) {
            for (int t : tasti)
                QTest::keyClick(w, Qt::Key(t));
        });
        QCOMPARE(messaggi_velmora::mostra(domanda), scelto);
    }

    void clic_e_chiusura()
    {
        QString titolo;
        quando_aperta([&](QWindow* w) {
            titolo = w->title();
            // The "Sì" button is the left one of the row, at the bottom.
            const QImage img = messaggi_velmora::immagine(domanda);
            QCOMPARE(w->size(), img.size());
            QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(img.width() / 2 - 40, img.height() - 30));
        });
        QCOMPARE(messaggi_velmora::mostra(domanda), 0);
        QCOMPARE(titolo, QStringLiteral("Velmora"));

        // Closing the window counts as the last button.
        quando_aperta([](QWindow* w) { w->close(); });
        QCOMPARE(messaggi_velmora::mostra(domanda), 1);
    }

    // The text is drawn whole above the buttons: a long message wraps and
    // makes the box taller, never wider than its text column.
    void testo_a_capo()
    {
        const QImage corta =
            messaggi_velmora::immagine({{}, QStringLiteral("Base dati Caricata"), {QStringLiteral("OK")}, 0});
        const QImage lunga = messaggi_velmora::immagine(domanda);
        QVERIFY(!corta.isNull());
        QVERIFY(lunga.height() > corta.height());
        QVERIFY(lunga.width() <= 360 + 2 * 16);
    }
};

QTEST_MAIN(TestMessaggiVelmora)
#include "tst_messaggi_velmora.moc"
