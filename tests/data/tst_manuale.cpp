// The user manual as the build stages it in the program folder, checked with
// tools nobody here wrote: qpdf for the structure, pdfinfo for the pages,
// pdftotext for the headings and the page numbers, pdftoppm for rendering;
// and the worked example done again in the real main window.
#include "support/processo.h"
#include "support/programma_demo.h"

#include "archive/cartelle.h"
#include "chart/grafico.h"
#include "chart/ui/picture1.h"
#include "model/archivio_modelli.h"
#include "platform/piattaforma_scriptata.h"
#include "response/ui/grafico_risposta.h"
#include "shell/korvel.h"
#include "tubes/caricatore_valvola.h"
#include "tubes/lista_valvole.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

namespace {

const QString manuale = QStringLiteral(KORVEL_DIST_DIR "/Manuale Programma KORVEL.pdf");
const QString sorgente = QStringLiteral(KORVEL_SOURCE_DIR "/data/manuale/manuale.txt");
const QString manuale_inglese = QStringLiteral(KORVEL_DIST_DIR "/KORVEL Program Manual.pdf");
const QString sorgente_inglese = QStringLiteral(KORVEL_SOURCE_DIR "/data/manuale/manual_en.txt");

int pagine()
{
    const Esito e = esegui(QStringLiteral("pdfinfo"), {manuale});
    const auto m = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(e.uscita);
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

// Text of the manual with the lines joined by blanks: a heading wrapped in the
// contents still reads as one.
QString testo(const QStringList& argomenti = {}, const QString& file = manuale)
{
    const Esito e = esegui(QStringLiteral("pdftotext"), argomenti + QStringList{file, QStringLiteral("-")});
    return e.codice == 0 ? e.uscita : QString();
}

// Chapter and section titles of the source, numbered as the manual numbers them.
QStringList titoli(const QString& file = sorgente)
{
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    QStringList out;
    int capitolo = 0, sezione = 0;
    for (const QString& riga : QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'))) {
        if (riga.startsWith(QStringLiteral("## ")))
            out << QStringLiteral("%1.%2 %3").arg(capitolo).arg(++sezione).arg(riga.mid(3).trimmed());
        else if (riga.startsWith(QStringLiteral("# "))) {
            sezione = 0;
            out << QStringLiteral("%1. %2").arg(++capitolo).arg(riga.mid(2).trimmed());
        }
    }
    return out;
}

// The first capture of a pattern in the manual's text, empty when absent.
QString cerca(const QString& testo, const QString& schema, int gruppo = 1)
{
    const auto m = QRegularExpression(schema).match(testo);
    return m.hasMatch() ? m.captured(gruppo) : QString();
}

// A number as the manual writes it (Italian separators).
double numero_manuale(const QString& t)
{
    bool ok = false;
    const double v = QLocale(QLocale::Italian).toDouble(t, &ok);
    return ok ? v : -1e9;
}

// A number as a field of the window shows it (the user's separators).
double numero_campo(const QString& t)
{
    bool ok = false;
    const double v = QLocale::system().toDouble(t, &ok);
    return ok ? v : -2e9;
}

} // namespace

class TestManuale : public QObject {
    Q_OBJECT

private slots:
    void struttura_valida();
    void piu_pagine_numerate();
    void titoli_nel_testo_e_nell_indice();
    void esempio_con_i_valori_calcolati();
    void pagine_visualizzabili();
    void esempio_rifatto_nella_finestra();
    void manuale_inglese_completo();
};

void TestManuale::struttura_valida()
{
    QVERIFY2(QFile::exists(manuale), "the build stages the manual");
    const Esito e = esegui(QStringLiteral("qpdf"), {QStringLiteral("--check"), manuale});
    QVERIFY2(e.codice == 0, qPrintable(e.uscita + e.errori));
    QVERIFY(e.uscita.contains(QStringLiteral("No syntax or stream encoding errors")));
    const Esito info = esegui(QStringLiteral("pdfinfo"), {manuale});
    QVERIFY(info.uscita.contains(QRegularExpression(QStringLiteral("Title:\\s+Manuale Programma KORVEL"))));
}

void TestManuale::piu_pagine_numerate()
{
    const int n = pagine();
    QVERIFY2(n >= 10, qPrintable(QString::number(n)));
    // Every page but the cover carries "Pagina k di n": the count comes from
    // the form written after the last page.
    for (int k = 2; k <= n; ++k) {
        const QString pagina =
            testo({QStringLiteral("-f"), QString::number(k), QStringLiteral("-l"), QString::number(k)});
        QVERIFY2(pagina.contains(QStringLiteral("Pagina %1 di %2").arg(k).arg(n)), qPrintable(QString::number(k)));
    }
    QVERIFY(!testo({QStringLiteral("-f"), QStringLiteral("1"), QStringLiteral("-l"), QStringLiteral("1")})
                 .contains(QStringLiteral("Pagina")));
}

void TestManuale::titoli_nel_testo_e_nell_indice()
{
    const QStringList attesi = titoli();
    QVERIFY(attesi.size() > 20);
    const QString t = testo().simplified();
    for (const QString& titolo : attesi) {
        // Once in the contents, once over its chapter or section.
        QVERIFY2(t.count(titolo) >= 2, qPrintable(titolo));
    }
    QVERIFY(t.contains(QStringLiteral("Indice")));
    for (const char* parola : {"Rk = |Vg| × 1000 / Ia", "25 Hz", "Completa Retta", "Crea Archivio ZIP",
                               "Importa Archivio ZIP", "Set Origine", "DatiValvole"})
        QVERIFY2(t.contains(QString::fromUtf8(parola)), parola);
}

// The English manual is the Italian one translated: the same chapters and
// sections in the same order, its own words around them, the example's
// values filled in.
void TestManuale::manuale_inglese_completo()
{
    QVERIFY2(QFile::exists(manuale_inglese), "the build stages the English manual");
    const Esito e = esegui(QStringLiteral("qpdf"), {QStringLiteral("--check"), manuale_inglese});
    QVERIFY2(e.codice == 0, qPrintable(e.uscita + e.errori));
    const Esito info = esegui(QStringLiteral("pdfinfo"), {manuale_inglese});
    QVERIFY(info.uscita.contains(QRegularExpression(QStringLiteral("Title:\\s+KORVEL Program Manual"))));

    const QStringList attesi = titoli(sorgente_inglese);
    QCOMPARE(attesi.size(), titoli().size());
    const QString t = testo({}, manuale_inglese).simplified();
    for (const QString& titolo : attesi)
        QVERIFY2(t.count(titolo) >= 2, qPrintable(titolo));
    for (const char* parola : {"1. Introduction", "Designing a stage step by step", "Tube Model", "The formulas",
                               "Contents", "Load Line Calculator", "plate load", "bypass capacitor",
                               "Rk = |Vg| × 1000 / Ia", "Velmora"})
        QVERIFY2(t.contains(QString::fromUtf8(parola)), parola);
    for (const char* italiano : {"Indice", "Pagina", "Progettare uno stadio", "resistenza di catodo"})
        QVERIFY2(!t.contains(QString::fromUtf8(italiano)), italiano);
    QVERIFY(!t.contains(QRegularExpression(QStringLiteral("\\{[A-Z_0-9]+\\}"))));
    const QString seconda =
        testo({QStringLiteral("-f"), QStringLiteral("2"), QStringLiteral("-l"), QStringLiteral("2")}, manuale_inglese);
    QVERIFY2(seconda.contains(QRegularExpression(QStringLiteral("Page 2 of \\d+"))), qPrintable(seconda));
}

void TestManuale::esempio_con_i_valori_calcolati()
{
    // The worked example quotes values computed from the demo curves, never
    // a placeholder left in the text.
    const QString t = testo().simplified();
    QVERIFY(!t.contains(QRegularExpression(QStringLiteral("\\{[A-Z_0-9]+\\}"))));
    const auto rk = QRegularExpression(QStringLiteral("R\\.Catodica = ([0-9.]+) ohm")).match(t);
    const auto ra = QRegularExpression(QStringLiteral("R\\.Anodica = ([0-9.]+) ohm")).match(t);
    QVERIFY(rk.hasMatch() && ra.hasMatch());
    const int r_k = QString(rk.captured(1)).remove(QLatin1Char('.')).toInt();
    const int r_a = QString(ra.captured(1)).remove(QLatin1Char('.')).toInt();
    // 300 V over 3 mA is the whole line: plate plus cathode resistor.
    QCOMPARE(r_a + r_k, 100000);
    QVERIFY(r_k > 1000 && r_k < 2500);
}

void TestManuale::pagine_visualizzabili()
{
    QTemporaryDir dir;
    const int n = pagine();
    const Esito e =
        esegui(QStringLiteral("pdftoppm"), {QStringLiteral("-png"), QStringLiteral("-r"), QStringLiteral("30"), manuale,
                                            dir.path() + QStringLiteral("/p")});
    QVERIFY2(e.codice == 0, qPrintable(e.errori));
    QVERIFY2(!e.errori.contains(QStringLiteral("Error")), qPrintable(e.errori));
    QCOMPARE(QDir(dir.path()).entryList({QStringLiteral("p-*.png")}).size(), n);
}

// The worked example done again in the real main window, at the pixels the
// manual names: every value the manual quotes is what the window shows.
void TestManuale::esempio_rifatto_nella_finestra()
{
    const QString t = testo().simplified();
    const QString retta = QStringLiteral("dal pixel \\((\\d+), (\\d+)\\) al pixel \\((\\d+), (\\d+)\\)");
    const QPointF da(cerca(t, retta, 1).toInt(), cerca(t, retta, 2).toInt());
    const QPointF a(cerca(t, retta, 3).toInt(), cerca(t, retta, 4).toInt());
    const QPointF lavoro(cerca(t, QStringLiteral("XG = (\\d+), YG = \\d+ pixel")).toInt(),
                         cerca(t, QStringLiteral("XG = \\d+, YG = (\\d+) pixel")).toInt());
    const QPointF guadagno(cerca(t, QStringLiteral("Xu = (\\d+), Yu = \\d+ pixel")).toInt(),
                           cerca(t, QStringLiteral("Xu = \\d+, Yu = (\\d+) pixel")).toInt());
    const QString vb = cerca(t, QStringLiteral("del punto di lavoro, (-?[0-9,]+), e premete Invio"));
    const QString vg = cerca(t, QStringLiteral("del secondo punto, (-?[0-9,]+), e premete Invio"));
    QVERIFY(!da.isNull() && !a.isNull() && !lavoro.isNull() && !guadagno.isNull());
    QVERIFY(!vb.isEmpty() && !vg.isEmpty());

    QTemporaryDir programma;
    QVERIFY(copia_dati_demo(programma.path()));
    PiattaformaScriptata p;
    KORVEL w(p, programma.path());
    w.KORVEL_Form_Load();
    const int riga = riga_valvola(w.lista(), QStringLiteral("12AX7"));
    QVERIFY(riga > 0);
    w.caricatore().griglia_DB_DblClick(riga);

    QWidget* grafico = w.Picture1_;
    const auto evento = [&](QEvent::Type tipo, QPointF pos, Qt::MouseButton pulsante, Qt::MouseButtons tenuti) {
        QMouseEvent e(tipo, pos, grafico->mapToGlobal(pos), pulsante, tenuti, Qt::NoModifier);
        QApplication::sendEvent(grafico, &e);
    };
    QTest::mouseClick(w.legenda_retta, Qt::LeftButton);
    evento(QEvent::MouseButtonPress, da, Qt::LeftButton, Qt::LeftButton);
    evento(QEvent::MouseMove, a, Qt::NoButton, Qt::LeftButton);
    evento(QEvent::MouseButtonRelease, a, Qt::LeftButton, Qt::NoButton);
    w.calc_function[0]->trigger();
    QTest::mouseClick(w.legenda_lavoro, Qt::LeftButton);
    evento(QEvent::MouseButtonPress, lavoro, Qt::LeftButton, Qt::LeftButton);
    evento(QEvent::MouseButtonRelease, lavoro, Qt::LeftButton, Qt::NoButton);
    QCOMPARE(numero_campo(w.campo(Campo::r_value)->text()),
             numero_manuale(cerca(t, QStringLiteral("in quel punto, ([0-9.]+) ohm"))));
    QTest::mouseClick(w.legenda_guadagno, Qt::LeftButton);
    evento(QEvent::MouseButtonPress, guadagno, Qt::LeftButton, Qt::LeftButton);
    evento(QEvent::MouseButtonRelease, guadagno, Qt::LeftButton, Qt::NoButton);
    for (auto [campo, valore] : {std::pair{Campo::grid_bias, vb}, std::pair{Campo::gain_bias, vg}}) {
        QLineEdit* f = w.campo(campo);
        f->setFocus();
        QTest::keyClicks(f, valore);
        QTest::keyClick(f, Qt::Key_Return);
    }

    const struct {
        Campo campo;
        const char* schema;
    } attesi[] = {
        {Campo::r_catodica, "R\\.Catodica = ([0-9.]+) ohm"},
        {Campo::r_anodica, "R\\.Anodica = ([0-9.]+) ohm"},
        {Campo::c_catodica, "C\\.Bypass = ([0-9,]+) µF"},
        {Campo::gain_value, "Guadagno = ([0-9,]+):"},
        {Campo::grid_v, "VA = ([0-9,]+) V e IA"},
        {Campo::grid_i, "e IA = ([0-9,]+) mA"},
        {Campo::gain_v, "e Vu = ([0-9,]+) V"},
    };
    for (const auto& e : attesi) {
        const QString citato = cerca(t, QString::fromUtf8(e.schema));
        QVERIFY2(!citato.isEmpty(), e.schema);
        QCOMPARE(numero_campo(w.campo(e.campo)->text()), numero_manuale(citato));
    }

    // "Grafico Risposta" on the same design, with the published set the demo
    // curves are drawn from, shows the figures the manual quotes.
    modello::ModelloSalvato m;
    m.parametri.mu = 100;
    m.parametri.ex = 1.4;
    m.parametri.kg1 = 1060;
    m.parametri.kp = 600;
    m.parametri.kvb = 300;
    m.fonte = modello::fonte_pubblicato;
    QVERIFY(archivio_modelli::salva_modello(cartelle().file_basedati, w.lista().cella_lista(riga, 0).toInt(), m));
    emit w.menu_tracciatura->aboutToShow();
    QVERIFY(w.calc_function[5]->isEnabled());
    QStringList letti;
    QTimer::singleShot(0, &w, [&] {
        auto* f = qobject_cast<GraficoRisposta*>(QApplication::activeModalWidget());
        if (!f)
            return;
        for (QLineEdit* e : {f->gm, f->rp, f->mu, f->guadagno, f->uscita, f->h2, f->h3, f->thd, f->margine})
            letti << e->text();
        f->reject();
    });
    w.calc_function[5]->trigger();
    const QString numero = QStringLiteral("([0-9]+(?:,[0-9]+)?)");
    const QStringList risposta = {"gm \\(mA/V\\) = ", "rp \\(kOhm\\) = ",    "e mu = ",
                                  "Guadagno = ",      "Uscita \\(Vpp\\) = ", "H2 \\(%\\) = ",
                                  "H3 \\(%\\) = ",    "THD \\(%\\) = ",      "Margine ingresso \\(Vp\\) = "};
    QCOMPARE(letti.size(), risposta.size());
    for (int i = 0; i < risposta.size(); ++i) {
        // The gain quoted is the response's, not the chart's earlier one.
        const QString dopo = i == 3 ? QStringLiteral(": il guadagno per piccoli") : QString();
        const QString citato = cerca(t, risposta[i] + numero + dopo);
        QVERIFY2(!citato.isEmpty(), qPrintable(risposta[i]));
        QCOMPARE(numero_campo(letti[i]), numero_manuale(citato));
    }
    w.close();
}

QTEST_MAIN(TestManuale)
#include "tst_manuale.moc"
