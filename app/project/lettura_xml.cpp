#include "project/lettura_xml.h"

#include "common/numeri.h"
#include "common/windows1252.h"
#include "project/risposta_xml.h"
#include "project/stadio_finale_xml.h"

#include <QFile>
#include <QLocale>
#include <QXmlStreamReader>

#include <cmath>

namespace {

using Attributi = QXmlStreamAttributes;

// The ID of an element: its leading number rounded to 16 bits. Nothing when
// it does not fit, which makes the whole file unusable.
std::optional<int> leggi_id(const Attributi& attributi)
{
    if (!attributi.hasAttribute(QStringLiteral("ID")))
        return 0;
    const auto id = numeri::arrotonda_int16(numeri::valore_iniziale(attributi.value(QStringLiteral("ID")).toString()));
    if (!id)
        return std::nullopt;
    return int(*id);
}

std::optional<float> coordinata(const Attributi& a, const QString& nome)
{
    if (!a.hasAttribute(nome))
        return std::nullopt;
    return leggi_coordinata(a.value(nome).toString());
}

// An element with an ID past the highest index grows its list to it; any
// other ID (0, missing, repeated, going backwards) leaves the element out.
template <typename T> bool posto_libero(std::vector<T>& lista, int id)
{
    if (id <= 0 || id <= numero_oggetti(lista))
        return false;
    lista.resize(std::size_t(id) + 1);
    return true;
}

bool leggi_retta(const Attributi& a, std::vector<segmento>& lista, QChar lettera, int32_t colore)
{
    const auto id = leggi_id(a);
    if (!id)
        return false;
    // Coordinates are read only for an element that is taken in.
    if (*id <= 0 || *id <= numero_oggetti(lista))
        return true;
    const auto x0 = coordinata(a, QStringLiteral("X0"));
    const auto y0 = coordinata(a, QStringLiteral("Y0"));
    const auto x1 = coordinata(a, QStringLiteral("X1"));
    const auto y1 = coordinata(a, QStringLiteral("Y1"));
    if (!x0 || !y0 || !x1 || !y1)
        return false;
    posto_libero(lista, *id);
    segmento& s = lista[std::size_t(*id)];
    s.x0 = *x0;
    s.y0 = *y0;
    s.x1 = *x1;
    s.y1 = *y1;
    s.etichetta = numeri::etichetta(lettera, *id);
    s.colore = colore;
    return true;
}

bool leggi_punto(const Attributi& a, std::vector<punto>& lista, int32_t colore, QString& tensione)
{
    // The grid voltage counts even on an element that is left out.
    const QString v = a.value(QStringLiteral("V")).toString();
    if (!v.isEmpty())
        tensione = v;
    const auto id = leggi_id(a);
    if (!id)
        return false;
    if (*id <= 0 || *id <= numero_oggetti(lista))
        return true;
    const auto x = coordinata(a, QStringLiteral("X0"));
    const auto y = coordinata(a, QStringLiteral("Y0"));
    if (!x || !y)
        return false;
    posto_libero(lista, *id);
    lista[std::size_t(*id)] = punto{*x, *y, colore};
    return true;
}

void leggi_sigla(const Attributi& attributi, Progetto& p)
{
    for (const QXmlStreamAttribute& a : attributi) {
        const QStringView nome = a.qualifiedName();
        if (nome == u"EURO")
            p.euro = a.value().toString();
        else if (nome == u"USA")
            p.usa = a.value().toString();
        else if (nome == u"MODO")
            p.modo = a.value().toString();
    }
}

void leggi_componenti(const Attributi& attributi, Progetto& p)
{
    for (const QXmlStreamAttribute& a : attributi) {
        const QStringView nome = a.qualifiedName();
        const QString valore = a.value().toString();
        if (nome == u"GUADAGNO")
            p.guadagno = valore;
        else if (nome == u"RESISTENZA_TUBO")
            p.r_tubo = valore;
        else if (nome == u"RESISTENZA_ANODICA")
            p.r_anodica = valore;
        else if (nome == u"RESISTENZA_CATODICA")
            p.r_catodica = valore;
        else if (nome == u"CONDENSATORE_CATODICO")
            p.c_catodica = valore;
        else if (nome == u"POTENZA_MASSIMA")
            p.potenza = valore;
        else if (nome == u"POTENZA_MASSIMA_VISIBILE")
            p.potenza_visibile = valore == u"TRUE";
    }
}

// Walks the text once, as the XML reader would, counting the elements and
// the attributes of each start tag; false as soon as one count is past its
// limit or a document type declaration appears. Comments, CDATA sections and
// processing instructions are skipped; quoted values may hold any character.
// What is not well-formed is left for the XML reader to refuse.
bool forma_ammessa(const QString& testo)
{
    const qsizetype n = testo.size();
    const QChar* t = testo.constData();
    auto inizia = [&](qsizetype i, QLatin1StringView s) { return QStringView(t + i, n - i).startsWith(s); };
    auto salta_a = [&](qsizetype i, QLatin1StringView fine) {
        const qsizetype j = testo.indexOf(fine, i);
        return j < 0 ? n : j + fine.size();
    };
    int elementi = 0;
    qsizetype i = 0;
    while (i < n) {
        if (t[i] != u'<') {
            ++i;
            continue;
        }
        if (inizia(i, QLatin1StringView("<!--"))) {
            i = salta_a(i + 4, QLatin1StringView("-->"));
        } else if (inizia(i, QLatin1StringView("<![CDATA["))) {
            i = salta_a(i + 9, QLatin1StringView("]]>"));
        } else if (inizia(i, QLatin1StringView("<!"))) {
            return false;
        } else if (inizia(i, QLatin1StringView("<?"))) {
            i = salta_a(i + 2, QLatin1StringView("?>"));
        } else if (inizia(i, QLatin1StringView("</"))) {
            i = salta_a(i + 2, QLatin1StringView(">"));
        } else {
            if (++elementi > massimo_elementi_progetto)
                return false;
            int attributi = 0;
            for (++i; i < n && t[i] != u'>'; ++i) {
                if (t[i] == u'"' || t[i] == u'\'') {
                    const qsizetype chiusura = testo.indexOf(t[i], i + 1);
                    i = chiusura < 0 ? n : chiusura;
                } else if (t[i] == u'=' && ++attributi > massimo_attributi_elemento) {
                    return false;
                }
            }
            ++i;
        }
    }
    return true;
}

} // namespace

std::optional<float> leggi_coordinata(const QString& testo)
{
    QString t = testo.trimmed();
    if (t.isEmpty())
        return std::nullopt;
    // Only what a float is written as: no grouping, no letters but the
    // exponent, at most one separator of either kind.
    int separatori = 0;
    for (QChar& c : t) {
        if (c == u',') {
            c = u'.';
        }
        if (c == u'.')
            ++separatori;
        else if (!(c.isDigit() && c.unicode() < 128) && c != u'+' && c != u'-' && c != u'e' && c != u'E')
            return std::nullopt;
    }
    if (separatori > 1)
        return std::nullopt;
    bool ok = false;
    const double v = QLocale::c().toDouble(t, &ok);
    if (!ok || !(std::fabs(v) < limite_coordinata))
        return std::nullopt;
    return float(v);
}

std::optional<QByteArray> leggi_file_progetto(const QString& nomefile)
{
    QFile file(nomefile);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    if (file.size() > limite_file_progetto)
        return std::nullopt;
    // The size could change under us (or not be known, for a pipe): read no
    // more than the limit and one byte, and refuse if that byte came.
    QByteArray byte = file.read(limite_file_progetto + 1);
    if (byte.size() > limite_file_progetto || file.error() != QFileDevice::NoError)
        return std::nullopt;
    return byte;
}

std::optional<Progetto> Ricarica_Progetto(const QByteArray& byte, const ColoriOggetti& colori)
{
    if (byte.size() > limite_file_progetto)
        return std::nullopt;
    QString testo = windows1252::decodifica(byte);
    testo.remove(u'\r');
    testo.remove(u'\n');
    if (!forma_ammessa(testo))
        return std::nullopt;

    Progetto p;
    bool sigla = false, componenti = false, stadio_finale = false;
    bool radice_progetto = false;
    int profondita = 0;

    QXmlStreamReader xml(testo);
    xml.setNamespaceProcessing(false);
    while (!xml.atEnd()) {
        switch (xml.readNext()) {
        case QXmlStreamReader::DTD:
            // A project file never has one, and its entities are how a small
            // file expands into gigabytes.
            return std::nullopt;
        case QXmlStreamReader::EntityReference: return std::nullopt;
        case QXmlStreamReader::StartElement: {
            ++profondita;
            if (profondita == 1) {
                radice_progetto = xml.qualifiedName() == u"PROGETTO";
                break;
            }
            if (profondita != 2 || !radice_progetto)
                break;
            const QStringView nome = xml.qualifiedName();
            const Attributi a = xml.attributes();
            bool ok = true;
            if (nome == u"SIGLA") {
                if (!sigla)
                    leggi_sigla(a, p);
                sigla = true;
            } else if (nome == u"COMPONENTI") {
                if (!componenti)
                    leggi_componenti(a, p);
                componenti = true;
            } else if (nome == u"RETTA_MANUALE") {
                ok = leggi_retta(a, p.rette, u'R', colori.retta);
            } else if (nome == u"RETTA_RICALCOLATA") {
                ok = leggi_retta(a, p.rette_calcolate, u'C', colori.retta_calcolata);
            } else if (nome == u"PUNTO_LAVORO") {
                ok = leggi_punto(a, p.punti_lavoro, colori.lavoro, p.grid_bias);
            } else if (nome == u"PUNTO_GUADAGNO") {
                ok = leggi_punto(a, p.punti_guadagno, colori.guadagno, p.gain_bias);
            } else if (nome == u"Risposta") {
                ok = leggi_risposta(a, p);
            } else if (nome == u"StadioFinale") {
                // Written once at most: a second one is not a file this
                // program wrote, and is refused like a repeated response.
                ok = !stadio_finale;
                stadio_finale = true;
                if (ok)
                    ok = leggi_stadio_finale(a, p);
            }
            if (!ok)
                return std::nullopt;
            break;
        }
        case QXmlStreamReader::EndElement: --profondita; break;
        default: break;
        }
    }
    if (xml.hasError() || !sigla || !componenti)
        return std::nullopt;
    return p;
}
