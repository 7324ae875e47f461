// From a data-sheet PDF to a calibrated tube, as a user works: "Carica
// Curve" opens the PDF, "Pagina" asks for the page, "Ritaglia Grafico"
// crops (turns, straightens) the plot, the three calibration clicks snap to
// the grid, the division shows whether the calibration is right, and the
// saved tube reads back its own curves on the main chart.

#include "tubes/curva_12au7.h"
#include "foglio_pdf.h"
#include "tubes/mani_nuovo_dispositivo.h"
#include "support/cartella_prova.h"
#include "support/processo.h"

#include "archive/cartelle.h"
#include "chart/grafico.h"
#include "chart/ui/picture1.h"
#include "common/libreria_immagini.h"
#include "common/numeri.h"
#include "platform/piattaforma_scriptata.h"
#include "shell/korvel.h"
#include "tubes/caricatore_valvola.h"
#include "tubes/lista_valvole.h"
#include "foglio/analisi_grafico.h"
#include "tubes/ui/nuovo_dispositivo.h"
#include "foglio/ui/ritaglia_grafico.h"
#include "foglio/ui/scelta_pagina.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QtTest>

#include <algorithm>
#include <cmath>

namespace {

// Screenshots for a person to look at, when asked for.
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

// Where a pixel of the page falls on the picture rescaled from the crop
// `r` to 518 x 418: the box filter maps pixel centres onto pixel centres.
QPointF su_curva(QPointF pagina, const QRect& r)
{
    const double sx = r.width() / 518.0, sy = r.height() / 418.0;
    return QPointF((pagina.x() + 0.5 - r.x()) / sx - 0.5, (pagina.y() + 0.5 - r.y()) / sy - 0.5);
}

QVariantMap ultimo_record(const CartellaProva& c)
{
    QVariantMap r;
    c.con_basedati([&](QSqlDatabase& db) {
        QSqlQuery q(QStringLiteral("select * from TabellaValvole order by ID desc limit 1"), db);
        if (!q.next())
            return false;
        for (int i = 0; i < q.record().count(); ++i)
            r[q.record().fieldName(i)] = q.value(i);
        return true;
    });
    return r;
}

struct Finestra {
    CartellaProva c;
    PiattaformaScriptata p;
    LibreriaImmagini libreria;
    std::unique_ptr<Nuovo_Dispositivo> w;

    Finestra()
    {
        c.crea_tabella();
        imposta_cartelle(c.programma());
        w = std::make_unique<Nuovo_Dispositivo>(p, libreria);
        w->show();
    }
    QString file(const QString& nome) const { return c.dir.filePath(nome); }
};

void scrivi_campo(QLineEdit* e, const QString& testo)
{
    e->clear();
    QTest::keyClicks(e, testo);
}

QString leggi(const QString& percorso)
{
    QFile f(percorso);
    return f.open(QIODevice::ReadOnly) ? QString::fromLatin1(f.readAll().toBase64()) : QString();
}

} // namespace

class TestFoglioPdf : public QObject {
    Q_OBJECT

private slots:
    // The project's own data sheet from PDF to the main chart.
    void foglio_del_progetto()
    {
        CartellaProva c;
        c.crea_tabella();
        c.inserisci(CartellaProva::valvola(QStringLiteral("12AX7"), QStringLiteral("ECC83")));
        c.scrivi_immagine(QStringLiteral("DatiValvole/Curve/prova.gif"), 518, 418, Qt::white, "PNG");
        const QString pdf = c.dir.filePath(QStringLiteral("12AU7 foglio.pdf"));
        foglio_pdf::scrivi(pdf);

        PiattaformaScriptata p;
        KORVEL w(p, c.programma());
        w.KORVEL_Form_Load();

        QRect ritaglio, cornice;
        double inclinazione = 1;
        int pagine = 0;
        bool puntatore_occupato = false;
        QStringList messaggi;
        QList<PiattaformaScriptata::Tipo> finestre;
        bool aperta = false;
        auto* timer = new QTimer(&w);
        timer->setInterval(10);
        connect(timer, &QTimer::timeout, [&] {
            auto* n = qobject_cast<Nuovo_Dispositivo*>(QApplication::activeModalWidget());
            if (!n)
                return;
            timer->stop();
            aperta = true;
            p.rispondi_file(pdf);
            p.rispondi_finestra([&](QDialog& d) {
                auto& s = dynamic_cast<Scelta_Pagina&>(d);
                pagine = s.elenco->count();
                s.resize(480, 300);
                fotografa(s, QStringLiteral("pagina"));
                s.scegli(1);
                return int(QDialog::Accepted);
            });
            p.rispondi_finestra([&](QDialog& d) {
                auto& r = dynamic_cast<Ritaglia_Grafico&>(d);
                cornice = r.cornice();
                ritaglio = r.ritaglio();
                inclinazione = r.inclinazione();
                return int(Ritaglia_Grafico::ritaglia);
            });
            n->carica[0]->trigger();
            // Opening, rendering and straightening the page showed the busy
            // pointer, and it is off again.
            puntatore_occupato = p.volte_occupato() > 0 && !p.occupato();
            for (const auto& r : p.richieste())
                if (r.tipo == PiattaformaScriptata::Tipo::Finestra)
                    messaggi << r.titolo;
            QTest::keyClicks(n->nome_valvola[0], QStringLiteral("12AU7"));
            n->Combo_modo->setCurrentIndex(1);
            // The clicks land 3 px off the intersections, and snap onto them.
            const auto vero = [&](double v, double ma) { return su_curva(foglio_pdf::pixel_pagina(v, ma), ritaglio); };
            const auto tondo = [](QPointF q) { return QPointF(std::round(q.x()), std::round(q.y())); };
            clic_e_scegli(*n, tondo(vero(0, 0)) + QPointF(3, 0), QStringLiteral("Set Origine"));
            clic_e_scegli(*n, tondo(vero(0, 20)) + QPointF(0, -3), QStringLiteral("Set Corrente massima"));
            clic_e_scegli(*n, tondo(vero(400, 0)) + QPointF(-2, 2), QStringLiteral("Set Tensione Massima"));
            // A mistyped current shows as a division that is not round.
            QTest::keyClicks(n->max_current_i, QStringLiteral("25"));
            QTest::keyClicks(n->max_voltage_V, QStringLiteral("400"));
            messaggi << n->divisione_griglia->text()
                     << n->divisione_griglia->palette().color(QPalette::WindowText).name();
            scrivi_campo(n->max_current_i, QStringLiteral("20"));
            messaggi << n->divisione_griglia->text()
                     << n->divisione_griglia->palette().color(QPalette::WindowText).name();
            QTest::keyClicks(n->potenza_anodica, QStringLiteral("2750"));
            fotografa(*n, QStringLiteral("tarata"));
            p.azzera();
            n->salva_DB->trigger();
            messaggi << p.messaggi();
            n->uscita->trigger();
        });
        timer->start();
        w.nuova_valvola->trigger();
        QVERIFY(aperta);
        QVERIFY(puntatore_occupato);
        QCOMPARE(pagine, 2);
        QCOMPARE(messaggi.mid(0, 2), (QStringList{Scelta_Pagina::titolo, Ritaglia_Grafico::titolo}));
        QCOMPARE(messaggi[2],
                 QStringLiteral("Divisione: 10 V; 1") + QLocale().decimalPoint() + QStringLiteral("25 mA"));
        QCOMPARE(messaggi[3], QColor(Qt::red).name());
        QCOMPARE(messaggi[4], QStringLiteral("Divisione: 10 V; 1 mA"));
        QVERIFY(messaggi[5] != QColor(Qt::red).name());
        QCOMPARE(messaggi.mid(6), QStringList{QStringLiteral("Valvola inserita nel DB")});

        // A page drawn straight is left as it is.
        QVERIFY2(std::fabs(inclinazione) <= 0.1, qPrintable(QString::number(inclinazione)));
        // The crop started on the plot's frame.
        const QRectF vera = foglio_pdf::cornice_pagina();
        QVERIFY2(std::fabs(cornice.left() - vera.left()) <= 3 && std::fabs(cornice.right() - vera.right()) <= 3 &&
                     std::fabs(cornice.top() - vera.top()) <= 3 && std::fabs(cornice.bottom() - vera.bottom()) <= 3,
                 qPrintable(QStringLiteral("%1,%2 %3x%4")
                                .arg(cornice.x())
                                .arg(cornice.y())
                                .arg(cornice.width())
                                .arg(cornice.height())));
        QVERIFY(ritaglio.contains(cornice));

        // The record's calibration is within half a pixel of the grid.
        const QVariantMap r = ultimo_record(c);
        const QPointF o = su_curva(foglio_pdf::pixel_pagina(0, 0), ritaglio);
        const QPointF i = su_curva(foglio_pdf::pixel_pagina(0, 20), ritaglio);
        const QPointF v = su_curva(foglio_pdf::pixel_pagina(400, 0), ritaglio);
        const auto vicino = [&](const char* campo, double vero) {
            const double letto = r.value(QString::fromLatin1(campo)).toDouble();
            QVERIFY2(std::fabs(letto - vero) <= 0.5,
                     qPrintable(QStringLiteral("%1 = %2, vero %3").arg(campo).arg(letto).arg(vero)));
        };
        vicino("ORG_X", o.x());
        vicino("ORG_Y", o.y());
        vicino("IMAX_X", i.x());
        vicino("IMAX_Y", i.y());
        vicino("VMAX_X", v.x());
        vicino("VMAX_Y", v.y());
        QCOMPARE(r.value(QStringLiteral("IMAX_I")).toDouble(), 20.0);
        QCOMPARE(r.value(QStringLiteral("VMAX_V")).toDouble(), 400.0);

        // On the main chart the read-out of a curve's pixel is a point of
        // the model within a pixel.
        QCOMPARE(w.lista().righe_valvole(), 2);
        w.caricatore().griglia_DB_DblClick(2);
        const QImage& grafico = w.grafico().canvas();
        const auto colonna = [&](double volt) { return su_curva(foglio_pdf::pixel_pagina(volt, 0), ritaglio).x(); };
        const auto riga = [&](double ma) { return su_curva(foglio_pdf::pixel_pagina(0, ma), ritaglio).y(); };
        for (const double volt : {200.0, 230.0, 260.0, 290.0}) {
            const double eg = -8;
            const int x = int(std::round(colonna(volt)));
            const double ma_modello = curva_12au7::corrente(volt, eg);
            QVERIFY(ma_modello > 1 && ma_modello < 18);
            int y_curva = -1, piu_scuro = 256;
            for (int y = int(riga(ma_modello)) - 4; y <= int(riga(ma_modello)) + 4; ++y) {
                if (qGray(grafico.pixel(x, y)) < piu_scuro) {
                    piu_scuro = qGray(grafico.pixel(x, y));
                    y_curva = y;
                }
            }
            QVERIFY(piu_scuro < 160);
            evento_mouse(w.Picture1_, QEvent::MouseMove, QPointF(x, y_curva), Qt::NoButton, Qt::NoButton);
            const double letta_v = QLocale().toDouble(w.campo(Campo::curr_v)->text());
            const double letta_i = QLocale().toDouble(w.campo(Campo::curr_i)->text());
            // Distance, in pixels, from the point read to the model's curve.
            double distanza = 1e9;
            const double px_per_v = (colonna(400) - colonna(0)) / 400, px_per_ma = (riga(0) - riga(20)) / 20;
            for (double dv = -3; dv <= 3; dv += 0.01) {
                const double ma = curva_12au7::corrente(letta_v + dv, eg);
                distanza = std::min(distanza, std::hypot(dv * px_per_v, (ma - letta_i) * px_per_ma));
            }
            QVERIFY2(distanza <= 1.0, qPrintable(QStringLiteral("%1 V: letti %2 V %3 mA, distanza %4 px")
                                                     .arg(volt)
                                                     .arg(letta_v)
                                                     .arg(letta_i)
                                                     .arg(distanza)));
        }
    }

    // The three real sheets, each from its PDF page to a saved tube, on the
    // same steps: straightened on opening, the RCA page turned a quarter
    // turn, cropped on the frame found (which must be the plate
    // characteristics', not the other plot's or the table's), calibrated by
    // clicks 1 or 2 px off the sheet's axes and full-scale lines, which snap
    // onto them; the division shown is the sheet's own and round (not red);
    // and on the main chart, with the saved tube, the mouse read-out on an
    // inner grid intersection gives its volts and milliamperes within half
    // a division each: |V - V sheet| <= div V / 2 and |mA - mA sheet| <=
    // div mA / 2.
    //
    // The sheet's lines are given in pixels of the straightened (and
    // turned) page, as found on it and checked by eye against the printed
    // scale, to about 2 px.
    void fogli_reali_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<bool>("girata");
        QTest::addColumn<QRect>("cornice");   // the plot's outermost grid lines
        QTest::addColumn<QPointF>("origine"); // 0 V, 0 mA
        QTest::addColumn<double>("y_imax");   // the line of full-scale current
        QTest::addColumn<double>("x_vmax");   // the line of full-scale voltage
        QTest::addColumn<double>("imax");
        QTest::addColumn<double>("vmax");
        QTest::addColumn<double>("div_v"); // one division of the sheet
        QTest::addColumn<double>("div_ma");
        QTest::addColumn<QPointF>("punto"); // an inner intersection ...
        QTest::addColumn<double>("volt");   // ... and its values
        QTest::addColumn<double>("milliampere");
        // How far off the lines the clicks land: the RCA sheet's 5 V lines
        // stand 3.5 px apart once rescaled, so a click 2 px off is nearer
        // the next one.
        QTest::addColumn<double>("scarto");
        // The 12SR7's full scale, 17.5 mA, is not stored whole (the record
        // keeps "I=" as a whole number): the user calibrates on 15 mA.
        QTest::newRow("12SR7 GE") << fogli("12SR7-GE-pagina2.pdf") << false << QRect(420, 1339, 1603, 1127)
                                  << QPointF(422.2, 2463.4) << 1502.1 << 2020.3 << 15.0 << 500.0 << 5.0 << 0.25
                                  << QPointF(1382.3, 1822.2) << 300.0 << 10.0 << 2.0;
        QTest::newRow("19J6 Tung-Sol") << fogli("19J6-TungSol-pagina3.pdf") << false << QRect(164, 138, 1407, 1102)
                                       << QPointF(255.3, 1019.2) << 360.3 << 1350.9 << 15.0 << 500.0 << 20.0 << 1.0
                                       << QPointF(911.9, 580.5) << 300.0 << 10.0 << 2.0;
        QTest::newRow("19J6 RCA") << fogli("19J6-RCA-pagina2.pdf") << true << QRect(912, 243, 1567, 926)
                                  << QPointF(914.2, 1166.5) << 244.7 << 2249.7 << 16.0 << 600.0 << 5.0 << 0.2
                                  << QPointF(1579.7, 705.6) << 300.0 << 8.0 << 1.0;
    }
    void fogli_reali()
    {
        QFETCH(QString, file);
        QFETCH(bool, girata);
        QFETCH(QRect, cornice);
        QFETCH(QPointF, origine);
        QFETCH(double, y_imax);
        QFETCH(double, x_vmax);
        QFETCH(double, imax);
        QFETCH(double, vmax);
        QFETCH(double, div_v);
        QFETCH(double, div_ma);
        QFETCH(QPointF, punto);
        QFETCH(double, volt);
        QFETCH(double, milliampere);
        QFETCH(double, scarto);
        const QString nome = QFileInfo(file).baseName();
        Finestra f;
        // Another tube in the list, as users have.
        f.c.inserisci(CartellaProva::valvola(QStringLiteral("12AX7"), QStringLiteral("ECC83")));
        f.c.scrivi_immagine(QStringLiteral("DatiValvole/Curve/prova.gif"), 518, 418, Qt::white, "PNG");
        double gradi = 0;
        bool raddrizzata = false;
        QString nota;
        QRect trovata, ritaglio;
        f.p.rispondi_file(file);
        f.p.rispondi_finestra([&](QDialog& d) {
            auto& r = dynamic_cast<Ritaglia_Grafico&>(d);
            gradi = r.inclinazione();
            nota = r.nota->text();
            raddrizzata = r.raddrizza->isChecked();
            if (girata)
                r.ruota_destra->click();
            trovata = r.cornice();
            fotografa(r, QStringLiteral("ritaglio %1").arg(nome));
            ritaglio = r.ritaglio();
            return int(Ritaglia_Grafico::ritaglia);
        });
        f.w->carica[0]->trigger();
        qInfo("%s: inclinazione %.2f, cornice %d,%d %dx%d", qPrintable(nome), gradi, trovata.x(), trovata.y(),
              trovata.width(), trovata.height());
        QVERIFY2(std::fabs(gradi) >= 0.1 && std::fabs(gradi) <= 0.3, qPrintable(QString::number(gradi)));
        QVERIFY(raddrizzata);
        QCOMPARE(nota, QStringLiteral("Raddrizzato di %1°").arg(numeri::testo_double(std::fabs(gradi))));
        QCOMPARE(f.w->orig_curve->text(), file);
        // The crop starts on the plate characteristics' frame.
        QVERIFY2(std::abs(trovata.left() - cornice.left()) <= 6 && std::abs(trovata.right() - cornice.right()) <= 6 &&
                     std::abs(trovata.top() - cornice.top()) <= 6 && std::abs(trovata.bottom() - cornice.bottom()) <= 6,
                 qPrintable(QStringLiteral("%1,%2 %3x%4")
                                .arg(trovata.x())
                                .arg(trovata.y())
                                .arg(trovata.width())
                                .arg(trovata.height())));
        QVERIFY(ritaglio.contains(trovata));
        const analisi_grafico::Griglia& g = f.w->griglia();
        QVERIFY(g.trovata());
        qInfo("griglia %d x %d, passo %.3f x %.3f", int(g.verticali.size()), int(g.orizzontali.size()), g.passo_x(),
              g.passo_y());

        // The clicks, off the lines on the rescaled picture, snap to
        // the intersections found, within a pixel of the sheet's lines.
        const auto qui = [&](double x, double y) { return su_curva(QPointF(x, y), ritaglio); };
        const QPointF o = qui(origine.x(), origine.y()), i = qui(origine.x(), y_imax), v = qui(x_vmax, origine.y());
        clic_e_scegli(*f.w, o + QPointF(-scarto, 1), QStringLiteral("Set Origine"));
        clic_e_scegli(*f.w, i + QPointF(1, -scarto), QStringLiteral("Set Corrente massima"));
        clic_e_scegli(*f.w, v + QPointF(scarto, 1), QStringLiteral("Set Tensione Massima"));
        const auto agganciato = [&](QLineEdit* campo, double vero, const char* cosa) {
            const double letto = QLocale().toDouble(campo->text());
            QVERIFY2(letto == std::round(letto) && std::fabs(letto - vero) <= 1.0,
                     qPrintable(QStringLiteral("%1: %2 invece di %3").arg(cosa).arg(letto).arg(vero)));
        };
        agganciato(f.w->origin_X, o.x(), "origine x");
        agganciato(f.w->origin_Y, o.y(), "origine y");
        agganciato(f.w->max_current_y, i.y(), "corrente massima y");
        agganciato(f.w->max_voltage_X, v.x(), "tensione massima x");
        // Snapped, not left where clicked.
        QVERIFY(std::fabs(QLocale().toDouble(f.w->origin_X->text()) - (o.x() - scarto)) >= 0.5);

        scrivi_campo(f.w->max_current_i, QLocale().toString(imax));
        scrivi_campo(f.w->max_voltage_V, QLocale().toString(vmax));
        const auto d = analisi_grafico::divisione(g, f.w->taratura());
        QVERIFY(d);
        qInfo("%s (%.4g V, %.4g mA)", qPrintable(d->testo), d->volt, d->milliampere);
        QCOMPARE(f.w->divisione_griglia->text(), d->testo);
        QCOMPARE(
            d->testo,
            QStringLiteral("Divisione: %1 V; %2 mA").arg(numeri::testo_double(div_v), numeri::testo_double(div_ma)));
        QVERIFY(d->rotonda);
        QVERIFY(f.w->divisione_griglia->palette().color(QPalette::WindowText) != QColor(Qt::red));
        QTest::keyClicks(f.w->potenza_anodica, QStringLiteral("1"));
        fotografa(*f.w, QStringLiteral("tarata %1").arg(nome));

        QTest::keyClicks(f.w->nome_valvola[0], nome.left(5));
        f.p.azzera();
        f.w->salva_DB->trigger();
        QCOMPARE(f.p.messaggi(), QStringList{QStringLiteral("Valvola inserita nel DB")});
        const QVariantMap r = ultimo_record(f.c);
        QCOMPARE(r.value(QStringLiteral("ORG_X")).toDouble(), QLocale().toDouble(f.w->origin_X->text()));
        QCOMPARE(r.value(QStringLiteral("IMAX_Y")).toDouble(), QLocale().toDouble(f.w->max_current_y->text()));
        QCOMPARE(r.value(QStringLiteral("VMAX_X")).toDouble(), QLocale().toDouble(f.w->max_voltage_X->text()));

        // The saved tube on the main chart: the read-out on the inner
        // intersection, at the pixel nearest to it.
        KORVEL w(f.p, f.c.programma());
        w.KORVEL_Form_Load();
        QCOMPARE(w.lista().righe_valvole(), 2);
        w.caricatore().griglia_DB_DblClick(2);
        const QPointF q = qui(punto.x(), punto.y());
        evento_mouse(w.Picture1_, QEvent::MouseMove, QPointF(std::round(q.x()), std::round(q.y())), Qt::NoButton,
                     Qt::NoButton);
        const double v_letto = QLocale().toDouble(w.campo(Campo::curr_v)->text());
        const double ma_letto = QLocale().toDouble(w.campo(Campo::curr_i)->text());
        qInfo("lettura in %.1f,%.1f: %g V, %g mA invece di %g V, %g mA (org %g,%g imax %g vmax %g)", q.x(), q.y(),
              v_letto, ma_letto, volt, milliampere, r.value(QStringLiteral("ORG_X")).toDouble(),
              r.value(QStringLiteral("ORG_Y")).toDouble(), r.value(QStringLiteral("IMAX_Y")).toDouble(),
              r.value(QStringLiteral("VMAX_X")).toDouble());
        QVERIFY2(std::fabs(v_letto - volt) <= div_v / 2 && std::fabs(ma_letto - milliampere) <= div_ma / 2,
                 qPrintable(QStringLiteral("%1 V, %2 mA invece di %3 V, %4 mA")
                                .arg(v_letto)
                                .arg(ma_letto)
                                .arg(volt)
                                .arg(milliampere)));
    }

    // "Raddrizza" undoes the straightening, the quarter turns come back
    // round, and "Annulla" loads nothing.
    void raddrizza_ruota_annulla()
    {
        Finestra f;
        QImage raddrizzata, originale, girata, di_nuovo;
        bool attiva = false;
        f.p.rispondi_file(fogli("12SR7-GE-pagina2.pdf"));
        f.p.rispondi_finestra([&](QDialog& d) {
            auto& r = dynamic_cast<Ritaglia_Grafico&>(d);
            attiva = r.raddrizza->isEnabled() && r.raddrizza->isChecked();
            raddrizzata = r.immagine();
            r.raddrizza->click();
            originale = r.immagine();
            r.ruota_sinistra->click();
            girata = r.immagine();
            r.ruota_destra->click();
            di_nuovo = r.immagine();
            r.annulla_->click();
            return r.result();
        });
        f.w->carica[0]->trigger();
        QVERIFY(attiva);
        QCOMPARE(originale.size(), raddrizzata.size());
        QVERIFY(originale != raddrizzata);
        QVERIFY(std::fabs(analisi_grafico::inclinazione(originale) - 0.24) <= 0.05);
        QCOMPARE(girata.size(), originale.size().transposed());
        QCOMPARE(di_nuovo, originale);
        QVERIFY(f.p.messaggi().isEmpty());
        QVERIFY(f.w->orig_curve->text().isEmpty());
        QVERIFY(!QFile::exists(f.w->file_curva_ridimensionata()));
    }

    // Damaged PDFs are refused with a message and change nothing more in
    // the window; a huge page comes at a resolution that fits; a picture
    // without a grid is cropped from the whole picture and nothing snaps.
    void ingressi_difettosi_data()
    {
        QTest::addColumn<QString>("caso");
        QTest::newRow("PDF troncato") << "troncato";
        QTest::newRow("PDF di 0 pagine") << "zero";
        QTest::newRow("pagina 20000 x 20000") << "enorme";
        QTest::newRow("immagine senza griglia") << "senza griglia";
    }
    void ingressi_difettosi()
    {
        QFETCH(QString, caso);
        Finestra f;
        // An earlier picture, calibrated in part.
        const QString prima = f.file(QStringLiteral("12au7.png"));
        QVERIFY(curva_12au7::disegna(900, 700).save(prima, "PNG"));
        f.p.rispondi_file(prima);
        f.w->carica[0]->trigger();
        clic_e_scegli(*f.w, {56, 380}, QStringLiteral("Set Origine"));
        QCOMPARE(f.w->origin_X->text(), QStringLiteral("56"));
        scrivi_campo(f.w->max_voltage_V, QStringLiteral("500"));
        const QString redim = leggi(f.w->file_curva_ridimensionata());
        QVERIFY(!redim.isEmpty());

        const QString file =
            f.file(caso == "senza griglia" ? QStringLiteral("testo.png") : QStringLiteral("foglio.pdf"));
        QString atteso;
        if (caso == "troncato") {
            QFile s(fogli("12SR7-GE-pagina2.pdf"));
            QVERIFY(s.open(QIODevice::ReadOnly));
            QFile d(file);
            QVERIFY(d.open(QIODevice::WriteOnly));
            d.write(s.readAll().left(20000));
            atteso = QStringLiteral("danneggiato");
        } else if (caso == "zero") {
            QVERIFY(esegui(QStringLiteral("qpdf"), {QStringLiteral("--empty"), file}).codice == 0);
            atteso = QStringLiteral("non contiene pagine");
        } else if (caso == "enorme") {
            PdfWriter w;
            w.ScaleMode(0);
            w.PaperWidth(4800);
            w.PaperHeight(4800);
            std::string nome = file.toStdString();
            w.InitPDFFile(nome);
            w.BeginPage();
            w.MoveTo(0, 0);
            w.LineTo(4800, 4800);
            w.EndPage();
            w.ClosePDFFile();
        } else {
            QImage testo(800, 500, QImage::Format_RGB32);
            testo.fill(Qt::white);
            QPainter p(&testo);
            for (int r = 0; r < 14; ++r)
                p.drawText(20, 30 + r * 30, QStringLiteral("Plate voltage 250 V; grid -8.5 V; 9 mA; riga %1").arg(r));
            p.end();
            QVERIFY(testo.save(file, "PNG"));
        }
        QSize pagina;
        QRect ritaglio, cornice, trascinato;
        f.p.azzera();
        f.p.rispondi_file(file);
        f.p.rispondi_finestra([&](QDialog& d) {
            auto& r = dynamic_cast<Ritaglia_Grafico&>(d);
            pagina = r.immagine().size();
            cornice = r.cornice();
            ritaglio = r.ritaglio();
            if (caso == "enorme")
                return int(Ritaglia_Grafico::annulla);
            // A rectangle dragged on the scaled picture.
            QWidget* a = r.area;
            evento_mouse(a, QEvent::MouseButtonPress, QPointF(10, 12), Qt::LeftButton, Qt::LeftButton);
            evento_mouse(a, QEvent::MouseMove, QPointF(200, 100), Qt::NoButton, Qt::LeftButton);
            evento_mouse(a, QEvent::MouseButtonRelease, QPointF(300, 150), Qt::LeftButton, Qt::NoButton);
            trascinato = QRect(r.area->a_immagine(QPointF(10, 12)), r.area->a_immagine(QPointF(300, 150)));
            ritaglio = r.ritaglio();
            return int(Ritaglia_Grafico::ritaglia);
        });
        f.w->carica[0]->trigger();
        if (!atteso.isEmpty()) {
            QCOMPARE(f.p.messaggi().size(), 1);
            QVERIFY2(f.p.messaggi()[0].contains(atteso), qPrintable(f.p.messaggi()[0]));
            QVERIFY(pagina.isEmpty()); // no crop window
        } else {
            QVERIFY(f.p.messaggi().isEmpty());
        }
        if (caso == "senza griglia") {
            // Nothing to start on: the whole picture; then the dragged one.
            QVERIFY(cornice.isEmpty());
            QVERIFY(trascinato.width() > 100);
            QCOMPARE(ritaglio, trascinato);
            QCOMPARE(f.w->orig_curve->text(), file);
            QVERIFY(!f.w->griglia().trovata());
            clic_e_scegli(*f.w, {103, 201}, QStringLiteral("Set Origine"));
            QCOMPARE(f.w->origin_X->text(), QStringLiteral("103"));
            QCOMPARE(f.w->origin_Y->text(), QStringLiteral("201"));
            return;
        }
        if (caso == "enorme")
            QCOMPARE(pagina, QSize(10000, 10000));
        // Nothing else in the window changed.
        QCOMPARE(f.w->orig_curve->text(), prima);
        QCOMPARE(f.w->origin_X->text(), QStringLiteral("56"));
        QCOMPARE(f.w->max_voltage_V->text(), QStringLiteral("500"));
        QCOMPARE(leggi(f.w->file_curva_ridimensionata()), redim);
    }
};

QTEST_MAIN(TestFoglioPdf)
#include "tst_foglio_pdf.moc"
