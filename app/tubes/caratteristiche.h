#pragma once

// The ten rating lines of a tube, in the order both the information tab and
// the new-tube window list them: label, column of the tube table (and of the
// tube list) holding the value, unit. The label is shown through the
// catalogue (context "Caratteristiche"); the unit is the same in every language.

#include <QtGlobal>

#include <array>

struct RigaCaratteristica {
    const char* etichetta;
    int colonna;
    const char* unita;
};

inline constexpr std::array<RigaCaratteristica, 10> caratteristiche = {{
    {QT_TRANSLATE_NOOP("Caratteristiche", "Tensione Filamento"), 16, "V"},
    {QT_TRANSLATE_NOOP("Caratteristiche", "Corrente Filamento"), 17, "mA"},
    {QT_TRANSLATE_NOOP("Caratteristiche", "Tensione Filamento"), 18, "V"},
    {QT_TRANSLATE_NOOP("Caratteristiche", "Corrente Filamento"), 19, "mA"},
    {QT_TRANSLATE_NOOP("Caratteristiche", "Tensione MAX Anodica"), 20, "V"},
    {QT_TRANSLATE_NOOP("Caratteristiche", "Corrente MAX Anodica"), 21, "mA"},
    {QT_TRANSLATE_NOOP("Caratteristiche", "Potenza MAX Anodica"), 22, "W"},
    {QT_TRANSLATE_NOOP("Caratteristiche", "Tensione MAX Schermo"), 23, "V"},
    {QT_TRANSLATE_NOOP("Caratteristiche", "Corrente MAX Schermo"), 24, "mA"},
    {QT_TRANSLATE_NOOP("Caratteristiche", "Potenza MAX Schermo"), 25, "W"},
}};
