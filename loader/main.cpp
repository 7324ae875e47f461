#include "platform/ui/piattaforma_qt.h"
#include "velmora.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    PiattaformaQt piattaforma;
    velmora(piattaforma, QCoreApplication::applicationDirPath());
    return 0;
}
