#include "finale/letture_finale.h"

#include "common/numeri.h"

#include <QCoreApplication>

namespace finale {

namespace {

// The texts' context, declared so that lupdate files them under the
// same context the lookup uses.
struct Testi {
    Q_DECLARE_TR_FUNCTIONS(StadioFinale)
};

} // namespace

std::vector<LetturaFinale> letture(const RisultatoFinale& r, const IngressiFinale& ingressi)
{
    if (!r.valido)
        return {};
    std::vector<LetturaFinale> l;
    // The program's display patterns: never a thousands separator, which
    // would read as a decimal point in half the locales.
    const auto aggiungi = [&](const char* etichetta, double v, int decimali) {
        const QString schema = decimali == 0 ? QStringLiteral("###0") : QStringLiteral("###0.") + QString(decimali, u'0');
        l.push_back({Testi::tr(etichetta), numeri::formatta(v, schema)});
    };
    const bool catodica = ingressi.polarizzazione == Polarizzazione::catodica;
    aggiungi(QT_TRANSLATE_NOOP("StadioFinale", "Va riposo (V)="), r.va_riposo, 1);
    aggiungi(QT_TRANSLATE_NOOP("StadioFinale", "Ia riposo (mA)="), r.ia_riposo, 1);
    aggiungi(QT_TRANSLATE_NOOP("StadioFinale", "Pa riposo (W)="), r.pa_riposo, 2);
    if (r.pa_riposo_percento)
        aggiungi(QT_TRANSLATE_NOOP("StadioFinale", "Pa riposo (% max)="), *r.pa_riposo_percento, 0);
    if (catodica) {
        aggiungi(QT_TRANSLATE_NOOP("StadioFinale", "Rk (Ohm)="), r.rk, 0);
        aggiungi(QT_TRANSLATE_NOOP("StadioFinale", "Potenza Rk (W)="), r.potenza_rk, 2);
    }
    aggiungi(QT_TRANSLATE_NOOP("StadioFinale", "Potenza uscita (W)="), r.potenza, 2);
    aggiungi(QT_TRANSLATE_NOOP("StadioFinale", "Potenza massima (W)="), r.potenza_massima, 2);
    aggiungi(QT_TRANSLATE_NOOP("StadioFinale", "Rendimento (%)="), r.rendimento, 1);
    aggiungi(QT_TRANSLATE_NOOP("StadioFinale", "Pa media (W)="), r.pa_media, 2);
    aggiungi(QT_TRANSLATE_NOOP("StadioFinale", "H2 (%)="), r.h2, 2);
    aggiungi(QT_TRANSLATE_NOOP("StadioFinale", "H3 (%)="), r.h3, 2);
    aggiungi(QT_TRANSLATE_NOOP("StadioFinale", "H4 (%)="), r.h4, 2);
    aggiungi(QT_TRANSLATE_NOOP("StadioFinale", "H5 (%)="), r.h5, 2);
    aggiungi(QT_TRANSLATE_NOOP("StadioFinale", "THD (%)="), r.thd, 2);
    l.push_back({Testi::tr("Classe="), testo_classe(r.classe)});
    aggiungi(QT_TRANSLATE_NOOP("StadioFinale", "rp (Ohm)="), r.rp, 0);
    aggiungi(QT_TRANSLATE_NOOP("StadioFinale", "Fattore di smorzamento="), r.smorzamento, 2);
    if (catodica)
        aggiungi(QT_TRANSLATE_NOOP("StadioFinale", "Spostamento polarizzazione (V)="), r.spostamento, 2);
    aggiungi(QT_TRANSLATE_NOOP("StadioFinale", "Rapporto spire="), r.rapporto_spire, 2);
    return l;
}

std::vector<LetturaFinale> testi_ingressi(const IngressiFinale& in, bool pentodo)
{
    const TestiFinale t = testi_da_ingressi(in);
    std::vector<LetturaFinale> l;
    l.push_back({Testi::tr("Topologia"),
                 in.topologia == Topologia::push_pull ? Testi::tr("Push-Pull")
                                                      : Testi::tr("Single Ended")});
    const QString collegamento =
        in.collegamento == Collegamento::ultralineare ? Testi::tr("Ultralineare")
        : in.collegamento == Collegamento::pentodo    ? Testi::tr("Pentodo")
                                                      : Testi::tr("Triodo");
    l.push_back({Testi::tr("Collegamento"), collegamento});
    l.push_back({Testi::tr("B+ (V)="), t.b_piu});
    if (pentodo && in.collegamento == Collegamento::pentodo)
        l.push_back({Testi::tr("Vg2 (V)="), t.vg2});
    if (pentodo && in.collegamento == Collegamento::ultralineare)
        l.push_back({Testi::tr("Presa UL (%)="), t.presa_ul});
    l.push_back({Testi::tr("Impedenza primario (Ohm)="), t.impedenza});
    l.push_back({Testi::tr("Resistenza DC primario (Ohm)="), t.resistenza_dc});
    l.push_back({Testi::tr("Vg riposo (V)="), t.vg_riposo});
    l.push_back({Testi::tr("Polarizzazione"),
                 in.polarizzazione == Polarizzazione::catodica ? Testi::tr("Catodica")
                                                               : Testi::tr("Fissa")});
    l.push_back({Testi::tr("Ampiezza ingresso (Vp)="), t.ampiezza});
    l.push_back({Testi::tr("Carico altoparlante (Ohm)="), t.carico});
    return l;
}

} // namespace finale
