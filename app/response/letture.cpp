#include "response/letture.h"

#include <QCoreApplication>
#include <QLocale>

namespace risposta {

std::vector<Lettura> letture(const Risposta& r)
{
    if (!r.valida)
        return {};
    struct Voce {
        const char* etichetta;
        double valore;
        int decimali;
    };
    const Voce voci[] = {
        {QT_TRANSLATE_NOOP("GraficoRisposta", "gm (mA/V)="), r.gm, 3},
        {QT_TRANSLATE_NOOP("GraficoRisposta", "rp (kOhm)="), r.rp, 1},
        {QT_TRANSLATE_NOOP("GraficoRisposta", "mu="), r.mu, 1},
        {QT_TRANSLATE_NOOP("GraficoRisposta", "Guadagno="), r.guadagno, 2},
        {QT_TRANSLATE_NOOP("GraficoRisposta", "Uscita (Vpp)="), r.uscita_vpp, 2},
        {QT_TRANSLATE_NOOP("GraficoRisposta", "H2 (%)="), r.h2, 3},
        {QT_TRANSLATE_NOOP("GraficoRisposta", "H3 (%)="), r.h3, 3},
        {QT_TRANSLATE_NOOP("GraficoRisposta", "THD (%)="), r.thd, 3},
        {QT_TRANSLATE_NOOP("GraficoRisposta", "Margine ingresso (Vp)="), r.margine, 3},
    };
    const QLocale locale;
    std::vector<Lettura> l;
    for (const Voce& v : voci)
        l.push_back(
            {QCoreApplication::translate("GraficoRisposta", v.etichetta), locale.toString(v.valore, 'f', v.decimali)});
    return l;
}

QString testo_stato(const Risposta& r)
{
    if (!r.valida)
        return r.motivo;
    QString testo = r.margine_da_griglia
                        ? QCoreApplication::translate("GraficoRisposta", "Il primo limite è la griglia a 0 V.")
                        : QCoreApplication::translate("GraficoRisposta",
                                                      "Il primo limite è l'interdizione della corrente di placca.");
    if (r.oltre_limite)
        testo += QLatin1Char(' ') +
                 QCoreApplication::translate("GraficoRisposta",
                                             "L'escursione supera il limite: le parti oltre sono in rosso.");
    return testo;
}

} // namespace risposta
