// The printed page, printed to a PDF file: the header, the value column,
// the diagram, and the pictures of the full project only.
#include "reports/stampa_report.h"
#include "report_prova.h"

#include <QPageLayout>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <QtTest>

using namespace report_prova;

class TstStampaReport : public QObject {
    Q_OBJECT
private slots:
    void pagina_data();
    void pagina();
    void senza_americana_ne_valori();

private:
    QString stampa(const DatiReport& d, bool progetto, const QString& nome)
    {
        const QString pdf = dir_.filePath(nome);
        QPdfWriter p(pdf);
        p.setResolution(1200);
        p.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF()));
        stampa_pagina(p, d, progetto);
        return pdf;
    }
    QTemporaryDir dir_;
};

void TstStampaReport::pagina_data()
{
    QTest::addColumn<bool>("progetto");
    QTest::addColumn<QStringList>("immagini");
    const QImage f(dodici_ax7().file_foto), p(dodici_ax7().file_piedinatura);
    const QString diagramma = QStringLiteral("600x400");
    QTest::newRow("progetto") << true
                              << QStringList{diagramma, QStringLiteral("%1x%2").arg(f.width()).arg(f.height()),
                                             QStringLiteral("320x200"),
                                             QStringLiteral("%1x%2").arg(p.width()).arg(p.height())};
    QTest::newRow("diagramma") << false << QStringList{diagramma};
}

void TstStampaReport::pagina()
{
    QFETCH(bool, progetto);
    QFETCH(QStringList, immagini);
    const QString pdf = stampa(dodici_ax7(), progetto, QStringLiteral("stampa_%1.pdf").arg(progetto));
    QCOMPARE(esegui(QStringLiteral("qpdf"), {QStringLiteral("--check"), pdf}).codice, 0);
    const QString testo = pdftotext(pdf);
    for (const char* atteso : {"12AX7,ECC83", "TRIODO", "Punto di Lavoro", "VA=250.00 V", "IA=1.20 mA", "VG=-1.50 V",
                               "RA=100,000 Ohm", "RK=1,500 Ohm", "CK=25.32 uF", "mu=61.54"})
        QVERIFY2(testo.contains(QString::fromLatin1(atteso)), atteso);
    QCOMPARE(immagini_pdf(pdf), immagini);

    // The value column at two thirds of the width is never covered by the
    // diagram: at 72 dpi the page is 595 points wide, the column starts at
    // (2 * W / 3 + 800) twips and the diagram ends before it.
    const QImage pag = report_prova::pagina(pdf, 72, dir_.filePath(QStringLiteral("riga_%1").arg(progetto)));
    QVERIFY(!pag.isNull());
    const double colonna = (2.0 * 11906 / 3 + 800) / 20;
    int scuri_diagramma = 0;
    for (int y = 60; y < 360; ++y)
        scuri_diagramma += distanza(pag.pixel(int(colonna) + 1, y), qRgb(200, 30, 30)) < 40 ||
                           distanza(pag.pixel(int(colonna) + 1, y), qRgb(230, 200, 40)) < 40;
    QCOMPARE(scuri_diagramma, 0);
    // The diagram starts at (800, 1000) twips = (40, 50) points.
    QVERIFY(distanza(pag.pixel(48, 70), qRgb(200, 30, 30)) < 40);
    QVERIFY(distanza(pag.pixel(36, 70), qRgb(255, 255, 255)) < 10);
}

void TstStampaReport::senza_americana_ne_valori()
{
    DatiReport d = dodici_ax7();
    d.nome_valvola[0].clear();
    d.grid_v.clear();
    d.gain_value.clear();
    d.foto_mostrata = QImage();
    const QString testo = pdftotext(stampa(d, true, QStringLiteral("vuota.pdf")));
    QVERIFY(testo.contains(QStringLiteral(",ECC83")));
    QVERIFY(testo.contains(QStringLiteral("VA= V")));
    QVERIFY(testo.contains(QStringLiteral("mu=")));
    QVERIFY(testo.contains(QStringLiteral("Punto di Lavoro")));
}

QTEST_MAIN(TstStampaReport)
#include "tst_stampa_report.moc"
