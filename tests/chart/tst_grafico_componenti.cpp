// The engine's components and gain: the resistors and the capacitor of the
// working point, the gain between two points, the grid-voltage entry and
// the plate resistor typed with "k".

#include "banco_grafico.h"
#include "common/numeri.h"

#include <QLocale>
#include <QTest>

class TestGraficoComponenti : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    // -1,5 typed for the working point of a 300 V / 10 mA line at 1.2 mA.
    void componenti_data()
    {
        QTest::addColumn<bool>("virgola");
        QTest::addColumn<QString>("r_anodica");
        QTest::addColumn<QString>("r_catodica");
        QTest::addColumn<QString>("c_catodica");
        QTest::newRow("point locale") << false << "28,750"
                                      << "1,250"
                                      << "5.09";
        QTest::newRow("comma locale") << true << "28.750"
                                      << "1.250"
                                      << "5,09";
    }

    void componenti()
    {
        QFETCH(bool, virgola);
        QFETCH(QString, r_anodica);
        QFETCH(QString, r_catodica);
        QFETCH(QString, c_catodica);
        QLocale::setDefault(virgola ? QLocale(QLocale::Italian, QLocale::Italy)
                                    : QLocale(QLocale::English, QLocale::UnitedStates));
        Banco b;
        b.s().lavoro_i = 1.2;
        b.s().retta_v1 = 300;
        b.s().retta_i0 = 10;
        b.vista.testi[Campo::grid_bias] = QStringLiteral("-1,5");
        b.grafico.grid_bias_KeyDown(65, 0); // not Enter: nothing
        QCOMPARE(b.t(Campo::grid_bias), QStringLiteral("-1,5"));
        b.grafico.grid_bias_KeyDown(13, 0);
        QCOMPARE(b.t(Campo::grid_bias), QStringLiteral("1.5"));
        QCOMPARE(b.s().lavoro_vg, 1.5);
        QCOMPARE(b.s().valore_r_catodica, 1250);
        QCOMPARE(b.s().valore_r_anodica, 28750);
        QVERIFY(qAbs(b.s().valore_c_catodica - 5.0931) < 1e-4);
        QCOMPARE(b.t(Campo::r_anodica), r_anodica);
        QCOMPARE(b.t(Campo::r_catodica), r_catodica);
        QCOMPARE(b.t(Campo::c_catodica), c_catodica);
    }

    void guadagno_data()
    {
        QTest::addColumn<QString>("lavoro");
        QTest::addColumn<QString>("guadagno");
        QTest::newRow("working point first") << "1.5"
                                             << "2.5";
        QTest::newRow("swapped") << "2.5"
                                 << "1.5";
        QTest::newRow("signs and commas") << "-1,5"
                                          << "-2,5";
    }

    void guadagno()
    {
        QFETCH(QString, lavoro);
        QFETCH(QString, guadagno);
        Banco b;
        b.clic(Legenda::lavoro, 250, 340);
        b.clic(Legenda::guadagno, 220, 350);
        QCOMPARE(b.s().lavoro_v, 150.0);
        QCOMPARE(b.s().guadagno_v, 120.0);
        b.vista.testi[Campo::grid_bias] = lavoro;
        b.vista.testi[Campo::gain_bias] = guadagno;
        b.grafico.grid_bias_LostFocus();
        b.grafico.gain_bias_LostFocus();
        QCOMPARE(b.s().guadagno, 30.0);
        QCOMPARE(b.t(Campo::gain_value), QStringLiteral("30.00"));
    }

    void tensioni_uguali_lasciano_il_guadagno()
    {
        Banco b;
        b.s().lavoro_i = 1.2;
        b.s().retta_v1 = 300;
        b.s().retta_i0 = 10;
        b.clic(Legenda::lavoro, 250, 340);
        b.clic(Legenda::guadagno, 220, 350);
        b.s().lavoro_i = 1.2;
        b.s().guadagno = 12.5;
        b.vista.testi[Campo::grid_bias] = QStringLiteral("2");
        b.vista.testi[Campo::gain_bias] = QStringLiteral("2.0");
        b.grafico.calcolo_componenti_Click();
        QCOMPARE(b.s().guadagno, 12.5);
        QCOMPARE(b.s().valore_r_catodica, 1666);
        QCOMPARE(b.s().valore_r_anodica, 30000 - 1666);
    }

    // After a recalculation the working point no longer belongs to the line;
    // a gain measured against its zeroed values would be meaningless.
    void guadagno_senza_entrambi_i_punti()
    {
        Banco b;
        b.trascina({200, 300}, {{300, 350}});
        b.clic(Legenda::lavoro, 250, 325);
        b.clic(Legenda::guadagno, 220, 310);
        b.vista.testi[Campo::grid_bias] = QStringLiteral("1.5");
        b.vista.testi[Campo::gain_bias] = QStringLiteral("2.5");
        b.grafico.gain_bias_KeyDown(13, 0);
        QCOMPARE(b.s().guadagno, 30.0);
        rispondi_ricalcolo(b.vista, QStringLiteral("20000"), QString(), true);
        QVERIFY(b.grafico.ricalcola_retta());
        QCOMPARE(b.s().lavoro_v, 0.0);
        b.grafico.gain_bias_KeyDown(13, 0);
        QCOMPARE(b.s().guadagno, 30.0);
        b.grafico.cancella_oggetto(2);
        b.clic(Legenda::lavoro, 250, 325);
        b.grafico.calcolo_componenti_Click();
        QCOMPARE(b.s().guadagno, 30.0);
    }

    // A menu command reads the sign still in the field.
    void segno_ancora_nel_campo()
    {
        Banco b;
        b.s().lavoro_i = 1.2;
        b.s().retta_v1 = 300;
        b.s().retta_i0 = 10;
        b.s().valore_c_catodica = 3.3;
        b.vista.testi[Campo::grid_bias] = QStringLiteral("-1.5");
        b.grafico.calcolo_componenti_Click();
        QCOMPARE(b.s().valore_r_catodica, -1250);
        QCOMPARE(b.s().valore_r_anodica, 31250);
        QVERIFY(b.t(Campo::r_catodica).isEmpty());
        QVERIFY(b.t(Campo::c_catodica).isEmpty());
        QCOMPARE(b.t(Campo::r_anodica), QStringLiteral("31,250"));
    }

    // Empty, zero, text: no division fault, the values that cannot be
    // computed keep what they had.
    void tensione_griglia_non_valida_data()
    {
        QTest::addColumn<QString>("testo");
        QTest::newRow("empty") << "";
        QTest::newRow("zero") << "0";
        QTest::newRow("text") << "abc";
        QTest::newRow("sign only") << "-";
    }

    void tensione_griglia_non_valida()
    {
        QFETCH(QString, testo);
        Banco b;
        b.s().lavoro_i = 1.2;
        b.s().retta_v1 = 300;
        b.s().retta_i0 = 10;
        b.s().valore_c_catodica = 3.3;
        b.s().guadagno = 7;
        b.vista.testi[Campo::grid_bias] = testo;
        b.vista.testi[Campo::gain_bias] = testo;
        b.grafico.grid_bias_KeyDown(13, 0);
        b.grafico.gain_bias_KeyDown(13, 0);
        QCOMPARE(b.s().valore_r_catodica, 0);
        QCOMPARE(b.s().valore_r_anodica, 30000);
        // No cathode resistor, no capacitor: the old one would stand beside
        // values it does not belong to.
        QCOMPARE(b.s().valore_c_catodica, 0.0);
        QCOMPARE(b.s().guadagno, 7.0);
        QVERIFY(b.t(Campo::r_catodica).isEmpty());
        QVERIFY(b.t(Campo::c_catodica).isEmpty());
    }

    void senza_punto_ne_linea_restano_i_valori()
    {
        Banco b;
        b.s().valore_r_catodica = 1000;
        b.s().valore_r_anodica = 47000;
        b.vista.testi[Campo::grid_bias] = QStringLiteral("1.5");
        b.grafico.calcolo_componenti_Click();
        QCOMPARE(b.s().valore_r_catodica, 1000);
        QCOMPARE(b.s().valore_r_anodica, 47000);
    }

    void r_anodica_suffisso_k_data()
    {
        QTest::addColumn<QString>("scritto");
        QTest::addColumn<QString>("atteso");
        QTest::newRow("2k") << "2k"
                            << "2000";
        QTest::newRow("47K") << "47K"
                             << "47000";
        QTest::newRow("2.2k") << "2.2k"
                              << "2.2000";
        QTest::newRow("k alone") << "k"
                                 << "000";
        QTest::newRow("plain") << "2000"
                               << "2000";
        QTest::newRow("k inside") << "2k2"
                                  << "2k2";
        QTest::newRow("empty") << ""
                               << "";
    }

    void r_anodica_suffisso_k()
    {
        QFETCH(QString, scritto);
        QFETCH(QString, atteso);
        Banco b;
        b.vista.imposta_testo(Campo::r_anodica, QStringLiteral("x"));
        b.vista.imposta_testo(Campo::r_anodica, scritto);
        QCOMPARE(b.t(Campo::r_anodica), atteso);
    }
};

QTEST_MAIN(TestGraficoComponenti)
#include "tst_grafico_componenti.moc"
