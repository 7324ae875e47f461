#pragma once

// The printed page of a project, laid out in twips (1/1440 inch) from the
// page's top-left corner: the tube's designations and mode, the working
// point values in a column at two thirds of the width, the diagram, and for
// the full project the photo, the ratings grid and the pin-out.

#include "reports/dati_report.h"

class QPrinter;

// Draws the page on a printer already set up (by the print dialog) and ends
// the document. A picture that is missing is left out; the rest prints.
void stampa_pagina(QPrinter& stampante, const DatiReport& dati, bool progetto);
