// The archive loader on program folders of the test's own: a fresh folder
// with the data archive, a second run, a stray file named like the data
// folder, a missing library, and the real archive the build ships.

#include "archive/strumenti_zip.h"
#include "support/cartella_prova.h"

#include "archive/cartelle.h"
#include "archive/pakova.h"
#include "platform/piattaforma_scriptata.h"
#include "shell/korvel.h"
#include "tubes/lista_valvole.h"
#include "velmora.h"

#include <QAction>
#include <QTemporaryDir>
#include <QtTest>

using namespace strumenti_zip;

namespace {

const QString gia_presente = QStringLiteral("Base dati Già Presente");
const QString caricata = QStringLiteral("Base dati Caricata");
const QString domanda = QStringLiteral("Accesso Data base assente, vuoi procedere alla installazione?");
const QString non_caricata = QStringLiteral("Base dati non caricata da DatiValvole.zip: %1");

// The message texts and questions of a run, in order ("?" before a question).
QStringList dialoghi(const PiattaformaScriptata& p)
{
    QStringList testi;
    for (const auto& r : p.richieste())
        testi << (r.tipo == PiattaformaScriptata::Tipo::Domanda ? "? " + r.testo : r.testo);
    return testi;
}

} // namespace

class TestVelmora : public QObject {
    Q_OBJECT

private:
    // The data archive, packed by our library from a data folder with two
    // tubes and a curve picture; made once.
    QTemporaryDir sorgente_;
    QString archivio_;
    QStringList impronta_dati_;

    // A fresh program folder: the library and the data archive, nothing else.
    QString nuova_cartella(QTemporaryDir& dir, bool con_libreria = true)
    {
        const QString programma = dir.path();
        if (con_libreria)
            installa_libreria(programma);
        QFile::copy(archivio_, programma + "/DatiValvole.zip");
        return programma;
    }

private slots:
    void initTestCase()
    {
        CartellaProva c;
        QVERIFY(c.crea_tabella());
        QVERIFY(c.inserisci(CartellaProva::valvola("12AX7", "ECC83")));
        QVERIFY(c.inserisci(CartellaProva::valvola("6V6", "")));
        c.scrivi_immagine("DatiValvole/Curve/prova.gif", 518, 418, Qt::white, "PNG");
        QVERIFY(installa_libreria(c.programma()));
        imposta_cartelle(c.programma());
        archivio_ = sorgente_.filePath("DatiValvole.zip");
        QCOMPARE(pakova::ZipOpenExt(archivio_, c.programma(), 0), 1);
        QCOMPARE(pakova::ZipAddDirToZip(c.dati()), 1);
        QCOMPARE(pakova::ZipClose(), 1);
        impronta_dati_ = impronta(c.dati());
    }

    // First run unpacks and finds the database; the second finds the data
    // folder and opens nothing again.
    void prima_e_seconda_esecuzione()
    {
        QTemporaryDir dir;
        const QString programma = nuova_cartella(dir);
        PiattaformaScriptata p;
        QStringList avviati;
        const AvvioProgramma registra = [&](const QString& s) {
            avviati << s;
            return true;
        };
        velmora(p, programma, registra);
        QCOMPARE(dialoghi(p), QStringList{caricata});
        QCOMPARE(impronta(programma + "/DatiValvole"), impronta_dati_);

        // The archive is not opened again: a changed archive leaves the data
        // folder as it is.
        QVERIFY(QFile::remove(programma + "/DatiValvole.zip"));
        QVERIFY(crea_con_python(programma + "/DatiValvole.zip", {{"DatiValvole/nuovo.txt", "n"}}));
        p.azzera();
        velmora(p, programma, registra);
        QCOMPARE(dialoghi(p), QStringList{gia_presente});
        QCOMPARE(impronta(programma + "/DatiValvole"), impronta_dati_);
        QCOMPARE(avviati, QStringList{});
    }

    // Whatever stops the database from opening leads to the installation
    // question; Yes starts the installer of the program folder, No nothing.
    void database_inaccessibile()
    {
        struct Caso {
            const char* descrizione;
            std::function<void(const QString&)> prepara;
            bool con_libreria;
            QString primo_messaggio;
        };
        const std::vector<Caso> casi = {
            {"file al posto della cartella dati",
             [](const QString& prog) {
                 QFile f(prog + "/DatiValvole");
                 QVERIFY(f.open(QIODevice::WriteOnly));
             },
             true, gia_presente},
            {"libreria assente", [](const QString&) {}, false, non_caricata.arg("libreria zip assente")},
            {"archivio assente", [](const QString& prog) { QFile::remove(prog + "/DatiValvole.zip"); }, true,
             non_caricata.arg("l'archivio non esiste")},
            {"archivio illeggibile",
             [](const QString& prog) {
                 QFile f(prog + "/DatiValvole.zip");
                 QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
                 f.write("rotto");
             },
             true, non_caricata.arg("il file non è un archivio zip leggibile")},
            {"database che non e' un database",
             [](const QString& prog) {
                 QFile::remove(prog + "/DatiValvole.zip");
                 QVERIFY(
                     crea_con_python(prog + "/DatiValvole.zip", {{"DatiValvole/DBValvole.mdb", "non sono sqlite"}}));
             },
             true, non_caricata.arg("la base dati dell'archivio non è valida")},
        };
        for (const Caso& caso : casi) {
            for (bool si : {false, true}) {
                QTemporaryDir dir;
                const QString programma = nuova_cartella(dir, caso.con_libreria);
                caso.prepara(programma);
                PiattaformaScriptata p;
                p.rispondi_si_no(si);
                QStringList avviati;
                velmora(p, programma, [&](const QString& s) {
                    avviati << s;
                    return true;
                });
                QVERIFY2(dialoghi(p) == QStringList({caso.primo_messaggio, "? " + domanda}),
                         qPrintable(QString(caso.descrizione) + ": " + dialoghi(p).join(" | ")));
                QCOMPARE(avviati, si ? QStringList{programma + "/MDAC_TYP.EXE"} : QStringList{});
                if (caso.primo_messaggio == gia_presente)
                    QVERIFY(QFileInfo(programma + "/DatiValvole").isFile());
            }
        }
    }

    // The installer is really started, detached; a missing one ends the
    // program without a message.
    void avvio_dell_installatore()
    {
        QTemporaryDir dir;
        const QString programma = nuova_cartella(dir, false);
        const QString installatore = programma + "/MDAC_TYP.EXE";
        QFile f(installatore);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("#!/bin/sh\necho avviato > \"$(dirname \"$0\")/avviato.txt\"\n");
        f.close();
        QVERIFY(f.setPermissions(f.permissions() | QFile::ExeOwner));
        PiattaformaScriptata p;
        p.rispondi_si_no(true);
        velmora(p, programma);
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(programma + "/avviato.txt"), 20000);

        QVERIFY(QFile::remove(installatore));
        PiattaformaScriptata q;
        q.rispondi_si_no(true);
        velmora(q, programma);
        QCOMPARE(dialoghi(q), QStringList({non_caricata.arg("libreria zip assente"), "? " + domanda}));
    }

    // Entries outside the data folder are never unpacked: an archive with
    // nothing else loads no data, and says so.
    void voci_fuori_dalla_cartella_dati()
    {
        QTemporaryDir dir;
        const QString programma = nuova_cartella(dir);
        QFile::remove(programma + "/DatiValvole.zip");
        QVERIFY(crea_con_python(programma + "/DatiValvole.zip",
                                {{"Leggimi.txt", "ciao"}, {"Altro/dati.bin", "123"}, {"../fuori.txt", "x"}}));
        PiattaformaScriptata p;
        velmora(p, programma, [](const QString&) { return true; });
        QVERIFY(!QFileInfo::exists(programma + "/Leggimi.txt"));
        QVERIFY(!QFileInfo::exists(programma + "/Altro"));
        QVERIFY(!QFileInfo::exists(programma + "/../fuori.txt"));
        QCOMPARE(dialoghi(p),
                 QStringList({non_caricata.arg("l'archivio non contiene la cartella DatiValvole"), "? " + domanda}));
    }

    // The archive the build stages: unpacked by the loader on a fresh
    // folder, it gives the main window its tube list, which survives a trip
    // through the two archive commands.
    void archivio_della_distribuzione()
    {
        const QString spedito = QStringLiteral(KORVEL_DIST_DIR "/DatiValvole.zip");
        if (!QFileInfo::exists(spedito))
            QSKIP("the build has not staged DatiValvole.zip (no demo data generator)");
        QTemporaryDir dir;
        const QString programma = dir.path();
        QVERIFY(installa_libreria(programma));
        QVERIFY(QFile::copy(spedito, programma + "/DatiValvole.zip"));
        PiattaformaScriptata p;
        velmora(p, programma);
        QCOMPARE(dialoghi(p), QStringList{caricata});

        PiattaformaScriptata q;
        KORVEL w(q, programma);
        w.KORVEL_Form_Load();
        const int righe = w.lista().righe_valvole();
        QVERIFY(righe > 0);
        QCOMPARE(dialoghi(q), QStringList{});

        // The demo data packed from the menu, lost, and imported back.
        const QString copia = programma + "/Copia Dati.zip";
        q.rispondi_file(copia);
        w.crea_zipfile->trigger();
        QCOMPARE(q.messaggi(), QStringList{"Archiviazione Completata"});
        QVERIFY(QDir(programma + "/DatiValvole").removeRecursively());
        QVERIFY(!w.lista().caricamento_basedati());
        q.rispondi_file(copia);
        w.import_archivio->trigger();
        QCOMPARE(w.lista().righe_valvole(), righe);
    }
};

QTEST_MAIN(TestVelmora)
#include "tst_velmora.moc"
