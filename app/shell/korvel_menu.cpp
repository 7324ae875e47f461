// The menu bar of the main window: every item, separator and initial state.
#include "shell/korvel.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace {

QAction* voce(QMenu* menu, const QString& nome, const QString& caption)
{
    QAction* a = menu->addAction(caption);
    a->setObjectName(nome);
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

} // namespace

void KORVEL::crea_menu()
{
    QMenuBar* barra = menuBar();

    dummy10 = barra->addMenu(QStringLiteral("&File"));
    dummy10->setObjectName(QStringLiteral("dummy10"));
    lettura_progetto = voce(dummy10, QStringLiteral("lettura_progetto"), QStringLiteral("&Leggi Progetto"));
    dummy10->addSeparator();
    scrittura_progetto = voce(dummy10, QStringLiteral("scrittura_progetto"), QStringLiteral("Sal&va Progetto"));
    dummy10->addSeparator();
    funzioni_stampa = dummy10->addMenu(QStringLiteral("&Stampa"));
    funzioni_stampa->setObjectName(QStringLiteral("funzioni_stampa"));
    stampa[0] = voce(funzioni_stampa, QStringLiteral("stampa_0"), QStringLiteral("&Progetto"));
    stampa[1] = voce(funzioni_stampa, QStringLiteral("stampa_1"), QStringLiteral("&Diagramma"));
    funzioni_esporta = dummy10->addMenu(QStringLiteral("&Esportazione"));
    funzioni_esporta->setObjectName(QStringLiteral("funzioni_esporta"));
    salvataggio[0] = voce(funzioni_esporta, QStringLiteral("salvataggio_0"), QStringLiteral("Progetto &PDF"));
    salvataggio[1] = voce(funzioni_esporta, QStringLiteral("salvataggio_1"), QStringLiteral("Progetto &HTML"));
    salvataggio[2] = voce(funzioni_esporta, QStringLiteral("salvataggio_2"), QStringLiteral("Diagramma &JPEG"));
    salvataggio[3] = voce(funzioni_esporta, QStringLiteral("salvataggio_3"), QStringLiteral("&Diagramma HTML"));
    dummy10->addSeparator();
    import_archivio = voce(dummy10, QStringLiteral("import_archivio"), QStringLiteral("&Importa Archivio ZIP"));
    dummy10->addSeparator();
    uscita = voce(dummy10, QStringLiteral("uscita"), QStringLiteral("&Exit"));
    funzioni_stampa->menuAction()->setEnabled(false);
    funzioni_esporta->menuAction()->setEnabled(false);

    menu_tracciatura = barra->addMenu(QStringLiteral("&Edit"));
    menu_tracciatura->setObjectName(QStringLiteral("menu_tracciatura"));
    traccia_maxpower = voce(menu_tracciatura, QStringLiteral("traccia_maxpower"), QStringLiteral("Traccia Potenza MAX."));
    menu_tracciatura->addSeparator();
    calc_function[0] = voce(menu_tracciatura, QStringLiteral("calc_function_0"), QStringLiteral("Co&mpleta Retta"));
    calc_function[1] = voce(menu_tracciatura, QStringLiteral("calc_function_1"), QStringLiteral("&Calcolo Componenti"));
    calc_function[2] = separatore(menu_tracciatura, QStringLiteral("calc_function_2"));
    calc_function[3] = voce(menu_tracciatura, QStringLiteral("calc_function_3"), QStringLiteral("Ria&lcola e disegna Retta"));
    calc_function[4] = separatore(menu_tracciatura, QStringLiteral("calc_function_4"));
    calc_function[5] = voce(menu_tracciatura, QStringLiteral("calc_function_5"), QStringLiteral("&Grafico Risposta"));
    calc_function[6] = separatore(menu_tracciatura, QStringLiteral("calc_function_6"));
    calc_function[4]->setVisible(false);
    calc_function[5]->setVisible(false);
    dummy21 = menu_tracciatura->addMenu(QStringLiteral("&Cancella"));
    dummy21->setObjectName(QStringLiteral("dummy21"));
    canc_function[0] = voce(dummy21, QStringLiteral("canc_function_0"), QStringLiteral("&Retta"));
    canc_function[1] = voce(dummy21, QStringLiteral("canc_function_1"), QStringLiteral("&Punto Lavoro"));
    canc_function[2] = voce(dummy21, QStringLiteral("canc_function_2"), QStringLiteral("Punto &Gain"));
    canc_function[3] = voce(dummy21, QStringLiteral("canc_function_3"), QStringLiteral("&Retta Calcolata"));
    for (QAction* a : canc_function)
        a->setEnabled(false);
    menu_tracciatura->addSeparator();
    reload_singolo = voce(menu_tracciatura, QStringLiteral("reload_singolo"), QStringLiteral("R&icarica Curva"));
    reload_singolo->setEnabled(false);
    menu_tracciatura->addSeparator();
    mostra_modello = voce(menu_tracciatura, QStringLiteral("mostra_modello"), QStringLiteral("Mostra Modello"));
    mostra_modello->setCheckable(true);
    mostra_modello->setEnabled(false);
    menu_tracciatura->menuAction()->setEnabled(false);

    dummy30 = barra->addMenu(QStringLiteral("Utilità"));
    dummy30->setObjectName(QStringLiteral("dummy30"));
    load_basedati = voce(dummy30, QStringLiteral("load_basedati"), QStringLiteral("Ricarica Base &Dati"));
    dummy30->addSeparator();
    nuova_valvola = voce(dummy30, QStringLiteral("nuova_valvola"), QStringLiteral("Inserisci &Nuova Valvola"));
    dummy30->addSeparator();
    crea_zipfile = voce(dummy30, QStringLiteral("crea_zipfile"), QStringLiteral("Crea Archivio ZIP"));
    dummy30->addSeparator();
    modello_valvola = voce(dummy30, QStringLiteral("modello_valvola"), QStringLiteral("&Modello Valvola..."));
    modello_valvola->setEnabled(false);

    dummy40 = barra->addMenu(QStringLiteral("&?"));
    dummy40->setObjectName(QStringLiteral("dummy40"));
    help_cmd = voce(dummy40, QStringLiteral("help_cmd"), QStringLiteral("&Help"));
    dummy40->addSeparator();
    about_cmd = voce(dummy40, QStringLiteral("about_cmd"), QStringLiteral("A&bout"));
}
