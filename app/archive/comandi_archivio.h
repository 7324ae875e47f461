#pragma once

#include <QString>

class Piattaforma;

// "Crea Archivio ZIP": packs the data folder into an archive the user picks.
// An archive that could not take every file is removed and the user told.
void crea_archivio_zip(Piattaforma& piattaforma);

// Imports an archive the user picks as the new data folder (see
// importa_cartella_dati); a failure is told with a message naming it.
void importazione_archivio(Piattaforma& piattaforma);

// The most an archive may unpack to, whatever the free space: the data
// folder of the program is a few megabytes.
inline constexpr qint64 limite_archivio_dati = qint64(2) * 1024 * 1024 * 1024;

// How an import went: `problema` names what failed, in words for the user;
// empty when the data folder was replaced.
struct EsitoImportazione {
    QString problema;
    bool riuscita() const { return problema.isEmpty(); }
};

// Replaces the data folder "DatiValvole" inside `cartella_radice` (the program
// folder, or the user's own data folder of a read-only installation) with the one an
// archive holds, all or nothing. Only entries under "DatiValvole/" are read;
// anything else (a program, a library, a template) is skipped. Before anything
// is written, the sizes the entries declare are summed and checked against the
// free space and limite_archivio_dati. The entries are unpacked into a new
// folder beside the data folder, every one of them must inflate to its
// declared size with a good CRC, and the database there must open with
// TabellaValvole as a table and take the columns of the exact calibration
// values when it lacks them; only then does the new folder take the old
// one's place. On any failure the old data folder stays as it was.
//
// The unpacking runs on a worker thread; the calling thread keeps repainting
// its windows (user input waits) until it is done.
EsitoImportazione importa_cartella_dati(const QString& archivio, const QString& cartella_radice);

// Imports the program folder's data archive "DatiValvole.zip" where the data
// folder belongs, creating the user's own folder first when the data live
// there; the same checked import as importazione_archivio.
EsitoImportazione carica_archivio_dati();

// True when something is named like the data folder (a plain file counts).
bool dati_presenti();
