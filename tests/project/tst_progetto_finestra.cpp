// The project commands in the real main window: a stage designed with the
// mouse is saved, opened in a fresh window and saved again byte for byte;
// files that cannot be used leave the design on screen; a failed save keeps
// the old file.

#include "support/cartella_prova.h"
#include "support/finestra_modale.h"
#include "support/mani_grafico.h"

#include "chart/grafico.h"
#include "chart/ui/picture1.h"
#include "chart/ui/ricalcolo.h"
#include "common/lingua.h"
#include "platform/piattaforma_scriptata.h"
#include "project/comandi_progetto.h"
#include "shell/korvel.h"
#include "tubes/caricatore_valvola.h"
#include "tubes/lista_valvole.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QLocale>
#include <QMouseEvent>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>
#include <QtTest>

#include <csignal>
#include <memory>
#include <sys/resource.h>

namespace {

// Origin (100, 400), 400 V at column 500, 60 mA at row 100, 2500 mW.
QVariantList valvola_prova(const QString& usa = QStringLiteral("12AX7"), const QString& euro = QStringLiteral("ECC83"))
{
    QVariantList v = CartellaProva::valvola(usa, euro);
    const QVariantList taratura = {100, 100, 60, 500, 400, 400, 100, 400, 2500};
    for (int i = 0; i < taratura.size(); ++i)
        v[6 + i] = taratura[i];
    return v;
}

QByteArray leggi(const QString& nome)
{
    QFile f(nome);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool scrivi(const QString& nome, const QByteArray& byte)
{
    QFile f(nome);
    return f.open(QIODevice::WriteOnly) && f.write(byte) == byte.size();
}

// Answers the recalculation dialog once it is up.
void rispondi_ricalcolo(const QString& r_anodica)
{
    finestra_modale::quando_aperta<Ricalcolo>([=](Ricalcolo* dialogo) {
        dialogo->r_anodica->selectAll();
        QTest::keyClicks(dialogo->r_anodica, r_anodica);
        QTest::mouseClick(dialogo->exec_calc, Qt::LeftButton);
    });
}

struct Finestra {
    CartellaProva& c;
    PiattaformaScriptata p;
    std::unique_ptr<KORVEL> w;

    explicit Finestra(CartellaProva& cartella) : c(cartella)
    {
        w = std::make_unique<KORVEL>(p, c.programma());
        w->KORVEL_Form_Load();
    }

    QString t(Campo campo) const { return w->campo(campo)->text(); }
    StatoGrafico& s() { return w->grafico().stato(); }
    QImage canvas() const { return w->grafico().canvas(); }

    void evento(QEvent::Type tipo, QPointF pos, Qt::MouseButton pulsante, Qt::MouseButtons tenuti)
    {
        mani_grafico::evento(w->Picture1_, tipo, pos, pulsante, tenuti);
    }
    void trascina(QPointF da, QPointF a)
    {
        QTest::mouseClick(w->legenda_retta, Qt::LeftButton);
        mani_grafico::trascina(w->Picture1_, da, {(da + a) / 2, a});
    }
    void clic(QPushButton* modo, QPointF pos) { mani_grafico::clic(w->Picture1_, modo, pos); }
    void scrivi_e_invio(Campo campo, const QString& testo) { mani_grafico::scrivi_e_invio(w->campo(campo), testo); }

    // Two lines, three working points, one gain point, one recalculated
    // line and the hyperbola.
    void progetta()
    {
        w->caricatore().griglia_DB_DblClick(1);
        trascina({150, 100}, {{300, 250}});
        trascina({130, 150}, {{330, 280}});
        w->calc_function[0]->trigger();
        clic(w->legenda_lavoro, {250, 325});
        clic(w->legenda_lavoro, {260.5, 330});
        clic(w->legenda_lavoro, {270, 336});
        clic(w->legenda_guadagno, {220, 310});
        scrivi_e_invio(Campo::grid_bias, QStringLiteral("-1,5"));
        scrivi_e_invio(Campo::gain_bias, QStringLiteral("-2,5"));
        rispondi_ricalcolo(QStringLiteral("47k"));
        w->calc_function[3]->trigger();
        w->traccia_maxpower->trigger();
    }

    QByteArray salva(const QString& nome)
    {
        p.rispondi_file(nome);
        w->scrittura_progetto->trigger();
        return leggi(nome);
    }
    void apri(const QString& nome)
    {
        p.rispondi_file(nome);
        w->lettura_progetto->trigger();
    }

    // What a user sees of the design: the calibration, the components, the
    // grid voltages, legends and erase entries. Not the frames of the
    // pointer, the current line and the points: a recalculation makes the
    // new line current and clears the points' frames, while a load makes
    // the last object of each kind current again.
    QStringList vista() const
    {
        QStringList v;
        for (int c = int(Campo::origin_X); c <= int(Campo::riga_db); ++c)
            if ((c < int(Campo::start_x) || c > int(Campo::gain_i)) || Campo(c) == Campo::grid_bias ||
                Campo(c) == Campo::gain_bias)
                v << t(Campo(c));
        for (QLineEdit* n : w->nome_valvola)
            v << n->text();
        for (QPushButton* l : {w->legenda_retta, w->legenda_lavoro, w->legenda_guadagno})
            v << l->text() << l->palette().button().color().name();
        for (QAction* a : w->canc_function)
            v << (a->isEnabled() ? "on" : "off");
        v << w->traccia_maxpower->text() << (w->potenza_bloccata() ? "locked" : "free");
        return v;
    }
};

struct Programma {
    CartellaProva c;
    Programma()
    {
        c.crea_tabella();
        c.inserisci(valvola_prova());
        c.scrivi_immagine(QStringLiteral("DatiValvole/Curve/prova.gif"), 518, 418, Qt::white, "PNG");
    }
    QString file(const QString& nome) const { return c.dir.filePath(nome); }
};

} // namespace

class TestProgettoFinestra : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    // A design saved by a user of the English catalogue opens for a user of
    // the Italian one as the same design, and saves to the same bytes: the
    // file holds no text of either language.
    void salva_in_inglese_apri_in_italiano()
    {
        Programma prog;
        installa_traduzioni(Lingua::inglese, QStringLiteral(KORVEL_DIST_DIR));
        QByteArray primo;
        QStringList campi_inglesi;
        {
            Finestra a(prog.c);
            QCOMPARE(a.w->windowTitle(), QStringLiteral("Load Line Calculator"));
            a.progetta();
            primo = a.salva(prog.file("inglese.xml"));
            for (int c = int(Campo::origin_X); c <= int(Campo::riga_db); ++c)
                campi_inglesi << a.t(Campo(c));
        }
        installa_traduzioni(Lingua::italiano, QStringLiteral(KORVEL_DIST_DIR));
        Finestra b(prog.c);
        QCOMPARE(b.w->windowTitle(), QStringLiteral("Calcolatore Retta di Carico"));
        b.apri(prog.file("inglese.xml"));
        QVERIFY(b.p.messaggi().isEmpty());
        QStringList campi_italiani;
        for (int c = int(Campo::origin_X); c <= int(Campo::riga_db); ++c)
            campi_italiani << b.t(Campo(c));
        // The numbers on screen read the same in both languages.
        for (int c = int(Campo::origin_X); c <= int(Campo::riga_db); ++c)
            if (Campo(c) < Campo::start_x || Campo(c) > Campo::gain_i || Campo(c) == Campo::grid_bias ||
                Campo(c) == Campo::gain_bias)
                QCOMPARE(campi_italiani[c - int(Campo::origin_X)], campi_inglesi[c - int(Campo::origin_X)]);
        QVERIFY(primo.size() > 0);
        QCOMPARE(b.salva(prog.file("italiano.xml")), primo);
    }

    // Saved, opened in a fresh window, saved again: the same bytes, the same
    // fields and legends, the same picture with its calibration markers.
    void salva_apri_salva_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::newRow("point") << QLocale(QLocale::English, QLocale::UnitedStates);
        QTest::newRow("comma") << QLocale(QLocale::Italian, QLocale::Italy);
    }
    void salva_apri_salva()
    {
        QFETCH(QLocale, locale);
        QLocale::setDefault(locale);
        Programma prog;
        Finestra a(prog.c);
        a.progetta();
        QCOMPARE(numero_oggetti(a.s().rette_calcolate), 1);
        QVERIFY(a.w->potenza_bloccata());
        const QByteArray primo = a.salva(prog.file("uno.xml"));
        QCOMPARE(a.p.messaggi(), QStringList{ComandiProgetto::testo_salvato});
        const auto& d = a.p.richieste().front().dialogo;
        QCOMPARE(a.p.richieste().front().tipo, PiattaformaScriptata::Tipo::SalvaFile);
        QCOMPARE(d.titolo, QStringLiteral("Salvataggio Progetto XML"));
        QCOMPARE(d.filtri, QStringLiteral("xml (*.xml)|*.xml"));
        QCOMPARE(d.nome_iniziale, QStringLiteral("*.xml"));
        QVERIFY(d.conferma_sovrascrittura);

        // The field texts as shown, the coordinates with ".", V on the last
        // point of each kind only.
        QVERIFY(primo.startsWith("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<PROGETTO VERSIONE=\"1.00\">\r\n"));
        QVERIFY(primo.endsWith("</PROGETTO>\r\n\r\n"));
        QVERIFY(primo.contains(" RESISTENZA_ANODICA=\"" + a.t(Campo::r_anodica).toLatin1() + "\""));
        QVERIFY(primo.contains(" GUADAGNO=\"" + a.t(Campo::gain_value).toLatin1() + "\""));
        QVERIFY(primo.contains(" POTENZA_MASSIMA_VISIBILE=\"TRUE\"/>"));
        QVERIFY(primo.contains("<PUNTO_LAVORO ID=\"02\" X0=\"260.5\" Y0=\"330\"/>"));
        QVERIFY(primo.contains("<PUNTO_LAVORO ID=\"03\" X0=\"270\" Y0=\"336\" V=\"1.5\"/>"));
        QVERIFY(primo.contains("<PUNTO_GUADAGNO ID=\"01\" X0=\"220\" Y0=\"310\" V=\"2.5\"/>"));
        QCOMPARE(primo.count("<RETTA_MANUALE "), 2);
        QCOMPARE(primo.count("<RETTA_RICALCOLATA ID=\"01\""), 1);
        QCOMPARE(primo.count(" V="), 2);

        Finestra b(prog.c);
        b.apri(prog.file("uno.xml"));
        QVERIFY(b.p.messaggi().isEmpty());
        QVERIFY(b.p.richieste().front().dialogo.deve_esistere);
        QCOMPARE(b.vista(), a.vista());
        QCOMPARE(b.salva(prog.file("due.xml")), primo);
        QCOMPARE(b.canvas(), a.canvas());
        QCOMPARE(b.s().lavoro_x, 270.0f);
        QCOMPARE(b.t(Campo::grid_x), QStringLiteral("270"));
        QCOMPARE(b.t(Campo::gain_y), QStringLiteral("310"));
        QCOMPARE(b.s().retta_y0, a.s().rette[2].y0);
        QCOMPARE(b.t(Campo::start_y), QString::number(a.s().rette[2].y0));
        QVERIFY(b.w->Timer_settab->isActive());
    }

    // A designation with a quote and one with an ampersand, typed by hand
    // into a file, come back through load and save unchanged.
    void sigla_con_virgolette_e_e_commerciale()
    {
        Programma prog;
        prog.c.inserisci(valvola_prova(QStringLiteral("6SN7 \"GT\""), QStringLiteral("R&D 'x'")));
        const QByteArray a_mano =
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
            "<PROGETTO VERSIONE=\"1.00\">\r\n"
            "\t<SIGLA EURO=\"R&amp;D 'x'\" USA='6SN7 \"GT\"' MODO=\"TRIODO\"/>\r\n"
            "\t<COMPONENTI GUADAGNO=\"\" RESISTENZA_TUBO=\"\" RESISTENZA_ANODICA=\"\" RESISTENZA_CATODICA=\"\""
            " CONDENSATORE_CATODICO=\"\" POTENZA_MASSIMA=\"2500\" POTENZA_MASSIMA_VISIBILE=\"FALSE\"/>\r\n"
            "\t<PUNTO_LAVORO ID=\"01\" X0=\"250\" Y0=\"325\" V=\"\"/>\r\n"
            "</PROGETTO>\r\n\r\n";
        QVERIFY(scrivi(prog.file("mano.xml"), a_mano));
        Finestra f(prog.c);
        f.apri(prog.file("mano.xml"));
        QVERIFY(f.p.messaggi().isEmpty());
        QCOMPARE(f.t(Campo::riga_db), QStringLiteral("2"));
        QCOMPARE(f.w->nome_valvola[0]->text(), QStringLiteral("6SN7 \"GT\""));
        QCOMPARE(f.w->nome_valvola[1]->text(), QStringLiteral("R&D 'x'"));
        QCOMPARE(f.w->reload_singolo->text(), QStringLiteral("Ricarica Valvola: 6SN7 \"GT\",R&D 'x'"));
        QCOMPARE(f.w->legenda_lavoro->text(), QStringLiteral("L01"));
        QCOMPARE(f.t(Campo::r_value), QString()); // the file's text wins over the computed one
        QCOMPARE(f.salva(prog.file("mano2.xml")), a_mano);
    }

    // Which tube a file opens, and the files that open none: the design on
    // screen stays as it was in every failing case.
    void apertura_data()
    {
        QTest::addColumn<QByteArray>("sigla");
        QTest::addColumn<QString>("messaggio");
        QTest::addColumn<QString>("riga");
        QTest::newRow("American designation")
            << QByteArray("EURO=\"\" USA=\"12AX7\" MODO=\"TRIODO\"") << QString() << "1";
        QTest::newRow("only EURO") << QByteArray("EURO=\"EL34\" USA=\"\" MODO=\"PENTODO\"") << QString() << "3";
        QTest::newRow("tube twice, first row") << QByteArray("USA=\"6V6\" MODO=\"TRIODO\"") << QString() << "4";
        QTest::newRow("USA wins over EURO")
            << QByteArray("EURO=\"EL34\" USA=\"12AX7\" MODO=\"TRIODO\"") << QString() << "1";
        QTest::newRow("mode differs") << QByteArray("USA=\"12AX7\" MODO=\"PENTODO\"")
                                      << ComandiProgetto::testo_valvola_assente.testo() << "";
        QTest::newRow("not in the list") << QByteArray("USA=\"300B\" MODO=\"TRIODO\"")
                                         << ComandiProgetto::testo_valvola_assente.testo() << "";
        QTest::newRow("no designation") << QByteArray("EURO=\"\" USA=\"\" MODO=\"TRIODO\"")
                                        << ComandiProgetto::testo_sigla_assente.testo() << "";
        QTest::newRow("not well-formed") << QByteArray("USA=\"12AX7\" MODO=\"TRIODO\"><")
                                         << ComandiProgetto::testo_errore_lettura.testo() << "";
        QTest::newRow("ID past 16 bits")
            << QByteArray(
                   "USA=\"12AX7\" MODO=\"TRIODO\"/><RETTA_MANUALE ID=\"40000\" X0=\"1\" Y0=\"1\" X1=\"1\" Y1=\"1\"")
            << ComandiProgetto::testo_errore_lettura.testo() << "";
        QTest::newRow("coordinate far away")
            << QByteArray("USA=\"12AX7\" MODO=\"TRIODO\"/><PUNTO_LAVORO ID=\"1\" X0=\"1e6\" Y0=\"1\"")
            << ComandiProgetto::testo_errore_lettura.testo() << "";
        QTest::newRow("response twice")
            << QByteArray("USA=\"12AX7\" MODO=\"TRIODO\"/><Risposta BPiu=\"300\"/><Risposta BPiu=\"250\"")
            << ComandiProgetto::testo_errore_lettura.testo() << "";
        QTest::newRow("response value too long")
            << QByteArray("USA=\"12AX7\" MODO=\"TRIODO\"/><Risposta Rk=\"") + QByteArray(200, '1') + "\""
            << ComandiProgetto::testo_errore_lettura.testo() << "";
    }
    void apertura()
    {
        QFETCH(QByteArray, sigla);
        QFETCH(QString, messaggio);
        QFETCH(QString, riga);
        Programma prog;
        prog.c.inserisci(valvola_prova(QString(), QStringLiteral("EL34")));
        prog.c.inserisci(valvola_prova(QStringLiteral("6V6"), QStringLiteral("primo")));
        prog.c.inserisci(valvola_prova(QStringLiteral("6V6"), QStringLiteral("secondo")));
        {
            // EL34 as a pentode: row 3 (the one just added is a triode).
            QVariantList v = valvola_prova(QString(), QStringLiteral("EL34"));
            v[3] = QStringLiteral("PENTODO");
            prog.c.inserisci(v);
        }
        // Rows: 1 12AX7, 2 EL34 triode, 3 6V6 primo, 4 6V6 secondo, 5 EL34 pentode.
        // The list is sorted by the database layer; look the rows up.
        QVERIFY(scrivi(prog.file("p.xml"),
                       "<PROGETTO><SIGLA " + sigla + "/><COMPONENTI RESISTENZA_ANODICA=\"47,000\"/></PROGETTO>"));
        Finestra f(prog.c);
        QString atteso_riga = riga;
        if (!riga.isEmpty()) {
            // The expected row is named by its designations, wherever the
            // list puts it.
            const QString usa = QString(sigla).section(QStringLiteral("USA=\""), 1).section(u'"', 0, 0);
            const QString euro = QString(sigla).section(QStringLiteral("EURO=\""), 1).section(u'"', 0, 0);
            const QString modo = QString(sigla).section(QStringLiteral("MODO=\""), 1).section(u'"', 0, 0);
            for (int r = f.w->lista().righe_valvole(); r >= 1; --r) {
                const bool uguale =
                    usa.isEmpty() ? f.w->lista().cella_lista(r, 1) == euro : f.w->lista().cella_lista(r, 2) == usa;
                if (uguale && f.w->lista().cella_lista(r, 4) == modo)
                    atteso_riga = QString::number(r);
            }
        }
        f.progetta();
        const QStringList prima = f.vista();
        const QImage tela = f.canvas();
        f.p.azzera();
        f.apri(prog.file("p.xml"));
        if (messaggio.isEmpty()) {
            QVERIFY(f.p.messaggi().isEmpty());
            QCOMPARE(f.t(Campo::riga_db), atteso_riga);
            QCOMPARE(f.t(Campo::r_anodica), QStringLiteral("47,000"));
            // No object in the file: the previous design's legends go.
            QCOMPARE(f.w->legenda_lavoro->text(), Grafico::testo_assente);
            QCOMPARE(numero_oggetti(f.s().rette), 0);
            QVERIFY(!f.w->canc_function[0]->isEnabled());
        } else {
            QCOMPARE(f.p.messaggi(), QStringList{messaggio});
            QCOMPARE(f.vista(), prima);
            QCOMPARE(f.canvas(), tela);
            QCOMPARE(numero_oggetti(f.s().punti_lavoro), 3);
        }
    }

    void dialogo_annullato()
    {
        Programma prog;
        Finestra f(prog.c);
        f.progetta();
        const QStringList prima = f.vista();
        f.p.rispondi_file(std::nullopt);
        f.w->lettura_progetto->trigger();
        f.p.rispondi_file(QString());
        f.w->scrittura_progetto->trigger();
        QVERIFY(f.p.messaggi().isEmpty());
        QCOMPARE(f.vista(), prima);
    }

    // A working point on the voltage axis has no resistance; everything
    // after it in the file is put back all the same.
    void punto_a_corrente_zero()
    {
        Programma prog;
        QVERIFY(scrivi(
            prog.file("zero.xml"),
            "<PROGETTO><SIGLA USA=\"12AX7\" MODO=\"TRIODO\"/>"
            "<COMPONENTI RESISTENZA_ANODICA=\"10,000\" POTENZA_MASSIMA=\"2500\" POTENZA_MASSIMA_VISIBILE=\"TRUE\"/>"
            "<PUNTO_LAVORO ID=\"01\" X0=\"250\" Y0=\"400\"/>"
            "<PUNTO_GUADAGNO ID=\"01\" X0=\"220\" Y0=\"310\"/></PROGETTO>"));
        Finestra f(prog.c);
        f.apri(prog.file("zero.xml"));
        QVERIFY(f.p.messaggi().isEmpty());
        QCOMPARE(f.w->legenda_guadagno->text(), QStringLiteral("G01"));
        QCOMPARE(f.t(Campo::r_anodica), QStringLiteral("10,000"));
        QVERIFY(f.w->potenza_bloccata());
        QCOMPARE(f.w->traccia_maxpower->text(), Grafico::caption_cancella_potenza);
    }

    // The disk fills up while saving over an earlier project: the message
    // says so and the earlier file is whole.
    void salvataggio_fallito()
    {
        Programma prog;
        Finestra f(prog.c);
        f.progetta();
        const QString nome = prog.file("vecchio.xml");
        QVERIFY(scrivi(nome, "vecchio"));

        std::signal(SIGXFSZ, SIG_IGN);
        rlimit prima{};
        QCOMPARE(getrlimit(RLIMIT_FSIZE, &prima), 0);
        rlimit stretto = prima;
        stretto.rlim_cur = 100;
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &stretto), 0);
        f.p.rispondi_file(nome);
        f.w->scrittura_progetto->trigger();
        setrlimit(RLIMIT_FSIZE, &prima);
        std::signal(SIGXFSZ, SIG_DFL);

        QCOMPARE(f.p.messaggi(), QStringList{ComandiProgetto::testo_errore_salvataggio});
        QCOMPARE(leggi(nome), QByteArray("vecchio"));

        f.p.azzera();
        f.p.rispondi_file(prog.file("manca/progetto.xml"));
        f.w->scrittura_progetto->trigger();
        QCOMPARE(f.p.messaggi(), QStringList{ComandiProgetto::testo_errore_salvataggio});

        // A line carried far past any picture would save a file that cannot
        // be opened again: the save says so and keeps the earlier file.
        f.p.azzera();
        f.s().rette.back().x1 = 2320000;
        f.p.rispondi_file(nome);
        f.w->scrittura_progetto->trigger();
        QCOMPARE(f.p.messaggi(), QStringList{ComandiProgetto::testo_errore_salvataggio});
        QCOMPARE(leggi(nome), QByteArray("vecchio"));
    }

    // Whatever the program lets a user make saves and opens again: a nearly
    // flat line completed to both axes, a file whose object has the highest
    // ID. A replaced file keeps its permissions.
    void ogni_progetto_si_salva()
    {
        Programma prog;
        Finestra f(prog.c);
        f.w->caricatore().griglia_DB_DblClick(1);
        // Origin (100, 400): one pixel of fall over 350 carries the line to
        // x = 350 * 299 + 500.
        f.trascina({150, 100}, {500, 101});
        f.w->calc_function[0]->trigger();
        QCOMPARE(f.s().rette[1].x1, 105150.0f);
        const QString piatta = prog.file("piatta.xml");
        QVERIFY(scrivi(piatta, "vecchio"));
        QVERIFY(QFile::setPermissions(piatta, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup));
        f.salva(piatta);
        QCOMPARE(f.p.messaggi(), QStringList{ComandiProgetto::testo_salvato});
        QCOMPARE(QFile::permissions(piatta) & 0x7077, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup);
        Finestra g(prog.c);
        g.apri(piatta);
        QCOMPARE(g.p.messaggi(), QStringList{});
        QCOMPARE(g.s().rette[1].x1, 105150.0f);

        const QString alto = prog.file("alto.xml");
        QVERIFY(scrivi(alto, "<PROGETTO><SIGLA EURO=\"ECC83\" USA=\"12AX7\" MODO=\"TRIODO\"/><COMPONENTI/>"
                             "<RETTA_MANUALE ID=\"32767\" X0=\"150\" Y0=\"100\" X1=\"300\" Y1=\"250\"/>"
                             "<RETTA_RICALCOLATA ID=\"32767\" X0=\"150\" Y0=\"100\" X1=\"300\" Y1=\"250\"/>"
                             "<PUNTO_LAVORO ID=\"32767\" X0=\"200\" Y0=\"300\" V=\"-1\"/>"
                             "<PUNTO_GUADAGNO ID=\"32767\" X0=\"210\" Y0=\"310\" V=\"-2\"/></PROGETTO>"));
        Finestra h(prog.c);
        h.apri(alto);
        QCOMPARE(h.p.messaggi(), QStringList{});
        QCOMPARE(numero_oggetti(h.s().punti_lavoro), 32767);
        const QByteArray salvato = h.salva(prog.file("alto2.xml"));
        QCOMPARE(h.p.messaggi(), QStringList{ComandiProgetto::testo_salvato});
        // Thousands of times the file it came from.
        QVERIFY(salvato.size() > 4 * 1024 * 1024);
        Finestra k(prog.c);
        k.apri(prog.file("alto2.xml"));
        QCOMPARE(k.p.messaggi(), QStringList{});
        QCOMPARE(numero_oggetti(k.s().punti_lavoro), 32767);
        QCOMPARE(numero_oggetti(k.s().rette), 32767);
    }
};

QTEST_MAIN(TestProgettoFinestra)
#include "tst_progetto_finestra.moc"
