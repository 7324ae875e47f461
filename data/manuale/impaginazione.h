#pragma once

// Places the manual's blocks on A4 pages: numbered headings, justified
// paragraphs, bullet items, formulas and figures with captions. The result is
// plain data (drawing operations per page, in points from the lower-left
// corner), so the writer only has to replay it.

#include "sorgente.h"

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace manuale {

// Page geometry, in points.
inline constexpr float larghezza_pagina = 595.2f;
inline constexpr float altezza_pagina = 842.0f;
inline constexpr float margine_sinistro = 66.0f;
inline constexpr float margine_destro = 66.0f;
inline constexpr float margine_alto = 70.0f;
inline constexpr float margine_basso = 76.0f;
inline constexpr float larghezza_testo = larghezza_pagina - margine_sinistro - margine_destro;

// Fonts as loaded into the writer.
inline const std::string font_testo = "F1";
inline const std::string font_grassetto = "F2";
inline const std::string font_corsivo = "F3";
inline const std::string font_formula = "F4";

// Colours as the writer takes them (red in the lowest byte).
constexpr int rgb(int r, int g, int b)
{
    return r | (g << 8) | (b << 16);
}
inline constexpr int colore_testo = rgb(20, 20, 20);
inline constexpr int colore_titoli = rgb(18, 42, 110);
inline constexpr int colore_grigio = rgb(110, 110, 110);

struct Op {
    enum class Tipo { testo, linea, figura } tipo;
    float x = 0, y = 0;   // text: baseline start; line: start; figure: upper-left corner
    float x2 = 0, y2 = 0; // line: end; figure: width and height
    std::string testo, font;
    float corpo = 0;
    float spaziatura_parole = 0; // extra space per blank, for justified lines
    int colore = colore_testo;
    float spessore = 0.5f;
    std::string figura;
};

using Pagina = std::vector<Op>;

struct VoceIndice {
    int livello; // 1 chapter, 2 section
    std::string testo;
    int pagina;
};

struct Impaginato {
    std::vector<Pagina> pagine;
    std::vector<VoceIndice> indice;
};

// Width of a text in points in one of the fonts above.
using Larghezza = std::function<float(const std::string& testo, const std::string& font, float corpo)>;

// The size a figure is drawn at, in points, by figure name.
using DimensioniFigure = std::map<std::string, std::pair<float, float>>;

// prima_pagina: the number the first laid-out page will carry.
Impaginato impagina(const std::vector<Blocco>& blocchi, const Larghezza& larghezza, const DimensioniFigure& figure,
                    int prima_pagina);

// Splits a text into lines no wider than `massima`; a word wider than the
// line stands alone on its line.
std::vector<std::string> spezza(const std::string& testo, const std::string& font, float corpo, float massima,
                                const Larghezza& larghezza);

} // namespace manuale
