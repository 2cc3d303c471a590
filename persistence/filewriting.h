#ifndef FILEWRITING_H
#define FILEWRITING_H

#include <QByteArray>
#include <QList>
#include <QString>

// Every file the program writes goes through here, whole or not at all.
namespace FileWriting {

// Diagrams and settings: written aside and renamed by QSaveFile. Unbuffered, so that a
// write cut short (disk full) is seen before commit() would put a truncated file in
// place of the previous one.
bool save(const QString &path, const QByteArray &bytes);

// What a target holds now. A symbolic link is never followed: it counts as absent and
// is replaced by a regular file, so that nothing outside the folder is written. A target
// that reads back as the expected bytes counts as a regular file holding them, and is
// not looked at further.
struct Existing
{
    bool regular = false;
    // Absent before, and made in place holding the new bytes by readOrCreate().
    bool created = false;
    QByteArray bytes;
    unsigned permissions = 0; // kept by the file that replaces it
};
Existing read(const QString &path, const QByteArray &expected = QByteArray());

// A target that does not exist yet is made in place holding the bytes: with nothing to
// replace, a temporary file and a rename would double the cost of a first generation. A
// write cut short removes what it made. Any other target is read as read() does. The
// guess says which to try first (a regeneration finds its files, a first generation
// none); a wrong guess costs one more call to the system.
Existing readOrCreate(const QString &path, const QByteArray &bytes, bool probablyThere);

struct Replacement
{
    QString path;
    QByteArray bytes;
    Existing existing;
    bool changed() const { return !existing.regular || existing.bytes != bytes; }
    // Changed, and not made in place already: written aside and renamed over the target.
    bool toReplace() const { return changed() && !existing.created; }
};

// Generated files: the ones that differ from what is on disk are written to temporary
// files in their folder and renamed over the old ones, all of them or none (a failed
// rename puts back what the earlier ones replaced, and removes those that readOrCreate()
// made).
// No sync per file: a crash may lose the new text, never leave half of a file it replaced.
// Returns the index of the file that failed, or -1.
int replaceTogether(const QList<Replacement> &files);

} // namespace FileWriting

#endif // FILEWRITING_H
