#include "mainwindow/translations.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QRegularExpression>
#include <QTranslator>

#include <memory>

namespace Translations {

QStringList appFolders(const QString &appDir)
{
    // Relative to the executable, so that a package installed under any prefix finds them.
    return {QDir::cleanPath(appDir),
            QDir::cleanPath(appDir + QLatin1Char('/')
                            + QLatin1String(VARNEL_TRANSLATIONS_FROM_BINDIR))};
}

QStringList qtFolders(const QString &appDir)
{
    return {QDir::cleanPath(appDir), QLibraryInfo::path(QLibraryInfo::TranslationsPath)};
}

bool isLanguageName(const QString &language)
{
    static const QRegularExpression pattern(QStringLiteral("^[A-Za-z]{2,3}(_[A-Za-z]{2})?$"));
    return pattern.match(language).hasMatch();
}

QString loadFirst(QTranslator *translator, const QString &baseName, const QStringList &folders)
{
    // Exact names only: QTranslator's own search would fall back to shorter names
    // ("Varnel_en" to "Varnel") in the first folder before trying the next one. A
    // damaged copy does not hide a good one further on.
    const QString fileName = baseName + QStringLiteral(".qm");
    for (const QString &folder : folders) {
        const QString path = QDir(folder).filePath(fileName);
        if (QFileInfo(path).isFile() && translator->load(path))
            return path;
    }
    return QString();
}

QList<QTranslator *> install(const QString &language)
{
    QList<QTranslator *> installed;
    // The interface's own texts are French: Qt's buttons and dialogs must be too.
    const QString effective = language.isEmpty() ? QStringLiteral("fr") : language;
    if (!isLanguageName(effective))
        return installed;

    const QString appDir = QCoreApplication::applicationDirPath();
    const QList<QPair<QString, QStringList>> wanted = {
        {QStringLiteral("qt_") + effective, qtFolders(appDir)},
        {QStringLiteral("Varnel_") + effective, appFolders(appDir)}};
    for (const auto &file : wanted) {
        auto translator = std::make_unique<QTranslator>();
        if (loadFirst(translator.get(), file.first, file.second).isEmpty())
            continue;
        // The application owns the translators it uses for the rest of the run.
        translator->setParent(QCoreApplication::instance());
        QCoreApplication::installTranslator(translator.get());
        installed.append(translator.release());
    }
    return installed;
}

} // namespace Translations
