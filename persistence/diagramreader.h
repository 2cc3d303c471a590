#ifndef DIAGRAMREADER_H
#define DIAGRAMREADER_H

#include <QByteArray>
#include <QList>
#include <QString>

class ClassItem;
class Link;
class QFont;

// Builds the class boxes and links of a .vnls file. The whole file is read and parsed
// before anything is built, so a caller's open diagram is only replaced on success.
class DiagramReader
{
public:
    enum Status { ReadOk, CannotOpen, CannotParse };

    // The boxes are created with this font pointer (may be null where nothing is drawn).
    explicit DiagramReader(const QFont *font);
    ~DiagramReader();

    DiagramReader(const DiagramReader &) = delete;
    DiagramReader &operator=(const DiagramReader &) = delete;

    Status readFile(const QString &path);
    Status readData(const QByteArray &data);

    // Hand the items over to the caller, who owns them from then on.
    QList<ClassItem *> takeClasses();
    QList<Link *> takeLinks();

private:
    const QFont *m_font;
    QList<ClassItem *> m_classes;
    QList<Link *> m_links;
};

#endif // DIAGRAMREADER_H
