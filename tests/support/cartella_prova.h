#pragma once

// A program folder of its own for a test: a temporary directory with the
// data folder layout, a real SQLite tube table filled with the rows a test
// asks for, and pictures written where the tube rows name them.

#include "tubes/schema_valvole.h"

#include <QDir>
#include <QImage>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QVariant>
#include <QVariantList>

#include <atomic>

struct CartellaProva {
    QTemporaryDir dir;

    CartellaProva()
    {
        QDir(dir.path()).mkpath(QStringLiteral("DatiValvole/Curve"));
        QDir(dir.path()).mkpath(QStringLiteral("DatiValvole/Immagini"));
        QDir(dir.path()).mkpath(QStringLiteral("DatiValvole/Piedinature"));
    }

    QString programma() const { return dir.path(); }
    QString dati() const { return dir.path() + QStringLiteral("/DatiValvole/"); }
    QString basedati() const { return dati() + QStringLiteral("DBValvole.mdb"); }

    // Runs `azione` on a connection to the tube database, creating the file
    // on first use; the connection is gone again when it returns.
    template <typename Azione> bool con_basedati(Azione azione) const
    {
        static std::atomic<int> n{0};
        const QString nome = QStringLiteral("prova_%1").arg(n++);
        bool ok = false;
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), nome);
            db.setDatabaseName(basedati());
            ok = db.open() && azione(db);
            db.close();
        }
        QSqlDatabase::removeDatabase(nome);
        return ok;
    }

    // One statement with its values bound.
    bool esegui(const QString& sql, const QVariantList& valori = {}) const
    {
        return con_basedati([&](QSqlDatabase& db) {
            QSqlQuery q(db);
            bool ok = q.prepare(sql);
            for (const QVariant& v : valori)
                q.addBindValue(v);
            return ok && q.exec();
        });
    }

    bool crea_tabella() const
    {
        return con_basedati([](QSqlDatabase& db) { return schema_valvole::crea_tabella_valvole(db); });
    }

    // The tube table as files from before the exact calibration values
    // hold it: the 26 listed columns only.
    bool crea_tabella_storica() const
    {
        return esegui(QStringLiteral(
            "CREATE TABLE TabellaValvole (ID INTEGER PRIMARY KEY AUTOINCREMENT,"
            " SiglaEURO TEXT, SiglaUSA TEXT, CURVA TEXT, MODO TEXT, PIEDINATURA TEXT, FOTO TEXT,"
            " IMAX_X SMALLINT, IMAX_Y SMALLINT, IMAX_I SMALLINT, VMAX_X SMALLINT, VMAX_Y SMALLINT, VMAX_V SMALLINT,"
            " ORG_X SMALLINT, ORG_Y SMALLINT, PMAX INTEGER, FIL1_V TEXT, FIL1_I TEXT, FIL2_V TEXT, FIL2_I TEXT,"
            " PLA_V TEXT, PLA_I TEXT, PLA_W TEXT, SCRE_V TEXT, SCRE_I TEXT, SCRE_W TEXT)"));
    }

    // Inserts a tube: 25 values in table order after ID.
    bool inserisci(const QVariantList& valori) const
    {
        QStringList colonne = schema_valvole::colonne().mid(1);
        QStringList segnaposti;
        for (int i = 0; i < colonne.size(); ++i)
            segnaposti << QStringLiteral("?");
        return esegui(
            QStringLiteral("insert into TabellaValvole (%1) values (%2)").arg(colonne.join(','), segnaposti.join(',')),
            valori);
    }

    // The 25 values of a typical triode: names, files, calibration (origin
    // (40, 400), voltage point (480, 400) at 500 V, current point (40, 20)
    // at 100 mA), 40000 mW and ratings.
    static QVariantList valvola(const QString& usa, const QString& euro,
                                const QString& curva = QStringLiteral("prova.gif"))
    {
        return {euro.isNull() ? QVariant() : QVariant(euro),
                usa.isNull() ? QVariant() : QVariant(usa),
                curva.isNull() ? QVariant() : QVariant(curva),
                QStringLiteral("TRIODO"),
                QStringLiteral("provapin.gif"),
                QStringLiteral("prova.jpg"),
                40,
                20,
                100,
                480,
                400,
                500,
                40,
                400,
                40000,
                QStringLiteral("6.3"),
                QStringLiteral("300"),
                QStringLiteral("0"),
                QStringLiteral("0"),
                QStringLiteral("450"),
                QStringLiteral("90"),
                QStringLiteral("40"),
                QStringLiteral("0"),
                QStringLiteral("0"),
                QStringLiteral("0")};
    }

    void scrivi_immagine(const QString& relativo, int w, int h, QColor colore, const char* formato) const
    {
        QImage img(w, h, QImage::Format_RGB32);
        img.fill(colore);
        img.save(dir.path() + '/' + relativo, formato);
    }
};
