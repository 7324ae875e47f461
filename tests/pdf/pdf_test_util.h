// Helpers shared by the PDF writer tests: files, bitmaps, external tools.
#pragma once

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

namespace pdftest {

inline std::string readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void writeFile(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

inline void put16(std::string& s, std::uint32_t v)
{
    s.push_back(static_cast<char>(v & 0xFF));
    s.push_back(static_cast<char>((v >> 8) & 0xFF));
}

inline void put32(std::string& s, std::uint32_t v)
{
    put16(s, v & 0xFFFF);
    put16(s, v >> 16);
}

struct Rgb {
    std::uint8_t r, g, b;
};

// A Windows bitmap as the common tools write it: 14-byte file header,
// 40-byte information header, palette for depths up to 8, rows bottom-up and
// padded to four bytes. pixel(x, yFromTop) gives a palette index, or for
// 24 bits an index into `colors`.
inline std::string makeBmp(int width, int height, int bpp, const std::vector<Rgb>& colors,
                           const std::function<int(int, int)>& pixel)
{
    const int stride = (width * bpp + 31) / 32 * 4;
    const int paletteEntries = bpp <= 8 ? (1 << bpp) : 0;
    const std::uint32_t offset = 14 + 40 + 4 * paletteEntries;
    std::string s = "BM";
    put32(s, offset + static_cast<std::uint32_t>(stride * height));
    put32(s, 0);
    put32(s, offset);
    put32(s, 40);
    put32(s, static_cast<std::uint32_t>(width));
    put32(s, static_cast<std::uint32_t>(height));
    put16(s, 1);
    put16(s, static_cast<std::uint32_t>(bpp));
    put32(s, 0);
    put32(s, static_cast<std::uint32_t>(stride * height));
    put32(s, 2835);
    put32(s, 2835);
    put32(s, 0);
    put32(s, 0);
    for (int i = 0; i < paletteEntries; ++i) {
        Rgb c = i < static_cast<int>(colors.size()) ? colors[static_cast<std::size_t>(i)] : Rgb{0, 0, 0};
        s.push_back(static_cast<char>(c.b));
        s.push_back(static_cast<char>(c.g));
        s.push_back(static_cast<char>(c.r));
        s.push_back(0);
    }
    for (int row = height - 1; row >= 0; --row) {
        std::string line(static_cast<std::size_t>(stride), '\0');
        for (int x = 0; x < width; ++x) {
            int v = pixel(x, row);
            if (bpp == 24) {
                Rgb c = colors[static_cast<std::size_t>(v)];
                line[static_cast<std::size_t>(x * 3)] = static_cast<char>(c.b);
                line[static_cast<std::size_t>(x * 3 + 1)] = static_cast<char>(c.g);
                line[static_cast<std::size_t>(x * 3 + 2)] = static_cast<char>(c.r);
            } else {
                const int bit = x * bpp;
                const int shift = 8 - bpp - (bit % 8);
                auto& byte = reinterpret_cast<unsigned char&>(line[static_cast<std::size_t>(bit / 8)]);
                byte = static_cast<unsigned char>(byte | (v << shift));
            }
        }
        s += line;
    }
    return s;
}

struct ToolResult {
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

inline ToolResult runTool(const QString& program, const QStringList& args)
{
    QProcess p;
    p.start(program, args);
    ToolResult r;
    if (!p.waitForStarted(10000))
        return r;
    p.waitForFinished(120000);
    r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = p.readAllStandardOutput();
    r.err = p.readAllStandardError();
    return r;
}

// A binary PPM (P6) as pdftoppm writes it.
struct Ppm {
    int width = 0, height = 0;
    std::string data;
    Rgb at(int x, int y) const
    {
        const std::size_t i =
            (static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)) * 3;
        return Rgb{static_cast<std::uint8_t>(data[i]), static_cast<std::uint8_t>(data[i + 1]),
                   static_cast<std::uint8_t>(data[i + 2])};
    }
};

inline bool readPpm(const std::string& path, Ppm& img)
{
    std::string s = readFile(path);
    std::size_t pos = 0;
    auto token = [&]() {
        while (pos < s.size() && (s[pos] == ' ' || s[pos] == '\n' || s[pos] == '\r' || s[pos] == '\t'))
            ++pos;
        std::size_t start = pos;
        while (pos < s.size() && !(s[pos] == ' ' || s[pos] == '\n' || s[pos] == '\r' || s[pos] == '\t'))
            ++pos;
        return s.substr(start, pos - start);
    };
    if (token() != "P6")
        return false;
    img.width = std::stoi(token());
    img.height = std::stoi(token());
    if (std::stoi(token()) != 255)
        return false;
    ++pos;
    img.data = s.substr(pos);
    return img.data.size() == static_cast<std::size_t>(img.width) * static_cast<std::size_t>(img.height) * 3;
}

} // namespace pdftest
