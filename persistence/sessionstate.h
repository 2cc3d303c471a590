#ifndef SESSIONSTATE_H
#define SESSIONSTATE_H

#include <QString>
#include <QStringList>

// What the windows remember from one run to the next besides the preferences: the
// recent diagrams and the folder each file dialog last showed. Kept with QSettings in
// a file of its own beside cfgs.xml (whose format is fixed), so that it follows the
// settings wherever they are kept.
namespace SessionState {

constexpr int maxRecentFiles = 8;

// Most recent first, as absolute paths.
QStringList recentFiles();
// Puts the diagram first, once, keeping at most maxRecentFiles.
void addRecentFile(const QString &path);
void removeRecentFile(const QString &path);
void clearRecentFiles();

// Where a file dialog starts: the folder of the open diagram's file when there is one,
// else the folder this dialog last used, else the home folder.
QString dialogFolder(const QString &dialog, const QString &diagramFile);
// Remembers the folder of what was chosen in the dialog (a file, or a folder itself).
void rememberDialogFolder(const QString &dialog, const QString &chosen, bool chosenIsFolder);

} // namespace SessionState

#endif // SESSIONSTATE_H
