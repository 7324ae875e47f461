#include "common/numeri.h"

#include <QLocale>

#include <cmath>
#include <limits>

namespace numeri {

namespace {

// Halves to even, on a value already known to be finite.
double arrotonda_pari(double v)
{
    const double base = std::floor(v);
    const double resto = v - base;
    if (resto > 0.5)
        return base + 1.0;
    if (resto < 0.5)
        return base;
    return std::fmod(base, 2.0) == 0.0 ? base : base + 1.0;
}

template <typename T> std::optional<T> in_intervallo(double intero)
{
    if (!std::isfinite(intero))
        return std::nullopt;
    if (intero < static_cast<double>(std::numeric_limits<T>::min()) ||
        intero > static_cast<double>(std::numeric_limits<T>::max()))
        return std::nullopt;
    return static_cast<T>(intero);
}

} // namespace

std::optional<int32_t> arrotonda_int32(double valore)
{
    if (!std::isfinite(valore))
        return std::nullopt;
    return in_intervallo<int32_t>(arrotonda_pari(valore));
}

std::optional<int16_t> arrotonda_int16(double valore)
{
    if (!std::isfinite(valore))
        return std::nullopt;
    return in_intervallo<int16_t>(arrotonda_pari(valore));
}

std::optional<int32_t> parte_intera_int32(double valore)
{
    if (!std::isfinite(valore))
        return std::nullopt;
    return in_intervallo<int32_t>(std::floor(valore));
}

double valore_iniziale(const QString& testo)
{
    int i = 0;
    const int n = testo.size();
    while (i < n && (testo[i] == u' ' || testo[i] == u'\t'))
        ++i;
    QString numero;
    if (i < n && (testo[i] == u'+' || testo[i] == u'-'))
        numero += testo[i++];
    bool cifre = false;
    while (i < n && testo[i] >= u'0' && testo[i] <= u'9') {
        numero += testo[i++];
        cifre = true;
    }
    if (i < n && testo[i] == u'.') {
        numero += testo[i++];
        while (i < n && testo[i] >= u'0' && testo[i] <= u'9') {
            numero += testo[i++];
            cifre = true;
        }
    }
    if (!cifre)
        return 0.0;
    bool ok = false;
    const double v = QLocale::c().toDouble(numero.endsWith(u'.') ? numero + u'0' : numero, &ok);
    return ok && std::isfinite(v) ? v : 0.0;
}

QString formatta(double valore, const QString& schema)
{
    const qsizetype punto = schema.indexOf(u'.');
    const QString parte_intera = punto < 0 ? schema : schema.left(punto);
    const int decimali = punto < 0 ? 0 : int(schema.size() - punto - 1);
    const int cifre_minime = int(parte_intera.count(u'0'));
    const bool raggruppa = parte_intera.contains(u',');

    QLocale locale;
    locale.setNumberOptions(raggruppa ? QLocale::DefaultNumberOptions : QLocale::OmitGroupSeparator);
    if (!std::isfinite(valore))
        valore = 0.0;
    QString testo = locale.toString(std::fabs(valore), 'f', decimali);
    // Qt always writes one integer digit; only a wider minimum needs padding.
    const QChar separatore = locale.decimalPoint().at(0);
    qsizetype intere = testo.indexOf(separatore);
    if (intere < 0)
        intere = testo.size();
    if (cifre_minime > intere)
        testo.prepend(QString(cifre_minime - intere, locale.zeroDigit().at(0)));
    // A value that shows as zero carries no sign ("-0.00" would only confuse).
    const double mostrato = std::round(std::fabs(valore) * std::pow(10.0, decimali));
    if (valore < 0 && mostrato > 0)
        testo.prepend(locale.negativeSign());
    return testo;
}

QString testo_float(float valore)
{
    return testo_float(valore, QLocale());
}

QString testo_float(float valore, const QLocale& locale)
{
    if (!std::isfinite(valore) || valore == 0.0f)
        return QStringLiteral("0");
    QLocale l = locale;
    l.setNumberOptions(QLocale::OmitGroupSeparator);
    return l.toString(double(valore), 'g', 7);
}

QString testo_double(double valore)
{
    if (!std::isfinite(valore) || valore == 0.0)
        return QStringLiteral("0");
    QLocale locale;
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    return locale.toString(valore, 'g', 15);
}

QString etichetta(QChar lettera, int indice)
{
    return QString(lettera) + formatta(indice, QStringLiteral("00"));
}

} // namespace numeri
