// Times "&Leggi Progetto" on a project of 1,000 load lines and 1,000
// working points over the demo 12AX7, in the real main window offscreen,
// against the chart engine drawing the same objects with their labels and
// legends directly, with no file, in the same run.
// Run: build/bench/bench_progetto [objects of each kind]
#include "../comune/statistiche.h"
#include "chart/grafico.h"
#include "chart/stile_disegno.h"
#include "common/numeri.h"
#include "platform/piattaforma_scriptata.h"
#include "project/comandi_progetto.h"
#include "project/scrittura_xml.h"
#include "shell/korvel.h"
#include "tubes/caricatore_valvola.h"
#include "tubes/lista_valvole.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

// Lines from the current axis to the voltage axis and points spread over
// the demo picture's plotting area (origin 56, 380; top right 496, 40).
Progetto progetto(int n, const QString& modo)
{
    Progetto p;
    p.usa = QStringLiteral("12AX7");
    p.euro = QStringLiteral("ECC83");
    p.modo = modo;
    p.r_anodica = QStringLiteral("100,000");
    p.potenza = QStringLiteral("1000");
    p.grid_bias = QStringLiteral("1.5");
    for (int k = 0; k < n; ++k) {
        segmento s;
        s.x0 = 56;
        s.y0 = float(40 + (k * 7) % 330);
        s.x1 = float(150 + (k * 13) % 340);
        s.y1 = 380;
        p.rette.push_back(s);
        p.punti_lavoro.push_back(punto{float(60 + (k * 17) % 430), float(45 + (k * 11) % 330), 14});
    }
    return p;
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int n = argc > 1 ? std::max(1, std::atoi(argv[1])) : 1000;

    PiattaformaScriptata piattaforma;
    KORVEL w(piattaforma, QStringLiteral(KORVEL_DIST_DIR));
    w.KORVEL_Form_Load();
    int riga = 0;
    for (int r = 1; r <= w.lista().righe_valvole() && riga == 0; ++r)
        if (w.lista().cella_lista(r, 2) == QStringLiteral("12AX7"))
            riga = r;
    if (riga == 0) {
        std::fprintf(stderr, "the demo 12AX7 is not in %s\n", KORVEL_DIST_DIR);
        return 1;
    }
    const Progetto p = progetto(n, w.lista().cella_lista(riga, 4));
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("bench.xml"));
    const QByteArray byte = byte_progetto(p);
    if (!scrivi_file_progetto(file, byte))
        return 1;

    Grafico& g = w.grafico();
    std::vector<double> comando, diretto;
    for (int giro = 0; giro < 7; ++giro) {
        piattaforma.rispondi_file(file);
        QElapsedTimer t;
        t.start();
        w.lettura_progetto->trigger();
        comando.push_back(t.nsecsElapsed() / 1e6);
        if (!piattaforma.messaggi().isEmpty()) {
            std::fprintf(stderr, "load failed: %s\n", qPrintable(piattaforma.messaggi().join(' ')));
            return 1;
        }

        // The same objects straight through the engine on the loaded tube.
        w.caricatore().griglia_DB_DblClick(riga);
        t.restart();
        for (int k = 1; k <= n; ++k) {
            const segmento& s = p.rette[std::size_t(k)];
            g.disegna_linea(s, g.stato().colore_retta);
            g.paint_value(numeri::etichetta(u'R', k), s.x0, s.y0, colore_etichetta_retta);
        }
        w.imposta_legenda(Legenda::retta, Grafico::colore_presente(Legenda::retta), numeri::etichetta(u'R', n));
        for (int k = 1; k <= n; ++k) {
            const punto& q = p.punti_lavoro[std::size_t(k)];
            g.disegna_box(q.x, q.y, g.stato().colore_lavoro);
            g.paint_value(numeri::etichetta(u'L', k), q.x, q.y, colore_etichetta_lavoro);
        }
        w.imposta_legenda(Legenda::lavoro, Grafico::colore_presente(Legenda::lavoro), numeri::etichetta(u'L', n));
        g.display_valori(true);
        diretto.push_back(t.nsecsElapsed() / 1e6);
    }
    const double mc = bench::mediana(comando), md = bench::mediana(diretto);
    std::printf("project file: %d load lines + %d working points, %lld bytes\n", n, n,
                static_cast<long long>(byte.size()));
    std::printf("Leggi Progetto (read, check, load tube, redraw): median %.1f ms\n", mc);
    std::printf("chart engine drawing the same objects directly:  median %.1f ms\n", md);
    std::printf("ratio %.2f (aim: 1.5 or less)\n", mc / md);
    return 0;
}
