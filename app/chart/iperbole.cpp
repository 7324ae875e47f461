#include "chart/iperbole.h"

#include "chart/calibrazione.h"
#include "chart/stile_disegno.h"
#include "chart/tela.h"

#include <algorithm>
#include <cmath>

namespace {

// Columns visited by the curve, so a broken calibration cannot make the loop
// endless or the float step stall.
constexpr int massimo_colonne = 100000;

} // namespace

bool traccia_iperbole(Tela& tela, const Taratura& t, double p_watt, int colore)
{
    const bool calibrato = !(t.imax_x == 0 && t.imax_y == 0 && t.vmax_x == 0 && t.vmax_y == 0);
    if (!(p_watt > 0) || !calibrato)
        return false;
    float precedente = t.imax_y;
    const double ampiezza = (double(t.vmax_x) - t.org_x) / 2.0;
    int colonne = -1;
    if (std::isfinite(ampiezza) && ampiezza >= 0)
        colonne = int(std::min(ampiezza, double(massimo_colonne)));
    for (int j = 0; j <= colonne; ++j) {
        const float x = t.org_x + 2.0f * float(j);
        const double v = calcolav(t, x);
        if (!(v > 0))
            continue;
        const double i = p_watt * 1000.0 / v;
        // Above the calibrated current range the curve is not drawn.
        if (!(i < t.imax_i))
            continue;
        const auto y = riga_corrente(t, i);
        if (!y)
            continue;
        tela.linea_xor(x, *y, double(x) - 1.0, precedente, colore, spessore_oggetti);
        precedente = *y;
    }
    return true;
}
