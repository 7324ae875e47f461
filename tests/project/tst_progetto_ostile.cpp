// The project reader on files built to make it slow, and the writer at its
// largest: a file within the size cap is refused or read within fixed bounds
// of processor time and memory, and the largest design the program can hold
// saves into a file the reader takes back.

#include "support/risorse.h"

#include "project/lettura_xml.h"
#include "project/scrittura_xml.h"

#include <QtTest>

namespace {

QByteArray progetto(const QByteArray& corpo)
{
    return "<?xml version=\"1.0\"?><PROGETTO><SIGLA USA=\"12AX7\"/><COMPONENTI/>" + corpo + "</PROGETTO>";
}

QByteArray attributi(int n)
{
    QByteArray a = "<RETTA_MANUALE ID=\"1\" X0=\"1\" Y0=\"1\" X1=\"2\" Y1=\"2\"";
    for (int i = 0; i < n; ++i)
        a += " a" + QByteArray::number(i) + "=\"1\"";
    return a + "/>";
}

} // namespace

class TestProgettoOstile : public QObject {
    Q_OBJECT

private slots:
    // Each file is refused or read, never slowly.
    void forma_data()
    {
        QTest::addColumn<QByteArray>("byte");
        QTest::addColumn<bool>("letto");
        QTest::newRow("100,000 attributes") << progetto(attributi(100000)) << false;
        QTest::newRow("380,000 attributes") << progetto(attributi(380000)) << false;
        QTest::newRow("33 attributes") << progetto(attributi(28)) << false;
        QTest::newRow("32 attributes") << progetto(attributi(27)) << true;
        QTest::newRow("'=' inside values counts nothing")
            << progetto("<RETTA_MANUALE ID=\"1\" X0=\"1\" Y0=\"1\" X1=\"2\" Y1=\"2\" NOTA=\"" + QByteArray(500, '=') +
                        "\" ALTRA='>" + QByteArray(500, '=') + "'/>")
            << true;
        QTest::newRow("'=' inside comments and CDATA counts nothing")
            << progetto("<!--" + QByteArray(500, '=') + "--><X><![CDATA[<a " + QByteArray(500, '=') + "]]></X>")
            << true;
        QByteArray molti;
        for (int i = 0; i < 300000; ++i)
            molti += "<a/>";
        QTest::newRow("300,000 elements") << progetto(molti) << false;
        QTest::newRow("response value of 8 MB")
            << progetto("<Risposta BPiu=\"" + QByteArray(8 * 1024 * 1024, '1') + "\"/>") << false;
        QTest::newRow("response 100,000 times") << progetto(QByteArray("<Risposta/>").repeated(100000)) << false;
        QTest::newRow("response once") << progetto("<Risposta BPiu=\"300\"/>") << true;
        QTest::newRow("document type") << QByteArray("<!DOCTYPE x [<!ENTITY a \"b\">]>") + progetto("") << false;
    }

    void forma()
    {
        QFETCH(QByteArray, byte);
        QFETCH(bool, letto);
        QVERIFY(byte.size() <= limite_file_progetto);
        const Risorse r;
        const auto p = Ricarica_Progetto(byte);
        QVERIFY2(r.secondi() < limite_secondi, qPrintable(QString::number(r.secondi())));
        QVERIFY2(r.megabyte() < limite_megabyte, qPrintable(QString::number(r.megabyte())));
        QCOMPARE(p.has_value(), letto);
    }

    // The largest design: every list full (32767 objects, the chart's own
    // limit), coordinates written at their longest, every text long and
    // made of characters the file writes as references. Its file fits the
    // cap and reads back the same, within the bounds.
    void progetto_piu_grande()
    {
        Progetto p;
        const QString lungo = QString(2000, QChar(0x263A)) + QString(2000, QChar('"'));
        for (QString* t : {&p.euro, &p.usa, &p.modo, &p.guadagno, &p.r_tubo, &p.r_anodica, &p.r_catodica, &p.c_catodica,
                           &p.potenza, &p.grid_bias, &p.gain_bias})
            *t = lungo;
        const float x = -9.876543e-05f;
        const float lontano = -999999.9f;
        p.rette.assign(32768, segmento{x, lontano, x, lontano, 10, {}});
        p.rette_calcolate.assign(32768, segmento{x, lontano, x, lontano, 11, {}});
        p.punti_lavoro.assign(32768, punto{x, lontano, 12});
        p.punti_guadagno.assign(32768, punto{x, lontano, 13});
        const QString campo(risposta::lunghezza_massima_testo, QChar(0x263A));
        p.finestre.risposta = risposta::TestiStadio{campo, campo, campo, campo, campo, campo, false};
        const QByteArray byte = byte_progetto(p);
        QVERIFY2(byte.size() <= limite_file_progetto, qPrintable(QString::number(byte.size())));

        const Risorse r;
        const auto letto = Ricarica_Progetto(byte);
        QVERIFY2(r.secondi() < limite_secondi, qPrintable(QString::number(r.secondi())));
        QVERIFY(letto);
        QCOMPARE(letto->rette.size(), std::size_t(32768));
        QCOMPARE(letto->punti_guadagno.size(), std::size_t(32768));
        QCOMPARE(letto->rette[32767].y1, lontano);
        QCOMPARE(letto->usa, lungo);
        QVERIFY(letto->finestre == p.finestre);
    }

    // The reader takes what the chart draws: up to the drawing limit.
    void coordinate_data()
    {
        QTest::addColumn<QString>("testo");
        QTest::addColumn<bool>("letto");
        QTest::newRow("completed flat line") << "106500" << true;
        QTest::newRow("just inside") << "-999999.9" << true;
        QTest::newRow("the limit") << "1000000" << false;
        QTest::newRow("beyond") << "1e7" << false;
    }

    void coordinate()
    {
        QFETCH(QString, testo);
        QFETCH(bool, letto);
        QCOMPARE(leggi_coordinata(testo).has_value(), letto);
    }
};

QTEST_GUILESS_MAIN(TestProgettoOstile)
#include "tst_progetto_ostile.moc"
