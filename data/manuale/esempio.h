#pragma once

// The worked example of the manual: a common-cathode 12AX7 stage designed on
// the demo curve picture exactly as a user does it in the program, with the
// pixels a user clicks and the values the program then shows.

#include <map>
#include <string>

namespace manuale {

struct Esempio {
    // Load line: from the current axis to the voltage axis.
    double tensione_alimentazione = 300; // V where the line meets the voltage axis
    double corrente_cortocircuito = 3;   // mA where it meets the current axis
    int retta_x0 = 0, retta_y0 = 0, retta_x1 = 0, retta_y1 = 0;
    // Working point and gain point, on the curves of these grid voltages.
    double vg_lavoro = -1.5, vg_guadagno = -2.5;
    int lavoro_x = 0, lavoro_y = 0, guadagno_x = 0, guadagno_y = 0;
    double lavoro_v = 0, lavoro_i = 0, guadagno_v = 0, guadagno_i = 0;
    // What the program computes from them.
    long r_catodica = 0, r_anodica = 0, r_equivalente = 0;
    double c_catodica = 0, guadagno = 0;
    int pmax_mw = 0;
    std::string tensione_max_anodica; // data-sheet rating, V
    // Calibration of the picture.
    int org_x = 0, org_y = 0, vmax_x = 0, imax_y = 0, vmax_v = 0, imax_i = 0;
};

Esempio calcola_esempio();

// The example's values as the manual's text quotes them, by placeholder name.
std::map<std::string, std::string> valori_esempio(const Esempio& e);

// A number with Italian separators ("1.569", "4,06").
std::string numero_it(double valore, int decimali);

} // namespace manuale
