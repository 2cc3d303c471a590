#include "canvas/link.h"

#include "model/linkmodel.h"

Link::Link()
    : model(new LinkModel)
{}

Link::~Link()
{
    delete model;
}

QRectF Link::boundingRect() const
{
    return QRectF(qMin(masterPoint.x(), slavePoint.x()), qMin(masterPoint.y(), slavePoint.y()),
                  boundWidth, boundHeight);
}

void Link::paint(QPainter *, const QStyleOptionGraphicsItem *, QWidget *)
{}
