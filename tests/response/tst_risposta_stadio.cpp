// The stage response on plain data: the 12AX7 with Koren's published set
// checked against closed-form derivatives and against a second, independent
// solution of the same circuit (bisection, dense sampling, projection onto
// sine and cosine), a linear tube that must give no harmonics, the effect of
// the next stage's load and of an unbypassed cathode, the input margin, bad
// input, and the CSV read back by Python's csv module.

#include "response/risposta_stadio.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <cmath>
#include <numbers>

using namespace risposta;

namespace {

modello::ParametriModello dodici_ax7()
{
    modello::ParametriModello p;
    p.mu = 100;
    p.ex = 1.4;
    p.kg1 = 1060;
    p.kp = 600;
    p.kvb = 300;
    p.vct = 0;
    return p;
}

Stadio riferimento()
{
    Stadio s;
    s.b_piu = 300;
    s.ra = 100000;
    s.vg_riposo = -1.5;
    s.rk = 1500;
    s.catodo_bypassato = true;
    s.ampiezza = 1;
    return s;
}

// Closed-form partial derivatives of the Koren triode.
Derivate derivate_koren(const modello::ParametriModello& m, double ep, double eg)
{
    const double s = std::sqrt(m.kvb + ep * ep);
    const double z = m.kp * (1 / m.mu + (eg + m.vct) / s);
    const double l = std::log1p(std::exp(z));
    const double sigma = 1 / (1 + std::exp(-z));
    const double e1 = ep / m.kp * l;
    const double dip_de1 = 2000 / m.kg1 * m.ex * std::pow(e1, m.ex - 1);
    const double de1_deg = ep * sigma / s;
    const double de1_dep = l / m.kp - sigma * ep * ep * (eg + m.vct) / (s * s * s);
    return {2000 / m.kg1 * std::pow(e1, m.ex), dip_de1 * de1_deg, dip_de1 * de1_dep};
}

double relativo(double a, double b)
{
    return std::fabs(a - b) / std::fabs(b);
}

// Plain bisection, 200 halvings: slow and sure, nothing shared with the
// program's root finder.
template <typename F> double bisezione(F f, double a, double b)
{
    double fa = f(a);
    for (int i = 0; i < 200; ++i) {
        const double m = 0.5 * (a + b);
        const double fm = f(m);
        if ((fm > 0) == (fa > 0)) {
            a = m;
            fa = fm;
        } else {
            b = m;
        }
    }
    return 0.5 * (a + b);
}

// The same stage written out from the circuit: the DC point from B+ through
// Ra + Rk, then at each instant the plate voltage to ground
// B+ - Ra (I + (Va - Va0)/RL) (no RL: B+ - Ra I) and the cathode at Ik0 Rk
// (bypassed) or I Rk.
struct Indipendente {
    modello::ParametriModello m;
    Stadio s;
    double i0 = 0, va0 = 0;

    Indipendente(const modello::ParametriModello& mm, const Stadio& ss) : m(mm), s(ss)
    {
        i0 = bisezione(
            [&](double i) { return i - modello::corrente_placca(m, s.b_piu - i * (s.ra + s.rk) / 1000, s.vg_riposo); },
            0, s.b_piu * 1000 / (s.ra + s.rk));
        va0 = s.b_piu - i0 * s.ra / 1000;
    }
    double vk(double i) const { return (s.catodo_bypassato ? i0 : i) * s.rk / 1000; }
    double va(double i) const
    {
        // Va = B+ - Ra I - Ra (Va - Va0)/RL solved for Va.
        if (!s.carico)
            return s.b_piu - s.ra * i / 1000;
        const double k = s.ra / *s.carico;
        return (s.b_piu - s.ra * i / 1000 + k * va0) / (1 + k);
    }
    double corrente(double ingresso) const
    {
        const double vg = i0 * s.rk / 1000 + s.vg_riposo + ingresso; // grid to ground
        return bisezione([&](double i) { return i - modello::corrente_placca(m, va(i) - vk(i), vg - vk(i)); }, 0, 1000);
    }
};

// Dense sampling off the program's instants, projected onto sine and cosine.
std::array<double, 4> armoniche_dense(const Indipendente& x, double ampiezza)
{
    constexpr int n = 2000;
    std::array<double, 4> re{}, im{}, a{};
    for (int k = 0; k < n; ++k) {
        const double t = (k + 0.37) / n;
        const double v = x.va(x.corrente(ampiezza * std::sin(2 * std::numbers::pi * t)));
        for (int h = 1; h <= 3; ++h) {
            re[h] += v * std::cos(2 * std::numbers::pi * h * t);
            im[h] += v * std::sin(2 * std::numbers::pi * h * t);
        }
    }
    for (int h = 1; h <= 3; ++h)
        a[h] = 2 * std::hypot(re[h], im[h]) / n;
    return a;
}

// Ip = g (Ep + mu Eg) + i0: straight lines for every grid voltage.
ModelloCorrente lineare(double g, double mu, double i0)
{
    ModelloCorrente m;
    m.corrente = [=](double ep, double eg) { return g * (ep + mu * eg) + i0; };
    m.derivate = [=](double ep, double eg) { return Derivate{g * (ep + mu * eg) + i0, g * mu, g}; };
    return m;
}

double guadagno_misurato(const ModelloCorrente& m, Stadio s)
{
    s.ampiezza = 0.01;
    const Risposta r = calcola(m, s);
    return r.armoniche[1] / s.ampiezza;
}

} // namespace

class TestRispostaStadio : public QObject {
    Q_OBJECT

private slots:
    void radice_al_miliardesimo_data()
    {
        QTest::addColumn<int>("caso");
        QTest::addColumn<double>("a");
        QTest::addColumn<double>("b");
        QTest::addColumn<double>("attesa");
        QTest::newRow("cubica") << 0 << 2.0 << 3.0 << 2.0945514815423265;
        QTest::newRow("coseno") << 1 << 0.0 << 1.0 << 0.7390851332151607;
        QTest::newRow("piatta") << 2 << 0.0 << 3.0 << 1.0;
        QTest::newRow("gradino ripido") << 3 << -1.0 << 10.0 << 1e-3;
    }
    void radice_al_miliardesimo()
    {
        QFETCH(int, caso);
        QFETCH(double, a);
        QFETCH(double, b);
        QFETCH(double, attesa);
        const std::function<double(double)> f[] = {
            [](double x) { return x * x * x - 2 * x - 5; },
            [](double x) { return std::cos(x) - x; },
            [](double x) { return std::pow(x - 1, 5); },
            [](double x) { return std::tanh(1e4 * (x - 1e-3)); },
        };
        const double x = radice(f[caso], a, b, 1e-9);
        QVERIFY2(relativo(x, attesa) <= 1e-9, qPrintable(QString::number(x, 'g', 17)));
    }

    void armoniche_di_un_segnale_noto()
    {
        std::vector<double> v(numero_campioni);
        for (int k = 0; k < numero_campioni; ++k) {
            const double w = 2 * std::numbers::pi * k / numero_campioni;
            v[k] = 7 + 2 * std::sin(w) + 0.3 * std::cos(2 * w) + 0.05 * std::sin(3 * w + 0.4) +
                   0.002 * std::cos(5 * w - 1);
        }
        const std::array<double, 6> a = armoniche(v);
        const double attese[] = {0, 2, 0.3, 0.05, 0, 0.002};
        for (int h = 1; h <= 5; ++h)
            QVERIFY2(std::fabs(a[h] - attese[h]) < 1e-12, qPrintable(QString::number(h)));
    }

    void dodici_ax7_derivate_esatte()
    {
        const modello::ParametriModello m = dodici_ax7();
        const Risposta r = calcola(da_modello(m), riferimento());
        QVERIFY2(r.valida, qPrintable(r.motivo));
        // The working point lies on the DC load line.
        QVERIFY(relativo(r.ik0, (300 - r.vpk0) * 1000 / 101500) < 1e-9);
        QVERIFY(relativo(r.ik0, modello::corrente_placca(m, r.vpk0, -1.5)) < 1e-9);

        const Derivate d = derivate_koren(m, r.vpk0, -1.5);
        QVERIFY2(relativo(r.gm, d.gm) < 1e-6, qPrintable(QString::number(r.gm, 'g', 12)));
        QVERIFY2(relativo(r.rp, 1 / d.gp) < 1e-6, qPrintable(QString::number(r.rp, 'g', 12)));
        QVERIFY2(relativo(r.mu, d.gm / d.gp) < 1e-6, qPrintable(QString::number(r.mu, 'g', 12)));
        qInfo("12AX7 300 V, 100k, -1.5 V: Ik %.3f mA, Vpk %.1f V, gm %.3f mA/V, rp %.1f kOhm, mu %.1f, "
              "gain %.2f, H2 %.2f %%, H3 %.3f %%, THD %.2f %%, out %.1f Vpp, margin %.3f Vp",
              r.ik0, r.vpk0, r.gm, r.rp, r.mu, r.guadagno, r.h2, r.h3, r.thd, r.uscita_vpp, r.margine);
    }

    void piccolo_segnale_come_guadagno()
    {
        const ModelloCorrente m = da_modello(dodici_ax7());
        const Risposta r = calcola(m, riferimento());
        QVERIFY(r.valida);
        const double misurato = guadagno_misurato(m, riferimento());
        QVERIFY2(relativo(misurato, r.guadagno) < 1e-3,
                 qPrintable(QStringLiteral("%1 vs %2").arg(misurato).arg(r.guadagno)));
    }

    void armoniche_come_calcolo_indipendente_data()
    {
        QTest::addColumn<bool>("bypassato");
        QTest::addColumn<double>("carico");
        QTest::newRow("bypassato") << true << 0.0;
        QTest::newRow("bypassato, carico 220k") << true << 220000.0;
        QTest::newRow("non bypassato") << false << 0.0;
    }
    void armoniche_come_calcolo_indipendente()
    {
        QFETCH(bool, bypassato);
        QFETCH(double, carico);
        Stadio s = riferimento();
        s.catodo_bypassato = bypassato;
        if (carico > 0)
            s.carico = carico;
        const Risposta r = calcola(da_modello(dodici_ax7()), s);
        QVERIFY2(r.valida, qPrintable(r.motivo));
        const std::array<double, 4> a = armoniche_dense(Indipendente(dodici_ax7(), s), 1.0);
        const double h2 = 100 * a[2] / a[1], h3 = 100 * a[3] / a[1];
        QVERIFY2(relativo(r.h2, h2) < 0.005, qPrintable(QStringLiteral("H2 %1 vs %2").arg(r.h2).arg(h2)));
        QVERIFY2(relativo(r.h3, h3) < 0.005, qPrintable(QStringLiteral("H3 %1 vs %2").arg(r.h3).arg(h3)));
        QVERIFY(r.h2 > 0.1); // a triode at 1 Vp is audibly second-harmonic
    }

    void tubo_lineare_senza_armoniche_data()
    {
        QTest::addColumn<bool>("bypassato");
        QTest::addColumn<double>("carico");
        QTest::newRow("bypassato") << true << 0.0;
        QTest::newRow("carico successivo") << true << 47000.0;
        QTest::newRow("catodo non bypassato") << false << 0.0;
    }
    void tubo_lineare_senza_armoniche()
    {
        QFETCH(bool, bypassato);
        QFETCH(double, carico);
        Stadio s = riferimento();
        s.catodo_bypassato = bypassato;
        if (carico > 0)
            s.carico = carico;
        s.ampiezza = 1;
        const ModelloCorrente m = lineare(0.02, 60, 1.5);
        const Risposta r = calcola(m, s);
        QVERIFY2(r.valida, qPrintable(r.motivo));
        QVERIFY(!r.oltre_limite);
        QVERIFY2(r.h2 < 1e-9 && r.h3 < 1e-9 && r.thd < 1e-9,
                 qPrintable(QStringLiteral("%1 %2 %3").arg(r.h2).arg(r.h3).arg(r.thd)));
        QCOMPARE(r.mu, 60.0);
        QCOMPARE(r.rp, 50.0);
        // A straight tube has the same gain at any amplitude.
        QVERIFY(relativo(r.armoniche[1] / s.ampiezza, r.guadagno) < 1e-9);
    }

    void carico_successivo_abbassa_il_guadagno_data()
    {
        QTest::addColumn<double>("carico");
        QTest::newRow("1 M") << 1e6;
        QTest::newRow("470k") << 470e3;
        QTest::newRow("100k") << 100e3;
        QTest::newRow("22k") << 22e3;
    }
    void carico_successivo_abbassa_il_guadagno()
    {
        QFETCH(double, carico);
        const ModelloCorrente m = da_modello(dodici_ax7());
        const Risposta senza = calcola(m, riferimento());
        Stadio s = riferimento();
        s.carico = carico;
        const Risposta con = calcola(m, s);
        QVERIFY(con.valida);
        // Same working point, the load in parallel with Ra.
        QCOMPARE(con.ik0, senza.ik0);
        const double parallelo = 1 / (1 / s.ra + 1 / carico);
        const double atteso = senza.mu * parallelo / (parallelo + senza.rp * 1000);
        QVERIFY(relativo(con.guadagno, atteso) < 1e-9);
        QVERIFY(con.guadagno < senza.guadagno);
        const double misurato = guadagno_misurato(m, s);
        QVERIFY2(relativo(misurato, atteso) < 1e-3, qPrintable(QStringLiteral("%1 vs %2").arg(misurato).arg(atteso)));
    }

    void catodo_non_bypassato()
    {
        const ModelloCorrente m = da_modello(dodici_ax7());
        const Risposta bypassato = calcola(m, riferimento());
        Stadio s = riferimento();
        s.catodo_bypassato = false;
        const double rp = bypassato.rp * 1000, mu = bypassato.mu;
        const double atteso = mu * s.ra / (s.ra + rp + (mu + 1) * s.rk);
        const double misurato = guadagno_misurato(m, s);
        QVERIFY2(relativo(misurato, atteso) < 0.005, qPrintable(QStringLiteral("%1 vs %2").arg(misurato).arg(atteso)));
        QVERIFY(misurato < 0.6 * bypassato.guadagno);
        // Feedback also straightens the stage.
        QVERIFY(calcola(m, s).h2 < bypassato.h2);
    }

    void margine_a_zero_volt_di_griglia_data()
    {
        QTest::addColumn<bool>("bypassato");
        QTest::newRow("bypassato") << true;
        QTest::newRow("non bypassato") << false;
    }
    void margine_a_zero_volt_di_griglia()
    {
        QFETCH(bool, bypassato);
        const modello::ParametriModello par = dodici_ax7();
        Stadio s = riferimento();
        s.catodo_bypassato = bypassato;
        const Risposta r = calcola(da_modello(par), s);
        QVERIFY(r.valida);
        QVERIFY(r.margine_da_griglia);

        // Where the grid meets the cathode the tube's current at Eg = 0
        // equals what the circuit lets through; the input then is what
        // lifts the grid from its rest to the cathode's new voltage.
        const Indipendente x(par, s);
        const double i =
            bisezione([&](double c) { return c - modello::corrente_placca(par, x.va(c) - x.vk(c), 0.0); }, 0, 100);
        const double atteso = x.vk(i) - x.i0 * s.rk / 1000 - s.vg_riposo;
        QVERIFY2(relativo(r.margine, atteso) < 1e-6, qPrintable(QStringLiteral("%1 vs %2").arg(r.margine).arg(atteso)));
        if (bypassato)
            QCOMPARE(r.margine, 1.5);

        // Just inside the margin nothing is flagged; just past it the peak is.
        for (double fattore : {0.999, 1.01}) {
            s.ampiezza = r.margine * fattore;
            const Risposta p = calcola(da_modello(par), s);
            QCOMPARE(p.campioni[numero_campioni / 4].oltre_griglia, fattore > 1);
            QCOMPARE(p.oltre_limite, fattore > 1);
        }
    }

    void margine_all_interdizione()
    {
        // Biased deep, the negative swing cuts the tube off before the grid
        // reaches 0 V.
        const modello::ParametriModello par = dodici_ax7();
        Stadio s = riferimento();
        s.vg_riposo = -2.6;
        const Risposta r = calcola(da_modello(par), s);
        QVERIFY2(r.valida, qPrintable(r.motivo));
        QVERIFY(!r.margine_da_griglia);
        QVERIFY(r.margine < 2.6);
        const Indipendente x(par, s);
        QVERIFY(relativo(x.corrente(-r.margine), soglia_interdizione * r.ik0) < 1e-6);

        s.ampiezza = 2.5;
        const Risposta oltre = calcola(da_modello(par), s);
        QVERIFY(oltre.valida);
        QVERIFY(oltre.campioni[3 * numero_campioni / 4].interdizione);
        QVERIFY(!oltre.campioni[numero_campioni / 4].oltre_limite());
    }

    void ingressi_non_validi_data()
    {
        QTest::addColumn<QStringList>("testi"); // B+, Ra, Vg, Rk, carico, ampiezza
        QTest::addColumn<QString>("motivo");
        QTest::newRow("B+ non numero") << QStringList{"3OO", "100000", "-1,5", "1500", "", "1"} << "B+ (V)=";
        QTest::newRow("B+ vuota") << QStringList{"", "100000", "-1,5", "1500", "", "1"} << "B+ (V)=";
        QTest::newRow("B+ zero") << QStringList{"0", "100000", "-1,5", "1500", "", "1"} << "B+ (V)=";
        QTest::newRow("Ra zero") << QStringList{"300", "0", "-1,5", "1500", "", "1"} << "Ra (Ohm)=";
        QTest::newRow("Ra negativa") << QStringList{"300", "-100", "-1,5", "1500", "", "1"} << "Ra (Ohm)=";
        QTest::newRow("Rk zero") << QStringList{"300", "100000", "-1,5", "0", "", "1"} << "Rk (Ohm)=";
        QTest::newRow("carico zero") << QStringList{"300", "100000", "-1,5", "1500", "0", "1"} << "Carico successivo";
        QTest::newRow("carico testo") << QStringList{"300", "100000", "-1,5", "1500", "x", "1"} << "Carico successivo";
        QTest::newRow("ampiezza zero") << QStringList{"300", "100000", "-1,5", "1500", "", "0"} << "Ampiezza";
        QTest::newRow("ampiezza negativa") << QStringList{"300", "100000", "-1,5", "1500", "", "-1"} << "Ampiezza";
        QTest::newRow("griglia positiva") << QStringList{"300", "100000", "2", "1500", "", "1"} << "Vg riposo";
        QTest::newRow("Vg con coda") << QStringList{"300", "100000", "-1.5V", "1500", "", "1"} << "Vg riposo";
    }
    void ingressi_non_validi()
    {
        QFETCH(QStringList, testi);
        QFETCH(QString, motivo);
        const TestiStadio t{testi[0], testi[1], testi[2], testi[3], testi[4], testi[5], true};
        QString perche;
        QVERIFY(!leggi_stadio(t, &perche));
        QVERIFY2(perche.contains(motivo), qPrintable(perche));
    }

    void ingressi_con_virgola_e_spazi()
    {
        const TestiStadio t{" 300 ", "100000", "-1,5", "1500", "", "0,75", false};
        QString perche;
        const std::optional<Stadio> s = leggi_stadio(t, &perche);
        QVERIFY2(s, qPrintable(perche));
        QCOMPARE(s->vg_riposo, -1.5);
        QCOMPARE(s->ampiezza, 0.75);
        QVERIFY(!s->carico);
        QVERIFY(!s->catodo_bypassato);
    }

    void alimentazione_sotto_il_punto_di_lavoro()
    {
        Stadio s = riferimento();
        s.b_piu = 0.5; // too little for any current at -1.5 V
        const Risposta r = calcola(da_modello(dodici_ax7()), s);
        QVERIFY(!r.valida);
        QVERIFY(r.motivo.contains(QStringLiteral("B+")));
        QVERIFY(r.campioni.empty());
    }

    void valori_estremi_senza_crash_data()
    {
        QTest::addColumn<QVector<double>>("v"); // B+, Ra, Vg, Rk, ampiezza, carico (0: none)
        QTest::addColumn<bool>("bypassato");
        QTest::addColumn<bool>("valida");
        QTest::newRow("B+ enorme") << QVector<double>{1e300, 1e5, -1.5, 1500, 1, 0} << true << false;
        QTest::newRow("Rk enorme, non bypassato") << QVector<double>{300, 1e5, -1.5, 1e300, 1, 0} << false << false;
        QTest::newRow("griglia lontanissima") << QVector<double>{300, 1e5, -1e6, 1500, 1, 0} << true << false;
        QTest::newRow("ampiezza minuscola") << QVector<double>{300, 1e5, -1.5, 1500, 1e-300, 0} << true << false;
        QTest::newRow("ampiezza enorme") << QVector<double>{300, 1e5, -1.5, 1500, 1e200, 0} << true << true;
        QTest::newRow("Ra minuscola") << QVector<double>{300, 1e-300, -1.5, 1500, 1, 0} << true << false;
        QTest::newRow("carico minuscolo") << QVector<double>{300, 1e5, -1.5, 1500, 1, 1e-300} << true << false;
    }
    void valori_estremi_senza_crash()
    {
        QFETCH(QVector<double>, v);
        QFETCH(bool, bypassato);
        QFETCH(bool, valida);
        Stadio s;
        s.b_piu = v[0];
        s.ra = v[1];
        s.vg_riposo = v[2];
        s.rk = v[3];
        s.ampiezza = v[4];
        if (v[5] > 0)
            s.carico = v[5];
        s.catodo_bypassato = bypassato;
        const Risposta r = calcola(da_modello(dodici_ax7()), s);
        QCOMPARE(r.valida, valida);
        QCOMPARE(r.motivo.isEmpty(), valida);
        if (valida) {
            QVERIFY(r.oltre_limite);
            for (double x : {r.gm, r.rp, r.mu, r.guadagno, r.uscita_vpp, r.h2, r.h3, r.thd, r.margine})
                QVERIFY(std::isfinite(x));
        }
    }

    void csv_letto_da_python()
    {
        const Risposta r = calcola(da_modello(dodici_ax7()), riferimento());
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("risposta.csv"));
        QString errore;
        QVERIFY2(scrivi_csv(file, r, &errore), qPrintable(errore));

        const char* script = "import csv, sys\n"
                             "with open(sys.argv[1], newline='') as f:\n"
                             "    righe = list(csv.reader(f))\n"
                             "print(len(righe[0]), len(righe) - 1, all(len(x) == 5 for x in righe))\n"
                             "v = [[float(c) for c in x] for x in righe[1:]]\n"
                             "print(repr(v[64][0]), repr(v[64][1]), repr(v[64][3]), repr(min(x[3] for x in v)), "
                             "repr(max(x[3] for x in v)))\n"
                             "print(righe[0][3])\n";
        QProcess py;
        py.start(QStringLiteral("python3"), {QStringLiteral("-c"), QString::fromLatin1(script), file});
        QVERIFY(py.waitForFinished(30000));
        QCOMPARE(py.exitCode(), 0);
        const QStringList righe = QString::fromUtf8(py.readAllStandardOutput()).split(u'\n');
        QCOMPARE(righe.value(0), QStringLiteral("5 256 True"));
        const QStringList v = righe.value(1).split(u' ');
        QCOMPARE(v.size(), 5);
        QCOMPARE(v[0].toDouble(), 0.25);
        QCOMPARE(v[1].toDouble(), 1.0);
        QVERIFY(relativo(v[2].toDouble(), r.campioni[64].placca) < 1e-11);
        QVERIFY(relativo(v[4].toDouble() - v[3].toDouble(), r.uscita_vpp) < 1e-9);
        QCOMPARE(righe.value(2), QStringLiteral("placca (V)"));
    }

    void csv_non_scrivibile()
    {
        const Risposta r = calcola(da_modello(dodici_ax7()), riferimento());
        QTemporaryDir dir;
        QString errore;
        QVERIFY(!scrivi_csv(dir.filePath(QStringLiteral("manca/risposta.csv")), r, &errore));
        QVERIFY(!errore.isEmpty());
        QVERIFY(!scrivi_csv(dir.filePath(QStringLiteral("vuota.csv")), Risposta{}, &errore));
        QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("vuota.csv"))));
    }
};

QTEST_GUILESS_MAIN(TestRispostaStadio)
#include "tst_risposta_stadio.moc"
