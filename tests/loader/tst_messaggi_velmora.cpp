// Velmora's messages as assistive technology meets them: the real message
// boxes of the desktop platform, read and answered through Qt's
// accessibility interface alone, never through the widgets.

#include "support/cartella_prova.h"

#include "platform/ui/piattaforma_qt.h"
#include "velmora.h"

#include <QAccessible>
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>
#include <QtTest>

#include <functional>

namespace {

// One box as a screen reader presents it.
struct BoxLetto {
    QString titolo;
    QStringList testi;    // the visible texts, in tree order
    QStringList pulsanti; // the button names, in tree order
    QString predefinito;  // the button marked as default
};

void leggi_albero(QAccessibleInterface* nodo, BoxLetto& letto, QHash<QString, QAccessibleInterface*>& pulsanti)
{
    for (int i = 0; i < nodo->childCount(); ++i) {
        QAccessibleInterface* figlio = nodo->child(i);
        if (!figlio || figlio->state().invisible)
            continue;
        const QString nome = figlio->text(QAccessible::Name);
        if (figlio->role() == QAccessible::StaticText && !nome.isEmpty())
            letto.testi << nome;
        if (figlio->role() == QAccessible::PushButton) {
            letto.pulsanti << nome;
            pulsanti.insert(nome, figlio);
            if (figlio->state().defaultButton)
                letto.predefinito = nome;
        }
        leggi_albero(figlio, letto, pulsanti);
    }
}

// While `azione` runs, every message box that comes up is read through its
// accessible interface and answered by pressing the button named by
// `risposta` (given what was read) through the button's accessible action.
// A box that cannot be answered is closed, so the test cannot hang.
QList<BoxLetto> leggi_e_rispondi(const std::function<QString(const BoxLetto&)>& risposta,
                                 const std::function<void()>& azione)
{
    QList<BoxLetto> letti;
    QPointer<QMessageBox> risposto;
    QElapsedTimer orologio;
    orologio.start();
    QTimer timer;
    timer.setInterval(5);
    QObject::connect(&timer, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || box == risposto || !box->isVisible()) {
            if (orologio.hasExpired(30000) && box)
                box->close();
            return;
        }
        QAccessibleInterface* radice = QAccessible::queryAccessibleInterface(box);
        if (!radice)
            return;
        BoxLetto letto;
        letto.titolo = radice->text(QAccessible::Name);
        QHash<QString, QAccessibleInterface*> pulsanti;
        leggi_albero(radice, letto, pulsanti);
        letti << letto;
        risposto = box;
        orologio.restart();
        QAccessibleInterface* scelto = pulsanti.value(risposta(letto));
        if (!scelto || !scelto->actionInterface()) {
            box->close();
            return;
        }
        scelto->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    });
    timer.start();
    azione();
    timer.stop();
    return letti;
}

const QString gia_presente = QStringLiteral("Base dati Già Presente");
const QString domanda = QStringLiteral("Accesso Data base assente, vuoi procedere alla installazione?");

} // namespace

class TestMessaggiVelmora : public QObject {
    Q_OBJECT

private slots:
    // The message with its OK button; the installation question with "Sì"
    // and "No", No the default, and the answer pressed through the
    // accessible button deciding whether the installer starts.
    void letti_e_risposti_data()
    {
        QTest::addColumn<bool>("base_dati_valida");
        QTest::addColumn<QString>("risposta");
        QTest::addColumn<bool>("installatore");
        QTest::newRow("dati presenti e leggibili") << true << QString() << false;
        QTest::newRow("base dati assente, Sì") << false << QStringLiteral("Sì") << true;
        QTest::newRow("base dati assente, No") << false << QStringLiteral("No") << false;
    }
    void letti_e_risposti()
    {
        QFETCH(bool, base_dati_valida);
        QFETCH(QString, risposta);
        QFETCH(bool, installatore);

        CartellaProva c;
        if (base_dati_valida) {
            QVERIFY(c.crea_tabella());
            QVERIFY(c.inserisci(CartellaProva::valvola("12AX7", "ECC83")));
        } else {
            // A plain file named like the data folder: the data count as
            // present, and no database opens behind it.
            QVERIFY(QDir(c.dati()).removeRecursively());
            QFile f(c.programma() + "/DatiValvole");
            QVERIFY(f.open(QIODevice::WriteOnly));
        }

        PiattaformaQt piattaforma;
        QStringList avviati;
        const QList<BoxLetto> letti = leggi_e_rispondi(
            [&](const BoxLetto& b) { return b.pulsanti == QStringList{"OK"} ? QStringLiteral("OK") : risposta; },
            [&] {
                velmora(piattaforma, c.programma(), [&](const QString& programma) {
                    avviati << programma;
                    return true;
                });
            });

        const QString titolo = QApplication::applicationName();
        QCOMPARE(letti.size(), base_dati_valida ? 1 : 2);
        QCOMPARE(letti[0].titolo, titolo);
        QCOMPARE(letti[0].testi, QStringList{gia_presente});
        QCOMPARE(letti[0].pulsanti, QStringList{"OK"});
        QCOMPARE(letti[0].predefinito, QStringLiteral("OK"));
        if (!base_dati_valida) {
            QCOMPARE(letti[1].titolo, titolo);
            QCOMPARE(letti[1].testi, QStringList{domanda});
            QCOMPARE(letti[1].pulsanti, QStringList({"Sì", "No"}));
            QCOMPARE(letti[1].predefinito, QStringLiteral("No"));
        }
        QCOMPARE(avviati, installatore ? QStringList{c.programma() + "/MDAC_TYP.EXE"} : QStringList{});
    }
};

QTEST_MAIN(TestMessaggiVelmora)
#include "tst_messaggi_velmora.moc"
