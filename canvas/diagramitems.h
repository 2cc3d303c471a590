#ifndef DIAGRAMITEMS_H
#define DIAGRAMITEMS_H

#include "canvas/classitem.h"
#include "canvas/link.h"

#include <QList>

#include <utility>

// Boxes and links that no window owns, such as those a reader builds for a headless
// run. Deletes them, links first, as the links point at the boxes.
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
