#include "immagini.h"

#include <FreeImage.h>

#include <QFile>

#include <memory>

namespace immagini {

namespace {

struct LiberaBitmap {
    void operator()(FIBITMAP* b) const { FreeImage_Unload(b); }
};
using Bitmap = std::unique_ptr<FIBITMAP, LiberaBitmap>;

// FreeImage keeps its rows bottom-up and in BGR order on little-endian hosts.
Bitmap a_24_bit(const QImage& sorgente)
{
    const QImage img = sorgente.convertToFormat(QImage::Format_RGB32);
    Bitmap dib(FreeImage_Allocate(img.width(), img.height(), 24));
    if (!dib)
        return dib;
    for (int y = 0; y < img.height(); ++y) {
        BYTE* riga = FreeImage_GetScanLine(dib.get(), img.height() - 1 - y);
        const auto* px = reinterpret_cast<const QRgb*>(img.constScanLine(y));
        for (int x = 0; x < img.width(); ++x) {
            riga[x * 3 + FI_RGBA_RED] = static_cast<BYTE>(qRed(px[x]));
            riga[x * 3 + FI_RGBA_GREEN] = static_cast<BYTE>(qGreen(px[x]));
            riga[x * 3 + FI_RGBA_BLUE] = static_cast<BYTE>(qBlue(px[x]));
        }
    }
    return dib;
}

bool salva(FREE_IMAGE_FORMAT formato, FIBITMAP* dib, const QString& file, int flag)
{
    // Write beside the target and rename, so an interrupted run never leaves a
    // truncated picture under the final name.
    const QString provvisorio = file + QStringLiteral(".tmp");
    QFile::remove(provvisorio);
    const QByteArray percorso = QFile::encodeName(provvisorio);
    if (!FreeImage_Save(formato, dib, percorso.constData(), flag))
        return false;
    QFile::remove(file);
    return QFile::rename(provvisorio, file);
}

} // namespace

bool salva_gif(const QImage& sorgente, const std::vector<QRgb>& tavolozza, const QString& file)
{
    if (tavolozza.empty() || tavolozza.size() > 256)
        return false;
    const QImage img = sorgente.convertToFormat(QImage::Format_RGB32);
    Bitmap dib(FreeImage_Allocate(img.width(), img.height(), 8));
    if (!dib)
        return false;
    RGBQUAD* pal = FreeImage_GetPalette(dib.get());
    for (unsigned i = 0; i < 256; ++i) {
        const QRgb c = i < tavolozza.size() ? tavolozza[i] : qRgb(0, 0, 0);
        pal[i].rgbRed = static_cast<BYTE>(qRed(c));
        pal[i].rgbGreen = static_cast<BYTE>(qGreen(c));
        pal[i].rgbBlue = static_cast<BYTE>(qBlue(c));
        pal[i].rgbReserved = 0;
    }
    for (int y = 0; y < img.height(); ++y) {
        BYTE* riga = FreeImage_GetScanLine(dib.get(), img.height() - 1 - y);
        const auto* px = reinterpret_cast<const QRgb*>(img.constScanLine(y));
        for (int x = 0; x < img.width(); ++x) {
            const QRgb c = px[x] | 0xff000000u;
            std::size_t k = 0;
            while (k < tavolozza.size() && (tavolozza[k] | 0xff000000u) != c)
                ++k;
            if (k == tavolozza.size())
                return false;
            riga[x] = static_cast<BYTE>(k);
        }
    }
    return salva(FIF_GIF, dib.get(), file, GIF_DEFAULT);
}

bool salva_jpeg(const QImage& img, int qualita, const QString& file)
{
    Bitmap dib = a_24_bit(img);
    if (!dib)
        return false;
    return salva(FIF_JPEG, dib.get(), file, qualita | JPEG_BASELINE);
}

bool salva_bmp(const QImage& img, const QString& file)
{
    Bitmap dib = a_24_bit(img);
    if (!dib)
        return false;
    return salva(FIF_BMP, dib.get(), file, BMP_DEFAULT);
}

} // namespace immagini
