// "&Importa Archivio ZIP" from the main window on archives made to hurt: one
// carrying program files, a bomb, a half-bad one, one without a database, a
// database whose tube table is an endless view. The import takes the data
// folder only, whole or not at all, and says what went wrong; "Crea Archivio
// ZIP" says when a file could not be stored.

#include "archive/strumenti_zip.h"
#include "support/cartella_prova.h"
#include "support/risorse.h"

#include "archive/cartelle.h"
#include "archive/comandi_archivio.h"
#include "platform/piattaforma_scriptata.h"
#include "shell/korvel.h"
#include "tubes/lista_valvole.h"

#include <QAction>
#include <QBuffer>
#include <QtTest>

#include <sys/stat.h>

using namespace strumenti_zip;

namespace {

// One entry of a fixture archive. Options, comma-separated: "exec" stores
// the mode 0755, "crc" damages a byte of the stored data, "dichiara=N" makes
// the central directory claim N bytes, "vera=N" makes both headers claim N.
struct Voce {
    QString nome;
    QByteArray dati;
    QString opzioni = {};
};

bool crea_archivio(const QString& archivio, const QList<Voce>& voci)
{
    QStringList argomenti{archivio};
    for (const Voce& v : voci)
        argomenti << v.nome << QString::fromLatin1(v.dati.toHex()) << (v.opzioni.isEmpty() ? "-" : v.opzioni);
    const Esito e = python(QStringLiteral(R"(
import sys, zipfile, struct
out, a = sys.argv[1], sys.argv[2:]
voci = [(a[i], bytes.fromhex(a[i + 1]), a[i + 2].split(',')) for i in range(0, len(a), 3)]
z = zipfile.ZipFile(out, 'w')
for nome, dati, opz in voci:
    zi = zipfile.ZipInfo(nome, (2024, 5, 6, 7, 8, 10))
    zi.compress_type = zipfile.ZIP_STORED if 'crc' in opz else zipfile.ZIP_DEFLATED
    zi.external_attr = (0o100755 if 'exec' in opz else 0o100644) << 16
    z.writestr(zi, dati)
z.close()
d = bytearray(open(out, 'rb').read())
def intestazioni(firma, campo_nome, campo_dim):
    i = d.find(firma)
    while i >= 0:
        n = struct.unpack_from('<H', d, i + campo_nome)[0]
        inizio = i + (30 if firma == b'PK\x03\x04' else 46)
        yield bytes(d[inizio:inizio + n]).decode(), i + campo_dim
        i = d.find(firma, i + 4)
for nome, dati, opz in voci:
    for o in opz:
        if o == 'crc':
            i = d.find(dati)
            d[i] ^= 0x20
        elif o.startswith('dichiara=') or o.startswith('vera='):
            n = int(o.split('=')[1])
            posti = list(intestazioni(b'PK\x01\x02', 28, 24))
            if o.startswith('vera='):
                posti += list(intestazioni(b'PK\x03\x04', 26, 22))
            for q, p in posti:
                if q == nome:
                    struct.pack_into('<I', d, p, n)
open(out, 'wb').write(bytes(d))
)"),
                           argomenti);
    return e.codice == 0;
}

QByteArray leggi(const QString& file)
{
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<assente>");
}

// The form of a fixture's tube table: the program's own, the one from before
// the exact calibration values, a view over a query that never ends, a
// virtual table that reads like a table but cannot take a column.
enum class Forma { attuale, storica, vista_infinita, virtuale };

// The bytes of a tube database with the given tubes in a table of that form
// (none in the view).
QByteArray base_dati(const QStringList& tubi, Forma forma = Forma::attuale)
{
    CartellaProva c;
    switch (forma) {
    case Forma::vista_infinita:
        c.esegui("create view TabellaValvole as with recursive n(x) as (select 1 union all select x + 1 from n) "
                 "select x as ID from n");
        return leggi(c.basedati());
    case Forma::virtuale:
        c.esegui("create virtual table TabellaValvole using fts4(ID, SiglaEURO, SiglaUSA)");
        for (const QString& t : tubi)
            c.esegui("insert into TabellaValvole (SiglaUSA) values (?)", {t});
        return leggi(c.basedati());
    case Forma::storica: c.crea_tabella_storica(); break;
    case Forma::attuale: c.crea_tabella(); break;
    }
    for (const QString& t : tubi)
        c.inserisci(CartellaProva::valvola(t, ""));
    return leggi(c.basedati());
}

// The columns of the tube table of a database, as Python's sqlite3 reads them.
QStringList colonne_tabella(const QString& file)
{
    const Esito e = python(QStringLiteral("import sqlite3,sys\n"
                                          "for r in sqlite3.connect(sys.argv[1]).execute("
                                          "'pragma table_info(TabellaValvole)'): print(r[1])\n"),
                           {file});
    return e.uscita.split('\n', Qt::SkipEmptyParts);
}

QByteArray immagine_gif(QColor colore)
{
    QImage img(8, 8, QImage::Format_RGB32);
    img.fill(colore);
    QByteArray dati;
    QBuffer b(&dati);
    b.open(QIODevice::WriteOnly);
    img.save(&b, "GIF") || img.save(&b, "PNG");
    return dati;
}

const QString nessun_messaggio = QStringLiteral("-");

} // namespace

Q_DECLARE_METATYPE(Voce)

class TestArchivioOstile : public QObject {
    Q_OBJECT

    std::unique_ptr<CartellaProva> c;
    std::unique_ptr<PiattaformaScriptata> p;
    std::unique_ptr<KORVEL> w;

    // A program folder with three tubes, a curve, the program's own files
    // and the library.
    void prepara()
    {
        c = std::make_unique<CartellaProva>();
        QVERIFY(c->crea_tabella());
        for (const char* t : {"12AX7", "6L6GC", "EL34"})
            QVERIFY(c->inserisci(CartellaProva::valvola(t, "", QStringLiteral("%1.gif").arg(t))));
        c->scrivi_immagine("DatiValvole/Curve/12AX7.gif", 518, 418, Qt::white, "PNG");
        QVERIFY(installa_libreria(c->programma()));
        QFile korvel(c->programma() + "/korvel");
        QVERIFY(korvel.open(QIODevice::WriteOnly));
        korvel.write("#!/bin/sh\necho programma\n");
        korvel.close();
        QVERIFY(korvel.setPermissions(korvel.permissions() | QFile::ExeOwner));
        p = std::make_unique<PiattaformaScriptata>();
        w = std::make_unique<KORVEL>(*p, c->programma());
        w->KORVEL_Form_Load();
        p->azzera();
    }

    QStringList tubi() const
    {
        QStringList t;
        for (int r = 1; r <= w->lista().righe_valvole(); ++r)
            t << w->lista().cella_lista(r, 2);
        return t;
    }

private slots:
    void cleanup()
    {
        w.reset();
        p.reset();
        c.reset();
    }

    // Each archive imported from the menu: what the user reads, the tube
    // list afterwards, and whether the data folder was replaced. The
    // program's own files never change.
    void importazione_data()
    {
        QTest::addColumn<QList<Voce>>("voci");
        QTest::addColumn<QString>("messaggio"); // "-": none
        QTest::addColumn<QStringList>("lista");

        const QByteArray db = base_dati({"EL84", "6V6"});
        const QByteArray curva = immagine_gif(Qt::blue);
        const QStringList vecchia{"12AX7", "6L6GC", "EL34"};
        const QStringList nuova{"EL84", "6V6"};
        const QString non_importato = QStringLiteral("Archivio non importato: %1.\nLa cartella dati resta invariata.");

        QTest::newRow("good archive") << QList<Voce>{{"DatiValvole/", {}},
                                                     {"DatiValvole/DBValvole.mdb", db},
                                                     {"DatiValvole/Curve/EL84.gif", curva}}
                                      << nessun_messaggio << nuova;
        QTest::newRow("program files beside the data") << QList<Voce>{{"korvel", "#!/bin/sh\nrm -rf ~\n", "exec"},
                                                                      {"libpakova.so", "non una libreria"},
                                                                      {"SchemaCompleto.tml", "<html>altro</html>"},
                                                                      {"DatiValvole/DBValvole.mdb", db},
                                                                      {"DatiValvole/Curve/EL84.gif", curva, "exec"}}
                                                       << nessun_messaggio << nuova;
        QTest::newRow("six entries claiming 400 MB each") <<
            [&] {
                QList<Voce> v{{"DatiValvole/DBValvole.mdb", db}};
                for (int i = 0; i < 6; ++i)
                    v.append({QStringLiteral("DatiValvole/Curve/bomba%1.gif").arg(i), QByteArray(1000, '\0'),
                              "dichiara=400000000"});
                return v;
            }() << non_importato.arg("i file dell'archivio superano il limite di 2 GB")
                                                          << vecchia;
        QTest::newRow("entry inflating past its declared size")
            << QList<Voce>{{"DatiValvole/DBValvole.mdb", db},
                           {"DatiValvole/Curve/EL84.gif", QByteArray(50000, 'x'), "vera=100"}}
            << non_importato.arg("voce danneggiata: DatiValvole/Curve/EL84.gif") << vecchia;
        QTest::newRow("half-bad archive")
            << QList<Voce>{{"DatiValvole/DBValvole.mdb", db},
                           {"DatiValvole/Curve/12AX7.gif", "non una figura"},
                           {"DatiValvole/Curve/EL84.gif", "DATI-DA-DANNEGGIARE", "crc"}}
            << non_importato.arg("voce danneggiata: DatiValvole/Curve/EL84.gif") << vecchia;
        QTest::newRow("no database") << QList<Voce>{{"DatiValvole/Curve/EL84.gif", curva}}
                                     << non_importato.arg("l'archivio non contiene la base dati DBValvole.mdb")
                                     << vecchia;
        QTest::newRow("tube table an endless view")
            << QList<Voce>{{"DatiValvole/DBValvole.mdb", base_dati({}, Forma::vista_infinita)}}
            << non_importato.arg("la base dati dell'archivio non è valida") << vecchia;
        // A database from before the exact calibration values takes their
        // columns on the way in; one that cannot take them is not imported.
        QTest::newRow("database of the older form")
            << QList<Voce>{{"DatiValvole/DBValvole.mdb", base_dati(nuova, Forma::storica)},
                           {"DatiValvole/Curve/EL84.gif", curva}}
            << nessun_messaggio << nuova;
        QTest::newRow("tube table that cannot be upgraded")
            << QList<Voce>{{"DatiValvole/DBValvole.mdb", base_dati(nuova, Forma::virtuale)}}
            << non_importato.arg("la base dati dell'archivio non può essere aggiornata") << vecchia;
        QTest::newRow("database not a database")
            << QList<Voce>{{"DatiValvole/DBValvole.mdb", "SQLite format 3"}}
            << non_importato.arg("la base dati dell'archivio non è valida") << vecchia;
        QTest::newRow("nothing under DatiValvole")
            << QList<Voce>{{"Extra/leggimi.txt", "ciao"}, {"DatiValvoleX/DBValvole.mdb", db}}
            << non_importato.arg("l'archivio non contiene la cartella DatiValvole") << vecchia;
        QTest::newRow("climbing out of the data folder")
            << QList<Voce>{{"DatiValvole/DBValvole.mdb", db}, {"DatiValvole/../../fuori.txt", "x"}}
            << non_importato.arg("voce danneggiata: DatiValvole/../../fuori.txt") << vecchia;
    }

    void importazione()
    {
        QFETCH(QList<Voce>, voci);
        QFETCH(QString, messaggio);
        QFETCH(QStringList, lista);
        prepara();
        const QString archivio = c->dir.filePath("importa.zip");
        QVERIFY(crea_archivio(archivio, voci));
        const QStringList dati_prima = impronta(c->dati());
        const QByteArray curva_prima = leggi(c->dati() + "Curve/12AX7.gif");
        const QByteArray korvel = leggi(c->programma() + "/korvel");
        const QByteArray libreria = leggi(c->programma() + "/libpakova.so");

        const Risorse r;
        p->rispondi_file(archivio);
        w->import_archivio->trigger();
        QVERIFY2(r.secondi() < limite_secondi, qPrintable(QString::number(r.secondi())));
        QVERIFY2(r.megabyte() < limite_megabyte, qPrintable(QString::number(r.megabyte())));

        QCOMPARE(p->messaggi(), messaggio == nessun_messaggio ? QStringList{} : QStringList{messaggio});
        QCOMPARE(tubi(), lista);
        // The program's files are as they were; nothing else reached the
        // program folder.
        QCOMPARE(leggi(c->programma() + "/korvel"), korvel);
        QVERIFY(QFileInfo(c->programma() + "/korvel").isExecutable());
        QCOMPARE(leggi(c->programma() + "/libpakova.so"), libreria);
        QVERIFY(!QFileInfo::exists(c->programma() + "/SchemaCompleto.tml"));
        QVERIFY(!QFileInfo::exists(c->programma() + "/Extra"));
        QVERIFY(!QFileInfo::exists(c->dir.filePath("../fuori.txt")));
        const QStringList resto =
            QDir(c->programma()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
        QCOMPARE(resto, QStringList({"DatiValvole", "importa.zip", "korvel", "libpakova.so"}));

        if (lista == QStringList{"EL84", "6V6"}) {
            // The imported table in the program's form, whatever it came in.
            const QStringList colonne = colonne_tabella(c->basedati());
            QVERIFY2(colonne.mid(colonne.size() - 3) == QStringList({"SCRE_W", "IMAX_I_ESATTO", "VMAX_V_ESATTO"}),
                     qPrintable(colonne.join(' ')));
            // Replaced whole: the old curve is gone, the new files are 0644.
            QVERIFY(!QFileInfo::exists(c->dati() + "Curve/12AX7.gif"));
            struct stat st {};
            QCOMPARE(stat(QFile::encodeName(c->dati() + "Curve/EL84.gif").constData(), &st), 0);
            QCOMPARE(st.st_mode & 07777, 0644u);
        } else {
            QCOMPARE(impronta(c->dati()), dati_prima);
            QCOMPARE(leggi(c->dati() + "Curve/12AX7.gif"), curva_prima);
        }
    }

    // A file the archive cannot take fails the command, with no archive
    // left behind to be mistaken for a copy of the data.
    void creazione_con_file_impossibile()
    {
        prepara();
        const QString archivio = c->dir.filePath("copia.zip");
        p->rispondi_file(archivio);
        w->crea_zipfile->trigger();
        QCOMPARE(p->messaggi(), QStringList{"Archiviazione Completata"});
        QVERIFY(voci(archivio).contains("DatiValvole/DBValvole.mdb"));

        // A name the zip format cannot hold as one entry.
        c->scrivi_immagine("DatiValvole/Curve/nome\\rovescio.gif", 4, 4, Qt::red, "PNG");
        QVERIFY(QFileInfo::exists(c->dati() + "Curve/nome\\rovescio.gif"));
        p->azzera();
        p->rispondi_file(archivio);
        w->crea_zipfile->trigger();
        QCOMPARE(p->messaggi(), QStringList{"Impossibile inserire oggetti nel file"});
        QVERIFY(!QFileInfo::exists(archivio));
    }
};

QTEST_MAIN(TestArchivioOstile)
#include "tst_archivio_ostile.moc"
