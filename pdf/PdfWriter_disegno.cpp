#include "PdfWriter.h"

#include "PdfWriter_interno.h"

#include <charconv>
#include <cmath>
#include <stdexcept>

using namespace pdfwriter_interno;

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

void PdfWriter::DrawText(float& x, float y, const std::string& strTemp, const std::string& FontName, float Fontsize,
                         std::int32_t Align, float Rotate)
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
        Line(FormatNumber(c) + " " + FormatNumber(s) + " " + FormatNumber(-s) + " " + FormatNumber(c) + " " + P(x) +
             " " + P(y) + " Tm");
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
        Line(FormatNumber(r / 255) + " " + FormatNumber(g / 255) + " " + FormatNumber(b / 255) + " " + rgbOp);
    } else {
        Line(FormatNumber(static_cast<double>(-rgb) / 255) + " " + grayOp);
    }
}

void PdfWriter::SetColorStroke(std::int32_t rgb)
{
    WriteColor(rgb, "RG", "G");
}

void PdfWriter::SetColorFill(std::int32_t rgb)
{
    WriteColor(rgb, "rg", "g");
}

void PdfWriter::SetDash(float dash_on, float dash_off)
{
    if (dash_on != 0 || dash_off != 0)
        Line("[" + P(dash_on) + " " + P(dash_off) + "] 0 d");
    else
        Line("[ ] 0 d");
}

void PdfWriter::SetLineWidth(float W)
{
    Line(P(W) + " w");
}

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
    case 3:
        Line("h");
        Line("S");
        break;
    case 2: Line("h"); break;
    case 1: Line("S"); break;
    default: break;
    }
}

void PdfWriter::MoveTo(float x, float y)
{
    Line(P(x) + " " + P(y) + " m");
}

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

void PdfWriter::Arc(float x, float y, float Ray, float StartAngle, float EndAngle, float Ratio, float Rotate,
                    std::int16_t Quality, std::int32_t Options)
{
    bool pie = false;
    ArcImpl(x, y, Ray, StartAngle, EndAngle, Ratio, pie, Rotate, Quality, Options);
}

void PdfWriter::Arc(float x, float y, float Ray, float StartAngle, float EndAngle, float Ratio, bool& Pie, float Rotate,
                    std::int16_t Quality, std::int32_t Options)
{
    ArcImpl(x, y, Ray, StartAngle, EndAngle, Ratio, Pie, Rotate, Quality, Options);
}

void PdfWriter::ArcImpl(float x, float y, float Ray, float StartAngle, float EndAngle, float Ratio, bool& Pie,
                        float Rotate, std::int16_t Quality, std::int32_t Options)
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
