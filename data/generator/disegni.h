#pragma once

#include "valvole_demo.h"

#include <QFont>
#include <QImage>
#include <QString>

#include <vector>

// The pictures of the demo data, drawn in memory; main.cpp writes them.
namespace disegni {

// Plate curves of one tube on the common 518 x 418 layout, in the colours of
// tavolozza_curve() only.
QImage disegna_curve(const valvole_demo::Valvola& v);
std::vector<QRgb> tavolozza_curve();

// Placeholder shown in the chart for a tube without a curve picture.
QImage disegna_assente();

// Photo-like drawing of the tube.
QImage disegna_foto(const valvole_demo::Valvola& v);

// Socket seen from below, with the pin functions; colours of
// tavolozza_piedinatura() only.
QImage disegna_piedinatura(const valvole_demo::Valvola& v);
std::vector<QRgb> tavolozza_piedinatura();

// 13 x 13 menu bitmaps, by file name (SAVE13.bmp, ...).
QImage disegna_icona(const QString& nome);

// Common-cathode stage schematics for the mode viewer: 'G' generic triode,
// 'P' pentode, 'U' ultralinear, 'D' diode.
QImage disegna_schema(char tipo);

// A font that renders without antialiasing, so text keeps to the palette.
QFont carattere(int pixel, bool grassetto = false, bool antialias = false);

} // namespace disegni
