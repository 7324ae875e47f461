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

QString modello_nella_lingua(const QString& modello, const QString& codice_lingua)
{
    if (modello.isEmpty() || codice_lingua.isEmpty() || codice_lingua == QStringLiteral("it"))
        return modello;
    const QFileInfo info(modello);
    const QString suffisso = info.suffix();
    QString nome = info.completeBaseName() + QLatin1Char('_') + codice_lingua;
    if (!suffisso.isEmpty())
        nome += QLatin1Char('.') + suffisso;
    const QString tradotto = info.dir().filePath(nome);
    return QFileInfo(tradotto).isFile() ? tradotto : modello;
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

// The sections as the page shows them: a heading, the tables beside the
// pictures, every text escaped like the template's values.
QByteArray html_sezioni(const std::vector<SezioneReport>& sezioni, const QString& nome_cartella)
{
    QByteArray h;
    for (const SezioneReport& s : sezioni) {
        h += "<section class=\"sezione\">\n<h2>" + testo_html(s.titolo) + "</h2>\n<div class=\"pagina\">\n";
        h += "  <div class=\"colonna\">\n";
        for (const TabellaSezione& t : s.tabelle) {
            h += "    <table>\n      <caption>" + testo_html(t.titolo) + "</caption>\n";
            for (const RigaSezione& r : t.righe)
                h += "      <tr><th>" + testo_html(r.voce) + "</th><td class=\"valore\">" + testo_html(r.valore) +
                     "</td></tr>\n";
            h += "    </table>\n";
        }
        if (!s.nota.isEmpty())
            h += "    <p class=\"nota\">" + testo_html(s.nota) + "</p>\n";
        h += "  </div>\n";
        if (!s.figure.empty()) {
            h += "  <div class=\"colonna\">\n";
            for (const FiguraSezione& f : s.figure) {
                if (f.immagine.isNull())
                    continue;
                h += "    <figure>\n      <img src=\"" + riferimento(nome_cartella, f.nome_file) + "\" alt=\"" +
                     testo_html(f.didascalia) + "\" width=\"" + QByteArray::number(f.immagine.width()) +
                     "\" height=\"" + QByteArray::number(f.immagine.height()) + "\">\n      <figcaption>" +
                     testo_html(f.didascalia) + "</figcaption>\n    </figure>\n";
            }
            h += "  </div>\n";
        }
        h += "</div>\n</section>\n";
    }
    return h;
}

// The sections go after everything the template shows: before the end of
// its body, or at the end of a template that has none.
void aggiungi_sezioni(QByteArray& pagina, const QByteArray& sezioni)
{
    if (sezioni.isEmpty())
        return;
    const qsizetype fine = QByteArray(pagina).toLower().lastIndexOf("</body>");
    if (fine < 0)
        pagina += sezioni;
    else
        pagina.insert(fine, sezioni);
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
    if (completa)
        aggiungi_sezioni(pagina, html_sezioni(dati.sezioni, nome_cartella));
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
    if (completa)
        for (const SezioneReport& s : dati.sezioni)
            for (const FiguraSezione& f : s.figure)
                if (!f.immagine.isNull())
                    f.immagine.save(cartella.percorso + f.nome_file, "PNG");
    return true;
}

int dimensione_browser(const QString& impostazione, int predefinito)
{
    const std::optional<int32_t> v = numeri::arrotonda_int32(numeri::valore_iniziale(impostazione));
    return v && *v > 0 ? *v : predefinito;
}

} // namespace pagina_html
