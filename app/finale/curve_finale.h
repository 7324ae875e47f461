#pragma once

// What the output stage's plate-characteristic plot and the main chart draw,
// as points in volts (plate to cathode) and milliamperes: the tube's curves
// with its screen as connected, the load line, a pair's composite
// characteristic, the maximum-dissipation hyperbola and the swing.

#include "finale/stadio_finale.h"

#include <QPointF>

#include <vector>

namespace finale {

struct CurveFinale {
    double ep_massima = 0;                             // V, right end of the plot
    double ia_massima = 0;                             // mA, top of the plot
    std::vector<double> griglie;                       // grid to cathode of each curve, V, top first
    std::vector<std::vector<QPointF>> caratteristiche; // one per grid voltage
    std::vector<QPointF> retta;                  // single-ended: the AC load line; push-pull: the first tube's path
    std::vector<std::vector<QPointF>> composite; // push-pull: composite curves at drive -A, 0, +A
    std::vector<QPointF> retta_composita;        // push-pull: the composite load line, slope -4/Raa
    std::vector<QPointF> iperbole;               // the rated dissipation, when known
    std::vector<QPointF> escursione;             // the first tube over the period
    std::vector<QPointF> oltre_griglia;          // the instants of that path past grid 0 V
    QPointF lavoro;                              // the working point
};

CurveFinale curve_finale(const ModelloFinale& modello, const IngressiFinale& ingressi, const RisultatoFinale& r,
                         double pmax_w);

// The line "Traccia su grafico" draws over the tube's picture: the whole AC
// load line of a single tube, from the current axis to the voltage axis, or
// the path of one tube of a pair under the set drive, densely sampled so that
// the chart can clip it to its axes.
std::vector<QPointF> retta_su_grafico(const IngressiFinale& ingressi, const RisultatoFinale& r);

} // namespace finale
