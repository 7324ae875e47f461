#include "finale/stadio_finale.h"

#include "response/risposta_stadio.h"

#include <QCoreApplication>
#include <QLocale>
#include <QSaveFile>

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

namespace finale {

namespace {

// The texts' context, declared so that lupdate files them under the
// same context the lookup uses.
struct Testi {
    Q_DECLARE_TR_FUNCTIONS(StadioFinale)
};

bool finito(double v)
{
    return std::isfinite(v);
}

// The tube with its screen where the connection puts it.
struct Tubo {
    const ModelloFinale& m;
    Collegamento collegamento = Collegamento::triodo;
    double b_piu = 0, vg2 = 0, presa = 0;

    Tubo(const ModelloFinale& modello, const IngressiFinale& in)
        : m(modello), collegamento(modello.pentodo ? in.collegamento : Collegamento::triodo), b_piu(in.b_piu),
          vg2(in.vg2), presa(in.presa_ul / 100)
    {
    }

    double corrente(double ep, double eg, double vk) const
    {
        if (!m.pentodo)
            return m.corrente(ep, eg, 0);
        double eg2 = 0;
        switch (collegamento) {
        case Collegamento::pentodo: eg2 = vg2 - vk; break;
        case Collegamento::triodo: eg2 = ep; break;
        case Collegamento::ultralineare:
            // The tap sits a fraction of the primary's turns below B+, so its
            // voltage follows this tube's own plate by that fraction.
            eg2 = b_piu - presa * (b_piu - (ep + vk)) - vk;
            break;
        }
        return m.corrente(ep, eg, eg2);
    }
};

// The root of f, increasing, between basso and alto where f(basso) <= 0 <= f(alto).
double radice(const std::function<double(double)>& f, double basso, double alto)
{
    return risposta::radice(f, basso, alto, tolleranza_relativa);
}

// One period at one drive and one cathode voltage.
struct Periodo {
    std::vector<CampioneFinale> campioni;
    double corrente_media = 0; // supply (and cathode) current of the stage, mA
    bool valido = false;
};

struct Stadio {
    const Tubo& tubo;
    const IngressiFinale& in;
    double ia0 = 0;      // rest current per tube, mA
    double va0 = 0;      // plate to ground at rest, V
    double vg_massa = 0; // grid to ground at rest, V

    bool push_pull() const { return in.topologia == Topologia::push_pull; }

    Periodo periodo(double ampiezza, double vk) const
    {
        Periodo r;
        r.campioni.resize(numero_campioni);
        const double ep0 = va0 - vk;
        if (!(ep0 > 0))
            return r;
        double somma = 0;
        for (int k = 0; k < numero_campioni; ++k) {
            CampioneFinale& c = r.campioni[std::size_t(k)];
            c.tempo = double(k) / numero_campioni;
            // The second half mirrors the first exactly, so a matched pair
            // sees the very same instants with its tubes swapped.
            const int mezzo = numero_campioni / 2;
            c.ingresso = k < mezzo ? ampiezza * std::sin(2 * std::numbers::pi * k / numero_campioni)
                                   : -r.campioni[std::size_t(k - mezzo)].ingresso;
            c.griglia[0] = vg_massa + c.ingresso - vk;
            if (!push_pull()) {
                const double z = in.impedenza / 1000;
                const auto ep = [&](double i) { return va0 - (i - ia0) * z - vk; };
                const auto scarto = [&](double i) { return i - tubo.corrente(ep(i), c.griglia[0], vk); };
                // From no current to the current that brings the plate down
                // to the cathode, where the tube draws nothing.
                const double i = radice(scarto, 0, ia0 + ep0 / z);
                c.corrente[0] = i;
                c.placca[0] = ep(i);
                c.primario = (i - ia0) * z;
                somma += i;
            } else {
                c.griglia[1] = vg_massa - c.ingresso - vk;
                const double quarto = in.impedenza / 4000;
                // d: each half of the primary's voltage. Tube 1's plate goes
                // down by it, tube 2's up, and the difference of their
                // currents sets it through the load reflected on a half.
                const auto scarto = [&](double d) {
                    return d - (tubo.corrente(ep0 - d, c.griglia[0], vk) - tubo.corrente(ep0 + d, c.griglia[1], vk)) *
                                   quarto;
                };
                const double d = radice(scarto, -ep0, ep0);
                c.placca[0] = ep0 - d;
                c.placca[1] = ep0 + d;
                c.corrente[0] = tubo.corrente(c.placca[0], c.griglia[0], vk);
                c.corrente[1] = tubo.corrente(c.placca[1], c.griglia[1], vk);
                c.primario = 2 * d;
                somma += c.corrente[0] + c.corrente[1];
            }
            c.oltre_griglia = c.griglia[0] > 0 || (push_pull() && c.griglia[1] > 0);
            if (!finito(c.primario) || !finito(c.corrente[0]) || !finito(c.corrente[1]))
                return r;
        }
        r.corrente_media = somma / numero_campioni;
        r.valido = finito(r.corrente_media);
        return r;
    }

    // The period with the cathode where its resistor puts it under this
    // drive: the average cathode current sets the cathode voltage, which in
    // turn sets the current. The residual is increasing in the cathode
    // voltage, and the rest value gives a bracket on one side at once.
    Periodo periodo_catodico(double ampiezza, double rk, double vk0, double* vk) const
    {
        const auto media = [&](double v) {
            const Periodo p = periodo(ampiezza, v);
            return p.valido ? p.corrente_media : std::numeric_limits<double>::quiet_NaN();
        };
        const auto scarto = [&](double v) { return v - rk * media(v) / 1000; };
        const double h0 = scarto(vk0);
        if (!finito(h0))
            return {};
        double v = vk0;
        if (h0 != 0) {
            const double altro = rk * media(vk0) / 1000;
            v = h0 < 0 ? radice(scarto, vk0, altro) : radice(scarto, altro, vk0);
        }
        *vk = v;
        return periodo(ampiezza, v);
    }
};

RisultatoFinale invalido(const QString& motivo)
{
    RisultatoFinale r;
    r.motivo = motivo;
    return r;
}

} // namespace

ModelloFinale da_modello(const modello::ParametriModello& m)
{
    ModelloFinale f;
    f.pentodo = m.tipo == modello::TipoModello::pentodo_koren;
    const std::array<double, modello::n_parametri> p = {m.mu, m.ex, m.kg1, m.kp, m.kvb, m.vct};
    if (f.pentodo)
        f.corrente = [p](double ep, double eg, double eg2) { return modello::corrente_pentodo(p.data(), ep, eg, eg2); };
    else
        f.corrente = [p](double ep, double eg, double) { return modello::corrente_triodo(p.data(), ep, eg); };
    return f;
}

double corrente_tubo(const ModelloFinale& m, const IngressiFinale& in, double ep, double eg, double vk)
{
    return Tubo(m, in).corrente(ep, eg, vk);
}

RisultatoFinale calcola(const modello::ParametriModello& m, const IngressiFinale& in, double pmax_w)
{
    return calcola(da_modello(m), in, pmax_w);
}

IngressiFinale ingressi_iniziali(const modello::ParametriModello& m)
{
    IngressiFinale in;
    if (m.tipo == modello::TipoModello::pentodo_koren) {
        in.collegamento = Collegamento::pentodo;
        in.vg2 = m.vg2 > 0 ? m.vg2 : 250;
        in.b_piu = in.vg2;
        in.impedenza = 5000;
        // A bias that draws a current of the pentode's usual order at this
        // screen: half the grid cut-off voltage of the model, -Vg2/mu.
        in.vg_riposo = -std::round(in.vg2 / m.mu / 2 * 10) / 10;
    }
    in.ampiezza = std::fabs(in.vg_riposo);
    return in;
}

RisultatoFinale calcola(const ModelloFinale& m, const IngressiFinale& in, double pmax_w)
{
    for (double v :
         {in.b_piu, in.vg2, in.presa_ul, in.impedenza, in.resistenza_dc, in.vg_riposo, in.ampiezza, in.carico})
        if (!finito(v))
            return invalido(Testi::tr("I valori portano il calcolo fuori campo."));
    if (!(in.b_piu > 0))
        return invalido(Testi::tr("B+ (V)= deve essere maggiore di zero."));
    if (!(in.impedenza > 0))
        return invalido(Testi::tr("Impedenza primario (Ohm)= deve essere maggiore di zero."));
    if (in.resistenza_dc < 0)
        return invalido(Testi::tr("Resistenza DC primario (Ohm)= non può essere negativa."));
    if (in.vg_riposo > 0)
        return invalido(Testi::tr("Vg riposo (V)= non può essere positiva: la griglia condurrebbe già a riposo."));
    if (!(in.ampiezza > 0))
        return invalido(Testi::tr("Ampiezza ingresso (Vp)= deve essere maggiore di zero."));
    if (!(in.carico > 0))
        return invalido(Testi::tr("Carico altoparlante (Ohm)= deve essere maggiore di zero."));
    const Tubo tubo(m, in);
    if (tubo.collegamento == Collegamento::pentodo && !(in.vg2 > 0))
        return invalido(Testi::tr("Vg2 (V)= deve essere maggiore di zero."));
    if (tubo.collegamento == Collegamento::ultralineare && !(in.presa_ul >= 0 && in.presa_ul <= 100))
        return invalido(Testi::tr("Presa UL (%)= deve stare fra 0 e 100."));

    RisultatoFinale r;
    r.topologia = in.topologia;
    r.tubi = in.topologia == Topologia::push_pull ? 2 : 1;
    const bool catodica = in.polarizzazione == Polarizzazione::catodica;

    // Rest: the grid sits at ground behind a cathode resistor that gives the
    // bias, or at the bias itself; each tube's current crosses the winding's
    // DC resistance.
    r.vk_riposo = catodica ? -in.vg_riposo : 0;
    if (!(in.b_piu > r.vk_riposo))
        return invalido(Testi::tr("B+ non supera la tensione di polarizzazione: la valvola non ha tensione di placca."));
    const double rdc = in.resistenza_dc / 1000;
    const auto ep_riposo = [&](double i) { return in.b_piu - i * rdc - r.vk_riposo; };
    const auto scarto_dc = [&](double i) { return i - tubo.corrente(ep_riposo(i), in.vg_riposo, r.vk_riposo); };
    const double senza_caduta = tubo.corrente(ep_riposo(0), in.vg_riposo, r.vk_riposo);
    if (!finito(senza_caduta))
        return invalido(Testi::tr("I valori portano il calcolo fuori campo."));
    r.ia_riposo = rdc > 0 ? radice(scarto_dc, 0, senza_caduta) : senza_caduta;
    if (!finito(r.ia_riposo))
        return invalido(Testi::tr("I valori portano il calcolo fuori campo."));
    if (!(r.ia_riposo > 1e-9))
        return invalido(Testi::tr("Con questa griglia la valvola non conduce a riposo: il punto di lavoro non ha corrente."));
    r.va_riposo = ep_riposo(r.ia_riposo);
    if (!(r.va_riposo > 0))
        return invalido(Testi::tr("La resistenza DC del primario porta la placca sotto il catodo."));
    r.pa_riposo = r.va_riposo * r.ia_riposo / 1000;
    if (pmax_w > 0)
        r.pa_riposo_percento = 100 * r.pa_riposo / pmax_w;
    if (catodica)
        r.rk = r.vk_riposo * 1000 / (r.tubi * r.ia_riposo);

    // Small signal at rest, the screen moving with the plate as connected.
    {
        const double hp = 1e-4 * std::max(r.va_riposo, 1.0), hg = 1e-4 * std::max(std::fabs(in.vg_riposo), 1.0);
        const auto f = [&](double ep, double eg) { return tubo.corrente(ep, eg, r.vk_riposo); };
        const double gp = (f(r.va_riposo + hp, in.vg_riposo) - f(r.va_riposo - hp, in.vg_riposo)) / (2 * hp);
        r.gm = (f(r.va_riposo, in.vg_riposo + hg) - f(r.va_riposo, in.vg_riposo - hg)) / (2 * hg);
        if (!(gp > 0) || !(r.gm > 0) || !finito(gp) || !finito(r.gm))
            return invalido(Testi::tr("Il modello non dà pendenza nel punto di lavoro."));
        r.rp = 1000 / gp;
        r.mu = r.gm / gp;
    }
    r.smorzamento = r.tubi == 1 ? in.impedenza / r.rp : in.impedenza / (2 * r.rp);
    r.rapporto_spire = std::sqrt(in.impedenza / in.carico);

    const Stadio stadio{tubo, in, r.ia_riposo, in.b_piu - r.ia_riposo * rdc, catodica ? 0.0 : in.vg_riposo};
    double vk = r.vk_riposo;
    const auto risolvi = [&](double ampiezza, double* v) {
        return catodica ? stadio.periodo_catodico(ampiezza, r.rk, r.vk_riposo, v) : stadio.periodo(ampiezza, 0);
    };
    Periodo p = risolvi(in.ampiezza, &vk);
    if (!p.valido)
        return invalido(Testi::tr("Il modello non dà una soluzione per questa ampiezza."));

    const auto potenza = [&](const Periodo& x, std::array<double, 6>* armoniche) {
        std::vector<double> primario(x.campioni.size());
        for (std::size_t k = 0; k < primario.size(); ++k)
            primario[k] = x.campioni[k].primario;
        const std::array<double, 6> a = risposta::armoniche(primario);
        if (armoniche)
            *armoniche = a;
        return a[1] * a[1] / (2 * in.impedenza);
    };
    r.potenza = potenza(p, &r.armoniche);
    const double h1 = r.armoniche[1];
    if (!(h1 > 1e-9 * r.va_riposo))
        return invalido(Testi::tr("L'uscita non ha fondamentale: la valvola resta interdetta."));
    double somma = 0;
    double* h[] = {nullptr, nullptr, &r.h2, &r.h3, &r.h4, &r.h5};
    for (int k = 2; k <= 5; ++k) {
        *h[k] = 100 * r.armoniche[std::size_t(k)] / h1;
        somma += r.armoniche[std::size_t(k)] * r.armoniche[std::size_t(k)];
    }
    r.thd = 100 * std::sqrt(somma) / h1;

    r.corrente_media = p.corrente_media;
    const double alimentazione = in.b_piu * p.corrente_media / 1000;
    r.rendimento = alimentazione > 0 ? 100 * r.potenza / alimentazione : 0;
    double dissipazione = 0;
    bool taglio = false;
    const double soglia = soglia_interdizione * r.ia_riposo;
    for (const CampioneFinale& c : p.campioni) {
        for (int t = 0; t < r.tubi; ++t) {
            dissipazione += c.placca[std::size_t(t)] * c.corrente[std::size_t(t)];
            taglio = taglio || c.corrente[std::size_t(t)] < soglia;
        }
        r.oltre_griglia = r.oltre_griglia || c.oltre_griglia;
    }
    r.pa_media = dissipazione / (1000.0 * r.tubi * numero_campioni);
    r.classe = !taglio ? Classe::a : (r.tubi == 2 ? Classe::ab : Classe::a_taglio);
    r.vg_sotto_segnale = catodica ? -vk : in.vg_riposo;
    r.spostamento = catodica ? r.vg_sotto_segnale - in.vg_riposo : 0;
    r.potenza_rk = catodica ? vk * vk / r.rk : 0;

    // Full drive: the grid's positive peak at the cathode. Under cathode
    // bias the cathode moves with the drive, so the drive that gets there
    // is found by following the shifted bias until it settles.
    double piena = std::fabs(in.vg_riposo);
    if (piena > 0) {
        double vkp = r.vk_riposo;
        Periodo q = risolvi(piena, &vkp);
        for (int passo = 0; catodica && q.valido && passo < 30; ++passo) {
            const double nuova = vkp;
            if (std::fabs(nuova - piena) <= tolleranza_relativa * piena)
                break;
            piena = nuova;
            q = risolvi(piena, &vkp);
        }
        if (!q.valido)
            return invalido(Testi::tr("Il modello non dà una soluzione alla massima ampiezza."));
        r.potenza_massima = potenza(q, nullptr);
    }

    for (double v : {r.potenza, r.potenza_massima, r.rendimento, r.pa_media, r.thd, r.rp, r.smorzamento, r.spostamento})
        if (!finito(v))
            return invalido(Testi::tr("I valori portano il calcolo fuori campo."));
    r.campioni = std::move(p.campioni);
    r.valido = true;
    return r;
}

// ---------------------------------------------------------------- texts ---

namespace {

std::optional<double> numero(const QString& testo)
{
    QString t = testo.trimmed();
    t.replace(u',', u'.');
    bool ok = false;
    const double v = QLocale::c().toDouble(t, &ok);
    if (!ok || !std::isfinite(v))
        return std::nullopt;
    return v;
}

// In the user's notation, but without grouping: "6.600" would read back as
// a decimal.
QString testo_numero(double v)
{
    QLocale l;
    l.setNumberOptions(QLocale::OmitGroupSeparator);
    return l.toString(v, 'g', 10);
}

} // namespace

TestiFinale testi_da_ingressi(const IngressiFinale& in)
{
    return {testo_numero(in.b_piu),     testo_numero(in.vg2),           testo_numero(in.presa_ul),
            testo_numero(in.impedenza), testo_numero(in.resistenza_dc), testo_numero(in.vg_riposo),
            testo_numero(in.ampiezza),  testo_numero(in.carico)};
}

std::optional<IngressiFinale> leggi_ingressi(const TestiFinale& t, const IngressiFinale& scelte, QString* motivo)
{
    IngressiFinale in = scelte;
    struct Campo {
        const QString* testo;
        const char* nome;
        double* valore;
    };
    // The names as the window's labels show them.
    const Campo campi[] = {
        {&t.b_piu, QT_TRANSLATE_NOOP("StadioFinale", "B+ (V)="), &in.b_piu},
        {&t.vg2, QT_TRANSLATE_NOOP("StadioFinale", "Vg2 (V)="), &in.vg2},
        {&t.presa_ul, QT_TRANSLATE_NOOP("StadioFinale", "Presa UL (%)="), &in.presa_ul},
        {&t.impedenza, QT_TRANSLATE_NOOP("StadioFinale", "Impedenza primario (Ohm)="), &in.impedenza},
        {&t.resistenza_dc, QT_TRANSLATE_NOOP("StadioFinale", "Resistenza DC primario (Ohm)="), &in.resistenza_dc},
        {&t.vg_riposo, QT_TRANSLATE_NOOP("StadioFinale", "Vg riposo (V)="), &in.vg_riposo},
        {&t.ampiezza, QT_TRANSLATE_NOOP("StadioFinale", "Ampiezza ingresso (Vp)="), &in.ampiezza},
        {&t.carico, QT_TRANSLATE_NOOP("StadioFinale", "Carico altoparlante (Ohm)="), &in.carico}};
    for (const Campo& c : campi) {
        // A field the connection does not use may hold anything.
        if ((c.valore == &in.vg2 && in.collegamento != Collegamento::pentodo) ||
            (c.valore == &in.presa_ul && in.collegamento != Collegamento::ultralineare))
            continue;
        const std::optional<double> v = numero(*c.testo);
        if (!v) {
            if (motivo)
                *motivo = Testi::tr("%1 non contiene un numero.").arg(Testi::tr(c.nome));
            return std::nullopt;
        }
        *c.valore = *v;
    }
    return in;
}

QString testo_classe(Classe c)
{
    switch (c) {
    case Classe::a: return Testi::tr("A");
    case Classe::ab: return Testi::tr("AB");
    case Classe::a_taglio: return Testi::tr("A (taglio)");
    }
    return {};
}

// ------------------------------------------------------------------ CSV ---

bool scrivi_csv(const QString& file, const RisultatoFinale& r, QString* errore)
{
    const auto fallito = [errore](const QString& testo) {
        if (errore)
            *errore = testo;
        return false;
    };
    if (!r.valido)
        return fallito(Testi::tr("Nessun risultato da esportare."));
    QSaveFile f(file);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return fallito(f.errorString());
    const bool coppia = r.tubi == 2;
    QByteArray testo = coppia ? "tempo (periodi),ingresso (V),va1 (V),ia1 (mA),va2 (V),ia2 (mA),primario (V)\r\n"
                              : "tempo (periodi),ingresso (V),va (V),ia (mA),primario (V)\r\n";
    const auto n = [](double v) { return QByteArray::number(v, 'g', 12); };
    for (const CampioneFinale& c : r.campioni) {
        testo += n(c.tempo) + ',' + n(c.ingresso) + ',' + n(c.placca[0]) + ',' + n(c.corrente[0]);
        if (coppia)
            testo += ',' + n(c.placca[1]) + ',' + n(c.corrente[1]);
        testo += ',' + n(c.primario) + "\r\n";
    }
    if (f.write(testo) != testo.size() || !f.commit())
        return fallito(f.errorString());
    return true;
}

} // namespace finale
