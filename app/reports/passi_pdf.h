#pragma once

// The steps the PDF report draws with, shared by its first page and the
// pages of the sections: each runs on its own, and a failure of the writer
// skips that step only.

#include "reports/immagini_pdf.h"

#include "PdfWriter.h"

#include <QString>

#include <exception>
#include <string>

namespace passi_pdf {

inline std::string utf8(const QString& s)
{
    return s.toStdString();
}

template <typename Passo> bool passo(Passo&& p)
{
    try {
        p();
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

// A picture handed to the writer: its pixel size and whether the writer
// holds it. A picture that could not be read is never drawn, so the page
// refers to no missing resource and no size is carried over.
struct Figura {
    bool caricata = false;
    int larghezza = 0;
    int altezza = 0;
};

inline Figura carica(PdfWriter& w, const char* nome, const ImmaginePdf& img)
{
    Figura f;
    if (!img.ok)
        return f;
    f.caricata =
        passo([&] { w.LoadImgFromArray(nome, img.pixel, img.palette, img.larghezza, img.altezza, img.bpp, 0); });
    f.larghezza = img.larghezza;
    f.altezza = img.altezza;
    return f;
}

inline void testo(PdfWriter& w, float x, float y, const QString& t, const char* font, float dimensione,
                  int allineamento)
{
    passo([&] { w.DrawText(x, y, utf8(t), font, dimensione, allineamento); });
}

inline void segmento(PdfWriter& w, float x0, float y0, float x1, float y1)
{
    passo([&] {
        w.MoveTo(x0, y0);
        w.LineTo(x1, y1, 1);
    });
}

} // namespace passi_pdf
