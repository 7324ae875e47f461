#pragma once

// The pictures of a window's plots, shared by the windows that plot with Qt
// Charts ("Grafico Risposta", "Stadio Finale"): one picture of them all for
// "Salva Immagine", and one picture each for the reports.

#include <QImage>
#include <QList>
#include <QSize>

#include <vector>

class QChartView;

namespace immagini_grafici {

// The plots as they are on screen, one under the other, on white.
QImage in_colonna(const QList<QChartView*>& viste);

// Each plot laid out at `dimensione` in its own scene, so that a window
// never shown draws just as one on screen does.
std::vector<QImage> separate(const QList<QChartView*>& viste, QSize dimensione);

} // namespace immagini_grafici
