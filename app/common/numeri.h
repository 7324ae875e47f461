#pragma once

// The number rules shared by every window: how typed numbers are read, how
// values are rounded into whole numbers and how they are shown. One place, so
// that a field reads and shows the same way wherever it is.

#include <QString>

class QLocale;

#include <cstdint>
#include <optional>

namespace numeri {

// The farthest a drawn coordinate (chart pixels) may lie from the picture:
// far beyond any picture, yet small enough for the rasteriser's fixed point.
// The chart draws, the chart's commands produce and project files hold only
// coordinates below it, so every design on screen can be saved and read.
inline constexpr double limite_coordinata = 1.0e6;

// Nearest whole number, halves to the even neighbour (2.5 -> 2, 3.5 -> 4).
// Empty when the value is not a number or does not fit the target type, so
// the caller can keep its previous value instead of converting garbage.
std::optional<int32_t> arrotonda_int32(double valore);
std::optional<int16_t> arrotonda_int16(double valore);

// floor(valore) as a whole number; empty when NaN or out of range.
std::optional<int32_t> parte_intera_int32(double valore);

// The leading number of a text: optional blanks, an optional sign, digits,
// an optional "." and digits. Reading stops at the first other character;
// a text that does not start with a number reads as 0.
double valore_iniziale(const QString& testo);

// A value shown with one of the display patterns ("###0.00", "##0.00",
// "###,###,##0", "#0.00", "00"): the number of "0" before the point is the
// minimum of integer digits, the characters after it the decimals, a ","
// asks for thousands grouping. Separators are those of the default locale.
QString formatta(double valore, const QString& schema);

// The shortest text of a single-precision value: up to 7 significant digits,
// no grouping, no decimals for a whole value, the locale's decimal separator.
QString testo_float(float valore);
// The same with the separators of the given locale (QLocale::c() for files
// that must read the same everywhere).
QString testo_float(float valore, const QLocale& locale);

// The default text of a double: up to 15 significant digits, no grouping,
// no decimals for a whole value, the locale's decimal separator.
QString testo_double(double valore);

// Object label: a letter followed by the index in at least two digits
// (R01, C10, R123).
QString etichetta(QChar lettera, int indice);

} // namespace numeri
