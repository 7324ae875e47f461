#include "common/lingua.h"
#include "platform/ui/piattaforma_qt.h"
#include "velmora.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    // The same language as the program's own start.
    installa_traduzioni(lingua_di_avvio(), QCoreApplication::applicationDirPath());
    PiattaformaQt piattaforma;
    velmora(piattaforma, QCoreApplication::applicationDirPath());
    return 0;
}
