#include "response/dal_grafico.h"

#include <QLocale>

#include <cmath>

namespace risposta {

std::optional<double> griglia_da_vb(const QString& testo_vb)
{
    QString t = testo_vb.trimmed();
    t.replace(u',', u'.');
    bool ok = false;
    const double v = QLocale::c().toDouble(t, &ok);
    if (!ok || !std::isfinite(v))
        return std::nullopt;
    // The field keeps the magnitude once confirmed; the grid sits below the
    // cathode either way.
    return -std::fabs(v);
}

TestiStadio testi_dal_grafico(double retta_v1, int32_t r_anodica, int32_t r_catodica, const QString& testo_vb)
{
    TestiStadio t;
    const auto testo = [](double v) { return QString::number(v, 'g', 10); };
    if (retta_v1 > 0)
        t.b_piu = testo(retta_v1);
    if (r_anodica > 0)
        t.ra = QString::number(r_anodica);
    if (r_catodica > 0)
        t.rk = QString::number(r_catodica);
    if (const std::optional<double> vg = griglia_da_vb(testo_vb)) {
        t.vg_riposo = testo(*vg == 0 ? 0.0 : *vg);
        t.ampiezza = testo(std::fabs(*vg));
    }
    t.catodo_bypassato = true;
    return t;
}

} // namespace risposta
