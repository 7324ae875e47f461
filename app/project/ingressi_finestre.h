#pragma once

// The inputs of the windows that carry a design beyond the chart: the stage
// response ("Grafico Risposta") and the output stage ("Stadio Finale"). Each stays empty until its window is first
// opened for the design on the chart; from then on it belongs to the design:
// the project file keeps it, the reports print what it gives, and the window
// opens on it again. A new design (another tube, a reload) starts empty.

#include "finale/stadio_finale.h"
#include "response/risposta_stadio.h"

#include <optional>

struct IngressiFinestre {
    std::optional<risposta::TestiStadio> risposta;
    std::optional<finale::IngressiFinale> finale;
    bool operator==(const IngressiFinestre&) const = default;
};
