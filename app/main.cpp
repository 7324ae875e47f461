#include <QApplication>

#include "shell/korvel.h"

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    KORVEL window;
    window.KORVEL_Form_Load();
    return app.exec();
}
