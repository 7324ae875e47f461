// The picture header reader over arbitrary bytes: it must never crash, and a
// size it accepts is positive and within the pixel limit.

#include "common/libreria_immagini.h"

#include <FreeImage.h>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const bool pronta = [] {
        FreeImage_Initialise(FALSE);
        return true;
    }();
    (void)pronta;
    const QByteArray byte(reinterpret_cast<const char*>(data), qsizetype(size));
    const auto dim = immagini::dimensioni_dichiarate(byte);
    if (dim &&
        (dim->width() <= 0 || dim->height() <= 0 || double(dim->width()) * dim->height() > immagini::massimo_pixel))
        std::abort();
    return 0;
}
