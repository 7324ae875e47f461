#pragma once

#include <QString>

class CaricatoreValvola;
class ModelloListaValvole;

// The tube list: rebuilt whole from the tube table, read back by row and
// column. A rebuild unloads the current tube first, since the row number
// that names it may then name another tube.
class ListaValvole {
public:
    ListaValvole(ModelloListaValvole& modello, CaricatoreValvola& caricatore);

    // False when the table cannot be read whole or holds no tube.
    bool caricamento_basedati();
    // Tube rows in the list (header excluded).
    int righe_valvole() const;
    QString cella_lista(int riga, int colonna) const;

    const ModelloListaValvole& modello() const;

private:
    ModelloListaValvole& modello_;
    CaricatoreValvola& caricatore_;
};
