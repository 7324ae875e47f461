// Loading a tube from the list into the main window, against real files.
#include "support/cartella_prova.h"

#include "chart/grafico.h"
#include "platform/piattaforma_scriptata.h"
#include "shell/korvel.h"
#include "tubes/caricatore_valvola.h"

#include <QAction>
#include <QLineEdit>
#include "chart/grafico.h"
#include <QLabel>
#include <QMenu>
#include <QTabWidget>
#include <QTableWidget>
#include <QtTest>

class TestCaricamentoValvola : public QObject {
    Q_OBJECT

private slots:
    void righe_caratteristiche_data();
    void righe_caratteristiche();
    void nome_della_valvola_data();
    void nome_della_valvola();
    void carica_taratura_immagini_e_torna_al_grafico();
    void riga_intestazione_e_riga_inesistente();
    void larghezza_della_foto();
    void valvola_senza_curva_mostra_immagine_assente();
};

namespace {

struct Finestra {
    CartellaProva c;
    PiattaformaScriptata p;
    std::unique_ptr<KORVEL> w;

    explicit Finestra(const QList<QVariantList>& valvole)
    {
        c.crea_tabella();
        for (const QVariantList& v : valvole)
            c.inserisci(v);
        w = std::make_unique<KORVEL>(p, c.programma());
        w->KORVEL_Form_Load();
    }
};

QStringList righe_di(const QTableWidget* g)
{
    QStringList righe;
    for (int r = 0; r < g->rowCount(); ++r)
        righe << QStringLiteral("%1|%2|%3").arg(g->item(r, 0)->text(), g->item(r, 1)->text(), g->item(r, 2)->text());
    return righe;
}

} // namespace

void TestCaricamentoValvola::righe_caratteristiche_data()
{
    QTest::addColumn<QVariant>("fil2_v");
    QTest::addColumn<QVariant>("scre_v");
    QTest::addColumn<int>("righe");
    QTest::addColumn<bool>("secondo_filamento");
    QTest::addColumn<bool>("schermo");

    // The second heater hides only on the exact text "0"; the screen lines on
    // any value that reads as zero or less, an empty or Null cell included.
    QTest::newRow("0 / 0") << QVariant("0") << QVariant("0") << 5 << false << false;
    QTest::newRow("0 / -5") << QVariant("0") << QVariant("-5") << 5 << false << false;
    QTest::newRow("0 / vuoto") << QVariant("0") << QVariant("") << 5 << false << false;
    QTest::newRow("0 / Null") << QVariant("0") << QVariant() << 5 << false << false;
    QTest::newRow("0 / 300") << QVariant("0") << QVariant("300") << 8 << false << true;
    QTest::newRow("vuoto / 0") << QVariant("") << QVariant("0") << 7 << true << false;
    QTest::newRow("0.0 / 300") << QVariant("0.0") << QVariant("300") << 10 << true << true;
    QTest::newRow("12.6 / 250abc") << QVariant("12.6") << QVariant("250abc") << 10 << true << true;
}

void TestCaricamentoValvola::righe_caratteristiche()
{
    QFETCH(QVariant, fil2_v);
    QFETCH(QVariant, scre_v);
    QFETCH(int, righe);
    QFETCH(bool, secondo_filamento);
    QFETCH(bool, schermo);

    QVariantList v = CartellaProva::valvola(QStringLiteral("EL84"), QStringLiteral("6BQ5"));
    v[17] = fil2_v;
    v[22] = scre_v;
    v[23] = QStringLiteral("2");
    v[24] = QStringLiteral("2.5");
    Finestra f({v});
    f.w->caricatore().griglia_DB_DblClick(1);

    const QStringList r = righe_di(f.w->grid_caratteristiche);
    QCOMPARE(r.size(), righe);
    QCOMPARE(r.first(), QStringLiteral("Tensione Filamento|6.3|V"));
    QCOMPARE(r.contains(QStringLiteral("Tensione Filamento|%1|V").arg(fil2_v.toString())), secondo_filamento);
    QCOMPARE(r.contains(QStringLiteral("Potenza MAX Schermo|2.5|W")), schermo);
    QVERIFY(r.contains(QStringLiteral("Potenza MAX Anodica|40|W")));
}

void TestCaricamentoValvola::nome_della_valvola_data()
{
    QTest::addColumn<QString>("usa");
    QTest::addColumn<QString>("euro");
    QTest::addColumn<QString>("nome");
    QTest::newRow("entrambe") << "6CA7"
                              << "EL34"
                              << "6CA7,EL34";
    QTest::newRow("solo europea") << QString() << "EL34"
                                  << "EL34";
    QTest::newRow("solo americana") << "300B" << QString() << "300B";
}

void TestCaricamentoValvola::nome_della_valvola()
{
    QFETCH(QString, usa);
    QFETCH(QString, euro);
    QFETCH(QString, nome);
    Finestra f({CartellaProva::valvola(usa, euro)});
    f.w->caricatore().griglia_DB_DblClick(1);
    QCOMPARE(f.w->reload_singolo->text(), QStringLiteral("Ricarica Valvola: ") + nome);
    QVERIFY(f.w->reload_singolo->isEnabled());
    QCOMPARE(f.w->nome_valvola[0]->text(), usa);
    QCOMPARE(f.w->nome_valvola[1]->text(), euro);
    QCOMPARE(f.w->nome_valvola[2]->text(), QStringLiteral("TRIODO"));
}

void TestCaricamentoValvola::carica_taratura_immagini_e_torna_al_grafico()
{
    Finestra f({CartellaProva::valvola(QStringLiteral("12AX7"), QStringLiteral("ECC83")),
                CartellaProva::valvola(QStringLiteral("300B"), QString())});
    f.c.scrivi_immagine(QStringLiteral("DatiValvole/Curve/prova.gif"), 518, 418, QColor(255, 255, 255), "PNG");
    f.c.scrivi_immagine(QStringLiteral("DatiValvole/Piedinature/provapin.gif"), 100, 100, QColor(0, 0, 255), "PNG");
    KORVEL& w = *f.w;
    QVERIFY(!w.menu_tracciatura->menuAction()->isEnabled());

    w.caricatore().griglia_DB_DblClick(2);
    QCOMPARE(w.riga_db->text(), QStringLiteral("2"));
    const StatoGrafico& s = w.grafico().stato();
    QCOMPARE(s.org_x, 40.0f);
    QCOMPARE(s.org_y, 400.0f);
    QCOMPARE(s.vmax_x, 480.0f);
    QCOMPARE(s.vmax_v, 500.0);
    QCOMPARE(s.imax_y, 20.0f);
    QCOMPARE(s.imax_i, 100.0);
    QCOMPARE(w.testo(Campo::potenza_anodica), QStringLiteral("40000"));
    QCOMPARE(w.nomefile_curva->text(), QStringLiteral("prova.gif"));
    QCOMPARE(w.nomefile_piedinatura->text(), QStringLiteral("provapin.gif"));
    QVERIFY(!w.piedinatura_valvola->pixmap().isNull());
    // The photo file is missing: its frame stays empty, its path is kept.
    QVERIFY(w.immagine_tubo->pixmap().isNull());
    QVERIFY(w.caricatore().file_foto().endsWith(QStringLiteral("/DatiValvole/Immagini/prova.jpg")));
    QCOMPARE(w.caricatore().estensione_foto(), QStringLiteral(".jpg"));
    QCOMPARE(w.caricatore().estensione_piedinatura(), QStringLiteral(".gif"));

    // The curve is on the chart with the origin marker drawn over it (XOR of
    // white with light cyan is red).
    const QImage& tela = w.grafico().canvas();
    QCOMPARE(QColor(tela.pixel(300, 300)), QColor(255, 255, 255));
    QCOMPARE(QColor(tela.pixel(55, 400)), QColor(255, 0, 0));

    QVERIFY(w.menu_tracciatura->menuAction()->isEnabled());
    QVERIFY(w.funzioni_stampa->menuAction()->isEnabled());
    QVERIFY(w.funzioni_esporta->menuAction()->isEnabled());
    for (QAction* a : w.canc_function)
        QVERIFY(!a->isEnabled());

    // The chart tab comes to the front once the timer fires.
    QVERIFY(w.Timer_settab->isActive());
    QCOMPARE(w.Timer_settab->interval(), 200);
    QCOMPARE(w.SSTab1->currentIndex(), 2);
    QTRY_COMPARE(w.SSTab1->currentIndex(), 0);
    QVERIFY(!w.Timer_settab->isActive());
}

void TestCaricamentoValvola::riga_intestazione_e_riga_inesistente()
{
    Finestra f({CartellaProva::valvola(QStringLiteral("12AX7"), QStringLiteral("ECC83"))});
    KORVEL& w = *f.w;
    w.caricatore().griglia_DB_DblClick(0);
    QCOMPARE(w.riga_db->text(), QString());
    QVERIFY(!w.menu_tracciatura->menuAction()->isEnabled());

    // A row number that names no row: reads come back empty, nothing breaks,
    // the calibration stays at zero.
    w.riga_db->setText(QStringLiteral("7"));
    QVERIFY(w.caricatore().carica_dativalvola());
    QCOMPARE(w.grafico().stato().org_x, 0.0f);
    QCOMPARE(w.grid_caratteristiche->rowCount(), 7); // empty cells: no "0", so both heaters
}

void TestCaricamentoValvola::larghezza_della_foto()
{
    Finestra f({CartellaProva::valvola(QStringLiteral("12AX7"), QStringLiteral("ECC83"))});
    f.c.scrivi_immagine(QStringLiteral("DatiValvole/Immagini/prova.jpg"), 400, 300, QColor(200, 100, 50), "JPEG");
    f.w->caricatore().griglia_DB_DblClick(1);
    // The frame keeps its height and takes the photo's 4:3 aspect.
    QCOMPARE(f.w->immagine_tubo->height(), KORVEL::altezza_immagine_tubo);
    QCOMPARE(f.w->immagine_tubo->width(), KORVEL::altezza_immagine_tubo * 400 / 300);
    QVERIFY(!f.w->immagine_tubo->pixmap().isNull());
}

void TestCaricamentoValvola::valvola_senza_curva_mostra_immagine_assente()
{
    Finestra f({CartellaProva::valvola(QStringLiteral("12AX7"), QStringLiteral("ECC83"), QString())});
    f.c.scrivi_immagine(QStringLiteral("ASSENTE_img.gif"), 518, 418, QColor(0, 0, 128), "PNG");
    f.w->caricatore().griglia_DB_DblClick(1);
    QCOMPARE(f.w->nomefile_curva->text(), QString());
    QCOMPARE(QColor(f.w->grafico().canvas().pixel(300, 200)), QColor(0, 0, 128));
}

QTEST_MAIN(TestCaricamentoValvola)
#include "tst_caricamento_valvola.moc"
