#ifndef DIAGRAMWRITER_H
#define DIAGRAMWRITER_H

#include <QByteArray>
#include <QList>
#include <QString>

class ClassItem;
class Link;

// Writes the class boxes and links of a diagram as a .vnls file: ISO-8859-1 with
// character references, one blank of indentation a level, attributes in a fixed
// order, so that the same diagram always gives the same bytes.
class DiagramWriter
{
public:
    // Links that miss an end are left out: a reader could not place them.
    static QByteArray toBytes(const QList<ClassItem *> &classes, const QList<Link *> &links);
    // Atomic: on failure any previous file at the path is left as it was.
    static bool writeFile(const QString &path, const QList<ClassItem *> &classes,
                          const QList<Link *> &links);
    // A coordinate as the file writes it: shortest form, up to 16 significant digits.
    static QString number(double value);
};

#endif // DIAGRAMWRITER_H
