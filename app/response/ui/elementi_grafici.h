#pragma once

// The pieces the windows that plot with Qt Charts ("Grafico Risposta",
// "Stadio Finale") build their plots from, so that both look and read alike.

#include <QSize>

class QAbstractAxis;
class QAbstractSeries;
class QChart;
class QChartView;
class QString;
class QValueAxis;
class QWidget;

namespace elementi_grafici {

// The view of a plot: tight margins, square corners, antialiased, at least
// `minima` large, read by the plot's title.
QChartView* vista(QChart* grafico, const QString& nome, QWidget* genitore, QSize minima);

// A value axis with its title and labels of up to four significant digits.
QValueAxis* asse(const QString& titolo);

// Adds the series to the plot on the two axes.
void attacca(QChart* grafico, QAbstractSeries* serie, QAbstractAxis* x, QAbstractAxis* y);

// The axis over minimo..massimo with a little room around (a range of one
// value is opened by 1 each way), on round numbers.
void intervallo(QValueAxis* a, double minimo, double massimo);

} // namespace elementi_grafici
