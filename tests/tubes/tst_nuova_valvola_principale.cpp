// A new tube entered from the main window, as a user does it: "Inserisci
// &Nuova Valvola" opens the new-tube window modally, a 900 x 700 scan of
// 12AU7 curves is calibrated and saved, and once the window is closed the
// tube is the last row of the list and a stage can be designed on it.

#include "curva_12au7.h"
#include "mani_nuovo_dispositivo.h"
#include "support/cartella_prova.h"

#include "chart/grafico.h"
#include "chart/ui/picture1.h"
#include "archive/cartelle.h"
#include "platform/piattaforma_scriptata.h"
#include "shell/about.h"
#include "shell/kor_manuale.h"
#include "shell/korvel.h"
#include "tubes/caricatore_valvola.h"
#include "tubes/lista_valvole.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QtTest>

#include <algorithm>
#include <cmath>
#include <functional>

namespace {

using finestra_modale::quando_aperta;

} // namespace

class TestNuovaValvolaPrincipale : public QObject {
    Q_OBJECT

private slots:
    void dalla_finestra_principale_al_grafico()
    {
        CartellaProva c;
        c.crea_tabella();
        c.inserisci(CartellaProva::valvola(QStringLiteral("12AX7"), QStringLiteral("ECC83")));
        c.scrivi_immagine(QStringLiteral("DatiValvole/Curve/prova.gif"), 518, 418, Qt::white, "PNG");
        const QString scansione = c.dir.filePath(QStringLiteral("12AU7.png"));
        QVERIFY(curva_12au7::disegna(900, 700).save(scansione, "PNG"));

        PiattaformaScriptata p;
        KORVEL w(p, c.programma());
        w.KORVEL_Form_Load();
        QCOMPARE(w.lista().righe_valvole(), 1);

        bool aperta = false;
        QStringList messaggi;
        QString manuale;
        bool about = false;
        quando_aperta<Nuovo_Dispositivo>([&](Nuovo_Dispositivo* n) {
            aperta = true;
            p.rispondi_file(scansione);
            n->carica[0]->trigger();
            QTest::keyClicks(n->nome_valvola[0], QStringLiteral("12AU7"));
            QTest::keyClicks(n->nome_valvola[1], QStringLiteral("ECC82"));
            n->Combo_modo->setCurrentIndex(1);
            clic_e_scegli(*n, {56, 380}, QStringLiteral("Set Origine"));
            clic_e_scegli(*n, {56, 40}, QStringLiteral("Set Corrente massima"));
            clic_e_scegli(*n, {496, 380}, QStringLiteral("Set Tensione Massima"));
            QTest::keyClicks(n->max_current_i, QStringLiteral("20"));
            QTest::keyClicks(n->max_voltage_V, QStringLiteral("500"));
            QTest::keyClicks(n->potenza_anodica, QStringLiteral("2750"));
            // "&?" shows the manual and the About window over this one.
            cartelle().pdf_da_mostrare = QStringLiteral("/tmp/rapporto.pdf");
            quando_aperta<KOR_MANUALE>([&](KOR_MANUALE* v) {
                manuale = v->file();
                v->reject();
            });
            n->help_cmd->trigger();
            quando_aperta<About>([&](About* a) {
                about = true;
                a->reject();
            });
            n->about_cmd->trigger();
            p.azzera();
            n->salva_DB->trigger();
            messaggi = p.messaggi();
            n->uscita->trigger();
        });
        w.nuova_valvola->trigger();
        QVERIFY(aperta);
        QCOMPARE(manuale, cartelle().file_manuale);
        QVERIFY(about);
        QCOMPARE(messaggi, QStringList{QStringLiteral("Valvola inserita nel DB")});

        // The list was rebuilt: the new tube is its last row.
        QCOMPARE(w.lista().righe_valvole(), 2);
        QCOMPARE(w.lista().cella_lista(2, 2), QStringLiteral("12AU7"));
        QCOMPARE(w.lista().cella_lista(2, 1), QStringLiteral("ECC82"));
        QCOMPARE(w.lista().cella_lista(2, 3), QStringLiteral("12AU7trio.gif"));

        w.caricatore().griglia_DB_DblClick(2);
        const QImage& grafico = w.grafico().canvas();
        // On the -8 V curve, away from the grid lines: the darkest pixel of
        // the column near the model's row is the curve.
        for (const int x : {200, 250, 280, 310}) {
            const double v = curva_12au7::tensione(x);
            QVERIFY(curva_12au7::corrente(v, -8) < 19);
            const double riga = curva_12au7::riga(curva_12au7::corrente(v, -8));
            int y_curva = -1;
            int piu_scuro = 256;
            for (int y = int(riga) - 4; y <= int(riga) + 4; ++y) {
                if (qGray(grafico.pixel(x, y)) < piu_scuro) {
                    piu_scuro = qGray(grafico.pixel(x, y));
                    y_curva = y;
                }
            }
            QVERIFY2(piu_scuro < 150, qPrintable(QString::number(x)));
            evento_mouse(w.Picture1_, QEvent::MouseMove, QPointF(x, y_curva), Qt::NoButton, Qt::NoButton);
            const double letta_v = w.campo(Campo::curr_v)->text().toDouble();
            const double letta_i = w.campo(Campo::curr_i)->text().toDouble();
            QVERIFY2(std::fabs(letta_v - v) < 0.006, qPrintable(w.campo(Campo::curr_v)->text()));
            // The read-outs are the calibration's values of that pixel...
            QVERIFY(std::fabs(letta_i - (380.0 - y_curva) / 340.0 * 20.0) < 0.006);
            // ...and the point read lies within a pixel of the model curve.
            double distanza = 1e9;
            for (double dx = -1.5; dx <= 1.5; dx += 0.01) {
                const double ym = curva_12au7::riga(curva_12au7::corrente(curva_12au7::tensione(x + dx), -8));
                distanza = std::min(distanza, std::hypot(dx, ym - y_curva));
            }
            QVERIFY2(distanza <= 1.0, qPrintable(QStringLiteral("x=%1 y=%2 I=%3 modello %4 distanza %5")
                                                     .arg(x)
                                                     .arg(y_curva)
                                                     .arg(letta_i)
                                                     .arg(curva_12au7::corrente(v, -8))
                                                     .arg(distanza)));
        }
    }
};

QTEST_MAIN(TestNuovaValvolaPrincipale)
#include "tst_nuova_valvola_principale.moc"
