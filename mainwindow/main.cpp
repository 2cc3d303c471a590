#include "codegen/commandline.h"
#include "mainwindow/mainwindow.h"
#include "mainwindow/startup.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    // Build scripts generate code without a display.
    if (CommandLine::isHeadless(argc, argv))
        return CommandLine::run(argc, argv);

    QApplication app(argc, argv);
    Startup::prepare();

    MainWindow window;
    window.show();
    return app.exec();
}
