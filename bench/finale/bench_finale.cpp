// Times one full recomputation of the output stage's figures, without the
// plots. Run: build/bench/bench_finale [runs]
#include "finale/stadio_finale.h"

#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

int main(int argc, char* argv[])
{
    const int n = argc > 1 ? std::max(1, atoi(argv[1])) : 100;

    // The demo 6L6GC's published pentode set.
    modello::ParametriModello p;
    p.tipo = modello::TipoModello::pentodo_koren;
    p.mu = 8.7;
    p.ex = 1.35;
    p.kg1 = 1460;
    p.kp = 48;
    p.kvb = 12;
    p.vg2 = 250;
    const finale::ModelloFinale m = finale::da_modello(p);

    struct Caso {
        const char* nome;
        finale::IngressiFinale in;
    };
    finale::IngressiFinale ul;
    ul.topologia = finale::Topologia::push_pull;
    ul.collegamento = finale::Collegamento::ultralineare;
    ul.b_piu = 450;
    ul.impedenza = 6600;
    ul.resistenza_dc = 100;
    ul.vg_riposo = -37;
    ul.ampiezza = 37;
    finale::IngressiFinale catodica = ul;
    catodica.polarizzazione = finale::Polarizzazione::catodica;
    finale::IngressiFinale se = ul;
    se.topologia = finale::Topologia::single_ended;
    se.b_piu = 350;
    se.impedenza = 4000;
    se.vg_riposo = -30;
    se.ampiezza = 30;
    const Caso casi[] = {
        {"push-pull UL, fixed bias", ul}, {"push-pull UL, cathode bias", catodica}, {"single-ended UL", se}};

    std::printf("runs per stage: %d\n", n);
    for (const Caso& c : casi) {
        std::vector<double> tempi;
        double controllo = 0;
        for (int i = 0; i < n; ++i) {
            QElapsedTimer t;
            t.start();
            const finale::RisultatoFinale r = finale::calcola(m, c.in, 30);
            tempi.push_back(double(t.nsecsElapsed()) / 1e6);
            if (!r.valido) {
                std::fprintf(stderr, "%s: %s\n", c.nome, qPrintable(r.motivo));
                return 1;
            }
            controllo += r.potenza;
        }
        std::sort(tempi.begin(), tempi.end());
        std::printf("%-28s median %7.3f ms, slowest %7.3f ms (P %.2f W)\n", c.nome, tempi[tempi.size() / 2],
                    tempi.back(), controllo / n);
    }
    return 0;
}
