#pragma once

#include <QString>

// The three file-name captions of the information tab.
enum class NomeFile { curva, immagine, piedinatura };

// What the tube loader needs of the window that shows a tube: the top strip,
// the information tab and the tube-dependent commands. The main window
// implements it with its widgets; the loader never touches a widget itself.
class VistaValvola {
public:
    virtual ~VistaValvola() = default;

    // Top strip: the list row of the loaded tube and the designations
    // (0 American, 1 European, 2 mode).
    virtual QString testo_riga_db() const = 0;
    virtual void imposta_riga_db(const QString& testo) = 0;
    virtual QString testo_nome_valvola(int indice) const = 0;
    virtual void imposta_nome_valvola(int indice, const QString& testo) = 0;

    // Ratings grid: one line of label, value and unit at a time.
    virtual void svuota_caratteristiche() = 0;
    virtual void aggiungi_caratteristica(const QString& etichetta, const QString& valore, const QString& unita) = 0;

    // File-name captions; an empty text empties the caption.
    virtual void imposta_nome_file(NomeFile nome, const QString& testo) = 0;

    // Photograph and pin-out frames. An empty path, or a file that cannot be
    // read, leaves the frame empty. The photo frame keeps its height and may
    // take a new width.
    virtual int altezza_foto() const = 0;
    virtual void imposta_larghezza_foto(int larghezza) = 0;
    virtual void mostra_foto(const QString& percorso) = 0;
    virtual void mostra_piedinatura(const QString& percorso) = 0;

    // Tube-dependent commands: enabled with the reload entry named after the
    // tube, or all disabled when no tube is loaded.
    virtual void Abilita_MenuFunzioni(const QString& nome) = 0;
    virtual void disabilita_comandi_valvola() = 0;
    // Whether the loaded tube has a stored model (the commands that draw it).
    virtual void imposta_modello_presente(bool /*presente*/) {}

    // The legends and grid-voltage fields back to their empty state.
    virtual void Init_parametri() = 0;
    // Brings the chart tab to the front after the given delay.
    virtual void avvia_timer_settab(int millisecondi) = 0;
    // A schematic shown for the previous tube would show the wrong mode.
    virtual void chiudi_vedi_schema() = 0;
};
