// The chart engine's own file: conversions, XOR drawings, the rubber band,
// the completion of the line, points and labels, the values shown, the
// object lists and the clearing of the fields.

#include "banco_grafico.h"
#include "common/numeri.h"

#include <QLocale>
#include <QTest>

class TestGrafico : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    void conversioni_data()
    {
        QTest::addColumn<bool>("tensione");
        QTest::addColumn<float>("pixel");
        QTest::addColumn<double>("atteso");
        QTest::newRow("V mid") << true << 300.0f << 200.0;
        QTest::newRow("V origin") << true << 100.0f << 0.0;
        QTest::newRow("V below 0.1") << true << 100.05f << 0.0;
        QTest::newRow("V left of origin") << true << 50.0f << 0.0;
        QTest::newRow("V reference") << true << 500.0f << 400.0;
        QTest::newRow("I mid") << false << 250.0f << 30.0;
        QTest::newRow("I origin") << false << 400.0f << 0.0;
        QTest::newRow("I reference") << false << 100.0f << 60.0;
        QTest::newRow("I above reference") << false << 50.0f << 70.0;
        QTest::newRow("I below origin") << false << 450.0f << 0.0;
    }

    void conversioni()
    {
        QFETCH(bool, tensione);
        QFETCH(float, pixel);
        QFETCH(double, atteso);
        StatoGrafico s;
        calibra(s);
        QCOMPARE(tensione ? calcolav(s, pixel) : calcolai(s, pixel), atteso);
    }

    void calibrazione_assente_o_rovesciata()
    {
        StatoGrafico s;
        QCOMPARE(calcolav(s, 300), 0.0);
        QCOMPARE(calcolai(s, 250), 0.0);
        QVERIFY(!riga_corrente(s, 15).has_value());
        calibra(s);
        s.vmax_x = s.org_x;     // zero span
        s.imax_y = s.org_y + 5; // negative span
        QCOMPARE(calcolav(s, 300), 0.0);
        QCOMPARE(calcolai(s, 250), 0.0);
    }

    void riga_della_corrente_data()
    {
        QTest::addColumn<double>("corrente");
        QTest::addColumn<float>("riga");
        QTest::newRow("15 mA") << 15.0 << 325.0f;
        QTest::newRow("30 mA") << 30.0 << 250.0f;
        QTest::newRow("12.5 mA") << 12.5 << 337.0f;
        QTest::newRow("reference") << 60.0 << 100.0f;
        QTest::newRow("zero") << 0.0 << 400.0f;
    }

    void riga_della_corrente()
    {
        QFETCH(double, corrente);
        QFETCH(float, riga);
        StatoGrafico s;
        calibra(s);
        QCOMPARE(riga_corrente(s, corrente).value(), riga);
    }

    // Every drawing changes the picture once and restores it when drawn
    // again with the same values.
    void xor_ripristina_data()
    {
        QTest::addColumn<int>("tipo");
        QTest::newRow("markers") << 0;
        QTest::newRow("label") << 1;
        QTest::newRow("line") << 2;
        QTest::newRow("box") << 3;
        QTest::newRow("label at the edge") << 4;
        QTest::newRow("line leaving the canvas") << 5;
    }

    void xor_ripristina()
    {
        QFETCH(int, tipo);
        Banco b;
        const auto disegna = [&] {
            switch (tipo) {
            case 0: b.grafico.draw_marker(); break;
            case 1: b.grafico.paint_value(QStringLiteral("R01"), 150, 100, 2); break;
            case 2: b.grafico.tela().linea_xor(150, 100, 400, 300, 10, 2); break;
            case 3: b.grafico.tela().box_xor(197, 247, 203, 253, 14, 2); break;
            case 4: b.grafico.paint_value(QStringLiteral("G123"), 515, 5, 5); break;
            case 5: b.grafico.tela().linea_xor(-50, 10, 700, 500, 8, 2); break;
            }
        };
        disegna();
        QVERIFY(pixel_diversi(b.grafico.canvas(), b.base) > 0);
        disegna();
        QCOMPARE(b.grafico.canvas(), b.base);
    }

    void immagine_piu_grande_tagliata()
    {
        VistaProva vista;
        Grafico grafico(vista);
        QImage grande(800, 600, QImage::Format_RGB32);
        grande.fill(qRgb(10, 20, 30));
        grafico.imposta_immagine(grande);
        QCOMPARE(grafico.canvas().size(), QSize(536, 433));
        QCOMPARE(grafico.canvas().pixel(535, 432), qRgb(10, 20, 30));
        QImage piccola(10, 10, QImage::Format_RGB32);
        piccola.fill(Qt::white);
        grafico.imposta_immagine(piccola);
        QCOMPARE(grafico.canvas().pixel(9, 9), qRgb(255, 255, 255));
        QCOMPARE(grafico.canvas().pixel(10, 10), qRgb(240, 240, 240));
        grafico.rimuovi_immagine();
        QCOMPARE(grafico.canvas().pixel(0, 0), qRgb(240, 240, 240));
    }

    // However many moves, one line stays: the last rubber band, with its
    // label at the start point.
    void elastico_lascia_una_linea()
    {
        Banco b;
        b.trascina({150, 100}, {{160, 120}, {250, 180}, {420, 330}, {300, 200}, {400, 300}});
        const QImage voluto = atteso([](Tela& t) {
            t.linea_xor(150, 100, 400, 300, 10, 2);
            t.testo_xor(QStringLiteral("R01"), 153, 85, 2);
        });
        QCOMPARE(b.grafico.canvas(), voluto);
        QCOMPARE(numero_oggetti(b.s().rette), 1);
        const segmento& r = b.s().rette[1];
        QCOMPARE(r.x0, 150.0f);
        QCOMPARE(r.y0, 100.0f);
        QCOMPARE(r.x1, 400.0f);
        QCOMPARE(r.y1, 300.0f);
        QCOMPARE(r.colore, 10);
        QCOMPARE(r.etichetta, QStringLiteral("R01"));
        QCOMPARE(b.vista.caption_legenda(Legenda::retta), QStringLiteral("R01"));
        QCOMPARE(b.vista.sfondo_legenda(Legenda::retta), QColor(255, 192, 255));
        QVERIFY(b.vista.cancella[0]);
        QVERIFY(!b.s().traccia_attiva);
        QCOMPARE(b.t(Campo::end_x), QStringLiteral("400"));
        QCOMPARE(b.t(Campo::end_v), QStringLiteral("300.00"));

        // A move with no button only shows the pointer's values.
        b.grafico.Picture1_MouseMove(0, 0, 200, 250);
        QCOMPARE(b.grafico.canvas(), voluto);
        QCOMPARE(b.t(Campo::curr_v), QStringLiteral("100.00"));
        QCOMPARE(b.t(Campo::curr_i), QStringLiteral("30.00"));
        QCOMPARE(b.t(Campo::end_x), QStringLiteral("400"));

        // The second line is R02 and leaves R01 alone.
        b.trascina({120, 150}, {{300, 380}});
        QCOMPARE(numero_oggetti(b.s().rette), 2);
        QCOMPARE(b.s().rette[2].etichetta, QStringLiteral("R02"));
        QCOMPARE(b.vista.caption_legenda(Legenda::retta), QStringLiteral("R02"));
    }

    void altri_pulsanti_non_creano_oggetti_data()
    {
        QTest::addColumn<int>("pulsante");
        QTest::newRow("right") << 2;
        QTest::newRow("middle") << 4;
    }

    void altri_pulsanti_non_creano_oggetti()
    {
        QFETCH(int, pulsante);
        Banco b;
        for (Legenda modo : {Legenda::retta, Legenda::lavoro, Legenda::guadagno}) {
            b.vista.selezionata = modo;
            b.grafico.Picture1_MouseDown(pulsante, 0, 200, 250);
            b.grafico.Picture1_MouseMove(pulsante, 0, 300, 300);
            b.grafico.Picture1_MouseMove(1 + pulsante, 0, 310, 310);
            b.grafico.Picture1_MouseUp(pulsante, 0, 300, 300);
        }
        QCOMPARE(b.grafico.canvas(), b.base);
        QCOMPARE(numero_oggetti(b.s().rette), 0);
        QCOMPARE(numero_oggetti(b.s().punti_lavoro), 0);
        QCOMPARE(numero_oggetti(b.s().punti_guadagno), 0);
        QCOMPARE(b.t(Campo::curr_X), QStringLiteral("310"));
    }

    void senza_valvola_il_mouse_non_fa_nulla_data()
    {
        QTest::addColumn<QString>("riga");
        QTest::newRow("empty") << "";
        QTest::newRow("zero") << "0";
        QTest::newRow("text") << "abc";
        QTest::newRow("negative") << "-3";
    }

    void senza_valvola_il_mouse_non_fa_nulla()
    {
        QFETCH(QString, riga);
        Banco b;
        b.vista.testi[Campo::riga_db] = riga;
        b.s().traccia_attiva = true;
        for (Legenda modo : {Legenda::retta, Legenda::lavoro, Legenda::guadagno}) {
            b.vista.selezionata = modo;
            b.trascina({150, 100}, {{400, 300}});
        }
        QVERIFY(!b.s().traccia_attiva);
        QCOMPARE(b.grafico.canvas(), b.base);
        QCOMPARE(
            numero_oggetti(b.s().rette) + numero_oggetti(b.s().punti_lavoro) + numero_oggetti(b.s().punti_guadagno), 0);
        QVERIFY(b.t(Campo::curr_X).isEmpty());
        QVERIFY(!b.vista.cancella[0] && !b.vista.cancella[1] && !b.vista.cancella[2]);
    }

    void completa_retta_sugli_assi()
    {
        Banco b;
        b.trascina({150, 100}, {{250, 200}, {400, 300}});
        b.grafico.completa_retta_Click();
        const StatoGrafico& s = b.s();
        QCOMPARE(s.retta_x0, 100.0f);
        QCOMPARE(s.retta_y0, 60.0f);
        QCOMPARE(s.retta_x1, 525.0f);
        QCOMPARE(s.retta_y1, 400.0f);
        QCOMPARE(s.retta_v0, 0.0);
        QCOMPARE(s.retta_i0, 68.0);
        QCOMPARE(s.retta_v1, 425.0);
        QCOMPARE(s.retta_i1, 0.0);
        QCOMPARE(b.t(Campo::start_V), QStringLiteral("0.00"));
        QCOMPARE(b.t(Campo::end_i), QStringLiteral("0.00"));
        QCOMPARE(b.t(Campo::start_y), QStringLiteral("60"));
        QCOMPARE(b.t(Campo::end_x), QStringLiteral("525"));
        const QImage voluto = atteso([](Tela& t) {
            t.linea_xor(100, 60, 525, 400, 10, 2);
            t.testo_xor(QStringLiteral("R01"), 103, 45, 2);
        });
        QCOMPARE(b.grafico.canvas(), voluto);
        const segmento& r = b.s().rette[1];
        QCOMPARE(QList<float>({r.x0, r.y0, r.x1, r.y1}), QList<float>({100, 60, 525, 400}));
        QCOMPARE(r.etichetta, QStringLiteral("R01"));

        // A second completion finds the line on the axes already.
        b.grafico.completa_retta_Click();
        QCOMPARE(b.grafico.canvas(), voluto);
        QCOMPARE(b.s().retta_y0, 60.0f);
        QCOMPARE(b.s().retta_x1, 525.0f);
    }

    void completa_retta_rifiutata_data()
    {
        QTest::addColumn<QPointF>("da");
        QTest::addColumn<QPointF>("a");
        QTest::newRow("rising") << QPointF(150, 300) << QPointF(400, 100);
        QTest::newRow("horizontal") << QPointF(150, 200) << QPointF(400, 200);
        QTest::newRow("vertical") << QPointF(200, 100) << QPointF(200, 300);
        QTest::newRow("press only") << QPointF(200, 200) << QPointF(200, 200);
    }

    void completa_retta_rifiutata()
    {
        QFETCH(QPointF, da);
        QFETCH(QPointF, a);
        Banco b;
        b.trascina(da, {a});
        const QImage prima = b.grafico.canvas().copy();
        const segmento r = b.s().rette[1];
        const float x1 = b.s().retta_x1, y0 = b.s().retta_y0;
        const QString start_y = b.t(Campo::start_y);
        b.grafico.completa_retta_Click();
        QCOMPARE(b.t(Campo::r_value), QStringLiteral("Non Calcolabile"));
        QCOMPARE(b.grafico.canvas(), prima);
        QCOMPARE(b.s().rette[1].x1, r.x1);
        QCOMPARE(b.s().rette[1].y0, r.y0);
        QCOMPARE(b.s().retta_x1, x1);
        QCOMPARE(b.s().retta_y0, y0);
        QCOMPARE(b.t(Campo::start_y), start_y);
    }

    void completa_senza_linee_non_tocca_nulla()
    {
        Banco b;
        b.vista.testi[Campo::r_value] = QStringLiteral("47,000");
        QVERIFY(!b.grafico.completa_retta());
        QCOMPARE(b.t(Campo::r_value), QStringLiteral("47,000"));
    }

    void punti_etichette_e_resistenza()
    {
        Banco b;
        b.s().valore_r_anodica = 10000;
        b.vista.testi[Campo::r_anodica] = QStringLiteral("10,000");
        b.clic(Legenda::lavoro, 250, 340); // 150 V, 12 mA
        QCOMPARE(b.s().lavoro_v, 150.0);
        QCOMPARE(b.s().lavoro_i, 12.0);
        QCOMPARE(b.s().r_equiv_tubo, 12500);
        QCOMPARE(b.t(Campo::r_value), QStringLiteral("12,500"));
        QVERIFY(b.t(Campo::r_anodica).isEmpty());
        QCOMPARE(b.s().valore_r_anodica, 0);
        QCOMPARE(b.vista.caption_legenda(Legenda::lavoro), QStringLiteral("L01"));

        // On the voltage axis the current is 0: the resistance stays.
        b.clic(Legenda::lavoro, 300, 400);
        QCOMPARE(b.s().r_equiv_tubo, 12500);
        QCOMPARE(b.vista.caption_legenda(Legenda::lavoro), QStringLiteral("L02"));
        QCOMPARE(b.vista.sfondo_legenda(Legenda::lavoro), QColor(160, 160, 255));
        QVERIFY(b.vista.cancella[1]);

        b.clic(Legenda::guadagno, 220, 350);
        QCOMPARE(b.vista.caption_legenda(Legenda::guadagno), QStringLiteral("G01"));
        QCOMPARE(b.vista.sfondo_legenda(Legenda::guadagno), QColor(192, 255, 192));
        QCOMPARE(b.s().guadagno_v, 120.0);
        QVERIFY(b.vista.cancella[2]);

        const QImage voluto = atteso([](Tela& t) {
            t.box_xor(247, 337, 253, 343, 14, 2);
            t.testo_xor(QStringLiteral("L01"), 253, 325, 6);
            t.box_xor(297, 397, 303, 403, 14, 2);
            t.testo_xor(QStringLiteral("L02"), 303, 385, 6);
            t.box_xor(217, 347, 223, 353, 13, 2);
            t.testo_xor(QStringLiteral("G01"), 223, 335, 5);
        });
        QCOMPARE(b.grafico.canvas(), voluto);
    }

    void valori_con_separatori_del_locale()
    {
        Banco b;
        QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
        b.s().mouse_x = 245.5f;
        b.s().mouse_v = 145.5;
        b.s().guadagno = 30;
        b.s().valore_r_anodica = 28750;
        b.s().valore_c_catodica = 5.0931;
        b.grafico.display_valori(false);
        QCOMPARE(b.t(Campo::curr_v), QStringLiteral("145,50"));
        QCOMPARE(b.t(Campo::curr_X), QStringLiteral("245,5"));
        QCOMPARE(b.t(Campo::gain_value), QStringLiteral("30,00"));
        QCOMPARE(b.t(Campo::max_voltage_V), QStringLiteral("400,00"));
        QVERIFY(!b.vista.testi.contains(Campo::r_anodica));
        QVERIFY(!b.vista.testi.contains(Campo::c_catodica));
        b.grafico.display_valori(true);
        QCOMPARE(b.t(Campo::r_anodica), QStringLiteral("28.750"));
        QCOMPARE(b.t(Campo::c_catodica), QStringLiteral("5,09"));
        QVERIFY(b.t(Campo::r_catodica).isEmpty());
    }

    void reset_liste()
    {
        Banco b;
        b.trascina({150, 100}, {{400, 300}});
        b.clic(Legenda::lavoro, 250, 340);
        b.grafico.reset_liste();
        QCOMPARE(b.s().rette.size(), std::size_t(1));
        QCOMPARE(b.s().punti_lavoro.size(), std::size_t(1));
        QCOMPARE(b.s().punti_guadagno.size(), std::size_t(1));
        QCOMPARE(b.s().rette_calcolate.size(), std::size_t(1));
    }

    void clear_param_per_gruppi()
    {
        Banco b;
        b.trascina({150, 100}, {{400, 300}});
        b.clic(Legenda::lavoro, 250, 340);
        b.clic(Legenda::guadagno, 220, 350);
        b.s().guadagno = 30;
        b.s().lavoro_vg = 1.5;
        b.grafico.clear_param(2);
        QCOMPARE(b.s().retta_x1, 0.0f);
        QCOMPARE(b.s().retta_x0, 150.0f);
        QVERIFY(b.t(Campo::end_x).isEmpty());
        QCOMPARE(b.t(Campo::start_x), QStringLiteral("150"));
        b.grafico.clear_param(0);
        QCOMPARE(b.s().retta_x0, 0.0f);
        QCOMPARE(b.s().lavoro_x, 0.0f);
        QCOMPARE(b.s().guadagno_x, 0.0f);
        QCOMPARE(b.s().r_equiv_tubo, 0);
        QCOMPARE(b.s().guadagno, 30.0);
        QCOMPARE(b.s().lavoro_vg, 1.5);
        QCOMPARE(b.s().org_x, 100.0f);
        QCOMPARE(numero_oggetti(b.s().rette), 1);
        QCOMPARE(b.t(Campo::r_value), QStringLiteral("12,500"));
    }
};

QTEST_MAIN(TestGrafico)
#include "tst_grafico.moc"
