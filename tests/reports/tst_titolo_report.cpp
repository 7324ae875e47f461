// The title of the PDF report stays inside the page frame whatever its
// length: a short one at its 48 points, a longer one smaller, never below
// 12 points, and beyond that cut with "…". Read back with pdftotext -bbox
// and rendered with pdftoppm.
#include "reports/report_pdf.h"
#include "report_prova.h"

#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

using namespace report_prova;

namespace {

constexpr double punti_cm = 72.0 / 2.54;

// The page frame, in points from the page's top-left corner as pdftotext
// measures: 1 cm to 20 cm across, 1 cm to 28 cm up an A4 page.
constexpr double frame_sinistra = 1 * punti_cm;
constexpr double frame_destra = 20 * punti_cm;
constexpr double frame_alto = (29.7 - 28) * punti_cm;

struct Parola {
    QString testo;
    double x0, y0, x1, y1;
};

// The words of the title line: those whose baseline region lies above the
// tube line (at 25 cm from the bottom, 4.7 cm from the top).
QList<Parola> parole_titolo(const QString& pdf)
{
    const Esito e = esegui(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
    static const QRegularExpression parola(QStringLiteral(
        "<word xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\" xMax=\"([0-9.]+)\" yMax=\"([0-9.]+)\">([^<]*)</word>"));
    QList<Parola> titolo;
    for (auto it = parola.globalMatch(e.uscita); it.hasNext();) {
        const auto m = it.next();
        const Parola p{m.captured(5), m.captured(1).toDouble(), m.captured(2).toDouble(), m.captured(3).toDouble(),
                       m.captured(4).toDouble()};
        if (p.y1 < 4.2 * punti_cm)
            titolo << p;
    }
    return titolo;
}

QString titolo_di(int lunghezza)
{
    const QString frase =
        QStringLiteral("Preamplificatore fono RIAA a due stadi con doppio triodo 12AX7, controreazione selettiva "
                       "e alimentazione stabilizzata per testine magnetiche a bassa uscita e alta impedenza");
    QString t = frase.left(lunghezza);
    // A title that ends in a blank would lose it in the text read back.
    if (t.endsWith(u' '))
        t[t.size() - 1] = u'x';
    return t;
}

} // namespace

class TstTitoloReport : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { FreeImage_Initialise(FALSE); }
    void cleanupTestCase() { FreeImage_DeInitialise(); }

    void titolo_nella_cornice_data()
    {
        QTest::addColumn<int>("lunghezza");
        QTest::addColumn<bool>("intero");      // the whole title shown
        QTest::addColumn<double>("corpo_min"); // bounds of the type size, in
        QTest::addColumn<double>("corpo_max"); // points, from the box height
        QTest::newRow("10 characters") << 10 << true << 48.0 << 48.0;
        QTest::newRow("27 characters") << 27 << true << 12.0 << 47.5;
        QTest::newRow("49 characters") << 49 << true << 12.0 << 47.5;
        QTest::newRow("120 characters") << 120 << false << 12.0 << 12.0;
    }
    void titolo_nella_cornice()
    {
        QFETCH(int, lunghezza);
        QFETCH(bool, intero);
        QFETCH(double, corpo_min);
        QFETCH(double, corpo_max);
        QTemporaryDir dir;
        const QString pdf = dir.filePath(QStringLiteral("titolo.pdf"));
        DatiReport d = dodici_ax7();
        d.titolo = titolo_di(lunghezza);
        QCOMPARE(d.titolo.size(), lunghezza);
        QVERIFY(scrivi_report_pdf(d, pdf));
        const Esito check = esegui(QStringLiteral("qpdf"), {QStringLiteral("--check"), pdf});
        QVERIFY2(check.codice == 0, qPrintable(check.uscita + check.errori));

        const QList<Parola> parole = parole_titolo(pdf);
        QVERIFY(!parole.isEmpty());
        QStringList testi;
        double x0 = 1e9, x1 = -1e9, y0 = 1e9, y1 = -1e9;
        for (const Parola& p : parole) {
            testi << p.testo;
            x0 = std::min(x0, p.x0);
            x1 = std::max(x1, p.x1);
            y0 = std::min(y0, p.y0);
            y1 = std::max(y1, p.y1);
        }
        const QString letto = testi.join(u' ');
        qInfo("%d characters: box %.1f-%.1f x %.1f-%.1f pt, \"%s\"", lunghezza, x0, x1, y0, y1, qPrintable(letto));
        if (intero) {
            QCOMPARE(letto, d.titolo);
        } else {
            QVERIFY2(letto.endsWith(QStringLiteral("…")), qPrintable(letto));
            QVERIFY(d.titolo.startsWith(letto.chopped(1).trimmed()));
            QVERIFY(letto.size() > 40); // shortened only as far as needed
        }
        // Across: inside the frame, and still centred on it.
        QVERIFY2(x0 >= frame_sinistra && x1 <= frame_destra, qPrintable(QStringLiteral("%1 %2").arg(x0).arg(x1)));
        QVERIFY(std::fabs((x0 + x1) / 2 - 10.5 * punti_cm) < 1.0);
        QVERIFY2(y0 >= frame_alto, qPrintable(QString::number(y0)));
        // The box's height follows the type size: pdftotext measures this
        // face's ascent and descent as 0.9 of it.
        const double corpo = (y1 - y0) / 0.9;
        QVERIFY2(corpo >= corpo_min * 0.97 && corpo <= corpo_max * 1.03, qPrintable(QString::number(corpo)));
        // And what is drawn agrees: the rendered page has no ink above the
        // frame.
        const QImage pagina = pagina_renderizzata(pdf, dir.path());
        QVERIFY(!pagina.isNull());
        const double px = pagina.width() / (21.0 * punti_cm);
        for (int y = 0; y < int(frame_alto * px) - 1; ++y)
            for (int x = 0; x < pagina.width(); ++x)
                QVERIFY2(qGray(pagina.pixel(x, y)) > 200, qPrintable(QStringLiteral("%1,%2").arg(x).arg(y)));
        // Nor beside it, at the height of the title.
        const int sinistra = int(frame_sinistra * px) - 1, destra = int(frame_destra * px) + 2;
        for (int y = 0; y < int(4.5 * punti_cm * px); ++y) {
            for (int x = 0; x < pagina.width(); ++x) {
                if (x >= sinistra && x < destra)
                    continue;
                QVERIFY2(qGray(pagina.pixel(x, y)) > 200, qPrintable(QStringLiteral("%1,%2").arg(x).arg(y)));
            }
        }
    }

private:
    static QImage pagina_renderizzata(const QString& pdf, const QString& cartella)
    {
        const QString base = cartella + QStringLiteral("/pagina");
        const Esito e =
            esegui(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QStringLiteral("72"), QStringLiteral("-png"),
                                                QStringLiteral("-singlefile"), pdf, base});
        if (e.codice != 0)
            return {};
        return QImage(base + QStringLiteral(".png"));
    }
};

QTEST_MAIN(TstTitoloReport)
#include "tst_titolo_report.moc"
