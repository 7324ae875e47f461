#pragma once

// The Windows-1252 code page, shared by the PDF writer and the program's
// own code-page module: Latin-1 plus the typographic characters Windows puts
// in bytes 0x80 to 0x9F. Plain C++, no Qt.

#include <cstdint>
#include <optional>

namespace cp1252 {

// The characters of bytes 0x80..0x9F; 0 marks the five codes the code page
// leaves undefined.
inline constexpr char16_t kHigh[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

// The byte of a code point, or nothing when the code page has none for it.
// An undefined code stands for the control character of the same number.
constexpr std::optional<char> ByteOf(std::uint32_t cp)
{
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF))
        return static_cast<char>(cp);
    for (std::uint32_t i = 0; i < 32; ++i) {
        if (kHigh[i] == 0 ? cp == 0x80u + i : cp == kHigh[i])
            return static_cast<char>(0x80 + i);
    }
    return std::nullopt;
}

// The character of a byte.
constexpr char16_t CharOf(unsigned char b)
{
    const char16_t high = (b >= 0x80 && b < 0xA0) ? kHigh[b - 0x80] : 0;
    return high != 0 ? high : char16_t(b);
}

} // namespace cp1252
