#pragma once

// The "&Esportazione" and "&Stampa" commands of the File menu: the PDF
// report, the HTML pages, the diagram image and the printed page. Each
// gathers its data through VistaReport and hands it to the widget-free
// outputs.

#include "reports/dati_report.h"

#include <QString>

class Piattaforma;
class CaricatoreValvola;
class VistaReport;

class ComandiReport {
public:
    // The loaded tube's picture paths come from the tube loader that owns them.
    ComandiReport(VistaReport& vista, const CaricatoreValvola& valvola, Piattaforma& piattaforma)
        : vista_(vista), valvola_(valvola), piattaforma_(piattaforma)
    {
    }

    // 0 "Progetto &PDF", 1 "Progetto &HTML", 2 "Diagramma &JPEG",
    // 3 "&Diagramma HTML".
    void salvataggio_Click(int index);
    // 0 "&Progetto", 1 "&Diagramma".
    void stampa_Click(int index);

    void report_pdf();
    void esporta_grafico();
    void esegui_saveHTML(bool MODO);
    void mostra_pagina_html(const QString& pagina);

    // The report's data as the window holds it now, with the given title.
    DatiReport raccogli(const QString& titolo, bool immagini_mostrate);

private:
    QString chiedi_titolo();

    VistaReport& vista_;
    const CaricatoreValvola& valvola_;
    Piattaforma& piattaforma_;
};
