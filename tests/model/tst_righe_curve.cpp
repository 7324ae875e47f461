// The repairs of the traced rows on plain data: removing, joining and adding
// rows renumbers the ones below from the sequence, keeps what the user typed,
// and a join merges the two pieces' points in voltage order.

#include "model/righe_curve.h"

#include <QtTest>

using righe_curve::Riga;
using righe_curve::Sequenza;

namespace {

// Five rows, as traced, numbered 0, -1, ... -4; row k holds the points
// x = k, k + 10, k + 20 at height y = k, so a row's points tell which rows
// they came from and in what order.
QVector<Riga> cinque_righe(const Sequenza& s)
{
    QVector<Riga> r;
    for (int k = 0; k < 5; ++k) {
        Riga riga;
        for (int j = 0; j < 3; ++j)
            riga.punti << QPointF(k + 10 * j, k);
        riga.vg = righe_curve::vg_in_sequenza(s, k);
        r << riga;
    }
    return r;
}

// A row as "vg:origins", e.g. "-1:010101" for rows 0 and 1 interleaved.
QString descrivi(const Riga& r)
{
    QString origini;
    for (const QPointF& p : r.punti)
        origini += QString::number(int(p.y()));
    return r.vg + QLatin1Char(':') + origini;
}

} // namespace

class TstRigheCurve : public QObject {
    Q_OBJECT
private slots:
    void riparazioni_data()
    {
        QTest::addColumn<QString>("azione");     // rimuovi, unisci, inserisci, none
        QTest::addColumn<QVector<int>>("righe"); // its rows
        QTest::addColumn<QString>("a_mano");     // "row=text" typed before, or empty
        QTest::addColumn<QString>("passo");      // the step field as typed
        QTest::addColumn<bool>("fatto");
        QTest::addColumn<QStringList>("attese");

        const QStringList intatte{"0:000", "-1:111", "-2:222", "-3:333", "-4:444"};
        QTest::newRow("rimuovi: the rows below move up a step")
            << "rimuovi" << QVector<int>{1} << ""
            << "1" << true << QStringList{"0:000", "-1:222", "-2:333", "-3:444"};
        QTest::newRow("rimuovi: a typed cell is kept")
            << "rimuovi" << QVector<int>{1} << "3=-7.5"
            << "1" << true << QStringList{"0:000", "-1:222", "-7.5:333", "-3:444"};
        QTest::newRow("rimuovi: the top row, fractional step")
            << "rimuovi" << QVector<int>{0} << ""
            << "0.5" << true << QStringList{"0:111", "-0.5:222", "-1:333", "-1.5:444"};
        QTest::newRow("rimuovi: two rows at once, in any order")
            << "rimuovi" << QVector<int>{3, 0, 3} << ""
            << "1" << true << QStringList{"0:111", "-1:222", "-2:444"};
        QTest::newRow("rimuovi: a step that is not a number leaves the cells")
            << "rimuovi" << QVector<int>{1} << ""
            << "x" << true << QStringList{"0:000", "-2:222", "-3:333", "-4:444"};
        QTest::newRow("rimuovi: nothing valid") << "rimuovi" << QVector<int>{-1, 5} << ""
                                                << "1" << false << intatte;
        QTest::newRow("unisci: a fragment above its curve")
            << "unisci" << QVector<int>{0, 1} << ""
            << "1" << true << QStringList{"0:010101", "-1:222", "-2:333", "-3:444"};
        QTest::newRow("unisci: far apart, given bottom first")
            << "unisci" << QVector<int>{3, 1} << ""
            << "1" << true << QStringList{"0:000", "-1:131313", "-2:222", "-3:444"};
        QTest::newRow("unisci: the voltage typed on the lower piece")
            << "unisci" << QVector<int>{1, 2} << "2=-1.2"
            << "1" << true << QStringList{"0:000", "-1.2:121212", "-2:333", "-3:444"};
        QTest::newRow("unisci: a typed cell below is kept")
            << "unisci" << QVector<int>{0, 1} << "4=-9"
            << "1" << true << QStringList{"0:010101", "-1:222", "-2:333", "-9:444"};
        QTest::newRow("unisci: a row with itself") << "unisci" << QVector<int>{2, 2} << ""
                                                   << "1" << false << intatte;
        QTest::newRow("unisci: a row out of range") << "unisci" << QVector<int>{4, 5} << ""
                                                    << "1" << false << intatte;
        QTest::newRow("inserisci: a missed curve shifts the rows below")
            << "inserisci" << QVector<int>{2} << ""
            << "1" << true << QStringList{"0:000", "-1:111", "-2:", "-3:222", "-4:333", "-5:444"};
        QTest::newRow("inserisci: above a typed cell")
            << "inserisci" << QVector<int>{0} << "1=-1"
            << "1" << true << QStringList{"0:", "-1:000", "-1:111", "-3:222", "-4:333", "-5:444"};
    }
    void riparazioni()
    {
        QFETCH(QString, azione);
        QFETCH(QVector<int>, righe);
        QFETCH(QString, a_mano);
        QFETCH(QString, passo);
        QFETCH(bool, fatto);
        QFETCH(QStringList, attese);

        // Traced with a step of 1 unless the case's step is a number.
        const Sequenza all_inizio{0.0, passo == "x" ? 1.0 : passo.toDouble()};
        QVector<Riga> r = cinque_righe(all_inizio);
        if (!a_mano.isEmpty())
            righe_curve::scrivi_vg(r, a_mano.section('=', 0, 0).toInt(), a_mano.section('=', 1));
        const Sequenza s{0.0, passo == "x" ? std::optional<double>() : passo.toDouble()};

        bool esito = true;
        if (azione == "rimuovi")
            esito = righe_curve::rimuovi(r, righe, s);
        else if (azione == "unisci")
            esito = righe_curve::unisci(r, righe[0], righe[1], s);
        else
            righe_curve::inserisci(r, righe[0], {}, s);
        QCOMPARE(esito, fatto);

        QStringList viste;
        for (const Riga& riga : r)
            viste << descrivi(riga);
        QCOMPARE(viste, attese);
        // Every row's points in voltage order.
        for (const Riga& riga : r)
            QVERIFY(std::is_sorted(riga.punti.begin(), riga.punti.end(),
                                   [](QPointF a, QPointF b) { return a.x() < b.x(); }));
    }
};

QTEST_MAIN(TstRigheCurve)
#include "tst_righe_curve.moc"
