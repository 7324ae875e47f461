// A new tube entered from the main window under a designation and mode the
// table already holds: its curve picture would take the place of the other
// tube's, whose calibration then no longer matches its picture. The save is
// refused with the name of that tube, and its picture and record stay
// byte-identical; files no record uses keep the question before replacing.

#include "curva_12au7.h"
#include "mani_nuovo_dispositivo.h"
#include "support/cartella_prova.h"

#include "platform/piattaforma_scriptata.h"
#include "shell/korvel.h"
#include "tubes/lista_valvole.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QLineEdit>
#include <QMap>
#include <QTimer>
#include <QtTest>

using Tipo = PiattaformaScriptata::Tipo;

namespace {

// Every file of the data folder, by its path in the folder, with a digest
// of its bytes.
QMap<QString, QByteArray> impronta(const QString& cartella)
{
    QMap<QString, QByteArray> m;
    QDirIterator it(cartella, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString f = it.next();
        QFile file(f);
        if (file.open(QIODevice::ReadOnly))
            m.insert(QDir(cartella).relativeFilePath(f),
                     QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256));
    }
    return m;
}

QVariantList valvola(const QString& usa, const QString& modo, const QString& curva)
{
    QVariantList v = CartellaProva::valvola(usa, QString(), curva);
    v[3] = modo;
    return v;
}

} // namespace

class TstValvolaDoppia : public QObject {
    Q_OBJECT

private slots:
    void salvataggio_data()
    {
        QTest::addColumn<QString>("sigla");
        QTest::addColumn<QString>("modo");
        QTest::addColumn<QString>("messaggio"); // empty: the save goes on
        QTest::addColumn<bool>("domanda");      // asked before replacing
        QTest::newRow("same designation and mode")
            << "12AX7"
            << "TRIODO"
            << "Esiste già una valvola 12AX7 TRIODO nel DB: scegliere un'altra sigla" << false;
        // GENERICO and DIODO curves share one file name.
        QTest::newRow("mode sharing the curve file")
            << "6L6"
            << "DIODO"
            << "Esiste già una valvola 6L6 GENERICO nel DB: scegliere un'altra sigla" << false;
        QTest::newRow("same designation, another mode") << "12AX7"
                                                        << "PENTODO"
                                                        << "" << false;
        // A picture left in the folder by no record: today's question,
        // answered No, so nothing is written.
        QTest::newRow("file of no record") << "ECC88"
                                           << "TRIODO"
                                           << "" << true;
    }
    void salvataggio()
    {
        QFETCH(QString, sigla);
        QFETCH(QString, modo);
        QFETCH(QString, messaggio);
        QFETCH(bool, domanda);

        CartellaProva c;
        QVERIFY(c.crea_tabella());
        QVERIFY(
            c.inserisci(valvola(QStringLiteral("12AX7"), QStringLiteral("TRIODO"), QStringLiteral("12AX7trio.gif"))));
        QVERIFY(c.inserisci(valvola(QStringLiteral("6L6"), QStringLiteral("GENERICO"), QStringLiteral("6L6crv.gif"))));
        c.scrivi_immagine(QStringLiteral("DatiValvole/Curve/12AX7trio.gif"), 518, 418, Qt::white, "PNG");
        c.scrivi_immagine(QStringLiteral("DatiValvole/Curve/6L6crv.gif"), 518, 418, Qt::yellow, "PNG");
        c.scrivi_immagine(QStringLiteral("DatiValvole/Curve/ECC88trio.gif"), 518, 418, Qt::cyan, "PNG");
        const QString scansione = c.dir.filePath(QStringLiteral("scansione.png"));
        QVERIFY(curva_12au7::disegna(900, 700).save(scansione, "PNG"));
        const auto prima = impronta(c.dati());
        QCOMPARE(prima.size(), 4); // three curves and the database

        PiattaformaScriptata p;
        KORVEL w(p, c.programma());
        w.KORVEL_Form_Load();
        QCOMPARE(w.lista().righe_valvole(), 2);

        bool aperta = false;
        auto* timer = new QTimer(&w);
        timer->setInterval(10);
        connect(timer, &QTimer::timeout, [&] {
            auto* n = qobject_cast<Nuovo_Dispositivo*>(QApplication::activeModalWidget());
            if (!n)
                return;
            timer->stop();
            aperta = true;
            p.rispondi_file(scansione);
            n->carica[0]->trigger();
            QTest::keyClicks(n->nome_valvola[0], sigla);
            n->Combo_modo->setCurrentText(modo);
            clic_e_scegli(*n, {56, 380}, QStringLiteral("Set Origine"));
            clic_e_scegli(*n, {56, 40}, QStringLiteral("Set Corrente massima"));
            clic_e_scegli(*n, {496, 380}, QStringLiteral("Set Tensione Massima"));
            QTest::keyClicks(n->max_current_i, QStringLiteral("20"));
            QTest::keyClicks(n->max_voltage_V, QStringLiteral("500"));
            p.azzera();
            n->salva_DB->trigger();
            n->uscita->trigger();
        });
        timer->start();
        w.nuova_valvola->trigger();
        QVERIFY(aperta);

        int domande = 0;
        for (const auto& r : p.richieste())
            domande += r.tipo == Tipo::Domanda;
        QCOMPARE(domande, domanda ? 1 : 0);
        if (domanda)
            QVERIFY(p.richieste().first().testo.contains(QStringLiteral("ECC88trio.gif")));

        if (!messaggio.isEmpty() || domanda) {
            QCOMPARE(p.messaggi(), messaggio.isEmpty() ? QStringList() : QStringList{messaggio});
            // Nothing of the data folder changed: pictures and database.
            QCOMPARE(impronta(c.dati()), prima);
            QCOMPARE(w.lista().righe_valvole(), 2);
        } else {
            QCOMPARE(p.messaggi(), QStringList{QStringLiteral("Valvola inserita nel DB")});
            QCOMPARE(w.lista().righe_valvole(), 3);
            QCOMPARE(w.lista().cella_lista(3, 3), QStringLiteral("12AX7pent.gif"));
            // The other mode's curve is untouched.
            const auto dopo = impronta(c.dati());
            const QString curva = QStringLiteral("Curve/12AX7trio.gif");
            QVERIFY(prima.contains(curva));
            QCOMPARE(dopo.value(curva), prima.value(curva));
        }
    }
};

QTEST_MAIN(TstValvolaDoppia)
#include "tst_valvola_doppia.moc"
