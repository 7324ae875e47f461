#include "tubes/base_dati_valvole.h"

#include <QAtomicInt>
#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlRecord>

namespace {
QAtomicInt contatore_connessioni;

// SQLite files start with this header; anything else is not our database,
// and checking it first keeps a foreign file from being touched at all.
bool ha_intestazione_sqlite(const QString& percorso)
{
    QFile f(percorso);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    const QByteArray testa = f.read(16);
    // An empty file would be silently turned into a database by SQLite.
    return testa == QByteArray("SQLite format 3\0", 16);
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
    const QFileInfo info(data_source);
    if (!info.exists() || !info.isFile()) {
        errore_ = QStringLiteral("file assente: %1").arg(data_source);
        return false;
    }
    if (!info.isReadable() || !ha_intestazione_sqlite(data_source)) {
        errore_ = QStringLiteral("file non leggibile: %1").arg(data_source);
        return false;
    }
    if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QSQLITE"))) {
        errore_ = QStringLiteral("driver SQLite assente");
        return false;
    }
    db_ = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), nome_connessione_);
    db_.setDatabaseName(data_source);
    if (!db_.open()) {
        errore_ = db_.lastError().text();
        close();
        return false;
    }
    aperto_ = true;
    return true;
}

bool BaseDatiValvole::query(const QString& testo)
{
    if (!aperto_)
        return false;
    delete risultato_;
    risultato_ = new QSqlQuery(db_);
    risultato_->setForwardOnly(true);
    if (!risultato_->exec(testo)) {
        errore_ = risultato_->lastError().text();
        return false;
    }
    const QSqlRecord record = risultato_->record();
    colonne_.clear();
    for (int i = 0; i < record.count(); ++i)
        colonne_.insert(record.fieldName(i), i);
    return true;
}

int BaseDatiValvole::indice(const QString& colonna) const
{
    return colonne_.value(colonna, -1);
}

bool BaseDatiValvole::next()
{
    return risultato_ && risultato_->next();
}

bool BaseDatiValvole::leggi_testo(const QString& colonna, QString& valore) const
{
    if (!risultato_)
        return false;
    const int i = indice(colonna);
    if (i < 0) {
        errore_ = QStringLiteral("colonna assente: %1").arg(colonna);
        return false;
    }
    const QVariant v = risultato_->value(i);
    valore = v.isNull() ? QString() : v.toString();
    return true;
}

bool BaseDatiValvole::leggi_intero(const QString& colonna, qint64 minimo, qint64 massimo,
                                   qint64& valore) const
{
    if (!risultato_)
        return false;
    const int i = indice(colonna);
    if (i < 0) {
        errore_ = QStringLiteral("colonna assente: %1").arg(colonna);
        return false;
    }
    const QVariant v = risultato_->value(i);
    if (v.isNull()) {
        errore_ = QStringLiteral("valore Null in %1").arg(colonna);
        return false;
    }
    bool ok = false;
    qint64 n = 0;
    if (v.typeId() == QMetaType::Double) {
        // A stored real counts only when it is a whole number.
        const double d = v.toDouble();
        ok = d == static_cast<double>(static_cast<qint64>(d));
        n = static_cast<qint64>(d);
    } else {
        n = v.toLongLong(&ok);
    }
    if (!ok || n < minimo || n > massimo) {
        errore_ = QStringLiteral("valore fuori intervallo in %1").arg(colonna);
        return false;
    }
    valore = n;
    return true;
}

bool BaseDatiValvole::leggi_intero16(const QString& colonna, qint16& valore) const
{
    qint64 n = 0;
    if (!leggi_intero(colonna, -32768, 32767, n))
        return false;
    valore = static_cast<qint16>(n);
    return true;
}

bool BaseDatiValvole::leggi_intero32(const QString& colonna, qint32& valore) const
{
    qint64 n = 0;
    if (!leggi_intero(colonna, INT32_MIN, INT32_MAX, n))
        return false;
    valore = static_cast<qint32>(n);
    return true;
}

bool BaseDatiValvole::command(const QString& testo, const QVariantList& valori)
{
    if (!aperto_)
        return false;
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

void BaseDatiValvole::close()
{
    delete risultato_;
    risultato_ = nullptr;
    colonne_.clear();
    if (db_.isValid()) {
        db_.close();
        db_ = QSqlDatabase();
        QSqlDatabase::removeDatabase(nome_connessione_);
    }
    aperto_ = false;
}
