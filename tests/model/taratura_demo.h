#pragma once

// The calibration every demo curve picture is drawn with: the generator's
// frame, with the tube's own full-scale volts and milliamperes.

#include "chart/taratura.h"

#include "valvole_demo.h"

inline Taratura taratura_demo(const valvole_demo::Valvola& v)
{
    Taratura t;
    t.org_x = valvole_demo::org_x;
    t.org_y = valvole_demo::org_y;
    t.vmax_x = valvole_demo::vmax_x;
    t.vmax_y = valvole_demo::org_y;
    t.vmax_v = v.vmax_v;
    t.imax_x = valvole_demo::org_x;
    t.imax_y = valvole_demo::imax_y;
    t.imax_i = v.imax_i;
    return t;
}
