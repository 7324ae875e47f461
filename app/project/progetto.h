#pragma once

// A project as plain data: the tube it names, the component texts and every
// object drawn over the tube's curves. What is saved is built from the main
// window into this; what is read is parsed into this before anything on
// screen changes.

#include "chart/stato_grafico.h"
#include "project/ingressi_finestre.h"

#include <QString>

#include <optional>
#include <vector>

struct Progetto {
    // Designations and mode of the tube, as the top strip shows them.
    QString euro, usa, modo;

    // Component texts, exactly as the fields hold them.
    QString guadagno;   // gain_value
    QString r_tubo;     // r_value
    QString r_anodica;  // r_anodica
    QString r_catodica; // r_catodica
    QString c_catodica; // c_catodica
    QString potenza;    // potenza_anodica
    // The maximum-dissipation curve is traced.
    bool potenza_visibile = false;

    // Grid voltages of the working point and of the gain point. Saved on the
    // last point of each kind; when read, an empty text means the file gave
    // none and the field keeps what it holds.
    QString grid_bias, gain_bias;

    // The object lists, with the placeholder at index 0 as in the chart.
    std::vector<segmento> rette{1};
    std::vector<segmento> rette_calcolate{1};
    std::vector<punto> punti_lavoro{1};
    std::vector<punto> punti_guadagno{1};

    // The inputs of the windows that carry the design further, each only
    // once its window was opened for this design.
    IngressiFinestre finestre;
};

// The palette colours the objects take when a project is read: those of the
// chart at that moment, not anything stored in the file.
struct ColoriOggetti {
    int32_t retta = 10;
    int32_t retta_calcolata = 11;
    int32_t lavoro = 14;
    int32_t guadagno = 13;
};
