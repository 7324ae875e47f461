// The report's sections on plain data, and each output drawn from them: the
// demo 12AX7 with its published model and a response design gives a second
// PDF page that qpdf accepts, pdftoppm renders and pdftotext reads with the
// window's figures; the HTML page shows the same sections with every picture
// a file beside it; the printed pages follow the PDF's.
#include "common/lingua.h"
#include "finale/letture_finale.h"
#include "model/curve_modello.h"
#include "model/testi_modello.h"
#include "model/taratura_demo.h"
#include "reports/impaginazione_sezioni.h"
#include "reports/pagina_html.h"
#include "reports/report_pdf.h"
#include "reports/sezioni_report.h"
#include "reports/stampa_report.h"
#include "response/letture.h"
#include "report_prova.h"

#include <QImageReader>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include <cmath>
#include <optional>

Q_DECLARE_METATYPE(std::optional<risposta::TestiStadio>)

using namespace report_prova;

namespace {

const valvole_demo::Valvola& demo(std::string_view sigla)
{
    for (const valvole_demo::Valvola& v : valvole_demo::tabella())
        if (v.sigla_usa == sigla)
            return v;
    return valvole_demo::tabella().front();
}

const valvole_demo::Valvola& demo_12ax7()
{
    return demo("12AX7");
}

// The published model a demo triode ships with.
modello::ModelloSalvato modello_triodo(const valvole_demo::Valvola& v)
{
    modello::ModelloSalvato m;
    m.parametri = v.parametri;
    for (int k = 0; k < v.n_curve; ++k)
        m.griglie << valvole_demo::tensione_griglia(v, k);
    m.fonte = modello::fonte_pubblicato;
    m.data = QStringLiteral("2026-12-10");
    return m;
}

modello::ModelloSalvato modello_12ax7()
{
    return modello_triodo(demo_12ax7());
}

risposta::TestiStadio stadio_12ax7()
{
    return {QStringLiteral("300"),
            QStringLiteral("100000"),
            QStringLiteral("-1.5"),
            QStringLiteral("1500"),
            QStringLiteral("470000"),
            QStringLiteral("1"),
            true};
}

// Three plots told apart by their colour; the real ones are the window's,
// checked through the window.
std::vector<QImage> grafici(const modello::ParametriModello&, const risposta::TestiStadio&)
{
    std::vector<QImage> g;
    for (QColor c : {QColor(200, 40, 40), QColor(40, 160, 40), QColor(40, 40, 200)}) {
        QImage i(760, 320, QImage::Format_RGB32);
        i.fill(c);
        g.push_back(i);
    }
    return g;
}

IngressiSezioni ingressi(bool modello, std::optional<risposta::TestiStadio> stadio)
{
    IngressiSezioni in;
    if (modello)
        in.modello = modello_12ax7();
    in.curva = QImage(dist(QStringLiteral("DatiValvole/Curve/12AX7trio.gif")));
    in.taratura = taratura_demo(demo_12ax7());
    in.dimensione_diagramma = QSize(518, 418);
    in.risposta = stadio;
    in.grafici_risposta = grafici;
    return in;
}

risposta::Risposta calcolata(const risposta::TestiStadio& t)
{
    return risposta::calcola(risposta::da_modello(modello_12ax7().parametri), *risposta::leggi_stadio(t, nullptr));
}

QStringList titoli(const std::vector<SezioneReport>& s)
{
    QStringList t;
    for (const SezioneReport& x : s)
        t << x.titolo;
    return t;
}

QString valore(const SezioneReport& s, const QString& voce)
{
    for (const TabellaSezione& t : s.tabelle)
        for (const RigaSezione& r : t.righe)
            if (r.voce == voce)
                return r.valore;
    return QStringLiteral("<assente>");
}

QString testo_pagina(const QString& pdf, int pagina)
{
    return esegui(QStringLiteral("pdftotext"),
                  {QStringLiteral("-layout"), QStringLiteral("-f"), QString::number(pagina), QStringLiteral("-l"),
                   QString::number(pagina), pdf, QStringLiteral("-")})
        .uscita;
}

int pagine_pdf(const QString& pdf)
{
    const QString info = esegui(QStringLiteral("pdfinfo"), {pdf}).uscita;
    return QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(info).captured(1).toInt();
}

// A row of a table as pdftotext lays it out: the caption, blanks, the value.
bool riga_presente(const QString& testo, const QString& voce, const QString& valore)
{
    return QRegularExpression(QRegularExpression::escape(voce) + QStringLiteral("\\s+") +
                              QRegularExpression::escape(valore) + QStringLiteral("(\\s|$)"))
        .match(testo)
        .hasMatch();
}

} // namespace

class TstSezioniReport : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { FreeImage_Initialise(FALSE); }
    void cleanupTestCase() { FreeImage_DeInitialise(); }

    // Which sections there are, and what the response section says.
    void sezioni_data()
    {
        QTest::addColumn<bool>("modello");
        QTest::addColumn<std::optional<risposta::TestiStadio>>("stadio");
        QTest::addColumn<QStringList>("titoli");
        QTest::addColumn<int>("figure_risposta");
        QTest::addColumn<QString>("nota_risposta");
        const QStringList entrambe{QStringLiteral("Modello della valvola"), QStringLiteral("Risposta dello stadio")};
        QTest::newRow("no model, no pages")
            << false << std::optional(stadio_12ax7()) << QStringList() << 0 << QString();
        QTest::newRow("model, window never opened")
            << true << std::optional<risposta::TestiStadio>() << QStringList{entrambe[0]} << 0 << QString();
        QTest::newRow("model and response") << true << std::optional(stadio_12ax7()) << entrambe << 3
                                            << QStringLiteral("Il primo limite è la griglia a 0 V.");
        risposta::TestiStadio errato = stadio_12ax7();
        errato.b_piu = QStringLiteral("trecento");
        QTest::newRow("response the window cannot compute")
            << true << std::optional(errato) << entrambe << 0 << QStringLiteral("B+ (V)= non contiene un numero.");
    }
    void sezioni()
    {
        QFETCH(bool, modello);
        QFETCH(std::optional<risposta::TestiStadio>, stadio);
        QFETCH(QStringList, titoli);
        QFETCH(int, figure_risposta);
        QFETCH(QString, nota_risposta);
        const std::vector<SezioneReport> s = sezioni_report(ingressi(modello, stadio));
        QCOMPARE(::titoli(s), titoli);
        if (s.empty())
            return;
        QCOMPARE(valore(s[0], QStringLiteral("mu=")), QStringLiteral("100"));
        QCOMPARE(valore(s[0], QStringLiteral("Kg1=")), QStringLiteral("1060"));
        QCOMPARE(valore(s[0], QStringLiteral("Fonte")), QStringLiteral("Koren, pubblicato"));
        QCOMPARE(valore(s[0], QStringLiteral("Data")), QStringLiteral("2026-12-10"));
        QCOMPARE(s[0].figure.size(), std::size_t(1));
        if (s.size() < 2)
            return;
        QCOMPARE(valore(s[1], QStringLiteral("Carico successivo (Ohm)=")), stadio->carico);
        QCOMPARE(int(s[1].figure.size()), figure_risposta);
        QCOMPARE(s[1].nota, nota_risposta);
        if (figure_risposta == 0) {
            QCOMPARE(valore(s[1], QStringLiteral("gm (mA/V)=")), QStringLiteral("<assente>"));
            return;
        }
        // The window's read-outs, rounded as it rounds them.
        const std::vector<risposta::Lettura> attese = risposta::letture(calcolata(*stadio));
        QCOMPARE(attese.size(), std::size_t(9));
        for (const risposta::Lettura& l : attese)
            QCOMPARE(valore(s[1], l.etichetta), l.valore);
    }

    // The model over the curve picture: the picture where the chart puts
    // it, the model's curves in blue on the picture's curves.
    void immagine_del_modello()
    {
        const IngressiSezioni in = ingressi(true, std::nullopt);
        const QImage img = immagine_modello(in.curva, in.taratura, *in.modello, QSize(600, 450));
        QCOMPARE(img.size(), QSize(600, 450));
        const QImage curva = in.curva.convertToFormat(QImage::Format_RGB32);
        int blu = 0, uguali = 0;
        for (int y = 0; y < curva.height(); ++y)
            for (int x = 0; x < curva.width(); ++x) {
                const QColor c = img.pixelColor(x, y);
                blu += c.blue() > 200 && c.red() < 80;
                uguali += img.pixel(x, y) == curva.pixel(x, y);
            }
        QVERIFY2(blu > 2000, qPrintable(QString::number(blu)));
        QVERIFY(uguali > curva.width() * curva.height() * 8 / 10);
        QCOMPARE(img.pixelColor(590, 440), QColor(Qt::white));
        // Along the top curve (0 V) at 200 V the model is drawn: blue within
        // two pixels of where the calibration puts its current.
        const double ma = modello::corrente_placca(in.modello->parametri, 200.0, 0.0);
        const int x = int(std::lround(curve_modello::x_di(in.taratura, 200)));
        const int y = int(std::lround(curve_modello::y_di(in.taratura, ma)));
        bool trovato = false;
        for (int dy = -2; dy <= 2; ++dy)
            trovato = trovato || img.pixelColor(x, y + dy).blue() > 200;
        QVERIFY(trovato);
    }

    void pdf_due_pagine()
    {
        QTemporaryDir dir;
        DatiReport d = dodici_ax7();
        d.sezioni = sezioni_report(ingressi(true, stadio_12ax7()));
        const QString pdf = dir.filePath(QStringLiteral("due.pdf"));
        QVERIFY(scrivi_report_pdf(d, pdf));
        const Esito check = esegui(QStringLiteral("qpdf"), {QStringLiteral("--check"), pdf});
        QVERIFY2(check.codice == 0, qPrintable(check.uscita + check.errori));
        QCOMPARE(pagine_pdf(pdf), 2);

        // Every page renders.
        const Esito render =
            esegui(QStringLiteral("pdftoppm"), {QStringLiteral("-png"), QStringLiteral("-r"), QStringLiteral("50"), pdf,
                                                dir.filePath(QStringLiteral("p"))});
        QCOMPARE(render.codice, 0);
        for (const char* p : {"p-1.png", "p-2.png"})
            QVERIFY2(!QImage(dir.filePath(QString::fromLatin1(p))).isNull(), p);

        // Page 1 as always, but the count of pages.
        const QString prima = testo_pagina(pdf, 1);
        QVERIFY(prima.contains(QStringLiteral("Valvola:12AX7,ECC83,TRIODO")));
        QVERIFY(prima.contains(QStringLiteral("pag. 1")) && prima.contains(QStringLiteral("di 2")));
        QVERIFY(!prima.contains(QStringLiteral("Modello della valvola")));

        const QString seconda = testo_pagina(pdf, 2);
        for (const char* t : {"Modello della valvola", "Risposta dello stadio", "Koren, pubblicato", "2026-12-10",
                              "Triodo (Koren)", "pag. 2", "di 2", "Valvola:12AX7,ECC83,TRIODO"})
            QVERIFY2(seconda.contains(QString::fromUtf8(t)), t);
        QVERIFY(riga_presente(seconda, QStringLiteral("mu="), QStringLiteral("100")));
        QVERIFY(riga_presente(seconda, QStringLiteral("Carico successivo (Ohm)="), QStringLiteral("470000")));
        for (const risposta::Lettura& l : risposta::letture(calcolata(stadio_12ax7())))
            QVERIFY2(riga_presente(seconda, l.etichetta, l.valore), qPrintable(l.etichetta + l.valore));

        // Page 1's three pictures, then the model over the curves at the
        // capture's size and the three plots.
        QCOMPARE(immagini_pdf(pdf).mid(3), (QStringList{QStringLiteral("518x418"), QStringLiteral("760x320"),
                                                        QStringLiteral("760x320"), QStringLiteral("760x320")}));
    }

    // The demo 2A3 single-ended at 250 V, -45 V, 2500 ohm: the output stage
    // on the second page, with the figures of the output stage's core.
    void pdf_stadio_finale()
    {
        const valvole_demo::Valvola& v = demo("2A3");
        IngressiSezioni in;
        in.modello = modello_triodo(v);
        in.curva = QImage(dist(QStringLiteral("DatiValvole/Curve/2A3trio.gif")));
        in.taratura = taratura_demo(v);
        in.dimensione_diagramma = QSize(518, 418);
        finale::IngressiFinale f; // single-ended triode, 250 V, -45 V, 2500 ohm, 8 ohm
        in.finale = f;
        in.pmax_w = v.pmax_mw / 1000.0;
        const std::vector<SezioneReport> s = sezioni_report(in);
        QCOMPARE(titoli(s), (QStringList{QStringLiteral("Modello della valvola"), QStringLiteral("Stadio finale")}));

        QTemporaryDir dir;
        DatiReport d = dodici_ax7();
        d.nome_valvola = {QStringLiteral("2A3"), QString(), QStringLiteral("TRIODO")};
        d.sezioni = s;
        const QString pdf = dir.filePath(QStringLiteral("2a3.pdf"));
        QVERIFY(scrivi_report_pdf(d, pdf));
        QCOMPARE(esegui(QStringLiteral("qpdf"), {QStringLiteral("--check"), pdf}).codice, 0);
        QCOMPARE(pagine_pdf(pdf), 2);
        const QString seconda = testo_pagina(pdf, 2);
        if (const QByteArray copia = qgetenv("KORVEL_SCHERMATA"); !copia.isEmpty())
            QFile::copy(pdf, QString::fromLocal8Bit(copia));
        QVERIFY(seconda.contains(QStringLiteral("Stadio finale")));
        QVERIFY(riga_presente(seconda, QStringLiteral("mu="), modello::testo_numero(v.parametri.mu)));
        QVERIFY(riga_presente(seconda, QStringLiteral("Impedenza primario (Ohm)="),
                              finale::testi_da_ingressi(f).impedenza));
        const finale::RisultatoFinale r = finale::calcola(in.modello->parametri, f, in.pmax_w);
        QVERIFY(r.valido);
        const std::vector<finale::LetturaFinale> letture = finale::letture(r, f);
        QVERIFY(letture.size() >= 17);
        for (const finale::LetturaFinale& l : letture)
            QVERIFY2(riga_presente(seconda, l.etichetta, l.valore), qPrintable(l.etichetta + l.valore));
        // About the sheet's 60 mA and 3.5 W at this point.
        qInfo("2A3: %s mA, %s W", qPrintable(valore(s[1], QStringLiteral("Ia riposo (mA)="))),
              qPrintable(valore(s[1], QStringLiteral("Potenza uscita (W)="))));
    }

    // Without a model the report is its one page; the pages that follow
    // break where the next section no longer fits.
    void pagine_necessarie()
    {
        QTemporaryDir dir;
        const QString una = dir.filePath(QStringLiteral("una.pdf"));
        QVERIFY(scrivi_report_pdf(dodici_ax7(), una));
        QCOMPARE(pagine_pdf(una), 1);
        QCOMPARE(immagini_pdf(una).size(), 3);

        DatiReport d = dodici_ax7();
        const std::vector<SezioneReport> s = sezioni_report(ingressi(true, stadio_12ax7()));
        d.sezioni = {s[0], s[1], s[1], s[0]};
        d.sezioni[2].titolo += QStringLiteral(" (bis)");
        const QString quattro = dir.filePath(QStringLiteral("quattro.pdf"));
        QVERIFY(scrivi_report_pdf(d, quattro));
        QCOMPARE(esegui(QStringLiteral("qpdf"), {QStringLiteral("--check"), quattro}).codice, 0);
        // The model and the response fill a page: the two more go on a third.
        QCOMPARE(pagine_pdf(quattro), 3);
        const QString terza = testo_pagina(quattro, 3);
        QVERIFY(terza.indexOf(QStringLiteral("Risposta dello stadio")) <
                terza.indexOf(QStringLiteral("Modello della")));
        QVERIFY(terza.contains(QStringLiteral("pag. 3")) && terza.contains(QStringLiteral("di 3")));

        // Nothing runs below the frame's bottom or past its right side.
        const auto pagine = impagina_sezioni(d.sezioni, QStringLiteral("12AX7"), 2, {});
        QCOMPARE(pagine.size(), std::size_t(2));
        for (const PaginaSezioni& p : pagine)
            for (const ElementoPagina& e : p) {
                if (e.tipo == ElementoPagina::Tipo::figura)
                    QVERIFY(e.y - e.altezza >= 1.8f && e.x + e.larghezza <= 20.0f);
                else if (e.tipo == ElementoPagina::Tipo::testo && e.stile != ElementoPagina::Stile::numero)
                    QVERIFY(e.y >= 1.8f);
            }
    }

    void pagina_html()
    {
        QTemporaryDir dir;
        DatiReport d = dodici_ax7();
        d.sezioni = sezioni_report(ingressi(true, stadio_12ax7()));
        d.sezioni[1].tabelle[0].righe[4].valore = QStringLiteral("<470k> & \"più\"");
        QFile modello(QStringLiteral(KORVEL_SOURCE_DIR "/data/SchemaCompleto.tml"));
        QVERIFY(modello.open(QIODevice::ReadOnly));
        const QString pagina = dir.filePath(QStringLiteral("stadio.htm"));
        QVERIFY(pagina_html::scrivi_pagina_html(pagina, modello.readAll(), d, true));
        QFile f(pagina);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray html = f.readAll();

        // After everything the template shows, inside its body.
        const qsizetype sezioni = html.indexOf("<h2>Modello della valvola</h2>");
        QVERIFY(sezioni > html.indexOf("Piedinatura</figcaption>"));
        QVERIFY(sezioni < html.indexOf("</body>"));
        QVERIFY(html.contains("<h2>Risposta dello stadio</h2>"));
        QVERIFY(html.contains("&lt;470k&gt; &amp; &quot;pi\xf9&quot;"));
        QVERIFY(html.contains("<th>mu=</th><td class=\"valore\">100</td>"));
        for (const risposta::Lettura& l : risposta::letture(calcolata(stadio_12ax7())))
            QVERIFY2(html.contains("<th>" + pagina_html::testo_html(l.etichetta) + "</th><td class=\"valore\">" +
                                   pagina_html::testo_html(l.valore) + "</td>"),
                     qPrintable(l.etichetta));

        // Every picture the page names is a file beside it that reads as one.
        const QRegularExpression img(QStringLiteral("<img src=\"([^\"]*)\""));
        QStringList nomi;
        for (const QRegularExpressionMatch& m : img.globalMatch(QString::fromLatin1(html))) {
            const QString file = dir.filePath(QUrl::fromPercentEncoding(m.captured(1).toLatin1()));
            nomi << QFileInfo(file).fileName();
            QImageReader r(file);
            QVERIFY2(r.canRead() && !r.read().isNull(), qPrintable(file));
        }
        QCOMPARE(nomi, (QStringList{QStringLiteral("Figura1.jpg"), QStringLiteral("Figura2.jpg"),
                                    QStringLiteral("Figura3.gif"), QStringLiteral("Modello.png"),
                                    QStringLiteral("Trasferimento.png"), QStringLiteral("Placca.png"),
                                    QStringLiteral("Armoniche.png")}));

        // The diagram page stays the diagram alone.
        const QString diagramma = dir.filePath(QStringLiteral("diagramma.htm"));
        QVERIFY(pagina_html::scrivi_pagina_html(diagramma, "<body><img src=\"<!--VORAN:FIG1-->\"></body>", d, false));
        QFile g(diagramma);
        QVERIFY(g.open(QIODevice::ReadOnly));
        QVERIFY(!g.readAll().contains("Modello"));
    }

    // The printed project: page 1 as it was, then the PDF's pages.
    void stampa()
    {
        QTemporaryDir dir;
        DatiReport d = dodici_ax7();
        d.sezioni = sezioni_report(ingressi(true, stadio_12ax7()));
        const QString pdf = dir.filePath(QStringLiteral("stampa.pdf"));
        {
            QPdfWriter w(pdf);
            w.setPageSize(QPageSize(QPageSize::A4));
            w.setResolution(300);
            stampa_pagina(w, d, true);
        }
        QCOMPARE(esegui(QStringLiteral("qpdf"), {QStringLiteral("--check"), pdf}).codice, 0);
        QCOMPARE(pagine_pdf(pdf), 2);
        QVERIFY(testo_pagina(pdf, 1).contains(QStringLiteral("Punto di Lavoro")));
        const QString seconda = testo_pagina(pdf, 2);
        for (const char* t : {"Modello della valvola", "Risposta dello stadio", "pag. 2", "di 2"})
            QVERIFY2(seconda.contains(QString::fromUtf8(t)), t);
        for (const risposta::Lettura& l : risposta::letture(calcolata(stadio_12ax7())))
            QVERIFY2(seconda.contains(l.valore), qPrintable(l.etichetta));
        // Page 1's four pictures, then the model and the three plots.
        QCOMPARE(immagini_pdf(pdf).size(), 8);

        // The diagram alone prints one page.
        const QString solo = dir.filePath(QStringLiteral("diagramma.pdf"));
        {
            QPdfWriter w(solo);
            stampa_pagina(w, d, false);
        }
        QCOMPARE(pagine_pdf(solo), 1);
    }

    // Under English every output speaks English: the PDF's first page and
    // its sections, the printed page, and the HTML page from the English
    // template beside the configured one. Numbers and the tube's names stay
    // as they are.
    void in_inglese()
    {
        installa_traduzioni(Lingua::inglese, QStringLiteral(KORVEL_DIST_DIR));
        struct Ritorno {
            ~Ritorno() { installa_traduzioni(Lingua::italiano, QStringLiteral(KORVEL_DIST_DIR)); }
        } ritorno;
        const valvole_demo::Valvola& v = demo("2A3");
        IngressiSezioni in = ingressi(true, stadio_12ax7());
        in.finale = finale::IngressiFinale{};
        in.pmax_w = v.pmax_mw / 1000.0;
        DatiReport d = dodici_ax7();
        d.sezioni = sezioni_report(in);
        QCOMPARE(titoli(d.sezioni), (QStringList{QStringLiteral("Tube Model"), QStringLiteral("Stage Response"),
                                                 QStringLiteral("Output Stage")}));
        const QStringList italiano{QStringLiteral("Valvola:"),     QStringLiteral("Guadagno"),
                                   QStringLiteral("R.Anodica"),    QStringLiteral("pag. "),
                                   QStringLiteral("Modello della"), QStringLiteral("Risposta dello"),
                                   QStringLiteral("Stadio finale"), QStringLiteral("Impedenza primario"),
                                   QStringLiteral("Punto di Lavoro"), QStringLiteral("Curve caratteristiche"),
                                   QStringLiteral("Piedinatura"),  QStringLiteral("Parametri")};
        auto senza_italiano = [&](const QString& testo) {
            QStringList trovati;
            for (const QString& t : italiano)
                if (testo.contains(t))
                    trovati << t;
            return trovati;
        };

        QTemporaryDir dir;
        const QString pdf = dir.filePath(QStringLiteral("report.pdf"));
        QVERIFY(scrivi_report_pdf(d, pdf));
        if (const QByteArray copia = qgetenv("KORVEL_SCHERMATA"); !copia.isEmpty())
            QFile::copy(pdf, QString::fromLocal8Bit(copia));
        QCOMPARE(esegui(QStringLiteral("qpdf"), {QStringLiteral("--check"), pdf}).codice, 0);
        const int pagine = pagine_pdf(pdf);
        QVERIFY(pagine >= 2);
        QString tutto;
        for (int i = 1; i <= pagine; ++i)
            tutto += testo_pagina(pdf, i);
        for (const char* t : {"Tube:12AX7,ECC83,TRIODO", "Gain", "Plate Load=", "page 1", "page 2", "Tube Model",
                              "Output Stage", "Primary impedance (Ohm)="})
            QVERIFY2(tutto.contains(QString::fromUtf8(t)), t);
        QVERIFY(tutto.contains(QStringLiteral("of %1").arg(pagine)));
        QVERIFY(riga_presente(tutto, QStringLiteral("mu="), QStringLiteral("100")));
        QCOMPARE(senza_italiano(tutto), QStringList());

        const QString stampa = dir.filePath(QStringLiteral("stampa.pdf"));
        {
            QPdfWriter w(stampa);
            w.setPageSize(QPageSize(QPageSize::A4));
            w.setResolution(150);
            stampa_pagina(w, d, true);
        }
        QString stampato;
        for (int i = 1; i <= pagine_pdf(stampa); ++i)
            stampato += testo_pagina(stampa, i);
        QVERIFY(stampato.contains(QStringLiteral("Operating Point")));
        QVERIFY(stampato.contains(QStringLiteral("Tube Model")));
        QCOMPARE(senza_italiano(stampato), QStringList());

        // The configured template is the Italian one; its English sibling
        // is taken, and a template without one is kept as it is.
        const QString modello = QStringLiteral(KORVEL_SOURCE_DIR "/data/SchemaCompleto.tml");
        QCOMPARE(pagina_html::modello_nella_lingua(modello, QStringLiteral("en")),
                 QStringLiteral(KORVEL_SOURCE_DIR "/data/SchemaCompleto_en.tml"));
        QCOMPARE(pagina_html::modello_nella_lingua(modello, QStringLiteral("it")), modello);
        const QString proprio = dir.filePath(QStringLiteral("mio.tml"));
        QCOMPARE(pagina_html::modello_nella_lingua(proprio, QStringLiteral("en")), proprio);
        QFile f(pagina_html::modello_nella_lingua(modello, QStringLiteral("en")));
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QString html = QString::fromLatin1(
            pagina_html::compila_pagina(f.readAll(), d, QStringLiteral("report"), true, pagina_html::Figure{true, true}));
        for (const char* t : {"<html lang=\"en\">", "Tube: 12AX7,ECC83,TRIODO", "<th>Plate Load</th>",
                              "<h2>Tube Model</h2>", "<h2>Output Stage</h2>"})
            QVERIFY2(html.contains(QString::fromUtf8(t)), t);
        QCOMPARE(senza_italiano(html), QStringList());
    }
};

QTEST_MAIN(TstSezioniReport)
#include "tst_sezioni_report.moc"
