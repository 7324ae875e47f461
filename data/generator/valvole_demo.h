#pragma once

// The demo tube set: every tube the build draws into the data folder, with its
// model parameters, the scales of its curve picture, its data-sheet ratings and
// its socket. The generator draws from this table and the tests check the
// pictures and the database against it.

#include "model/modello_valvola.h"

#include <array>
#include <cmath>
#include <string>
#include <string_view>
#include <vector>

namespace valvole_demo {

// Geometry of every curve picture. The plot is 10 x 10 divisions of 44 x 34
// pixels, so each grid line sits on a whole pixel and the calibration points
// (origin, end of the voltage axis, top of the current axis) are whole pixels
// that reproduce the drawing exactly through the linear pixel-to-value maps.
inline constexpr int larghezza = 518;
inline constexpr int altezza = 418;
inline constexpr int org_x = 56;
inline constexpr int org_y = 380;
inline constexpr int divisioni = 10;
inline constexpr int passo_x = 44;
inline constexpr int passo_y = 34;
inline constexpr int vmax_x = org_x + divisioni * passo_x; // 496
inline constexpr int imax_y = org_y - divisioni * passo_y; // 40

enum class Zoccolo { noval, octal, ux4 };
enum class Involucro { miniatura, tubolare, bottiglia, spalla };

struct Valvola {
    std::string_view sigla_usa;
    std::string_view sigla_euro;
    // The model the curves are drawn from, in the program's own form (a
    // pentode's with the screen voltage of its curves).
    modello::ParametriModello parametri;
    int vmax_v;      // plate voltage at the right end of the axis, V
    int imax_i;      // plate current at the top of the axis, mA
    double vg_passo; // grid step between curves, V (curves at 0, -step, ...)
    int n_curve;
    int pmax_mw; // maximum plate dissipation, mW
    // Data-sheet ratings, as stored: "." decimals, heater currents in mA.
    std::string_view fil1_v, fil1_i, fil2_v, fil2_i;
    std::string_view pla_v, pla_i, pla_w;
    std::string_view scre_v, scre_i, scre_w;
    Zoccolo zoccolo;
    Involucro involucro;
    bool doppio;                             // two triode sections in one envelope
    std::array<std::string_view, 9> piedini; // pin functions, pin 1 first

    bool pentodo() const { return parametri.tipo == modello::TipoModello::pentodo_koren; }
};

// A published triode set: MU, EX, KG1, KP, KVB.
inline modello::ParametriModello triodo(double mu, double ex, double kg1, double kp, double kvb)
{
    return {modello::TipoModello::triodo_koren, mu, ex, kg1, kp, kvb, 0, 0};
}

// A published pentode set (MU, EX, KG1, KP, KVB) with the screen voltage vg2
// of the curves drawn. The sets' KG2 sets only the screen current, which no
// picture shows, so it is quoted in the comments below and not kept.
inline modello::ParametriModello pentodo(double mu, double ex, double kg1, double kp, double kvb, double vg2)
{
    return {modello::TipoModello::pentodo_koren, mu, ex, kg1, kp, kvb, 0, vg2};
}

// Parameter sources. Unless noted the sets are the published ones of the
// model's author (the triode and pentode tables of N. Koren, "Improved
// vacuum tube models for SPICE simulations", Glass Audio 8(5), 1996, revised
// on the author's web site in 2003, and of his SPICE model library); the
// EL84 and 6SN7 sets, which he did not publish, are the fits of the extended Koren library by
// Malcolm-Brown. Each set was checked here against the data-sheet operating
// point quoted beside it, and the ratings come from the manufacturers' data
// sheets. Where a data sheet gives only the screen voltage and dissipation
// limits, the screen current limit stored is their quotient; where it gives
// no plate current limit, the plate current is left empty rather than
// guessed. Twin triodes are drawn for one section; their two heater lines are
// the 6.3 V (parallel) and 12.6 V (series) connections.
inline const std::vector<Valvola>& tabella()
{
    static const std::vector<Valvola> t = {
        // 12AX7 / ECC83: author's set MU 100, EX 1.4, KG1 1060, KP 600, KVB 300.
        // Data sheet: 250 V, -2 V -> 1.2 mA; the model gives 0.95 mA, gm 1.7 mA/V.
        // Ratings from the ECC83 sheet: 300 V, 1 W, cathode current 8 mA (the
        // 330 V / 1.2 W design maxima belong to the later 12AX7A).
        {"12AX7",
         "ECC83",
         triodo(100, 1.4, 1060, 600, 300),
         500,
         5,
         0.5,
         9,
         1000,
         "6.3",
         "300",
         "12.6",
         "150",
         "300",
         "8",
         "1",
         "0",
         "",
         "",
         Zoccolo::noval,
         Involucro::miniatura,
         true,
         {"P2", "G2", "K2", "F", "F", "P1", "G1", "K1", "CT"}},
        // 12AU7 / ECC82: author's set MU 21.5, EX 1.3, KG1 1180, KP 84, KVB 300.
        // Data sheet: 250 V, -8.5 V -> 10.5 mA; the model gives 10.4 mA.
        // Ratings from the ECC82 sheet: 300 V, 20 mA, 2.75 W (330 V is the
        // 12AU7A's rating).
        {"12AU7",
         "ECC82",
         triodo(21.5, 1.3, 1180, 84, 300),
         500,
         20,
         2,
         13,
         2750,
         "6.3",
         "300",
         "12.6",
         "150",
         "300",
         "20",
         "2.75",
         "0",
         "",
         "",
         Zoccolo::noval,
         Involucro::miniatura,
         true,
         {"P2", "G2", "K2", "F", "F", "P1", "G1", "K1", "CT"}},
        // 12AT7 / ECC81: author's set MU 60, EX 1.35, KG1 460, KP 300, KVB 300.
        // Data sheet: 250 V, -2 V -> 10 mA; the model gives 12.8 mA, gm 7 mA/V.
        {"12AT7",
         "ECC81",
         triodo(60, 1.35, 460, 300, 300),
         500,
         20,
         1,
         9,
         2500,
         "6.3",
         "300",
         "12.6",
         "150",
         "300",
         "15",
         "2.5",
         "0",
         "",
         "",
         Zoccolo::noval,
         Involucro::miniatura,
         true,
         {"P2", "G2", "K2", "F", "F", "P1", "G1", "K1", "CT"}},
        // 6SN7: the 6SN7GTB fit of the extended Koren library, MU 21.54,
        // EX 1.316, KG1 1261.1, KP 156.78, KVB 296.4. Data sheet (6SN7GTB):
        // 250 V, -8 V -> 9 mA, rp 7.7 kohm, gm 2.6 mA/V; the model gives
        // 9.1 mA, rp 7.2 kohm, gm 2.9 mA/V. Ratings 450 V, 5 W per section;
        // the sheet gives no plate current limit.
        {"6SN7",
         "",
         triodo(21.54, 1.316, 1261.1, 156.78, 296.4),
         500,
         20,
         2,
         11,
         5000,
         "6.3",
         "600",
         "0",
         "",
         "450",
         "",
         "5",
         "0",
         "",
         "",
         Zoccolo::octal,
         Involucro::tubolare,
         true,
         {"G2", "P2", "K2", "G1", "P1", "K1", "F", "F", ""}},
        // 300B: author's set MU 3.95, EX 1.4, KG1 1550, KP 65, KVB 300.
        // Data sheet: 300 V, -61 V -> 60 mA; the model gives 58 mA, rp 760 ohm.
        // Ratings from the Western Electric 300B sheet: heater 5.0 V / 1.2 A,
        // 450 V, 100 mA, 40 W.
        {"300B",
         "",
         triodo(3.95, 1.4, 1550, 65, 300),
         500,
         200,
         10,
         13,
         40000,
         "5",
         "1200",
         "0",
         "",
         "450",
         "100",
         "40",
         "0",
         "",
         "",
         Zoccolo::ux4,
         Involucro::bottiglia,
         false,
         {"F", "P", "G", "F", "", "", "", "", ""}},
        // 2A3: author's set MU 4.2, EX 1.4, KG1 1500, KP 60, KVB 300.
        // Data sheet: 250 V, -45 V -> 60 mA; the model gives 58 mA, rp 790 ohm.
        // The sheet gives no plate current limit.
        {"2A3",
         "",
         triodo(4.2, 1.4, 1500, 60, 300),
         500,
         200,
         10,
         9,
         15000,
         "2.5",
         "2500",
         "0",
         "",
         "300",
         "",
         "15",
         "0",
         "",
         "",
         Zoccolo::ux4,
         Involucro::bottiglia,
         false,
         {"F", "P", "G", "F", "", "", "", "", ""}},
        // EL34 / 6CA7: author's pentode set MU 11, EX 1.35, KG1 650, KG2 4200,
        // KP 60, KVB 24. Data sheet: 250 V, Vg2 250 V, -13.5 V -> 100 mA; the
        // model gives 97 mA.
        {"6CA7",
         "EL34",
         pentodo(11, 1.35, 650, 60, 24, 250),
         500,
         400,
         2.5,
         9,
         25000,
         "6.3",
         "1500",
         "0",
         "",
         "800",
         "150",
         "25",
         "425",
         "18.8",
         "8",
         Zoccolo::octal,
         Involucro::tubolare,
         false,
         {"G3", "F", "P", "G2", "G1", "", "F", "K", ""}},
        // EL84 / 6BQ5: the JJ EL84 fit of the extended Koren library, MU 19.56,
        // EX 1.35, KG1 593.0, KG2 4500, KP 131.34, KVB 17.5. Data sheet:
        // 250 V, Vg2 250 V, -7.3 V -> 48 mA, gm 11.3 mA/V; the model gives
        // 51.6 mA, gm 11.8 mA/V.
        {"6BQ5",
         "EL84",
         pentodo(19.56, 1.35, 593.0, 131.34, 17.5, 250),
         400,
         200,
         2,
         7,
         12000,
         "6.3",
         "760",
         "0",
         "",
         "300",
         "65",
         "12",
         "300",
         "6.7",
         "2",
         Zoccolo::noval,
         Involucro::miniatura,
         false,
         {"", "G1", "K", "F", "F", "", "P", "", "G2"}},
        // 6L6GC: author's pentode set MU 8.7, EX 1.35, KG1 1460, KG2 4500,
        // KP 48, KVB 12. Data sheet: 250 V, Vg2 250 V, -14 V -> 72 mA; the
        // model gives 81 mA. The sheet gives no plate current limit.
        {"6L6GC",
         "",
         pentodo(8.7, 1.35, 1460, 48, 12, 250),
         500,
         250,
         5,
         6,
         30000,
         "6.3",
         "900",
         "0",
         "",
         "500",
         "",
         "30",
         "450",
         "11.1",
         "5",
         Zoccolo::octal,
         Involucro::tubolare,
         false,
         {"", "F", "P", "G2", "G1", "", "F", "K", ""}},
        // KT88: author's pentode set MU 8.8, EX 1.35, KG1 730, KG2 4800, KP 32,
        // KVB 16. KG2 is the 4800 of his SPICE library file; the 4200 of his
        // errata table would draw the same curves, since KG2 sets only the
        // screen current. Data sheet: 250 V, Vg2 250 V, -15 V -> 140 mA; the
        // model gives 155 mA.
        {"",
         "KT88",
         pentodo(8.8, 1.35, 730, 32, 16, 250),
         500,
         500,
         5,
         6,
         42000,
         "6.3",
         "1600",
         "0",
         "",
         "800",
         "230",
         "42",
         "600",
         "13.3",
         "8",
         Zoccolo::octal,
         Involucro::spalla,
         false,
         {"", "F", "P", "G2", "G1", "", "F", "K", ""}},
    };
    return t;
}

// Grid voltage of curve k (0, -step, -2 step, ...).
inline double tensione_griglia(const Valvola& v, int k)
{
    return -v.vg_passo * k;
}

// Plate current in mA drawn for the valve at plate voltage ep and grid eg.
inline double corrente(const Valvola& v, double ep, double eg)
{
    return modello::corrente_placca(v.parametri, ep, eg);
}

// The stored file names: base name = American designation, else European;
// the curve suffix follows the mode.
inline std::string nome_base(const Valvola& v)
{
    return std::string(v.sigla_usa.empty() ? v.sigla_euro : v.sigla_usa);
}
inline std::string modo(const Valvola& v)
{
    return v.pentodo() ? "PENTODO" : "TRIODO";
}
inline std::string file_curva(const Valvola& v)
{
    return nome_base(v) + (v.pentodo() ? "pent.gif" : "trio.gif");
}
inline std::string file_foto(const Valvola& v)
{
    return nome_base(v) + ".jpg";
}
inline std::string file_piedinatura(const Valvola& v)
{
    return nome_base(v) + "pin.gif";
}

// Pixel position (not rounded) of plate voltage ep and current i on the picture.
inline double x_di(const Valvola& v, double ep)
{
    return org_x + ep / v.vmax_v * (vmax_x - org_x);
}
inline double y_di(const Valvola& v, double i)
{
    return org_y - i / v.imax_i * (org_y - imax_y);
}

// Colours of the curve picture. Curves cycle through five dark colours so
// that neighbouring curves differ.
struct Rgb {
    int r, g, b;
};
inline constexpr Rgb colore_sfondo{255, 255, 255};
inline constexpr Rgb colore_griglia{190, 190, 190};
inline constexpr Rgb colore_assi{0, 0, 0};
inline constexpr std::array<Rgb, 5> colori_curve{Rgb{0, 0, 200}, Rgb{200, 0, 0}, Rgb{0, 120, 0}, Rgb{150, 0, 150},
                                                 Rgb{140, 80, 0}};

inline Rgb colore_curva(int k)
{
    return colori_curve[static_cast<std::size_t>(k) % colori_curve.size()];
}

} // namespace valvole_demo
