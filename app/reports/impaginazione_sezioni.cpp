#include "reports/impaginazione_sezioni.h"

#include <QCoreApplication>
#include <QStringList>

#include <algorithm>

namespace {

using Tipo = ElementoPagina::Tipo;
using Stile = ElementoPagina::Stile;

// The frame of the first page, a heading strip at its top, the page number
// below its bottom.
constexpr float cima_pagina = 26.6f;
constexpr float fondo_pagina = 2.0f;
constexpr float sinistra = 2.0f;
constexpr float destra = 19.5f;
// Tables on the left, pictures on the right: wide enough for the model over
// the curves at the first page's 8 cm.
constexpr float fine_tabelle = 8.6f;
constexpr float inizio_figure = 9.0f;
constexpr float larghezza_figure = destra - inizio_figure;

constexpr float altezza_titolo = 1.2f;
constexpr float altezza_didascalia = 0.6f;
// A 10 pt row with its descenders clear of the rule below: close enough that
// the output stage's tables beside its plots fit under the model on one page.
constexpr float altezza_riga = 0.4f;
constexpr float linea_base_riga = 0.315f;
constexpr float altezza_nota = 0.4f;
constexpr float spazio = 0.3f;
constexpr float spazio_sezioni = 0.4f;

ElementoPagina testo(float x, float y, const QString& t, Stile stile, int allineamento = 0)
{
    ElementoPagina e;
    e.tipo = Tipo::testo;
    e.stile = stile;
    e.x = x;
    e.y = y;
    e.testo = t;
    e.allineamento = allineamento;
    return e;
}

ElementoPagina linea(float x0, float y0, float x1, float y1)
{
    ElementoPagina e;
    e.tipo = Tipo::linea;
    e.x = x0;
    e.y = y0;
    e.x1 = x1;
    e.y1 = y1;
    return e;
}

// The text broken at blanks into lines no wider than `larghezza`.
QStringList a_capo(const LarghezzaTesto& misura, const QString& t, float corpo, float larghezza)
{
    QStringList righe;
    QString riga;
    for (const QString& parola : t.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const QString prova = riga.isEmpty() ? parola : riga + QLatin1Char(' ') + parola;
        if (!riga.isEmpty() && misura && misura(prova, corpo) > larghezza) {
            righe << riga;
            riga = parola;
        } else {
            riga = prova;
        }
    }
    if (!riga.isEmpty())
        righe << riga;
    return righe;
}

// A picture's printed size: the height its section asks, less when it would
// run wider than the column; proportions kept.
struct Dimensione {
    float larghezza = 0;
    float altezza = 0;
};

Dimensione dimensione(const FiguraSezione& f)
{
    if (f.immagine.isNull() || f.altezza_cm <= 0)
        return {};
    double h = f.altezza_cm;
    double l = h * f.immagine.width() / f.immagine.height();
    if (l > larghezza_figure) {
        h *= larghezza_figure / l;
        l = larghezza_figure;
    }
    return {static_cast<float>(l), static_cast<float>(h)};
}

// A table between x0 and x1 from y down; y ends below it.
void tabella(PaginaSezioni& p, const TabellaSezione& t, float x0, float x1, float& y)
{
    p.push_back(testo(x0, y - 0.45f, t.titolo, Stile::didascalia));
    y -= altezza_didascalia;
    const float cima = y;
    for (const RigaSezione& r : t.righe) {
        p.push_back(linea(x0, y, x1, y));
        p.push_back(testo(x0 + 0.15f, y - linea_base_riga, r.voce, Stile::testo));
        p.push_back(testo(x1 - 0.15f, y - linea_base_riga, r.valore, Stile::testo, 1));
        y -= altezza_riga;
    }
    p.push_back(linea(x0, y, x1, y));
    p.push_back(linea(x0, y, x0, cima));
    p.push_back(linea(x1, y, x1, cima));
    y -= spazio;
}

class Impaginatore {
public:
    Impaginatore(const QString& designazioni, int prima_pagina, const LarghezzaTesto& misura)
        : designazioni_(designazioni), numero_(prima_pagina), misura_(misura)
    {
    }

    void sezione(const SezioneReport& s)
    {
        // Tables down the left column and pictures down the right; a section
        // without pictures spreads its tables over both columns.
        const bool due_colonne = s.figure.empty() && s.tabelle.size() > 1;
        const std::size_t a_sinistra = due_colonne ? (s.tabelle.size() + 1) / 2 : s.tabelle.size();
        const QStringList nota = a_capo(misura_, s.nota, corpo_stile(Stile::nota), fine_tabelle - sinistra);
        float colonne[2] = {altezza_nota * float(nota.size()), 0};
        for (std::size_t i = 0; i < s.tabelle.size(); ++i)
            colonne[i < a_sinistra ? 0 : 1] +=
                altezza_didascalia + altezza_riga * float(s.tabelle[i].righe.size()) + spazio;
        for (const FiguraSezione& f : s.figure)
            if (const Dimensione d = dimensione(f); d.altezza > 0)
                colonne[1] += d.altezza + spazio;

        float y = posto(altezza_titolo + std::max(colonne[0], colonne[1]));
        PaginaSezioni& p = pagine_.back();
        p.push_back(testo(sinistra, y - 0.7f, s.titolo, Stile::titolo));
        p.push_back(linea(sinistra, y - altezza_titolo + 0.25f, destra, y - altezza_titolo + 0.25f));
        y -= altezza_titolo;
        const float cima = y;

        float fondo = cima;
        float y_destra = cima;
        for (std::size_t i = 0; i < s.tabelle.size(); ++i) {
            if (i < a_sinistra)
                tabella(p, s.tabelle[i], sinistra, fine_tabelle, y);
            else
                tabella(p, s.tabelle[i], inizio_figure, destra, y_destra);
        }
        for (const QString& r : nota) {
            p.push_back(testo(sinistra, y - 0.3f, r, Stile::nota));
            y -= altezza_nota;
        }
        fondo = std::min(y, y_destra);

        y = cima;
        for (const FiguraSezione& f : s.figure) {
            const Dimensione d = dimensione(f);
            if (d.altezza > 0) {
                ElementoPagina e;
                e.tipo = Tipo::figura;
                e.x = inizio_figure;
                e.y = y;
                e.larghezza = d.larghezza;
                e.altezza = d.altezza;
                e.figura = figura_;
                p.push_back(e);
                y -= d.altezza + spazio;
            }
            ++figura_;
        }
        y_ = std::min(fondo, y) - spazio_sezioni;
    }

    std::vector<PaginaSezioni> pagine() && { return std::move(pagine_); }

private:
    // The top of the free space, on a new page when less than `altezza` is
    // left on this one.
    float posto(float altezza)
    {
        if (pagine_.empty() || y_ - altezza < fondo_pagina)
            nuova();
        return y_;
    }

    void nuova()
    {
        PaginaSezioni p;
        p.push_back(
            testo(18.0f, 1.5f, QCoreApplication::translate("Report", "pag. %1").arg(numero_++), Stile::numero, 1));
        p.push_back(testo(10.5f, 27.2f, QCoreApplication::translate("Report", "Valvola:") + designazioni_, Stile::intestazione, 2));
        p.push_back(linea(1, 1, 1, 28));
        p.push_back(linea(1, 28, 20, 28));
        p.push_back(linea(20, 28, 20, 1));
        p.push_back(linea(20, 1, 1, 1));
        pagine_.push_back(std::move(p));
        y_ = cima_pagina;
    }

    QString designazioni_;
    int numero_;
    const LarghezzaTesto& misura_;
    std::vector<PaginaSezioni> pagine_;
    float y_ = cima_pagina;
    std::size_t figura_ = 0;
};

} // namespace

float corpo_stile(ElementoPagina::Stile stile)
{
    switch (stile) {
    case Stile::intestazione: return 16;
    case Stile::titolo: return 14;
    case Stile::didascalia: return 10;
    case Stile::testo: return 10;
    case Stile::nota: return 8;
    case Stile::numero: return 12;
    }
    return 10;
}

std::vector<PaginaSezioni> impagina_sezioni(const std::vector<SezioneReport>& sezioni, const QString& designazioni,
                                            int prima_pagina, const LarghezzaTesto& larghezza)
{
    Impaginatore i(designazioni, prima_pagina, larghezza);
    for (const SezioneReport& s : sezioni)
        i.sezione(s);
    return std::move(i).pagine();
}
