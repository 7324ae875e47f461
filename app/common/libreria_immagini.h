#pragma once

#include <QImage>
#include <QSize>
#include <QString>

#include <optional>

struct FIBITMAP;

// The picture library's session: initialised once at start-up, released at
// shut-down together with any bitmap still left open.
class LibreriaImmagini {
public:
    LibreriaImmagini() = default;
    ~LibreriaImmagini();
    LibreriaImmagini(const LibreriaImmagini&) = delete;
    LibreriaImmagini& operator=(const LibreriaImmagini&) = delete;

    void inizializza();
    // Releases the open bitmap, then the library; safe to call twice.
    void rilascia();
    // Releases the open bitmap, if any.
    void rilascia_bitmap();

    bool attiva() const { return attiva_; }

    // A bitmap left open by the new-tube window (a FIBITMAP*; null = none).
    void* bitmap_aperta = nullptr;

private:
    bool attiva_ = false;
};

// The one way the program reads a picture file (curves, photos, pin-outs, the
// new-tube window, the reports). Pictures come from outside: a file of a few
// hundred bytes can claim 40000 x 40000 pixels, so the size its header
// declares is read first and a picture past massimo_pixel is never decoded.
// Formats are recognised by content; a file cut short or one the library
// reports as damaged is unreadable, except for a JPEG whose only fault is a
// warning about extraneous bytes, which decodes whole.
namespace immagini {

// A scanned data sheet is far smaller than this.
inline constexpr double massimo_pixel = 100.0e6;

// Width and height as the header of the picture declares them, without
// decoding it; empty when the bytes are not a picture whose size can be read
// from its header. For GIF the logical screen and the first frame both count.
std::optional<QSize> dimensioni_dichiarate(const QByteArray& dati);
std::optional<QSize> dimensioni_dichiarate(const QString& percorso);

// The decoded picture as the library holds it (to be released with
// FreeImage_Unload); null when unreadable or too large.
FIBITMAP* carica_bitmap(const QString& percorso);
// The picture in the library's standard 8-bit-per-channel form: 16-bit,
// float and grey types converted. Takes the bitmap over (the converted one
// replaces it); null when a conversion fails.
FIBITMAP* a_tipo_standard(FIBITMAP* bitmap);

// The picture for showing it, as 32-bit ARGB (16 bits per channel reduced
// to 8); a null image when unreadable or too large.
QImage leggi(const QString& percorso);

// Width and height of a picture that reads whole; empty otherwise.
std::optional<QSize> dimensioni(const QString& percorso);

} // namespace immagini
