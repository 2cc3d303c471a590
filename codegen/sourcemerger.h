#ifndef SOURCEMERGER_H
#define SOURCEMERGER_H

#include <QString>

// Regeneration of a source file that already exists: the fresh skeleton, with the
// bodies and the other code the user wrote in the old file carried over.
namespace SourceMerger {

// False, and *merged untouched, when the old file cannot be split with confidence.
bool merge(const QString &oldText, const QString &freshText, const QString &className,
           QString *merged);

} // namespace SourceMerger

#endif // SOURCEMERGER_H
