#pragma once

// A tube model as a SPICE subcircuit (.inc) that ngspice and LTspice read:
// behavioural current sources between plate and cathode, the parameters on
// the .SUBCKT line, and a comment header with the picture the model was
// fitted to, its residual and its date.
//
// Triode pins: plate, grid, cathode. Pentode pins: plate, screen, grid,
// cathode; its plate current takes the screen voltage from the screen pin.
// Neither draws grid or screen current: the fit sees only plate curves.

#include "model/modello_valvola.h"

#include <QString>

namespace esporta_spice {

// The subcircuit's name for a tube designation: letters, digits and "_"
// only, "X" first when it would start otherwise than with a letter or a
// digit; "VALVOLA" for an empty designation.
QString nome_sottocircuito(const QString& sigla);

// The file name the export proposes: the subcircuit name with ".inc".
QString nome_file(const QString& sigla);

// The whole text of the file.
QString testo(const QString& sigla, const modello::ModelloSalvato& m, const QString& immagine_sorgente);

// Writes the text; false with the reason in `errore` on failure.
bool scrivi(const QString& percorso, const QString& testo, QString* errore = nullptr);

} // namespace esporta_spice
