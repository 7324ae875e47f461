// Times one mouse move of a load-line drag on the chart of the real main
// window, with a demo tube loaded: the move event sent with the left button
// held, then the window's pending repaint carried out, as the event loop
// would do before the next move. With a folder, the window as the screen
// shows it at the end of the drag is kept there (trascina.png) for a look.
// Run: build/bench/bench_trascina [moves [folder]]
#include "support/mani_grafico.h"
#include "support/programma_demo.h"

#include "chart/ui/picture1.h"
#include "platform/piattaforma_scriptata.h"
#include "shell/korvel.h"
#include "tubes/caricatore_valvola.h"

#include <QApplication>
#include <QPixmap>
#include <QScreen>
#include <QTabWidget>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

namespace {

double percentile(std::vector<double> v, double p)
{
    std::sort(v.begin(), v.end());
    const auto i = static_cast<std::size_t>(std::ceil(p * static_cast<double>(v.size()))) - 1;
    return v[std::min(i, v.size() - 1)];
}

} // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int mosse = argc > 1 ? std::max(1, atoi(argv[1])) : 1000;

    QTemporaryDir dir;
    if (!copia_dati_demo(dir.path())) {
        std::fprintf(stderr, "cannot copy the demo data folder (build the demo_data target)\n");
        return 1;
    }
    PiattaformaScriptata p;
    KORVEL w(p, dir.path());
    w.KORVEL_Form_Load();
    if (w.lista().righe_valvole() < 1) {
        std::fprintf(stderr, "the demo tube list is empty\n");
        return 1;
    }
    w.caricatore().griglia_DB_DblClick(1);
    QWidget* grafico = w.Picture1_;
    // The chart's tab in front, so that the moves are painted on screen.
    for (int i = 0; i < w.SSTab1->count(); ++i)
        if (w.SSTab1->widget(i)->isAncestorOf(grafico))
            w.SSTab1->setCurrentIndex(i);
    QCoreApplication::processEvents();
    if (!grafico->isVisible()) {
        std::fprintf(stderr, "the chart is not shown\n");
        return 1;
    }

    const QPointF inizio(120, 80);
    mani_grafico::evento(grafico, QEvent::MouseButtonPress, inizio, Qt::LeftButton, Qt::LeftButton);
    QCoreApplication::processEvents();

    // The pointer sweeps back and forth over the chart, a few pixels a move,
    // as a hand dragging the line's end to a new place does.
    std::vector<double> tempi, eventi;
    tempi.reserve(static_cast<std::size_t>(mosse));
    eventi.reserve(static_cast<std::size_t>(mosse));
    QElapsedTimer t;
    for (int i = 0; i < mosse; ++i) {
        const double a = i * 0.02;
        const QPointF pos(300 + 180 * std::sin(a), 250 + 120 * std::sin(a * 1.7));
        t.start();
        mani_grafico::evento(grafico, QEvent::MouseMove, pos, Qt::NoButton, Qt::LeftButton);
        eventi.push_back(static_cast<double>(t.nsecsElapsed()) / 1e3);
        QCoreApplication::processEvents();
        tempi.push_back(static_cast<double>(t.nsecsElapsed()) / 1e3);
    }
    if (argc > 2) {
        const QString png = QString::fromLocal8Bit(argv[2]) + QStringLiteral("/trascina.png");
        if (!w.screen()->grabWindow(w.winId()).save(png))
            std::fprintf(stderr, "cannot write %s\n", qPrintable(png));
    }
    mani_grafico::evento(grafico, QEvent::MouseButtonRelease, QPointF(300, 250), Qt::LeftButton, Qt::NoButton);
    QCoreApplication::processEvents();

    std::printf("moves: %d (load-line drag, demo tube)\n", mosse);
    std::printf("median per move:          %8.1f us\n", percentile(tempi, 0.5));
    std::printf("99th percentile per move: %8.1f us\n", percentile(tempi, 0.99));
    std::printf("of which the event alone: %8.1f us median, the rest is the repaint\n", percentile(eventi, 0.5));
    return 0;
}
