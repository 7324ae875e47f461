#include "PdfWriter.h"

#include "PdfFontWidths.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <stdexcept>
#include <system_error>

namespace {

constexpr char CR = '\r';
constexpr std::size_t kFlushAt = 1 << 20;

std::string Num(long long v)
{
    char buf[24];
    auto r = std::to_chars(buf, buf + sizeof buf, v);
    return std::string(buf, r.ptr);
}

std::string ResourceEntry(const std::string& name, std::int32_t obj)
{
    return "/" + name + " " + Num(obj) + " 0 R " + CR;
}

[[noreturn]] void ThrowErrno(int err, const std::string& what)
{
    throw std::system_error(err ? err : EIO, std::generic_category(), "PdfWriter: " + what);
}

// Windows-1252 bytes 0x80..0x9F and the characters they stand for; 0 marks
// the five codes the code page leaves undefined.
constexpr char16_t kHigh1252[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

char CodePointTo1252(std::uint32_t cp)
{
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF))
        return static_cast<char>(cp);
    for (int i = 0; i < 32; ++i) {
        if (kHigh1252[i] == 0 ? cp == 0x80u + i : cp == kHigh1252[i])
            return static_cast<char>(0x80 + i);
    }
    return '?';
}

char AsciiUpper(char c)
{
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

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

}  // namespace

// ============================================================================
// Construction, properties
// ============================================================================

PdfWriter::PdfWriter() : Title_("(senza titolo)") {}

PdfWriter::~PdfWriter()
{
    CloseFile();
}

void PdfWriter::EncodeASCII85(bool vData) { EncodeASCII85_ = vData; }

void PdfWriter::Margin(float vData) { Margin_ = ToPoints(vData); }

void PdfWriter::PaperWidth(float vData)
{
    PaperSize_ = 255;
    PaperWidth_ = ToPoints(vData);
}

void PdfWriter::PaperHeight(float vData)
{
    PaperSize_ = 255;
    PaperHeight_ = ToPoints(vData);
}

std::int16_t PdfWriter::Pages() const { return Pages_; }

void PdfWriter::ScaleMode(std::int32_t New_ScaleMode) { ScaleMode_ = New_ScaleMode; }

void PdfWriter::PaperSize(std::int32_t New_PaperSize)
{
    PaperSize_ = New_PaperSize;
    switch (New_PaperSize) {
    case 0: PaperWidth_ = 595.2f; PaperHeight_ = 842.0f; break;
    case 1: PaperWidth_ = 842.0f; PaperHeight_ = 1190.5f; break;
    case 2: PaperWidth_ = 612.0f; PaperHeight_ = 792.0f; break;
    case 3: PaperWidth_ = 612.0f; PaperHeight_ = 864.0f; break;
    default: break;
    }
}

void PdfWriter::Orientation(std::int32_t NewOrientation) { Orientation_ = NewOrientation; }

void PdfWriter::Title(const std::string& New_Title) { Title_ = New_Title; }

// ============================================================================
// Output primitives
// ============================================================================

void PdfWriter::RequireOpen() const
{
    if (!FileNum_)
        throw std::logic_error("PdfWriter: no document is open");
}

void PdfWriter::Flush()
{
    if (OutBuf_.empty())
        return;
    errno = 0;
    std::size_t n = std::fwrite(OutBuf_.data(), 1, OutBuf_.size(), FileNum_);
    if (n != OutBuf_.size()) {
        int err = errno;
        OutBuf_.clear();
        ThrowErrno(err, "cannot write " + OutputPath_);
    }
    OutBuf_.clear();
}

void PdfWriter::Put(std::string_view raw)
{
    RequireOpen();
    OutBuf_.append(raw);
    ByteCount_ += raw.size();
    if (OutBuf_.size() >= kFlushAt)
        Flush();
}

void PdfWriter::Line(std::string_view raw)
{
    RequireOpen();
    OutBuf_.append(raw);
    OutBuf_.append("\r\n", 2);
    ByteCount_ += raw.size() + 2;
    if (OutBuf_.size() >= kFlushAt)
        Flush();
}

void PdfWriter::CloseFile() noexcept
{
    if (!FileNum_)
        return;
    if (!OutBuf_.empty())
        std::fwrite(OutBuf_.data(), 1, OutBuf_.size(), FileNum_);
    OutBuf_.clear();
    std::fclose(FileNum_);
    FileNum_ = nullptr;
}

void PdfWriter::WriteLine(const std::string& text) { Line(ToWindows1252(text)); }

std::int32_t PdfWriter::BeginObj(std::int32_t n)
{
    RequireOpen();
    if (n == 0) {
        if (MaxObj_ == std::numeric_limits<std::int32_t>::max())
            throw std::overflow_error("PdfWriter: too many objects");
        n = MaxObj_ + 1;
    }
    if (n < 0)
        throw std::out_of_range("PdfWriter: negative object number");
    if (n > MaxObj_) {
        MaxObj_ = n;
        XRefEntries_.resize(static_cast<std::size_t>(MaxObj_) + 1);
    }
    std::string offset = Num(static_cast<long long>(ByteCount_));
    if (offset.size() < 10)
        offset.insert(0, 10 - offset.size(), '0');
    XRefEntries_[static_cast<std::size_t>(n)] = offset + " 00000 n";
    Line(Num(n) + " 0 obj");
    return n;
}

void PdfWriter::EndObj() { Line("endobj"); }

float PdfWriter::ToPoints(double v) const
{
    long double x = v;
    switch (ScaleMode_) {
    case 0: return static_cast<float>(x);
    case 1: return static_cast<float>(x * 72.0L);
    case 2: return static_cast<float>(x * 72.0L / 25.4L);
    case 3: return static_cast<float>(x * 72.0L / 2.54L);
    default: return 0.0f;
    }
}

float PdfWriter::FromPoints(double v) const
{
    long double x = v;
    switch (ScaleMode_) {
    case 0: return static_cast<float>(x);
    case 1: return static_cast<float>(x / 72.0L);
    case 2: return static_cast<float>(x / 72.0L * 25.4L);
    case 3: return static_cast<float>(x / 72.0L * 2.54L);
    default: return 0.0f;
    }
}

std::string PdfWriter::EscapeText(const std::string& text)
{
    std::string out;
    out.reserve(text.size() + 8);
    for (char c : text) {
        if (c == '\\' || c == '(' || c == ')')
            out.push_back('\\');
        out.push_back(c);
    }
    return out;
}

std::string PdfWriter::FormatInteger(long long value) { return Num(value); }

std::string PdfWriter::FormatDecimal(double value, int significant)
{
    if (!std::isfinite(value))
        throw std::overflow_error("PdfWriter: number out of range");
    // First the rounding to three decimals; std::to_chars is exact and knows
    // no locale, and settles exact ties to the even digit.
    char fixed[400];
    auto r = std::to_chars(fixed, fixed + sizeof fixed, value, std::chars_format::fixed, 3);
    double rounded = 0;
    std::from_chars(fixed, r.ptr, rounded);
    if (rounded == 0)
        return "0";

    std::string text;
    char sci[64];
    auto s = std::to_chars(sci, sci + sizeof sci, rounded, std::chars_format::scientific,
                           significant - 1);
    std::string_view sv(sci, static_cast<std::size_t>(s.ptr - sci));
    std::size_t epos = sv.find('e');
    int exp10 = 0;
    std::from_chars(sv.data() + epos + (sv[epos + 1] == '+' ? 2 : 1), sv.data() + sv.size(), exp10);
    if (exp10 - (significant - 1) > -3) {
        // The significant digits end before the third decimal: they decide.
        bool neg = sv[0] == '-';
        std::string digits;
        for (std::size_t i = neg ? 1 : 0; i < epos; ++i)
            if (sv[i] != '.')
                digits.push_back(sv[i]);
        int intLen = exp10 + 1;  // digits before the decimal point (>= 1 here)
        if (intLen >= static_cast<int>(digits.size()))
            text = digits + std::string(static_cast<std::size_t>(intLen) - digits.size(), '0');
        else
            text = digits.substr(0, static_cast<std::size_t>(intLen)) + "." +
                   digits.substr(static_cast<std::size_t>(intLen));
        if (neg)
            text.insert(0, 1, '-');
    } else {
        text.assign(fixed, r.ptr);
    }
    if (text.find('.') != std::string::npos) {
        while (text.back() == '0')
            text.pop_back();
        if (text.back() == '.')
            text.pop_back();
    }
    return text;
}

std::string PdfWriter::ToWindows1252(std::string_view s)
{
    std::string out;
    out.reserve(s.size());
    std::size_t i = 0;
    const std::size_t n = s.size();
    while (i < n) {
        auto c = static_cast<unsigned char>(s[i]);
        if (c < 0x80) {
            out.push_back(static_cast<char>(c));
            ++i;
            continue;
        }
        int len = 0;
        std::uint32_t cp = 0, min = 0;
        if (c >= 0xC2 && c <= 0xDF) { len = 2; cp = c & 0x1F; min = 0x80; }
        else if (c >= 0xE0 && c <= 0xEF) { len = 3; cp = c & 0x0F; min = 0x800; }
        else if (c >= 0xF0 && c <= 0xF4) { len = 4; cp = c & 0x07; min = 0x10000; }
        std::size_t j = i + 1;
        bool ok = len > 0;
        for (int k = 1; ok && k < len; ++k, ++j) {
            if (j >= n || (static_cast<unsigned char>(s[j]) & 0xC0) != 0x80)
                ok = false;
            else
                cp = (cp << 6) | (static_cast<unsigned char>(s[j]) & 0x3F);
        }
        if (!ok || cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
            out.push_back('?');
            i = ok ? j : std::max(j - 1, i + 1);
            continue;
        }
        out.push_back(CodePointTo1252(cp));
        i = j;
    }
    return out;
}

std::string PdfWriter::TempFileName(const std::string& folder, const std::tm& when, int digit)
{
    std::uint32_t v = static_cast<std::uint32_t>(when.tm_mday) * 10000000u +
                      static_cast<std::uint32_t>(when.tm_hour) * 100000u +
                      static_cast<std::uint32_t>(when.tm_min) * 1000u +
                      static_cast<std::uint32_t>(when.tm_sec) * 10u +
                      static_cast<std::uint32_t>(digit % 10);
    char hex[16];
    auto r = std::to_chars(hex, hex + sizeof hex, v, 16);
    std::string h(hex, r.ptr);
    for (char& c : h)
        c = AsciiUpper(c);
    return folder + "/~" + h + ".pdf";
}

std::string PdfWriter::ProgramFolder()
{
    std::string buf(4096, '\0');
    ssize_t n = ::readlink("/proc/self/exe", buf.data(), buf.size());
    if (n <= 0)
        ThrowErrno(errno, "cannot find the program folder");
    buf.resize(static_cast<std::size_t>(n));
    std::size_t slash = buf.rfind('/');
    if (slash == std::string::npos || slash == 0)
        return slash == 0 ? std::string() : std::string(".");
    return buf.substr(0, slash);
}

// ============================================================================
// Document and pages
// ============================================================================

void PdfWriter::InitPDFFile()
{
    std::string name;
    InitPDFFile(name);
}

void PdfWriter::InitPDFFile(std::string& strFileName)
{
    CloseFile();
    std::time_t now = std::time(nullptr);
    std::tm t{};
    localtime_r(&now, &t);
    if (strFileName.empty()) {
        std::random_device rd;
        strFileName = TempFileName(ProgramFolder(), t, static_cast<int>(rd() % 10));
    }
    OutputPath_ = strFileName;
    OutBuf_.clear();
    ByteCount_ = 0;
    std::FILE* f = std::fopen(OutputPath_.c_str(), "wb");
    if (!f)
        ThrowErrno(errno, "cannot create " + OutputPath_);
    FileNum_ = f;

    Line("%PDF-1.3");
    MaxObj_ = 0;
    XRefEntries_.assign(1, std::string());

    char date[32];
    std::snprintf(date, sizeof date, "%04d%02d%02d%02d%02d%02d", (t.tm_year + 1900) % 10000,
                  t.tm_mon + 1, t.tm_mday, t.tm_hour, t.tm_min, t.tm_sec);
    BeginObj(1);
    std::string info;
    info += "<<";
    info += CR;
    info += "/Title (" + EscapeText(Latin(Title_)) + ")" + CR;
    info += "/Author (" + EscapeText(Latin(kAuthor)) + ")" + CR;
    info += "/Creator  (" + EscapeText(Latin(kCreator)) + ")" + CR;
    info += "/Producer (" + EscapeText(Latin(kProducer)) + ")" + CR;
    info += std::string("/CreationDate (D:") + date + "+01'00')" + CR;
    info += ">>";
    Line(info);
    EndObj();

    BeginObj(2);
    std::string cat;
    cat += "<<";
    cat += CR;
    cat += "/Type /Catalog";
    cat += CR;
    cat += "/Pages 3 0 R";
    cat += CR;
    cat += "/PageLayout /OneColumn";
    cat += CR;
    cat += "/PageMode /UseNone";
    cat += CR;
    cat += "/Lang (it) ";
    cat += CR;
    cat += "/ViewerPreferences << /HideToolbar false /DisplayDocTitle true /HideWindowUI false >>";
    cat += CR;
    cat += ">>";
    Line(cat);
    EndObj();
    MaxObj_ = 4;
    XRefEntries_.resize(5);
}

std::int16_t PdfWriter::BeginPage()
{
    RequireOpen();
    if (Pages_ == std::numeric_limits<std::int16_t>::max())
        throw std::overflow_error("PdfWriter: too many pages");
    Pages_ = static_cast<std::int16_t>(Pages_ + 1);
    std::int32_t n = BeginObj(0);
    Line(std::string("<<") + CR + "/Type /Page" + CR + "/Parent 3 0 R" + CR + "/Contents " +
         Num(n + 1) + " 0 R" + CR + ">>");
    EndObj();
    PageKids_ += Num(n) + " 0 R ";
    BeginObj(n + 1);
    Line("<< /Length " + Num(n + 2) + " 0 R >>" + CR + "stream");
    StreamStart_ = ByteCount_;
    DrawPageObjects();
    CharSpacing_ = 0;
    WordSpacing_ = 0;
    HorizScaling_ = 100;
    return Pages_;
}

void PdfWriter::EndStream()
{
    StreamStart_ = ByteCount_ - StreamStart_;
    Line("endstream");
    EndObj();
    BeginObj(0);
    Line(Num(static_cast<long long>(StreamStart_)));
    EndObj();
}

void PdfWriter::EndPage() { EndStream(); }

void PdfWriter::ClosePDFFile()
{
    RequireOpen();
    BeginObj(4);
    std::string res;
    res += "<<";
    res += CR;
    if (!FontResources_.empty())
        res += std::string("/Font <<") + CR + FontResources_ + ">>" + CR;
    res += "/ProcSet [/PDF /Text";
    if (!ImageResources_.empty())
        res += " /ImageB /ImageC /ImageI";
    res += " ]";
    res += CR;
    if (!ImageResources_.empty() || !FormResources_.empty())
        res += std::string("/XObject <<") + CR + ImageResources_ + CR + FormResources_ + ">>" + CR;
    res += ">>";
    Line(res);
    EndObj();

    BeginObj(3);
    std::string w = FormatNumber(PaperWidth_), h = FormatNumber(PaperHeight_),
                m = FormatNumber(Margin_);
    float wm = PaperWidth_ - Margin_, hm = PaperHeight_ - Margin_;
    std::string tree;
    tree += "<<";
    tree += CR;
    tree += "/Type /Pages";
    tree += CR;
    tree += "/Count " + Num(Pages_) + CR;
    tree += "/MediaBox [0 0 " + w + " " + h + "]" + CR;
    tree += "/CropBox [" + m + " " + m + " " + FormatNumber(wm) + " " + FormatNumber(hm) + "]" + CR;
    if (Orientation_ == 1)
        tree += "/Rotate 90";
    tree += CR;
    tree += "/Kids [" + PageKids_ + " ]" + CR;
    tree += "/Resources 4 0 R";
    tree += CR;
    tree += ">>";
    Line(tree);
    EndObj();

    std::uint64_t xref = ByteCount_;
    Line("xref");
    Line("0 " + Num(static_cast<long long>(MaxObj_) + 1));
    std::string table;
    table.reserve(static_cast<std::size_t>(MaxObj_ + 1) * 20);
    table += "0000000000 65535 f\r\n";
    for (std::int32_t i = 1; i <= MaxObj_; ++i) {
        const std::string& e = XRefEntries_[static_cast<std::size_t>(i)];
        // An object number that was never written (only after a failed call)
        // is listed as free so the table keeps its fixed layout.
        table += e.empty() ? std::string("0000000000 65535 f") : e;
        table += "\r\n";
    }
    Put(table);
    Line(std::string("trailer") + CR + "<<" + CR + "/Size " + Num(static_cast<long long>(MaxObj_) + 1) +
         CR + "/Info 1 0 R" + CR + "/Root 2 0 R" + CR + ">>");
    Line(std::string("startxref") + CR + Num(static_cast<long long>(xref)));
    Line(std::string("%%EOF") + CR);

    Flush();
    std::FILE* f = FileNum_;
    FileNum_ = nullptr;
    errno = 0;
    if (std::fclose(f) != 0)
        ThrowErrno(errno, "cannot write " + OutputPath_);
}

// ============================================================================
// Text
// ============================================================================

void PdfWriter::SetWordSpacing(float W)
{
    WordSpacing_ = W;
    Line(FormatNumber(W) + " Tw");
}

void PdfWriter::SetCharSpacing(float W)
{
    CharSpacing_ = W;
    Line(FormatNumber(W) + " Tc");
}

void PdfWriter::SetTextHorizontalScaling(float W)
{
    HorizScaling_ = W;
    Line(FormatNumber(W) + " Tz");
}

void PdfWriter::SetTextRenderingMode(float W)
{
    if (W >= 0 && W <= 2)
        Line(FormatNumber(W) + " Tr");
}

void PdfWriter::DrawText(float& x, float y, const std::string& strTemp, const std::string& FontName,
                         float Fontsize, std::int32_t Align, float Rotate)
{
    if (Align == 1)
        x = x - Length(strTemp, FontName, Fontsize);
    else if (Align == 2)
        x = x - Length(strTemp, FontName, Fontsize) / 2;
    Line("BT");
    Line("/" + Latin(FontName) + " " + FormatNumber(Fontsize) + " Tf");
    if (Rotate != 0) {
        const double k = 3.141592 / 180;
        double s = std::sin(k * Rotate), c = std::cos(k * Rotate);
        Line(FormatNumber(c) + " " + FormatNumber(s) + " " + FormatNumber(-s) + " " + FormatNumber(c) +
             " " + P(x) + " " + P(y) + " Tm");
    } else {
        Line(P(x) + " " + P(y) + " Td");
    }
    Line("(" + EscapeText(Latin(strTemp)) + ") Tj");
    Line("ET");
}

float PdfWriter::Length(const std::string& Phrase, const std::string& FontName, float Fontsize)
{
    std::string key = "<" + Latin(FontName) + ">";
    for (char& c : key)
        c = AsciiUpper(c);
    std::string index = FontIndex_;
    for (char& c : index)
        c = AsciiUpper(c);
    std::size_t at = index.find(key);
    if (at == std::string::npos)
        return 0;
    std::size_t digits = at + key.size();
    std::size_t end = FontIndex_.find(';', digits);
    std::size_t fontNo = 0;
    std::from_chars(FontIndex_.data() + digits, FontIndex_.data() + end, fontNo);
    if (fontNo < 1 || fontNo > FontTable_.size())
        throw std::out_of_range("PdfWriter: font index out of range");
    const FontMetrics& fm = FontTable_[fontNo - 1];

    long long sum = 0, blanks = 0, chars = 0;
    for (char ch : Latin(Phrase)) {
        auto c = static_cast<unsigned char>(ch);
        if (c == 0)
            throw std::out_of_range("PdfWriter: character code 0 has no width");
        sum += (c >= fm.FirstChar && c <= fm.LastChar) ? fm.Widths[c] : fm.MissingWidth;
        ++chars;
        if (c == 32)
            ++blanks;
    }
    double width = (static_cast<double>(sum) * Fontsize / 1000 + static_cast<double>(blanks) * WordSpacing_ +
                    static_cast<double>(chars) * CharSpacing_) *
                   HorizScaling_ / 100;
    return FromPoints(width);
}

// ============================================================================
// Colours and line style
// ============================================================================

void PdfWriter::WriteColor(std::int32_t rgb, const char* rgbOp, const char* grayOp)
{
    if (rgb > 0 || rgb < -255) {
        if (rgb < 0)
            throw std::overflow_error("PdfWriter: colour out of range");
        double r = rgb & 0xFF, g = (rgb >> 8) & 0xFF, b = (rgb >> 16) & 0xFF;
        Line(FormatNumber(r / 255) + " " + FormatNumber(g / 255) + " " + FormatNumber(b / 255) + " " +
             rgbOp);
    } else {
        Line(FormatNumber(static_cast<double>(-rgb) / 255) + " " + grayOp);
    }
}

void PdfWriter::SetColorStroke(std::int32_t rgb) { WriteColor(rgb, "RG", "G"); }

void PdfWriter::SetColorFill(std::int32_t rgb) { WriteColor(rgb, "rg", "g"); }

void PdfWriter::SetDash(float dash_on, float dash_off)
{
    if (dash_on != 0 || dash_off != 0)
        Line("[" + P(dash_on) + " " + P(dash_off) + "] 0 d");
    else
        Line("[ ] 0 d");
}

void PdfWriter::SetLineWidth(float W) { Line(P(W) + " w"); }

void PdfWriter::SetLineCap(std::int16_t W)
{
    if (W >= 0 && W <= 2)
        Line(FormatNumber(W) + " J");
}

void PdfWriter::SetLineJoin(std::int16_t W)
{
    if (W >= 0 && W <= 2)
        Line(FormatNumber(W) + " j");
}

void PdfWriter::SetMiterLimit(float W)
{
    if (W >= 1)
        Line(FormatNumber(W) + " M");
}

// ============================================================================
// Paths
// ============================================================================

void PdfWriter::PaintPath(std::int32_t Options)
{
    switch (Options & 7) {
    case 7: Line("b"); break;
    case 5: Line("B"); break;
    case 4:
    case 6: Line("f"); break;
    case 3: Line("h"); Line("S"); break;
    case 2: Line("h"); break;
    case 1: Line("S"); break;
    default: break;
    }
}

void PdfWriter::MoveTo(float x, float y) { Line(P(x) + " " + P(y) + " m"); }

void PdfWriter::LineTo(float x, float y, std::int32_t Options)
{
    Line(P(x) + " " + P(y) + " l");
    PaintPath(Options);
}

void PdfWriter::Curve(float x1, float y1, float X2, float Y2, float X3, float Y3, std::int32_t Options)
{
    Line(P(x1) + " " + P(y1) + " " + P(X2) + " " + P(Y2) + " " + P(X3) + " " + P(Y3) + " c");
    PaintPath(Options);
}

void PdfWriter::Rectangle(float x, float y, float xdim, float ydim, std::int32_t Options)
{
    float ray = 0;
    Rectangle(x, y, xdim, ydim, Options, ray);
}

void PdfWriter::Rectangle(float x, float y, float xdim, float ydim, std::int32_t Options, float& Ray)
{
    Line("n");
    if (Ray <= 0) {
        Line(P(x) + " " + P(y) + " " + P(xdim) + " " + P(ydim) + " re");
    } else {
        if (Ray > xdim / 2)
            Ray = xdim / 2;
        if (Ray > ydim / 2)
            Ray = ydim / 2;
        const float k = Ray * 0.55f;
        MoveTo(x + Ray, y);
        LineTo(x + xdim - Ray, y, 0);
        Curve(x + xdim - Ray + k, y, x + xdim, y + Ray - k, x + xdim, y + Ray, 0);
        LineTo(x + xdim, y + ydim - Ray, 0);
        Curve(x + xdim, y + ydim - Ray + k, x + xdim - Ray + k, y + ydim, x + xdim - Ray, y + ydim, 0);
        LineTo(x + Ray, y + ydim, 0);
        Curve(x + Ray - k, y + ydim, x, y + ydim - Ray + k, x, y + ydim - Ray, 0);
        LineTo(x, y + Ray, 0);
        Curve(x, y + Ray - k, x + Ray - k, y, x + Ray, y, 0);
    }
    PaintPath(Options);
}

void PdfWriter::DrawCircle(float x, float y, float Ray, std::int32_t Options)
{
    const float k = Ray * 0.55f;
    MoveTo(x, y - Ray);
    Curve(x + k, y - Ray, x + Ray, y - k, x + Ray, y, 0);
    Curve(x + Ray, y + k, x + k, y + Ray, x, y + Ray, 0);
    Curve(x - k, y + Ray, x - Ray, y + k, x - Ray, y, 0);
    Curve(x - Ray, y - k, x - k, y - Ray, x, y - Ray, 0);
    PaintPath(Options);
}

void PdfWriter::Arc(float x, float y, float Ray, float StartAngle, float EndAngle, float Ratio,
                    float Rotate, std::int16_t Quality, std::int32_t Options)
{
    bool pie = false;
    ArcImpl(x, y, Ray, StartAngle, EndAngle, Ratio, pie, Rotate, Quality, Options);
}

void PdfWriter::Arc(float x, float y, float Ray, float StartAngle, float EndAngle, float Ratio,
                    bool& Pie, float Rotate, std::int16_t Quality, std::int32_t Options)
{
    ArcImpl(x, y, Ray, StartAngle, EndAngle, Ratio, Pie, Rotate, Quality, Options);
}

void PdfWriter::ArcImpl(float x, float y, float Ray, float StartAngle, float EndAngle, float Ratio,
                        bool& Pie, float Rotate, std::int16_t Quality, std::int32_t Options)
{
    // A zero step would never reach the end angle.
    if (Quality == 0)
        throw std::invalid_argument("PdfWriter: arc step must not be zero");
    Line("n");
    MoveTo(x, y);
    if (Options & 4)
        Pie = true;
    const float k = static_cast<float>(3.141592 / 180);
    const float rot = -k * Rotate;
    const double sR = std::sin(rot), cR = std::cos(rot);
    const float step = Quality;
    bool first = true;
    for (float a = StartAngle; step > 0 ? a <= EndAngle : a >= EndAngle;) {
        const float ka = k * a;
        const double u = Ray * std::cos(ka);
        const double v = (Ratio * Ray) * std::sin(ka);
        const double px = cR * u + sR * v;
        const double py = -u * sR + cR * v;
        const float vx = static_cast<float>(x + px), vy = static_cast<float>(y + py);
        if (first && !Pie)
            MoveTo(vx, vy);
        first = false;
        LineTo(vx, vy, 0);
        const float next = a + step;
        // Past 2^24 a single float no longer moves by small steps.
        if (next == a)
            throw std::invalid_argument("PdfWriter: arc angles too large for the step");
        a = next;
    }
    if (Pie)
        LineTo(x, y, 0);
    PaintPath(Options);
}

// ============================================================================
// Fonts
// ============================================================================

namespace {

const char* StyleSuffix(std::int32_t Options)
{
    switch (Options) {
    case 1: return ",Bold";
    case 3: return ",BoldItalic";
    case 2: return ",Italic";
    default: return "";
    }
}

void CheckStyle(std::int32_t Options)
{
    if (Options < 0 || Options > 3)
        throw std::out_of_range("PdfWriter: font style out of range");
}

struct DescriptorRow {
    const char* flagsBox;
    const char* missingStemV;
    const char* stemHAngles;
    const char* ascent;
    const char* widths;
};

PdfWriter::FontMetrics MakeMetrics(const char* family, std::int32_t Options, const DescriptorRow& row,
                                   std::uint8_t first, std::int32_t missing, const std::int16_t* widths)
{
    PdfWriter::FontMetrics fm;
    fm.FontName = std::string(family) + StyleSuffix(Options);
    fm.FirstChar = first;
    fm.LastChar = 255;
    fm.Descriptor = std::string(row.flagsBox) + row.missingStemV + row.stemHAngles + row.ascent + row.widths;
    for (int c = first; c <= 255; ++c)
        fm.Widths[c] = widths[c - first];
    fm.MissingWidth = missing;
    return fm;
}

}  // namespace

PdfWriter::FontMetrics PdfWriter::CourierNewMetrics(std::int32_t Options)
{
    CheckStyle(Options);
    static const char* asc = "/Ascent 833 /Descent -300 /Leading 133 ";
    static const char* wid = "/MaxWidth 600 /AvgWidth 600";
    static const DescriptorRow rows[4] = {
        {"/Flags 34 /FontBBox [-250 -300 720 1000] ", "/MissingWidth 600 /StemV 109 ",
         "/StemH 109 /ItalicAngle 0 /CapHeight 833 /XHeight 417 ", asc, wid},
        {"/Flags 16418 /FontBBox [-250 -300 720 1000] ", "/MissingWidth 600 /StemV 191 ",
         "/StemH 191 /ItalicAngle 0 /CapHeight 833 /XHeight 417 ", asc, wid},
        {"/Flags 98 /FontBBox [-250 -300 720 1000] ", "/MissingWidth 600 /StemV 109 ",
         "/StemH 109 /ItalicAngle -11 /CapHeight 833 /XHeight 417 ", asc, wid},
        {"/Flags 16482 /FontBBox [-250 -300 720 1000] ", "/MissingWidth 600 /StemV 191 ",
         "/StemH 191 /ItalicAngle -11 /CapHeight 833 /XHeight 417 ", asc, wid},
    };
    return MakeMetrics("CourierNew", Options, rows[Options], 32, 600, pdfwidths::kCourierNew[Options]);
}

PdfWriter::FontMetrics PdfWriter::TimesNewRomanMetrics(std::int32_t Options)
{
    CheckStyle(Options);
    static const char* asc = "/Ascent 891 /Descent -216 /Leading 149 ";
    static const DescriptorRow rows[4] = {
        {"/Flags 34 /FontBBox [-250 -216 1200 1000] ", "/MissingWidth 333 /StemV 73 ",
         "/StemH 73 /ItalicAngle 0 /CapHeight 891 /XHeight 446 ", asc, "/MaxWidth 1000 /AvgWidth 401"},
        {"/Flags 16418 /FontBBox [-250 -216 1201 1000] ", "/MissingWidth 333 /StemV 136 ",
         "/StemH 136 /ItalicAngle 0 /CapHeight 891 /XHeight 446 ", asc, "/MaxWidth 1001 /AvgWidth 401"},
        {"/Flags 98 /FontBBox [-250 -216 1200 1000] ", "/MissingWidth 333 /StemV 73 ",
         "/StemH 73 /ItalicAngle -11 /CapHeight 891 /XHeight 446 ", asc, "/MaxWidth 1000 /AvgWidth 402"},
        {"/Flags 16482 /FontBBox [-250 -216 1200 1000] ", "/MissingWidth 333 /StemV 131 ",
         "/StemH 131 /ItalicAngle -11 /CapHeight 891 /XHeight 446 ", asc, "/MaxWidth 1000 /AvgWidth 412"},
    };
    return MakeMetrics("TimesNewRoman", Options, rows[Options], 32, 333,
                       pdfwidths::kTimesNewRoman[Options]);
}

PdfWriter::FontMetrics PdfWriter::SymbolMetrics(std::int32_t Options)
{
    CheckStyle(Options);
    static const char* asc = "/Ascent 1005 /Descent -220 /Leading 225 ";
    static const DescriptorRow rows[4] = {
        {"/Flags 6 /FontBBox [-250 -220 1246 1005] ", "/MissingWidth 332 /StemV 109 ",
         "/StemH 109 /ItalicAngle 0 /CapHeight 1005 /XHeight 503 ", asc, "/MaxWidth 1038 /AvgWidth 601"},
        {"/Flags 16390 /FontBBox [-250 -220 1246 1005] ", "/MissingWidth 332 /StemV 191 ",
         "/StemH 191 /ItalicAngle 0 /CapHeight 1005 /XHeight 503 ", asc, "/MaxWidth 1038 /AvgWidth 600"},
        {"/Flags 70 /FontBBox [-250 -220 1246 1005] ", "/MissingWidth 332 /StemV 109 ",
         "/StemH 109 /ItalicAngle -11 /CapHeight 1005 /XHeight 503 ", asc, "/MaxWidth 1038 /AvgWidth 600"},
        {"/Flags 16454 /FontBBox [-250 -220 1246 1005] ", "/MissingWidth 332 /StemV 191 ",
         "/StemH 191 /ItalicAngle -11 /CapHeight 1005 /XHeight 503 ", asc, "/MaxWidth 1038 /AvgWidth 600"},
    };
    return MakeMetrics("Symbol", Options, rows[Options], 30, 332, pdfwidths::kSymbol);
}

PdfWriter::FontMetrics PdfWriter::ArialMetrics(std::int32_t Options)
{
    CheckStyle(Options);
    static const char* asc = "/Ascent 905 /Descent -212 /Leading 150 ";
    static const DescriptorRow rows[4] = {
        {"/Flags 32 /FontBBox [-250 -221 1190 1000] ", "/MissingWidth 272 /StemV 80 ",
         "/StemH 80 /ItalicAngle 0 /CapHeight 905 /XHeight 453 ", asc, "/MaxWidth 992 /AvgWidth 441"},
        {"/Flags 16416 /FontBBox [-250 -212 1120 1000] ", "/MissingWidth 311 /StemV 153 ",
         "/StemH 153 /ItalicAngle 0 /CapHeight 905 /XHeight 453 ", asc, "/MaxWidth 933 /AvgWidth 479"},
        {"/Flags 96 /FontBBox [-250 -212 1134 1000] ", "/MissingWidth 259 /StemV 80 ",
         "/StemH 80 /ItalicAngle -11 /CapHeight 905 /XHeight 453 ", asc, "/MaxWidth 945 /AvgWidth 441"},
        {"/Flags 16480 /FontBBox [-250 -212 1120 1000] ", "/MissingWidth 311 /StemV 153 ",
         "/StemH 153 /ItalicAngle -11 /CapHeight 905 /XHeight 453 ", asc, "/MaxWidth 933 /AvgWidth 479"},
    };
    static const std::int32_t missing[4] = {272, 311, 259, 311};
    return MakeMetrics("Arial", Options, rows[Options], 32, missing[Options], pdfwidths::kArial[Options]);
}

void PdfWriter::LoadFontStandard(const std::string& Name, std::string& BaseFont, std::int32_t Options)
{
    BaseFont.erase(std::remove(BaseFont.begin(), BaseFont.end(), ' '), BaseFont.end());
    std::int32_t n = BeginObj(0);
    const std::string name = Latin(Name);
    Line("<< /Type /Font /Subtype /Type1 /Name /" + name + " /BaseFont /" + Latin(BaseFont) +
         StyleSuffix(Options) + " /Encoding /WinAnsiEncoding >>");
    EndObj();
    FontResources_ += ResourceEntry(name, n);
}

void PdfWriter::LoadFont(const std::string& Name, std::string& BaseFont, std::int32_t Options)
{
    FontTable_.emplace_back();
    const std::size_t fontNo = FontTable_.size();
    BaseFont.erase(std::remove(BaseFont.begin(), BaseFont.end(), ' '), BaseFont.end());
    for (char& c : BaseFont)
        c = AsciiUpper(c);
    FontMetrics fm;
    if (BaseFont == "TIMESNEWROMAN")
        fm = TimesNewRomanMetrics(Options);
    else if (BaseFont == "COURIERNEW")
        fm = CourierNewMetrics(Options);
    else if (BaseFont == "SYMBOL")
        fm = SymbolMetrics(Options);
    else
        fm = ArialMetrics(Options);
    FontTable_[fontNo - 1] = fm;

    const std::string name = Latin(Name);
    std::int32_t n = BeginObj(0);
    Line(std::string("<< /Type /Font ") + CR + "/Subtype /TrueType" + CR + "/Name /" + name + CR +
         "/BaseFont /" + fm.FontName + CR + "/FirstChar " + Num(fm.FirstChar) + CR + "/LastChar " +
         Num(fm.LastChar) + CR + "/FontDescriptor " + Num(n + 1) + " 0 R" + CR +
         "/Encoding /WinAnsiEncoding" + CR + "/Widths [");
    std::string row;
    int inRow = 0;
    for (int c = fm.FirstChar; c <= fm.LastChar; ++c) {
        row += Num(fm.Widths[c]);
        row += ' ';
        if (++inRow == 16 || c == fm.LastChar) {
            Line(row);
            row.clear();
            inRow = 0;
        }
    }
    Line("] >>");
    EndObj();

    FontResources_ += ResourceEntry(name, n);
    std::string idx = Num(static_cast<long long>(fontNo));
    if (idx.size() < 4)
        idx.insert(0, 4 - idx.size(), '0');
    FontIndex_ += "<" + name + ">" + idx + ";";

    BeginObj(0);
    Line(std::string("<<") + CR + "/Type /FontDescriptor" + CR + "/FontName /" + fm.FontName + CR +
         fm.Descriptor + CR + ">>");
    EndObj();
}

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
    std::string head = std::string("<<") + CR + "/Type /XObject" + CR + "/Subtype /Image" + CR + "/Name /" +
                       name + CR + "/Width " + Num(ImgWidth) + CR + "/Height " + Num(ImgHeight);
    if (EncodeASCII85_)
        head += std::string(1, CR) + "/Filter /ASCII85Decode";
    Line(head);
    const char* cs = ColorSpace == 0 ? "DeviceRGB" : "DeviceGray";
    if (ImgBPP == 24) {
        Line(std::string("/BitsPerComponent 8") + CR + "/ColorSpace /" + cs + CR + "/Length " + Num(n + 1) +
             " 0 R");
    } else if (ImgBPP == 8 || ImgBPP == 4 || ImgBPP == 1) {
        Line("/BitsPerComponent " + Num(ImgBPP) + CR + "/ColorSpace [/Indexed /" + cs + " " +
             Num((1 << ImgBPP) - 1) + " " + Num(n + 2) + " 0 R]" + CR + "/Length " + Num(n + 1) + " 0 R");
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

bool PdfWriter::LoadImgFromBMPFile(const std::string& Name, const std::string& FileName,
                                   std::int32_t ColorSpace)
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

}  // namespace

bool PdfWriter::ReadBMPFile(const std::string& FileName, std::int32_t ColorSpace,
                            std::vector<std::uint8_t>& pixels, std::vector<std::uint8_t>& palette,
                            std::int32_t& width, std::int32_t& height, std::int32_t& depth)
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
    Line(std::string("q") + CR + P(ImgWidth) + " " + " 0 0 -" + P(ImgHeight) + " " + P(DestX) + " " +
         P(DestY) + " cm" + CR + "/" + Latin(Name) + " Do" + CR + "Q");
}

// ============================================================================
// Form objects
// ============================================================================

void PdfWriter::StartObject(const std::string& Name, std::int32_t Options)
{
    const std::string name = Latin(Name);
    std::int32_t n = BeginObj(0);
    Line(std::string("<<") + CR + "/Type /XObject" + CR + "/Subtype /Form" + CR + "/FormType 1" + CR +
         "/Name /" + name + CR + "/BBox [" + FormatNumber(Margin_) + " " + FormatNumber(Margin_) + " " +
         FormatNumber(PaperWidth_ - Margin_) + " " + FormatNumber(PaperHeight_ - Margin_) + "]" + CR +
         "/Matrix [1 0 0 1 0 0]" + CR + "/Length " + Num(n + 1) + " 0 R >>" + CR + "stream");
    StreamStart_ = ByteCount_;
    FormResources_ += ResourceEntry(name, n);
    FormTable_.push_back(FormObjectEntry{name, Options});
}

void PdfWriter::EndObject() { EndStream(); }

void PdfWriter::DrawObject(const std::string& Name) { Line("/" + Latin(Name) + " Do"); }

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
