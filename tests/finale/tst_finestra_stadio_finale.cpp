// "Stadio Finale" in the real main window on the demo tubes: the menu entry's
// state, the window's fields and read-outs against the core, recomputation on
// every change, bad input told in the window without a dialog, the load line
// drawn on the main chart and taken away, the image and the CSV where the user
// chose, and the inputs kept by "Salva Progetto" and restored by "Leggi
// Progetto" (a design that never opened the window writes its file as before).
//
// KORVEL_SCHERMATA=<file.png> in the environment saves the window on the
// demo 2A3 (single-ended) and the 6L6GC (push-pull, class AB), and the main
// window with the line, beside it (<file>_2a3.png, <file>_6l6gc.png,
// <file>_grafico.png).

#include "archive/cartelle.h"
#include "chart/grafico.h"
#include "finale/letture_finale.h"
#include "finale/stadio_finale.h"
#include "finale/ui/finestra_stadio_finale.h"
#include "model/archivio_modelli.h"
#include "platform/piattaforma_scriptata.h"
#include "project/comandi_progetto.h"
#include "shell/korvel.h"
#include "support/programma_demo.h"
#include "tubes/caricatore_valvola.h"
#include "tubes/lista_valvole.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <cmath>
#include <functional>

namespace {

void riscrivi(QLineEdit* campo, const QString& testo)
{
    campo->selectAll();
    QTest::keyClicks(campo, testo);
}

void scegli(QComboBox* c, const QString& testo)
{
    const int i = c->findText(testo);
    QVERIFY2(i >= 0, qPrintable(testo));
    c->setCurrentIndex(i);
}

QString schermata(const QString& suffisso)
{
    const QString base = qEnvironmentVariable("KORVEL_SCHERMATA");
    if (base.isEmpty())
        return {};
    QString f = base;
    if (f.endsWith(QLatin1String(".png")))
        f.chop(4);
    return f + suffisso + QStringLiteral(".png");
}

// Pixels that differ between two images of the same size.
int differenze(const QImage& a, const QImage& b)
{
    int n = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            n += a.pixel(x, y) != b.pixel(x, y);
    return n;
}

} // namespace

class TstFinestraStadioFinale : public QObject {
    Q_OBJECT

    QTemporaryDir programma_;
    PiattaformaScriptata p_;
    std::unique_ptr<KORVEL> w_;

    QAction* voce() const { return w_->stadio_finale; }

    void carica(const QString& sigla)
    {
        const int riga = riga_valvola(w_->lista(), sigla);
        QVERIFY(riga > 0);
        w_->caricatore().griglia_DB_DblClick(riga);
    }

    // Runs `dentro` on the window while it is open, then closes it with
    // "Chiudi", as the user does.
    void con_finestra(const std::function<void(StadioFinale*)>& dentro)
    {
        bool aperta = false;
        QTimer::singleShot(0, this, [&] {
            auto* f = qobject_cast<StadioFinale*>(QApplication::activeModalWidget());
            if (!f)
                return;
            aperta = true;
            dentro(f);
            f->chiudi->click();
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
        w_->resize(1100, 800);
    }

    void voce_di_menu()
    {
        // In the Utilità menu, off until a tube with a model is loaded.
        QMenu* utilita = nullptr;
        for (QAction* a : w_->menuBar()->actions())
            if (a->text() == QStringLiteral("Utilità"))
                utilita = a->menu();
        QVERIFY(utilita && utilita->actions().contains(voce()));
        QCOMPARE(voce()->text(), QStringLiteral("Stadio &Finale..."));
        QVERIFY(!voce()->isEnabled());
        carica(QStringLiteral("2A3"));
        QVERIFY(voce()->isEnabled());
    }

    void singolo_2a3()
    {
        const QImage prima = w_->grafico().canvas().copy();
        con_finestra([&](StadioFinale* f) {
            QCOMPARE(f->windowTitle(), QStringLiteral("Stadio Finale"));
            QVERIFY(f->isModal());
            // A triode offers no screen connection.
            QCOMPARE(f->collegamento->count(), 1);
            QCOMPARE(f->collegamento->currentText(), QStringLiteral("Triodo"));
            QCOMPARE(f->topologia->currentText(), QStringLiteral("Single Ended"));
            QCOMPARE(f->polarizzazione->currentText(), QStringLiteral("Fissa"));
            QVERIFY(!f->vg2->isEnabled() && !f->presa_ul->isEnabled());
            for (QWidget* e : std::initializer_list<QWidget*>{f->b_piu, f->impedenza, f->vg_riposo, f->ampiezza,
                                                              f->potenza, f->thd, f->classe, f->rapporto_spire})
                QVERIFY(!e->accessibleName().isEmpty());
            QCOMPARE(f->impedenza->accessibleName(), QStringLiteral("Impedenza primario (Ohm)="));
            QCOMPARE(f->spostamento->accessibleName(), QStringLiteral("Spostamento polarizzazione (V)="));

            riscrivi(f->b_piu, QStringLiteral("250"));
            riscrivi(f->impedenza, QStringLiteral("2500"));
            riscrivi(f->vg_riposo, QStringLiteral("-45"));
            riscrivi(f->ampiezza, QStringLiteral("45"));

            // The read-outs are the core's figures for the same stage, with
            // the tube's rated 15 W.
            finale::IngressiFinale in;
            in.b_piu = 250;
            in.impedenza = 2500;
            in.vg_riposo = -45;
            in.ampiezza = 45;
            const finale::RisultatoFinale r = finale::calcola(w_->caricatore().modello()->parametri, in, 15);
            QVERIFY(r.valido);
            const QLocale l;
            QCOMPARE(f->ia_riposo->text(), l.toString(r.ia_riposo, 'f', 1));
            QCOMPARE(f->potenza->text(), l.toString(r.potenza, 'f', 2));
            QCOMPARE(f->thd->text(), l.toString(r.thd, 'f', 2));
            QCOMPARE(f->pa_percento->text(), l.toString(100 * r.pa_riposo / 15, 'f', 0));
            QCOMPARE(f->classe->text(), QStringLiteral("A"));
            QCOMPARE(f->rk->text(), QString()); // fixed bias
            QCOMPARE(f->rapporto_spire->text(), l.toString(std::sqrt(2500 / 8.0), 'f', 2));
            // Every read-out is the reports' text for it, and a figure past
            // a thousand shows without grouping even where the locale groups
            // (Italian "1.234" would read back as a decimal).
            const QLocale locale_prima;
            QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
            f->polarizzazione->setCurrentIndex(f->polarizzazione->findData(int(finale::Polarizzazione::catodica)));
            f->ricalcola();
            QVERIFY2(f->risultato().valido, qPrintable(f->risultato().motivo));
            QVERIFY(f->risultato().rk >= 1000);
            const std::vector<finale::LetturaFinale> attese = finale::letture(f->risultato(), f->ingressi());
            QCOMPARE(attese.size(), std::size_t(20));
            for (const finale::LetturaFinale& a : attese) {
                QLineEdit* campo = nullptr;
                for (QLineEdit* e : f->findChildren<QLineEdit*>())
                    if (e->isReadOnly() && e->accessibleName() == a.etichetta)
                        campo = e;
                QVERIFY2(campo, qPrintable(a.etichetta));
                QCOMPARE(campo->text(), a.valore);
            }
            QCOMPARE(f->rk->text(), QString::number(std::round(f->risultato().rk)));
            QLocale::setDefault(locale_prima);
            f->polarizzazione->setCurrentIndex(f->polarizzazione->findData(int(finale::Polarizzazione::fissa)));
            f->ricalcola();
            QCOMPARE(f->ia_riposo->text(), l.toString(r.ia_riposo, 'f', 1));

            qInfo("2A3 window: Ia %s mA, P %s W, THD %s %%, Pmax %s W", qPrintable(f->ia_riposo->text()),
                  qPrintable(f->potenza->text()), qPrintable(f->thd->text()), qPrintable(f->potenza_massima->text()));

            // The line over the picture, and away again.
            f->traccia->click();
            QVERIFY(w_->grafico().retta_finale_mostrata());
            QVERIFY(differenze(prima, w_->grafico().canvas()) > 100);
            QVERIFY(f->cancella->isEnabled());
            QTest::qWait(100); // the charts lay their legends out on the event loop
            if (const QString s = schermata(QStringLiteral("_2a3")); !s.isEmpty())
                QVERIFY(f->grab().save(s));
            if (const QString s = schermata(QStringLiteral("_grafico")); !s.isEmpty()) {
                w_->SSTab1->setCurrentIndex(0);
                QVERIFY(w_->grab().save(s));
            }
            f->cancella->click();
            QVERIFY(!w_->grafico().retta_finale_mostrata());
            QCOMPARE(differenze(prima, w_->grafico().canvas()), 0);
            f->traccia->click(); // left on the chart when the window closes
        });
        QVERIFY(w_->grafico().retta_finale_mostrata());
        QVERIFY(p_.messaggi().isEmpty());
    }

    void ingressi_errati()
    {
        con_finestra([&](StadioFinale* f) {
            // The window opens with what the design last used.
            QCOMPARE(f->vg_riposo->text(), QStringLiteral("-45"));
            struct Caso {
                QLineEdit* campo;
                const char* testo;
                const char* motivo;
            };
            const Caso casi[] = {{f->b_piu, "x", "B+ (V)= non contiene un numero."},
                                 {f->impedenza, "0", "Impedenza primario (Ohm)= deve essere maggiore di zero."},
                                 {f->vg_riposo, "-300", "il punto di lavoro non ha corrente"}};
            for (const Caso& c : casi) {
                const QString vecchio = c.campo->text();
                riscrivi(c.campo, QLatin1String(c.testo));
                QVERIFY2(f->stato->text().contains(QLatin1String(c.motivo)), qPrintable(f->stato->text()));
                for (QLineEdit* e : {f->va_riposo, f->potenza, f->potenza_massima, f->thd, f->classe, f->rp})
                    QVERIFY(e->text().isEmpty());
                QVERIFY(!f->traccia->isEnabled() && !f->esporta_csv->isEnabled());
                riscrivi(c.campo, vecchio);
                QVERIFY(!f->potenza->text().isEmpty());
            }
        });
        QVERIFY(p_.messaggi().isEmpty());
    }

    void push_pull_6l6gc()
    {
        QTemporaryDir dir;
        carica(QStringLiteral("6L6GC"));
        QVERIFY(!w_->grafico().retta_finale_mostrata()); // a new picture
        con_finestra([&](StadioFinale* f) {
            QCOMPARE(f->collegamento->count(), 3);
            QCOMPARE(f->collegamento->currentText(), QStringLiteral("Pentodo"));
            QCOMPARE(f->vg2->text(), QStringLiteral("250"));
            // The sheet's class AB1 pair: 450 V plate, 400 V screen, -37 V,
            // 5,600 ohm plate to plate.
            scegli(f->topologia, QStringLiteral("Push-Pull"));
            riscrivi(f->b_piu, QStringLiteral("450"));
            riscrivi(f->vg2, QStringLiteral("400"));
            riscrivi(f->impedenza, QStringLiteral("5600"));
            riscrivi(f->vg_riposo, QStringLiteral("-37"));
            riscrivi(f->ampiezza, QStringLiteral("37"));
            QCOMPARE(f->classe->text(), QStringLiteral("AB"));
            QCOMPARE(f->h2->text(), QLocale().toString(0.0, 'f', 2));
            qInfo("6L6GC pair: Ia %s mA per tube, P %s W, THD %s %%, H3 %s %%, efficiency %s %%, Pa %s W",
                  qPrintable(f->ia_riposo->text()), qPrintable(f->potenza->text()), qPrintable(f->thd->text()),
                  qPrintable(f->h3->text()), qPrintable(f->rendimento->text()), qPrintable(f->pa_media->text()));
            f->traccia->click();
            QVERIFY(w_->grafico().retta_finale_mostrata());
            QTest::qWait(100);
            if (const QString s = schermata(QStringLiteral("_6l6gc")); !s.isEmpty())
                QVERIFY(f->grab().save(s));
            if (const QString s = schermata(QStringLiteral("_grafico_6l6gc")); !s.isEmpty()) {
                w_->SSTab1->setCurrentIndex(0);
                QVERIFY(w_->grab().save(s));
            }

            // Cathode bias: the resistor and the shift under drive show.
            scegli(f->polarizzazione, QStringLiteral("Catodica"));
            QVERIFY(!f->rk->text().isEmpty() && !f->spostamento->text().isEmpty());
            QVERIFY(QLocale().toDouble(f->spostamento->text()) < 0);
            scegli(f->polarizzazione, QStringLiteral("Fissa"));

            const QString png = dir.filePath(QStringLiteral("finale.png"));
            p_.rispondi_file(png);
            f->salva_immagine->click();
            QImageReader lettore(png);
            QCOMPARE(lettore.format(), QByteArray("png"));
            QVERIFY(lettore.size().height() > lettore.size().width() / 2);
            const QString csv = dir.filePath(QStringLiteral("finale.csv"));
            p_.rispondi_file(csv);
            f->esporta_csv->click();
            QFile file(csv);
            QVERIFY(file.open(QIODevice::ReadOnly));
            QCOMPARE(file.readLine(), QByteArray("tempo (periodi),ingresso (V),va1 (V),ia1 (mA),va2 (V),ia2 (mA),"
                                                 "primario (V)\r\n"));
        });
        QVERIFY(p_.messaggi().isEmpty());
    }

    void progetto()
    {
        QTemporaryDir dir;
        // The design of the pair is kept with the project...
        const std::optional<finale::IngressiFinale> usati = w_->ingressi_finestre().finale;
        QVERIFY(usati && usati->topologia == finale::Topologia::push_pull && usati->vg_riposo == -37);
        const QString file = dir.filePath(QStringLiteral("finale.xml"));
        QVERIFY(w_->progetto().Salva_Progetto(file));
        QFile f(file);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray byte = f.readAll();
        QVERIFY(byte.contains("<StadioFinale TOPOLOGIA=\"PUSH_PULL\" COLLEGAMENTO=\"PENTODO\" POLARIZZAZIONE=\"FISSA\" "
                              "B_PIU=\"450\" VG2=\"400\""));
        QVERIFY(byte.contains("VG_RIPOSO=\"-37\""));

        // ... another tube starts from its own defaults, and reading the
        // project brings the pair back as it was.
        carica(QStringLiteral("2A3"));
        QVERIFY(!w_->ingressi_finestre().finale);
        const QString senza = dir.filePath(QStringLiteral("senza.xml"));
        QVERIFY(w_->progetto().Salva_Progetto(senza));
        QFile g(senza);
        QVERIFY(g.open(QIODevice::ReadOnly));
        QVERIFY(!g.readAll().contains("StadioFinale"));
        QVERIFY(w_->progetto().apri_progetto(file));
        QCOMPARE(w_->testo_nome_valvola(0), QStringLiteral("6L6GC"));
        QVERIFY(w_->ingressi_finestre().finale == usati);
        con_finestra([&](StadioFinale* f) {
            QCOMPARE(f->topologia->currentText(), QStringLiteral("Push-Pull"));
            QCOMPARE(f->impedenza->text(), QStringLiteral("5600"));
            QCOMPARE(f->classe->text(), QStringLiteral("AB"));
        });
    }
};

QTEST_MAIN(TstFinestraStadioFinale)
#include "tst_finestra_stadio_finale.moc"
