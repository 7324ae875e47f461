#include "archive/cartelle.h"

#include <QCoreApplication>

namespace {
Cartelle stato;
}

Cartelle& cartelle()
{
    return stato;
}

void imposta_cartelle()
{
    imposta_cartelle(QCoreApplication::applicationDirPath());
}

void imposta_cartelle(const QString& programma)
{
    QString base = programma;
    while (base.size() > 1 && base.endsWith('/'))
        base.chop(1);

    Cartelle c;
    c.cartella_programma = base + "/";
    c.cartella_dati = c.cartella_programma + "DatiValvole/";
    c.cartella_curve = c.cartella_dati + "Curve/";
    c.cartella_immagini = c.cartella_dati + "Immagini/";
    c.cartella_piedinature = c.cartella_dati + "Piedinature/";
    c.cartella_manuale = c.cartella_dati + "Manuale/";
    c.file_basedati = c.cartella_dati + "DBValvole.mdb";
    c.file_schema_completo = c.cartella_programma + "SchemaCompleto.tml";
    c.file_schema_diagramma = c.cartella_programma + "SchemaDiagramma.tml";
    c.file_immagine_assente = c.cartella_programma + "ASSENTE_img.gif";
    c.file_manuale = c.cartella_programma + "Manuale Programma KORVEL.pdf";
    c.file_archivio_dati = c.cartella_programma + "DatiValvole.zip";
    c.larghezza_browser = QStringLiteral("1000");
    c.altezza_browser = QStringLiteral("700");
    stato = c;
}
