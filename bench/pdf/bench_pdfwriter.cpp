// Times PdfWriter against libharu on one report-like page, both uncompressed.
#include "PdfWriter.h"

#include <hpdf.h>

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

constexpr int kW = 518, kH = 418;

void put16(std::string& s, std::uint32_t v)
{
    s.push_back(static_cast<char>(v & 0xFF));
    s.push_back(static_cast<char>((v >> 8) & 0xFF));
}

void put32(std::string& s, std::uint32_t v)
{
    put16(s, v & 0xFFFF);
    put16(s, v >> 16);
}

// A 24-bit bitmap with a picture-like gradient, so the data does not compress
// to nothing and has no runs of zero bytes.
void writeBmp(const std::string& path, int seed)
{
    const int stride = (kW * 3 + 3) & ~3;
    std::string s = "BM";
    put32(s, static_cast<std::uint32_t>(54 + stride * kH));
    put32(s, 0);
    put32(s, 54);
    put32(s, 40);
    put32(s, kW);
    put32(s, kH);
    put16(s, 1);
    put16(s, 24);
    put32(s, 0);
    put32(s, static_cast<std::uint32_t>(stride * kH));
    put32(s, 2835);
    put32(s, 2835);
    put32(s, 0);
    put32(s, 0);
    for (int y = 0; y < kH; ++y) {
        std::string row(static_cast<std::size_t>(stride), '\0');
        for (int x = 0; x < kW; ++x) {
            row[static_cast<std::size_t>(x * 3)] = static_cast<char>((x * 7 + seed) & 0xFF);
            row[static_cast<std::size_t>(x * 3 + 1)] = static_cast<char>((y * 5 + x + seed) & 0xFF);
            row[static_cast<std::size_t>(x * 3 + 2)] = static_cast<char>(((x ^ y) + seed * 3) & 0xFF);
        }
        s += row;
    }
    std::ofstream(path, std::ios::binary).write(s.data(), static_cast<std::streamsize>(s.size()));
}

const char* kLabels[5] = {"Guadagno", "R.Equiv.Tubo=", "R.Anodica=", "R.Catodica=", "C.Bypass="};
const char* kValues[5] = {"61.25", "62500.00", "100000.00", "1500.00", "22.00"};

void writeOurs(const std::string& file, const std::string img[3])
{
    PdfWriter w;
    w.Title("Stadio preamplificatore 12AX7");
    w.ScaleMode(3);
    w.PaperSize(0);
    w.Margin(0);
    w.Orientation(0);
    w.EncodeASCII85(false);
    std::string name = file;
    w.InitPDFFile(name);
    std::string f1 = "Times New Roman", f2 = "Arial", f3 = "Courier New", f4 = "Courier New";
    w.LoadFont("Fnt1", f1, 0);
    w.LoadFont("Fnt2", f2, 2);
    w.LoadFont("Fnt3", f3, 0);
    w.LoadFontStandard("Fnt4", f4, 3);
    for (int i = 0; i < 3; ++i)
        if (!w.LoadImgFromBMPFile("Img" + std::to_string(i + 1), img[i]))
            throw std::runtime_error("bitmap not loaded");
    w.BeginPage();
    float x = 18;
    w.DrawText(x, 1.5f, "pag. 1", "Fnt1", 12, 1);
    w.DrawObject("Footers");
    x = 10.5f;
    w.DrawText(x, 26.5f, "Stadio preamplificatore 12AX7", "Fnt1", 48, 2);
    w.SetTextHorizontalScaling(70);
    x = 10.5f;
    w.DrawText(x, 25, "Valvola:12AX7,ECC83,TRIODO", "Fnt2", 24, 2);
    w.SetTextHorizontalScaling(100);
    w.DrawImg("Img1", 2, 24, 8.0f * kW / kH, 8);
    w.DrawImg("Img2", 4, 15, 8.0f * kW / kH, 8);
    w.DrawImg("Img3", 13.5f, 14, 5.0f * kW / kH, 5);
    w.SetDash(0, 0);
    const float frame[5][2] = {{1, 1}, {1, 28}, {20, 28}, {20, 1}, {1, 1}};
    for (int i = 0; i < 4; ++i) {
        w.MoveTo(frame[i][0], frame[i][1]);
        w.LineTo(frame[i + 1][0], frame[i + 1][1], 1);
    }
    // Thirty lines of text: six rounds of the five-row value table.
    for (int r = 0; r < 30; ++r) {
        const float y = static_cast<float>(22 - 0.5 * (r % 5) - 2.6 * (r / 5));
        x = 15;
        w.DrawText(x, y, kLabels[r % 5], "Fnt2", 10, 2);
        x = 17.5f;
        w.DrawText(x, y, kValues[r % 5], "Fnt2", 10, 2);
        w.MoveTo(13, y + 0.4f);
        w.LineTo(19, y + 0.4f, 1);
    }
    w.EndPage();
    w.StartObject("Footers", 7);
    x = 19;
    w.DrawText(x, 1.5f, "di " + std::to_string(w.Pages()), "Fnt1", 12, 1);
    w.EndObject();
    w.ClosePDFFile();
}

// libharu takes raw RGB rows top-down: read the same bitmap files.
std::vector<HPDF_BYTE> readRgb(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::string s((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const int stride = (kW * 3 + 3) & ~3;
    std::vector<HPDF_BYTE> out(static_cast<std::size_t>(kW * kH * 3));
    for (int y = 0; y < kH; ++y) {
        const auto* src = reinterpret_cast<const unsigned char*>(s.data()) + 54 + (kH - 1 - y) * stride;
        HPDF_BYTE* dst = out.data() + static_cast<std::size_t>(y * kW * 3);
        for (int x = 0; x < kW; ++x) {
            dst[x * 3] = src[x * 3 + 2];
            dst[x * 3 + 1] = src[x * 3 + 1];
            dst[x * 3 + 2] = src[x * 3];
        }
    }
    return out;
}

void haruError(HPDF_STATUS error, HPDF_STATUS detail, void*)
{
    std::fprintf(stderr, "libharu error %04X detail %u\n", static_cast<unsigned>(error), static_cast<unsigned>(detail));
    std::exit(1);
}

void writeHaru(const std::string& file, const std::string img[3])
{
    const float cm = 72 / 2.54f;
    HPDF_Doc pdf = HPDF_New(haruError, nullptr);
    HPDF_SetCompressionMode(pdf, HPDF_COMP_NONE);
    HPDF_SetInfoAttr(pdf, HPDF_INFO_TITLE, "Stadio preamplificatore 12AX7");
    HPDF_Font f1 = HPDF_GetFont(pdf, "Times-Roman", "WinAnsiEncoding");
    HPDF_Font f2 = HPDF_GetFont(pdf, "Helvetica-Oblique", "WinAnsiEncoding");
    HPDF_GetFont(pdf, "Courier", "WinAnsiEncoding");
    HPDF_GetFont(pdf, "Courier-BoldOblique", "WinAnsiEncoding");
    HPDF_Image im[3];
    for (int i = 0; i < 3; ++i) {
        std::vector<HPDF_BYTE> rgb = readRgb(img[i]);
        im[i] = HPDF_LoadRawImageFromMem(pdf, rgb.data(), kW, kH, HPDF_CS_DEVICE_RGB, 8);
    }
    HPDF_Page page = HPDF_AddPage(pdf);
    HPDF_Page_SetWidth(page, 595.2f);
    HPDF_Page_SetHeight(page, 842);
    auto text = [&](HPDF_Font font, float size, float x, float y, const char* s, int align) {
        HPDF_Page_SetFontAndSize(page, font, size);
        float w = align ? HPDF_Page_TextWidth(page, s) : 0;
        HPDF_Page_BeginText(page);
        HPDF_Page_TextOut(page, x * cm - (align == 1 ? w : align == 2 ? w / 2 : 0), y * cm, s);
        HPDF_Page_EndText(page);
    };
    text(f1, 12, 18, 1.5f, "pag. 1", 1);
    text(f1, 12, 19, 1.5f, "di 1", 1); // the footer
    text(f1, 48, 10.5f, 26.5f, "Stadio preamplificatore 12AX7", 2);
    HPDF_Page_SetHorizontalScalling(page, 70);
    text(f2, 24, 10.5f, 25, "Valvola:12AX7,ECC83,TRIODO", 2);
    HPDF_Page_SetHorizontalScalling(page, 100);
    HPDF_Page_DrawImage(page, im[0], 2 * cm, 16 * cm, 8.0f * kW / kH * cm, 8 * cm);
    HPDF_Page_DrawImage(page, im[1], 4 * cm, 7 * cm, 8.0f * kW / kH * cm, 8 * cm);
    HPDF_Page_DrawImage(page, im[2], 13.5f * cm, 9 * cm, 5.0f * kW / kH * cm, 5 * cm);
    HPDF_Page_SetDash(page, nullptr, 0, 0);
    const float frame[5][2] = {{1, 1}, {1, 28}, {20, 28}, {20, 1}, {1, 1}};
    for (int i = 0; i < 4; ++i) {
        HPDF_Page_MoveTo(page, frame[i][0] * cm, frame[i][1] * cm);
        HPDF_Page_LineTo(page, frame[i + 1][0] * cm, frame[i + 1][1] * cm);
        HPDF_Page_Stroke(page);
    }
    for (int r = 0; r < 30; ++r) {
        const float y = static_cast<float>(22 - 0.5 * (r % 5) - 2.6 * (r / 5));
        text(f2, 10, 15, y, kLabels[r % 5], 2);
        text(f2, 10, 17.5f, y, kValues[r % 5], 2);
        HPDF_Page_MoveTo(page, 13 * cm, (y + 0.4f) * cm);
        HPDF_Page_LineTo(page, 19 * cm, (y + 0.4f) * cm);
        HPDF_Page_Stroke(page);
    }
    HPDF_SaveToFile(pdf, file.c_str());
    HPDF_Free(pdf);
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

} // namespace

int main(int argc, char** argv)
{
    const int iterations = argc > 1 ? std::max(1, std::atoi(argv[1])) : 40;
    char tmpl[] = "/tmp/bench_pdfwriter_XXXXXX";
    if (!mkdtemp(tmpl)) {
        std::perror("mkdtemp");
        return 1;
    }
    const std::string dir = tmpl;
    const std::string img[3] = {dir + "/IMG_Appoggio1.bmp", dir + "/IMG_Appoggio2.bmp", dir + "/IMG_Appoggio3.bmp"};
    for (int i = 0; i < 3; ++i)
        writeBmp(img[i], i * 40);
    const std::string ours = dir + "/ours.pdf", haru = dir + "/haru.pdf";

    using clock = std::chrono::steady_clock;
    std::vector<double> tOurs, tHaru;
    writeOurs(ours, img); // warm the file cache and the allocator
    writeHaru(haru, img);
    for (int i = 0; i < iterations; ++i) {
        auto t0 = clock::now();
        writeOurs(ours, img);
        auto t1 = clock::now();
        writeHaru(haru, img);
        auto t2 = clock::now();
        tOurs.push_back(std::chrono::duration<double, std::milli>(t1 - t0).count());
        tHaru.push_back(std::chrono::duration<double, std::milli>(t2 - t1).count());
    }
    std::ifstream a(ours, std::ios::binary | std::ios::ate), b(haru, std::ios::binary | std::ios::ate);
    const double mo = median(tOurs), mh = median(tHaru);
    std::printf("PdfWriter: median %.3f ms, %lld bytes\n", mo, static_cast<long long>(a.tellg()));
    std::printf("libharu:   median %.3f ms, %lld bytes\n", mh, static_cast<long long>(b.tellg()));
    std::printf("ratio PdfWriter/libharu: %.3f (%d iterations)\n", mo / mh, iterations);
    if (argc > 2) {
        // Keep the two documents for a look: bench_pdfwriter N FOLDER
        std::rename(ours.c_str(), (std::string(argv[2]) + "/bench_pdfwriter.pdf").c_str());
        std::rename(haru.c_str(), (std::string(argv[2]) + "/bench_libharu.pdf").c_str());
    }
    for (const std::string& f : {img[0], img[1], img[2], ours, haru})
        std::remove(f.c_str());
    rmdir(dir.c_str());
    return 0;
}
