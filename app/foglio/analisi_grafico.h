#pragma once

// What the program reads on a picture of plate curves before the user
// calibrates it: the grid (its lines and its outer frame), how far the scan
// is skewed, and the rotations that straighten or turn it. Data-sheet scans
// are mostly bilevel 300 dpi pages where black curves, labels and text cross
// a black grid. The lines that run nearly unbroken across the plot, which no
// curve, label or text line does, give the grid's place and spacing; the
// others, broken by the white boxes printed behind labels, are found where
// the regular spacing puts them, as long as ink covers much of them.

#include "chart/taratura.h"

#include <QImage>
#include <QPointF>
#include <QRect>
#include <QString>

#include <optional>
#include <vector>

namespace analisi_grafico {

struct Griglia {
    // Centres of the lines, in pixels, ascending: x of the vertical lines,
    // y of the horizontal ones.
    std::vector<double> verticali;
    std::vector<double> orizzontali;
    // The outer frame: the box of the outermost lines, their width included.
    QRect cornice;

    bool trovata() const { return verticali.size() >= 3 && orizzontali.size() >= 3; }
    // One division: the usual distance between neighbouring lines.
    double passo_x() const;
    double passo_y() const;
};

// The grid of the plot on the picture; not found (no lines) on a picture
// without one. Of several plots (a data sheet's plate characteristics and
// its positive-grid characteristics), the first in reading order among
// those at least half as large as the largest: data sheets print the plate
// characteristics first. A table ruled like a grid is not a plot: its lines
// are neither evenly spaced nor on every place of a lattice.
Griglia rileva_griglia(const QImage& immagine);

// The angle, in degrees, by which the picture's horizontal and vertical
// lines are turned (positive: clockwise on screen), measured to 0.01 degrees
// within +-5 degrees. 0 on a picture with nothing to measure.
double inclinazione(const QImage& immagine);

// The picture turned by `gradi` (positive: clockwise) about its centre, of
// the same size, white where nothing of the picture falls.
QImage ruota(const QImage& immagine, double gradi);

// A quarter turn: clockwise when `destra`, counter-clockwise otherwise.
QImage quarto_di_giro(const QImage& immagine, bool destra);

// `punto` snapped, in each direction on its own, to the nearest grid line
// within `raggio` pixels, rounded to the whole pixel (the calibration is
// stored in whole pixels); a coordinate with no line near stays as it was.
// Where the lines around the click stand closer than twice the radius, the
// radius is half their spacing, so the nearest line always wins; a line
// within 2 px is always taken. Empty when neither coordinate snaps.
inline constexpr double raggio_aggancio = 4.0;
std::optional<QPointF> aggancia(const Griglia& griglia, QPointF punto, double raggio = raggio_aggancio);

// One grid division in volts and milliamperes with the calibration's scale,
// as the window shows it ("Divisione: 10 V; 0,2 mA"), and whether both are
// round numbers (within 2 % of 1, 2, 2.5 or 5 times a power of ten). Empty
// without a grid or with a calibration that gives no scale.
struct Divisione {
    double volt = 0;
    double milliampere = 0;
    QString testo;
    bool rotonda = false;
};
std::optional<Divisione> divisione(const Griglia& griglia, const Taratura& taratura);

// True when the value is within 2 % of 1, 2, 2.5 or 5 times a power of ten.
bool rotondo(double valore);

} // namespace analisi_grafico
