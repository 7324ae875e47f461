// The chart engine in the real main window: the mouse on Picture1 with the
// buttons held, the legend buttons, the menu commands, typing in the value
// fields and the recalculation dialog, as a user works.

#include "support/cartella_prova.h"
#include "support/finestra_modale.h"
#include "support/mani_grafico.h"

#include "chart/grafico.h"
#include "chart/ui/picture1.h"
#include "chart/ui/ricalcolo.h"
#include "platform/piattaforma_scriptata.h"
#include "shell/korvel.h"
#include "tubes/caricatore_valvola.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include <memory>

namespace {

// A tube calibrated with origin (100, 400), 400 V at column 500, 60 mA at
// row 100, 2500 mW, over a white curve picture.
QVariantList valvola_prova()
{
    QVariantList v = CartellaProva::valvola(QStringLiteral("12AX7"), QStringLiteral("ECC83"));
    const QVariantList taratura = {100, 100, 60, 500, 400, 400, 100, 400, 2500};
    for (int i = 0; i < taratura.size(); ++i)
        v[6 + i] = taratura[i];
    return v;
}

struct Finestra {
    CartellaProva c;
    PiattaformaScriptata p;
    std::unique_ptr<KORVEL> w;

    Finestra()
    {
        c.crea_tabella();
        c.inserisci(valvola_prova());
        c.scrivi_immagine(QStringLiteral("DatiValvole/Curve/prova.gif"), 518, 418, Qt::white, "PNG");
        w = std::make_unique<KORVEL>(p, c.programma());
        w->KORVEL_Form_Load();
    }
    void carica() { w->caricatore().griglia_DB_DblClick(1); }

    QWidget* chart() const { return w->Picture1_; }
    QString t(Campo c) const { return w->campo(c)->text(); }
    StatoGrafico& s() { return w->grafico().stato(); }
    const QImage& canvas() { return w->grafico().canvas(); }

    void evento(QEvent::Type tipo, QPointF pos, Qt::MouseButton pulsante, Qt::MouseButtons tenuti)
    {
        mani_grafico::evento(chart(), tipo, pos, pulsante, tenuti);
    }
    void trascina(QPointF da, const QList<QPointF>& passi) { mani_grafico::trascina(chart(), da, passi); }
    void clic(QPushButton* modo, QPointF pos) { mani_grafico::clic(chart(), modo, pos); }
    void scrivi_e_invio(Campo c, const QString& testo) { mani_grafico::scrivi_e_invio(w->campo(c), testo); }
};

void rispondi_ricalcolo(const QString& r_anodica, const QString& r_dinamica, bool conferma,
                        QString* r_proposta = nullptr)
{
    finestra_modale::quando_aperta<Ricalcolo>([=](Ricalcolo* dialogo) {
        if (r_proposta)
            *r_proposta = dialogo->r_anodica->text();
        dialogo->r_anodica->selectAll();
        QTest::keyClicks(dialogo->r_anodica, r_anodica);
        QTest::keyClicks(dialogo->r_dinamica, r_dinamica);
        QTest::mouseClick(conferma ? dialogo->exec_calc : dialogo->Annulla, Qt::LeftButton);
    });
}

} // namespace

class TestGraficoFinestra : public QObject {
    Q_OBJECT

private slots:
    void senza_valvola_il_grafico_non_reagisce()
    {
        Finestra f;
        const QImage prima = f.canvas().copy();
        f.trascina({150, 100}, {{400, 300}});
        QCOMPARE(f.canvas(), prima);
        QCOMPARE(f.s().rette.size(), std::size_t(1));
        QVERIFY(f.t(Campo::curr_X).isEmpty());
    }

    // Mouse moves carry the held buttons: only the last rubber band stays.
    void linea_completata_con_il_mouse()
    {
        Finestra f;
        f.carica();
        const QImage base = f.canvas().copy();
        QVERIFY(!f.w->canc_function[0]->isEnabled());
        f.trascina({150, 100}, {{200, 150}, {330, 280}, {400, 300}});
        QCOMPARE(f.s().rette.size(), std::size_t(2));
        QCOMPARE(f.s().rette[1].x1, 400.0f);
        QCOMPARE(f.w->legenda_retta->text(), QStringLiteral("R01"));
        QVERIFY(f.w->canc_function[0]->isEnabled());
        QCOMPARE(f.t(Campo::end_v), QStringLiteral("300.00"));

        // A move with no button only updates the pointer frames.
        f.evento(QEvent::MouseMove, {200, 250}, Qt::NoButton, Qt::NoButton);
        QCOMPARE(f.t(Campo::curr_X), QStringLiteral("200"));
        QCOMPARE(f.t(Campo::curr_i), QStringLiteral("30.00"));

        f.w->calc_function[0]->trigger();
        QCOMPARE(f.t(Campo::start_y), QStringLiteral("60"));
        QCOMPARE(f.t(Campo::end_x), QStringLiteral("525"));
        QCOMPARE(f.t(Campo::start_V), QStringLiteral("0.00"));
        QCOMPARE(f.t(Campo::end_i), QStringLiteral("0.00"));

        Tela attesa;
        attesa.imposta_immagine(base);
        attesa.linea_xor(100, 60, 525, 400, 10, 2);
        attesa.testo_xor(QStringLiteral("R01"), 103, 45, 2);
        QCOMPARE(f.canvas(), attesa.immagine());

        f.w->canc_function[0]->trigger();
        QCOMPARE(f.canvas(), base);
        QCOMPARE(f.w->legenda_retta->text(), QStringLiteral("Assente"));
        QVERIFY(!f.w->canc_function[0]->isEnabled());
    }

    // The chart repaints only what each drawing changed: after a drag that
    // crosses itself, a click elsewhere and the line taken away again, the
    // window as the screen shows it holds the canvas pixel for pixel (a
    // stale strip would be a part left out of a repaint).
    void lo_schermo_segue_la_tela()
    {
        Finestra f;
        f.carica();
        f.w->show();
        for (int i = 0; i < f.w->SSTab1->count(); ++i)
            if (f.w->SSTab1->widget(i)->isAncestorOf(f.chart()))
                f.w->SSTab1->setCurrentIndex(i);
        QVERIFY(f.chart()->isVisible());
        QApplication::processEvents();
        auto schermo = [&f] {
            QApplication::processEvents();
            const QPoint o = f.chart()->mapTo(f.w.get(), QPoint(0, 0));
            return f.w->screen()
                ->grabWindow(f.w->winId(), o.x(), o.y(), f.chart()->width(), f.chart()->height())
                .toImage()
                .convertToFormat(QImage::Format_RGB32);
        };
        f.evento(QEvent::MouseButtonPress, {150, 100}, Qt::LeftButton, Qt::LeftButton);
        for (int i = 0; i < 40; ++i) {
            f.evento(QEvent::MouseMove, {150.0 + 9 * i, 100.0 + (i % 7) * 40}, Qt::NoButton, Qt::LeftButton);
            QApplication::processEvents();
        }
        f.evento(QEvent::MouseButtonRelease, {300, 220}, Qt::LeftButton, Qt::NoButton);
        QCOMPARE(schermo(), f.canvas());
        f.w->canc_function[0]->trigger();
        QCOMPARE(schermo(), f.canvas());
    }

    // The rubber band follows the left button alone; with the right one
    // held too the move only shows the pointer's values.
    void elastico_solo_col_sinistro()
    {
        Finestra f;
        f.carica();
        const QImage base = f.canvas().copy();
        f.evento(QEvent::MouseButtonPress, {150, 100}, Qt::LeftButton, Qt::LeftButton);
        f.evento(QEvent::MouseMove, {400, 300}, Qt::NoButton, Qt::LeftButton | Qt::RightButton);
        QCOMPARE(f.canvas(), base);
        QCOMPARE(f.t(Campo::curr_X), QStringLiteral("400"));
        f.evento(QEvent::MouseMove, {300, 200}, Qt::NoButton, Qt::LeftButton);
        QVERIFY(f.canvas() != base);
        QCOMPARE(f.s().rette[1].x1, 300.0f);
    }

    void linea_che_sale_non_calcolabile()
    {
        Finestra f;
        f.carica();
        f.trascina({150, 300}, {{400, 100}});
        const QImage prima = f.canvas().copy();
        f.w->calc_function[0]->trigger();
        QCOMPARE(f.t(Campo::r_value), QStringLiteral("Non Calcolabile"));
        QCOMPARE(f.canvas(), prima);
        QCOMPARE(f.t(Campo::end_x), QStringLiteral("400"));
    }

    // The three legend buttons choose the mode; the menu "&Cancella" items
    // follow the objects present.
    void punti_componenti_e_cancellazione()
    {
        Finestra f;
        f.carica();
        const QImage base = f.canvas().copy();
        f.trascina({200, 300}, {{300, 350}});
        f.w->calc_function[0]->trigger();

        f.clic(f.w->legenda_lavoro, {250, 325}); // 150 V, 15 mA
        QVERIFY(f.w->legenda_lavoro->isChecked());
        QVERIFY(!f.w->legenda_retta->isChecked());
        QCOMPARE(f.w->legenda_lavoro->text(), QStringLiteral("L01"));
        QCOMPARE(f.t(Campo::r_value), QStringLiteral("10,000"));
        QVERIFY(f.w->canc_function[1]->isEnabled());

        f.clic(f.w->legenda_guadagno, {220, 310}); // 120 V, 18 mA
        QVERIFY(!f.w->legenda_lavoro->isChecked());
        QCOMPARE(f.w->legenda_guadagno->text(), QStringLiteral("G01"));
        QVERIFY(f.w->canc_function[2]->isEnabled());

        f.scrivi_e_invio(Campo::grid_bias, QStringLiteral("-1,5"));
        QCOMPARE(f.t(Campo::grid_bias), QStringLiteral("1.5"));
        QCOMPARE(f.t(Campo::r_catodica), QStringLiteral("100"));
        QCOMPARE(f.t(Campo::r_anodica), QStringLiteral("9,900"));
        QCOMPARE(f.t(Campo::c_catodica), QStringLiteral("63.66"));
        f.scrivi_e_invio(Campo::gain_bias, QStringLiteral("-2,5"));
        QCOMPARE(f.t(Campo::gain_value), QStringLiteral("30.00"));

        // Equal grid voltages: components again, gain untouched.
        f.w->campo(Campo::gain_bias)->setText(QStringLiteral("1.5"));
        f.w->calc_function[1]->trigger();
        QCOMPARE(f.t(Campo::gain_value), QStringLiteral("30.00"));

        f.w->canc_function[2]->trigger();
        QVERIFY(!f.w->canc_function[2]->isEnabled());
        QCOMPARE(f.w->legenda_guadagno->text(), QStringLiteral("Assente"));
        QCOMPARE(f.t(Campo::r_catodica), QStringLiteral("100"));
        f.w->canc_function[1]->trigger();
        f.w->canc_function[0]->trigger();
        QCOMPARE(f.canvas(), base);
        for (QAction* a : f.w->canc_function)
            QVERIFY(!a->isEnabled());
    }

    // A double click is one click: one point, one label, one line start.
    void doppio_clic_vale_un_clic_data()
    {
        QTest::addColumn<int>("modo");
        QTest::newRow("line") << 0;
        QTest::newRow("working point") << 1;
        QTest::newRow("gain point") << 2;
    }
    void doppio_clic_vale_un_clic()
    {
        QFETCH(int, modo);
        QPushButton* legende[] = {nullptr, nullptr, nullptr};
        Finestra singolo, doppio;
        for (Finestra* f : {&singolo, &doppio}) {
            f->carica();
            legende[0] = f->w->legenda_retta;
            legende[1] = f->w->legenda_lavoro;
            legende[2] = f->w->legenda_guadagno;
            QTest::mouseClick(legende[modo], Qt::LeftButton);
            const QPointF p(250, 325);
            f->evento(QEvent::MouseButtonPress, p, Qt::LeftButton, Qt::LeftButton);
            f->evento(QEvent::MouseButtonRelease, p, Qt::LeftButton, Qt::NoButton);
            if (f == &doppio) {
                f->evento(QEvent::MouseButtonDblClick, p, Qt::LeftButton, Qt::LeftButton);
                f->evento(QEvent::MouseButtonRelease, p, Qt::LeftButton, Qt::NoButton);
            }
        }
        QCOMPARE(doppio.canvas(), singolo.canvas());
        QCOMPARE(doppio.s().rette.size(), singolo.s().rette.size());
        QCOMPARE(doppio.s().punti_lavoro.size(), singolo.s().punti_lavoro.size());
        QCOMPARE(doppio.s().punti_guadagno.size(), singolo.s().punti_guadagno.size());
        QVERIFY(doppio.canvas() != [&] {
            Finestra vuota;
            vuota.carica();
            return vuota.canvas().copy();
        }());
    }

    void clic_sul_grafico_prende_la_tensione_di_griglia()
    {
        Finestra f;
        f.carica();
        f.trascina({200, 300}, {{300, 350}});
        f.w->calc_function[0]->trigger();
        f.clic(f.w->legenda_lavoro, {250, 325});
        f.w->activateWindow();
        QLineEdit* vb = f.w->campo(Campo::grid_bias);
        vb->setFocus();
        QTest::keyClicks(vb, QStringLiteral("-1,5"));
        QTest::mouseClick(f.chart(), Qt::LeftButton, {}, QPoint(20, 20));
        QTRY_COMPARE(vb->text(), QStringLiteral("1.5"));
        QCOMPARE(f.s().lavoro_vg, 1.5);
    }

    void r_anodica_con_k_e_ricalcolo()
    {
        Finestra f;
        f.carica();
        f.trascina({200, 300}, {{300, 350}});
        f.clic(f.w->legenda_lavoro, {250, 325});
        f.scrivi_e_invio(Campo::grid_bias, QStringLiteral("1.5"));
        QCOMPARE(f.t(Campo::c_catodica), QStringLiteral("63.66"));
        QLineEdit* r = f.w->campo(Campo::r_anodica);
        r->clear();
        QTest::keyClicks(r, QStringLiteral("22k"));
        QCOMPARE(r->text(), QStringLiteral("22000"));

        QString proposta;
        rispondi_ricalcolo(QStringLiteral("20k"), QStringLiteral("10K"), true, &proposta);
        f.w->calc_function[3]->trigger();
        QCOMPARE(proposta, QStringLiteral("22000"));
        QCOMPARE(f.s().rette_calcolate.size(), std::size_t(3));
        QCOMPARE(f.s().rette_calcolate[1].y0, 325.0f);
        QCOMPARE(f.s().rette_calcolate[2].y0, 250.0f);
        QCOMPARE(f.s().rette_calcolate[2].etichetta, QStringLiteral("C02"));
        QCOMPARE(r->text(), QStringLiteral("10,000"));
        QVERIFY(f.t(Campo::r_catodica).isEmpty());
        QVERIFY(f.t(Campo::c_catodica).isEmpty());
        QVERIFY(f.w->canc_function[3]->isEnabled());

        const QImage prima = f.canvas().copy();
        rispondi_ricalcolo(QStringLiteral("47000"), QString(), false);
        f.w->calc_function[3]->trigger();
        QCOMPARE(f.s().rette_calcolate.size(), std::size_t(3));

        f.w->canc_function[3]->trigger();
        f.w->canc_function[3]->trigger();
        QVERIFY(!f.w->canc_function[3]->isEnabled());
        QVERIFY(f.canvas() != prima);
    }

    void potenza_massima_blocca_il_campo()
    {
        Finestra f;
        f.carica();
        const QImage base = f.canvas().copy();
        QLineEdit* p = f.w->campo(Campo::potenza_anodica);
        QCOMPARE(p->text(), QStringLiteral("2500"));
        f.w->traccia_maxpower->trigger();
        QVERIFY(p->isReadOnly());
        QCOMPARE(f.w->traccia_maxpower->text(), QStringLiteral("Cancella Potenza massima"));
        QVERIFY(f.canvas() != base);
        f.w->traccia_maxpower->trigger();
        QVERIFY(!p->isReadOnly());
        QCOMPARE(f.w->traccia_maxpower->text(), QStringLiteral("Traccia Potenza massima"));
        QCOMPARE(f.canvas(), base);
    }
};

QTEST_MAIN(TestGraficoFinestra)
#include "tst_grafico_finestra.moc"
