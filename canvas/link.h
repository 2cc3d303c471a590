#ifndef LINK_H
#define LINK_H

#include "canvas/linkgeometry.h"

#include <QGraphicsItem>

class ClassItem;
class LinkModel;

// The drawn relation between two class boxes. It owns its model.
class Link : public QGraphicsItem
{
public:
    enum { Type = UserType + 2 };

    Link();
    ~Link() override;

    Link(const Link &) = delete;
    Link &operator=(const Link &) = delete;

    int type() const override { return Type; }
    LinkModel *getModel() const { return model; }
    QPointF getMasterPoint() const { return masterPoint; }
    QPointF getSlavePoint() const { return slavePoint; }

    QRectF boundingRect() const override;
    // The line and the end mark, widened by a few pixels for the mouse.
    QPainterPath shape() const override;
    void paint(QPainter *painter, const QStyleOptionGraphicsItem *option, QWidget *widget) override;

    // The end mark of this link's kind, tip at p, extending towards side (0 down,
    // 1 up, 2 left, 3 right).
    QPolygonF endMark(QPointF p, int side) const;

    // Recomputes the end points from the two boxes, announcing a new extent to the
    // scene first. Does nothing while the link lacks an end.
    void adjust();

protected:
    void mousePressEvent(QGraphicsSceneMouseEvent *event) override;
    void mouseReleaseEvent(QGraphicsSceneMouseEvent *event) override;
    QVariant itemChange(GraphicsItemChange change, const QVariant &value) override;

private:
    friend class ClassItem;
    // Registers with the model's current ends, leaving the previous ones.
    void followEnds();
    // Called by a box that is being deleted while this link still points at it.
    void forgetBox(ClassItem *box);
    bool hasEnds() const;
    // The drawn line, from the far end of the mark to the slave.
    QPolygonF line() const;

    int boundWidth = 0;
    int boundHeight = 0;
    LinkModel *model;
    QPointF masterPoint{LinkGeometry::StartPoint, LinkGeometry::StartPoint};
    QPointF slavePoint{LinkGeometry::StartPoint, LinkGeometry::StartPoint};
    // The rest of the last placement: mark side, elbow and its corner.
    LinkGeometry geometry;
    // The boxes this link is registered with; null once a box is gone.
    ClassItem *attachedMaster = nullptr;
    ClassItem *attachedSlave = nullptr;
};

#endif // LINK_H
