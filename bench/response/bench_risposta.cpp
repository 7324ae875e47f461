// Times one full recomputation of the stage response, without the plots.
// Run: build/bench/bench_risposta [runs]
#include "response/risposta_stadio.h"

#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

int main(int argc, char* argv[])
{
    const int n = argc > 1 ? std::max(1, atoi(argv[1])) : 100;

    modello::ParametriModello p;
    p.mu = 100;
    p.ex = 1.4;
    p.kg1 = 1060;
    p.kp = 600;
    p.kvb = 300;
    const risposta::ModelloCorrente m = risposta::da_modello(p);

    struct Caso {
        const char* nome;
        risposta::Stadio stadio;
    };
    risposta::Stadio base;
    base.b_piu = 300;
    base.ra = 100000;
    base.vg_riposo = -1.5;
    base.rk = 1500;
    base.ampiezza = 1.5;
    risposta::Stadio non_bypassato = base;
    non_bypassato.catodo_bypassato = false;
    risposta::Stadio caricato = base;
    caricato.carico = 220000;
    const Caso casi[] = {{"bypassed", base}, {"unbypassed", non_bypassato}, {"next-stage load", caricato}};

    std::printf("runs per stage: %d\n", n);
    for (const Caso& c : casi) {
        std::vector<double> tempi;
        double controllo = 0;
        for (int i = 0; i < n; ++i) {
            QElapsedTimer t;
            t.start();
            const risposta::Risposta r = risposta::calcola(m, c.stadio);
            tempi.push_back(t.nsecsElapsed() / 1e6);
            if (!r.valida) {
                std::fprintf(stderr, "%s: %s\n", c.nome, qPrintable(r.motivo));
                return 1;
            }
            controllo += r.h2;
        }
        std::sort(tempi.begin(), tempi.end());
        std::printf("%-16s median %7.3f ms, slowest %7.3f ms (H2 %.3f %%)\n", c.nome, tempi[tempi.size() / 2],
                    tempi.back(), controllo / n);
    }
    return 0;
}
