#include "platform/piattaforma.h"

QStringList Piattaforma::filtri_qt(const QString& filtri)
{
    QStringList parti = filtri.split('|');
    QStringList risultato;
    for (qsizetype i = 0; i + 1 < parti.size(); i += 2) {
        const QString descr = parti[i];
        QString modelli = parti[i + 1];
        modelli.replace(';', ' ');
        if (descr.isEmpty() && modelli.isEmpty())
            continue;
        // Qt reads the patterns from the parentheses, so keep the description
        // and add the pattern list when the description lacks it.
        if (descr.contains('(') && descr.contains(modelli))
            risultato << descr;
        else
            risultato << QStringLiteral("%1 (%2)").arg(descr, modelli);
    }
    return risultato;
}
