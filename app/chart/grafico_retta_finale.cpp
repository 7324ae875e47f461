// A line of the output stage over the tube's picture, drawn by XOR like every
// other object so that drawing it again erases it. The stage computes in
// volts and milliamperes; the calibration puts them on the picture.

#include "chart/grafico.h"

#include "chart/stile_disegno.h"
#include "model/curve_modello.h"

bool Grafico::mostra_retta_finale(const QVector<QPointF>& punti)
{
    nascondi_retta_finale();
    const Taratura& t = stato_;
    if (!curve_modello::taratura_usabile(t))
        return false;
    // Only what lies inside the axes, in pieces where the line leaves them.
    QVector<QPointF> pezzo;
    for (const QPointF& p : punti) {
        const bool dentro = p.x() >= 0 && p.x() <= t.vmax_v && p.y() >= 0 && p.y() <= t.imax_i;
        if (dentro)
            pezzo << QPointF(curve_modello::x_di(t, p.x()), curve_modello::y_di(t, p.y()));
        if ((!dentro || &p == &punti.back()) && !pezzo.isEmpty()) {
            if (pezzo.size() > 1)
                retta_finale_ << pezzo;
            pezzo.clear();
        }
    }
    colore_retta_finale_ = stato_.colore_retta_calcolata;
    for (const auto& c : retta_finale_)
        tela_.polilinea_xor(c, colore_retta_finale_, spessore_oggetti);
    aggiorna();
    return !retta_finale_.isEmpty();
}

void Grafico::nascondi_retta_finale()
{
    if (retta_finale_.isEmpty())
        return;
    for (const auto& c : retta_finale_)
        tela_.polilinea_xor(c, colore_retta_finale_, spessore_oggetti);
    retta_finale_.clear();
    aggiorna();
}
