#pragma once

// A synthetic "1950s sheet": plate curves of a known Koren triode drawn the
// way old data sheets print them (black 5 px curves over a black grid of
// 1-2 px minor and 4 px major lines, grid-voltage labels at the upper end of
// each curve, bilevel, 1300 x 1000 at about 300 dpi), then passed through the
// new-tube window's own rescale to 518 x 418. The geometry is known exactly,
// so the tests read the traced points back against the model.

#include "chart/taratura.h"
#include "tubes/immagini_valvola.h"

#include "model/modello_valvola.h"

#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPointF>
#include <QString>
#include <QTemporaryDir>

#include <cmath>
#include <optional>
#include <vector>

namespace foglio_sintetico {

struct Foglio {
    QImage immagine;                     // 518 x 418, as the new-tube window keeps it
    Taratura taratura;                   // exact calibration of the rescaled picture
    modello::ParametriModello parametri; // the set the curves were drawn from
    std::vector<double> griglie;         // grid voltages, top curve first
    double vmax_v = 0, imax_i = 0;
    // Picture pixel (rescaled) of plate voltage ep and current ia.
    QPointF pixel(double ep, double ia) const;
};

// Drawing geometry in the 1300 x 1000 original, continuous coordinates
// (pixel i covers [i, i+1)).
inline constexpr int larghezza_originale = 1300;
inline constexpr int altezza_originale = 1000;
inline constexpr double x0 = 150, x1 = 1250; // 0 V .. vmax
inline constexpr double y0 = 900, y1 = 100;  // 0 mA .. imax
inline constexpr double sx = double(larghezza_originale) / immagini_valvola::larghezza_curva;
inline constexpr double sy = double(altezza_originale) / immagini_valvola::altezza_curva;

// Continuous original coordinate to rescaled pixel index (pixel centres at
// whole numbers): the box filter's pixel j covers [j s, (j + 1) s).
inline double a_x(double x)
{
    return x / sx - 0.5;
}
inline double a_y(double y)
{
    return y / sy - 0.5;
}

inline QPointF Foglio::pixel(double ep, double ia) const
{
    return {a_x(x0 + ep / vmax_v * (x1 - x0)), a_y(y0 - ia / imax_i * (y0 - y1))};
}

// What real sheets print over their curves and grid, one at a time.
enum class Disturbo {
    nessuno,
    // A white box with a border and a label, across the 0 V curve halfway
    // up, as sheets print the grid voltage: the curve is cut in two.
    etichetta_riquadrata,
    // A dash-dot dissipation hyperbola across the curves, each curve going
    // on dashed above it.
    tratteggio,
    // White boxes with a border over the grid, beside the curves and above
    // them (a title box, an axis caption): grid lines broken by them.
    riquadri_griglia,
};

// A box with a black border, white inside, centred on `centro` and turned
// by `gradi`, with a label.
inline void riquadro(QPainter& p, QPointF centro, QSizeF dim, double gradi, const QString& testo)
{
    p.save();
    p.translate(centro);
    p.rotate(gradi);
    const QRectF r(-dim.width() / 2, -dim.height() / 2, dim.width(), dim.height());
    p.setPen(QPen(Qt::black, 4.0));
    p.setBrush(Qt::white);
    p.drawRect(r);
    p.drawText(r, Qt::AlignCenter, testo);
    p.restore();
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::black);
}

// The sheet; empty when the rescale fails.
inline std::optional<Foglio> genera(Disturbo disturbo = Disturbo::nessuno)
{
    Foglio f;
    f.parametri = {modello::TipoModello::triodo_koren, 21.5, 1.3, 1180, 84, 300}; // a medium-mu twin triode
    f.vmax_v = 500;
    f.imax_i = 20;
    for (int k = 0; k <= 6; ++k)
        f.griglie.push_back(-4.0 * k);

    QImage grande(larghezza_originale, altezza_originale, QImage::Format_RGB32);
    grande.fill(Qt::white);
    {
        QPainter p(&grande);
        p.setRenderHint(QPainter::Antialiasing, true);
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::black);
        // Grid: 50 x 40 minor divisions, every fifth line major.
        for (int k = 0; k <= 50; ++k) {
            const double x = x0 + (x1 - x0) * k / 50.0;
            const double w = k % 5 == 0 ? 4.0 : (k % 2 ? 1.0 : 2.0);
            p.drawRect(QRectF(x - w / 2, y1 - 2, w, y0 - y1 + 4));
        }
        for (int k = 0; k <= 40; ++k) {
            const double y = y0 - (y0 - y1) * k / 40.0;
            const double w = k % 5 == 0 ? 4.0 : (k % 2 ? 1.0 : 2.0);
            p.drawRect(QRectF(x0 - 2, y - w / 2, x1 - x0 + 4, w));
        }
        // Curves, each ended where it leaves the plot or at 90 % of the
        // scale, with its label beside the upper end.
        QFont font(QStringLiteral("DejaVu Sans"));
        font.setPixelSize(30);
        font.setBold(true);
        p.setFont(font);
        // The dissipation limit of the dashed variant, V x mA.
        constexpr double dissipazione = 2500;
        const auto punto = [&](double ep, double ia) {
            return QPointF(x0 + ep / f.vmax_v * (x1 - x0), y0 - ia / f.imax_i * (y0 - y1));
        };
        for (double vg : f.griglie) {
            QPainterPath percorso, sopra;
            QPointF fine;
            bool iniziato = false, iniziato_sopra = false;
            for (double ep = 0; ep <= f.vmax_v; ep += 0.5) {
                const double ia = modello::corrente_placca(f.parametri, ep, vg);
                if (ia > 0.9 * f.imax_i)
                    break;
                const QPointF q = punto(ep, ia);
                if (disturbo == Disturbo::tratteggio && ep * ia > dissipazione) {
                    if (!iniziato_sopra)
                        sopra.moveTo(q);
                    else
                        sopra.lineTo(q);
                    iniziato_sopra = true;
                } else if (!iniziato) {
                    percorso.moveTo(q);
                } else {
                    percorso.lineTo(q);
                }
                iniziato = true;
                fine = q;
            }
            p.strokePath(percorso, QPen(Qt::black, 5.0, Qt::SolidLine, Qt::FlatCap, Qt::RoundJoin));
            if (iniziato_sopra) {
                QPen tratto(Qt::black, 5.0, Qt::CustomDashLine, Qt::FlatCap, Qt::RoundJoin);
                tratto.setDashPattern({8, 4}); // 40 px on, 20 px off
                p.strokePath(sopra, tratto);
            }
            if (disturbo == Disturbo::etichetta_riquadrata && vg == 0) {
                // Halfway up the curve, along it.
                double ep = 0;
                while (modello::corrente_placca(f.parametri, ep, vg) < 0.45 * f.imax_i)
                    ep += 0.5;
                const QPointF a = punto(ep - 5, modello::corrente_placca(f.parametri, ep - 5, vg));
                const QPointF b = punto(ep + 5, modello::corrente_placca(f.parametri, ep + 5, vg));
                const double gradi = std::atan2(b.y() - a.y(), b.x() - a.x()) * 180 / 3.14159265358979;
                riquadro(p, punto(ep, modello::corrente_placca(f.parametri, ep, vg)), QSizeF(110, 40), gradi,
                         QStringLiteral("Ec = 0"));
            }
            const QString testo = vg == 0 ? QStringLiteral("Ec = 0") : QString::number(vg);
            p.setBrush(Qt::black);
            p.setPen(Qt::black);
            p.drawText(QPointF(fine.x() + 8, fine.y() + 30), testo);
            p.setPen(Qt::NoPen);
        }
        if (disturbo == Disturbo::tratteggio) {
            QPainterPath iperbole;
            for (double ep = dissipazione / (0.95 * f.imax_i); ep <= f.vmax_v; ep += 1) {
                const QPointF q = punto(ep, dissipazione / ep);
                if (iperbole.isEmpty())
                    iperbole.moveTo(q);
                else
                    iperbole.lineTo(q);
            }
            QPen tratto_punto(Qt::black, 4.0, Qt::CustomDashLine, Qt::FlatCap, Qt::RoundJoin);
            tratto_punto.setDashPattern({8, 3, 1.5, 3}); // dash, gap, dot, gap
            p.strokePath(iperbole, tratto_punto);
        }
        if (disturbo == Disturbo::riquadri_griglia) {
            // An axis caption left of the 0 V curve, a title above the
            // curves' ends.
            riquadro(p, QPointF(215, 450), QSizeF(90, 300), 0, QStringLiteral("mA"));
            riquadro(p, QPointF(850, 140), QSizeF(300, 60), 0, QStringLiteral("TRIODE"));
        }
    }
    // Bilevel, as a 300 dpi scan is.
    QImage bilivello = grande.convertToFormat(QImage::Format_Grayscale8);
    for (int y = 0; y < bilivello.height(); ++y) {
        uchar* r = bilivello.scanLine(y);
        for (int x = 0; x < bilivello.width(); ++x)
            r[x] = r[x] < 128 ? 0 : 255;
    }

    QTemporaryDir dir;
    const QString sorgente = dir.filePath(QStringLiteral("foglio.png"));
    const QString ridotto = dir.filePath(QStringLiteral("CurvaRedim.gif"));
    if (!bilivello.save(sorgente) || !immagini_valvola::ridimensiona_curva(sorgente, ridotto))
        return std::nullopt;
    f.immagine = immagini_valvola::leggi(ridotto);
    if (f.immagine.isNull())
        return std::nullopt;
    const QPointF o = f.pixel(0, 0), v = f.pixel(f.vmax_v, 0), i = f.pixel(0, f.imax_i);
    f.taratura.org_x = float(o.x());
    f.taratura.org_y = float(o.y());
    f.taratura.vmax_x = float(v.x());
    f.taratura.vmax_y = float(v.y());
    f.taratura.vmax_v = f.vmax_v;
    f.taratura.imax_x = float(i.x());
    f.taratura.imax_y = float(i.y());
    f.taratura.imax_i = f.imax_i;
    return f;
}

} // namespace foglio_sintetico
