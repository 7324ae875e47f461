#include "project/nodo_xml.h"

#include "common/windows1252.h"

#include <QList>

namespace {

const QString a_capo = QStringLiteral("\r\n");

QString tab(int16_t livello)
{
    return livello > 0 ? QString(livello, u'\t') : QString();
}

// Text as it stands in a document: the three markup characters escaped.
QString escape_testo(const QString& t)
{
    QString r;
    r.reserve(t.size());
    for (QChar c : t) {
        switch (c.unicode()) {
        case u'&': r += QStringLiteral("&amp;"); break;
        case u'<': r += QStringLiteral("&lt;"); break;
        case u'>': r += QStringLiteral("&gt;"); break;
        default: r += c;
        }
    }
    return r;
}

QString markup(const NodoXml& n)
{
    using T = NodoXml::Tipo;
    switch (n.tipo) {
    case T::testo: return escape_testo(n.valore);
    case T::cdata: return QStringLiteral("<![CDATA[") + n.valore + QStringLiteral("]]>");
    case T::commento: return QStringLiteral("<!--") + n.valore + QStringLiteral("-->");
    case T::riferimento_entita: return u'&' + n.nome + u';';
    case T::istruzione:
        return QStringLiteral("<?") + n.nome + (n.valore.isEmpty() ? QString() : u' ' + n.valore) +
               QStringLiteral("?>");
    case T::tipo_documento:
        return QStringLiteral("<!DOCTYPE ") + n.nome + (n.valore.isEmpty() ? QString() : u' ' + n.valore) + u'>';
    case T::notazione:
        return QStringLiteral("<!NOTATION ") + n.nome + (n.valore.isEmpty() ? QString() : u' ' + n.valore) + u'>';
    default: return n.valore;
    }
}

QString serializza(const NodoXml& nodo, int16_t livello, const NodoXml* genitore);

QString elemento(const NodoXml& e, int16_t livello)
{
    const bool inline_ = e.figli.size() == 1 && e.figli.front().tipo == NodoXml::Tipo::testo;
    QString t = tab(livello) + u'<' + e.nome;
    for (const NodoXml& a : e.attributi)
        t += serializza(a, 0, &e);
    if (e.figli.empty())
        return t + QStringLiteral("/>") + a_capo;
    t += u'>';
    if (!inline_)
        t += a_capo;
    for (const NodoXml& f : e.figli)
        t += serializza(f, int16_t(livello + 1), &e);
    if (!inline_)
        t += tab(livello);
    return t + QStringLiteral("</") + e.nome + u'>' + a_capo;
}

QString serializza(const NodoXml& nodo, int16_t livello, const NodoXml* genitore)
{
    using T = NodoXml::Tipo;
    switch (nodo.tipo) {
    case T::elemento: return elemento(nodo, livello);
    case T::attributo: return attributo_xml(nodo.nome, nodo.valore);
    case T::testo: {
        // Indented on its own line only among siblings; inside an inline
        // element it sits between the tags.
        const bool fratelli = genitore && genitore->figli.size() > 1;
        QString m = markup(nodo);
        m.replace(a_capo, QStringLiteral(" "));
        m.replace(u'\t', u' ');
        qsizetype i = 0, j = m.size();
        while (i < j && m[i] == u' ')
            ++i;
        while (j > i && m[j - 1] == u' ')
            --j;
        m = m.mid(i, j - i);
        return fratelli ? tab(livello) + m + a_capo : m;
    }
    case T::cdata:
    case T::commento: {
        const QString m = markup(nodo);
        return (m.contains(u'\r') ? QString() : tab(livello)) + m + a_capo;
    }
    case T::entita: return {};
    case T::documento:
    case T::frammento: {
        QString t;
        for (const NodoXml& f : nodo.figli)
            t += serializza(f, 0, &nodo);
        return t;
    }
    default: return tab(livello) + markup(nodo) + a_capo;
    }
}

} // namespace

QString serializza_xml(const NodoXml& nodo, int16_t livello)
{
    return serializza(nodo, livello, nullptr);
}

QString attributo_xml(const QString& nome, const QString& valore)
{
    const bool apostrofi = valore.contains(u'"');
    QString v;
    v.reserve(valore.size());
    for (char32_t c : valore.toUcs4()) {
        switch (c) {
        case U'&': v += QStringLiteral("&amp;"); break;
        case U'<': v += QStringLiteral("&lt;"); break;
        case U'>': v += QStringLiteral("&gt;"); break;
        case U'\'': v += apostrofi ? QStringLiteral("&apos;") : QStringLiteral("'"); break;
        case U'\t':
        case U'\n':
        case U'\r':
            // A reader turns these into blanks or drops them; as references
            // they come back.
            v += QStringLiteral("&#%1;").arg(uint(c));
            break;
        default:
            if (c < 0x20)
                v += u'?'; // no XML 1.0 document can hold these
            else if (windows1252::byte_di(c))
                v += QString::fromUcs4(&c, 1);
            else
                v += QStringLiteral("&#%1;").arg(uint(c));
        }
    }
    const QChar q = apostrofi ? u'\'' : u'"';
    return u' ' + nome + u'=' + q + v + q;
}
