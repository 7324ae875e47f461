#pragma once

// The printed page of a project, laid out in twips (1/1440 inch) from the
// page's top-left corner: the tube's designations and mode, the working
// point values in a column at two thirds of the width, the diagram, and for
// the full project the photo, the ratings grid and the pin-out, then the
// report's sections on the pages the PDF gives them.

#include "reports/dati_report.h"

class QPagedPaintDevice;

// Draws the page on a paged device already set up (the printer of the print
// dialog, or a PDF writer) and ends the document. A picture that is missing
// is left out; the rest prints.
void stampa_pagina(QPagedPaintDevice& stampante, const DatiReport& dati, bool progetto);
