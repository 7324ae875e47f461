// The language of a start: the locale's rule read from a real environment
// (each case runs this program again under it, so QLocale::system() sees
// the variables as the program does), the stored choice over it, and the
// catalogues installed for each language.

#include "common/lingua.h"

#include <QCoreApplication>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>

namespace {

// The child's side: optionally store a choice, then print the language of
// this start.
int figlio(const QStringList& argomenti)
{
    const qsizetype i = argomenti.indexOf(QStringLiteral("--salva"));
    if (i >= 0 && i + 1 < argomenti.size())
        salva_lingua_scelta(argomenti[i + 1] == QLatin1String("en") ? Lingua::inglese : Lingua::italiano);
    std::printf("%s\n", qPrintable(codice_lingua(lingua_di_avvio())));
    return 0;
}

} // namespace

class TestLingua : public QObject {
    Q_OBJECT

    QTemporaryDir casa;

    // Runs this program in a clean environment holding only `variabili` (and
    // a home and configuration folder of the test's own); what it printed.
    QString lingua_in(const QStringList& variabili, const QStringList& argomenti = {})
    {
        QProcessEnvironment env;
        env.insert(QStringLiteral("HOME"), casa.path());
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), casa.path() + QStringLiteral("/config"));
        for (const QString& v : variabili) {
            const qsizetype uguale = v.indexOf('=');
            env.insert(v.left(uguale), v.mid(uguale + 1));
        }
        QProcess p;
        p.setProcessEnvironment(env);
        p.start(QCoreApplication::applicationFilePath(), QStringList{QStringLiteral("--figlio")} + argomenti);
        if (!p.waitForFinished(60000) || p.exitCode() != 0)
            return QStringLiteral("failed: ") + QString::fromLocal8Bit(p.readAllStandardError());
        return QString::fromLocal8Bit(p.readAllStandardOutput()).trimmed();
    }

private slots:
    void init() { QVERIFY(casa.isValid()); }
    void cleanup() { QDir(casa.path() + QStringLiteral("/config")).removeRecursively(); }

    void lingua_dal_locale_data()
    {
        QTest::addColumn<QStringList>("variabili");
        QTest::addColumn<QString>("attesa");
        QTest::newRow("nothing set") << QStringList{} << "it";
        QTest::newRow("C") << QStringList{"LANG=C"} << "it";
        QTest::newRow("POSIX") << QStringList{"LC_ALL=POSIX"} << "it";
        QTest::newRow("C.UTF-8") << QStringList{"LC_ALL=C.UTF-8"} << "it";
        QTest::newRow("Italian") << QStringList{"LANG=it_IT.UTF-8"} << "it";
        QTest::newRow("Swiss Italian") << QStringList{"LANG=it_CH.UTF-8"} << "it";
        QTest::newRow("British English") << QStringList{"LANG=en_GB.UTF-8"} << "en";
        QTest::newRow("German") << QStringList{"LANG=de_DE.UTF-8"} << "en";
        QTest::newRow("French messages, Italian rest")
            << QStringList{"LANG=it_IT.UTF-8", "LC_MESSAGES=fr_FR.UTF-8"} << "en";
        QTest::newRow("LANGUAGE first") << QStringList{"LANGUAGE=en:it", "LANG=it_IT.UTF-8"} << "en";
        QTest::newRow("LANGUAGE Italian first") << QStringList{"LANGUAGE=it:en", "LANG=en_US.UTF-8"} << "it";
        QTest::newRow("empty LANGUAGE skipped") << QStringList{"LANGUAGE=", "LANG=it_IT.UTF-8"} << "it";
        QTest::newRow("LC_ALL over LANG") << QStringList{"LC_ALL=en_US.UTF-8", "LANG=it_IT.UTF-8"} << "en";
    }
    void lingua_dal_locale()
    {
        QFETCH(QStringList, variabili);
        QFETCH(QString, attesa);
        QCOMPARE(lingua_in(variabili), attesa);
    }

    // The choice is kept per user and wins from the next start, whatever
    // the locale says; it is not in the program folder.
    void scelta_salvata_data()
    {
        QTest::addColumn<QStringList>("variabili");
        QTest::addColumn<QString>("scelta");
        QTest::newRow("English over an Italian locale") << QStringList{"LANG=it_IT.UTF-8"} << "en";
        QTest::newRow("Italian over a German locale") << QStringList{"LANG=de_DE.UTF-8"} << "it";
        QTest::newRow("English over no locale") << QStringList{} << "en";
    }
    void scelta_salvata()
    {
        QFETCH(QStringList, variabili);
        QFETCH(QString, scelta);
        QCOMPARE(lingua_in(variabili, {QStringLiteral("--salva"), scelta}), scelta);
        QCOMPARE(lingua_in(variabili), scelta);
        QVERIFY(QFile::exists(casa.path() + QStringLiteral("/config/korvel/korvel.ini")));
        QVERIFY(!QFile::exists(QCoreApplication::applicationDirPath() + QStringLiteral("/korvel.ini")));
    }

    // The catalogues of each language: the program's English from the
    // program folder, Qt's own for the standard buttons and dialogs.
    void catalogi_installati()
    {
        installa_traduzioni(Lingua::inglese, QStringLiteral(KORVEL_DIST_DIR));
        QCOMPARE(lingua_corrente(), Lingua::inglese);
        QCOMPARE(QCoreApplication::translate("KORVEL", "&Leggi Progetto"), QStringLiteral("&Open Project..."));
        installa_traduzioni(Lingua::italiano, QStringLiteral(KORVEL_DIST_DIR));
        QCOMPARE(lingua_corrente(), Lingua::italiano);
        QCOMPARE(QCoreApplication::translate("KORVEL", "&Leggi Progetto"), QStringLiteral("&Leggi Progetto"));
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Annulla"));
        QCOMPARE(QCoreApplication::translate("QFileDialog", "File &name:"), QStringLiteral("&Nome del file:"));
        // A text in a language other than the current one, from the same
        // catalogue.
        QCOMPARE(traduci_in(Lingua::inglese, QStringLiteral(KORVEL_DIST_DIR), "KORVEL", "&Leggi Progetto"),
                 QStringLiteral("&Open Project..."));
        QCOMPARE(traduci_in(Lingua::italiano, QStringLiteral(KORVEL_DIST_DIR), "KORVEL", "&Leggi Progetto"),
                 QStringLiteral("&Leggi Progetto"));
    }
};

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    if (app.arguments().contains(QStringLiteral("--figlio")))
        return figlio(app.arguments());
    TestLingua t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_lingua.moc"
