#ifndef TYPESCAN_H
#define TYPESCAN_H

#include <QString>
#include <QStringList>

// Turns the free text of a type into the class name that a header has to include.
namespace TypeScan {

// The built-in type names that never need an include, in their fixed order.
QStringList primitiveTypes();

// Strips blanks, "const", "volatile", "&", "*" and ">" from one piece of a type text.
// Returns an empty text when nothing includable is left: a fundamental type such as
// "unsigned int", or a qualified name such as "std::string".
QString includableName(const QString &piece, const QStringList &primitives);

} // namespace TypeScan

#endif // TYPESCAN_H
