// The "Modello Valvola" window driven offscreen on the demo pictures, and the
// main window's model commands: the menu entries, the model in "Dati
// Informativi" and its curves drawn over the chart and erased again.
#include "support/cartella_prova.h"
#include "support/programma_demo.h"

#include "taratura_demo.h"
#include "chart/grafico.h"
#include "model/archivio_modelli.h"
#include "model/ui/finestra_modello.h"
#include "platform/piattaforma_scriptata.h"
#include "shell/korvel.h"
#include "tubes/caricatore_valvola.h"
#include "tubes/lista_valvole.h"

#include "valvole_demo.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QTableWidget>
#include <QtTest>

namespace {

const valvole_demo::Valvola& demo(const char* sigla)
{
    for (const auto& v : valvole_demo::tabella())
        if (valvole_demo::nome_base(v) == sigla)
            return v;
    return valvole_demo::tabella().front();
}

int id_demo(const char* sigla)
{
    const auto& t = valvole_demo::tabella();
    for (int k = 0; k < int(t.size()); ++k)
        if (valvole_demo::nome_base(t[std::size_t(k)]) == sigla)
            return k + 1;
    return 0;
}

struct Banco {
    QTemporaryDir dir;
    PiattaformaScriptata p;
    std::unique_ptr<FinestraModello> f;

    Banco(const char* sigla, QImage immagine = {})
    {
        copia_dati_demo(dir.path());
        const auto& v = demo(sigla);
        FinestraModello::Valvola d;
        d.id = id_demo(sigla);
        d.sigla = QString::fromStdString(valvole_demo::nome_base(v));
        d.modo = QString::fromStdString(valvole_demo::modo(v));
        d.file_basedati = basedati();
        d.file_immagine =
            dir.path() + QStringLiteral("/DatiValvole/Curve/") + QString::fromStdString(valvole_demo::file_curva(v));
        d.cartella_export = dir.path();
        d.immagine = immagine.isNull() ? QImage(d.file_immagine) : immagine;
        d.taratura = taratura_demo(v);
        f = std::make_unique<FinestraModello>(p, d);
        f->show();
    }
    QString basedati() const { return dir.path() + QStringLiteral("/DatiValvole/DBValvole.mdb"); }
    template <typename T> T* controllo(const QString& nome) const { return f->findChild<T*>(nome); }
    QLineEdit* campo(const QString& nome) const { return controllo<QLineEdit>(nome); }
    QTableWidget* tabella() const { return controllo<QTableWidget>(QStringLiteral("Curve tracciate")); }
    void premi(const QString& nome) const { controllo<QPushButton>(nome)->click(); }
    // Starts the fit and waits for it; the window stays responsive meanwhile.
    // The busy pointer is on while the fit runs and off once it is over.
    bool adatta()
    {
        premi(QStringLiteral("Adatta Modello"));
        const bool occupato_durante = !f->adattamento_in_corso() || p.occupato();
        return QTest::qWaitFor([this] { return !f->adattamento_in_corso(); }, 60000) && occupato_durante &&
               !p.occupato();
    }
    QStringList colonna(int c) const
    {
        QStringList t;
        for (int r = 0; r < tabella()->rowCount(); ++r)
            t << tabella()->item(r, c)->text();
        return t;
    }
};

} // namespace

class TstFinestraModello : public QObject {
    Q_OBJECT
private slots:
    void didascalie_e_nomi_accessibili();
    void modello_preselezionato_dal_modo_data();
    void modello_preselezionato_dal_modo();
    void traccia_adatta_salva_esporta();
    void griglia_sbagliata_riga_rossa();
    void unisci_e_rimuovi_rinumerano();
    void errori_senza_salvare_data();
    void errori_senza_salvare();
    void grafico_senza_curve();
    void finestra_principale();
};

void TstFinestraModello::didascalie_e_nomi_accessibili()
{
    Banco b("12AX7");
    QCOMPARE(b.f->windowTitle(), QStringLiteral("Modello Valvola"));
    for (const char* nome : {"Traccia Curve", "Rimuovi Curva", "Unisci Curve", "Adatta Modello", "Salva Modello",
                             "Esporta SPICE", "Chiudi"}) {
        auto* p = b.controllo<QPushButton>(QString::fromUtf8(nome));
        QVERIFY2(p, nome);
        QCOMPARE(p->text(), QString::fromUtf8(nome));
        QCOMPARE(p->accessibleName(), QString::fromUtf8(nome));
    }
    // Every field is the buddy of its label, whose text is its name.
    for (const char* nome : {"Vg2 (V)=", "Vg prima curva (V)=", "Passo Vg (V)=", "mu=", "Ex=", "Kg1=", "Kp=", "Kvb=",
                             "Vct=", "Scarto medio (px)=", "Scarto massimo (px)="}) {
        QLineEdit* e = b.campo(QString::fromUtf8(nome));
        QVERIFY2(e, nome);
        QCOMPARE(e->accessibleName(), QString::fromUtf8(nome));
        bool ha_etichetta = false;
        for (QLabel* l : b.f->findChildren<QLabel*>())
            ha_etichetta |= l->buddy() == e && l->text() == QString::fromUtf8(nome);
        QVERIFY2(ha_etichetta, nome);
    }
    auto* combo = b.controllo<QComboBox>(QStringLiteral("Modello"));
    QCOMPARE(combo->accessibleName(), QStringLiteral("Modello"));
    QCOMPARE(combo->count(), 2);
    QCOMPARE(combo->itemText(0), QStringLiteral("Triodo (Koren)"));
    QCOMPARE(combo->itemText(1), QStringLiteral("Pentodo (Koren)"));
    QCOMPARE(b.controllo<QCheckBox>(QStringLiteral("Mostra Modello"))->accessibleName(),
             QStringLiteral("Mostra Modello"));
    QCOMPARE(b.tabella()->accessibleName(), QStringLiteral("Curve tracciate"));
    QStringList intestazioni;
    for (int c = 0; c < 3; ++c)
        intestazioni << b.tabella()->horizontalHeaderItem(c)->text();
    QCOMPARE(intestazioni, QStringList({"Vg (V)", "Punti", "Scarto (px)"}));
    // Nothing to save or export before a fit.
    QVERIFY(!b.controllo<QPushButton>(QStringLiteral("Salva Modello"))->isEnabled());
    QVERIFY(!b.controllo<QPushButton>(QStringLiteral("Esporta SPICE"))->isEnabled());
}

void TstFinestraModello::modello_preselezionato_dal_modo_data()
{
    QTest::addColumn<QString>("modo");
    QTest::addColumn<int>("indice");
    QTest::newRow("TRIODO") << "TRIODO" << 0;
    QTest::newRow("GENERICO") << "GENERICO" << 0;
    QTest::newRow("DIODO") << "DIODO" << 0;
    QTest::newRow("ULTRALINEARE") << "ULTRALINEARE" << 0;
    QTest::newRow("PENTODO") << "PENTODO" << 1;
    QTest::newRow("PENTODO COPPIA") << "PENTODO COPPIA" << 1;
    QTest::newRow("PENTODO TRIPLETTA") << "PENTODO TRIPLETTA" << 1;
}

void TstFinestraModello::modello_preselezionato_dal_modo()
{
    QFETCH(QString, modo);
    QFETCH(int, indice);
    PiattaformaScriptata p;
    FinestraModello::Valvola v;
    v.modo = modo;
    FinestraModello f(p, v);
    QCOMPARE(f.findChild<QComboBox*>(QStringLiteral("Modello"))->currentIndex(), indice);
    // The screen voltage belongs to the pentode only.
    QCOMPARE(f.findChild<QLineEdit*>(QStringLiteral("Vg2 (V)="))->isEnabled(), indice == 1);
}

void TstFinestraModello::traccia_adatta_salva_esporta()
{
    Banco b("12AX7");
    b.campo(QStringLiteral("Vg prima curva (V)="))->setText(QStringLiteral("0"));
    b.campo(QStringLiteral("Passo Vg (V)="))->setText(QStringLiteral("0.5"));
    b.premi(QStringLiteral("Traccia Curve"));
    QCOMPARE(b.p.volte_occupato(), 1);
    QVERIFY(!b.p.occupato());
    QCOMPARE(b.tabella()->rowCount(), 9);
    QCOMPARE(b.colonna(0), QStringList({"0", "-0.5", "-1", "-1.5", "-2", "-2.5", "-3", "-3.5", "-4"}));
    for (const QString& n : b.colonna(1))
        QVERIFY(n.toInt() > 20);

    QVERIFY(b.adatta());
    QVERIFY2(b.p.messaggi().isEmpty(), qPrintable(b.p.messaggi().join('|')));
    const double mu = b.campo(QStringLiteral("mu="))->text().toDouble();
    QVERIFY2(std::abs(mu - 100) < 2, qPrintable(b.campo(QStringLiteral("mu="))->text()));
    QVERIFY(b.campo(QStringLiteral("Scarto medio (px)="))->text().toDouble() <= 0.5);
    QVERIFY(!b.campo(QStringLiteral("Vct="))->text().isEmpty());
    for (const QString& s : b.colonna(2))
        QVERIFY(!s.isEmpty());
    for (int r = 0; r < b.tabella()->rowCount(); ++r)
        QVERIFY(b.tabella()->item(r, 0)->foreground().color() != Qt::red);

    // The demo tube ships a model: the save asks first, and No keeps it.
    b.p.rispondi_si_no(false);
    b.premi(QStringLiteral("Salva Modello"));
    QCOMPARE(b.p.richieste().size(), 1);
    QCOMPARE(b.p.richieste().front().tipo, PiattaformaScriptata::Tipo::Domanda);
    QCOMPARE(archivio_modelli::leggi_modello(b.basedati(), 1)->fonte, modello::fonte_pubblicato);
    QVERIFY(!b.f->modello_salvato());
    b.p.azzera();
    b.p.rispondi_si_no(true);
    b.premi(QStringLiteral("Salva Modello"));
    QCOMPARE(b.p.messaggi(), QStringList{QStringLiteral("Modello salvato")});
    const auto salvato = archivio_modelli::leggi_modello(b.basedati(), 1);
    QVERIFY(salvato);
    QCOMPARE(salvato->fonte, modello::fonte_adattato);
    QCOMPARE(salvato->griglie.size(), 9);
    QVERIFY(std::abs(salvato->parametri.mu - mu) < 0.01);
    QVERIFY(salvato->punti > 0);
    QVERIFY(b.f->modello_salvato());

    // The export proposes the tube's file name and writes the subcircuit.
    b.p.azzera();
    const QString inc = b.dir.path() + QStringLiteral("/uscita.inc");
    b.p.rispondi_file(inc);
    b.premi(QStringLiteral("Esporta SPICE"));
    QCOMPARE(b.p.richieste().front().dialogo.nome_iniziale, QStringLiteral("12AX7.inc"));
    QFile f(inc);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QString testo = QString::fromUtf8(f.readAll());
    QVERIFY(testo.contains(QStringLiteral(".SUBCKT 12AX7 P G K")));
    QVERIFY(testo.contains(QStringLiteral("12AX7trio.gif")));

    // The model drawn over the picture, and gone with "Mostra Modello" off.
    const QImage con = b.f->immagine_mostrata();
    b.controllo<QCheckBox>(QStringLiteral("Mostra Modello"))->setChecked(false);
    const QImage senza = b.f->immagine_mostrata();
    QVERIFY(con != senza);
    if (qEnvironmentVariableIsSet("KORVEL_CATTURE")) {
        b.controllo<QCheckBox>(QStringLiteral("Mostra Modello"))->setChecked(true);
        b.f->grab().save(qEnvironmentVariable("KORVEL_CATTURE") + QStringLiteral("/modello_12ax7.png"));
    }
}

void TstFinestraModello::griglia_sbagliata_riga_rossa()
{
    Banco b("12AU7");
    b.campo(QStringLiteral("Vg prima curva (V)="))->setText(QStringLiteral("0"));
    b.campo(QStringLiteral("Passo Vg (V)="))->setText(QStringLiteral("2"));
    b.premi(QStringLiteral("Traccia Curve"));
    QVERIFY(b.tabella()->rowCount() >= 8);
    // Curve 4 is at -8 V; typed as -9 V.
    b.tabella()->item(4, 0)->setText(QStringLiteral("-9"));
    QVERIFY(b.adatta());
    QVERIFY2(b.p.messaggi().isEmpty(), qPrintable(b.p.messaggi().join('|')));
    for (int r = 0; r < b.tabella()->rowCount(); ++r)
        QCOMPARE(b.tabella()->item(r, 0)->foreground().color() == Qt::red, r == 4);
}

// The repairs as a user makes them: a grid voltage typed in a cell, two
// rows picked with Ctrl held and joined, a row removed; the rows below each
// repair follow the sequence again, the typed cell keeps its voltage.
void TstFinestraModello::unisci_e_rimuovi_rinumerano()
{
    Banco b("12AX7");
    b.campo(QStringLiteral("Vg prima curva (V)="))->setText(QStringLiteral("0"));
    b.campo(QStringLiteral("Passo Vg (V)="))->setText(QStringLiteral("0.5"));
    b.premi(QStringLiteral("Traccia Curve"));
    QCOMPARE(b.tabella()->rowCount(), 9);
    auto* unisci = b.controllo<QPushButton>(QStringLiteral("Unisci Curve"));
    auto* rimuovi = b.controllo<QPushButton>(QStringLiteral("Rimuovi Curva"));
    QVERIFY(!unisci->isEnabled());
    b.tabella()->item(5, 0)->setText(QStringLiteral("-2.6"));
    const int punti = b.colonna(1)[1].toInt() + b.colonna(1)[2].toInt();
    const auto clic_riga = [&](int r, Qt::KeyboardModifiers m) {
        QTest::mouseClick(b.tabella()->viewport(), Qt::LeftButton, m,
                          b.tabella()->visualItemRect(b.tabella()->item(r, 1)).center());
    };
    clic_riga(1, Qt::NoModifier);
    QVERIFY(rimuovi->isEnabled() && !unisci->isEnabled());
    clic_riga(2, Qt::ControlModifier);
    QVERIFY(unisci->isEnabled());
    const QImage prima = b.f->immagine_mostrata();
    unisci->click();
    QCOMPARE(b.colonna(0), QStringList({"0", "-0.5", "-1", "-1.5", "-2.6", "-2.5", "-3", "-3.5"}));
    QCOMPARE(b.colonna(1)[1].toInt(), punti);
    // The joined row stays selected, and is one trace less on the picture.
    QCOMPARE(b.tabella()->selectionModel()->selectedRows().size(), 1);
    QCOMPARE(b.tabella()->selectionModel()->selectedRows().front().row(), 1);
    QVERIFY(b.f->immagine_mostrata() != prima);
    if (qEnvironmentVariableIsSet("KORVEL_CATTURE"))
        b.f->grab().save(qEnvironmentVariable("KORVEL_CATTURE") + QStringLiteral("/modello_unisci.png"));

    clic_riga(0, Qt::NoModifier);
    rimuovi->click();
    QCOMPARE(b.colonna(0), QStringList({"0", "-0.5", "-1", "-2.6", "-2", "-2.5", "-3"}));
    // The repaired rows fit as traced ones do.
    QVERIFY(b.adatta());
    QVERIFY2(b.p.messaggi().isEmpty(), qPrintable(b.p.messaggi().join('|')));
    QVERIFY(!b.campo(QStringLiteral("mu="))->text().isEmpty());
}

void TstFinestraModello::errori_senza_salvare_data()
{
    QTest::addColumn<QString>("sigla");
    QTest::addColumn<QString>("cella");
    QTest::addColumn<int>("righe_tolte");
    QTest::addColumn<QString>("messaggio");
    QTest::newRow("griglia non numero") << "12AX7"
                                        << "-1,5 V" << 0 << adattamento::msg_griglia_non_numero(3);
    QTest::newRow("griglia vuota") << "12AX7"
                                   << "" << 0 << adattamento::msg_griglia_non_numero(3);
    QTest::newRow("una curva sola") << "12AX7"
                                    << "-1" << 8 << adattamento::msg_poche_curve.testo();
    QTest::newRow("pentodo senza Vg2") << "6CA7"
                                       << "-5" << 0 << adattamento::msg_senza_vg2.testo();
}

void TstFinestraModello::errori_senza_salvare()
{
    QFETCH(QString, sigla);
    QFETCH(QString, cella);
    QFETCH(int, righe_tolte);
    QFETCH(QString, messaggio);
    Banco b(sigla.toLatin1().constData());
    b.premi(QStringLiteral("Traccia Curve"));
    QVERIFY(b.tabella()->rowCount() > 2);
    for (int k = 0; k < righe_tolte; ++k) {
        b.tabella()->selectRow(0);
        b.premi(QStringLiteral("Rimuovi Curva"));
    }
    b.tabella()->item(std::min(2, b.tabella()->rowCount() - 1), 0)->setText(cella);
    const auto prima = archivio_modelli::leggi_modello(b.basedati(), id_demo(sigla.toLatin1().constData()));
    QVERIFY(b.adatta());
    QCOMPARE(b.p.messaggi(), QStringList{messaggio});
    QVERIFY(b.campo(QStringLiteral("mu="))->text().isEmpty());
    QVERIFY(!b.controllo<QPushButton>(QStringLiteral("Salva Modello"))->isEnabled());
    const auto dopo = archivio_modelli::leggi_modello(b.basedati(), id_demo(sigla.toLatin1().constData()));
    QCOMPARE(dopo->fonte, prima->fonte);
}

void TstFinestraModello::grafico_senza_curve()
{
    // Blank paper and the grid alone.
    QImage bianco(518, 418, QImage::Format_RGB32);
    bianco.fill(Qt::white);
    QImage griglia = bianco;
    {
        QPainter p(&griglia);
        p.setPen(QColor(170, 170, 170));
        for (int k = 0; k <= 10; ++k) {
            p.drawLine(56 + 44 * k, 40, 56 + 44 * k, 380);
            p.drawLine(56, 380 - 34 * k, 496, 380 - 34 * k);
        }
    }
    for (const QImage& img : {bianco, griglia}) {
        Banco b("12AX7", img);
        b.premi(QStringLiteral("Traccia Curve"));
        QCOMPARE(b.tabella()->rowCount(), 0);
        QCOMPARE(b.p.messaggi().size(), 1);
        QVERIFY(b.p.messaggi().front().startsWith(QStringLiteral("Nessuna curva trovata")));
        QVERIFY(!b.controllo<QPushButton>(QStringLiteral("Adatta Modello"))->isEnabled());
    }
}

void TstFinestraModello::finestra_principale()
{
    QTemporaryDir dir;
    QVERIFY(copia_dati_demo(dir.path()));
    const QString db = dir.path() + QStringLiteral("/DatiValvole/DBValvole.mdb");
    PiattaformaScriptata p;
    KORVEL w(p, dir.path());
    w.KORVEL_Form_Load();
    auto* voce = w.findChild<QAction*>(QStringLiteral("modello_valvola"));
    auto* mostra = w.findChild<QAction*>(QStringLiteral("mostra_modello"));
    QVERIFY(voce && mostra);
    QCOMPARE(voce->text(), QStringLiteral("&Modello Valvola..."));
    QCOMPARE(mostra->text(), QStringLiteral("Mostra Modello"));
    QVERIFY(!voce->isEnabled());
    QVERIFY(!mostra->isEnabled());

    const int riga = riga_valvola(w.lista(), QStringLiteral("12AX7"));
    QVERIFY(riga > 0);
    w.caricatore().griglia_DB_DblClick(riga);
    QVERIFY(voce->isEnabled());
    QVERIFY(mostra->isEnabled());
    QStringList righe;
    for (int r = 0; r < w.grid_caratteristiche->rowCount(); ++r)
        righe << w.grid_caratteristiche->item(r, 0)->text() + '|' + w.grid_caratteristiche->item(r, 1)->text();
    for (const char* attesa : {"Modello|Triodo (Koren)", "mu|100", "Ex|1.4", "Kg1|1060", "Kp|600", "Kvb|300", "Vct|0",
                               "Fonte modello|Koren, pubblicato"})
        QVERIFY2(righe.contains(QString::fromUtf8(attesa)), qPrintable(righe.join(" / ")));

    // Drawn by XOR over the chart, and erased by the second command.
    const QImage prima = w.grafico().canvas().copy();
    mostra->trigger();
    QVERIFY(mostra->isChecked());
    QVERIFY(w.grafico().canvas() != prima);
    mostra->trigger();
    QVERIFY(!mostra->isChecked());
    QCOMPARE(w.grafico().canvas(), prima);

    // A tube whose model is gone: the command is off.
    QVERIFY(QSqlDatabase::isDriverAvailable(QStringLiteral("QSQLITE")));
    {
        QSqlDatabase c = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("togli"));
        c.setDatabaseName(db);
        QVERIFY(c.open());
        QSqlQuery q(c);
        QVERIFY(q.exec(QStringLiteral("delete from ModelliValvole where ID = %1").arg(id_demo("12AU7"))));
        c.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("togli"));
    w.caricatore().griglia_DB_DblClick(riga_valvola(w.lista(), QStringLiteral("12AU7")));
    QVERIFY(voce->isEnabled());
    QVERIFY(!mostra->isEnabled());
    for (int r = 0; r < w.grid_caratteristiche->rowCount(); ++r)
        QVERIFY(w.grid_caratteristiche->item(r, 0)->text() != QStringLiteral("Modello"));
}

QTEST_MAIN(TstFinestraModello)
#include "tst_finestra_modello.moc"
