#pragma once

// The pictures of a new tube as the picture library reads them: by their
// content, whatever the file's name or the dialog's filter said, so GIF,
// JPEG, PNG, BMP and TIFF scans all load. A file the library cannot read
// whole (truncated, malformed, not a picture) counts as unreadable.

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>

#include <optional>

namespace immagini_valvola {

// Size of the curve picture once rescaled; the calibration pixels stored
// with a tube refer to it.
inline constexpr int larghezza_curva = 518;
inline constexpr int altezza_curva = 418;

// Reads a curve picture, rescales it to 518 x 418 with the box filter and
// writes it as a GIF of at most 256 colours to `destinazione`. False, with
// nothing written, when the picture cannot be read or the file not written.
bool ridimensiona_curva(const QString& sorgente, const QString& destinazione);

// The formats pictures are stored in, as their names say (".gif", ".jpg").
enum class Formato { gif, jpeg };

// The content of a picture file for storing it in a format: the file's own
// bytes when it is in that format already, else the picture converted (a
// GIF quantised to 256 colours). Empty when the picture cannot be read.
std::optional<QByteArray> nel_formato(const QString& percorso, Formato formato);

// Width and height of a picture; empty when it cannot be read.
std::optional<QSize> dimensioni(const QString& percorso);

// The picture for showing it; a null image when it cannot be read.
QImage leggi(const QString& percorso);

} // namespace immagini_valvola
