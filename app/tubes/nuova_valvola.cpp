#include "tubes/nuova_valvola.h"

#include "common/numeri.h"
#include "tubes/base_dati_valvole.h"
#include "tubes/schema_valvole.h"

#include <QLocale>

namespace nuova_valvola {

QString nome_base(const QString& sigla_usa, const QString& sigla_euro)
{
    return sigla_usa.isEmpty() ? sigla_euro : sigla_usa;
}

NomiFile nomi_file(const QString& base, int modo)
{
    if (base.isEmpty())
        return {};
    QString suffisso;
    switch (modo) {
    case 1: suffisso = QStringLiteral("trio.gif"); break;
    case 2: suffisso = QStringLiteral("pent.gif"); break;
    case 3: suffisso = QStringLiteral("ultr.gif"); break;
    default: suffisso = QStringLiteral("crv.gif"); break;
    }
    return {base + suffisso, base + QStringLiteral(".jpg"), base + QStringLiteral("pin.gif")};
}

bool nome_sicuro(const QString& base)
{
    if (base == QStringLiteral(".") || base == QStringLiteral(".."))
        return false;
    for (const QChar c : base) {
        if (c == u'/' || c == u'\\' || c.category() == QChar::Other_Control)
            return false;
    }
    return true;
}

QString controlla(const Voce& v)
{
    const auto n = [](const QString& t) { return numeri::valore_iniziale(t); };
    if (v.sigla_usa.isEmpty() && v.sigla_euro.isEmpty())
        return testo_nome_assente;
    if (v.orig_curve.isEmpty())
        return testo_curva_assente;
    if (n(v.max_current_i) == 0 || (n(v.max_current_X) == 0 && n(v.max_current_y) == 0))
        return testo_corrente_assente;
    if (n(v.max_voltage_V) == 0 || (n(v.max_voltage_X) == 0 && n(v.max_voltage_Y) == 0))
        return testo_tensione_assente;
    if (n(v.origin_X) == 0 && n(v.origin_Y) == 0)
        return testo_origine_assente;
    return {};
}

const QStringList& colonne_record()
{
    static const QStringList c = {
        QStringLiteral("SiglaUSA"), QStringLiteral("SiglaEURO"),     QStringLiteral("CURVA"),
        QStringLiteral("MODO"),     QStringLiteral("PIEDINATURA"),   QStringLiteral("FOTO"),
        QStringLiteral("VMAX_X"),   QStringLiteral("VMAX_Y"),        QStringLiteral("VMAX_V"),
        QStringLiteral("ORG_X"),    QStringLiteral("ORG_Y"),         QStringLiteral("PMAX"),
        QStringLiteral("IMAX_X"),   QStringLiteral("IMAX_Y"),        QStringLiteral("IMAX_I"),
        QStringLiteral("FIL1_V"),   QStringLiteral("FIL1_I"),        QStringLiteral("FIL2_V"),
        QStringLiteral("FIL2_I"),   QStringLiteral("PLA_V"),         QStringLiteral("PLA_I"),
        QStringLiteral("PLA_W"),    QStringLiteral("SCRE_V"),        QStringLiteral("SCRE_I"),
        QStringLiteral("SCRE_W"),   QStringLiteral("VMAX_V_ESATTO"), QStringLiteral("IMAX_I_ESATTO"),
    };
    return c;
}

namespace {

// A calibration text as a number, read with the locale's separators.
std::optional<double> reale(const QString& testo)
{
    bool ok = false;
    const double d = QLocale().toDouble(testo.trimmed(), &ok);
    if (!ok)
        return std::nullopt;
    return d;
}

// The same as a whole 16-bit number, rounded halves to even.
std::optional<int16_t> intero16(const QString& testo)
{
    const auto d = reale(testo);
    return d ? numeri::arrotonda_int16(*d) : std::nullopt;
}

// Texts are stored as texts even when empty ('' rather than Null), as the
// tube list reads them.
QString testo(const QString& t)
{
    return t.isNull() ? QStringLiteral("") : t;
}

} // namespace

std::optional<QVariantList> valori_record(const Voce& v)
{
    QVariantList valori = {testo(v.sigla_usa), testo(v.sigla_euro),       testo(v.nomi.curva),
                           testo(v.modo),      testo(v.nomi.piedinatura), testo(v.nomi.immagine)};
    const auto aggiungi = [&valori](const QString& testo) {
        const auto n = intero16(testo);
        if (n)
            valori << int(*n);
        return n.has_value();
    };
    if (!aggiungi(v.max_voltage_X) || !aggiungi(v.max_voltage_Y) || !aggiungi(v.max_voltage_V) ||
        !aggiungi(v.origin_X) || !aggiungi(v.origin_Y))
        return std::nullopt;
    const auto pmax = numeri::arrotonda_int32(numeri::valore_iniziale(v.potenza_anodica));
    if (!pmax)
        return std::nullopt;
    valori << int(*pmax);
    if (!aggiungi(v.max_current_X) || !aggiungi(v.max_current_y) || !aggiungi(v.max_current_i))
        return std::nullopt;
    for (const QString& r : v.valori) {
        QString t = testo(r);
        valori << t.replace(u',', u'.');
    }
    // Both passed the 16-bit check above, so both are finite numbers.
    valori << *reale(v.max_voltage_V) << *reale(v.max_current_i);
    return valori;
}

std::optional<QString> valvola_con_curva(const QString& file_basedati, const QString& curva)
{
    if (curva.isEmpty())
        return std::nullopt;
    BaseDatiValvole db;
    // Every row is read and compared here: the name never becomes part of a
    // statement.
    if (!db.open(file_basedati) ||
        !db.query(
            QStringLiteral("select SiglaUSA, SiglaEURO, MODO, CURVA from %1").arg(schema_valvole::nome_tabella))) {
        db.close();
        return std::nullopt;
    }
    std::optional<QString> trovata;
    while (!trovata && db.next()) {
        QString usa, euro, modo, file;
        if (!db.leggi_testo(3, file) || file != curva)
            continue;
        db.leggi_testo(0, usa);
        db.leggi_testo(1, euro);
        db.leggi_testo(2, modo);
        const QString sigla = nome_base(usa, euro);
        trovata = modo.isEmpty() ? sigla : sigla + u' ' + modo;
    }
    db.close();
    return trovata;
}

bool inserisci(const QString& file_basedati, const Voce& v)
{
    const auto valori = valori_record(v);
    if (!valori)
        return false;
    BaseDatiValvole db;
    if (!db.open(file_basedati))
        return false;
    // A table from before the exact values gets their columns first, as
    // the table of models is made on the first model saved.
    const bool ok = schema_valvole::aggiungi_colonne_esatte(db) &&
                    db.inserisci(schema_valvole::nome_tabella, colonne_record(), *valori);
    db.close();
    return ok;
}

} // namespace nuova_valvola
