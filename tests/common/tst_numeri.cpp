// The number rules: rounding, reading typed numbers, display patterns under
// a "." and a "," locale, the shortest text of a float, the object labels.

#include "common/numeri.h"

#include <QLocale>
#include <QTest>

#include <cmath>
#include <limits>

class TestNumeri : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    void arrotonda_int32_data()
    {
        QTest::addColumn<double>("valore");
        QTest::addColumn<bool>("valido");
        QTest::addColumn<int>("atteso");
        QTest::newRow("half down to even") << 2.5 << true << 2;
        QTest::newRow("half up to even") << 3.5 << true << 4;
        QTest::newRow("zero half") << 0.5 << true << 0;
        QTest::newRow("negative half") << -2.5 << true << -2;
        QTest::newRow("negative half odd") << -3.5 << true << -4;
        QTest::newRow("below half") << 2.4999 << true << 2;
        QTest::newRow("above half") << 2.5001 << true << 3;
        QTest::newRow("ohms") << 150.0 * 1000.0 / 1.2 << true << 125000;
        QTest::newRow("int32 max") << 2147483647.0 << true << 2147483647;
        QTest::newRow("past int32") << 2147483648.0 << false << 0;
        QTest::newRow("huge") << 1e30 << false << 0;
        QTest::newRow("nan") << std::numeric_limits<double>::quiet_NaN() << false << 0;
        QTest::newRow("infinity") << std::numeric_limits<double>::infinity() << false << 0;
    }
    void arrotonda_int32()
    {
        QFETCH(double, valore);
        QFETCH(bool, valido);
        QFETCH(int, atteso);
        const auto r = numeri::arrotonda_int32(valore);
        QCOMPARE(r.has_value(), valido);
        if (valido)
            QCOMPARE(*r, atteso);
    }

    void arrotonda_int16()
    {
        QCOMPARE(numeri::arrotonda_int16(32766.5).value(), int16_t(32766));
        QVERIFY(!numeri::arrotonda_int16(32767.5).has_value());
        QCOMPARE(numeri::arrotonda_int16(-32768.0).value(), int16_t(-32768));
        QVERIFY(!numeri::arrotonda_int16(-32769.0).has_value());
    }

    void parte_intera()
    {
        QCOMPARE(numeri::parte_intera_int32(1250.9).value(), 1250);
        QCOMPARE(numeri::parte_intera_int32(-1250.1).value(), -1251);
        QVERIFY(!numeri::parte_intera_int32(std::nan("")).has_value());
        QVERIFY(!numeri::parte_intera_int32(-3e9).has_value());
    }

    void valore_iniziale_data()
    {
        QTest::addColumn<QString>("testo");
        QTest::addColumn<double>("atteso");
        QTest::newRow("decimal") << "1.5" << 1.5;
        QTest::newRow("negative") << "-1.5" << -1.5;
        QTest::newRow("plus") << "+3" << 3.0;
        QTest::newRow("blanks first") << "  12abc" << 12.0;
        QTest::newRow("suffix") << "22k" << 22.0;
        QTest::newRow("comma stops") << "1,5" << 1.0;
        QTest::newRow("second point stops") << "1.5.3" << 1.5;
        QTest::newRow("leading point") << ".5" << 0.5;
        QTest::newRow("negative leading point") << "-.25" << -0.25;
        QTest::newRow("trailing point") << "5." << 5.0;
        QTest::newRow("text") << "abc" << 0.0;
        QTest::newRow("empty") << "" << 0.0;
        QTest::newRow("sign alone") << "-" << 0.0;
        QTest::newRow("point alone") << "." << 0.0;
        QTest::newRow("grouped") << "28,750" << 28.0;
        QTest::newRow("row number") << "12" << 12.0;
    }
    void valore_iniziale()
    {
        QFETCH(QString, testo);
        QFETCH(double, atteso);
        QCOMPARE(numeri::valore_iniziale(testo), atteso);
    }

    void formatta_data()
    {
        QTest::addColumn<double>("valore");
        QTest::addColumn<QString>("schema");
        QTest::addColumn<QString>("punto");
        QTest::addColumn<QString>("virgola");
        QTest::newRow("resistor") << 28750.0 << "###,###,##0"
                                  << "28,750"
                                  << "28.750";
        QTest::newRow("millions") << 1234567.0 << "###,###,##0"
                                  << "1,234,567"
                                  << "1.234.567";
        QTest::newRow("small resistor") << 820.0 << "###,###,##0"
                                        << "820"
                                        << "820";
        QTest::newRow("negative resistor") << -1250.0 << "###,###,##0"
                                           << "-1,250"
                                           << "-1.250";
        QTest::newRow("capacitor") << 5.0931 << "#0.00"
                                   << "5.09"
                                   << "5,09";
        QTest::newRow("below one") << 0.5 << "#0.00"
                                   << "0.50"
                                   << "0,50";
        QTest::newRow("value no grouping") << 1234.5 << "###0.00"
                                           << "1234.50"
                                           << "1234,50";
        QTest::newRow("gain") << 30.0 << "##0.00"
                              << "30.00"
                              << "30,00";
        QTest::newRow("zero") << 0.0 << "###0.00"
                              << "0.00"
                              << "0,00";
        QTest::newRow("no minus zero") << -0.001 << "###0.00"
                                       << "0.00"
                                       << "0,00";
        QTest::newRow("negative value") << -1.5 << "###0.00"
                                        << "-1.50"
                                        << "-1,50";
        QTest::newRow("rounds") << 12.499 << "###0.00"
                                << "12.50"
                                << "12,50";
        QTest::newRow("two digits") << 1.0 << "00"
                                    << "01"
                                    << "01";
        QTest::newRow("ten") << 10.0 << "00"
                             << "10"
                             << "10";
        QTest::newRow("three digits") << 123.0 << "00"
                                      << "123"
                                      << "123";
    }
    void formatta()
    {
        QFETCH(double, valore);
        QFETCH(QString, schema);
        QFETCH(QString, punto);
        QFETCH(QString, virgola);
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        QCOMPARE(numeri::formatta(valore, schema), punto);
        QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
        QCOMPARE(numeri::formatta(valore, schema), virgola);
    }

    void testo_float_data()
    {
        QTest::addColumn<float>("valore");
        QTest::addColumn<QString>("punto");
        QTest::addColumn<QString>("virgola");
        QTest::newRow("whole") << 245.0f << "245"
                               << "245";
        QTest::newRow("half") << 245.5f << "245.5"
                              << "245,5";
        QTest::newRow("tenth") << 0.1f << "0.1"
                               << "0,1";
        QTest::newRow("seven digits") << 1234567.0f << "1234567"
                                      << "1234567";
        QTest::newRow("no grouping") << 4000.0f << "4000"
                                     << "4000";
        QTest::newRow("negative") << -60.0f << "-60"
                                  << "-60";
        QTest::newRow("zero") << 0.0f << "0"
                              << "0";
        QTest::newRow("minus zero") << -0.0f << "0"
                                    << "0";
    }
    void testo_float()
    {
        QFETCH(float, valore);
        QFETCH(QString, punto);
        QFETCH(QString, virgola);
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        QCOMPARE(numeri::testo_float(valore), punto);
        QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
        QCOMPARE(numeri::testo_float(valore), virgola);
    }

    void etichetta_data()
    {
        QTest::addColumn<QChar>("lettera");
        QTest::addColumn<int>("indice");
        QTest::addColumn<QString>("atteso");
        QTest::newRow("one") << QChar(u'R') << 1 << "R01";
        QTest::newRow("seven") << QChar(u'R') << 7 << "R07";
        QTest::newRow("ten") << QChar(u'C') << 10 << "C10";
        QTest::newRow("three digits") << QChar(u'R') << 123 << "R123";
        QTest::newRow("point") << QChar(u'L') << 2 << "L02";
    }
    void etichetta()
    {
        QFETCH(QChar, lettera);
        QFETCH(int, indice);
        QFETCH(QString, atteso);
        QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
        QCOMPARE(numeri::etichetta(lettera, indice), atteso);
    }
};

QTEST_GUILESS_MAIN(TestNumeri)
#include "tst_numeri.moc"
