#pragma once

// The calibration markers: an L of two 30 px legs drawn by XOR with a 4 px
// pen, its corner on the calibration point and its legs pointing into the
// plot. Drawing a marker a second time removes it.

#include "chart/taratura.h"

class Tela;

enum class Marker {
    corrente, // current reference: legs to the right and downwards
    origine,  // axes origin: to the right and upwards
    tensione, // voltage reference: to the left and upwards
};

// One corner: the lines (x1, y1)-(X2, y1) and (x1, y1)-(x1, Y2).
void check_point(Tela& tela, int x1, int X2, int y1, int Y2, int colore);

// The marker of one calibration point at (x, y), on whole pixels.
void disegna_marker(Tela& tela, Marker marker, double x, double y, int colore);

// The three markers of a calibration.
void draw_marker(Tela& tela, const Taratura& t, int colore);
