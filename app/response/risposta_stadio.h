#pragma once

// The response of one common-cathode stage to a sine at its grid, computed
// from a tube model: the working point, gm, rp and mu from the model's exact
// derivatives, the small-signal gain, one period of the output solved instant
// by instant on the load line, its harmonics and the largest input the stage
// takes before the grid reaches 0 V or the plate current cuts off.
//
// Units: volts, milliamperes, ohms (rp in kilohms, as shown).

#include "model/modello_valvola.h"

#include <QString>

#include <array>
#include <functional>
#include <optional>
#include <vector>

namespace risposta {

// Samples of the period: a power of two, coherent with the input's period.
inline constexpr int numero_campioni = 256;
// Below this fraction of the working-point current the tube counts as cut off.
inline constexpr double soglia_interdizione = 0.01;
// Relative accuracy of every root the solver finds.
inline constexpr double tolleranza_relativa = 1e-12;

// Plate current and its partial derivatives at one point.
struct Derivate {
    double ip = 0; // mA
    double gm = 0; // dIp/dEg, mA/V
    double gp = 0; // dIp/dEp, mA/V
};

// The tube as the solver sees it: plate current against plate-cathode and
// grid-cathode voltage, and the same with its exact partial derivatives.
struct ModelloCorrente {
    std::function<double(double ep, double eg)> corrente;
    std::function<Derivate(double ep, double eg)> derivate;
};

// A stored tube model, derivatives through dual numbers.
ModelloCorrente da_modello(const modello::ParametriModello& parametri);

// The stage as set in the window.
struct Stadio {
    double b_piu = 0;             // supply, V
    double ra = 0;                // plate resistor, ohm
    double vg_riposo = 0;         // grid-cathode voltage at rest, V (negative)
    double rk = 0;                // cathode resistor, ohm
    std::optional<double> carico; // next stage's load, ohm
    bool catodo_bypassato = true;
    double ampiezza = 0; // input peak, V
};

// The texts of the window's fields.
struct TestiStadio {
    QString b_piu, ra, vg_riposo, rk, carico, ampiezza;
    bool catodo_bypassato = true;
    bool operator==(const TestiStadio&) const = default;
};

// The longest text a field takes: numbers are far shorter, and the project
// file refuses anything longer, so what the window holds always saves.
inline constexpr int lunghezza_massima_testo = 64;

// The stage read from the texts ("," or "." decimals); on bad input empty,
// with the reason in `motivo`.
std::optional<Stadio> leggi_stadio(const TestiStadio& testi, QString* motivo);

// One instant of the period.
struct Campione {
    double tempo = 0;           // fraction of the period, 0 .. 1
    double ingresso = 0;        // input, V
    double griglia = 0;         // grid-cathode voltage, V
    double placca = 0;          // plate voltage to ground (the output), V
    double corrente = 0;        // plate current, mA
    bool oltre_griglia = false; // grid above the cathode
    bool interdizione = false;  // plate current cut off
    bool oltre_limite() const { return oltre_griglia || interdizione; }
};

// One point of the transfer curve.
struct PuntoTrasferimento {
    double griglia = 0; // rest voltage plus input, V
    double placca = 0;  // plate voltage to ground, V
    bool oltre_limite = false;
};

struct Risposta {
    bool valida = false;
    QString motivo; // why not, when not valid

    // Working point.
    double ik0 = 0;  // mA
    double va0 = 0;  // plate to ground, V
    double vk0 = 0;  // cathode, V
    double vpk0 = 0; // plate to cathode, V

    double gm = 0; // mA/V
    double rp = 0; // kOhm
    double mu = 0;
    double guadagno = 0;  // small signal, magnitude
    double carico_ac = 0; // the plate's AC load, ohm

    double uscita_vpp = 0;
    std::array<double, 6> armoniche{}; // amplitude of bins 1 .. 5 (index 0 unused), V
    double h2 = 0, h3 = 0, thd = 0;    // percent of the fundamental

    double margine = 0;             // Vp
    bool margine_da_griglia = true; // the grid's 0 V comes first (else cut-off)
    bool oltre_limite = false;      // some sample lies beyond a limit

    std::vector<Campione> campioni;
    std::vector<PuntoTrasferimento> trasferimento;
};

// The whole computation. Never throws; an impossible stage comes back not
// valid with its reason.
Risposta calcola(const ModelloCorrente& modello, const Stadio& stadio);

// The amplitudes of bins 1 .. 5 of a sequence holding exactly one period.
std::array<double, 6> armoniche(const std::vector<double>& periodo);

// Root of f between a and b where f(a) and f(b) differ in sign, to a relative
// accuracy of `tolleranza` (Brent: inverse quadratic interpolation and
// secants, falling back to bisection so the bracket always shrinks).
double radice(const std::function<double(double)>& f, double a, double b, double tolleranza);

// The samples as a CSV file: header row, "." decimals. False, with the
// reason, when the file cannot be written.
bool scrivi_csv(const QString& file, const Risposta& r, QString* errore = nullptr);

} // namespace risposta
