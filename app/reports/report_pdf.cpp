#include "reports/report_pdf.h"

#include "reports/immagini_pdf.h"
#include "reports/passi_pdf.h"
#include "reports/sezioni_pdf.h"

#include "PdfWriter.h"

#include <QCoreApplication>
#include <QFile>

#include <cmath>
#include <initializer_list>
#include <string>

namespace {

using namespace passi_pdf;

// The page's own words, in the program's language; the sections' texts
// share this context.
struct Testi {
    Q_DECLARE_TR_FUNCTIONS(Report)
};

// The image with its top-left corner at (x, y) and the given height; the
// width keeps the picture's proportions.
void disegna(PdfWriter& w, const char* nome, const Figura& f, float x, float y, int altezza_cm)
{
    if (!f.caricata)
        return;
    const double larghezza = static_cast<double>(static_cast<long long>(f.larghezza) * altezza_cm) / f.altezza;
    passo([&] { w.DrawImg(nome, x, y, static_cast<float>(larghezza), static_cast<float>(altezza_cm)); });
}

// The title's place on the page: centred on the middle of the frame, which
// runs from 1 cm to 20 cm, with half a centimetre kept free on each side.
constexpr float centro_titolo = 10.5f;
constexpr float larghezza_titolo = 18.0f;
constexpr float corpo_titolo = 48.0f;
constexpr float corpo_minimo_titolo = 12.0f;

struct Titolo {
    QString testo;
    float corpo = corpo_titolo;
};

// A short title keeps its 48 points. A longer one is set smaller, in steps
// of half a point, until it fits across the frame; one that does not fit
// even at 12 points is cut at 12 points and ends in "…". When the writer
// cannot measure the font the title is left as typed.
Titolo adatta_titolo(PdfWriter& w, const QString& titolo)
{
    const auto larghezza = [&w](const QString& t, float corpo) {
        float l = 0;
        passo([&] { l = w.Length(utf8(t), "Fnt1", corpo); });
        return l;
    };
    const float intera = larghezza(titolo, corpo_titolo);
    if (intera <= larghezza_titolo)
        return {titolo, corpo_titolo};
    float corpo = std::floor(corpo_titolo * larghezza_titolo / intera * 2.0f) / 2.0f;
    while (corpo >= corpo_minimo_titolo && larghezza(titolo, corpo) > larghezza_titolo)
        corpo -= 0.5f;
    if (corpo >= corpo_minimo_titolo)
        return {titolo, corpo};
    const QString puntini = QStringLiteral("…");
    QString corto = titolo;
    do {
        corto.chop(1);
        while (corto.endsWith(u' '))
            corto.chop(1);
    } while (!corto.isEmpty() && larghezza(corto + puntini, corpo_minimo_titolo) > larghezza_titolo);
    return {corto + puntini, corpo_minimo_titolo};
}

struct Riga {
    const char* etichetta;
    QString valore;
    const char* unita;
};

} // namespace

bool scrivi_report_pdf(const DatiReport& dati, const QString& file)
{
    PdfWriter w;
    passo([&] { w.Title(utf8(dati.titolo)); });
    passo([&] { w.ScaleMode(3); }); // centimetres
    passo([&] { w.PaperSize(0); }); // A4
    passo([&] { w.Margin(0); });
    passo([&] { w.Orientation(0); });
    passo([&] { w.EncodeASCII85(false); });
    std::string nome_pdf = QFile::encodeName(file).toStdString();
    const bool aperto = passo([&] { w.InitPDFFile(nome_pdf); });

    struct Font {
        const char* nome;
        const char* famiglia;
        int stile;
    };
    for (const Font& f :
         {Font{"Fnt1", "Times New Roman", 0}, Font{"Fnt2", "Arial", 2}, Font{"Fnt3", "Courier New", 0}}) {
        std::string base = f.famiglia;
        passo([&] { w.LoadFont(f.nome, base, f.stile); });
    }
    {
        std::string base = "Courier New";
        passo([&] { w.LoadFontStandard("Fnt4", base, 3); });
    }

    // The pictures go to the writer from memory, so no bitmap file is ever
    // written beside the program or the report.
    const Figura img1 = carica(w, "Img1", immagine_pdf(dati.grafico));
    const Figura img2 = carica(w, "Img2", immagine_pdf(dati.file_foto));
    const Figura img3 = carica(w, "Img3", immagine_pdf(dati.file_piedinatura));
    const std::vector<Figura> figure_sezioni = sezioni_pdf::carica(w, dati.sezioni);

    passo([&] { w.BeginPage(); });
    testo(w, 18.0f, 1.5f, Testi::tr("pag. %1").arg(1), "Fnt1", 12, 1);
    passo([&] { w.DrawObject("Footers"); });
    const Titolo titolo = adatta_titolo(w, dati.titolo);
    testo(w, centro_titolo, 26.5f, titolo.testo, "Fnt1", titolo.corpo, 2);
    passo([&] { w.SetTextHorizontalScaling(70); });
    testo(w, 10.5f, 25.0f, Testi::tr("Valvola:") + testo_designazioni(dati.nome_valvola), "Fnt2", 24, 2);
    passo([&] { w.SetTextHorizontalScaling(100); });

    disegna(w, "Img1", img1, 2.0f, 24.0f, 8);
    disegna(w, "Img2", img2, 4.0f, 15.0f, 8);
    disegna(w, "Img3", img3, 13.5f, 14.0f, 5);

    passo([&] { w.SetDash(0, 0); });
    segmento(w, 1, 1, 1, 28);
    segmento(w, 1, 28, 20, 28);
    segmento(w, 20, 28, 20, 1);
    segmento(w, 20, 1, 1, 1);

    const Riga righe[] = {
        {QT_TRANSLATE_NOOP("Report", "Guadagno"), dati.gain_value, nullptr},
        {QT_TRANSLATE_NOOP("Report", "R.Equiv.Tubo="), dati.r_value, "Ohm"},
        {QT_TRANSLATE_NOOP("Report", "R.Anodica="), dati.r_anodica, "Ohm"},
        {QT_TRANSLATE_NOOP("Report", "R.Catodica="), dati.r_catodica, "Ohm"},
        {QT_TRANSLATE_NOOP("Report", "C.Bypass="), dati.c_catodica, "uF"},
    };
    for (int r = 0; r < 5; ++r) {
        const float y = static_cast<float>(22.0 - 0.5 * r);
        testo(w, 15.0f, y, Testi::tr(righe[r].etichetta), "Fnt2", 10, 2);
        testo(w, 17.5f, y, righe[r].valore, "Fnt2", 10, 2);
        if (righe[r].unita)
            testo(w, 18.5f, y, QString::fromLatin1(righe[r].unita), "Fnt2", 10, 2);
        const float riga = static_cast<float>(22.4 - 0.5 * r);
        segmento(w, 13.0f, riga, 19.0f, riga);
    }
    const float fondo = static_cast<float>(22.4 - 0.5 * 5);
    const float cima = 22.4f;
    segmento(w, 13.0f, fondo, 19.0f, fondo);
    segmento(w, 13.0f, fondo, 13.0f, cima);
    segmento(w, 19.0f, fondo, 19.0f, cima);
    passo([&] { w.EndPage(); });

    sezioni_pdf::disegna(w, dati.sezioni, figure_sezioni, testo_designazioni(dati.nome_valvola));

    // The footer is defined after the page that draws it; the writer
    // resolves the reference when the file is closed.
    passo([&] { w.StartObject("Footers", 7); });
    testo(w, 19.0f, 1.5f, Testi::tr("di %1").arg(w.Pages()), "Fnt1", 12, 1);
    passo([&] { w.EndObject(); });
    const bool chiuso = passo([&] { w.ClosePDFFile(); });
    return aperto && chiuso;
}
