// The diagram saved as an image: the format follows the selected filter,
// whatever the typed name; the library reads each file back at the
// capture's size.
#include "reports/immagini_report.h"
#include "report_prova.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace report_prova;

class TstImmagineGrafico : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { FreeImage_Initialise(FALSE); }
    void cleanupTestCase() { FreeImage_DeInitialise(); }
    void formato_dal_filtro_data();
    void formato_dal_filtro();
    void errori_data();
    void errori();

private:
    QTemporaryDir dir_;
};

void TstImmagineGrafico::formato_dal_filtro_data()
{
    QTest::addColumn<int>("filtro");
    QTest::addColumn<QString>("nome");
    QTest::addColumn<int>("formato");
    QTest::newRow("jpg") << 1 << "a.jpg" << int(FIF_JPEG);
    QTest::newRow("tiff") << 2 << "b.tif" << int(FIF_TIFF);
    QTest::newRow("bmp") << 3 << "c.bmp" << int(FIF_BMP);
    QTest::newRow("tiff chiamato jpg") << 2 << "d.jpg" << int(FIF_TIFF);
    QTest::newRow("bmp senza estensione") << 3 << "e" << int(FIF_BMP);
    QTest::newRow("filtro sconosciuto") << 9 << "f.bmp" << int(FIF_JPEG);
}

void TstImmagineGrafico::formato_dal_filtro()
{
    QFETCH(int, filtro);
    QFETCH(QString, nome);
    QFETCH(int, formato);
    const QImage c = cattura(536, 433);
    const QString file = dir_.filePath(nome);
    QVERIFY(salva_grafico(formato_da_filtro(filtro), file, c));
    const QByteArray n = QFile::encodeName(file);
    QCOMPARE(int(FreeImage_GetFileType(n.constData(), 0)), formato);
    FIBITMAP* b = FreeImage_Load(FREE_IMAGE_FORMAT(formato), n.constData(), 0);
    QVERIFY(b);
    QCOMPARE(int(FreeImage_GetWidth(b)), 536);
    QCOMPARE(int(FreeImage_GetHeight(b)), 433);
    // Lossless formats give the capture's pixels back (library rows are
    // bottom-up).
    if (formato != FIF_JPEG) {
        RGBQUAD q;
        QVERIFY(FreeImage_GetPixelColor(b, 100, 433 - 1 - 300, &q));
        QCOMPARE(qRgb(q.rgbRed, q.rgbGreen, q.rgbBlue), c.pixel(100, 300));
    }
    FreeImage_Unload(b);
}

void TstImmagineGrafico::errori_data()
{
    QTest::addColumn<QString>("nome");
    QTest::addColumn<bool>("con_cattura");
    QTest::newRow("cartella assente") << "manca/x.jpg" << true;
    QTest::newRow("nome vuoto") << "" << true;
    QTest::newRow("senza cattura") << "vuota.jpg" << false;
}

void TstImmagineGrafico::errori()
{
    QFETCH(QString, nome);
    QFETCH(bool, con_cattura);
    const QString file = nome.isEmpty() ? QString() : dir_.filePath(nome);
    QVERIFY(!salva_grafico(FormatoImmagine::jpeg, file, con_cattura ? cattura() : QImage()));
}

QTEST_MAIN(TstImmagineGrafico)
#include "tst_immagine_grafico.moc"
