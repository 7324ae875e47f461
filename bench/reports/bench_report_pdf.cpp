// The project report of the demo 12AX7, from the capture to the closed file,
// against QPdfWriter with QPainter drawing the same page: title, tube line,
// three pictures read from their files, frame, value table, page number and
// footer. The two run alternately; the medians and their ratio are printed.
#include "chart/tela.h"
#include "reports/report_pdf.h"

#include <FreeImage.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

const QString dist = QStringLiteral(KORVEL_DIST_DIR "/");

DatiReport dati()
{
    DatiReport d;
    d.titolo = QStringLiteral("Preamplificatore fono");
    d.nome_valvola = {QStringLiteral("12AX7"), QStringLiteral("ECC83"), QStringLiteral("TRIODO")};
    d.gain_value = QStringLiteral("61.54");
    d.r_value = QStringLiteral("62,500");
    d.r_anodica = QStringLiteral("100,000");
    d.r_catodica = QStringLiteral("1,500");
    d.c_catodica = QStringLiteral("25.32");
    // The chart canvas with the demo curve picture on it.
    Tela tela;
    tela.imposta_immagine(QImage(dist + QStringLiteral("DatiValvole/Curve/12AX7trio.gif")));
    tela.linea_xor(60, 40, 480, 370, 12, 2);
    d.grafico = tela.immagine();
    d.file_foto = dist + QStringLiteral("DatiValvole/Immagini/12AX7.jpg");
    d.file_piedinatura = dist + QStringLiteral("DatiValvole/Piedinature/12AX7pin.gif");
    return d;
}

// The same page with Qt's engine, in centimetres from the bottom-left corner.
void pagina_qt(const DatiReport& d, const QString& file)
{
    QPdfWriter w(file);
    w.setPageSize(QPageSize(QPageSize::A4));
    w.setPageMargins(QMarginsF(0, 0, 0, 0));
    w.setResolution(720);
    w.setTitle(d.titolo);
    QPainter p(&w);
    const double cm = 720 / 2.54;
    auto X = [&](double x) { return x * cm; };
    auto Y = [&](double y) { return (29.7 - y) * cm; };
    auto testo = [&](double x, double y, const QString& t, const QFont& f, int allinea) {
        p.setFont(f);
        const double l = QFontMetricsF(f, &w).horizontalAdvance(t);
        const double sx = allinea == 1 ? X(x) - l : allinea == 2 ? X(x) - l / 2 : X(x);
        p.drawText(QPointF(sx, Y(y)), t);
    };
    QFont times(QStringLiteral("Times New Roman"), 12), times48(QStringLiteral("Times New Roman"), 48);
    QFont arial(QStringLiteral("Arial"), 24), arial10(QStringLiteral("Arial"), 10);
    arial.setItalic(true);
    arial.setStretch(70);
    arial10.setItalic(true);
    testo(18, 1.5, QStringLiteral("pag. 1"), times, 1);
    testo(19, 1.5, QStringLiteral("di 1"), times, 1);
    testo(10.5, 26.5, d.titolo, times48, 2);
    testo(10.5, 25, QStringLiteral("Valvola:") + testo_designazioni(d.nome_valvola), arial, 2);
    const QImage foto(d.file_foto), pin(d.file_piedinatura);
    auto figura = [&](const QImage& img, double x, double y, double h) {
        if (!img.isNull())
            p.drawImage(QRectF(X(x), Y(y), X(h * img.width() / img.height()), X(h)), img);
    };
    figura(d.grafico, 2, 24, 8);
    figura(foto, 4, 15, 8);
    figura(pin, 13.5, 14, 5);
    p.setPen(QPen(Qt::black, 0));
    p.drawRect(QRectF(X(1), Y(28), X(19), X(27)));
    const QString et[] = {"Guadagno", "R.Equiv.Tubo=", "R.Anodica=", "R.Catodica=", "C.Bypass="};
    const QString va[] = {d.gain_value, d.r_value, d.r_anodica, d.r_catodica, d.c_catodica};
    const QString un[] = {"", "Ohm", "Ohm", "Ohm", "uF"};
    for (int r = 0; r < 5; ++r) {
        testo(15, 22 - 0.5 * r, et[r], arial10, 2);
        testo(17.5, 22 - 0.5 * r, va[r], arial10, 2);
        testo(18.5, 22 - 0.5 * r, un[r], arial10, 2);
        p.drawLine(QPointF(X(13), Y(22.4 - 0.5 * r)), QPointF(X(19), Y(22.4 - 0.5 * r)));
    }
    p.drawLine(QPointF(X(13), Y(19.9)), QPointF(X(19), Y(19.9)));
    p.drawLine(QPointF(X(13), Y(19.9)), QPointF(X(13), Y(22.4)));
    p.drawLine(QPointF(X(19), Y(19.9)), QPointF(X(19), Y(22.4)));
}

double mediana(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    FreeImage_Initialise(FALSE);
    const int giri = argc > 1 ? std::max(1, std::atoi(argv[1])) : 30;
    QTemporaryDir tmp;
    const QString cartella = argc > 2 ? QString::fromLocal8Bit(argv[2]) : tmp.path();
    QDir().mkpath(cartella);
    const DatiReport d = dati();
    const QString nostro = cartella + QStringLiteral("/report_pdfwriter.pdf");
    const QString qt = cartella + QStringLiteral("/report_qpdfwriter.pdf");

    // One of each first, so fonts and caches are warm for both.
    scrivi_report_pdf(d, nostro);
    pagina_qt(d, qt);
    std::vector<double> t_nostro, t_qt;
    for (int i = 0; i < giri; ++i) {
        QElapsedTimer t;
        t.start();
        scrivi_report_pdf(d, nostro);
        t_nostro.push_back(t.nsecsElapsed() / 1e6);
        t.restart();
        pagina_qt(d, qt);
        t_qt.push_back(t.nsecsElapsed() / 1e6);
    }
    const double a = mediana(t_nostro), b = mediana(t_qt);
    std::printf("report PdfWriter  %8.2f ms (median of %d, %lld bytes)\n", a, giri,
                static_cast<long long>(QFileInfo(nostro).size()));
    std::printf("QPdfWriter page   %8.2f ms (median of %d, %lld bytes)\n", b, giri,
                static_cast<long long>(QFileInfo(qt).size()));
    std::printf("ratio PdfWriter / QPdfWriter = %.2f\n", a / b);
    FreeImage_DeInitialise();
    return 0;
}
