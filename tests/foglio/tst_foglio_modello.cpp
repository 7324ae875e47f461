// Every real data sheet from its PDF page to a fitted model, with no repair
// of the traced rows: the crop as the window starts it (turned where the
// sheet is printed sideways), three calibration clicks 2 px off the axes'
// lines that must snap onto them, the tube saved and loaded on the main
// window, "Traccia Curve" with the sheet's own first grid voltage and step,
// and "Adatta Modello". The family must come out as printed (exactly its
// number of curves, in order), and the model must meet the sheet's own table
// point.

#include "mani_nuovo_dispositivo.h"
#include "support/cartella_prova.h"

#include "archive/cartelle.h"
#include "chart/grafico.h"
#include "common/libreria_immagini.h"
#include "model/modello_valvola.h"
#include "model/ui/finestra_modello.h"
#include "platform/piattaforma_scriptata.h"
#include "shell/korvel.h"
#include "tubes/caricatore_valvola.h"
#include "tubes/lista_valvole.h"
#include "tubes/ui/nuovo_dispositivo.h"
#include "foglio/tracciatore.h"
#include "foglio/ui/ritaglia_grafico.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QtTest>

#include <cmath>

namespace {

void fotografa(QWidget& w, const QString& nome)
{
    const QByteArray cartella = qgetenv("KORVEL_FOTO");
    if (cartella.isEmpty())
        return;
    w.grab().save(QString::fromLocal8Bit(cartella) + QLatin1Char('/') + nome + QStringLiteral(".png"));
}

QString fogli(const char* nome)
{
    return QStringLiteral(KORVEL_SOURCE_DIR "/tests/foglio/fogli/") + QString::fromLatin1(nome);
}

// Where a pixel of the page falls on the picture rescaled from the crop `r`
// to 518 x 418 (the box filter maps pixel centres onto pixel centres).
QPointF su_curva(QPointF pagina, const QRect& r)
{
    const double sx = r.width() / 518.0, sy = r.height() / 418.0;
    return QPointF((pagina.x() + 0.5 - r.x()) / sx - 0.5, (pagina.y() + 0.5 - r.y()) / sy - 0.5);
}

double numero(const QLineEdit* e)
{
    return QLocale().toDouble(e->text());
}

} // namespace

class TstFoglioModello : public QObject {
    Q_OBJECT

private slots:
    // The sheets' lines are in pixels of the page as the crop window shows
    // it (straightened, and turned where the sheet is sideways), found on it
    // and checked by eye against the printed scale. The full scales are the
    // ones the record can keep whole (the 12SR7 is calibrated on 15 mA).
    void dal_pdf_al_modello_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("quarti");      // clockwise quarter turns
        QTest::addColumn<QPointF>("origine"); // 0 V, 0 mA
        QTest::addColumn<double>("y_imax");   // the line of full-scale current
        QTest::addColumn<double>("x_vmax");   // the line of full-scale voltage
        QTest::addColumn<double>("imax");
        QTest::addColumn<double>("vmax");
        QTest::addColumn<double>("vg_prima");
        QTest::addColumn<double>("vg_passo");
        QTest::addColumn<int>("curve"); // as printed
        QTest::addColumn<double>("va"); // the sheet's table point
        QTest::addColumn<double>("vg");
        QTest::addColumn<double>("ia");
        // The RMS residual the fit must reach, px: 2.5, but where the
        // model's form cannot follow the family as printed. The 17EW8's
        // curves are traced on the ink (checked below, curve by curve), and
        // one Koren set meets them at 3.1 px: its upper curves bend more, for
        // their spacing, than the form lets the lower ones bend.
        QTest::addColumn<double>("scarto");
        // Where the full-scale voltage is not the frame's edge (the grid
        // goes on beyond it) and its lines stand closer than 4 px, a click
        // 2 px off across the line is nearer the next one: that click is
        // 2 px off along the line, below the axis.
        QTest::addColumn<bool>("vmax_dentro");

        // Tung-Sol's table point: 100 V with 50 ohm common to both units at
        // 8.5 mA each, so the grid sits at -(2 x 8.5 mA x 50 ohm).
        QTest::newRow("12SR7 GE") << fogli("12SR7-GE-pagina2.pdf") << 0 << QPointF(422.2, 2463.4) << 1502.1 << 2020.3
                                  << 15.0 << 500.0 << 0.0 << 3.0 << 12 << 250.0 << -9.0 << 9.5 << 2.5 << false;
        QTest::newRow("19J6 Tung-Sol") << fogli("19J6-TungSol-pagina3.pdf") << 0 << QPointF(255.3, 1019.2) << 360.3
                                       << 1350.9 << 15.0 << 500.0 << 0.0 << 2.0 << 10 << 100.0 << -0.85 << 8.5 << 2.5
                                       << false;
        QTest::newRow("19J6 RCA") << fogli("19J6-RCA-pagina2.pdf") << 1 << QPointF(914.2, 1166.5) << 244.7 << 2249.7
                                  << 16.0 << 600.0 << 0.0 << 2.0 << 10 << 100.0 << -0.85 << 8.5 << 2.5 << true;
        QTest::newRow("12AX7 Brimar") << fogli("12AX7-Brimar-pagina5.pdf") << 1 << QPointF(210.8, 1714.6) << 705.1
                                      << 1896.1 << 3.0 << 500.0 << 0.0 << 0.5 << 11 << 250.0 << -2.0 << 1.2 << 2.5
                                      << false;
        QTest::newRow("17EW8 Rogers") << fogli("17EW8-Rogers-pagina5.pdf") << 1 << QPointF(492.0, 2134.8) << 363.9
                                      << 3153.1 << 20.0 << 300.0 << 0.0 << 1.0 << 7 << 170.0 << -1.5 << 10.0 << 3.2
                                      << false;
    }

    void dal_pdf_al_modello()
    {
        QFETCH(QString, file);
        QFETCH(int, quarti);
        QFETCH(QPointF, origine);
        QFETCH(double, y_imax);
        QFETCH(double, x_vmax);
        QFETCH(double, imax);
        QFETCH(double, vmax);
        QFETCH(double, vg_prima);
        QFETCH(double, vg_passo);
        QFETCH(int, curve);
        QFETCH(double, va);
        QFETCH(double, vg);
        QFETCH(double, ia);
        QFETCH(double, scarto);
        QFETCH(bool, vmax_dentro);
        const QString nome = QString::fromLatin1(QTest::currentDataTag());

        CartellaProva c;
        c.crea_tabella();
        imposta_cartelle(c.programma());
        PiattaformaScriptata p;
        LibreriaImmagini libreria;
        auto n = std::make_unique<Nuovo_Dispositivo>(p, libreria);
        n->show();

        QRect ritaglio;
        p.rispondi_file(file);
        p.rispondi_finestra([&](QDialog& d) {
            auto& r = dynamic_cast<Ritaglia_Grafico&>(d);
            for (int k = 0; k < quarti; ++k)
                r.ruota_destra->click();
            for (int k = 0; k > quarti; --k)
                r.ruota_sinistra->click();
            if (!qEnvironmentVariableIsEmpty("KORVEL_FOTO"))
                r.immagine().save(QString::fromLocal8Bit(qgetenv("KORVEL_FOTO")) +
                                  QStringLiteral("/pagina %1.png").arg(nome));
            ritaglio = r.ritaglio();
            qInfo("%s: cornice %d,%d %dx%d", qPrintable(nome), r.cornice().x(), r.cornice().y(), r.cornice().width(),
                  r.cornice().height());
            return int(Ritaglia_Grafico::ritaglia);
        });
        n->carica[0]->trigger();
        QVERIFY(!ritaglio.isEmpty());

        // Clicks 2 px off the axes' lines, away from the plot, where the
        // nearest line is the frame's.
        const QPointF o = su_curva(origine, ritaglio), i = su_curva(QPointF(origine.x(), y_imax), ritaglio),
                      v = su_curva(QPointF(x_vmax, origine.y()), ritaglio);
        clic_e_scegli(*n, o + QPointF(-2, 2), QStringLiteral("Set Origine"));
        clic_e_scegli(*n, i + QPointF(-2, -2), QStringLiteral("Set Corrente massima"));
        clic_e_scegli(*n, v + (vmax_dentro ? QPointF(0, 2) : QPointF(2, 2)), QStringLiteral("Set Tensione Massima"));
        const auto agganciato = [&](QLineEdit* campo, double vero, const char* cosa) {
            const double letto = numero(campo);
            QVERIFY2(std::fabs(letto - vero) <= 1.0,
                     qPrintable(QStringLiteral("%1: %2 invece di %3").arg(cosa).arg(letto).arg(vero)));
        };
        agganciato(n->origin_X, o.x(), "origine x");
        agganciato(n->origin_Y, o.y(), "origine y");
        agganciato(n->max_current_X, i.x(), "corrente massima x");
        agganciato(n->max_current_y, i.y(), "corrente massima y");
        agganciato(n->max_voltage_X, v.x(), "tensione massima x");
        agganciato(n->max_voltage_Y, v.y(), "tensione massima y");
        QTest::keyClicks(n->max_current_i, QLocale().toString(imax));
        QTest::keyClicks(n->max_voltage_V, QLocale().toString(vmax));
        QTest::keyClicks(n->potenza_anodica, QStringLiteral("1"));
        QTest::keyClicks(n->nome_valvola[0], nome.left(5));
        p.azzera();
        n->salva_DB->trigger();
        QCOMPARE(p.messaggi(), QStringList{QStringLiteral("Valvola inserita nel DB")});
        n.reset();

        // Loaded on the main window, and its model window opened there.
        KORVEL w(p, c.programma());
        w.KORVEL_Form_Load();
        QCOMPARE(w.lista().righe_valvole(), 1);
        w.caricatore().griglia_DB_DblClick(1);
        if (!qEnvironmentVariableIsEmpty("KORVEL_FOTO")) {
            const Taratura& t = w.grafico().stato();
            QImage(w.caricatore().file_curva())
                .save(QString::fromLocal8Bit(qgetenv("KORVEL_FOTO")) + QStringLiteral("/curve %1.png").arg(nome));
            qInfo("%s: taratura %g %g %g %g %g %g", qPrintable(nome), t.org_x, t.org_y, t.vmax_x, t.vmax_v, t.imax_y,
                  t.imax_i);
        }
        int righe = -1;
        bool finito = false;
        double ia_modello = 0, rms = 1e9;
        QStringList messaggi;
        auto* timer = new QTimer(&w);
        timer->setInterval(10);
        connect(timer, &QTimer::timeout, [&] {
            auto* f = qobject_cast<FinestraModello*>(QApplication::activeModalWidget());
            if (!f)
                return;
            timer->stop();
            const auto campo = [&](const char* c) { return f->findChild<QLineEdit*>(QString::fromUtf8(c)); };
            campo("Vg prima curva (V)=")->setText(QLocale().toString(vg_prima));
            campo("Passo Vg (V)=")->setText(QLocale().toString(vg_passo));
            p.azzera();
            f->findChild<QPushButton*>(QStringLiteral("Traccia Curve"))->click();
            righe = f->findChild<QTableWidget*>(QStringLiteral("Curve tracciate"))->rowCount();
            f->findChild<QPushButton*>(QStringLiteral("Adatta Modello"))->click();
            finito = QTest::qWaitFor([f] { return !f->adattamento_in_corso(); }, 120000);
            messaggi = p.messaggi();
            modello::ParametriModello m;
            m.tipo = modello::TipoModello::triodo_koren;
            m.mu = numero(campo("mu="));
            m.ex = numero(campo("Ex="));
            m.kg1 = numero(campo("Kg1="));
            m.kp = numero(campo("Kp="));
            m.kvb = numero(campo("Kvb="));
            m.vct = numero(campo("Vct="));
            ia_modello = modello::corrente_placca(m, va, vg);
            rms = numero(campo("Scarto medio (px)="));
            f->findChild<QCheckBox*>(QStringLiteral("Mostra Modello"))->setChecked(true);
            fotografa(*f, QStringLiteral("modello %1").arg(nome));
            f->findChild<QPushButton*>(QStringLiteral("Chiudi"))->click();
        });
        timer->start();
        w.findChild<QAction*>(QStringLiteral("modello_valvola"))->trigger();
        qInfo("%s: %d curve, %.3f mA a %g V %g V (foglio %g mA), scarto %.3f px", qPrintable(nome), righe, ia_modello,
              va, vg, ia, rms);
        QVERIFY(finito);
        QVERIFY2(messaggi.isEmpty(), qPrintable(messaggi.join(QLatin1Char('|'))));
        QCOMPARE(righe, curve);
        QVERIFY2(std::fabs(ia_modello - ia) <= 0.1 * ia,
                 qPrintable(QStringLiteral("%1 mA invece di %2 mA").arg(ia_modello).arg(ia)));
        QVERIFY2(rms <= scarto, qPrintable(QStringLiteral("%1 px").arg(rms)));

        // Every row the window showed lies on the printed curves: its points
        // within a pixel of the ink of the picture, curve by curve.
        const QImage foto(w.caricatore().file_curva());
        const auto tracciate = tracciatore::traccia_curve(foto, w.grafico().stato());
        QCOMPARE(int(tracciate.size()), curve);
        QStringList quote;
        for (int k = 0; k < tracciate.size(); ++k) {
            int su = 0;
            for (const QPointF& q : tracciate[k].punti) {
                bool inchiostro = false;
                for (int dy = -1; dy <= 1 && !inchiostro; ++dy)
                    for (int dx = -1; dx <= 1 && !inchiostro; ++dx)
                        inchiostro =
                            qGray(foto.pixel(int(std::lround(q.x())) + dx, int(std::lround(q.y())) + dy)) < 128;
                su += inchiostro;
            }
            const double quota = double(su) / double(tracciate[k].punti.size());
            quote << QStringLiteral("%1: %2 punti, %3 %")
                         .arg(k)
                         .arg(tracciate[k].punti.size())
                         .arg(100 * quota, 0, 'f', 1);
            QVERIFY2(quota >= 0.95, qPrintable(quote.last()));
        }
        qInfo("%s: %s", qPrintable(nome), qPrintable(quote.join(QStringLiteral("; "))));
    }
};

QTEST_MAIN(TstFoglioModello)
#include "tst_foglio_modello.moc"
