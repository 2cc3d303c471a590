#ifndef DIAGRAMSCENE_H
#define DIAGRAMSCENE_H

#include "canvas/classitem.h"

#include <QGraphicsScene>
#include <QList>
#include <QPointF>

// The scene of the diagram: it tells the window when a drag has moved boxes, so that
// the whole drag becomes one undoable step.
class DiagramScene : public QGraphicsScene
{
    Q_OBJECT

public:
    using QGraphicsScene::QGraphicsScene;

    void reportMove(const QList<ClassItem *> &boxes, const QList<QPointF> &from)
    {
        emit boxesMoved(boxes, from);
    }

signals:
    // These boxes were let go elsewhere than these places, where they were picked up.
    void boxesMoved(const QList<ClassItem *> &boxes, const QList<QPointF> &from);
};

#endif // DIAGRAMSCENE_H
