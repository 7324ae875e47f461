#include "response/ui/immagini_grafici.h"

#include <QChart>
#include <QChartView>
#include <QGraphicsScene>
#include <QPainter>

#include <algorithm>

namespace immagini_grafici {

QImage in_colonna(const QList<QChartView*>& viste)
{
    int larghezza = 0, altezza = 0;
    QList<QImage> parti;
    for (QChartView* v : viste) {
        QImage i = v->grab().toImage();
        larghezza = std::max(larghezza, i.width());
        altezza += i.height();
        parti << i;
    }
    QImage immagine(std::max(larghezza, 1), std::max(altezza, 1), QImage::Format_RGB32);
    immagine.fill(Qt::white);
    QPainter p(&immagine);
    int y = 0;
    for (const QImage& i : parti) {
        p.drawImage(0, y, i);
        y += i.height();
    }
    return immagine;
}

std::vector<QImage> separate(const QList<QChartView*>& viste, QSize dimensione)
{
    std::vector<QImage> immagini;
    for (QChartView* v : viste) {
        QChart* c = v->chart();
        c->resize(dimensione);
        QImage img(dimensione, QImage::Format_RGB32);
        img.fill(Qt::white);
        QPainter p(&img);
        p.setRenderHint(QPainter::Antialiasing);
        p.setRenderHint(QPainter::TextAntialiasing);
        v->scene()->render(&p, QRectF(QPointF(0, 0), QSizeF(dimensione)), QRectF(c->pos(), QSizeF(dimensione)));
        p.end();
        immagini.push_back(img);
    }
    return immagini;
}

} // namespace immagini_grafici
