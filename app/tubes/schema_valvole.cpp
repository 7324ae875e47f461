#include "tubes/schema_valvole.h"

#include "common/numeri.h"
#include "tubes/base_dati_valvole.h"

#include <QSqlQuery>

#include <cmath>

namespace schema_valvole {

const QStringList& colonne()
{
    static const QStringList nomi = {"ID",     "SiglaEURO", "SiglaUSA", "CURVA",  "MODO",   "PIEDINATURA", "FOTO",
                                     "IMAX_X", "IMAX_Y",    "IMAX_I",   "VMAX_X", "VMAX_Y", "VMAX_V",      "ORG_X",
                                     "ORG_Y",  "PMAX",      "FIL1_V",   "FIL1_I", "FIL2_V", "FIL2_I",      "PLA_V",
                                     "PLA_I",  "PLA_W",     "SCRE_V",   "SCRE_I", "SCRE_W"};
    return nomi;
}

const QStringList& modi()
{
    static const QStringList nomi = {"GENERICO", "TRIODO",         "PENTODO",          "ULTRALINEARE",
                                     "DIODO",    "PENTODO COPPIA", "PENTODO TRIPLETTA"};
    return nomi;
}

bool crea_tabella_valvole(QSqlDatabase& db)
{
    // AUTOINCREMENT keeps keys strictly increasing even after deletions, so a
    // newly inserted tube is always the last one in key order.
    static const char* ddl = "CREATE TABLE TabellaValvole ("
                             " ID INTEGER PRIMARY KEY AUTOINCREMENT,"
                             " SiglaEURO TEXT, SiglaUSA TEXT, CURVA TEXT, MODO TEXT, PIEDINATURA TEXT, FOTO TEXT,"
                             " IMAX_X SMALLINT, IMAX_Y SMALLINT, IMAX_I SMALLINT,"
                             " VMAX_X SMALLINT, VMAX_Y SMALLINT, VMAX_V SMALLINT,"
                             " ORG_X SMALLINT, ORG_Y SMALLINT,"
                             " PMAX INTEGER,"
                             " FIL1_V TEXT, FIL1_I TEXT, FIL2_V TEXT, FIL2_I TEXT,"
                             " PLA_V TEXT, PLA_I TEXT, PLA_W TEXT,"
                             " SCRE_V TEXT, SCRE_I TEXT, SCRE_W TEXT,"
                             " IMAX_I_ESATTO REAL, VMAX_V_ESATTO REAL)";
    QSqlQuery q(db);
    return q.exec(QString::fromLatin1(ddl));
}

bool aggiungi_colonne_esatte(BaseDatiValvole& db)
{
    if (!db.e_tabella(nome_tabella) || !db.query(QStringLiteral("pragma table_info(TabellaValvole)")))
        return false;
    QStringList mancanti{colonna_imax_esatta, colonna_vmax_esatta};
    const int nome = db.colonna(QStringLiteral("name"));
    while (db.next()) {
        QString c;
        if (db.leggi_testo(nome, c))
            mancanti.removeAll(c);
    }
    if (db.guasto() != BaseDatiValvole::Guasto::nessuno)
        return false;
    if (mancanti.isEmpty())
        return true;
    // The names are the program's own two, never text from the file.
    bool ok = db.command(QStringLiteral("BEGIN IMMEDIATE"));
    for (const QString& c : mancanti)
        ok = ok && db.command(QStringLiteral("ALTER TABLE TabellaValvole ADD COLUMN %1 REAL").arg(c));
    ok = ok && db.command(QStringLiteral("COMMIT"));
    if (!ok)
        db.command(QStringLiteral("ROLLBACK"));
    return ok;
}

bool esatto_valido(double esatto, int arrotondato)
{
    if (!std::isfinite(esatto))
        return false;
    const auto n = numeri::arrotonda_int16(esatto);
    return n && *n == arrotondato;
}

} // namespace schema_valvole
