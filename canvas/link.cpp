#include "canvas/link.h"

#include "canvas/classitem.h"
#include "model/linkmodel.h"

#include <QGraphicsScene>
#include <QGraphicsSceneMouseEvent>
#include <QPainter>
#include <QPainterPathStroker>
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

namespace {

// The end marks reach this far sideways from the line; the pen and the mouse's
// tolerance add a little. The extent covers them so that the scene repaints and
// finds all of the link.
constexpr qreal Margin = 14;
// Width, in scene pixels, of the band around the line that takes the mouse.
constexpr qreal PickWidth = 6;
// Below this scale the marks are smaller than three pixels and add nothing.
constexpr qreal MarkedScale = 0.3;

} // namespace

QRectF Link::boundingRect() const
{
    return QRectF(qMin(masterPoint.x(), slavePoint.x()), qMin(masterPoint.y(), slavePoint.y()),
                  boundWidth, boundHeight)
        .adjusted(-Margin, -Margin, Margin, Margin);
}

QPolygonF Link::line() const
{
    QPolygonF line{geometry.pathStart()};
    if (geometry.elbow)
        line << geometry.corner;
    return line << slavePoint;
}

QPainterPath Link::shape() const
{
    QPainterPath shape;
    if (!hasEnds())
        return shape;
    QPainterPathStroker stroker;
    stroker.setWidth(PickWidth);
    stroker.setJoinStyle(Qt::RoundJoin);
    QPainterPath outline;
    outline.addPolygon(line());
    outline.addPolygon(endMark(masterPoint, geometry.side));
    shape = stroker.createStroke(outline);
    // Inside a hollow mark counts as on it.
    shape.addPolygon(endMark(masterPoint, geometry.side));
    return shape.simplified();
}

void Link::paint(QPainter *painter, const QStyleOptionGraphicsItem *option, QWidget *)
{
    // The end points are kept current by adjust(); painting only draws them. The brush
    // is the painter's; the pen is one device pixel wide at any zoom, recoloured when
    // selected.
    if (!hasEnds())
        return;
    QPen pen = painter->pen();
    pen.setWidth(0);
    if (isSelected())
        pen.setColor(option->palette.color(QPalette::Highlight));
    painter->setPen(pen);
    if (option->levelOfDetailFromTransform(painter->worldTransform()) < MarkedScale) {
        // Zoomed out: long antialiased lines are most of the cost and show nothing more.
        painter->setRenderHint(QPainter::Antialiasing, false);
        painter->drawPolyline(line());
        return;
    }
    painter->drawPolygon(endMark(masterPoint, geometry.side), Qt::OddEvenFill);
    painter->drawPolyline(line());
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
    if (placed.bounds() != geometry.bounds())
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
