// A 12AX7 stage designed on the demo tube as a user would: load the tube
// from the list, drag a 100 kohm load line from 300 V, complete it, click the
// working point on the -1.5 V curve and the gain point on the -2.5 V curve,
// type the grid voltages. The gain and the resistors must agree with the
// tube model the curves were drawn from, within what one pixel allows.

#include "chart/grafico.h"
#include "chart/ui/picture1.h"
#include "common/numeri.h"
#include "platform/piattaforma_scriptata.h"
#include "shell/korvel.h"
#include "support/programma_demo.h"
#include "tubes/lista_valvole.h"
#include "tubes/ui/griglia_db.h"

#include "data/generator/valvole_demo.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include <cmath>

namespace {

const valvole_demo::Valvola& dodici_ax7()
{
    for (const valvole_demo::Valvola& v : valvole_demo::tabella())
        if (v.sigla_usa == "12AX7")
            return v;
    return valvole_demo::tabella().front();
}

// The model's plate voltage where the curve of grid voltage vg crosses the
// load line of 100 kohm from 300 V (I in mA = (300 - V) / 100).
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
    return {org_x + v / t.vmax_v * (vmax_x - org_x), org_y - i / t.imax_i * (org_y - imax_y)};
}

QPointF arrotonda(QPointF p)
{
    return {std::round(p.x()), std::round(p.y())};
}

} // namespace

class TestStadio12AX7 : public QObject {
    Q_OBJECT

private slots:
    void progetto_con_mouse_e_tastiera()
    {
        QTemporaryDir programma;
        QVERIFY(copia_dati_demo(programma.path()));
        PiattaformaScriptata p;
        KORVEL w(p, programma.path());
        w.KORVEL_Form_Load();

        // The tube, chosen by a double click on its row of the list.
        const int riga = riga_valvola(w.lista(), QStringLiteral("12AX7"));
        QVERIFY(riga > 0);
        const QRect cella = w.griglia_DB->visualRect(w.griglia_DB->model()->index(riga - 1, 4));
        QVERIFY(cella.isValid());
        // Press, release, double click, release: what the window system sends.
        QWidget* lista = w.griglia_DB->viewport();
        for (QEvent::Type tipo : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease, QEvent::MouseButtonDblClick,
                                  QEvent::MouseButtonRelease}) {
            const bool premuto = tipo != QEvent::MouseButtonRelease;
            QMouseEvent e(tipo, QPointF(cella.center()), lista->mapToGlobal(QPointF(cella.center())), Qt::LeftButton,
                          premuto ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
            QApplication::sendEvent(lista, &e);
        }
        QCOMPARE(w.riga_db->text(), QString::number(riga));
        const StatoGrafico& s = w.grafico().stato();
        QCOMPARE(s.org_x, float(valvole_demo::org_x));
        QCOMPARE(s.vmax_v, 500.0);

        QWidget* grafico = w.Picture1_;
        const auto evento = [&](QEvent::Type tipo, QPointF pos, Qt::MouseButton pulsante, Qt::MouseButtons tenuti) {
            QMouseEvent e(tipo, pos, grafico->mapToGlobal(pos), pulsante, tenuti, Qt::NoModifier);
            QApplication::sendEvent(grafico, &e);
        };
        const auto clic = [&](QPointF pos) {
            evento(QEvent::MouseButtonPress, pos, Qt::LeftButton, Qt::LeftButton);
            evento(QEvent::MouseButtonRelease, pos, Qt::LeftButton, Qt::NoButton);
        };

        // The load line drawn through two of its points, 50 V / 2.5 mA and
        // 250 V / 0.5 mA, then carried to both axes.
        QTest::mouseClick(w.legenda_retta, Qt::LeftButton);
        const QPointF da = arrotonda(pixel(50, 2.5));
        const QPointF a = arrotonda(pixel(250, 0.5));
        evento(QEvent::MouseButtonPress, da, Qt::LeftButton, Qt::LeftButton);
        for (int passo = 1; passo <= 10; ++passo)
            evento(QEvent::MouseMove, da + (a - da) * passo / 10.0, Qt::NoButton, Qt::LeftButton);
        evento(QEvent::MouseButtonRelease, a, Qt::LeftButton, Qt::NoButton);
        w.calc_function[0]->trigger();
        const double volt_pixel = 500.0 / (valvole_demo::vmax_x - valvole_demo::org_x);
        const double ma_pixel = 5.0 / (valvole_demo::org_y - valvole_demo::imax_y);
        QVERIFY2(std::fabs(s.retta_v1 - 300) <= 1.5 * volt_pixel, qPrintable(QString::number(s.retta_v1)));
        QVERIFY2(std::fabs(s.retta_i0 - 3) <= 1.5 * ma_pixel, qPrintable(QString::number(s.retta_i0)));

        // The two points where the model's curves cross the line.
        const double va_lavoro = incrocio(-1.5);
        const double va_guadagno = incrocio(-2.5);
        const double ia_lavoro = (300 - va_lavoro) / 100;
        QTest::mouseClick(w.legenda_lavoro, Qt::LeftButton);
        clic(arrotonda(pixel(va_lavoro, ia_lavoro)));
        QTest::mouseClick(w.legenda_guadagno, Qt::LeftButton);
        clic(arrotonda(pixel(va_guadagno, (300 - va_guadagno) / 100)));
        QCOMPARE(w.legenda_lavoro->text(), QStringLiteral("L01"));
        QCOMPARE(w.legenda_guadagno->text(), QStringLiteral("G01"));

        for (auto [campo, testo] : {std::pair{Campo::grid_bias, "-1,5"}, std::pair{Campo::gain_bias, "-2,5"}}) {
            QLineEdit* f = w.campo(campo);
            f->setFocus();
            QTest::keyClicks(f, QString::fromLatin1(testo));
            QTest::keyClick(f, Qt::Key_Return);
        }

        // The model: gain = change of plate voltage per volt of grid voltage,
        // Rk = 1.5 V over the working-point current, Ra = 100 k - Rk.
        const double guadagno = std::fabs(va_guadagno - va_lavoro) / 1.0;
        const double rk = 1.5 / ia_lavoro * 1000;
        const double ra = 100000 - rk;
        qInfo("model: gain %.2f, Rk %.0f, Ra %.0f; chart: gain %.2f, Rk %d, Ra %d", guadagno, rk, ra, s.guadagno,
              s.valore_r_catodica, s.valore_r_anodica);
        // Each point is within half a pixel of the crossing.
        QVERIFY(std::fabs(s.guadagno - guadagno) <= volt_pixel);
        QVERIFY(std::fabs(s.valore_r_catodica - rk) <= rk * 0.5 * ma_pixel / ia_lavoro + 1);
        QVERIFY(std::fabs(s.valore_r_anodica - ra) <= ra * 0.015);
        QCOMPARE(w.campo(Campo::gain_value)->text(), QString::number(s.guadagno, 'f', 2));
        QCOMPARE(w.campo(Campo::r_catodica)->text(),
                 numeri::formatta(s.valore_r_catodica, QStringLiteral("###,###,##0")));
        QVERIFY(!w.campo(Campo::c_catodica)->text().isEmpty());
        QVERIFY(guadagno > 40 && guadagno < 80); // a sensible 12AX7 stage
        w.close();                               // as the user ends the session
    }
};

QTEST_MAIN(TestStadio12AX7)
#include "tst_stadio_12ax7.moc"
