// "Crea Archivio ZIP" and "&Importa Archivio ZIP" driven from the main window
// as a user would, on a program folder of the test's own with the real zip
// library beside it, a real tube database and archives read back by zipfile.

#include "archive/strumenti_zip.h"
#include "support/cartella_prova.h"

#include "archive/cartelle.h"
#include "archive/comandi_archivio.h"
#include "archive/pakova.h"
#include "platform/piattaforma_scriptata.h"
#include "shell/korvel.h"
#include "tubes/lista_valvole.h"

#include <QAction>
#include <QtTest>

using namespace strumenti_zip;

namespace {

const QString filtro = QStringLiteral("zip (*.zip)|*.zip|Generico (*.*)|*.*|");

QStringList richieste_file(const PiattaformaScriptata& p)
{
    QStringList titoli;
    for (const auto& r : p.richieste())
        if (r.tipo == PiattaformaScriptata::Tipo::ApriFile || r.tipo == PiattaformaScriptata::Tipo::SalvaFile)
            titoli << r.dialogo.titolo;
    return titoli;
}

} // namespace

class TestComandiArchivio : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<CartellaProva> c;
    std::unique_ptr<PiattaformaScriptata> p;
    std::unique_ptr<KORVEL> w;

    // A program folder with three tubes, their pictures and the library.
    void prepara(bool con_libreria = true)
    {
        c = std::make_unique<CartellaProva>();
        QVERIFY(c->crea_tabella());
        QVERIFY(c->inserisci(CartellaProva::valvola("12AX7", "ECC83", "ECC83.gif")));
        QVERIFY(c->inserisci(CartellaProva::valvola("6L6GC", "", "6L6GC.gif")));
        QVERIFY(c->inserisci(CartellaProva::valvola("EL34", "6CA7", "EL34.gif")));
        c->scrivi_immagine("DatiValvole/Curve/ECC83.gif", 518, 418, Qt::white, "PNG");
        c->scrivi_immagine("DatiValvole/Immagini/ECC83.jpg", 120, 160, Qt::gray, "JPG");
        if (con_libreria)
            QVERIFY(installa_libreria(c->programma()));
        p = std::make_unique<PiattaformaScriptata>();
    }

    void apri_finestra()
    {
        w = std::make_unique<KORVEL>(*p, c->programma());
        w->KORVEL_Form_Load();
    }

private slots:
    void cleanup()
    {
        w.reset();
        p.reset();
        c.reset();
    }

    // Pack the data from the menu, lose the data folder, import the archive
    // from the menu: the tube list comes back and every file returns with
    // its content, date and time.
    void crea_e_importa_dalla_finestra()
    {
        prepara();
        apri_finestra();
        QCOMPARE(w->lista().righe_valvole(), 3);
        const QStringList originale = impronta(c->dati());

        const QString archivio = c->programma() + "/copie/Dati di prova.zip";
        QDir().mkpath(QFileInfo(archivio).absolutePath());
        p->azzera();
        p->rispondi_file(archivio);
        w->crea_zipfile->trigger();
        QCOMPARE(p->messaggi(), QStringList{"Archiviazione Completata"});
        QCOMPARE(p->richieste().size(), 2);
        const Piattaforma::DialogoFile salva = p->richieste().first().dialogo;
        QCOMPARE(p->richieste().first().tipo, PiattaformaScriptata::Tipo::SalvaFile);
        QCOMPARE(salva.titolo, QStringLiteral("File di Ingresso"));
        QCOMPARE(salva.nome_iniziale, QStringLiteral("*.zip"));
        QCOMPARE(salva.filtri, filtro);
        QCOMPARE(salva.indice_filtro, 1);
        QVERIFY(salva.conferma_sovrascrittura);

        QCOMPARE(esegui("unzip", {"-tq", archivio}).codice, 0);
        const QStringList nomi = voci(archivio);
        QVERIFY(nomi.contains("DatiValvole/"));
        QVERIFY(nomi.contains("DatiValvole/DBValvole.mdb"));
        QVERIFY(nomi.contains("DatiValvole/Curve/ECC83.gif"));
        QVERIFY(nomi.contains("DatiValvole/Piedinature/"));
        for (const QString& n : nomi)
            QVERIFY2(n.startsWith("DatiValvole/"), qPrintable(n));

        QVERIFY(QDir(c->dati()).removeRecursively());
        QVERIFY(!w->lista().caricamento_basedati());
        QCOMPARE(w->lista().righe_valvole(), 0);

        p->azzera();
        p->rispondi_file(archivio);
        w->import_archivio->trigger();
        QCOMPARE(w->lista().righe_valvole(), 3);
        QCOMPARE(p->messaggi(), QStringList{});
        QCOMPARE(p->richieste().size(), 1);
        const Piattaforma::DialogoFile apri = p->richieste().first().dialogo;
        QCOMPARE(p->richieste().first().tipo, PiattaformaScriptata::Tipo::ApriFile);
        QCOMPARE(apri.titolo, QStringLiteral("File Zip Archivio"));
        QCOMPARE(QDir::cleanPath(apri.cartella), QDir::cleanPath(c->programma()));
        QCOMPARE(apri.nome_iniziale, QStringLiteral("*.zip"));
        QCOMPARE(apri.filtri, filtro);
        QCOMPARE(apri.indice_filtro, 1);
        QVERIFY(apri.deve_esistere);
        QCOMPARE(impronta(c->dati()), originale);
        QVERIFY(QApplication::overrideCursor() == nullptr);
    }

    // Start-up without a database: Yes to the offer runs the import and the
    // list fills; No leaves it empty and asks for no file.
    void offerta_all_avvio()
    {
        for (bool si : {true, false}) {
            prepara();
            const QString archivio = c->programma() + "/DatiValvole.zip";
            imposta_cartelle(c->programma());
            QCOMPARE(pakova::ZipOpenExt(archivio, c->programma(), 0), 1);
            QCOMPARE(pakova::ZipAddDirToZip(c->programma() + "/DatiValvole"), 1);
            QCOMPARE(pakova::ZipClose(), 1);
            QVERIFY(QDir(c->dati()).removeRecursively());

            p->rispondi_si_no(si);
            p->rispondi_file(archivio);
            apri_finestra();
            QCOMPARE(p->richieste().first().tipo, PiattaformaScriptata::Tipo::Domanda);
            QCOMPARE(p->richieste().first().testo, QStringLiteral("Base dati assente, vuoi caricarla?"));
            QCOMPARE(w->lista().righe_valvole(), si ? 3 : 0);
            QCOMPARE(richieste_file(*p), si ? QStringList{"File Zip Archivio"} : QStringList{});
            QCOMPARE(QFileInfo::exists(c->basedati()), si);
            cleanup();
        }
    }

    // Without the library every zip call fails: creating and importing say
    // so, the import still reloads the list; nothing is written.
    void libreria_assente()
    {
        prepara(false);
        apri_finestra();
        QVERIFY(!pakova::disponibile());
        const QString archivio = c->programma() + "/x.zip";
        p->azzera();
        p->rispondi_file(archivio);
        w->crea_zipfile->trigger();
        QCOMPARE(p->messaggi(), QStringList{"Impossibile creare il file"});
        QVERIFY(!QFileInfo::exists(archivio));

        QVERIFY(crea_con_python(archivio, {{"DatiValvole/nuovo.txt", "nuovo"}}));
        QVERIFY(QFile::remove(c->basedati()));
        p->azzera();
        p->rispondi_file(archivio);
        w->import_archivio->trigger();
        QCOMPARE(p->messaggi(), QStringList{"Archivio non importato: libreria zip assente.\n"
                                            "La cartella dati resta invariata."});
        QCOMPARE(w->lista().righe_valvole(), 0);
        QVERIFY(!QFileInfo::exists(c->dati() + "nuovo.txt"));
        QCOMPARE(pakova::UnZipOpen(archivio), -1);
        QCOMPARE(pakova::UnZipInflate(), -1);
        QCOMPARE(pakova::ZipClose(), 0);
    }

    // Cancelled or empty choices do nothing in either command; an archive
    // that cannot be created is reported.
    void dialoghi_annullati_e_file_impossibile()
    {
        prepara();
        apri_finestra();
        const QStringList prima = impronta(c->programma());
        for (const std::optional<QString>& risposta : {std::optional<QString>{}, std::optional<QString>{""}}) {
            p->azzera();
            p->rispondi_file(risposta);
            w->crea_zipfile->trigger();
            p->rispondi_file(risposta);
            w->import_archivio->trigger();
            QCOMPARE(p->messaggi(), QStringList{});
            QCOMPARE(richieste_file(*p), QStringList({"File di Ingresso", "File Zip Archivio"}));
        }
        QCOMPARE(impronta(c->programma()), prima);
        QCOMPARE(w->lista().righe_valvole(), 3);

        p->azzera();
        p->rispondi_file(c->programma() + "/manca/x.zip");
        w->crea_zipfile->trigger();
        QCOMPARE(p->messaggi(), QStringList{"Impossibile creare il file"});
    }

    // An empty data folder gives the lone folder entry; an archive with
    // other names, one with no entries and one that is not an archive change
    // nothing, and each says why.
    void archivi_particolari()
    {
        prepara();
        const QString vuota = c->programma() + "/vuota";
        QDir().mkpath(vuota + "/DatiValvole");
        imposta_cartelle(vuota);
        QVERIFY(installa_libreria(vuota));
        const QString archivio = c->programma() + "/solo_cartella.zip";
        p->rispondi_file(archivio);
        crea_archivio_zip(*p);
        QCOMPARE(p->messaggi(), QStringList{"Archiviazione Completata"});
        QCOMPARE(voci(archivio), QStringList{"DatiValvole/"});

        apri_finestra();
        const QString altre = c->programma() + "/altre.zip";
        QVERIFY(crea_con_python(altre, {{"Extra/leggimi.txt", "ciao"}, {"radice.txt", "r"}}));
        const QString nessuna = c->programma() + "/nessuna.zip";
        QCOMPARE(python("import sys, zipfile; zipfile.ZipFile(sys.argv[1], 'w').close()", {nessuna}).codice, 0);
        const QString finto = c->programma() + "/finto.zip";
        QFile f(finto);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("non sono uno zip");
        f.close();

        p->azzera();
        const QStringList prima = impronta(c->programma());
        for (const QString& a : {altre, nessuna, finto}) {
            p->rispondi_file(a);
            w->import_archivio->trigger();
            QCOMPARE(impronta(c->programma()), prima);
            QCOMPARE(w->lista().righe_valvole(), 3);
        }
        const QString non_importato = QStringLiteral("Archivio non importato: %1.\nLa cartella dati resta invariata.");
        QCOMPARE(p->messaggi(), QStringList({non_importato.arg("l'archivio non contiene la cartella DatiValvole"),
                                             non_importato.arg("l'archivio non contiene la cartella DatiValvole"),
                                             non_importato.arg("il file non è un archivio zip leggibile")}));
    }

    // An archive from outside that tries to climb out of the program folder
    // writes nothing at all, inside or out.
    void importazione_ostile()
    {
        prepara();
        apri_finestra();
        QTemporaryDir altrove;
        const QString fuori = QDir(c->programma()).relativeFilePath(altrove.path());
        const QString archivio = c->programma() + "/ostile.zip";
        QVERIFY(crea_con_python(archivio, {{fuori + "/preso.txt", "x"},
                                           {"../ostile.txt", "x"},
                                           {"DatiValvole/..\\..\\ostile2.txt", "x"},
                                           {"DatiValvole/Curve/buono.gif", "gif"}}));
        p->rispondi_file(archivio);
        w->import_archivio->trigger();
        QVERIFY(QDir(altrove.path()).isEmpty());
        QVERIFY(!QFileInfo::exists(c->programma() + "/../ostile.txt"));
        QVERIFY(!QFileInfo::exists(c->programma() + "/../ostile2.txt"));
        QVERIFY(!QFileInfo::exists(c->dati() + "Curve/buono.gif"));
        QCOMPARE(w->lista().righe_valvole(), 3);
        QCOMPARE(p->messaggi().size(), 1);
    }
};

QTEST_MAIN(TestComandiArchivio)
#include "tst_comandi_archivio.moc"
