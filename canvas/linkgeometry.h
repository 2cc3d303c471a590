#ifndef LINKGEOMETRY_H
#define LINKGEOMETRY_H

#include <QPointF>
#include <QPolygonF>
#include <QRectF>

// Where a link between two class boxes runs: the pure arithmetic of the link item,
// kept apart from painting and from the scene so that it can be checked on its own.
struct LinkGeometry
{
    // The direction in which the link leaves the master's box.
    enum Side { Bottom = 0, Top = 1, Left = 2, Right = 3 };

    // Every link item starts at this point, with no extent, until it has two boxes.
    static constexpr qreal StartPoint = 5000;
    // Depth of the end marks; the line starts this far from the master's box.
    static constexpr int MarkDepth = 10;

    QPointF masterPoint{StartPoint, StartPoint};
    QPointF slavePoint{StartPoint, StartPoint};
    int side = Bottom;
    bool elbow = false;
    // The turn of an elbow path; meaningless for a straight one.
    QPointF corner;

    // Places the link between a master box and a slave box, each given by its
    // top-left corner and its integer size.
    static LinkGeometry between(const QPointF &masterPos, int masterWidth, int masterHeight,
                                const QPointF &slavePos, int slaveWidth, int slaveHeight);

    // The mark of a link kind (0 inheritance, 1 aggregation, 2 association) whose tip
    // lies at p and which extends towards side; empty for an unknown kind or side.
    static QPolygonF endMark(int kind, const QPointF &p, int side);

    // Where the drawn line begins: the far end of the mark.
    QPointF pathStart() const;
    // The rectangle spanned by the two end points, with truncated integer extents.
    int boundWidth() const;
    int boundHeight() const;
    QRectF bounds() const;

    bool operator==(const LinkGeometry &other) const;
    bool operator!=(const LinkGeometry &other) const { return !(*this == other); }
};

#endif // LINKGEOMETRY_H
