// Choosing the page of a data-sheet PDF in "Pagina", as a user does, and
// what "Ritaglia Grafico" then opens: every thumbnail of a long document can
// be reached by the scroll bar, the arrows and the page keys, the one chosen
// stays in view, a click on the visible part of a thumbnail cut by the
// window's edge chooses it, and OK opens exactly that page. A page without a
// plot starts the crop on the whole page and says so.

#include "foglio_pdf.h"
#include "tubes/mani_nuovo_dispositivo.h"
#include "support/cartella_prova.h"

#include "archive/cartelle.h"
#include "common/libreria_immagini.h"
#include "foglio/ui/ritaglia_grafico.h"
#include "foglio/ui/scelta_pagina.h"
#include "platform/piattaforma_scriptata.h"
#include "tubes/ui/nuovo_dispositivo.h"

#include "PdfWriter.h"

#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QtTest>

#include <cmath>
#include <string>

namespace {

// Page k (from 0) of the long document carries one black bar, its left edge
// at 40 + 30 k points: where the bar lies on the page opened tells which
// page it is. Nothing on these pages is a plot.
constexpr int pagine_lunghe = 16;
double bordo_barra(int k)
{
    return 40 + 30.0 * k;
}

void scrivi_lungo(const QString& percorso)
{
    PdfWriter w;
    w.ScaleMode(0);
    w.PaperSize(2);
    std::string nome = percorso.toStdString();
    w.InitPDFFile(nome);
    for (int k = 0; k < pagine_lunghe; ++k) {
        w.BeginPage();
        w.SetColorFill(0);
        w.Rectangle(float(bordo_barra(k)), 100, 20, 600, 4);
        w.EndPage();
    }
    w.ClosePDFFile();
}

// The page a rendering of the long document shows, from its bar; -1 when
// there is no bar.
int pagina_della_barra(const QImage& img)
{
    const int y = img.height() / 2;
    for (int x = 0; x < img.width(); ++x)
        if (qGray(img.pixel(x, y)) < 100)
            return int(std::lround((x * 72.0 / 300 - 40) / 30));
    return -1;
}

void fotografa(QWidget& w, const QString& nome)
{
    const QByteArray cartella = qgetenv("KORVEL_FOTO");
    if (!cartella.isEmpty())
        w.grab().save(QString::fromLocal8Bit(cartella) + QLatin1Char('/') + nome + QStringLiteral(".png"));
}

// What the test saw in the two windows, checked once they are closed.
struct Visto {
    int righe_in_vista = 0;  // rows of thumbnails the list shows at once
    bool tagliata = false;   // the thumbnail aimed at was cut by the edge
    QStringList fuori_vista; // keys after which the selected page was not in view
    QList<int> dopo_tasti;   // the selected page after each key
    int scelta = -2;         // the page the chooser answered
    int aperta = -2;         // the page the crop window was opened on
    QRect ritaglio, intera, cornice;
    bool messaggio_visibile = false;
    QString messaggio, nome_messaggio;
};

} // namespace

class TstSceltaPagina : public QObject {
    Q_OBJECT
private slots:
    void pagina_scelta_e_aperta_data()
    {
        QTest::addColumn<QString>("documento"); // lungo: 16 pages; foglio: the 2-page sheet
        QTest::addColumn<QString>("mano");      // clic or tastiera
        QTest::addColumn<int>("pagina");        // from 0
        QTest::newRow("page 7 by a click on its visible part") << "lungo"
                                                               << "clic" << 6;
        QTest::newRow("page 7 by the keyboard") << "lungo"
                                                << "tastiera" << 6;
        QTest::newRow("the sheet's plot page by the keyboard") << "foglio"
                                                               << "tastiera" << 1;
    }
    void pagina_scelta_e_aperta()
    {
        QFETCH(QString, documento);
        QFETCH(QString, mano);
        QFETCH(int, pagina);

        CartellaProva c;
        c.crea_tabella();
        imposta_cartelle(c.programma());
        PiattaformaScriptata p;
        LibreriaImmagini libreria;
        Nuovo_Dispositivo w(p, libreria);
        w.show();
        const QString pdf = c.dir.filePath(QStringLiteral("foglio.pdf"));
        if (documento == "lungo")
            scrivi_lungo(pdf);
        else
            foglio_pdf::scrivi(pdf);
        const bool lungo = documento == "lungo";

        Visto v;
        p.rispondi_file(pdf);
        p.rispondi_finestra([&](QDialog& d) {
            auto& s = dynamic_cast<Scelta_Pagina&>(d);
            QListWidget* l = s.elenco;
            s.show();
            QApplication::processEvents();
            const auto cella = [&](int k) { return l->visualItemRect(l->item(k)); };
            const auto in_vista = [&](int k) { return l->viewport()->rect().contains(cella(k)); };
            // The window as it opens shows more than one row of a long
            // document; then it is made one and a half rows high, so the
            // second row is cut by its lower edge.
            v.righe_in_vista = l->viewport()->height() / std::max(1, cella(0).height());
            if (lungo) {
                s.resize(s.width(), s.height() - l->viewport()->height() + cella(0).height() * 3 / 2);
                QApplication::processEvents();
            }
            fotografa(s, QStringLiteral("pagina %1").arg(documento));
            int colonne = 0;
            while (colonne < l->count() && cella(colonne).top() == cella(0).top())
                ++colonne;
            l->setFocus();
            const auto tasto = [&](Qt::Key k, const char* nome) {
                QTest::keyClick(l, k);
                v.dopo_tasti << s.pagina();
                if (s.pagina() < 0 || !in_vista(s.pagina()))
                    v.fuori_vista << QString::fromLatin1(nome);
            };
            if (mano == "clic") {
                // Scrolled, by the scroll bar, to where the target's row is
                // cut in half by the lower edge.
                QScrollBar* barra = l->verticalScrollBar();
                barra->setValue(barra->value() + cella(pagina).top() -
                                (l->viewport()->height() - cella(pagina).height() / 2));
                QApplication::processEvents();
                fotografa(s, QStringLiteral("pagina %1 scorsa").arg(documento));
                const QRect visibile = cella(pagina).intersected(l->viewport()->rect());
                v.tagliata = !visibile.isEmpty() && visibile != cella(pagina);
                QTest::mouseClick(l->viewport(), Qt::LeftButton, {}, visibile.center());
                v.dopo_tasti << s.pagina();
                if (s.pagina() < 0 || !in_vista(s.pagina()))
                    v.fuori_vista << QStringLiteral("clic");
            } else {
                // Every page is reached, and comes into view.
                tasto(Qt::Key_End, "End");
                tasto(Qt::Key_PageUp, "PageUp");
                tasto(Qt::Key_Home, "Home");
                tasto(Qt::Key_PageDown, "PageDown");
                tasto(Qt::Key_PageUp, "PageUp");
                for (int k = 0; k < pagina / colonne; ++k)
                    tasto(Qt::Key_Down, "Down");
                for (int k = 0; k < pagina % colonne; ++k)
                    tasto(Qt::Key_Right, "Right");
            }
            fotografa(s, QStringLiteral("pagina %1 %2 scelta").arg(documento, mano));
            s.ok->click();
            v.scelta = s.pagina();
            return s.result();
        });
        p.rispondi_finestra([&](QDialog& d) {
            auto& r = dynamic_cast<Ritaglia_Grafico&>(d);
            r.show();
            QApplication::processEvents();
            v.aperta = lungo ? pagina_della_barra(r.immagine()) : -1;
            v.ritaglio = r.ritaglio();
            v.intera = r.immagine().rect();
            v.cornice = r.cornice();
            v.messaggio_visibile = r.senza_grafico->isVisible();
            v.messaggio = r.senza_grafico->text();
            v.nome_messaggio = r.senza_grafico->accessibleName();
            fotografa(r, QStringLiteral("ritaglio %1").arg(documento));
            return int(Ritaglia_Grafico::annulla);
        });
        w.carica[0]->trigger();

        QCOMPARE(p.richieste().size(), 3); // the file, the page, the crop
        QVERIFY2(v.fuori_vista.isEmpty(), qPrintable(v.fuori_vista.join(u' ')));
        QCOMPARE(v.scelta, pagina);
        if (lungo) {
            QVERIFY(v.righe_in_vista >= 2);
            if (mano == "clic") {
                QVERIFY(v.tagliata);
            } else {
                QCOMPARE(v.dopo_tasti.first(), pagine_lunghe - 1); // End
                QVERIFY(v.dopo_tasti[1] < pagine_lunghe - 1);      // Page Up
                QCOMPARE(v.dopo_tasti[2], 0);                      // Home
                QVERIFY(v.dopo_tasti[3] > 0);                      // Page Down
                QCOMPARE(v.dopo_tasti[4], 0);                      // Page Up
            }
            QCOMPARE(v.aperta, pagina);
            // No plot on the page: the crop starts on all of it, and says why.
            QVERIFY(v.cornice.isEmpty());
            QCOMPARE(v.ritaglio, v.intera);
            QVERIFY(v.messaggio_visibile);
            QCOMPARE(v.messaggio, QStringLiteral("Nessun grafico trovato in questa pagina: trascinare un rettangolo "
                                                 "attorno al grafico"));
            QCOMPARE(v.nome_messaggio, v.messaggio);
        } else {
            // The plot found: the crop starts on it, and no word of a miss.
            QVERIFY(!v.cornice.isEmpty());
            QVERIFY(v.ritaglio != v.intera);
            QVERIFY(!v.messaggio_visibile);
        }
    }
};

QTEST_MAIN(TstSceltaPagina)
#include "tst_scelta_pagina.moc"
