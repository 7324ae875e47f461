#pragma once

#include <QString>

// Where every file of the program lives. The folder set-up computes all paths
// once from the program folder; the rest of the program only reads them.
// Folder paths end with "/", so a file path is a plain concatenation.
struct Cartelle {
    QString cartella_programma;
    // The folder that holds the data folder: the program folder itself, or
    // the user's own data folder when the program folder cannot be written
    // (a copy installed in a system folder). The data folder is packed
    // relative to it and archives are unpacked into it.
    QString cartella_radice_dati;
    QString cartella_dati;
    QString cartella_curve;
    QString cartella_immagini;
    QString cartella_piedinature;
    QString cartella_manuale;
    QString file_basedati;
    QString file_schema_completo;
    QString file_schema_diagramma;
    QString file_immagine_assente;
    QString file_manuale;
    // The same manual in English, shown by Help when the program speaks it.
    QString file_manuale_inglese;
    QString file_archivio_dati;
    QString larghezza_browser;
    QString altezza_browser;
    // The PDF that the manual viewer shows instead of the manual, with its
    // caption: set by the PDF report, emptied by the Help command.
    QString pdf_da_mostrare;
    QString titolo_pdf_da_mostrare;
};

// Computes every path from the folder of the running executable, with the
// data folder where imposta_cartelle_utente puts it. Never fails.
void imposta_cartelle();
// Every path from a given program folder, the data folder inside it. Never
// touches the disk and never fails.
void imposta_cartelle(const QString& programma);
// The same with the data folder inside `radice_dati` instead.
void imposta_cartelle(const QString& programma, const QString& radice_dati);
// The start-up of both programs: the data folder stays in the program folder
// when the user may write there; otherwise it is the user's own
// (cartella_dati_utente). Only looks at the program folder's permissions; a
// folder that does not exist counts as writable, so that nothing changes
// for a program folder that is simply missing.
void imposta_cartelle_utente(const QString& programma);

// The user's own folder for the data folder: $XDG_DATA_HOME/korvel/, by
// default ~/.local/share/korvel/. With cartella_casa, the only place the
// program reads the environment.
QString cartella_dati_utente();
// The user's home folder, with a final "/": $HOME, or the password
// database's when HOME is not an absolute path.
QString cartella_casa();

// True when the user may create files in the folder (false only when it
// exists and the permissions or a read-only file system forbid it).
bool cartella_scrivibile(const QString& cartella);

// True when the data folder lies outside the program folder.
bool dati_separati(const Cartelle& c);

// The paths as last computed.
Cartelle& cartelle();
