// The guarded picture reader on small generated files: pictures that claim
// an enormous size in their header are refused without being decoded (within
// fixed bounds of memory and processor time), damaged files are refused,
// 16-bit colour and JPEGs with a harmless warning read.

#include "support/processo.h"
#include "support/risorse.h"

#include "common/libreria_immagini.h"

#include <QBuffer>
#include <QImage>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// A JPEG; a striped one has most of its bytes in the scan data, so cutting
// it in half leaves the headers whole.
QByteArray jpeg(int w, int h, bool righe = false)
{
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(QColor(200, 40, 40));
    for (int y = 0; righe && y < h; y += 2)
        for (int x = 0; x < w; ++x)
            img.setPixel(x, y, qRgb(x * 7 % 256, y * 3 % 256, (x ^ y) % 256));
    QByteArray dati;
    QBuffer b(&dati);
    b.open(QIODevice::WriteOnly);
    img.save(&b, "JPG");
    return dati;
}

// A real JPEG whose frame header (SOF0) claims another size.
QByteArray jpeg_che_dichiara(int w, int h)
{
    QByteArray dati = jpeg(16, 16);
    const qsizetype sof = dati.indexOf("\xFF\xC0");
    dati[sof + 5] = char(h >> 8);
    dati[sof + 6] = char(h & 0xFF);
    dati[sof + 7] = char(w >> 8);
    dati[sof + 8] = char(w & 0xFF);
    return dati;
}

// Stray bytes between two segments: libjpeg warns ("Corrupt JPEG data: 3
// extraneous bytes before marker") and decodes the whole picture.
QByteArray jpeg_con_byte_estranei()
{
    QByteArray dati = jpeg(32, 24);
    const qsizetype dqt = dati.indexOf("\xFF\xDB");
    dati.insert(dqt, QByteArray("\x01\x02\x03", 3));
    return dati;
}

// A GIF of a 1 x 1 frame inside the logical screen given.
QByteArray gif(int schermo_w, int schermo_h, int frame_w = 1, int frame_h = 1)
{
    QByteArray d("GIF89a");
    auto parola = [&](int v) {
        d.append(char(v & 0xFF));
        d.append(char(v >> 8));
    };
    parola(schermo_w);
    parola(schermo_h);
    d.append(char(0x80)); // global colour table of two entries
    d.append('\0');
    d.append('\0');
    d.append(QByteArray("\x00\x00\x00\xFF\xFF\xFF", 6));
    d.append(QByteArray("\x21\xF9\x04\x00\x00\x00\x00\x00", 8)); // graphic control extension
    d.append(char(0x2C));
    parola(0);
    parola(0);
    parola(frame_w);
    parola(frame_h);
    d.append('\0');
    d.append(QByteArray("\x02\x02\x44\x01\x00\x3B", 6)); // one pixel, trailer
    return d;
}

// A PNG with rows of counting bytes; `solo_testata` keeps its data to one
// short row whatever the size its header claims.
QByteArray png(int profondita, int colore, int w, int h, bool solo_testata = false)
{
    const Esito e = python(QStringLiteral(R"(
import sys, struct, zlib
d, t, w, h, solo = map(int, sys.argv[1:6])
canali = {0: 1, 2: 3, 6: 4}[t]
if solo:
    righe = bytes(16)
else:
    riga = bytes([0]) + bytes(range(256)) * (w * canali * d // 8 // 256 + 1)
    righe = b''.join(riga[:1 + w * canali * d // 8] for _ in range(h))
def blocco(tipo, dati):
    return struct.pack('>I', len(dati)) + tipo + dati + struct.pack('>I', zlib.crc32(tipo + dati))
out = b'\x89PNG\r\n\x1a\n' + blocco(b'IHDR', struct.pack('>IIBBBBB', w, h, d, t, 0, 0, 0))
out += blocco(b'IDAT', zlib.compress(righe)) + blocco(b'IEND', b'')
sys.stdout.write(out.hex())
)"),
                           {QString::number(profondita), QString::number(colore), QString::number(w),
                            QString::number(h), QString::number(solo_testata ? 1 : 0)});
    return QByteArray::fromHex(e.uscita.toLatin1());
}

QByteArray tiff48(QTemporaryDir& dir)
{
    const QString file = dir.filePath("tiff48.tif");
    esegui(QStringLiteral("convert"),
           {"-size", "20x10", "gradient:red-blue", "-depth", "16", "-type", "TrueColor", file});
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class TestLibreriaImmagini : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;

    QString scrivi(const QByteArray& dati, const QString& nome)
    {
        const QString percorso = dir_.filePath(nome);
        QFile f(percorso);
        if (!f.open(QIODevice::WriteOnly) || f.write(dati) != dati.size())
            return {};
        return percorso;
    }

private slots:
    // Each file through the reader the program uses: the size its header
    // declares, then the picture itself. Hostile ones cost no more than the
    // fixed bounds.
    void lettura_data()
    {
        QTest::addColumn<QByteArray>("dati");
        QTest::addColumn<QSize>("dichiarate"); // empty: refused from the header
        QTest::addColumn<QSize>("lette");      // empty: refused
        const QSize no;
        QTest::newRow("jpeg") << jpeg(40, 30) << QSize(40, 30) << QSize(40, 30);
        const QByteArray buono = jpeg(200, 150, true);
        QTest::newRow("jpeg claiming 40000 x 40000") << jpeg_che_dichiara(40000, 40000) << no << no;
        QTest::newRow("jpeg claiming 12000 x 9000") << jpeg_che_dichiara(12000, 9000) << no << no;
        QTest::newRow("jpeg with extraneous bytes") << jpeg_con_byte_estranei() << QSize(32, 24) << QSize(32, 24);
        QTest::newRow("jpeg cut in half") << buono.left(buono.size() / 2) << QSize(200, 150) << no;
        QTest::newRow("gif") << gif(1, 1) << QSize(1, 1) << QSize(1, 1);
        QTest::newRow("gif screen 40000 x 40000") << gif(40000, 40000) << no << no;
        QTest::newRow("gif frame 65535 x 65535") << gif(1, 1, 65535, 65535) << no << no;
        QTest::newRow("gif without frame") << gif(1, 1).left(30) << no << no;
        QTest::newRow("png 8 bit") << png(8, 2, 17, 9) << QSize(17, 9) << QSize(17, 9);
        QTest::newRow("png 48 bit") << png(16, 2, 17, 9) << QSize(17, 9) << QSize(17, 9);
        QTest::newRow("png 64 bit") << png(16, 6, 5, 4) << QSize(5, 4) << QSize(5, 4);
        QTest::newRow("png 16 bit grey") << png(16, 0, 6, 3) << QSize(6, 3) << QSize(6, 3);
        QTest::newRow("png claiming 30000 x 30000") << png(8, 2, 30000, 30000, true) << no << no;
        const QByteArray p = png(8, 2, 64, 64);
        QTest::newRow("png cut short") << p.left(p.size() - 20) << QSize(64, 64) << no;
        QTest::newRow("tiff 48 bit") << tiff48(dir_) << QSize(20, 10) << QSize(20, 10);
        QTest::newRow("not a picture") << QByteArray("ciao, non sono una figura") << no << no;
        QTest::newRow("empty") << QByteArray() << no << no;
    }

    void lettura()
    {
        QFETCH(QByteArray, dati);
        QFETCH(QSize, dichiarate);
        QFETCH(QSize, lette);
        const QString file = scrivi(dati, QString::fromLatin1(QTest::currentDataTag()).replace(' ', '_'));
        QVERIFY(!file.isEmpty());

        const Risorse r;
        const auto da_memoria = immagini::dimensioni_dichiarate(dati);
        const auto da_file = immagini::dimensioni_dichiarate(file);
        const QImage img = immagini::leggi(file);
        const auto dim = immagini::dimensioni(file);
        QVERIFY2(r.secondi() < limite_secondi, qPrintable(QString::number(r.secondi())));
        QVERIFY2(r.megabyte() < limite_megabyte, qPrintable(QString::number(r.megabyte())));

        QCOMPARE(da_memoria.value_or(QSize()), dichiarate);
        QCOMPARE(da_file.value_or(QSize()), dichiarate);
        QCOMPARE(img.isNull() ? QSize() : img.size(), lette);
        QCOMPARE(dim.value_or(QSize()), lette);
    }

    // The 16-bit channels arrive as their high bytes: a 48-bit PNG's red,
    // green and blue of the first pixel are 0x00, 0x02 and 0x04 (the rows
    // count up byte by byte).
    void sedici_bit_per_canale()
    {
        const QString file = scrivi(png(16, 2, 4, 2), "canali.png");
        const QImage img = immagini::leggi(file);
        QCOMPARE(img.size(), QSize(4, 2));
        QCOMPARE(QColor(img.pixel(0, 0)), QColor(0x00, 0x02, 0x04));
        QCOMPARE(QColor(img.pixel(1, 0)), QColor(0x06, 0x08, 0x0A));
    }
};

QTEST_GUILESS_MAIN(TestLibreriaImmagini)
#include "tst_libreria_immagini.moc"
