#ifndef DIAGRAMREADER_H
#define DIAGRAMREADER_H

#include "canvas/diagramitems.h"

#include <QByteArray>
#include <QList>
#include <QString>

class QFont;

// Builds the class boxes and links of a .vnls file. The whole file is read and parsed
// before anything is built, so a caller's open diagram is only replaced on success.
class DiagramReader
{
public:
    enum Status { ReadOk, CannotOpen, CannotParse };

    // Larger files are refused unread: a diagram of thousands of classes takes a few
    // megabytes.
    static constexpr qint64 maxFileSize = qint64(256) * 1024 * 1024;
    // A link left out while reading: an end names no class read before it ("missing",
    // the master's name if both do), or both ends name the same class.
    struct DroppedLink
    {
        QString master;
        QString slave;
        QString missing;
        bool sameClass = false;
    };

    // The boxes are created with this font pointer (may be null where nothing is drawn).
    explicit DiagramReader(const QFont *font);

    DiagramReader(const DiagramReader &) = delete;
    DiagramReader &operator=(const DiagramReader &) = delete;

    // Each read replaces what an earlier read built and was not taken.
    Status readFile(const QString &path);
    Status readData(const QByteArray &data);

    // Links that were left out because an end names no class read before them, or
    // both ends name the same class.
    int droppedLinks() const { return int(m_droppedLinks.size()); }
    const QList<DroppedLink> &droppedLinkList() const { return m_droppedLinks; }
    // Those of them whose end names no class.
    int linksToMissingClasses() const;

    // Hand the items over to the caller, who owns them from then on.
    QList<ClassItem *> takeClasses();
    QList<Link *> takeLinks();

private:
    void clear();

    const QFont *m_font;
    DiagramItems m_items;
    QList<DroppedLink> m_droppedLinks;
};

#endif // DIAGRAMREADER_H
