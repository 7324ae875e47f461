#pragma once

#include <QSqlDatabase>
#include <QString>
#include <QStringList>

class BaseDatiValvole;

// The tube table: its 26 columns in table order, which is also the column
// order of the tube list, and the two columns of exact calibration values
// that follow them.
namespace schema_valvole {

inline const QString nome_tabella = QStringLiteral("TabellaValvole");

// Column names in table order (grid column n shows column n).
const QStringList& colonne();

// The calibration's current and voltage as typed (17.5 mA), beside the
// 16-bit IMAX_I and VMAX_V that hold them rounded (18) for every other
// reader of the file. A database from before them has neither; one written
// by another program may hold them Null, or stale beside a rounded value
// changed since: the exact value counts only where it rounds to the 16-bit
// one (see esatto_valido).
inline const QString colonna_imax_esatta = QStringLiteral("IMAX_I_ESATTO");
inline const QString colonna_vmax_esatta = QStringLiteral("VMAX_V_ESATTO");

// Adds the exact-value columns to the tube table of an open database where
// they are missing, both or neither, in one transaction; nothing is written
// when they are there. False, with the database unchanged, on failure (no
// tube table, a table that cannot be altered, a read-only file).
bool aggiungi_colonne_esatte(BaseDatiValvole& db);

// True when `esatto` refines the rounded 16-bit `arrotondato`: it is finite
// and rounds to it as the save rounds (halves to even).
bool esatto_valido(double esatto, int arrotondato);

// The seven operating modes, in the order the new-tube window offers them.
const QStringList& modi();

// Creates TabellaValvole in an open database. ID is assigned by the store and
// always increases, so a new tube sorts last. Returns false on failure.
bool crea_tabella_valvole(QSqlDatabase& db);

} // namespace schema_valvole
