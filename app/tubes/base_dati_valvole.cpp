#include "tubes/base_dati_valvole.h"

#include <QAtomicInt>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>

#include <sqlite3.h>

#include <algorithm>
#include <cmath>

namespace {
QAtomicInt contatore_connessioni;

// SQLite files start with this header; anything else is not our database,
// and checking it first keeps a foreign file from being touched at all (an
// empty file, say, would be silently turned into a database by the engine).
bool ha_intestazione_sqlite(const QString& percorso)
{
    QFile f(percorso);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    const QByteArray testa = f.read(16);
    return testa == QByteArray("SQLite format 3\0", 16);
}

sqlite3* handle_di(const QSqlDatabase& db)
{
    const QVariant h = db.driver() ? db.driver()->handle() : QVariant();
    if (!h.isValid() || qstrcmp(h.typeName(), "sqlite3*") != 0)
        return nullptr;
    return *static_cast<sqlite3* const*>(h.constData());
}
} // namespace

BaseDatiValvole::BaseDatiValvole()
    : nome_connessione_(QStringLiteral("BaseDatiValvole_%1").arg(contatore_connessioni.fetchAndAddRelaxed(1)))
{
}

BaseDatiValvole::~BaseDatiValvole()
{
    close();
}

bool BaseDatiValvole::open(const QString& data_source)
{
    close();
    guasto_ = Guasto::nessuno;
    const QFileInfo info(data_source);
    if (!info.exists() || !info.isFile()) {
        errore_ = QCoreApplication::translate("BaseDatiValvole", "file assente: %1").arg(data_source);
        return false;
    }
    if (!info.isReadable() || !ha_intestazione_sqlite(data_source)) {
        errore_ = QCoreApplication::translate("BaseDatiValvole", "file non leggibile: %1").arg(data_source);
        return false;
    }
    if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QSQLITE"))) {
        errore_ = QCoreApplication::translate("BaseDatiValvole", "driver SQLite assente");
        return false;
    }
    db_ = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), nome_connessione_);
    db_.setDatabaseName(data_source);
    // A file locked by another program is reported after a short wait, not
    // after the driver's five seconds.
    db_.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=500"));
    if (!db_.open()) {
        errore_ = db_.lastError().text();
        guasto_ = Guasto::altro;
        close();
        return false;
    }
    motore_ = handle_di(db_);
    if (!motore_) {
        errore_ = QCoreApplication::translate("BaseDatiValvole", "driver SQLite senza accesso al motore");
        guasto_ = Guasto::altro;
        close();
        return false;
    }
    // Nothing in the file's schema is trusted: views and triggers cannot call
    // functions with side effects, and the schema cannot be rewritten.
    sqlite3_db_config(motore_, SQLITE_DBCONFIG_TRUSTED_SCHEMA, 0, nullptr);
    sqlite3_db_config(motore_, SQLITE_DBCONFIG_DEFENSIVE, 1, nullptr);
    sqlite3_progress_handler(motore_, 1000, &BaseDatiValvole::progresso, this);
    tempo_.start();
    aperto_ = true;
    return true;
}

int BaseDatiValvole::progresso(void* base)
{
    return static_cast<BaseDatiValvole*>(base)->tempo_.hasExpired(limite_query_ms) ? 1 : 0;
}

void BaseDatiValvole::annota_errore(int codice)
{
    errore_ = QString::fromUtf8(sqlite3_errmsg(motore_));
    switch (codice & 0xff) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED: guasto_ = Guasto::in_uso; break;
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB: guasto_ = Guasto::danneggiata; break;
    case SQLITE_INTERRUPT: guasto_ = Guasto::interrotta; break;
    default: guasto_ = Guasto::altro; break;
    }
}

bool BaseDatiValvole::e_tabella(const QString& nome)
{
    if (!aperto_)
        return false;
    chiudi_risultato();
    tempo_.start();
    sqlite3_stmt* s = nullptr;
    static const char sql[] = "select type from sqlite_master where name = ?1";
    int rc = sqlite3_prepare_v2(motore_, sql, int(sizeof sql - 1), &s, nullptr);
    if (rc != SQLITE_OK || !s) {
        annota_errore(rc);
        sqlite3_finalize(s);
        return false;
    }
    const QByteArray n = nome.toUtf8();
    sqlite3_bind_text(s, 1, n.constData(), int(n.size()), SQLITE_TRANSIENT);
    bool tabella = false;
    bool altro = false;
    while ((rc = sqlite3_step(s)) == SQLITE_ROW) {
        const auto* tipo = reinterpret_cast<const char*>(sqlite3_column_text(s, 0));
        if (tipo && qstrcmp(tipo, "table") == 0)
            tabella = true;
        else
            altro = true;
    }
    if (rc != SQLITE_DONE) {
        annota_errore(rc);
        sqlite3_finalize(s);
        return false;
    }
    sqlite3_finalize(s);
    if (!tabella || altro) {
        errore_ = QCoreApplication::translate("BaseDatiValvole", "%1 non è una tabella").arg(nome);
        guasto_ = Guasto::altro;
        return false;
    }
    return true;
}

void BaseDatiValvole::chiudi_risultato()
{
    if (risultato_)
        sqlite3_finalize(risultato_);
    risultato_ = nullptr;
    riga_corrente_ = false;
    colonne_.clear();
}

bool BaseDatiValvole::query(const QString& testo)
{
    if (!aperto_)
        return false;
    chiudi_risultato();
    tempo_.start();
    const QByteArray sql = testo.toUtf8();
    const int rc = sqlite3_prepare_v2(motore_, sql.constData(), static_cast<int>(sql.size()), &risultato_, nullptr);
    if (rc != SQLITE_OK || !risultato_) {
        annota_errore(rc);
        chiudi_risultato();
        return false;
    }
    const int n = sqlite3_column_count(risultato_);
    for (int i = 0; i < n; ++i)
        colonne_.insert(QString::fromUtf8(sqlite3_column_name(risultato_, i)), i);
    return true;
}

bool BaseDatiValvole::next()
{
    if (!risultato_)
        return false;
    const int rc = sqlite3_step(risultato_);
    riga_corrente_ = rc == SQLITE_ROW;
    if (rc != SQLITE_ROW && rc != SQLITE_DONE)
        annota_errore(rc);
    return riga_corrente_;
}

bool BaseDatiValvole::colonna_valida(int colonna) const
{
    if (!riga_corrente_)
        return false;
    if (colonna < 0 || colonna >= sqlite3_column_count(risultato_)) {
        errore_ = QCoreApplication::translate("BaseDatiValvole", "colonna assente: %1").arg(colonna);
        return false;
    }
    return true;
}

bool BaseDatiValvole::leggi_testo(int colonna, QString& valore) const
{
    if (!colonna_valida(colonna))
        return false;
    if (sqlite3_column_type(risultato_, colonna) == SQLITE_NULL) {
        valore.clear();
        return true;
    }
    const auto* testo = reinterpret_cast<const char*>(sqlite3_column_text(risultato_, colonna));
    valore = QString::fromUtf8(testo, sqlite3_column_bytes(risultato_, colonna));
    return true;
}

bool BaseDatiValvole::aggiungi_testo(int colonna, QString& testo) const
{
    if (!colonna_valida(colonna))
        return false;
    if (sqlite3_column_type(risultato_, colonna) == SQLITE_NULL)
        return true;
    const auto* t = reinterpret_cast<const char*>(sqlite3_column_text(risultato_, colonna));
    const int n = sqlite3_column_bytes(risultato_, colonna);
    // Plain ASCII, nearly every cell of the table, widens straight into the
    // text; anything else goes through the UTF-8 decoder.
    if (std::all_of(t, t + n, [](char c) { return static_cast<unsigned char>(c) < 0x80; }))
        testo.append(QLatin1StringView(t, n));
    else
        testo.append(QString::fromUtf8(t, n));
    return true;
}

bool BaseDatiValvole::leggi_intero(int colonna, qint64 minimo, qint64 massimo, qint64& valore) const
{
    if (!colonna_valida(colonna))
        return false;
    bool ok = false;
    qint64 n = 0;
    switch (sqlite3_column_type(risultato_, colonna)) {
    case SQLITE_INTEGER:
        n = sqlite3_column_int64(risultato_, colonna);
        ok = true;
        break;
    case SQLITE_FLOAT: {
        // A stored real counts only when it is a whole number in range.
        const double d = sqlite3_column_double(risultato_, colonna);
        ok = std::isfinite(d) && d == std::floor(d) && d >= -9.2e18 && d <= 9.2e18;
        if (ok)
            n = static_cast<qint64>(d);
        break;
    }
    case SQLITE_TEXT: {
        const auto* t = reinterpret_cast<const char*>(sqlite3_column_text(risultato_, colonna));
        n = QByteArray(t, sqlite3_column_bytes(risultato_, colonna)).trimmed().toLongLong(&ok);
        break;
    }
    default: // Null or a blob
        break;
    }
    if (!ok || n < minimo || n > massimo) {
        errore_ = QCoreApplication::translate("BaseDatiValvole", "valore non intero o fuori intervallo nella colonna %1").arg(colonna);
        return false;
    }
    valore = n;
    return true;
}

bool BaseDatiValvole::leggi_intero16(int colonna, qint16& valore) const
{
    qint64 n = 0;
    if (!leggi_intero(colonna, -32768, 32767, n))
        return false;
    valore = static_cast<qint16>(n);
    return true;
}

bool BaseDatiValvole::leggi_intero32(int colonna, qint32& valore) const
{
    qint64 n = 0;
    if (!leggi_intero(colonna, INT32_MIN, INT32_MAX, n))
        return false;
    valore = static_cast<qint32>(n);
    return true;
}

bool BaseDatiValvole::leggi_reale(int colonna, double& valore) const
{
    if (!colonna_valida(colonna))
        return false;
    bool ok = false;
    double d = 0;
    switch (sqlite3_column_type(risultato_, colonna)) {
    case SQLITE_INTEGER:
    case SQLITE_FLOAT:
        d = sqlite3_column_double(risultato_, colonna);
        ok = true;
        break;
    case SQLITE_TEXT: {
        const auto* t = reinterpret_cast<const char*>(sqlite3_column_text(risultato_, colonna));
        d = QByteArray(t, sqlite3_column_bytes(risultato_, colonna)).trimmed().toDouble(&ok);
        break;
    }
    default: break;
    }
    if (!ok || !std::isfinite(d)) {
        errore_ = QCoreApplication::translate("BaseDatiValvole", "valore non numerico nella colonna %1").arg(colonna);
        return false;
    }
    valore = d;
    return true;
}

bool BaseDatiValvole::command(const QString& testo, const QVariantList& valori)
{
    if (!aperto_)
        return false;
    chiudi_risultato();
    tempo_.start();
    QSqlQuery q(db_);
    if (!q.prepare(testo)) {
        errore_ = q.lastError().text();
        return false;
    }
    for (const QVariant& v : valori)
        q.addBindValue(v);
    if (!q.exec()) {
        errore_ = q.lastError().text();
        return false;
    }
    return true;
}

bool BaseDatiValvole::inserisci(const QString& tabella, const QStringList& colonne, const QVariantList& valori)
{
    if (colonne.isEmpty() || colonne.size() != valori.size()) {
        errore_ = QCoreApplication::translate("BaseDatiValvole", "%1 valori per %2 colonne").arg(valori.size()).arg(colonne.size());
        return false;
    }
    QStringList segnaposti;
    for (qsizetype i = 0; i < colonne.size(); ++i)
        segnaposti << QStringLiteral("?");
    return command(
        QStringLiteral("insert into %1 (%2) Values (%3)").arg(tabella, colonne.join(u','), segnaposti.join(u',')),
        valori);
}

void BaseDatiValvole::close()
{
    chiudi_risultato();
    motore_ = nullptr;
    if (db_.isValid()) {
        db_.close();
        db_ = QSqlDatabase();
        QSqlDatabase::removeDatabase(nome_connessione_);
    }
    aperto_ = false;
}
