#pragma once

#include <QSqlDatabase>
#include <QString>
#include <QStringList>

// The tube table: its 26 columns in table order, which is also the column
// order of the tube list.
namespace schema_valvole {

inline const QString nome_tabella = QStringLiteral("TabellaValvole");

// Column names in table order (grid column n shows column n).
const QStringList& colonne();

// The seven operating modes, in the order the new-tube window offers them.
const QStringList& modi();

// Creates TabellaValvole in an open database. ID is assigned by the store and
// always increases, so a new tube sorts last. Returns false on failure.
bool crea_tabella_valvole(QSqlDatabase& db);

} // namespace schema_valvole
