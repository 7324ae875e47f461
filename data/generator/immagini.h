#pragma once

#include <QImage>
#include <QString>

#include <vector>

// Writing pictures through FreeImage (Qt cannot write GIF). Each function
// returns false when the file could not be written.
namespace immagini {

// Saves an image whose every pixel is one of the colours of `tavolozza` as an
// 8-bit palette GIF; pixels of any other colour make it fail, so a stray
// antialiased pixel cannot slip into a picture meant to be crisp.
bool salva_gif(const QImage& img, const std::vector<QRgb>& tavolozza, const QString& file);

// Saves any image as a 24-bit JPEG of the given quality (1 to 100).
bool salva_jpeg(const QImage& img, int qualita, const QString& file);

// Saves any image as a 24-bit BMP.
bool salva_bmp(const QImage& img, const QString& file);

} // namespace immagini
