// The picture analysis behind the crop and the calibration: the skew of a
// scan, the grid and its frame, snapping a click to an intersection and the
// division check, on drawn bilevel pictures and on real scanned pages; and
// data-sheet PDFs read page by page, damaged ones refused.

#include "support/processo.h"

#include "common/numeri.h"
#include "foglio/analisi_grafico.h"
#include "foglio/pagine_pdf.h"

#include <QFile>
#include <QPainter>
#include <QPainterPath>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>
#include <cmath>

using namespace analisi_grafico;

namespace {

// A plot as a 300 dpi bilevel scan draws it: a frame at (200, 300) -
// (2200, 1700) with a minor line every 40 px (1 or 2 px wide) and a major
// one every 200 px (4 px wide), thick black curves crossing it, labels and
// a text table above; all turned by `gradi` about the centre.
constexpr int fx0 = 200, fy0 = 300, passo = 40, colonne = 50, righe = 35;

QImage scansione(double gradi)
{
    QImage img(2400, 2000, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.translate(1200, 1000);
    p.rotate(gradi);
    p.translate(-1200, -1000);
    const auto linea = [&](int spessore, QPoint a, QPoint b) {
        // Widths as the scans have them: the line's pixels from its
        // nominal position to the right or down.
        for (int s = 0; s < spessore; ++s) {
            const QPoint d = a.x() == b.x() ? QPoint(s, 0) : QPoint(0, s);
            p.setPen(QPen(Qt::black, 1));
            p.drawLine(a + d, b + d);
        }
    };
    for (int i = 0; i <= colonne; ++i)
        linea(i % 5 == 0 ? 4 : 1 + i % 2, {fx0 + i * passo, fy0}, {fx0 + i * passo, fy0 + righe * passo});
    for (int j = 0; j <= righe; ++j)
        linea(j % 5 == 0 ? 4 : 1 + j % 2, {fx0, fy0 + j * passo}, {fx0 + colonne * passo, fy0 + j * passo});
    p.setPen(QPen(Qt::black, 5));
    for (int c = 0; c < 6; ++c) {
        QPainterPath curva;
        curva.moveTo(fx0 + 100 + c * 250, fy0 + righe * passo);
        curva.cubicTo(fx0 + 300 + c * 250, fy0 + 900, fx0 + 350 + c * 250, fy0 + 300, fx0 + 420 + c * 250, fy0);
        p.drawPath(curva);
    }
    QFont f;
    f.setPixelSize(34);
    p.setFont(f);
    for (int c = 0; c < 6; ++c)
        p.drawText(fx0 + 430 + c * 250, fy0 + 60, QStringLiteral("-%1").arg(c * 2));
    for (int r = 0; r < 4; ++r)
        p.drawText(300, 80 + r * 45, QStringLiteral("Ebb 90 V   Rk 3300   Gain 10   Eo 15   riga %1").arg(r));
    p.end();
    return img;
}

QString fogli(const char* nome)
{
    return QStringLiteral(KORVEL_SOURCE_DIR "/tests/foglio/fogli/") + QString::fromLatin1(nome);
}

// A one-page PDF of the given size in points, drawn by hand: its diagonal
// from the lower-left corner.
QByteArray pdf_pagina(double larghezza, double altezza)
{
    QByteArray corpo = "4 w 0 0 m " + QByteArray::number(larghezza) + ' ' + QByteArray::number(altezza) + " l S\n";
    QList<QByteArray> oggetti = {
        "<< /Type /Catalog /Pages 2 0 R >>",
        "<< /Type /Pages /Kids [3 0 R] /Count 1 >>",
        QByteArray("<< /Type /Page /Parent 2 0 R /MediaBox [0 0 ") + QByteArray::number(larghezza) + ' ' +
            QByteArray::number(altezza) + "] /Contents 4 0 R >>",
        "<< /Length " + QByteArray::number(corpo.size()) + " >>\nstream\n" + corpo + "endstream",
    };
    QByteArray f = "%PDF-1.4\n";
    QList<int> posizioni;
    for (int i = 0; i < oggetti.size(); ++i) {
        posizioni << int(f.size());
        f += QByteArray::number(i + 1) + " 0 obj\n" + oggetti[i] + "\nendobj\n";
    }
    const int xref = int(f.size());
    f += "xref\n0 " + QByteArray::number(oggetti.size() + 1) + "\n0000000000 65535 f \n";
    for (int p : posizioni)
        f += QByteArray::number(p).rightJustified(10, '0') + " 00000 n \n";
    f += "trailer\n<< /Size " + QByteArray::number(oggetti.size() + 1) + " /Root 1 0 R >>\nstartxref\n" +
         QByteArray::number(xref) + "\n%%EOF\n";
    return f;
}

void scrivi(const QString& percorso, const QByteArray& dati)
{
    QFile f(percorso);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(dati);
}

} // namespace

class TestAnalisiGrafico : public QObject {
    Q_OBJECT

private slots:
    // The skew is measured to 0.05 degrees, and the picture turned back by
    // it has straight lines again.
    void inclinazione_data()
    {
        QTest::addColumn<double>("gradi");
        QTest::newRow("dritta") << 0.0;
        QTest::newRow("0,2 orario") << 0.2;
        QTest::newRow("0,25 antiorario") << -0.25;
        QTest::newRow("1,5 orario") << 1.5;
        QTest::newRow("1,5 antiorario") << -1.5;
        QTest::newRow("4 orario") << 4.0;
    }
    void inclinazione()
    {
        QFETCH(double, gradi);
        const QImage storta = scansione(gradi);
        const double misurata = analisi_grafico::inclinazione(storta);
        QVERIFY2(std::fabs(misurata - gradi) <= 0.05, qPrintable(QString::number(misurata)));
        const QImage dritta = ruota(storta, -misurata);
        QCOMPARE(dritta.size(), storta.size());
        const double resta = analisi_grafico::inclinazione(dritta);
        QVERIFY2(std::fabs(resta) <= 0.1, qPrintable(QString::number(resta)));
        // The corners the turn uncovers are white.
        if (gradi != 0) {
            QCOMPARE(qGray(dritta.pixel(0, 0)), 255);
            QCOMPARE(qGray(dritta.pixel(dritta.width() - 1, dritta.height() - 1)), 255);
        }
        // The straightened grid is whole again, its lines where they were
        // drawn.
        const Griglia g = rileva_griglia(dritta);
        QCOMPARE(int(g.verticali.size()), colonne + 1);
        QCOMPARE(int(g.orizzontali.size()), righe + 1);
        // Lines 1 and 2 px wide alternate, so neighbours are 40 +- 0.5 px apart.
        QVERIFY2(std::fabs(g.passo_x() - passo) <= 0.6, qPrintable(QString::number(g.passo_x())));
        QVERIFY(std::fabs(g.passo_y() - passo) <= 0.6);
        QVERIFY2(std::fabs(g.verticali[25] - (fx0 + 25 * passo + 1.5)) < 2.0,
                 qPrintable(QString::number(g.verticali[25])));
    }

    // The grid of the drawn scan: every line found at its centre, whatever
    // its width, the table and the labels left out, the frame around it.
    void griglia_della_scansione()
    {
        const Griglia g = rileva_griglia(scansione(0));
        QVERIFY(g.trovata());
        QCOMPARE(int(g.verticali.size()), colonne + 1);
        QCOMPARE(int(g.orizzontali.size()), righe + 1);
        for (int i = 0; i <= colonne; ++i) {
            const int spessore = i % 5 == 0 ? 4 : 1 + i % 2;
            const double centro = fx0 + i * passo + (spessore - 1) / 2.0;
            QVERIFY2(
                std::fabs(g.verticali[std::size_t(i)] - centro) <= 0.35,
                qPrintable(QStringLiteral("%1: %2 invece di %3").arg(i).arg(g.verticali[std::size_t(i)]).arg(centro)));
        }
        const QRect atteso(QPoint(fx0, fy0), QPoint(fx0 + colonne * passo + 3, fy0 + righe * passo + 3));
        QCOMPARE(g.cornice, atteso);
    }

    // White boxes behind labels break grid lines over up to half the
    // plot, more than any gap a line's run may skip; a rule, a text
    // baseline and a load line run long across the plot off the grid's
    // lattice. The broken lines are all found, the others are not.
    void linee_interrotte()
    {
        QImage img = scansione(0);
        {
            QPainter p(&img);
            // A title box over the top half of ten vertical lines, a label's
            // box across the left of five horizontal ones, a band under
            // the voltage axis across half of one.
            p.fillRect(QRect(fx0 + 10 * passo + 5, fy0 + 5, 10 * passo - 10, 17 * passo), Qt::white);
            p.fillRect(QRect(fx0 + 5, fy0 + 10 * passo + 6, 22 * passo, 4 * passo + 28), Qt::white);
            p.fillRect(QRect(fx0 + 4 * passo + 6, fy0 + 33 * passo - 12, 25 * passo, 24), Qt::white);
            p.setPen(QPen(Qt::black, 3));
            p.drawLine(fx0 + 200, fy0 + 22 * passo + 17, fx0 + 1700, fy0 + 22 * passo + 17);
            p.drawLine(fx0 + 31 * passo + 19, fy0 + 100, fx0 + 31 * passo + 19, fy0 + 1200);
            p.drawLine(fx0, fy0 + 1300, fx0 + 1900, fy0 + 100);
        }
        const Griglia g = rileva_griglia(img);
        QCOMPARE(int(g.verticali.size()), colonne + 1);
        QCOMPARE(int(g.orizzontali.size()), righe + 1);
        for (int i = 0; i <= colonne; ++i)
            QVERIFY2(std::fabs(g.verticali[std::size_t(i)] - (fx0 + i * passo)) <= 2.5,
                     qPrintable(QStringLiteral("%1: %2").arg(i).arg(g.verticali[std::size_t(i)])));
        for (int j = 0; j <= righe; ++j)
            QVERIFY2(std::fabs(g.orizzontali[std::size_t(j)] - (fy0 + j * passo)) <= 2.5,
                     qPrintable(QStringLiteral("%1: %2").arg(j).arg(g.orizzontali[std::size_t(j)])));
        QCOMPARE(g.cornice, QRect(QPoint(fx0, fy0), QPoint(fx0 + colonne * passo + 3, fy0 + righe * passo + 3)));
        QVERIFY(std::fabs(g.passo_x() - passo) <= 0.1 && std::fabs(g.passo_y() - passo) <= 0.1);
    }

    // Pictures the grid search must give up on.
    void senza_griglia_data()
    {
        QTest::addColumn<QImage>("immagine");
        QImage bianca(600, 400, QImage::Format_RGB32);
        bianca.fill(Qt::white);
        QTest::newRow("bianca") << bianca;
        QImage testo = bianca.copy();
        {
            QPainter p(&testo);
            QFont f;
            f.setPixelSize(20);
            p.setFont(f);
            for (int r = 0; r < 12; ++r)
                p.drawText(20, 30 + r * 30, QStringLiteral("Plate voltage 250 V; grid -8.5 V; 9 mA; riga %1").arg(r));
        }
        QTest::newRow("solo testo") << testo;
        QImage cornice = bianca.copy();
        {
            QPainter p(&cornice);
            p.drawRect(50, 50, 500, 300);
            p.drawLine(300, 50, 300, 350);
        }
        QTest::newRow("una riquadratura") << cornice;
        QImage nera(300, 200, QImage::Format_RGB32);
        nera.fill(Qt::black);
        QTest::newRow("tutta nera") << nera;
        QTest::newRow("vuota") << QImage();
        QTest::newRow("minuscola") << bianca.copy(0, 0, 3, 3);
    }
    void senza_griglia()
    {
        QFETCH(QImage, immagine);
        const Griglia g = rileva_griglia(immagine);
        QVERIFY(!g.trovata());
        QVERIFY(g.cornice.isEmpty());
        QVERIFY(!aggancia(g, QPointF(300, 200)));
        QVERIFY(std::isfinite(analisi_grafico::inclinazione(immagine)));
    }

    // A click within 4 px of a line lands on it, each direction on its
    // own; farther, that coordinate stays where it was.
    void aggancio_data()
    {
        QTest::addColumn<QPointF>("clic");
        QTest::addColumn<QPointF>("atteso");
        const QPointF nessuno(-1, -1);
        QTest::newRow("sopra") << QPointF(120, 80) << QPointF(120, 80);
        QTest::newRow("3 px a destra") << QPointF(123, 80) << QPointF(120, 80);
        QTest::newRow("3 px in alto") << QPointF(120, 77) << QPointF(120, 80);
        QTest::newRow("2 e 2 px") << QPointF(118, 82) << QPointF(120, 80);
        QTest::newRow("3 px e frazioni") << QPointF(122.6, 78.3) << QPointF(120, 80);
        QTest::newRow("5 px: solo la riga") << QPointF(125, 80) << QPointF(125, 80);
        QTest::newRow("3 e 3 px") << QPointF(123, 83) << QPointF(120, 80);
        QTest::newRow("3 px e 7 px: solo la colonna") << QPointF(123, 87) << QPointF(120, 87);
        QTest::newRow("tra due linee") << QPointF(130, 90) << nessuno;
        QTest::newRow("fuori dalla griglia") << QPointF(5, 5) << nessuno;
    }
    void aggancio()
    {
        QFETCH(QPointF, clic);
        QFETCH(QPointF, atteso);
        // A rescaled plot: lines every 20 px, from (20, 20) to (500, 400).
        QImage img(518, 418, QImage::Format_RGB32);
        img.fill(Qt::white);
        {
            QPainter p(&img);
            p.setPen(QPen(QColor(150, 150, 150), 1));
            for (int x = 20; x <= 500; x += 20)
                p.drawLine(x, 20, x, 400);
            for (int y = 20; y <= 400; y += 20)
                p.drawLine(20, y, 500, y);
            p.setPen(QPen(Qt::black, 2));
            p.drawLine(22, 398, 480, 40);
        }
        const Griglia g = rileva_griglia(img);
        QCOMPARE(int(g.verticali.size()), 25);
        QCOMPARE(int(g.orizzontali.size()), 20);
        const std::optional<QPointF> p = aggancia(g, clic);
        if (atteso.x() < 0) {
            QVERIFY(!p);
        } else {
            QVERIFY(p);
            QCOMPARE(*p, atteso);
        }
    }

    // A fine grid, lines 4 px apart as a dense data sheet arrives at
    // 518 x 418: the nearest line wins, never its neighbour, and the frame
    // takes a click 2 or 3 px outside it.
    void aggancio_fitto_data()
    {
        QTest::addColumn<QPointF>("clic");
        QTest::addColumn<QPointF>("atteso");
        QTest::newRow("origine, 2 px fuori") << QPointF(18, 402) << QPointF(20, 400);
        QTest::newRow("origine, 3 px fuori") << QPointF(17, 403) << QPointF(20, 400);
        QTest::newRow("origine, 1,5 px dentro") << QPointF(21.5, 398.5) << QPointF(20, 400);
        QTest::newRow("fondo scala, 2 px fuori") << QPointF(502, 18) << QPointF(500, 20);
        QTest::newRow("1,6 px dopo una linea") << QPointF(101.6, 201.6) << QPointF(100, 200);
        QTest::newRow("1,4 px prima della seguente") << QPointF(102.6, 202.6) << QPointF(104, 204);
        QTest::newRow("fuori in x, sulla riga in y") << QPointF(10, 301) << QPointF(10, 300);
    }
    void aggancio_fitto()
    {
        QFETCH(QPointF, clic);
        QFETCH(QPointF, atteso);
        QImage img(518, 418, QImage::Format_RGB32);
        img.fill(Qt::white);
        {
            QPainter p(&img);
            for (int x = 20; x <= 500; x += 4) {
                p.setPen(QPen(QColor(x % 20 == 0 ? 90 : 170, x % 20 == 0 ? 90 : 170, x % 20 == 0 ? 90 : 170), 1));
                p.drawLine(x, 20, x, 400);
            }
            for (int y = 20; y <= 400; y += 4) {
                p.setPen(QPen(QColor(y % 20 == 0 ? 90 : 170, y % 20 == 0 ? 90 : 170, y % 20 == 0 ? 90 : 170), 1));
                p.drawLine(20, y, 500, y);
            }
            p.setPen(QPen(Qt::black, 2));
            p.drawLine(22, 398, 480, 40);
        }
        const Griglia g = rileva_griglia(img);
        QCOMPARE(int(g.verticali.size()), 121);
        QCOMPARE(int(g.orizzontali.size()), 96);
        const std::optional<QPointF> p = aggancia(g, clic);
        QVERIFY(p);
        QCOMPARE(*p, atteso);
    }

    void rotondo_data()
    {
        QTest::addColumn<double>("valore");
        QTest::addColumn<bool>("tondo");
        QTest::newRow("1") << 1.0 << true;
        QTest::newRow("0,2") << 0.2 << true;
        QTest::newRow("5") << 5.0 << true;
        QTest::newRow("50") << 50.0 << true;
        QTest::newRow("10 +1,5%") << 10.15 << true;
        QTest::newRow("0,2 -1,9%") << 0.1962 << true;
        QTest::newRow("20 +3%") << 20.6 << false;
        QTest::newRow("2,5") << 2.5 << true;
        QTest::newRow("0,25") << 0.25 << true;
        QTest::newRow("3") << 3.0 << false;
        QTest::newRow("zero") << 0.0 << false;
        QTest::newRow("negativo") << -2.0 << false;
        QTest::newRow("infinito") << double(INFINITY) << false;
        QTest::newRow("non un numero") << double(NAN) << false;
    }
    void rotondo()
    {
        QFETCH(double, valore);
        QFETCH(bool, tondo);
        QCOMPARE(analisi_grafico::rotondo(valore), tondo);
    }

    // One division of a grid every 12 px across and 17 px down with the
    // calibration typed: right values are round, a wrong "I=" is not.
    void divisione_data()
    {
        QTest::addColumn<double>("volt");
        QTest::addColumn<double>("milliampere");
        QTest::addColumn<QString>("testo");
        QTest::addColumn<bool>("tonda");
        // Written with the Italian decimal comma, shown with the locale's.
        const auto t = [](const char* testo) {
            return QString::fromUtf8(testo).replace(QLatin1Char(','), QLocale().decimalPoint());
        };
        QTest::newRow("giusta") << 400.0 << 20.0 << t("Divisione: 10 V; 1 mA") << true;
        QTest::newRow("milliampere piccoli") << 400.0 << 4.0 << t("Divisione: 10 V; 0,2 mA") << true;
        QTest::newRow("I sbagliata") << 400.0 << 25.0 << t("Divisione: 10 V; 1,25 mA") << false;
        QTest::newRow("V sbagliata") << 300.0 << 20.0 << t("Divisione: 7,5 V; 1 mA") << false;
    }
    void divisione()
    {
        QFETCH(double, volt);
        QFETCH(double, milliampere);
        QFETCH(QString, testo);
        QFETCH(bool, tonda);
        Griglia g;
        for (int i = 0; i <= 40; ++i)
            g.verticali.push_back(20 + 12 * i);
        for (int j = 0; j <= 20; ++j)
            g.orizzontali.push_back(40 + 17 * j);
        Taratura t;
        t.org_x = 20;
        t.org_y = 380;
        t.vmax_x = 500;
        t.vmax_y = 380;
        t.imax_x = 20;
        t.imax_y = 40;
        t.vmax_v = volt;
        t.imax_i = milliampere;
        const std::optional<Divisione> d = analisi_grafico::divisione(g, t);
        QVERIFY(d);
        QCOMPARE(d->testo, testo);
        QCOMPARE(d->rotonda, tonda);
        // A calibration that gives no scale has no division.
        t.imax_i = 0;
        QVERIFY(!analisi_grafico::divisione(g, t));
        QVERIFY(!analisi_grafico::divisione(Griglia{}, Taratura{}));
    }

    void quarto_di_giro()
    {
        QImage img(30, 20, QImage::Format_RGB32);
        img.fill(Qt::white);
        img.setPixel(0, 0, qRgb(0, 0, 0));
        const QImage destra = analisi_grafico::quarto_di_giro(img, true);
        QCOMPARE(destra.size(), QSize(20, 30));
        // Clockwise, the top-left corner goes to the top right.
        QCOMPARE(qGray(destra.pixel(19, 0)), 0);
        const QImage sinistra = analisi_grafico::quarto_di_giro(img, false);
        QCOMPARE(qGray(sinistra.pixel(0, 29)), 0);
        QCOMPARE(analisi_grafico::quarto_di_giro(destra, false), img);
    }

    // The three real scanned pages: each skewed by a few tenths of a
    // degree, each with the grid of its plate characteristics to find once
    // straightened (the RCA page after a quarter turn). The Tung-Sol and RCA
    // pages hold a second, larger or equal plot below (positive-grid
    // characteristics) and the 12SR7 page a ruled table above: the plot
    // found is the first in reading order, its frame (the outermost lines,
    // measured on the pages by eye) within 6 px, and nearly all its lines
    // found, though white boxes behind labels break many of them.
    void fogli_reali_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<bool>("girata");
        QTest::addColumn<QRect>("cornice");
        QTest::addColumn<int>("verticali"); // lines on the sheet
        QTest::addColumn<int>("orizzontali");
        QTest::newRow("12SR7 GE") << fogli("12SR7-GE-pagina2.pdf") << false << QRect(420, 1339, 1603, 1127) << 101
                                  << 71;
        QTest::newRow("19J6 Tung-Sol") << fogli("19J6-TungSol-pagina3.pdf") << false << QRect(164, 138, 1407, 1102)
                                       << 33 << 26;
        QTest::newRow("19J6 RCA") << fogli("19J6-RCA-pagina2.pdf") << true << QRect(912, 243, 1567, 926) << 141 << 81;
    }
    void fogli_reali()
    {
        QFETCH(QString, file);
        QFETCH(bool, girata);
        QFETCH(QRect, cornice);
        QFETCH(int, verticali);
        QFETCH(int, orizzontali);
        QVERIFY(pagine_pdf::e_pdf(file));
        pagine_pdf::Documento d(file);
        QCOMPARE(d.errore(), QString());
        QCOMPARE(d.pagine(), 1);
        QImage pagina = d.pagina(0);
        QVERIFY(!pagina.isNull());
        // 300 dpi: the scans' own pixels.
        QVERIFY2(std::abs(pagina.width() - int(d.dimensioni_punti(0).width() * 300 / 72)) <= 1,
                 qPrintable(QString::number(pagina.width())));
        const double gradi = analisi_grafico::inclinazione(pagina);
        qInfo("inclinazione %s: %.2f", qPrintable(file), gradi);
        QVERIFY2(std::fabs(gradi) >= 0.1 && std::fabs(gradi) <= 0.3, qPrintable(QString::number(gradi)));
        QImage dritta = ruota(pagina, -gradi);
        const double resta = analisi_grafico::inclinazione(dritta);
        QVERIFY2(std::fabs(resta) <= 0.05, qPrintable(QString::number(resta)));
        if (girata)
            dritta = analisi_grafico::quarto_di_giro(dritta, true);
        const Griglia g = rileva_griglia(dritta);
        qInfo("griglia: %d x %d linee, passo %.2f x %.2f, cornice %d,%d %dx%d", int(g.verticali.size()),
              int(g.orizzontali.size()), g.passo_x(), g.passo_y(), g.cornice.x(), g.cornice.y(), g.cornice.width(),
              g.cornice.height());
        QVERIFY(g.trovata());
        QVERIFY2(
            std::abs(g.cornice.left() - cornice.left()) <= 6 && std::abs(g.cornice.right() - cornice.right()) <= 6 &&
                std::abs(g.cornice.top() - cornice.top()) <= 6 && std::abs(g.cornice.bottom() - cornice.bottom()) <= 6,
            qPrintable(QStringLiteral("%1,%2 %3x%4")
                           .arg(g.cornice.x())
                           .arg(g.cornice.y())
                           .arg(g.cornice.width())
                           .arg(g.cornice.height())));
        QVERIFY(int(g.verticali.size()) <= verticali && int(g.verticali.size()) >= verticali * 95 / 100);
        QVERIFY(int(g.orizzontali.size()) <= orizzontali && int(g.orizzontali.size()) >= orizzontali * 95 / 100);
        // The division: the frame over the sheet's count of divisions.
        QVERIFY2(std::fabs(g.passo_x() * (verticali - 1) / (cornice.width() - 3) - 1) < 0.01,
                 qPrintable(QString::number(g.passo_x())));
        QVERIFY2(std::fabs(g.passo_y() * (orizzontali - 1) / (cornice.height() - 3) - 1) < 0.01,
                 qPrintable(QString::number(g.passo_y())));
    }

    // Files that are not readable PDFs are refused, each with its reason.
    void pdf_difettosi_data()
    {
        QTest::addColumn<QString>("caso");
        QTest::addColumn<QString>("messaggio");
        QTest::newRow("troncato") << "troncato"
                                  << "danneggiato";
        QTest::newRow("zero pagine") << "zero"
                                     << "non contiene pagine";
        QTest::newRow("cifrato") << "cifrato"
                                 << "protetto da password";
        QTest::newRow("solo intestazione") << "intestazione"
                                           << "danneggiato";
    }
    void pdf_difettosi()
    {
        QFETCH(QString, caso);
        QFETCH(QString, messaggio);
        QTemporaryDir dir;
        const QString f = dir.filePath(QStringLiteral("foglio.pdf"));
        QFile sorgente(fogli("12SR7-GE-pagina2.pdf"));
        QVERIFY(sorgente.open(QIODevice::ReadOnly));
        const QByteArray intero = sorgente.readAll();
        if (caso == "troncato") {
            scrivi(f, intero.left(intero.size() / 3));
        } else if (caso == "zero") {
            QVERIFY(esegui(QStringLiteral("qpdf"), {QStringLiteral("--empty"), f}).codice == 0);
        } else if (caso == "cifrato") {
            QVERIFY(esegui(QStringLiteral("qpdf"),
                           {QStringLiteral("--encrypt"), QStringLiteral("utente"), QStringLiteral("proprietario"),
                            QStringLiteral("256"), QStringLiteral("--"), fogli("12SR7-GE-pagina2.pdf"), f})
                        .codice == 0);
        } else {
            scrivi(f, "%PDF-1.4\n%%EOF\n");
        }
        QVERIFY(pagine_pdf::e_pdf(f));
        pagine_pdf::Documento d(f);
        QVERIFY2(d.errore().contains(messaggio), qPrintable(d.errore()));
        QVERIFY(d.errore().contains(QStringLiteral("foglio.pdf")));
        QCOMPARE(d.pagine(), 0);
        QVERIFY(d.pagina(0).isNull());
        QVERIFY(d.miniatura(0, 100).isNull());
    }

    // A page far beyond 100 million pixels at 300 dpi (20000 x 20000 px,
    // 4800 pt a side) comes at the lower resolution that fits.
    void pagina_enorme()
    {
        QCOMPARE(pagine_pdf::dimensioni_resa(QSizeF(612, 792)), QSize(2550, 3300));
        const QSize ridotta = pagine_pdf::dimensioni_resa(QSizeF(4800, 4800));
        QCOMPARE(ridotta, QSize(10000, 10000));
        const QSize lunga = pagine_pdf::dimensioni_resa(QSizeF(14400, 600));
        QVERIFY(qint64(lunga.width()) * lunga.height() <= pagine_pdf::pixel_massimi);
        QVERIFY(std::abs(lunga.width() - 24 * lunga.height()) <= 24);
        QVERIFY(pagine_pdf::dimensioni_resa(QSizeF(0, 100)).isEmpty());

        QTemporaryDir dir;
        const QString f = dir.filePath(QStringLiteral("enorme.pdf"));
        scrivi(f, pdf_pagina(4800, 4800));
        pagine_pdf::Documento d(f);
        QCOMPARE(d.errore(), QString());
        const QImage pagina = d.pagina(0);
        QCOMPARE(pagina.size(), QSize(10000, 10000));
        // In grey levels: a quarter of the memory of colours.
        QCOMPARE(pagina.format(), QImage::Format_Grayscale8);
        QCOMPARE(qGray(pagina.pixel(5000, 2000)), 255);
        // The diagonal, whole across the bands the page is rendered in.
        for (int x : {300, 1500, 5000, 9700}) {
            int piu_scuro = 255;
            for (int y = 9999 - x - 20; y <= 9999 - x + 20; ++y)
                piu_scuro = std::min(piu_scuro, qGray(pagina.pixel(x, y)));
            QVERIFY2(piu_scuro < 128, qPrintable(QString::number(x)));
        }
        QVERIFY(!d.miniatura(0, 100).isNull());
    }

    void non_pdf()
    {
        QTemporaryDir dir;
        const QString f = dir.filePath(QStringLiteral("curva.gif"));
        scrivi(f, "GIF89a....");
        QVERIFY(!pagine_pdf::e_pdf(f));
        QVERIFY(!pagine_pdf::e_pdf(dir.filePath(QStringLiteral("assente.pdf"))));
    }
};

QTEST_MAIN(TestAnalisiGrafico)
#include "tst_analisi_grafico.moc"
