#pragma once

#include <QString>

// Where every file of the program lives. The folder set-up computes all paths
// once from the program folder; the rest of the program only reads them.
// Folder paths end with "/", so a file path is a plain concatenation.
struct Cartelle {
    QString cartella_programma;
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
    QString file_archivio_dati;
    QString larghezza_browser;
    QString altezza_browser;
    // The PDF that the manual viewer shows instead of the manual, with its
    // caption: set by the PDF report, emptied by the Help command.
    QString pdf_da_mostrare;
    QString titolo_pdf_da_mostrare;
};

// Computes every path from the folder of the running executable. Never
// touches the disk and never fails.
void imposta_cartelle();
// The same from a given program folder (tests use a temporary one).
void imposta_cartelle(const QString& programma);

// The paths as last computed.
Cartelle& cartelle();
