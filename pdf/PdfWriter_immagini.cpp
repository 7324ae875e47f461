#include "PdfWriter.h"

#include "PdfWriter_interno.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>

using namespace pdfwriter_interno;

namespace {

// Rounds half to even, as the bitmap reader's gray conversion wants.
int RoundEven(double v)
{
    return static_cast<int>(std::nearbyint(v));
}

std::uint8_t GrayOf(std::uint8_t r, std::uint8_t g, std::uint8_t b)
{
    int v = RoundEven(r * 0.33 + g * 0.59 + b * 0.11);
    return static_cast<std::uint8_t>(std::min(v, 255));
}

std::uint32_t Le32(const std::uint8_t* p)
{
    return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

std::uint16_t Le16(const std::uint8_t* p)
{
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

// Upper bound on the pixel data a bitmap may ask for, whatever the file size.
constexpr std::uint64_t kMaxBitmapBytes = 1ull << 30;

} // namespace

// ============================================================================
// Images
// ============================================================================

std::string PdfWriter::ASCII85Encode(std::string_view bytes)
{
    std::string out;
    out.reserve(bytes.size() / 4 * 5 + 8);
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const std::size_t n = bytes.size();
    std::size_t i = 0;
    char group[5];
    for (; i + 4 <= n; i += 4) {
        std::uint32_t v = (static_cast<std::uint32_t>(p[i]) << 24) | (p[i + 1] << 16) | (p[i + 2] << 8) | p[i + 3];
        if (v == 0) {
            out.push_back('z');
            continue;
        }
        for (int k = 4; k >= 0; --k) {
            group[k] = static_cast<char>('!' + v % 85);
            v /= 85;
        }
        out.append(group, 5);
    }
    if (i < n) {
        const std::size_t rest = n - i;
        std::uint32_t v = 0;
        for (std::size_t k = 0; k < 4; ++k)
            v = (v << 8) | (k < rest ? p[i + k] : 0u);
        for (int k = 4; k >= 0; --k) {
            group[k] = static_cast<char>('!' + v % 85);
            v /= 85;
        }
        out.append(group, rest + 1);
    }
    out += "~>";
    return out;
}

void PdfWriter::LoadImgFromArray(const std::string& Name, const std::vector<std::uint8_t>& ImgBuf,
                                 const std::vector<std::uint8_t>& ImgColor, std::int32_t ImgWidth,
                                 std::int32_t ImgHeight, std::uint8_t ImgBPP, std::int32_t ColorSpace)
{
    const std::string name = Latin(Name);
    std::int32_t n = BeginObj(0);
    std::string head = std::string("<<") + CR + "/Type /XObject" + CR + "/Subtype /Image" + CR + "/Name /" + name + CR +
                       "/Width " + Num(ImgWidth) + CR + "/Height " + Num(ImgHeight);
    if (EncodeASCII85_)
        head += std::string(1, CR) + "/Filter /ASCII85Decode";
    Line(head);
    const char* cs = ColorSpace == 0 ? "DeviceRGB" : "DeviceGray";
    if (ImgBPP == 24) {
        Line(std::string("/BitsPerComponent 8") + CR + "/ColorSpace /" + cs + CR + "/Length " + Num(n + 1) + " 0 R");
    } else if (ImgBPP == 8 || ImgBPP == 4 || ImgBPP == 1) {
        Line("/BitsPerComponent " + Num(ImgBPP) + CR + "/ColorSpace [/Indexed /" + cs + " " + Num((1 << ImgBPP) - 1) +
             " " + Num(n + 2) + " 0 R]" + CR + "/Length " + Num(n + 1) + " 0 R");
    }
    std::string_view raw(reinterpret_cast<const char*>(ImgBuf.data()), ImgBuf.size());
    std::string encoded;
    if (EncodeASCII85_) {
        encoded = ASCII85Encode(raw);
        raw = encoded;
    }
    // The keyword "stream" ends with CR LF: after a lone CR a reader takes a
    // leading LF byte of binary data for the rest of the line end.
    Put(std::string(">>") + CR + "stream\r\n");
    Put(raw);
    Line(std::string(1, CR) + "endstream");
    EndObj();
    ImageResources_ += ResourceEntry(name, n);

    // The length counts every byte up to "endstream", the "~>" end marker of
    // ASCII85 data included; without it readers stop short of "endstream".
    BeginObj(0);
    Line(Num(static_cast<long long>(raw.size())));
    EndObj();

    if (ImgBPP <= 8) {
        std::string_view pal(reinterpret_cast<const char*>(ImgColor.data()), ImgColor.size());
        std::string palEncoded;
        if (EncodeASCII85_) {
            palEncoded = ASCII85Encode(pal);
            pal = palEncoded;
        }
        BeginObj(0);
        std::string ph = "<<";
        if (EncodeASCII85_)
            ph += std::string("/Filter /ASCII85Decode") + CR;
        ph += "/Length " + Num(static_cast<long long>(pal.size())) + " >>" + CR + "stream\r\n";
        Put(ph);
        Put(pal);
        Line(std::string(1, CR) + "endstream");
        EndObj();
    }
}

bool PdfWriter::LoadImgFromBMPFile(const std::string& Name, const std::string& FileName, std::int32_t ColorSpace)
{
    std::vector<std::uint8_t> pixels, palette;
    std::int32_t width = 0, height = 0, depth = 0;
    if (!ReadBMPFile(FileName, ColorSpace, pixels, palette, width, height, depth))
        return false;
    LoadImgFromArray(Name, pixels, palette, width, height, static_cast<std::uint8_t>(depth), ColorSpace);
    return true;
}

namespace {

struct FileCloser {
    std::FILE* f;
    ~FileCloser()
    {
        if (f)
            std::fclose(f);
    }
};

// Reads exactly n bytes at offset; false when the file is shorter.
bool ReadAt(std::FILE* f, const std::string& path, std::uint64_t offset, void* buf, std::size_t n)
{
    if (n == 0)
        return true;
    if (fseeko(f, static_cast<off_t>(offset), SEEK_SET) != 0)
        return false;
    std::size_t got = std::fread(buf, 1, n, f);
    if (got != n) {
        if (std::ferror(f))
            ThrowErrno(errno, "cannot read " + path);
        return false;
    }
    return true;
}

} // namespace

bool PdfWriter::ReadBMPFile(const std::string& FileName, std::int32_t ColorSpace, std::vector<std::uint8_t>& pixels,
                            std::vector<std::uint8_t>& palette, std::int32_t& width, std::int32_t& height,
                            std::int32_t& depth)
{
    std::FILE* f = std::fopen(FileName.c_str(), "rb");
    if (!f) {
        if (errno == ENOENT || errno == ENOTDIR)
            return false;
        ThrowErrno(errno, "cannot open " + FileName);
    }
    FileCloser closer{f};
    struct stat st {};
    if (::fstat(fileno(f), &st) != 0)
        ThrowErrno(errno, "cannot open " + FileName);
    if (!S_ISREG(st.st_mode))
        ThrowErrno(S_ISDIR(st.st_mode) ? EISDIR : EINVAL, "cannot read " + FileName);
    const std::uint64_t fileSize = static_cast<std::uint64_t>(st.st_size);

    // File header (14 bytes) and information header (40 bytes).
    std::uint8_t hdr[54];
    if (!ReadAt(f, FileName, 0, hdr, sizeof hdr))
        return false;
    if (hdr[0] != 'B' || hdr[1] != 'M')
        return false;
    const std::uint32_t dataOffset = Le32(hdr + 10);
    const std::uint32_t infoSize = Le32(hdr + 14);
    const auto w = static_cast<std::int32_t>(Le32(hdr + 18));
    const auto h = static_cast<std::int32_t>(Le32(hdr + 22));
    const std::uint16_t bpp = Le16(hdr + 28);
    const std::uint32_t compression = Le32(hdr + 30);
    const std::uint32_t colorsUsed = Le32(hdr + 46);

    // Only uncompressed bottom-up bitmaps of 1, 4, 8 or 24 bits; anything else
    // (top-down rows, RLE, bit fields, 16 or 32 bits, core headers) would be
    // misread as garbage.
    if (infoSize < 40 || w <= 0 || h <= 0 || compression != 0)
        return false;
    if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 24)
        return false;

    const std::uint64_t W = static_cast<std::uint64_t>(w), H = static_cast<std::uint64_t>(h);
    // Rows are padded to a multiple of four bytes.
    const std::uint64_t stride = (W * bpp + 31) / 32 * 4;
    const std::uint64_t dataBytes = stride * H;
    if (dataBytes > kMaxBitmapBytes || dataOffset > fileSize || dataBytes > fileSize - dataOffset)
        return false;

    std::vector<std::uint8_t> pal;
    if (bpp <= 8) {
        const std::uint32_t entries = 1u << bpp;
        // A palette shorter than the depth allows (colours used) is padded
        // with black so the indexed colour space always has all its entries.
        const std::uint32_t stored = (colorsUsed >= 1 && colorsUsed < entries) ? colorsUsed : entries;
        const std::uint64_t palOffset = 14ull + infoSize;
        std::vector<std::uint8_t> quads(static_cast<std::size_t>(entries) * 4, 0);
        if (palOffset > fileSize || stored * 4ull > fileSize - palOffset)
            return false;
        if (!ReadAt(f, FileName, palOffset, quads.data(), stored * 4ull))
            return false;
        pal.reserve(static_cast<std::size_t>(entries) * (ColorSpace == 0 ? 3 : 1));
        for (std::uint32_t i = 0; i < entries; ++i) {
            const std::uint8_t b = quads[i * 4], g = quads[i * 4 + 1], r = quads[i * 4 + 2];
            if (ColorSpace == 0) {
                pal.push_back(r);
                pal.push_back(g);
                pal.push_back(b);
            } else {
                pal.push_back(GrayOf(r, g, b));
            }
        }
    }

    std::vector<std::uint8_t> data(static_cast<std::size_t>(dataBytes));
    if (!ReadAt(f, FileName, dataOffset, data.data(), data.size()))
        return false;

    std::vector<std::uint8_t> out;
    if (bpp <= 8) {
        const std::size_t rowBytes = static_cast<std::size_t>((W * bpp + 7) / 8);
        out.resize(rowBytes * static_cast<std::size_t>(H));
        for (std::size_t y = 0; y < H; ++y)
            std::memcpy(out.data() + y * rowBytes, data.data() + y * stride, rowBytes);
    } else {
        const std::size_t per = ColorSpace == 0 ? 3 : 1;
        out.resize(static_cast<std::size_t>(W * H) * per);
        std::uint8_t* o = out.data();
        for (std::size_t y = 0; y < H; ++y) {
            const std::uint8_t* s = data.data() + y * stride;
            if (per == 3) {
                for (std::size_t x = 0; x < W; ++x, s += 3, o += 3) {
                    o[0] = s[2];
                    o[1] = s[1];
                    o[2] = s[0];
                }
            } else {
                for (std::size_t x = 0; x < W; ++x, s += 3)
                    *o++ = GrayOf(s[2], s[1], s[0]);
            }
        }
    }
    pixels.swap(out);
    palette.swap(pal);
    width = w;
    height = h;
    depth = bpp;
    return true;
}

void PdfWriter::DrawImg(const std::string& Name, float DestX, float DestY, float ImgWidth, float ImgHeight)
{
    Line(std::string("q") + CR + P(ImgWidth) + " " + " 0 0 -" + P(ImgHeight) + " " + P(DestX) + " " + P(DestY) + " cm" +
         CR + "/" + Latin(Name) + " Do" + CR + "Q");
}

// ============================================================================
// Form objects
// ============================================================================

void PdfWriter::StartObject(const std::string& Name, std::int32_t Options)
{
    const std::string name = Latin(Name);
    std::int32_t n = BeginObj(0);
    Line(std::string("<<") + CR + "/Type /XObject" + CR + "/Subtype /Form" + CR + "/FormType 1" + CR + "/Name /" +
         name + CR + "/BBox [" + FormatNumber(Margin_) + " " + FormatNumber(Margin_) + " " +
         FormatNumber(PaperWidth_ - Margin_) + " " + FormatNumber(PaperHeight_ - Margin_) + "]" + CR +
         "/Matrix [1 0 0 1 0 0]" + CR + "/Length " + Num(n + 1) + " 0 R >>" + CR + "stream");
    StreamStart_ = ByteCount_;
    FormResources_ += ResourceEntry(name, n);
    FormTable_.push_back(FormObjectEntry{name, Options});
}

void PdfWriter::EndObject()
{
    EndStream();
}

void PdfWriter::DrawObject(const std::string& Name)
{
    Line("/" + Latin(Name) + " Do");
}

void PdfWriter::DrawPageObjects()
{
    const int p = Pages_;
    const bool even = p % 2 == 0;
    for (const FormObjectEntry& e : FormTable_) {
        const std::int32_t o = e.Options;
        if ((even && (o & 2)) || (o & 7) == 7 || (!even && (o & 4) && !((o & 8) && p == 1)))
            Line("/" + e.Name + " Do");
    }
}
