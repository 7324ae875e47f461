#include "model/archivio_modelli.h"

#include "tubes/base_dati_valvole.h"

#include <QCoreApplication>
#include <QStringList>

#include <cmath>

namespace archivio_modelli {
namespace {

const QString sql_crea = QStringLiteral("CREATE TABLE IF NOT EXISTS ModelliValvole ("
                                        " ID INTEGER PRIMARY KEY,"
                                        " TIPO TEXT NOT NULL,"
                                        " MU REAL, EX REAL, KG1 REAL, KP REAL, KVB REAL, VCT REAL, VG2 REAL,"
                                        " GRIGLIE TEXT,"
                                        " SCARTO_MEDIO REAL, SCARTO_MASSIMO REAL, PUNTI INTEGER,"
                                        " FONTE TEXT, DATA TEXT)");

const QString tipo_triodo = QStringLiteral("TRIODO_KOREN");
const QString tipo_pentodo = QStringLiteral("PENTODO_KOREN");

// Grid voltages travel as one text, "." decimals, ";" between them.
QString griglie_in_testo(const QVector<double>& g)
{
    QStringList parti;
    for (double v : g)
        parti << QString::number(v, 'g', 17);
    return parti.join(u';');
}

QVector<double> griglie_da_testo(const QString& t)
{
    QVector<double> g;
    for (const QString& parte : t.split(u';', Qt::SkipEmptyParts)) {
        bool ok = false;
        const double v = parte.toDouble(&ok);
        if (ok && std::isfinite(v))
            g << v;
    }
    return g;
}

bool parametri_usabili(const modello::ParametriModello& p)
{
    for (double v : {p.mu, p.ex, p.kg1, p.kp, p.kvb, p.vct, p.vg2})
        if (!std::isfinite(v))
            return false;
    return p.mu > 0 && p.ex > 0 && p.kg1 > 0 && p.kp > 0 && p.kvb >= 0 &&
           (p.tipo != modello::TipoModello::pentodo_koren || (p.vg2 > 0 && p.kvb > 0));
}

void metti_errore(QString* errore, const QString& testo)
{
    if (errore)
        *errore = testo;
}

} // namespace

bool crea_tabella(const QString& file_basedati, QString* errore)
{
    BaseDatiValvole db;
    if (!db.open(file_basedati) || !db.command(sql_crea)) {
        metti_errore(errore, db.errore());
        return false;
    }
    return true;
}

std::optional<modello::ModelloSalvato> leggi_modello(const QString& file_basedati, int id)
{
    BaseDatiValvole db;
    if (!db.open(file_basedati))
        return std::nullopt;
    // A database from before the models has no such table: no model.
    if (!db.query(QStringLiteral("select name from sqlite_master where type='table' and "
                                 "name='ModelliValvole'")) ||
        !db.next())
        return std::nullopt;
    if (!db.query(QStringLiteral("select TIPO, MU, EX, KG1, KP, KVB, VCT, VG2, GRIGLIE, "
                                 "SCARTO_MEDIO, SCARTO_MASSIMO, PUNTI, FONTE, DATA "
                                 "from ModelliValvole where ID = %1")
                      .arg(id)) ||
        !db.next())
        return std::nullopt;

    modello::ModelloSalvato m;
    QString tipo, griglie;
    if (!db.leggi_testo(0, tipo))
        return std::nullopt;
    if (tipo == tipo_triodo)
        m.parametri.tipo = modello::TipoModello::triodo_koren;
    else if (tipo == tipo_pentodo)
        m.parametri.tipo = modello::TipoModello::pentodo_koren;
    else
        return std::nullopt;
    double* campi[] = {&m.parametri.mu,  &m.parametri.ex,  &m.parametri.kg1, &m.parametri.kp,
                       &m.parametri.kvb, &m.parametri.vct, &m.parametri.vg2};
    for (int i = 0; i < 7; ++i)
        if (!db.leggi_reale(1 + i, *campi[i]))
            return std::nullopt;
    if (!parametri_usabili(m.parametri))
        return std::nullopt;
    db.leggi_testo(8, griglie);
    m.griglie = griglie_da_testo(griglie);
    if (!db.leggi_reale(9, m.scarto_medio))
        m.scarto_medio = 0;
    if (!db.leggi_reale(10, m.scarto_massimo))
        m.scarto_massimo = 0;
    qint32 punti = 0;
    m.punti = db.leggi_intero32(11, punti) ? punti : 0;
    db.leggi_testo(12, m.fonte);
    db.leggi_testo(13, m.data);
    return m;
}

bool ha_modello(const QString& file_basedati, int id)
{
    return leggi_modello(file_basedati, id).has_value();
}

bool salva_modello(const QString& file_basedati, int id, const modello::ModelloSalvato& m, QString* errore)
{
    if (!parametri_usabili(m.parametri)) {
        metti_errore(errore, QCoreApplication::translate("ArchivioModelli", "parametri del modello non validi"));
        return false;
    }
    BaseDatiValvole db;
    if (!db.open(file_basedati) || !db.command(sql_crea)) {
        metti_errore(errore, db.errore());
        return false;
    }
    const auto& p = m.parametri;
    const QVariantList valori = {id,
                                 p.tipo == modello::TipoModello::pentodo_koren ? tipo_pentodo : tipo_triodo,
                                 p.mu,
                                 p.ex,
                                 p.kg1,
                                 p.kp,
                                 p.kvb,
                                 p.vct,
                                 p.vg2,
                                 griglie_in_testo(m.griglie),
                                 m.scarto_medio,
                                 m.scarto_massimo,
                                 m.punti,
                                 m.fonte,
                                 m.data};
    if (!db.command(QStringLiteral("INSERT OR REPLACE INTO ModelliValvole (ID, TIPO, MU, EX, KG1, "
                                   "KP, KVB, VCT, VG2, GRIGLIE, SCARTO_MEDIO, SCARTO_MASSIMO, "
                                   "PUNTI, FONTE, DATA) VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)"),
                    valori)) {
        metti_errore(errore, db.errore());
        return false;
    }
    return true;
}

} // namespace archivio_modelli
