// The engine's recalculated lines: the request to the window, one or two
// new lines from the voltage-axis point, and the answers that draw nothing.

#include "banco_grafico.h"
#include "common/numeri.h"

#include <QLocale>
#include <QTest>

class TestGraficoRicalcolo : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    // A 10 kohm line from 0 to 300 V on the axes: rows 250 to 400.
    void ricalcola_una_e_due_rette()
    {
        Banco b;
        b.trascina({200, 300}, {{300, 350}});
        b.s().valore_r_anodica = 0;
        b.vista.imposta_testo(Campo::r_anodica, QStringLiteral("20k"));
        QCOMPARE(b.t(Campo::r_anodica), QStringLiteral("20000"));

        QString end_v, r_proposta;
        rispondi_ricalcolo(b.vista, QStringLiteral("20000"), QString(), true, &end_v, &r_proposta);
        b.grafico.ricalcola_retta_Click();
        QCOMPARE(end_v, QStringLiteral("300.00"));
        QCOMPARE(r_proposta, QStringLiteral("20000")); // typed before the command
        QCOMPARE(numero_oggetti(b.s().rette_calcolate), 1);
        const segmento& c1 = b.s().rette_calcolate[1];
        QCOMPARE(QList<float>({c1.x0, c1.y0, c1.x1, c1.y1}), QList<float>({100, 325, 400, 400}));
        QCOMPARE(c1.etichetta, QStringLiteral("C01"));
        QCOMPARE(c1.colore, 11);
        QCOMPARE(b.s().retta_i0, 15.0);
        QCOMPARE(b.s().valore_r_anodica, 20000);
        QCOMPARE(b.t(Campo::r_anodica), QStringLiteral("20,000"));
        QVERIFY(b.vista.cancella[3]);

        rispondi_ricalcolo(b.vista, QStringLiteral("20.000"), QStringLiteral("10,000"), true);
        b.grafico.ricalcola_retta_Click();
        QCOMPARE(numero_oggetti(b.s().rette_calcolate), 3);
        const segmento& c3 = b.s().rette_calcolate[3];
        QCOMPARE(QList<float>({c3.x0, c3.y0, c3.x1, c3.y1}), QList<float>({100, 250, 400, 400}));
        QCOMPARE(c3.etichetta, QStringLiteral("C03"));
        QCOMPARE(b.s().rette_calcolate[2].y0, 325.0f);
        QCOMPARE(b.s().valore_r_anodica, 10000);
        QCOMPARE(b.s().valore_r_catodica, 0);
        QCOMPARE(b.t(Campo::r_anodica), QStringLiteral("10,000"));
        QVERIFY(b.t(Campo::r_catodica).isEmpty());
        QCOMPARE(b.s().lavoro_v, 0.0);

        // The drawn line stays where the user put it (completed), and the
        // canvas holds exactly R01 and the three new lines.
        const segmento& r1 = b.s().rette[1];
        QCOMPARE(QList<float>({r1.x0, r1.y0, r1.x1, r1.y1}), QList<float>({100, 250, 400, 400}));
        const QImage voluto = atteso([](Tela& t) {
            t.linea_xor(100, 250, 400, 400, 10, 2);
            t.testo_xor(QStringLiteral("R01"), 103, 235, 2);
            t.linea_xor(100, 325, 400, 400, 11, 2);
            t.testo_xor(QStringLiteral("C01"), 103, 310, 2);
            t.linea_xor(100, 325, 400, 400, 11, 2);
            t.testo_xor(QStringLiteral("C02"), 103, 310, 2);
            t.linea_xor(100, 250, 400, 400, 11, 2);
            t.testo_xor(QStringLiteral("C03"), 103, 235, 2);
        });
        QCOMPARE(b.grafico.canvas(), voluto);
    }

    // Without a typed value the dialog proposes the computed plate resistor:
    // the completed line's resistance less the cathode resistor.
    void ricalcola_propone_la_resistenza_calcolata()
    {
        Banco b;
        b.trascina({200, 300}, {{300, 350}});
        b.clic(Legenda::lavoro, 250, 325); // 15 mA
        b.vista.testi[Campo::grid_bias] = QStringLiteral("1.5");
        b.grafico.calcolo_componenti_Click();
        QCOMPARE(b.t(Campo::r_anodica), QStringLiteral("9,900"));
        QString proposta;
        rispondi_ricalcolo(b.vista, QStringLiteral("10000"), QString(), false, nullptr, &proposta);
        b.grafico.ricalcola_retta_Click();
        QCOMPARE(proposta, QStringLiteral("9,900"));
        QCOMPARE(b.t(Campo::r_anodica), QStringLiteral("9,900"));
    }

    void ricalcola_annullato_o_non_valido_data()
    {
        QTest::addColumn<bool>("conferma");
        QTest::addColumn<QString>("valore");
        QTest::addColumn<QString>("r_anodica_dopo");
        QTest::newRow("Annulla") << false << "20000"
                                 << "10,000";
        QTest::newRow("empty") << true << ""
                               << "0";
        QTest::newRow("zero") << true << "0"
                              << "0";
        QTest::newRow("text") << true << "abc"
                              << "0";
        QTest::newRow("negative") << true << "-22000"
                                  << "-22000";
        QTest::newRow("too large") << true << "99999999999"
                                   << "0";
    }

    void ricalcola_annullato_o_non_valido()
    {
        QFETCH(bool, conferma);
        QFETCH(QString, valore);
        QFETCH(QString, r_anodica_dopo);
        Banco b;
        b.trascina({200, 300}, {{300, 350}});
        b.grafico.completa_retta();
        const QImage completata = b.grafico.canvas().copy();
        b.vista.testi[Campo::gain_value] = QStringLiteral("30.00");
        rispondi_ricalcolo(b.vista, valore, QString(), conferma);
        b.grafico.ricalcola_retta_Click();
        QCOMPARE(numero_oggetti(b.s().rette_calcolate), 0);
        QCOMPARE(b.grafico.canvas(), completata);
        QVERIFY(!b.vista.cancella[3]);
        QCOMPARE(b.t(Campo::r_anodica), r_anodica_dopo);
        if (conferma)
            QVERIFY(b.t(Campo::gain_value).isEmpty());
    }

    // The second, dynamic resistance is optional: anything that does not
    // read as at least 1 ohm draws no second line.
    void ricalcola_resistenza_dinamica_data()
    {
        QTest::addColumn<QString>("r_dinamica");
        QTest::addColumn<int>("rette");
        QTest::addColumn<int>("r_finale");
        QTest::newRow("empty") << "" << 1 << 20000;
        QTest::newRow("text") << "abc" << 1 << 20000;
        QTest::newRow("zero") << "0" << 1 << 20000;
        QTest::newRow("negative") << "-4700" << 1 << 20000;
        QTest::newRow("grouped") << "10.000" << 2 << 10000;
        QTest::newRow("too large") << "99999999999" << 1 << 20000;
    }

    void ricalcola_resistenza_dinamica()
    {
        QFETCH(QString, r_dinamica);
        QFETCH(int, rette);
        QFETCH(int, r_finale);
        Banco b;
        b.trascina({200, 300}, {{300, 350}});
        rispondi_ricalcolo(b.vista, QStringLiteral("20000"), r_dinamica, true);
        b.grafico.ricalcola_retta_Click();
        QCOMPARE(numero_oggetti(b.s().rette_calcolate), rette);
        QCOMPARE(b.s().valore_r_anodica, r_finale);
        QCOMPARE(b.t(Campo::r_anodica), numeri::formatta(r_finale, QStringLiteral("###,###,##0")));
    }

    void ricalcola_senza_retta_non_apre_il_dialogo()
    {
        Banco b;
        QVERIFY(!b.grafico.ricalcola_retta());
        b.trascina({150, 300}, {{400, 100}}); // rising: cannot be completed
        QVERIFY(!b.grafico.ricalcola_retta());
        QCOMPARE(b.t(Campo::r_value), QStringLiteral("Non Calcolabile"));
        QCOMPARE(b.vista.richieste_ricalcolo, 0);
    }
};

QTEST_MAIN(TestGraficoRicalcolo)
#include "tst_grafico_ricalcolo.moc"
