#pragma once

// A model's plate curves on a calibrated picture, and the picture <-> volt and
// milliampere maps they are drawn with. The fit, the model window and the
// chart all place curves through these, so a model always lands where its
// residuals were measured.

#include "chart/taratura.h"
#include "model/modello_valvola.h"

#include <QPointF>
#include <QVector>

namespace curve_modello {

// Volts and milliamperes per picture pixel.
struct Scale {
    double v_per_px = 0;
    double ma_per_px = 0;
};
Scale scale_di(const Taratura& t);

// Both axes have a positive, finite extent and scale.
bool taratura_usabile(const Taratura& t);

double volt_di(const Taratura& t, double x);
double milliampere_di(const Taratura& t, double y);
double x_di(const Taratura& t, double volt);
double y_di(const Taratura& t, double milliampere);

// The model's curves at the given grid voltages as picture polylines, from the
// origin to the end of the voltage axis, every 2 pixels, where the current
// lies above 0 and not above the top of the current axis. One grid voltage
// may give several pieces, or none.
QVector<QVector<QPointF>> curve(const modello::ParametriModello& m, const QVector<double>& griglie, const Taratura& t);

} // namespace curve_modello
