#include "model/adattamento.h"

#include "valvole_demo.h"

#include <QElapsedTimer>
#include <QtTest>

using namespace adattamento;

namespace {

Taratura taratura_demo(const valvole_demo::Valvola& v)
{
    Taratura t;
    t.org_x = valvole_demo::org_x;
    t.org_y = valvole_demo::org_y;
    t.vmax_x = valvole_demo::vmax_x;
    t.vmax_y = valvole_demo::org_y;
    t.vmax_v = v.vmax_v;
    t.imax_x = valvole_demo::org_x;
    t.imax_y = valvole_demo::imax_y;
    t.imax_i = v.imax_i;
    return t;
}

// The demo curves as an ideal tracer would return them: every 2 px of
// plate voltage, above 2 % of full scale and inside the plot.
Richiesta richiesta_demo(const valvole_demo::Valvola& v)
{
    Richiesta r;
    r.tipo = v.pentodo ? modello::TipoModello::pentodo_koren : modello::TipoModello::triodo_koren;
    r.vg2 = v.vg2;
    r.taratura = taratura_demo(v);
    for (int k = 0; k < v.n_curve; ++k) {
        CurvaDaAdattare c;
        c.vg = valvole_demo::tensione_griglia(v, k);
        for (double x = valvole_demo::org_x + 2; x < valvole_demo::vmax_x - 2; x += 2) {
            const double ep = (x - valvole_demo::org_x) * v.vmax_v / (valvole_demo::vmax_x - valvole_demo::org_x);
            const double i = valvole_demo::corrente(v, ep, c.vg);
            if (i < 0.02 * v.imax_i || i > 0.98 * v.imax_i)
                continue;
            c.punti << QPointF(x, valvole_demo::y_di(v, i));
        }
        if (c.punti.size() >= 2)
            r.curve << c;
    }
    return r;
}

} // namespace

class TstAdattamento : public QObject {
    Q_OBJECT
private slots:
    void curve_ideali_demo_data();
    void curve_ideali_demo();
};

void TstAdattamento::curve_ideali_demo_data()
{
    QTest::addColumn<int>("indice");
    const auto& t = valvole_demo::tabella();
    for (int i = 0; i < int(t.size()); ++i)
        QTest::newRow(valvole_demo::nome_base(t[i]).c_str()) << i;
}

void TstAdattamento::curve_ideali_demo()
{
    QFETCH(int, indice);
    const auto& v = valvole_demo::tabella()[indice];
    QElapsedTimer tm;
    tm.start();
    const Risultato r = adatta(richiesta_demo(v));
    qInfo() << tm.elapsed() << "ms" << r.ok << r.errore << r.parametri.mu << r.parametri.ex << r.parametri.kg1 << r.parametri.kp << r.parametri.kvb << r.parametri.vct << r.scarto_medio << r.scarto_massimo << r.punti;
    QVERIFY2(r.ok, qPrintable(r.errore));
}

QTEST_GUILESS_MAIN(TstAdattamento)
#include "tst_adattamento.moc"
