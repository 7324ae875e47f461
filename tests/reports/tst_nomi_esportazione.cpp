// The names the user types for an export, in the real main window: the
// diagram image takes its format from an extension the exporter knows and
// the selected filter's extension when the name has none (read back by the
// picture library); a project saved without an extension gets ".xml", so
// that "Leggi Progetto" lists it.
#include "chart/ui/picture1.h"
#include "platform/piattaforma_scriptata.h"
#include "shell/korvel.h"
#include "support/cartella_prova.h"
#include "tubes/caricatore_valvola.h"
#include "report_prova.h"

#include <QAction>
#include <QDir>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace {

struct Finestra {
    CartellaProva c;
    PiattaformaScriptata p;
    std::unique_ptr<KORVEL> w;

    Finestra()
    {
        c.crea_tabella();
        c.inserisci(CartellaProva::valvola(QStringLiteral("12AX7"), QStringLiteral("ECC83")));
        c.scrivi_immagine(QStringLiteral("DatiValvole/Curve/prova.gif"), 518, 418, Qt::white, "PNG");
        w = std::make_unique<KORVEL>(p, c.programma());
        w->KORVEL_Form_Load();
        w->caricatore().griglia_DB_DblClick(1);
    }
};

// The files a folder holds, with their paths in it.
QStringList file_in(const QString& cartella)
{
    QStringList f;
    QDir d(cartella);
    for (const QFileInfo& i : d.entryInfoList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot)) {
        if (i.isDir())
            for (const QString& dentro : file_in(i.filePath()))
                f << i.fileName() + u'/' + dentro;
        else
            f << i.fileName();
    }
    return f;
}

} // namespace

class TstNomiEsportazione : public QObject {
    Q_OBJECT
private slots:
    void diagramma_data()
    {
        QTest::addColumn<QString>("scritto");
        QTest::addColumn<int>("filtro"); // 1 jpg, 2 TIFF, 3 BMP
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("formato");
        QTest::newRow(".tif under the jpg filter") << "diagramma.tif" << 1 << "diagramma.tif" << int(FIF_TIFF);
        QTest::newRow(".TIFF, upper case") << "diagramma.TIFF" << 1 << "diagramma.TIFF" << int(FIF_TIFF);
        QTest::newRow(".jpeg under the BMP filter") << "diagramma.jpeg" << 3 << "diagramma.jpeg" << int(FIF_JPEG);
        QTest::newRow(".jpg under the TIFF filter") << "diagramma.jpg" << 2 << "diagramma.jpg" << int(FIF_JPEG);
        QTest::newRow(".bmp under the TIFF filter") << "diagramma.bmp" << 2 << "diagramma.bmp" << int(FIF_BMP);
        QTest::newRow("no extension, jpg filter") << "diagramma" << 1 << "diagramma.jpg" << int(FIF_JPEG);
        QTest::newRow("no extension, TIFF filter") << "diagramma" << 2 << "diagramma.tif" << int(FIF_TIFF);
        QTest::newRow("no extension, BMP filter") << "diagramma" << 3 << "diagramma.bmp" << int(FIF_BMP);
        QTest::newRow("a dot in the folder only") << "v1.2/diagramma" << 2 << "v1.2/diagramma.tif" << int(FIF_TIFF);
        // An extension the exporter does not write stays; the filter decides.
        QTest::newRow("unknown extension") << "diagramma.png" << 3 << "diagramma.png" << int(FIF_BMP);
    }
    void diagramma()
    {
        QFETCH(QString, scritto);
        QFETCH(int, filtro);
        QFETCH(QString, file);
        QFETCH(int, formato);
        Finestra f;
        QTemporaryDir uscite;
        QVERIFY(QDir(uscite.path()).mkpath(QStringLiteral("v1.2")));
        f.p.rispondi_file(uscite.filePath(scritto));
        f.p.rispondi_filtro(filtro);
        f.w->salvataggio[2]->trigger();
        QVERIFY(f.p.messaggi().isEmpty());

        QCOMPARE(file_in(uscite.path()), QStringList{file});
        const QString scritto_su = uscite.filePath(file);
        QCOMPARE(int(FreeImage_GetFileType(QFile::encodeName(scritto_su).constData(), 0)), formato);
        FIBITMAP* b = FreeImage_Load(FREE_IMAGE_FORMAT(formato), QFile::encodeName(scritto_su).constData(), 0);
        QVERIFY(b);
        const QSize letta(int(FreeImage_GetWidth(b)), int(FreeImage_GetHeight(b)));
        FreeImage_Unload(b);
        QCOMPARE(letta, f.w->Picture1_->size());
    }

    void progetto_data()
    {
        QTest::addColumn<QString>("scritto");
        QTest::addColumn<QString>("file");
        QTest::newRow("no extension") << "stadio"
                                      << "stadio.xml";
        QTest::newRow("ending in a dot") << "stadio."
                                         << "stadio.xml";
        QTest::newRow(".xml") << "stadio.xml"
                              << "stadio.xml";
        QTest::newRow("a dot in the folder only") << "v1.2/stadio"
                                                  << "v1.2/stadio.xml";
    }
    void progetto()
    {
        QFETCH(QString, scritto);
        QFETCH(QString, file);
        Finestra f;
        QTemporaryDir uscite;
        QVERIFY(QDir(uscite.path()).mkpath(QStringLiteral("v1.2")));
        f.p.rispondi_file(uscite.filePath(scritto));
        f.w->scrittura_progetto->trigger();
        QCOMPARE(f.p.messaggi(), QStringList{QStringLiteral("Progetto salvato correttamente")});
        QCOMPARE(file_in(uscite.path()), QStringList{file});

        // And "Leggi Progetto", whose filter is "*.xml", shows it again.
        const auto& richiesta = f.p.richieste().first();
        QCOMPARE(richiesta.dialogo.filtri, QStringLiteral("xml (*.xml)|*.xml"));
        QVERIFY(QDir::match(QStringLiteral("*.xml"), QFileInfo(file).fileName()));
        f.p.azzera();
        f.p.rispondi_file(uscite.filePath(file));
        f.w->lettura_progetto->trigger();
        QVERIFY(f.p.messaggi().isEmpty());
        QCOMPARE(f.w->riga_db->text(), QStringLiteral("1"));
    }
};

QTEST_MAIN(TstNomiEsportazione)
#include "tst_nomi_esportazione.moc"
