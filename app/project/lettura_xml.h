#pragma once

// Reading a project file back into plain data. Nothing on screen is touched
// here: the load command applies the result only once the file has been
// read whole and its tube found.

#include "project/progetto.h"

#include <QByteArray>
#include <QString>

#include <optional>

#include "common/numeri.h"

// The largest file the writer can produce is about 15 MB: the four lists of
// objects full (32767 each, coordinates at their longest) and every text
// field at its longest. Anything past this is refused before it is read.
inline constexpr qint64 limite_file_progetto = 16 * 1024 * 1024;

// Coordinates as far as the chart draws them; beyond is not a drawing.
using numeri::limite_coordinata;

// The shape of a project file, checked on its text before the XML reader
// sees it, since the reader's own work grows faster than the text: the
// element with most attributes has eleven (StadioFinale), and the four lists hold at most
// 32767 elements each.
inline constexpr int massimo_attributi_elemento = 32;
inline constexpr int massimo_elementi_progetto = 4 * 32767 + 1000;

// The bytes of a file, or nothing when it cannot be read or is too large.
std::optional<QByteArray> leggi_file_progetto(const QString& nomefile);

// The project held by the bytes of a file, or nothing when they are not a
// usable project: not well-formed, a document type declaration (whose
// entities could expand without end), an element with more attributes than
// massimo_attributi_elemento or more elements than massimo_elementi_progetto,
// SIGLA or COMPONENTI missing, an ID
// beyond 16 bits, a coordinate that is missing, not a number, not finite or
// beyond limite_coordinata, a window's inputs given twice or out of bounds
// (risposta_xml.h). Bytes are Windows-1252; CR and LF are dropped
// before parsing. Labels are rebuilt from the IDs, colours taken from
// `colori`.
std::optional<Progetto> Ricarica_Progetto(const QByteArray& byte, const ColoriOggetti& colori = {});

// A coordinate as written in a file: optional sign, digits with "." or ","
// as decimal separator, an optional exponent, blanks around; nothing when
// it is not such a number or is out of bounds.
std::optional<float> leggi_coordinata(const QString& testo);
