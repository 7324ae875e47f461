#include "archive/cartelle.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <cerrno>
#include <pwd.h>
#include <unistd.h>

namespace {
Cartelle stato;
}

Cartelle& cartelle()
{
    return stato;
}

namespace {

QString con_barra_finale(QString cartella)
{
    while (cartella.size() > 1 && cartella.endsWith('/'))
        cartella.chop(1);
    return cartella.endsWith('/') ? cartella : cartella + '/';
}

} // namespace

void imposta_cartelle()
{
    imposta_cartelle_utente(QCoreApplication::applicationDirPath());
}

void imposta_cartelle(const QString& programma)
{
    imposta_cartelle(programma, programma);
}

void imposta_cartelle_utente(const QString& programma)
{
    if (cartella_scrivibile(programma))
        imposta_cartelle(programma);
    else
        imposta_cartelle(programma, cartella_dati_utente());
}

bool cartella_scrivibile(const QString& cartella)
{
    if (access(QFile::encodeName(cartella).constData(), W_OK) == 0)
        return true;
    return errno != EACCES && errno != EROFS && errno != EPERM;
}

QString cartella_dati_utente()
{
    // A relative or empty XDG_DATA_HOME is to be ignored.
    const QString xdg = qEnvironmentVariable("XDG_DATA_HOME");
    if (QDir::isAbsolutePath(xdg))
        return con_barra_finale(QDir::cleanPath(xdg)) + QStringLiteral("korvel/");
    return cartella_casa() + QStringLiteral(".local/share/korvel/");
}

QString cartella_casa()
{
    QString casa = qEnvironmentVariable("HOME");
    if (!QDir::isAbsolutePath(casa)) {
        // No usable HOME (a service, a stripped environment): the password
        // database still knows the user's home folder.
        const passwd* pw = getpwuid(getuid());
        casa = pw && pw->pw_dir ? QFile::decodeName(pw->pw_dir) : QStringLiteral("/");
    }
    return con_barra_finale(QDir::cleanPath(casa));
}

bool dati_separati(const Cartelle& c)
{
    return c.cartella_radice_dati != c.cartella_programma;
}

void imposta_cartelle(const QString& programma, const QString& radice_dati)
{
    Cartelle c;
    c.cartella_programma = con_barra_finale(programma);
    c.cartella_radice_dati = con_barra_finale(radice_dati);
    c.cartella_dati = c.cartella_radice_dati + "DatiValvole/";
    c.cartella_curve = c.cartella_dati + "Curve/";
    c.cartella_immagini = c.cartella_dati + "Immagini/";
    c.cartella_piedinature = c.cartella_dati + "Piedinature/";
    c.cartella_manuale = c.cartella_dati + "Manuale/";
    c.file_basedati = c.cartella_dati + "DBValvole.mdb";
    c.file_schema_completo = c.cartella_programma + "SchemaCompleto.tml";
    c.file_schema_diagramma = c.cartella_programma + "SchemaDiagramma.tml";
    c.file_immagine_assente = c.cartella_programma + "ASSENTE_img.gif";
    c.file_manuale = c.cartella_programma + "Manuale Programma KORVEL.pdf";
    c.file_manuale_inglese = c.cartella_programma + "KORVEL Program Manual.pdf";
    c.file_archivio_dati = c.cartella_programma + "DatiValvole.zip";
    c.larghezza_browser = QStringLiteral("1000");
    c.altezza_browser = QStringLiteral("700");
    stato = c;
}
