// The curve tracer against pictures whose curves are known: the ten demo
// pictures (drawn from Koren sets), a synthetic old data sheet passed through
// the new-tube window's rescale, and three real scanned sheets.
#include "foglio/tracciatore.h"

#include "model/fogli_reali.h"
#include "model/foglio_sintetico.h"
#include "model/taratura_demo.h"
#include "valvole_demo.h"

#include <QPainter>
#include <QtTest>

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

using tracciatore::CurvaTracciata;

Q_DECLARE_METATYPE(Taratura)

namespace {

using Polilinea = std::vector<QPointF>;

double distanza_segmento(QPointF p, QPointF a, QPointF b)
{
    const QPointF d = b - a;
    const double l2 = d.x() * d.x() + d.y() * d.y();
    double t = l2 > 0 ? ((p - a).x() * d.x() + (p - a).y() * d.y()) / l2 : 0;
    t = std::clamp(t, 0.0, 1.0);
    const QPointF q = a + d * t - p;
    return std::hypot(q.x(), q.y());
}

// Distance from a polyline sampled with x increasing; segments more than
// 10 px away in x cannot be the nearest one within 10 px, so only those near
// are looked at (farther answers come out as 10 px or more).
double distanza(QPointF p, const Polilinea& l)
{
    constexpr double raggio = 10.0;
    auto da =
        std::lower_bound(l.begin(), l.end(), p.x() - raggio, [](const QPointF& q, double x) { return q.x() < x; });
    auto a = std::upper_bound(l.begin(), l.end(), p.x() + raggio, [](double x, const QPointF& q) { return x < q.x(); });
    if (da != l.begin())
        --da;
    double d = raggio;
    for (auto it = da; it != a && it + 1 != l.end(); ++it)
        d = std::min(d, distanza_segmento(p, *it, *(it + 1)));
    return d;
}

double media_distanza(const CurvaTracciata& c, const Polilinea& l)
{
    double s = 0;
    for (const QPointF& p : c.punti)
        s += distanza(p, l);
    return s / double(c.punti.size());
}

// Length of the part of a model curve the tracer is expected to give: inside
// the frame by more than 2 px and above 2 % of the full-scale current.
double arco_visibile(const Polilinea& l, const Taratura& t)
{
    const double y_min = t.org_y - 0.02 * (t.org_y - t.imax_y);
    auto dentro = [&](QPointF p) {
        return p.x() > t.org_x + 2 && p.x() < t.vmax_x - 2 && p.y() > t.imax_y + 2 && p.y() < t.org_y - 2 &&
               p.y() < y_min;
    };
    double s = 0;
    for (std::size_t i = 1; i < l.size(); ++i)
        if (dentro(l[i - 1]) && dentro(l[i]))
            s += std::hypot(l[i].x() - l[i - 1].x(), l[i].y() - l[i - 1].y());
    return s;
}

// Model curve k of a demo tube in picture pixels, finely sampled.
Polilinea curva_demo(const valvole_demo::Valvola& v, int k)
{
    using namespace valvole_demo;
    Polilinea l;
    for (double x = org_x; x <= vmax_x; x += 0.1) {
        const double ep = (x - org_x) / (vmax_x - org_x) * v.vmax_v;
        l.emplace_back(x, y_di(v, corrente(v, ep, tensione_griglia(v, k))));
    }
    return l;
}

struct Confronto {
    int trovate = 0; // model curves matched by a traced curve
    int attese = 0;  // model curves long enough to be traced
    int punti = 0;
    int vicini = 0;      // points within the tolerance
    double peggiore = 0; // largest distance, px
    bool ordinate = true;
    bool doppie = false;
    QString dettaglio;
};

// Matches every traced curve to the model curve it lies on (least mean
// distance) and measures its points against it.
Confronto confronta(const QVector<CurvaTracciata>& curve, const std::vector<Polilinea>& modello, const Taratura& t,
                    double tolleranza)
{
    Confronto c;
    std::vector<int> presa(modello.size(), 0);
    for (const Polilinea& l : modello)
        c.attese += arco_visibile(l, t) >= 40.0;
    int precedente = -1;
    for (const CurvaTracciata& tr : curve) {
        int k_migliore = -1;
        double d_migliore = 1e9;
        for (std::size_t k = 0; k < modello.size(); ++k) {
            const double d = media_distanza(tr, modello[k]);
            if (d < d_migliore) {
                d_migliore = d;
                k_migliore = int(k);
            }
        }
        c.dettaglio += QStringLiteral("%1(%2) ").arg(k_migliore).arg(tr.punti.size());
        if (k_migliore <= precedente)
            c.ordinate = false;
        precedente = k_migliore;
        if (presa[std::size_t(k_migliore)]++)
            c.doppie = true;
        for (const QPointF& p : tr.punti) {
            const double d = distanza(p, modello[std::size_t(k_migliore)]);
            ++c.punti;
            c.vicini += d <= tolleranza;
            c.peggiore = std::max(c.peggiore, d);
        }
    }
    for (std::size_t k = 0; k < modello.size(); ++k)
        c.trovate += presa[k] > 0 && arco_visibile(modello[k], t) >= 40.0;
    return c;
}

// Every traced point as the API promises: x increasing, inside the frame by
// 2 px, above 2 % of the full scale, about 2 px apart along the curve.
void controlla_forma(const QVector<CurvaTracciata>& curve, const Taratura& t)
{
    const double y_min = t.org_y - 0.02 * (t.org_y - t.imax_y);
    for (const CurvaTracciata& c : curve) {
        QVERIFY(c.punti.size() >= 2);
        for (qsizetype i = 0; i < c.punti.size(); ++i) {
            const QPointF p = c.punti[i];
            QVERIFY2(p.x() >= t.org_x + 2 - 1e-6 && p.x() <= t.vmax_x - 2 + 1e-6, qPrintable(QString::number(p.x())));
            QVERIFY2(p.y() >= t.imax_y + 2 - 1e-6 && p.y() <= y_min + 1e-6, qPrintable(QString::number(p.y())));
            if (i > 0) {
                QVERIFY(p.x() > c.punti[i - 1].x());
                const double passo = std::hypot(p.x() - c.punti[i - 1].x(), p.y() - c.punti[i - 1].y());
                QVERIFY2(passo > 1.0, qPrintable(QString::number(passo)));
            }
        }
    }
}

QString cartella_demo()
{
    return QStringLiteral(KORVEL_DIST_DIR "/DatiValvole/Curve/");
}

} // namespace

class TestTracciatore : public QObject {
    Q_OBJECT

private slots:
    void curve_demo_data()
    {
        QTest::addColumn<int>("indice");
        const auto& t = valvole_demo::tabella();
        for (std::size_t i = 0; i < t.size(); ++i)
            QTest::newRow(valvole_demo::file_curva(t[i]).c_str()) << int(i);
    }

    // Every demo curve is found, in order from the highest current, with at
    // least 99 % of its points within 1 px of the curve the model draws.
    void curve_demo()
    {
        QFETCH(int, indice);
        const auto& v = valvole_demo::tabella()[std::size_t(indice)];
        const QImage img(cartella_demo() + QString::fromStdString(valvole_demo::file_curva(v)));
        QVERIFY(!img.isNull());
        const Taratura t = taratura_demo(v);
        const QVector<CurvaTracciata> curve = tracciatore::traccia_curve(img, t);
        std::vector<Polilinea> modello;
        for (int k = 0; k < v.n_curve; ++k)
            modello.push_back(curva_demo(v, k));
        const Confronto c = confronta(curve, modello, t, 1.0);
        qInfo("%s: %d/%d curves, %d points, %.2f %% within 1 px, worst %.2f px", valvole_demo::file_curva(v).c_str(),
              c.trovate, c.attese, c.punti, 100.0 * c.vicini / c.punti, c.peggiore);
        QVERIFY2(c.ordinate && !c.doppie, qPrintable(c.dettaglio));
        QCOMPARE(c.trovate, c.attese);
        QCOMPARE(int(curve.size()), c.attese);
        QVERIFY2(c.vicini >= 0.99 * c.punti, qPrintable(QString::number(100.0 * c.vicini / c.punti)));
        controlla_forma(curve, t);
    }

    // An old sheet's black curves over a black grid, with labels, through
    // the window's rescale: every curve, points within 1.5 px; and so with
    // what real sheets print over them: a boxed label that cuts a curve in
    // two, curves turning dashed above a dash-dot dissipation line that
    // crosses them, boxes that break the grid lines beside and above the
    // curves. The family comes out as drawn, one row per curve, in order.
    void foglio_anni_cinquanta_data()
    {
        using foglio_sintetico::Disturbo;
        QTest::addColumn<int>("disturbo");
        QTest::newRow("pulito") << int(Disturbo::nessuno);
        QTest::newRow("etichetta riquadrata sulla curva") << int(Disturbo::etichetta_riquadrata);
        QTest::newRow("tratteggiate sopra la dissipazione") << int(Disturbo::tratteggio);
        QTest::newRow("riquadri sulla griglia") << int(Disturbo::riquadri_griglia);
    }
    void foglio_anni_cinquanta()
    {
        QFETCH(int, disturbo);
        const auto f = foglio_sintetico::genera(foglio_sintetico::Disturbo(disturbo));
        QVERIFY(f);
        const QVector<CurvaTracciata> curve = tracciatore::traccia_curve(f->immagine, f->taratura);
        if (!qEnvironmentVariableIsEmpty("KORVEL_FOTO"))
            f->immagine.save(QString::fromLocal8Bit(qgetenv("KORVEL_FOTO")) +
                             QStringLiteral("/foglio %1.png").arg(QString::fromLatin1(QTest::currentDataTag())));
        std::vector<Polilinea> modello;
        for (double vg : f->griglie) {
            Polilinea l;
            for (double ep = 0; ep <= f->vmax_v; ep += 0.25) {
                const double ia = modello::corrente_placca(f->parametri, ep, vg);
                if (ia > 0.9 * f->imax_i)
                    break;
                l.push_back(f->pixel(ep, ia));
            }
            modello.push_back(l);
        }
        const Confronto c = confronta(curve, modello, f->taratura, 1.5);
        qInfo("sheet: %d/%d curves, %d points, %.2f %% within 1.5 px, worst %.2f px", c.trovate, c.attese, c.punti,
              100.0 * c.vicini / c.punti, c.peggiore);
        QVERIFY2(c.ordinate && !c.doppie, qPrintable(c.dettaglio));
        QCOMPARE(c.attese, int(f->griglie.size()));
        QCOMPARE(c.trovate, c.attese);
        QCOMPARE(int(curve.size()), c.attese);
        QVERIFY2(c.vicini >= 0.98 * c.punti, qPrintable(QString::number(100.0 * c.vicini / c.punti)));
        controlla_forma(curve, f->taratura);
    }

    void fogli_reali_data()
    {
        QTest::addColumn<int>("indice");
        for (std::size_t i = 0; i < fogli_reali::fogli().size(); ++i)
            QTest::newRow(fogli_reali::fogli()[i].file) << int(i);
    }

    // Real scans: as many curves as the sheet labels, none crossing the next.
    void fogli_reali()
    {
        QFETCH(int, indice);
        const auto& f = fogli_reali::fogli()[std::size_t(indice)];
        const QImage img(QStringLiteral(KORVEL_FIXTURE_DIR "/") + QLatin1String(f.file));
        QVERIFY(!img.isNull());
        QCOMPARE(img.size(), QSize(518, 418));
        const QVector<CurvaTracciata> curve = tracciatore::traccia_curve(img, f.taratura);
        QString dettaglio;
        int punti = 0;
        for (const CurvaTracciata& c : curve) {
            dettaglio += QStringLiteral("%1[%2-%3] ")
                             .arg(c.punti.size())
                             .arg(c.punti.front().x(), 0, 'f', 0)
                             .arg(c.punti.back().x(), 0, 'f', 0);
            punti += int(c.punti.size());
        }
        qInfo("%s: %d curves, %d points: %s", f.file, int(curve.size()), punti, qPrintable(dettaglio));
        QCOMPARE(int(curve.size()), int(f.griglie.size()));
        controlla_forma(curve, f.taratura);
        // Each curve lies above the next wherever both are traced; a lower
        // curve starts further right, as every triode family does.
        for (qsizetype k = 1; k < curve.size(); ++k) {
            const auto& a = curve[k - 1].punti;
            const auto& b = curve[k].punti;
            QVERIFY2(a.front().x() < b.front().x(), qPrintable(dettaglio));
            for (const QPointF& q : b) {
                auto it =
                    std::lower_bound(a.begin(), a.end(), q.x(), [](const QPointF& p, double x) { return p.x() < x; });
                if (it == a.begin() || it == a.end())
                    continue;
                const QPointF p1 = *(it - 1), p2 = *it;
                const double ya = p1.y() + (p2.y() - p1.y()) * (q.x() - p1.x()) / (p2.x() - p1.x());
                QVERIFY2(ya < q.y(),
                         qPrintable(QStringLiteral("curves %1 and %2 cross at x %3").arg(k - 1).arg(k).arg(q.x())));
            }
        }
    }

    void nessuna_curva_data()
    {
        QTest::addColumn<QImage>("immagine");
        QTest::addColumn<Taratura>("taratura");
        const Taratura buona = taratura_demo(valvole_demo::tabella()[0]);
        QImage bianca(518, 418, QImage::Format_RGB32);
        bianca.fill(Qt::white);
        QTest::newRow("blank") << bianca << buona;
        // The demo layout with its grey grid and black axes only.
        QImage griglia = bianca;
        {
            using namespace valvole_demo;
            QPainter p(&griglia);
            p.setPen(QColor(190, 190, 190));
            for (int k = 1; k <= divisioni; ++k) {
                p.drawLine(org_x + k * passo_x, imax_y, org_x + k * passo_x, org_y);
                p.drawLine(org_x, org_y - k * passo_y, vmax_x, org_y - k * passo_y);
            }
            p.setPen(Qt::black);
            p.drawLine(org_x, imax_y, org_x, org_y);
            p.drawLine(org_x, org_y, vmax_x, org_y);
        }
        QTest::newRow("demo grid") << griglia << buona;
        // A dense black grid as a rescaled scan shows it: a line every 4.4
        // px, every fifth one darker.
        QImage fitta = bianca;
        {
            QPainter p(&fitta);
            for (int k = 0; k <= 100; ++k) {
                const int g = k % 5 == 0 ? 40 : 150;
                p.setPen(QColor(g, g, g));
                const int x = 56 + int(std::lround(k * 4.4));
                p.drawLine(x, 40, x, 380);
            }
            for (int k = 0; k <= 77; ++k) {
                const int g = k % 5 == 0 ? 40 : 150;
                p.setPen(QColor(g, g, g));
                const int y = 380 - int(std::lround(k * 4.4));
                p.drawLine(56, y, 496, y);
            }
        }
        QTest::newRow("dense scan grid") << fitta << buona;
        const QImage demo(cartella_demo() + QStringLiteral("12AX7trio.gif"));
        QTest::newRow("curves, no calibration") << demo << Taratura{};
        Taratura rovescia = buona;
        std::swap(rovescia.org_x, rovescia.vmax_x);
        QTest::newRow("curves, axis end left of the origin") << demo << rovescia;
        Taratura nan = buona;
        nan.imax_i = std::nan("");
        QTest::newRow("curves, current scale not a number") << demo << nan;
        Taratura infinita = buona;
        infinita.org_x = std::numeric_limits<float>::infinity();
        QTest::newRow("curves, origin at infinity") << demo << infinita;
        QTest::newRow("null picture") << QImage() << buona;
    }

    // Nothing to trace gives no curves, and no single curve from a click.
    void nessuna_curva()
    {
        QFETCH(QImage, immagine);
        QFETCH(Taratura, taratura);
        const Taratura& t = taratura;
        QVERIFY(tracciatore::traccia_curve(immagine, t).isEmpty());
        for (const QPointF clic : {QPointF(150, 200), QPointF(300, 300), QPointF(100, 340)})
            QVERIFY(!tracciatore::traccia_curva_da(immagine, t, clic));
    }

    void clic_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("curva");
        QTest::addColumn<double>("ep");
        QTest::addColumn<QPointF>("scostamento");
        QTest::newRow("12AX7 top curve, on it") << "12AX7trio.gif" << 0 << 150.0 << QPointF(0, 0);
        QTest::newRow("12AX7 fourth curve, 3 px off") << "12AX7trio.gif" << 3 << 250.0 << QPointF(2, -2);
        QTest::newRow("300B middle curve, 3 px off") << "300Btrio.gif" << 6 << 350.0 << QPointF(-3, 0);
        QTest::newRow("EL34 flat part") << "6CA7pent.gif" << 2 << 300.0 << QPointF(0, 3);
    }

    // A click on or near a curve gives that curve and only that one.
    void clic()
    {
        QFETCH(QString, file);
        QFETCH(int, curva);
        QFETCH(double, ep);
        QFETCH(QPointF, scostamento);
        const auto& tab = valvole_demo::tabella();
        const auto v = std::find_if(tab.begin(), tab.end(), [&](const auto& x) {
            return QString::fromStdString(valvole_demo::file_curva(x)) == file;
        });
        QVERIFY(v != tab.end());
        const QImage img(cartella_demo() + file);
        const Taratura t = taratura_demo(*v);
        const double vg = valvole_demo::tensione_griglia(*v, curva);
        const QPointF sulla(valvole_demo::x_di(*v, ep), valvole_demo::y_di(*v, valvole_demo::corrente(*v, ep, vg)));
        const auto c = tracciatore::traccia_curva_da(img, t, sulla + scostamento);
        QVERIFY(c);
        const Polilinea l = curva_demo(*v, curva);
        int vicini = 0;
        for (const QPointF& p : c->punti)
            vicini += distanza(p, l) <= 1.0;
        QVERIFY2(vicini >= 0.99 * c->punti.size(),
                 qPrintable(QStringLiteral("%1 of %2").arg(vicini).arg(c->punti.size())));
        // Most of the visible curve, not a scrap of it.
        QVERIFY2(c->punti.size() * 2.0 >= 0.7 * arco_visibile(l, t), qPrintable(QString::number(c->punti.size())));
        // About as much of it as the automatic pass gives.
        const auto tutte = tracciatore::traccia_curve(img, t);
        QVERIFY(curva < tutte.size());
        QVERIFY2(std::abs(c->punti.size() - tutte[curva].punti.size()) <= tutte[curva].punti.size() / 20,
                 qPrintable(QStringLiteral("%1 against %2").arg(c->punti.size()).arg(tutte[curva].punti.size())));
    }
};

QTEST_MAIN(TestTracciatore)
#include "tst_tracciatore.moc"
