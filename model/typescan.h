#ifndef TYPESCAN_H
#define TYPESCAN_H

#include <QString>
#include <QStringList>
#include <QVarLengthArray>

// Turns the free text of a type into the class name that a header has to include.
namespace TypeScan {

// The built-in type names that never need an include, in their fixed order.
QStringList primitiveTypes();

// Strips blanks, "const", "volatile", "struct", "class", "&", "*", ">" and array bounds from
// one piece of a type text. Returns an empty text when nothing includable is left: a
// fundamental or primitive type such as "unsigned int", a qualified name outside the
// standard library's known headers, or anything that is not a plain name ("void(*)(int)").
QString includableName(QStringView piece);
// The same, giving back the piece itself rather than a copy when it is all the name.
QString includableName(const QString &piece);

// One of primitiveTypes().
bool isPrimitive(QStringView name);

// What goes between the angle brackets of the include of a name that includableName()
// gave: the standard header of a standard name ("std::vector" gives "vector"), a toolkit
// class as it is named, anything else as its lower-case header ("Book" gives "book.h").
QString headerName(const QString &name);

// The name in lower case, as QString::toLower() gives it.
QString lowerName(const QString &name);
// The same in a buffer of the caller's, for a lookup that should not allocate: the view is
// on the buffer, which holds a short ASCII name without taking memory from the heap.
using NameBuffer = QVarLengthArray<QChar, 64>;
QStringView lowerName(QStringView name, NameBuffer &buffer);

// Letters, digits and "_", not starting with a digit, and not a keyword.
bool isIdentifier(QStringView text);

} // namespace TypeScan

#endif // TYPESCAN_H
