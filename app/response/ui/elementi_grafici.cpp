#include "response/ui/elementi_grafici.h"

#include <QAbstractSeries>
#include <QChart>
#include <QChartView>
#include <QPainter>
#include <QValueAxis>

namespace elementi_grafici {

QChartView* vista(QChart* grafico, const QString& nome, QWidget* genitore, QSize minima)
{
    grafico->setMargins(QMargins(4, 4, 4, 4));
    grafico->setBackgroundRoundness(0);
    auto* v = new QChartView(grafico, genitore);
    v->setObjectName(nome);
    v->setAccessibleName(grafico->title());
    v->setRenderHint(QPainter::Antialiasing);
    v->setMinimumSize(minima);
    return v;
}

QValueAxis* asse(const QString& titolo)
{
    auto* a = new QValueAxis;
    a->setTitleText(titolo);
    a->setLabelFormat(QStringLiteral("%.4g"));
    return a;
}

void attacca(QChart* grafico, QAbstractSeries* serie, QAbstractAxis* x, QAbstractAxis* y)
{
    grafico->addSeries(serie);
    serie->attachAxis(x);
    serie->attachAxis(y);
}

void intervallo(QValueAxis* a, double minimo, double massimo)
{
    if (!(massimo > minimo)) {
        minimo -= 1;
        massimo += 1;
    }
    const double margine = 0.05 * (massimo - minimo);
    a->setRange(minimo - margine, massimo + margine);
    a->applyNiceNumbers();
}

} // namespace elementi_grafici
