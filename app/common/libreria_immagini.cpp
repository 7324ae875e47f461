#include "common/libreria_immagini.h"

#include <FreeImage.h>

#include <QBuffer>
#include <QFile>
#include <QFileInfo>

#include <cstring>
#include <memory>

LibreriaImmagini::~LibreriaImmagini()
{
    rilascia();
}

void LibreriaImmagini::inizializza()
{
    if (attiva_)
        return;
    FreeImage_Initialise(FALSE);
    attiva_ = true;
}

void LibreriaImmagini::rilascia_bitmap()
{
    if (bitmap_aperta) {
        FreeImage_Unload(static_cast<FIBITMAP*>(bitmap_aperta));
        bitmap_aperta = nullptr;
    }
}

void LibreriaImmagini::rilascia()
{
    rilascia_bitmap();
    if (attiva_) {
        FreeImage_DeInitialise();
        attiva_ = false;
    }
}

namespace immagini {

namespace {

struct Rilascia {
    void operator()(FIBITMAP* b) const { FreeImage_Unload(b); }
};
using Bitmap = std::unique_ptr<FIBITMAP, Rilascia>;

// The library reads through these calls from any QIODevice: a file on disk
// and bytes in memory go through the same code.
unsigned DLL_CALLCONV leggi_io(void* buffer, unsigned dimensione, unsigned quanti, fi_handle h)
{
    if (dimensione == 0)
        return 0;
    const qint64 n = static_cast<QIODevice*>(h)->read(static_cast<char*>(buffer), qint64(dimensione) * quanti);
    return n <= 0 ? 0 : unsigned(n / dimensione);
}

unsigned DLL_CALLCONV scrivi_io(void*, unsigned, unsigned, fi_handle)
{
    return 0;
}

int DLL_CALLCONV posiziona_io(fi_handle h, long scarto, int origine)
{
    auto* d = static_cast<QIODevice*>(h);
    qint64 base = 0;
    if (origine == SEEK_CUR)
        base = d->pos();
    else if (origine == SEEK_END)
        base = d->size();
    const qint64 posizione = base + scarto;
    return posizione >= 0 && posizione <= d->size() && d->seek(posizione) ? 0 : -1;
}

long DLL_CALLCONV posizione_io(fi_handle h)
{
    return long(static_cast<QIODevice*>(h)->pos());
}

FreeImageIO io()
{
    FreeImageIO f;
    f.read_proc = leggi_io;
    f.write_proc = scrivi_io;
    f.seek_proc = posiziona_io;
    f.tell_proc = posizione_io;
    return f;
}

// The library reports damage it works around (a JPEG cut short is padded
// with grey) only through its message hook. A JPEG with stray bytes between
// its segments decodes whole all the same, so that warning is let through;
// any other message makes the picture unreadable. The program reads pictures
// on one thread.
int messaggi_gravi = 0;

void annota_messaggio(FREE_IMAGE_FORMAT formato, const char* testo)
{
    if (formato == FIF_JPEG && testo && std::strstr(testo, "extraneous bytes"))
        return;
    ++messaggi_gravi;
}

bool entro_limite(double larghezza, double altezza)
{
    return larghezza > 0 && altezza > 0 && larghezza * altezza <= massimo_pixel;
}

unsigned parola(const unsigned char* b)
{
    return unsigned(b[0]) | unsigned(b[1]) << 8;
}

// GIF: the logical screen descriptor follows the six-byte signature; the
// library has no header-only path for it, so it is read here, together with
// the first frame's descriptor, since a frame may be larger than the screen.
std::optional<QSize> dimensioni_gif(QIODevice& d)
{
    d.seek(0);
    const QByteArray testa = d.read(13);
    if (testa.size() < 13 || !(testa.startsWith("GIF87a") || testa.startsWith("GIF89a")))
        return std::nullopt;
    const auto* b = reinterpret_cast<const unsigned char*>(testa.constData());
    const QSize schermo(int(parola(b + 6)), int(parola(b + 8)));
    if ((b[10] & 0x80) != 0 && !d.seek(13 + 3 * (qint64(2) << (b[10] & 7))))
        return std::nullopt;
    // Extensions before the first frame: a label and data sub-blocks each.
    for (int blocchi = 0; blocchi < 4096; ++blocchi) {
        char tipo = 0;
        if (!d.getChar(&tipo))
            return std::nullopt;
        if (tipo == 0x2C) {
            const QByteArray descrittore = d.read(8);
            if (descrittore.size() < 8)
                return std::nullopt;
            const auto* f = reinterpret_cast<const unsigned char*>(descrittore.constData());
            if (!entro_limite(parola(f + 4), parola(f + 6)))
                return std::nullopt;
            return schermo;
        }
        if (tipo != 0x21 || !d.getChar(&tipo))
            return std::nullopt;
        for (;;) {
            char n = 0;
            if (!d.getChar(&n))
                return std::nullopt;
            if (n == 0)
                break;
            if (!d.seek(d.pos() + static_cast<unsigned char>(n)))
                return std::nullopt;
        }
    }
    return std::nullopt;
}

FREE_IMAGE_FORMAT formato(QIODevice& d)
{
    FreeImageIO f = io();
    d.seek(0);
    const FREE_IMAGE_FORMAT fif = FreeImage_GetFileTypeFromHandle(&f, &d, 0);
    if (fif == FIF_UNKNOWN || !FreeImage_FIFSupportsReading(fif))
        return FIF_UNKNOWN;
    return fif;
}

std::optional<QSize> dimensioni_testata(QIODevice& d, FREE_IMAGE_FORMAT fif)
{
    if (fif == FIF_GIF)
        return dimensioni_gif(d);
    // Formats whose size the library cannot read without the pixels are
    // not read at all.
    if (fif == FIF_UNKNOWN || !FreeImage_FIFSupportsNoPixels(fif))
        return std::nullopt;
    FreeImage_SetOutputMessage(annota_messaggio);
    messaggi_gravi = 0;
    FreeImageIO f = io();
    d.seek(0);
    Bitmap testata(FreeImage_LoadFromHandle(fif, &f, &d, FIF_LOAD_NOPIXELS));
    if (!testata || messaggi_gravi > 0)
        return std::nullopt;
    return QSize(int(FreeImage_GetWidth(testata.get())), int(FreeImage_GetHeight(testata.get())));
}

std::optional<QSize> dimensioni_da(QIODevice& d)
{
    const auto dim = dimensioni_testata(d, formato(d));
    if (!dim || !entro_limite(dim->width(), dim->height()))
        return std::nullopt;
    return dim;
}

Bitmap carica(const QString& percorso)
{
    if (!QFileInfo(percorso).isFile())
        return {};
    QFile file(percorso);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const FREE_IMAGE_FORMAT fif = formato(file);
    const auto dim = dimensioni_testata(file, fif);
    if (!dim || !entro_limite(dim->width(), dim->height()))
        return {};
    FreeImage_SetOutputMessage(annota_messaggio);
    messaggi_gravi = 0;
    FreeImageIO f = io();
    file.seek(0);
    Bitmap b(FreeImage_LoadFromHandle(fif, &f, &file, 0));
    if (!b || messaggi_gravi > 0 || !FreeImage_HasPixels(b.get()) ||
        !entro_limite(FreeImage_GetWidth(b.get()), FreeImage_GetHeight(b.get())))
        return {};
    return b;
}

} // namespace

std::optional<QSize> dimensioni_dichiarate(const QByteArray& dati)
{
    QByteArray copia = dati;
    QBuffer buffer(&copia);
    if (!buffer.open(QIODevice::ReadOnly))
        return std::nullopt;
    return dimensioni_da(buffer);
}

std::optional<QSize> dimensioni_dichiarate(const QString& percorso)
{
    if (!QFileInfo(percorso).isFile())
        return std::nullopt;
    QFile file(percorso);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return dimensioni_da(file);
}

FIBITMAP* a_tipo_standard(FIBITMAP* bitmap)
{
    // 16 bits per channel (48- and 64-bit colour) go to 8; grey and float
    // types to the standard 8-bit form.
    Bitmap b(bitmap);
    switch (FreeImage_GetImageType(b.get())) {
    case FIT_BITMAP: break;
    case FIT_RGB16:
    case FIT_RGBF: b.reset(FreeImage_ConvertTo24Bits(b.get())); break;
    case FIT_RGBA16:
    case FIT_RGBAF: b.reset(FreeImage_ConvertTo32Bits(b.get())); break;
    default: b.reset(FreeImage_ConvertToStandardType(b.get(), TRUE)); break;
    }
    return b.release();
}

FIBITMAP* carica_bitmap(const QString& percorso)
{
    return carica(percorso).release();
}

QImage leggi(const QString& percorso)
{
    Bitmap b = carica(percorso);
    if (!b)
        return {};
    b.reset(a_tipo_standard(b.release()));
    if (!b)
        return {};
    Bitmap b32(FreeImage_ConvertTo32Bits(b.get()));
    if (!b32)
        return {};
    const int w = int(FreeImage_GetWidth(b32.get()));
    const int h = int(FreeImage_GetHeight(b32.get()));
    // Rows are stored bottom-up as B, G, R, A bytes: the memory layout of an
    // ARGB32 image on a little-endian machine.
    QImage img(w, h, QImage::Format_ARGB32);
    if (img.isNull())
        return {};
    for (int y = 0; y < h; ++y)
        std::memcpy(img.scanLine(y), FreeImage_GetScanLine(b32.get(), h - 1 - y), std::size_t(w) * 4);
    return img;
}

std::optional<QSize> dimensioni(const QString& percorso)
{
    Bitmap b = carica(percorso);
    if (!b)
        return std::nullopt;
    return QSize(int(FreeImage_GetWidth(b.get())), int(FreeImage_GetHeight(b.get())));
}

} // namespace immagini
