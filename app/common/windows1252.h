#pragma once

// The one-byte code page of the files the program writes and reads (project
// files, HTML pages): Latin-1 plus the typographic characters that Windows
// puts in bytes 0x80 to 0x9F.

#include <QByteArray>
#include <QString>

#include <optional>

namespace windows1252 {

// The byte of a character, or nothing when the code page has none for it.
std::optional<char> byte_di(char32_t carattere);

// Text to bytes; a character the code page lacks becomes "?".
QByteArray codifica(const QString& testo);

// Bytes to text. The five bytes the code page leaves undefined stand for the
// control characters of the same number, so no byte is ever lost.
QString decodifica(const QByteArray& byte);

} // namespace windows1252
