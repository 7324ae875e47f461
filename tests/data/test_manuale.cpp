// The user manual as the build stages it in the program folder, checked with
// tools nobody here wrote: qpdf for the structure, pdfinfo for the pages,
// pdftotext for the headings and the page numbers, pdftoppm for rendering.
#include "support/processo.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QString manuale = QStringLiteral(KORVEL_DIST_DIR "/Manuale Programma KORVEL.pdf");
const QString sorgente = QStringLiteral(KORVEL_SOURCE_DIR "/data/manuale/manuale.txt");

int pagine()
{
    const Esito e = esegui(QStringLiteral("pdfinfo"), {manuale});
    const auto m = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(e.uscita);
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

// Text of the manual with the lines joined by blanks: a heading wrapped in the
// contents still reads as one.
QString testo(const QStringList& argomenti = {})
{
    const Esito e = esegui(QStringLiteral("pdftotext"), argomenti + QStringList{manuale, QStringLiteral("-")});
    return e.codice == 0 ? e.uscita : QString();
}

// Chapter and section titles of the source, numbered as the manual numbers them.
QStringList titoli()
{
    QFile f(sorgente);
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

} // namespace

class TestManuale : public QObject {
    Q_OBJECT

private slots:
    void struttura_valida();
    void piu_pagine_numerate();
    void titoli_nel_testo_e_nell_indice();
    void esempio_con_i_valori_calcolati();
    void pagine_visualizzabili();
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
        const QString pagina = testo({QStringLiteral("-f"), QString::number(k), QStringLiteral("-l"),
                                      QString::number(k)});
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
    const Esito e = esegui(QStringLiteral("pdftoppm"),
                           {QStringLiteral("-png"), QStringLiteral("-r"), QStringLiteral("30"), manuale,
                            dir.path() + QStringLiteral("/p")});
    QVERIFY2(e.codice == 0, qPrintable(e.errori));
    QVERIFY2(!e.errori.contains(QStringLiteral("Error")), qPrintable(e.errori));
    QCOMPARE(QDir(dir.path()).entryList({QStringLiteral("p-*.png")}).size(), n);
}

QTEST_GUILESS_MAIN(TestManuale)
#include "test_manuale.moc"
