#pragma once

// A two-page data sheet drawn in vector graphics by the project's own PDF
// writer, laid out as the scanned sheets are: page 1 is text only; page 2
// has a title, a text table, and the 12AU7 plate characteristics on a grid
// of minor and major lines with numbered axes and the curves labelled
// along their upper ends. Its geometry is known exactly, so a test can tell
// where every grid line falls once the page is rendered and cropped.

#include "tubes/curva_12au7.h"

#include "PdfWriter.h"

#include <QPointF>
#include <QRectF>
#include <QString>

#include <cmath>
#include <string>

namespace foglio_pdf {

// Page 2's plot, in points from the lower-left corner of a letter page.
inline constexpr double x0 = 110, x1 = 510; // 0 V and 400 V
inline constexpr double y0 = 150, y1 = 450; // 0 mA and 20 mA
inline constexpr double volt = 400, milliampere = 20;
inline constexpr double minore_v = 10, minore_ma = 1; // one division
inline constexpr double altezza_pagina = 792;

inline double punti_x(double v)
{
    return x0 + v / volt * (x1 - x0);
}
inline double punti_y(double ma)
{
    return y0 + ma / milliampere * (y1 - y0);
}

// Where a point of the plot falls on the page rendered at 300 dpi, in the
// pixel coordinates whose pixel centres are whole numbers.
inline QPointF pixel_pagina(double v, double ma)
{
    const double k = 300.0 / 72.0;
    return QPointF(punti_x(v) * k - 0.5, (altezza_pagina - punti_y(ma)) * k - 0.5);
}

// The plot's frame on the rendered page.
inline QRectF cornice_pagina()
{
    return QRectF(pixel_pagina(0, milliampere), pixel_pagina(volt, 0));
}

inline void scrivi(const QString& percorso)
{
    PdfWriter w;
    w.ScaleMode(0);
    w.PaperSize(2);
    std::string nome = percorso.toStdString();
    w.InitPDFFile(nome);
    std::string arial = "Arial";
    w.LoadFont("F1", arial, 0);
    std::string grassetto = "Arial";
    w.LoadFont("F2", grassetto, 2);

    const auto testo = [&](double x, double y, const std::string& t, const char* font, double corpo, int allinea = 0,
                           double gira = 0) {
        float fx = float(x);
        w.DrawText(fx, float(y), t, font, float(corpo), allinea, float(gira));
    };

    // Page 1: the ratings, text only.
    w.BeginPage();
    testo(306, 720, "12AU7 MEDIUM-MU TWIN TRIODE", "F2", 18, 2);
    const char* righe[] = {"Heater voltage 12.6 V series, 6.3 V parallel",
                           "Plate voltage 250 V max",
                           "Plate dissipation 2.75 W per plate",
                           "Amplification factor 17",
                           "Plate resistance 7700 ohms",
                           "Transconductance 2200 micromhos"};
    double y = 660;
    for (const char* r : righe) {
        testo(90, y, r, "F1", 11);
        y -= 18;
    }
    w.EndPage();

    // Page 2: a table above the plot.
    w.BeginPage();
    testo(306, 740, "12AU7", "F2", 16, 2);
    w.SetLineWidth(0.5f);
    const char* tabella[][4] = {{"Ebb", "Rk", "Gain", "Eo"},
                                {"90", "3300", "10", "15"},
                                {"180", "3000", "11", "32"},
                                {"300", "2700", "11", "46"}};
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            testo(150 + c * 80, 700 - r * 14, tabella[r][c], "F1", 9);
    testo(306, 520, "AVERAGE PLATE CHARACTERISTICS", "F2", 12, 2);

    // The grid: minor lines about 1.2 px wide at 300 dpi, major ones 3.3 px.
    w.SetColorStroke(0);
    for (int i = 0; i <= int(volt / minore_v); ++i) {
        w.SetLineWidth(i % 5 == 0 ? 0.8f : 0.3f);
        const float x = float(punti_x(i * minore_v));
        w.MoveTo(x, float(y0));
        w.LineTo(x, float(y1));
    }
    for (int i = 0; i <= int(milliampere / minore_ma); ++i) {
        w.SetLineWidth(i % 5 == 0 ? 0.8f : 0.3f);
        const float yy = float(punti_y(i * minore_ma));
        w.MoveTo(float(x0), yy);
        w.LineTo(float(x1), yy);
    }
    for (int v = 0; v <= int(volt); v += 50)
        testo(punti_x(v), y0 - 14, std::to_string(v), "F1", 9, 2);
    for (int ma = 0; ma <= int(milliampere); ma += 5)
        testo(x0 - 6, punti_y(ma) - 3, std::to_string(ma), "F1", 9, 1);
    testo(306, y0 - 30, "PLATE VOLTS", "F1", 10, 2);
    testo(x0 - 30, 250, "PLATE MILLIAMPERES", "F1", 10, 0, 90);

    // The curves, each labelled with its grid voltage along its upper end.
    w.SetLineWidth(1.0f);
    for (int c = 0; c <= 8; ++c) {
        const double eg = -2.0 * c;
        bool iniziato = false;
        double ux = 0, uy = 0, px = 0, py = 0;
        for (double v = 0; v <= volt; v += 2) {
            const double ma = curva_12au7::corrente(v, eg);
            if (ma > milliampere * 0.95)
                break;
            const double xx = punti_x(v), yy = punti_y(ma);
            if (!iniziato)
                w.MoveTo(float(xx), float(yy));
            else
                w.LineTo(float(xx), float(yy), 0);
            px = ux;
            py = uy;
            ux = xx;
            uy = yy;
            iniziato = true;
        }
        if (!iniziato)
            continue;
        w.PaintPath(1);
        const double angolo = std::atan2(uy - py, ux - px) * 180 / 3.14159265358979;
        testo(ux + 3, uy + 2, c == 0 ? "Ec = 0" : std::to_string(int(eg)), "F1", 8, 0, angolo);
    }
    w.EndPage();
    w.ClosePDFFile();
}

} // namespace foglio_pdf
