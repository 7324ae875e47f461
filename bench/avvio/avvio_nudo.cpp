// The bare peer of the start-up bench: a Qt 6 main window holding a table
// widget with every row of the tube table, read through Qt SQL, shown, then
// the program ends. Run: avvio_nudo <database file>
#include <QApplication>
#include <QMainWindow>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTableWidget>
#include <QTimer>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    if (argc < 2)
        return 2;
    QMainWindow finestra;
    auto* tabella = new QTableWidget(&finestra);
    finestra.setCentralWidget(tabella);
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"));
        db.setDatabaseName(QString::fromLocal8Bit(argv[1]));
        if (!db.open())
            return 1;
        QSqlQuery q(db);
        q.setForwardOnly(true);
        if (!q.exec(QStringLiteral("select * from TabellaValvole order by ID")))
            return 1;
        const QSqlRecord r = q.record();
        tabella->setColumnCount(r.count());
        QStringList intestazione;
        for (int c = 0; c < r.count(); ++c)
            intestazione << r.fieldName(c);
        tabella->setHorizontalHeaderLabels(intestazione);
        int riga = 0;
        while (q.next()) {
            tabella->insertRow(riga);
            for (int c = 0; c < r.count(); ++c)
                tabella->setItem(riga, c, new QTableWidgetItem(q.value(c).toString()));
            ++riga;
        }
    }
    finestra.resize(1120, 760);
    finestra.show();
    QTimer::singleShot(0, &app, &QCoreApplication::quit);
    return app.exec();
}
