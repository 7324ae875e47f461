#include "messaggi_velmora.h"
#include "velmora.h"

#include <QGuiApplication>

int main(int argc, char* argv[])
{
    QGuiApplication app(argc, argv);
    PiattaformaVelmora piattaforma;
    velmora(piattaforma, QCoreApplication::applicationDirPath());
    return 0;
}
