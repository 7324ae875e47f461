#include "basedati.h"

#include "valvole_demo.h"
#include "model/archivio_modelli.h"
#include "tubes/schema_valvole.h"

#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>
#include <QVector>

using namespace valvole_demo;

namespace {

QVariant testo(std::string_view s)
{
    return QString::fromUtf8(s.data(), static_cast<int>(s.size()));
}

// The tube's generating parameter set as its stored model: a newcomer sees
// a model at once, and a fit of the demo picture has the exact truth beside it.
modello::ModelloSalvato modello_pubblicato(const Valvola& v)
{
    modello::ModelloSalvato m;
    m.parametri = v.parametri;
    for (int k = 0; k < v.n_curve; ++k)
        m.griglie << tensione_griglia(v, k);
    m.fonte = modello::fonte_pubblicato;
    return m;
}

bool inserisci_tutte(QSqlDatabase& db, QString& errore, QVector<int>& id)
{
    if (!schema_valvole::crea_tabella_valvole(db)) {
        errore = QStringLiteral("creazione di TabellaValvole fallita");
        return false;
    }
    if (!db.transaction()) {
        errore = db.lastError().text();
        return false;
    }
    QSqlQuery q(db);
    if (!q.prepare(
            QStringLiteral("INSERT INTO TabellaValvole (SiglaEURO, SiglaUSA, CURVA, MODO, PIEDINATURA, FOTO,"
                           " IMAX_X, IMAX_Y, IMAX_I, VMAX_X, VMAX_Y, VMAX_V, ORG_X, ORG_Y, PMAX,"
                           " FIL1_V, FIL1_I, FIL2_V, FIL2_I, PLA_V, PLA_I, PLA_W, SCRE_V, SCRE_I, SCRE_W)"
                           " VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"))) {
        errore = q.lastError().text();
        return false;
    }
    for (const Valvola& v : tabella()) {
        // The current reference point lies on the current axis and the
        // voltage reference point on the voltage axis.
        const QVariantList valori = {testo(v.sigla_euro),
                                     testo(v.sigla_usa),
                                     QString::fromStdString(file_curva(v)),
                                     QString::fromStdString(modo(v)),
                                     QString::fromStdString(file_piedinatura(v)),
                                     QString::fromStdString(file_foto(v)),
                                     org_x,
                                     imax_y,
                                     v.imax_i,
                                     vmax_x,
                                     org_y,
                                     v.vmax_v,
                                     org_x,
                                     org_y,
                                     v.pmax_mw,
                                     testo(v.fil1_v),
                                     testo(v.fil1_i),
                                     testo(v.fil2_v),
                                     testo(v.fil2_i),
                                     testo(v.pla_v),
                                     testo(v.pla_i),
                                     testo(v.pla_w),
                                     testo(v.scre_v),
                                     testo(v.scre_i),
                                     testo(v.scre_w)};
        for (int i = 0; i < valori.size(); ++i)
            q.bindValue(i, valori[i]);
        if (!q.exec()) {
            errore = q.lastError().text();
            db.rollback();
            return false;
        }
        id << q.lastInsertId().toInt();
    }
    if (!db.commit()) {
        errore = db.lastError().text();
        return false;
    }
    return true;
}

} // namespace

bool scrivi_basedati(const QString& file, QString& errore)
{
    // Built under a temporary name and renamed, so a failed run never leaves a
    // half-filled database where the program looks for it.
    const QString provvisorio = file + QStringLiteral(".tmp");
    QFile::remove(provvisorio);
    bool ok = false;
    QVector<int> id;
    {
        const QString nome_connessione = QStringLiteral("korvel_demo_basedati");
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), nome_connessione);
        db.setDatabaseName(provvisorio);
        if (!db.open())
            errore = db.lastError().text();
        else
            ok = inserisci_tutte(db, errore, id);
        db.close();
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(nome_connessione);
    }
    // The models go in through the program's own table definition.
    for (int k = 0; ok && k < id.size() && k < int(tabella().size()); ++k)
        ok =
            archivio_modelli::salva_modello(provvisorio, id[k], modello_pubblicato(tabella()[std::size_t(k)]), &errore);
    if (!ok) {
        QFile::remove(provvisorio);
        return false;
    }
    QFile::remove(file);
    if (!QFile::rename(provvisorio, file)) {
        errore = QStringLiteral("impossibile rinominare ") + provvisorio;
        return false;
    }
    return true;
}
