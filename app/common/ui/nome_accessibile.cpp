#include "common/ui/nome_accessibile.h"

#include <QLabel>

void lega_nome_al_testo(QLabel* etichetta, const QString& didascalia)
{
    etichetta->setAccessibleName(QString());
    etichetta->setAccessibleDescription(didascalia);
}
