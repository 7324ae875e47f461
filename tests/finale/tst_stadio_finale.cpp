// The output stage on plain data: a second, independent solution of the same
// circuits (bisection, 4096 samples, projection onto sine and cosine, the
// screen voltage built here), a linear tube that must give no harmonics, a
// matched pair that must give no even ones, the small-signal limit, the
// ultralinear tap at its ends, cathode bias against Ohm's law, the published
// operating points of the demo 2A3 and EL34 with their stored models, bad
// input, and the CSV read back by Python's csv module.

#include "finale/stadio_finale.h"
#include "model/archivio_modelli.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QtTest>

#include <cmath>
#include <numbers>

using namespace finale;

Q_DECLARE_METATYPE(modello::ParametriModello)
Q_DECLARE_METATYPE(finale::IngressiFinale)

namespace {

modello::ParametriModello triodo_2a3()
{
    modello::ParametriModello p;
    p.mu = 4.2;
    p.ex = 1.4;
    p.kg1 = 1500;
    p.kp = 60;
    p.kvb = 300;
    return p;
}

modello::ParametriModello pentodo_el34()
{
    modello::ParametriModello p;
    p.tipo = modello::TipoModello::pentodo_koren;
    p.mu = 11;
    p.ex = 1.35;
    p.kg1 = 650;
    p.kp = 60;
    p.kvb = 24;
    p.vg2 = 250;
    return p;
}

IngressiFinale se_2a3()
{
    IngressiFinale in;
    in.b_piu = 250;
    in.impedenza = 2500;
    in.vg_riposo = -45;
    in.ampiezza = 45;
    return in;
}

IngressiFinale pp_el34(Collegamento c)
{
    IngressiFinale in;
    in.topologia = Topologia::push_pull;
    in.collegamento = c;
    in.b_piu = 400;
    in.vg2 = 400;
    in.impedenza = 3400;
    in.vg_riposo = -32;
    in.ampiezza = 32;
    return in;
}

// Plain bisection, 200 halvings, on a function increasing in x.
template <typename F> double bisezione(F f, double a, double b)
{
    for (int i = 0; i < 200; ++i) {
        const double m = 0.5 * (a + b);
        (f(m) > 0 ? b : a) = m;
    }
    return 0.5 * (a + b);
}

struct Indipendente {
    double potenza = 0;
    std::array<double, 6> h{}; // percent of the fundamental
};

// The same stage solved another way: 4096 instants, each root by bisection
// over the plate voltage, the screen voltage from the connection written out
// here, the harmonics by projection onto sine and cosine. Fixed bias, no
// winding resistance.
Indipendente indipendente(const modello::ParametriModello& m, const IngressiFinale& in)
{
    const double p[] = {m.mu, m.ex, m.kg1, m.kp, m.kvb, m.vct};
    const auto ia = [&](double ep, double eg) {
        if (m.tipo == modello::TipoModello::triodo_koren)
            return modello::corrente_triodo(p, ep, eg);
        const double eg2 = in.collegamento == Collegamento::pentodo  ? in.vg2
                           : in.collegamento == Collegamento::triodo ? ep
                                                                     : in.b_piu - in.presa_ul / 100 * (in.b_piu - ep);
        return modello::corrente_pentodo(p, ep, eg, eg2);
    };
    const double ia0 = ia(in.b_piu, in.vg_riposo);
    const int n = 4096;
    std::vector<double> v(n);
    for (int k = 0; k < n; ++k) {
        const double e = in.ampiezza * std::sin(2 * std::numbers::pi * k / n);
        if (in.topologia == Topologia::single_ended) {
            // Plate voltage on the line Ia = Ia0 - (Va - B+) / Z.
            const auto g = [&](double va) {
                return ia(va, in.vg_riposo + e) - (ia0 - (va - in.b_piu) * 1000 / in.impedenza);
            };
            const double va = bisezione(g, 0, in.b_piu + ia0 * in.impedenza / 1000);
            v[std::size_t(k)] = in.b_piu - va;
        } else {
            // Tube 1's plate voltage; tube 2's mirrors it around B+.
            const auto g = [&](double va1) {
                return (ia(va1, in.vg_riposo + e) - ia(2 * in.b_piu - va1, in.vg_riposo - e)) -
                       (in.b_piu - va1) * 4000 / in.impedenza;
            };
            const double va1 = bisezione(g, 0, 2 * in.b_piu);
            v[std::size_t(k)] = 2 * (in.b_piu - va1);
        }
    }
    Indipendente r;
    std::array<double, 6> a{};
    for (int h = 1; h <= 5; ++h) {
        double s = 0, c = 0;
        for (int k = 0; k < n; ++k) {
            s += v[std::size_t(k)] * std::sin(2 * std::numbers::pi * h * k / n);
            c += v[std::size_t(k)] * std::cos(2 * std::numbers::pi * h * k / n);
        }
        a[std::size_t(h)] = 2 * std::hypot(s, c) / n;
    }
    r.potenza = a[1] * a[1] / (2 * in.impedenza);
    for (int h = 2; h <= 5; ++h)
        r.h[std::size_t(h)] = 100 * a[std::size_t(h)] / a[1];
    return r;
}

double relativo(double a, double b)
{
    return std::fabs(a - b) / std::fabs(b);
}

double armonica(const RisultatoFinale& r, int h)
{
    return std::array<double, 6>{0, 0, r.h2, r.h3, r.h4, r.h5}[std::size_t(h)];
}

// The stored model of a demo tube, by its American designation.
std::optional<modello::ModelloSalvato> modello_demo(const QString& sigla)
{
    const QString file = QStringLiteral(KORVEL_DIST_DIR "/DatiValvole/DBValvole.mdb");
    int id = 0;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("demo"));
        db.setDatabaseName(file);
        if (db.open()) {
            QSqlQuery q(db);
            q.prepare(QStringLiteral("SELECT ID FROM TabellaValvole WHERE SiglaUSA = ?"));
            q.addBindValue(sigla);
            if (q.exec() && q.next())
                id = q.value(0).toInt();
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("demo"));
    if (id == 0)
        return std::nullopt;
    return archivio_modelli::leggi_modello(file, id);
}

} // namespace

class TstStadioFinale : public QObject {
    Q_OBJECT
private slots:
    void concorda_con_calcolo_indipendente_data();
    void concorda_con_calcolo_indipendente();
    void modello_lineare_senza_armoniche();
    void coppia_bilanciata_senza_armoniche_pari();
    void piccolo_segnale();
    void ultralineare_agli_estremi();
    void polarizzazione_catodica();
    void punti_pubblicati_data();
    void punti_pubblicati();
    void ingressi_errati_data();
    void ingressi_errati();
    void csv();
};

void TstStadioFinale::concorda_con_calcolo_indipendente_data()
{
    QTest::addColumn<modello::ParametriModello>("modello");
    QTest::addColumn<IngressiFinale>("ingressi");
    IngressiFinale el34_se;
    el34_se.collegamento = Collegamento::pentodo;
    el34_se.b_piu = el34_se.vg2 = 250;
    el34_se.impedenza = 2000;
    el34_se.vg_riposo = -12.2;
    el34_se.ampiezza = 10;
    IngressiFinale el34_ul = el34_se;
    el34_ul.collegamento = Collegamento::ultralineare;
    el34_ul.impedenza = 3000;
    el34_ul.vg_riposo = -20;
    el34_ul.ampiezza = 20;
    IngressiFinale triodi_pp = se_2a3();
    triodi_pp.topologia = Topologia::push_pull;
    triodi_pp.b_piu = 300;
    triodi_pp.impedenza = 3000;
    triodi_pp.vg_riposo = -62;
    triodi_pp.ampiezza = 62;
    QTest::newRow("triode single-ended, full drive") << triodo_2a3() << se_2a3();
    QTest::newRow("pentode single-ended") << pentodo_el34() << el34_se;
    QTest::newRow("ultralinear single-ended") << pentodo_el34() << el34_ul;
    QTest::newRow("triode push-pull") << triodo_2a3() << triodi_pp;
    QTest::newRow("pentode push-pull, class AB") << pentodo_el34() << pp_el34(Collegamento::pentodo);
    QTest::newRow("ultralinear push-pull") << pentodo_el34() << pp_el34(Collegamento::ultralineare);
    QTest::newRow("triode-connected push-pull") << pentodo_el34() << pp_el34(Collegamento::triodo);
}

void TstStadioFinale::concorda_con_calcolo_indipendente()
{
    QFETCH(modello::ParametriModello, modello);
    QFETCH(IngressiFinale, ingressi);
    const RisultatoFinale r = calcola(modello, ingressi);
    QVERIFY2(r.valido, qPrintable(r.motivo));
    const Indipendente atteso = indipendente(modello, ingressi);
    qInfo("P %.4f W (independent %.4f), H2 %.4f H3 %.4f H4 %.4f H5 %.4f %%, class %s", r.potenza, atteso.potenza, r.h2,
          r.h3, r.h4, r.h5, qPrintable(testo_classe(r.classe)));
    QVERIFY(relativo(r.potenza, atteso.potenza) < 0.005);
    for (int h = 2; h <= 5; ++h) {
        // A matched pair has no even harmonics: both are zero there.
        if (atteso.h[std::size_t(h)] < 1e-6)
            QVERIFY(armonica(r, h) < 1e-6);
        else
            QVERIFY2(relativo(armonica(r, h), atteso.h[std::size_t(h)]) < 0.005, qPrintable(QString::number(h)));
    }
}

void TstStadioFinale::modello_lineare_senza_armoniche()
{
    // Ia = (Ep + mu Eg) / rp with mu 4, rp 800 ohm: straight, evenly spaced
    // curves, so a straight load line gives a pure sine.
    ModelloFinale lineare;
    lineare.corrente = [](double ep, double eg, double) { return std::max(0.0, (ep + 4 * eg) / 0.8); };
    for (double ampiezza : {1.0, 20.0, 40.0}) {
        IngressiFinale in = se_2a3();
        in.vg_riposo = -40;
        in.ampiezza = ampiezza;
        const RisultatoFinale r = calcola(lineare, in);
        QVERIFY2(r.valido, qPrintable(r.motivo));
        QVERIFY(r.h2 < 1e-9 && r.h3 < 1e-9 && r.h4 < 1e-9 && r.h5 < 1e-9);
        QCOMPARE(r.classe, Classe::a);
        // The exact power of the linear stage: mu e Z / (rp + Z) at the plate.
        const double v1 = 4 * ampiezza * 2500 / (800 + 2500.0);
        QVERIFY(relativo(r.potenza, v1 * v1 / 5000) < 1e-9);
    }
}

void TstStadioFinale::coppia_bilanciata_senza_armoniche_pari()
{
    // From deep class A to past the grid's 0 V, fixed and cathode bias.
    for (Collegamento c : {Collegamento::pentodo, Collegamento::ultralineare, Collegamento::triodo})
        for (Polarizzazione b : {Polarizzazione::fissa, Polarizzazione::catodica})
            for (double ampiezza : {0.5, 10.0, 32.0, 45.0}) {
                IngressiFinale in = pp_el34(c);
                in.polarizzazione = b;
                in.ampiezza = ampiezza;
                const RisultatoFinale r = calcola(pentodo_el34(), in);
                QVERIFY2(r.valido, qPrintable(r.motivo));
                QVERIFY2(r.h2 < 1e-9 && r.h4 < 1e-9, qPrintable(QStringLiteral("%1 %2").arg(r.h2).arg(r.h4)));
                QVERIFY(r.h3 > 1e-6);
            }
}

void TstStadioFinale::piccolo_segnale()
{
    // mu and rp from the model here, by central differences.
    const modello::ParametriModello m = triodo_2a3();
    const auto ia = [&](double ep, double eg) { return modello::corrente_placca(m, ep, eg); };
    struct Caso {
        Topologia topologia;
        double b_piu, z, vg;
    };
    for (const Caso& c : {Caso{Topologia::single_ended, 250, 2500, -45}, Caso{Topologia::push_pull, 300, 5000, -50}}) {
        const double ia0 = ia(c.b_piu, c.vg);
        QVERIFY(ia0 > 0);
        const double gp = (ia(c.b_piu + 0.01, c.vg) - ia(c.b_piu - 0.01, c.vg)) / 0.02;
        const double gm = (ia(c.b_piu, c.vg + 0.01) - ia(c.b_piu, c.vg - 0.01)) / 0.02;
        const double mu = gm / gp, rp = 1000 / gp;
        IngressiFinale in;
        in.topologia = c.topologia;
        in.b_piu = c.b_piu;
        in.impedenza = c.z;
        in.vg_riposo = c.vg;
        in.ampiezza = 0.01;
        const RisultatoFinale r = calcola(m, in);
        QVERIFY2(r.valido, qPrintable(r.motivo));
        // One tube: mu e into rp + Z. A pair: 2 mu e into 2 rp + Raa.
        const double v1 = c.topologia == Topologia::single_ended ? mu * in.ampiezza * c.z / (rp + c.z)
                                                                 : 2 * mu * in.ampiezza * c.z / (2 * rp + c.z);
        QVERIFY2(relativo(r.potenza, v1 * v1 / (2 * c.z)) < 1e-3,
                 qPrintable(QStringLiteral("%1 %2").arg(r.potenza).arg(v1 * v1 / (2 * c.z))));
        QVERIFY(relativo(r.rp, rp) < 1e-5 && relativo(r.mu, mu) < 1e-5);
    }
}

void TstStadioFinale::ultralineare_agli_estremi()
{
    for (Topologia t : {Topologia::single_ended, Topologia::push_pull}) {
        IngressiFinale ul = pp_el34(Collegamento::ultralineare);
        ul.topologia = t;
        ul.resistenza_dc = 150;
        ul.presa_ul = 0;
        IngressiFinale pentodo = ul;
        pentodo.collegamento = Collegamento::pentodo;
        pentodo.vg2 = ul.b_piu;
        IngressiFinale triodo = ul;
        triodo.collegamento = Collegamento::triodo;
        const auto uguali = [](const RisultatoFinale& a, const RisultatoFinale& b) {
            return a.valido && b.valido && relativo(a.ia_riposo, b.ia_riposo) < 1e-12 &&
                   relativo(a.potenza, b.potenza) < 1e-9 && std::fabs(a.thd - b.thd) < 1e-9 * b.thd;
        };
        QVERIFY(uguali(calcola(pentodo_el34(), ul), calcola(pentodo_el34(), pentodo)));
        ul.presa_ul = 100;
        QVERIFY(uguali(calcola(pentodo_el34(), ul), calcola(pentodo_el34(), triodo)));
        // Between the ends, between the two: the tap lowers the plate
        // resistance from the pentode's towards the triode's.
        ul.presa_ul = 43;
        const double rp_ul = calcola(pentodo_el34(), ul).rp;
        QVERIFY(rp_ul < calcola(pentodo_el34(), pentodo).rp && rp_ul > calcola(pentodo_el34(), triodo).rp);
    }
}

void TstStadioFinale::polarizzazione_catodica()
{
    struct Caso {
        modello::ParametriModello m;
        IngressiFinale in;
        Classe classe;
    };
    IngressiFinale se = se_2a3();
    se.polarizzazione = Polarizzazione::catodica;
    se.b_piu = 295;
    se.ampiezza = 30;
    IngressiFinale ab = pp_el34(Collegamento::ultralineare);
    ab.polarizzazione = Polarizzazione::catodica;
    ab.vg_riposo = -38;
    ab.ampiezza = 38;
    for (const Caso& c : {Caso{triodo_2a3(), se, Classe::a}, Caso{pentodo_el34(), ab, Classe::ab}}) {
        const RisultatoFinale r = calcola(c.m, c.in);
        QVERIFY2(r.valido, qPrintable(r.motivo));
        // At rest: the resistor's drop is the bias, for one or both tubes.
        QVERIFY(relativo(r.rk * r.tubi * r.ia_riposo / 1000, -c.in.vg_riposo) < 1e-12);
        // Under drive: the cathode sits at Rk times the average of the
        // samples' current, and the bias is that voltage.
        double somma = 0;
        for (const CampioneFinale& s : r.campioni)
            somma += s.corrente[0] + (r.tubi == 2 ? s.corrente[1] : 0);
        const double vk = r.rk * somma / r.campioni.size() / 1000;
        qInfo("Rk %.1f ohm, bias at rest %.2f V, under drive %.3f V (shift %.3f V), class %s", r.rk, c.in.vg_riposo,
              r.vg_sotto_segnale, r.spostamento, qPrintable(testo_classe(r.classe)));
        QVERIFY(relativo(-r.vg_sotto_segnale, vk) < 1e-8);
        QVERIFY(std::fabs(r.spostamento - (r.vg_sotto_segnale - c.in.vg_riposo)) < 1e-12);
        QCOMPARE(r.classe, c.classe);
        // Class AB draws more current under drive: the bias goes more negative.
        if (c.classe == Classe::ab)
            QVERIFY(r.spostamento < -0.5);
        QVERIFY(relativo(r.potenza_rk, vk * vk / r.rk) < 1e-8);
    }
}

void TstStadioFinale::punti_pubblicati_data()
{
    QTest::addColumn<QString>("sigla");
    QTest::addColumn<IngressiFinale>("ingressi");
    QTest::addColumn<double>("corrente");
    QTest::addColumn<double>("tolleranza_corrente");
    QTest::addColumn<double>("potenza");
    QTest::addColumn<double>("tolleranza_potenza");
    IngressiFinale el34;
    el34.collegamento = Collegamento::pentodo;
    el34.b_piu = el34.vg2 = 250;
    el34.vg_riposo = -12.2;
    el34.ampiezza = 12.2;
    el34.impedenza = 2000;
    QTest::newRow("2A3 single-ended") << QStringLiteral("2A3") << se_2a3() << 60.0 << 0.10 << 3.5 << 0.15;
    QTest::newRow("EL34 single-ended pentode") << QStringLiteral("6CA7") << el34 << 100.0 << 0.15 << 11.0 << 0.20;
}

void TstStadioFinale::punti_pubblicati()
{
    QFETCH(QString, sigla);
    QFETCH(IngressiFinale, ingressi);
    QFETCH(double, corrente);
    QFETCH(double, tolleranza_corrente);
    QFETCH(double, potenza);
    QFETCH(double, tolleranza_potenza);
    const std::optional<modello::ModelloSalvato> m = modello_demo(sigla);
    QVERIFY2(m, "the demo database holds the tube's model");
    const RisultatoFinale r = calcola(m->parametri, ingressi);
    QVERIFY2(r.valido, qPrintable(r.motivo));
    qInfo("%s: Ia %.1f mA (sheet %.0f), P at full drive %.2f W (sheet %.1f), THD %.2f %%, rp %.0f ohm, "
          "efficiency %.1f %%",
          qPrintable(sigla), r.ia_riposo, corrente, r.potenza_massima, potenza, r.thd, r.rp, r.rendimento);
    QVERIFY(relativo(r.ia_riposo, corrente) <= tolleranza_corrente);
    QVERIFY(relativo(r.potenza_massima, potenza) <= tolleranza_potenza);
}

void TstStadioFinale::ingressi_errati_data()
{
    QTest::addColumn<QString>("campo");
    QTest::addColumn<QString>("testo");
    QTest::addColumn<QString>("motivo");
    QTest::newRow("letters") << "b_piu"
                             << "abc"
                             << "B+ (V)= non contiene un numero.";
    QTest::newRow("empty") << "impedenza"
                           << ""
                           << "Impedenza primario (Ohm)= non contiene un numero.";
    QTest::newRow("zero supply") << "b_piu"
                                 << "0"
                                 << "B+ (V)= deve essere maggiore di zero.";
    QTest::newRow("negative load") << "impedenza"
                                   << "-2500"
                                   << "Impedenza primario (Ohm)= deve essere maggiore di zero.";
    QTest::newRow("positive grid") << "vg_riposo"
                                   << "5"
                                   << "Vg riposo (V)= non può essere positiva";
    QTest::newRow("no current") << "vg_riposo"
                                << "-400"
                                << "il punto di lavoro non ha corrente";
    QTest::newRow("no drive") << "ampiezza"
                              << "0"
                              << "Ampiezza ingresso (Vp)= deve essere maggiore di zero.";
    QTest::newRow("infinite") << "carico"
                              << "1e999"
                              << "Carico altoparlante (Ohm)= non contiene un numero.";
}

void TstStadioFinale::ingressi_errati()
{
    QFETCH(QString, campo);
    QFETCH(QString, testo);
    QFETCH(QString, motivo);
    TestiFinale t = testi_da_ingressi(se_2a3());
    QString* campi[] = {&t.b_piu, &t.impedenza, &t.vg_riposo, &t.ampiezza, &t.resistenza_dc, &t.carico};
    const char* nomi[] = {"b_piu", "impedenza", "vg_riposo", "ampiezza", "resistenza_dc", "carico"};
    for (std::size_t i = 0; i < std::size(nomi); ++i)
        if (campo == QLatin1String(nomi[i]))
            *campi[i] = testo;
    QString perche;
    const std::optional<IngressiFinale> in = leggi_ingressi(t, se_2a3(), &perche);
    RisultatoFinale r;
    if (in)
        r = calcola(triodo_2a3(), *in);
    else
        r.motivo = perche;
    QVERIFY(!r.valido);
    QVERIFY2(r.motivo.contains(motivo), qPrintable(r.motivo));
    QVERIFY(r.campioni.empty() && r.potenza == 0);
}

void TstStadioFinale::csv()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const RisultatoFinale r = calcola(pentodo_el34(), pp_el34(Collegamento::ultralineare));
    QVERIFY(r.valido);
    const QString file = dir.filePath(QStringLiteral("finale.csv"));
    QVERIFY(scrivi_csv(file, r));
    QProcess python;
    python.start(QStringLiteral("python3"),
                 {QStringLiteral("-c"),
                  QStringLiteral("import csv,sys\n"
                                 "rows=list(csv.reader(open(sys.argv[1],newline='')))\n"
                                 "print(len(rows)-1, len(rows[0]), ';'.join(rows[0]))\n"
                                 "print(sum(float(r[6]) for r in rows[1:]), float(rows[65][3]), float(rows[65][6]))"),
                  file});
    QVERIFY(python.waitForFinished(30000));
    const QStringList righe = QString::fromUtf8(python.readAllStandardOutput()).split(u'\n');
    QCOMPARE(righe.value(0), QStringLiteral("256 7 tempo (periodi);ingresso (V);va1 (V);ia1 (mA);va2 (V);ia2 (mA);"
                                            "primario (V)"));
    const QStringList valori = righe.value(1).split(u' ');
    QCOMPARE(valori.size(), 3);
    // The primary has no average; sample 64 is the positive peak of the drive.
    QVERIFY(std::fabs(valori[0].toDouble()) < 1e-6 * r.armoniche[1]);
    QVERIFY(relativo(valori[1].toDouble(), r.campioni[64].corrente[0]) < 1e-10);
    QVERIFY(relativo(valori[2].toDouble(), r.campioni[64].primario) < 1e-10);
    // Nothing to write for a design that failed, and no file left behind.
    QVERIFY(!scrivi_csv(dir.filePath(QStringLiteral("vuoto.csv")), RisultatoFinale{}));
    QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("vuoto.csv"))));
}

QTEST_GUILESS_MAIN(TstStadioFinale)
#include "tst_stadio_finale.moc"
