#ifndef DIAGRAMLISTS_H
#define DIAGRAMLISTS_H

#include <QList>

class ClassItem;
class Link;
class QGraphicsScene;

// The window's boxes and links and the scene that shows them: what the undo steps
// take away and put back. An item is either on both its list and the scene, or on
// neither (then a step holds it).
struct DiagramLists
{
    QList<ClassItem *> &classes;
    QList<Link *> &links;
    QGraphicsScene &scene;

    void insert(qsizetype index, ClassItem *box);
    void insert(qsizetype index, Link *link);
    // Take the item off its list and the scene; returns where it was on the list.
    qsizetype take(ClassItem *box);
    qsizetype take(Link *link);
};

#endif // DIAGRAMLISTS_H
