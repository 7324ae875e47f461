#include "model/adattamento.h"

#include <QRegularExpression>

#include <ceres/ceres.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <memory>

namespace adattamento {
namespace {

using modello::TipoModello;
using Parametri = std::array<double, modello::n_parametri>;

using curve_modello::milliampere_di;
using curve_modello::Scale;
using curve_modello::scale_di;
using curve_modello::taratura_usabile;
using curve_modello::volt_di;

// One traced point in volts and milliamperes.
struct Punto {
    double ep = 0;
    double eg = 0;
    double ip = 0;
    int curva = 0;
};

template <typename T> T corrente(const T* p, const T& ep, double eg, bool pentodo, double vg2)
{
    return pentodo ? modello::corrente_pentodo(p, ep, T(eg), vg2) : modello::corrente_triodo(p, ep, T(eg));
}

// The distance, in pixels, from a traced point to the model curve of its grid
// voltage, measured across the curve: the current error in pixels over
// sqrt(1 + s^2), s being the slope of the model curve on the picture.
struct Scarto {
    Punto pt;
    Scale sc;
    bool pentodo = false;
    double vg2 = 0;

    template <typename T> bool operator()(const T* p, T* r) const
    {
        using std::sqrt;
        const double h = 0.5 * sc.v_per_px; // half a pixel each side
        const T i0 = corrente(p, T(pt.ep), pt.eg, pentodo, vg2);
        const T i1 = corrente(p, T(pt.ep + h), pt.eg, pentodo, vg2);
        const T i2 = corrente(p, T(std::max(pt.ep - h, 0.0)), pt.eg, pentodo, vg2);
        const double dx_px = (pt.ep + h - std::max(pt.ep - h, 0.0)) / sc.v_per_px;
        const T pendenza = (i1 - i2) / T(sc.ma_per_px * dx_px);
        r[0] = (i0 - T(pt.ip)) / T(sc.ma_per_px) / sqrt(T(1.0) + pendenza * pendenza);
        return true;
    }
};

double scarto_punto(const Parametri& p, const Punto& pt, const Scale& sc, bool pentodo, double vg2)
{
    const Scarto s{pt, sc, pentodo, vg2};
    double r = 0;
    s(p.data(), &r);
    return r;
}

// Kg1 that best fits the points with every other parameter fixed: the model
// current is g/Kg1, so 1/Kg1 is a linear least-squares coefficient.
double kg1_lineare(Parametri p, const QVector<Punto>& punti, bool pentodo, double vg2)
{
    p[modello::i_kg1] = 1.0;
    double gg = 0, gi = 0;
    for (const Punto& pt : punti) {
        const double g = corrente(p.data(), pt.ep, pt.eg, pentodo, vg2);
        gg += g * g;
        gi += g * pt.ip;
    }
    if (!(gi > 0) || !std::isfinite(gg))
        return 1000.0;
    return std::clamp(gg / gi, 1.0, 1e5);
}

// Plate voltage where a curve (points in increasing voltage) first reaches a
// current; empty when it never does.
std::optional<double> volt_a_corrente(const QVector<Punto>& curva, double ip)
{
    for (int i = 1; i < curva.size(); ++i) {
        const Punto& a = curva[i - 1];
        const Punto& b = curva[i];
        if ((a.ip - ip) * (b.ip - ip) <= 0 && a.ip != b.ip)
            return a.ep + (ip - a.ip) * (b.ep - a.ep) / (b.ip - a.ip);
    }
    return std::nullopt;
}

// The triode's amplification factor read off the picture: at one current,
// the plate voltage step between neighbouring curves over their grid step.
double mu_stimato(const QVector<QVector<Punto>>& curve)
{
    QVector<double> stime;
    for (int k = 1; k < curve.size(); ++k) {
        const auto& a = curve[k - 1];
        const auto& b = curve[k];
        if (a.isEmpty() || b.isEmpty() || a.front().eg == b.front().eg)
            continue;
        double max_a = 0, max_b = 0;
        for (const Punto& p : a)
            max_a = std::max(max_a, p.ip);
        for (const Punto& p : b)
            max_b = std::max(max_b, p.ip);
        const double livello = 0.5 * std::min(max_a, max_b);
        const auto va = volt_a_corrente(a, livello);
        const auto vb = volt_a_corrente(b, livello);
        if (va && vb)
            stime << std::abs((*vb - *va) / (b.front().eg - a.front().eg));
    }
    if (stime.isEmpty())
        return 20.0;
    std::nth_element(stime.begin(), stime.begin() + stime.size() / 2, stime.end());
    return std::clamp(stime[stime.size() / 2], 1.0, 300.0);
}

struct Esito {
    Parametri p{};
    double costo = 0;
    bool convergente = false;
};

Esito risolvi(Parametri iniziale, const QVector<Punto>& punti, const Scale& sc, bool pentodo, double vg2,
              int iterazioni)
{
    Esito e;
    e.p = iniziale;
    // One loss shared by every residual, so the problem must not free it.
    ceres::Problem::Options opzioni_problema;
    opzioni_problema.loss_function_ownership = ceres::DO_NOT_TAKE_OWNERSHIP;
    const auto perdita = std::make_unique<ceres::CauchyLoss>(1.0);
    ceres::Problem problema(opzioni_problema);
    for (const Punto& pt : punti) {
        auto* costo =
            new ceres::AutoDiffCostFunction<Scarto, 1, modello::n_parametri>(new Scarto{pt, sc, pentodo, vg2});
        problema.AddResidualBlock(costo, perdita.get(), e.p.data());
    }
    double* p = e.p.data();
    const auto limiti = [&](int i, double lo, double hi) {
        problema.SetParameterLowerBound(p, i, lo);
        problema.SetParameterUpperBound(p, i, hi);
    };
    limiti(modello::i_mu, 1, 300);
    limiti(modello::i_ex, 1, 2);
    limiti(modello::i_kg1, 1, 1e5);
    limiti(modello::i_kp, 1, 5000);
    if (pentodo) {
        limiti(modello::i_kvb, 0.1, 200);
        // The pentode has no grid offset: Vct stays at 0.
        problema.SetManifold(p, new ceres::SubsetManifold(modello::n_parametri, {modello::i_vct}));
    } else {
        limiti(modello::i_kvb, 0, 1e4);
        limiti(modello::i_vct, -2, 2);
    }

    ceres::Solver::Options opzioni;
    opzioni.linear_solver_type = ceres::DENSE_QR;
    opzioni.max_num_iterations = iterazioni;
    opzioni.num_threads = 1;
    opzioni.function_tolerance = 1e-9;
    opzioni.parameter_tolerance = 1e-9;
    opzioni.gradient_tolerance = 1e-11;
    opzioni.logging_type = ceres::SILENT;
    opzioni.minimizer_progress_to_stdout = false;
    ceres::Solver::Summary sommario;
    ceres::Solve(opzioni, &problema, &sommario);
    e.costo = sommario.final_cost;
    e.convergente = sommario.IsSolutionUsable() && std::isfinite(sommario.final_cost) &&
                    sommario.termination_type == ceres::CONVERGENCE;
    if (!sommario.IsSolutionUsable() || !std::isfinite(sommario.final_cost))
        e.costo = std::numeric_limits<double>::infinity();
    return e;
}

double mediana(QVector<double> v)
{
    if (v.isEmpty())
        return 0;
    std::sort(v.begin(), v.end());
    const int n = v.size();
    return n % 2 ? v[n / 2] : 0.5 * (v[n / 2 - 1] + v[n / 2]);
}

} // namespace

QString msg_griglia_non_numero(int riga)
{
    return QCoreApplication::translate("Adattamento", "La tensione di griglia della curva %1 non è un numero.").arg(riga);
}

QVector<double> griglie_in_sequenza(double prima, double passo, int n)
{
    QVector<double> g;
    for (int k = 0; k < n; ++k)
        g << prima - passo * k;
    return g;
}

std::optional<double> leggi_tensione(const QString& testo)
{
    static const QRegularExpression forma(QStringLiteral("^[+-]?(\\d+([.,]\\d*)?|[.,]\\d+)$"));
    QString t = testo.trimmed();
    t.replace(QChar(0x2212), u'-'); // the typographic minus
    if (!forma.match(t).hasMatch())
        return std::nullopt;
    t.replace(u',', u'.');
    bool ok = false;
    const double v = t.toDouble(&ok);
    if (!ok || !std::isfinite(v))
        return std::nullopt;
    return v;
}

Risultato adatta(const Richiesta& r)
{
    Risultato ris;
    const bool pentodo = r.tipo == TipoModello::pentodo_koren;
    if (!taratura_usabile(r.taratura)) {
        ris.errore = msg_senza_taratura;
        return ris;
    }
    if (pentodo && !(r.vg2 > 0 && std::isfinite(r.vg2))) {
        ris.errore = msg_senza_vg2;
        return ris;
    }
    for (int k = 0; k < r.curve.size(); ++k)
        if (!std::isfinite(r.curve[k].vg)) {
            ris.errore = msg_griglia_non_numero(k + 1);
            return ris;
        }

    const Scale sc = scale_di(r.taratura);
    QVector<Punto> punti;
    QVector<QVector<Punto>> per_curva(r.curve.size());
    for (int k = 0; k < r.curve.size(); ++k) {
        QVector<QPointF> pts = r.curve[k].punti;
        std::sort(pts.begin(), pts.end(), [](const QPointF& a, const QPointF& b) { return a.x() < b.x(); });
        for (const QPointF& q : pts) {
            const Punto pt{volt_di(r.taratura, q.x()), r.curve[k].vg, milliampere_di(r.taratura, q.y()), k};
            if (!std::isfinite(pt.ep) || !std::isfinite(pt.ip) || pt.ep <= 0)
                continue;
            punti << pt;
            per_curva[k] << pt;
        }
    }
    // Points left of the origin or not numbers do not count: a curve needs
    // two points the model can be measured against.
    int curve_utili = 0;
    for (const auto& c : per_curva)
        if (c.size() >= 2)
            ++curve_utili;
    if (curve_utili < 2) {
        ris.errore = msg_poche_curve;
        return ris;
    }

    // Starting points: the amplification factor read off the picture (the
    // triode's; a pentode's curves are flat, so its mu is only sampled), a
    // few cut-off shapes, and Kg1 solved for each.
    QVector<double> mu_iniziali;
    QVector<double> kp_iniziali;
    double kvb_iniziale = 0;
    if (pentodo) {
        mu_iniziali = {6, 12, 24};
        kp_iniziali = {30, 60, 150};
        kvb_iniziale = 20;
    } else {
        const double mu0 = mu_stimato(per_curva);
        for (double f : {0.7, 1.0, 1.4})
            mu_iniziali << std::clamp(mu0 * f, 1.0, 300.0);
        kp_iniziali = {50, 150, 500};
        kvb_iniziale = 300;
    }

    // The starts are compared on every third point, a few iterations each;
    // the best three are then taken to convergence on all of them, and the
    // lowest of those kept: on a family whose curves the form follows only
    // roughly, the short runs rank a start that ends in a poorer minimum
    // (some curves fitted, the rest given up as outliers) first.
    QVector<Punto> campione;
    for (int i = 0; i < punti.size(); i += 3)
        campione << punti[i];
    if (campione.size() < 4 * modello::n_parametri)
        campione = punti;
    std::vector<Esito> partenze;
    for (double mu : mu_iniziali)
        for (double kp : kp_iniziali) {
            Parametri p{};
            p[modello::i_mu] = mu;
            p[modello::i_ex] = 1.4;
            p[modello::i_kp] = kp;
            p[modello::i_kvb] = kvb_iniziale;
            p[modello::i_vct] = 0;
            p[modello::i_kg1] = kg1_lineare(p, punti, pentodo, r.vg2);
            const Esito e = risolvi(p, campione, sc, pentodo, r.vg2, 15);
            if (std::isfinite(e.costo))
                partenze.push_back(e);
        }
    if (partenze.empty()) {
        ris.errore = msg_non_converge;
        return ris;
    }
    std::sort(partenze.begin(), partenze.end(), [](const Esito& a, const Esito& b) { return a.costo < b.costo; });
    Esito finale;
    finale.costo = std::numeric_limits<double>::infinity();
    for (std::size_t k = 0; k < std::min<std::size_t>(3, partenze.size()); ++k) {
        const Esito e = risolvi(partenze[k].p, punti, sc, pentodo, r.vg2, 500);
        if (e.convergente && e.costo < finale.costo)
            finale = e;
    }
    if (!finale.convergente) {
        ris.errore = msg_non_converge;
        return ris;
    }

    const Parametri& p = finale.p;
    ris.parametri.tipo = r.tipo;
    ris.parametri.mu = p[modello::i_mu];
    ris.parametri.ex = p[modello::i_ex];
    ris.parametri.kg1 = p[modello::i_kg1];
    ris.parametri.kp = p[modello::i_kp];
    ris.parametri.kvb = p[modello::i_kvb];
    ris.parametri.vct = pentodo ? 0 : p[modello::i_vct];
    ris.parametri.vg2 = pentodo ? r.vg2 : 0;

    QVector<double> somma(r.curve.size(), 0.0);
    QVector<int> conta(r.curve.size(), 0);
    double somma_tutti = 0;
    for (const Punto& pt : punti) {
        const double s = scarto_punto(p, pt, sc, pentodo, r.vg2);
        if (!std::isfinite(s)) {
            ris.errore = msg_non_converge;
            return ris;
        }
        somma[pt.curva] += s * s;
        conta[pt.curva] += 1;
        somma_tutti += s * s;
        ris.scarto_massimo = std::max(ris.scarto_massimo, std::abs(s));
    }
    ris.punti = int(punti.size());
    ris.scarto_medio = std::sqrt(somma_tutti / std::max(1, ris.punti));
    QVector<double> con_punti;
    for (int k = 0; k < r.curve.size(); ++k) {
        ris.scarti_curve << (conta[k] ? std::sqrt(somma[k] / conta[k]) : 0.0);
        if (conta[k])
            con_punti << ris.scarti_curve.back();
    }
    const double med = mediana(con_punti);
    for (int k = 0; k < r.curve.size(); ++k)
        ris.curve_anomale << (conta[k] && ris.scarti_curve[k] > fattore_anomalia * med &&
                              ris.scarti_curve[k] > soglia_minima_px);
    ris.ok = true;
    return ris;
}

} // namespace adattamento
