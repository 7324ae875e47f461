#include "reports/sezioni_pdf.h"

#include "reports/impaginazione_sezioni.h"

#include "PdfWriter.h"

#include <utility>

namespace sezioni_pdf {

using namespace passi_pdf;

namespace {

using Stile = ElementoPagina::Stile;

// Arial for the sections, in two weights of their own; the heading and the
// page number in the first page's fonts.
const char* const font_grassetto = "Fnt5";
const char* const font_testo = "Fnt6";

const char* font_di(Stile s)
{
    switch (s) {
    case Stile::intestazione: return "Fnt2";
    case Stile::numero: return "Fnt1";
    case Stile::titolo:
    case Stile::didascalia: return font_grassetto;
    case Stile::testo:
    case Stile::nota: return font_testo;
    }
    return font_testo;
}

std::string nome_figura(std::size_t i)
{
    return "Sez" + std::to_string(i + 1);
}

} // namespace

std::vector<Figura> carica(PdfWriter& w, const std::vector<SezioneReport>& sezioni)
{
    std::vector<Figura> figure;
    if (sezioni.empty())
        return figure;
    // Plain values for the lambda: clang does not capture structured bindings.
    for (const auto& font : {std::pair{font_grassetto, 1}, std::pair{font_testo, 0}}) {
        std::string base = "Arial";
        passo([&] { w.LoadFont(font.first, base, font.second); });
    }
    for (const SezioneReport& s : sezioni)
        for (const FiguraSezione& f : s.figure) {
            const std::string nome = nome_figura(figure.size());
            figure.push_back(passi_pdf::carica(w, nome.c_str(), immagine_pdf(f.immagine)));
        }
    return figure;
}

void disegna(PdfWriter& w, const std::vector<SezioneReport>& sezioni, const std::vector<Figura>& figure,
             const QString& designazioni)
{
    const LarghezzaTesto larghezza = [&w](const QString& t, float corpo) {
        float l = 0;
        passo([&] { l = w.Length(utf8(t), font_testo, corpo); });
        return l;
    };
    for (const PaginaSezioni& pagina : impagina_sezioni(sezioni, designazioni, w.Pages() + 1, larghezza)) {
        passo([&] { w.BeginPage(); });
        passo([&] { w.DrawObject("Footers"); });
        passo([&] { w.SetDash(0, 0); });
        for (const ElementoPagina& e : pagina) {
            switch (e.tipo) {
            case ElementoPagina::Tipo::testo:
                // The heading as narrow as the first page's tube line.
                if (e.stile == Stile::intestazione)
                    passo([&] { w.SetTextHorizontalScaling(70); });
                testo(w, e.x, e.y, e.testo, font_di(e.stile), corpo_stile(e.stile), e.allineamento);
                if (e.stile == Stile::intestazione)
                    passo([&] { w.SetTextHorizontalScaling(100); });
                break;
            case ElementoPagina::Tipo::linea: segmento(w, e.x, e.y, e.x1, e.y1); break;
            case ElementoPagina::Tipo::figura:
                if (e.figura < figure.size() && figure[e.figura].caricata) {
                    const std::string nome = nome_figura(e.figura);
                    passo([&] { w.DrawImg(nome, e.x, e.y, e.larghezza, e.altezza); });
                }
                break;
            }
        }
        passo([&] { w.EndPage(); });
    }
}

} // namespace sezioni_pdf
