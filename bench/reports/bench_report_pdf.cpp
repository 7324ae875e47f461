// The "Progetto &PDF" command on the demo 12AX7 with a designed stage, from
// the capture to the closed file (the dialogs answered by the scripted seam),
// against QPdfWriter with QPainter drawing the same page: title, tube line,
// three pictures read from their files, frame, value table, page number and
// footer. The two run alternately; the medians and their ratio are printed.
#include "../comune/statistiche.h"
#include "chart/grafico.h"
#include "platform/piattaforma_scriptata.h"
#include "reports/comandi_report.h"
#include "shell/korvel.h"
#include "tubes/caricatore_valvola.h"
#include "tubes/lista_valvole.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

const QString dist = QStringLiteral(KORVEL_DIST_DIR "/");

// The demo 12AX7 on the real main window (offscreen) with a stage drawn:
// load line, working point, gain point and their grid voltages.
void progetta(KORVEL& w)
{
    w.KORVEL_Form_Load();
    for (int r = 1; r <= w.lista().righe_valvole(); ++r)
        if (w.lista().cella_lista(r, 2) == QStringLiteral("12AX7")) {
            w.caricatore().griglia_DB_DblClick(r);
            break;
        }
    Grafico& g = w.grafico();
    w.legenda_retta->click();
    g.Picture1_MouseDown(1, 0, 100, 230);
    g.Picture1_MouseMove(1, 0, 300, 330);
    g.Picture1_MouseUp(1, 0, 300, 330);
    w.calc_function[0]->trigger();
    w.legenda_lavoro->click();
    g.Picture1_MouseDown(1, 0, 200, 280);
    g.Picture1_MouseUp(1, 0, 200, 280);
    w.legenda_guadagno->click();
    g.Picture1_MouseDown(1, 0, 250, 305);
    g.Picture1_MouseUp(1, 0, 250, 305);
    w.campo(Campo::grid_bias)->setText(QStringLiteral("-1.5"));
    g.grid_bias_KeyDown(13, 0);
    w.campo(Campo::gain_bias)->setText(QStringLiteral("-2.5"));
    g.gain_bias_KeyDown(13, 0);
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

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int giri = argc > 1 ? std::max(1, std::atoi(argv[1])) : 30;
    QTemporaryDir tmp;
    const QString cartella = argc > 2 ? QString::fromLocal8Bit(argv[2]) : tmp.path();
    QDir().mkpath(cartella);
    PiattaformaScriptata p;
    KORVEL w(p, QStringLiteral(KORVEL_DIST_DIR));
    progetta(w);
    // What the command draws, for the Qt page.
    const DatiReport d = w.report().raccogli(QStringLiteral("Preamplificatore fono"), false);
    // The command itself: dialog, title, capture, report, question (No).
    auto comando = [&](const QString& file) {
        p.rispondi_file(file);
        p.rispondi_input(QStringLiteral("Preamplificatore fono"));
        p.rispondi_si_no(false);
        w.salvataggio[0]->trigger();
    };
    const QString nostro = cartella + QStringLiteral("/report_pdfwriter.pdf");
    const QString qt = cartella + QStringLiteral("/report_qpdfwriter.pdf");

    // One of each first, so fonts and caches are warm for both.
    comando(nostro);
    pagina_qt(d, qt);
    std::vector<double> t_nostro, t_qt;
    for (int i = 0; i < giri; ++i) {
        QElapsedTimer t;
        t.start();
        comando(nostro);
        t_nostro.push_back(t.nsecsElapsed() / 1e6);
        t.restart();
        pagina_qt(d, qt);
        t_qt.push_back(t.nsecsElapsed() / 1e6);
    }
    const double a = bench::mediana(t_nostro), b = bench::mediana(t_qt);
    std::printf("command PdfWriter %8.2f ms (median of %d, %lld bytes)\n", a, giri,
                static_cast<long long>(QFileInfo(nostro).size()));
    std::printf("QPdfWriter page   %8.2f ms (median of %d, %lld bytes)\n", b, giri,
                static_cast<long long>(QFileInfo(qt).size()));
    std::printf("ratio PdfWriter / QPdfWriter = %.2f\n", a / b);
    w.close();
    return 0;
}
