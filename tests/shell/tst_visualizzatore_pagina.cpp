// The document viewer on the staged manual: a reader who changes the zoom
// stays on the page being read.

#include "shell/kor_manuale.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QtTest>

#include <functional>

class TstVisualizzatorePagina : public QObject {
    Q_OBJECT

private slots:
    void lo_zoom_resta_sulla_pagina_data()
    {
        QTest::addColumn<int>("pagina");
        QTest::addColumn<QString>("comando");
        for (int pagina : {1, 8}) {
            for (const char* c : {"ingrandisci", "riduci", "pagina_intera", "larghezza_pagina"})
                QTest::addRow("page %d, %s", pagina + 1, c) << pagina << QString::fromLatin1(c);
        }
    }
    void lo_zoom_resta_sulla_pagina()
    {
        QFETCH(int, pagina);
        QFETCH(QString, comando);
        KOR_MANUALE v(QStringLiteral(KORVEL_DIST_DIR "/Manuale Programma KORVEL.pdf"), KOR_MANUALE::titolo_manuale());
        v.resize(800, 600);
        v.show();
        QVERIFY(QTest::qWaitForWindowExposed(&v));
        QVERIFY(v.pagine() > 9);
        // From a fixed zoom, so that fitting the width changes it too.
        v.imposta_zoom_fisso(0.9);
        v.vai_a_pagina(pagina);
        QTRY_COMPARE(v.pagina_corrente(), pagina);
        const double prima = v.zoom();

        auto* azione = v.findChild<QAction*>(comando);
        QVERIFY(azione);
        azione->trigger();
        azione->trigger(); // twice: the error grows with each step
        QApplication::processEvents();
        if (comando == QLatin1String("larghezza_pagina"))
            QVERIFY(v.adatta_larghezza());
        else if (comando != QLatin1String("pagina_intera"))
            QVERIFY(v.zoom() != prima);
        QCOMPARE(v.pagina_corrente(), pagina);
        QCOMPARE(v.indicatore_pagina->text(), QStringLiteral("Pagina %1 di %2").arg(pagina + 1).arg(v.pagine()));
    }
};

QTEST_MAIN(TstVisualizzatorePagina)
#include "tst_visualizzatore_pagina.moc"
