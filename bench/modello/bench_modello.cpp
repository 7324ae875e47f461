// Times the curve tracer on every demo tube's picture and on the real
// data-sheet crops. Run: build/bench/bench_modello [runs]
#include "../comune/statistiche.h"
#include "foglio/tracciatore.h"

#include "valvole_demo.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QImage>
#include <QString>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

namespace {

struct Caso {
    QString nome;
    QImage immagine;
    Taratura taratura;
    bool demo = true;
};

// Median time of `passo` over `volte` runs, ms.
double misura(int volte, const std::function<void()>& passo)
{
    std::vector<double> tempi;
    for (int k = 0; k < volte; ++k) {
        QElapsedTimer t;
        t.start();
        passo();
        tempi.push_back(double(t.nsecsElapsed()) / 1e6);
    }
    return bench::mediana(tempi);
}

Taratura taratura(float ox, float oy, float vx, double vv, float iy, double ii)
{
    Taratura t;
    t.org_x = ox;
    t.org_y = oy;
    t.vmax_x = vx;
    t.vmax_y = oy;
    t.vmax_v = vv;
    t.imax_x = ox;
    t.imax_y = iy;
    t.imax_i = ii;
    return t;
}

} // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const int volte = argc > 1 ? std::max(1, std::atoi(argv[1])) : 9;

    std::vector<Caso> casi;
    using namespace valvole_demo;
    for (const Valvola& v : tabella()) {
        const QString file = QString::fromStdString(file_curva(v));
        casi.push_back({file, QImage(QStringLiteral(KORVEL_DIST_DIR "/DatiValvole/Curve/") + file),
                        taratura(org_x, org_y, vmax_x, v.vmax_v, imax_y, v.imax_i), true});
    }
    // The real crops, with the calibrations the tests use.
    casi.push_back({QStringLiteral("12SR7-GE.gif"), QImage(QStringLiteral(KORVEL_FIXTURE_DIR "/12SR7-GE.gif")),
                    taratura(17.9f, 398.6f, 505.6f, 500, 13.1f, 17.5), false});
    casi.push_back({QStringLiteral("19J6-TungSol.gif"), QImage(QStringLiteral(KORVEL_FIXTURE_DIR "/19J6-TungSol.gif")),
                    taratura(24.8f, 387.9f, 487.3f, 500, 29.4f, 15), false});
    casi.push_back({QStringLiteral("19J6-RCA.gif"), QImage(QStringLiteral(KORVEL_FIXTURE_DIR "/19J6-RCA.gif")),
                    taratura(13.8f, 398.3f, 447.1f, 600, 16.9f, 16), false});

    std::printf("%-18s %10s %7s %7s %12s\n", "picture", "trace ms", "curves", "points", "points/s");
    std::vector<double> tempi_demo, velocita_demo;
    for (const Caso& c : casi) {
        if (c.immagine.isNull()) {
            std::fprintf(stderr, "%s: cannot read the picture (build demo_data first)\n", qPrintable(c.nome));
            return 1;
        }
        QVector<tracciatore::CurvaTracciata> curve;
        const double ms = misura(volte, [&] { curve = tracciatore::traccia_curve(c.immagine, c.taratura); });
        qsizetype punti = 0;
        for (const auto& cu : curve)
            punti += cu.punti.size();
        const double velocita = double(punti) / (ms / 1000.0);
        std::printf("%-18s %10.1f %7d %7d %12.0f\n", qPrintable(c.nome), ms, int(curve.size()), int(punti), velocita);
        if (c.demo) {
            tempi_demo.push_back(ms);
            velocita_demo.push_back(velocita);
        }
    }
    std::printf("demo tubes: median trace %.1f ms, median %.0f points/s (%d runs each)\n", bench::mediana(tempi_demo),
                bench::mediana(velocita_demo), volte);
    return 0;
}
