#pragma once

// The calibration of a curve picture: the pixel of the axes' origin, a pixel
// on the voltage axis with its voltage and a pixel on the current axis with
// its current. The chart keeps one for the loaded tube; the new-tube window
// keeps its own while the user clicks the points.
struct Taratura {
    float org_x = 0, org_y = 0;
    float vmax_x = 0, vmax_y = 0;
    double vmax_v = 0;
    float imax_x = 0, imax_y = 0;
    double imax_i = 0;
};
