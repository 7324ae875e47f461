#include "project/scrittura_xml.h"

#include "common/numeri.h"
#include "common/windows1252.h"
#include "project/risposta_xml.h"
#include "project/stadio_finale_xml.h"

#include <QLocale>
#include <QSaveFile>

namespace {

const QString vero = QStringLiteral("TRUE");
const QString falso = QStringLiteral("FALSE");

QString id(int k)
{
    return QString::number(k).rightJustified(2, u'0');
}

QString coordinata(float v)
{
    return numeri::testo_float(v, QLocale::c());
}

void aggiungi_rette(NodoXml& radice, const QString& nome, const std::vector<segmento>& lista)
{
    for (int k = 1; k <= numero_oggetti(lista); ++k) {
        const segmento& s = lista[std::size_t(k)];
        radice.aggiungi(NodoXml::elemento_(nome))
            .attributo(QStringLiteral("ID"), id(k))
            .attributo(QStringLiteral("X0"), coordinata(s.x0))
            .attributo(QStringLiteral("Y0"), coordinata(s.y0))
            .attributo(QStringLiteral("X1"), coordinata(s.x1))
            .attributo(QStringLiteral("Y1"), coordinata(s.y1));
    }
}

// The grid voltage goes on the last point of the kind only.
void aggiungi_punti(NodoXml& radice, const QString& nome, const std::vector<punto>& lista, const QString& tensione)
{
    const int n = numero_oggetti(lista);
    for (int k = 1; k <= n; ++k) {
        const punto& p = lista[std::size_t(k)];
        NodoXml& e = radice.aggiungi(NodoXml::elemento_(nome))
                         .attributo(QStringLiteral("ID"), id(k))
                         .attributo(QStringLiteral("X0"), coordinata(p.x))
                         .attributo(QStringLiteral("Y0"), coordinata(p.y));
        if (k == n)
            e.attributo(QStringLiteral("V"), tensione);
    }
}

} // namespace

NodoXml documento_progetto(const Progetto& p)
{
    NodoXml radice = NodoXml::elemento_(QStringLiteral("PROGETTO"));
    radice.attributo(QStringLiteral("VERSIONE"), QStringLiteral("1.00"));
    radice.aggiungi(NodoXml::elemento_(QStringLiteral("SIGLA")))
        .attributo(QStringLiteral("EURO"), p.euro)
        .attributo(QStringLiteral("USA"), p.usa)
        .attributo(QStringLiteral("MODO"), p.modo);
    radice.aggiungi(NodoXml::elemento_(QStringLiteral("COMPONENTI")))
        .attributo(QStringLiteral("GUADAGNO"), p.guadagno)
        .attributo(QStringLiteral("RESISTENZA_TUBO"), p.r_tubo)
        .attributo(QStringLiteral("RESISTENZA_ANODICA"), p.r_anodica)
        .attributo(QStringLiteral("RESISTENZA_CATODICA"), p.r_catodica)
        .attributo(QStringLiteral("CONDENSATORE_CATODICO"), p.c_catodica)
        .attributo(QStringLiteral("POTENZA_MASSIMA"), p.potenza)
        .attributo(QStringLiteral("POTENZA_MASSIMA_VISIBILE"), p.potenza_visibile ? vero : falso);
    aggiungi_rette(radice, QStringLiteral("RETTA_MANUALE"), p.rette);
    aggiungi_rette(radice, QStringLiteral("RETTA_RICALCOLATA"), p.rette_calcolate);
    aggiungi_punti(radice, QStringLiteral("PUNTO_LAVORO"), p.punti_lavoro, p.grid_bias);
    aggiungi_punti(radice, QStringLiteral("PUNTO_GUADAGNO"), p.punti_guadagno, p.gain_bias);
    scrivi_risposta(radice, p);
    aggiungi_stadio_finale(radice, p.finestre.finale);
    return radice;
}

QByteArray byte_progetto(const Progetto& progetto)
{
    const QString dichiarazione = QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>");
    const QString testo = dichiarazione + QStringLiteral("\r\n") + serializza_xml(documento_progetto(progetto), 0) +
                          QStringLiteral("\r\n");
    return windows1252::codifica(testo);
}

bool scrivi_file_progetto(const QString& nome_file, const QByteArray& byte)
{
    QSaveFile file(nome_file);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    // A write cut short (a full disk, a size limit) can still let the commit
    // succeed on a truncated file, so the bytes on disk are checked first.
    if (file.write(byte) != byte.size() || !file.flush() || file.size() != byte.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}
