#include "tubes/immagini_valvola.h"

#include "common/libreria_immagini.h"

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

// Through the program's guarded reader: the size is checked before decoding.
Bitmap carica(const QString& percorso)
{
    return Bitmap(immagini::carica_bitmap(percorso));
}

// 24-bit colour: 16-bit, float and palette pictures converted, a transparent
// background laid on white.
Bitmap a_24_bit(Bitmap b)
{
    b.reset(immagini::a_tipo_standard(b.release()));
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
    return immagini::dimensioni(percorso);
}

QImage leggi(const QString& percorso)
{
    return immagini::leggi(percorso);
}

} // namespace immagini_valvola
