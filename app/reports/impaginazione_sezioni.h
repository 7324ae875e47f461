#pragma once

// The pages of the report's sections laid out once, in centimetres from the
// bottom-left corner of an A4 page: each section a title, its tables down
// the left column and its pictures down the right (its tables over both
// columns when it has no pictures), a new page when the next
// section does not fit, every page headed by the tube's designations and
// framed as the first. The PDF and the printer draw these same elements, so
// they print the same pages.

#include "reports/sezioni_report.h"

#include <QString>

#include <cstddef>
#include <functional>
#include <vector>

struct ElementoPagina {
    enum class Tipo { testo, linea, figura };
    enum class Stile { intestazione, titolo, didascalia, testo, nota, numero };

    Tipo tipo = Tipo::testo;
    Stile stile = Stile::testo;
    // A text: its baseline at y, starting at x (allineamento 0), ending at x
    // (1) or centred on x (2). A line: from (x, y) to (x1, y1). A picture:
    // its top-left corner, its size.
    float x = 0, y = 0;
    float x1 = 0, y1 = 0;
    float larghezza = 0, altezza = 0;
    QString testo;
    int allineamento = 0;
    // A picture's index among all the sections' pictures, in their order.
    std::size_t figura = 0;
};

using PaginaSezioni = std::vector<ElementoPagina>;

// A4 in centimetres.
inline constexpr float larghezza_a4 = 21.0f;
inline constexpr float altezza_a4 = 29.7f;

// The size in points each style is set in.
float corpo_stile(ElementoPagina::Stile stile);

// A text's width in centimetres at a size in points, in the font the
// output sets the plain texts in.
using LarghezzaTesto = std::function<float(const QString& testo, float corpo)>;

// The pages, numbered from `prima_pagina` on.
std::vector<PaginaSezioni> impagina_sezioni(const std::vector<SezioneReport>& sezioni, const QString& designazioni,
                                            int prima_pagina, const LarghezzaTesto& larghezza);
