#include "codegen/commandline.h"
#include "mainwindow/mainwindow.h"
#include "persistence/cfg.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

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

    const QString language = Cfg::readLanguage(Cfg::readPath());
    const QString appDir = QCoreApplication::applicationDirPath();

    // Qt's own texts (standard buttons, dialogs): a copy shipped beside the program
    // wins over the system's.
    QTranslator qtTranslator;
    const QString qtFile = QStringLiteral("qt_") + language;
    if (qtTranslator.load(qtFile, appDir)
        || qtTranslator.load(qtFile, QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTranslator);

    QTranslator appTranslator;
    if (appTranslator.load(QStringLiteral("Varnel_") + language, appDir))
        QApplication::installTranslator(&appTranslator);

    MainWindow window;
    window.show();
    return app.exec();
}
