#pragma once

// Runs another program for a test (unzip, python3, the loader...) and keeps
// its exit code and output.

#include <QProcess>
#include <QString>
#include <QStringList>

struct Esito {
    int codice = -1; // -1: did not start, crashed or timed out
    QString uscita;
    QString errori;
};

inline Esito esegui(const QString& programma, const QStringList& argomenti, const QString& cartella = {})
{
    QProcess p;
    if (!cartella.isEmpty())
        p.setWorkingDirectory(cartella);
    p.start(programma, argomenti);
    Esito e;
    if (!p.waitForFinished(60000))
        return e;
    e.codice = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    e.uscita = QString::fromUtf8(p.readAllStandardOutput());
    e.errori = QString::fromUtf8(p.readAllStandardError());
    return e;
}

// A Python script given as text, with its arguments.
inline Esito python(const QString& script, const QStringList& argomenti = {})
{
    return esegui(QStringLiteral("python3"), QStringList{QStringLiteral("-c"), script} + argomenti);
}
