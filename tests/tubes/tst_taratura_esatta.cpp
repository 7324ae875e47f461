// A calibration keeps its fractions: a sheet whose top line is 17.5 mA is
// saved with that value beside the rounded 16-bit one, and every reading of
// the tube (the chart on loading, a project read back) takes it; a table
// from before, or one whose exact values are Null or stale, reads as it
// always did.

#include "curva_12au7.h"
#include "mani_nuovo_dispositivo.h"
#include "support/cartella_prova.h"
#include "support/processo.h"

#include "chart/grafico.h"
#include "chart/ui/picture1.h"
#include "platform/piattaforma_scriptata.h"
#include "shell/korvel.h"
#include "tubes/caricatore_valvola.h"
#include "tubes/lista_valvole.h"

#include <QAction>
#include <QComboBox>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QtTest>

namespace {

using finestra_modale::quando_aperta;

// The last record as Python's sqlite3 reads it, column name to value.
QJsonObject ultimo_record(const CartellaProva& c)
{
    const Esito e = python(QStringLiteral("import sqlite3,sys,json\n"
                                          "c=sqlite3.connect(sys.argv[1])\n"
                                          "cur=c.execute('select * from TabellaValvole order by ID desc limit 1')\n"
                                          "r=cur.fetchone()\n"
                                          "print(json.dumps(dict(zip([d[0] for d in cur.description], r))))\n"),
                           {c.basedati()});
    return QJsonDocument::fromJson(e.uscita.toUtf8()).object();
}

// Screenshots for a person to look at, when asked for.
void fotografa(QWidget& w, const QString& nome)
{
    const QByteArray cartella = qgetenv("KORVEL_FOTO");
    if (!cartella.isEmpty())
        w.grab().save(QString::fromLocal8Bit(cartella) + QLatin1Char('/') + nome + QStringLiteral(".png"));
}

// The current and voltage the main window reads at a pixel of the chart.
QPair<double, double> letto(KORVEL& w, QPointF punto)
{
    evento_mouse(w.Picture1_, QEvent::MouseMove, punto, Qt::NoButton, Qt::NoButton);
    return {w.campo(Campo::curr_i)->text().toDouble(), w.campo(Campo::curr_v)->text().toDouble()};
}

} // namespace

class TestTaraturaEsatta : public QObject {
    Q_OBJECT

private slots:
    // Through the real windows, on a database of the older form: the new
    // tube's 17.5 mA and 487.5 V survive the save, the reload of the list,
    // the loading of the tube and a project written and read back; the
    // older tube beside it reads as before.
    void dalla_finestra_al_grafico()
    {
        CartellaProva c;
        QVERIFY(c.crea_tabella_storica());
        QVERIFY(c.inserisci(CartellaProva::valvola(QStringLiteral("12AX7"), QStringLiteral("ECC83"))));
        c.scrivi_immagine(QStringLiteral("DatiValvole/Curve/prova.gif"), 518, 418, Qt::white, "PNG");
        const QString scansione = c.dir.filePath(QStringLiteral("12AU7.png"));
        QVERIFY(curva_12au7::disegna(900, 700).save(scansione, "PNG"));

        PiattaformaScriptata p;
        KORVEL w(p, c.programma());
        w.KORVEL_Form_Load();
        QStringList messaggi;
        quando_aperta<Nuovo_Dispositivo>([&](Nuovo_Dispositivo* n) {
            p.rispondi_file(scansione);
            n->carica[0]->trigger();
            QTest::keyClicks(n->nome_valvola[0], QStringLiteral("12AU7"));
            n->Combo_modo->setCurrentIndex(1);
            clic_e_scegli(*n, {56, 380}, QStringLiteral("Set Origine"));
            clic_e_scegli(*n, {56, 40}, QStringLiteral("Set Corrente massima"));
            clic_e_scegli(*n, {496, 380}, QStringLiteral("Set Tensione Massima"));
            QTest::keyClicks(n->max_current_i, QStringLiteral("17.5"));
            QTest::keyClicks(n->max_voltage_V, QStringLiteral("487.5"));
            p.azzera();
            n->salva_DB->trigger();
            messaggi = p.messaggi();
            n->uscita->trigger();
        });
        w.nuova_valvola->trigger();
        QCOMPARE(messaggi, QStringList{QStringLiteral("Valvola inserita nel DB")});

        // Rounded halves to even in the old columns, exact in the new ones.
        const QJsonObject r = ultimo_record(c);
        QCOMPARE(r.value("IMAX_I").toInt(), 18);
        QCOMPARE(r.value("VMAX_V").toInt(), 488);
        QCOMPARE(r.value("IMAX_I_ESATTO").toDouble(), 17.5);
        QCOMPARE(r.value("VMAX_V_ESATTO").toDouble(), 487.5);

        QCOMPARE(w.lista().righe_valvole(), 2);
        QCOMPARE(w.lista().cella_lista(1, 9), QStringLiteral("100"));
        QCOMPARE(w.lista().cella_lista(2, 9), QStringLiteral("17.5"));
        QCOMPARE(w.lista().cella_lista(2, 12), QStringLiteral("487.5"));

        // The top line of the sheet is 17.5 mA, halfway up 8.75 mA; the
        // right-hand end 487.5 V. Rounded, they read 18, 9 and 488.
        const auto leggi_linee = [&] {
            const auto alto = letto(w, {496, 40});
            QCOMPARE(w.campo(Campo::curr_i)->text(), QStringLiteral("17.50"));
            QCOMPARE(alto.second, 487.5);
            QCOMPARE(letto(w, {276, 210}).first, 8.75);
            QCOMPARE(w.grafico().stato().imax_i, 17.5);
            QCOMPARE(w.grafico().stato().vmax_v, 487.5);
        };
        w.caricatore().griglia_DB_DblClick(2);
        leggi_linee();
        fotografa(w, QStringLiteral("taratura esatta"));

        const QString progetto = c.dir.filePath(QStringLiteral("progetto.xml"));
        p.rispondi_file(progetto);
        w.scrittura_progetto->trigger();
        w.caricatore().griglia_DB_DblClick(1);
        QCOMPARE(w.grafico().stato().imax_i, 100.0);
        p.rispondi_file(progetto);
        w.lettura_progetto->trigger();
        QCOMPARE(w.nome_valvola[0]->text(), QStringLiteral("12AU7"));
        leggi_linee();
    }

    // What the list and the chart take from each stored form of one
    // calibration current.
    void forme_memorizzate_data()
    {
        QTest::addColumn<bool>("storica");
        QTest::addColumn<QVariant>("arrotondato");
        QTest::addColumn<QVariant>("esatto");
        QTest::addColumn<QString>("cella");
        QTest::addColumn<double>("corrente");
        QTest::newRow("table from before") << true << QVariant(18) << QVariant() << "18" << 18.0;
        QTest::newRow("exact value Null") << false << QVariant(18) << QVariant() << "18" << 18.0;
        QTest::newRow("exact value") << false << QVariant(18) << QVariant(17.5) << "17.5" << 17.5;
        QTest::newRow("exact whole value") << false << QVariant(20) << QVariant(20.0) << "20" << 20.0;
        QTest::newRow("below the rounding half") << false << QVariant(18) << QVariant(18.499) << "18.499" << 18.499;
        // Another program changed the rounded value and left the exact one.
        QTest::newRow("stale exact value") << false << QVariant(25) << QVariant(17.5) << "25" << 25.0;
        QTest::newRow("exact value a text") << false << QVariant(18) << QVariant("molto") << "18" << 18.0;
        QTest::newRow("rounded value Null") << false << QVariant() << QVariant(17.5) << "" << 0.0;
    }
    void forme_memorizzate()
    {
        QFETCH(bool, storica);
        QFETCH(QVariant, arrotondato);
        QFETCH(QVariant, esatto);
        QFETCH(QString, cella);
        QFETCH(double, corrente);

        CartellaProva c;
        QVERIFY(storica ? c.crea_tabella_storica() : c.crea_tabella());
        QVariantList v = CartellaProva::valvola(QStringLiteral("6V6"), QString());
        v[8] = arrotondato; // IMAX_I, after ID
        QVERIFY(c.inserisci(v));
        if (!storica)
            QVERIFY(c.esegui(QStringLiteral("update TabellaValvole set IMAX_I_ESATTO = ?"), {esatto}));

        PiattaformaScriptata p;
        KORVEL w(p, c.programma());
        w.KORVEL_Form_Load();
        QCOMPARE(w.lista().righe_valvole(), 1);
        QCOMPARE(w.lista().cella_lista(1, 9), cella);
        // The voltage beside it, with no exact value, is untouched.
        QCOMPARE(w.lista().cella_lista(1, 12), QStringLiteral("500"));
        w.caricatore().griglia_DB_DblClick(1);
        QCOMPARE(w.grafico().stato().imax_i, corrente);
        QCOMPARE(w.grafico().stato().vmax_v, 500.0);
    }
};

QTEST_MAIN(TestTaraturaEsatta)
#include "tst_taratura_esatta.moc"
