// "Grafico Risposta" in the real main window on the demo 12AX7: the menu
// entry's state, the window filled from the chart's design, recomputation on
// every change, bad input told in the window without a dialog, the chart left
// alone, the image and the CSV written where the user chose.
//
// KORVEL_SCHERMATA=<file.png> in the environment saves a picture of the
// window as it opens, and one beside it (<file>_oltre.png) with the swing
// past the grid's 0 V.

#include "archive/cartelle.h"
#include "chart/grafico.h"
#include "model/archivio_modelli.h"
#include "platform/piattaforma_scriptata.h"
#include "project/comandi_progetto.h"
#include "response/risposta_stadio.h"
#include "response/ui/grafico_risposta.h"
#include "shell/korvel.h"
#include "support/programma_demo.h"
#include "tubes/caricatore_valvola.h"
#include "tubes/lista_valvole.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QBarCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QFile>
#include <QImageReader>
#include <QProcess>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QPushButton>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <functional>

namespace {

modello::ModelloSalvato pubblicato_12ax7()
{
    modello::ModelloSalvato m;
    m.parametri.mu = 100;
    m.parametri.ex = 1.4;
    m.parametri.kg1 = 1060;
    m.parametri.kp = 600;
    m.parametri.kvb = 300;
    m.parametri.vct = 0;
    m.fonte = modello::fonte_pubblicato;
    m.data = QStringLiteral("2026-12-10");
    return m;
}

// Leaves tube `id` without a model, whatever the demo data hold.
bool togli_modello(const QString& file, int id)
{
    if (!archivio_modelli::crea_tabella(file))
        return false;
    bool ok = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("togli"));
        db.setDatabaseName(file);
        QSqlQuery q(db);
        ok = db.open() && q.prepare(QStringLiteral("delete from ModelliValvole where ID = ?"));
        q.addBindValue(id);
        ok = ok && q.exec();
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("togli"));
    return ok;
}

void scrivi_e_invio(QLineEdit* campo, const QString& testo)
{
    campo->setFocus();
    campo->clear();
    QTest::keyClicks(campo, testo);
    QTest::keyClick(campo, Qt::Key_Return);
}

void riscrivi(QLineEdit* campo, const QString& testo)
{
    campo->selectAll();
    QTest::keyClicks(campo, testo);
}

} // namespace

class TestGraficoRisposta : public QObject {
    Q_OBJECT

    QTemporaryDir programma_;
    PiattaformaScriptata p_;
    std::unique_ptr<KORVEL> w_;
    int id_ = 0;

    QAction* voce() const { return w_->calc_function[5]; }

    // Runs `dentro` on the response window while it is open, then closes it.
    void con_finestra(const std::function<void(GraficoRisposta*)>& dentro)
    {
        bool aperta = false;
        QTimer::singleShot(0, this, [&] {
            auto* f = qobject_cast<GraficoRisposta*>(QApplication::activeModalWidget());
            if (!f)
                return;
            aperta = true;
            dentro(f);
            f->reject();
        });
        voce()->trigger();
        QVERIFY(aperta);
        QVERIFY(!QApplication::activeModalWidget());
    }

private slots:
    void initTestCase()
    {
        QVERIFY(copia_dati_demo(programma_.path()));
        w_ = std::make_unique<KORVEL>(p_, programma_.path());
        w_->KORVEL_Form_Load();
        const int riga = riga_valvola(w_->lista(), QStringLiteral("12AX7"));
        QVERIFY(riga > 0);
        id_ = w_->lista().cella_lista(riga, 0).toInt();
        QVERIFY(togli_modello(cartelle().file_basedati, id_));
        w_->caricatore().griglia_DB_DblClick(riga);

        // The chart's design: the 100 kohm line from 300 V, the working
        // point at 1 mA, Vb = -1.5 V, so Rk = 1500 and Ra = 98500.
        StatoGrafico& s = w_->grafico().stato();
        s.retta_v1 = 300;
        s.retta_i0 = 3;
        s.lavoro_i = 1.0;
        scrivi_e_invio(w_->campo(Campo::grid_bias), QStringLiteral("-1,5"));
        QCOMPARE(s.valore_r_catodica, 1500);
        QCOMPARE(s.valore_r_anodica, 98500);
    }

    void voce_accesa_con_modello_e_vb()
    {
        QVERIFY(voce()->isVisible());
        QVERIFY(w_->calc_function[4]->isVisible());
        // No model yet: off even with Vb.
        QVERIFY(!voce()->isEnabled());
        voce()->trigger();
        QVERIFY(!QApplication::activeModalWidget());

        modello::ModelloSalvato m = pubblicato_12ax7();
        QString errore;
        QVERIFY2(archivio_modelli::salva_modello(cartelle().file_basedati, id_, m, &errore), qPrintable(errore));
        emit w_->menu_tracciatura->aboutToShow(); // the user opens the menu
        QVERIFY(voce()->isEnabled());

        QLineEdit* vb = w_->campo(Campo::grid_bias);
        const QString prima = vb->text();
        vb->clear();
        QVERIFY(!voce()->isEnabled());
        vb->setText(QStringLiteral("x"));
        QVERIFY(!voce()->isEnabled());
        vb->setText(prima);
        QVERIFY(voce()->isEnabled());
    }

    void finestra_dal_progetto()
    {
        const QString r_anodica = w_->campo(Campo::r_anodica)->text();
        const QString vb = w_->campo(Campo::grid_bias)->text();
        con_finestra([&](GraficoRisposta* f) {
            QCOMPARE(f->windowTitle(), QStringLiteral("Grafico Risposta"));
            QVERIFY(f->isModal());
            QCOMPARE(f->b_piu->text(), QStringLiteral("300"));
            QCOMPARE(f->ra->text(), QStringLiteral("98500"));
            QCOMPARE(f->vg_riposo->text(), QStringLiteral("-1.5"));
            QCOMPARE(f->rk->text(), QStringLiteral("1500"));
            QCOMPARE(f->carico_successivo->text(), QString());
            QCOMPARE(f->ampiezza->text(), QStringLiteral("1.5"));
            QVERIFY(f->catodo_bypassato->isChecked());

            // The read-outs are the core's figures for the same stage.
            risposta::Stadio s;
            s.b_piu = 300;
            s.ra = 98500;
            s.vg_riposo = -1.5;
            s.rk = 1500;
            s.ampiezza = 1.5;
            const risposta::Risposta r = risposta::calcola(risposta::da_modello(pubblicato_12ax7().parametri), s);
            QVERIFY(r.valida);
            const QLocale l;
            QCOMPARE(f->gm->text(), l.toString(r.gm, 'f', 3));
            QCOMPARE(f->rp->text(), l.toString(r.rp, 'f', 1));
            QCOMPARE(f->mu->text(), l.toString(r.mu, 'f', 1));
            QCOMPARE(f->guadagno->text(), l.toString(r.guadagno, 'f', 2));
            QCOMPARE(f->uscita->text(), l.toString(r.uscita_vpp, 'f', 2));
            QCOMPARE(f->h2->text(), l.toString(r.h2, 'f', 3));
            QCOMPARE(f->thd->text(), l.toString(r.thd, 'f', 3));
            QCOMPARE(f->margine->text(), l.toString(1.5, 'f', 3));
            // What a designer expects of a 12AX7 stage.
            QVERIFY(r.mu > 90 && r.mu < 110);
            QVERIFY(r.rp > 40 && r.rp < 90);
            QVERIFY(r.h2 > 1 && r.h2 < 10);

            if (const QByteArray file = qgetenv("KORVEL_SCHERMATA"); !file.isEmpty()) {
                f->show();
                QApplication::processEvents();
                f->grab().save(QString::fromLocal8Bit(file));
            }
        });
        // The chart and its fields are left as they were.
        QCOMPARE(w_->campo(Campo::r_anodica)->text(), r_anodica);
        QCOMPARE(w_->campo(Campo::grid_bias)->text(), vb);
    }

    void campi_accessibili()
    {
        con_finestra([&](GraficoRisposta* f) {
            const QStringList attese = {"B+ (V)=",
                                        "Ra (Ohm)=",
                                        "Vg riposo (V)=",
                                        "Rk (Ohm)=",
                                        "Carico successivo (Ohm)=",
                                        "Ampiezza ingresso (Vp)=",
                                        "gm (mA/V)=",
                                        "rp (kOhm)=",
                                        "mu=",
                                        "Guadagno=",
                                        "Uscita (Vpp)=",
                                        "H2 (%)=",
                                        "H3 (%)=",
                                        "THD (%)=",
                                        "Margine ingresso (Vp)="};
            QStringList trovate;
            for (QLabel* l : f->findChildren<QLabel*>()) {
                if (!l->buddy())
                    continue;
                QCOMPARE(l->buddy()->accessibleName(), l->text());
                trovate << l->text();
            }
            for (const QString& a : attese)
                QVERIFY2(trovate.contains(a), qPrintable(a));
            for (QLineEdit* e : f->findChildren<QLineEdit*>())
                QVERIFY2(attese.contains(e->accessibleName()), qPrintable(e->objectName()));
            QCOMPARE(f->catodo_bypassato->accessibleName(), QStringLiteral("Catodo bypassato"));
            for (QPushButton* b : f->findChildren<QPushButton*>())
                QCOMPARE(b->accessibleName(), b->text());
        });
    }

    void ricalcolo_a_ogni_modifica()
    {
        con_finestra([&](GraficoRisposta* f) {
            riscrivi(f->ampiezza, QStringLiteral("0,01"));
            const double bypassato = f->risposta().guadagno;
            const QString uscita = f->uscita->text();

            riscrivi(f->carico_successivo, QStringLiteral("100000"));
            QVERIFY(f->risposta().guadagno < bypassato);
            f->carico_successivo->clear();
            QCOMPARE(f->risposta().guadagno, bypassato);

            QTest::mouseClick(f->catodo_bypassato, Qt::LeftButton);
            QVERIFY(!f->catodo_bypassato->isChecked());
            QVERIFY(f->risposta().guadagno < 0.6 * bypassato);
            QVERIFY(f->uscita->text() != uscita);
            QTest::mouseClick(f->catodo_bypassato, Qt::LeftButton);
            QCOMPARE(f->uscita->text(), uscita);

            // Past the grid's 0 V: still computed, told and marked.
            riscrivi(f->ampiezza, QStringLiteral("2"));
            QVERIFY(f->risposta().valida);
            QVERIFY(f->risposta().oltre_limite);
            QVERIFY(f->stato->text().contains(QStringLiteral("rosso")));
            QVERIFY(!f->h2->text().isEmpty());
            // Every harmonic shows its level, however low (the axis takes
            // its labels as rich text).
            auto* armoniche = qobject_cast<QBarCategoryAxis*>(f->vista_spettro->chart()->axes(Qt::Horizontal).value(0));
            QVERIFY(armoniche);
            QCOMPARE(armoniche->count(), 5);
            for (const QString& c : armoniche->categories())
                QVERIFY2(c.contains(QStringLiteral(" dB")) && !c.contains(u'<'), qPrintable(c));
            if (const QByteArray file = qgetenv("KORVEL_SCHERMATA"); !file.isEmpty()) {
                QApplication::processEvents();
                f->grab().save(
                    QString::fromLocal8Bit(file).replace(QStringLiteral(".png"), QStringLiteral("_oltre.png")));
            }
        });
    }

    void ingresso_errato_senza_dialoghi_data()
    {
        QTest::addColumn<QString>("campo");
        QTest::addColumn<QString>("testo");
        QTest::addColumn<QString>("motivo");
        QTest::newRow("Ra lettere") << "ra"
                                    << "abc"
                                    << "Ra (Ohm)=";
        QTest::newRow("Ra zero") << "ra"
                                 << "0"
                                 << "Ra (Ohm)=";
        QTest::newRow("Rk negativa") << "rk"
                                     << "-10"
                                     << "Rk (Ohm)=";
        QTest::newRow("B+ vuota") << "b_piu"
                                  << ""
                                  << "B+ (V)=";
        QTest::newRow("B+ sotto il punto di lavoro") << "b_piu"
                                                     << "0,5"
                                                     << "B+";
        QTest::newRow("ampiezza zero") << "ampiezza"
                                       << "0"
                                       << "Ampiezza ingresso (Vp)=";
        QTest::newRow("carico a zero") << "carico_successivo"
                                       << "0"
                                       << "Carico successivo (Ohm)=";
    }
    void ingresso_errato_senza_dialoghi()
    {
        QFETCH(QString, campo);
        QFETCH(QString, testo);
        QFETCH(QString, motivo);
        p_.azzera();
        con_finestra([&](GraficoRisposta* f) {
            auto* e = f->findChild<QLineEdit*>(campo);
            QVERIFY(e);
            const QString prima = e->text();
            e->selectAll();
            if (testo.isEmpty())
                QTest::keyClick(e, Qt::Key_Delete);
            else
                QTest::keyClicks(e, testo);
            QVERIFY(!f->risposta().valida);
            for (QLineEdit* r : {f->gm, f->rp, f->mu, f->guadagno, f->uscita, f->h2, f->h3, f->thd, f->margine})
                QVERIFY2(r->text().isEmpty(), qPrintable(r->objectName()));
            QVERIFY2(f->stato->text().contains(motivo), qPrintable(f->stato->text()));
            QVERIFY(!f->salva_immagine->isEnabled());
            QVERIFY(!f->esporta_csv->isEnabled());
            QCOMPARE(QApplication::activeModalWidget(), static_cast<QWidget*>(f));
            // Put right, everything is back.
            e->setText(prima);
            QVERIFY(f->risposta().valida);
            QVERIFY(!f->gm->text().isEmpty());
        });
        QVERIFY(p_.richieste().isEmpty());
    }

    void immagine_e_csv()
    {
        QTemporaryDir uscita;
        const QString png = uscita.filePath(QStringLiteral("risposta.png"));
        const QString csv = uscita.filePath(QStringLiteral("risposta.csv"));
        p_.azzera();
        con_finestra([&](GraficoRisposta* f) {
            p_.rispondi_file(png);
            QTest::mouseClick(f->salva_immagine, Qt::LeftButton);
            p_.rispondi_file(csv);
            QTest::mouseClick(f->esporta_csv, Qt::LeftButton);
            // Cancelled: nothing written.
            p_.rispondi_file(std::nullopt);
            QTest::mouseClick(f->esporta_csv, Qt::LeftButton);
            // A folder that does not exist: told, not crashed.
            p_.rispondi_file(uscita.filePath(QStringLiteral("manca/x.png")));
            QTest::mouseClick(f->salva_immagine, Qt::LeftButton);
        });
        QCOMPARE(p_.richieste().size(), 5);
        QCOMPARE(p_.messaggi().size(), 1);
        QVERIFY(p_.messaggi().front().contains(QStringLiteral("manca/x.png")));

        QImage immagine(png);
        QVERIFY(!immagine.isNull());
        QCOMPARE(QImageReader(png).format(), QByteArray("png"));
        // A reader of its own agrees.
        QProcess identify;
        identify.start(QStringLiteral("identify"), {QStringLiteral("-format"), QStringLiteral("%m %w %h"), png});
        QVERIFY(identify.waitForFinished(30000));
        QCOMPARE(QString::fromLatin1(identify.readAllStandardOutput()),
                 QStringLiteral("PNG %1 %2").arg(immagine.width()).arg(immagine.height()));
        QVERIFY(immagine.width() >= 400);
        QVERIFY(immagine.height() >= 3 * 200);
        // The curves are drawn: plenty of the plots' blue, in each third.
        for (int terzo = 0; terzo < 3; ++terzo) {
            int blu = 0;
            for (int y = terzo * immagine.height() / 3; y < (terzo + 1) * immagine.height() / 3; ++y)
                for (int x = 0; x < immagine.width(); ++x) {
                    const QColor c = immagine.pixelColor(x, y);
                    blu += c.blue() > 150 && c.red() < 60 && c.green() < 110;
                }
            QVERIFY2(blu > 100, qPrintable(QStringLiteral("%1: %2").arg(terzo).arg(blu)));
        }

        QFile f(csv);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QList<QByteArray> righe = f.readAll().split('\n');
        QCOMPARE(righe.size(), risposta::numero_campioni + 2); // header, samples, the empty end
        QVERIFY(righe.front().startsWith("tempo"));
        QVERIFY(!righe[1].contains(';'));
    }

    // Once opened for a design, the window keeps its inputs with it: it
    // opens on them again, "Salva Progetto" writes them, a reload of the tube
    // starts a new design on the chart's values, and "Leggi Progetto" brings
    // them back.
    void ingressi_con_il_progetto()
    {
        QTemporaryDir cartella;
        const QString file = cartella.filePath(QStringLiteral("risposta.xml"));
        con_finestra([&](GraficoRisposta* f) {
            riscrivi(f->carico_successivo, QStringLiteral("220000"));
            riscrivi(f->ampiezza, QStringLiteral("0,5"));
            f->catodo_bypassato->setChecked(false);
        });
        const std::optional<risposta::TestiStadio> lasciati = w_->ingressi_finestre().risposta;
        QVERIFY(lasciati);
        QCOMPARE(lasciati->carico, QStringLiteral("220000"));
        QCOMPARE(lasciati->ampiezza, QStringLiteral("0,5"));
        QVERIFY(!lasciati->catodo_bypassato);
        con_finestra([&](GraficoRisposta* f) { QVERIFY(f->testi() == *lasciati); });

        p_.azzera();
        p_.rispondi_file(file);
        w_->scrittura_progetto->trigger();
        QCOMPARE(p_.messaggi(), QStringList{ComandiProgetto::testo_salvato});
        QFile xml(file);
        QVERIFY(xml.open(QIODevice::ReadOnly));
        const QByteArray byte = xml.readAll();
        QVERIFY2(byte.contains("\t<Risposta BPiu=\"300\" Ra=\"98500\" VgRiposo=\"-1.5\" Rk=\"1500\" Carico=\"220000\""
                               " Ampiezza=\"0,5\" CatodoBypassato=\"FALSE\"/>\r\n</PROGETTO>"),
                 byte.constData());

        // A reload is a new design: the window opens on the chart again.
        const int riga = riga_valvola(w_->lista(), QStringLiteral("12AX7"));
        w_->caricatore().griglia_DB_DblClick(riga);
        QVERIFY(!w_->ingressi_finestre().risposta);
        StatoGrafico& s = w_->grafico().stato();
        s.retta_v1 = 300;
        s.lavoro_i = 1.0;
        scrivi_e_invio(w_->campo(Campo::grid_bias), QStringLiteral("-1,5"));
        con_finestra([&](GraficoRisposta* f) {
            QCOMPARE(f->carico_successivo->text(), QString());
            QVERIFY(f->catodo_bypassato->isChecked());
        });

        // The saved project brings the inputs back, and the window opens on them.
        p_.azzera();
        p_.rispondi_file(file);
        w_->lettura_progetto->trigger();
        QVERIFY(p_.messaggi().isEmpty());
        QVERIFY(w_->ingressi_finestre().risposta == lasciati);
        scrivi_e_invio(w_->campo(Campo::grid_bias), QStringLiteral("-1,5"));
        con_finestra([&](GraficoRisposta* f) { QVERIFY(f->testi() == *lasciati); });
    }

    void cleanupTestCase()
    {
        w_->close();
        w_.reset();
    }
};

QTEST_MAIN(TestGraficoRisposta)
#include "tst_grafico_risposta.moc"
