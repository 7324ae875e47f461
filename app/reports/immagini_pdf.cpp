#include "reports/immagini_pdf.h"

#include "common/libreria_immagini.h"

#include <QPainter>

#include <array>
#include <cstring>

namespace {

// The picture's own colours when there are at most 256 of them (the chart
// canvas, a GIF pin-out): the writer then takes indices into that palette,
// the same pixels in a third of the bytes or less. Empty when there are more.
std::vector<QRgb> colori_propri(const QImage& img)
{
    std::vector<QRgb> colori;
    QRgb ultimo = 0;
    bool c_e_ultimo = false;
    for (int y = 0; y < img.height(); ++y) {
        const QRgb* riga = reinterpret_cast<const QRgb*>(img.constScanLine(y));
        for (int x = 0; x < img.width(); ++x) {
            const QRgb c = riga[x] | 0xff000000u;
            if (c_e_ultimo && c == ultimo)
                continue;
            ultimo = c;
            c_e_ultimo = true;
            bool trovato = false;
            for (const QRgb k : colori)
                if (k == c) {
                    trovato = true;
                    break;
                }
            if (trovato)
                continue;
            if (colori.size() == 256)
                return {};
            colori.push_back(c);
        }
    }
    return colori;
}

void in_indici(const QImage& img, const std::vector<QRgb>& colori, ImmaginePdf& r)
{
    r.bpp = colori.size() <= 2 ? 1 : colori.size() <= 16 ? 4 : 8;
    const int per_byte = 8 / r.bpp;
    const std::size_t riga = (static_cast<std::size_t>(r.larghezza) * r.bpp + 7) / 8;
    r.pixel.assign(riga * static_cast<std::size_t>(r.altezza), 0);
    r.palette.assign((std::size_t{1} << r.bpp) * 3, 0);
    for (std::size_t i = 0; i < colori.size(); ++i) {
        r.palette[i * 3] = static_cast<std::uint8_t>(qRed(colori[i]));
        r.palette[i * 3 + 1] = static_cast<std::uint8_t>(qGreen(colori[i]));
        r.palette[i * 3 + 2] = static_cast<std::uint8_t>(qBlue(colori[i]));
    }
    QRgb ultimo = colori.front();
    std::uint8_t indice = 0;
    for (int y = 0; y < r.altezza; ++y) {
        const QRgb* s = reinterpret_cast<const QRgb*>(img.constScanLine(y));
        // The writer takes the rows from the bottom up.
        std::uint8_t* o = r.pixel.data() + static_cast<std::size_t>(r.altezza - 1 - y) * riga;
        for (int x = 0; x < r.larghezza; ++x) {
            const QRgb c = s[x] | 0xff000000u;
            if (c != ultimo) {
                ultimo = c;
                indice = 0;
                while (colori[indice] != c)
                    ++indice;
            }
            const int bit = 8 - r.bpp * (x % per_byte + 1);
            o[x / per_byte] |= static_cast<std::uint8_t>(indice << bit);
        }
    }
}

void in_rgb(const QImage& img, ImmaginePdf& r)
{
    r.bpp = 24;
    const std::size_t riga = static_cast<std::size_t>(r.larghezza) * 3;
    r.pixel.resize(riga * static_cast<std::size_t>(r.altezza));
    for (int y = 0; y < r.altezza; ++y) {
        const QRgb* s = reinterpret_cast<const QRgb*>(img.constScanLine(y));
        std::uint8_t* o = r.pixel.data() + static_cast<std::size_t>(r.altezza - 1 - y) * riga;
        for (int x = 0; x < r.larghezza; ++x, o += 3) {
            o[0] = static_cast<std::uint8_t>(qRed(s[x]));
            o[1] = static_cast<std::uint8_t>(qGreen(s[x]));
            o[2] = static_cast<std::uint8_t>(qBlue(s[x]));
        }
    }
}

} // namespace

ImmaginePdf immagine_pdf(const QImage& immagine)
{
    ImmaginePdf r;
    if (immagine.isNull())
        return r;
    // Transparent pixels show the page's white, as on screen over a white
    // frame.
    QImage img = immagine.convertToFormat(QImage::Format_RGB32);
    if (immagine.hasAlphaChannel()) {
        img = QImage(immagine.size(), QImage::Format_RGB32);
        img.fill(Qt::white);
        QPainter(&img).drawImage(0, 0, immagine);
    }
    r.larghezza = img.width();
    r.altezza = img.height();
    const std::vector<QRgb> colori = colori_propri(img);
    if (colori.empty())
        in_rgb(img, r);
    else
        in_indici(img, colori, r);
    r.ok = true;
    return r;
}

ImmaginePdf immagine_pdf(const QString& file)
{
    if (file.isEmpty())
        return {};
    // The format is read from the file's content, so a photo that is not a
    // JPEG (a new tube may bring any picture) still shows; the size is
    // checked before the picture is decoded.
    return immagine_pdf(immagini::leggi(file));
}
