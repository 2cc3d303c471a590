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
    // Positions beyond this distance from the origin are brought back to it.
    static constexpr double maxCoordinate = 1.0e6;

    // The boxes are created with this font pointer (may be null where nothing is drawn).
    explicit DiagramReader(const QFont *font);

    DiagramReader(const DiagramReader &) = delete;
    DiagramReader &operator=(const DiagramReader &) = delete;

    // Each read replaces what an earlier read built and was not taken.
    Status readFile(const QString &path);
    Status readData(const QByteArray &data);

    // Links that were left out because an end names no class read before them, or
    // both ends name the same class.
    int droppedLinks() const { return m_droppedLinks; }

    // Hand the items over to the caller, who owns them from then on.
    QList<ClassItem *> takeClasses();
    QList<Link *> takeLinks();

private:
    void clear();

    const QFont *m_font;
    DiagramItems m_items;
    int m_droppedLinks = 0;
};

#endif // DIAGRAMREADER_H
