#ifndef DIAGRAMWRITER_H
#define DIAGRAMWRITER_H

#include <QByteArray>
#include <QList>
#include <QString>

class ClassItem;
class Link;

// Writes the class boxes and links of a diagram as a .vnls file.
class DiagramWriter
{
public:
    static QByteArray toBytes(const QList<ClassItem *> &classes, const QList<Link *> &links);
    // Atomic: on failure any previous file at the path is left as it was.
    static bool writeFile(const QString &path, const QList<ClassItem *> &classes,
                          const QList<Link *> &links);
};

#endif // DIAGRAMWRITER_H
