#pragma once

// Pixel <-> volt / milliampere conversions of the calibrated chart.

#include "chart/taratura.h"

#include <optional>

// Plate voltage of pixel column x; 0 without a usable calibration and for
// values below 0.1 V (left of the origin included).
double calcolav(const Taratura& s, float x);

// Plate current (mA) of pixel row y; 0 without a usable calibration and for
// values below 0.1 mA.
double calcolai(const Taratura& s, float y);

// Pixel row of current i (mA): floor(org_y - (org_y - imax_y) * i / imax_i).
// Empty when the calibration has no current scale or the row is not finite.
std::optional<float> riga_corrente(const Taratura& s, double i);
