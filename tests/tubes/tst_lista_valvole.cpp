// The tube list rebuilt from real SQLite files, one fixture per case.
#include "support/cartella_prova.h"

#include "platform/piattaforma_scriptata.h"
#include "shell/korvel.h"
#include "tubes/lista_valvole.h"
#include "tubes/caricatore_valvola.h"
#include "tubes/ui/griglia_db.h"

#include <QAction>
#include <QLineEdit>
#include "chart/grafico.h"
#include <QFile>
#include <QMenu>
#include <QTabWidget>
#include <QtTest>

class TestListaValvole : public QObject {
    Q_OBJECT

private slots:
    void risultato_per_contenuto_della_base_dati_data();
    void risultato_per_contenuto_della_base_dati();
    void righe_e_colonne_della_lista();
    void ricarica_uguale_e_valvola_scaricata();
    void file_mancante_non_viene_creato();
    void avvio_senza_base_dati();
};

namespace {

// One step of a fixture: what the table gets before the load.
enum class Caso {
    TreValvole,
    TestoNull,
    InteroNull,
    FuoriIntervallo,
    PmaxNull,
    TabellaVuota,
    TabellaAssente,
    NonSqlite,
    ColonnaAssente
};

void prepara(const CartellaProva& c, Caso caso)
{
    switch (caso) {
    case Caso::NonSqlite: {
        QFile f(c.basedati());
        f.open(QIODevice::WriteOnly);
        f.write("Standard Jet DB\0 not really", 27);
        return;
    }
    case Caso::TabellaAssente: QVERIFY(c.esegui(QStringLiteral("create table Altro (x integer)"))); return;
    case Caso::ColonnaAssente:
        QVERIFY(c.esegui(QStringLiteral("create table TabellaValvole (ID integer primary key, SiglaEURO text)")));
        QVERIFY(c.esegui(QStringLiteral("insert into TabellaValvole (SiglaEURO) values ('EL34')")));
        return;
    default: break;
    }
    QVERIFY(c.crea_tabella());
    if (caso == Caso::TabellaVuota)
        return;
    QVariantList prima = CartellaProva::valvola(QStringLiteral("12AX7"), QStringLiteral("ECC83"));
    QVariantList seconda = CartellaProva::valvola(QStringLiteral("6CA7"), QStringLiteral("EL34"));
    QVariantList terza = CartellaProva::valvola(QStringLiteral("300B"), QString());
    switch (caso) {
    case Caso::TestoNull:
        seconda[1] = QVariant(); // SiglaUSA
        break;
    case Caso::InteroNull:
        seconda[6] = QVariant(); // IMAX_X
        break;
    case Caso::FuoriIntervallo:
        seconda[12] = 40000; // ORG_X does not fit 16 bits
        break;
    case Caso::PmaxNull: seconda[14] = QVariant(); break;
    default: break;
    }
    QVERIFY(c.inserisci(prima));
    QVERIFY(c.inserisci(seconda));
    QVERIFY(c.inserisci(terza));
}

} // namespace

void TestListaValvole::risultato_per_contenuto_della_base_dati_data()
{
    QTest::addColumn<int>("caso");
    QTest::addColumn<bool>("risultato");
    QTest::addColumn<int>("righe");         // tube rows listed
    QTest::addColumn<QString>("usa_riga2"); // column 2 of the second tube
    QTest::addColumn<int>("fisse");         // frozen columns afterwards

    QTest::newRow("tre valvole") << int(Caso::TreValvole) << true << 3 << "6CA7" << 3;
    QTest::newRow("testo Null: cella vuota") << int(Caso::TestoNull) << true << 3 << "" << 3;
    // An odd number costs neither its row nor the rows after it.
    QTest::newRow("intero Null: cella vuota") << int(Caso::InteroNull) << true << 3 << "6CA7" << 3;
    QTest::newRow("taratura oltre 16 bit: 0") << int(Caso::FuoriIntervallo) << true << 3 << "6CA7" << 3;
    QTest::newRow("PMAX Null: cella vuota") << int(Caso::PmaxNull) << true << 3 << "6CA7" << 3;
    QTest::newRow("tabella vuota") << int(Caso::TabellaVuota) << false << 0 << "" << 3;
    QTest::newRow("tabella assente") << int(Caso::TabellaAssente) << false << 0 << "" << 0;
    QTest::newRow("file non SQLite") << int(Caso::NonSqlite) << false << 0 << "" << 0;
    QTest::newRow("colonna assente") << int(Caso::ColonnaAssente) << false << 0 << "" << 0;
}

void TestListaValvole::risultato_per_contenuto_della_base_dati()
{
    QFETCH(int, caso);
    QFETCH(bool, risultato);
    QFETCH(int, righe);
    QFETCH(QString, usa_riga2);
    QFETCH(int, fisse);

    CartellaProva c;
    prepara(c, Caso(caso));
    PiattaformaScriptata p;
    KORVEL w(p, c.programma());
    w.KORVEL_Form_Load();

    QCOMPARE(w.lista().caricamento_basedati(), risultato);
    QCOMPARE(w.lista().righe_valvole(), righe);
    // The header row is there whatever happened.
    QCOMPARE(w.lista().cella_lista(0, 0), QStringLiteral("id"));
    QCOMPARE(w.lista().cella_lista(0, 25), QStringLiteral("SCRE_W"));
    if (righe >= 2)
        QCOMPARE(w.lista().cella_lista(2, 2), usa_riga2);
    QCOMPARE(w.griglia_DB->colonne_fisse(), fisse);
}

void TestListaValvole::righe_e_colonne_della_lista()
{
    CartellaProva c;
    prepara(c, Caso::TreValvole);
    PiattaformaScriptata p;
    KORVEL w(p, c.programma());
    w.KORVEL_Form_Load();
    QVERIFY(p.richieste().isEmpty()); // no start-up question with a good database

    // Rows in key order; every column as text, integers as plain decimals.
    QCOMPARE(w.lista().righe_valvole(), 3);
    const QStringList attesa = {"1",   "ECC83", "12AX7", "prova.gif", "TRIODO", "provapin.gif", "prova.jpg", "40",
                                "20",  "100",   "480",   "400",       "500",    "40",           "400",       "40000",
                                "6.3", "300",   "0",     "0",         "450",    "90",           "40",        "0",
                                "0",   "0"};
    for (int col = 0; col < 26; ++col)
        QCOMPARE(w.lista().cella_lista(1, col), attesa[col]);
    QCOMPARE(w.lista().cella_lista(3, 1), QString()); // 300B has no European name
    QCOMPARE(w.lista().cella_lista(3, 2), QStringLiteral("300B"));

    // Widths in twips, column 0 hidden but still holding the key.
    const int larghezze[] = {0, 900, 900, 1200, 1200, 1200, 800, 800};
    for (int col = 0; col < 8; ++col)
        QCOMPARE(w.griglia_DB->larghezza_twips(col), larghezze[col]);
    QCOMPARE(w.griglia_DB->larghezza_twips(25), 800);
    QVERIFY(w.griglia_DB->isColumnHidden(0));
    QCOMPARE(w.SSTab1->currentIndex(), 2);
}

void TestListaValvole::ricarica_uguale_e_valvola_scaricata()
{
    CartellaProva c;
    prepara(c, Caso::TreValvole);
    PiattaformaScriptata p;
    KORVEL w(p, c.programma());
    w.KORVEL_Form_Load();

    auto istantanea = [&] {
        QStringList celle;
        for (int r = 0; r <= w.lista().righe_valvole(); ++r)
            for (int col = 0; col < 26; ++col)
                celle << w.lista().cella_lista(r, col);
        return celle;
    };
    const QStringList prima = istantanea();

    w.caricatore().griglia_DB_DblClick(2);
    QCOMPARE(w.nome_valvola[0]->text(), QStringLiteral("6CA7"));
    QVERIFY(w.menu_tracciatura->menuAction()->isEnabled());

    w.load_basedati->trigger();
    QCOMPARE(istantanea(), prima);
    // The rebuild unloads the tube; the row number stays as it was.
    QCOMPARE(w.nome_valvola[0]->text(), QString());
    QCOMPARE(w.testo(Campo::potenza_anodica), QString());
    QVERIFY(!w.menu_tracciatura->menuAction()->isEnabled());
    QVERIFY(!w.reload_singolo->isEnabled());
    QCOMPARE(w.riga_db->text(), QStringLiteral("2"));
    QCOMPARE(w.grafico().stato().org_x, 0.0f);
}

void TestListaValvole::file_mancante_non_viene_creato()
{
    CartellaProva c;
    PiattaformaScriptata p;
    p.rispondi_si_no(false);
    KORVEL w(p, c.programma());
    w.KORVEL_Form_Load();
    QVERIFY(!w.lista().caricamento_basedati());
    QVERIFY(!QFile::exists(c.basedati()));
}

void TestListaValvole::avvio_senza_base_dati()
{
    CartellaProva c;
    PiattaformaScriptata p;
    p.rispondi_si_no(false);
    KORVEL w(p, c.programma());
    w.KORVEL_Form_Load();

    QCOMPARE(p.richieste().size(), 1);
    QCOMPARE(p.richieste()[0].tipo, PiattaformaScriptata::Tipo::Domanda);
    QCOMPARE(p.richieste()[0].testo, QStringLiteral("Base dati assente, vuoi caricarla?"));
    QCOMPARE(w.SSTab1->currentIndex(), 2);
    QCOMPARE(w.lista().righe_valvole(), 0);
    QVERIFY(!w.menu_tracciatura->menuAction()->isEnabled());
}

QTEST_MAIN(TestListaValvole)
#include "tst_lista_valvole.moc"
