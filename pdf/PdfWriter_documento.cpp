#include "PdfWriter.h"

#include "PdfWriter_interno.h"
#include "Cp1252.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <limits>
#include <random>
#include <stdexcept>

using namespace pdfwriter_interno;

namespace {

constexpr std::size_t kFlushAt = 1 << 20;
constexpr std::size_t kDirectAt = 64 << 10;

char CodePointTo1252(std::uint32_t cp)
{
    return cp1252::ByteOf(cp).value_or('?');
}

} // namespace

// ============================================================================
// Construction, properties
// ============================================================================

PdfWriter::PdfWriter() : Title_("(senza titolo)") {}

PdfWriter::~PdfWriter()
{
    CloseFile();
}

void PdfWriter::EncodeASCII85(bool vData)
{
    EncodeASCII85_ = vData;
}

void PdfWriter::Margin(float vData)
{
    Margin_ = ToPoints(vData);
}

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

std::int16_t PdfWriter::Pages() const
{
    return Pages_;
}

void PdfWriter::ScaleMode(std::int32_t New_ScaleMode)
{
    ScaleMode_ = New_ScaleMode;
}

void PdfWriter::PaperSize(std::int32_t New_PaperSize)
{
    PaperSize_ = New_PaperSize;
    switch (New_PaperSize) {
    case 0:
        PaperWidth_ = 595.2f;
        PaperHeight_ = 842.0f;
        break;
    case 1:
        PaperWidth_ = 842.0f;
        PaperHeight_ = 1190.5f;
        break;
    case 2:
        PaperWidth_ = 612.0f;
        PaperHeight_ = 792.0f;
        break;
    case 3:
        PaperWidth_ = 612.0f;
        PaperHeight_ = 864.0f;
        break;
    default: break;
    }
}

void PdfWriter::Orientation(std::int32_t NewOrientation)
{
    Orientation_ = NewOrientation;
}

void PdfWriter::Title(const std::string& New_Title)
{
    Title_ = New_Title;
}

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
    // Image data goes to the file as it is rather than through the buffer:
    // one copy less of the largest part of a document.
    if (raw.size() >= kDirectAt) {
        Flush();
        errno = 0;
        if (std::fwrite(raw.data(), 1, raw.size(), FileNum_) != raw.size())
            ThrowErrno(errno, "cannot write " + OutputPath_);
        ByteCount_ += raw.size();
        return;
    }
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

void PdfWriter::WriteLine(const std::string& text)
{
    Line(ToWindows1252(text));
}

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

void PdfWriter::EndObj()
{
    Line("endobj");
}

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

std::string PdfWriter::FormatInteger(long long value)
{
    return Num(value);
}

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
    auto s = std::to_chars(sci, sci + sizeof sci, rounded, std::chars_format::scientific, significant - 1);
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
        int intLen = exp10 + 1; // digits before the decimal point (>= 1 here)
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
        if (c >= 0xC2 && c <= 0xDF) {
            len = 2;
            cp = c & 0x1F;
            min = 0x80;
        } else if (c >= 0xE0 && c <= 0xEF) {
            len = 3;
            cp = c & 0x0F;
            min = 0x800;
        } else if (c >= 0xF0 && c <= 0xF4) {
            len = 4;
            cp = c & 0x07;
            min = 0x10000;
        }
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
                      static_cast<std::uint32_t>(when.tm_min) * 1000u + static_cast<std::uint32_t>(when.tm_sec) * 10u +
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
    std::snprintf(date, sizeof date, "%04d%02d%02d%02d%02d%02d", (t.tm_year + 1900) % 10000, t.tm_mon + 1, t.tm_mday,
                  t.tm_hour, t.tm_min, t.tm_sec);
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
    Line(std::string("<<") + CR + "/Type /Page" + CR + "/Parent 3 0 R" + CR + "/Contents " + Num(n + 1) + " 0 R" + CR +
         ">>");
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

void PdfWriter::EndPage()
{
    EndStream();
}

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
    std::string w = FormatNumber(PaperWidth_), h = FormatNumber(PaperHeight_), m = FormatNumber(Margin_);
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
    Line(std::string("trailer") + CR + "<<" + CR + "/Size " + Num(static_cast<long long>(MaxObj_) + 1) + CR +
         "/Info 1 0 R" + CR + "/Root 2 0 R" + CR + ">>");
    Line(std::string("startxref") + CR + Num(static_cast<long long>(xref)));
    Line(std::string("%%EOF") + CR);

    Flush();
    std::FILE* f = FileNum_;
    FileNum_ = nullptr;
    errno = 0;
    if (std::fclose(f) != 0)
        ThrowErrno(errno, "cannot write " + OutputPath_);
}
