#include "persistence/diagramreader.h"

#include "canvas/classitem.h"
#include "canvas/link.h"

DiagramReader::DiagramReader(const QFont *font)
    : m_font(font)
{}

DiagramReader::~DiagramReader()
{
    qDeleteAll(m_links);
    qDeleteAll(m_classes);
}

DiagramReader::Status DiagramReader::readFile(const QString &)
{
    return CannotOpen;
}

DiagramReader::Status DiagramReader::readData(const QByteArray &)
{
    return CannotParse;
}

QList<ClassItem *> DiagramReader::takeClasses()
{
    return std::exchange(m_classes, {});
}

QList<Link *> DiagramReader::takeLinks()
{
    return std::exchange(m_links, {});
}
