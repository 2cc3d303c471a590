#include "mainwindow/startup.h"

#include "mainwindow/translations.h"
#include "persistence/cfg.h"

#include <QCoreApplication>

#include <csignal>

namespace Startup {

void ignoreFileSizeSignal()
{
#ifdef SIGXFSZ
    std::signal(SIGXFSZ, SIG_IGN);
#endif
}

void prepare()
{
    ignoreFileSizeSignal();
    QCoreApplication::setApplicationName(QStringLiteral("varnel"));
    QCoreApplication::setApplicationVersion(QStringLiteral(VARNEL_VERSION));
    QCoreApplication::setOrganizationName(QStringLiteral("Varnel"));
    QCoreApplication::setOrganizationDomain(QStringLiteral("varnel.example"));
    Translations::install(Cfg::readLanguage(Cfg::readPath()));
}

} // namespace Startup
