// The menu bar of the main window: every item, separator and initial state.
#include "shell/korvel.h"

#include "chart/grafico.h"
#include "project/comandi_progetto.h"
#include "reports/comandi_report.h"
#include "tubes/caricatore_valvola.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>

namespace {

QAction* voce(QMenu* menu, const QString& nome, const QString& caption)
{
    QAction* a = menu->addAction(caption);
    a->setObjectName(nome);
    return a;
}

// A menu item and its handler, made in one place: caption -> handler.
template <typename Gestore> QAction* voce(QMenu* menu, const QString& nome, const QString& caption, Gestore gestore)
{
    QAction* a = voce(menu, nome, caption);
    QObject::connect(a, &QAction::triggered, menu, gestore);
    return a;
}

// Separator items of an indexed array are real entries of the array, kept
// so that the indexes of the items after them stay as they are known.
QAction* separatore(QMenu* menu, const QString& nome)
{
    QAction* a = menu->addSeparator();
    a->setObjectName(nome);
    return a;
}

// The name of item i of an indexed array ("stampa_0").
QString nome_voce(const char* array, int i)
{
    return QStringLiteral("%1_%2").arg(QLatin1String(array)).arg(i);
}

} // namespace

// The subsystems are made after the menus; the handlers reach them when an
// item is chosen.
void KORVEL::crea_menu()
{
    QMenuBar* barra = menuBar();

    dummy10 = barra->addMenu(tr("&File"));
    dummy10->setObjectName(QStringLiteral("dummy10"));
    lettura_progetto = voce(dummy10, QStringLiteral("lettura_progetto"), tr("&Leggi Progetto"),
                            [this] { progetto_->lettura_progetto_Click(); });
    lettura_progetto->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    dummy10->addSeparator();
    scrittura_progetto = voce(dummy10, QStringLiteral("scrittura_progetto"), tr("Sal&va Progetto"),
                              [this] { progetto_->scrittura_progetto_Click(); });
    scrittura_progetto->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    dummy10->addSeparator();
    funzioni_stampa = dummy10->addMenu(tr("&Stampa"));
    funzioni_stampa->setObjectName(QStringLiteral("funzioni_stampa"));
    auto aggiungi_stampa = [this](int i, const QString& caption) {
        stampa[i] = voce(funzioni_stampa, nome_voce("stampa", i), caption, [this, i] { report_->stampa_Click(i); });
    };
    aggiungi_stampa(voce_stampa::progetto, tr("&Progetto"));
    stampa[voce_stampa::progetto]->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    aggiungi_stampa(voce_stampa::diagramma, tr("&Diagramma"));
    funzioni_esporta = dummy10->addMenu(tr("&Esportazione"));
    funzioni_esporta->setObjectName(QStringLiteral("funzioni_esporta"));
    auto aggiungi_esportazione = [this](int i, const QString& caption) {
        salvataggio[i] =
            voce(funzioni_esporta, nome_voce("salvataggio", i), caption, [this, i] { report_->salvataggio_Click(i); });
    };
    aggiungi_esportazione(voce_esporta::progetto_pdf, tr("Progetto &PDF"));
    aggiungi_esportazione(voce_esporta::progetto_html, tr("Progetto &HTML"));
    aggiungi_esportazione(voce_esporta::diagramma_jpeg, tr("Diagramma &JPEG"));
    aggiungi_esportazione(voce_esporta::diagramma_html, tr("&Diagramma HTML"));
    dummy10->addSeparator();
    import_archivio = voce(dummy10, QStringLiteral("import_archivio"), tr("&Importa Archivio ZIP"),
                           [this] { import_archivio_Click(); });
    dummy10->addSeparator();
    uscita = voce(dummy10, QStringLiteral("uscita"), tr("&Exit"), [this] { uscita_Click(); });
    uscita->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    funzioni_stampa->menuAction()->setEnabled(false);
    funzioni_esporta->menuAction()->setEnabled(false);

    menu_tracciatura = barra->addMenu(tr("&Edit"));
    menu_tracciatura->setObjectName(QStringLiteral("menu_tracciatura"));
    traccia_maxpower = voce(menu_tracciatura, QStringLiteral("traccia_maxpower"), tr("Traccia Potenza MAX."),
                            [this] { grafico_->traccia_maxpower_Click(); });
    menu_tracciatura->addSeparator();
    auto aggiungi_calcolo = [this](int i, const QString& caption, auto gestore) {
        calc_function[i] = voce(menu_tracciatura, nome_voce("calc_function", i), caption, gestore);
    };
    auto separatore_calcolo = [this](int i) {
        calc_function[i] = separatore(menu_tracciatura, nome_voce("calc_function", i));
    };
    aggiungi_calcolo(voce_calcolo::completa_retta, tr("Co&mpleta Retta"), [this] { grafico_->completa_retta_Click(); });
    aggiungi_calcolo(voce_calcolo::calcolo_componenti, tr("&Calcolo Componenti"),
                     [this] { grafico_->calcolo_componenti_Click(); });
    separatore_calcolo(2);
    aggiungi_calcolo(voce_calcolo::ricalcola_retta, tr("Ria&lcola e disegna Retta"),
                     [this] { grafico_->ricalcola_retta_Click(); });
    separatore_calcolo(4);
    aggiungi_calcolo(voce_calcolo::grafico_risposta, tr("&Grafico Risposta"), [this] { grafico_risposta_Click(); });
    calc_function[voce_calcolo::grafico_risposta]->setEnabled(false);
    separatore_calcolo(6);
    dummy21 = menu_tracciatura->addMenu(tr("&Cancella"));
    dummy21->setObjectName(QStringLiteral("dummy21"));
    auto aggiungi_cancella = [this](int i, const QString& caption) {
        canc_function[i] =
            voce(dummy21, nome_voce("canc_function", i), caption, [this, i] { grafico_->canc_function_Click(i); });
        canc_function[i]->setEnabled(false);
    };
    aggiungi_cancella(voce_cancella::retta, tr("&Retta"));
    aggiungi_cancella(voce_cancella::punto_lavoro, tr("&Punto Lavoro"));
    aggiungi_cancella(voce_cancella::punto_gain, tr("Punto &Gain"));
    aggiungi_cancella(voce_cancella::retta_calcolata, tr("&Retta Calcolata"));
    menu_tracciatura->addSeparator();
    reload_singolo = voce(menu_tracciatura, QStringLiteral("reload_singolo"), tr("R&icarica Curva"), [this] {
        // Loading the tube again starts a new design: the
        // user is asked about the one on the chart first.
        if (progetto_->conferma_abbandono())
            caricatore_->ricarica_dispositivo();
    });
    reload_singolo->setEnabled(false);
    menu_tracciatura->addSeparator();
    mostra_modello = voce(menu_tracciatura, QStringLiteral("mostra_modello"), tr("Mostra Modello"),
                          [this] { mostra_modello_Click(mostra_modello->isChecked()); });
    mostra_modello->setCheckable(true);
    mostra_modello->setEnabled(false);
    menu_tracciatura->menuAction()->setEnabled(false);

    dummy30 = barra->addMenu(tr("Utilità"));
    dummy30->setObjectName(QStringLiteral("dummy30"));
    load_basedati =
        voce(dummy30, QStringLiteral("load_basedati"), tr("Ricarica Base &Dati"), [this] { load_basedati_Click(); });
    dummy30->addSeparator();
    nuova_valvola = voce(dummy30, QStringLiteral("nuova_valvola"), tr("Inserisci &Nuova Valvola"),
                         [this] { nuova_valvola_Click(); });
    dummy30->addSeparator();
    crea_zipfile =
        voce(dummy30, QStringLiteral("crea_zipfile"), tr("Crea Archivio ZIP"), [this] { crea_zipfile_Click(); });
    dummy30->addSeparator();
    modello_valvola = voce(dummy30, QStringLiteral("modello_valvola"), tr("&Modello Valvola..."),
                           [this] { modello_valvola_Click(); });
    modello_valvola->setEnabled(false);
    stadio_finale =
        voce(dummy30, QStringLiteral("stadio_finale"), tr("Stadio &Finale..."), [this] { stadio_finale_Click(); });
    stadio_finale->setEnabled(false);

    dummy40 = barra->addMenu(tr("&?"));
    dummy40->setObjectName(QStringLiteral("dummy40"));
    help_cmd = voce(dummy40, QStringLiteral("help_cmd"), tr("&Help"), [this] { help_cmd_Click(); });
    help_cmd->setShortcut(QKeySequence(Qt::Key_F1));
    dummy40->addSeparator();
    about_cmd = voce(dummy40, QStringLiteral("about_cmd"), tr("A&bout"), [this] { about_cmd_Click(); });
    crea_menu_lingua();
}
