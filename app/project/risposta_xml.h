#pragma once

// The stage response's inputs in the project file: one optional element
// <Risposta .../> after everything else, written only when the design has
// them, so a project without them keeps the bytes it always had.

#include "project/nodo_xml.h"
#include "project/progetto.h"

#include <QXmlStreamAttributes>

// Appends <Risposta .../> to the project's root when the design has the
// response's inputs; nothing otherwise.
void scrivi_risposta(NodoXml& radice, const Progetto& progetto);

// Takes one <Risposta .../> into the project. False, and the file refused,
// when the project already has one, when a value is longer than the window
// takes (risposta::lunghezza_massima_testo) or when the bypass flag is
// neither "TRUE" nor "FALSE". A missing value is an empty field; the bypass
// flag, when missing, is on, as the window starts.
bool leggi_risposta(const QXmlStreamAttributes& attributi, Progetto& progetto);
