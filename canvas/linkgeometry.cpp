#include "canvas/linkgeometry.h"

#include <QtMath>

namespace {

// Anchor points in the middle of each side; halves are integer halves so that
// the points match the pixel grid the boxes are drawn on.
QPointF topMiddle(const QPointF &pos, int w, int)
{
    return pos + QPointF(w / 2, 0);
}
QPointF bottomMiddle(const QPointF &pos, int w, int h)
{
    return pos + QPointF(w / 2, h);
}
QPointF leftMiddle(const QPointF &pos, int, int h)
{
    return pos + QPointF(0, h / 2);
}
QPointF rightMiddle(const QPointF &pos, int w, int h)
{
    return pos + QPointF(w, h / 2);
}

QPointF sideDirection(int side)
{
    switch (side) {
    case LinkGeometry::Bottom:
        return QPointF(0, 1);
    case LinkGeometry::Top:
        return QPointF(0, -1);
    case LinkGeometry::Left:
        return QPointF(-1, 0);
    case LinkGeometry::Right:
        return QPointF(1, 0);
    default:
        return QPointF();
    }
}

} // namespace

LinkGeometry LinkGeometry::between(const QPointF &masterPos, int mw, int mh,
                                   const QPointF &slavePos, int sw, int sh)
{
    const int dx = int(masterPos.x() - slavePos.x());
    const int dy = int(masterPos.y() - slavePos.y());
    const bool overlapX = -mw < dx && dx < sw;
    const bool overlapY = -mh < dy && dy < sh;

    LinkGeometry g;
    if (overlapX) {
        // One above the other, however far apart: top to bottom.
        if (dy < 0) {
            g.masterPoint = bottomMiddle(masterPos, mw, mh);
            g.slavePoint = topMiddle(slavePos, sw, sh);
            g.side = Bottom;
        } else {
            g.masterPoint = topMiddle(masterPos, mw, mh);
            g.slavePoint = bottomMiddle(slavePos, sw, sh);
            g.side = Top;
        }
        return g;
    }

    // Side by side: the slave is entered on the side that faces the master.
    const bool masterLeft = dx <= -mw;
    g.slavePoint = masterLeft ? leftMiddle(slavePos, sw, sh) : rightMiddle(slavePos, sw, sh);
    if (overlapY) {
        g.masterPoint = masterLeft ? rightMiddle(masterPos, mw, mh) : leftMiddle(masterPos, mw, mh);
        g.side = masterLeft ? Right : Left;
        return g;
    }

    // Apart in both directions: leave the master vertically, turn at the height of
    // the slave's middle.
    if (dy < 0) {
        g.masterPoint = bottomMiddle(masterPos, mw, mh);
        g.side = Bottom;
    } else {
        g.masterPoint = topMiddle(masterPos, mw, mh);
        g.side = Top;
    }
    g.elbow = true;
    g.corner = QPointF(g.masterPoint.x(), slavePos.y() + sh / 2);
    return g;
}

QPolygonF LinkGeometry::endMark(int kind, const QPointF &p, int side)
{
    // Written out per side so that the vertices come in their exact order.
    const qreal x = p.x();
    const qreal y = p.y();
    QPolygonF mark;
    switch (kind) {
    case 0: // hollow triangle
        switch (side) {
        case Bottom:
            mark << p << QPointF(x - 10, y + 10) << QPointF(x + 10, y + 10);
            break;
        case Top:
            mark << p << QPointF(x - 10, y - 10) << QPointF(x + 10, y - 10);
            break;
        case Left:
            mark << p << QPointF(x - 10, y + 10) << QPointF(x - 10, y - 10);
            break;
        case Right:
            mark << p << QPointF(x + 10, y + 10) << QPointF(x + 10, y - 10);
            break;
        }
        break;
    case 1: // hollow diamond
        switch (side) {
        case Bottom:
            mark << p << QPointF(x - 5, y + 5) << QPointF(x, y + 10) << QPointF(x + 5, y + 5);
            break;
        case Top:
            mark << p << QPointF(x - 5, y - 5) << QPointF(x, y - 10) << QPointF(x + 5, y - 5);
            break;
        case Left:
            mark << p << QPointF(x - 5, y - 5) << QPointF(x - 10, y) << QPointF(x - 5, y + 5);
            break;
        case Right:
            mark << p << QPointF(x + 5, y - 5) << QPointF(x + 10, y) << QPointF(x + 5, y + 5);
            break;
        }
        break;
    case 2: // open arrowhead: out and back along each stroke
        switch (side) {
        case Bottom:
            mark << p << QPointF(x - 5, y + 10) << p << QPointF(x + 5, y + 10) << p;
            break;
        case Top:
            mark << p << QPointF(x - 5, y - 10) << p << QPointF(x + 5, y - 10) << p;
            break;
        case Left:
            mark << p << QPointF(x - 10, y - 5) << p << QPointF(x - 10, y + 5) << p;
            break;
        case Right:
            mark << p << QPointF(x + 10, y - 5) << p << QPointF(x + 10, y + 5) << p;
            break;
        }
        break;
    default:
        break;
    }
    return mark;
}

QPointF LinkGeometry::pathStart() const
{
    return masterPoint + MarkDepth * sideDirection(side);
}

int LinkGeometry::boundWidth() const
{
    return qAbs(int(masterPoint.x() - slavePoint.x()));
}

int LinkGeometry::boundHeight() const
{
    return qAbs(int(masterPoint.y() - slavePoint.y()));
}

QRectF LinkGeometry::bounds() const
{
    return QRectF(qMin(masterPoint.x(), slavePoint.x()), qMin(masterPoint.y(), slavePoint.y()),
                  boundWidth(), boundHeight());
}

bool LinkGeometry::operator==(const LinkGeometry &other) const
{
    return masterPoint == other.masterPoint && slavePoint == other.slavePoint && side == other.side
           && elbow == other.elbow && corner == other.corner;
}
