// Work on the chart is not thrown away without a word: the real main window,
// offscreen, with two tubes and a line drawn on the first. Every command
// that replaces the design asks "Salvare il progetto corrente?" while the
// design differs from the one last saved or read, and goes on or stays as
// the answer says. The menu commands also answer their standard shortcuts.

#include "support/cartella_prova.h"
#include "support/mani_grafico.h"

#include "chart/grafico.h"
#include "chart/ui/picture1.h"
#include "platform/piattaforma_scriptata.h"
#include "project/comandi_progetto.h"
#include "shell/kor_manuale.h"
#include "shell/korvel.h"
#include "tubes/caricatore_valvola.h"
#include "tubes/ui/griglia_db.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QKeySequence>
#include <QMouseEvent>
#include <QPushButton>
#include <QtTest>

#include <functional>
#include <memory>

using Risposta = Piattaforma::Risposta;
using Tipo = PiattaformaScriptata::Tipo;

namespace {

const QString domanda = QStringLiteral("Salvare il progetto corrente?");

struct Finestra {
    CartellaProva c;
    PiattaformaScriptata p;
    std::unique_ptr<KORVEL> w;

    Finestra()
    {
        c.crea_tabella();
        c.inserisci(CartellaProva::valvola(QStringLiteral("12AX7"), QStringLiteral("ECC83")));
        c.inserisci(CartellaProva::valvola(QStringLiteral("6SN7"), QString(), QStringLiteral("prova2.gif")));
        c.scrivi_immagine(QStringLiteral("DatiValvole/Curve/prova.gif"), 518, 418, Qt::white, "PNG");
        c.scrivi_immagine(QStringLiteral("DatiValvole/Curve/prova2.gif"), 518, 418, Qt::white, "PNG");
        w = std::make_unique<KORVEL>(p, c.programma());
        w->KORVEL_Form_Load();
    }

    // A double click on a row of the list, with the events a mouse sends.
    void doppio_clic(int riga)
    {
        const QRect cella = w->griglia_DB->visualRect(w->griglia_DB->model()->index(riga - 1, 1));
        QWidget* lista = w->griglia_DB->viewport();
        for (QEvent::Type tipo : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease, QEvent::MouseButtonDblClick,
                                  QEvent::MouseButtonRelease}) {
            const bool premuto = tipo != QEvent::MouseButtonRelease;
            QMouseEvent e(tipo, QPointF(cella.center()), lista->mapToGlobal(QPointF(cella.center())), Qt::LeftButton,
                          premuto ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
            QApplication::sendEvent(lista, &e);
        }
    }

    void disegna_retta()
    {
        QTest::mouseClick(w->legenda_retta, Qt::LeftButton);
        mani_grafico::trascina(w->Picture1_, {100, 100}, {{200, 200}, {300, 300}});
    }

    int rette() const { return numero_oggetti(w->grafico().stato().rette); }
    int domande() const
    {
        int n = 0;
        for (const auto& r : p.richieste())
            n += r.tipo == Tipo::Domanda && r.testo == domanda;
        return n;
    }
    bool chiesto(Tipo tipo) const
    {
        for (const auto& r : p.richieste())
            if (r.tipo == tipo)
                return true;
        return false;
    }
};

// A command that replaces the design, and how to tell that it went on.
struct Percorso {
    std::function<void(Finestra&)> esegui;
    std::function<bool(Finestra&)> proseguito;
};

Percorso percorso(const QString& nome)
{
    if (nome == QLatin1String("Exit"))
        return {[](Finestra& f) { f.w->uscita->trigger(); }, [](Finestra& f) { return !f.w->isVisible(); }};
    if (nome == QLatin1String("close"))
        return {[](Finestra& f) { f.w->close(); }, [](Finestra& f) { return !f.w->isVisible(); }};
    if (nome == QLatin1String("other tube"))
        return {[](Finestra& f) { f.doppio_clic(2); },
                [](Finestra& f) { return f.w->riga_db->text() == QLatin1String("2") && f.rette() == 0; }};
    if (nome == QLatin1String("Leggi Progetto"))
        // Going on opens the file dialog; the tests cancel it.
        return {[](Finestra& f) { f.w->lettura_progetto->trigger(); },
                [](Finestra& f) { return f.chiesto(Tipo::ApriFile); }};
    return {[](Finestra& f) { f.w->reload_singolo->trigger(); }, [](Finestra& f) { return f.rette() == 0; }};
}

const QStringList percorsi = {QStringLiteral("Exit"), QStringLiteral("close"), QStringLiteral("other tube"),
                              QStringLiteral("Leggi Progetto"), QStringLiteral("Ricarica Valvola")};

} // namespace

class TstProgettoNonSalvato : public QObject {
    Q_OBJECT

private slots:
    void domanda_prima_di_perdere_il_progetto_data()
    {
        QTest::addColumn<QString>("nome");
        QTest::addColumn<int>("risposta");
        QTest::addColumn<bool>("proseguito");
        QTest::addColumn<bool>("salvato");
        for (const QString& n : percorsi) {
            QTest::addRow("%s, Sì", qPrintable(n)) << n << int(Risposta::si) << true << true;
            QTest::addRow("%s, No", qPrintable(n)) << n << int(Risposta::no) << true << false;
            QTest::addRow("%s, Annulla", qPrintable(n)) << n << int(Risposta::annulla) << false << false;
        }
    }
    void domanda_prima_di_perdere_il_progetto()
    {
        QFETCH(QString, nome);
        QFETCH(int, risposta);
        QFETCH(bool, proseguito);
        QFETCH(bool, salvato);
        Finestra f;
        f.doppio_clic(1);
        QCOMPARE(f.w->riga_db->text(), QStringLiteral("1"));
        f.disegna_retta();
        QCOMPARE(f.rette(), 1);

        const QString file = f.c.dir.filePath(QStringLiteral("progetto.xml"));
        f.p.azzera();
        f.p.rispondi_si_no_annulla(Risposta(risposta));
        if (risposta == int(Risposta::si))
            f.p.rispondi_file(file);
        const Percorso q = percorso(nome);
        q.esegui(f);

        QCOMPARE(f.domande(), 1);
        QCOMPARE(q.proseguito(f), proseguito);
        QCOMPARE(QFile::exists(file), salvato);
        if (salvato) {
            QVERIFY(f.p.messaggi().contains(ComandiProgetto::testo_salvato));
            QVERIFY(QFile(file).size() > 0);
        }
        if (!proseguito) {
            // Everything as it was: the tube, the line, the window.
            QCOMPARE(f.w->riga_db->text(), QStringLiteral("1"));
            QCOMPARE(f.rette(), 1);
            QVERIFY(f.w->isVisible());
            QVERIFY(!f.chiesto(Tipo::ApriFile));
        }
    }

    // Sì with the save dialog cancelled, or a save that fails, keeps the
    // design: nothing is lost because of a file that was never written.
    void si_senza_salvataggio_resta_data()
    {
        QTest::addColumn<QString>("nome");
        QTest::addColumn<bool>("annullato");
        for (const QString& n : percorsi) {
            QTest::addRow("%s, dialog cancelled", qPrintable(n)) << n << true;
            QTest::addRow("%s, save failed", qPrintable(n)) << n << false;
        }
    }
    void si_senza_salvataggio_resta()
    {
        QFETCH(QString, nome);
        QFETCH(bool, annullato);
        Finestra f;
        f.doppio_clic(1);
        f.disegna_retta();
        f.p.azzera();
        f.p.rispondi_si_no_annulla(Risposta::si);
        f.p.rispondi_file(annullato ? std::optional<QString>()
                                    : f.c.dir.filePath(QStringLiteral("manca/progetto.xml")));
        percorso(nome).esegui(f);
        QCOMPARE(f.domande(), 1);
        QVERIFY(!percorso(nome).proseguito(f));
        QCOMPARE(f.rette(), 1);
        QCOMPARE(f.p.messaggi(), annullato ? QStringList() : QStringList{ComandiProgetto::testo_errore_salvataggio});
    }

    // No question when there is nothing to lose: nothing drawn, or the
    // design just as it was saved or read.
    void nessuna_domanda_data()
    {
        QTest::addColumn<QString>("nome");
        QTest::addColumn<QString>("stato");
        for (const QString& n : percorsi)
            for (const char* s : {"nothing drawn", "saved", "read back", "erased"})
                QTest::addRow("%s, %s", qPrintable(n), s) << n << QString::fromLatin1(s);
    }
    void nessuna_domanda()
    {
        QFETCH(QString, nome);
        QFETCH(QString, stato);
        Finestra f;
        f.doppio_clic(1);
        const QString file = f.c.dir.filePath(QStringLiteral("salvato.xml"));
        if (stato != QLatin1String("nothing drawn")) {
            f.disegna_retta();
            f.p.rispondi_file(file);
            f.w->scrittura_progetto->trigger();
            QVERIFY(QFile::exists(file));
        }
        if (stato == QLatin1String("read back")) {
            f.doppio_clic(2); // asks nothing: saved
            QCOMPARE(f.rette(), 0);
            f.p.rispondi_file(file);
            f.w->lettura_progetto->trigger();
            QCOMPARE(f.rette(), 1);
            QCOMPARE(f.w->riga_db->text(), QStringLiteral("1"));
        }
        if (stato == QLatin1String("erased")) {
            // Drawn after the save, then erased: nothing drawn any more.
            f.w->canc_function[0]->trigger();
            QCOMPARE(f.rette(), 0);
        }
        f.p.azzera();
        percorso(nome).esegui(f);
        QCOMPARE(f.domande(), 0);
        QVERIFY(percorso(nome).proseguito(f));
    }

    // A change after a save is a change again.
    void modifica_dopo_il_salvataggio()
    {
        Finestra f;
        f.doppio_clic(1);
        f.disegna_retta();
        f.p.rispondi_file(f.c.dir.filePath(QStringLiteral("a.xml")));
        f.w->scrittura_progetto->trigger();
        QVERIFY(!f.w->progetto().progetto_modificato());
        mani_grafico::scrivi_e_invio(f.w->campo(Campo::grid_bias), QStringLiteral("1.5"));
        QVERIFY(f.w->progetto().progetto_modificato());
        f.p.azzera();
        f.p.rispondi_si_no_annulla(Risposta::annulla);
        f.w->reload_singolo->trigger();
        QCOMPARE(f.domande(), 1);
        QCOMPARE(f.rette(), 1);
    }

    // The standard shortcuts reach the same commands as the menus.
    void scorciatoie_data()
    {
        QTest::addColumn<QString>("voce");
        QTest::addColumn<QKeySequence>("tasti");
        QTest::addRow("Leggi Progetto") << "lettura_progetto" << QKeySequence(Qt::CTRL | Qt::Key_O);
        QTest::addRow("Salva Progetto") << "scrittura_progetto" << QKeySequence(Qt::CTRL | Qt::Key_S);
        QTest::addRow("Stampa Progetto") << "stampa_0" << QKeySequence(Qt::CTRL | Qt::Key_P);
        QTest::addRow("Exit") << "uscita" << QKeySequence(Qt::CTRL | Qt::Key_Q);
        QTest::addRow("Help") << "help_cmd" << QKeySequence(Qt::Key_F1);
    }
    void scorciatoie()
    {
        QFETCH(QString, voce);
        QFETCH(QKeySequence, tasti);
        Finestra f;
        f.doppio_clic(1);
        auto* azione = f.w->findChild<QAction*>(voce);
        QVERIFY(azione);
        QCOMPARE(azione->shortcut(), tasti);
        QVERIFY(!azione->text().contains(u'\t')); // the captions stay as they are

        f.w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(f.w.get()));
        f.p.azzera();
        QTest::keySequence(f.w.get(), tasti);
        if (voce == QLatin1String("lettura_progetto"))
            QVERIFY(f.chiesto(Tipo::ApriFile));
        else if (voce == QLatin1String("scrittura_progetto"))
            QVERIFY(f.chiesto(Tipo::SalvaFile));
        else if (voce == QLatin1String("stampa_0"))
            QVERIFY(f.chiesto(Tipo::Stampa));
        else if (voce == QLatin1String("uscita"))
            QVERIFY(!f.w->isVisible());
        else
            QVERIFY(f.w->visualizzatore_pdf());
    }
};

QTEST_MAIN(TstProgettoNonSalvato)
#include "tst_progetto_non_salvato.moc"
