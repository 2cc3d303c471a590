#include "codegen/commandline.h"
#include "mainwindow/mainwindow.h"
#include "mainwindow/translations.h"
#include "persistence/cfg.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    // Build scripts generate code without a display.
    if (CommandLine::isHeadless(argc, argv))
        return CommandLine::run(argc, argv);

    QApplication app(argc, argv);
    // Named before anything reads the settings: the user's configuration folder,
    // where an installed copy keeps cfgs.xml, is derived from these.
    QApplication::setApplicationName(QStringLiteral("varnel"));
    QApplication::setApplicationVersion(QStringLiteral(VARNEL_VERSION));
    QApplication::setOrganizationName(QStringLiteral("Varnel"));
    QApplication::setOrganizationDomain(QStringLiteral("varnel.example"));

    Translations::install(Cfg::readLanguage(Cfg::readPath()));

    MainWindow window;
    window.show();
    return app.exec();
}
