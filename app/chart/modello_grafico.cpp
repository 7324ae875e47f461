// The fitted tube model over the chart: its curves at the stored grid
// voltages, drawn by XOR like every other object so that drawing them again
// erases them.

#include "chart/grafico.h"

#include "chart/stile_disegno.h"
#include "model/curve_modello.h"

bool Grafico::mostra_modello(const modello::ParametriModello& m, const QVector<double>& griglie)
{
    nascondi_modello();
    const Taratura& t = stato_;
    curve_modello_ = curve_modello::curve(m, griglie, t);
    colore_modello_ = stato_.colore_modello;
    for (const auto& c : curve_modello_)
        tela_.polilinea_xor(c, colore_modello_, spessore_oggetti);
    aggiorna();
    return !curve_modello_.isEmpty();
}

void Grafico::nascondi_modello()
{
    if (curve_modello_.isEmpty())
        return;
    for (const auto& c : curve_modello_)
        tela_.polilinea_xor(c, colore_modello_, spessore_oggetti);
    curve_modello_.clear();
    aggiorna();
}
