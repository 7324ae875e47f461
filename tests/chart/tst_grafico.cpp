// The chart engine on its own: conversions, XOR drawings, the rubber band,
// the completion of the line, points and labels, components and gain, the
// recalculated lines, the maximum-power curve and the erasing.

#include "chart/calibrazione.h"
#include "chart/grafico.h"
#include "chart/ricalcolo.h"
#include "common/numeri.h"
#include "vista_prova.h"

#include <QApplication>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <functional>

namespace {

// A busy picture, so that every XOR drawing changes pixels and any pixel
// left wrong after an erase shows.
QImage figura_prova()
{
    QImage figura(518, 418, QImage::Format_RGB32);
    for (int y = 0; y < figura.height(); ++y)
        for (int x = 0; x < figura.width(); ++x)
            figura.setPixel(x, y, qRgb((x * 7) & 255, (y * 5) & 255, ((x ^ y) * 3) & 255));
    return figura;
}

// Origin (100, 400); 400 V at column 500; 60 mA at row 100: 1 V per
// column, 0.2 mA per row.
void calibra(StatoGrafico& s)
{
    s.org_x = 100;
    s.org_y = 400;
    s.vmax_x = 500;
    s.vmax_y = 400;
    s.vmax_v = 400;
    s.imax_x = 100;
    s.imax_y = 100;
    s.imax_i = 60;
}

struct Banco {
    VistaProva vista;
    Grafico grafico{vista};
    QImage base;

    Banco()
    {
        vista.grafico = &grafico;
        calibra(grafico.stato());
        grafico.imposta_immagine(figura_prova());
        base = grafico.canvas().copy();
        vista.testi[Campo::riga_db] = QStringLiteral("1");
    }

    StatoGrafico& s() { return grafico.stato(); }
    QString t(Campo c) const { return vista.testi.value(c); }

    void trascina(QPointF da, const QList<QPointF>& passi)
    {
        grafico.Picture1_MouseDown(1, 0, float(da.x()), float(da.y()));
        for (const QPointF& p : passi)
            grafico.Picture1_MouseMove(1, 0, float(p.x()), float(p.y()));
        const QPointF fine = passi.isEmpty() ? da : passi.back();
        grafico.Picture1_MouseUp(1, 0, float(fine.x()), float(fine.y()));
    }
    void clic(Legenda modo, float x, float y)
    {
        vista.selezionata = modo;
        grafico.Picture1_MouseDown(1, 0, x, y);
        grafico.Picture1_MouseUp(1, 0, x, y);
    }
};

// What the canvas must look like: the base picture with the given XOR
// drawings, made with the canvas primitives directly.
QImage atteso(const std::function<void(Tela&)>& disegni)
{
    Tela tela;
    tela.imposta_immagine(figura_prova());
    disegni(tela);
    return tela.immagine().copy();
}

int pixel_diversi(const QImage& a, const QImage& b)
{
    int n = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            n += a.pixel(x, y) != b.pixel(x, y);
    return n;
}

// Answers the recalculation dialog as soon as it is up.
void rispondi_ricalcolo(const QString& r_anodica, const QString& r_dinamica, bool conferma,
                        QString* end_v_letto = nullptr, QString* r_anodica_letta = nullptr)
{
    auto* timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [=] {
        auto* dialogo = qobject_cast<Ricalcolo*>(QApplication::activeModalWidget());
        if (!dialogo)
            return;
        timer->stop();
        timer->deleteLater();
        if (end_v_letto)
            *end_v_letto = dialogo->end_V->text();
        if (r_anodica_letta)
            *r_anodica_letta = dialogo->r_anodica->text();
        dialogo->r_anodica->setText(r_anodica);
        dialogo->r_dinamica->setText(r_dinamica);
        (conferma ? dialogo->exec_calc : dialogo->Annulla)->click();
    });
    timer->start();
}

} // namespace

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
        QCOMPARE(numero_oggetti(b.s().rette) + numero_oggetti(b.s().punti_lavoro)
                     + numero_oggetti(b.s().punti_guadagno),
                 0);
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

    // -1,5 typed for the working point of a 300 V / 10 mA line at 1.2 mA.
    void componenti_data()
    {
        QTest::addColumn<bool>("virgola");
        QTest::addColumn<QString>("r_anodica");
        QTest::addColumn<QString>("r_catodica");
        QTest::addColumn<QString>("c_catodica");
        QTest::newRow("point locale") << false << "28,750" << "1,250" << "5.09";
        QTest::newRow("comma locale") << true << "28.750" << "1.250" << "5,09";
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
        QTest::newRow("working point first") << "1.5" << "2.5";
        QTest::newRow("swapped") << "2.5" << "1.5";
        QTest::newRow("signs and commas") << "-1,5" << "-2,5";
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
        rispondi_ricalcolo(QStringLiteral("20000"), QString(), true);
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
        QTest::newRow("2k") << "2k" << "2000";
        QTest::newRow("47K") << "47K" << "47000";
        QTest::newRow("2.2k") << "2.2k" << "2.2000";
        QTest::newRow("k alone") << "k" << "000";
        QTest::newRow("plain") << "2000" << "2000";
        QTest::newRow("k inside") << "2k2" << "2k2";
        QTest::newRow("empty") << "" << "";
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

    // A 10 kohm line from 0 to 300 V on the axes: rows 250 to 400.
    void ricalcola_una_e_due_rette()
    {
        Banco b;
        b.trascina({200, 300}, {{300, 350}});
        b.s().valore_r_anodica = 0;
        b.vista.imposta_testo(Campo::r_anodica, QStringLiteral("20k"));
        QCOMPARE(b.t(Campo::r_anodica), QStringLiteral("20000"));

        QString end_v, r_proposta;
        rispondi_ricalcolo(QStringLiteral("20000"), QString(), true, &end_v, &r_proposta);
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

        rispondi_ricalcolo(QStringLiteral("20.000"), QStringLiteral("10,000"), true);
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
        rispondi_ricalcolo(QStringLiteral("10000"), QString(), false, nullptr, &proposta);
        b.grafico.ricalcola_retta_Click();
        QCOMPARE(proposta, QStringLiteral("9,900"));
        QCOMPARE(b.t(Campo::r_anodica), QStringLiteral("9,900"));
    }

    void ricalcola_annullato_o_non_valido_data()
    {
        QTest::addColumn<bool>("conferma");
        QTest::addColumn<QString>("valore");
        QTest::addColumn<QString>("r_anodica_dopo");
        QTest::newRow("Annulla") << false << "20000" << "10,000";
        QTest::newRow("empty") << true << "" << "0";
        QTest::newRow("zero") << true << "0" << "0";
        QTest::newRow("text") << true << "abc" << "0";
        QTest::newRow("negative") << true << "-22000" << "-22000";
        QTest::newRow("too large") << true << "99999999999" << "0";
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
        rispondi_ricalcolo(valore, QString(), conferma);
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
        rispondi_ricalcolo(QStringLiteral("20000"), r_dinamica, true);
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
    }

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
            rispondi_ricalcolo(QStringLiteral("20000"), QString(), true);
            QVERIFY(b.grafico.ricalcola_retta());
            break;
        case 4: b.trascina({260, 200}, {}); indice = 0; break;
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
        rispondi_ricalcolo(QStringLiteral("20000"), QString(), true);
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
