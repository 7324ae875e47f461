#pragma once

#include <QString>

class Piattaforma;

// "Crea Archivio ZIP": packs the data folder into an archive the user picks.
void crea_archivio_zip(Piattaforma& piattaforma);

// Unpacks an archive the user picks into the folder that holds the data
// folder. Reports nothing.
void importazione_archivio(Piattaforma& piattaforma);

// Unpacks every entry of an archive into a folder (the one that holds the
// data folder, for every caller), going past entries that fail. Reports
// nothing.
void estrai_archivio(const QString& archivio, const QString& cartella);

// Unpacks the program folder's data archive "DatiValvole.zip" where the data
// folder belongs, creating the user's own folder first when the data live
// there. Reports nothing.
void carica_archivio_dati();

// True when something is named like the data folder (a plain file counts).
bool dati_presenti();
