#pragma once

// A tube table of any size for the benches that time the list and the
// start-up: n plausible triode rows written into a fresh database file
// through the program's own schema.

#include "tubes/schema_valvole.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QVariantList>

namespace bench {

inline bool riempi_valvole(const QString& file, int n)
{
    bool ok = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("bench"));
        db.setDatabaseName(file);
        if (!db.open() || !schema_valvole::crea_tabella_valvole(db))
            return false;
        db.transaction();
        QSqlQuery q(db);
        q.prepare(QStringLiteral("insert into TabellaValvole (SiglaEURO, SiglaUSA, CURVA, MODO, PIEDINATURA, FOTO,"
                                 " IMAX_X, IMAX_Y, IMAX_I, VMAX_X, VMAX_Y, VMAX_V, ORG_X, ORG_Y, PMAX,"
                                 " FIL1_V, FIL1_I, FIL2_V, FIL2_I, PLA_V, PLA_I, PLA_W, SCRE_V, SCRE_I, SCRE_W)"
                                 " values (?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)"));
        ok = true;
        for (int i = 0; i < n && ok; ++i) {
            const QString nome = QStringLiteral("T%1").arg(i);
            const QVariantList v = {nome + "E",
                                    nome,
                                    nome + "trio.gif",
                                    "TRIODO",
                                    nome + "pin.gif",
                                    nome + ".jpg",
                                    40,
                                    20,
                                    100,
                                    480,
                                    400,
                                    500,
                                    40,
                                    400,
                                    40000 + i,
                                    "6.3",
                                    "300",
                                    "0",
                                    "0",
                                    "450",
                                    "90",
                                    "40",
                                    "0",
                                    "0",
                                    "0"};
            for (const QVariant& x : v)
                q.addBindValue(x);
            ok = q.exec();
        }
        db.commit();
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("bench"));
    return ok;
}

} // namespace bench
