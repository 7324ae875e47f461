#pragma once

// Small helpers shared by the tests of the archive commands and of the loader:
// the zip library placed in a test's program folder, and Python's zipfile to
// make and read archives independently of our own library.

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QString>
#include <QStringList>

#include "support/processo.h"

namespace strumenti_zip {

// Puts the built libpakova.so into a program folder, as the build stages it
// beside the programs.
inline bool installa_libreria(const QString& programma)
{
    const QString destinazione = programma + QStringLiteral("/libpakova.so");
    QFile::remove(destinazione);
    return QFile::copy(QStringLiteral(KORVEL_DIST_DIR "/libpakova.so"), destinazione);
}

// The entry names of an archive, read by zipfile.
inline QStringList voci(const QString& archivio)
{
    const Esito e = python(QStringLiteral("import sys, zipfile\n"
                                          "for n in zipfile.ZipFile(sys.argv[1]).namelist(): print(n)\n"),
                           {archivio});
    if (e.codice != 0)
        return {QStringLiteral("<illeggibile>")};
    return e.uscita.split('\n', Qt::SkipEmptyParts);
}

// An archive written by zipfile: pairs of entry name and content.
inline bool crea_con_python(const QString& archivio, const QList<QPair<QString, QByteArray>>& voci)
{
    QStringList argomenti{archivio};
    for (const auto& v : voci)
        argomenti << v.first << QString::fromLatin1(v.second.toHex());
    return python(QStringLiteral("import sys, zipfile\n"
                                 "z = zipfile.ZipFile(sys.argv[1], 'w', zipfile.ZIP_DEFLATED)\n"
                                 "a = sys.argv[2:]\n"
                                 "for i in range(0, len(a), 2): z.writestr(a[i], bytes.fromhex(a[i + 1]))\n"
                                 "z.close()\n"),
                  argomenti)
               .codice == 0;
}

// Every path below a folder with its size and last-write time, sorted, so two
// folders compare in one line.
inline QStringList impronta(const QString& cartella)
{
    QStringList tutti;
    QDirIterator it(cartella, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        const QFileInfo& fi = it.fileInfo();
        QString riga = QDir(cartella).relativeFilePath(it.filePath());
        if (fi.isDir()) {
            riga += '/';
        } else {
            // Zip times keep even seconds only.
            const qint64 t = fi.lastModified().toSecsSinceEpoch();
            riga += QStringLiteral(" %1 %2").arg(fi.size()).arg(t - t % 2);
        }
        tutti << riga;
    }
    tutti.sort();
    return tutti;
}

} // namespace strumenti_zip
