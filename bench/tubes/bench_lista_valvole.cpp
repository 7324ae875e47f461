// Times the rebuild of the tube list from a table of 10,000 tubes into the
// real main window, against the sqlite3 command-line tool reading the same
// rows in the same run. Both wall time and CPU time (user + system; for the
// tool, its own as a child) are taken: on a machine shared with other work
// the CPU ratio is the steadier one.
// Run: build/bench/bench_lista_valvole [tubes]
#include "../comune/statistiche.h"
#include "../comune/tabella_valvole.h"
#include "platform/piattaforma_scriptata.h"
#include "shell/korvel.h"
#include "tubes/lista_valvole.h"
#include "tubes/schema_valvole.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

double cpu_ms(int chi)
{
    rusage uso{};
    getrusage(chi, &uso);
    return (uso.ru_utime.tv_sec + uso.ru_stime.tv_sec) * 1e3 + (uso.ru_utime.tv_usec + uso.ru_stime.tv_usec) / 1e3;
}

} // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int n = argc > 1 ? std::max(1, atoi(argv[1])) : 10000;
    const int ripetizioni = 7;

    QTemporaryDir dir;
    QDir(dir.path()).mkpath(QStringLiteral("DatiValvole"));
    const QString file = dir.path() + QStringLiteral("/DatiValvole/DBValvole.mdb");
    if (!bench::riempi_valvole(file, n)) {
        std::fprintf(stderr, "cannot fill the database\n");
        return 1;
    }

    PiattaformaScriptata p;
    KORVEL w(p, dir.path());
    w.KORVEL_Form_Load();

    std::vector<double> lista, cli, lista_cpu, cli_cpu;
    for (int i = 0; i < ripetizioni; ++i) {
        QElapsedTimer t;
        double c = cpu_ms(RUSAGE_SELF);
        t.start();
        const bool ok = w.lista().caricamento_basedati();
        QCoreApplication::processEvents(); // let the view lay out the new rows
        lista.push_back(t.nsecsElapsed() / 1e6);
        lista_cpu.push_back(cpu_ms(RUSAGE_SELF) - c);
        if (!ok || w.lista().righe_valvole() != n) {
            std::fprintf(stderr, "list load failed\n");
            return 1;
        }

        QProcess sqlite;
        c = cpu_ms(RUSAGE_CHILDREN);
        t.restart();
        sqlite.start(QStringLiteral("sqlite3"), {file, QStringLiteral("select * from TabellaValvole order by ID")});
        sqlite.waitForFinished(-1);
        const QByteArray out = sqlite.readAllStandardOutput();
        cli.push_back(t.nsecsElapsed() / 1e6);
        cli_cpu.push_back(cpu_ms(RUSAGE_CHILDREN) - c);
        if (out.count('\n') != n) {
            std::fprintf(stderr, "sqlite3 read %lld rows\n", static_cast<long long>(out.count('\n')));
            return 1;
        }
    }
    const double a = bench::mediana(lista), b = bench::mediana(cli);
    std::printf("tubes: %d, repetitions: %d (medians)\n", n, ripetizioni);
    std::printf("caricamento_basedati into the list: %8.2f ms\n", a);
    std::printf("sqlite3 CLI, same query:            %8.2f ms\n", b);
    std::printf("ratio list / sqlite3:               %8.2f\n", a / b);
    const double ac = bench::mediana(lista_cpu), bc = bench::mediana(cli_cpu);
    std::printf("CPU time, list:                     %8.2f ms\n", ac);
    std::printf("CPU time, sqlite3 CLI:              %8.2f ms\n", bc);
    std::printf("CPU ratio list / sqlite3:           %8.2f\n", ac / bc);
    return 0;
}
