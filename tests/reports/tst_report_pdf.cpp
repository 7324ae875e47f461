// The PDF report drawn from report data alone: checked by qpdf, read back by
// pdftotext and pdfimages, and rendered by pdftoppm.
#include "reports/report_pdf.h"
#include "report_prova.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

using namespace report_prova;

class TstReportPdf : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { FreeImage_Initialise(FALSE); }
    void cleanupTestCase() { FreeImage_DeInitialise(); }

    void pagina_del_progetto();
    void diagramma_nel_riquadro();
    void figure_illeggibili_lasciate_fuori();
    void nessun_bitmap_resta();
    void designazioni_data();
    void designazioni();

private:
    QTemporaryDir dir_;
};

void TstReportPdf::pagina_del_progetto()
{
    const QString pdf = dir_.filePath(QStringLiteral("progetto.pdf"));
    QVERIFY(scrivi_report_pdf(dodici_ax7(), pdf));

    const Esito check = esegui(QStringLiteral("qpdf"), {QStringLiteral("--check"), pdf});
    QVERIFY2(check.codice == 0, qPrintable(check.uscita + check.errori));

    const QString testo = pdftotext(pdf);
    for (const char* atteso :
         {"Preamplificatore fono", "Valvola:12AX7,ECC83,TRIODO", "Guadagno", "61.54", "R.Equiv.Tubo=", "62,500",
          "R.Anodica=", "100,000", "R.Catodica=", "1,500", "C.Bypass=", "25.32", "uF", "Ohm", "pag. 1", "di 1"})
        QVERIFY2(testo.contains(QString::fromUtf8(atteso)), atteso);

    // Diagram first, at the capture's size, then the photo and the pin-out
    // at their own sizes.
    const QStringList img = immagini_pdf(pdf);
    QCOMPARE(img.size(), 3);
    QCOMPARE(img[0], QStringLiteral("600x400"));
    const QImage foto(dodici_ax7().file_foto), pin(dodici_ax7().file_piedinatura);
    QCOMPARE(img[1], QStringLiteral("%1x%2").arg(foto.width()).arg(foto.height()));
    QCOMPARE(img[2], QStringLiteral("%1x%2").arg(pin.width()).arg(pin.height()));
}

void TstReportPdf::diagramma_nel_riquadro()
{
    const QString pdf = dir_.filePath(QStringLiteral("riquadro.pdf"));
    const DatiReport d = dodici_ax7();
    QVERIFY(scrivi_report_pdf(d, pdf));
    // At 127 dpi one centimetre is 50 pixels, so the 12 x 8 cm box of a
    // 600 x 400 capture is 600 x 400 pixels from (100, 285): top-left at
    // (2, 24) cm, measured from the bottom of a 29.7 cm page.
    const QImage pag = pagina(pdf, 127, dir_.filePath(QStringLiteral("riquadro")));
    QVERIFY(!pag.isNull());
    QCOMPARE(pag.width(), 1050);
    const int x0 = 100, y0 = 285;
    long long diff = 0, vicini = 0;
    for (int y = 0; y < 400; ++y)
        for (int x = 0; x < 600; ++x) {
            const int dd = distanza(pag.pixel(x0 + x, y0 + y), d.grafico.pixel(x, y));
            diff += dd;
            vicini += dd <= 30;
        }
    // Every pixel where it belongs, allowing for the resampling at edges.
    QVERIFY2(vicini > 600 * 400 * 98 / 100, qPrintable(QString::number(vicini)));
    QVERIFY2(diff / (600 * 400) < 6, qPrintable(QString::number(diff / (600 * 400))));
    // Outside the box the page is blank: left of it, above it, below it.
    QVERIFY(distanza(pag.pixel(x0 - 20, y0 + 200), qRgb(255, 255, 255)) < 10);
    QVERIFY(distanza(pag.pixel(x0 + 300, y0 - 15), qRgb(255, 255, 255)) < 10);
    QVERIFY(distanza(pag.pixel(x0 + 300, y0 + 410), qRgb(255, 255, 255)) < 10);
}

void TstReportPdf::figure_illeggibili_lasciate_fuori()
{
    // A photo that is not a picture and a pin-out that does not exist: the
    // page keeps the diagram and refers to no image it never loaded.
    const QString rotta = dir_.filePath(QStringLiteral("rotta.jpg"));
    QFile f(rotta);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("non una foto");
    f.close();
    DatiReport d = dodici_ax7();
    d.file_foto = rotta;
    d.file_piedinatura = dir_.filePath(QStringLiteral("assente.gif"));
    d.titolo.clear();
    const QString pdf = dir_.filePath(QStringLiteral("senza_figure.pdf"));
    QVERIFY(scrivi_report_pdf(d, pdf));
    QCOMPARE(esegui(QStringLiteral("qpdf"), {QStringLiteral("--check"), pdf}).codice, 0);
    QCOMPARE(immagini_pdf(pdf), QStringList{QStringLiteral("600x400")});
    QFile letto(pdf);
    QVERIFY(letto.open(QIODevice::ReadOnly));
    const QByteArray byte = letto.readAll();
    QVERIFY(!byte.contains("/Img2"));
    QVERIFY(!byte.contains("/Img3"));
    // The empty title still gives the rest of the page.
    QVERIFY(pdftotext(pdf).contains(QStringLiteral("Valvola:12AX7,ECC83,TRIODO")));
}

void TstReportPdf::nessun_bitmap_resta()
{
    // The bitmaps are made in a private temporary folder: nothing is left
    // there, in the report's folder or in the current folder. The temporary
    // folder is one of this test's own, since other tests running at the
    // same time come and go in the system's.
    QTemporaryDir temporanea;
    QVERIFY(temporanea.isValid());
    const QByteArray tmpdir_prima = qgetenv("TMPDIR");
    qputenv("TMPDIR", QFile::encodeName(temporanea.path()));
    QCOMPARE(QDir::tempPath(), QDir(temporanea.path()).canonicalPath());
    const QString pdf = dir_.filePath(QStringLiteral("pulito.pdf"));
    const bool scritto = scrivi_report_pdf(dodici_ax7(), pdf);
    if (tmpdir_prima.isNull())
        qunsetenv("TMPDIR");
    else
        qputenv("TMPDIR", tmpdir_prima);
    QVERIFY(scritto);
    QVERIFY(QDir(temporanea.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).isEmpty());
    const QStringList bmp{QStringLiteral("*.bmp")};
    QVERIFY(QDir(dir_.path()).entryList(bmp).isEmpty());
    QVERIFY(QDir::current().entryList(bmp).isEmpty());
}

void TstReportPdf::designazioni_data()
{
    QTest::addColumn<QString>("usa");
    QTest::addColumn<QString>("euro");
    QTest::addColumn<QString>("modo");
    QTest::addColumn<QString>("atteso");
    QTest::newRow("tutte") << "12AX7"
                           << "ECC83"
                           << "TRIODO"
                           << "12AX7,ECC83,TRIODO";
    QTest::newRow("solo europea e modo") << ""
                                         << "ECC83"
                                         << "TRIODO"
                                         << "ECC83,TRIODO";
    QTest::newRow("solo americana") << "6L6GC"
                                    << ""
                                    << ""
                                    << "6L6GC";
    QTest::newRow("blank") << "  "
                           << " EL34 "
                           << "PENTODO"
                           << "EL34,PENTODO";
    QTest::newRow("nessuna") << ""
                             << ""
                             << ""
                             << "";
}

void TstReportPdf::designazioni()
{
    QFETCH(QString, usa);
    QFETCH(QString, euro);
    QFETCH(QString, modo);
    QFETCH(QString, atteso);
    QCOMPARE(testo_designazioni({usa, euro, modo}), atteso);
}

QTEST_MAIN(TstReportPdf)
#include "tst_report_pdf.moc"
