#include <QApplication>

#include "platform/ui/piattaforma_qt.h"
#include "shell/korvel.h"

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("KOR_VEL"));
    PiattaformaQt piattaforma;
    KORVEL window(piattaforma);
    window.KORVEL_Form_Load();
    return app.exec();
}
