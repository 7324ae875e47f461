#include "reports/immagini_report.h"

#include <FreeImage.h>

#include <QFile>
#include <QFileInfo>

#include <memory>

namespace {

struct Rilascia {
    void operator()(FIBITMAP* b) const { FreeImage_Unload(b); }
};
using Bitmap = std::unique_ptr<FIBITMAP, Rilascia>;

QByteArray nome_file(const QString& percorso)
{
    return QFile::encodeName(percorso);
}

// The capture as a 24-bit library bitmap. The canvas is 32-bit with the
// bytes in blue, green, red order on this machine, which is the library's
// own order for 32-bit pixels.
Bitmap bitmap_da_immagine(const QImage& immagine)
{
    if (immagine.isNull())
        return nullptr;
    const QImage rgb32 = immagine.convertToFormat(QImage::Format_RGB32);
    Bitmap b32(FreeImage_ConvertFromRawBits(const_cast<BYTE*>(rgb32.constBits()), rgb32.width(), rgb32.height(),
                                            static_cast<int>(rgb32.bytesPerLine()), 32, FI_RGBA_RED_MASK,
                                            FI_RGBA_GREEN_MASK, FI_RGBA_BLUE_MASK, TRUE));
    if (!b32)
        return nullptr;
    return Bitmap(FreeImage_ConvertTo24Bits(b32.get()));
}

FREE_IMAGE_FORMAT formato_libreria(FormatoImmagine f)
{
    switch (f) {
    case FormatoImmagine::tiff: return FIF_TIFF;
    case FormatoImmagine::bmp: return FIF_BMP;
    case FormatoImmagine::jpeg: break;
    }
    return FIF_JPEG;
}

} // namespace

FormatoImmagine formato_da_filtro(int indice_filtro)
{
    switch (indice_filtro) {
    case 2: return FormatoImmagine::tiff;
    case 3: return FormatoImmagine::bmp;
    default: return FormatoImmagine::jpeg;
    }
}

FileGrafico file_grafico(const QString& scelto, int indice_filtro)
{
    const FormatoImmagine dal_filtro = formato_da_filtro(indice_filtro);
    const QString estensione = QFileInfo(scelto).suffix().toLower();
    if (estensione == QLatin1String("jpg") || estensione == QLatin1String("jpeg"))
        return {scelto, FormatoImmagine::jpeg};
    if (estensione == QLatin1String("tif") || estensione == QLatin1String("tiff"))
        return {scelto, FormatoImmagine::tiff};
    if (estensione == QLatin1String("bmp"))
        return {scelto, FormatoImmagine::bmp};
    if (!estensione.isEmpty())
        return {scelto, dal_filtro};
    const QString del_filtro = dal_filtro == FormatoImmagine::tiff  ? QStringLiteral("tif")
                               : dal_filtro == FormatoImmagine::bmp ? QStringLiteral("bmp")
                                                                    : QStringLiteral("jpg");
    return {scelto.endsWith(u'.') ? scelto + del_filtro : scelto + u'.' + del_filtro, dal_filtro};
}

bool salva_grafico(FormatoImmagine formato, const QString& nomefile, const QImage& cattura)
{
    // The capture goes to the library in memory: no intermediate bitmap file.
    Bitmap b = bitmap_da_immagine(cattura);
    if (!b || nomefile.isEmpty())
        return false;
    return FreeImage_Save(formato_libreria(formato), b.get(), nome_file(nomefile).constData(), 0) == TRUE;
}
