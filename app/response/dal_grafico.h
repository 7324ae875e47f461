#pragma once

// What the response window takes from the design on the chart.

#include "response/risposta_stadio.h"

#include <QString>

#include <cstdint>
#include <optional>

namespace risposta {

// The working point's grid voltage as typed in "Vb=" ("1,5", "1.5" or a
// "-1,5" not yet confirmed with Enter): always at or below 0 V. Empty when
// the field holds no number.
std::optional<double> griglia_da_vb(const QString& testo_vb);

// The window's fields: B+ the load line's voltage at zero current, Ra the
// plate resistor, Vg riposo from "Vb=", Rk the cathode resistor, the input
// amplitude the largest swing before the grid reaches 0 V. A value the chart
// has not computed stays empty.
TestiStadio testi_dal_grafico(double retta_v1, int32_t r_anodica, int32_t r_catodica, const QString& testo_vb);

} // namespace risposta
