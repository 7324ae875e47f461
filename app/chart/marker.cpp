#include "chart/marker.h"

#include "chart/stile_disegno.h"
#include "chart/tela.h"
#include "common/numeri.h"

namespace {

// Markers sit on whole pixels; a coordinate beyond 16 bits draws at 0.
int pixel_marker(double v)
{
    return numeri::arrotonda_int16(v).value_or(0);
}

} // namespace

void check_point(Tela& tela, int x1, int X2, int y1, int Y2, int colore)
{
    tela.linea_xor(x1, y1, X2, y1, colore, spessore_marker);
    tela.linea_xor(x1, y1, x1, Y2, colore, spessore_marker);
}

void disegna_marker(Tela& tela, Marker marker, double x, double y, int colore)
{
    double dx = lato_marker, dy = lato_marker;
    switch (marker) {
    case Marker::corrente: break;
    case Marker::origine: dy = -lato_marker; break;
    case Marker::tensione:
        dx = -lato_marker;
        dy = -lato_marker;
        break;
    }
    check_point(tela, pixel_marker(x), pixel_marker(x + dx), pixel_marker(y), pixel_marker(y + dy), colore);
}

void draw_marker(Tela& tela, const Taratura& t, int colore)
{
    disegna_marker(tela, Marker::corrente, t.imax_x, t.imax_y, colore);
    disegna_marker(tela, Marker::origine, t.org_x, t.org_y, colore);
    disegna_marker(tela, Marker::tensione, t.vmax_x, t.vmax_y, colore);
}
