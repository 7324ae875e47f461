#pragma once

// The A4 project report, drawn with PdfWriter: on its first page title, tube
// line, diagram, photo, pin-out, page frame, value table, page number and the
// page-count footer; then the report's sections (the tube model, the stage
// response) on the pages that follow, when there are any.

#include "reports/dati_report.h"

#include <QString>

// Writes the report of `dati` to `file`. Every step that fails is skipped
// and the next one runs; a picture that cannot be read is left out. No
// intermediate file is written. True when the file was written and closed.
bool scrivi_report_pdf(const DatiReport& dati, const QString& file);
