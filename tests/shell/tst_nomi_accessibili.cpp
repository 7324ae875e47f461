// What a screen reader hears of the labels that show a value: every window's
// accessible tree walked from its top, every label read under the text it
// shows (never under a fixed name that hides it), the labels that show a
// value carrying their caption as description, and read under the new value
// once it changes.

#include "support/cartella_prova.h"
#include "tubes/mani_nuovo_dispositivo.h"

#include "archive/cartelle.h"
#include "chart/stato_grafico.h"
#include "chart/ui/ricalcolo.h"
#include "common/libreria_immagini.h"
#include "foglio/ui/ritaglia_grafico.h"
#include "model/ui/finestra_modello.h"
#include "platform/piattaforma_scriptata.h"
#include "response/ui/grafico_risposta.h"
#include "shell/about.h"
#include "shell/kor_manuale.h"
#include "shell/korvel.h"
#include "tubes/caricatore_valvola.h"
#include "tubes/ui/nuovo_dispositivo.h"

#include "PdfWriter.h"

#include <QAccessible>
#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QTextDocument>
#include <QtTest>

#include <cmath>

namespace {

// The text a label shows, as plain text without mnemonic marks.
QString testo_mostrato(const QLabel* l)
{
    QString t = l->text();
    if (l->textFormat() == Qt::RichText || (l->textFormat() == Qt::AutoText && Qt::mightBeRichText(t))) {
        QTextDocument d;
        d.setHtml(t);
        t = d.toPlainText();
    }
    t.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
    t.remove(u'&');
    t.replace(u'\x01', u'&');
    return t;
}

// A label as the accessible tree presents it.
struct Letta {
    QString nome;
    QString descrizione;
};

// Walks the accessible tree below `nodo`, collecting every label reached.
void visita(QAccessibleInterface* nodo, QHash<QLabel*, Letta>& etichette, int profondita = 0)
{
    if (!nodo || profondita > 60)
        return;
    if (auto* l = qobject_cast<QLabel*>(nodo->object()))
        etichette.insert(l, {nodo->text(QAccessible::Name), nodo->text(QAccessible::Description)});
    for (int i = 0; i < nodo->childCount(); ++i)
        visita(nodo->child(i), etichette, profondita + 1);
}

// Every label of the window with a text is read under that text. Gives the
// labels reached, for the checks of the value labels.
QHash<QLabel*, Letta> controlla_finestra(QWidget* finestra)
{
    QHash<QLabel*, Letta> etichette;
    visita(QAccessible::queryAccessibleInterface(finestra), etichette);
    for (auto it = etichette.cbegin(); it != etichette.cend(); ++it) {
        const QString atteso = testo_mostrato(it.key());
        if (atteso.isEmpty())
            continue;
        if (it->nome != atteso)
            qWarning("%s %s: name \"%s\", text \"%s\"", qPrintable(finestra->objectName()),
                     qPrintable(it.key()->objectName()), qPrintable(it->nome), qPrintable(atteso));
        if (it->nome != atteso)
            return {};
    }
    return etichette;
}

// One value label: reached in the tree, read under the value it shows (not
// empty: the test gave it one), its caption as description.
void controlla_valore(const QHash<QLabel*, Letta>& lette, QLabel* l, const QString& didascalia)
{
    QVERIFY2(lette.contains(l), qPrintable(l->objectName() + " not in the accessible tree"));
    QVERIFY2(!l->text().isEmpty(), qPrintable(l->objectName() + " shows no value"));
    QCOMPARE(lette.value(l).nome, testo_mostrato(l));
    QCOMPARE(lette.value(l).descrizione, didascalia);
}

// The label's value changes by `cambia`, the window's own way: its name
// follows.
template <typename F> void controlla_cambio(QWidget* finestra, QLabel* l, F cambia)
{
    const QString prima = l->text();
    cambia();
    QVERIFY2(l->text() != prima, qPrintable(l->objectName() + " kept its text"));
    const auto lette = controlla_finestra(finestra);
    QVERIFY(!lette.isEmpty());
    QCOMPARE(lette.value(l).nome, testo_mostrato(l));
}

// The grid of a curve picture as the new-tube window shows it: ten
// divisions each way from the origin (56, 380) to (496, 40).
QImage griglia_diritta()
{
    QImage img(518, 418, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    p.setPen(QPen(Qt::black, 1));
    for (int k = 0; k <= 10; ++k) {
        p.drawLine(56 + k * 44, 40, 56 + k * 44, 380);
        p.drawLine(56, 380 - k * 34, 496, 380 - k * 34);
    }
    return img;
}

// A picture of a plate-curve grid drawn turned by `gradi`.
QImage griglia_inclinata(double gradi)
{
    QImage img(1200, 900, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.translate(600, 450);
    p.rotate(gradi);
    p.translate(-600, -450);
    p.setPen(QPen(Qt::black, 2));
    for (int k = 0; k <= 10; ++k) {
        p.drawLine(QPointF(100 + k * 100, 100), QPointF(100 + k * 100, 800));
        p.drawLine(QPointF(100, 100 + k * 70), QPointF(1100, 100 + k * 70));
    }
    return img;
}

void scrivi_pdf(const QString& percorso, int pagine)
{
    PdfWriter w;
    std::string nome = percorso.toStdString();
    w.InitPDFFile(nome);
    std::string arial = "Arial";
    w.LoadFont("F1", arial);
    for (int i = 0; i < pagine; ++i) {
        w.BeginPage();
        float x = 100;
        w.DrawText(x, 700, "Pagina di prova", "F1", 14);
        w.EndPage();
    }
    w.ClosePDFFile();
}

} // namespace

class TestNomiAccessibili : public QObject {
    Q_OBJECT

private slots:
    // The main window with a tube loaded: the names of its three pictures.
    void finestra_principale()
    {
        CartellaProva c;
        QVERIFY(c.crea_tabella());
        QVERIFY(c.inserisci(CartellaProva::valvola(QStringLiteral("12AX7"), QStringLiteral("ECC83"))));
        QVERIFY(c.inserisci(CartellaProva::valvola(QStringLiteral("6V6"), QString(), QStringLiteral("6v6.gif"))));
        PiattaformaScriptata p;
        KORVEL w(p, c.programma());
        w.KORVEL_Form_Load();
        w.show();
        w.caricatore().griglia_DB_DblClick(1);
        const auto lette = controlla_finestra(&w);
        QVERIFY(!lette.isEmpty());
        controlla_valore(lette, w.nomefile_curva, QStringLiteral("Curva File"));
        controlla_valore(lette, w.nomefile_immagine, QStringLiteral("Immagine File"));
        controlla_valore(lette, w.nomefile_piedinatura, QStringLiteral("Piedinatura File"));
        controlla_cambio(&w, w.nomefile_curva, [&] { w.caricatore().griglia_DB_DblClick(2); });
    }

    // The new-tube window over a calibrated grid: the file names and the
    // grid division, which follows the current typed.
    void finestra_nuova_valvola()
    {
        CartellaProva c;
        QVERIFY(c.crea_tabella());
        imposta_cartelle(c.programma());
        const QString figura = c.dir.filePath(QStringLiteral("griglia.png"));
        QVERIFY(griglia_diritta().save(figura, "PNG"));
        PiattaformaScriptata p;
        LibreriaImmagini libreria;
        Nuovo_Dispositivo n(p, libreria);
        n.show();
        p.rispondi_file(figura);
        n.carica[0]->trigger();
        QTest::keyClicks(n.nome_valvola[0], QStringLiteral("12AU7"));
        QVERIFY(n.griglia().trovata());
        clic_e_scegli(n, {56, 380}, QStringLiteral("Set Origine"));
        clic_e_scegli(n, {56, 40}, QStringLiteral("Set Corrente massima"));
        clic_e_scegli(n, {496, 380}, QStringLiteral("Set Tensione Massima"));
        QTest::keyClicks(n.max_current_i, QStringLiteral("20"));
        QTest::keyClicks(n.max_voltage_V, QStringLiteral("500"));
        const auto lette = controlla_finestra(&n);
        QVERIFY(!lette.isEmpty());
        controlla_valore(lette, n.divisione_griglia, QStringLiteral("Divisione della griglia"));
        controlla_valore(lette, n.orig_curve, QStringLiteral("File Originale Curve"));
        controlla_valore(lette, n.nomefile_curva, QStringLiteral("File Curve"));
        controlla_valore(lette, n.nomefile_immagine, QStringLiteral("File Immagine"));
        controlla_valore(lette, n.nomefile_piedinatura, QStringLiteral("File Piedinatura"));
        controlla_cambio(&n, n.divisione_griglia, [&] { QTest::keyClicks(n.max_current_i, QStringLiteral("5")); });
    }

    // The crop window of a sheet printed askew: the straightening done.
    void finestra_ritaglio()
    {
        PiattaformaScriptata p;
        Ritaglia_Grafico r(p, griglia_inclinata(0.6));
        r.show();
        const auto lette = controlla_finestra(&r);
        QVERIFY(!lette.isEmpty());
        controlla_valore(lette, r.nota, QStringLiteral("Raddrizzatura"));
    }

    // The response window: the state of the computation, which follows the
    // amplitude typed.
    void finestra_risposta()
    {
        PiattaformaScriptata p;
        modello::ParametriModello m;
        m.mu = 100;
        m.ex = 1.4;
        m.kg1 = 1060;
        m.kp = 600;
        m.kvb = 300;
        GraficoRisposta f(p, m, {"300", "98500", "-1.5", "1500", "", "2", true});
        f.show();
        const auto lette = controlla_finestra(&f);
        QVERIFY(!lette.isEmpty());
        controlla_valore(lette, f.stato, QStringLiteral("Stato del calcolo"));
        controlla_cambio(&f, f.stato, [&] {
            f.ampiezza->setText(QStringLiteral("x"));
            f.ricalcola();
        });
    }

    // The document viewer: the page shown, which follows the page turned.
    void visualizzatore()
    {
        QTemporaryDir dir;
        const QString pdf = dir.filePath(QStringLiteral("due pagine.pdf"));
        scrivi_pdf(pdf, 2);
        KOR_MANUALE v(pdf, QStringLiteral("Documento"));
        v.show();
        const auto lette = controlla_finestra(&v);
        QVERIFY(!lette.isEmpty());
        controlla_valore(lette, v.indicatore_pagina, QStringLiteral("Pagina corrente"));
        controlla_cambio(&v, v.indicatore_pagina, [&] { v.pagina_successiva->trigger(); });
    }

    // The windows without a value label of their own still read every
    // label under its text.
    void altre_finestre()
    {
        About a;
        a.show();
        QVERIFY(!controlla_finestra(&a).isEmpty());
        StatoGrafico s;
        Ricalcolo r(s);
        r.show();
        QVERIFY(!controlla_finestra(&r).isEmpty());

        CartellaProva c;
        QVERIFY(c.crea_tabella());
        PiattaformaScriptata p;
        FinestraModello::Valvola v;
        v.id = 1;
        v.sigla = QStringLiteral("12AU7");
        v.modo = QStringLiteral("TRIODO");
        v.file_basedati = c.basedati();
        v.immagine = griglia_diritta();
        v.taratura.org_x = 56;
        v.taratura.org_y = 380;
        v.taratura.vmax_x = 496;
        v.taratura.vmax_y = 380;
        v.taratura.vmax_v = 500;
        v.taratura.imax_x = 56;
        v.taratura.imax_y = 40;
        v.taratura.imax_i = 20;
        FinestraModello m(p, v);
        m.show();
        QVERIFY(!controlla_finestra(&m).isEmpty());
    }
};

QTEST_MAIN(TestNomiAccessibili)
#include "tst_nomi_accessibili.moc"
