#pragma once

// Shared by the report tests: the demo 12AX7 with a designed stage as plain
// report data, a capture whose blocks are easy to find again in a rendered
// page, and the external tools that read the outputs.

#include "reports/dati_report.h"
#include "support/processo.h"

#include <FreeImage.h>

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QRegularExpression>
#include <QString>

namespace report_prova {

inline QString dist(const QString& relativo)
{
    return QStringLiteral(KORVEL_DIST_DIR "/") + relativo;
}

// A capture of the given size: four coloured quadrants, a black frame and
// a white diagonal, so position, scale and orientation all show.
inline QImage cattura(int w = 600, int h = 400)
{
    QImage img(w, h, QImage::Format_RGB32);
    QPainter p(&img);
    p.fillRect(0, 0, w / 2, h / 2, QColor(200, 30, 30));
    p.fillRect(w / 2, 0, w - w / 2, h / 2, QColor(30, 160, 40));
    p.fillRect(0, h / 2, w / 2, h - h / 2, QColor(40, 60, 200));
    p.fillRect(w / 2, h / 2, w - w / 2, h - h / 2, QColor(230, 200, 40));
    p.setPen(QPen(Qt::black, 4));
    p.drawRect(2, 2, w - 5, h - 5);
    p.setPen(QPen(Qt::white, 6));
    p.drawLine(0, 0, w / 4, h / 4);
    return img;
}

// The demo 12AX7 with the values a designed stage shows.
inline DatiReport dodici_ax7()
{
    DatiReport d;
    d.titolo = QStringLiteral("Preamplificatore fono");
    d.nome_valvola = {QStringLiteral("12AX7"), QStringLiteral("ECC83"), QStringLiteral("TRIODO")};
    d.gain_value = QStringLiteral("61.54");
    d.r_value = QStringLiteral("62,500");
    d.r_anodica = QStringLiteral("100,000");
    d.r_catodica = QStringLiteral("1,500");
    d.c_catodica = QStringLiteral("25.32");
    d.grid_v = QStringLiteral("250.00");
    d.grid_i = QStringLiteral("1.20");
    d.grid_bias = QStringLiteral("-1.50");
    d.grafico = cattura();
    d.file_foto = dist(QStringLiteral("DatiValvole/Immagini/12AX7.jpg"));
    d.estensione_foto = QStringLiteral(".jpg");
    d.file_piedinatura = dist(QStringLiteral("DatiValvole/Piedinature/12AX7pin.gif"));
    d.estensione_piedinatura = QStringLiteral(".gif");
    d.foto_mostrata = QImage(d.file_foto);
    d.piedinatura_mostrata = QImage(d.file_piedinatura);
    QImage griglia(320, 200, QImage::Format_RGB32);
    griglia.fill(QColor(250, 250, 240));
    d.griglia_caratteristiche = griglia;
    return d;
}

inline QString pdftotext(const QString& pdf)
{
    return esegui(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")}).uscita;
}

// The images of a PDF as "width x height", in page order.
inline QStringList immagini_pdf(const QString& pdf)
{
    const Esito e = esegui(QStringLiteral("pdfimages"), {QStringLiteral("-list"), pdf});
    QStringList dimensioni;
    const QStringList righe = e.uscita.split(QLatin1Char('\n'));
    for (int i = 2; i < righe.size(); ++i) {
        const QStringList c = righe[i].split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
        if (c.size() > 5 && c[2] == QLatin1String("image"))
            dimensioni << c[3] + QLatin1Char('x') + c[4];
    }
    return dimensioni;
}

// The first page rendered at the given resolution.
inline QImage pagina(const QString& pdf, int dpi, const QString& radice)
{
    esegui(QStringLiteral("pdftoppm"), {QStringLiteral("-png"), QStringLiteral("-r"), QString::number(dpi),
                                        QStringLiteral("-singlefile"), pdf, radice});
    return QImage(radice + QStringLiteral(".png"));
}

inline int distanza(QRgb a, QRgb b)
{
    return std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) + std::abs(qBlue(a) - qBlue(b));
}

// A picture file written by the picture library, so GIFs can be made too.
inline bool scrivi_con_libreria(const QImage& img, FREE_IMAGE_FORMAT fif, const QString& file)
{
    const QImage rgb = img.convertToFormat(QImage::Format_RGB32);
    FIBITMAP* b32 = FreeImage_ConvertFromRawBits(const_cast<BYTE*>(rgb.constBits()), rgb.width(), rgb.height(),
                                                 static_cast<int>(rgb.bytesPerLine()), 32, FI_RGBA_RED_MASK,
                                                 FI_RGBA_GREEN_MASK, FI_RGBA_BLUE_MASK, TRUE);
    FIBITMAP* b24 = FreeImage_ConvertTo24Bits(b32);
    FreeImage_Unload(b32);
    FIBITMAP* b = fif == FIF_GIF ? FreeImage_ColorQuantize(b24, FIQ_WUQUANT) : b24;
    const bool ok = b && FreeImage_Save(fif, b, QFile::encodeName(file).constData(), 0);
    if (b && b != b24)
        FreeImage_Unload(b);
    FreeImage_Unload(b24);
    return ok;
}

} // namespace report_prova
