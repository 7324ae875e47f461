#pragma once

// The diagram saved as an image file through the picture library.

#include <QImage>
#include <QString>

// The image formats of the diagram export, as the library numbers them.
enum class FormatoImmagine { jpeg, tiff, bmp };

// The format of the filter selected in the save dialog (1 jpg, 2 TIFF,
// 3 BMP). Any other index gives JPEG.
FormatoImmagine formato_da_filtro(int indice_filtro);

// The file an export writes for the name the user chose: an extension the
// exporter knows (.jpg, .jpeg, .tif, .tiff, .bmp, in any case) decides the
// format; a name without an extension gets the selected filter's one and
// its format; any other extension stays, with the filter's format.
struct FileGrafico {
    QString nome;
    FormatoImmagine formato;
};
FileGrafico file_grafico(const QString& scelto, int indice_filtro);

// Writes the capture to nomefile in the given format with the library's
// default options. True only when the library reports success.
bool salva_grafico(FormatoImmagine formato, const QString& nomefile, const QImage& cattura);
