#include "velmora.h"

#include "archive/cartelle.h"
#include "archive/comandi_archivio.h"
#include "platform/piattaforma.h"
#include "tubes/base_dati_valvole.h"

#include <QCoreApplication>
#include <QProcess>

namespace {

QString senza_barra_finale(QString cartella)
{
    while (cartella.size() > 1 && cartella.endsWith('/'))
        cartella.chop(1);
    return cartella;
}

bool base_dati_accessibile(const QString& file_basedati)
{
    BaseDatiValvole db;
    const bool ok = db.open(file_basedati) && db.e_tabella(QStringLiteral("TabellaValvole")) &&
                    db.query(QStringLiteral("select * from TabellaValvole"));
    db.close();
    return ok;
}

} // namespace

bool avvio_staccato(const QString& programma)
{
    return QProcess::startDetached(programma, {});
}

void velmora(Piattaforma& piattaforma, const QString& cartella_programma, const AvvioProgramma& avvia)
{
    // The same choice as the main program: from a read-only installation the
    // data folder is the user's own, and that is the one restored.
    imposta_cartelle_utente(cartella_programma);
    const Cartelle& c = cartelle();

    // Anything already named like the data folder, even a plain file, means
    // the data were unpacked before: the archive is never opened twice.
    if (dati_presenti()) {
        piattaforma.messaggio(QCoreApplication::translate("Velmora", "Base dati Già Presente"));
    } else {
        // The same checked, all-or-nothing import as the main program's: only
        // the data folder is taken from the archive, and only when whole.
        const EsitoImportazione esito = carica_archivio_dati();
        if (esito.riuscita())
            piattaforma.messaggio(QCoreApplication::translate("Velmora", "Base dati Caricata"));
        else
            piattaforma.messaggio(QCoreApplication::translate("Velmora", "Base dati non caricata da DatiValvole.zip: %1").arg(esito.problema));
    }

    if (base_dati_accessibile(c.file_basedati))
        return;
    if (piattaforma.domanda_si_no(QCoreApplication::translate("Velmora", "Accesso Data base assente, vuoi procedere alla installazione?")))
        avvia(senza_barra_finale(c.cartella_programma) + QStringLiteral("/MDAC_TYP.EXE"));
}
