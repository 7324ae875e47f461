#pragma once

// The hyperbola of maximum plate dissipation, I = P / V, over a calibrated
// picture, drawn by XOR so that tracing it again with the same values
// removes it.

#include "chart/taratura.h"

class Tela;

// Traces the curve for p_watt with a 2 px pen of the given palette colour,
// every second column from the origin to the voltage reference, and only
// where the current lies below the calibrated current imax_i. Nothing is
// drawn when p_watt is not above 0 or when the four reference coordinates
// imax_x, imax_y, vmax_x, vmax_y are all 0; the result then is false.
bool traccia_iperbole(Tela& tela, const Taratura& t, double p_watt, int colore);
