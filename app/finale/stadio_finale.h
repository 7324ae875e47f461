#pragma once

// The output stage: one power tube (single-ended) or a pair driven in
// antiphase (push-pull) into an output transformer, computed on a stored tube
// model. Triode, pentode at a fixed screen supply, triode-connected pentode
// (screen tied to the plate) and ultralinear (screen on a tap of the primary,
// following each tube's own plate voltage at every instant).
//
// Every figure comes from one period of the drive solved instant by instant
// on the transformer: the load line through the working point for a single
// tube, the ideal centre-tapped primary for a pair, so that class AB follows
// from the circuit by itself. Power and harmonics come from the exact
// fundamental of the primary voltage, not from peak-to-peak shortcuts.
//
// Units: volts, milliamperes, ohms, watts.

#include "model/modello_valvola.h"

#include <QString>

#include <array>
#include <functional>
#include <optional>
#include <vector>

namespace finale {

// Samples of the period: a power of two, coherent with the drive.
inline constexpr int numero_campioni = 256;
// Below this fraction of its rest current a tube counts as cut off.
inline constexpr double soglia_interdizione = 0.01;
// Relative accuracy of every root the solver finds.
inline constexpr double tolleranza_relativa = 1e-9;
// The screen tap of an ultralinear primary when nothing else is set, %.
inline constexpr double presa_ul_tipica = 43;

enum class Topologia { single_ended, push_pull };
enum class Collegamento { triodo, pentodo, ultralineare };
enum class Polarizzazione { fissa, catodica };
enum class Classe { a, ab, a_taglio };

// The window's inputs as plain numbers; the project file keeps them.
struct IngressiFinale {
    Topologia topologia = Topologia::single_ended;
    Collegamento collegamento = Collegamento::triodo;
    double b_piu = 250;                // centre tap (push-pull) or primary (single-ended) supply, V
    double vg2 = 250;                  // screen supply, pentode connection only, V
    double presa_ul = presa_ul_tipica; // screen tap, % of the primary turns from B+
    double impedenza = 2500;           // primary load: plate to B+, or plate to plate (Raa), ohm
    double resistenza_dc = 0;          // DC resistance of the winding each tube's current crosses, ohm
    double vg_riposo = -45;            // grid to cathode at rest, V
    Polarizzazione polarizzazione = Polarizzazione::fissa;
    double ampiezza = 45; // grid drive per tube, peak V
    double carico = 8;    // loudspeaker, ohm

    bool operator==(const IngressiFinale&) const = default;
};

// The inputs a tube's model suggests: the pentode's own screen voltage, the
// drive that takes the grid to 0 V, a triode connection for a triode.
IngressiFinale ingressi_iniziali(const modello::ParametriModello& modello);

// One instant of the period. Index 0 is the tube (or the first of the pair)
// whose grid goes up with the drive; index 1 the other tube of a pair.
struct CampioneFinale {
    double tempo = 0;                 // fraction of the period, 0 .. 1
    double ingresso = 0;              // grid drive of the first tube, V
    std::array<double, 2> griglia{};  // grid to cathode, V
    std::array<double, 2> placca{};   // plate to cathode, V
    std::array<double, 2> corrente{}; // plate current, mA
    double primario = 0;              // primary voltage: B+ minus plate, or plate to plate, V
    bool oltre_griglia = false;       // some grid above its cathode
};

struct RisultatoFinale {
    bool valido = false;
    QString motivo; // why not, when not valid

    Topologia topologia = Topologia::single_ended;
    int tubi = 1;

    // At rest, per tube.
    double va_riposo = 0;                     // plate to cathode, V
    double ia_riposo = 0;                     // mA
    double pa_riposo = 0;                     // W
    std::optional<double> pa_riposo_percento; // of the rated maximum, when the rating is known
    double vk_riposo = 0;                     // cathode to ground, V (0 with fixed bias)
    double rk = 0;                            // cathode resistor (shared by a pair), ohm; 0 with fixed bias
    double potenza_rk = 0;                    // W, under the set drive

    // Small signal at rest, with the screen as connected.
    double gm = 0; // mA/V
    double rp = 0; // ohm
    double mu = 0;

    // Under the set drive.
    double potenza = 0;                // fundamental of the primary voltage: V1^2 / (2 Z), W
    double potenza_massima = 0;        // the same at the drive that takes the grid to 0 V, W
    double rendimento = 0;             // output power over the plate supply's average power, %
    double pa_media = 0;               // each tube's average plate dissipation, W
    std::array<double, 6> armoniche{}; // peak amplitude of bins 1 .. 5 of the primary voltage (index 0 unused), V
    double h2 = 0, h3 = 0, h4 = 0, h5 = 0, thd = 0; // percent of the fundamental
    Classe classe = Classe::a;
    double smorzamento = 0;      // primary load over the tubes' output resistance
    double spostamento = 0;      // grid bias under drive minus at rest, V (cathode bias)
    double vg_sotto_segnale = 0; // grid to cathode bias under drive, V
    double rapporto_spire = 0;   // primary to secondary
    double corrente_media = 0;   // average supply current of the stage (both tubes), mA
    bool oltre_griglia = false;  // the swing goes past grid 0 V somewhere

    std::vector<CampioneFinale> campioni;
};

// The tube as the stage sees it: plate current, mA, against plate-to-cathode,
// grid-to-cathode and screen-to-cathode voltage (the last unused by a triode).
struct ModelloFinale {
    std::function<double(double ep, double eg, double eg2)> corrente;
    bool pentodo = false;
};
ModelloFinale da_modello(const modello::ParametriModello& modello);

// The whole computation. `pmax_w` is the tube's rated plate dissipation, W
// (0 or less when not known). Never throws; an impossible design comes back
// not valid with its reason.
RisultatoFinale calcola(const ModelloFinale& modello, const IngressiFinale& ingressi, double pmax_w = 0);
RisultatoFinale calcola(const modello::ParametriModello& modello, const IngressiFinale& ingressi, double pmax_w = 0);

// The window's input texts.
struct TestiFinale {
    QString b_piu, vg2, presa_ul, impedenza, resistenza_dc, vg_riposo, ampiezza, carico;
};
TestiFinale testi_da_ingressi(const IngressiFinale& ingressi);

// The numbers of the texts ("," or "." decimals) over `scelte`, which holds
// the choices of the combo boxes; empty, with the reason, on bad input.
std::optional<IngressiFinale> leggi_ingressi(const TestiFinale& testi, const IngressiFinale& scelte, QString* motivo);

// The plate current of one tube of the stage, mA, at plate-to-cathode `ep`,
// grid-to-cathode `eg` and cathode-to-ground `vk`, with its screen where the
// connection puts it (a triode model is always a triode).
double corrente_tubo(const ModelloFinale& modello, const IngressiFinale& ingressi, double ep, double eg, double vk);

// "A", "AB" or "A (taglio)".
QString testo_classe(Classe classe);

// The samples as CSV: header row, "." decimals. False, with the reason,
// when the file cannot be written.
bool scrivi_csv(const QString& file, const RisultatoFinale& r, QString* errore = nullptr);

} // namespace finale
