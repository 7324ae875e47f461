#pragma once

// What the report commands need of the main window: the texts they show,
// the chart as it shows, the tube's pictures, and the viewer that opens a
// finished PDF. The main window implements it with its widgets.

#include "chart/taratura.h"
#include "model/modello_valvola.h"
#include "reports/sezioni_report.h"
#include "response/risposta_stadio.h"

#include <QImage>
#include <QString>

#include <vector>

// The value fields a report reads.
enum class ValoreReport { gain_value, r_value, r_anodica, r_catodica, c_catodica, grid_v, grid_i, grid_bias };

class VistaReport {
public:
    virtual ~VistaReport() = default;

    // The top strip: 0 American designation, 1 European, 2 mode.
    virtual QString testo_nome_valvola(int indice) const = 0;
    virtual QString valore(ValoreReport campo) const = 0;

    // What the chart area shows (the curve picture and every drawing over
    // it) at the chart area's size.
    virtual QImage cattura_grafico() = 0;

    // The pictures as the information page shows them, and its ratings grid
    // rendered as a picture (for the printed page).
    virtual QImage foto_mostrata() const = 0;
    virtual QImage piedinatura_mostrata() const = 0;
    virtual QImage griglia_caratteristiche() const = 0;

    // The calibration of the loaded tube's curve picture.
    virtual Taratura taratura() const = 0;
    // The stage response window's three plots for a model and its inputs,
    // drawn by that window without showing it.
    virtual std::vector<QImage> grafici_risposta(const modello::ParametriModello& modello,
                                                 const risposta::TestiStadio& testi) = 0;

    // The loaded tube's rated plate dissipation, W; 0 when not known.
    virtual double potenza_massima_w() const = 0;
    // The output stage window's plots for a model, its inputs and the
    // rating, drawn by that window without showing it; none while the
    // window cannot draw them.
    virtual std::vector<FiguraSezione> grafici_finale(const modello::ParametriModello& modello,
                                                      const finale::IngressiFinale& ingressi, double pmax_w) = 0;

    // Opens the PDF viewer on the file and caption handed over in the
    // program's folders (pdf_da_mostrare, titolo_pdf_da_mostrare).
    virtual void mostra_report_pdf() = 0;
};
