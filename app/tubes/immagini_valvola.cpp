#include "tubes/immagini_valvola.h"

#include <FreeImage.h>

#include <QFile>
#include <QFileInfo>

#include <cstring>
#include <memory>

namespace immagini_valvola {

namespace {

struct Rilascia {
    void operator()(FIBITMAP* b) const { FreeImage_Unload(b); }
};
using Bitmap = std::unique_ptr<FIBITMAP, Rilascia>;

// The library reports damage it works around (a JPEG cut short is padded
// with grey) only through its message hook; a picture that raised one is
// not taken. The program runs the library on one thread.
int messaggi_libreria = 0;

void conta_messaggio(FREE_IMAGE_FORMAT, const char*)
{
    ++messaggi_libreria;
}

// A scanned data sheet is far smaller than this; a picture beyond it is
// refused rather than risk exhausting the memory.
constexpr double massimo_pixel = 100.0e6;

// The format by content, by the name when the content says nothing.
FREE_IMAGE_FORMAT formato(const QByteArray& nome)
{
    FREE_IMAGE_FORMAT f = FreeImage_GetFileType(nome.constData(), 0);
    if (f == FIF_UNKNOWN)
        f = FreeImage_GetFIFFromFilename(nome.constData());
    if (f == FIF_UNKNOWN || !FreeImage_FIFSupportsReading(f))
        return FIF_UNKNOWN;
    return f;
}

FREE_IMAGE_FORMAT formato_file(const QString& percorso)
{
    return formato(QFile::encodeName(percorso));
}

Bitmap carica(const QString& percorso)
{
    if (!QFileInfo(percorso).isFile())
        return {};
    const QByteArray nome = QFile::encodeName(percorso);
    const FREE_IMAGE_FORMAT f = formato(nome);
    if (f == FIF_UNKNOWN)
        return {};
    FreeImage_SetOutputMessage(conta_messaggio);
    // A small file may claim an enormous picture: the size is read from the
    // header first where the format allows it.
    if (FreeImage_FIFSupportsNoPixels(f)) {
        messaggi_libreria = 0;
        Bitmap testata(FreeImage_Load(f, nome.constData(), FIF_LOAD_NOPIXELS));
        if (!testata || messaggi_libreria > 0
            || double(FreeImage_GetWidth(testata.get())) * FreeImage_GetHeight(testata.get()) > massimo_pixel)
            return {};
    }
    messaggi_libreria = 0;
    Bitmap b(FreeImage_Load(f, nome.constData(), 0));
    if (!b || messaggi_libreria > 0 || FreeImage_GetWidth(b.get()) == 0
        || FreeImage_GetHeight(b.get()) == 0 || !FreeImage_HasPixels(b.get())
        || double(FreeImage_GetWidth(b.get())) * FreeImage_GetHeight(b.get()) > massimo_pixel)
        return {};
    return b;
}

// 24-bit colour: 16-bit, float and palette pictures converted, a transparent
// background laid on white.
Bitmap a_24_bit(Bitmap b)
{
    if (FreeImage_GetImageType(b.get()) != FIT_BITMAP)
        b.reset(FreeImage_ConvertToStandardType(b.get(), TRUE));
    if (!b)
        return {};
    if (FreeImage_GetBPP(b.get()) == 32 || FreeImage_IsTransparent(b.get())) {
        Bitmap b32(FreeImage_ConvertTo32Bits(b.get()));
        if (!b32)
            return {};
        RGBQUAD bianco{255, 255, 255, 0};
        return Bitmap(FreeImage_Composite(b32.get(), FALSE, &bianco, nullptr));
    }
    if (FreeImage_GetBPP(b.get()) == 24)
        return b;
    return Bitmap(FreeImage_ConvertTo24Bits(b.get()));
}

// A bitmap written to memory in a format; empty when it cannot be.
std::optional<QByteArray> in_memoria(FIBITMAP* b, FREE_IMAGE_FORMAT f)
{
    FIMEMORY* memoria = FreeImage_OpenMemory();
    if (!memoria)
        return std::nullopt;
    std::optional<QByteArray> dati;
    BYTE* inizio = nullptr;
    DWORD lunghezza = 0;
    if (FreeImage_SaveToMemory(f, b, memoria, 0) && FreeImage_AcquireMemory(memoria, &inizio, &lunghezza))
        dati = QByteArray(reinterpret_cast<const char*>(inizio), qsizetype(lunghezza));
    FreeImage_CloseMemory(memoria);
    return dati;
}

} // namespace

std::optional<QByteArray> nel_formato(const QString& percorso, Formato formato)
{
    const FREE_IMAGE_FORMAT voluto = formato == Formato::gif ? FIF_GIF : FIF_JPEG;
    Bitmap b = carica(percorso);
    if (!b)
        return std::nullopt;
    if (formato_file(percorso) == voluto) {
        QFile f(percorso);
        if (!f.open(QIODevice::ReadOnly))
            return std::nullopt;
        const QByteArray dati = f.readAll();
        if (f.error() != QFileDevice::NoError)
            return std::nullopt;
        return dati;
    }
    b = a_24_bit(std::move(b));
    if (!b)
        return std::nullopt;
    if (formato == Formato::gif)
        b.reset(FreeImage_ColorQuantize(b.get(), FIQ_WUQUANT));
    if (!b)
        return std::nullopt;
    return in_memoria(b.get(), voluto);
}

bool ridimensiona_curva(const QString& sorgente, const QString& destinazione)
{
    Bitmap originale = carica(sorgente);
    if (!originale)
        return false;
    Bitmap colori = a_24_bit(std::move(originale));
    if (!colori)
        return false;
    Bitmap ridotta(FreeImage_Rescale(colori.get(), larghezza_curva, altezza_curva, FILTER_BOX));
    if (!ridotta)
        return false;
    ridotta = a_24_bit(std::move(ridotta));
    if (!ridotta)
        return false;
    // A GIF holds at most 256 colours.
    Bitmap tavolozza(FreeImage_ColorQuantize(ridotta.get(), FIQ_WUQUANT));
    if (!tavolozza)
        return false;
    const QByteArray nome = QFile::encodeName(destinazione);
    if (FreeImage_Save(FIF_GIF, tavolozza.get(), nome.constData(), 0))
        return true;
    QFile::remove(destinazione);
    return false;
}

std::optional<QSize> dimensioni(const QString& percorso)
{
    Bitmap b = carica(percorso);
    if (!b)
        return std::nullopt;
    return QSize(int(FreeImage_GetWidth(b.get())), int(FreeImage_GetHeight(b.get())));
}

QImage leggi(const QString& percorso)
{
    Bitmap b = carica(percorso);
    if (!b)
        return {};
    if (FreeImage_GetImageType(b.get()) != FIT_BITMAP)
        b.reset(FreeImage_ConvertToStandardType(b.get(), TRUE));
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

} // namespace immagini_valvola
