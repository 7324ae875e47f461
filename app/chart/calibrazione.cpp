#include "chart/calibrazione.h"

#include <cmath>

double calcolav(const Taratura& s, float x)
{
    const float campo = s.vmax_x - s.org_x;
    if (!(campo > 0.0f))
        return 0.0;
    const double v = (double(x) - s.org_x) / double(campo) * s.vmax_v;
    if (!std::isfinite(v) || std::floor(v * 100.0) < 10.0)
        return 0.0;
    return v;
}

double calcolai(const Taratura& s, float y)
{
    const float campo = s.org_y - s.imax_y;
    if (!(campo > 0.0f))
        return 0.0;
    const double t = (double(y) - s.imax_y) / double(campo);
    const double i = s.imax_i - t * s.imax_i;
    if (!std::isfinite(i) || std::floor(i * 100.0) < 10.0)
        return 0.0;
    return i;
}

std::optional<float> riga_corrente(const Taratura& s, double i)
{
    if (s.imax_i == 0.0)
        return std::nullopt;
    const double riga = std::floor(double(s.org_y) - (double(s.org_y) - s.imax_y) * i / s.imax_i);
    if (!std::isfinite(riga) || std::fabs(riga) > 3.0e38)
        return std::nullopt;
    return float(riga);
}
