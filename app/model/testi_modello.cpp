#include "model/testi_modello.h"

#include <QLocale>

namespace modello {

QString testo_numero(double v, int cifre)
{
    QLocale l;
    l.setNumberOptions(QLocale::OmitGroupSeparator);
    return l.toString(v, 'g', cifre);
}

} // namespace modello
