// Writes the program's emblem as the PNG icons of the desktop entry, one per
// size, at build time.
//
// usage: korvel_icona <side> <file.png> [<side> <file.png> ...]

#include "common/emblema.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QString>

#include <cstdio>

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    if (argc < 3 || (argc - 1) % 2 != 0) {
        std::fprintf(stderr, "usage: korvel_icona <side> <file.png> ...\n");
        return 2;
    }
    for (int i = 1; i + 1 < argc; i += 2) {
        bool ok = false;
        const int lato = QString::fromLocal8Bit(argv[i]).toInt(&ok);
        const QString file = QString::fromLocal8Bit(argv[i + 1]);
        if (!ok || lato < 16 || lato > 1024) {
            std::fprintf(stderr, "korvel_icona: side %s out of range\n", argv[i]);
            return 2;
        }
        if (!QDir().mkpath(QFileInfo(file).path()) || !emblema(lato).save(file, "PNG")) {
            std::fprintf(stderr, "korvel_icona: cannot write %s\n", argv[i + 1]);
            return 1;
        }
    }
    return 0;
}
