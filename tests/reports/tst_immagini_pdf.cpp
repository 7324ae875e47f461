// The pictures handed to the PDF writer in memory: palette indices when a
// picture has few colours, RGB otherwise, rows from the bottom up, and the
// same pixels either way.
#include "reports/immagini_pdf.h"

#include <QTemporaryDir>
#include <QtTest>

namespace {

// The pixel at (x, y) from the top, read back from what the writer gets.
QRgb pixel(const ImmaginePdf& r, int x, int y)
{
    const int riga_da_basso = r.altezza - 1 - y;
    if (r.bpp == 24) {
        const std::uint8_t* p = r.pixel.data() + (std::size_t(riga_da_basso) * r.larghezza + x) * 3;
        return qRgb(p[0], p[1], p[2]);
    }
    const std::size_t riga = (std::size_t(r.larghezza) * r.bpp + 7) / 8;
    const int per_byte = 8 / r.bpp;
    const std::uint8_t b = r.pixel[std::size_t(riga_da_basso) * riga + x / per_byte];
    const int indice = (b >> (8 - r.bpp * (x % per_byte + 1))) & ((1 << r.bpp) - 1);
    return qRgb(r.palette[indice * 3], r.palette[indice * 3 + 1], r.palette[indice * 3 + 2]);
}

} // namespace

class TstImmaginiPdf : public QObject {
    Q_OBJECT
private slots:
    void profondita_data();
    void profondita();
    void file_illeggibili();
};

void TstImmaginiPdf::profondita_data()
{
    QTest::addColumn<int>("colori");
    QTest::addColumn<int>("bpp");
    QTest::newRow("2 colori") << 2 << 1;
    QTest::newRow("3 colori") << 3 << 4;
    QTest::newRow("16 colori") << 16 << 4;
    QTest::newRow("17 colori") << 17 << 8;
    QTest::newRow("256 colori") << 256 << 8;
    QTest::newRow("257 colori") << 257 << 24;
}

void TstImmaginiPdf::profondita()
{
    QFETCH(int, colori);
    QFETCH(int, bpp);
    // Odd width, so the last byte of each row is only partly used.
    const int w = 37, h = 23;
    QImage img(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const int c = (x * 7 + y * 13) % colori;
            img.setPixel(x, y, qRgb(c % 256, (c * 3) % 256, c / 256 * 200));
        }
    // Make sure every colour occurs.
    for (int c = 0; c < colori; ++c)
        img.setPixel(c % w, c / w, qRgb(c % 256, (c * 3) % 256, c / 256 * 200));
    const ImmaginePdf r = immagine_pdf(img);
    QVERIFY(r.ok);
    QCOMPARE(int(r.bpp), bpp);
    QCOMPARE(r.larghezza, w);
    QCOMPARE(r.altezza, h);
    if (bpp < 24)
        QCOMPARE(int(r.palette.size()), 3 << bpp);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            QCOMPARE(pixel(r, x, y), img.pixel(x, y));
}

void TstImmaginiPdf::file_illeggibili()
{
    QTemporaryDir dir;
    QFile f(dir.filePath(QStringLiteral("rotta.gif")));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("GIF89a troncata");
    f.close();
    QVERIFY(!immagine_pdf(f.fileName()).ok);
    QVERIFY(!immagine_pdf(dir.filePath(QStringLiteral("assente.jpg"))).ok);
    QVERIFY(!immagine_pdf(QString()).ok);
    QVERIFY(!immagine_pdf(QImage()).ok);
    // A photo saved with the wrong extension is read by its content.
    QImage foto(20, 10, QImage::Format_RGB32);
    foto.fill(QColor(10, 120, 200));
    QVERIFY(foto.save(dir.filePath(QStringLiteral("foto.gif")), "PNG"));
    const ImmaginePdf r = immagine_pdf(dir.filePath(QStringLiteral("foto.gif")));
    QVERIFY(r.ok);
    QCOMPARE(pixel(r, 5, 5), qRgb(10, 120, 200));
}

QTEST_MAIN(TstImmaginiPdf)
#include "tst_immagini_pdf.moc"
