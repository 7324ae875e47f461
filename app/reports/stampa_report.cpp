#include "reports/stampa_report.h"

#include "common/twips.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPagedPaintDevice>

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

constexpr double twips_per_pollice = 1440.0;
// A screen picture is drawn at its own size: one pixel at 96 dpi.
constexpr double twips_per_pixel = twips::per_pixel;

// The page in twips, drawn on a printer in its own device units.
class PaginaTwips {
public:
    PaginaTwips(QPainter& p, double risoluzione) : p_(p), scala_(risoluzione / twips_per_pollice) {}

    double larghezza() const { return p_.device()->width() / scala_; }
    double altezza() const { return p_.device()->height() / scala_; }

    double larghezza_testo(const QString& t) const
    {
        return QFontMetricsF(p_.font(), p_.device()).horizontalAdvance(t) / scala_;
    }

    // The text with its top-left corner at (x, y).
    void testo(double x, double y, const QString& t)
    {
        const QFontMetricsF m(p_.font(), p_.device());
        p_.drawText(QPointF(x * scala_, y * scala_ + m.ascent()), t);
    }

    // The picture at its own size with its top-left corner at (x, y); shrunk,
    // keeping its proportions, only where it would run past `limite_x` or
    // `limite_y` (the bottom of the page when not given).
    void figura(double x, double y, const QImage& img, double limite_x, double limite_y = -1)
    {
        if (img.isNull())
            return;
        double w = img.width() * twips_per_pixel;
        double h = img.height() * twips_per_pixel;
        const double fondo = limite_y > 0 ? limite_y : altezza();
        const double fattore = std::min({1.0, (limite_x - x) / w, (fondo - y) / h});
        if (fattore <= 0)
            return;
        w *= fattore;
        h *= fattore;
        p_.drawImage(QRectF(x * scala_, y * scala_, w * scala_, h * scala_), img);
    }

private:
    QPainter& p_;
    double scala_;
};

} // namespace

void stampa_pagina(QPagedPaintDevice& stampante, const DatiReport& dati, bool progetto)
{
    QPainter painter;
    if (!painter.begin(&stampante))
        return;
    PaginaTwips pagina(painter, stampante.logicalDpiX());
    QFont font(QStringLiteral("Courier New"));
    font.setPointSize(12);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(Qt::black);

    const long long W = std::llround(pagina.larghezza());
    const long long H = std::llround(pagina.altezza());
    const double colonna = static_cast<double>(2 * W) / 3.0 + 800;

    // The comma is always there, so a tube with only a European designation
    // starts its line with it.
    const QString designazioni = dati.nome_valvola[0].trimmed() + QLatin1Char(',') + dati.nome_valvola[1].trimmed();
    pagina.testo((W / 2.0 - pagina.larghezza_testo(designazioni)) / 2, 400, designazioni);
    const QString modo = dati.nome_valvola[2].trimmed();
    pagina.testo((static_cast<double>(W) - pagina.larghezza_testo(modo)) / 2, 400, modo);

    const std::pair<int, QString> valori[] = {
        {2000, QStringLiteral("Punto di Lavoro")},
        {3000, QStringLiteral("VA=") + dati.grid_v + QStringLiteral(" V")},
        {3400, QStringLiteral("IA=") + dati.grid_i + QStringLiteral(" mA")},
        {3800, QStringLiteral("VG=") + dati.grid_bias + QStringLiteral(" V")},
        {4200, QStringLiteral("RA=") + dati.r_anodica + QStringLiteral(" Ohm")},
        {4600, QStringLiteral("RK=") + dati.r_catodica + QStringLiteral(" Ohm")},
        {5000, QStringLiteral("CK=") + dati.c_catodica + QStringLiteral(" uF")},
        {5400, QStringLiteral("mu=") + dati.gain_value},
    };
    for (const auto& [y, t] : valori)
        pagina.testo(colonna, y, t);

    // The diagram stays left of the value column, so no value is covered.
    pagina.figura(800, 1000, dati.grafico, colonna - 100);
    if (progetto) {
        const double meta_x = W / 2.0;
        const double meta_y = H / 2.0;
        pagina.figura(600, meta_y, dati.foto_mostrata, meta_x - 100);
        const double tre_quarti = static_cast<double>(3 * H) / 4;
        // The grid stays above the pin-out that follows it.
        pagina.figura(meta_x, meta_y, dati.griglia_caratteristiche, static_cast<double>(W), tre_quarti - 100);
        pagina.figura(meta_x, tre_quarti, dati.piedinatura_mostrata, static_cast<double>(W));
    }
    painter.end();
}
