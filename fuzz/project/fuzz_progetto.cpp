// The project reader over arbitrary bytes: it must never crash, and whatever
// it accepts must save into a file it accepts again with the same content.

#include "project/lettura_xml.h"
#include "project/scrittura_xml.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace {

template <typename T> bool stesse_dimensioni(const std::vector<T>& a, const std::vector<T>& b)
{
    return a.size() == b.size();
}

bool vicino(float a, float b)
{
    return std::fabs(a - b) <= 1e-5f * std::max(1.0f, std::fabs(a));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray byte(reinterpret_cast<const char*>(data), qsizetype(size));
    const auto p = Ricarica_Progetto(byte);
    if (!p)
        return 0;
    const QByteArray salvato = byte_progetto(*p);
    const auto q = Ricarica_Progetto(salvato);
    if (!q)
        std::abort();
    if (q->euro != p->euro || q->usa != p->usa || q->modo != p->modo || q->guadagno != p->guadagno ||
        q->r_tubo != p->r_tubo || q->r_anodica != p->r_anodica || q->r_catodica != p->r_catodica ||
        q->c_catodica != p->c_catodica || q->potenza != p->potenza || q->potenza_visibile != p->potenza_visibile)
        std::abort();
    if (!stesse_dimensioni(p->rette, q->rette) || !stesse_dimensioni(p->punti_lavoro, q->punti_lavoro) ||
        !stesse_dimensioni(p->punti_guadagno, q->punti_guadagno) ||
        !stesse_dimensioni(p->rette_calcolate, q->rette_calcolate))
        std::abort();
    for (std::size_t k = 1; k < p->rette.size(); ++k)
        if (!vicino(p->rette[k].x0, q->rette[k].x0) || !vicino(p->rette[k].y1, q->rette[k].y1))
            std::abort();
    return 0;
}
