#pragma once

// The output stage's figures as texts, rounded as the window rounds them, so
// the window and the reports say the same.

#include "finale/stadio_finale.h"

#include <QString>

#include <vector>

namespace finale {

struct LetturaFinale {
    QString etichetta;
    QString valore;
};

// The read-outs of a valid result in the window's order, in the default
// locale; the cathode resistor, its power and the bias shift only with
// cathode bias, the rest against the rating only when it is known. Empty
// when not valid.
std::vector<LetturaFinale> letture(const RisultatoFinale& r, const IngressiFinale& ingressi);

// The inputs as the window's fields and choices show them; the screen supply
// only where a screen is supplied, the tap only for the ultralinear.
std::vector<LetturaFinale> testi_ingressi(const IngressiFinale& ingressi, bool pentodo);

} // namespace finale
