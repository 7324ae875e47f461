// The HTML pages: the markers, the figure folder, the escaping of field
// texts, the files written, and the full page rendered by headless Chromium.
#include "reports/pagina_html.h"
#include "report_prova.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

using namespace report_prova;
namespace ph = pagina_html;

namespace {

QByteArray leggi(const QString& file)
{
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

DatiReport valori()
{
    DatiReport d = dodici_ax7();
    d.titolo = QStringLiteral("T");
    d.nome_valvola = {QStringLiteral("12AX7"), QStringLiteral("ECC83"), QStringLiteral("TRIODO")};
    d.gain_value = QStringLiteral("G");
    d.r_value = QStringLiteral("RV");
    d.r_anodica = QStringLiteral("RA");
    d.r_catodica = QStringLiteral("RK");
    d.c_catodica = QStringLiteral("CK");
    return d;
}

} // namespace

class TstPaginaHtml : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { FreeImage_Initialise(FALSE); }
    void cleanupTestCase() { FreeImage_DeInitialise(); }

    void marcatori_data();
    void marcatori();
    void modello_senza_marcatori();
    void cartella_figure_data();
    void cartella_figure();
    void testi_escape_data();
    void testi_escape();
    void pagina_completa_scritta();
    void figure_illeggibili_non_copiate();
    void pagina_diagramma_solo_figura1();
    void diagramma_non_scritto();
    void modelli_del_programma();
    void pagina_nel_browser();
    void dimensione_browser_data();
    void dimensione_browser();
};

void TstPaginaHtml::marcatori_data()
{
    QTest::addColumn<QByteArray>("marcatore");
    QTest::addColumn<bool>("completa");
    QTest::addColumn<QByteArray>("atteso");
    const struct {
        const char* m;
        const char* valore;
        bool solo_completa;
    } tabella[] = {
        {ph::FIG1, "PROG/Figura1.jpg", false},
        {ph::FIG2, "PROG/Figura2.jpg", true},
        {ph::FIG3, "PROG/Figura3.gif", true},
        {ph::TIT, "T", false},
        {ph::GAIN, "G", false},
        {ph::ANOD, "RV", false},
        {ph::TUBO, "RA", false},
        {ph::CATOD, "RK", false},
        {ph::CAPC, "CK", false},
        {ph::VALVOLA, "12AX7,ECC83,TRIODO", false},
    };
    for (const auto& r : tabella)
        for (const bool completa : {true, false}) {
            // Each marker occurs twice; both are replaced, except FIG2 and
            // FIG3 on the diagram page.
            const QByteArray v = !completa && r.solo_completa ? QByteArray(r.m) : QByteArray(r.valore);
            QTest::newRow(QByteArray(r.m).append(completa ? " completa" : " diagramma").constData())
                << QByteArray(r.m) << completa << QByteArray("a" + v + "b" + v + "c");
        }
}

void TstPaginaHtml::marcatori()
{
    QFETCH(QByteArray, marcatore);
    QFETCH(bool, completa);
    QFETCH(QByteArray, atteso);
    const QByteArray modello = "a" + marcatore + "b" + marcatore + "c";
    QCOMPARE(ph::compila_pagina(modello, valori(), QStringLiteral("PROG"), completa, {true, true}), atteso);
}

void TstPaginaHtml::modello_senza_marcatori()
{
    const QByteArray modello("<html><body>\xe8 <!-- VORAN:FIG1 --> <!--voran:tit--></body></html>");
    QCOMPARE(ph::compila_pagina(modello, valori(), QStringLiteral("X"), true, {true, true}), modello);
}

void TstPaginaHtml::cartella_figure_data()
{
    QTest::addColumn<QString>("pagina");
    QTest::addColumn<QString>("percorso");
    QTest::addColumn<QString>("nome");
    QTest::addColumn<QByteArray>("fig1");
    QTest::newRow("htm") << "/doc/prog.htm"
                         << "/doc/PROG/"
                         << "PROG" << QByteArray("PROG/Figura1.jpg");
    QTest::newRow("html") << "/doc/report.html"
                          << "/doc/REPORTL/"
                          << "REPORTL" << QByteArray("REPORTL/Figura1.jpg");
    QTest::newRow("maiuscolo") << "/doc/Prog.HTM"
                               << "/doc/PROG/"
                               << "PROG" << QByteArray("PROG/Figura1.jpg");
    // Only the page's own name is upper-cased: the folders above stay.
    QTest::newRow("cartelle intatte") << "/Doc/Mie/a.b.htm"
                                      << "/Doc/Mie/A.B/"
                                      << "A.B" << QByteArray("A.B/Figura1.jpg");
    QTest::newRow("altra estensione") << "/doc/pagina.txt"
                                      << "/doc/PAGINA.TXT/"
                                      << "PAGINA.TXT" << QByteArray("PAGINA.TXT/Figura1.jpg");
    QTest::newRow("spazio e diesis") << "/doc/mio #1.htm"
                                     << "/doc/MIO #1/"
                                     << "MIO #1" << QByteArray("MIO%20%231/Figura1.jpg");
    // No folder name left, or one that would climb out: the figures go
    // beside the page.
    QTest::newRow("solo estensione") << "/doc/.htm"
                                     << "/doc/"
                                     << "" << QByteArray("Figura1.jpg");
    QTest::newRow("punti") << "/doc/...htm"
                           << "/doc/"
                           << "" << QByteArray("Figura1.jpg");
}

void TstPaginaHtml::cartella_figure()
{
    QFETCH(QString, pagina);
    QFETCH(QString, percorso);
    QFETCH(QString, nome);
    QFETCH(QByteArray, fig1);
    const ph::CartellaFigure c = ph::cartella_figure(pagina);
    QCOMPARE(c.percorso, percorso);
    QCOMPARE(c.nome, nome);
    QCOMPARE(ph::compila_pagina(ph::FIG1, valori(), c.nome, false, {}), fig1);
}

void TstPaginaHtml::testi_escape_data()
{
    QTest::addColumn<QString>("testo");
    QTest::addColumn<QByteArray>("atteso");
    QTest::newRow("speciali") << "<b>A&B \"x\" 'y'</b>"
                              << QByteArray("&lt;b&gt;A&amp;B &quot;x&quot; &#39;y&#39;&lt;/b&gt;");
    QTest::newRow("latino") << QStringLiteral("Perché più") << QByteArray("Perch\xe9 pi\xf9");
    QTest::newRow("euro") << QStringLiteral("10 €") << QByteArray("10 \x80");
    QTest::newRow("fuori codice") << QStringLiteral("10 kΩ") << QByteArray("10 k&#937;");
    // A title cannot plant a marker for a later replacement.
    QTest::newRow("marcatore") << "<!--VORAN:GAIN-->" << QByteArray("&lt;!--VORAN:GAIN--&gt;");
}

void TstPaginaHtml::testi_escape()
{
    QFETCH(QString, testo);
    QFETCH(QByteArray, atteso);
    QCOMPARE(ph::testo_html(testo), atteso);
    DatiReport d = valori();
    d.titolo = testo;
    QCOMPARE(ph::compila_pagina(QByteArray(ph::TIT) + ph::GAIN, d, {}, true, {}), atteso + "G");
}

void TstPaginaHtml::pagina_completa_scritta()
{
    QTemporaryDir dir;
    const QString pagina = dir.filePath(QStringLiteral("report.htm"));
    const QByteArray modello = QByteArray(ph::FIG1) + "|" + ph::FIG2 + "|" + ph::FIG3 + "|" + ph::TIT;
    // An earlier figure of the same name is replaced.
    QDir(dir.path()).mkpath(QStringLiteral("REPORT"));
    QFile vecchia(dir.filePath(QStringLiteral("REPORT/Figura2.jpg")));
    QVERIFY(vecchia.open(QIODevice::WriteOnly));
    vecchia.write("vecchia");
    vecchia.close();

    const DatiReport d = dodici_ax7();
    QVERIFY(ph::scrivi_pagina_html(pagina, modello, d, true));
    QCOMPARE(leggi(pagina),
             QByteArray("REPORT/Figura1.jpg|REPORT/Figura2.jpg|REPORT/Figura3.gif|Preamplificatore fono"));
    const QString figure = dir.filePath(QStringLiteral("REPORT/"));
    QCOMPARE(QImage(figure + QStringLiteral("Figura1.jpg")).size(), d.grafico.size());
    QCOMPARE(leggi(figure + QStringLiteral("Figura2.jpg")), leggi(d.file_foto));
    QCOMPARE(leggi(figure + QStringLiteral("Figura3.gif")), leggi(d.file_piedinatura));
}

void TstPaginaHtml::figure_illeggibili_non_copiate()
{
    QTemporaryDir dir;
    DatiReport d = dodici_ax7();
    d.file_foto = dir.filePath(QStringLiteral("manca.jpg"));
    d.file_piedinatura.clear();
    const QString pagina = dir.filePath(QStringLiteral("p.htm"));
    QVERIFY(ph::scrivi_pagina_html(pagina, QByteArray(ph::FIG2) + "|" + ph::FIG3, d, true));
    // No reference to a picture that is not there.
    QCOMPARE(leggi(pagina), QByteArray("|"));
    QCOMPARE(QDir(dir.filePath(QStringLiteral("P"))).entryList(QDir::Files),
             QStringList{QStringLiteral("Figura1.jpg")});
}

void TstPaginaHtml::pagina_diagramma_solo_figura1()
{
    QTemporaryDir dir;
    const QString pagina = dir.filePath(QStringLiteral("d.htm"));
    QVERIFY(ph::scrivi_pagina_html(pagina, QByteArray(ph::FIG1) + ph::FIG2, dodici_ax7(), false));
    QCOMPARE(leggi(pagina), QByteArray("D/Figura1.jpg") + ph::FIG2);
    QCOMPARE(QDir(dir.filePath(QStringLiteral("D"))).entryList(QDir::Files),
             QStringList{QStringLiteral("Figura1.jpg")});
}

void TstPaginaHtml::diagramma_non_scritto()
{
    // Without a capture no diagram is written: the page is, the copies are not.
    QTemporaryDir dir;
    DatiReport d = dodici_ax7();
    d.grafico = QImage();
    const QString pagina = dir.filePath(QStringLiteral("v.htm"));
    QVERIFY(!ph::scrivi_pagina_html(pagina, "x", d, true));
    QCOMPARE(leggi(pagina), QByteArray("x"));
    QVERIFY(QDir(dir.filePath(QStringLiteral("V"))).entryList(QDir::Files).isEmpty());
}

void TstPaginaHtml::modelli_del_programma()
{
    // The shipped templates hold the markers of their page and declare the
    // code page the values are written in.
    const QByteArray completo = leggi(QStringLiteral(KORVEL_SOURCE_DIR "/data/SchemaCompleto.tml"));
    const QByteArray diagramma = leggi(QStringLiteral(KORVEL_SOURCE_DIR "/data/SchemaDiagramma.tml"));
    for (const char* m : {ph::FIG1, ph::TIT, ph::GAIN, ph::ANOD, ph::TUBO, ph::CATOD, ph::CAPC, ph::VALVOLA}) {
        QVERIFY2(completo.contains(m), m);
        QVERIFY2(diagramma.contains(m), m);
    }
    QVERIFY(completo.contains(ph::FIG2) && completo.contains(ph::FIG3));
    QVERIFY(!diagramma.contains(ph::FIG2) && !diagramma.contains(ph::FIG3));
    for (const QByteArray& m : {completo, diagramma}) {
        QVERIFY(m.contains("charset=windows-1252"));
        for (const char c : m)
            QVERIFY(static_cast<unsigned char>(c) < 0x80);
    }
}

void TstPaginaHtml::pagina_nel_browser()
{
    const QString chromium = QStandardPaths::findExecutable(QStringLiteral("chromium"));
    if (chromium.isEmpty())
        QSKIP("chromium is not installed");
    // Pictures of colours found nowhere else on the page: each shows in the
    // screenshot only when the browser loaded it.
    QTemporaryDir dir;
    DatiReport d = dodici_ax7();
    d.titolo = QStringLiteral("Prova <Fono> & più");
    QImage diagramma(536, 433, QImage::Format_RGB32);
    diagramma.fill(QColor(255, 0, 255));
    d.grafico = diagramma;
    QImage foto(150, 300, QImage::Format_RGB32);
    foto.fill(QColor(0, 200, 200));
    QImage pin(200, 200, QImage::Format_RGB32);
    pin.fill(QColor(250, 130, 0));
    d.file_foto = dir.filePath(QStringLiteral("foto.jpg"));
    d.file_piedinatura = dir.filePath(QStringLiteral("pin.gif"));
    QVERIFY(scrivi_con_libreria(foto, FIF_JPEG, d.file_foto));
    QVERIFY(scrivi_con_libreria(pin, FIF_GIF, d.file_piedinatura));

    const QString pagina = dir.filePath(QStringLiteral("progetto.htm"));
    QVERIFY(
        ph::scrivi_pagina_html(pagina, leggi(QStringLiteral(KORVEL_SOURCE_DIR "/data/SchemaCompleto.tml")), d, true));

    QTemporaryDir profilo;
    const QString png = dir.filePath(QStringLiteral("pagina.png"));
    const Esito e =
        esegui(chromium, {QStringLiteral("--headless"), QStringLiteral("--no-sandbox"), QStringLiteral("--disable-gpu"),
                          QStringLiteral("--disable-quic"), QStringLiteral("--no-first-run"),
                          QStringLiteral("--disable-background-networking"),
                          QStringLiteral("--disable-component-update"), QStringLiteral("--disable-sync"),
                          QStringLiteral("--user-data-dir=") + profilo.path(), QStringLiteral("--screenshot=") + png,
                          QStringLiteral("--window-size=1000,1100"), QUrl::fromLocalFile(pagina).toString()});
    const QImage shot(png);
    QVERIFY2(!shot.isNull(), qPrintable(e.errori));
    if (qEnvironmentVariableIsSet("KORVEL_TENERE_SCREENSHOT"))
        shot.save(qEnvironmentVariable("KORVEL_TENERE_SCREENSHOT"));
    int magenta = 0, ciano = 0, arancio = 0;
    for (int y = 0; y < shot.height(); ++y)
        for (int x = 0; x < shot.width(); ++x) {
            const QRgb p = shot.pixel(x, y);
            magenta += distanza(p, qRgb(255, 0, 255)) < 30;
            ciano += distanza(p, qRgb(0, 200, 200)) < 30;
            arancio += distanza(p, qRgb(250, 130, 0)) < 30;
        }
    QVERIFY2(magenta > 536 * 433 * 9 / 10, qPrintable(QString::number(magenta)));
    QVERIFY2(ciano > 1000, qPrintable(QString::number(ciano)));
    QVERIFY2(arancio > 1000, qPrintable(QString::number(arancio)));
}

void TstPaginaHtml::dimensione_browser_data()
{
    QTest::addColumn<QString>("impostazione");
    QTest::addColumn<int>("attesa");
    QTest::newRow("1000") << "1000" << 1000;
    QTest::newRow("arrotondata") << "700.6" << 701;
    QTest::newRow("numero iniziale") << "800px" << 800;
    QTest::newRow("zero") << "0" << 640;
    QTest::newRow("vuota") << "" << 640;
    QTest::newRow("negativa") << "-5" << 640;
    QTest::newRow("testo") << "largo" << 640;
}

void TstPaginaHtml::dimensione_browser()
{
    QFETCH(QString, impostazione);
    QFETCH(int, attesa);
    QCOMPARE(ph::dimensione_browser(impostazione, 640), attesa);
}

QTEST_MAIN(TstPaginaHtml)
#include "tst_pagina_html.moc"
