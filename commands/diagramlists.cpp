#include "commands/diagramlists.h"

#include "canvas/classitem.h"
#include "canvas/link.h"

#include <QGraphicsScene>

namespace {

template<class Item>
void insertItem(QList<Item *> &list, QGraphicsScene &scene, qsizetype index, Item *item)
{
    list.insert(qBound(qsizetype(0), index, list.size()), item);
    scene.addItem(item);
}

template<class Item>
qsizetype takeItem(QList<Item *> &list, QGraphicsScene &scene, Item *item)
{
    const qsizetype index = list.indexOf(item);
    list.removeAt(index);
    // Back on the canvas later, it must not come with a selection nobody made.
    item->setSelected(false);
    scene.removeItem(item);
    return index;
}

} // namespace

void DiagramLists::insert(qsizetype index, ClassItem *box)
{
    insertItem(classes, scene, index, box);
}

void DiagramLists::insert(qsizetype index, Link *link)
{
    insertItem(links, scene, index, link);
}

qsizetype DiagramLists::take(ClassItem *box)
{
    return takeItem(classes, scene, box);
}

qsizetype DiagramLists::take(Link *link)
{
    return takeItem(links, scene, link);
}
