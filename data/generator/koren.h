#pragma once

// Plate current of triodes and pentodes after N. Koren, "Improved vacuum tube
// models for SPICE simulations" (Glass Audio 8(5), 1996; revised on the
// author's web site, 2003). The demo curves are drawn from these equations and
// the tests read them back against the same equations, so both include this
// header. All voltages in volts, currents in milliamperes.

#include <cmath>

namespace koren {

// Parameters of the triode model.
struct ParametriTriodo {
    double mu;  // amplification factor
    double ex;  // exponent of the current law
    double kg1; // inverse of the perveance
    double kp;  // shape of the cut-off region
    double kvb; // knee of the low-voltage region, V^2
};

// Parameters of the pentode model (screen grid held at a fixed voltage).
struct ParametriPentodo {
    double mu; // grid-to-screen amplification factor
    double ex;
    double kg1;
    double kg2; // screen current: inverse perveance
    double kp;
    double kvb; // knee of the plate characteristic, V
};

// ln(1 + e^z) without overflowing for large z.
inline double softplus(double z)
{
    if (z > 40.0)
        return z;
    if (z < -40.0)
        return std::exp(z);
    return std::log1p(std::exp(z));
}

// Triode plate current at plate voltage ep and grid voltage eg:
//   E1 = (Ep/Kp) ln(1 + exp(Kp (1/mu + Eg / sqrt(Kvb + Ep^2))))
//   Ip = (E1^Ex / Kg1) (1 + sgn(E1))
inline double corrente_triodo(const ParametriTriodo& t, double ep, double eg)
{
    if (ep <= 0.0)
        return 0.0;
    const double e1 = ep / t.kp * softplus(t.kp * (1.0 / t.mu + eg / std::sqrt(t.kvb + ep * ep)));
    if (e1 <= 0.0)
        return 0.0;
    return std::pow(e1, t.ex) / t.kg1 * 2.0 * 1000.0;
}

// Pentode plate current at plate voltage ep, control-grid voltage eg1 and
// screen voltage eg2:
//   E1 = (Eg2/Kp) ln(1 + exp(Kp (1/mu + Eg1/Eg2)))
//   Ip = (E1^Ex / Kg1) (1 + sgn(E1)) atan(Ep / Kvb)
inline double corrente_pentodo(const ParametriPentodo& p, double ep, double eg1, double eg2)
{
    if (ep <= 0.0 || eg2 <= 0.0)
        return 0.0;
    const double e1 = eg2 / p.kp * softplus(p.kp * (1.0 / p.mu + eg1 / eg2));
    if (e1 <= 0.0)
        return 0.0;
    return std::pow(e1, p.ex) / p.kg1 * 2.0 * std::atan(ep / p.kvb) * 1000.0;
}

} // namespace koren
