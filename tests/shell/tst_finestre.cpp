// The main window's auxiliary windows: About, the document viewer with the
// report hand-over, and the stage schematic of the loaded tube's mode.
#include "support/cartella_prova.h"
#include "support/finestra_modale.h"

#include "archive/cartelle.h"
#include "platform/piattaforma_scriptata.h"
#include "shell/about.h"
#include "shell/kor_manuale.h"
#include "shell/korvel.h"
#include "shell/vedi_schema.h"
#include "tubes/caricatore_valvola.h"

#include "PdfWriter.h"
#include "versione.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

namespace {

const QString manuale_staged = QStringLiteral(KORVEL_DIST_DIR "/Manuale Programma KORVEL.pdf");

// A one-page PDF standing in for a project report.
void scrivi_relazione(const QString& percorso)
{
    PdfWriter w;
    std::string nome = percorso.toStdString();
    w.InitPDFFile(nome);
    std::string arial = "Arial";
    w.LoadFont("F1", arial);
    w.BeginPage();
    float x = 100;
    w.DrawText(x, 700, "Relazione di prova", "F1", 14);
    w.EndPage();
    w.ClosePDFFile();
}

// Answers the next modal window as soon as it is up: records its caption and
// presses its "OK".
void premi_ok_su_about(QString* titolo)
{
    finestra_modale::quando_aperta<About>([=](About* about) {
        *titolo = about->windowTitle();
        about->conferma->click();
    });
}

} // namespace

class TestFinestre : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void about_testo_e_intervallo();
    void about_si_chiude_da_solo();
    void about_ok_chiude_subito();
    void about_dal_menu_e_modale();

    void help_dopo_una_relazione_mostra_il_manuale();
    void visualizzatore_senza_file_si_apre_vuoto();
    void visualizzatore_zoom_e_larghezza();
    void visualizzatore_modale();

    void schema_del_modo_caricato_data();
    void schema_del_modo_caricato();
    void schema_mancante_finestra_vuota_senza_messaggi();
    void icona_inattiva_senza_valvola();
    void caricare_una_valvola_chiude_lo_schema();
    void chiusura_della_finestra_principale_chiude_le_ausiliarie();

private:
    void carica(const QString& modo);

    std::unique_ptr<CartellaProva> c;
    std::unique_ptr<PiattaformaScriptata> p;
    std::unique_ptr<KORVEL> w;
};

void TestFinestre::init()
{
    c = std::make_unique<CartellaProva>();
    QVERIFY(c->crea_tabella());
    p = std::make_unique<PiattaformaScriptata>();
}

void TestFinestre::cleanup()
{
    w.reset();
    p.reset();
    c.reset();
}

// One tube of the given mode in the list, loaded into a fresh main window.
void TestFinestre::carica(const QString& modo)
{
    QVariantList v = CartellaProva::valvola(QStringLiteral("PROVA"), QStringLiteral("EPROVA"));
    v[3] = modo;
    QVERIFY(c->inserisci(v));
    w = std::make_unique<KORVEL>(*p, c->programma());
    w->KORVEL_Form_Load();
    w->caricatore().griglia_DB_DblClick(1);
    QCOMPARE(w->nome_valvola[2]->text(), modo);
}

// ------------------------------------------------------------------- About

void TestFinestre::about_testo_e_intervallo()
{
    About a;
    QCOMPARE(a.windowTitle(), QStringLiteral("About Kor_Vel"));
    QCOMPARE(a.about_testo->toPlainText().split(QLatin1Char('\n')),
             (QStringList{"Programma di calcolo della retta di carico", "per Tubi Termoionici.",
                          "Progetto grafico di uno stadio sulle curve anodiche.", "", "Versione " KORVEL_VERSIONE}));
    QVERIFY(a.about_testo->isReadOnly());
    QCOMPARE(a.conferma->text(), QStringLiteral("OK"));
    QCOMPARE(a.Timer1->interval(), 10000);
    QVERIFY(a.Timer1->isActive());
    QVERIFY(a.isModal());
}

void TestFinestre::about_si_chiude_da_solo()
{
    About a(nullptr, 5);
    a.open();
    QVERIFY(a.isVisible());
    QTRY_VERIFY(!a.isVisible());
    QVERIFY(!a.Timer1->isActive());
    QCOMPARE(a.result(), int(QDialog::Accepted));
}

void TestFinestre::about_ok_chiude_subito()
{
    About a;
    a.open();
    QVERIFY(a.isVisible());
    a.conferma->click();
    QVERIFY(!a.isVisible());
    QVERIFY(!a.Timer1->isActive());
}

void TestFinestre::about_dal_menu_e_modale()
{
    carica(QStringLiteral("TRIODO"));
    QString titolo;
    premi_ok_su_about(&titolo);
    w->about_cmd->trigger(); // returns once the modal window is closed
    QCOMPARE(titolo, QStringLiteral("About Kor_Vel"));
    QVERIFY(!QApplication::activeModalWidget());
}

// ------------------------------------------------------------------ viewer

void TestFinestre::help_dopo_una_relazione_mostra_il_manuale()
{
    QVERIFY2(QFile::exists(manuale_staged), "the manual is staged by the build");
    QVERIFY(QFile::copy(manuale_staged, c->programma() + QStringLiteral("/Manuale Programma KORVEL.pdf")));
    const QString relazione = c->programma() + QStringLiteral("/relazione.pdf");
    scrivi_relazione(relazione);
    carica(QStringLiteral("TRIODO"));

    // The report hands its file over, as the PDF export does.
    cartelle().pdf_da_mostrare = relazione;
    cartelle().titolo_pdf_da_mostrare = QStringLiteral("Stadio 12AX7");
    w->mostra_visualizzatore_pdf();
    QPointer<KOR_MANUALE> prima = w->visualizzatore_pdf();
    QVERIFY(prima);
    QVERIFY(prima->isVisible());
    QVERIFY(!prima->isModal());
    QCOMPARE(prima->windowTitle(), QStringLiteral("Stadio 12AX7"));
    QCOMPARE(prima->file(), relazione);
    QCOMPARE(prima->pagine(), 1);

    w->help_cmd->trigger();
    QVERIFY(!prima); // the report's viewer is gone
    KOR_MANUALE* manuale = w->visualizzatore_pdf();
    QVERIFY(manuale);
    QVERIFY(manuale->isVisible());
    QCOMPARE(manuale->windowTitle(), QStringLiteral("Documentazione"));
    QCOMPARE(manuale->file(), cartelle().file_manuale);
    QVERIFY(manuale->pagine() > 1);
    QVERIFY(!manuale->messaggio->isVisible());
    QVERIFY(cartelle().pdf_da_mostrare.isEmpty());
    QVERIFY(cartelle().titolo_pdf_da_mostrare.isEmpty());
    QVERIFY(p->richieste().isEmpty());

    // Help again: still one viewer, on the manual.
    w->help_cmd->trigger();
    QCOMPARE(w->findChildren<KOR_MANUALE*>().size(), 1);
}

void TestFinestre::visualizzatore_senza_file_si_apre_vuoto()
{
    carica(QStringLiteral("TRIODO"));
    w->help_cmd->trigger();
    KOR_MANUALE* v = w->visualizzatore_pdf();
    QVERIFY(v);
    QVERIFY(v->isVisible());
    QCOMPARE(v->windowTitle(), QStringLiteral("Documentazione"));
    QCOMPARE(v->pagine(), 0);
    QVERIFY(!v->pagina_successiva->isEnabled());
    QVERIFY(v->messaggio->isVisible());
    QVERIFY(v->messaggio->text().contains(cartelle().file_manuale));
    QVERIFY(p->richieste().isEmpty());
}

void TestFinestre::visualizzatore_zoom_e_larghezza()
{
    KOR_MANUALE v(manuale_staged, KOR_MANUALE::titolo_manuale());
    v.show();
    QVERIFY(v.pagine() > 1);
    QVERIFY(v.adatta_larghezza());
    QVERIFY(v.larghezza_pagina->isChecked());
    QVERIFY(!v.pagina_precedente->isEnabled());
    QVERIFY(v.pagina_successiva->isEnabled());

    v.imposta_zoom_fisso(1.0);
    v.ingrandisci->trigger();
    QVERIFY(!v.adatta_larghezza());
    QVERIFY(!v.larghezza_pagina->isChecked());
    QVERIFY(qAbs(v.zoom() - 1.25) < 1e-9);
    v.riduci->trigger();
    v.riduci->trigger();
    QVERIFY(qAbs(v.zoom() - 0.8) < 1e-9);
    for (int i = 0; i < 20; ++i)
        v.riduci->trigger();
    QVERIFY(v.zoom() >= 0.25 - 1e-9); // bounded

    v.larghezza_pagina->trigger();
    QVERIFY(v.adatta_larghezza());
    QVERIFY(v.larghezza_pagina->isChecked());
    v.pagina_intera->trigger();
    QVERIFY(!v.adatta_larghezza());
    QVERIFY(v.pagina_intera->isChecked());
    QVERIFY(!v.larghezza_pagina->isChecked());

    v.vai_a_pagina(1);
    QTRY_COMPARE(v.pagina_corrente(), 1);
    QVERIFY(v.pagina_precedente->isEnabled());
    QCOMPARE(v.indicatore_pagina->text(), QStringLiteral("Pagina 2 di %1").arg(v.pagine()));
    v.vai_a_pagina(10000);
    QTRY_COMPARE(v.pagina_corrente(), v.pagine() - 1);
    QVERIFY(!v.pagina_successiva->isEnabled());
}

void TestFinestre::visualizzatore_modale()
{
    carica(QStringLiteral("TRIODO"));
    w->help_cmd->trigger(); // a non-modal one is open first
    QString titolo;
    bool modale = false;
    finestra_modale::quando_aperta<KOR_MANUALE>([&](KOR_MANUALE* v) {
        titolo = v->windowTitle();
        modale = v->isModal();
        v->close();
    });
    w->mostra_visualizzatore_pdf(true);
    QVERIFY(modale);
    QCOMPARE(titolo, QStringLiteral("Documentazione"));
    QVERIFY(!w->visualizzatore_pdf()); // the non-modal one was closed first
}

// --------------------------------------------------------------- schematic

void TestFinestre::schema_del_modo_caricato_data()
{
    QTest::addColumn<QString>("modo");
    QTest::addColumn<QString>("titolo");
    QTest::addColumn<QSize>("dimensione");
    // Each schematic picture gets its own size, so the picture shown tells
    // which file was read.
    QTest::newRow("triodo") << "TRIODO"
                            << "Schema: TRIODO" << QSize(301, 201);
    QTest::newRow("pentodo") << "PENTODO"
                             << "Schema: PENTODO" << QSize(302, 202);
    QTest::newRow("coppia") << "PENTODO COPPIA"
                            << "Schema: PENTODO COPPIA" << QSize(302, 202);
    QTest::newRow("ultralineare") << "ULTRALINEARE"
                                  << "Schema: ULTRALINEARE" << QSize(303, 203);
    QTest::newRow("diodo") << "DIODO"
                           << "Schema: DIODO" << QSize(304, 204);
    QTest::newRow("vuoto") << ""
                           << "Schema: GENERICO" << QSize(301, 201);
    QTest::newRow("sconosciuto") << "BIPOLARE"
                                 << "Schema: GENERICO" << QSize(301, 201);
}

void TestFinestre::schema_del_modo_caricato()
{
    QFETCH(QString, modo);
    QFETCH(QString, titolo);
    QFETCH(QSize, dimensione);
    c->scrivi_immagine(QStringLiteral("Schema_G.jpg"), 301, 201, Qt::white, "JPG");
    c->scrivi_immagine(QStringLiteral("Schema_P.jpg"), 302, 202, Qt::white, "JPG");
    c->scrivi_immagine(QStringLiteral("Schema_U.jpg"), 303, 203, Qt::white, "JPG");
    c->scrivi_immagine(QStringLiteral("Schema_D.jpg"), 304, 204, Qt::white, "JPG");
    carica(modo);

    QTest::mouseClick(w->Image1, Qt::LeftButton);
    QPointer<Vedi_Schema> s = w->vedi_schema();
    QVERIFY(s);
    QVERIFY(s->isVisible());
    QVERIFY(!s->isModal());
    QCOMPARE(s->windowTitle(), titolo);
    QCOMPARE(s->Image1->pixmap().size(), dimensione);

    // A second click replaces the window.
    QTest::mouseClick(w->Image1, Qt::LeftButton);
    QVERIFY(!s);
    QCOMPARE(w->findChildren<Vedi_Schema*>().size(), 1);

    w->chiudi_vedi_schema();
    QVERIFY(!w->vedi_schema());
}

void TestFinestre::schema_mancante_finestra_vuota_senza_messaggi()
{
    carica(QStringLiteral("PENTODO"));
    QTest::mouseClick(w->Image1, Qt::LeftButton);
    Vedi_Schema* s = w->vedi_schema();
    QVERIFY(s);
    QVERIFY(s->isVisible());
    QCOMPARE(s->windowTitle(), QStringLiteral("Schema: PENTODO"));
    QVERIFY(s->Image1->pixmap().isNull());
    QVERIFY(p->richieste().isEmpty());
}

void TestFinestre::icona_inattiva_senza_valvola()
{
    w = std::make_unique<KORVEL>(*p, c->programma());
    w->KORVEL_Form_Load();
    p->azzera();
    QVERIFY(!w->Image1->isEnabled());
    QTest::mouseClick(w->Image1, Qt::LeftButton);
    QVERIFY(!w->vedi_schema());
}

void TestFinestre::caricare_una_valvola_chiude_lo_schema()
{
    carica(QStringLiteral("TRIODO"));
    QTest::mouseClick(w->Image1, Qt::LeftButton);
    QPointer<Vedi_Schema> s = w->vedi_schema();
    QVERIFY(s);
    // The schematic of the previous tube would show the wrong mode.
    w->caricatore().griglia_DB_DblClick(1);
    QVERIFY(!s);
}

void TestFinestre::chiusura_della_finestra_principale_chiude_le_ausiliarie()
{
    carica(QStringLiteral("TRIODO"));
    QTest::mouseClick(w->Image1, Qt::LeftButton);
    w->help_cmd->trigger();
    QPointer<Vedi_Schema> s = w->vedi_schema();
    QPointer<KOR_MANUALE> v = w->visualizzatore_pdf();
    QVERIFY(s && v);
    w->close();
    QVERIFY(!s);
    QVERIFY(!v);
}

QTEST_MAIN(TestFinestre)
#include "tst_finestre.moc"
