// The models kept with the tubes: stored and read back through a real SQLite
// file, the table created in a database from before the models, rows that
// cannot be a model refused, and the demo database shipping its models.
#include "support/cartella_prova.h"

#include "model/archivio_modelli.h"

#include "valvole_demo.h"

#include <QtTest>

using modello::ModelloSalvato;
using modello::TipoModello;

namespace {

ModelloSalvato modello_prova(TipoModello tipo)
{
    ModelloSalvato m;
    m.parametri.tipo = tipo;
    m.parametri.mu = 98.7654321;
    m.parametri.ex = 1.3912345;
    m.parametri.kg1 = 1043.21;
    m.parametri.kp = 587.5;
    m.parametri.kvb = tipo == TipoModello::pentodo_koren ? 23.5 : 312.25;
    m.parametri.vct = tipo == TipoModello::pentodo_koren ? 0 : -0.375;
    m.parametri.vg2 = tipo == TipoModello::pentodo_koren ? 250 : 0;
    m.griglie = {0, -0.5, -1, -1.5, -2.25};
    m.scarto_medio = 0.2125;
    m.scarto_massimo = 1.75;
    m.punti = 1834;
    m.fonte = modello::fonte_adattato;
    m.data = QStringLiteral("2026-12-10");
    return m;
}

bool uguali(const ModelloSalvato& a, const ModelloSalvato& b)
{
    const auto& p = a.parametri;
    const auto& q = b.parametri;
    return p.tipo == q.tipo && p.mu == q.mu && p.ex == q.ex && p.kg1 == q.kg1 && p.kp == q.kp && p.kvb == q.kvb &&
           p.vct == q.vct && p.vg2 == q.vg2 && a.griglie == b.griglie && a.scarto_medio == b.scarto_medio &&
           a.scarto_massimo == b.scarto_massimo && a.punti == b.punti && a.fonte == b.fonte && a.data == b.data;
}

} // namespace

class TstArchivioModelli : public QObject {
    Q_OBJECT
private slots:
    void salva_e_rilegge_data();
    void salva_e_rilegge();
    void tabella_creata_in_una_base_dati_vecchia();
    void righe_che_non_sono_un_modello_data();
    void righe_che_non_sono_un_modello();
    void file_mancante_o_non_valido();
    void testo_ostile_resta_un_valore();
    void base_dati_demo_con_i_modelli_pubblicati();
};

void TstArchivioModelli::salva_e_rilegge_data()
{
    QTest::addColumn<int>("tipo");
    QTest::newRow("triodo") << int(TipoModello::triodo_koren);
    QTest::newRow("pentodo") << int(TipoModello::pentodo_koren);
}

void TstArchivioModelli::salva_e_rilegge()
{
    QFETCH(int, tipo);
    CartellaProva c;
    QVERIFY(c.crea_tabella());
    const ModelloSalvato m = modello_prova(TipoModello(tipo));
    QVERIFY(!archivio_modelli::ha_modello(c.basedati(), 7));
    QString errore;
    QVERIFY2(archivio_modelli::salva_modello(c.basedati(), 7, m, &errore), qPrintable(errore));
    const auto letto = archivio_modelli::leggi_modello(c.basedati(), 7);
    QVERIFY(letto);
    QVERIFY(uguali(*letto, m));
    QVERIFY(archivio_modelli::ha_modello(c.basedati(), 7));
    QVERIFY(!archivio_modelli::ha_modello(c.basedati(), 8));

    // A second save replaces the first: one model per tube.
    ModelloSalvato nuovo = m;
    nuovo.parametri.mu = 42;
    nuovo.griglie = {1, 2};
    QVERIFY(archivio_modelli::salva_modello(c.basedati(), 7, nuovo));
    const auto riletto = archivio_modelli::leggi_modello(c.basedati(), 7);
    QVERIFY(riletto);
    QVERIFY(uguali(*riletto, nuovo));
    int righe = 0;
    QVERIFY(c.con_basedati([&](QSqlDatabase& db) {
        QSqlQuery q(db);
        if (!q.exec(QStringLiteral("select count(*) from ModelliValvole")) || !q.next())
            return false;
        righe = q.value(0).toInt();
        return true;
    }));
    QCOMPARE(righe, 1);
}

void TstArchivioModelli::tabella_creata_in_una_base_dati_vecchia()
{
    // A database as the program wrote it before the models: only the tubes.
    CartellaProva c;
    QVERIFY(c.crea_tabella());
    QVERIFY(c.inserisci(CartellaProva::valvola(QStringLiteral("12AX7"), QStringLiteral("ECC83"))));
    QVERIFY(!archivio_modelli::leggi_modello(c.basedati(), 1));
    QVERIFY(archivio_modelli::salva_modello(c.basedati(), 1, modello_prova(TipoModello::triodo_koren)));
    QVERIFY(archivio_modelli::leggi_modello(c.basedati(), 1));
    // The tube table is untouched and still reads.
    int valvole = 0;
    QVERIFY(c.con_basedati([&](QSqlDatabase& db) {
        QSqlQuery q(db);
        if (!q.exec(QStringLiteral("select count(*) from TabellaValvole")) || !q.next())
            return false;
        valvole = q.value(0).toInt();
        return true;
    }));
    QCOMPARE(valvole, 1);
    // Creating it again is harmless.
    QVERIFY(archivio_modelli::crea_tabella(c.basedati()));
    QVERIFY(archivio_modelli::leggi_modello(c.basedati(), 1));
}

void TstArchivioModelli::righe_che_non_sono_un_modello_data()
{
    QTest::addColumn<QString>("colonna");
    QTest::addColumn<QVariant>("valore");
    QTest::newRow("tipo sconosciuto") << "TIPO" << QVariant(QStringLiteral("DIODO_X"));
    QTest::newRow("mu nullo") << "MU" << QVariant();
    QTest::newRow("mu testo") << "MU" << QVariant(QStringLiteral("cento"));
    QTest::newRow("kg1 zero") << "KG1" << QVariant(0.0);
    QTest::newRow("kp negativo") << "KP" << QVariant(-3.0);
    QTest::newRow("pentodo senza vg2") << "VG2" << QVariant(0.0);
}

void TstArchivioModelli::righe_che_non_sono_un_modello()
{
    QFETCH(QString, colonna);
    QFETCH(QVariant, valore);
    CartellaProva c;
    QVERIFY(c.crea_tabella());
    QVERIFY(archivio_modelli::salva_modello(c.basedati(), 3, modello_prova(TipoModello::pentodo_koren)));
    // The column name comes from the test's own table, never from a user.
    QVERIFY(c.esegui(QStringLiteral("update ModelliValvole set %1 = ? where ID = 3").arg(colonna), {valore}));
    QVERIFY(!archivio_modelli::leggi_modello(c.basedati(), 3));
    QVERIFY(!archivio_modelli::ha_modello(c.basedati(), 3));
}

void TstArchivioModelli::file_mancante_o_non_valido()
{
    QTemporaryDir d;
    const QString mancante = d.path() + QStringLiteral("/nessuno.mdb");
    QVERIFY(!archivio_modelli::leggi_modello(mancante, 1));
    QString errore;
    QVERIFY(!archivio_modelli::salva_modello(mancante, 1, modello_prova(TipoModello::triodo_koren), &errore));
    QVERIFY(!QFile::exists(mancante));
    QFile spazzatura(d.path() + QStringLiteral("/rotto.mdb"));
    QVERIFY(spazzatura.open(QIODevice::WriteOnly));
    spazzatura.write(QByteArray(4096, 'x'));
    spazzatura.close();
    QVERIFY(!archivio_modelli::leggi_modello(spazzatura.fileName(), 1));
    QVERIFY(!archivio_modelli::salva_modello(spazzatura.fileName(), 1, modello_prova(TipoModello::triodo_koren)));
    // Parameters that make no model are refused before any file is touched.
    CartellaProva c;
    QVERIFY(c.crea_tabella());
    ModelloSalvato m = modello_prova(TipoModello::triodo_koren);
    m.parametri.ex = std::nan("");
    QVERIFY(!archivio_modelli::salva_modello(c.basedati(), 1, m, &errore));
    QVERIFY(!errore.isEmpty());
}

void TstArchivioModelli::testo_ostile_resta_un_valore()
{
    CartellaProva c;
    QVERIFY(c.crea_tabella());
    ModelloSalvato m = modello_prova(TipoModello::triodo_koren);
    m.fonte = QStringLiteral("x'); DROP TABLE TabellaValvole; --");
    m.data = QStringLiteral("'");
    QVERIFY(archivio_modelli::salva_modello(c.basedati(), 1, m));
    const auto letto = archivio_modelli::leggi_modello(c.basedati(), 1);
    QVERIFY(letto);
    QCOMPARE(letto->fonte, m.fonte);
    QVERIFY(c.esegui(QStringLiteral("select count(*) from TabellaValvole")));
}

void TstArchivioModelli::base_dati_demo_con_i_modelli_pubblicati()
{
    const QString db = QStringLiteral(KORVEL_DIST_DIR "/DatiValvole/DBValvole.mdb");
    QVERIFY(QFile::exists(db));
    const auto& tabella = valvole_demo::tabella();
    for (int k = 0; k < int(tabella.size()); ++k) {
        const auto& v = tabella[std::size_t(k)];
        const auto m = archivio_modelli::leggi_modello(db, k + 1);
        QVERIFY2(m, v.sigla_usa.data());
        QCOMPARE(m->fonte, modello::fonte_pubblicato);
        QCOMPARE(m->parametri.vct, 0.0);
        QCOMPARE(int(m->griglie.size()), v.n_curve);
        QCOMPARE(m->griglie.back(), valvole_demo::tensione_griglia(v, v.n_curve - 1));
        // The stored set draws exactly the demo curves.
        for (double ep : {50.0, 150.0, 300.0})
            for (double eg : m->griglie) {
                const double atteso = valvole_demo::corrente(v, ep, eg);
                QVERIFY(std::abs(modello::corrente_placca(m->parametri, ep, eg) - atteso) <=
                        1e-9 * std::max(1.0, atteso));
            }
        QCOMPARE(m->parametri.tipo == TipoModello::pentodo_koren, v.pentodo());
        QCOMPARE(m->parametri.vg2, v.pentodo() ? v.parametri.vg2 : 0.0);
    }
}

QTEST_GUILESS_MAIN(TstArchivioModelli)
#include "tst_archivio_modelli.moc"
