#pragma once

// The staged demo data folder, copied into a program folder of a test's own
// so that nothing a test does reaches the build's program folder, and the
// list row of a demo tube by its American designation.

#include "tubes/lista_valvole.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>

inline bool copia_cartella(const QString& da, const QString& a)
{
    QDir sorgente(da);
    if (!sorgente.exists() || !QDir().mkpath(a))
        return false;
    for (const QFileInfo& f : sorgente.entryInfoList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot)) {
        const QString destinazione = a + '/' + f.fileName();
        if (f.isDir() ? !copia_cartella(f.filePath(), destinazione) : !QFile::copy(f.filePath(), destinazione))
            return false;
    }
    return true;
}

// KORVEL_DIST_DIR is the build's program folder, defined for every test.
inline bool copia_dati_demo(const QString& programma)
{
    return copia_cartella(QStringLiteral(KORVEL_DIST_DIR "/DatiValvole"), programma + QStringLiteral("/DatiValvole"));
}

// 0 when no row holds that designation.
inline int riga_valvola(const ListaValvole& lista, const QString& sigla_usa)
{
    for (int r = 1; r <= lista.righe_valvole(); ++r)
        if (lista.cella_lista(r, 2) == sigla_usa)
            return r;
    return 0;
}
