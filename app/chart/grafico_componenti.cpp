// Working point, gain and components: the grid voltages typed by the user
// turn into the cathode resistor, the plate resistor, the bypass capacitor
// and the stage gain.

#include "chart/grafico.h"

#include "common/numeri.h"

#include <cmath>

namespace {

constexpr int tasto_invio = 13;

// Reads a typed field: "," counts as the decimal point, then the leading
// number (a sign still in the field is read as a sign).
double leggi_campo(VistaGrafico& vista, Campo campo)
{
    QString testo = vista.testo(campo);
    if (testo.contains(u',')) {
        testo.replace(u',', u'.');
        vista.imposta_testo(campo, testo);
    }
    return numeri::valore_iniziale(testo);
}

} // namespace

bool Grafico::ricalcola_partitore()
{
    StatoGrafico& s = stato_;
    s.lavoro_vg = leggi_campo(vista_, Campo::grid_bias);

    // Each step that cannot be computed (no working point, no completed
    // line, a zero cathode resistor) keeps the value it would have set.
    if (s.lavoro_i != 0.0) {
        if (auto rk = numeri::parte_intera_int32(s.lavoro_vg * 1000.0 / s.lavoro_i))
            s.valore_r_catodica = *rk;
    }
    // The load resistance is the line's slope, taken from its two ends: on
    // a completed line they are the axis crossings (V0 = 0, I1 = 0) and
    // this is V1 / I0; on a line the user never completed it is still the
    // resistance of the line drawn, not of a line through its ends and
    // the origin of the axes.
    const double di = s.retta_i0 - s.retta_i1;
    if (di != 0.0) {
        if (auto ra = numeri::parte_intera_int32((s.retta_v1 - s.retta_v0) * 1000.0 / di - s.valore_r_catodica))
            s.valore_r_anodica = *ra;
    }
    // Reactance equal to the cathode resistor at 25 Hz. Without a cathode
    // resistor there is no capacitor either: the one of an earlier resistor
    // would stand beside values it does not belong to.
    if (s.valore_r_catodica >= 1)
        s.valore_c_catodica = 1000000.0 / (2.0 * 3.1415 * 25.0 * s.valore_r_catodica);
    else
        s.valore_c_catodica = 0;
    display_valori(true);
    return true;
}

bool Grafico::ricalcola_guadagno()
{
    StatoGrafico& s = stato_;
    s.lavoro_vg = leggi_campo(vista_, Campo::grid_bias);
    s.guadagno_vg = leggi_campo(vista_, Campo::gain_bias);
    // Without both points there is no change of plate voltage to measure:
    // a recalculated line or an erase leaves the working point at zero, and
    // a gain read against it would be a number with no meaning.
    const bool lavoro = !(s.lavoro_x == 0 && s.lavoro_y == 0);
    const bool punto_guadagno = !(s.guadagno_x == 0 && s.guadagno_y == 0);
    if (!lavoro || !punto_guadagno)
        return false;
    const double dvg = s.lavoro_vg - s.guadagno_vg;
    const double dva = s.lavoro_v - s.guadagno_v;
    if (dvg == 0.0)
        return false;
    const double g = std::fabs(dva / dvg);
    if (!std::isfinite(g))
        return false;
    s.guadagno = g;
    display_valori(true);
    return true;
}

void Grafico::normalizza_tensione_griglia(Campo campo)
{
    QString testo = vista_.testo(campo);
    testo.replace(u',', u'.');
    testo.remove(u'+');
    testo.remove(u'-');
    vista_.imposta_testo(campo, testo);
}

void Grafico::grid_bias_KeyDown(int key, int /*shift*/)
{
    if (key != tasto_invio)
        return;
    normalizza_tensione_griglia(Campo::grid_bias);
    ricalcola_partitore();
}

void Grafico::grid_bias_LostFocus()
{
    grid_bias_KeyDown(tasto_invio, 0);
}

void Grafico::gain_bias_KeyDown(int key, int /*shift*/)
{
    if (key != tasto_invio)
        return;
    normalizza_tensione_griglia(Campo::gain_bias);
    ricalcola_guadagno();
}

void Grafico::gain_bias_LostFocus()
{
    gain_bias_KeyDown(tasto_invio, 0);
}

void Grafico::calcolo_componenti_Click()
{
    if (ricalcola_partitore())
        ricalcola_guadagno();
}

void Grafico::r_anodica_Change()
{
    // "47k" stands for 47000: the shorthand of resistor values.
    const QString testo = vista_.testo(Campo::r_anodica);
    if (!testo.isEmpty() && testo.back().toUpper() == u'K')
        vista_.imposta_testo(Campo::r_anodica, testo.chopped(1) + QStringLiteral("000"));
}
