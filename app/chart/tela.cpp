#include "chart/tela.h"

#include "common/numeri.h"

#include <QFont>
#include <QPainter>

#include <array>
#include <cmath>

namespace {

bool coordinata_valida(double v)
{
    return std::isfinite(v) && std::fabs(v) < numeri::limite_coordinata;
}

// The label picture: a black strip of two text rows, the text in the second.
constexpr int larghezza_etichetta = 300;
constexpr int altezza_riga = 16;

} // namespace

Tela::Tela() : immagine_(larghezza, altezza, QImage::Format_RGB32)
{
    pulisci();
}

QRgb Tela::sfondo()
{
    return qRgb(240, 240, 240);
}

QRgb Tela::colore_palette(int indice)
{
    static constexpr std::array<QRgb, 16> palette = {
        qRgb(0, 0, 0),       qRgb(0, 0, 128),   qRgb(0, 128, 0),   qRgb(0, 128, 128),
        qRgb(128, 0, 0),     qRgb(128, 0, 128), qRgb(128, 128, 0), qRgb(192, 192, 192),
        qRgb(128, 128, 128), qRgb(0, 0, 255),   qRgb(0, 255, 0),   qRgb(0, 255, 255),
        qRgb(255, 0, 0),     qRgb(255, 0, 255), qRgb(255, 255, 0), qRgb(255, 255, 255),
    };
    if (indice < 0 || indice >= int(palette.size()))
        return palette[0];
    return palette[std::size_t(indice)];
}

QRect Tela::prendi_zona_cambiata() const
{
    const QRect zona = zona_cambiata_;
    zona_cambiata_ = QRect();
    return zona;
}

void Tela::segna(const QRectF& zona)
{
    zona_cambiata_ |= zona.toAlignedRect().intersected(immagine_.rect());
}

void Tela::pulisci()
{
    immagine_.fill(sfondo());
    segna(immagine_.rect());
}

void Tela::imposta_immagine(const QImage& figura)
{
    pulisci();
    if (figura.isNull())
        return;
    QPainter p(&immagine_);
    p.drawImage(QPoint(0, 0), figura);
}

namespace {

bool punti_validi(double x0, double y0, double x1, double y1)
{
    return coordinata_valida(x0) && coordinata_valida(y0) && coordinata_valida(x1) && coordinata_valida(y1);
}

// A painter that XORs a plain pen of the given palette colour and width.
void prepara_xor(QPainter& p, int colore, int spessore)
{
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    p.setPen(QPen(QColor(Tela::colore_palette(colore)), spessore, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
    p.setBrush(Qt::NoBrush);
}

// The box a line or frame between the two corners covers, with room for
// the pen's width on every side.
QRectF zona_tratto(double x0, double y0, double x1, double y1, int spessore)
{
    const double margine = spessore / 2.0 + 2.0;
    return QRectF(QPointF(x0, y0), QPointF(x1, y1)).normalized().adjusted(-margine, -margine, margine, margine);
}

} // namespace

void Tela::linea_xor(double x0, double y0, double x1, double y1, int colore, int spessore)
{
    if (!punti_validi(x0, y0, x1, y1))
        return;
    QPainter p(&immagine_);
    prepara_xor(p, colore, spessore);
    p.drawLine(QPointF(x0, y0), QPointF(x1, y1));
    segna(zona_tratto(x0, y0, x1, y1, spessore));
}

void Tela::polilinea_xor(const QVector<QPointF>& punti, int colore, int spessore)
{
    if (punti.size() < 2)
        return;
    for (const QPointF& q : punti)
        if (!coordinata_valida(q.x()) || !coordinata_valida(q.y()))
            return;
    QPainter p(&immagine_);
    prepara_xor(p, colore, spessore);
    p.drawPolyline(punti.constData(), int(punti.size()));
}

void Tela::box_xor(double x0, double y0, double x1, double y1, int colore, int spessore)
{
    if (!punti_validi(x0, y0, x1, y1))
        return;
    QPainter p(&immagine_);
    prepara_xor(p, colore, spessore);
    p.drawRect(QRectF(QPointF(x0, y0), QPointF(x1, y1)).normalized());
    segna(zona_tratto(x0, y0, x1, y1, spessore));
}

void Tela::testo_xor(const QString& testo, double x, double y, int colore)
{
    if (testo.isEmpty() || !coordinata_valida(x) || !coordinata_valida(y))
        return;
    QImage etichetta(larghezza_etichetta, 2 * altezza_riga, QImage::Format_RGB32);
    etichetta.fill(Qt::black);
    {
        QPainter p(&etichetta);
        QFont carattere(QStringLiteral("DejaVu Sans"));
        carattere.setPixelSize(11);
        carattere.setBold(true);
        // Plain pixels in the palette colour: smoothed edges would XOR into
        // odd colours around the letters.
        carattere.setStyleStrategy(QFont::NoAntialias);
        p.setFont(carattere);
        p.setPen(QColor(colore_palette(colore)));
        p.drawText(QRect(2, altezza_riga, larghezza_etichetta - 4, altezza_riga), Qt::AlignLeft | Qt::AlignVCenter,
                   testo);
    }
    QPainter p(&immagine_);
    p.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    const QPoint angolo(int(std::floor(x)), int(std::floor(y)));
    p.drawImage(angolo, etichetta);
    segna(QRectF(angolo, etichetta.size()));
}
