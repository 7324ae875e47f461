#pragma once

// The output stage's inputs in the project file: one optional empty element
// StadioFinale, after every element the project had before it, written only
// when the design uses the output stage. A file without it reads as before.

#include "project/nodo_xml.h"
#include "project/progetto.h"

#include <QXmlStreamAttributes>

// Appends the element to PROGETTO when there are inputs.
void aggiungi_stadio_finale(NodoXml& radice, const std::optional<finale::IngressiFinale>& ingressi);

// The inputs of the StadioFinale element into `progetto`. An element with an
// attribute missing, a number that is not finite or past what a design can
// hold, or a choice the program does not know is left out: the rest of the
// project still reads. False (the project is refused) for a value longer
// than any the writer writes.
bool leggi_stadio_finale(const QXmlStreamAttributes& attributi, Progetto& progetto);
