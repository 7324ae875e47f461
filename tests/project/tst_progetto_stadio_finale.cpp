// The output stage's inputs in the project file: written as one element
// after everything else only when the design has them (so every other file
// keeps its bytes), read back exactly, and a hostile or damaged element left
// out without costing the rest of the project.

#include "project/lettura_xml.h"
#include "project/scrittura_xml.h"

#include <QtTest>

using namespace finale;

namespace {

Progetto con_retta()
{
    Progetto p;
    p.usa = QStringLiteral("6L6GC");
    p.modo = QStringLiteral("PENTODO");
    p.r_anodica = QStringLiteral("5600");
    segmento s;
    s.x0 = 56;
    s.y0 = 40.5f;
    s.x1 = 496;
    s.y1 = 380;
    p.rette.push_back(s);
    return p;
}

IngressiFinale coppia()
{
    IngressiFinale in;
    in.topologia = Topologia::push_pull;
    in.collegamento = Collegamento::ultralineare;
    in.polarizzazione = Polarizzazione::catodica;
    in.b_piu = 450;
    in.vg2 = 400.25;
    in.presa_ul = 43;
    in.impedenza = 6600;
    in.resistenza_dc = 123.456789012345;
    in.vg_riposo = -37.1;
    in.ampiezza = 0.1;
    in.carico = 4;
    return in;
}

QByteArray progetto(const QByteArray& corpo)
{
    return "<?xml version=\"1.0\"?><PROGETTO><SIGLA USA=\"6L6GC\"/><COMPONENTI RESISTENZA_ANODICA=\"5600\"/>"
           "<RETTA_MANUALE ID=\"01\" X0=\"56\" Y0=\"40\" X1=\"496\" Y1=\"380\"/>" +
           corpo + "</PROGETTO>";
}

const QByteArray valido =
    "<StadioFinale TOPOLOGIA=\"PUSH_PULL\" COLLEGAMENTO=\"ULTRALINEARE\" POLARIZZAZIONE=\"FISSA\" "
    "B_PIU=\"450\" VG2=\"400\" PRESA_UL=\"43\" IMPEDENZA=\"6600\" RESISTENZA_DC=\"0\" "
    "VG_RIPOSO=\"-37\" AMPIEZZA=\"37\" CARICO=\"8\"/>";

} // namespace

class TestProgettoStadioFinale : public QObject {
    Q_OBJECT

private slots:
    void scritto_in_fondo_e_riletto()
    {
        const Progetto senza = con_retta();
        Progetto con = senza;
        con.finestre.finale = coppia();
        const QByteArray a = byte_progetto(senza), b = byte_progetto(con);
        QVERIFY(!a.contains("StadioFinale"));
        // The file with the stage is the file without it and one line more,
        // the last inside PROGETTO.
        const qsizetype inizio = b.indexOf("\t<StadioFinale ");
        QVERIFY(inizio > 0);
        const qsizetype fine = b.indexOf("\r\n", inizio) + 2;
        QCOMPARE(b.mid(fine), QByteArray("</PROGETTO>\r\n\r\n").left(b.size() - fine));
        QCOMPARE(b.left(inizio) + b.mid(fine), a);

        const std::optional<Progetto> letto = Ricarica_Progetto(b);
        QVERIFY(letto && letto->finestre.finale);
        QVERIFY(*letto->finestre.finale == coppia()); // every double exactly
        QCOMPARE(numero_oggetti(letto->rette), 1);
        const std::optional<Progetto> vecchio = Ricarica_Progetto(a);
        QVERIFY(vecchio && !vecchio->finestre.finale);
    }

    // A second element, or a value longer than any the writer writes, is
    // not a file of this program's: the whole project is refused, as a
    // repeated or oversized response element is.
    void elemento_rifiutato_data()
    {
        QTest::addColumn<QByteArray>("corpo");
        const QByteArray v = valido;
        QTest::newRow("two") << v + QByteArray(v).replace("B_PIU=\"450\"", "B_PIU=\"300\"");
        QTest::newRow("bad one first, good one after") << QByteArray(v).replace("B_PIU=\"450\"", "B_PIU=\"x\"") + v;
        QTest::newRow("value too long")
            << QByteArray(v).replace("B_PIU=\"450\"", "B_PIU=\"" + QByteArray(200, '1') + "\"");
    }

    void elemento_rifiutato()
    {
        QFETCH(QByteArray, corpo);
        QVERIFY(!Ricarica_Progetto(progetto(corpo)));
    }

    void elemento_ostile_data()
    {
        QTest::addColumn<QByteArray>("corpo");
        QTest::addColumn<bool>("letto");
        QTest::addColumn<double>("b_piu"); // of the inputs read, when read
        QTest::newRow("valid") << valido << true << 450.0;
        QByteArray v = valido;
        QTest::newRow("missing number") << QByteArray(v).replace(" CARICO=\"8\"", "") << false << 0.0;
        QTest::newRow("missing choice") << QByteArray(v).replace(" TOPOLOGIA=\"PUSH_PULL\"", "") << false << 0.0;
        QTest::newRow("unknown choice") << QByteArray(v).replace("ULTRALINEARE", "UL") << false << 0.0;
        QTest::newRow("lower case choice") << QByteArray(v).replace("FISSA", "fissa") << false << 0.0;
        QTest::newRow("not a number") << QByteArray(v).replace("B_PIU=\"450\"", "B_PIU=\"450V\"") << false << 0.0;
        QTest::newRow("comma") << QByteArray(v).replace("B_PIU=\"450\"", "B_PIU=\"450,5\"") << false << 0.0;
        QTest::newRow("nan") << QByteArray(v).replace("B_PIU=\"450\"", "B_PIU=\"nan\"") << false << 0.0;
        QTest::newRow("infinite") << QByteArray(v).replace("B_PIU=\"450\"", "B_PIU=\"1e999\"") << false << 0.0;
        QTest::newRow("huge") << QByteArray(v).replace("B_PIU=\"450\"", "B_PIU=\"1e300\"") << false << 0.0;
        QTest::newRow("blanks around") << QByteArray(v).replace("B_PIU=\"450\"", "B_PIU=\" 451 \"") << true << 451.0;
        QTest::newRow("nested, not a project element") << "<SIGLA>" + v + "</SIGLA>" << false << 0.0;
        QTest::newRow("with children") << QByteArray(v).replace("/>", "><X/></StadioFinale>") << true << 450.0;
    }

    void elemento_ostile()
    {
        QFETCH(QByteArray, corpo);
        QFETCH(bool, letto);
        QFETCH(double, b_piu);
        const std::optional<Progetto> p = Ricarica_Progetto(progetto(corpo));
        // The rest of the project reads whatever the element holds.
        QVERIFY(p);
        QCOMPARE(numero_oggetti(p->rette), 1);
        QCOMPARE(p->r_anodica, QStringLiteral("5600"));
        QCOMPARE(p->finestre.finale.has_value(), letto);
        if (letto)
            QCOMPARE(p->finestre.finale->b_piu, b_piu);
    }
};

QTEST_GUILESS_MAIN(TestProgettoStadioFinale)
#include "tst_progetto_stadio_finale.moc"
