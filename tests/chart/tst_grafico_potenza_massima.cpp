// The engine's maximum-power curve and the erasing of the objects drawn.

#include "banco_grafico.h"
#include "common/numeri.h"

#include <QLocale>
#include <QTest>

class TestGraficoPotenzaMassima : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    void potenza_massima()
    {
        Banco b;
        b.vista.testi[Campo::potenza_anodica] = QStringLiteral("2500");
        b.grafico.traccia_maxpower_Click();
        QVERIFY(b.vista.bloccata);
        QCOMPARE(b.vista.caption_traccia, QStringLiteral("Cancella Potenza massima"));
        const QImage& c = b.grafico.canvas();
        // Nothing left of the column where the curve enters the 60 mA range.
        for (int y = 0; y < c.height(); ++y)
            for (int x = 0; x < 139; ++x)
                QVERIFY2(c.pixel(x, y) == b.base.pixel(x, y), qPrintable(QString("%1,%2").arg(x).arg(y)));
        // The first segment alone, from (141, 100) to (142, 102); the
        // second one starts at column 142.
        const QImage primo = atteso([](Tela& t) { t.linea_xor(142, 102, 141, 100, 8, 2); });
        QVERIFY(primo.pixel(141, 100) != b.base.pixel(141, 100));
        for (int y = 90; y < 102; ++y)
            for (int x = 130; x < 142; ++x)
                QVERIFY2(c.pixel(x, y) == primo.pixel(x, y), qPrintable(QString("%1,%2").arg(x).arg(y)));
        // 200 V: 12.5 mA, row 337; the pen is 2 px wide, so column 300
        // changes at that row and in no row far from it.
        int cambiati = 0;
        for (int y = 0; y < c.height(); ++y) {
            if (c.pixel(300, y) == b.base.pixel(300, y))
                continue;
            ++cambiati;
            QVERIFY2(y >= 334 && y <= 340, qPrintable(QString::number(y)));
        }
        QVERIFY(cambiati > 0);
        QVERIFY(c.pixel(300, 337) != b.base.pixel(300, 337));

        b.grafico.traccia_maxpower_Click();
        QCOMPARE(b.grafico.canvas(), b.base);
        QVERIFY(!b.vista.bloccata);
        QCOMPARE(b.vista.caption_traccia, QStringLiteral("Traccia Potenza massima"));
    }

    void potenza_non_valida_cambia_solo_l_aspetto_data()
    {
        QTest::addColumn<QString>("potenza");
        QTest::addColumn<bool>("calibrato");
        QTest::newRow("empty") << "" << true;
        QTest::newRow("zero") << "0" << true;
        QTest::newRow("negative") << "-2500" << true;
        QTest::newRow("text") << "abc" << true;
        QTest::newRow("no calibration") << "2500" << false;
        QTest::newRow("comma stops") << ",5" << true;
    }

    void potenza_non_valida_cambia_solo_l_aspetto()
    {
        QFETCH(QString, potenza);
        QFETCH(bool, calibrato);
        Banco b;
        if (!calibrato)
            b.s() = StatoGrafico{};
        b.vista.testi[Campo::potenza_anodica] = potenza;
        b.grafico.traccia_maxpower_Click();
        QCOMPARE(b.grafico.canvas(), b.base);
        QVERIFY(b.vista.bloccata);
        QCOMPARE(b.vista.caption_traccia, QStringLiteral("Cancella Potenza massima"));
    }

    void potenza_calibrazione_assurda_finisce()
    {
        Banco b;
        b.s().org_x = -1e30f;
        b.s().vmax_x = 1e30f;
        b.vista.testi[Campo::potenza_anodica] = QStringLiteral("2500");
        b.grafico.traccia_maxpower_Click();
        QVERIFY(b.vista.bloccata);
    }

    void cancella_rette_in_ordine()
    {
        Banco b;
        b.trascina({150, 100}, {{400, 300}});
        b.trascina({120, 200}, {{300, 390}});
        QCOMPARE(b.vista.caption_legenda(Legenda::retta), QStringLiteral("R02"));
        b.grafico.canc_function_Click(0);
        QCOMPARE(numero_oggetti(b.s().rette), 1);
        QCOMPARE(b.vista.caption_legenda(Legenda::retta), QStringLiteral("R01"));
        QCOMPARE(b.vista.sfondo_legenda(Legenda::retta), QColor(255, 192, 255));
        QCOMPARE(b.t(Campo::start_x), QStringLiteral("150"));
        QCOMPARE(b.t(Campo::end_y), QStringLiteral("300"));
        QCOMPARE(b.s().retta_v1, 300.0);
        QVERIFY(b.vista.cancella[0]);
        const QImage voluto = atteso([](Tela& t) {
            t.linea_xor(150, 100, 400, 300, 10, 2);
            t.testo_xor(QStringLiteral("R01"), 153, 85, 2);
        });
        QCOMPARE(b.grafico.canvas(), voluto);

        b.grafico.canc_function_Click(0);
        QCOMPARE(b.grafico.canvas(), b.base);
        QCOMPARE(b.vista.caption_legenda(Legenda::retta), QStringLiteral("Assente"));
        QCOMPARE(b.vista.sfondo_legenda(Legenda::retta), QColor(255, 0, 0));
        QVERIFY(!b.vista.cancella[0]);
        QVERIFY(b.t(Campo::start_x).isEmpty());

        b.grafico.canc_function_Click(0); // empty list: nothing
        QCOMPARE(b.grafico.canvas(), b.base);
    }

    // Each kind, drawn and erased, leaves the canvas as it was before.
    void cancella_ripristina_data()
    {
        QTest::addColumn<int>("tipo");
        QTest::newRow("line") << 0;
        QTest::newRow("working point") << 1;
        QTest::newRow("gain point") << 2;
        QTest::newRow("recalculated line") << 3;
        QTest::newRow("press without drag") << 4;
        QTest::newRow("completed line") << 5;
    }

    void cancella_ripristina()
    {
        QFETCH(int, tipo);
        Banco b;
        b.trascina({200, 300}, {{300, 350}});
        b.grafico.completa_retta();
        const QImage prima = b.grafico.canvas().copy();
        int indice = tipo;
        switch (tipo) {
        case 0: b.trascina({150, 100}, {{400, 300}}); break;
        case 1: b.clic(Legenda::lavoro, 250, 340); break;
        case 2: b.clic(Legenda::guadagno, 220, 350); break;
        case 3:
            rispondi_ricalcolo(b.vista, QStringLiteral("20000"), QString(), true);
            QVERIFY(b.grafico.ricalcola_retta());
            break;
        case 4:
            b.trascina({260, 200}, {});
            indice = 0;
            break;
        case 5:
            b.trascina({150, 100}, {{400, 300}});
            b.grafico.completa_retta();
            indice = 0;
            break;
        }
        QVERIFY(b.grafico.canvas() != prima);
        b.grafico.cancella_oggetto(indice);
        QCOMPARE(b.grafico.canvas(), prima);
    }

    void cancella_punti()
    {
        Banco b;
        b.clic(Legenda::lavoro, 250, 340); // 12.5 kohm
        b.clic(Legenda::lavoro, 300, 350); // 200 V, 10 mA
        b.clic(Legenda::guadagno, 220, 350);
        b.s().valore_r_anodica = 28750;
        b.s().guadagno = 30;

        b.grafico.cancella_oggetto(1);
        QCOMPARE(b.vista.caption_legenda(Legenda::lavoro), QStringLiteral("L01"));
        QCOMPARE(b.s().lavoro_x, 250.0f);
        QCOMPARE(b.s().r_equiv_tubo, 12500);
        QCOMPARE(b.s().valore_r_anodica, 0);
        QCOMPARE(b.t(Campo::grid_v), QStringLiteral("150.00"));

        b.s().valore_r_anodica = 28750;
        b.grafico.display_valori(true);
        b.grafico.cancella_oggetto(2);
        QCOMPARE(b.vista.caption_legenda(Legenda::guadagno), QStringLiteral("Assente"));
        QVERIFY(!b.vista.cancella[2]);
        QVERIFY(b.t(Campo::gain_v).isEmpty());
        QCOMPARE(b.s().guadagno_x, 0.0f);
        // The working point and the components are not touched.
        QCOMPARE(b.s().lavoro_x, 250.0f);
        QCOMPARE(b.s().valore_r_anodica, 28750);
        QCOMPARE(b.t(Campo::r_anodica), QStringLiteral("28,750"));
        QCOMPARE(b.s().guadagno, 30.0);

        b.grafico.cancella_oggetto(1);
        QCOMPARE(b.vista.caption_legenda(Legenda::lavoro), QStringLiteral("Assente"));
        QVERIFY(!b.vista.cancella[1]);
        QCOMPARE(b.s().r_equiv_tubo, 0);
        QCOMPARE(b.grafico.canvas(), b.base);
    }

    void cancella_retta_calcolata_lascia_la_retta()
    {
        Banco b;
        b.trascina({200, 300}, {{300, 350}});
        rispondi_ricalcolo(b.vista, QStringLiteral("20000"), QString(), true);
        QVERIFY(b.grafico.ricalcola_retta());
        const float y0 = b.s().retta_y0;
        const double i0 = b.s().retta_i0;
        b.grafico.canc_function_Click(3);
        QCOMPARE(numero_oggetti(b.s().rette_calcolate), 0);
        QVERIFY(!b.vista.cancella[3]);
        QCOMPARE(b.s().retta_y0, y0);
        QCOMPARE(b.s().retta_i0, i0);
        QCOMPARE(b.vista.caption_legenda(Legenda::retta), QStringLiteral("R01"));
        b.grafico.canc_function_Click(3); // nothing left: no effect
        QCOMPARE(numero_oggetti(b.s().rette_calcolate), 0);
    }
};

QTEST_MAIN(TestGraficoPotenzaMassima)
#include "tst_grafico_potenza_massima.moc"
