#ifndef TRANSLATIONS_H
#define TRANSLATIONS_H

#include <QList>
#include <QString>
#include <QStringList>

class QTranslator;

// Finding and installing the interface translations chosen in the preferences.
namespace Translations {

// Varnel's own files: beside the executable (a build tree or an unpacked copy) first,
// then the data folder of an installed copy.
QStringList appFolders(const QString &appDir);

// Qt's own texts (standard buttons, dialogs): a copy beside the executable wins over
// the one Qt ships.
QStringList qtFolders(const QString &appDir);

// A language is a code such as "en" or "fr_CA"; anything else (a path, an empty
// string) names no file.
bool isLanguageName(const QString &language);

// Loads baseName + ".qm" from the first folder that holds a readable copy. Returns the
// file loaded, or an empty string when there is none.
QString loadFirst(QTranslator *translator, const QString &baseName, const QStringList &folders);

// Installs "qt_" + language and "Varnel_" + language on the running application, which
// owns the translators; no language is French. Returns those that were found, in the
// order installed.
QList<QTranslator *> install(const QString &language);

} // namespace Translations

#endif // TRANSLATIONS_H
