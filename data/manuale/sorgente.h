#pragma once

// The manual's text source: a plain text file with a light markup, read into
// a list of blocks that the page layout places.
//
//   % comment                    ignored
//   # Heading                    chapter (numbered, starts a page)
//   ## Heading                   section (numbered within the chapter)
//   text lines                   a paragraph; a blank line ends it
//   - text                       a bullet item; following lines continue it
//   = text                       a formula line, centred, monospaced
//   @figura NAME | caption       a figure (a picture of the program folder,
//                                or a drawing the generator knows by name)
//   @pagina                      page break
//   {NAME}                       replaced by a value of the worked example

#include <map>
#include <string>
#include <vector>

namespace manuale {

enum class Tipo { capitolo, sezione, paragrafo, punto, formula, figura, pagina };

struct Blocco {
    Tipo tipo;
    std::string testo;  // heading, paragraph, item, formula or caption
    std::string figura; // figure name
};

// Replaces every {NAME} of the map; an unknown name is an error, so that a
// typing slip in the source does not reach the printed manual.
std::string sostituisci(const std::string& testo, const std::map<std::string, std::string>& valori,
                        std::string& errore);

std::vector<Blocco> leggi_blocchi(const std::string& testo, std::string& errore);

} // namespace manuale
