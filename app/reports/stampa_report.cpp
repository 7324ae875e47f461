#include "reports/stampa_report.h"

#include "common/twips.h"
#include "reports/impaginazione_sezioni.h"

#include <QCoreApplication>
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

// The sections' pages, as the PDF lays them out: A4 in centimetres mapped
// onto the printer's page, the same scale both ways.
class PaginaCm {
public:
    PaginaCm(QPainter& p) : p_(p)
    {
        const QPaintDevice* d = p.device();
        scala_ = std::min(d->width() / double(larghezza_a4), d->height() / double(altezza_a4));
    }

    QPointF punto(float x, float y) const { return {x * scala_, (altezza_a4 - y) * scala_}; }

    void font(ElementoPagina::Stile stile)
    {
        using S = ElementoPagina::Stile;
        QFont f(stile == S::numero ? QStringLiteral("Times New Roman") : QStringLiteral("Arial"));
        f.setPointSizeF(corpo_stile(stile));
        f.setBold(stile == S::titolo || stile == S::didascalia);
        f.setItalic(stile == S::intestazione);
        p_.setFont(f);
    }

    // Width in centimetres, in the font of the plain texts.
    float larghezza(const QString& t, float corpo)
    {
        QFont f(QStringLiteral("Arial"));
        f.setPointSizeF(corpo);
        return static_cast<float>(QFontMetricsF(f, p_.device()).horizontalAdvance(t) / scala_);
    }

    void disegna(const ElementoPagina& e, const std::vector<const QImage*>& figure)
    {
        switch (e.tipo) {
        case ElementoPagina::Tipo::testo: {
            font(e.stile);
            const double l = QFontMetricsF(p_.font(), p_.device()).horizontalAdvance(e.testo);
            QPointF a = punto(e.x, e.y);
            if (e.allineamento == 1)
                a.rx() -= l;
            else if (e.allineamento == 2)
                a.rx() -= l / 2;
            p_.drawText(a, e.testo);
            break;
        }
        case ElementoPagina::Tipo::linea: p_.drawLine(punto(e.x, e.y), punto(e.x1, e.y1)); break;
        case ElementoPagina::Tipo::figura:
            if (e.figura < figure.size() && !figure[e.figura]->isNull())
                p_.drawImage(QRectF(punto(e.x, e.y), QSizeF(e.larghezza * scala_, e.altezza * scala_)),
                             *figure[e.figura]);
            break;
        }
    }

private:
    QPainter& p_;
    double scala_ = 1;
};

void stampa_sezioni(QPagedPaintDevice& stampante, QPainter& painter, const DatiReport& dati)
{
    std::vector<const QImage*> figure;
    for (const SezioneReport& s : dati.sezioni)
        for (const FiguraSezione& f : s.figure)
            figure.push_back(&f.immagine);
    PaginaCm pagina(painter);
    const auto pagine =
        impagina_sezioni(dati.sezioni, testo_designazioni(dati.nome_valvola), 2,
                         [&pagina](const QString& t, float corpo) { return pagina.larghezza(t, corpo); });
    const QString totale = QCoreApplication::translate("Report", "di %1").arg(pagine.size() + 1);
    for (const PaginaSezioni& p : pagine) {
        stampante.newPage();
        painter.setPen(QPen(Qt::black, 0));
        for (const ElementoPagina& e : p)
            pagina.disegna(e, figure);
        // The footer the PDF stamps on every page.
        ElementoPagina di;
        di.stile = ElementoPagina::Stile::numero;
        di.x = 19.0f;
        di.y = 1.5f;
        di.testo = totale;
        di.allineamento = 1;
        pagina.disegna(di, figure);
    }
}

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
        {2000, QCoreApplication::translate("Report", "Punto di Lavoro")},
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
        stampa_sezioni(stampante, painter, dati);
    }
    painter.end();
}
