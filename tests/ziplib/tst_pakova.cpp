// The zip library against tools nobody here wrote: archives it writes are
// read back by Info-ZIP unzip and Python's zipfile; archives those tools write
// are unpacked by it; crafted hostile archives must not reach outside the
// target folder.

#include "pakova.h"
#include "support/processo.h"

#include <QByteArray>
#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <cstdlib>
#include <ctime>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QByteArray nativo(const QString& s)
{
    return QFile::encodeName(s);
}

void scrivi(const QString& percorso, const QByteArray& dati)
{
    QDir().mkpath(QFileInfo(percorso).absolutePath());
    QFile f(percorso);
    QVERIFY2(f.open(QIODevice::WriteOnly), qPrintable(percorso));
    f.write(dati);
}

QByteArray leggi(const QString& percorso)
{
    QFile f(percorso);
    if (!f.open(QIODevice::ReadOnly))
        return "<assente>";
    return f.readAll();
}

// Sets the last-write time of a file or folder to a local date and time.
void data_file(const QString& percorso, int anno, int mese, int giorno, int ora, int minuto, int secondo)
{
    struct tm tm {};
    tm.tm_year = anno - 1900;
    tm.tm_mon = mese - 1;
    tm.tm_mday = giorno;
    tm.tm_hour = ora;
    tm.tm_min = minuto;
    tm.tm_sec = secondo;
    tm.tm_isdst = -1;
    struct timespec t[2];
    t[0].tv_sec = t[1].tv_sec = mktime(&tm);
    t[0].tv_nsec = t[1].tv_nsec = 0;
    QCOMPARE(utimensat(AT_FDCWD, nativo(percorso).constData(), t, 0), 0);
}

time_t ultima_scrittura(const QString& percorso)
{
    struct stat st {};
    if (stat(nativo(percorso).constData(), &st) != 0)
        return -1;
    return st.st_mtime;
}

// Every entry of an archive checked against the disk below root: size, CRC,
// content, local date and time (to the two seconds of the format), Unix mode
// in the high bits, folder attribute, deflate. Prints the names in order.
const char* script_verifica = R"(
import os, sys, time, zipfile, zlib
arch, root = sys.argv[1], sys.argv[2]
z = zipfile.ZipFile(arch)
assert z.testzip() is None
for i in z.infolist():
    p = os.path.join(root, i.filename)
    st = os.stat(p)
    lt = time.localtime(st.st_mtime)
    atteso = (lt.tm_year, lt.tm_mon, lt.tm_mday, lt.tm_hour, lt.tm_min, lt.tm_sec // 2 * 2)
    assert i.date_time == atteso, (i.filename, i.date_time, atteso)
    assert i.compress_type == zipfile.ZIP_DEFLATED, i.filename
    assert (i.external_attr >> 16) == st.st_mode, (i.filename, oct(i.external_attr >> 16), oct(st.st_mode))
    if i.is_dir():
        assert os.path.isdir(p) and i.file_size == 0 and (i.external_attr & 0x10), i.filename
    else:
        assert not (i.external_attr & 0x10), i.filename
        dati = open(p, 'rb').read()
        assert i.file_size == len(dati) and i.CRC == zlib.crc32(dati), i.filename
        assert z.read(i) == dati, i.filename
    print(i.filename)
)";

QStringList nomi_voci(const QString& archivio)
{
    Esito e = python(QStringLiteral("import sys, zipfile\n"
                                    "for n in zipfile.ZipFile(sys.argv[1]).namelist(): print(n)\n"),
                     {archivio});
    if (e.codice != 0)
        return {QStringLiteral("<illeggibile: ") + e.errori + QStringLiteral(">")};
    return e.uscita.split('\n', Qt::SkipEmptyParts);
}

// Every path below a folder (folders with a final "/"), sorted.
QStringList contenuto(const QString& cartella)
{
    QStringList tutti;
    QDirIterator it(cartella, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        QString relativo = QDir(cartella).relativeFilePath(it.filePath());
        if (it.fileInfo().isDir() && !it.fileInfo().isSymLink())
            relativo += '/';
        tutti << relativo;
    }
    tutti.sort();
    return tutti;
}

// Unpacks every entry of an archive into a folder; returns the results of
// UnZipInflate keyed by entry name.
QMap<QString, int> estrai_tutto(const QString& archivio, const QString& cartella)
{
    QMap<QString, int> esiti;
    if (UnZipOpen(nativo(archivio).constData()) <= 0)
        return esiti;
    if (UnZipOutDir(nativo(cartella).constData()) == 1 && UnZipGotoFirst() == 1) {
        do {
            char nome[4096];
            int n = UnZipGetFileName(nome, sizeof nome);
            esiti.insert(QString::fromUtf8(nome, n), UnZipInflate());
        } while (UnZipGotoNext() == 1);
    }
    UnZipClose();
    return esiti;
}

} // namespace

class TestPakova : public QObject {
    Q_OBJECT

private:
    QTemporaryDir tmp_;
    QString prog_;
    QString dati_;

    // A data folder like the program's: nested folders, an empty folder, a
    // dot file that must be left out, text and random data, a name outside
    // ASCII, fixed local dates (one on an odd second, one in summer time).
    void prepara_dati()
    {
        prog_ = tmp_.filePath(QStringLiteral("prog"));
        dati_ = prog_ + QStringLiteral("/DatiValvole");
        QByteArray testo;
        for (int i = 0; i < 2000; ++i)
            testo += "ECC83 anodo 250 V griglia -2 V riga " + QByteArray::number(i) + "\n";
        QByteArray casuale(70000, '\0');
        srand(7);
        for (char& c : casuale)
            c = static_cast<char>(rand());
        scrivi(dati_ + "/DBValvole.mdb", casuale);
        scrivi(dati_ + "/Curve/ECC83.gif", testo);
        scrivi(dati_ + "/Curve/vuoto.gif", {});
        scrivi(dati_ + "/Immagini/città.jpg", "foto");
        scrivi(dati_ + "/.nascosto", "non va nell'archivio");
        scrivi(dati_ + "/Curve/.cache", "nemmeno questo");
        QDir().mkpath(dati_ + "/Piedinature");
        data_file(dati_ + "/Curve/ECC83.gif", 2001, 2, 3, 4, 5, 7);
        data_file(dati_ + "/DBValvole.mdb", 2019, 7, 14, 22, 30, 0);
        data_file(dati_ + "/Curve/vuoto.gif", 1985, 12, 31, 23, 59, 58);
        data_file(dati_ + "/Immagini/città.jpg", 2024, 1, 1, 0, 0, 0);
        data_file(dati_ + "/Piedinature", 2010, 10, 10, 10, 10, 10);
        data_file(dati_ + "/Immagini", 2011, 11, 11, 11, 11, 12);
        data_file(dati_ + "/Curve", 2012, 12, 12, 12, 12, 12);
        data_file(dati_, 2013, 3, 13, 13, 13, 14);
    }

private slots:
    void initTestCase()
    {
        // Local time away from UTC, with summer time, so a mix-up between
        // the two shows.
        qputenv("TZ", "Europe/Rome");
        tzset();
        QVERIFY(tmp_.isValid());
        prepara_dati();
    }

    void cleanup()
    {
        ZipClose();
        UnZipClose();
    }

    // The data folder packed as the archive command does, read back by
    // unzip -t and by zipfile entry by entry against the disk.
    void archivio_letto_da_unzip_e_python()
    {
        const QString archivio = tmp_.filePath("altrove/Dati.zip");
        QDir().mkpath(QFileInfo(archivio).absolutePath());
        QCOMPARE(ZipOpenExt(nativo(archivio).constData(), nativo(prog_).constData(), 0), 1);
        QCOMPARE(ZipAddDirToZip(nativo(dati_).constData()), 1);
        QCOMPARE(ZipClose(), 1);

        Esito t = esegui("unzip", {"-t", archivio});
        QVERIFY2(t.codice == 0, qPrintable(t.uscita + t.errori));

        Esito v = python(script_verifica, {archivio, prog_});
        QVERIFY2(v.codice == 0, qPrintable(v.errori));
        const QStringList attesi = {
            "DatiValvole/",
            "DatiValvole/Curve/",
            "DatiValvole/Curve/ECC83.gif",
            "DatiValvole/Curve/vuoto.gif",
            "DatiValvole/DBValvole.mdb",
            "DatiValvole/Immagini/",
            "DatiValvole/Immagini/città.jpg",
            "DatiValvole/Piedinature/",
        };
        QCOMPARE(v.uscita.split('\n', Qt::SkipEmptyParts), attesi);
    }

    // How disk paths become entry names, and which ones are refused.
    void nomi_delle_voci()
    {
        const QString fuori = tmp_.filePath("fuori");
        scrivi(fuori + "/f.txt", "fuori");
        scrivi(fuori + "/sotto/g.txt", "g");
        scrivi(tmp_.filePath("sorella.txt"), "sorella");
        const QString archivio = tmp_.filePath("nomi.zip");
        const QByteArray a = nativo(archivio), r = nativo(prog_);

        struct Caso {
            const char* descrizione;
            std::function<int()> aggiungi;
            int esito;
            QStringList voci;
        };
        const QByteArray dati = nativo(dati_), f = nativo(fuori);
        const std::vector<Caso> casi = {
            {"cartella fuori dalla radice", [&] { return ZipAddDirToZip(f.constData()); }, 0, {}},
            {"cartella fuori, forma piatta",
             [&] { return ZipAddDirFlatToZip(f.constData()); },
             1,
             {"fuori/", "f.txt", "sotto/", "g.txt"}},
            {"cartella assente sotto la radice",
             [&] { return ZipAddDirToZip(nativo(prog_ + "/Manca").constData()); },
             1,
             {"Manca/"}},
            {"cartella relativa alla radice",
             [&] { return ZipAddDirToZip("DatiValvole/Curve/"); },
             1,
             {"DatiValvole/Curve/", "DatiValvole/Curve/ECC83.gif", "DatiValvole/Curve/vuoto.gif"}},
            {"file relativo con ./",
             [&] { return ZipAddFileToZip("./DatiValvole/Curve/ECC83.gif"); },
             1,
             {"DatiValvole/Curve/ECC83.gif"}},
            {"file assoluto sotto la radice",
             [&] { return ZipAddFileToZip(nativo(dati_ + "/DBValvole.mdb").constData()); },
             1,
             {"DatiValvole/DBValvole.mdb"}},
            {"file fuori dalla radice", [&] { return ZipAddFileToZip(nativo(fuori + "/f.txt").constData()); }, 0, {}},
            {"../ nella forma con cartelle", [&] { return ZipAddFileToZip("../sorella.txt"); }, 0, {}},
            {"../ nella forma piatta", [&] { return ZipAddFileFlatToZip("../sorella.txt"); }, 1, {"sorella.txt"}},
            {".. in mezzo a un percorso assoluto",
             [&] { return ZipAddFileToZip(nativo(prog_ + "/DatiValvole/../../sorella.txt").constData()); },
             0,
             {}},
            {".. in mezzo a un percorso relativo",
             [&] { return ZipAddFileToZip("DatiValvole/../../sorella.txt"); },
             0,
             {}},
            {"file assente", [&] { return ZipAddFileToZip("DatiValvole/manca.txt"); }, 0, {}},
            {"una cartella non e' un file", [&] { return ZipAddFileToZip("DatiValvole/Curve"); }, 0, {}},
        };
        for (const Caso& c : casi) {
            QCOMPARE(ZipOpenExt(a.constData(), r.constData(), 0), 1);
            const int esito = c.aggiungi();
            QCOMPARE(ZipClose(), 1);
            QVERIFY2(esito == c.esito, c.descrizione);
            QVERIFY2(nomi_voci(archivio) == c.voci,
                     qPrintable(QString(c.descrizione) + ": " + nomi_voci(archivio).join(", ")));
            QVERIFY2(esegui("unzip", {"-tq", archivio}).codice == (c.voci.isEmpty() ? 1 : 0), c.descrizione);
        }
    }

    // ZipOpen takes the archive's own folder as the root; the archive is
    // never packed into itself when it lies in the folder being added; a
    // file named with "\" is left out rather than stored as a path.
    void radice_dell_archivio_e_file_speciali()
    {
        const QString cartella = tmp_.filePath("interna");
        scrivi(cartella + "/a.txt", "a");
        scrivi(cartella + "/sotto/b\\c.txt", "nome con barra rovescia");
        const QString archivio = cartella + "/pacco.zip";
        QCOMPARE(ZipOpen(nativo(archivio).constData(), 0), 1);
        // A name the format cannot hold as one entry fails the folder; the
        // rest of it is stored all the same.
        QCOMPARE(ZipAddDirToZip(nativo(cartella + "/sotto").constData()), 0);
        QCOMPARE(ZipAddFileToZip("a.txt"), 1);
        QCOMPARE(ZipAddFileToZip("pacco.zip"), 0);
        QCOMPARE(ZipAddDirFlatToZip(nativo(cartella).constData()), 0);
        QCOMPARE(ZipClose(), 1);
        QCOMPARE(nomi_voci(archivio), QStringList({"sotto/", "a.txt", "interna/", "a.txt", "sotto/"}));
        QCOMPARE(esegui("unzip", {"-tq", archivio}).codice, 0);

        // Nothing open: the adding calls fail, closing is not an error.
        QCOMPARE(ZipAddFileToZip("a.txt"), 0);
        QCOMPARE(ZipAddDirToZip(nativo(cartella).constData()), 0);
        QCOMPARE(ZipClose(), 1);
        QCOMPARE(ZipOpen("", 0), 0);
        QCOMPARE(ZipOpen(nativo(tmp_.filePath("manca/x.zip")).constData(), 0), 0);
    }

    // Append adds entries to an existing archive; on a missing file it
    // makes a new one.
    void aggiunta_in_coda()
    {
        const QString archivio = tmp_.filePath("coda/c.zip");
        QDir().mkpath(QFileInfo(archivio).absolutePath());
        scrivi(tmp_.filePath("coda/uno.txt"), "1");
        scrivi(tmp_.filePath("coda/due.txt"), "2");
        QCOMPARE(ZipOpen(nativo(archivio).constData(), 1), 1);
        QCOMPARE(ZipAddFileToZip("uno.txt"), 1);
        QCOMPARE(ZipClose(), 1);
        QCOMPARE(ZipOpen(nativo(archivio).constData(), 1), 1);
        QCOMPARE(ZipAddFileToZip("due.txt"), 1);
        QCOMPARE(ZipClose(), 1);
        QCOMPARE(nomi_voci(archivio), QStringList({"uno.txt", "due.txt"}));
        QCOMPARE(esegui("unzip", {"-tq", archivio}).codice, 0);
    }

    // Pack, unpack somewhere else: every file and folder back with its
    // content and its date and time (to the two seconds the format keeps).
    void giro_completo()
    {
        const QString archivio = tmp_.filePath("giro.zip");
        QCOMPARE(ZipOpenExt(nativo(archivio).constData(), nativo(prog_).constData(), 0), 1);
        QCOMPARE(ZipAddDirToZip(nativo(dati_).constData()), 1);
        QCOMPARE(ZipClose(), 1);

        const QString destinazione = tmp_.filePath("giro");
        QMap<QString, int> esiti = estrai_tutto(archivio, destinazione);
        QCOMPARE(esiti.size(), 8);
        QCOMPARE(esiti.value("DatiValvole/DBValvole.mdb"), 70000);
        QCOMPARE(esiti.value("DatiValvole/Curve/"), 0);

        QStringList originali = contenuto(dati_);
        originali.removeAll(".nascosto");
        originali.removeAll("Curve/.cache");
        const QString copia = destinazione + "/DatiValvole";
        QCOMPARE(contenuto(copia), originali);
        for (const QString& rel : originali) {
            if (rel.endsWith('/'))
                continue;
            QCOMPARE(leggi(copia + "/" + rel), leggi(dati_ + "/" + rel));
            const time_t t = ultima_scrittura(dati_ + "/" + rel);
            QCOMPARE(ultima_scrittura(copia + "/" + rel), t - t % 2);
        }
    }

    // Archives made by Info-ZIP zip and by Python, the latter with "\"
    // separators as Windows tools write them, unpack into real folders.
    void archivi_di_altri_strumenti()
    {
        const QString sorgente = tmp_.filePath("altri");
        scrivi(sorgente + "/Dati/Curve/6V6.gif", QByteArray(5000, 'g'));
        scrivi(sorgente + "/Dati/leggimi.txt", "ciao");
        QDir().mkpath(sorgente + "/Dati/Vuota");
        data_file(sorgente + "/Dati/Curve/6V6.gif", 1999, 8, 7, 6, 5, 4);
        data_file(sorgente + "/Dati/leggimi.txt", 2022, 6, 30, 23, 59, 58);

        const QString da_zip = tmp_.filePath("infozip.zip");
        QCOMPARE(esegui("zip", {"-r", "-q", da_zip, "Dati"}, sorgente).codice, 0);
        const QString uscita_zip = tmp_.filePath("da_infozip");
        QMap<QString, int> esiti = estrai_tutto(da_zip, uscita_zip);
        QCOMPARE(esiti.value("Dati/Curve/6V6.gif"), 5000);
        QCOMPARE(contenuto(uscita_zip), contenuto(sorgente));
        QCOMPARE(leggi(uscita_zip + "/Dati/Curve/6V6.gif"), QByteArray(5000, 'g'));
        QCOMPARE(ultima_scrittura(uscita_zip + "/Dati/Curve/6V6.gif"),
                 ultima_scrittura(sorgente + "/Dati/Curve/6V6.gif"));
        QCOMPARE(ultima_scrittura(uscita_zip + "/Dati/leggimi.txt"), ultima_scrittura(sorgente + "/Dati/leggimi.txt"));

        const QString da_python = tmp_.filePath("python.zip");
        Esito e = python(R"(
import sys, zipfile
z = zipfile.ZipFile(sys.argv[1], 'w', zipfile.ZIP_DEFLATED)
i = zipfile.ZipInfo('Dati\\Curve\\6V6.gif', (2003, 4, 5, 6, 7, 8)); z.writestr(i, b'x' * 3000)
i = zipfile.ZipInfo('Dati\\Vuota\\', (2003, 4, 5, 6, 7, 8)); i.external_attr = 0x10; z.writestr(i, b'')
i = zipfile.ZipInfo('Senza/attributo/', (2003, 4, 5, 6, 7, 8)); z.writestr(i, b'')
i = zipfile.ZipInfo('memorizzato.txt', (2020, 2, 29, 12, 0, 0)); z.writestr(i, b'stored', zipfile.ZIP_STORED)
z.close()
)",
                         {da_python});
        QVERIFY2(e.codice == 0, qPrintable(e.errori));
        const QString uscita_py = tmp_.filePath("da_python");
        esiti = estrai_tutto(da_python, uscita_py);
        QCOMPARE(esiti.keys(),
                 QStringList({"Dati/Curve/6V6.gif", "Dati/Vuota/", "Senza/attributo/", "memorizzato.txt"}));
        QCOMPARE(contenuto(uscita_py), QStringList({"Dati/", "Dati/Curve/", "Dati/Curve/6V6.gif", "Dati/Vuota/",
                                                    "Senza/", "Senza/attributo/", "memorizzato.txt"}));
        QCOMPARE(leggi(uscita_py + "/Dati/Curve/6V6.gif"), QByteArray(3000, 'x'));
        QCOMPARE(leggi(uscita_py + "/memorizzato.txt"), QByteArray("stored"));
        QCOMPARE(QFileInfo(uscita_py + "/Dati/Curve/6V6.gif").lastModified(),
                 QDateTime(QDate(2003, 4, 5), QTime(6, 7, 8)));
        QCOMPARE(QFileInfo(uscita_py + "/memorizzato.txt").lastModified(),
                 QDateTime(QDate(2020, 2, 29), QTime(12, 0, 0)));
    }

    // Opening, the default target folder, names, and the calls that fail.
    void lettura_casi_limite()
    {
        QCOMPARE(UnZipOpen(""), -1);
        QCOMPARE(UnZipOpen(nativo(tmp_.filePath("manca.zip")).constData()), -1);
        scrivi(tmp_.filePath("testo.zip"), "questo non e' un archivio zip, solo testo");
        QCOMPARE(UnZipOpen(nativo(tmp_.filePath("testo.zip")).constData()), -1);
        QCOMPARE(UnZipOpen(nativo(tmp_.path()).constData()), -1);
        // Nothing open: every call fails.
        char nome[8];
        QCOMPARE(UnZipGotoFirst(), 0);
        QCOMPARE(UnZipGotoNext(), 0);
        QCOMPARE(UnZipGetFileName(nome, sizeof nome), 0);
        QCOMPARE(UnZipOutDir(nativo(tmp_.path()).constData()), 0);
        QCOMPARE(UnZipInflate(), -1);
        QCOMPARE(UnZipClose(), 0);

        const QString vuoto = tmp_.filePath("vuoto.zip");
        QCOMPARE(python("import sys, zipfile; zipfile.ZipFile(sys.argv[1], 'w').close()", {vuoto}).codice, 0);
        // minizip alone cannot open an archive without entries.
        QCOMPARE(UnZipOpen(nativo(vuoto).constData()), 0);
        QCOMPARE(UnZipGotoFirst(), 0);
        QCOMPARE(UnZipInflate(), -1);
        QCOMPARE(UnZipClose(), 1);
        QCOMPARE(UnZipClose(), 0);

        // Without UnZipOutDir, entries go below the archive's path without
        // its extension.
        const QString cartella = tmp_.filePath("predefinita");
        scrivi(cartella + "/Curve/x.gif", "gif");
        const QString archivio = tmp_.filePath("Curve_x.zip");
        QCOMPARE(ZipOpenExt(nativo(archivio).constData(), nativo(cartella).constData(), 0), 1);
        QCOMPARE(ZipAddFileToZip("Curve/x.gif"), 1);
        QCOMPARE(ZipClose(), 1);
        QCOMPARE(UnZipOpen(nativo(archivio).constData()), 1);
        QCOMPARE(UnZipGotoFirst(), 1);
        QCOMPARE(UnZipGetFileName(nome, 5), 5);
        QCOMPARE(QByteArray(nome, 5), QByteArray("Curve"));
        char lungo[64];
        QCOMPARE(UnZipGetFileName(lungo, sizeof lungo), 11);
        QCOMPARE(QByteArray(lungo, 11), QByteArray("Curve/x.gif"));
        QCOMPARE(UnZipGetFileName(lungo, 0), 0);
        QCOMPARE(UnZipInflate(), 3);
        QCOMPARE(leggi(tmp_.filePath("Curve_x/Curve/x.gif")), QByteArray("gif"));

        // A target that is a file is refused and the target stays as it was.
        scrivi(tmp_.filePath("un_file"), "f");
        QCOMPARE(UnZipOutDir(nativo(tmp_.filePath("un_file")).constData()), 0);
        QCOMPARE(UnZipInflate(), 3);
        QVERIFY(QFileInfo(tmp_.filePath("un_file")).isFile());
        QCOMPARE(UnZipOutDir(nativo(tmp_.filePath("nuova/e/profonda")).constData()), 1);
        QCOMPARE(UnZipInflate(), 3);
        QCOMPARE(leggi(tmp_.filePath("nuova/e/profonda/Curve/x.gif")), QByteArray("gif"));
        QCOMPARE(UnZipGotoNext(), 0);
        QCOMPARE(UnZipClose(), 1);
    }

    // Crafted archives: names that climb out of the target or are absolute,
    // with "/" and with "\", next to a harmless entry that must still come
    // out. Nothing may appear or change outside the target.
    void archivi_ostili()
    {
        const QString base = tmp_.filePath("ostili");
        const QString bersaglio = base + "/bersaglio";
        const QString assoluto = base + "/assoluto/x";
        QDir().mkpath(bersaglio);
        const QStringList nomi_ostili = {
            "../x",
            "..\\x",
            "a/../../x",
            "a\\..\\..\\x",
            "/" + assoluto.mid(1),
            "\\" + assoluto.mid(1).replace('/', '\\'),
            "../",
            "a/../../fuori/",
            "..",
            "",
            "buono/../../x",
        };
        const QString archivio = tmp_.filePath("ostile.zip");
        QString lista;
        for (const QString& n : nomi_ostili)
            lista += n + '\n';
        Esito e = python(R"(
import sys, zipfile
z = zipfile.ZipFile(sys.argv[1], 'w', zipfile.ZIP_DEFLATED)
for n in sys.argv[2].split('\n')[:-1]:
    z.writestr(zipfile.ZipInfo(n, (2001, 1, 1, 0, 0, 0)), b'ostile')
z.writestr('ok.txt', b'buono')
z.close()
)",
                         {archivio, lista});
        QVERIFY2(e.codice == 0, qPrintable(e.errori));

        const QStringList prima = contenuto(tmp_.path());
        QCOMPARE(UnZipOpen(nativo(archivio).constData()), nomi_ostili.size() + 1);
        QCOMPARE(UnZipOutDir(nativo(bersaglio).constData()), 1);
        QCOMPARE(UnZipGotoFirst(), 1);
        int ostili = 0;
        do {
            char nome[512];
            const QString n = QString::fromUtf8(nome, UnZipGetFileName(nome, sizeof nome));
            const int esito = UnZipInflate();
            if (n == "ok.txt") {
                QCOMPARE(esito, 5);
            } else {
                QVERIFY2(esito == -1, qPrintable(n));
                ++ostili;
            }
        } while (UnZipGotoNext() == 1);
        QCOMPARE(UnZipClose(), 1);
        QCOMPARE(ostili, nomi_ostili.size());

        QStringList dopo = contenuto(tmp_.path());
        QCOMPARE(dopo.removeAll("ostili/bersaglio/ok.txt"), 1);
        QCOMPARE(dopo, prima);
        QVERIFY(!QFileInfo::exists(assoluto));
    }

    // A symbolic link already in the target, to a folder or to a file
    // outside it, never carries a write outside.
    void collegamenti_piantati()
    {
        const QString base = tmp_.filePath("link");
        const QString bersaglio = base + "/bersaglio";
        const QString fuori = base + "/fuori";
        QDir().mkpath(bersaglio + "/Curve");
        scrivi(fuori + "/segreto.txt", "originale");
        QVERIFY(QFile::link(fuori, bersaglio + "/cartella"));
        QVERIFY(QFile::link(fuori + "/segreto.txt", bersaglio + "/file"));
        QVERIFY(QFile::link(fuori, bersaglio + "/Curve/giu"));

        const QString archivio = tmp_.filePath("link.zip");
        Esito e = python(R"(
import sys, zipfile
z = zipfile.ZipFile(sys.argv[1], 'w')
z.writestr('cartella/nuovo.txt', b'ostile')
z.writestr('cartella/segreto.txt', b'ostile')
z.writestr('file', b'ostile')
z.writestr('Curve/giu/segreto.txt', b'ostile')
z.writestr('cartella/', b'')
z.writestr('Curve/giu/sotto/', b'')
z.writestr('Curve/ok.gif', b'buono')
z.close()
)",
                         {archivio});
        QVERIFY2(e.codice == 0, qPrintable(e.errori));
        const QMap<QString, int> esiti = estrai_tutto(archivio, bersaglio);
        QCOMPARE(esiti.value("Curve/ok.gif"), 5);
        for (auto it = esiti.begin(); it != esiti.end(); ++it)
            if (it.key() != "Curve/ok.gif")
                QVERIFY2(it.value() == -1, qPrintable(it.key()));
        QCOMPARE(contenuto(fuori), QStringList({"segreto.txt"}));
        QCOMPARE(leggi(fuori + "/segreto.txt"), QByteArray("originale"));
        QVERIFY(QFileInfo(bersaglio + "/file").isSymLink());
    }

    // A read-only file is not replaced, even for the superuser; a writable
    // one is; data that fail their CRC never replace anything.
    void file_esistenti()
    {
        const QString bersaglio = tmp_.filePath("esistenti");
        scrivi(bersaglio + "/sola_lettura.txt", "vecchio");
        scrivi(bersaglio + "/scrivibile.txt", "vecchio");
        scrivi(bersaglio + "/corrotto.txt", "vecchio");
        QVERIFY(QFile::setPermissions(bersaglio + "/sola_lettura.txt",
                                      QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
        QVERIFY(QFile::setPermissions(bersaglio + "/scrivibile.txt", QFile::ReadOwner | QFile::WriteOwner));

        const QString archivio = tmp_.filePath("esistenti.zip");
        // The stored entry's data are damaged after writing: a byte of its
        // content changes, so its CRC no longer matches.
        Esito e = python(R"(
import sys, zipfile
z = zipfile.ZipFile(sys.argv[1], 'w')
z.writestr('sola_lettura.txt', b'nuovo')
z.writestr('scrivibile.txt', b'nuovo')
z.writestr('corrotto.txt', b'NUOVO-DATO-INTEGRO')
z.writestr('corrotto_nuovo.txt', b'ALTRO-DATO-INTEGRO')
z.close()
d = bytearray(open(sys.argv[1], 'rb').read())
for marca in (b'NUOVO-DATO-INTEGRO', b'ALTRO-DATO-INTEGRO'):
    i = d.index(marca)
    d[i] ^= 0x20
open(sys.argv[1], 'wb').write(bytes(d))
)",
                         {archivio});
        QVERIFY2(e.codice == 0, qPrintable(e.errori));
        const QMap<QString, int> esiti = estrai_tutto(archivio, bersaglio);
        QCOMPARE(esiti.value("sola_lettura.txt"), -1);
        QCOMPARE(esiti.value("scrivibile.txt"), 5);
        QCOMPARE(esiti.value("corrotto.txt"), -1);
        QCOMPARE(esiti.value("corrotto_nuovo.txt"), -1);
        QCOMPARE(leggi(bersaglio + "/sola_lettura.txt"), QByteArray("vecchio"));
        QCOMPARE(leggi(bersaglio + "/scrivibile.txt"), QByteArray("nuovo"));
        // Extracted files are plain data, 0644, whatever the file replaced.
        QCOMPARE(QFile::permissions(bersaglio + "/scrivibile.txt"), QFile::ReadOwner | QFile::WriteOwner |
                                                                        QFile::ReadUser | QFile::WriteUser |
                                                                        QFile::ReadGroup | QFile::ReadOther);
        QCOMPARE(leggi(bersaglio + "/corrotto.txt"), QByteArray("vecchio"));
        QVERIFY(!QFileInfo::exists(bersaglio + "/corrotto_nuovo.txt"));
        QCOMPARE(contenuto(bersaglio), QStringList({"corrotto.txt", "scrivibile.txt", "sola_lettura.txt"}));
    }
};

QTEST_GUILESS_MAIN(TestPakova)
#include "tst_pakova.moc"
