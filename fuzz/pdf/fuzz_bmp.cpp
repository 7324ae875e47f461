// Feeds arbitrary bytes to the bitmap reader as a file, and what it accepts to
// the image embedding, checking that accepted pictures are self-consistent.
#include "PdfWriter.h"

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

const std::string& scratchFile()
{
    static const std::string path = [] {
        const char* dir = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
        return std::string(dir) + "/fuzz_bmp_" + std::to_string(getpid()) + ".bmp";
    }();
    return path;
}

void check(bool ok)
{
    if (!ok)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string& file = scratchFile();
    std::FILE* f = std::fopen(file.c_str(), "wb");
    if (!f)
        return 0;
    if (size && std::fwrite(data, 1, size, f) != size) {
        std::fclose(f);
        return 0;
    }
    std::fclose(f);

    for (std::int32_t colorSpace : {0, 1}) {
        std::vector<std::uint8_t> pixels, palette;
        std::int32_t w = 0, h = 0, d = 0;
        if (!PdfWriter::ReadBMPFile(file, colorSpace, pixels, palette, w, h, d))
            continue;
        check(w > 0 && h > 0);
        check(d == 1 || d == 4 || d == 8 || d == 24);
        const std::size_t per = colorSpace == 0 ? 3 : 1;
        const std::size_t row = d == 24 ? static_cast<std::size_t>(w) * per
                                        : (static_cast<std::size_t>(w) * static_cast<std::size_t>(d) + 7) / 8;
        check(pixels.size() == row * static_cast<std::size_t>(h));
        check(palette.size() == (d <= 8 ? (std::size_t(1) << d) * per : 0));
        // The whole file was read, so the pixels cannot outgrow it.
        check(pixels.size() <= size * 3);
    }

    PdfWriter writer;
    writer.EncodeASCII85(size > 0 && (data[0] & 1));
    std::string out = "/dev/null";
    writer.InitPDFFile(out);
    writer.LoadImgFromBMPFile("Img", file, size > 1 ? data[1] & 1 : 0);
    writer.BeginPage();
    writer.DrawImg("Img", 0, 100, 100, 100);
    writer.EndPage();
    writer.ClosePDFFile();
    // libFuzzer ends without running exit handlers: leave nothing behind.
    std::remove(file.c_str());
    return 0;
}
