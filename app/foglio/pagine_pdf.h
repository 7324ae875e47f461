#pragma once

// Data-sheet PDFs as pictures: a document is opened once, its pages are
// rendered as the scans they mostly are, at 300 dpi, and as thumbnails for
// choosing one. A file that cannot be read as a PDF (damaged, truncated,
// locked by a password, without pages) is refused with a message that says
// why, and nothing is rendered from it.

#include <QImage>
#include <QSize>
#include <QSizeF>
#include <QString>

#include <memory>

class QPdfDocument;

namespace pagine_pdf {

inline constexpr int dpi_pagina = 300;
// A page beyond this many pixels at 300 dpi is rendered at the lower
// resolution that fits.
inline constexpr qint64 pixel_massimi = 100'000'000;

// True when the file starts as a PDF does, whatever its name says.
bool e_pdf(const QString& percorso);

// The pixel size of a page of `punti` (1/72 inch) at `dpi`, reduced to fit
// within `massimi` pixels when larger, keeping its proportions.
QSize dimensioni_resa(QSizeF punti, int dpi = dpi_pagina, qint64 massimi = pixel_massimi);

class Documento {
public:
    explicit Documento(const QString& percorso);
    ~Documento();
    Documento(const Documento&) = delete;
    Documento& operator=(const Documento&) = delete;

    // Empty when the document was read and has pages; otherwise the message
    // for the user.
    const QString& errore() const { return errore_; }
    int pagine() const;
    QSizeF dimensioni_punti(int pagina) const;
    // The page at 300 dpi (or less, see pixel_massimi) on white paper; a
    // page larger than a few tens of millions of pixels comes in grey levels
    // to keep its memory within bounds. Null for a page out of range.
    QImage pagina(int pagina) const;
    // The page scaled to fit a box of `lato` pixels.
    QImage miniatura(int pagina, int lato) const;

private:
    QImage rendi(int pagina, QSize dimensioni, bool grigia) const;

    std::unique_ptr<QPdfDocument> documento_;
    QString errore_;
};

} // namespace pagine_pdf
