#pragma once

#include <QString>

class Piattaforma;

// "Crea Archivio ZIP": packs the data folder into an archive the user picks.
void crea_archivio_zip(Piattaforma& piattaforma);

// Unpacks an archive the user picks into the program folder. Reports nothing.
void importazione_archivio(Piattaforma& piattaforma);

// Unpacks every entry of an archive into a folder (the program folder, for
// both callers), going past entries that fail. Reports nothing.
void estrai_archivio(const QString& archivio, const QString& cartella);
