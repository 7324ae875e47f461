#include "archive/comandi_archivio.h"

#include "archive/cartelle.h"
#include "archive/pakova.h"
#include "platform/piattaforma.h"

#include <QDir>
#include <QFileInfo>

namespace {

const QString filtro_zip = QStringLiteral("zip (*.zip)|*.zip|Generico (*.*)|*.*|");

// The program's folders end with "/"; the zip library takes them without.
QString senza_barra_finale(QString cartella)
{
    while (cartella.size() > 1 && cartella.endsWith('/'))
        cartella.chop(1);
    return cartella;
}

} // namespace

void crea_archivio_zip(Piattaforma& piattaforma)
{
    Piattaforma::DialogoFile d;
    d.titolo = QStringLiteral("File di Ingresso");
    d.nome_iniziale = QStringLiteral("*.zip");
    d.filtri = filtro_zip;
    d.indice_filtro = 1;
    d.conferma_sovrascrittura = true;
    const std::optional<QString> scelto = piattaforma.salva_file(d);
    if (!scelto || scelto->isEmpty())
        return;

    const Cartelle& c = cartelle();
    // Entry names are relative to the folder that holds the data folder, so
    // that they start with "DatiValvole/" wherever that folder lives.
    if (!pakova::ZipOpenExt(*scelto, senza_barra_finale(c.cartella_radice_dati), 0)) {
        piattaforma.messaggio(QStringLiteral("Impossibile creare il file"));
        return;
    }
    const int aggiunto = pakova::ZipAddDirToZip(senza_barra_finale(c.cartella_dati));
    // The archive is complete only once its directory is written: close it
    // before telling the user it is done, and say so when that fails.
    const int chiuso = pakova::ZipClose();
    if (!aggiunto)
        piattaforma.messaggio(QStringLiteral("Impossibile inserire oggetti nel file"));
    else if (!chiuso)
        piattaforma.messaggio(QStringLiteral("Impossibile creare il file"));
    else
        piattaforma.messaggio(QStringLiteral("Archiviazione Completata"));
}

void importazione_archivio(Piattaforma& piattaforma)
{
    const Cartelle& c = cartelle();
    Piattaforma::DialogoFile d;
    d.titolo = QStringLiteral("File Zip Archivio");
    d.cartella = c.cartella_programma;
    d.nome_iniziale = QStringLiteral("*.zip");
    d.filtri = filtro_zip;
    d.indice_filtro = 1;
    d.deve_esistere = true;
    const std::optional<QString> scelto = piattaforma.apri_file(d);
    if (!scelto || scelto->isEmpty())
        return;
    estrai_archivio(*scelto, senza_barra_finale(c.cartella_radice_dati));
}

void carica_archivio_dati()
{
    const Cartelle& c = cartelle();
    // The user's own data folder may not exist yet, nor its parents.
    if (dati_separati(c))
        QDir().mkpath(c.cartella_radice_dati);
    estrai_archivio(c.file_archivio_dati, senza_barra_finale(c.cartella_radice_dati));
}

bool dati_presenti()
{
    // Anything named like the data folder, even a plain file, counts: the
    // archive is never unpacked over it.
    const QFileInfo dati(senza_barra_finale(cartelle().cartella_dati));
    return dati.exists() || dati.isSymLink();
}

void estrai_archivio(const QString& archivio, const QString& cartella)
{
    const int voci = pakova::UnZipOpen(archivio);
    // Entries are unpacked only into the folder asked for: when it cannot be
    // made the target, the library would fall back on a folder named after
    // the archive, which nobody chose.
    if (voci > 0 && pakova::UnZipOutDir(cartella) == 1 && pakova::UnZipGotoFirst() == 1) {
        do {
            pakova::UnZipInflate();
        } while (pakova::UnZipGotoNext() == 1);
    }
    pakova::UnZipClose();
}
