#pragma once

#include <QByteArray>
#include <QElapsedTimer>
#include <QHash>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <QVariantList>

struct sqlite3;
struct sqlite3_stmt;

// Access to the tube database, opened afresh for one operation and closed at
// its end. Every failure is reported by a false result; callers take their
// single failure path on it (close, then report).
//
// The connection is opened through Qt SQL (its SQLite driver); query rows are
// stepped on the driver's own SQLite handle, because the driver's row cache
// and its text conversions made the tube list several times slower than
// reading the same rows straight from the engine.
//
// A database file comes from outside the program (an imported archive, a copy
// from another machine), so the connection trusts nothing in its schema:
// functions with side effects cannot run from views or triggers, and every
// statement is stopped once it has run for limite_query_ms.
class BaseDatiValvole {
public:
    // Why the last operation failed, as far as the user is concerned.
    enum class Guasto {
        nessuno,
        in_uso,      // another program holds the file locked
        danneggiata, // the file is damaged or is not a database
        interrotta,  // a statement ran past the time limit
        altro,
    };

    // Longest a single statement may run; far beyond any real query on the
    // tube table, short enough that a hostile schema cannot hang the program.
    static constexpr qint64 limite_query_ms = 2000;

    BaseDatiValvole();
    ~BaseDatiValvole();
    BaseDatiValvole(const BaseDatiValvole&) = delete;
    BaseDatiValvole& operator=(const BaseDatiValvole&) = delete;

    // Opens an existing database file. A missing file is never created: the
    // open fails, as it does for an unreadable file, a file that is not a
    // database, or a missing SQLite driver.
    bool open(const QString& data_source);

    // Runs a query; its rows are then read forwards with next().
    bool query(const QString& testo);
    bool next();

    // Column values of the current row, by position in the result (look a
    // name up once with colonna(), -1 when the result has no such column). A
    // text column that is Null reads as the empty text; an integer column
    // that is Null, not a whole number or out of the range of its width, or
    // a position outside the result, fails (false).
    int colonna(const QString& nome) const { return colonne_.value(nome, -1); }
    bool leggi_testo(int colonna, QString& valore) const;
    // The same text appended to `testo` (nothing for Null), with no text of
    // its own in between: the tube list writes a whole row into one text.
    bool aggiungi_testo(int colonna, QString& testo) const;
    bool leggi_intero16(int colonna, qint16& valore) const;
    bool leggi_intero32(int colonna, qint32& valore) const;
    // A number column; Null, a text that is no number or a non-finite value fails.
    bool leggi_reale(int colonna, double& valore) const;

    // True when `nome` is a real table of the database (sqlite_master), not a
    // view or anything else that could run a query of its own.
    bool e_tabella(const QString& nome);

    // Runs one statement, with its values bound rather than spliced in.
    bool command(const QString& testo, const QVariantList& valori = {});

    // Inserts one row: the statement names the table and the columns, which
    // come from the program, and carries one bound parameter per value, so
    // no value can change the statement.
    bool inserisci(const QString& tabella, const QStringList& colonne, const QVariantList& valori);

    // Releases the connection; safe to call more than once.
    void close();

    QString errore() const { return errore_; }
    Guasto guasto() const { return guasto_; }
    bool aperto() const { return aperto_; }

private:
    bool leggi_intero(int colonna, qint64 minimo, qint64 massimo, qint64& valore) const;
    bool colonna_valida(int colonna) const;
    void chiudi_risultato();
    void annota_errore(int codice);
    static int progresso(void* base);

    QString nome_connessione_;
    QSqlDatabase db_;
    sqlite3* motore_ = nullptr; // owned by the Qt connection
    sqlite3_stmt* risultato_ = nullptr;
    bool riga_corrente_ = false;
    // The result's columns by name, read once per query.
    QHash<QString, int> colonne_;
    bool aperto_ = false;
    mutable QString errore_;
    Guasto guasto_ = Guasto::nessuno;
    // Started by every statement; the progress handler reads it.
    QElapsedTimer tempo_;
};
