#include "project/risposta_xml.h"

namespace {

const QString elemento = QStringLiteral("Risposta");
const QString vero = QStringLiteral("TRUE");
const QString falso = QStringLiteral("FALSE");

// The attributes in the order they are written.
struct Campo {
    const char* nome;
    QString risposta::TestiStadio::*testo;
};
constexpr Campo campi[] = {
    {"BPiu", &risposta::TestiStadio::b_piu},         {"Ra", &risposta::TestiStadio::ra},
    {"VgRiposo", &risposta::TestiStadio::vg_riposo}, {"Rk", &risposta::TestiStadio::rk},
    {"Carico", &risposta::TestiStadio::carico},      {"Ampiezza", &risposta::TestiStadio::ampiezza},
};
const QString bypass = QStringLiteral("CatodoBypassato");

} // namespace

void scrivi_risposta(NodoXml& radice, const Progetto& progetto)
{
    const std::optional<risposta::TestiStadio>& t = progetto.finestre.risposta;
    if (!t)
        return;
    NodoXml& e = radice.aggiungi(NodoXml::elemento_(elemento));
    for (const Campo& c : campi)
        e.attributo(QString::fromLatin1(c.nome), (*t).*c.testo);
    e.attributo(bypass, t->catodo_bypassato ? vero : falso);
}

bool leggi_risposta(const QXmlStreamAttributes& attributi, Progetto& progetto)
{
    if (progetto.finestre.risposta)
        return false;
    risposta::TestiStadio t;
    for (const Campo& c : campi) {
        const QStringView v = attributi.value(QLatin1StringView(c.nome));
        if (v.size() > risposta::lunghezza_massima_testo)
            return false;
        t.*c.testo = v.toString();
    }
    if (attributi.hasAttribute(bypass)) {
        const QStringView v = attributi.value(bypass);
        if (v != vero && v != falso)
            return false;
        t.catodo_bypassato = v == vero;
    }
    progetto.finestre.risposta = t;
    return true;
}
