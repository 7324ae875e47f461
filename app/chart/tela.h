#pragma once

// The chart canvas: the tube's curve picture with every drawing over it.
// Everything is drawn by XOR with a palette colour, so drawing the same
// object again restores the pixels below it; that is how objects are erased.

#include <QImage>
#include <QPointF>
#include <QRect>
#include <QVector>
#include <QString>

class Tela {
public:
    static constexpr int larghezza = 536;
    static constexpr int altezza = 433;

    Tela();

    const QImage& immagine() const { return immagine_; }

    // Plain background, no picture.
    void pulisci();
    // The picture at 1:1 from the top-left corner over the background;
    // anything beyond the canvas is cut off.
    void imposta_immagine(const QImage& figura);

    // XOR drawings with a pen of the given width.
    void linea_xor(double x0, double y0, double x1, double y1, int colore, int spessore);
    // A polyline stroked as one shape, so its joints are not XORed twice.
    void polilinea_xor(const QVector<QPointF>& punti, int colore, int spessore);
    // Unfilled box with corners (x0, y0) and (x1, y1).
    void box_xor(double x0, double y0, double x1, double y1, int colore, int spessore);
    // A label: the text in the palette colour on black, XOR-painted with its
    // top-left corner at (x, y). Only the text pixels change the canvas.
    void testo_xor(const QString& testo, double x, double y, int colore);

    // Entries 0 to 15 of the standard 16-colour palette; black outside it,
    // which leaves an XOR drawing invisible.
    static QRgb colore_palette(int indice);
    static QRgb sfondo();

    // The part of the canvas drawn on since the last call, empty when none:
    // every drawing adds its box. The widget showing the canvas takes it to
    // repaint only that part (a rubber band moved by the mouse changes a
    // strip, not the whole chart).
    QRect prendi_zona_cambiata() const;

private:
    void segna(const QRectF& zona);

    QImage immagine_;
    mutable QRect zona_cambiata_;
};
