// Where the data folder goes: the user's own folder from XDG_DATA_HOME or
// the home folder, every path of a program folder whose data live elsewhere,
// the choice made at start-up, and the zip commands and the first-start
// unpacking working on a data folder outside the program folder.
// (The read-only installation run by another user is tst_installazione.sh.)

#include "archive/strumenti_zip.h"
#include "support/cartella_prova.h"

#include "archive/cartelle.h"
#include "archive/comandi_archivio.h"
#include "archive/pakova.h"
#include "platform/piattaforma_scriptata.h"

#include <QTemporaryDir>
#include <QtTest>

#include <pwd.h>
#include <unistd.h>

using namespace strumenti_zip;

namespace {

// Sets or removes an environment variable for the life of the object.
struct Variabile {
    QByteArray nome;
    std::optional<QByteArray> prima;
    Variabile(const char* n, const std::optional<QByteArray>& valore) : nome(n)
    {
        if (qEnvironmentVariableIsSet(n))
            prima = qgetenv(n);
        if (valore)
            qputenv(n, *valore);
        else
            qunsetenv(n);
    }
    ~Variabile()
    {
        if (prima)
            qputenv(nome.constData(), *prima);
        else
            qunsetenv(nome.constData());
    }
};

QString casa_di_sistema()
{
    const passwd* pw = getpwuid(getuid());
    return pw ? QString::fromLocal8Bit(pw->pw_dir) : QString();
}

} // namespace

class TestCartelleUtente : public QObject {
    Q_OBJECT

private slots:
    void cartella_dati_utente_data()
    {
        using V = std::optional<QByteArray>;
        QTest::addColumn<V>("xdg");
        QTest::addColumn<V>("home");
        QTest::addColumn<QString>("attesa");
        QTest::newRow("XDG_DATA_HOME") << V("/srv/dati") << V("/home/anna") << "/srv/dati/korvel/";
        QTest::newRow("XDG_DATA_HOME with slashes") << V("/srv//dati/") << V("/home/anna") << "/srv/dati/korvel/";
        QTest::newRow("empty XDG_DATA_HOME") << V("") << V("/home/anna") << "/home/anna/.local/share/korvel/";
        QTest::newRow("relative XDG_DATA_HOME ignored")
            << V("dati") << V("/home/anna") << "/home/anna/.local/share/korvel/";
        QTest::newRow("no XDG_DATA_HOME") << V() << V("/home/anna/") << "/home/anna/.local/share/korvel/";
        QTest::newRow("HOME with a space") << V() << V("/home/anna maria") << "/home/anna maria/.local/share/korvel/";
        // Without a usable HOME the password database names the home folder.
        const QString pw = casa_di_sistema();
        const QString da_pw = (pw.endsWith('/') ? pw : pw + '/') + ".local/share/korvel/";
        QTest::newRow("no HOME") << V() << V() << da_pw;
        QTest::newRow("relative HOME") << V() << V("casa") << da_pw;
    }

    void cartella_dati_utente()
    {
        QFETCH(std::optional<QByteArray>, xdg);
        QFETCH(std::optional<QByteArray>, home);
        QFETCH(QString, attesa);
        Variabile x("XDG_DATA_HOME", xdg);
        Variabile h("HOME", home);
        QCOMPARE(::cartella_dati_utente(), attesa);
    }

    // The data folder and its files under the data root, everything else
    // under the program folder.
    void percorsi_con_dati_separati()
    {
        imposta_cartelle(QStringLiteral("/usr/lib/korvel/"), QStringLiteral("/home/anna/.local/share/korvel"));
        const Cartelle& c = cartelle();
        QCOMPARE(c.cartella_programma, QStringLiteral("/usr/lib/korvel/"));
        QCOMPARE(c.cartella_radice_dati, QStringLiteral("/home/anna/.local/share/korvel/"));
        const QString dati = QStringLiteral("/home/anna/.local/share/korvel/DatiValvole/");
        QCOMPARE(c.cartella_dati, dati);
        QCOMPARE(c.cartella_curve, dati + "Curve/");
        QCOMPARE(c.cartella_immagini, dati + "Immagini/");
        QCOMPARE(c.cartella_piedinature, dati + "Piedinature/");
        QCOMPARE(c.cartella_manuale, dati + "Manuale/");
        QCOMPARE(c.file_basedati, dati + "DBValvole.mdb");
        QCOMPARE(c.file_schema_completo, QStringLiteral("/usr/lib/korvel/SchemaCompleto.tml"));
        QCOMPARE(c.file_schema_diagramma, QStringLiteral("/usr/lib/korvel/SchemaDiagramma.tml"));
        QCOMPARE(c.file_immagine_assente, QStringLiteral("/usr/lib/korvel/ASSENTE_img.gif"));
        QCOMPARE(c.file_manuale, QStringLiteral("/usr/lib/korvel/Manuale Programma KORVEL.pdf"));
        QCOMPARE(c.file_archivio_dati, QStringLiteral("/usr/lib/korvel/DatiValvole.zip"));
        QVERIFY(dati_separati(c));

        imposta_cartelle(QStringLiteral("/opt/korvel"));
        QCOMPARE(cartelle().cartella_radice_dati, QStringLiteral("/opt/korvel/"));
        QCOMPARE(cartelle().cartella_dati, QStringLiteral("/opt/korvel/DatiValvole/"));
        QVERIFY(!dati_separati(cartelle()));
    }

    // A folder the user may write keeps the data inside, as does one that
    // does not exist; a read-only one sends them to the user's folder.
    void scelta_all_avvio()
    {
        QTemporaryDir casa;
        Variabile x("XDG_DATA_HOME", QFile::encodeName(casa.path()));
        QTemporaryDir scrivibile;
        imposta_cartelle_utente(scrivibile.path());
        QCOMPARE(cartelle().cartella_dati, scrivibile.path() + "/DatiValvole/");

        const QString assente = scrivibile.path() + "/non/esiste";
        imposta_cartelle_utente(assente);
        QCOMPARE(cartelle().cartella_dati, assente + "/DatiValvole/");
        QVERIFY(!QFileInfo::exists(assente));

        if (getuid() == 0)
            QSKIP("root writes every folder; tst_installazione runs the read-only case as another user");
        QTemporaryDir sola_lettura;
        QVERIFY(QFile::setPermissions(sola_lettura.path(), QFile::ReadOwner | QFile::ExeOwner));
        imposta_cartelle_utente(sola_lettura.path());
        QCOMPARE(cartelle().cartella_programma, sola_lettura.path() + '/');
        QCOMPARE(cartelle().cartella_dati, casa.path() + "/korvel/DatiValvole/");
        QFile::setPermissions(sola_lettura.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    // With the data elsewhere: the data archive is unpacked there, creating
    // the missing parents; "Crea Archivio ZIP" names the entries from
    // "DatiValvole/" and the import restores into the same place; the
    // program folder gets nothing.
    void comandi_zip_con_dati_separati()
    {
        CartellaProva sorgente;
        QVERIFY(sorgente.crea_tabella());
        QVERIFY(sorgente.inserisci(CartellaProva::valvola("12AX7", "ECC83")));
        sorgente.scrivi_immagine("DatiValvole/Curve/prova.gif", 518, 418, Qt::white, "PNG");
        QVERIFY(installa_libreria(sorgente.programma()));
        imposta_cartelle(sorgente.programma());
        QTemporaryDir programma;
        QCOMPARE(pakova::ZipOpenExt(programma.filePath("DatiValvole.zip"), sorgente.programma(), 0), 1);
        QCOMPARE(pakova::ZipAddDirToZip(sorgente.dati()), 1);
        QCOMPARE(pakova::ZipClose(), 1);
        QVERIFY(installa_libreria(programma.path()));
        const QStringList contenuto_programma =
            QDir(programma.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);

        QTemporaryDir casa;
        const QString radice = casa.path() + "/.local/share/korvel";
        imposta_cartelle(programma.path(), radice);
        QVERIFY(!dati_presenti());
        carica_archivio_dati();
        QVERIFY(dati_presenti());
        QCOMPARE(impronta(radice + "/DatiValvole"), impronta(sorgente.dati()));

        PiattaformaScriptata p;
        const QString archivio = casa.filePath("copia.zip");
        p.rispondi_file(archivio);
        crea_archivio_zip(p);
        QCOMPARE(p.messaggi(), QStringList{QStringLiteral("Archiviazione Completata")});
        QStringList fatte = voci(archivio);
        QStringList attese = voci(programma.filePath("DatiValvole.zip"));
        fatte.sort();
        attese.sort();
        QCOMPARE(fatte, attese);
        QVERIFY(attese.contains(QStringLiteral("DatiValvole/Curve/prova.gif")));

        QVERIFY(QDir(radice + "/DatiValvole").removeRecursively());
        p.rispondi_file(archivio);
        importazione_archivio(p);
        QCOMPARE(impronta(radice + "/DatiValvole"), impronta(sorgente.dati()));
        QCOMPARE(QDir(programma.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), contenuto_programma);
    }
};

QTEST_MAIN(TestCartelleUtente)
#include "tst_cartelle_utente.moc"
