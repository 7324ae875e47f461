// Writes the user manual "Manuale Programma KORVEL.pdf" (or its English
// twin) into the program folder from the text source, with the program's own
// PDF writer. Runs at build time, after the demo data: its figures are the
// demo 12AX7 curve picture, with the worked example's load line drawn over
// it, and the stage schematics of the program folder.
//
// usage: korvel_manuale_gen <text source> <program folder> <output pdf> [it|en]

#include "esempio.h"
#include "impaginazione.h"
#include "sorgente.h"

#include "PdfWriter.h"

#include <QGuiApplication>
#include <QImage>
#include <QString>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <stdexcept>

using namespace manuale;

namespace {

const std::string versione = "5.16";

// The words the generator writes itself, around the text source's own: the
// cover, the contents heading and the foot of the pages.
struct Parole {
    std::string titolo_manuale, sottotitolo, riga_1, riga_2, manuale_versione, versione, indice, pagina, di;
};

const Parole italiano{"Manuale Programma KORVEL",
                      "Calcolatore Retta di Carico",
                      "Progetto grafico di uno stadio amplificatore",
                      "sulle curve anodiche dei tubi termoionici",
                      "Manuale d'uso - Versione ",
                      "Versione ",
                      "Indice",
                      "Pagina ",
                      "di "};
const Parole inglese{"KORVEL Program Manual",
                     "Load Line Calculator",
                     "Graphic design of an amplifier stage",
                     "on the plate curves of vacuum tubes",
                     "User manual - Version ",
                     "Version ",
                     "Contents",
                     "Page ",
                     "of "};
const Parole* parole = &italiano;
const std::string figura_curva = "curva_12AX7";

struct Immagine {
    std::string nome;
    QImage immagine;
    bool grigi = false;
    float scala = 0.75f; // points per pixel
};

std::string leggi_file(const std::string& percorso)
{
    std::ifstream in(percorso, std::ios::binary);
    if (!in)
        throw std::runtime_error("impossibile leggere " + percorso);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

QImage carica(const std::string& percorso)
{
    QImage img(QString::fromStdString(percorso));
    if (img.isNull())
        throw std::runtime_error("immagine illeggibile: " + percorso);
    return img;
}

// The writer takes the rows bottom-up, as a bitmap file stores them.
void carica_nel_documento(PdfWriter& w, const Immagine& im)
{
    const QImage img = im.immagine.convertToFormat(im.grigi ? QImage::Format_Grayscale8 : QImage::Format_RGB888);
    const int per_pixel = im.grigi ? 1 : 3;
    const auto riga = static_cast<std::size_t>(img.width() * per_pixel);
    std::vector<std::uint8_t> dati;
    dati.reserve(riga * static_cast<std::size_t>(img.height()));
    for (int y = img.height() - 1; y >= 0; --y) {
        const uchar* s = img.constScanLine(y);
        dati.insert(dati.end(), s, s + riga);
    }
    w.LoadImgFromArray(im.nome, dati, {}, img.width(), img.height(), 24, im.grigi ? 1 : 0);
}

void colore(PdfWriter& w, int c)
{
    w.SetColorFill(c);
    w.SetColorStroke(c);
}

void testo(PdfWriter& w, float x, float y, const std::string& t, const std::string& font, float corpo, int c,
           int allineamento = 0)
{
    colore(w, c);
    w.DrawText(x, y, t, font, corpo, allineamento);
}

void linea(PdfWriter& w, float x0, float y0, float x1, float y1, float spessore, int c)
{
    colore(w, c);
    w.SetLineWidth(spessore);
    w.MoveTo(x0, y0);
    w.LineTo(x1, y1, 1);
}

// The worked example over the 12AX7 curves: the completed load line R01, the
// working point L01, the gain point G01 and the maximum-dissipation curve,
// as the program draws them.
void disegna_esempio(PdfWriter& w, const Op& o, const Esempio& e, int larghezza_px)
{
    const float s = o.x2 / static_cast<float>(larghezza_px);
    auto X = [&](double px) { return o.x + static_cast<float>(px) * s; };
    auto Y = [&](double py) { return o.y - static_cast<float>(py) * s; };
    const int verde = rgb(0, 150, 0), rosso = rgb(200, 0, 0), arancio = rgb(230, 120, 0), viola = rgb(170, 0, 170);

    // Maximum plate dissipation: I = P / V, inside the picture only.
    colore(w, rosso);
    w.SetLineWidth(1.2f);
    w.SetDash(4, 2);
    bool primo = true;
    for (double v = 1; v <= e.vmax_v; v += 2) {
        const double i = e.pmax_mw / v;
        if (i > e.imax_i)
            continue;
        const double px = e.org_x + v / e.vmax_v * (e.vmax_x - e.org_x);
        const double py = e.org_y - i / e.imax_i * (e.org_y - e.imax_y);
        if (primo)
            w.MoveTo(X(px), Y(py));
        else
            w.LineTo(X(px), Y(py), 0);
        primo = false;
    }
    w.PaintPath(1);
    w.SetDash(0, 0);

    linea(w, X(e.retta_x0), Y(e.retta_y0), X(e.retta_x1), Y(e.retta_y1), 1.6f, verde);
    testo(w, X(e.retta_x0 + 6), Y(e.retta_y0 - 4), "R01", font_grassetto, 8, verde);

    auto punto = [&](int px, int py, int c, const std::string& etichetta) {
        colore(w, c);
        w.SetLineWidth(1.4f);
        w.Rectangle(X(px - 4), Y(py + 4), 8 * s, 8 * s, 1);
        testo(w, X(px + 7), Y(py - 7), etichetta, font_grassetto, 8, c);
    };
    punto(e.lavoro_x, e.lavoro_y, arancio, "L01");
    punto(e.guadagno_x, e.guadagno_y, viola, "G01");
    colore(w, colore_testo);
    w.SetLineWidth(0.5f);
}

void disegna_op(PdfWriter& w, const Op& o, const Esempio& e, const std::vector<Immagine>& immagini)
{
    switch (o.tipo) {
    case Op::Tipo::testo:
        if (o.spaziatura_parole != 0)
            w.SetWordSpacing(o.spaziatura_parole);
        testo(w, o.x, o.y, o.testo, o.font, o.corpo, o.colore);
        if (o.spaziatura_parole != 0)
            w.SetWordSpacing(0);
        break;
    case Op::Tipo::linea: linea(w, o.x, o.y, o.x2, o.y2, o.spessore, o.colore); break;
    case Op::Tipo::figura:
        w.DrawImg(o.figura, o.x, o.y, o.x2, o.y2);
        if (o.figura == figura_curva) {
            for (const Immagine& im : immagini) {
                if (im.nome == figura_curva)
                    disegna_esempio(w, o, e, im.immagine.width());
            }
        }
        break;
    }
}

// The emblem of the cover: a triode in its envelope.
void emblema(PdfWriter& w, float cx, float cy, float r)
{
    colore(w, colore_titoli);
    w.SetLineWidth(2.5f);
    w.DrawCircle(cx, cy, r, 1);
    linea(w, cx - r * 0.4f, cy + r * 0.45f, cx + r * 0.4f, cy + r * 0.45f, 2.5f, colore_titoli);
    linea(w, cx, cy + r * 0.45f, cx, cy + r * 1.35f, 2.5f, colore_titoli);
    w.SetDash(5, 4);
    linea(w, cx - r * 0.6f, cy, cx + r * 0.6f, cy, 2, colore_titoli);
    w.SetDash(0, 0);
    linea(w, cx - r * 0.4f, cy - r * 0.45f, cx + r * 0.4f, cy - r * 0.45f, 2.5f, colore_titoli);
    linea(w, cx - r * 0.4f, cy - r * 0.45f, cx - r * 0.4f, cy - r * 0.7f, 2.5f, colore_titoli);
}

void copertina(PdfWriter& w)
{
    const float centro = larghezza_pagina / 2;
    emblema(w, centro, 560, 60);
    testo(w, centro, 420, parole->titolo_manuale, font_grassetto, 26, colore_titoli, 2);
    testo(w, centro, 388, parole->sottotitolo, font_testo, 16, colore_testo, 2);
    linea(w, margine_sinistro + 60, 368, larghezza_pagina - margine_destro - 60, 368, 0.8f, colore_titoli);
    testo(w, centro, 342, parole->riga_1, font_testo, 12, colore_testo, 2);
    testo(w, centro, 326, parole->riga_2, font_testo, 12, colore_testo, 2);
    testo(w, centro, 200, parole->manuale_versione + versione, font_corsivo, 11, colore_grigio, 2);
}

// Where each contents line goes: the contents page (from 0) and the
// baseline. Chapters get a little space above them; the list runs on to a
// further page when it does not fit.
struct PostoIndice {
    int pagina;
    float y;
};

const float indice_inizio = altezza_pagina - margine_alto - 17 - 7 - 22;
const float indice_passo = 15.5f;

std::vector<PostoIndice> posti_indice(const std::vector<int>& livelli)
{
    std::vector<PostoIndice> posti;
    int pagina = 0;
    float y = indice_inizio;
    for (int livello : livelli) {
        if (livello == 1)
            y -= 6;
        if (y < margine_basso) {
            ++pagina;
            y = altezza_pagina - margine_alto - 17;
        }
        posti.push_back({pagina, y});
        y -= indice_passo;
    }
    return posti;
}

std::vector<Pagina> pagine_indice(PdfWriter& w, const std::vector<VoceIndice>& indice)
{
    std::vector<int> livelli;
    for (const VoceIndice& v : indice)
        livelli.push_back(v.livello);
    const std::vector<PostoIndice> posti = posti_indice(livelli);
    std::vector<Pagina> pagine(posti.empty() ? 1 : static_cast<std::size_t>(posti.back().pagina) + 1);
    auto t = [](Pagina& p, float x, float yy, const std::string& s, const std::string& f, float c, int col) {
        Op o;
        o.tipo = Op::Tipo::testo;
        o.x = x;
        o.y = yy;
        o.testo = s;
        o.font = f;
        o.corpo = c;
        o.colore = col;
        p.push_back(o);
    };
    float y = altezza_pagina - margine_alto - 17;
    t(pagine[0], margine_sinistro, y, parole->indice, font_grassetto, 17, colore_titoli);
    y -= 7;
    Op riga;
    riga.tipo = Op::Tipo::linea;
    riga.x = margine_sinistro;
    riga.y = riga.y2 = y;
    riga.x2 = margine_sinistro + larghezza_testo;
    riga.spessore = 1;
    riga.colore = colore_titoli;
    pagine[0].push_back(riga);

    const float destra = margine_sinistro + larghezza_testo;
    const float punto = w.Length(".", font_testo, 10.5f);
    for (std::size_t k = 0; k < indice.size(); ++k) {
        const VoceIndice& v = indice[k];
        Pagina& p = pagine[static_cast<std::size_t>(posti[k].pagina)];
        const float yy = posti[k].y;
        const std::string& f = v.livello == 1 ? font_grassetto : font_testo;
        const float x = margine_sinistro + (v.livello == 1 ? 0 : 18);
        const std::string n = std::to_string(v.pagina);
        t(p, x, yy, v.testo, f, 10.5f, colore_testo);
        const float fine_testo = x + w.Length(v.testo, f, 10.5f) + 6;
        const float inizio_numero = destra - w.Length(n, font_testo, 10.5f);
        const int punti = static_cast<int>((inizio_numero - 6 - fine_testo) / punto);
        if (punti > 0)
            t(p, inizio_numero - 4 - punto * static_cast<float>(punti), yy,
              std::string(static_cast<std::size_t>(punti), '.'), font_testo, 10.5f, colore_grigio);
        t(p, inizio_numero, yy, n, font_testo, 10.5f, colore_testo);
    }
    return pagine;
}

// Foot of every page but the cover: a rule and the manual's name. The page
// number is written by each page and completed by the form "Totale", which
// holds the page count and is written once, after the last page.
const float piede_y = 44;
const float giunzione_x = larghezza_pagina - margine_destro - 26;

void crea_piede(PdfWriter& w)
{
    w.StartObject("Piede", 2 | 4 | 8);
    linea(w, margine_sinistro, piede_y + 12, larghezza_pagina - margine_destro, piede_y + 12, 0.5f, colore_grigio);
    testo(w, margine_sinistro, piede_y, parole->titolo_manuale + "  -  " + parole->versione + versione, font_testo, 8.5f, colore_grigio);
    w.EndObject();
}

void numero_pagina(PdfWriter& w, int n)
{
    testo(w, giunzione_x, piede_y, parole->pagina + std::to_string(n), font_testo, 8.5f, colore_grigio, 1);
    w.DrawObject("Totale");
}

void crea_totale(PdfWriter& w)
{
    w.StartObject("Totale", 0);
    const float spazio = w.Length(" ", font_testo, 8.5f);
    testo(w, giunzione_x + spazio, piede_y, parole->di + std::to_string(w.Pages()), font_testo, 8.5f, colore_grigio);
    w.EndObject();
}

void genera(const std::string& sorgente, const std::string& programma, const std::string& uscita)
{
    const Esempio esempio = calcola_esempio();
    std::string errore;
    const std::string testo_sorgente = sostituisci(leggi_file(sorgente), valori_esempio(esempio), errore);
    if (!errore.empty())
        throw std::runtime_error(sorgente + ": " + errore);
    const std::vector<Blocco> blocchi = leggi_blocchi(testo_sorgente, errore);
    if (!errore.empty())
        throw std::runtime_error(sorgente + ": " + errore);

    // Every figure the text names, at its drawn size.
    std::vector<Immagine> immagini;
    DimensioniFigure dimensioni;
    for (const Blocco& b : blocchi) {
        if (b.tipo != Tipo::figura || dimensioni.count(b.figura))
            continue;
        Immagine im;
        im.nome = b.figura;
        if (b.figura == figura_curva) {
            im.immagine = carica(programma + "/DatiValvole/Curve/12AX7trio.gif");
            im.scala = 0.8f;
        } else {
            im.immagine = carica(programma + "/" + b.figura);
            im.grigi = true;
            im.scala = 0.66f;
        }
        dimensioni[b.figura] = {static_cast<float>(im.immagine.width()) * im.scala,
                                static_cast<float>(im.immagine.height()) * im.scala};
        immagini.push_back(std::move(im));
    }

    // Written beside the target and renamed at the end, so that a failed run
    // never leaves a half manual that looks up to date.
    std::string provvisorio = uscita + ".tmp";
    PdfWriter w;
    w.Title(parole->titolo_manuale);
    w.ScaleMode(0);
    w.PaperSize(0);
    w.Margin(0);
    w.Orientation(0);
    w.EncodeASCII85(false);
    w.InitPDFFile(provvisorio);
    std::string arial = "Arial", arial_b = "Arial", arial_i = "Arial", courier = "Courier New";
    w.LoadFont(font_testo, arial, 0);
    w.LoadFont(font_grassetto, arial_b, 1);
    w.LoadFont(font_corsivo, arial_i, 2);
    w.LoadFont(font_formula, courier, 1);
    for (const Immagine& im : immagini)
        carica_nel_documento(w, im);
    crea_piede(w);

    const Larghezza larghezza = [&w](const std::string& t, const std::string& f, float c) { return w.Length(t, f, c); };
    // The cover and the contents come first: as many contents pages as the
    // headings need, so the body knows its first page number.
    std::vector<int> livelli;
    for (const Blocco& b : blocchi) {
        if (b.tipo == Tipo::capitolo || b.tipo == Tipo::sezione)
            livelli.push_back(b.tipo == Tipo::capitolo ? 1 : 2);
    }
    const auto posti = posti_indice(livelli);
    const int pagine_contenuti = posti.empty() ? 1 : posti.back().pagina + 1;
    const Impaginato corpo = impagina(blocchi, larghezza, dimensioni, 2 + pagine_contenuti);

    w.BeginPage();
    copertina(w);
    w.EndPage();

    int n = 2;
    for (const Pagina& p : pagine_indice(w, corpo.indice)) {
        w.BeginPage();
        for (const Op& o : p)
            disegna_op(w, o, esempio, immagini);
        numero_pagina(w, n++);
        w.EndPage();
    }

    for (const Pagina& p : corpo.pagine) {
        w.BeginPage();
        for (const Op& o : p)
            disegna_op(w, o, esempio, immagini);
        numero_pagina(w, n++);
        w.EndPage();
    }
    crea_totale(w);
    w.ClosePDFFile();
    if (std::rename(provvisorio.c_str(), uscita.c_str()) != 0)
        throw std::runtime_error("impossibile scrivere " + uscita);
}

} // namespace

int main(int argc, char** argv)
{
    const std::string lingua = argc == 5 ? argv[4] : "it";
    if ((argc != 4 && argc != 5) || (lingua != "it" && lingua != "en")) {
        std::fprintf(stderr, "usage: korvel_manuale_gen <text source> <program folder> <output pdf> [it|en]\n");
        return 2;
    }
    parole = lingua == "en" ? &inglese : &italiano;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    try {
        genera(argv[1], argv[2], argv[3]);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "korvel_manuale_gen: %s\n", e.what());
        return 1;
    }
    return 0;
}
