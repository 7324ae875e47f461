#pragma once

// The report's pictures as the PDF writer takes them from memory, rows from
// the bottom up: palette indices when a picture has at most 256 colours,
// 24-bit RGB otherwise. Handing them over in memory leaves no intermediate
// bitmap file anywhere.

#include <QImage>
#include <QString>

#include <cstdint>
#include <vector>

struct ImmaginePdf {
    bool ok = false;
    std::int32_t larghezza = 0;
    std::int32_t altezza = 0;
    std::uint8_t bpp = 24; // or 8, 4, 1 with a palette
    std::vector<std::uint8_t> pixel;
    std::vector<std::uint8_t> palette; // r, g, b per entry, 1 << bpp entries
};

// A picture in memory (the chart capture).
ImmaginePdf immagine_pdf(const QImage& cattura);

// A picture file (a JPEG photo, a GIF pin-out, or any picture format
// recognised from its content); not ok when it is missing or unreadable.
ImmaginePdf immagine_pdf(const QString& file);
