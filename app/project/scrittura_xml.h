#pragma once

// The project file as bytes: the element tree of a project, its exact text
// and the safe replacement of the file on disk.

#include "project/nodo_xml.h"
#include "project/progetto.h"

#include <QByteArray>
#include <QString>

// PROGETTO with SIGLA, COMPONENTI and one element per drawn object, then
// the windows' inputs the design has (risposta_xml.h).
NodoXml documento_progetto(const Progetto& progetto);

// The whole file: the declaration, the tree at level 0, one empty line; CR LF
// line ends, one byte per character in Windows-1252. Coordinates always use
// "." so a file reads the same under every locale.
QByteArray byte_progetto(const Progetto& progetto);

// Writes the bytes to a temporary file in the target's folder and renames
// it over the target only once all of it is on disk: a failure (disk full,
// folder not writable) leaves any previous file as it was.
bool scrivi_file_progetto(const QString& nome_file, const QByteArray& byte);
