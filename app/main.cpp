#include <QApplication>

#include "common/lingua.h"
#include "platform/ui/piattaforma_qt.h"
#include "shell/korvel.h"

#ifdef KORVEL_BENCH_HOOKS
#include <QTimer>
#endif

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("KOR_VEL"));
    // Before the first window: every text is read in the language of this
    // start.
    installa_traduzioni(lingua_di_avvio(), QCoreApplication::applicationDirPath());
    PiattaformaQt piattaforma;
    KORVEL window(piattaforma);
    window.KORVEL_Form_Load();
#ifdef KORVEL_BENCH_HOOKS
    // Only the start-up bench's own build of the program (bench/avvio): the
    // window is shown and the tube list filled by now, so the program ends
    // after one turn of the event loop, which paints the window.
    QTimer::singleShot(0, &app, &QCoreApplication::quit);
#endif
    return app.exec();
}
