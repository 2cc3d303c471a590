#include "persistence/diagramwriter.h"

QByteArray DiagramWriter::toBytes(const QList<ClassItem *> &, const QList<Link *> &)
{
    return QByteArray();
}

bool DiagramWriter::writeFile(const QString &, const QList<ClassItem *> &, const QList<Link *> &)
{
    return false;
}
