#include "model/curve_modello.h"

#include <algorithm>
#include <cmath>

namespace curve_modello {

Scale scale_di(const Taratura& t)
{
    return {t.vmax_v / (double(t.vmax_x) - t.org_x), t.imax_i / (double(t.org_y) - t.imax_y)};
}

bool taratura_usabile(const Taratura& t)
{
    const double dx = double(t.vmax_x) - t.org_x;
    const double dy = double(t.org_y) - t.imax_y;
    return std::isfinite(dx) && std::isfinite(dy) && dx > 0 && dy > 0 && t.vmax_v > 0 && t.imax_i > 0 &&
           std::isfinite(t.vmax_v) && std::isfinite(t.imax_i);
}

double volt_di(const Taratura& t, double x)
{
    return (x - t.org_x) * scale_di(t).v_per_px;
}

double milliampere_di(const Taratura& t, double y)
{
    return (double(t.org_y) - y) * scale_di(t).ma_per_px;
}

double x_di(const Taratura& t, double volt)
{
    return t.org_x + volt / scale_di(t).v_per_px;
}

double y_di(const Taratura& t, double milliampere)
{
    return t.org_y - milliampere / scale_di(t).ma_per_px;
}

QVector<QVector<QPointF>> curve(const modello::ParametriModello& m, const QVector<double>& griglie, const Taratura& t)
{
    QVector<QVector<QPointF>> risultato;
    if (!taratura_usabile(t))
        return risultato;
    // Whole columns from the origin; bounded, whatever the calibration says.
    const int colonne = int(std::min((double(t.vmax_x) - t.org_x) / 2.0, 20000.0));
    for (double vg : griglie) {
        QVector<QPointF> tratto;
        for (int j = 0; j <= colonne; ++j) {
            const double x = t.org_x + 2.0 * j;
            const double i = modello::corrente_placca(m, volt_di(t, x), vg);
            if (!std::isfinite(i) || i > t.imax_i || i <= 0) {
                if (tratto.size() >= 2)
                    risultato << tratto;
                tratto.clear();
                continue;
            }
            tratto << QPointF(x, y_di(t, i));
        }
        if (tratto.size() >= 2)
            risultato << tratto;
    }
    return risultato;
}

} // namespace curve_modello
