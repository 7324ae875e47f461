#include "common/windows1252.h"

#include <QList>
#include <QStringView>

namespace windows1252 {

namespace {

// Characters of bytes 0x80..0x9F; 0 marks the five undefined codes.
constexpr char16_t alti[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

} // namespace

std::optional<char> byte_di(char32_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return static_cast<char>(c);
    for (int i = 0; i < 32; ++i) {
        if (alti[i] == 0 ? c == char32_t(0x80 + i) : c == alti[i])
            return static_cast<char>(0x80 + i);
    }
    return std::nullopt;
}

QByteArray codifica(const QString& testo)
{
    QByteArray byte;
    byte.reserve(testo.size());
    for (char32_t c : testo.toUcs4())
        byte.append(byte_di(c).value_or('?'));
    return byte;
}

QString decodifica(const QByteArray& byte)
{
    QString testo(byte.size(), Qt::Uninitialized);
    QChar* d = testo.data();
    for (char b : byte) {
        const auto u = static_cast<unsigned char>(b);
        const char16_t alto = (u >= 0x80 && u < 0xA0) ? alti[u - 0x80] : 0;
        *d++ = QChar(alto != 0 ? alto : char16_t(u));
    }
    return testo;
}

} // namespace windows1252
