// An installed copy of the program as a user without write access to it
// sees it: started from the read-only program folder given on the command
// line, with a home folder of its own. The data folder is unpacked into the
// user's folder on the first start, a new tube and its curve go there, a
// project saves and opens again, "Crea Archivio ZIP" packs the user's data
// folder, and the loader restores a user's folder, never the program's.
// Run by tst_installazione.sh as that user; nothing here may write into the
// program folder (the script checks it did not).
//
// usage: tst_installata <installed program folder> [Qt Test options]

#include "curva_12au7.h"
#include "mani_nuovo_dispositivo.h"
#include "support/mani_grafico.h"

#include "archive/cartelle.h"
#include "archive/pakova.h"
#include "chart/grafico.h"
#include "chart/ui/picture1.h"
#include "platform/piattaforma_scriptata.h"
#include "shell/korvel.h"
#include "tubes/caricatore_valvola.h"
#include "tubes/lista_valvole.h"
#include "velmora.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include <cstdio>
#include <unistd.h>

namespace {

QString programma;

QString casa()
{
    return QDir::homePath();
}

QByteArray leggi(const QString& nome)
{
    QFile f(nome);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The entry names of a zip archive, read by the installed library.
QStringList voci_archivio(const QString& archivio)
{
    QStringList voci;
    if (pakova::UnZipOpen(archivio) > 0 && pakova::UnZipGotoFirst() == 1) {
        do {
            char nome[1024] = {};
            if (pakova::UnZipGetFileName(nome, sizeof nome) > 0)
                voci << QString::fromUtf8(nome).replace('\\', '/');
        } while (pakova::UnZipGotoNext() == 1);
    }
    pakova::UnZipClose();
    return voci;
}

} // namespace

class TestInstallata : public QObject {
    Q_OBJECT

    QString curva_nuova_; // the curve picture of the tube entered here

    QString dati_utente() const { return casa() + QStringLiteral("/.local/share/korvel/DatiValvole/"); }

private slots:
    void initTestCase()
    {
        QVERIFY2(getuid() != 0, "run as a user who cannot write the program folder");
        QVERIFY2(QFileInfo::exists(programma + "/korvel"), qPrintable(programma));
        QVERIFY(!cartella_scrivibile(programma));
        QVERIFY(!QFileInfo::exists(dati_utente()));
    }

    // First start: the demo data are unpacked into the user's folder without
    // a question, and only the data moved there.
    void primo_avvio()
    {
        PiattaformaScriptata p;
        KORVEL w(p, programma);
        w.KORVEL_Form_Load();
        QCOMPARE(p.richieste().size(), 0);
        const Cartelle& c = cartelle();
        QCOMPARE(c.cartella_programma, programma + '/');
        QCOMPARE(c.cartella_dati, dati_utente());
        QCOMPARE(c.file_basedati, dati_utente() + "DBValvole.mdb");
        QCOMPARE(c.file_manuale, programma + "/Manuale Programma KORVEL.pdf");
        QCOMPARE(c.file_immagine_assente, programma + "/ASSENTE_img.gif");
        QVERIFY(QFileInfo(c.file_basedati).isFile());
        QVERIFY(!QFileInfo::exists(programma + "/DatiValvole"));
        // The file dialogs start where the user can save.
        QCOMPARE(QDir::currentPath(), casa());

        QVERIFY(w.lista().righe_valvole() >= 5);
        QVERIFY(riga_12ax7(w) > 0);
        // A demo tube loads its curves from the user's folder.
        w.caricatore().griglia_DB_DblClick(riga_12ax7(w));
        QVERIFY(nomi(w).contains(QStringLiteral("12AX7")));
        QVERIFY(!w.grafico().canvas().isNull());
    }

    // "Inserisci Nuova Valvola" writes the record and the curve picture into
    // the user's data folder; the list shows the tube on the next start too.
    void nuova_valvola()
    {
        const QString scansione = casa() + QStringLiteral("/scansione.png");
        QVERIFY(curva_12au7::disegna(900, 700).save(scansione, "PNG"));
        PiattaformaScriptata p;
        KORVEL w(p, programma);
        w.KORVEL_Form_Load();
        const int righe = w.lista().righe_valvole();

        QStringList messaggi;
        auto* timer = new QTimer(&w);
        timer->setInterval(10);
        connect(timer, &QTimer::timeout, [&] {
            auto* n = qobject_cast<Nuovo_Dispositivo*>(QApplication::activeModalWidget());
            if (!n)
                return;
            timer->stop();
            p.rispondi_file(scansione);
            n->carica[0]->trigger();
            QTest::keyClicks(n->nome_valvola[0], QStringLiteral("KV7"));
            QTest::keyClicks(n->nome_valvola[1], QStringLiteral("EKV7"));
            n->Combo_modo->setCurrentIndex(1);
            clic_e_scegli(*n, {56, 380}, QStringLiteral("Set Origine"));
            clic_e_scegli(*n, {56, 40}, QStringLiteral("Set Corrente massima"));
            clic_e_scegli(*n, {496, 380}, QStringLiteral("Set Tensione Massima"));
            QTest::keyClicks(n->max_current_i, QStringLiteral("20"));
            QTest::keyClicks(n->max_voltage_V, QStringLiteral("500"));
            QTest::keyClicks(n->potenza_anodica, QStringLiteral("2750"));
            p.azzera();
            n->salva_DB->trigger();
            messaggi = p.messaggi();
            n->uscita->trigger();
        });
        timer->start();
        w.nuova_valvola->trigger();
        QCOMPARE(messaggi, QStringList{QStringLiteral("Valvola inserita nel DB")});
        QCOMPARE(w.lista().righe_valvole(), righe + 1);
        curva_nuova_ = w.lista().cella_lista(righe + 1, 3);
        QVERIFY(!curva_nuova_.isEmpty());
        QVERIFY(QFileInfo(dati_utente() + "Curve/" + curva_nuova_).isFile());

        PiattaformaScriptata p2;
        KORVEL di_nuovo(p2, programma);
        di_nuovo.KORVEL_Form_Load();
        QCOMPARE(di_nuovo.lista().righe_valvole(), righe + 1);
        QCOMPARE(di_nuovo.lista().cella_lista(righe + 1, 2), QStringLiteral("KV7"));
    }

    // A design on a demo tube is saved in the home folder, opened in a fresh
    // window and saved again byte for byte.
    void progetto_salvato_e_riaperto()
    {
        const QString file = casa() + QStringLiteral("/stadio.xml");
        const QString copia = casa() + QStringLiteral("/stadio_di_nuovo.xml");
        {
            PiattaformaScriptata p;
            KORVEL w(p, programma);
            w.KORVEL_Form_Load();
            w.caricatore().griglia_DB_DblClick(riga_12ax7(w));
            QTest::mouseClick(w.legenda_retta, Qt::LeftButton);
            mani_grafico::trascina(w.Picture1_, {120, 80}, {{250, 200}, {380, 320}});
            w.calc_function[0]->trigger();
            mani_grafico::clic(w.Picture1_, w.legenda_lavoro, {250, 200});
            p.rispondi_file(file);
            w.scrittura_progetto->trigger();
            QCOMPARE(p.messaggi(), QStringList{QStringLiteral("Progetto salvato correttamente")});
        }
        const QByteArray salvato = leggi(file);
        QVERIFY(salvato.contains("12AX7"));
        QVERIFY(salvato.contains("RETTA_MANUALE"));

        PiattaformaScriptata p;
        KORVEL w(p, programma);
        w.KORVEL_Form_Load();
        p.rispondi_file(file);
        w.lettura_progetto->trigger();
        QCOMPARE(p.messaggi(), QStringList{});
        QVERIFY(nomi(w).contains(QStringLiteral("12AX7")));
        p.rispondi_file(copia);
        w.scrittura_progetto->trigger();
        QCOMPARE(p.messaggi(), QStringList{QStringLiteral("Progetto salvato correttamente")});
        QCOMPARE(leggi(copia), salvato);
    }

    // "Crea Archivio ZIP" packs the user's data folder, new tube included,
    // under "DatiValvole/", with the installed library.
    void archivio_della_cartella_utente()
    {
        const QString archivio = casa() + QStringLiteral("/dati.zip");
        PiattaformaScriptata p;
        KORVEL w(p, programma);
        w.KORVEL_Form_Load();
        p.rispondi_file(archivio);
        w.crea_zipfile->trigger();
        QCOMPARE(p.messaggi(), QStringList{QStringLiteral("Archiviazione Completata")});
        const QStringList voci = voci_archivio(archivio);
        QVERIFY(voci.contains(QStringLiteral("DatiValvole/DBValvole.mdb")));
        QVERIFY(voci.contains(QStringLiteral("DatiValvole/Curve/") + curva_nuova_));
        for (const QString& v : voci)
            QVERIFY2(v.startsWith(QStringLiteral("DatiValvole/")), qPrintable(v));

        // Importing it again restores the user's folder, not the program's.
        QVERIFY(QFile::remove(dati_utente() + "Curve/" + curva_nuova_));
        p.rispondi_file(archivio);
        w.import_archivio->trigger();
        QVERIFY(QFileInfo(dati_utente() + "Curve/" + curva_nuova_).isFile());
        QVERIFY(!QFileInfo::exists(programma + "/DatiValvole"));
    }

    // The loader from the read-only folder unpacks into the user's folder,
    // here one named by XDG_DATA_HOME; a second run finds it.
    void velmora_nella_cartella_utente()
    {
        const QString xdg = casa() + QStringLiteral("/altri dati");
        qputenv("XDG_DATA_HOME", QFile::encodeName(xdg));
        PiattaformaScriptata p;
        QStringList avviati;
        const auto avvia = [&](const QString& prog) {
            avviati << prog;
            return false;
        };
        velmora(p, programma, avvia);
        QCOMPARE(p.messaggi(), QStringList{QStringLiteral("Base dati Caricata")});
        QCOMPARE(p.richieste().size(), 1);
        QVERIFY(avviati.isEmpty());
        QVERIFY(QFileInfo(xdg + "/korvel/DatiValvole/DBValvole.mdb").isFile());
        QVERIFY(!QFileInfo::exists(programma + "/DatiValvole"));

        PiattaformaScriptata p2;
        velmora(p2, programma, avvia);
        QCOMPARE(p2.messaggi(), QStringList{QStringLiteral("Base dati Già Presente")});
        qunsetenv("XDG_DATA_HOME");
    }

private:
    // The designations in the window's top strip.
    static QStringList nomi(const KORVEL& w)
    {
        QStringList n;
        for (const QLineEdit* e : w.nome_valvola)
            n << e->text();
        return n;
    }

    static int riga_12ax7(KORVEL& w)
    {
        for (int r = 1; r <= w.lista().righe_valvole(); ++r)
            if (w.lista().cella_lista(r, 2) == QStringLiteral("12AX7"))
                return r;
        return 0;
    }
};

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: tst_installata <program folder> [Qt Test options]\n");
        return 2;
    }
    programma = QDir::cleanPath(QString::fromLocal8Bit(argv[1]));
    // The remaining arguments are Qt Test's.
    argv[1] = argv[0];
    int n = argc - 1;
    QApplication app(n, argv + 1);
    TestInstallata t;
    return QTest::qExec(&t, n, argv + 1);
}

#include "tst_installata.moc"
