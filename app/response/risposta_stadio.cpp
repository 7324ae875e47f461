#include "response/risposta_stadio.h"

#include <QCoreApplication>
#include <QLocale>
#include <QSaveFile>

#include <ceres/jet.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

namespace risposta {

ModelloCorrente da_modello(const modello::ParametriModello& parametri)
{
    ModelloCorrente m;
    m.corrente = [parametri](double ep, double eg) { return modello::corrente_placca(parametri, ep, eg); };
    m.derivate = [parametri](double ep, double eg) {
        // One dual part per voltage: the evaluation carries both partials
        // through the very equations that give the current.
        using Duale = ceres::Jet<double, 2>;
        const Duale ip = modello::corrente_placca<Duale>(parametri, Duale(ep, 0), Duale(eg, 1));
        return Derivate{ip.a, ip.v[1], ip.v[0]};
    };
    return m;
}

// ---------------------------------------------------------------- input ---

namespace {

// A typed number: "," or "." as the decimal separator, blanks around it
// allowed, nothing else after it.
std::optional<double> numero(const QString& testo)
{
    QString t = testo.trimmed();
    t.replace(u',', u'.');
    bool ok = false;
    const double v = QLocale::c().toDouble(t, &ok);
    if (!ok || !std::isfinite(v))
        return std::nullopt;
    return v;
}

} // namespace

std::optional<Stadio> leggi_stadio(const TestiStadio& testi, QString* motivo)
{
    const auto errore = [motivo](const QString& testo) {
        if (motivo)
            *motivo = testo;
        return std::optional<Stadio>();
    };
    struct Campo {
        const QString* testo;
        const char* nome;
        double* valore;
    };
    Stadio s;
    s.catodo_bypassato = testi.catodo_bypassato;
    const Campo campi[] = {{&testi.b_piu, "B+ (V)=", &s.b_piu},
                           {&testi.ra, "Ra (Ohm)=", &s.ra},
                           {&testi.vg_riposo, "Vg riposo (V)=", &s.vg_riposo},
                           {&testi.rk, "Rk (Ohm)=", &s.rk},
                           {&testi.ampiezza, "Ampiezza ingresso (Vp)=", &s.ampiezza}};
    for (const Campo& c : campi) {
        const std::optional<double> v = numero(*c.testo);
        if (!v)
            return errore(QCoreApplication::translate("RispostaStadio", "%1 non contiene un numero.").arg(QCoreApplication::translate("GraficoRisposta", c.nome)));
        *c.valore = *v;
    }
    if (!testi.carico.trimmed().isEmpty()) {
        const std::optional<double> v = numero(testi.carico);
        if (!v)
            return errore(QCoreApplication::translate("RispostaStadio", "Carico successivo (Ohm)= non contiene un numero."));
        s.carico = *v;
    }

    if (s.b_piu <= 0)
        return errore(QCoreApplication::translate("RispostaStadio", "B+ (V)= deve essere maggiore di zero."));
    if (s.ra <= 0)
        return errore(QCoreApplication::translate("RispostaStadio", "Ra (Ohm)= deve essere maggiore di zero."));
    if (s.rk <= 0)
        return errore(QCoreApplication::translate("RispostaStadio", "Rk (Ohm)= deve essere maggiore di zero."));
    if (s.carico && *s.carico <= 0)
        return errore(QCoreApplication::translate("RispostaStadio", "Carico successivo (Ohm)= deve essere maggiore di zero."));
    if (s.vg_riposo > 0)
        return errore(QCoreApplication::translate("RispostaStadio", "Vg riposo (V)= non può essere positiva: la griglia condurrebbe già a riposo."));
    if (s.ampiezza <= 0)
        return errore(QCoreApplication::translate("RispostaStadio", "Ampiezza ingresso (Vp)= deve essere maggiore di zero."));
    return s;
}

// ----------------------------------------------------------- root finder ---

double radice(const std::function<double(double)>& f, double a, double b, double tolleranza)
{
    constexpr double eps = std::numeric_limits<double>::epsilon();
    double fa = f(a), fb = f(b);
    if (fa == 0)
        return a;
    if (fb == 0)
        return b;
    double c = a, fc = fa, d = b - a, e = d;
    for (int passo = 0; passo < 300; ++passo) {
        if ((fb > 0) == (fc > 0)) {
            c = a;
            fc = fa;
            d = e = b - a;
        }
        if (std::fabs(fc) < std::fabs(fb)) {
            a = b;
            b = c;
            c = a;
            fa = fb;
            fb = fc;
            fc = fa;
        }
        const double tol1 = 2 * eps * std::fabs(b) + 0.5 * tolleranza * std::fabs(b) + 1e-300;
        const double xm = 0.5 * (c - b);
        if (std::fabs(xm) <= tol1 || fb == 0)
            return b;
        if (std::fabs(e) >= tol1 && std::fabs(fa) > std::fabs(fb)) {
            // Secant when only two points are known, else inverse quadratic.
            const double s = fb / fa;
            double p, q;
            if (a == c) {
                p = 2 * xm * s;
                q = 1 - s;
            } else {
                const double qa = fa / fc, r = fb / fc;
                p = s * (2 * xm * qa * (qa - r) - (b - a) * (r - 1));
                q = (qa - 1) * (r - 1) * (s - 1);
            }
            if (p > 0)
                q = -q;
            p = std::fabs(p);
            // Accept the step only when it lands well inside the bracket and
            // shrinks faster than the step before last; else bisect.
            if (2 * p < std::min(3 * xm * q - std::fabs(tol1 * q), std::fabs(e * q))) {
                e = d;
                d = p / q;
            } else {
                d = xm;
                e = d;
            }
        } else {
            d = xm;
            e = d;
        }
        a = b;
        fa = fb;
        b += std::fabs(d) > tol1 ? d : std::copysign(tol1, xm);
        fb = f(b);
    }
    return b;
}

// ------------------------------------------------------------------ DFT ---

std::array<double, 6> armoniche(const std::vector<double>& periodo)
{
    std::array<double, 6> a{};
    const size_t n = periodo.size();
    if (n == 0)
        return a;
    for (int h = 1; h <= 5; ++h) {
        double re = 0, im = 0;
        for (size_t k = 0; k < n; ++k) {
            // The index reduced modulo n keeps the angle small and exact.
            const double angolo = 2 * std::numbers::pi * double((h * k) % n) / double(n);
            re += periodo[k] * std::cos(angolo);
            im += periodo[k] * std::sin(angolo);
        }
        a[h] = 2 * std::hypot(re, im) / double(n);
    }
    return a;
}

// --------------------------------------------------------------- solver ---

namespace {

// The circuit around the tube once the working point is known: the plate
// follows its AC load through the working point, the cathode sits still when
// bypassed and follows the current when not.
struct Circuito {
    const ModelloCorrente& m;
    double ik0, va0, vk0;
    double rac, rk;
    bool bypassato;

    double vk(double i) const { return bypassato ? vk0 : i * rk / 1000; }
    double va(double i) const { return va0 - (i - ik0) * rac / 1000; }
    // The grid at rest sits vg_riposo below the resting cathode.
    double vgk(double vg_riposo, double ingresso, double i) const { return vk0 + vg_riposo + ingresso - vk(i); }

    // The plate current at one input voltage: where the tube's current meets
    // the current the circuit lets through.
    double corrente(double vg_riposo, double ingresso) const
    {
        const auto scarto = [&](double i) { return i - m.corrente(va(i) - vk(i), vgk(vg_riposo, ingresso, i)); };
        // Zero current on one side; on the other the current at which the
        // plate reaches the cathode, where a tube draws nothing. A model
        // that still does widens the bracket until the sign changes.
        const double basso = 0;
        double alto = bypassato ? (va0 - vk0) * 1000 / rac + ik0 : (va0 * 1000 + ik0 * rac) / (rac + rk);
        if (!(alto > 0))
            alto = ik0 > 0 ? 2 * ik0 : 1;
        return radice_in(scarto, basso, alto);
    }

    static double radice_in(const std::function<double(double)>& f, double basso, double alto)
    {
        double fb = f(basso), fa = f(alto);
        for (int i = 0; i < 80 && fb > 0; ++i) {
            basso -= (alto - basso);
            fb = f(basso);
        }
        for (int i = 0; i < 80 && fa < 0; ++i) {
            alto += (alto - basso);
            fa = f(alto);
        }
        if (!(fb <= 0 && fa >= 0))
            return std::numeric_limits<double>::quiet_NaN();
        return radice(f, basso, alto, tolleranza_relativa);
    }
};

// Input peak at which the increasing function g of the amplitude crosses 0,
// starting from g(0) < 0; none when it never does within reason.
std::optional<double> ampiezza_limite(const std::function<double(double)>& g, double primo)
{
    double alto = primo;
    for (int i = 0; i < 40; ++i, alto *= 2) {
        const double v = g(alto);
        if (!std::isfinite(v))
            return std::nullopt;
        if (v >= 0)
            return radice(g, 0, alto, tolleranza_relativa);
    }
    return std::nullopt;
}

bool finito(double v)
{
    return std::isfinite(v);
}

} // namespace

Risposta calcola(const ModelloCorrente& m, const Stadio& s)
{
    Risposta r;
    const auto invalida = [](const QString& motivo) {
        Risposta vuota;
        vuota.motivo = motivo;
        return vuota;
    };

    // Working point: the DC load line runs from B+ through Ra and Rk.
    const double r_dc = s.ra + s.rk;
    const auto scarto_dc = [&](double i) { return i - m.corrente(s.b_piu - i * r_dc / 1000, s.vg_riposo); };
    r.ik0 = Circuito::radice_in(scarto_dc, 0, s.b_piu * 1000 / r_dc);
    if (!finito(r.ik0))
        return invalida(QCoreApplication::translate("RispostaStadio", "I valori portano il calcolo fuori campo."));
    if (r.ik0 <= 1e-9)
        return invalida(QCoreApplication::translate("RispostaStadio", "B+ non supera la tensione del punto di lavoro: "
                                       "con questa griglia la valvola non conduce."));
    r.va0 = s.b_piu - r.ik0 * s.ra / 1000;
    r.vk0 = r.ik0 * s.rk / 1000;
    r.vpk0 = r.va0 - r.vk0;
    if (!(r.vpk0 > 0))
        return invalida(QCoreApplication::translate("RispostaStadio", "B+ non supera la tensione del punto di lavoro."));

    // Small signal: gm and the plate conductance from the exact derivatives.
    const Derivate d = m.derivate(r.vpk0, s.vg_riposo);
    if (!(d.gm > 0) || !(d.gp > 0) || !finito(d.gm) || !finito(d.gp))
        return invalida(QCoreApplication::translate("RispostaStadio", "Il modello non dà pendenza nel punto di lavoro."));
    r.gm = d.gm;
    r.rp = 1 / d.gp;
    r.mu = d.gm / d.gp;
    r.carico_ac = s.carico ? s.ra * *s.carico / (s.ra + *s.carico) : s.ra;
    const double rp_ohm = r.rp * 1000;
    const double rk_reazione = s.catodo_bypassato ? 0 : s.rk;
    r.guadagno = r.mu * r.carico_ac / (r.carico_ac + rp_ohm + (r.mu + 1) * rk_reazione);

    const Circuito c{m, r.ik0, r.va0, r.vk0, r.carico_ac, s.rk, s.catodo_bypassato};
    const double interdizione = soglia_interdizione * r.ik0;

    // One period of the input, solved instant by instant.
    r.campioni.resize(numero_campioni);
    std::vector<double> placca(numero_campioni);
    double minimo = std::numeric_limits<double>::infinity(), massimo = -minimo;
    for (int k = 0; k < numero_campioni; ++k) {
        Campione& x = r.campioni[k];
        x.tempo = double(k) / numero_campioni;
        x.ingresso = s.ampiezza * std::sin(2 * std::numbers::pi * x.tempo);
        x.corrente = c.corrente(s.vg_riposo, x.ingresso);
        x.griglia = c.vgk(s.vg_riposo, x.ingresso, x.corrente);
        x.placca = c.va(x.corrente);
        if (!finito(x.corrente) || !finito(x.placca))
            return invalida(QCoreApplication::translate("RispostaStadio", "Il modello non dà una soluzione per questa ampiezza."));
        x.oltre_griglia = x.griglia > 0;
        x.interdizione = x.corrente < interdizione;
        r.oltre_limite = r.oltre_limite || x.oltre_limite();
        placca[k] = x.placca;
        minimo = std::min(minimo, x.placca);
        massimo = std::max(massimo, x.placca);
    }
    r.uscita_vpp = massimo - minimo;
    r.armoniche = armoniche(placca);
    const double h1 = r.armoniche[1];
    if (!(h1 > 0))
        return invalida(QCoreApplication::translate("RispostaStadio", "L'uscita non ha fondamentale: la valvola resta interdetta."));
    // Below this the output differs from the resting voltage only in its
    // last digits, and the harmonics would be rounding noise.
    if (h1 < 1e-7 * std::max(std::fabs(r.va0), 1.0))
        return invalida(QCoreApplication::translate("RispostaStadio", "Ampiezza ingresso (Vp)= è troppo piccola per calcolare le armoniche."));
    r.h2 = 100 * r.armoniche[2] / h1;
    r.h3 = 100 * r.armoniche[3] / h1;
    double somma = 0;
    for (int h = 2; h <= 5; ++h)
        somma += r.armoniche[h] * r.armoniche[h];
    r.thd = 100 * std::sqrt(somma) / h1;

    // The limits: the grid reaching the cathode on the positive peak, the
    // current falling to cut-off on the negative one.
    std::optional<double> griglia;
    if (s.catodo_bypassato) {
        griglia = -s.vg_riposo;
    } else {
        griglia = s.vg_riposo == 0
                      ? std::optional<double>(0.0)
                      : ampiezza_limite([&](double a) { return c.vgk(s.vg_riposo, a, c.corrente(s.vg_riposo, a)); },
                                        std::max(2 * std::fabs(s.vg_riposo), 1.0));
    }
    const std::optional<double> taglio =
        ampiezza_limite([&](double a) { return interdizione - c.corrente(s.vg_riposo, -a); },
                        std::max(2 * std::fabs(s.vg_riposo), 1.0));
    if (griglia && (!taglio || *griglia <= *taglio)) {
        r.margine = *griglia;
        r.margine_da_griglia = true;
    } else if (taglio) {
        r.margine = *taglio;
        r.margine_da_griglia = false;
    } else {
        return invalida(QCoreApplication::translate("RispostaStadio", "Il modello non raggiunge né 0 V di griglia né l'interdizione."));
    }

    // The transfer curve: past the swing and the margin on both sides.
    constexpr int punti = 121;
    const double estensione = 1.5 * std::max({s.ampiezza, std::fabs(s.vg_riposo), r.margine, 0.1});
    r.trasferimento.resize(punti);
    for (int k = 0; k < punti; ++k) {
        const double ingresso = -estensione + 2 * estensione * k / (punti - 1);
        const double i = c.corrente(s.vg_riposo, ingresso);
        PuntoTrasferimento& p = r.trasferimento[k];
        p.griglia = s.vg_riposo + ingresso;
        p.placca = c.va(i);
        p.oltre_limite = c.vgk(s.vg_riposo, ingresso, i) > 0 || i < interdizione;
        if (!finito(p.placca))
            return invalida(QCoreApplication::translate("RispostaStadio", "Il modello non dà una soluzione lungo la retta di carico."));
    }

    for (double v : {r.gm, r.rp, r.mu, r.guadagno, r.uscita_vpp, r.h2, r.h3, r.thd, r.margine})
        if (!finito(v))
            return invalida(QCoreApplication::translate("RispostaStadio", "I valori portano il calcolo fuori campo."));
    r.valida = true;
    return r;
}

// ------------------------------------------------------------------ CSV ---

bool scrivi_csv(const QString& file, const Risposta& r, QString* errore)
{
    const auto fallito = [errore](const QString& testo) {
        if (errore)
            *errore = testo;
        return false;
    };
    if (!r.valida)
        return fallito(QCoreApplication::translate("RispostaStadio", "Nessun risultato da esportare."));
    QSaveFile f(file);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return fallito(f.errorString());
    QByteArray testo = "tempo (periodi),ingresso (V),griglia (V),placca (V),corrente placca (mA)\r\n";
    const auto n = [](double v) { return QByteArray::number(v, 'g', 12); };
    for (const Campione& c : r.campioni)
        testo +=
            n(c.tempo) + ',' + n(c.ingresso) + ',' + n(c.griglia) + ',' + n(c.placca) + ',' + n(c.corrente) + "\r\n";
    if (f.write(testo) != testo.size() || !f.commit())
        return fallito(f.errorString());
    return true;
}

} // namespace risposta
