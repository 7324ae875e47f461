#pragma once

// The two project commands of the File menu, "Sal&va Progetto" and
// "&Leggi Progetto". They build the project from what the window shows, or
// put a project back: find its tube in the list, load it, redraw every
// object with the chart engine's own drawing, labels and legends, restore
// the component texts and the maximum-dissipation curve.

#include "common/testo_tradotto.h"
#include "project/progetto.h"

#include <QByteArray>
#include <QString>

#include <optional>

class CaricatoreValvola;
class Grafico;
class ListaValvole;
class Piattaforma;
class VistaGrafico;
class VistaProgetto;

class ComandiProgetto {
public:
    // `finestre` is the design's windows' inputs, which the window owns: a
    // save writes them, a load replaces them.
    ComandiProgetto(VistaProgetto& vista, VistaGrafico& campi, Grafico& grafico, CaricatoreValvola& caricatore,
                    const ListaValvole& lista, Piattaforma& piattaforma, IngressiFinestre& finestre);

    // Menu entries scrittura_progetto and lettura_progetto.
    void scrittura_progetto_Click();
    void lettura_progetto_Click();

    // The project as the window shows it now.
    Progetto progetto_corrente() const;
    // Writes the current project to nome_file; false when any step failed,
    // in which case a file already there is left as it was.
    bool Salva_Progetto(const QString& nome_file);
    // Opens a project file, with the messages of the load command. The file
    // is read and checked and its tube found before anything on screen
    // changes; false (and the window untouched) when that fails.
    bool apri_progetto(const QString& nomefile);

    // Whether the design on the chart is one the user could lose: something
    // is drawn and it differs from the design last saved or read.
    bool progetto_modificato() const;
    // Before a command replaces the design: when it was modified, asks
    // "Salvare il progetto corrente?". Sì saves it through the save dialog
    // (cancelling that dialog, or a failed save, keeps the design), No goes
    // on, Annulla keeps the design. True when the command may go on.
    bool conferma_abbandono();

    // The list row of the project's tube: by American designation and mode,
    // else by European designation and mode; 0 when no row matches, nothing
    // when the project names no designation at all.
    std::optional<int> riga_valvola(const Progetto& progetto) const;

    static constexpr TestoTradotto titolo_dialogo{"ComandiProgetto",
                                                  QT_TRANSLATE_NOOP("ComandiProgetto", "Salvataggio Progetto XML")};
    static const QString filtri_dialogo;
    static constexpr TestoTradotto testo_salvato{
        "ComandiProgetto", QT_TRANSLATE_NOOP("ComandiProgetto", "Progetto salvato correttamente")};
    static constexpr TestoTradotto testo_errore_salvataggio{
        "ComandiProgetto", QT_TRANSLATE_NOOP("ComandiProgetto", "Errore Salvataggio Progetto")};
    static constexpr TestoTradotto testo_errore_lettura{
        "ComandiProgetto", QT_TRANSLATE_NOOP("ComandiProgetto", "Errore lettura file XML")};
    static constexpr TestoTradotto testo_sigla_assente{
        "ComandiProgetto", QT_TRANSLATE_NOOP("ComandiProgetto", "Sigla valvola non presente nel file")};
    static constexpr TestoTradotto testo_valvola_assente{
        "ComandiProgetto", QT_TRANSLATE_NOOP("ComandiProgetto", "Valvola non presente nel DB")};
    static constexpr TestoTradotto domanda_salvataggio{
        "ComandiProgetto", QT_TRANSLATE_NOOP("ComandiProgetto", "Salvare il progetto corrente?")};

private:
    // The save dialog and the save with its message; true once written.
    bool salva_con_dialogo();
    // The design as now shown counts as the one on disk.
    void segna_salvato();

    // Loads the tube of `riga` and puts the project over it.
    void ripristina(const Progetto& progetto, int riga);
    void ripristina_rette(const Progetto& progetto);
    void ripristina_punti_lavoro(const Progetto& progetto);
    void ripristina_punti_guadagno(const Progetto& progetto);
    void ripristina_rette_calcolate(const Progetto& progetto);

    VistaProgetto& vista_;
    VistaGrafico& campi_;
    Grafico& grafico_;
    CaricatoreValvola& caricatore_;
    const ListaValvole& lista_;
    Piattaforma& piattaforma_;
    IngressiFinestre& finestre_;
    // The project file's bytes of the design last saved or read: the one
    // record of what the user would lose. Empty before the first.
    QByteArray salvato_;
};
