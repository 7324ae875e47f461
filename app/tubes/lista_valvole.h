#pragma once

#include "tubes/base_dati_valvole.h"

#include <QString>

class CaricatoreValvola;
class ModelloListaValvole;

// The tube list: rebuilt whole from the tube table, read back by row and
// column. A rebuild unloads the current tube first, since the row number
// that names it may then name another tube.
class ListaValvole {
public:
    ListaValvole(ModelloListaValvole& modello, CaricatoreValvola& caricatore);

    // How the last rebuild went.
    enum class Esito {
        letta,       // the whole table was read
        illeggibile, // no database, or no tube table in it
        in_uso,      // locked by another program
        danneggiata, // damaged: the rows before the damage are listed
    };
    inline static const QString testo_in_uso = QStringLiteral("Base dati in uso da un altro programma");
    inline static const QString testo_danneggiata =
        QStringLiteral("Base dati danneggiata: sono elencate solo le valvole leggibili");

    // False when the table cannot be read whole or holds no tube.
    bool caricamento_basedati();
    Esito esito() const { return esito_; }
    // What the user is told about a rebuild; empty when there is nothing
    // to say beyond the list itself.
    static QString messaggio_esito(Esito e);
    // Tube rows in the list (header excluded).
    int righe_valvole() const;
    QString cella_lista(int riga, int colonna) const;

    const ModelloListaValvole& modello() const;

private:
    static Esito esito_di(BaseDatiValvole::Guasto g);

    ModelloListaValvole& modello_;
    Esito esito_ = Esito::letta;
    CaricatoreValvola& caricatore_;
};
