#pragma once

// The tube models the program fits to a curve picture and evaluates for the
// stage response. Voltages in volts, plate current in milliamperes.
//
// Both models follow N. Koren's published forms, with Kg1 in the form the demo
// curves are drawn with: Ip = (E1^Ex / Kg1) (1 + sgn E1). Some tools drop the
// factor 2 and publish Kg1 values half as large; the window and every export
// say which form is meant.
//
// The evaluators are templates so that the fit (automatic derivatives) and
// the response (exact gm and rp) run the very same equations as the drawing.

#include <QString>
#include <QVector>

#include <cmath>

namespace modello {

enum class TipoModello { triodo_koren, pentodo_koren };

// Parameter order inside the arrays the evaluators take.
enum IndiceParametro { i_mu = 0, i_ex, i_kg1, i_kp, i_kvb, i_vct, n_parametri };

struct ParametriModello {
    TipoModello tipo = TipoModello::triodo_koren;
    double mu = 0;
    double ex = 0;
    double kg1 = 0;
    double kp = 0;
    double kvb = 0;
    double vct = 0; // grid offset, triode only (0 for the pentode)
    double vg2 = 0; // screen voltage of the curves, pentode only
};

// Where a stored model came from.
inline const QString fonte_adattato = QStringLiteral("Adattato al grafico");
inline const QString fonte_pubblicato = QStringLiteral("Koren, pubblicato");

// A model kept for one tube of the database.
struct ModelloSalvato {
    ParametriModello parametri;
    QVector<double> griglie;   // grid voltages of the traced curves, top curve first
    double scarto_medio = 0;   // RMS residual of the fit, picture pixels
    double scarto_massimo = 0; // largest residual, picture pixels
    int punti = 0;             // traced points the fit used
    QString fonte;
    QString data; // ISO date, yyyy-MM-dd
};

// ln(1 + e^z) without overflow for large z.
template <typename T> T softplus(const T& z)
{
    using std::exp;
    using std::log;
    if (z > T(40.0))
        return z;
    if (z < T(-40.0))
        return exp(z);
    return log(T(1.0) + exp(z));
}

// Koren triode with grid offset Vct:
//   E1 = (Ep/Kp) ln(1 + exp(Kp (1/mu + (Eg+Vct)/sqrt(Kvb + Ep^2))))
//   Ip = (E1^Ex / Kg1) (1 + sgn E1)
// p holds mu, ex, kg1, kp, kvb, vct in that order.
template <typename T> T corrente_triodo(const T* p, const T& ep, const T& eg)
{
    using std::pow;
    using std::sqrt;
    if (ep <= T(0.0))
        return T(0.0);
    const T e1 = ep / p[i_kp] * softplus(T(p[i_kp] * (T(1.0) / p[i_mu] + (eg + p[i_vct]) / sqrt(p[i_kvb] + ep * ep))));
    if (e1 <= T(0.0))
        return T(0.0);
    return pow(e1, p[i_ex]) / p[i_kg1] * T(2000.0);
}

// Koren pentode at screen voltage eg2:
//   E1 = (Eg2/Kp) ln(1 + exp(Kp (1/mu + Eg1/Eg2)))
//   Ip = (E1^Ex / Kg1) (1 + sgn E1) atan(Ep/Kvb)
// p holds mu, ex, kg1, kp, kvb (vct unused).
template <typename T> T corrente_pentodo(const T* p, const T& ep, const T& eg1, double eg2)
{
    using std::atan;
    using std::pow;
    if (ep <= T(0.0) || eg2 <= 0.0)
        return T(0.0);
    const T e1 = T(eg2) / p[i_kp] * softplus(T(p[i_kp] * (T(1.0) / p[i_mu] + eg1 / T(eg2))));
    if (e1 <= T(0.0))
        return T(0.0);
    return pow(e1, p[i_ex]) / p[i_kg1] * T(2000.0) * atan(ep / p[i_kvb]);
}

// The same on a parameter set.
template <typename T> T corrente_placca(const ParametriModello& m, const T& ep, const T& eg)
{
    const T p[n_parametri] = {T(m.mu), T(m.ex), T(m.kg1), T(m.kp), T(m.kvb), T(m.vct)};
    if (m.tipo == TipoModello::pentodo_koren)
        return corrente_pentodo(p, ep, eg, m.vg2);
    return corrente_triodo(p, ep, eg);
}

inline double corrente_placca(const ParametriModello& m, double ep, double eg)
{
    return corrente_placca<double>(m, ep, eg);
}

} // namespace modello
