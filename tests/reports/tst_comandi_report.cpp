// The report commands on the real main window, offscreen, with the demo
// 12AX7 and a designed stage: the dialogs answered by the scripted seam,
// the outputs checked by the tools that read them.
//
// KORVEL_SCHERMATA=<file.pdf> in the environment keeps the report with the
// stage response, to look at.
#include "archive/cartelle.h"
#include "chart/grafico.h"
#include "chart/ui/picture1.h"
#include "finale/ui/finestra_stadio_finale.h"
#include "platform/piattaforma_scriptata.h"
#include "reports/comandi_report.h"
#include "response/ui/grafico_risposta.h"
#include "shell/kor_manuale.h"
#include "shell/korvel.h"
#include "tubes/caricatore_valvola.h"
#include "tubes/lista_valvole.h"
#include "report_prova.h"
#include "support/programma_demo.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QImageReader>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTimer>
#include <QUrl>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

using namespace report_prova;
using Tipo = PiattaformaScriptata::Tipo;

namespace {

QString pdftotext_pagina(const QString& pdf, int pagina)
{
    const QString n = QString::number(pagina);
    return esegui(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), QStringLiteral("-f"), n,
                                                QStringLiteral("-l"), n, pdf, QStringLiteral("-")})
        .uscita;
}

int richieste(const PiattaformaScriptata& p, Tipo tipo)
{
    int n = 0;
    for (const auto& r : p.richieste())
        n += r.tipo == tipo;
    return n;
}

} // namespace

class TstComandiReport : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void init() { p_.azzera(); }

    void report_pdf();
    void report_pdf_annullato();
    void diagramma_immagine();
    void pagina_html_completa();
    void pagina_html_messaggi();
    void stampa_data();
    void stampa();
    void con_risposta();
    void con_stadio_finale();
    void senza_modello();

private:
    PiattaformaScriptata p_;
    QTemporaryDir programma_;
    QTemporaryDir uscite_;
    std::unique_ptr<KORVEL> w_;
};

void TstComandiReport::initTestCase()
{
    QVERIFY(copia_dati_demo(programma_.path()));
    for (const char* t : {"SchemaCompleto.tml", "SchemaDiagramma.tml"})
        QVERIFY(
            QFile::copy(QStringLiteral(KORVEL_SOURCE_DIR "/data/") + t, programma_.filePath(QString::fromLatin1(t))));
    w_ = std::make_unique<KORVEL>(p_, programma_.path());
    w_->KORVEL_Form_Load();
    w_->show();
    const int riga = riga_valvola(w_->lista(), QStringLiteral("12AX7"));
    QVERIFY(riga > 0);
    w_->caricatore().griglia_DB_DblClick(riga);
    QVERIFY(w_->salvataggio[0]->isEnabled());

    // A stage: the load line from 300 V, the working point and the gain
    // point on it, their grid voltages.
    Grafico& g = w_->grafico();
    QTest::mouseClick(w_->legenda_retta, Qt::LeftButton);
    g.Picture1_MouseDown(1, 0, 100, 230);
    g.Picture1_MouseMove(1, 0, 300, 330);
    g.Picture1_MouseUp(1, 0, 300, 330);
    w_->calc_function[0]->trigger();
    QTest::mouseClick(w_->legenda_lavoro, Qt::LeftButton);
    g.Picture1_MouseDown(1, 0, 200, 280);
    g.Picture1_MouseUp(1, 0, 200, 280);
    QTest::mouseClick(w_->legenda_guadagno, Qt::LeftButton);
    g.Picture1_MouseDown(1, 0, 250, 305);
    g.Picture1_MouseUp(1, 0, 250, 305);
    for (auto [campo, testo] : {std::pair{Campo::grid_bias, "-1.5"}, std::pair{Campo::gain_bias, "-2.5"}}) {
        QLineEdit* f = w_->campo(campo);
        f->setFocus();
        f->setText(QString::fromLatin1(testo));
        QTest::keyClick(f, Qt::Key_Return);
    }
    QVERIFY(!w_->campo(Campo::gain_value)->text().isEmpty());
    QVERIFY(!w_->campo(Campo::r_catodica)->text().isEmpty());
}

void TstComandiReport::cleanupTestCase()
{
    w_->close();
    w_.reset();
}

void TstComandiReport::report_pdf()
{
    const QString pdf = uscite_.filePath(QStringLiteral("progetto.pdf"));
    p_.rispondi_file(pdf);
    p_.rispondi_input(QStringLiteral("Stadio 12AX7"));
    p_.rispondi_si_no(true);
    w_->salvataggio[0]->trigger();

    const auto& r = p_.richieste();
    QCOMPARE(r.size(), 3);
    QCOMPARE(r[0].testo, QStringLiteral("Salvataggio Progetto"));
    QCOMPARE(r[0].dialogo.filtri, QStringLiteral("pdf (*.pdf)|*.pdf|*.* (*.*)|*.*"));
    QVERIFY(r[0].dialogo.conferma_sovrascrittura);
    QCOMPARE(r[1].testo, QStringLiteral("Titolo del progetto"));
    QCOMPARE(r[2].testo, QStringLiteral("Vuoi visualizzare il risultato?"));
    QCOMPARE(cartelle().pdf_da_mostrare, pdf);
    QCOMPARE(cartelle().titolo_pdf_da_mostrare, QStringLiteral("Stadio 12AX7"));
    // Yes: the viewer shows the report under its title.
    const KOR_MANUALE* v = w_->visualizzatore_pdf();
    QVERIFY(v && v->isVisible());
    QCOMPARE(v->windowTitle(), QStringLiteral("Stadio 12AX7"));
    QCOMPARE(v->file(), pdf);
    // The demo 12AX7 has its published model: a second page shows it.
    QCOMPARE(v->pagine(), 2);

    QCOMPARE(esegui(QStringLiteral("qpdf"), {QStringLiteral("--check"), pdf}).codice, 0);
    const QString testo = pdftotext(pdf);
    QVERIFY(testo.contains(QStringLiteral("Stadio 12AX7")));
    QVERIFY(testo.contains(QStringLiteral("Valvola:12AX7,ECC83,TRIODO")));
    for (Campo c : {Campo::gain_value, Campo::r_value, Campo::r_anodica, Campo::r_catodica, Campo::c_catodica})
        QVERIFY2(testo.contains(w_->campo(c)->text()), qPrintable(w_->campo(c)->text()));
    // The capture is the chart area at its size, with the drawings on it.
    const QStringList img = immagini_pdf(pdf);
    QCOMPARE(img.size(), 4);
    const QString area = QStringLiteral("%1x%2").arg(w_->Picture1_->width()).arg(w_->Picture1_->height());
    QCOMPARE(img[0], area);
    // The model over the curves, at the size of the diagram.
    QCOMPARE(img[3], area);
    const QString seconda = pdftotext_pagina(pdf, 2);
    QVERIFY(seconda.contains(QStringLiteral("Modello della valvola")));
    QVERIFY(seconda.contains(QStringLiteral("Koren, pubblicato")));
    QVERIFY(QRegularExpression(QStringLiteral("mu=\\s+100\\s")).match(seconda).hasMatch());
    // The response window was never opened for this design.
    QVERIFY(!seconda.contains(QStringLiteral("Risposta dello stadio")));
    QCOMPARE(w_->Picture2->pixmap().toImage().convertToFormat(QImage::Format_RGB32),
             w_->grafico().canvas().copy(QRect(QPoint(0, 0), w_->Picture1_->size())));
}

void TstComandiReport::report_pdf_annullato()
{
    cartelle().pdf_da_mostrare.clear();
    p_.rispondi_file(std::nullopt);
    w_->salvataggio[0]->trigger();
    QCOMPARE(p_.richieste().size(), 1);
    // An empty name is the same as cancelling.
    p_.rispondi_file(QStringLiteral(" "));
    w_->salvataggio[0]->trigger();
    QCOMPARE(p_.richieste().size(), 2);
    // No: the viewer is left alone.
    p_.rispondi_file(uscite_.filePath(QStringLiteral("no.pdf")));
    p_.rispondi_input(std::nullopt);
    p_.rispondi_si_no(false);
    w_->salvataggio[0]->trigger();
    QVERIFY(QFile::exists(uscite_.filePath(QStringLiteral("no.pdf"))));
    QVERIFY(cartelle().pdf_da_mostrare.isEmpty());
}

void TstComandiReport::diagramma_immagine()
{
    // A name typed without an extension takes the selected filter's.
    const QString tif = uscite_.filePath(QStringLiteral("diagramma.tif"));
    p_.rispondi_file(uscite_.filePath(QStringLiteral("diagramma")));
    p_.rispondi_filtro(2);
    w_->salvataggio[2]->trigger();
    QCOMPARE(p_.richieste().first().testo, QStringLiteral("Salvataggio Grafico"));
    QCOMPARE(p_.richieste().first().dialogo.filtri,
             QStringLiteral("jpg (*.jpg)|*.jpg|TIFF (*.tif)|*.tif|BMP (*.bmp)|*.bmp"));
    QVERIFY(p_.messaggi().isEmpty());
    QCOMPARE(int(FreeImage_GetFileType(QFile::encodeName(tif).constData(), 0)), int(FIF_TIFF));
    FIBITMAP* b = FreeImage_Load(FIF_TIFF, QFile::encodeName(tif).constData(), 0);
    QVERIFY(b);
    const QSize letta(int(FreeImage_GetWidth(b)), int(FreeImage_GetHeight(b)));
    FreeImage_Unload(b);
    QCOMPARE(letta, w_->Picture1_->size());

    p_.azzera();
    p_.rispondi_file(uscite_.filePath(QStringLiteral("manca/diagramma.jpg")));
    w_->salvataggio[2]->trigger();
    QCOMPARE(p_.messaggi(), QStringList{QStringLiteral("Errore nella generazione del file")});
}

void TstComandiReport::pagina_html_completa()
{
    const QString pagina = uscite_.filePath(QStringLiteral("progetto.htm"));
    p_.rispondi_file(pagina);
    p_.rispondi_input(QStringLiteral("Fono & <linea>"));
    w_->salvataggio[1]->trigger();
    QVERIFY(p_.messaggi().isEmpty());
    const auto& r = p_.richieste();
    QCOMPARE(r.first().testo, QStringLiteral("Scelta Pagina Progetto HTML"));
    QCOMPARE(r.last().tipo, Tipo::Browser);
    QCOMPARE(r.last().testo, pagina);
    QCOMPARE(r.last().larghezza, 1000);
    QCOMPARE(r.last().altezza, 700);
    QFile f(pagina);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray testo = f.readAll();
    QVERIFY(testo.contains("PROGETTO/Figura1.jpg"));
    QVERIFY(testo.contains("PROGETTO/Figura2.jpg"));
    QVERIFY(testo.contains("PROGETTO/Figura3.gif"));
    QVERIFY(testo.contains("Fono &amp; &lt;linea&gt;"));
    QVERIFY(!testo.contains("VORAN"));
    QCOMPARE(QDir(uscite_.filePath(QStringLiteral("PROGETTO"))).entryList(QDir::Files),
             (QStringList{QStringLiteral("Figura1.jpg"), QStringLiteral("Figura2.jpg"), QStringLiteral("Figura3.gif"),
                          QStringLiteral("Modello.png")}));

    // The diagram page: its own folder, the diagram alone.
    p_.azzera();
    p_.rispondi_file(uscite_.filePath(QStringLiteral("diagramma.htm")));
    p_.rispondi_input(QString());
    w_->salvataggio[3]->trigger();
    QCOMPARE(richieste(p_, Tipo::Browser), 1);
    QCOMPARE(QDir(uscite_.filePath(QStringLiteral("DIAGRAMMA"))).entryList(QDir::Files),
             QStringList{QStringLiteral("Figura1.jpg")});
}

void TstComandiReport::pagina_html_messaggi()
{
    const Cartelle prima = cartelle();
    const QString pagina = uscite_.filePath(QStringLiteral("mancante.htm"));
    struct Caso {
        QString modello;
        QString messaggio;
    };
    QFile vuoto(uscite_.filePath(QStringLiteral("vuoto.tml")));
    QVERIFY(vuoto.open(QIODevice::WriteOnly));
    vuoto.close();
    for (const Caso& c : {Caso{QString(), QStringLiteral("Errore pagina HTML non impostata")},
                          Caso{uscite_.filePath(QStringLiteral("assente.tml")),
                               QStringLiteral("Errore pagina HTML di base non trovata")},
                          Caso{vuoto.fileName(), QStringLiteral("Errore pagina HTML di base non trovata")}}) {
        p_.azzera();
        cartelle().file_schema_completo = c.modello;
        p_.rispondi_file(pagina);
        w_->salvataggio[1]->trigger();
        QCOMPARE(p_.messaggi(), QStringList{c.messaggio});
        QCOMPARE(richieste(p_, Tipo::InputBox), 0);
        QVERIFY(!QFile::exists(pagina));
    }
    cartelle() = prima;
}

void TstComandiReport::stampa_data()
{
    QTest::addColumn<int>("indice");
    QTest::addColumn<int>("immagini");
    // The project: the diagram, photo, ratings and pin-out, then the model.
    QTest::newRow("progetto") << 0 << 5;
    QTest::newRow("diagramma") << 1 << 1;
}

void TstComandiReport::stampa()
{
    QFETCH(int, indice);
    QFETCH(int, immagini);
    const QString pdf = uscite_.filePath(QStringLiteral("stampa_%1.pdf").arg(indice));
    p_.imposta_stampante(pdf);
    // Cancelling prints nothing.
    p_.rispondi_stampa(false);
    w_->stampa[indice]->trigger();
    QVERIFY(!QFile::exists(pdf));

    p_.rispondi_stampa(true);
    w_->stampa[indice]->trigger();
    QCOMPARE(esegui(QStringLiteral("qpdf"), {QStringLiteral("--check"), pdf}).codice, 0);
    const QString testo = pdftotext(pdf);
    QVERIFY(testo.contains(QStringLiteral("Punto di Lavoro")));
    QVERIFY(testo.contains(QStringLiteral("VA=") + w_->campo(Campo::grid_v)->text() + QStringLiteral(" V")));
    QVERIFY(testo.contains(QStringLiteral("mu=") + w_->campo(Campo::gain_value)->text()));
    QVERIFY(testo.contains(QStringLiteral("12AX7,ECC83")));
    QCOMPARE(immagini_pdf(pdf).size(), immagini);
    p_.imposta_stampante({});
    QVERIFY(!p_.occupato());
}

// Once "Grafico Risposta" was opened for the design, every output carries
// its figures as the window showed them and its three plots.
void TstComandiReport::con_risposta()
{
    QStringList etichette, valori;
    bool aperta = false;
    QTimer::singleShot(0, this, [&] {
        auto* f = qobject_cast<GraficoRisposta*>(QApplication::activeModalWidget());
        if (!f)
            return;
        aperta = true;
        f->carico_successivo->setText(QStringLiteral("470000"));
        for (QLineEdit* e : {f->gm, f->rp, f->mu, f->guadagno, f->uscita, f->h2, f->h3, f->thd, f->margine}) {
            etichette << e->accessibleName();
            valori << e->text();
        }
        f->reject();
    });
    w_->calc_function[5]->trigger();
    QVERIFY(aperta);
    QCOMPARE(valori.size(), 9);
    QVERIFY(!valori.contains(QString()));

    const QString pdf = uscite_.filePath(QStringLiteral("risposta.pdf"));
    p_.rispondi_file(pdf);
    p_.rispondi_input(QStringLiteral("Stadio con risposta"));
    p_.rispondi_si_no(false);
    w_->salvataggio[0]->trigger();
    QCOMPARE(esegui(QStringLiteral("qpdf"), {QStringLiteral("--check"), pdf}).codice, 0);
    // KORVEL_SCHERMATA=<file.pdf> keeps a copy to look at.
    if (const QByteArray copia = qgetenv("KORVEL_SCHERMATA"); !copia.isEmpty())
        QFile::copy(pdf, QString::fromLocal8Bit(copia));
    const QString seconda = pdftotext_pagina(pdf, 2);
    QVERIFY(seconda.contains(QStringLiteral("Risposta dello stadio")));
    QVERIFY(seconda.contains(QStringLiteral("470000")));
    for (int i = 0; i < valori.size(); ++i)
        QVERIFY2(QRegularExpression(QRegularExpression::escape(etichette[i]) + QStringLiteral("\\s+") +
                                    QRegularExpression::escape(valori[i]) + QStringLiteral("\\s"))
                     .match(seconda)
                     .hasMatch(),
                 qPrintable(etichette[i] + valori[i]));
    // The diagram, photo and pin-out; the model; the window's three plots.
    const QStringList img = immagini_pdf(pdf);
    QCOMPARE(img.size(), 7);
    QCOMPARE(img.mid(4),
             (QStringList{QStringLiteral("760x320"), QStringLiteral("760x320"), QStringLiteral("760x320")}));
    // The plots are the window's: its blue curves are drawn in each.
    const QString pagina2 = uscite_.filePath(QStringLiteral("risposta2"));
    esegui(QStringLiteral("pdftoppm"),
           {QStringLiteral("-png"), QStringLiteral("-r"), QStringLiteral("60"), QStringLiteral("-f"),
            QStringLiteral("2"), QStringLiteral("-singlefile"), pdf, pagina2});
    QVERIFY(!QImage(pagina2 + QStringLiteral(".png")).isNull());

    // The HTML page: the same figures, every picture a file that reads.
    const QString pagina = uscite_.filePath(QStringLiteral("risposta.htm"));
    p_.azzera();
    p_.rispondi_file(pagina);
    p_.rispondi_input(QStringLiteral("Stadio con risposta"));
    w_->salvataggio[1]->trigger();
    QFile f(pagina);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray html = f.readAll();
    for (int i = 0; i < valori.size(); ++i)
        QVERIFY2(html.contains("<td class=\"valore\">" + valori[i].toLatin1() + "</td>"), qPrintable(etichette[i]));
    int immagini = 0;
    for (const QRegularExpressionMatch& m :
         QRegularExpression(QStringLiteral("<img src=\"([^\"]*)\"")).globalMatch(QString::fromLatin1(html))) {
        const QString file = uscite_.filePath(QUrl::fromPercentEncoding(m.captured(1).toLatin1()));
        QVERIFY2(!QImageReader(file).read().isNull(), qPrintable(file));
        ++immagini;
    }
    QCOMPARE(immagini, 7);

    // The printed project: the same second page.
    const QString stampa = uscite_.filePath(QStringLiteral("stampa_risposta.pdf"));
    p_.azzera();
    p_.imposta_stampante(stampa);
    p_.rispondi_stampa(true);
    w_->stampa[0]->trigger();
    p_.imposta_stampante({});
    const QString stampata = pdftotext_pagina(stampa, 2);
    QVERIFY(stampata.contains(QStringLiteral("Risposta dello stadio")));
    for (const QString& v : valori)
        QVERIFY2(stampata.contains(v), qPrintable(v));
    QCOMPARE(immagini_pdf(stampa).size(), 8);
}

// The demo 2A3 once "Stadio Finale" was opened on it: the report's second
// page holds the window's read-outs exactly as the window shows them and the
// window's three plots; the HTML page the same, its pictures files that read.
void TstComandiReport::con_stadio_finale()
{
    const int riga = riga_valvola(w_->lista(), QStringLiteral("2A3"));
    QVERIFY(riga > 0);
    w_->caricatore().griglia_DB_DblClick(riga);
    QVERIFY(w_->caricatore().modello());
    QVERIFY(w_->stadio_finale->isEnabled());
    QStringList etichette, valori;
    bool aperta = false;
    QTimer::singleShot(0, this, [&] {
        auto* f = qobject_cast<StadioFinale*>(QApplication::activeModalWidget());
        if (!f)
            return;
        aperta = true;
        // 2500 ohm: a value a thousands separator would spoil.
        f->impedenza->setText(QStringLiteral("2500"));
        f->polarizzazione->setCurrentIndex(f->polarizzazione->findData(int(finale::Polarizzazione::catodica)));
        f->ricalcola();
        for (QLineEdit* e : f->findChildren<QLineEdit*>())
            if (e->isReadOnly() && !e->text().isEmpty()) {
                etichette << e->accessibleName();
                valori << e->text();
            }
        f->reject();
    });
    w_->stadio_finale->trigger();
    QVERIFY(aperta);
    // With cathode bias every read-out but the share of the rating shows.
    QVERIFY2(valori.size() >= 19, qPrintable(etichette.join(u' ')));
    for (const QString& v : valori)
        QVERIFY2(!v.contains(u','), qPrintable(v));

    const QString pdf = uscite_.filePath(QStringLiteral("finale.pdf"));
    p_.azzera();
    p_.rispondi_file(pdf);
    p_.rispondi_input(QStringLiteral("Stadio finale 2A3"));
    p_.rispondi_si_no(false);
    w_->salvataggio[0]->trigger();
    QCOMPARE(esegui(QStringLiteral("qpdf"), {QStringLiteral("--check"), pdf}).codice, 0);
    if (const QByteArray copia = qgetenv("KORVEL_SCHERMATA"); !copia.isEmpty())
        QFile::copy(pdf, QString::fromLocal8Bit(copia) + QStringLiteral(".finale.pdf"));
    const QString seconda = pdftotext_pagina(pdf, 2);
    QVERIFY(seconda.contains(QStringLiteral("Stadio finale")));
    QVERIFY(QRegularExpression(QStringLiteral("Impedenza primario \\(Ohm\\)=\\s+2500\\s")).match(seconda).hasMatch());
    for (int i = 0; i < valori.size(); ++i)
        QVERIFY2(QRegularExpression(QRegularExpression::escape(etichette[i]) + QStringLiteral("\\s+") +
                                    QRegularExpression::escape(valori[i]) + QStringLiteral("\\s"))
                     .match(seconda)
                     .hasMatch(),
                 qPrintable(etichette[i] + valori[i]));
    // The page 1 pictures, the model over the curves, the window's plots.
    const QStringList img = immagini_pdf(pdf);
    QCOMPARE(img.size(), 7);
    QCOMPARE(img.mid(4),
             (QStringList{QStringLiteral("760x320"), QStringLiteral("760x320"), QStringLiteral("760x320")}));
    for (int pagina = 1; pagina <= pdftotext(pdf).count(u'\f'); ++pagina) {
        const QString png = uscite_.filePath(QStringLiteral("finale%1").arg(pagina));
        esegui(QStringLiteral("pdftoppm"),
               {QStringLiteral("-png"), QStringLiteral("-r"), QStringLiteral("60"), QStringLiteral("-f"),
                QString::number(pagina), QStringLiteral("-l"), QString::number(pagina), QStringLiteral("-singlefile"),
                pdf, png});
        QVERIFY2(!QImage(png + QStringLiteral(".png")).isNull(), qPrintable(png));
    }

    const QString pagina = uscite_.filePath(QStringLiteral("finale.htm"));
    p_.azzera();
    p_.rispondi_file(pagina);
    p_.rispondi_input(QStringLiteral("Stadio finale 2A3"));
    w_->salvataggio[1]->trigger();
    QFile f(pagina);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray html = f.readAll();
    for (int i = 0; i < valori.size(); ++i)
        QVERIFY2(html.contains("<td class=\"valore\">" + valori[i].toUtf8() + "</td>"), qPrintable(etichette[i]));
    QStringList file_immagini;
    for (const QRegularExpressionMatch& m :
         QRegularExpression(QStringLiteral("<img src=\"([^\"]*)\"")).globalMatch(QString::fromUtf8(html))) {
        const QString file = uscite_.filePath(QUrl::fromPercentEncoding(m.captured(1).toLatin1()));
        QVERIFY2(!QImageReader(file).read().isNull(), qPrintable(file));
        file_immagini << QFileInfo(file).fileName();
    }
    QCOMPARE(file_immagini.size(), 7);
    for (const char* nome : {"Finale1.png", "Finale2.png", "Finale3.png"})
        QVERIFY2(file_immagini.contains(QString::fromLatin1(nome)), qPrintable(file_immagini.join(u' ')));

    // The printed project: the PDF's second page, plots included.
    const QString stampa = uscite_.filePath(QStringLiteral("stampa_finale.pdf"));
    p_.azzera();
    p_.imposta_stampante(stampa);
    p_.rispondi_stampa(true);
    w_->stampa[0]->trigger();
    p_.imposta_stampante({});
    const QString stampata = pdftotext_pagina(stampa, 2);
    QVERIFY(stampata.contains(QStringLiteral("Stadio finale")));
    for (int i = 0; i < valori.size(); ++i)
        QVERIFY2(stampata.contains(valori[i]), qPrintable(etichette[i]));
    QCOMPARE(immagini_pdf(stampa).mid(5).size(), 3);
}

// A tube without a stored model: the report is its one page again.
void TstComandiReport::senza_modello()
{
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("senza_modello"));
    db.setDatabaseName(cartelle().file_basedati);
    QVERIFY(db.open());
    QSqlQuery q(db);
    QVERIFY(q.exec(QStringLiteral("delete from ModelliValvole")));
    db.close();
    db = QSqlDatabase();
    QSqlDatabase::removeDatabase(QStringLiteral("senza_modello"));
    w_->caricatore().aggiorna_modello();
    QVERIFY(!w_->caricatore().modello());

    const QString pdf = uscite_.filePath(QStringLiteral("senza.pdf"));
    p_.rispondi_file(pdf);
    p_.rispondi_input(QStringLiteral("Senza modello"));
    p_.rispondi_si_no(true);
    w_->salvataggio[0]->trigger();
    QCOMPARE(w_->visualizzatore_pdf()->pagine(), 1);
    QCOMPARE(immagini_pdf(pdf).size(), 3);
    QVERIFY(pdftotext(pdf).contains(QStringLiteral("di 1")));
}

QTEST_MAIN(TstComandiReport)
#include "tst_comandi_report.moc"
