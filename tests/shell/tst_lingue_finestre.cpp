// The windows in both languages: each opens with its captions in the
// language installed, no text of the other language left over (a caption
// read before the catalogue was installed, a text that skips tr()), and
// every label and button wide enough for its text.
//
// Under English every text the program asks the catalogue for while the
// windows open must be there: a lookup whose context or text differs from
// what lupdate filed (a helper with its own context, a text built at run
// time) would show Italian in an English window.
//
// With KORVEL_CATTURE set to a folder, each window is saved there as a
// picture, to look at.
#include "support/cartella_prova.h"

#include "archive/cartelle.h"
#include "chart/stato_grafico.h"
#include "chart/ui/ricalcolo.h"
#include "finale/ui/finestra_stadio_finale.h"
#include "foglio/foglio_pdf.h"
#include "foglio/pagine_pdf.h"
#include "foglio/ui/ritaglia_grafico.h"
#include "foglio/ui/scelta_pagina.h"
#include "common/lingua.h"
#include "common/libreria_immagini.h"
#include "model/ui/finestra_modello.h"
#include "platform/piattaforma_scriptata.h"
#include "response/ui/grafico_risposta.h"
#include "shell/kor_manuale.h"
#include "shell/korvel.h"
#include "tubes/ui/nuovo_dispositivo.h"

#include <QAbstractButton>
#include <QAction>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QLineEdit>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTranslator>
#include <QXmlStreamReader>
#include <QtTest>

namespace {

// Every source text of the catalogue whose English differs from it, with
// that English.
QHash<QString, QString> catalogo()
{
    QHash<QString, QString> voci;
    QFile f(QStringLiteral(KORVEL_SOURCE_DIR "/translations/korvel_en.ts"));
    if (!f.open(QIODevice::ReadOnly))
        return voci;
    QXmlStreamReader x(&f);
    QString sorgente;
    while (x.readNextStartElement() || !x.atEnd()) {
        if (x.isStartElement() && x.name() == QLatin1String("source"))
            sorgente = x.readElementText();
        else if (x.isStartElement() && x.name() == QLatin1String("translation")) {
            const QString inglese = x.readElementText();
            if (!inglese.isEmpty() && inglese != sorgente)
                voci.insert(sorgente, inglese);
        } else if (!x.isStartElement())
            x.readNext();
    }
    return voci;
}

// What the user reads on a window: captions, titles, menu items, tooltips
// and accessible names, each with where it is.
QList<QPair<QString, QString>> testi(QWidget* finestra)
{
    QList<QPair<QString, QString>> t;
    auto aggiungi = [&](const QString& dove, const QString& testo) {
        if (!testo.isEmpty())
            t.append({dove, testo});
    };
    aggiungi(QStringLiteral("window title"), finestra->windowTitle());
    for (QWidget* w : finestra->findChildren<QWidget*>()) {
        const QString nome =
            w->objectName().isEmpty() ? QString::fromLatin1(w->metaObject()->className()) : w->objectName();
        aggiungi(nome + QStringLiteral(" tooltip"), w->toolTip());
        aggiungi(nome + QStringLiteral(" accessible name"), w->accessibleName());
        if (auto l = qobject_cast<QLabel*>(w))
            aggiungi(nome, l->text());
        if (auto b = qobject_cast<QAbstractButton*>(w))
            aggiungi(nome, b->text());
        if (auto g = qobject_cast<QGroupBox*>(w))
            aggiungi(nome, g->title());
        if (auto s = qobject_cast<QTabWidget*>(w))
            for (int i = 0; i < s->count(); ++i)
                aggiungi(nome + QStringLiteral(" tab"), s->tabText(i));
        for (QAction* a : w->actions()) {
            aggiungi(QStringLiteral("item ") + a->objectName(), a->text());
            aggiungi(QStringLiteral("item tooltip ") + a->objectName(), a->menu() ? QString() : a->toolTip());
        }
    }
    return t;
}

// Labels and buttons on screen whose text needs more room than they have.
QStringList stretti(QWidget* finestra)
{
    QStringList fuori;
    for (QWidget* w : finestra->findChildren<QWidget*>()) {
        if (!w->isVisible())
            continue;
        QString testo;
        if (auto l = qobject_cast<QLabel*>(w); l && !l->wordWrap() && l->pixmap().isNull())
            testo = l->text();
        else if (auto b = qobject_cast<QAbstractButton*>(w))
            testo = b->text();
        if (testo.isEmpty())
            continue;
        if (w->sizeHint().width() > w->width())
            fuori << QStringLiteral("%1 \"%2\": needs %3 px, has %4")
                         .arg(w->objectName(), testo)
                         .arg(w->sizeHint().width())
                         .arg(w->width());
    }
    return fuori;
}

void cattura(QWidget* w, const QString& nome)
{
    const QString cartella = qEnvironmentVariable("KORVEL_CATTURE");
    if (!cartella.isEmpty())
        w->grab().save(cartella + QLatin1Char('/') + nome + QStringLiteral(".png"));
}

// The texts of the other language found on the window.
QStringList dell_altra_lingua(QWidget* finestra, Lingua lingua)
{
    const QHash<QString, QString> voci = catalogo();
    QSet<QString> altra;
    for (auto i = voci.cbegin(); i != voci.cend(); ++i)
        altra.insert(lingua == Lingua::inglese ? i.key() : i.value());
    // Texts that are a word of both languages ("Menu", "OK") are not in
    // the catalogue's differing entries, so they never count.
    QStringList trovati;
    for (const auto& [dove, testo] : testi(finestra))
        if (altra.contains(testo))
            trovati << dove + QStringLiteral(": ") + testo;
    return trovati;
}

// Installed above the program's catalogue: it answers nothing, and keeps
// every text of the program's own contexts (Qt's start with "Q") that the
// English catalogue does not hold.
class Spia : public QTranslator {
public:
    Spia()
    {
        caricato_ = catalogo_.load(QStringLiteral(KORVEL_DIST_DIR "/korvel_en.qm"));
        QCoreApplication::installTranslator(this);
    }
    ~Spia() override { QCoreApplication::removeTranslator(this); }
    bool caricato() const { return caricato_; }
    bool isEmpty() const override { return false; }
    QString translate(const char* contesto, const char* testo, const char* disambiguazione, int n) const override
    {
        const QString c = QString::fromUtf8(contesto);
        const bool di_qt = c.size() > 1 && c[0] == QLatin1Char('Q') && c[1].isUpper();
        if (!di_qt && testo && *testo && catalogo_.translate(contesto, testo, disambiguazione, n).isNull())
            mancanti_.insert(c + QStringLiteral(": ") + QString::fromUtf8(testo));
        return {};
    }
    QStringList mancanti() const
    {
        QStringList m(mancanti_.cbegin(), mancanti_.cend());
        m.sort();
        return m;
    }

private:
    QTranslator catalogo_;
    bool caricato_ = false;
    mutable QSet<QString> mancanti_;
};

} // namespace

class TestLingueFinestre : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { installa_traduzioni(Lingua::italiano, QStringLiteral(KORVEL_DIST_DIR)); }

    void finestre_data()
    {
        QTest::addColumn<bool>("inglese");
        QTest::addColumn<QString>("principale");
        QTest::addColumn<QString>("nuova");
        QTest::addColumn<QString>("annulla");
        QTest::addColumn<QString>("ricalcolo");
        QTest::addColumn<QString>("manuale");
        QTest::addColumn<QString>("modello");
        QTest::addColumn<QString>("risposta");
        QTest::addColumn<QString>("finale");
        QTest::addColumn<QString>("motivo");
        QTest::addColumn<QString>("ritaglio");
        QTest::addColumn<QString>("pagina");
        QTest::newRow("Italian") << false << "Calcolatore Retta di Carico"
                                 << "Caricamento nuova Valvola"
                                 << "Annulla"
                                 << "Parametri ricalcolo"
                                 << "Manuale Programma KORVEL.pdf"
                                 << "Modello Valvola"
                                 << "Grafico Risposta"
                                 << "Stadio Finale"
                                 << "B+ (V)= deve essere maggiore di zero."
                                 << "Ritaglia Grafico"
                                 << "Pagina";
        QTest::newRow("English") << true << "Load Line Calculator"
                                 << "Enter New Tube"
                                 << "Cancel"
                                 << "Recalculation Parameters"
                                 << "KORVEL Program Manual.pdf"
                                 << "Tube Model"
                                 << "Response"
                                 << "Output Stage"
                                 << "B+ (V)= must be greater than zero."
                                 << "Crop Chart"
                                 << "Page";
    }
    void finestre()
    {
        QFETCH(bool, inglese);
        QFETCH(QString, principale);
        QFETCH(QString, nuova);
        QFETCH(QString, annulla);
        QFETCH(QString, ricalcolo);
        QFETCH(QString, manuale);
        QFETCH(QString, modello);
        QFETCH(QString, risposta);
        QFETCH(QString, finale);
        QFETCH(QString, motivo);
        QFETCH(QString, ritaglio);
        QFETCH(QString, pagina);
        const Lingua lingua = inglese ? Lingua::inglese : Lingua::italiano;
        installa_traduzioni(lingua, QStringLiteral(KORVEL_DIST_DIR));
        const QString suffisso = QLatin1Char('_') + codice_lingua(lingua);
        std::unique_ptr<Spia> spia;
        if (inglese) {
            spia = std::make_unique<Spia>();
            QVERIFY(spia->caricato());
        }
        // Qt's own catalogue, for the standard buttons and dialogs.
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), annulla);

        CartellaProva c;
        QVERIFY(c.crea_tabella());
        QVERIFY(c.inserisci(CartellaProva::valvola(QStringLiteral("12AX7"), QStringLiteral("ECC83"))));
        PiattaformaScriptata p;
        {
            KORVEL w(p, c.programma());
            w.KORVEL_Form_Load();
            w.show();
            QVERIFY(QTest::qWaitForWindowExposed(&w));
            QCOMPARE(w.windowTitle(), principale);
            QCOMPARE(dell_altra_lingua(&w, lingua), QStringList());
            for (int i = 0; i < w.SSTab1->count(); ++i) {
                w.SSTab1->setCurrentIndex(i);
                QCoreApplication::processEvents();
                QCOMPARE(stretti(&w), QStringList());
                cattura(&w, QStringLiteral("principale_%1").arg(i) + suffisso);
            }
            // Help opens the manual written in the language spoken; both
            // manuals lie in the program folder, as installed.
            for (const char* m : {"Manuale Programma KORVEL.pdf", "KORVEL Program Manual.pdf"})
                QVERIFY(QFile::copy(QStringLiteral(KORVEL_DIST_DIR "/") + QLatin1String(m),
                                    c.programma() + QLatin1Char('/') + QLatin1String(m)));
            w.help_cmd->trigger();
            KOR_MANUALE* v = w.visualizzatore_pdf();
            QVERIFY(v);
            QCOMPARE(v->file(), c.programma() + QLatin1Char('/') + manuale);
            QVERIFY(v->pagine() > 10);
        }
        {
            imposta_cartelle(c.programma());
            LibreriaImmagini libreria;
            Nuovo_Dispositivo n(p, libreria);
            n.show();
            QVERIFY(QTest::qWaitForWindowExposed(&n));
            QCOMPARE(n.windowTitle(), nuova);
            QCOMPARE(dell_altra_lingua(&n, lingua), QStringList());
            QCOMPARE(stretti(&n), QStringList());
            cattura(&n, QStringLiteral("nuova_valvola") + suffisso);
        }
        {
            StatoGrafico stato;
            Ricalcolo r(stato);
            r.show();
            QVERIFY(QTest::qWaitForWindowExposed(&r));
            QCOMPARE(r.windowTitle(), ricalcolo);
            QCOMPARE(dell_altra_lingua(&r, lingua), QStringList());
            QCOMPARE(stretti(&r), QStringList());
            cattura(&r, QStringLiteral("ricalcolo") + suffisso);
        }
        {
            FinestraModello::Valvola v;
            v.id = 1;
            v.sigla = QStringLiteral("12AX7");
            v.modo = QStringLiteral("TRIODO");
            v.file_basedati = c.basedati();
            v.immagine = QImage(518, 418, QImage::Format_RGB32);
            v.immagine.fill(Qt::white);
            FinestraModello m(p, v);
            m.show();
            QVERIFY(QTest::qWaitForWindowExposed(&m));
            QCOMPARE(m.windowTitle(), modello);
            QCOMPARE(dell_altra_lingua(&m, lingua), QStringList());
            QCOMPARE(stretti(&m), QStringList());
            cattura(&m, QStringLiteral("modello") + suffisso);
        }
        {
            modello::ParametriModello m;
            m.mu = 100;
            m.ex = 1.4;
            m.kg1 = 1060;
            m.kp = 600;
            m.kvb = 300;
            GraficoRisposta g(p, m, {"300", "98500", "-1.5", "1500", "", "1", true});
            g.show();
            QVERIFY(QTest::qWaitForWindowExposed(&g));
            QCOMPARE(g.windowTitle(), risposta);
            QCOMPARE(dell_altra_lingua(&g, lingua), QStringList());
            QCOMPARE(stretti(&g), QStringList());
            cattura(&g, QStringLiteral("risposta") + suffisso);
        }
        {
            modello::ParametriModello m;
            m.mu = 4.2;
            m.ex = 1.4;
            m.kg1 = 1500;
            m.kp = 60;
            m.kvb = 300;
            StadioFinale f(p, m, 15, finale::IngressiFinale{}, {});
            f.show();
            QVERIFY(QTest::qWaitForWindowExposed(&f));
            QCOMPARE(f.windowTitle(), finale);
            QCOMPARE(dell_altra_lingua(&f, lingua), QStringList());
            QCOMPARE(stretti(&f), QStringList());
            cattura(&f, QStringLiteral("finale") + suffisso);
            // A reason from the core, in the window's language.
            f.b_piu->setText(QStringLiteral("0"));
            f.ricalcola();
            QCOMPARE(f.stato->text(), motivo);
        }
        {
            QImage foglio(800, 600, QImage::Format_RGB32);
            foglio.fill(Qt::white);
            Ritaglia_Grafico r(p, foglio);
            r.show();
            QVERIFY(QTest::qWaitForWindowExposed(&r));
            QCOMPARE(r.windowTitle(), ritaglio);
            QCOMPARE(dell_altra_lingua(&r, lingua), QStringList());
            QCOMPARE(stretti(&r), QStringList());
            cattura(&r, QStringLiteral("ritaglio") + suffisso);
        }
        {
            QTemporaryDir dir;
            const QString file = dir.filePath(QStringLiteral("foglio.pdf"));
            foglio_pdf::scrivi(file);
            const pagine_pdf::Documento documento(file);
            QCOMPARE(documento.errore(), QString());
            Scelta_Pagina s(p, documento);
            s.show();
            QVERIFY(QTest::qWaitForWindowExposed(&s));
            QCOMPARE(s.windowTitle(), pagina);
            QCOMPARE(dell_altra_lingua(&s, lingua), QStringList());
            QCOMPARE(stretti(&s), QStringList());
            cattura(&s, QStringLiteral("pagina") + suffisso);
        }
        if (spia)
            QCOMPARE(spia->mancanti(), QStringList());
    }
};

QTEST_MAIN(TestLingueFinestre)
#include "tst_lingue_finestre.moc"
