#include "common/lingua.h"
#include "messaggi_velmora.h"
#include "velmora.h"

#include <QGuiApplication>

int main(int argc, char* argv[])
{
    QGuiApplication app(argc, argv);
    // The same language as the program's own start.
    installa_traduzioni(lingua_di_avvio(), QCoreApplication::applicationDirPath());
    PiattaformaVelmora piattaforma;
    velmora(piattaforma, QCoreApplication::applicationDirPath());
    return 0;
}
