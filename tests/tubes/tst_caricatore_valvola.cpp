// The tube loader on its own: a list model filled by hand, a plain view and
// the real chart engine, with no main window.
#include "vista_valvola_prova.h"

#include "../chart/vista_prova.h"
#include "archive/cartelle.h"
#include "chart/grafico.h"
#include "platform/piattaforma_scriptata.h"
#include "tubes/caricatore_valvola.h"
#include "tubes/modello_lista_valvole.h"
#include "tubes/schema_valvole.h"

#include <QDir>
#include <QImage>
#include <QTemporaryDir>
#include <QtTest>

class TestCaricatoreValvola : public QObject {
    Q_OBJECT

private slots:
    void doppio_click_nomina_e_carica();
    void riga_fuori_lista_lascia_la_taratura();
    void clear_svuota_ma_tiene_la_riga();
};

namespace {

struct Banco {
    QTemporaryDir cartella;
    VistaValvolaProva vista;
    VistaProva campi;
    Grafico grafico{campi};
    ModelloListaValvole modello;
    PiattaformaScriptata piattaforma;
    CaricatoreValvola caricatore{vista, campi, grafico, modello, piattaforma};

    Banco()
    {
        campi.grafico = &grafico;
        imposta_cartelle(cartella.path());
        QDir().mkpath(cartelle().cartella_curve);
        QImage curva(518, 418, QImage::Format_RGB32);
        curva.fill(Qt::white);
        curva.save(cartelle().cartella_curve + QStringLiteral("prova.gif"), "PNG");
        modello.inizia_ricostruzione(schema_valvole::colonne());
        // The photo and the pin-out are named but missing on disk.
        modello.aggiungi_riga({"1",   "EL34", "6CA7", "prova.gif", "PENTODO", "pin.gif", "foto.jpg", "40",  "20",
                               "100", "480",  "400",  "500",       "40",      "400",     "25000",    "6.3", "1500",
                               "0",   "0",    "800",  "150",       "25",      "425",     "15",       "8"});
        modello.fine_ricostruzione();
    }
};

} // namespace

void TestCaricatoreValvola::doppio_click_nomina_e_carica()
{
    Banco b;
    b.caricatore.griglia_DB_DblClick(1);

    QCOMPARE(b.vista.riga, QStringLiteral("1"));
    QCOMPARE(b.vista.nomi[0], QStringLiteral("6CA7"));
    QCOMPARE(b.vista.nomi[2], QStringLiteral("PENTODO"));
    // Named first, reloaded, then the tab timer and the stale schematic.
    QCOMPARE(b.vista.chiamate, QStringList({"abilita 6CA7,EL34", "init", "timer 200", "chiudi schema"}));
    QCOMPARE(b.vista.righe_griglia.size(), 8);
    QCOMPARE(b.grafico.stato().org_x, 40.0f);
    QCOMPARE(b.grafico.stato().vmax_v, 500.0);
    QCOMPARE(b.campi.testi.value(Campo::potenza_anodica), QStringLiteral("25000"));
    QCOMPARE(b.vista.nomi_file.value(NomeFile::curva), QStringLiteral("prova.gif"));
    // Missing pictures leave the frames as they were, the paths set all the same.
    QVERIFY(b.caricatore.file_foto().endsWith(QStringLiteral("Immagini/foto.jpg")));
    QCOMPARE(b.caricatore.estensione_foto(), QStringLiteral(".jpg"));
    QVERIFY(b.caricatore.file_piedinatura().endsWith(QStringLiteral("Piedinature/pin.gif")));
    QCOMPARE(b.vista.larghezza, 120);
    // The busy pointer came on for the load and is off again.
    QVERIFY(b.piattaforma.volte_occupato() > 0);
    QVERIFY(!b.piattaforma.occupato());
}

void TestCaricatoreValvola::riga_fuori_lista_lascia_la_taratura()
{
    Banco b;
    b.caricatore.griglia_DB_DblClick(1);
    b.vista.riga = QStringLiteral("7");
    QVERIFY(b.caricatore.carica_dativalvola());
    QCOMPARE(b.grafico.stato().org_x, 40.0f);
    QCOMPARE(b.grafico.stato().imax_i, 100.0);
}

void TestCaricatoreValvola::clear_svuota_ma_tiene_la_riga()
{
    Banco b;
    b.caricatore.griglia_DB_DblClick(1);
    b.vista.chiamate.clear();
    b.caricatore.clear_dativalvola();

    QCOMPARE(b.vista.riga, QStringLiteral("1"));
    QCOMPARE(b.vista.nomi[0], QString());
    QVERIFY(b.vista.righe_griglia.isEmpty());
    QVERIFY(b.caricatore.file_foto().isEmpty());
    QVERIFY(b.caricatore.estensione_piedinatura().isEmpty());
    QCOMPARE(b.vista.chiamate, QStringList({"disabilita"}));
    QCOMPARE(b.grafico.stato().org_x, 0.0f);
    QCOMPARE(b.grafico.stato().vmax_v, 0.0);
    QCOMPARE(b.campi.testi.value(Campo::potenza_anodica), QString());
}

QTEST_MAIN(TestCaricatoreValvola)
#include "tst_caricatore_valvola.moc"
