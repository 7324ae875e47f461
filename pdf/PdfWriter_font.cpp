#include "PdfWriter.h"

#include "PdfFontWidths.h"
#include "PdfWriter_interno.h"

#include <algorithm>
#include <stdexcept>

using namespace pdfwriter_interno;

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

} // namespace

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
    return MakeMetrics("TimesNewRoman", Options, rows[Options], 32, 333, pdfwidths::kTimesNewRoman[Options]);
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
    Line("<< /Type /Font /Subtype /Type1 /Name /" + name + " /BaseFont /" + Latin(BaseFont) + StyleSuffix(Options) +
         " /Encoding /WinAnsiEncoding >>");
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
    Line(std::string("<< /Type /Font ") + CR + "/Subtype /TrueType" + CR + "/Name /" + name + CR + "/BaseFont /" +
         fm.FontName + CR + "/FirstChar " + Num(fm.FirstChar) + CR + "/LastChar " + Num(fm.LastChar) + CR +
         "/FontDescriptor " + Num(n + 1) + " 0 R" + CR + "/Encoding /WinAnsiEncoding" + CR + "/Widths [");
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
    Line(std::string("<<") + CR + "/Type /FontDescriptor" + CR + "/FontName /" + fm.FontName + CR + fm.Descriptor + CR +
         ">>");
    EndObj();
}
