// The schematic that goes with each tube mode.
#include "shell/modi_schema.h"

#include <QtTest>

class TestModiSchema : public QObject {
    Q_OBJECT

private slots:
    void tabella_data();
    void tabella();
};

void TestModiSchema::tabella_data()
{
    QTest::addColumn<QString>("modo");
    QTest::addColumn<QString>("modo_schema");
    QTest::addColumn<QString>("file_schema");
    QTest::newRow("generico") << "GENERICO"
                              << "GENERICO"
                              << "Schema_G.jpg";
    QTest::newRow("triodo") << "TRIODO"
                            << "TRIODO"
                            << "Schema_G.jpg";
    QTest::newRow("pentodo") << "PENTODO"
                             << "PENTODO"
                             << "Schema_P.jpg";
    QTest::newRow("ultralineare") << "ULTRALINEARE"
                                  << "ULTRALINEARE"
                                  << "Schema_U.jpg";
    QTest::newRow("diodo") << "DIODO"
                           << "DIODO"
                           << "Schema_D.jpg";
    QTest::newRow("coppia") << "PENTODO COPPIA"
                            << "PENTODO COPPIA"
                            << "Schema_P.jpg";
    QTest::newRow("tripletta") << "PENTODO TRIPLETTA"
                               << "PENTODO TRIPLETTA"
                               << "Schema_P.jpg";
    QTest::newRow("vuoto") << ""
                           << "GENERICO"
                           << "Schema_G.jpg";
    QTest::newRow("sconosciuto") << "TETRODO"
                                 << "GENERICO"
                                 << "Schema_G.jpg";
    // Compared exactly, as stored: case and blanks count.
    QTest::newRow("minuscolo") << "pentodo"
                               << "GENERICO"
                               << "Schema_G.jpg";
    QTest::newRow("spazio") << "PENTODO "
                            << "GENERICO"
                            << "Schema_G.jpg";
    QTest::newRow("parte") << "PENTODO COPP"
                           << "GENERICO"
                           << "Schema_G.jpg";
}

void TestModiSchema::tabella()
{
    QFETCH(QString, modo);
    QFETCH(QString, modo_schema);
    QFETCH(QString, file_schema);
    const SchemaModo s = schema_del_modo(modo);
    QCOMPARE(s.modo_schema, modo_schema);
    QCOMPARE(s.file_schema, file_schema);
}

QTEST_APPLESS_MAIN(TestModiSchema)
#include "tst_modi_schema.moc"
