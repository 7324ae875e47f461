#include "archive/comandi_archivio.h"

#include "archive/cartelle.h"
#include "archive/pakova.h"
#include "platform/piattaforma.h"
#include "tubes/base_dati_valvole.h"
#include "tubes/schema_valvole.h"

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QStorageInfo>
#include <QTemporaryDir>
#include <QThread>

#include <memory>

namespace {

const QString filtro_zip = QStringLiteral("zip (*.zip)|*.zip|Generico (*.*)|*.*|");
const QString nome_cartella_dati = QStringLiteral("DatiValvole");
const QByteArray prefisso_dati = QByteArrayLiteral("DatiValvole/");

// The program's folders end with "/"; the zip library takes them without.
QString senza_barra_finale(QString cartella)
{
    while (cartella.size() > 1 && cartella.endsWith('/'))
        cartella.chop(1);
    return cartella;
}

// The current entry's name as the library gives it ("\" already turned into
// "/"); entry names are at most 65535 bytes long.
QByteArray nome_voce()
{
    QByteArray nome(0xFFFF, '\0');
    nome.truncate(pakova::UnZipGetFileName(nome.data(), int(nome.size())));
    return nome;
}

bool sotto_cartella_dati(const QByteArray& nome)
{
    return nome.startsWith(prefisso_dati);
}

QString leggibile(const QByteArray& nome)
{
    return QString::fromUtf8(nome);
}

// Unpacks the data entries of an archive below `destinazione`. Runs on the
// worker thread: it touches nothing but the zip library and the disk.
QString estrai_voci_dati(const QString& archivio, const QString& destinazione, qint64 spazio_libero)
{
    if (!QFileInfo(archivio).isFile())
        return QCoreApplication::translate("ComandiArchivio", "l'archivio non esiste");
    if (!pakova::disponibile())
        return QCoreApplication::translate("ComandiArchivio", "libreria zip assente");
    const int voci = pakova::UnZipOpen(archivio);
    struct Chiudi {
        ~Chiudi() { pakova::UnZipClose(); }
    } chiudi;
    if (voci < 0)
        return QCoreApplication::translate("ComandiArchivio", "il file non è un archivio zip leggibile");
    if (voci == 0 || pakova::UnZipGotoFirst() != 1)
        return QCoreApplication::translate("ComandiArchivio", "l'archivio non contiene la cartella DatiValvole");

    // First the sizes the entries declare, before a byte is written: an
    // archive of a megabyte can claim (and, with a shared deflate stream,
    // really inflate to) gigabytes.
    qint64 totale = 0;
    int dati = 0;
    do {
        const QByteArray nome = nome_voce();
        if (!sotto_cartella_dati(nome))
            continue;
        const long long dimensione = pakova::UnZipGetFileSize();
        if (dimensione < 0)
            return QCoreApplication::translate("ComandiArchivio", "voce illeggibile: %1").arg(leggibile(nome));
        if (dimensione > limite_archivio_dati - totale)
            return QCoreApplication::translate("ComandiArchivio", "i file dell'archivio superano il limite di 2 GB");
        totale += dimensione;
        ++dati;
    } while (pakova::UnZipGotoNext() == 1);
    if (dati == 0)
        return QCoreApplication::translate("ComandiArchivio", "l'archivio non contiene la cartella DatiValvole");
    if (spazio_libero >= 0 && totale > spazio_libero)
        return QCoreApplication::translate("ComandiArchivio", "spazio su disco insufficiente (servono %1 MB)").arg((totale + 1048575) / 1048576);

    if (pakova::UnZipOutDir(destinazione) != 1 || pakova::UnZipGotoFirst() != 1)
        return QCoreApplication::translate("ComandiArchivio", "impossibile scrivere accanto alla cartella dati");
    do {
        const QByteArray nome = nome_voce();
        if (!sotto_cartella_dati(nome))
            continue;
        // A bad CRC, data longer or shorter than declared, an unsafe name:
        // the entry is damaged and so is the copy of the folder.
        if (pakova::UnZipInflate() < 0)
            return QCoreApplication::translate("ComandiArchivio", "voce danneggiata: %1").arg(leggibile(nome));
    } while (pakova::UnZipGotoNext() == 1);
    return {};
}

// The unpacked database opens and holds the tube table as a table whose
// rows all read.
QString verifica_base_dati(const QString& file)
{
    if (!QFileInfo(file).isFile())
        return QCoreApplication::translate("ComandiArchivio", "l'archivio non contiene la base dati DBValvole.mdb");
    BaseDatiValvole db;
    bool ok = db.open(file) && db.e_tabella(QStringLiteral("TabellaValvole")) &&
              db.query(QStringLiteral("select * from TabellaValvole"));
    while (ok && db.next()) {
    }
    ok = ok && db.guasto() == BaseDatiValvole::Guasto::nessuno;
    db.close();
    return ok ? QString() : QCoreApplication::translate("ComandiArchivio", "la base dati dell'archivio non è valida");
}

// The unpacked database in the program's current form: a tube table from
// before the exact calibration values gets their columns. It runs on the
// copy beside the data folder, so a database that cannot take them fails
// the import and the old folder stays.
QString aggiorna_base_dati(const QString& file)
{
    BaseDatiValvole db;
    const bool ok = db.open(file) && schema_valvole::aggiungi_colonne_esatte(db);
    db.close();
    return ok ? QString()
              : QCoreApplication::translate("ComandiArchivio", "la base dati dell'archivio non può essere aggiornata");
}

// Puts the folder `nuova` in the place of `vecchia`; the old folder is moved
// aside first and put back when the new one cannot take its place.
QString sostituisci_cartella(const QString& nuova, const QString& vecchia, const QString& a_parte)
{
    const QFileInfo esistente(vecchia);
    const bool c_era = esistente.exists() || esistente.isSymLink();
    if (c_era && !QDir().rename(vecchia, a_parte))
        return QCoreApplication::translate("ComandiArchivio", "impossibile sostituire la cartella DatiValvole");
    if (!QDir().rename(nuova, vecchia)) {
        if (c_era)
            QDir().rename(a_parte, vecchia);
        return QCoreApplication::translate("ComandiArchivio", "impossibile sostituire la cartella DatiValvole");
    }
    if (c_era) {
        QFileInfo vecchio(a_parte);
        if (vecchio.isDir() && !vecchio.isSymLink())
            QDir(a_parte).removeRecursively();
        else
            QFile::remove(a_parte);
    }
    return {};
}

} // namespace

EsitoImportazione importa_cartella_dati(const QString& archivio, const QString& cartella_radice)
{
    const QString programma = senza_barra_finale(cartella_radice);
    // The new folder is made beside the data folder, on the same file
    // system, so it takes the old one's place with a rename.
    QTemporaryDir lavoro(programma + QStringLiteral("/.DatiValvole-importazione-XXXXXX"));
    if (!lavoro.isValid())
        return {QCoreApplication::translate("ComandiArchivio", "impossibile scrivere accanto alla cartella dati")};
    QStorageInfo disco(lavoro.path());
    const qint64 libero = disco.isValid() ? disco.bytesAvailable() : -1;

    QString problema;
    std::unique_ptr<QThread> lavoratore(
        QThread::create([&] { problema = estrai_voci_dati(archivio, lavoro.path(), libero); }));
    QEventLoop attesa;
    QObject::connect(lavoratore.get(), &QThread::finished, &attesa, &QEventLoop::quit);
    lavoratore->start();
    // Windows keep painting while the worker runs; clicks and keys wait, so
    // nothing can start a second archive operation meanwhile.
    if (!lavoratore->isFinished())
        attesa.exec(QEventLoop::ExcludeUserInputEvents);
    lavoratore->wait();

    const QString nuova = lavoro.path() + '/' + nome_cartella_dati;
    if (problema.isEmpty())
        problema = verifica_base_dati(nuova + QStringLiteral("/DBValvole.mdb"));
    if (problema.isEmpty())
        problema = aggiorna_base_dati(nuova + QStringLiteral("/DBValvole.mdb"));
    if (problema.isEmpty())
        problema = sostituisci_cartella(nuova, programma + '/' + nome_cartella_dati,
                                        lavoro.path() + QStringLiteral("/vecchia"));
    return {problema};
}

void crea_archivio_zip(Piattaforma& piattaforma)
{
    Piattaforma::DialogoFile d;
    d.titolo = QCoreApplication::translate("ComandiArchivio", "File di Ingresso");
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
        piattaforma.messaggio(QCoreApplication::translate("ComandiArchivio", "Impossibile creare il file"));
        return;
    }
    const int aggiunto = pakova::ZipAddDirToZip(senza_barra_finale(c.cartella_dati));
    // The archive is complete only once its directory is written: close it
    // before telling the user it is done, and say so when that fails.
    const int chiuso = pakova::ZipClose();
    // An archive that lacks a file (the database held by another program,
    // an unreadable picture) would restore a different folder: it is not
    // left behind to be mistaken for a copy.
    if (!aggiunto || !chiuso)
        QFile::remove(*scelto);
    if (!aggiunto)
        piattaforma.messaggio(QCoreApplication::translate("ComandiArchivio", "Impossibile inserire oggetti nel file"));
    else if (!chiuso)
        piattaforma.messaggio(QCoreApplication::translate("ComandiArchivio", "Impossibile creare il file"));
    else
        piattaforma.messaggio(QCoreApplication::translate("ComandiArchivio", "Archiviazione Completata"));
}

void importazione_archivio(Piattaforma& piattaforma)
{
    const Cartelle& c = cartelle();
    Piattaforma::DialogoFile d;
    d.titolo = QCoreApplication::translate("ComandiArchivio", "File Zip Archivio");
    d.cartella = c.cartella_programma;
    d.nome_iniziale = QStringLiteral("*.zip");
    d.filtri = filtro_zip;
    d.indice_filtro = 1;
    d.deve_esistere = true;
    const std::optional<QString> scelto = piattaforma.apri_file(d);
    if (!scelto || scelto->isEmpty())
        return;
    const EsitoImportazione esito = importa_cartella_dati(*scelto, c.cartella_radice_dati);
    if (!esito.riuscita())
        piattaforma.messaggio(
            QCoreApplication::translate("ComandiArchivio", "Archivio non importato: %1.\nLa cartella dati resta invariata.").arg(esito.problema));
}

EsitoImportazione carica_archivio_dati()
{
    const Cartelle& c = cartelle();
    // The user's own data folder may not exist yet, nor its parents.
    if (dati_separati(c))
        QDir().mkpath(c.cartella_radice_dati);
    return importa_cartella_dati(c.file_archivio_dati, c.cartella_radice_dati);
}

bool dati_presenti()
{
    // Anything named like the data folder, even a plain file, counts: the
    // archive is never unpacked over it.
    const QFileInfo dati(senza_barra_finale(cartelle().cartella_dati));
    return dati.exists() || dati.isSymLink();
}
