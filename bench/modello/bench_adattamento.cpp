// Tracing plus fitting per demo tube: what "Traccia Curve" and "Adatta
// Modello" cost the user on the demo pictures.
#include "../comune/statistiche.h"
#include "model/adattamento.h"
#include "foglio/tracciatore.h"

#include "valvole_demo.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QImage>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int ripetizioni = argc > 1 ? std::max(1, atoi(argv[1])) : 5;
    std::vector<double> totali;
    double punti_tutti = 0, tempo_traccia_tutti = 0;
    std::printf("%-7s %10s %10s %10s %7s %12s %8s\n", "tubo", "traccia ms", "adatta ms", "totale ms", "punti",
                "punti/s", "RMS px");
    for (const auto& v : valvole_demo::tabella()) {
        const QImage immagine(QStringLiteral(KORVEL_DIST_DIR "/DatiValvole/Curve/") +
                              QString::fromStdString(valvole_demo::file_curva(v)));
        if (immagine.isNull()) {
            std::fprintf(stderr, "manca il grafico di %s: costruire demo_data\n", valvole_demo::nome_base(v).c_str());
            return 1;
        }
        adattamento::Richiesta r;
        r.tipo = v.pentodo() ? modello::TipoModello::pentodo_koren : modello::TipoModello::triodo_koren;
        r.vg2 = v.parametri.vg2;
        r.taratura.org_x = valvole_demo::org_x;
        r.taratura.org_y = valvole_demo::org_y;
        r.taratura.vmax_x = valvole_demo::vmax_x;
        r.taratura.vmax_y = valvole_demo::org_y;
        r.taratura.vmax_v = v.vmax_v;
        r.taratura.imax_x = valvole_demo::org_x;
        r.taratura.imax_y = valvole_demo::imax_y;
        r.taratura.imax_i = v.imax_i;

        std::vector<double> t_traccia, t_adatta, t_totale;
        int punti = 0;
        double rms = 0;
        for (int k = 0; k < ripetizioni; ++k) {
            QElapsedTimer t;
            t.start();
            const auto curve = tracciatore::traccia_curve(immagine, r.taratura);
            const double a = t.nsecsElapsed() / 1e6;
            adattamento::Richiesta q = r;
            punti = 0;
            for (int c = 0; c < curve.size(); ++c) {
                q.curve << adattamento::CurvaDaAdattare{valvole_demo::tensione_griglia(v, c), curve[c].punti};
                punti += int(curve[c].punti.size());
            }
            t.restart();
            const auto ris = adattamento::adatta(q);
            const double b = t.nsecsElapsed() / 1e6;
            rms = ris.ok ? ris.scarto_medio : -1;
            t_traccia.push_back(a);
            t_adatta.push_back(b);
            t_totale.push_back(a + b);
        }
        const double mt = bench::mediana(t_traccia);
        punti_tutti += punti;
        tempo_traccia_tutti += mt;
        totali.push_back(bench::mediana(t_totale));
        std::printf("%-7s %10.1f %10.1f %10.1f %7d %12.0f %8.3f\n", valvole_demo::nome_base(v).c_str(), mt,
                    bench::mediana(t_adatta), bench::mediana(t_totale), punti, mt > 0 ? punti / (mt / 1000) : 0.0, rms);
    }
    std::printf("mediana per tubo (traccia + adatta): %.1f ms\n", bench::mediana(totali));
    std::printf("velocita' di tracciatura: %.0f punti/s\n",
                tempo_traccia_tutti > 0 ? punti_tutti / (tempo_traccia_tutti / 1000) : 0.0);
    return 0;
}
