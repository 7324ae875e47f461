#include "finale/curve_finale.h"

#include <algorithm>
#include <cmath>

namespace finale {

namespace {

constexpr int punti_curva = 160;

} // namespace

CurveFinale curve_finale(const ModelloFinale& m, const IngressiFinale& in, const RisultatoFinale& r, double pmax_w)
{
    CurveFinale c;
    if (!r.valido)
        return c;
    const bool coppia = r.tubi == 2;
    const double z = in.impedenza / 1000;
    double ep_max = coppia ? 2 * r.va_riposo : r.va_riposo + r.ia_riposo * z;
    double ia_max = 2 * r.ia_riposo;
    for (const CampioneFinale& s : r.campioni) {
        ep_max = std::max(ep_max, s.placca[0]);
        ia_max = std::max(ia_max, s.corrente[0]);
        c.escursione.emplace_back(s.placca[0], s.corrente[0]);
        if (s.griglia[0] > 0)
            c.oltre_griglia.emplace_back(s.placca[0], s.corrente[0]);
    }
    // A single tube's line reaches the current axis far above the swing:
    // the plot stops a little above what the design uses.
    c.ep_massima = 1.05 * ep_max;
    c.ia_massima = 1.25 * ia_max;
    c.lavoro = QPointF(r.va_riposo, r.ia_riposo);

    // Nine curves from the drive's top to its bottom around the rest bias.
    const double vk = r.vk_riposo;
    const double a = in.ampiezza;
    for (int k = 0; k <= 8; ++k) {
        const double vg = in.vg_riposo + a * (1 - k / 4.0);
        std::vector<QPointF> curva;
        for (int i = 0; i <= punti_curva; ++i) {
            const double ep = c.ep_massima * i / punti_curva;
            const double ia = corrente_tubo(m, in, ep, vg, vk);
            if (ia > c.ia_massima) {
                curva.emplace_back(ep, c.ia_massima);
                break;
            }
            curva.emplace_back(ep, ia);
        }
        c.griglie.push_back(vg);
        c.caratteristiche.push_back(std::move(curva));
    }

    if (!coppia) {
        c.retta = {QPointF(std::max(0.0, r.va_riposo - (c.ia_massima - r.ia_riposo) * z),
                           std::min(c.ia_massima, r.ia_riposo + r.va_riposo / z)),
                   QPointF(std::min(c.ep_massima, r.va_riposo + r.ia_riposo * z),
                           std::max(0.0, r.ia_riposo - (c.ep_massima - r.va_riposo) / z))};
    } else {
        c.retta = c.escursione;
        std::sort(c.retta.begin(), c.retta.end(), [](const QPointF& p, const QPointF& q) { return p.x() < q.x(); });
        // The pair seen from the first tube's plate: the difference of the
        // two currents, the second tube's plate mirrored around the rest.
        const double ep0 = r.va_riposo;
        for (double e : {-a, 0.0, a}) {
            std::vector<QPointF> curva;
            for (int i = 0; i <= punti_curva; ++i) {
                const double ep = 2 * ep0 * i / punti_curva;
                const double ic = corrente_tubo(m, in, ep, in.vg_riposo + e, vk) -
                                  corrente_tubo(m, in, 2 * ep0 - ep, in.vg_riposo - e, vk);
                if (std::fabs(ic) <= c.ia_massima)
                    curva.emplace_back(ep, ic);
            }
            c.composite.push_back(std::move(curva));
        }
        const double pendenza = 4 / z; // mA per V
        const double semi = std::min(ep0, c.ia_massima / pendenza);
        c.retta_composita = {QPointF(ep0 - semi, semi * pendenza), QPointF(ep0 + semi, -semi * pendenza)};
    }

    if (pmax_w > 0) {
        const double inizio = std::max(pmax_w * 1000 / c.ia_massima, 1e-3);
        for (int i = 0; i <= punti_curva && inizio < c.ep_massima; ++i) {
            const double ep = inizio + (c.ep_massima - inizio) * i / punti_curva;
            c.iperbole.emplace_back(ep, pmax_w * 1000 / ep);
        }
    }
    return c;
}

std::vector<QPointF> retta_su_grafico(const IngressiFinale& in, const RisultatoFinale& r)
{
    std::vector<QPointF> punti;
    if (!r.valido)
        return punti;
    if (r.tubi == 2) {
        for (const CampioneFinale& s : r.campioni)
            punti.emplace_back(s.placca[0], s.corrente[0]);
        std::sort(punti.begin(), punti.end(), [](const QPointF& p, const QPointF& q) { return p.x() < q.x(); });
        return punti;
    }
    const double z = in.impedenza / 1000;
    const double fine = r.va_riposo + r.ia_riposo * z; // where the line meets the voltage axis
    for (int i = 0; i <= 400; ++i) {
        const double ep = fine * i / 400;
        punti.emplace_back(ep, r.ia_riposo - (ep - r.va_riposo) / z);
    }
    return punti;
}

} // namespace finale
