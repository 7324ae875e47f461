#include "common/emblema.h"

#include <QPainter>

QImage emblema(int lato)
{
    QImage immagine(lato, lato, QImage::Format_ARGB32_Premultiplied);
    immagine.fill(Qt::transparent);
    QPainter g(&immagine);
    g.setRenderHint(QPainter::Antialiasing);
    // Drawn on a 72-unit square, the size the About window shows.
    g.scale(lato / 72.0, lato / 72.0);
    const QColor inchiostro(30, 30, 120);
    g.setPen(QPen(inchiostro, 2.5));
    g.setBrush(QColor(235, 240, 255));
    g.drawEllipse(QRectF(6, 6, 60, 60));
    g.drawLine(QPointF(24, 20), QPointF(48, 20)); // plate
    g.drawLine(QPointF(36, 20), QPointF(36, 2));
    g.setPen(QPen(inchiostro, 2, Qt::DashLine));
    g.drawLine(QPointF(18, 36), QPointF(54, 36)); // grid
    g.setPen(QPen(inchiostro, 2.5));
    g.drawLine(QPointF(24, 52), QPointF(48, 52)); // cathode
    g.drawLine(QPointF(24, 52), QPointF(24, 58));
    return immagine;
}
