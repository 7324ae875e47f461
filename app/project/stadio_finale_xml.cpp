#include "project/stadio_finale_xml.h"

#include <QLocale>

#include <cmath>
#include <utility>

using namespace finale;

namespace {

// Beyond any supply, impedance or tap a stage could have.
constexpr double limite_valore = 1e7;
// The longest value the writer could write, with room to spare.
constexpr qsizetype lunghezza_massima_valore = 64;

template <typename E> struct Nome {
    E valore;
    const char* testo;
};
constexpr Nome<Topologia> topologie[] = {{Topologia::single_ended, "SINGLE_ENDED"},
                                         {Topologia::push_pull, "PUSH_PULL"}};
constexpr Nome<Collegamento> collegamenti[] = {
    {Collegamento::triodo, "TRIODO"}, {Collegamento::pentodo, "PENTODO"}, {Collegamento::ultralineare, "ULTRALINEARE"}};
constexpr Nome<Polarizzazione> polarizzazioni[] = {{Polarizzazione::fissa, "FISSA"},
                                                   {Polarizzazione::catodica, "CATODICA"}};

template <typename E, std::size_t N> QString testo_di(const Nome<E> (&nomi)[N], E valore)
{
    for (const Nome<E>& n : nomi)
        if (n.valore == valore)
            return QLatin1String(n.testo);
    return {};
}

template <typename E, std::size_t N> bool valore_di(const Nome<E> (&nomi)[N], QStringView testo, E* valore)
{
    for (const Nome<E>& n : nomi)
        if (testo == QLatin1String(n.testo)) {
            *valore = n.valore;
            return true;
        }
    return false;
}

// The numbers, in the order they are written.
struct Numero {
    const char* nome;
    double IngressiFinale::*campo;
};
constexpr Numero numeri_stadio[] = {
    {"B_PIU", &IngressiFinale::b_piu},
    {"VG2", &IngressiFinale::vg2},
    {"PRESA_UL", &IngressiFinale::presa_ul},
    {"IMPEDENZA", &IngressiFinale::impedenza},
    {"RESISTENZA_DC", &IngressiFinale::resistenza_dc},
    {"VG_RIPOSO", &IngressiFinale::vg_riposo},
    {"AMPIEZZA", &IngressiFinale::ampiezza},
    {"CARICO", &IngressiFinale::carico},
};

const QString nome_elemento = QStringLiteral("StadioFinale");

} // namespace

void aggiungi_stadio_finale(NodoXml& radice, const std::optional<IngressiFinale>& in)
{
    if (!in)
        return;
    NodoXml& e = radice.aggiungi(NodoXml::elemento_(nome_elemento));
    e.attributo(QStringLiteral("TOPOLOGIA"), testo_di(topologie, in->topologia))
        .attributo(QStringLiteral("COLLEGAMENTO"), testo_di(collegamenti, in->collegamento))
        .attributo(QStringLiteral("POLARIZZAZIONE"), testo_di(polarizzazioni, in->polarizzazione));
    // The shortest text that reads back as the same double, "." always.
    for (const Numero& n : numeri_stadio)
        e.attributo(QLatin1String(n.nome), QLocale::c().toString((*in).*n.campo, 'g', QLocale::FloatingPointShortest));
}

bool leggi_stadio_finale(const QXmlStreamAttributes& a, Progetto& p)
{
    // No number or choice the writer writes is longer: a longer value is
    // not a file of this program's, and the project is refused.
    for (const QXmlStreamAttribute& attributo : a)
        if (attributo.value().size() > lunghezza_massima_valore)
            return false;
    IngressiFinale in;
    if (!valore_di(topologie, a.value(QStringLiteral("TOPOLOGIA")), &in.topologia) ||
        !valore_di(collegamenti, a.value(QStringLiteral("COLLEGAMENTO")), &in.collegamento) ||
        !valore_di(polarizzazioni, a.value(QStringLiteral("POLARIZZAZIONE")), &in.polarizzazione))
        return true;
    // Only what the writer writes: no grouping, "." for decimals.
    QLocale c = QLocale::c();
    c.setNumberOptions(QLocale::RejectGroupSeparator);
    for (const Numero& n : numeri_stadio) {
        const QString nome = QLatin1String(n.nome);
        if (!a.hasAttribute(nome))
            return true;
        bool ok = false;
        const double v = c.toDouble(a.value(nome).trimmed(), &ok);
        if (!ok || !std::isfinite(v) || std::fabs(v) > limite_valore)
            return true;
        in.*n.campo = v;
    }
    p.finestre.finale = in;
    return true;
}
