// The archive loader on data archives that are not what the build ships: cut
// short, carrying program files, without a usable database. It says "Base
// dati Caricata" only when the data folder really arrived, and takes nothing
// but the data folder from the archive.

#include "archive/strumenti_zip.h"
#include "support/cartella_prova.h"

#include "archive/cartelle.h"
#include "archive/pakova.h"
#include "platform/piattaforma_scriptata.h"
#include "velmora.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace strumenti_zip;

namespace {

const QString domanda = QStringLiteral("? Accesso Data base assente, vuoi procedere alla installazione?");

QStringList dialoghi(const PiattaformaScriptata& p)
{
    QStringList testi;
    for (const auto& r : p.richieste())
        testi << (r.tipo == PiattaformaScriptata::Tipo::Domanda ? "? " + r.testo : r.testo);
    return testi;
}

QByteArray leggi(const QString& file)
{
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class TestVelmoraGuasti : public QObject {
    Q_OBJECT

    QTemporaryDir sorgente_;
    QByteArray archivio_; // a good data archive packed by our library
    QByteArray database_; // its database

private slots:
    void initTestCase()
    {
        CartellaProva c;
        QVERIFY(c.crea_tabella());
        QVERIFY(c.inserisci(CartellaProva::valvola("12AX7", "ECC83")));
        c.scrivi_immagine("DatiValvole/Curve/prova.gif", 518, 418, Qt::white, "PNG");
        QVERIFY(installa_libreria(c.programma()));
        imposta_cartelle(c.programma());
        const QString archivio = sorgente_.filePath("DatiValvole.zip");
        QCOMPARE(pakova::ZipOpenExt(archivio, c.programma(), 0), 1);
        QCOMPARE(pakova::ZipAddDirToZip(c.dati()), 1);
        QCOMPARE(pakova::ZipClose(), 1);
        archivio_ = leggi(archivio);
        database_ = leggi(c.basedati());
        QVERIFY(archivio_.size() > 1000);
    }

    void caricamento_data()
    {
        QTest::addColumn<QString>("tipo");
        QTest::addColumn<QStringList>("attesi");
        QTest::addColumn<bool>("dati");
        const QString non_caricata = QStringLiteral("Base dati non caricata da DatiValvole.zip: %1");
        QTest::newRow("whole") << "intero" << QStringList{"Base dati Caricata"} << true;
        QTest::newRow("cut in half") << "troncato"
                                     << QStringList{non_caricata.arg("il file non è un archivio zip leggibile"),
                                                    domanda}
                                     << false;
        QTest::newRow("program files beside the data") << "programma" << QStringList{"Base dati Caricata"} << true;
        QTest::newRow("damaged curve") << "crc"
                                       << QStringList{non_caricata.arg("voce danneggiata: DatiValvole/Curve/prova.gif"),
                                                      domanda}
                                       << false;
    }

    void caricamento()
    {
        QFETCH(QString, tipo);
        QFETCH(QStringList, attesi);
        QFETCH(bool, dati);
        QTemporaryDir dir;
        const QString programma = dir.path();
        QVERIFY(installa_libreria(programma));
        const QString archivio = programma + "/DatiValvole.zip";
        QFile korvel(programma + "/korvel");
        QVERIFY(korvel.open(QIODevice::WriteOnly));
        korvel.write("programma");
        korvel.close();

        if (tipo == "intero") {
            QFile f(archivio);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(archivio_);
        } else if (tipo == "troncato") {
            QFile f(archivio);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(archivio_.left(archivio_.size() / 2));
        } else {
            QByteArray curva = tipo == "crc" ? QByteArray("CURVA-DA-DANNEGGIARE") : QByteArray("curva");
            const Esito e =
                python(QStringLiteral(R"(
import sys, zipfile
z = zipfile.ZipFile(sys.argv[1], 'w')
z.writestr('korvel', b'#!/bin/sh\n')
z.writestr('libpakova.so', b'altro')
z.writestr('DatiValvole/DBValvole.mdb', bytes.fromhex(sys.argv[2]))
z.writestr('DatiValvole/Curve/prova.gif', sys.argv[3].encode())
z.close()
if sys.argv[4] == 'crc':
    d = bytearray(open(sys.argv[1], 'rb').read())
    d[d.index(sys.argv[3].encode())] ^= 0x20
    open(sys.argv[1], 'wb').write(bytes(d))
)"),
                       {archivio, QString::fromLatin1(database_.toHex()), QString::fromLatin1(curva), tipo});
            QVERIFY2(e.codice == 0, qPrintable(e.errori));
        }
        const QByteArray libreria = leggi(programma + "/libpakova.so");

        PiattaformaScriptata p;
        bool avviato = false;
        velmora(p, programma, [&](const QString&) { return avviato = true; });
        QCOMPARE(dialoghi(p), attesi);
        QCOMPARE(QFileInfo::exists(programma + "/DatiValvole/DBValvole.mdb"), dati);
        QCOMPARE(QFileInfo::exists(programma + "/DatiValvole"), dati);
        QCOMPARE(leggi(programma + "/korvel"), QByteArray("programma"));
        QCOMPARE(leggi(programma + "/libpakova.so"), libreria);
        QCOMPARE(QDir(programma).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden).size(),
                 dati ? 4 : 3);
        QVERIFY(!avviato);
    }
};

QTEST_MAIN(TestVelmoraGuasti)
#include "tst_velmora_guasti.moc"
