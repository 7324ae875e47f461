#include "disegni.h"

#include <QPainter>
#include <QPolygon>

namespace disegni {

// The 13 x 13 pictures beside the menu entries: small pixel drawings on the
// light grey of a menu, one per file name.
QImage disegna_icona(const QString& nome)
{
    QImage img(13, 13, QImage::Format_RGB32);
    img.fill(qRgb(212, 208, 200));
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setRenderHint(QPainter::TextAntialiasing, false);
    const QColor nero(0, 0, 0);

    if (nome == QLatin1String("SAVE13.bmp")) {
        // A diskette.
        p.fillRect(1, 1, 11, 11, QColor(0, 0, 160));
        p.fillRect(3, 1, 7, 4, QColor(255, 255, 255));
        p.fillRect(4, 8, 5, 4, QColor(170, 170, 170));
        p.fillRect(5, 9, 1, 2, QColor(0, 0, 160));
    } else if (nome == QLatin1String("OPEN13.bmp")) {
        // An open folder.
        p.setPen(nero);
        p.setBrush(QColor(200, 160, 0));
        p.drawRect(1, 2, 9, 9);
        p.setBrush(QColor(250, 215, 60));
        p.drawPolygon(QPolygon({QPoint(3, 6), QPoint(12, 6), QPoint(10, 11), QPoint(1, 11)}));
    } else if (nome == QLatin1String("PRINT13.bmp")) {
        // A printer with a sheet.
        p.fillRect(3, 0, 7, 5, QColor(255, 255, 255));
        p.setPen(nero);
        p.drawRect(3, 0, 6, 5);
        p.fillRect(1, 5, 11, 5, QColor(150, 150, 150));
        p.drawRect(1, 5, 10, 5);
        p.fillRect(3, 10, 7, 3, QColor(255, 255, 255));
        p.drawPoint(9, 7);
    } else if (nome == QLatin1String("EXIT13.bmp")) {
        // A red cross.
        p.setPen(QPen(QColor(200, 0, 0), 2));
        p.drawLine(2, 2, 10, 10);
        p.drawLine(10, 2, 2, 10);
    } else if (nome == QLatin1String("NEW13.bmp")) {
        // A page with a folded corner.
        p.fillRect(2, 0, 9, 13, QColor(255, 255, 255));
        p.setPen(nero);
        p.drawLine(2, 0, 7, 0);
        p.drawLine(7, 0, 10, 3);
        p.drawLine(10, 3, 10, 12);
        p.drawLine(10, 12, 2, 12);
        p.drawLine(2, 12, 2, 0);
        p.drawLine(7, 0, 7, 3);
        p.drawLine(7, 3, 10, 3);
    } else if (nome == QLatin1String("KOR_VEL.bmp")) {
        // A small tube with a glowing heater.
        p.fillRect(4, 1, 5, 9, QColor(200, 220, 235));
        p.setPen(QColor(60, 60, 60));
        p.drawLine(3, 2, 3, 9);
        p.drawLine(9, 2, 9, 9);
        p.drawLine(4, 1, 8, 1);
        p.fillRect(5, 4, 3, 4, QColor(255, 120, 0));
        p.fillRect(3, 10, 7, 2, QColor(40, 40, 40));
        p.drawPoint(4, 12);
        p.drawPoint(6, 12);
        p.drawPoint(8, 12);
    } else if (nome == QLatin1String("HELP13.bmp") || nome == QLatin1String("ABOUT13.bmp")) {
        // A blue disc with "?" or "i".
        p.setPen(QColor(0, 0, 170));
        p.setBrush(QColor(0, 0, 170));
        p.drawEllipse(0, 0, 12, 12);
        p.setPen(QColor(255, 255, 255));
        if (nome == QLatin1String("HELP13.bmp")) {
            p.drawLine(5, 3, 7, 3);
            p.drawPoint(4, 4);
            p.drawPoint(8, 4);
            p.drawPoint(8, 5);
            p.drawPoint(7, 6);
            p.drawLine(6, 7, 6, 7);
            p.drawPoint(6, 9);
        } else {
            p.drawPoint(6, 3);
            p.drawLine(6, 5, 6, 9);
            p.drawLine(5, 9, 7, 9);
        }
    }
    return img;
}

} // namespace disegni
