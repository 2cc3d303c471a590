// The link item: placement between two boxes, end marks, painting, following the
// boxes, and the edit request.
#include "canvas/classitem.h"
#include "canvas/link.h"
#include "canvas/linkgeometry.h"
#include "model/argatt.h"
#include "model/classmodel.h"
#include "model/linkmodel.h"
#include "testsupport/viewmouse.h"

#include <QApplication>
#include <QGraphicsScene>
#include <QGraphicsView>
#include <QImage>
#include <QPainter>
#include <QSignalSpy>
#include <QTest>

class TestLink : public QObject
{
    Q_OBJECT

private slots:
    void freshLink();
    void placement_data();
    void placement();
    void marks_data();
    void marks();
    void unknownMarksAreEmpty();
    void paintsMarkAndLine_data();
    void paintsMarkAndLine();
    void paintsElbow();
    void drawsWithThePaintersPenAndBrush();
    void incompleteLinkDrawsNothing();
    void sameBoxAtBothEnds();
    void followsMovingBoxes();
    void followsGrowingBoxes();
    void followsNewEnds();
    void placedWhenAddedToScene();
    void followsADraggedBox();
    void rightPressRequestsEditing();
    void flatLinkHitsOnlyOnItsLine();
    void outlivesItsBoxes();
    void boxesOutliveTheirLinks();
};

Q_DECLARE_METATYPE(LinkGeometry::Side)

namespace {

const QFont &boxFont()
{
    static const QFont font(QStringLiteral("DejaVu Sans"), 8);
    return font;
}

// A box of the given size: width 9 × characters, height 15 × lines + 30. Extra lines
// are protected attributes "a : b = ", eight characters long.
ClassItem *makeBox(QSize size)
{
    auto *box = new ClassItem(&boxFont());
    ClassModel *model = box->getModel();
    model->setName(QString(size.width() / 9, QLatin1Char('N')));
    const int lines = (size.height() - 30) / 15;
    for (int i = 1; i < lines; ++i)
        model->addAttribute(new ArgAtt(QStringLiteral("a"), QStringLiteral("b"), QString(), 2));
    model->updateSize();
    Q_ASSERT(box->getWidth() == size.width() && box->getHeight() == size.height());
    return box;
}

// Two boxes and the link between them, all on one scene that owns them.
struct Diagram
{
    QGraphicsScene scene{0, 0, 4000, 4000};
    ClassItem *master;
    ClassItem *slave;
    Link *link;

    Diagram(QPointF masterPos, QSize masterSize, QPointF slavePos, QSize slaveSize, int kind = 0)
        : master(makeBox(masterSize))
        , slave(makeBox(slaveSize))
        , link(new Link)
    {
        // A deep index: the scene finds an item only where it was told the item is.
        scene.setBspTreeDepth(10);
        for (ClassItem *box : {master, slave}) {
            scene.addItem(box);
            box->setZValue(1);
        }
        master->setPos(masterPos);
        slave->setPos(slavePos);
        link->getModel()->setType(kind);
        link->getModel()->setMaster(master);
        link->getModel()->setSlave(slave);
        scene.addItem(link);
    }

    QImage render(const QPen &pen = QPen(), const QBrush &brush = Qt::NoBrush)
    {
        QImage image(600, 600, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.setPen(pen);
        painter.setBrush(brush);
        scene.render(&painter, QRectF(0, 0, 600, 600), QRectF(0, 0, 600, 600));
        return image;
    }

    bool indexedAt(const QRectF &area) const
    {
        return scene.items(area, Qt::IntersectsItemBoundingRect).contains(link);
    }
};

bool isDark(const QImage &image, QPointF p)
{
    return qGray(image.pixel(p.toPoint())) < 128;
}

bool isWhite(const QImage &image, QPointF p)
{
    return image.pixel(p.toPoint()) == qRgb(255, 255, 255);
}

const QSize Box(90, 60);

} // namespace

void TestLink::freshLink()
{
    Link link;
    QVERIFY(link.getModel());
    QVERIFY(!link.getModel()->master());
    QVERIFY(!link.getModel()->slave());
    QCOMPARE(link.type(), int(QGraphicsItem::UserType + 2));
    QCOMPARE(link.getMasterPoint(), QPointF(5000, 5000));
    QCOMPARE(link.getSlavePoint(), QPointF(5000, 5000));
    QCOMPARE(link.boundingRect(), QRectF(5000, 5000, 0, 0));
    QCOMPARE(link.zValue(), 0.0);
    QCOMPARE(link.pos(), QPointF(0, 0));
}

void TestLink::placement_data()
{
    QTest::addColumn<QPointF>("masterPos");
    QTest::addColumn<QSize>("masterSize");
    QTest::addColumn<QPointF>("slavePos");
    QTest::addColumn<QSize>("slaveSize");
    QTest::addColumn<QPointF>("masterPoint");
    QTest::addColumn<QPointF>("slavePoint");
    QTest::addColumn<LinkGeometry::Side>("side");
    QTest::addColumn<bool>("elbow");
    QTest::addColumn<QPointF>("corner");
    QTest::addColumn<QRectF>("bounds");

    const QPointF none;
    QTest::newRow("above, overlapping")
        << QPointF(0, 0) << Box << QPointF(0, 200) << Box << QPointF(45, 60) << QPointF(45, 200)
        << LinkGeometry::Bottom << false << none << QRectF(45, 60, 0, 140);
    QTest::newRow("below, overlapping")
        << QPointF(30, 200) << Box << QPointF(0, 0) << Box << QPointF(75, 200) << QPointF(45, 60)
        << LinkGeometry::Top << false << none << QRectF(45, 60, 30, 140);
    QTest::newRow("same position")
        << QPointF(100, 100) << Box << QPointF(100, 100) << Box << QPointF(145, 100)
        << QPointF(145, 160) << LinkGeometry::Top << false << none << QRectF(145, 100, 0, 60);
    QTest::newRow("left") << QPointF(0, 0) << Box << QPointF(200, 0) << Box << QPointF(90, 30)
                          << QPointF(200, 30) << LinkGeometry::Right << false << none
                          << QRectF(90, 30, 110, 0);
    QTest::newRow("left and above")
        << QPointF(0, 0) << Box << QPointF(200, 100) << Box << QPointF(45, 60) << QPointF(200, 130)
        << LinkGeometry::Bottom << true << QPointF(45, 130) << QRectF(45, 60, 155, 70);
    QTest::newRow("left and below")
        << QPointF(0, 300) << Box << QPointF(200, 0) << Box << QPointF(45, 300) << QPointF(200, 30)
        << LinkGeometry::Top << true << QPointF(45, 30) << QRectF(45, 30, 155, 270);
    QTest::newRow("right") << QPointF(300, 20) << Box << QPointF(0, 0) << Box << QPointF(300, 50)
                           << QPointF(90, 30) << LinkGeometry::Left << false << none
                           << QRectF(90, 30, 210, 20);
    QTest::newRow("right and above")
        << QPointF(300, 0) << Box << QPointF(0, 200) << Box << QPointF(345, 60) << QPointF(90, 230)
        << LinkGeometry::Bottom << true << QPointF(345, 230) << QRectF(90, 60, 255, 170);
    QTest::newRow("right and below")
        << QPointF(300, 300) << Box << QPointF(0, 0) << Box << QPointF(345, 300) << QPointF(90, 30)
        << LinkGeometry::Top << true << QPointF(345, 30) << QRectF(90, 30, 255, 270);

    // The limits of the overlaps belong to the sides.
    QTest::newRow("touching on the right")
        << QPointF(0, 0) << Box << QPointF(90, 0) << Box << QPointF(90, 30) << QPointF(90, 30)
        << LinkGeometry::Right << false << none << QRectF(90, 30, 0, 0);
    QTest::newRow("touching on the left")
        << QPointF(90, 0) << Box << QPointF(0, 0) << Box << QPointF(90, 30) << QPointF(90, 30)
        << LinkGeometry::Left << false << none << QRectF(90, 30, 0, 0);
    QTest::newRow("corner to corner")
        << QPointF(0, 0) << Box << QPointF(200, 60) << Box << QPointF(45, 60) << QPointF(200, 90)
        << LinkGeometry::Bottom << true << QPointF(45, 90) << QRectF(45, 60, 155, 30);
    QTest::newRow("below by the slave's height")
        << QPointF(0, 60) << Box << QPointF(200, 0) << Box << QPointF(45, 60) << QPointF(200, 30)
        << LinkGeometry::Top << true << QPointF(45, 30) << QRectF(45, 30, 155, 30);

    // The overlaps compare with the master's extent on one side and the slave's on the
    // other.
    QTest::newRow("wide slave") << QPointF(150, 0) << Box << QPointF(0, 200) << QSize(180, 60)
                                << QPointF(195, 60) << QPointF(90, 200) << LinkGeometry::Bottom
                                << false << none << QRectF(90, 60, 105, 140);
    QTest::newRow("tall slave") << QPointF(0, 100) << Box << QPointF(200, 0) << QSize(90, 120)
                                << QPointF(90, 130) << QPointF(200, 60) << LinkGeometry::Right
                                << false << none << QRectF(90, 60, 110, 70);
    QTest::newRow("wide master") << QPointF(0, 0) << QSize(180, 60) << QPointF(150, 200) << Box
                                 << QPointF(90, 60) << QPointF(195, 200) << LinkGeometry::Bottom
                                 << false << none << QRectF(90, 60, 105, 140);

    // Odd sizes take integer halves; positions keep their fractions but the distances
    // and the extent are truncated.
    QTest::newRow("odd sizes") << QPointF(0, 0) << QSize(9, 45) << QPointF(0, 100) << QSize(9, 45)
                               << QPointF(4, 45) << QPointF(4, 100) << LinkGeometry::Bottom << false
                               << none << QRectF(4, 45, 0, 55);
    QTest::newRow("fractions") << QPointF(0.5, 0.7) << Box << QPointF(200.9, 0) << Box
                               << QPointF(90.5, 30.7) << QPointF(200.9, 30) << LinkGeometry::Right
                               << false << none << QRectF(90.5, 30, 110, 0);
    QTest::newRow("fraction past the limit")
        << QPointF(0, 0) << Box << QPointF(89.5, 0) << Box << QPointF(45, 0) << QPointF(134.5, 60)
        << LinkGeometry::Top << false << none << QRectF(45, 0, 89, 60);
}

void TestLink::placement()
{
    QFETCH(QPointF, masterPos);
    QFETCH(QSize, masterSize);
    QFETCH(QPointF, slavePos);
    QFETCH(QSize, slaveSize);
    QFETCH(QPointF, masterPoint);
    QFETCH(QPointF, slavePoint);
    QFETCH(LinkGeometry::Side, side);
    QFETCH(bool, elbow);
    QFETCH(QPointF, corner);
    QFETCH(QRectF, bounds);

    const LinkGeometry g = LinkGeometry::between(masterPos, masterSize.width(), masterSize.height(),
                                                 slavePos, slaveSize.width(), slaveSize.height());
    QCOMPARE(g.masterPoint, masterPoint);
    QCOMPARE(g.slavePoint, slavePoint);
    QCOMPARE(g.side, int(side));
    QCOMPARE(g.elbow, elbow);
    if (elbow)
        QCOMPARE(g.corner, corner);
    static const QHash<int, QPointF> away{{LinkGeometry::Bottom, QPointF(0, 10)},
                                          {LinkGeometry::Top, QPointF(0, -10)},
                                          {LinkGeometry::Left, QPointF(-10, 0)},
                                          {LinkGeometry::Right, QPointF(10, 0)}};
    QCOMPARE(g.pathStart(), masterPoint + away.value(side));
    QCOMPARE(g.bounds(), bounds);

    // The item on a scene takes the same place, without being painted.
    Diagram d(masterPos, masterSize, slavePos, slaveSize);
    QCOMPARE(d.link->getMasterPoint(), masterPoint);
    QCOMPARE(d.link->getSlavePoint(), slavePoint);
    QCOMPARE(d.link->boundingRect(), bounds);
}

void TestLink::marks_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("side");
    QTest::addColumn<QPolygonF>("mark");

    using P = QPointF;
    const QList<QPolygonF> triangles{
        {P(100, 100), P(90, 110), P(110, 110)},
        {P(100, 100), P(90, 90), P(110, 90)},
        {P(100, 100), P(90, 110), P(90, 90)},
        {P(100, 100), P(110, 110), P(110, 90)},
    };
    const QList<QPolygonF> diamonds{
        {P(100, 100), P(95, 105), P(100, 110), P(105, 105)},
        {P(100, 100), P(95, 95), P(100, 90), P(105, 95)},
        {P(100, 100), P(95, 95), P(90, 100), P(95, 105)},
        {P(100, 100), P(105, 95), P(110, 100), P(105, 105)},
    };
    const QList<QPolygonF> arrows{
        {P(100, 100), P(95, 110), P(100, 100), P(105, 110), P(100, 100)},
        {P(100, 100), P(95, 90), P(100, 100), P(105, 90), P(100, 100)},
        {P(100, 100), P(90, 95), P(100, 100), P(90, 105), P(100, 100)},
        {P(100, 100), P(110, 95), P(100, 100), P(110, 105), P(100, 100)},
    };
    const char *sides[] = {"down", "up", "left", "right"};
    for (int side = 0; side < 4; ++side) {
        QTest::addRow("triangle %s", sides[side]) << 0 << side << triangles.at(side);
        QTest::addRow("diamond %s", sides[side]) << 1 << side << diamonds.at(side);
        QTest::addRow("arrowhead %s", sides[side]) << 2 << side << arrows.at(side);
    }
}

void TestLink::marks()
{
    QFETCH(int, kind);
    QFETCH(int, side);
    QFETCH(QPolygonF, mark);
    Link link;
    link.getModel()->setType(kind);
    QCOMPARE(link.endMark(QPointF(100, 100), side), mark);
    QCOMPARE(LinkGeometry::endMark(kind, QPointF(100, 100), side), mark);
}

void TestLink::unknownMarksAreEmpty()
{
    Link link;
    link.getModel()->setType(3);
    QVERIFY(link.endMark(QPointF(100, 100), 0).isEmpty());
    link.getModel()->setType(0);
    QVERIFY(link.endMark(QPointF(100, 100), 4).isEmpty());
    QVERIFY(link.endMark(QPointF(100, 100), -1).isEmpty());
}

void TestLink::paintsMarkAndLine_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QPointF>("masterPos");
    QTest::addColumn<QPointF>("slavePos");
    QTest::addColumn<QList<QPointF>>("inked");
    QTest::addColumn<QList<QPointF>>("blank");

    using P = QPointF;
    // Master on the left: the mark runs from (90, 30) to (100, 30), the line on to (200, 30).
    QTest::newRow("triangle, right")
        << 0 << P(0, 0) << P(200, 0)
        << QList<P>{P(100, 22), P(100, 38), P(95, 25), P(95, 35), P(150, 30), P(199, 30)}
        << QList<P>{P(96, 30), P(98, 27), P(110, 25), P(150, 20)};
    QTest::newRow("diamond, right")
        << 1 << P(0, 0) << P(200, 0) << QList<P>{P(95, 25), P(95, 35), P(100, 30), P(150, 30)}
        << QList<P>{P(95, 30), P(97, 30), P(110, 25)};
    // The open arrowhead leaves a gap of 10 pixels behind its tip.
    QTest::newRow("arrowhead, right")
        << 2 << P(0, 0) << P(200, 0) << QList<P>{P(100, 25), P(100, 35), P(101, 30), P(150, 30)}
        << QList<P>{P(95, 30), P(98, 30), P(100, 30 - 7)};
    // Master above: the mark points up into the master's bottom, the line starts at 70.
    QTest::newRow("triangle, down")
        << 0 << P(0, 0) << P(0, 200)
        << QList<P>{P(35, 70), P(55, 70), P(45, 71), P(45, 150), P(45, 199)}
        << QList<P>{P(45, 66), P(45, 68), P(30, 80)};
    QTest::newRow("diamond, up") << 1 << P(0, 200) << P(0, 0)
                                 << QList<P>{P(45, 190), P(40, 195), P(50, 195), P(45, 120)}
                                 << QList<P>{P(45, 195), P(45, 197), P(60, 180)};
    QTest::newRow("arrowhead, left")
        << 2 << P(300, 0) << P(0, 0) << QList<P>{P(290, 25), P(290, 35), P(289, 30), P(200, 30)}
        << QList<P>{P(295, 30), P(292, 30)};
}

void TestLink::paintsMarkAndLine()
{
    QFETCH(int, kind);
    QFETCH(QPointF, masterPos);
    QFETCH(QPointF, slavePos);
    QFETCH(QList<QPointF>, inked);
    QFETCH(QList<QPointF>, blank);

    Diagram d(masterPos, Box, slavePos, Box, kind);
    const QImage image = d.render();
    for (const QPointF &p : inked)
        QVERIFY2(isDark(image, p), qPrintable(QStringLiteral("%1,%2").arg(p.x()).arg(p.y())));
    for (const QPointF &p : blank)
        QVERIFY2(isWhite(image, p), qPrintable(QStringLiteral("%1,%2").arg(p.x()).arg(p.y())));
}

void TestLink::paintsElbow()
{
    // Master at (300, 300), slave at (0, 0): up from (345, 290) to (345, 30), then left
    // to (90, 30).
    Diagram d(QPointF(300, 300), Box, QPointF(0, 0), Box, 1);
    const QImage image = d.render();
    for (int y = 40; y < 280; y += 20)
        QVERIFY2(isDark(image, QPointF(345, y)), qPrintable(QString::number(y)));
    for (int x = 100; x < 340; x += 20)
        QVERIFY2(isDark(image, QPointF(x, 30)), qPrintable(QString::number(x)));
    // Nothing beyond the corner, nothing straight across.
    QVERIFY(isWhite(image, QPointF(345, 20)));
    QVERIFY(isWhite(image, QPointF(355, 30)));
    QVERIFY(isWhite(image, QPointF(200, 150)));
}

void TestLink::drawsWithThePaintersPenAndBrush()
{
    Diagram d(QPointF(0, 0), Box, QPointF(200, 0), Box, 0);
    const QImage image = d.render(QPen(Qt::red, 1), QBrush(Qt::blue));
    QCOMPARE(image.pixel(150, 30), qRgb(255, 0, 0));
    QCOMPARE(image.pixel(100, 25), qRgb(255, 0, 0));
    // The triangle is filled with the painter's brush, which the view leaves empty.
    QCOMPARE(image.pixel(96, 30), qRgb(0, 0, 255));
}

void TestLink::incompleteLinkDrawsNothing()
{
    QGraphicsScene scene(0, 0, 600, 600);
    auto *master = makeBox(Box);
    auto *slave = makeBox(Box);
    scene.addItem(master);
    scene.addItem(slave);
    slave->setPos(200, 0);
    auto *link = new Link;
    scene.addItem(link);
    QCOMPARE(link->boundingRect(), QRectF(5000, 5000, 0, 0));

    link->getModel()->setMaster(master);
    QCOMPARE(link->boundingRect(), QRectF(5000, 5000, 0, 0));
    QCOMPARE(link->getMasterPoint(), QPointF(5000, 5000));

    QImage image(600, 600, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    scene.render(&painter, QRectF(0, 0, 600, 600), QRectF(0, 0, 600, 600));
    painter.end();
    QVERIFY(isWhite(image, QPointF(150, 30)));
    QVERIFY(isWhite(image, QPointF(100, 25)));

    // Painting such a link directly draws nothing either.
    QImage direct(100, 100, QImage::Format_RGB32);
    direct.fill(Qt::white);
    QPainter directPainter(&direct);
    directPainter.translate(-4950, -4950);
    link->paint(&directPainter, nullptr, nullptr);
    directPainter.end();
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 100; ++x)
            QVERIFY(isWhite(direct, QPointF(x, y)));
}

void TestLink::sameBoxAtBothEnds()
{
    // A file may name one class at both ends: the link then joins the box's top to its
    // bottom, as for two boxes at the same place, and follows the box.
    Diagram d(QPointF(0, 0), Box, QPointF(200, 0), Box);
    d.link->getModel()->setSlave(d.master);
    QCOMPARE(d.link->getMasterPoint(), QPointF(45, 0));
    QCOMPARE(d.link->getSlavePoint(), QPointF(45, 60));
    QCOMPARE(d.link->boundingRect(), QRectF(45, 0, 0, 60));

    d.slave->setPos(300, 300);
    QCOMPARE(d.link->boundingRect(), QRectF(45, 0, 0, 60));
    d.master->setPos(100, 100);
    QCOMPARE(d.link->boundingRect(), QRectF(145, 100, 0, 60));
    QVERIFY(d.indexedAt(QRectF(140, 140, 10, 10)));
    const QImage image = d.render();
    QVERIFY(isDark(image, QPointF(145, 150)));
    QVERIFY(isWhite(image, QPointF(150, 30)));
}

void TestLink::followsMovingBoxes()
{
    Diagram d(QPointF(0, 0), Box, QPointF(200, 0), Box);
    QVERIFY(d.indexedAt(QRectF(140, 25, 10, 10)));

    d.slave->setPos(1500, 2000);
    QCOMPARE(d.link->getMasterPoint(), QPointF(45, 60));
    QCOMPARE(d.link->getSlavePoint(), QPointF(1500, 2030));
    QCOMPARE(d.link->boundingRect(), QRectF(45, 60, 1455, 1970));
    // The scene was told: it finds the link where it now lies.
    QVERIFY(d.indexedAt(QRectF(1400, 1900, 20, 20)));

    d.master->setPos(1000, 1000);
    QCOMPARE(d.link->boundingRect(), QRectF(1045, 1060, 455, 970));
    QVERIFY(d.indexedAt(QRectF(1200, 1500, 20, 20)));
    QVERIFY(!d.indexedAt(QRectF(100, 100, 20, 20)));
}

void TestLink::followsGrowingBoxes()
{
    Diagram d(QPointF(0, 0), Box, QPointF(200, 0), Box);
    ClassModel *model = d.master->getModel();
    model->setName(QString(30, QLatin1Char('N')));
    for (int i = 0; i < 40; ++i)
        model->addAttribute(new ArgAtt(QStringLiteral("a"), QStringLiteral("b"), QString(), 2));
    model->updateSize(); // 270 × 645: the slave now lies below the master's top edge
    QCOMPARE(d.link->getMasterPoint(), QPointF(135, 0));
    QCOMPARE(d.link->getSlavePoint(), QPointF(245, 60));
    QCOMPARE(d.link->boundingRect(), QRectF(135, 0, 110, 60));
    QVERIFY(d.indexedAt(QRectF(150, 20, 5, 5)));
    const QImage image = d.render();
    QVERIFY(isDark(image, QPointF(190, 25)));
}

void TestLink::followsNewEnds()
{
    Diagram d(QPointF(0, 0), Box, QPointF(200, 0), Box);
    ClassItem *third = makeBox(Box);
    d.scene.addItem(third);
    third->setPos(0, 800);
    d.link->getModel()->setSlave(third);
    QCOMPARE(d.link->boundingRect(), QRectF(45, 60, 0, 740));
    QVERIFY(d.indexedAt(QRectF(40, 400, 10, 10)));

    // The old slave no longer moves the link, the new one does.
    d.slave->setPos(600, 600);
    QCOMPARE(d.link->boundingRect(), QRectF(45, 60, 0, 740));
    third->setPos(0, 900);
    QCOMPARE(d.link->boundingRect(), QRectF(45, 60, 0, 840));
}

void TestLink::placedWhenAddedToScene()
{
    // Ends set and boxes placed before the link reaches the scene, as the file reader does.
    QGraphicsScene scene(0, 0, 4000, 4000);
    scene.setBspTreeDepth(10);
    ClassItem *master = makeBox(Box);
    ClassItem *slave = makeBox(Box);
    scene.addItem(master);
    scene.addItem(slave);
    auto *link = new Link;
    link->getModel()->setMaster(master);
    link->getModel()->setSlave(slave);
    master->setPos(1000, 1000);
    slave->setPos(1200, 1000);
    scene.addItem(link);
    QCOMPARE(link->boundingRect(), QRectF(1090, 1030, 110, 0));
    QVERIFY(scene.items(QRectF(1100, 1025, 10, 10), Qt::IntersectsItemBoundingRect).contains(link));
}

void TestLink::followsADraggedBox()
{
    Diagram d(QPointF(100, 100), Box, QPointF(400, 100), Box);
    QGraphicsView view(&d.scene);
    view.setAlignment(Qt::AlignLeft | Qt::AlignTop);
    view.resize(800, 600);
    view.show();
    ViewMouse mouse(&view);
    const QPoint down = view.mapFromScene(QPointF(420, 120));
    mouse.press(Qt::LeftButton, down);
    mouse.move(down + QPoint(30, 0));
    mouse.move(down + QPoint(60, 200));
    mouse.release(Qt::LeftButton, down + QPoint(60, 200));
    const QPointF moved = d.slave->pos();
    QVERIFY(moved.y() > 250);
    QCOMPARE(d.link->getSlavePoint(), moved + QPointF(0, 30));
    QCOMPARE(d.link->getMasterPoint(), QPointF(145, 160));
}

void TestLink::rightPressRequestsEditing()
{
    // An elbow link with a real extent: (45, 60) to (300, 230).
    Diagram d(QPointF(0, 0), Box, QPointF(300, 200), Box);
    QGraphicsView view(&d.scene);
    view.setAlignment(Qt::AlignLeft | Qt::AlignTop);
    view.resize(800, 600);
    view.show();
    QSignalSpy editing(d.link->getModel(), &LinkModel::editing);
    QSignalSpy boxEditing(d.master->getModel(), &ClassModel::editing);
    ViewMouse mouse(&view);
    const QPoint inside = view.mapFromScene(QPointF(200, 120));

    mouse.press(Qt::LeftButton, inside);
    QCOMPARE(d.scene.mouseGrabberItem(), d.link);
    mouse.move(inside + QPoint(40, 40));
    mouse.release(Qt::LeftButton, inside + QPoint(40, 40));
    QCOMPARE(editing.size(), 0);
    mouse.press(Qt::MiddleButton, inside);
    mouse.release(Qt::MiddleButton, inside);
    QCOMPARE(editing.size(), 0);

    mouse.press(Qt::RightButton, inside);
    QCOMPARE(editing.size(), 1);
    QCOMPARE(editing.at(0).at(0).value<LinkModel *>(), d.link->getModel());
    mouse.release(Qt::RightButton, inside);
    QCOMPARE(d.link->boundingRect(), QRectF(45, 60, 255, 170));

    // Over a box the box answers, not the link.
    mouse.press(Qt::RightButton, view.mapFromScene(QPointF(60, 50)));
    QCOMPARE(editing.size(), 1);
    QCOMPARE(boxEditing.size(), 1);
}

void TestLink::flatLinkHitsOnlyOnItsLine()
{
    // The hit area is the bounding rectangle: for a horizontal link only its line, which
    // the toolkit's one-pixel hit square still touches.
    Diagram d(QPointF(0, 0), Box, QPointF(200, 0), Box);
    QGraphicsView view(&d.scene);
    view.setAlignment(Qt::AlignLeft | Qt::AlignTop);
    view.resize(800, 600);
    view.show();
    QSignalSpy editing(d.link->getModel(), &LinkModel::editing);
    ViewMouse mouse(&view);
    for (int y : {25, 27, 33, 35}) {
        mouse.press(Qt::RightButton, view.mapFromScene(QPointF(150, y)));
        mouse.release(Qt::RightButton, view.mapFromScene(QPointF(150, y)));
    }
    QCOMPARE(editing.size(), 0);
    mouse.press(Qt::RightButton, view.mapFromScene(QPointF(150, 30)));
    QCOMPARE(editing.size(), 1);
}

void TestLink::outlivesItsBoxes()
{
    // The main window's destructor deletes the boxes before the links.
    Diagram d(QPointF(0, 0), Box, QPointF(200, 0), Box);
    auto *loop = new Link;
    loop->getModel()->setMaster(d.master);
    loop->getModel()->setSlave(d.master);
    d.scene.addItem(loop);

    delete d.master;
    // Neither painting nor a move of the other end reaches the deleted box.
    const QImage image = d.render();
    QVERIFY(isWhite(image, QPointF(150, 30)));
    d.slave->setPos(300, 300);
    QCOMPARE(d.link->boundingRect(), QRectF(90, 30, 110, 0));
    delete d.slave;
    delete d.link;
    delete loop;
    QVERIFY(d.scene.items().isEmpty());
}

void TestLink::boxesOutliveTheirLinks()
{
    Diagram d(QPointF(0, 0), Box, QPointF(200, 0), Box);
    delete d.link;
    // The boxes no longer know the link: moving them touches nothing deleted.
    d.master->setPos(10, 10);
    d.slave->getModel()->setName(QStringLiteral("Renamed and longer"));
    d.slave->getModel()->updateSize();
    QCOMPARE(d.scene.items().size(), 2);
}

QTEST_MAIN(TestLink)
#include "tst_link.moc"
