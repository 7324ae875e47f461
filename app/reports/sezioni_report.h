#pragma once

// The report's sections after the load-line page: the tube's model, the
// stage response and what further windows add, as texts and pictures. The
// PDF, the HTML page and the printed pages all draw these and nothing else,
// so they differ in how they look, never in what they say. The figures come
// from the cores the windows use (the stored model, the response solver).

#include "chart/taratura.h"
#include "finale/stadio_finale.h"
#include "model/modello_valvola.h"
#include "response/risposta_stadio.h"

#include <QImage>
#include <QSize>
#include <QString>

#include <functional>
#include <optional>
#include <vector>

struct RigaSezione {
    QString voce;
    QString valore;
};

struct TabellaSezione {
    QString titolo;
    std::vector<RigaSezione> righe;
};

struct FiguraSezione {
    QString didascalia;
    // The picture's file name in the HTML page's figure folder: fixed by the
    // section, never taken from the design.
    QString nome_file;
    QImage immagine;
    // The height it is printed at, in centimetres.
    double altezza_cm = 0;
};

struct SezioneReport {
    QString titolo;
    std::vector<TabellaSezione> tabelle;
    std::vector<FiguraSezione> figure;
    // A line under the tables: the model's form, or why a response has no
    // figures.
    QString nota;
};

// The stage response window's plots (transfer curve, plate voltage over a
// period, harmonics) for a model and the window's inputs.
using GraficiRisposta =
    std::function<std::vector<QImage>(const modello::ParametriModello& modello, const risposta::TestiStadio& testi)>;

// The output stage window's plots, each with its caption, for a model, the
// window's inputs and the tube's rated plate dissipation (W).
using GraficiFinale = std::function<std::vector<FiguraSezione>(const modello::ParametriModello& modello,
                                                               const finale::IngressiFinale& ingressi, double pmax_w)>;

struct IngressiSezioni {
    // The loaded tube's stored model; without one there are no sections.
    std::optional<modello::ModelloSalvato> modello;
    // The tube's curve picture and its calibration, and the size of the
    // chart capture of the first page.
    QImage curva;
    Taratura taratura;
    QSize dimensione_diagramma;
    // The stage response's inputs, when the window was opened for the design.
    std::optional<risposta::TestiStadio> risposta;
    GraficiRisposta grafici_risposta;
    // The output stage's inputs, when its window was opened for the design,
    // the tube's rated plate dissipation (W, 0 when not known) and the
    // window's plots (none yet when not given).
    std::optional<finale::IngressiFinale> finale;
    double pmax_w = 0;
    GraficiFinale grafici_finale;
};

// "Modello della valvola" and, each when its window has inputs, "Risposta
// dello stadio" and "Stadio finale"; empty when the tube has no stored model.
std::vector<SezioneReport> sezioni_report(const IngressiSezioni& ingressi);

// The curve picture with the model's curves drawn over it in colour, at
// `dimensione` (the chart capture's size; the picture's own when not
// valid), placed as the chart places the picture: top-left, at its size.
QImage immagine_modello(const QImage& curva, const Taratura& taratura, const modello::ModelloSalvato& m,
                        QSize dimensione);
