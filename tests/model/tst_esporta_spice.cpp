// The SPICE export read by ngspice: a DC sweep of the plate through the
// subcircuit gives the model's own plate current.
#include "support/processo.h"

#include "common/lingua.h"
#include "model/esporta_spice.h"

#include <QTemporaryDir>
#include <QtTest>

using modello::ModelloSalvato;
using modello::TipoModello;

namespace {

ModelloSalvato triodo(double vct)
{
    ModelloSalvato m;
    m.parametri = {TipoModello::triodo_koren, 100, 1.4, 1060, 600, 300, vct, 0};
    m.scarto_medio = 0.21;
    m.scarto_massimo = 0.9;
    m.punti = 1500;
    m.fonte = modello::fonte_adattato;
    m.data = QStringLiteral("2026-12-10");
    return m;
}

ModelloSalvato pentodo()
{
    ModelloSalvato m;
    m.parametri = {TipoModello::pentodo_koren, 11, 1.35, 650, 60, 24, 0, 250};
    m.fonte = modello::fonte_pubblicato;
    return m;
}

// Runs ngspice in batch mode on a netlist that includes the subcircuit and
// writes plate voltage and plate current (mA) of a DC sweep; empty on failure.
QVector<QPointF> sweep(const QString& cartella, const QString& inc, const QString& nome, bool pentodo, double vg,
                       double vg2, double da_volt)
{
    const QString rete = cartella + QStringLiteral("/prova.cir");
    const QString uscita = cartella + QStringLiteral("/uscita.txt");
    QFile f(rete);
    if (!f.open(QIODevice::WriteOnly))
        return {};
    QString t = QStringLiteral("* prova\n.include %1\nVP a 0 DC 0\nVG g 0 DC %2\n").arg(inc).arg(vg);
    if (pentodo)
        t += QStringLiteral("VS s 0 DC %1\nX1 a s g 0 %2\n").arg(vg2).arg(nome);
    else
        t += QStringLiteral("X1 a g 0 %1\n").arg(nome);
    // 20 plate voltages up to 500 V.
    const double passo = (500 - da_volt) / 19;
    t += QStringLiteral(".control\ndc VP %1 %2 %3\nwrdata %4 -i(VP)\n.endc\n.end\n")
             .arg(da_volt)
             .arg(500 + passo / 2)
             .arg(passo)
             .arg(uscita);
    f.write(t.toUtf8());
    f.close();
    const Esito esito = esegui(QStringLiteral("ngspice"), {QStringLiteral("-b"), rete}, cartella);
    // Batch mode without a .print line ends with status 1 after a good run;
    // the written data tell whether the sweep ran.
    if (esito.codice < 0 || !QFile::exists(uscita)) {
        qWarning().noquote() << esito.uscita << esito.errori;
        return {};
    }
    QFile u(uscita);
    if (!u.open(QIODevice::ReadOnly))
        return {};
    QVector<QPointF> punti;
    for (const QByteArray& riga : u.readAll().split('\n')) {
        const auto campi = riga.simplified().split(' ');
        if (campi.size() >= 2)
            punti << QPointF(campi[0].toDouble(), campi[1].toDouble() * 1000.0);
    }
    return punti;
}

} // namespace

class TstEsportaSpice : public QObject {
    Q_OBJECT
private slots:
    void ngspice_come_il_modello_data();
    void ngspice_come_il_modello();
    void intestazione_e_nomi_data();
    void intestazione_e_nomi();
    void scrittura_in_cartella_mancante();
    void commenti_in_inglese();
};

void TstEsportaSpice::ngspice_come_il_modello_data()
{
    QTest::addColumn<bool>("e_pentodo");
    QTest::addColumn<double>("vct");
    QTest::addColumn<double>("vg");
    QTest::addColumn<double>("da_volt");
    QTest::newRow("triodo Vg 0") << false << 0.0 << 0.0 << 25.0;
    QTest::newRow("triodo Vg -0.5 Vct 0.4") << false << 0.4 << -0.5 << 25.0;
    QTest::newRow("triodo Vg -1 Vct -0.3") << false << -0.3 << -1.0 << 200.0;
    QTest::newRow("triodo Vg +0.5") << false << 0.0 << 0.5 << 10.0;
    QTest::newRow("pentodo Vg -10") << true << 0.0 << -10.0 << 5.0;
    QTest::newRow("pentodo Vg 0") << true << 0.0 << 0.0 << 5.0;
}

void TstEsportaSpice::ngspice_come_il_modello()
{
    QFETCH(bool, e_pentodo);
    QFETCH(double, vct);
    QFETCH(double, vg);
    QFETCH(double, da_volt);
    const ModelloSalvato m = e_pentodo ? pentodo() : triodo(vct);
    QTemporaryDir d;
    const QString sigla = e_pentodo ? QStringLiteral("EL34") : QStringLiteral("12AX7");
    const QString inc = d.path() + '/' + esporta_spice::nome_file(sigla);
    QVERIFY(esporta_spice::scrivi(inc, esporta_spice::testo(sigla, m, QStringLiteral("/dati/12AX7trio.gif"))));
    const auto punti =
        sweep(d.path(), inc, esporta_spice::nome_sottocircuito(sigla), e_pentodo, vg, m.parametri.vg2, da_volt);
    QCOMPARE(punti.size(), 20);
    for (const QPointF& p : punti) {
        const double atteso = modello::corrente_placca(m.parametri, p.x(), vg);
        QVERIFY(atteso > 1e-4);
        QVERIFY2(std::abs(p.y() - atteso) <= 0.001 * atteso,
                 qPrintable(QStringLiteral("%1 V: %2 mA, il modello %3 mA").arg(p.x()).arg(p.y()).arg(atteso)));
    }
}

void TstEsportaSpice::intestazione_e_nomi_data()
{
    QTest::addColumn<QString>("sigla");
    QTest::addColumn<QString>("nome");
    QTest::newRow("semplice") << "12AX7"
                              << "12AX7";
    QTest::newRow("minuscole e barra") << "ecc83/12ax7"
                                       << "ECC83_12AX7";
    QTest::newRow("spazi e virgola") << "6SN7 GT,B"
                                     << "6SN7_GT_B";
    QTest::newRow("inizia con un simbolo") << "-EL34"
                                           << "X_EL34";
    QTest::newRow("vuoto") << ""
                           << "VALVOLA";
    QTest::newRow("a capo") << "A\n.include x"
                            << "A__INCLUDE_X";
}

void TstEsportaSpice::intestazione_e_nomi()
{
    QFETCH(QString, sigla);
    QFETCH(QString, nome);
    QCOMPARE(esporta_spice::nome_sottocircuito(sigla), nome);
    QCOMPARE(esporta_spice::nome_file(sigla), nome + QStringLiteral(".inc"));
    // The picture's name cannot start a netlist line of its own.
    const QString t = esporta_spice::testo(sigla, triodo(0.1), QStringLiteral("/x/curva\n.include evil.gif"));
    const QStringList righe = t.split('\n', Qt::SkipEmptyParts);
    for (const QString& r : righe)
        QVERIFY2(r.startsWith('*') || r.startsWith(QStringLiteral(".SUBCKT ")) || r.startsWith(QStringLiteral("BP ")) ||
                     r.startsWith(QStringLiteral(".ENDS ")),
                 qPrintable(r));
    QVERIFY(t.contains(QStringLiteral("Grafico sorgente: curva .include evil.gif")));
    QVERIFY(t.contains(QStringLiteral("Scarto medio 0.210 px, scarto massimo 0.900 px")));
    QVERIFY(t.contains(QStringLiteral("Data: 2026-12-10")));
    // Which Kg1 is meant, and its value in the form without the factor 2.
    QVERIFY(t.contains(QStringLiteral("(1 + sgn E1)")));
    QVERIFY(t.contains(QStringLiteral("Kg1/2 = 530")));
    QVERIFY(
        t.contains(QStringLiteral(".SUBCKT %1 P G K PARAMS: MU=100 EX=1.4 KG1=1060 KP=600 KVB=300 VCT=0.1").arg(nome)));
}

void TstEsportaSpice::scrittura_in_cartella_mancante()
{
    QTemporaryDir d;
    QString errore;
    QVERIFY(!esporta_spice::scrivi(d.path() + QStringLiteral("/manca/12AX7.inc"), QStringLiteral("x"), &errore));
    QVERIFY(!errore.isEmpty());
}

// Under English the header's comments are English; every line ngspice reads
// is the same as under Italian.
void TstEsportaSpice::commenti_in_inglese()
{
    const auto righe_attive = [](const QString& t) {
        QStringList r = t.split(QLatin1Char('\n'));
        r.removeIf([](const QString& l) { return l.startsWith(QLatin1Char('*')); });
        return r;
    };
    const QString italiano = esporta_spice::testo(QStringLiteral("EL34"), pentodo(), QString());
    installa_traduzioni(Lingua::inglese, QStringLiteral(KORVEL_DIST_DIR));
    const QString inglese = esporta_spice::testo(QStringLiteral("EL34"), pentodo(), QString());
    installa_traduzioni(Lingua::italiano, QStringLiteral(KORVEL_DIST_DIR));
    QVERIFY(italiano.contains(QStringLiteral("* Piedini: P placca, S griglia schermo, G griglia controllo, K catodo.")));
    QVERIFY(inglese.contains(QStringLiteral("* Pins: P plate, S screen grid, G control grid, K cathode.")));
    QVERIFY(inglese.contains(QStringLiteral("* Koren pentode; curves traced at Vg2 = 250 V")));
    QVERIFY(!inglese.contains(QStringLiteral("placca")));
    QCOMPARE(righe_attive(inglese), righe_attive(italiano));
}

QTEST_GUILESS_MAIN(TstEsportaSpice)
#include "tst_esporta_spice.moc"
