#include "model/esporta_spice.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringList>

namespace esporta_spice {
namespace {

// The header's comments speak the program's language; the netlist itself
// does not change with it.
struct Testi {
    Q_DECLARE_TR_FUNCTIONS(EsportaSpice)
};

QString numero(double v)
{
    return QString::number(v, 'g', 12);
}

// A text that ends up inside a comment line: no line breaks or other control
// characters, which would start a new (active) line of the netlist.
QString in_commento(QString t)
{
    for (QChar& c : t)
        if (c.category() == QChar::Other_Control || c == QChar::LineSeparator || c == QChar::ParagraphSeparator)
            c = u' ';
    return t;
}

// ln(1 + e^z) written so that no argument overflows the exponential.
QString softplus(const QString& z)
{
    return QStringLiteral("(max(%1,0)+ln(1+exp(-abs(%1))))").arg(z);
}

} // namespace

QString nome_sottocircuito(const QString& sigla)
{
    QString n;
    for (QChar c : sigla.trimmed()) {
        const ushort u = c.unicode();
        const bool ammesso = (u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z') || (u >= '0' && u <= '9') || u == '_';
        n += ammesso ? c.toUpper() : QChar(u'_');
    }
    if (n.isEmpty())
        return QStringLiteral("VALVOLA");
    if (n.front() == u'_')
        n.prepend(u'X');
    return n;
}

QString nome_file(const QString& sigla)
{
    return nome_sottocircuito(sigla) + QStringLiteral(".inc");
}

QString testo(const QString& sigla, const modello::ModelloSalvato& m, const QString& immagine_sorgente)
{
    const auto& p = m.parametri;
    const bool pentodo = p.tipo == modello::TipoModello::pentodo_koren;
    const QString nome = nome_sottocircuito(sigla);
    QStringList r;
    r << Testi::tr("* Modello di valvola %1 (%2)").arg(nome, in_commento(sigla));
    r << (pentodo ? Testi::tr("* Pentodo di Koren; curve tracciate a Vg2 = %1 V").arg(numero(p.vg2))
                  : Testi::tr("* Triodo di Koren con scostamento di griglia Vct"));
    r << Testi::tr("* Grafico sorgente: %1")
             .arg(immagine_sorgente.isEmpty() ? QStringLiteral("-")
                                              : in_commento(QFileInfo(immagine_sorgente).fileName()));
    r << Testi::tr("* Fonte: %1").arg(in_commento(m.fonte));
    r << Testi::tr("* Scarto medio %1 px, scarto massimo %2 px, %3 punti")
             .arg(QString::number(m.scarto_medio, 'f', 3), QString::number(m.scarto_massimo, 'f', 3))
             .arg(m.punti);
    r << Testi::tr("* Data: %1").arg(in_commento(m.data));
    r << Testi::tr("* Kg1 nella forma Ip = (E1^Ex / Kg1) (1 + sgn E1), il valore pubblicato da Koren;");
    r << Testi::tr("* nella forma senza il fattore 2, Ip = E1^Ex / Kg1, vale Kg1/2 = %1.").arg(numero(p.kg1 / 2));
    if (pentodo) {
        r << QStringLiteral("*   E1 = (Eg2/Kp) ln(1 + exp(Kp (1/mu + Eg1/Eg2)))");
        r << QStringLiteral("*   Ip = (E1^Ex / Kg1) (1 + sgn E1) atan(Ep/Kvb)");
        r << Testi::tr("* Piedini: P placca, S griglia schermo, G griglia controllo, K catodo.");
        r << Testi::tr("* Solo la corrente di placca: nessuna corrente di schermo o di griglia.");
    } else {
        r << QStringLiteral("*   E1 = (Ep/Kp) ln(1 + exp(Kp (1/mu + (Eg+Vct)/sqrt(Kvb + Ep^2))))");
        r << QStringLiteral("*   Ip = (E1^Ex / Kg1) (1 + sgn E1)");
        r << Testi::tr("* Piedini: P placca, G griglia, K catodo.");
        r << Testi::tr("* Solo la corrente di placca: nessuna corrente di griglia.");
    }

    QString parametri = QStringLiteral("MU=%1 EX=%2 KG1=%3 KP=%4 KVB=%5")
                            .arg(numero(p.mu), numero(p.ex), numero(p.kg1), numero(p.kp), numero(p.kvb));
    if (pentodo) {
        r << QStringLiteral(".SUBCKT %1 P S G K PARAMS: %2").arg(nome, parametri);
        const QString eg2 = QStringLiteral("max(V(S,K),1m)");
        const QString e1 =
            QStringLiteral("(%1/KP*%2)").arg(eg2, softplus(QStringLiteral("KP*(1/MU+V(G,K)/%1)").arg(eg2)));
        r << QStringLiteral("BP P K I={2*pwr(max(%1,0),EX)/KG1*atan(max(V(P,K),0)/KVB)}").arg(e1);
    } else {
        parametri += QStringLiteral(" VCT=%1").arg(numero(p.vct));
        r << QStringLiteral(".SUBCKT %1 P G K PARAMS: %2").arg(nome, parametri);
        const QString e1 = QStringLiteral("(V(P,K)/KP*%1)")
                               .arg(softplus(QStringLiteral("KP*(1/MU+(V(G,K)+VCT)/sqrt(KVB+V(P,K)*V(P,K)))")));
        r << QStringLiteral("BP P K I={2*pwr(max(%1,0),EX)/KG1}").arg(e1);
    }
    r << QStringLiteral(".ENDS %1").arg(nome);
    return r.join(u'\n') + u'\n';
}

bool scrivi(const QString& percorso, const QString& testo, QString* errore)
{
    QSaveFile f(percorso);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(testo.toUtf8()) < 0 || !f.commit()) {
        if (errore)
            *errore = f.errorString();
        return false;
    }
    return true;
}

} // namespace esporta_spice
