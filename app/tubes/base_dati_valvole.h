#pragma once

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QHash>
#include <QString>
#include <QVariantList>

// Access to the tube database, opened afresh for one operation and closed at
// its end. Every failure is reported by a false result; callers take their
// single failure path on it (close, then report).
class BaseDatiValvole {
public:
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

    // Column values of the current row, fetched by name. A text column that
    // is Null reads as the empty text; an integer column that is Null, not a
    // whole number or out of the range of its width fails (false).
    bool leggi_testo(const QString& colonna, QString& valore) const;
    bool leggi_intero16(const QString& colonna, qint16& valore) const;
    bool leggi_intero32(const QString& colonna, qint32& valore) const;

    // Runs one statement, with its values bound rather than spliced in.
    bool command(const QString& testo, const QVariantList& valori = {});

    // Releases the connection; safe to call more than once.
    void close();

    QString errore() const { return errore_; }
    bool aperto() const { return aperto_; }

private:
    bool leggi_intero(const QString& colonna, qint64 minimo, qint64 massimo, qint64& valore) const;

    QString nome_connessione_;
    QSqlDatabase db_;
    QSqlQuery* risultato_ = nullptr;
    // The result's columns, read once per query: fetching them for every
    // value would rebuild the whole column list each time.
    QHash<QString, int> colonne_;
    int indice(const QString& colonna) const;
    bool aperto_ = false;
    mutable QString errore_;
};
