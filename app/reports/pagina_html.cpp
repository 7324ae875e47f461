#include "reports/pagina_html.h"

#include "common/libreria_immagini.h"
#include "common/numeri.h"
#include "common/windows1252.h"
#include "reports/immagini_report.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUrl>

namespace pagina_html {

CartellaFigure cartella_figure(const QString& pagina)
{
    const QFileInfo info(pagina);
    QString nome = info.fileName().toUpper();
    nome.remove(QStringLiteral(".HTM"));
    // "..htm" would otherwise name the folder above the page.
    if (nome == QStringLiteral(".") || nome == QStringLiteral(".."))
        nome.clear();
    CartellaFigure c;
    c.nome = nome;
    c.percorso = info.absolutePath() + QLatin1Char('/');
    if (!nome.isEmpty())
        c.percorso += nome + QLatin1Char('/');
    return c;
}

QByteArray testo_html(const QString& testo)
{
    QByteArray out;
    out.reserve(testo.size());
    const QList<uint> codici = testo.toUcs4();
    for (const uint c : codici) {
        switch (c) {
        case '&': out += "&amp;"; continue;
        case '<': out += "&lt;"; continue;
        case '>': out += "&gt;"; continue;
        case '"': out += "&quot;"; continue;
        case '\'': out += "&#39;"; continue;
        default: break;
        }
        if (const std::optional<char> b = windows1252::byte_di(static_cast<char32_t>(c)))
            out += *b;
        else
            out += "&#" + QByteArray::number(c) + ';';
    }
    return out;
}

Figure figure_leggibili(const DatiReport& dati)
{
    // Only a file that reads as a picture is copied next to the page: the
    // path comes from the tube table, and anything else it could name (a
    // key, a configuration file) must never be published with the report.
    auto leggibile = [](const QString& f) {
        if (f.isEmpty())
            return false;
        const QFileInfo info(f);
        return info.isFile() && info.isReadable() && immagini::dimensioni(f).has_value();
    };
    return {leggibile(dati.file_foto), leggibile(dati.file_piedinatura)};
}

namespace {

// The page refers to a figure by a relative address: the folder name,
// "/", the file name, escaped so that any character of the page's name
// reaches the file.
QByteArray riferimento(const QString& nome_cartella, const QString& file)
{
    const QString relativo = nome_cartella.isEmpty() ? file : nome_cartella + QLatin1Char('/') + file;
    return testo_html(QString::fromLatin1(QUrl::toPercentEncoding(relativo, "/")));
}

// The extension comes from a file name in the tube table: it may name no
// folder, so the copy stays in the figure folder.
QString estensione_sicura(const QString& estensione)
{
    QString e = estensione;
    e.remove(QLatin1Char('/'));
    e.remove(QLatin1Char('\\'));
    return e;
}

void copia(const QString& sorgente, const QString& destinazione)
{
    // An earlier figure of the same name is replaced.
    QFile::remove(destinazione);
    QFile::copy(sorgente, destinazione);
}

} // namespace

QByteArray compila_pagina(const QByteArray& modello, const DatiReport& dati, const QString& nome_cartella,
                          bool completa, const Figure& figure)
{
    QByteArray pagina = modello;
    pagina.replace(FIG1, riferimento(nome_cartella, QStringLiteral("Figura1.jpg")));
    if (completa) {
        pagina.replace(FIG2, figure.foto ? riferimento(nome_cartella, QStringLiteral("Figura2") +
                                                                          estensione_sicura(dati.estensione_foto))
                                         : QByteArray());
        pagina.replace(FIG3, figure.piedinatura
                                 ? riferimento(nome_cartella, QStringLiteral("Figura3") +
                                                                  estensione_sicura(dati.estensione_piedinatura))
                                 : QByteArray());
    }
    pagina.replace(TIT, testo_html(dati.titolo));
    pagina.replace(GAIN, testo_html(dati.gain_value));
    pagina.replace(ANOD, testo_html(dati.r_value));
    pagina.replace(TUBO, testo_html(dati.r_anodica));
    pagina.replace(CATOD, testo_html(dati.r_catodica));
    pagina.replace(CAPC, testo_html(dati.c_catodica));
    pagina.replace(VALVOLA, testo_html(testo_designazioni(dati.nome_valvola)));
    return pagina;
}

bool scrivi_pagina_html(const QString& pagina, const QByteArray& modello, const DatiReport& dati, bool completa)
{
    const CartellaFigure cartella = cartella_figure(pagina);
    QDir().mkpath(cartella.percorso);
    const Figure figure = completa ? figure_leggibili(dati) : Figure{};

    QFile file(pagina);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(compila_pagina(modello, dati, cartella.nome, completa, figure));
    file.close();

    if (!salva_grafico(FormatoImmagine::jpeg, cartella.percorso + QStringLiteral("Figura1.jpg"), dati.grafico))
        return false;
    if (figure.foto)
        copia(dati.file_foto, cartella.percorso + QStringLiteral("Figura2") + estensione_sicura(dati.estensione_foto));
    if (figure.piedinatura)
        copia(dati.file_piedinatura,
              cartella.percorso + QStringLiteral("Figura3") + estensione_sicura(dati.estensione_piedinatura));
    return true;
}

int dimensione_browser(const QString& impostazione, int predefinito)
{
    const std::optional<int32_t> v = numeri::arrotonda_int32(numeri::valore_iniziale(impostazione));
    return v && *v > 0 ? *v : predefinito;
}

} // namespace pagina_html
