#pragma once

// The ten rating lines of a tube, in the order both the information tab and
// the new-tube window list them: label, column of the tube table (and of the
// tube list) holding the value, unit.

#include <array>

struct RigaCaratteristica {
    const char* etichetta;
    int colonna;
    const char* unita;
};

inline constexpr std::array<RigaCaratteristica, 10> caratteristiche = {{
    {"Tensione Filamento", 16, "V"},
    {"Corrente Filamento", 17, "mA"},
    {"Tensione Filamento", 18, "V"},
    {"Corrente Filamento", 19, "mA"},
    {"Tensione MAX Anodica", 20, "V"},
    {"Corrente MAX Anodica", 21, "mA"},
    {"Potenza MAX Anodica", 22, "W"},
    {"Tensione MAX Schermo", 23, "V"},
    {"Corrente MAX Schermo", 24, "mA"},
    {"Potenza MAX Schermo", 25, "W"},
}};
