#pragma once

// Finds the plate curves of a calibrated curve picture, for fitting a tube
// model to them. It reads both kinds of picture the program holds: the clean
// colour curves over a grey grid that the demo set is drawn with, and real
// data-sheet scans (black curves over a black grid, with labels along the
// curves) once the new-tube window has rescaled them to 518 x 418, where
// everything arrives grey, antialiased and one to two pixels wide.
//
// The way there: every pixel gets a darkness (its colour distance from the
// paper); the rows and columns that the grid lines fill across the calibrated
// plot are found by projection and their own darkness is taken off, so a
// curve crossing a line keeps what it adds to it; small compact blobs (the
// labels) are dropped; each curve is then followed step by step, its position
// being the darkness-weighted centroid across its width (sub-pixel), gaps of
// a few pixels bridged along the direction it had, and no points taken where
// another curve runs too close to tell the two apart. A trace is cut where it
// turns sharply or back in voltage (it left its curve there); pieces that run
// exactly along a row or column, lose current with rising voltage (load
// lines) or are much fainter than the rest (grid residue) are dropped, and
// pieces are joined only where one end plainly continues into the other.

#include "chart/taratura.h"

#include <QImage>
#include <QPointF>
#include <QVector>

#include <optional>

namespace tracciatore {

// One traced plate curve, in picture pixels (pixel centres at whole
// coordinates, like the calibration), sub-pixel, x increasing, one point
// every 2 px of arc length. Points within 2 px of the calibrated frame and
// below 2 % of the full-scale current are left out.
struct CurvaTracciata {
    QVector<QPointF> punti;
};

// Every plate curve of a calibrated curve picture, ordered from the highest
// current to the lowest. Empty when none (a blank or grid-only picture, or a
// calibration without a plot area).
QVector<CurvaTracciata> traccia_curve(const QImage& immagine, const Taratura& taratura);

// The one curve through (or within about 4 px of) a clicked pixel, for curves
// the automatic pass missed; empty when there is none there.
std::optional<CurvaTracciata> traccia_curva_da(const QImage& immagine, const Taratura& taratura, QPointF clic);

} // namespace tracciatore
