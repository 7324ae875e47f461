#pragma once

// The report's sections on the PDF pages after the first, drawn with
// PdfWriter from their one layout (impaginazione_sezioni.h).

#include "reports/passi_pdf.h"
#include "reports/sezioni_report.h"

#include <vector>

class PdfWriter;

namespace sezioni_pdf {

// Loads the fonts and the pictures of the sections; called before the first
// page begins, as the writer shares its resources among the pages. One entry
// per picture, in the sections' order.
std::vector<passi_pdf::Figura> carica(PdfWriter& w, const std::vector<SezioneReport>& sezioni);

// Draws the sections on new pages after the open document's last, each with
// its number and the shared footer.
void disegna(PdfWriter& w, const std::vector<SezioneReport>& sezioni, const std::vector<passi_pdf::Figura>& figure,
             const QString& designazioni);

} // namespace sezioni_pdf
