#pragma once

// A model's numbers as the model window shows them and the reports print
// them: one rounding for both.

#include <QString>

namespace modello {

// `cifre` significant digits in the default locale, no group separators.
QString testo_numero(double v, int cifre = 5);

} // namespace modello
