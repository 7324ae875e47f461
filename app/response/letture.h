#pragma once

// The response's figures as texts: what the window's read-outs show and what
// the reports print, from one place, so both round alike.

#include "response/risposta_stadio.h"

#include <QString>

#include <vector>

namespace risposta {

// One read-out: its caption and its value, rounded as the window rounds it,
// in the default locale.
struct Lettura {
    QString etichetta;
    QString valore;
};

// The read-outs of a valid response in the window's order: gm, rp, mu, the
// gain, the output, H2, H3, THD and the input margin. Empty when not valid.
std::vector<Lettura> letture(const Risposta& r);

// Which limit the swing meets first and, when the swing goes past it, that
// the plots show the part beyond in red; the reason when not valid.
QString testo_stato(const Risposta& r);

} // namespace risposta
