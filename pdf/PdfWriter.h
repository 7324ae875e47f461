// PdfWriter: a one-pass PDF 1.3 writer.
//
// Every call appends lines to the open output file and nothing written is
// revisited: the document skeleton (information, catalog, page tree, shared
// resources), pages with their content streams, text and vector drawing,
// TrueType fonts declared with built-in widths, Type1 base fonts, bitmap
// images and form objects that can be stamped on pages automatically.
//
// Conventions of the interface:
// - Text arguments are UTF-8; they are written as Windows-1252, one byte per
//   character, with "?" for what that code page lacks.
// - Coordinates and lengths are in the unit chosen with ScaleMode (points,
//   inches, millimetres or centimetres) and converted to points when used;
//   the origin is the lower-left corner of the page, y grows upwards.
// - Arguments that a call may change are non-const references (the generated
//   file name, the x of right-aligned or centred text, a clamped corner
//   radius, a forced pie flag, a normalised base font name).
// - Every failure (a file that cannot be created or written, a call with no
//   document open, a numeric overflow, an index out of range) is thrown as a
//   std::exception; the partly written file is left in place.
#pragma once

#include <cstdint>
#include <cstdio>
#include <ctime>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

class PdfWriter {
public:
    // Fixed identification texts of the information dictionary.
    static constexpr const char* kAuthor = "KOR_VEL";
    static constexpr const char* kCreator = "PdfWriter";
    static constexpr const char* kProducer = "KOR_VEL PdfWriter 1.0";

    // Metrics of a font loaded with LoadFont.
    struct FontMetrics {
        std::string FontName;          // base font name, e.g. "Arial,Bold"
        std::uint8_t FirstChar = 0;    // first code with a width
        std::uint8_t LastChar = 0;     // last code with a width
        std::string Descriptor;        // entries of the font descriptor
        std::int32_t Widths[256] = {}; // advance widths by code (1..255 used)
        std::int32_t MissingWidth = 0; // width of codes outside FirstChar..LastChar
    };

    // A form object and the pages it is stamped on (see DrawPageObjects).
    struct FormObjectEntry {
        std::string Name;
        std::int32_t Options = 0;
    };

    PdfWriter();
    ~PdfWriter();
    PdfWriter(const PdfWriter&) = delete;
    PdfWriter& operator=(const PdfWriter&) = delete;

    // ---- Properties (write-only except Pages) ------------------------------
    void EncodeASCII85(bool vData);
    void Margin(float vData);
    void PaperWidth(float vData);
    void PaperHeight(float vData);
    std::int16_t Pages() const;
    void ScaleMode(std::int32_t New_ScaleMode);
    void PaperSize(std::int32_t New_PaperSize);
    void Orientation(std::int32_t NewOrientation);
    void Title(const std::string& New_Title);

    // ---- Document and pages -----------------------------------------------
    // An empty name is replaced by a generated temporary name in the program
    // folder, written back into strFileName.
    void InitPDFFile(std::string& strFileName);
    void InitPDFFile();
    void ClosePDFFile();
    std::int16_t BeginPage();
    void EndPage();

    // ---- Text state, text and measurement ------------------------------------
    void SetWordSpacing(float W);
    void SetCharSpacing(float W);
    void SetTextHorizontalScaling(float W);
    void SetTextRenderingMode(float W);
    // Align 1 = right, 2 = centred (x is moved to the left edge of the text and
    // stored back); Rotate in degrees, counter-clockwise about the start point.
    void DrawText(float& x, float y, const std::string& strTemp, const std::string& FontName, float Fontsize,
                  std::int32_t Align = 0, float Rotate = 0);
    // Width of Phrase in ScaleMode units; 0 for a font not loaded with LoadFont.
    float Length(const std::string& Phrase, const std::string& FontName, float Fontsize);

    // ---- Colours and line style ------------------------------------------
    // rgb > 0: packed colour, red in the lowest byte; -255..0: gray level -rgb/255.
    void SetColorStroke(std::int32_t rgb);
    void SetColorFill(std::int32_t rgb);
    void SetDash(float dash_on, float dash_off = 0);
    void SetLineWidth(float W);
    void SetLineCap(std::int16_t W);
    void SetLineJoin(std::int16_t W);
    void SetMiterLimit(float W);

    // ---- Paths ----------------------------------------------------------
    // Options: bit 1 stroke, bit 2 close, bit 4 fill; 0 leaves the path open.
    void MoveTo(float x, float y);
    void LineTo(float x, float y, std::int32_t Options = 1);
    void Curve(float x1, float y1, float X2, float Y2, float X3, float Y3, std::int32_t Options = 1);
    void Rectangle(float x, float y, float xdim, float ydim, std::int32_t Options = 1);
    // Ray > 0 rounds the corners; a radius larger than half a side is clamped
    // and the clamped value stored back.
    void Rectangle(float x, float y, float xdim, float ydim, std::int32_t Options, float& Ray);
    void DrawCircle(float x, float y, float Ray, std::int32_t Options = 1);
    // An elliptical arc (radii Ray and Ratio * Ray, turned by Rotate degrees)
    // from StartAngle to EndAngle in steps of Quality degrees. Filling (Options
    // bit 4) forces a pie sector; the overload with Pie stores that back.
    void Arc(float x, float y, float Ray, float StartAngle = 0, float EndAngle = 360, float Ratio = 1, float Rotate = 0,
             std::int16_t Quality = 1, std::int32_t Options = 1);
    void Arc(float x, float y, float Ray, float StartAngle, float EndAngle, float Ratio, bool& Pie, float Rotate = 0,
             std::int16_t Quality = 1, std::int32_t Options = 1);
    void PaintPath(std::int32_t Options);

    // ---- Fonts -----------------------------------------------------------
    // Options: 0 regular, 1 bold, 2 italic, 3 bold italic.
    void LoadFontStandard(const std::string& Name, std::string& BaseFont, std::int32_t Options = 0);
    void LoadFont(const std::string& Name, std::string& BaseFont, std::int32_t Options = 0);
    static FontMetrics ArialMetrics(std::int32_t Options);
    static FontMetrics TimesNewRomanMetrics(std::int32_t Options);
    static FontMetrics CourierNewMetrics(std::int32_t Options);
    static FontMetrics SymbolMetrics(std::int32_t Options);

    // ---- Images ----------------------------------------------------------
    // ColorSpace 0 = colour (DeviceRGB), any other value = gray (DeviceGray).
    bool LoadImgFromBMPFile(const std::string& Name, const std::string& FileName, std::int32_t ColorSpace = 0);
    void LoadImgFromArray(const std::string& Name, const std::vector<std::uint8_t>& ImgBuf,
                          const std::vector<std::uint8_t>& ImgColor, std::int32_t ImgWidth, std::int32_t ImgHeight,
                          std::uint8_t ImgBPP, std::int32_t ColorSpace = 0);
    // (DestX, DestY) is the upper-left corner of the drawn image.
    void DrawImg(const std::string& Name, float DestX, float DestY, float ImgWidth, float ImgHeight);
    // Reads an uncompressed bottom-up Windows bitmap of 1, 4, 8 or 24 bits per
    // pixel. False (and nothing else) for a missing, malformed, truncated or
    // unsupported file; throws when an existing file cannot be opened or read.
    static bool ReadBMPFile(const std::string& FileName, std::int32_t ColorSpace, std::vector<std::uint8_t>& pixels,
                            std::vector<std::uint8_t>& palette, std::int32_t& width, std::int32_t& height,
                            std::int32_t& depth);
    static std::string ASCII85Encode(std::string_view bytes);

    // ---- Form objects ------------------------------------------------------
    // Options select the pages a form is stamped on by BeginPage: 2 even pages,
    // 4 odd pages, 8 (with 4) not page 1, 7 every page, 0 none.
    void StartObject(const std::string& Name, std::int32_t Options = 0);
    void EndObject();
    void DrawObject(const std::string& Name);
    void DrawPageObjects();

    // ---- Primitives --------------------------------------------------------
    void WriteLine(const std::string& text);
    std::int32_t BeginObj(std::int32_t n);
    void EndObj();
    float ToPoints(double v) const;
    float FromPoints(double v) const;
    static std::string EscapeText(const std::string& text);

    // Rounds to three decimals (ties to even) and writes the shortest text:
    // no exponent, no trailing zeros, "." whatever the locale. Single floats
    // keep at most 7 significant digits, doubles 15.
    template <class T>
    requires std::is_arithmetic_v<T>
    static std::string FormatNumber(T value)
    {
        if constexpr (std::is_integral_v<T>)
            return FormatInteger(static_cast<long long>(value));
        else if constexpr (std::is_same_v<T, float>)
            return FormatDecimal(static_cast<double>(value), 7);
        else
            return FormatDecimal(static_cast<double>(value), 15);
    }

    // UTF-8 to Windows-1252, "?" for characters outside the code page and for
    // malformed sequences.
    static std::string ToWindows1252(std::string_view utf8);
    // The generated name: folder + "/~" + hex of the digits dhhmmss + digit.
    static std::string TempFileName(const std::string& folder, const std::tm& when, int digit);
    // Folder of the running executable, without a trailing slash.
    static std::string ProgramFolder();

private:
    static std::string FormatInteger(long long value);
    static std::string FormatDecimal(double value, int significant);
    static std::string Latin(const std::string& utf8) { return ToWindows1252(utf8); }

    void Line(std::string_view raw); // raw Windows-1252 bytes + CR LF
    void Put(std::string_view raw);
    void Flush();
    void CloseFile() noexcept;
    void RequireOpen() const;
    std::string P(float v) const { return FormatNumber(ToPoints(v)); }
    void WriteColor(std::int32_t rgb, const char* rgbOp, const char* grayOp);
    void EndStream();
    void ArcImpl(float x, float y, float Ray, float StartAngle, float EndAngle, float Ratio, bool& Pie, float Rotate,
                 std::int16_t Quality, std::int32_t Options);

    std::FILE* FileNum_ = nullptr;
    std::string OutBuf_;
    std::uint64_t ByteCount_ = 0;

    std::string Title_;
    std::int32_t PaperSize_ = 0;
    float PaperWidth_ = 595.2f;
    float PaperHeight_ = 842.0f;
    std::int32_t ScaleMode_ = 0;
    std::int32_t Orientation_ = 0;
    std::int16_t Pages_ = 0;
    float Margin_ = 0;
    std::string OutputPath_;
    bool EncodeASCII85_ = false;
    std::string PageKids_;
    std::string FontResources_, FontIndex_, ImageResources_, FormResources_;
    std::int32_t MaxObj_ = 0;
    std::uint64_t StreamStart_ = 0;
    std::vector<std::string> XRefEntries_; // index 0 unused
    std::vector<FontMetrics> FontTable_;
    std::vector<FormObjectEntry> FormTable_;
    float CharSpacing_ = 0, WordSpacing_ = 0, HorizScaling_ = 100;
};
