#include "reports/dati_report.h"

#include <QStringList>

QString testo_designazioni(const std::array<QString, 3>& nome_valvola)
{
    QStringList parti;
    for (const QString& n : nome_valvola)
        if (!n.trimmed().isEmpty())
            parti << n.trimmed();
    return parti.join(QLatin1Char(','));
}
