#pragma once

// The "&Esportazione" and "&Stampa" commands of the File menu: the PDF
// report, the HTML pages, the diagram image and the printed page. Each
// gathers its data through VistaReport and hands it to the widget-free
// outputs.

#include "reports/dati_report.h"

#include <QString>

struct IngressiFinestre;
class Piattaforma;
class CaricatoreValvola;
class VistaReport;

// The items of "&Esportazione" (the indexed array salvataggio).
namespace voce_esporta {
inline constexpr int progetto_pdf = 0;   // "Progetto &PDF"
inline constexpr int progetto_html = 1;  // "Progetto &HTML"
inline constexpr int diagramma_jpeg = 2; // "Diagramma &JPEG"
inline constexpr int diagramma_html = 3; // "&Diagramma HTML"
inline constexpr int numero = 4;
} // namespace voce_esporta

// The items of "&Stampa" (the indexed array stampa).
namespace voce_stampa {
inline constexpr int progetto = 0;  // "&Progetto"
inline constexpr int diagramma = 1; // "&Diagramma"
inline constexpr int numero = 2;
} // namespace voce_stampa

class ComandiReport {
public:
    // The loaded tube's picture paths and model come from the tube loader
    // that owns them; the windows' inputs from the design's owner.
    ComandiReport(VistaReport& vista, const CaricatoreValvola& valvola, Piattaforma& piattaforma,
                  const IngressiFinestre& finestre)
        : vista_(vista), valvola_(valvola), piattaforma_(piattaforma), finestre_(finestre)
    {
    }

    // An item of "&Esportazione", by voce_esporta.
    void salvataggio_Click(int index);
    // An item of "&Stampa", by voce_stampa.
    void stampa_Click(int index);

    void report_pdf();
    void esporta_grafico();
    void esegui_saveHTML(bool MODO);
    void mostra_pagina_html(const QString& pagina);

    // The report's data as the window holds it now, with the given title;
    // with `sezioni`, also the pages that follow the load-line page.
    DatiReport raccogli(const QString& titolo, bool immagini_mostrate, bool sezioni = false);

private:
    QString chiedi_titolo();

    VistaReport& vista_;
    const CaricatoreValvola& valvola_;
    Piattaforma& piattaforma_;
    const IngressiFinestre& finestre_;
};
