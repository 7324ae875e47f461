// The main window as it opens: captions, fields, legends and menu states.
#include "support/cartella_prova.h"

#include "chart/grafico.h"
#include "chart/ui/picture1.h"
#include "platform/piattaforma_scriptata.h"
#include "shell/korvel.h"
#include "tubes/caricatore_valvola.h"

#include <QAction>
#include <QGroupBox>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTabWidget>
#include <QtTest>

class TestKorvel : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void didascalie_e_schede();
    void menu_prima_di_caricare_una_valvola();
    void campi_che_accettano_digitazione();
    void legende_e_modalita_esclusive();
    void grafico_inerte_senza_valvola();
    void uscita_chiude_una_volta();
    void distruzione_con_fuoco_su_tensione_griglia();

private:
    std::unique_ptr<CartellaProva> c;
    std::unique_ptr<PiattaformaScriptata> p;
    std::unique_ptr<KORVEL> w;
};

void TestKorvel::init()
{
    c = std::make_unique<CartellaProva>();
    QVERIFY(c->crea_tabella());
    QVERIFY(c->inserisci(CartellaProva::valvola(QStringLiteral("12AX7"), QStringLiteral("ECC83"))));
    p = std::make_unique<PiattaformaScriptata>();
    w = std::make_unique<KORVEL>(*p, c->programma());
    w->KORVEL_Form_Load();
}

void TestKorvel::cleanup()
{
    w.reset();
    p.reset();
    c.reset();
}

void TestKorvel::didascalie_e_schede()
{
    QCOMPARE(w->windowTitle(), QStringLiteral("Calcolatore Retta di Carico"));
    QCOMPARE(w->SSTab1->count(), 3);
    QCOMPARE(w->SSTab1->tabText(0), QStringLiteral("Curva Caratteristica"));
    QCOMPARE(w->SSTab1->tabText(1), QStringLiteral("Dati Informativi"));
    QCOMPARE(w->SSTab1->tabText(2), QStringLiteral("Archivio Valvole"));
    QCOMPARE(w->SSTab1->currentIndex(), 2);

    const QList<std::pair<QGroupBox*, QString>> cornici = {{w->Frame_maxI, "Massimo I"},
                                                           {w->Frame5, "Mouse"},
                                                           {w->Frame_origine[0], "Origine"},
                                                           {w->Frame_origine[1], "Origine"},
                                                           {w->Frame8, "Mouse"},
                                                           {w->Frame_maxv, "Massimo V"},
                                                           {w->Frame_retta, "Retta"},
                                                           {w->Frame_lavoro, "P.to di Lavoro"},
                                                           {w->Frame_guadagno, "P.to Gain"},
                                                           {w->Frame4, "Componenti"},
                                                           {w->Frame_potenzamassima, "Potenza Massima"}};
    for (const auto& [cornice, titolo] : cornici)
        QCOMPARE(cornice->title(), titolo);
    QCOMPARE(w->Frame_maxI->toolTip(), QStringLiteral("Coordinate massimo asse Y"));
    QCOMPARE(w->Frame_origine[0]->toolTip(), QStringLiteral("Coordinate origine degli assi"));
    QCOMPARE(w->Frame_potenzamassima->toolTip(), QStringLiteral("Massima potenza dissipabile"));
    QCOMPARE(w->campo(Campo::r_anodica)->toolTip(),
             QStringLiteral("Per ricalcolare la retta, inserire il nuovo valore"));
}

void TestKorvel::menu_prima_di_caricare_una_valvola()
{
    QStringList barra;
    for (QAction* a : w->menuBar()->actions())
        barra << a->text();
    QCOMPARE(barra, (QStringList{"&File", "&Edit", "Utilità", "&?"}));

    // Off until a tube is loaded.
    QVERIFY(!w->menu_tracciatura->menuAction()->isEnabled());
    QVERIFY(!w->funzioni_stampa->menuAction()->isEnabled());
    QVERIFY(!w->funzioni_esporta->menuAction()->isEnabled());
    QVERIFY(!w->reload_singolo->isEnabled());
    QCOMPARE(w->reload_singolo->text(), QStringLiteral("R&icarica Curva"));
    for (QAction* a : w->canc_function)
        QVERIFY(!a->isEnabled());
    QVERIFY(!w->Image1->isEnabled());
    // Always on.
    for (QAction* a : {w->lettura_progetto, w->scrittura_progetto, w->import_archivio, w->uscita, w->load_basedati,
                       w->nuova_valvola, w->crea_zipfile, w->help_cmd, w->about_cmd})
        QVERIFY2(a->isEnabled(), qPrintable(a->text()));
    // "&Grafico Risposta" and the separator before it show, the entry off
    // until a tube with a model and a working-point grid voltage is there.
    QVERIFY(w->calc_function[5]->isVisible());
    QVERIFY(w->calc_function[4]->isVisible());
    QVERIFY(!w->calc_function[5]->isEnabled());
    QCOMPARE(w->calc_function[5]->text(), QStringLiteral("&Grafico Risposta"));

    // The File menu's order, separators included.
    QStringList file;
    for (QAction* a : w->dummy10->actions())
        file << (a->isSeparator() ? QStringLiteral("-") : a->text());
    QCOMPARE(file, (QStringList{"&Leggi Progetto", "-", "Sal&va Progetto", "-", "&Stampa", "&Esportazione", "-",
                                "&Importa Archivio ZIP", "-", "&Exit"}));
    QStringList edit;
    for (QAction* a : w->menu_tracciatura->actions())
        edit << (a->isSeparator() ? QStringLiteral("-") : a->text());
    QCOMPARE(edit, (QStringList{"Traccia Potenza MAX.", "-", "Co&mpleta Retta", "&Calcolo Componenti", "-",
                                "Ria&lcola e disegna Retta", "-", "&Grafico Risposta", "-", "&Cancella", "-",
                                "R&icarica Curva", "-", "Mostra Modello"}));
    QStringList utilita;
    for (QAction* a : w->dummy30->actions())
        utilita << (a->isSeparator() ? QStringLiteral("-") : a->text());
    QCOMPARE(utilita, (QStringList{"Ricarica Base &Dati", "-", "Inserisci &Nuova Valvola", "-", "Crea Archivio ZIP",
                                   "-", "&Modello Valvola...", "Stadio &Finale..."}));
    // The model commands wait for a tube; drawing the model and the output
    // stage also for its model.
    QVERIFY(!w->modello_valvola->isEnabled());
    QVERIFY(!w->mostra_modello->isEnabled());
    QVERIFY(!w->stadio_finale->isEnabled());

    w->caricatore().griglia_DB_DblClick(1);
    QVERIFY(w->menu_tracciatura->menuAction()->isEnabled());
    QVERIFY(w->Image1->isEnabled());
    QCOMPARE(w->reload_singolo->text(), QStringLiteral("Ricarica Valvola: 12AX7,ECC83"));
    QVERIFY(w->modello_valvola->isEnabled());
    // This database has no models.
    QVERIFY(!w->mostra_modello->isEnabled());
    QVERIFY(!w->stadio_finale->isEnabled());
}

void TestKorvel::campi_che_accettano_digitazione()
{
    const QSet<Campo> digitabili = {Campo::grid_bias, Campo::gain_bias, Campo::r_anodica, Campo::potenza_anodica};
    for (int i = 0; i <= int(Campo::riga_db); ++i) {
        QLineEdit* e = w->campo(Campo(i));
        QVERIFY(e);
        const bool accetta =
            !e->isReadOnly() && e->isEnabled() && e->window() == w.get() && e->parentWidget()->isEnabled();
        QCOMPARE(accetta, digitabili.contains(Campo(i)));
    }
    // Typing into a calibration field changes nothing.
    QLineEdit* origine = w->campo(Campo::origin_X);
    QTest::keyClicks(origine, QStringLiteral("123"));
    QCOMPARE(origine->text(), QString());
    // The calibration and mouse frames are shown but disabled.
    QVERIFY(!w->Frame_maxI->isEnabled());
    QVERIFY(!w->Frame8->isEnabled());
    QVERIFY(!w->riga_db->isEnabled());
}

void TestKorvel::legende_e_modalita_esclusive()
{
    for (Legenda l : {Legenda::retta, Legenda::lavoro, Legenda::guadagno}) {
        QCOMPARE(w->caption_legenda(l), QStringLiteral("Assente"));
        QCOMPARE(w->sfondo_legenda(l), QColor(255, 0, 0));
    }
    QCOMPARE(w->legenda_selezionata(), Legenda::retta);
    QTest::mouseClick(w->legenda_lavoro, Qt::LeftButton);
    QCOMPARE(w->legenda_selezionata(), Legenda::lavoro);
    QVERIFY(!w->legenda_retta->isChecked());
    QTest::mouseClick(w->legenda_guadagno, Qt::LeftButton);
    QCOMPARE(w->legenda_selezionata(), Legenda::guadagno);
    QVERIFY(!w->legenda_lavoro->isChecked());
    QTest::mouseClick(w->legenda_guadagno, Qt::LeftButton); // clicking the selected one keeps it
    QCOMPARE(w->legenda_selezionata(), Legenda::guadagno);
    QCOMPARE(w->legenda_retta->toolTip(), QStringLiteral("Selezionare per tracciamento retta"));
}

void TestKorvel::grafico_inerte_senza_valvola()
{
    w->SSTab1->setCurrentIndex(0);
    const QImage prima = w->grafico().canvas().copy();
    QTest::mousePress(w->Picture1_, Qt::LeftButton, {}, QPoint(100, 100));
    QMouseEvent move(QEvent::MouseMove, QPointF(200, 200), w->Picture1_->mapToGlobal(QPointF(200, 200)), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w->Picture1_, &move);
    QTest::mouseRelease(w->Picture1_, Qt::LeftButton, {}, QPoint(200, 200));
    QCOMPARE(w->grafico().canvas(), prima);
    QCOMPARE(w->grafico().stato().rette.size(), size_t(1));
    QVERIFY(!w->canc_function[0]->isEnabled());
}

void TestKorvel::uscita_chiude_una_volta()
{
    QSignalSpy chiusura(qApp, &QCoreApplication::aboutToQuit);
    w->close();
    // A second unload (the destructor) must not release the library again.
    w->KORVEL_Form_Unload();
    QVERIFY(!w->isVisible());
}

void TestKorvel::distruzione_con_fuoco_su_tensione_griglia()
{
    // The field loses the focus while the window is torn down; that must not
    // reach the chart engine any more.
    w->SSTab1->setCurrentIndex(0);
    w->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(w.get()));
    w->campo(Campo::gain_bias)->setFocus();
    QTest::keyClicks(w->campo(Campo::gain_bias), QStringLiteral("-2,5"));
    QVERIFY(w->campo(Campo::gain_bias)->hasFocus());
    w.reset();
}

QTEST_MAIN(TestKorvel)
#include "tst_korvel.moc"
