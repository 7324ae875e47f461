#pragma once

#include "model/modello_valvola.h"

#include <QString>

#include <optional>

class Grafico;
class ModelloListaValvole;
class Piattaforma;
class VistaGrafico;
class VistaValvola;

// True when a picture name from the tube table (CURVA, FOTO, PIEDINATURA) is
// a bare file name of its folder. A name with "/", "\", ".." or a drive, or
// an absolute path, could reach any file the user can read; it counts as a
// missing picture everywhere: on screen, in the reports, in the HTML copy.
bool nome_immagine_valido(const QString& nome);

// Loading a tube from the list into the window, reloading it, and clearing
// it. The tube is named by its list row (the text of riga_db); every value
// is read back from the list's cells. Owns the paths of the pictures shown,
// which the exports copy.
class CaricatoreValvola {
public:
    CaricatoreValvola(VistaValvola& vista, VistaGrafico& campi, Grafico& grafico, const ModelloListaValvole& lista,
                      Piattaforma& piattaforma);

    // Double click on a list row (1 = first tube; the header row is ignored).
    void griglia_DB_DblClick(int riga);
    // The chart reset and the tube in riga_db loaded again.
    void ricarica_dispositivo();
    // Fills the window from the row in riga_db; always true.
    bool carica_dativalvola();
    // Empties everything carica_dativalvola fills; riga_db keeps its row.
    void clear_dativalvola();

    // The loaded tube's ID in TabellaValvole (0 when none), its curve
    // picture and its stored model, if it has one.
    int id_valvola() const { return id_; }
    const QString& file_curva() const { return file_curva_; }
    const std::optional<modello::ModelloSalvato>& modello() const { return modello_; }
    // Reads the tube's model again (after a save) and shows it.
    void aggiorna_modello();

    const QString& file_foto() const { return file_foto_; }
    const QString& estensione_foto() const { return estensione_foto_; }
    const QString& file_piedinatura() const { return file_piedinatura_; }
    const QString& estensione_piedinatura() const { return estensione_piedinatura_; }

private:
    QString cella(int riga, int colonna) const;
    void mostra_caratteristiche(int riga);
    void leggi_modello();

    VistaValvola& vista_;
    VistaGrafico& campi_;
    Grafico& grafico_;
    const ModelloListaValvole& lista_;
    Piattaforma& piattaforma_;

    int id_ = 0;
    QString file_curva_;
    std::optional<modello::ModelloSalvato> modello_;
    QString file_foto_, estensione_foto_, file_piedinatura_, estensione_piedinatura_;
};
