// The project file on bytes alone: the exact layout, the escaping that lets
// every text come back, the loader's handling of IDs and values, hostile
// files, and a save that fails without touching the old file.

#include "project/lettura_xml.h"
#include "project/nodo_xml.h"
#include "project/scrittura_xml.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/resource.h>

Q_DECLARE_METATYPE(NodoXml)
Q_DECLARE_METATYPE(IngressiFinestre)

namespace {

segmento retta(float x0, float y0, float x1, float y1)
{
    segmento s;
    s.x0 = x0;
    s.y0 = y0;
    s.x1 = x1;
    s.y1 = y1;
    return s;
}

// Two lines, three working points, one gain point, one recalculated line and
// the hyperbola traced.
Progetto piccolo()
{
    Progetto p;
    p.euro = QStringLiteral("ECC83");
    p.usa = QStringLiteral("12AX7");
    p.modo = QStringLiteral("TRIODO");
    p.guadagno = QStringLiteral("58.71");
    p.r_tubo = QStringLiteral("62,500");
    p.r_anodica = QStringLiteral("100,000");
    p.r_catodica = QStringLiteral("1,500");
    p.c_catodica = QStringLiteral("10.61");
    p.potenza = QStringLiteral("1000");
    p.potenza_visibile = true;
    p.grid_bias = QStringLiteral("-1.5");
    p.gain_bias = QStringLiteral("-2");
    p.rette.push_back(retta(100, 60, 525, 400));
    p.rette.push_back(retta(100, 80.5f, 480, 400));
    p.rette_calcolate.push_back(retta(100, 120, 433.25f, 400));
    p.punti_lavoro.push_back({250, 300, 14});
    p.punti_lavoro.push_back({260, 310, 14});
    p.punti_lavoro.push_back({245.5f, 290, 14});
    p.punti_guadagno.push_back({300, 330, 13});
    return p;
}

const char* const golden = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
                           "<PROGETTO VERSIONE=\"1.00\">\r\n"
                           "\t<SIGLA EURO=\"ECC83\" USA=\"12AX7\" MODO=\"TRIODO\"/>\r\n"
                           "\t<COMPONENTI GUADAGNO=\"58.71\" RESISTENZA_TUBO=\"62,500\" RESISTENZA_ANODICA=\"100,000\""
                           " RESISTENZA_CATODICA=\"1,500\" CONDENSATORE_CATODICO=\"10.61\" POTENZA_MASSIMA=\"1000\""
                           " POTENZA_MASSIMA_VISIBILE=\"TRUE\"/>\r\n"
                           "\t<RETTA_MANUALE ID=\"01\" X0=\"100\" Y0=\"60\" X1=\"525\" Y1=\"400\"/>\r\n"
                           "\t<RETTA_MANUALE ID=\"02\" X0=\"100\" Y0=\"80.5\" X1=\"480\" Y1=\"400\"/>\r\n"
                           "\t<RETTA_RICALCOLATA ID=\"01\" X0=\"100\" Y0=\"120\" X1=\"433.25\" Y1=\"400\"/>\r\n"
                           "\t<PUNTO_LAVORO ID=\"01\" X0=\"250\" Y0=\"300\"/>\r\n"
                           "\t<PUNTO_LAVORO ID=\"02\" X0=\"260\" Y0=\"310\"/>\r\n"
                           "\t<PUNTO_LAVORO ID=\"03\" X0=\"245.5\" Y0=\"290\" V=\"-1.5\"/>\r\n"
                           "\t<PUNTO_GUADAGNO ID=\"01\" X0=\"300\" Y0=\"330\" V=\"-2\"/>\r\n"
                           "</PROGETTO>\r\n"
                           "\r\n";

// A file around the given children of PROGETTO, with the two required ones
// first unless the children replace them.
QByteArray file_con(const QByteArray& figli, bool con_obbligatori = true)
{
    QByteArray t = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<PROGETTO VERSIONE=\"1.00\">\r\n";
    if (con_obbligatori)
        t += "\t<SIGLA EURO=\"ECC83\" USA=\"12AX7\" MODO=\"TRIODO\"/>\r\n"
             "\t<COMPONENTI GUADAGNO=\"1\" POTENZA_MASSIMA_VISIBILE=\"TRUE\"/>\r\n";
    return t + figli + "</PROGETTO>\r\n\r\n";
}

// The stage response's inputs as a design that opened its window has them.
risposta::TestiStadio risposta_12ax7()
{
    risposta::TestiStadio t;
    t.b_piu = QStringLiteral("300");
    t.ra = QStringLiteral("98500");
    t.vg_riposo = QStringLiteral("-1,5");
    t.rk = QStringLiteral("1500");
    t.carico = QStringLiteral("470000");
    t.ampiezza = QStringLiteral("1.5");
    t.catodo_bypassato = false;
    return t;
}

QByteArray retta_xml(const QByteArray& id, const QByteArray& x0 = "10")
{
    QByteArray t = "<RETTA_MANUALE ";
    if (!id.isNull())
        t += "ID=\"" + id + "\" ";
    return t + "X0=\"" + x0 + "\" Y0=\"20\" X1=\"30\" Y1=\"40\"/>";
}

} // namespace

class TestProgettoXml : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    // Coordinates are written with "." whatever the locale, so a file from
    // an Italian desktop opens on an English one and the other way round.
    void golden_bytes_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::newRow("point") << QLocale(QLocale::English, QLocale::UnitedStates);
        QTest::newRow("comma") << QLocale(QLocale::Italian, QLocale::Italy);
    }
    void golden_bytes()
    {
        QFETCH(QLocale, locale);
        QLocale::setDefault(locale);
        QCOMPARE(byte_progetto(piccolo()), QByteArray(golden));

        const auto letto = Ricarica_Progetto(QByteArray(golden));
        QVERIFY(letto);
        QCOMPARE(byte_progetto(*letto), QByteArray(golden));
        QCOMPARE(letto->rette[2].y0, 80.5f);
        QCOMPARE(letto->rette[2].etichetta, QStringLiteral("R02"));
        QCOMPARE(letto->rette[2].colore, 10);
        QCOMPARE(letto->rette_calcolate[1].etichetta, QStringLiteral("C01"));
        QCOMPARE(letto->rette_calcolate[1].colore, 11);
        QCOMPARE(letto->punti_lavoro[3].x, 245.5f);
        QCOMPARE(letto->punti_guadagno[1].colore, 13);
        QCOMPARE(letto->grid_bias, QStringLiteral("-1.5"));
        QVERIFY(letto->potenza_visibile);
    }

    // The windows' inputs ride along after everything else; a design
    // without them is the old file to the byte. Each case saves, reads back
    // and saves again to the same bytes and the same inputs.
    void finestre_data()
    {
        QTest::addColumn<IngressiFinestre>("finestre");
        QTest::addColumn<QByteArray>("riga");
        QTest::newRow("neither window") << IngressiFinestre{} << QByteArray();
        IngressiFinestre risposta;
        risposta.risposta = risposta_12ax7();
        QTest::newRow("response only") << risposta
                                       << QByteArray(
                                              "\t<Risposta BPiu=\"300\" Ra=\"98500\" VgRiposo=\"-1,5\" Rk=\"1500\""
                                              " Carico=\"470000\" Ampiezza=\"1.5\" CatodoBypassato=\"FALSE\"/>\r\n");
        IngressiFinestre vuote;
        vuote.risposta = risposta::TestiStadio{};
        QTest::newRow("response, fields emptied")
            << vuote
            << QByteArray("\t<Risposta BPiu=\"\" Ra=\"\" VgRiposo=\"\" Rk=\"\" Carico=\"\" Ampiezza=\"\""
                          " CatodoBypassato=\"TRUE\"/>\r\n");
        IngressiFinestre strane;
        strane.risposta = risposta_12ax7();
        strane.risposta->carico = QStringLiteral("<1\"k\" & 'x'\t\u263A>");
        strane.risposta->b_piu = QString(risposta::lunghezza_massima_testo, u'9');
        QTest::newRow("response, texts to escape, longest")
            << strane << QByteArray(" Carico='&lt;1\"k\" &amp; &apos;x&apos;&#9;&#9786;&gt;' ");
        // Every choice away from its default and values that need their
        // decimals, so a lost or rounded field shows.
        finale::IngressiFinale pp;
        pp.topologia = finale::Topologia::push_pull;
        pp.collegamento = finale::Collegamento::ultralineare;
        pp.polarizzazione = finale::Polarizzazione::catodica;
        pp.b_piu = 430.5;
        pp.presa_ul = 43.25;
        pp.impedenza = 6600;
        pp.resistenza_dc = 123.125;
        pp.vg_riposo = -38.7;
        pp.ampiezza = 0.1;
        pp.carico = 16;
        IngressiFinestre finale_solo;
        finale_solo.finale = pp;
        QTest::newRow("output stage only")
            << finale_solo
            << QByteArray("\t<StadioFinale TOPOLOGIA=\"PUSH_PULL\" COLLEGAMENTO=\"ULTRALINEARE\""
                          " POLARIZZAZIONE=\"CATODICA\"");
        IngressiFinestre entrambe;
        entrambe.risposta = risposta_12ax7();
        entrambe.finale = pp;
        // The response's element first, the output stage's after it.
        QTest::newRow("both") << entrambe << QByteArray(" CatodoBypassato=\"FALSE\"/>\r\n\t<StadioFinale ");
    }
    void finestre()
    {
        QFETCH(IngressiFinestre, finestre);
        QFETCH(QByteArray, riga);
        Progetto p = piccolo();
        p.finestre = finestre;
        const QByteArray primo = byte_progetto(p);
        // After the last point, before the end of the root.
        const QByteArray vecchio(golden);
        const qsizetype fine = vecchio.indexOf("</PROGETTO>");
        QCOMPARE(primo.left(fine), vecchio.left(fine));
        QVERIFY(primo.endsWith(vecchio.mid(fine)));
        const QByteArray aggiunta = primo.mid(fine, primo.size() - vecchio.size());
        if (riga.isEmpty()) {
            QCOMPARE(primo, vecchio);
        } else {
            // One line for each window that has inputs.
            QVERIFY2(aggiunta.startsWith(finestre.risposta ? "\t<Risposta " : "\t<StadioFinale ") &&
                         aggiunta.count("\r\n") == int(finestre.risposta.has_value()) + int(finestre.finale.has_value()),
                     aggiunta.constData());
            QVERIFY2(aggiunta.contains(riga), aggiunta.constData());
        }

        const auto letto = Ricarica_Progetto(primo);
        QVERIFY(letto);
        QVERIFY(letto->finestre == finestre);
        QCOMPARE(byte_progetto(*letto), primo);
    }

    void progetto_vuoto()
    {
        QCOMPARE(byte_progetto(Progetto{}),
                 QByteArray("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
                            "<PROGETTO VERSIONE=\"1.00\">\r\n"
                            "\t<SIGLA EURO=\"\" USA=\"\" MODO=\"\"/>\r\n"
                            "\t<COMPONENTI GUADAGNO=\"\" RESISTENZA_TUBO=\"\" RESISTENZA_ANODICA=\"\""
                            " RESISTENZA_CATODICA=\"\" CONDENSATORE_CATODICO=\"\" POTENZA_MASSIMA=\"\""
                            " POTENZA_MASSIMA_VISIBILE=\"FALSE\"/>\r\n"
                            "</PROGETTO>\r\n\r\n"));
    }

    void cento_rette()
    {
        Progetto p;
        for (int k = 1; k <= 100; ++k)
            p.rette.push_back(retta(k, 1, 2, 3));
        const QByteArray b = byte_progetto(p);
        QVERIFY(b.contains("<RETTA_MANUALE ID=\"99\" X0=\"99\""));
        QVERIFY(b.contains("<RETTA_MANUALE ID=\"100\" X0=\"100\""));
        const auto letto = Ricarica_Progetto(b);
        QVERIFY(letto);
        QCOMPARE(letto->rette.size(), std::size_t(101));
        QCOMPARE(letto->rette[100].etichetta, QStringLiteral("R100"));
    }

    // A text that needs no escaping is written as it stands; any other text
    // is escaped so that it reads back exactly.
    void testi_data()
    {
        QTest::addColumn<QString>("testo");
        QTest::addColumn<QByteArray>("attributo");
        QTest::newRow("plain") << QStringLiteral("6SN7") << QByteArray(" EURO=\"6SN7\"");
        QTest::newRow("empty") << QString() << QByteArray(" EURO=\"\"");
        QTest::newRow("quote") << QStringLiteral("6SN7 \"GT\"") << QByteArray(" EURO='6SN7 \"GT\"'");
        QTest::newRow("ampersand") << QStringLiteral("R&D") << QByteArray(" EURO=\"R&amp;D\"");
        QTest::newRow("angles") << QStringLiteral("<ECC83>") << QByteArray(" EURO=\"&lt;ECC83&gt;\"");
        QTest::newRow("apostrophe alone") << QStringLiteral("O'Neil") << QByteArray(" EURO=\"O'Neil\"");
        QTest::newRow("apostrophe and quote")
            << QStringLiteral("O'Neil \"A\" & co") << QByteArray(" EURO='O&apos;Neil \"A\" &amp; co'");
        QTest::newRow("code page") << QStringLiteral("µ€é") << QByteArray(" EURO=\"\xB5\x80\xE9\"");
        QTest::newRow("outside the code page") << QStringLiteral("Ω") << QByteArray(" EURO=\"&#937;\"");
        QTest::newRow("tab and line end") << QStringLiteral("a\tb\r\nc") << QByteArray(" EURO=\"a&#9;b&#13;&#10;c\"");
        QTest::newRow("blanks kept") << QStringLiteral("  1,5  ") << QByteArray(" EURO=\"  1,5  \"");
    }
    void testi()
    {
        QFETCH(QString, testo);
        QFETCH(QByteArray, attributo);
        Progetto p;
        p.euro = testo;
        p.r_anodica = testo;
        p.grid_bias = testo;
        p.punti_lavoro.push_back({1, 2, 14});
        const QByteArray b = byte_progetto(p);
        QVERIFY2(b.contains("<SIGLA" + attributo + " USA"), b.constData());
        const auto letto = Ricarica_Progetto(b);
        QVERIFY(letto);
        QCOMPARE(letto->euro, testo);
        QCOMPARE(letto->r_anodica, testo);
        if (!testo.isEmpty())
            QCOMPARE(letto->grid_bias, testo);
    }

    // The serialiser over every kind of node, not only the ones a project
    // file holds.
    void serializza_xml_data()
    {
        using T = NodoXml::Tipo;
        QTest::addColumn<NodoXml>("nodo");
        QTest::addColumn<int>("livello");
        QTest::addColumn<QString>("atteso");

        NodoXml in_linea = NodoXml::elemento_("A");
        in_linea.aggiungi({T::testo, {}, QStringLiteral("  x\r\ny\t<z>  "), {}, {}});
        QTest::newRow("inline text") << in_linea << 1 << QStringLiteral("\t<A>x y &lt;z&gt;</A>\r\n");

        NodoXml misto = NodoXml::elemento_("B");
        misto.attributo("k", "v");
        misto.aggiungi({T::testo, {}, QStringLiteral(" t "), {}, {}});
        misto.aggiungi({T::commento, {}, QStringLiteral(" c "), {}, {}});
        misto.aggiungi({T::cdata, {}, QStringLiteral("a\r\nb"), {}, {}});
        misto.aggiungi(NodoXml::elemento_("C"));
        misto.aggiungi({T::riferimento_entita, QStringLiteral("amp"), {}, {}, {}});
        misto.aggiungi({T::istruzione, QStringLiteral("pi"), QStringLiteral("d"), {}, {}});
        misto.aggiungi({T::entita, QStringLiteral("e"), QStringLiteral("x"), {}, {}});
        QTest::newRow("mixed children") << misto << 0
                                        << QStringLiteral("<B k=\"v\">\r\n\tt\r\n\t<!-- c -->\r\n<![CDATA[a\r\nb]]>\r\n"
                                                          "\t<C/>\r\n\t&amp;\r\n\t<?pi d?>\r\n</B>\r\n");

        NodoXml doc{T::documento, {}, {}, {}, {}};
        doc.aggiungi({T::tipo_documento, QStringLiteral("R"), QStringLiteral("SYSTEM \"r.dtd\""), {}, {}});
        doc.aggiungi(NodoXml::elemento_("R"));
        QTest::newRow("document") << doc << 3 << QStringLiteral("<!DOCTYPE R SYSTEM \"r.dtd\">\r\n<R/>\r\n");

        QTest::newRow("attribute ignores the level")
            << NodoXml{T::attributo, QStringLiteral("a"), QStringLiteral("1"), {}, {}} << 4
            << QStringLiteral(" a=\"1\"");
        QTest::newRow("entity") << NodoXml{T::entita, QStringLiteral("e"), {}, {}, {}} << 1 << QString();
        QTest::newRow("notation") << NodoXml{T::notazione, QStringLiteral("n"), QStringLiteral("SYSTEM \"x\""), {}, {}}
                                  << 2 << QStringLiteral("\t\t<!NOTATION n SYSTEM \"x\">\r\n");
    }
    void serializza_xml()
    {
        QFETCH(NodoXml, nodo);
        QFETCH(int, livello);
        QFETCH(QString, atteso);
        QCOMPARE(::serializza_xml(nodo, int16_t(livello)), atteso);
    }

    // How IDs place the objects, the flag, values cut by line ends, only one
    // designation, "." or "," in coordinates, attribute order and elements
    // the loader does not know.
    void caricamento_data()
    {
        QTest::addColumn<QByteArray>("figli");
        QTest::addColumn<QString>("rette"); // per element k>=1: "x" for a filled one, "-" for a hole
        QTest::addColumn<bool>("visibile");
        QTest::newRow("01 02 03") << retta_xml("01") + retta_xml("02") + retta_xml("03") << "xxx" << true;
        QTest::newRow("02 01") << retta_xml("02") + retta_xml("01") << "-x" << true;
        QTest::newRow("01 03") << retta_xml("01") + retta_xml("03") << "x-x" << true;
        QTest::newRow("ID 0") << retta_xml("0") << "" << true;
        QTest::newRow("no ID") << retta_xml(QByteArray()) << "" << true;
        QTest::newRow("ID repeated") << retta_xml("01") + retta_xml("01", "bad") << "x" << true;
        QTest::newRow("ID 2.5 rounds to even") << retta_xml("2.5") << "-x" << true;
        QTest::newRow("ID with a suffix") << retta_xml("3abc") << "--x" << true;
        QTest::newRow("negative ID") << retta_xml("-4") << "" << true;
        QTest::newRow("comma decimal") << retta_xml("01", "10,5") << "x" << true;
        QTest::newRow("point decimal") << retta_xml("01", "10.5") << "x" << true;
        QTest::newRow("attributes in any order")
            << QByteArray("<RETTA_MANUALE Y1=\"40\" X1=\"30\" Y0=\"20\" X0=\"10\" ID=\"1\" ALTRO=\"?\"/>") << "x"
            << true;
        QTest::newRow("unknown and nested elements")
            << QByteArray("<ALTRO><RETTA_MANUALE ID=\"1\" X0=\"1\" Y0=\"1\" X1=\"1\" Y1=\"1\"/></ALTRO>") << "" << true;
    }
    void caricamento()
    {
        QFETCH(QByteArray, figli);
        QFETCH(QString, rette);
        QFETCH(bool, visibile);
        const auto p = Ricarica_Progetto(file_con(figli));
        QVERIFY(p);
        QCOMPARE(p->potenza_visibile, visibile);
        QCOMPARE(int(p->rette.size()) - 1, int(rette.size()));
        for (int k = 1; k <= rette.size(); ++k) {
            const segmento& s = p->rette[std::size_t(k)];
            if (rette[k - 1] == u'x') {
                QCOMPARE(s.etichetta, QStringLiteral("R%1").arg(k, 2, 10, QChar(u'0')));
                QCOMPARE(s.y1, 40.0f);
                QVERIFY(s.x0 == 10.0f || s.x0 == 10.5f);
            } else {
                QVERIFY(s.etichetta.isEmpty());
                QCOMPARE(s.x0 - s.y0, 0.0f);
            }
        }
    }

    void valori_del_file()
    {
        // Lower-case TRUE is not TRUE; CR and LF inside values are dropped;
        // only the first SIGLA counts; USA may be missing.
        const QByteArray b = "<PROGETTO><SIGLA EURO=\"EC\r\nC83\" MODO=\"TRIODO\"/><SIGLA EURO=\"EL34\"/>"
                             "<COMPONENTI GUADAGNO=\"5\nB\" POTENZA_MASSIMA_VISIBILE=\"true\"/>"
                             "<PUNTO_LAVORO ID=\"01\" X0=\"1\" Y0=\"2\" V=\"-1\"/>"
                             "<PUNTO_LAVORO ID=\"01\" X0=\"1\" Y0=\"2\" V=\"-3\"/>"
                             "<PUNTO_LAVORO ID=\"02\" X0=\"1\" Y0=\"2\" V=\"\"/></PROGETTO>";
        const auto p = Ricarica_Progetto(b);
        QVERIFY(p);
        QCOMPARE(p->euro, QStringLiteral("ECC83"));
        QVERIFY(p->usa.isEmpty());
        QCOMPARE(p->guadagno, QStringLiteral("5B"));
        QVERIFY(!p->potenza_visibile);
        // V counts even on the repeated element, and an empty V changes nothing.
        QCOMPARE(p->grid_bias, QStringLiteral("-3"));
        QCOMPARE(p->punti_lavoro.size(), std::size_t(3));
        QCOMPARE(p->punti_lavoro[2].colore, 14);
    }

    void ostili_data()
    {
        QTest::addColumn<QByteArray>("byte");
        QTest::newRow("not well-formed") << file_con("<RETTA_MANUALE ID=\"01\">");
        QTest::newRow("garbage") << QByteArray("\x00\xff<<>>", 6);
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("two roots") << file_con("") + "<PROGETTO/>";
        QTest::newRow("billion laughs") << QByteArray(
            "<?xml version=\"1.0\"?><!DOCTYPE PROGETTO [<!ENTITY a \"aaaaaaaaaa\">"
            "<!ENTITY b \"&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;\"><!ENTITY c \"&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;\">"
            "<!ENTITY d \"&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;\"><!ENTITY e \"&d;&d;&d;&d;&d;&d;&d;&d;&d;&d;\">"
            "<!ENTITY f \"&e;&e;&e;&e;&e;&e;&e;&e;&e;&e;\"><!ENTITY g \"&f;&f;&f;&f;&f;&f;&f;&f;&f;&f;\">]>"
            "<PROGETTO><SIGLA EURO=\"&g;\"/><COMPONENTI/></PROGETTO>");
        QTest::newRow("any DTD") << QByteArray("<!DOCTYPE PROGETTO><PROGETTO><SIGLA/><COMPONENTI/></PROGETTO>");
        QTest::newRow("undeclared entity") << file_con("<RETTA_MANUALE ID=\"&x;\"/>");
        QTest::newRow("SIGLA missing") << file_con("<COMPONENTI/>", false);
        QTest::newRow("COMPONENTI missing") << file_con("<SIGLA USA=\"12AX7\"/>", false);
        QTest::newRow("root not PROGETTO") << QByteArray("<ALTRO><SIGLA/><COMPONENTI/></ALTRO>");
        QTest::newRow("ID past 16 bits") << file_con(retta_xml("32768"));
        QTest::newRow("ID far below") << file_con(retta_xml("-40000"));
        QTest::newRow("ID past 16 bits on a point") << file_con("<PUNTO_GUADAGNO ID=\"99999\" X0=\"1\" Y0=\"1\"/>");
        QTest::newRow("coordinate text") << file_con(retta_xml("01", "abc"));
        QTest::newRow("coordinate empty") << file_con(retta_xml("01", ""));
        QTest::newRow("coordinate NaN") << file_con(retta_xml("01", "nan"));
        QTest::newRow("coordinate infinite") << file_con(retta_xml("01", "inf"));
        QTest::newRow("coordinate overflow") << file_con(retta_xml("01", "1e39"));
        QTest::newRow("coordinate far away") << file_con(retta_xml("01", "1000000.5"));
        QTest::newRow("coordinate far negative") << file_con(retta_xml("01", "-2500000"));
        QTest::newRow("coordinate grouped") << file_con(retta_xml("01", "1,000.5"));
        QTest::newRow("coordinate missing") << file_con("<RETTA_RICALCOLATA ID=\"01\" X0=\"1\" Y0=\"1\" X1=\"1\"/>");
        QTest::newRow("point coordinate missing") << file_con("<PUNTO_LAVORO ID=\"01\" X0=\"1\"/>");
        QTest::newRow("too large") << QByteArray(limite_file_progetto + 1, ' ') + file_con("");
        QTest::newRow("response twice") << file_con("<Risposta BPiu=\"300\"/><Risposta BPiu=\"250\"/>");
        QTest::newRow("response value past the field's length")
            << file_con("<Risposta Ra=\"" + QByteArray(risposta::lunghezza_massima_testo + 1, '1') + "\"/>");
        QTest::newRow("response bypass neither TRUE nor FALSE") << file_con("<Risposta CatodoBypassato=\"forse\"/>");
    }
    void ostili()
    {
        QFETCH(QByteArray, byte);
        QVERIFY(!Ricarica_Progetto(byte));
    }

    void coordinate_ai_limiti()
    {
        QCOMPARE(leggi_coordinata(QStringLiteral("100000")).value(), 100000.0f);
        QCOMPARE(leggi_coordinata(QStringLiteral(" -100000 ")).value(), -100000.0f);
        QCOMPARE(leggi_coordinata(QStringLiteral("1e-05")).value(), 1e-5f);
        QCOMPARE(leggi_coordinata(QStringLiteral("-0,25")).value(), -0.25f);
    }

    void file_troppo_grande_non_letto()
    {
        QTemporaryDir dir;
        QFile f(dir.filePath("grande.xml"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        QVERIFY(f.resize(limite_file_progetto + 1));
        f.close();
        QVERIFY(!leggi_file_progetto(f.fileName()));
        QVERIFY(!leggi_file_progetto(dir.filePath("assente.xml")));

        QFile g(dir.filePath("giusto.xml"));
        QVERIFY(g.open(QIODevice::WriteOnly));
        g.write(golden);
        g.close();
        QCOMPARE(leggi_file_progetto(g.fileName()).value(), QByteArray(golden));
    }

    // The disk fills up during the save: the previous file stays whole and
    // no temporary file is left behind.
    void salvataggio_fallito_lascia_il_file()
    {
        QTemporaryDir dir;
        const QString nome = dir.filePath("progetto.xml");
        const QByteArray vecchio = "vecchio progetto";
        QVERIFY(scrivi_file_progetto(nome, vecchio));

        std::signal(SIGXFSZ, SIG_IGN);
        rlimit prima{};
        QCOMPARE(getrlimit(RLIMIT_FSIZE, &prima), 0);
        rlimit stretto = prima;
        stretto.rlim_cur = 64;
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &stretto), 0);
        const bool ok = scrivi_file_progetto(nome, byte_progetto(piccolo()));
        setrlimit(RLIMIT_FSIZE, &prima);
        std::signal(SIGXFSZ, SIG_DFL);

        QVERIFY(!ok);
        QFile f(nome);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), vecchio);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("progetto.xml")});

        QVERIFY(!scrivi_file_progetto(dir.filePath("manca/progetto.xml"), vecchio));
        QVERIFY(scrivi_file_progetto(nome, golden));
        f.close();
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), QByteArray(golden));
    }
};

QTEST_GUILESS_MAIN(TestProgettoXml)
#include "tst_progetto_xml.moc"
