// Start-up: the program, built with the bench hook that ends it once its
// main window is shown with the tube list filled, launched on a program
// folder of its own holding 1,000 tubes, against a bare Qt 6 program that
// shows a main window with a 1,000-row table widget read from the same file
// through Qt SQL. Ten runs of each, taken in turns; medians of wall time,
// CPU time (user + system) and peak resident memory of the child.
// Run: build/bench/bench_avvio [tubes] [runs]
#include "../comune/statistiche.h"
#include "../comune/tabella_valvole.h"
#include "tubes/schema_valvole.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <sys/resource.h>
#include <sys/wait.h>
#include <spawn.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

extern char** environ;

namespace {

// The staged program folder's files beside the program (the zip library,
// the templates, the manual, the missing-picture image), without its
// data folder, which the bench writes itself.
bool copia_file_programma(const QString& da, const QString& a)
{
    for (const QFileInfo& f : QDir(da).entryInfoList(QDir::Files)) {
        if (f.fileName() == QLatin1String("korvel"))
            continue;
        if (!QFile::copy(f.filePath(), a + '/' + f.fileName()))
            return false;
    }
    return true;
}

struct Misura {
    double parete_ms = 0, cpu_ms = 0, rss_mb = 0;
    bool ok = false;
};

Misura esegui(const std::vector<std::string>& argomenti, const std::vector<std::string>& ambiente)
{
    std::vector<char*> argv, envp;
    for (const std::string& s : argomenti)
        argv.push_back(const_cast<char*>(s.c_str()));
    argv.push_back(nullptr);
    for (const std::string& s : ambiente)
        envp.push_back(const_cast<char*>(s.c_str()));
    envp.push_back(nullptr);

    Misura m;
    const auto inizio = std::chrono::steady_clock::now();
    pid_t pid = 0;
    if (posix_spawn(&pid, argv[0], nullptr, nullptr, argv.data(), envp.data()) != 0)
        return m;
    int stato = 0;
    rusage uso{};
    if (wait4(pid, &stato, 0, &uso) != pid)
        return m;
    const auto fine = std::chrono::steady_clock::now();
    m.parete_ms = std::chrono::duration<double, std::milli>(fine - inizio).count();
    auto ms = [](const timeval& t) { return t.tv_sec * 1e3 + t.tv_usec / 1e3; };
    m.cpu_ms = ms(uso.ru_utime) + ms(uso.ru_stime);
    m.rss_mb = uso.ru_maxrss / 1024.0; // kilobytes on Linux
    m.ok = WIFEXITED(stato) && WEXITSTATUS(stato) == 0;
    return m;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const int n = argc > 1 ? std::max(1, atoi(argv[1])) : 1000;
    const int corse = argc > 2 ? std::max(1, atoi(argv[2])) : 10;

    // The program takes its folder from where it lies, so it is copied into
    // a program folder of the bench's own.
    QTemporaryDir dir;
    const QString programma = dir.path() + QStringLiteral("/programma");
    const QString casa = dir.path() + QStringLiteral("/casa");
    QDir().mkpath(programma + QStringLiteral("/DatiValvole"));
    QDir().mkpath(casa);
    const QString file = programma + QStringLiteral("/DatiValvole/DBValvole.mdb");
    const QString eseguibile = programma + QStringLiteral("/korvel");
    if (!copia_file_programma(QStringLiteral(KORVEL_DIST_DIR), programma) ||
        !QFile::copy(QStringLiteral(KORVEL_AVVIO_PROGRAMMA), eseguibile) || !bench::riempi_valvole(file, n)) {
        std::fprintf(stderr, "cannot prepare the program folder\n");
        return 1;
    }

    // Both children see the same small environment: offscreen, a home of
    // their own, nothing else of the caller's.
    const std::vector<std::string> ambiente = {"QT_QPA_PLATFORM=offscreen", "HOME=" + casa.toStdString(),
                                               "XDG_RUNTIME_DIR=" + casa.toStdString(), "PATH=/usr/bin:/bin"};
    const std::vector<std::string> korvel = {eseguibile.toStdString()};
    const std::vector<std::string> nudo = {KORVEL_AVVIO_NUDO, file.toStdString()};

    std::vector<double> kp, kc, kr, np, nc, nr;
    for (int i = 0; i < corse; ++i) {
        const Misura a = esegui(korvel, ambiente);
        const Misura b = esegui(nudo, ambiente);
        if (!a.ok || !b.ok) {
            std::fprintf(stderr, "a run failed (program %d, bare %d)\n", a.ok, b.ok);
            return 1;
        }
        kp.push_back(a.parete_ms), kc.push_back(a.cpu_ms), kr.push_back(a.rss_mb);
        np.push_back(b.parete_ms), nc.push_back(b.cpu_ms), nr.push_back(b.rss_mb);
    }
    std::printf("tubes: %d, runs: %d each, in turns (medians)\n", n, corse);
    std::printf("                 program     bare Qt    ratio\n");
    std::printf("wall time ms   %9.1f   %9.1f   %6.2f\n", bench::mediana(kp), bench::mediana(np),
                bench::mediana(kp) / bench::mediana(np));
    std::printf("CPU time ms    %9.1f   %9.1f   %6.2f\n", bench::mediana(kc), bench::mediana(nc),
                bench::mediana(kc) / bench::mediana(nc));
    std::printf("peak RSS MB    %9.1f   %9.1f   %6.2f\n", bench::mediana(kr), bench::mediana(nr),
                bench::mediana(kr) / bench::mediana(nr));
    return 0;
}
