// The components of a stage on the demo 12AX7 in the real main window, as a
// designer computes them: a 100 kohm load line from 300 V dragged through two
// of its points, the working point on the -1.5 V curve, the grid voltage
// typed. The plate resistor must be the line's, completed or not; a cathode
// resistor that cannot be computed takes its capacitor with it; the legends
// read as the manual says.

#include "chart/grafico.h"
#include "chart/ui/picture1.h"
#include "chart/ui/ricalcolo.h"
#include "common/numeri.h"
#include "platform/piattaforma_scriptata.h"
#include "shell/korvel.h"
#include "support/mani_grafico.h"
#include "support/programma_demo.h"
#include "tubes/caricatore_valvola.h"

#include "data/generator/valvole_demo.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <cmath>
#include <memory>

namespace {

const valvole_demo::Valvola& dodici_ax7()
{
    for (const valvole_demo::Valvola& v : valvole_demo::tabella())
        if (v.sigla_usa == "12AX7")
            return v;
    return valvole_demo::tabella().front();
}

// The plate voltage where the model's curve of grid voltage vg crosses the
// 100 kohm line from 300 V.
double incrocio(double vg)
{
    const auto& t = dodici_ax7().parametri;
    double basso = 0, alto = 300;
    for (int i = 0; i < 200; ++i) {
        const double medio = (basso + alto) / 2;
        const double scarto = modello::corrente_placca(t, medio, vg) - (300 - medio) / 100;
        (scarto < 0 ? basso : alto) = medio;
    }
    return (basso + alto) / 2;
}

QPointF pixel(double v, double i)
{
    using namespace valvole_demo;
    const auto& t = dodici_ax7();
    return {std::round(org_x + v / t.vmax_v * (vmax_x - org_x)), std::round(org_y - i / t.imax_i * (org_y - imax_y))};
}

void rispondi_ricalcolo(const QString& r_anodica)
{
    auto* timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [=] {
        auto* dialogo = qobject_cast<Ricalcolo*>(QApplication::activeModalWidget());
        if (!dialogo)
            return;
        timer->stop();
        timer->deleteLater();
        dialogo->r_anodica->selectAll();
        QTest::keyClicks(dialogo->r_anodica, r_anodica);
        QTest::mouseClick(dialogo->exec_calc, Qt::LeftButton);
    });
    timer->start();
}

// The demo 12AX7 loaded, a 100 kohm line dragged from 100 V / 2 mA to
// 250 V / 0.5 mA and left as drawn, the working point on it at -1.5 V.
struct Stadio {
    QTemporaryDir programma;
    PiattaformaScriptata p;
    std::unique_ptr<KORVEL> w;
    double ia_lavoro = 0;

    bool prepara()
    {
        if (!copia_dati_demo(programma.path()))
            return false;
        w = std::make_unique<KORVEL>(p, programma.path());
        w->KORVEL_Form_Load();
        const int riga = riga_valvola(w->lista(), QStringLiteral("12AX7"));
        if (riga < 1)
            return false;
        w->caricatore().griglia_DB_DblClick(riga);
        QTest::mouseClick(w->legenda_retta, Qt::LeftButton);
        // Not a line whose ends lie on one ray from the origin (50 V / 2.5 mA
        // and 250 V / 0.5 mA would be): their ratio would be 100 k too.
        const QPointF da = pixel(100, 2.0);
        const QPointF a = pixel(250, 0.5);
        QList<QPointF> passi;
        for (int k = 1; k <= 10; ++k)
            passi << da + (a - da) * k / 10.0;
        mani_grafico::trascina(w->Picture1_, da, passi);
        const double va = incrocio(-1.5);
        ia_lavoro = (300 - va) / 100;
        mani_grafico::clic(w->Picture1_, w->legenda_lavoro, pixel(va, ia_lavoro));
        return true;
    }
    QString t(Campo c) const { return w->campo(c)->text(); }
    const StatoGrafico& s() const { return w->grafico().stato(); }
    void scrivi(Campo c, const QString& testo) { mani_grafico::scrivi_e_invio(w->campo(c), testo); }
};

} // namespace

class TstComponentiFinestra : public QObject {
    Q_OBJECT

private slots:
    // The line's resistance is its slope: dragging it short of the axes
    // must not change the plate resistor (98.4 k, not the 123 k of the
    // voltage of one end over the current of the other).
    void resistenza_anodica_data()
    {
        QTest::addColumn<bool>("completata");
        QTest::newRow("line as drawn") << false;
        QTest::newRow("completed line") << true;
    }
    void resistenza_anodica()
    {
        QFETCH(bool, completata);
        Stadio st;
        QVERIFY(st.prepara());
        if (completata)
            st.w->calc_function[0]->trigger();
        QCOMPARE(st.s().retta_v0 == 0.0, completata);
        st.scrivi(Campo::grid_bias, QStringLiteral("-1,5"));

        const double rk = 1.5 / st.ia_lavoro * 1000;
        const int ra = st.s().valore_r_anodica;
        qInfo("Rk %d (model %.0f), Ra %d (model %.0f)", st.s().valore_r_catodica, rk, ra, 100000 - rk);
        // One pixel of the line's ends is about 1 % of its slope.
        QVERIFY2(std::fabs(ra - (100000 - rk)) <= 1000, qPrintable(QString::number(ra)));
        QVERIFY2(ra + st.s().valore_r_catodica > 99000 && ra + st.s().valore_r_catodica < 101000,
                 qPrintable(QString::number(ra)));
        QCOMPARE(st.t(Campo::r_anodica), numeri::formatta(ra, QStringLiteral("###,###,##0")));
        QVERIFY(!st.t(Campo::c_catodica).isEmpty());
    }

    // A grid voltage that gives no cathode resistor empties the capacitor
    // too, whatever was computed before.
    void catodo_non_calcolabile_data()
    {
        QTest::addColumn<QString>("vb");
        QTest::newRow("zero") << "0";
        QTest::newRow("text") << "abc";
        QTest::newRow("empty") << "";
        QTest::newRow("comma zero") << "0,0";
    }
    void catodo_non_calcolabile()
    {
        QFETCH(QString, vb);
        Stadio st;
        QVERIFY(st.prepara());
        st.scrivi(Campo::grid_bias, QStringLiteral("-1,5"));
        QVERIFY(!st.t(Campo::r_catodica).isEmpty());
        QVERIFY(!st.t(Campo::c_catodica).isEmpty());
        const QString r_anodica = st.t(Campo::r_anodica);

        st.scrivi(Campo::grid_bias, vb);
        QVERIFY(st.t(Campo::r_catodica).isEmpty());
        QVERIFY(st.t(Campo::c_catodica).isEmpty());
        // The plate resistor is then the whole line's resistance.
        QVERIFY(st.t(Campo::r_anodica) != r_anodica);
        // And the menu command, which redraws every field, agrees.
        st.w->calc_function[1]->trigger();
        QVERIFY(st.t(Campo::c_catodica).isEmpty());
    }

    // The texts the manual quotes: a recalculated line has its label C01
    // on the chart, and the line legend goes on naming the drawn line.
    void legende_dopo_il_ricalcolo()
    {
        Stadio st;
        QVERIFY(st.prepara());
        QCOMPARE(st.w->legenda_retta->text(), QStringLiteral("R01"));
        QCOMPARE(st.w->legenda_lavoro->text(), QStringLiteral("L01"));
        st.scrivi(Campo::grid_bias, QStringLiteral("-1,5"));
        rispondi_ricalcolo(QStringLiteral("100000"));
        st.w->calc_function[3]->trigger();
        QCOMPARE(numero_oggetti(st.s().rette_calcolate), 1);
        QCOMPARE(st.s().rette_calcolate[1].etichetta, QStringLiteral("C01"));
        QCOMPARE(st.w->legenda_retta->text(), QStringLiteral("R01"));
        QCOMPARE(st.w->legenda_lavoro->text(), QStringLiteral("L01"));
    }

    void suggerimento_resistenza_equivalente()
    {
        Stadio st;
        QVERIFY(st.prepara());
        QVERIFY(!st.t(Campo::r_value).isEmpty());
        QCOMPARE(st.w->campo(Campo::r_value)->toolTip(),
                 QStringLiteral("Va/Ia al punto di lavoro (non è la resistenza interna rp)"));
    }
};

QTEST_MAIN(TstComponentiFinestra)
#include "tst_componenti_finestra.moc"
