#pragma once

#include <QString>

// Writes the tube database of the demo set: a new SQLite file holding
// TabellaValvole with one record per tube of valvole_demo::tabella().
// Returns false, with the reason in `errore`, when the file cannot be written.
bool scrivi_basedati(const QString& file, QString& errore);
