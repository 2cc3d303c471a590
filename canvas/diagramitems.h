#ifndef DIAGRAMITEMS_H
#define DIAGRAMITEMS_H

#include "canvas/classitem.h"
#include "canvas/link.h"

#include <QList>

#include <utility>

// Boxes and links that no window owns, such as those a reader builds for a headless
// run. Deletes them. Boxes and links may go in either order: a box that goes makes
// its links forget it, and a link that goes takes itself off its boxes' lists.
struct DiagramItems
{
    DiagramItems() = default;
    ~DiagramItems() { clear(); }
    Q_DISABLE_COPY_MOVE(DiagramItems)

    void clear()
    {
        qDeleteAll(std::exchange(links, {}));
        qDeleteAll(std::exchange(classes, {}));
    }

    QList<ClassItem *> classes;
    QList<Link *> links;
};

#endif // DIAGRAMITEMS_H
