#include "impaginazione.h"

#include <algorithm>
#include <sstream>

namespace manuale {

namespace {

constexpr float corpo_testo = 10.5f;
constexpr float interlinea = 14.6f;
constexpr float dopo_paragrafo = 6.0f;
constexpr float rientro_punto = 16.0f;
constexpr float corpo_capitolo = 17.0f;
constexpr float corpo_sezione = 12.0f;
constexpr float corpo_formula = 10.0f;
constexpr float interlinea_formula = 15.0f;
constexpr float corpo_didascalia = 9.0f;
constexpr float interlinea_didascalia = 12.0f;

int spazi(const std::string& s)
{
    return static_cast<int>(std::count(s.begin(), s.end(), ' '));
}

class Impaginatore {
public:
    Impaginatore(const Larghezza& l, const DimensioniFigure& f, int prima) : larghezza_(l), figure_(f), prima_(prima)
    {
        nuova_pagina();
    }

    void capitolo(const std::string& titolo)
    {
        // A chapter starts on a new page unless most of the page is free.
        if (!pagina_vuota() && y_ < altezza_pagina * 0.55f)
            nuova_pagina();
        else if (!pagina_vuota())
            y_ -= 24;
        ++n_capitolo_;
        n_sezione_ = 0;
        const std::string t = std::to_string(n_capitolo_) + ". " + titolo;
        r_.indice.push_back({1, t, numero_pagina()});
        y_ -= corpo_capitolo;
        testo(margine_sinistro, y_, t, font_grassetto, corpo_capitolo, colore_titoli);
        y_ -= 7;
        linea(margine_sinistro, y_, margine_sinistro + larghezza_testo, y_, 1.0f, colore_titoli);
        y_ -= 18;
    }

    void sezione(const std::string& titolo)
    {
        ++n_sezione_;
        const std::string t = std::to_string(n_capitolo_) + "." + std::to_string(n_sezione_) + " " + titolo;
        // A heading keeps at least three lines of text below it.
        spazio(10 + corpo_sezione + 6 + 3 * interlinea);
        if (!pagina_vuota())
            y_ -= 10;
        r_.indice.push_back({2, t, numero_pagina()});
        y_ -= corpo_sezione;
        testo(margine_sinistro, y_, t, font_grassetto, corpo_sezione, colore_titoli);
        y_ -= 8;
    }

    void paragrafo(const std::string& t, float rientro, const std::string& punto = {}, float dopo = dopo_paragrafo)
    {
        const float x = margine_sinistro + rientro;
        const float w = larghezza_testo - rientro;
        const auto righe = spezza(t, font_testo, corpo_testo, w, larghezza_);
        for (std::size_t i = 0; i < righe.size(); ++i) {
            // No single line of a paragraph left alone at the foot of a page.
            const bool ultime_due = righe.size() >= 2 && i == righe.size() - 2;
            spazio(ultime_due ? 2 * interlinea : interlinea);
            if (i == 0 && righe.size() >= 2)
                spazio(2 * interlinea);
            y_ -= interlinea;
            const float base = y_ + 3.5f;
            if (i == 0 && !punto.empty())
                testo(x - rientro_punto + 5, base, punto, font_testo, corpo_testo, colore_titoli);
            float extra = 0;
            const int n = spazi(righe[i]);
            if (i + 1 < righe.size() && n > 0) {
                const float naturale = larghezza_(righe[i], font_testo, corpo_testo);
                extra = (w - naturale) / static_cast<float>(n);
            }
            Op o = op_testo(x, base, righe[i], font_testo, corpo_testo, colore_testo);
            o.spaziatura_parole = extra;
            pagina().push_back(o);
        }
        y_ -= dopo;
    }

    void formula(const std::string& t)
    {
        spazio(interlinea_formula + 4);
        y_ -= interlinea_formula;
        const float w = larghezza_(t, font_formula, corpo_formula);
        const float x = margine_sinistro + (larghezza_testo - w) / 2;
        testo(x, y_ + 4, t, font_formula, corpo_formula, colore_titoli);
        y_ -= 3;
    }

    void figura(const std::string& nome, const std::string& didascalia)
    {
        const auto d = figure_.find(nome);
        if (d == figure_.end())
            return;
        const auto [fw, fh] = d->second;
        const auto righe = spezza(didascalia, font_corsivo, corpo_didascalia, larghezza_testo - 40, larghezza_);
        const float alto = 8 + fh + 8 + interlinea_didascalia * static_cast<float>(righe.size()) + 10;
        spazio(alto);
        y_ -= 8;
        Op o;
        o.tipo = Op::Tipo::figura;
        o.x = margine_sinistro + (larghezza_testo - fw) / 2;
        o.y = y_;
        o.x2 = fw;
        o.y2 = fh;
        o.figura = nome;
        pagina().push_back(o);
        // A thin frame around the picture.
        const float x0 = o.x, x1 = o.x + fw, y0 = y_, y1 = y_ - fh;
        linea(x0, y0, x1, y0, 0.4f, colore_grigio);
        linea(x1, y0, x1, y1, 0.4f, colore_grigio);
        linea(x1, y1, x0, y1, 0.4f, colore_grigio);
        linea(x0, y1, x0, y0, 0.4f, colore_grigio);
        y_ -= fh + 8;
        for (const std::string& r : righe) {
            y_ -= interlinea_didascalia;
            const float w = larghezza_(r, font_corsivo, corpo_didascalia);
            testo(margine_sinistro + (larghezza_testo - w) / 2, y_ + 3, r, font_corsivo, corpo_didascalia,
                  colore_grigio);
        }
        y_ -= 10;
    }

    void salto_pagina()
    {
        if (!pagina_vuota())
            nuova_pagina();
    }

    Impaginato risultato() &&
    {
        if (pagina_vuota() && r_.pagine.size() > 1)
            r_.pagine.pop_back();
        return std::move(r_);
    }

private:
    Pagina& pagina() { return r_.pagine.back(); }
    bool pagina_vuota() const { return y_ >= altezza_pagina - margine_alto; }
    int numero_pagina() const { return prima_ + static_cast<int>(r_.pagine.size()) - 1; }

    void nuova_pagina()
    {
        r_.pagine.emplace_back();
        y_ = altezza_pagina - margine_alto;
    }

    // Starts a new page unless `alto` points still fit above the bottom margin.
    void spazio(float alto)
    {
        if (y_ - alto < margine_basso && !pagina_vuota())
            nuova_pagina();
    }

    static Op op_testo(float x, float y, const std::string& t, const std::string& font, float corpo, int colore)
    {
        Op o;
        o.tipo = Op::Tipo::testo;
        o.x = x;
        o.y = y;
        o.testo = t;
        o.font = font;
        o.corpo = corpo;
        o.colore = colore;
        return o;
    }

    void testo(float x, float y, const std::string& t, const std::string& font, float corpo, int colore)
    {
        pagina().push_back(op_testo(x, y, t, font, corpo, colore));
    }

    void linea(float x, float y, float x2, float y2, float spessore, int colore)
    {
        Op o;
        o.tipo = Op::Tipo::linea;
        o.x = x;
        o.y = y;
        o.x2 = x2;
        o.y2 = y2;
        o.spessore = spessore;
        o.colore = colore;
        pagina().push_back(o);
    }

    const Larghezza& larghezza_;
    const DimensioniFigure& figure_;
    int prima_;
    Impaginato r_;
    float y_ = 0;
    int n_capitolo_ = 0, n_sezione_ = 0;
};

} // namespace

std::vector<std::string> spezza(const std::string& testo, const std::string& font, float corpo, float massima,
                                const Larghezza& larghezza)
{
    std::vector<std::string> righe;
    std::istringstream in(testo);
    std::string parola, riga;
    while (in >> parola) {
        const std::string prova = riga.empty() ? parola : riga + " " + parola;
        if (!riga.empty() && larghezza(prova, font, corpo) > massima) {
            righe.push_back(riga);
            riga = parola;
        } else {
            riga = prova;
        }
    }
    if (!riga.empty())
        righe.push_back(riga);
    return righe;
}

Impaginato impagina(const std::vector<Blocco>& blocchi, const Larghezza& larghezza, const DimensioniFigure& figure,
                    int prima_pagina)
{
    Impaginatore p(larghezza, figure, prima_pagina);
    for (const Blocco& b : blocchi) {
        switch (b.tipo) {
        case Tipo::capitolo: p.capitolo(b.testo); break;
        case Tipo::sezione: p.sezione(b.testo); break;
        case Tipo::paragrafo: p.paragrafo(b.testo, 0); break;
        case Tipo::punto: p.paragrafo(b.testo, rientro_punto, "\xE2\x80\xA2", 2.5f); break;
        case Tipo::formula: p.formula(b.testo); break;
        case Tipo::figura: p.figura(b.figura, b.testo); break;
        case Tipo::pagina: p.salto_pagina(); break;
        }
    }
    return std::move(p).risultato();
}

} // namespace manuale
