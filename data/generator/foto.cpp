#include "disegni.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <algorithm>

using namespace valvole_demo;

namespace disegni {

namespace {

constexpr int larghezza_foto = 200;
constexpr int altezza_foto = 300;
constexpr double centro = larghezza_foto / 2.0;

// Outline of the glass envelope, from the base line `fondo` upwards.
QPainterPath sagoma_vetro(Involucro tipo, double fondo, double& cima, double& meta_larghezza)
{
    QPainterPath p;
    switch (tipo) {
    case Involucro::miniatura: {
        meta_larghezza = 30;
        cima = fondo - 150;
        p.moveTo(centro - 30, fondo);
        p.lineTo(centro - 30, cima + 22);
        p.quadTo(centro - 30, cima, centro - 6, cima);
        p.lineTo(centro - 4, cima - 8); // the exhaust tip
        p.lineTo(centro + 4, cima - 8);
        p.lineTo(centro + 6, cima);
        p.quadTo(centro + 30, cima, centro + 30, cima + 22);
        p.lineTo(centro + 30, fondo);
        break;
    }
    case Involucro::tubolare: {
        meta_larghezza = 40;
        cima = fondo - 170;
        p.moveTo(centro - 40, fondo);
        p.lineTo(centro - 40, cima + 26);
        p.quadTo(centro - 40, cima, centro, cima);
        p.quadTo(centro + 40, cima, centro + 40, cima + 26);
        p.lineTo(centro + 40, fondo);
        break;
    }
    case Involucro::spalla: {
        meta_larghezza = 44;
        cima = fondo - 180;
        p.moveTo(centro - 34, fondo);
        p.lineTo(centro - 34, fondo - 40);
        p.quadTo(centro - 34, fondo - 52, centro - 44, fondo - 60);
        p.lineTo(centro - 44, cima + 26);
        p.quadTo(centro - 44, cima, centro, cima);
        p.quadTo(centro + 44, cima, centro + 44, cima + 26);
        p.lineTo(centro + 44, fondo - 60);
        p.quadTo(centro + 34, fondo - 52, centro + 34, fondo - 40);
        p.lineTo(centro + 34, fondo);
        break;
    }
    case Involucro::bottiglia: {
        // The old "ST" bottle: a narrow neck above the base, a wide dome.
        meta_larghezza = 50;
        cima = fondo - 185;
        p.moveTo(centro - 26, fondo);
        p.lineTo(centro - 26, fondo - 25);
        p.cubicTo(centro - 26, fondo - 60, centro - 50, fondo - 75, centro - 50, fondo - 115);
        p.cubicTo(centro - 50, cima + 10, centro - 30, cima, centro, cima);
        p.cubicTo(centro + 30, cima, centro + 50, cima + 10, centro + 50, fondo - 115);
        p.cubicTo(centro + 50, fondo - 75, centro + 26, fondo - 60, centro + 26, fondo - 25);
        p.lineTo(centro + 26, fondo);
        break;
    }
    }
    p.closeSubpath();
    return p;
}

void disegna_placca(QPainter& p, QRectF r)
{
    QLinearGradient g(r.left(), 0, r.right(), 0);
    g.setColorAt(0, QColor(40, 40, 44));
    g.setColorAt(0.35, QColor(95, 95, 100));
    g.setColorAt(1, QColor(30, 30, 34));
    p.setPen(QPen(QColor(20, 20, 20), 1));
    p.setBrush(g);
    p.drawRect(r);
    // Stamped ribs of the plate.
    p.setPen(QPen(QColor(120, 120, 125, 160), 1));
    for (double x = r.left() + 4; x < r.right() - 2; x += 6)
        p.drawLine(QPointF(x, r.top() + 4), QPointF(x, r.bottom() - 4));
}

void disegna_mica(QPainter& p, double y, double meta)
{
    p.setPen(QPen(QColor(230, 225, 205, 220), 3));
    p.drawLine(QPointF(centro - meta, y), QPointF(centro + meta, y));
}

} // namespace

QImage disegna_foto(const Valvola& v)
{
    QImage img(larghezza_foto, altezza_foto, QImage::Format_RGB32);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing, true);

    // Studio backdrop and a soft shadow under the tube.
    QLinearGradient fondale(0, 0, 0, altezza_foto);
    fondale.setColorAt(0, QColor(58, 64, 78));
    fondale.setColorAt(0.75, QColor(28, 30, 36));
    fondale.setColorAt(1, QColor(16, 16, 18));
    p.fillRect(img.rect(), fondale);
    QRadialGradient ombra(centro, altezza_foto - 22, 70);
    ombra.setColorAt(0, QColor(0, 0, 0, 160));
    ombra.setColorAt(1, QColor(0, 0, 0, 0));
    p.fillRect(img.rect(), ombra);

    const bool miniatura = v.involucro == Involucro::miniatura;
    const double fondo_vetro = miniatura ? altezza_foto - 40 : altezza_foto - 62;

    // Base: pins of a miniature tube, a bakelite shell otherwise.
    if (miniatura) {
        p.setPen(QPen(QColor(190, 190, 180), 2));
        for (int k = -4; k <= 4; ++k)
            p.drawLine(QPointF(centro + k * 6, fondo_vetro), QPointF(centro + k * 6, fondo_vetro + 22));
    } else {
        const double meta = v.zoccolo == Zoccolo::ux4 ? 30 : 36;
        QLinearGradient bachelite(centro - meta, 0, centro + meta, 0);
        const QColor tinta = v.zoccolo == Zoccolo::ux4 ? QColor(70, 45, 28) : QColor(34, 30, 28);
        bachelite.setColorAt(0, tinta.darker(160));
        bachelite.setColorAt(0.3, tinta.lighter(180));
        bachelite.setColorAt(1, tinta.darker(200));
        p.setPen(Qt::NoPen);
        p.setBrush(bachelite);
        p.drawRoundedRect(QRectF(centro - meta, fondo_vetro - 4, 2 * meta, 40), 5, 5);
        p.setPen(QPen(QColor(170, 160, 120), 3));
        for (int k = -1; k <= 1; k += 2)
            p.drawLine(QPointF(centro + k * meta * 0.5, fondo_vetro + 36),
                       QPointF(centro + k * meta * 0.5, fondo_vetro + 50));
    }

    double cima = 0;
    double meta = 0;
    const QPainterPath vetro = sagoma_vetro(v.involucro, fondo_vetro, cima, meta);

    // Inside the glass: micas, plates, the getter flash on top.
    p.save();
    p.setClipPath(vetro);
    p.fillPath(vetro, QColor(70, 76, 90));
    const bool bottiglia = v.involucro == Involucro::bottiglia;
    const double alto = cima + (bottiglia ? 40 : 34);
    const double basso = fondo_vetro - (bottiglia ? 70 : 22);
    const double interno = bottiglia ? 28.0 : meta - 6;
    p.setPen(QPen(QColor(170, 170, 165), 1.5));
    for (int k = -2; k <= 2; ++k)
        p.drawLine(QPointF(centro + k * interno / 2.5, basso), QPointF(centro + k * interno / 2.5, fondo_vetro));
    if (v.doppio) {
        disegna_placca(p, QRectF(centro - interno, alto + 8, interno - 3, basso - alto - 16));
        disegna_placca(p, QRectF(centro + 3, alto + 8, interno - 3, basso - alto - 16));
    } else {
        disegna_placca(p, QRectF(centro - interno + 4, alto + 8, 2 * interno - 8, basso - alto - 16));
    }
    if (v.zoccolo == Zoccolo::ux4) {
        // The directly heated filament hangs from springs above the plate.
        p.setPen(QPen(QColor(210, 200, 160), 1.2));
        for (int k = -1; k <= 1; k += 2) {
            QPainterPath molla;
            molla.moveTo(centro + k * 8, alto + 8);
            molla.cubicTo(centro + k * 14, alto - 4, centro + k * 2, alto - 8, centro + k * 6, alto - 16);
            p.drawPath(molla);
        }
    }
    disegna_mica(p, alto, interno + 4);
    disegna_mica(p, basso, interno + 4);
    QLinearGradient getter(0, cima - 8, 0, cima + 30);
    getter.setColorAt(0, QColor(150, 150, 160));
    getter.setColorAt(0.6, QColor(90, 80, 70, 160));
    getter.setColorAt(1, QColor(90, 80, 70, 0));
    p.fillRect(QRectF(0, cima - 8, larghezza_foto, 38), getter);
    p.restore();

    // Glass: a faint body, a bright edge and a vertical highlight.
    p.setBrush(QColor(255, 255, 255, 26));
    p.setPen(QPen(QColor(220, 230, 240, 170), 1.5));
    p.drawPath(vetro);
    QLinearGradient riflesso(centro - meta + 4, 0, centro - meta + 16, 0);
    riflesso.setColorAt(0, QColor(255, 255, 255, 0));
    riflesso.setColorAt(0.5, QColor(255, 255, 255, 120));
    riflesso.setColorAt(1, QColor(255, 255, 255, 0));
    p.save();
    p.setClipPath(vetro);
    p.fillRect(QRectF(centro - meta + 4, cima + 10, 12, fondo_vetro - cima - 30), riflesso);
    p.restore();

    // The type printed on the glass.
    const std::string_view sigla = v.sigla_usa.empty() ? v.sigla_euro : v.sigla_usa;
    p.setPen(QColor(235, 235, 235, 220));
    p.setFont(carattere(13, true, true));
    p.drawText(QRectF(centro - meta, (alto + basso) / 2 - 10, 2 * meta, 20), Qt::AlignCenter,
               QString::fromLatin1(sigla.data(), static_cast<int>(sigla.size())));

    // Caption under the picture: it is a drawing, not a photograph.
    p.setPen(QColor(150, 150, 150));
    p.setFont(carattere(9, false, true));
    p.drawText(QRectF(0, altezza_foto - 14, larghezza_foto, 12), Qt::AlignCenter,
               QStringLiteral("disegno illustrativo"));
    return img;
}

} // namespace disegni
