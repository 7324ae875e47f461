#pragma once

// A data-sheet-like picture of 12AU7 plate curves drawn from the tube model,
// at any size, for loading into the new-tube window. Once the window has
// rescaled it to 518 x 418, its axes sit at whole pixels: origin (56, 380),
// 500 V at column 496, 20 mA at row 40, so the calibration is exact and a
// curve pixel can be checked against the model.

#include "model/modello_valvola.h"
#include "valvole_demo.h"

#include <QImage>
#include <QPainter>
#include <QPainterPath>

namespace curva_12au7 {

inline constexpr int org_x = 56;
inline constexpr int org_y = 380;
inline constexpr int vmax_x = 496;
inline constexpr int imax_y = 40;
inline constexpr int vmax_v = 500;
inline constexpr int imax_i = 20;
inline constexpr double passo_griglia = 2.0; // V between curves, from 0 down
inline constexpr int curve = 13;

inline const modello::ParametriModello& modello()
{
    static const modello::ParametriModello t = [] {
        for (const auto& v : valvole_demo::tabella())
            if (v.sigla_usa == "12AU7")
                return v.parametri;
        return modello::ParametriModello{};
    }();
    return t;
}

inline double corrente(double ep, double eg)
{
    return modello::corrente_placca(modello(), ep, eg);
}

// Row (not rounded) of a current on the rescaled picture.
inline double riga(double ma)
{
    return org_y - ma / imax_i * (org_y - imax_y);
}

// Plate voltage of a column of the rescaled picture.
inline double tensione(double colonna)
{
    return (colonna - org_x) / double(vmax_x - org_x) * vmax_v;
}

inline QImage disegna(int w, int h)
{
    const double sx = double(w) / 518.0;
    const double sy = double(h) / 418.0;
    // A point at the centre of rescaled pixel (u, v) is at these coordinates
    // of the large picture.
    const auto P = [&](double u, double v) { return QPointF((u + 0.5) * sx, (v + 0.5) * sy); };

    QImage img(w, h, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(QPen(QColor(190, 190, 190), 1.0 * sx));
    for (int k = 1; k <= 10; ++k) {
        const double x = org_x + k * (vmax_x - org_x) / 10.0;
        const double y = org_y - k * (org_y - imax_y) / 10.0;
        p.drawLine(P(x, imax_y), P(x, org_y));
        p.drawLine(P(org_x, y), P(vmax_x, y));
    }
    p.setPen(QPen(Qt::black, 1.5 * sx));
    p.drawLine(P(org_x, imax_y), P(org_x, org_y));
    p.drawLine(P(org_x, org_y), P(vmax_x, org_y));
    p.setPen(QPen(Qt::black, 2.0 * sx));
    for (int c = 0; c < curve; ++c) {
        const double eg = -c * passo_griglia;
        QPainterPath tratto;
        bool iniziato = false;
        for (double u = org_x; u <= vmax_x; u += 0.25) {
            const double ma = corrente(tensione(u), eg);
            if (ma > imax_i * 1.05)
                continue;
            const QPointF q = P(u, riga(ma));
            if (!iniziato)
                tratto.moveTo(q);
            else
                tratto.lineTo(q);
            iniziato = true;
        }
        p.drawPath(tratto);
    }
    QFont f;
    f.setPixelSize(int(11 * sy));
    p.setFont(f);
    p.drawText(P(org_x + 10, imax_y - 20), QStringLiteral("12AU7 - Ia (mA) / Va (V)"));
    for (int k = 0; k <= 10; k += 2) {
        const double x = org_x + k * (vmax_x - org_x) / 10.0;
        const double y = org_y - k * (org_y - imax_y) / 10.0;
        p.drawText(P(x - 8, org_y + 18), QString::number(k * vmax_v / 10));
        p.drawText(P(org_x - 30, y + 4), QString::number(k * imax_i / 10));
    }
    return img;
}

} // namespace curva_12au7
