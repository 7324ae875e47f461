#include "esempio.h"

#include "valvole_demo.h"

#include "response/risposta_stadio.h"

#include <cmath>
#include <cstdio>
#include <stdexcept>

namespace manuale {

namespace {

const valvole_demo::Valvola& valvola_12ax7()
{
    for (const auto& v : valvole_demo::tabella()) {
        if (v.sigla_usa == "12AX7")
            return v;
    }
    throw std::runtime_error("12AX7 assente dalle valvole dimostrative");
}

// Plate voltage where the load line crosses the curve of grid voltage vg.
double incrocio(const valvole_demo::Valvola& v, const Esempio& e, double vg)
{
    double basso = 0, alto = e.tensione_alimentazione;
    for (int k = 0; k < 80; ++k) {
        const double m = (basso + alto) / 2;
        const double retta = e.corrente_cortocircuito * (1 - m / e.tensione_alimentazione);
        if (valvole_demo::corrente(v, m, vg) > retta)
            alto = m;
        else
            basso = m;
    }
    return (basso + alto) / 2;
}

// The program's pixel-to-value maps for an exactly calibrated picture.
double tensione(const Esempio& e, double x)
{
    return (x - e.org_x) / (e.vmax_x - e.org_x) * e.vmax_v;
}
double corrente(const Esempio& e, double y)
{
    return e.imax_i - (y - e.imax_y) / (e.org_y - e.imax_y) * e.imax_i;
}

} // namespace

Esempio calcola_esempio()
{
    const auto& v = valvola_12ax7();
    Esempio e;
    e.org_x = valvole_demo::org_x;
    e.org_y = valvole_demo::org_y;
    e.vmax_x = valvole_demo::vmax_x;
    e.imax_y = valvole_demo::imax_y;
    e.vmax_v = v.vmax_v;
    e.imax_i = v.imax_i;
    e.pmax_mw = v.pmax_mw;
    e.tensione_max_anodica = std::string(v.pla_v);

    e.retta_x0 = e.org_x;
    e.retta_y0 = static_cast<int>(std::lround(valvole_demo::y_di(v, e.corrente_cortocircuito)));
    e.retta_x1 = static_cast<int>(std::lround(valvole_demo::x_di(v, e.tensione_alimentazione)));
    e.retta_y1 = e.org_y;

    auto punto = [&](double vg, int& x, int& y) {
        const double va = incrocio(v, e, vg);
        const double ia = e.corrente_cortocircuito * (1 - va / e.tensione_alimentazione);
        x = static_cast<int>(std::lround(valvole_demo::x_di(v, va)));
        y = static_cast<int>(std::lround(valvole_demo::y_di(v, ia)));
    };
    punto(e.vg_lavoro, e.lavoro_x, e.lavoro_y);
    punto(e.vg_guadagno, e.guadagno_x, e.guadagno_y);
    e.lavoro_v = tensione(e, e.lavoro_x);
    e.lavoro_i = corrente(e, e.lavoro_y);
    e.guadagno_v = tensione(e, e.guadagno_x);
    e.guadagno_i = corrente(e, e.guadagno_y);

    const double v1 = tensione(e, e.retta_x1), i0 = corrente(e, e.retta_y0);
    e.r_equivalente = std::lround(std::nearbyint(e.lavoro_v * 1000 / e.lavoro_i));
    e.r_catodica = static_cast<long>(std::floor(std::fabs(e.vg_lavoro) * 1000 / e.lavoro_i));
    e.r_anodica = static_cast<long>(std::floor(v1 * 1000 / i0 - static_cast<double>(e.r_catodica)));
    e.c_catodica = 1000000.0 / (2 * 3.1415 * 25 * static_cast<double>(e.r_catodica));
    e.guadagno = std::fabs((e.lavoro_v - e.guadagno_v) / (e.vg_lavoro - e.vg_guadagno));
    return e;
}

std::string numero_it(double valore, int decimali)
{
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*f", decimali, std::fabs(valore));
    std::string s(buf);
    std::string intera = s.substr(0, s.find('.'));
    std::string resto = decimali > 0 ? "," + s.substr(s.find('.') + 1) : "";
    std::string gruppi;
    for (std::size_t i = 0; i < intera.size(); ++i) {
        if (i > 0 && (intera.size() - i) % 3 == 0)
            gruppi.push_back('.');
        gruppi.push_back(intera[i]);
    }
    return (valore < 0 && std::fabs(valore) >= 0.5 * std::pow(10.0, -decimali) ? "-" : "") + gruppi + resto;
}

namespace {

// The response window on the example's stage, as it opens: the published
// 12AX7 set, the chart's resistors, the input as large as the bias.
risposta::Risposta risposta_esempio(const Esempio& e)
{
    const modello::ParametriModello m = valvola_12ax7().parametri;
    risposta::Stadio s;
    s.b_piu = e.tensione_alimentazione;
    s.ra = static_cast<double>(e.r_anodica);
    s.rk = static_cast<double>(e.r_catodica);
    s.vg_riposo = e.vg_lavoro;
    s.ampiezza = std::fabs(e.vg_lavoro);
    const risposta::Risposta r = risposta::calcola(risposta::da_modello(m), s);
    if (!r.valida)
        throw std::runtime_error("risposta dell'esempio non calcolabile");
    return r;
}

} // namespace

std::map<std::string, std::string> valori_esempio(const Esempio& e)
{
    const double r_retta = e.tensione_alimentazione * 1000 / e.corrente_cortocircuito;
    const risposta::Risposta r = risposta_esempio(e);
    return {
        {"R_GM", numero_it(r.gm, 3)},
        {"R_RP", numero_it(r.rp, 1)},
        {"R_MU", numero_it(r.mu, 1)},
        {"R_GAIN", numero_it(r.guadagno, 2)},
        {"R_VPP", numero_it(r.uscita_vpp, 2)},
        {"R_H2", numero_it(r.h2, 3)},
        {"R_H3", numero_it(r.h3, 3)},
        {"R_THD", numero_it(r.thd, 3)},
        {"R_MARG", numero_it(r.margine, 3)},
        {"R_VA", numero_it(r.va0, 1)},
        {"VB", numero_it(e.tensione_alimentazione, 0)},
        {"I0", numero_it(e.corrente_cortocircuito, 0)},
        {"RRETTA", numero_it(r_retta, 0)},
        {"VG_L", numero_it(e.vg_lavoro, 1)},
        {"VG_G", numero_it(e.vg_guadagno, 1)},
        {"VG_L_MOD", numero_it(std::fabs(e.vg_lavoro), 1)},
        {"VG_G_MOD", numero_it(std::fabs(e.vg_guadagno), 1)},
        {"VA_L", numero_it(e.lavoro_v, 2)},
        {"IA_L", numero_it(e.lavoro_i, 2)},
        {"IA_L_PIENA", numero_it(e.lavoro_i, 3)},
        {"VA_G", numero_it(e.guadagno_v, 2)},
        {"IA_G", numero_it(e.guadagno_i, 2)},
        {"DVA", numero_it(std::fabs(e.lavoro_v - e.guadagno_v), 2)},
        {"DVG", numero_it(std::fabs(e.vg_lavoro - e.vg_guadagno), 1)},
        {"RK", numero_it(static_cast<double>(e.r_catodica), 0)},
        {"RA", numero_it(static_cast<double>(e.r_anodica), 0)},
        {"REQ", numero_it(static_cast<double>(e.r_equivalente), 0)},
        {"CK", numero_it(e.c_catodica, 2)},
        {"GAIN", numero_it(e.guadagno, 2)},
        {"PMAX", numero_it(e.pmax_mw, 0)},
        {"PMAX_W", numero_it(e.pmax_mw / 1000.0, 1)},
        {"PLA_V", e.tensione_max_anodica},
        {"IPMAX_VB", numero_it(e.pmax_mw / e.tensione_alimentazione, 1)},
        {"PDISS", numero_it(e.lavoro_v * e.lavoro_i, 0)},
        {"LX", std::to_string(e.lavoro_x)},
        {"LY", std::to_string(e.lavoro_y)},
        {"GX", std::to_string(e.guadagno_x)},
        {"GY", std::to_string(e.guadagno_y)},
        {"RX0", std::to_string(e.retta_x0)},
        {"RY0", std::to_string(e.retta_y0)},
        {"RX1", std::to_string(e.retta_x1)},
        {"RY1", std::to_string(e.retta_y1)},
    };
}

} // namespace manuale
