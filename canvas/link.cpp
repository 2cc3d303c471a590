#include "canvas/link.h"

#include "canvas/classitem.h"
#include "model/linkmodel.h"

#include <QGraphicsScene>
#include <QGraphicsSceneMouseEvent>
#include <QPainter>
#include <QStyleOptionGraphicsItem>

Link::Link()
    : model(new LinkModel)
{
    setFlag(ItemIsSelectable);
    QObject::connect(model, &LinkModel::endsChanged, model, [this] {
        followEnds();
        adjust();
        // A link that lost an end keeps its place but must vanish from the screen.
        update();
    });
}

Link::~Link()
{
    if (attachedMaster)
        attachedMaster->links.removeOne(this);
    if (attachedSlave)
        attachedSlave->links.removeOne(this);
    delete model;
}

QRectF Link::boundingRect() const
{
    return QRectF(qMin(masterPoint.x(), slavePoint.x()), qMin(masterPoint.y(), slavePoint.y()),
                  boundWidth, boundHeight);
}

void Link::paint(QPainter *painter, const QStyleOptionGraphicsItem *option, QWidget *)
{
    // The end points are kept current by adjust(); painting only draws them. Neither
    // pen nor brush is set: the link draws with what the painter carries, recoloured
    // when selected.
    if (!hasEnds())
        return;
    if (isSelected()) {
        QPen pen = painter->pen();
        pen.setColor(option->palette.color(QPalette::Highlight));
        painter->setPen(pen);
    }
    painter->drawPolygon(endMark(masterPoint, geometry.side), Qt::OddEvenFill);
    const QPointF start = geometry.pathStart();
    if (geometry.elbow) {
        painter->drawLine(start, geometry.corner);
        painter->drawLine(geometry.corner, slavePoint);
    } else {
        painter->drawLine(start, slavePoint);
    }
}

QPolygonF Link::endMark(QPointF p, int side) const
{
    return LinkGeometry::endMark(model->type(), p, side);
}

void Link::adjust()
{
    if (!hasEnds())
        return;
    const ClassItem *master = model->master();
    const ClassItem *slave = model->slave();
    const LinkGeometry placed =
        LinkGeometry::between(master->pos(), master->getWidth(), master->getHeight(), slave->pos(),
                              slave->getWidth(), slave->getHeight());
    if (placed == geometry)
        return;
    if (placed.bounds() != boundingRect())
        prepareGeometryChange();
    geometry = placed;
    masterPoint = placed.masterPoint;
    slavePoint = placed.slavePoint;
    boundWidth = placed.boundWidth();
    boundHeight = placed.boundHeight();
    update();
}

void Link::mousePressEvent(QGraphicsSceneMouseEvent *event)
{
    // Accepted whatever the button; a link cannot be dragged, so a left press selects it
    // at once: alone, or added to or taken from the selection with Ctrl.
    if (event->button() == Qt::LeftButton) {
        if (event->modifiers() & Qt::ControlModifier) {
            setSelected(!isSelected());
        } else {
            scene()->clearSelection();
            setSelected(true);
        }
    } else if (event->button() == Qt::RightButton) {
        model->requestEdit();
    }
}

void Link::mouseReleaseEvent(QGraphicsSceneMouseEvent *)
{
    // The press did the selecting; the base class would toggle a Ctrl+click back.
}

QVariant Link::itemChange(GraphicsItemChange change, const QVariant &value)
{
    if (change == ItemSceneHasChanged && value.value<QGraphicsScene *>())
        adjust();
    return QGraphicsItem::itemChange(change, value);
}

void Link::followEnds()
{
    if (attachedMaster)
        attachedMaster->links.removeOne(this);
    if (attachedSlave)
        attachedSlave->links.removeOne(this);
    attachedMaster = model->master();
    attachedSlave = model->slave();
    if (attachedMaster)
        attachedMaster->links.append(this);
    if (attachedSlave)
        attachedSlave->links.append(this);
}

void Link::forgetBox(ClassItem *box)
{
    if (attachedMaster == box)
        attachedMaster = nullptr;
    if (attachedSlave == box)
        attachedSlave = nullptr;
}

bool Link::hasEnds() const
{
    // Only boxes this link is registered with are known to be alive.
    return model->master() && model->slave() && model->master() == attachedMaster
           && model->slave() == attachedSlave;
}
