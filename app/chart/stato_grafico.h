#pragma once

// Everything the chart knows: calibration, mouse position, the load line, the
// two points, the results, the drawing colours and the lists of the objects
// drawn over the curves. Plain data; the engine (Grafico) changes it.

#include "chart/taratura.h"

#include <QString>

#include <cstdint>
#include <vector>

struct segmento {
    float x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    int32_t colore = 0;
    QString etichetta;
};

struct punto {
    float x = 0, y = 0;
    int32_t colore = 0;
};

// Each list keeps a placeholder at index 0 that is never drawn, so object k
// is element k and the number of objects is size() - 1.
template <typename T> int numero_oggetti(const std::vector<T>& lista)
{
    return lista.empty() ? 0 : int(lista.size()) - 1;
}

// Indexes are 16-bit in project files, so a list never grows past this.
inline constexpr int massimo_oggetti = 32767;

// The calibration (org_x ... imax_i) comes first, from Taratura; it is zero
// while no tube is loaded.
struct StatoGrafico : Taratura {

    // Mouse position over the chart.
    float mouse_x = 0, mouse_y = 0;
    double mouse_v = 0, mouse_i = 0;

    // Load line being drawn or the last one kept.
    float retta_x0 = 0, retta_y0 = 0, retta_x1 = 0, retta_y1 = 0;
    double retta_v0 = 0, retta_i0 = 0, retta_v1 = 0, retta_i1 = 0;

    // Working point and gain point.
    float lavoro_x = 0, lavoro_y = 0;
    double lavoro_v = 0, lavoro_i = 0, lavoro_vg = 0;
    float guadagno_x = 0, guadagno_y = 0;
    double guadagno_v = 0, guadagno_i = 0, guadagno_vg = 0;

    // Results (ohms, microfarads, plain gain).
    double guadagno = 0;
    int32_t r_equiv_tubo = 0;
    int32_t valore_r_anodica = 0;
    int32_t valore_r_catodica = 0;
    double valore_c_catodica = 0;

    // Palette indexes of the drawings.
    int32_t colore_marker = 11;
    int32_t colore_retta = 10;
    int32_t colore_potenza = 8;
    int32_t colore_retta_calcolata = 11;
    int32_t colore_lavoro = 14;
    int32_t colore_guadagno = 13;
    int32_t colore_modello = 12; // XORed over white it shows cyan

    // A rubber band is on the chart and must be erased before the next one.
    bool traccia_attiva = false;

    std::vector<segmento> rette{1};
    std::vector<punto> punti_lavoro{1};
    std::vector<punto> punti_guadagno{1};
    std::vector<segmento> rette_calcolate{1};

    // Values exchanged with the recalculation dialog.
    QString ricalcolo_end_v, ricalcolo_end_i, ricalcolo_r_anodica, ricalcolo_r_dinamica;
    bool ricalcolo_confermato = false;
};
