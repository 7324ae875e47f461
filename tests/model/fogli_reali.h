#pragma once

// Three real data-sheet plots (bilevel 300 dpi scans of 1940s sheets),
// cropped by hand to the plate characteristics, straightened and rescaled to
// 518 x 418 by the new-tube window's own rescale, as a user's scan arrives.
// fixtures/README.md tells how each was made. The calibration was measured on
// the rescaled picture (the centre of the frame lines); the grid voltages are
// the sheet's own labels, top curve first; the table point is the operating
// point the sheet's first page quotes.

#include "chart/taratura.h"

#include <array>
#include <vector>

namespace fogli_reali {

struct Foglio {
    const char* file; // under tests/model/fixtures/
    Taratura taratura;
    std::vector<double> griglie; // grid voltages, top curve first
    double va_tabella;           // plate voltage of the table point, V
    double vg_tabella;           // grid voltage of the table point, V
    double ia_tabella;           // plate current of the table point, mA
};

inline std::vector<double> passi(double primo, double passo, int n)
{
    std::vector<double> v;
    for (int k = 0; k < n; ++k)
        v.push_back(primo - passo * k);
    return v;
}

inline const std::array<Foglio, 3>& fogli()
{
    static const std::array<Foglio, 3> f = {{
        // General Electric 12SR7, page 2, lower plot: 0-500 V, 0-17.5 mA,
        // twelve curves 0 ... -33 V. Table point: 250 V, -9 V -> 9.5 mA.
        {"12SR7-GE.gif", {17.9f, 398.6f, 505.6f, 398.6f, 500.0, 17.9f, 13.1f, 17.5}, passi(0, 3, 12), 250, -9, 9.5},
        // Tung-Sol 19J6, page 3, top plot: 0-500 V, 0-15 mA, ten curves
        // 0 ... -18 V. Table point: 100 V with 50 ohm common to both units
        // at 8.5 mA each, so the grid sits at -(2 x 8.5 mA x 50 ohm).
        {"19J6-TungSol.gif",
         {24.8f, 387.9f, 487.3f, 387.9f, 500.0, 24.8f, 29.4f, 15.0},
         passi(0, 2, 10),
         100,
         -0.85,
         8.5},
        // RCA 19J6, page 2, left plot, printed a quarter turn round and
        // turned upright: 0-600 V, 0-16 mA, ten curves 0 ... -18 V.
        {"19J6-RCA.gif", {13.8f, 398.3f, 447.1f, 398.3f, 600.0, 13.8f, 16.9f, 16.0}, passi(0, 2, 10), 100, -0.85, 8.5},
    }};
    return f;
}

} // namespace fogli_reali
