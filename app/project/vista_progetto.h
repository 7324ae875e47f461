#pragma once

#include "finale/stadio_finale.h"

#include <QString>

#include <optional>

// What the project commands need of the main window besides its value
// fields (VistaGrafico): the designations of the top strip, the
// tube-dependent commands, the tube's information display and the tab timer.
class VistaProgetto {
public:
    virtual ~VistaProgetto() = default;

    // Designations: 0 American, 1 European, 2 mode.
    virtual QString testo_nome_valvola(int indice) const = 0;
    virtual void imposta_nome_valvola(int indice, const QString& testo) = 0;

    // Enables the tube-dependent commands, naming the reload entry after
    // the tube.
    virtual void Abilita_MenuFunzioni(const QString& nome) = 0;

    // The information tab without a tube: no ratings, no file names, no
    // photograph and no pin-out.
    virtual void svuota_informazioni_valvola() = 0;

    // Brings the chart tab to the front after the given delay.
    virtual void avvia_timer_settab(int millisecondi) = 0;
};
