#include "persistence/sessionstate.h"

#include "persistence/cfg.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

namespace SessionState {

namespace {

const QString recentKey = QStringLiteral("recentFiles");

QString settingsPath()
{
    return QFileInfo(Cfg::writePath()).absoluteDir().filePath(QStringLiteral("session.ini"));
}

QStringList storedRecentFiles(const QSettings &settings)
{
    return settings.value(recentKey).toStringList();
}

QString folderKey(const QString &dialog)
{
    return QStringLiteral("dialogFolders/") + dialog;
}

} // namespace

QStringList recentFiles()
{
    const QSettings settings(settingsPath(), QSettings::IniFormat);
    return storedRecentFiles(settings).mid(0, maxRecentFiles);
}

void addRecentFile(const QString &path)
{
    QSettings settings(settingsPath(), QSettings::IniFormat);
    const QString absolute = QFileInfo(path).absoluteFilePath();
    QStringList files = storedRecentFiles(settings);
    files.removeAll(absolute);
    files.prepend(absolute);
    settings.setValue(recentKey, files.mid(0, maxRecentFiles));
}

void removeRecentFile(const QString &path)
{
    QSettings settings(settingsPath(), QSettings::IniFormat);
    QStringList files = storedRecentFiles(settings);
    files.removeAll(QFileInfo(path).absoluteFilePath());
    settings.setValue(recentKey, files);
}

void clearRecentFiles()
{
    QSettings settings(settingsPath(), QSettings::IniFormat);
    settings.remove(recentKey);
}

QString dialogFolder(const QString &dialog, const QString &diagramFile)
{
    if (!diagramFile.isEmpty()) {
        const QDir folder = QFileInfo(diagramFile).absoluteDir();
        if (folder.exists())
            return folder.absolutePath();
    }
    const QSettings settings(settingsPath(), QSettings::IniFormat);
    const QString last = settings.value(folderKey(dialog)).toString();
    if (!last.isEmpty() && QFileInfo(last).isDir())
        return last;
    return QDir::homePath();
}

void rememberDialogFolder(const QString &dialog, const QString &chosen, bool chosenIsFolder)
{
    if (chosen.isEmpty())
        return;
    const QFileInfo info(chosen);
    QSettings settings(settingsPath(), QSettings::IniFormat);
    settings.setValue(folderKey(dialog),
                      chosenIsFolder ? info.absoluteFilePath() : info.absolutePath());
}

} // namespace SessionState
