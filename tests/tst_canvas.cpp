// The canvas items: class boxes (size, painting, drag, edit request) and the links
// between them (placement, end marks, painting, following their boxes).
#include "canvas/classitem.h"
#include "canvas/link.h"
#include "canvas/linkgeometry.h"
#include "model/argatt.h"
#include "model/classmodel.h"
#include "model/function.h"
#include "model/linkmodel.h"

#include <QApplication>
#include <QGraphicsScene>
#include <QGraphicsView>
#include <QMouseEvent>
#include <QPainter>
#include <QSignalSpy>
#include <QStyleOptionGraphicsItem>
#include <QTest>

class TestCanvas : public QObject
{
    Q_OBJECT

private slots:
    void boxLayout();
    void sameSizeEditIsRedrawn();
    void dragStartsPastTheDistance_data();
    void dragStartsPastTheDistance();
    void dragStopsAtTheEdges();
    void otherButtonsEditOrNothing();
    void linkPlacement_data();
    void linkPlacement();
    void endMarks_data();
    void endMarks();
    void linkPainting_data();
    void linkPainting();
    void linkWithoutBothEndsDrawsNothing();
    void linksFollowTheirBoxes();
    void deletionInEitherOrder();
};

namespace {

QFont boxFont()
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(10);
    // Crisp glyphs: rows of ink do not depend on where a glyph falls within a pixel.
    font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

// Two attributes and three methods, the longest line 20 characters: a 180 × 120 box.
// Every line holds a parenthesis, the tallest and lowest glyph, so that all lines
// reach equally far below the top of their rectangle.
void fillFiveMembers(ClassModel *model)
{
    model->setName(QStringLiteral("H(H"));
    for (const char *name : {"Ha", "Hb"})
        model->addAttribute(new ArgAtt(QLatin1String(name), QStringLiteral("H("), QString(), 0));
    for (const char *name : {"Hm", "Hmmmmmmmmm", "Ho"})
        model->addMethod(new Function(QLatin1String(name), QStringLiteral("H("), 0, {}));
    model->updateSize();
}

QImage paintBox(ClassItem &box, const QPen &pen = QPen())
{
    QImage image(box.getWidth() + 20, box.getHeight() + 20, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setPen(pen);
    QStyleOptionGraphicsItem option;
    box.paint(&painter, &option, nullptr);
    return image;
}

bool isDark(const QImage &image, QPoint p)
{
    return qGray(image.pixel(p)) < 128;
}

// The ink of the text line whose rectangle starts at top, inside the outline.
QRect inkOfLine(const QImage &image, int top, int width)
{
    QRect ink;
    for (int y = top + 1; y < top + 15; ++y) {
        for (int x = 2; x < width - 2; ++x)
            ink |= isDark(image, QPoint(x, y)) ? QRect(x, y, 1, 1) : QRect();
    }
    return ink;
}

// A shown view on a scene with room above and left of the origin, so that the mouse
// can go past the positive quadrant. The deep index finds an item only where the
// scene was told it is.
struct Canvas
{
    QGraphicsScene scene{-100, -100, 1000, 800};
    QGraphicsView view{&scene};
    Qt::MouseButtons held;

    Canvas()
    {
        scene.setBspTreeDepth(10);
        view.setAlignment(Qt::AlignLeft | Qt::AlignTop);
        view.resize(1100, 900);
        view.show();
    }

    // A box of this size: 9 pixels a character, 15 a line plus 30; the extra lines
    // are attributes "a : b = " of eight characters.
    ClassItem *box(QPointF pos, QSize size = QSize(90, 60))
    {
        static const QFont font = boxFont();
        auto *box = new ClassItem(&font);
        box->getModel()->setName(QString(size.width() / 9, QLatin1Char('N')));
        for (int line = 1; line < (size.height() - 30) / 15; ++line)
            box->getModel()->addAttribute(
                new ArgAtt(QStringLiteral("a"), QStringLiteral("b"), QString(), 2));
        box->getModel()->updateSize();
        scene.addItem(box);
        box->setZValue(1);
        box->setPos(pos);
        return box;
    }

    Link *link(ClassItem *master, ClassItem *slave, int kind = LinkModel::Inheritance)
    {
        auto *link = new Link;
        link->getModel()->setType(kind);
        link->getModel()->setMaster(master);
        link->getModel()->setSlave(slave);
        scene.addItem(link);
        return link;
    }

    QImage render()
    {
        QImage image(600, 600, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        scene.render(&painter, QRectF(0, 0, 600, 600), QRectF(0, 0, 600, 600));
        return image;
    }

    bool indexed(QGraphicsItem *item, const QRectF &area) const
    {
        return scene.items(area, Qt::IntersectsItemBoundingRect).contains(item);
    }

    QPoint at(QPointF scenePos) const { return view.mapFromScene(scenePos); }

    // What a user's mouse sends: viewport pixels, screen positions that follow them
    // and the buttons held so far.
    void send(QEvent::Type type, Qt::MouseButton button, QPoint at)
    {
        QWidget *viewport = view.viewport();
        QMouseEvent event(type, QPointF(at), QPointF(viewport->mapToGlobal(at)), button, held,
                          Qt::NoModifier);
        QApplication::sendEvent(viewport, &event);
    }
    void press(Qt::MouseButton b, QPoint at)
    {
        held |= b;
        send(QEvent::MouseButtonPress, b, at);
    }
    void move(QPoint to) { send(QEvent::MouseMove, Qt::NoButton, to); }
    void release(Qt::MouseButton b, QPoint at)
    {
        held &= ~Qt::MouseButtons(b);
        send(QEvent::MouseButtonRelease, b, at);
    }
};

} // namespace

void TestCanvas::boxLayout()
{
    QFont font = boxFont();
    ClassItem single(&font);
    single.getModel()->setName(QStringLiteral("A"));
    single.getModel()->updateSize();
    QCOMPARE(single.boundingRect(), QRectF(0, 0, 15, 45));
    // With no attributes the separators lie at 20 and 40, nothing between them.
    const QImage empty = paintBox(single);
    QVERIFY(isDark(empty, {4, 20}) && isDark(empty, {4, 40}) && !isDark(empty, {4, 30}));

    ClassItem box(&font);
    fillFiveMembers(box.getModel());
    QCOMPARE(QSize(box.getWidth(), box.getHeight()), QSize(180, 120));
    QCOMPARE(box.boundingRect(), QRectF(0, 0, 186, 120));
    // Whatever pen the painter carries, the box draws a thin black outline, unfilled,
    // and separators at 20 and 40 + 15 × 2 across its width.
    const QImage image = paintBox(box, QPen(Qt::red, 6));
    QCOMPARE(image.pixel(0, 60), qRgb(0, 0, 0));
    QCOMPARE(image.pixel(2, 60), qRgb(255, 255, 255));
    QVERIFY(isDark(image, {179, 60}) || isDark(image, {180, 60}));
    QVERIFY(isDark(image, {90, 119}) || isDark(image, {90, 120}));
    for (int x : {0, 90, 179})
        QVERIFY(isDark(image, {x, 20}) && isDark(image, {x, 70}));

    // Every line sits as deep below the top of its rectangle as the name does: the
    // attributes start at 20 and 35, the methods at 70, 85 and 100, all at the indent.
    const QRect name = inkOfLine(image, 0, 180);
    QVERIFY2(qAbs(name.left() + name.right() - 180) <= 3, "the name is centred");
    const int indent = inkOfLine(image, 20, 180).left();
    QVERIFY2(indent >= 5 && indent <= 8, qPrintable(QString::number(indent)));
    for (int top : {20, 35, 70, 85, 100}) {
        QCOMPARE(inkOfLine(image, top, 180).bottom() - top, name.bottom());
        QCOMPARE(inkOfLine(image, top, 180).left(), indent);
    }

    // The font is read at every paint; the box keeps its size.
    font.setPixelSize(14);
    QVERIFY(inkOfLine(paintBox(box), 0, 180).width() > name.width());
    QCOMPARE(box.boundingRect(), QRectF(0, 0, 186, 120));
    // A box without a font, as the command line builds them, still paints.
    ClassItem bare(nullptr);
    fillFiveMembers(bare.getModel());
    QVERIFY(isDark(paintBox(bare), {0, 60}));
}

void TestCanvas::sameSizeEditIsRedrawn()
{
    Canvas canvas;
    ClassItem *box = canvas.box(QPointF(200, 150));
    QSignalSpy changed(&canvas.scene, &QGraphicsScene::changed);
    QTRY_VERIFY(!changed.isEmpty()); // the placement
    changed.clear();
    // What the class editor does on confirming a renamed member of the same length.
    box->getModel()->attributes().first()->setName(QStringLiteral("z"));
    box->getModel()->updateSize();
    QCOMPARE(box->boundingRect(), QRectF(0, 0, 96, 60));
    QTRY_VERIFY(!changed.isEmpty());
}

void TestCanvas::dragStartsPastTheDistance_data()
{
    QTest::addColumn<qreal>("zoom");
    QTest::newRow("100 %") << 1.0;
    // The distance is counted on the screen, not on the diagram.
    QTest::newRow("50 %") << 0.5;
}

void TestCanvas::dragStartsPastTheDistance()
{
    QFETCH(qreal, zoom);
    Canvas canvas;
    canvas.view.scale(zoom, zoom);
    ClassItem *box = canvas.box(QPointF(200, 150));
    const int distance = QApplication::startDragDistance();
    QVERIFY(distance > 1);

    const QPoint down = canvas.at(QPointF(230, 170));
    canvas.press(Qt::LeftButton, down);
    QCOMPARE(box->cursor().shape(), Qt::ClosedHandCursor);
    canvas.move(down + QPoint(distance - 1, 0));
    canvas.move(down + QPoint(0, distance - 1));
    QCOMPARE(box->pos(), QPointF(200, 150));
    // Reaching the distance starts the drag; the box follows from the next move on,
    // with the grab point under the mouse.
    canvas.move(down + QPoint(distance, 0));
    QCOMPARE(box->pos(), QPointF(200, 150));
    const QPoint to = down + QPoint(40, 60);
    canvas.move(to);
    QCOMPARE(box->mapFromScene(canvas.view.mapToScene(to)), QPointF(30, 20));
    canvas.release(Qt::LeftButton, to);
    QCOMPARE(box->cursor().shape(), Qt::OpenHandCursor);

    // After the release a new press has to travel the distance again.
    const QPointF dropped = box->pos();
    canvas.press(Qt::LeftButton, to);
    canvas.move(to + QPoint(distance - 1, 0));
    QCOMPARE(box->pos(), dropped);
}

void TestCanvas::dragStopsAtTheEdges()
{
    Canvas canvas;
    ClassItem *box = canvas.box(QPointF(50, 5));
    canvas.press(Qt::LeftButton, canvas.at(QPointF(70, 15)));
    canvas.move(canvas.at(QPointF(100, 40)));
    canvas.move(canvas.at(QPointF(40, 12)));
    QCOMPARE(box->pos(), QPointF(20, 2));
    // Up and left past the top edge, then down past the left edge: the box moves in
    // neither direction rather than sliding along the edge.
    canvas.move(canvas.at(QPointF(30, 8)));
    QCOMPARE(box->pos(), QPointF(20, 2));
    canvas.move(canvas.at(QPointF(15, 40)));
    QCOMPARE(box->pos(), QPointF(20, 2));
    // Right onto the corner is allowed.
    canvas.move(canvas.at(QPointF(20, 10)));
    QCOMPARE(box->pos(), QPointF(0, 0));
}

void TestCanvas::otherButtonsEditOrNothing()
{
    Canvas canvas;
    ClassItem *box = canvas.box(QPointF(0, 0));
    // An elbow from (45, 60) to (300, 230): its hit area is that whole rectangle.
    Link *link = canvas.link(box, canvas.box(QPointF(300, 200)));
    QSignalSpy boxEdits(box->getModel(), &ClassModel::editing);
    QSignalSpy linkEdits(link->getModel(), &LinkModel::editing);
    // A right press asks for editing, the middle button does nothing; neither drags.
    for (QPointF at : {QPointF(30, 20), QPointF(200, 120)}) {
        for (Qt::MouseButton button : {Qt::MiddleButton, Qt::RightButton}) {
            canvas.press(button, canvas.at(at));
            canvas.move(canvas.at(at) + QPoint(50, 50));
            canvas.move(canvas.at(at) + QPoint(100, 80));
            canvas.release(button, canvas.at(at) + QPoint(100, 80));
            QCOMPARE(box->pos(), QPointF(0, 0));
        }
    }
    QCOMPARE(boxEdits.size(), 1);
    QCOMPARE(linkEdits.size(), 1);
    QCOMPARE(link->boundingRect(), QRectF(45, 60, 255, 170));
}

void TestCanvas::linkPlacement_data()
{
    // Each box as its position and size.
    QTest::addColumn<QRectF>("master");
    QTest::addColumn<QRectF>("slave");
    QTest::addColumn<QPointF>("masterPoint");
    QTest::addColumn<QPointF>("slavePoint");
    QTest::addColumn<int>("side");
    QTest::addColumn<QPointF>("corner"); // null for a straight path
    QTest::addColumn<QRectF>("bounds");
    using R = QRectF;
    using P = QPointF;
    enum { Down, Up, Left, Right };
    const auto row = [](const char *name, R master, R slave, P masterPoint, P slavePoint, int side,
                        P corner, R bounds) {
        QTest::newRow(name) << master << slave << masterPoint << slavePoint << side << corner
                            << bounds;
    };
    const P straight;
    row("above, overlapping", R(0, 0, 90, 60), R(0, 200, 90, 60), P(45, 60), P(45, 200), Down,
        straight, R(45, 60, 0, 140));
    row("below, overlapping", R(30, 200, 90, 60), R(0, 0, 90, 60), P(75, 200), P(45, 60), Up,
        straight, R(45, 60, 30, 140));
    row("same position", R(100, 100, 90, 60), R(100, 100, 90, 60), P(145, 100), P(145, 160), Up,
        straight, R(145, 100, 0, 60));
    row("left", R(0, 0, 90, 60), R(200, 0, 90, 60), P(90, 30), P(200, 30), Right, straight,
        R(90, 30, 110, 0));
    row("left and above", R(0, 0, 90, 60), R(200, 100, 90, 60), P(45, 60), P(200, 130), Down,
        P(45, 130), R(45, 60, 155, 70));
    row("left and below", R(0, 300, 90, 60), R(200, 0, 90, 60), P(45, 300), P(200, 30), Up,
        P(45, 30), R(45, 30, 155, 270));
    row("right", R(300, 20, 90, 60), R(0, 0, 90, 60), P(300, 50), P(90, 30), Left, straight,
        R(90, 30, 210, 20));
    row("right and above", R(300, 0, 90, 60), R(0, 200, 90, 60), P(345, 60), P(90, 230), Down,
        P(345, 230), R(90, 60, 255, 170));
    row("right and below", R(300, 300, 90, 60), R(0, 0, 90, 60), P(345, 300), P(90, 30), Up,
        P(345, 30), R(90, 30, 255, 270));
    // The limits of the overlaps belong to the sides; the overlaps compare with the
    // master's extent on one side and the slave's on the other.
    row("touching", R(0, 0, 90, 60), R(90, 0, 90, 60), P(90, 30), P(90, 30), Right, straight,
        R(90, 30, 0, 0));
    row("corner to corner", R(0, 0, 90, 60), R(200, 60, 90, 60), P(45, 60), P(200, 90), Down,
        P(45, 90), R(45, 60, 155, 30));
    row("wide slave", R(150, 0, 90, 60), R(0, 200, 180, 60), P(195, 60), P(90, 200), Down, straight,
        R(90, 60, 105, 140));
    // Odd sizes take integer halves; positions keep their fractions, but the distances
    // and the extent are truncated.
    row("odd sizes", R(0, 0, 9, 45), R(0, 100, 9, 45), P(4, 45), P(4, 100), Down, straight,
        R(4, 45, 0, 55));
    row("fraction past the limit", R(0.5, 0, 90, 60), R(90, 0, 90, 60), P(45.5, 0), P(135, 60), Up,
        straight, R(45.5, 0, 89, 60));
}

void TestCanvas::linkPlacement()
{
    QFETCH(QRectF, master);
    QFETCH(QRectF, slave);
    QFETCH(QPointF, masterPoint);
    QFETCH(QPointF, slavePoint);
    QFETCH(int, side);
    QFETCH(QPointF, corner);
    QFETCH(QRectF, bounds);
    const LinkGeometry g =
        LinkGeometry::between(master.topLeft(), int(master.width()), int(master.height()),
                              slave.topLeft(), int(slave.width()), int(slave.height()));
    QCOMPARE(g.masterPoint, masterPoint);
    QCOMPARE(g.slavePoint, slavePoint);
    QCOMPARE(g.side, side);
    QCOMPARE(g.elbow, !corner.isNull());
    if (g.elbow)
        QCOMPARE(g.corner, corner);
    // The path starts at the far end of the mark.
    const QPointF away[] = {{0, 10}, {0, -10}, {-10, 0}, {10, 0}};
    QCOMPARE(g.pathStart(), masterPoint + away[side]);
    QCOMPARE(g.bounds(), bounds);
}

void TestCanvas::endMarks_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("side");
    QTest::addColumn<QPolygonF>("mark"); // around a tip at the origin
    using P = QPointF;
    const QPolygonF marks[3][4] = {{{P(0, 0), P(-10, 10), P(10, 10)},
                                    {P(0, 0), P(-10, -10), P(10, -10)},
                                    {P(0, 0), P(-10, 10), P(-10, -10)},
                                    {P(0, 0), P(10, 10), P(10, -10)}},
                                   {{P(0, 0), P(-5, 5), P(0, 10), P(5, 5)},
                                    {P(0, 0), P(-5, -5), P(0, -10), P(5, -5)},
                                    {P(0, 0), P(-5, -5), P(-10, 0), P(-5, 5)},
                                    {P(0, 0), P(5, -5), P(10, 0), P(5, 5)}},
                                   {{P(0, 0), P(-5, 10), P(0, 0), P(5, 10), P(0, 0)},
                                    {P(0, 0), P(-5, -10), P(0, 0), P(5, -10), P(0, 0)},
                                    {P(0, 0), P(-10, -5), P(0, 0), P(-10, 5), P(0, 0)},
                                    {P(0, 0), P(10, -5), P(0, 0), P(10, 5), P(0, 0)}}};
    const char *kinds[] = {"triangle", "diamond", "arrowhead"};
    const char *sides[] = {"down", "up", "left", "right"};
    for (int kind = 0; kind < 3; ++kind) {
        for (int side = 0; side < 4; ++side)
            QTest::addRow("%s %s", kinds[kind], sides[side]) << kind << side << marks[kind][side];
    }
    QTest::newRow("unknown kind") << 3 << 0 << QPolygonF();
    QTest::newRow("unknown side") << 0 << 4 << QPolygonF();
}

void TestCanvas::endMarks()
{
    QFETCH(int, kind);
    QFETCH(int, side);
    QFETCH(QPolygonF, mark);
    Link link;
    link.getModel()->setType(kind);
    QCOMPARE(link.endMark(QPointF(100, 100), side), mark.translated(100, 100));
}

void TestCanvas::linkPainting_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QPointF>("masterPos");
    QTest::addColumn<QPointF>("slavePos");
    QTest::addColumn<QList<QPoint>>("inked");
    QTest::addColumn<QList<QPoint>>("blank");
    using P = QPoint;
    // Master on the left: the mark from (90, 30) to (100, 30), the line on to (200, 30).
    // The view's painter has no brush, so the triangle stays hollow.
    QTest::newRow("triangle") << 0 << QPointF(0, 0) << QPointF(200, 0)
                              << QList<P>{P(100, 22), P(100, 38), P(95, 25), P(150, 30)}
                              << QList<P>{P(96, 30), P(110, 25), P(150, 20)};
    // The open arrowhead leaves a gap of 10 pixels behind its tip.
    QTest::newRow("arrowhead") << 2 << QPointF(0, 0) << QPointF(200, 0)
                               << QList<P>{P(100, 25), P(100, 35), P(101, 30), P(150, 30)}
                               << QList<P>{P(95, 30), P(98, 30)};
    // Up from (345, 290) to (345, 30), then left to (90, 30); nothing straight across.
    QTest::newRow("elbow") << 1 << QPointF(300, 300) << QPointF(0, 0)
                           << QList<P>{P(345, 50), P(345, 270), P(100, 30), P(330, 30)}
                           << QList<P>{P(345, 20), P(355, 30), P(200, 150)};
}

void TestCanvas::linkPainting()
{
    QFETCH(int, kind);
    QFETCH(QPointF, masterPos);
    QFETCH(QPointF, slavePos);
    QFETCH(QList<QPoint>, inked);
    QFETCH(QList<QPoint>, blank);
    Canvas canvas;
    canvas.link(canvas.box(masterPos), canvas.box(slavePos), kind);
    const QImage image = canvas.render();
    for (QPoint p : inked)
        QVERIFY2(isDark(image, p), qPrintable(QStringLiteral("%1,%2").arg(p.x()).arg(p.y())));
    for (QPoint p : blank)
        QVERIFY2(!isDark(image, p), qPrintable(QStringLiteral("%1,%2").arg(p.x()).arg(p.y())));
}

void TestCanvas::linkWithoutBothEndsDrawsNothing()
{
    Canvas canvas;
    auto *link = new Link;
    canvas.scene.addItem(link);
    link->getModel()->setMaster(canvas.box(QPointF(0, 0)));
    canvas.box(QPointF(200, 0));
    QCOMPARE(link->boundingRect(), QRectF(5000, 5000, 0, 0));
    QImage image = canvas.render();
    // Painted directly, over the place a link between the two boxes would take.
    QPainter painter(&image);
    link->paint(&painter, nullptr, nullptr);
    painter.end();
    QVERIFY(!isDark(image, {150, 30}) && !isDark(image, {100, 25}));
}

void TestCanvas::linksFollowTheirBoxes()
{
    Canvas canvas;
    ClassItem *master = canvas.box(QPointF(0, 0));
    ClassItem *slave = canvas.box(QPointF(200, 0));
    Link *link = canvas.link(master, slave);
    // Querying builds the scene's index: from now on it knows only what it is told.
    QVERIFY(canvas.indexed(link, QRectF(140, 25, 10, 10)));
    QVERIFY(!canvas.indexed(master, QRectF(250, 30, 5, 5)));

    // Grown to 270 pixels: the slave now lies within the master's width. The scene was
    // told of both new extents and finds the box and the link where they now lie.
    master->getModel()->setName(QString(30, QLatin1Char('N')));
    master->getModel()->updateSize();
    QCOMPARE(link->boundingRect(), QRectF(135, 0, 110, 60));
    QVERIFY(canvas.indexed(link, QRectF(150, 20, 5, 5)));
    QVERIFY(canvas.indexed(master, QRectF(250, 30, 5, 5)));

    // Moved, by the program or by a drag: the same.
    slave->setPos(600, 400);
    QCOMPARE(link->boundingRect(), QRectF(135, 60, 465, 370));
    master->setPos(300, 0);
    QCOMPARE(link->boundingRect(), QRectF(435, 60, 165, 370));
    QVERIFY(canvas.indexed(link, QRectF(500, 400, 5, 5)));
    QVERIFY(!canvas.indexed(link, QRectF(150, 20, 5, 5)));

    // A new end: the old slave no longer moves the link, the new one does.
    ClassItem *third = canvas.box(QPointF(300, 600));
    link->getModel()->setSlave(third);
    QCOMPARE(link->boundingRect(), QRectF(345, 60, 90, 540));
    slave->setPos(0, 0);
    third->setPos(300, 500);
    QCOMPARE(link->boundingRect(), QRectF(345, 60, 90, 440));

    // Ends set and boxes placed before the link reaches the scene, as the file reader does.
    auto *late = new Link;
    late->getModel()->setMaster(slave);
    late->getModel()->setSlave(third);
    canvas.scene.addItem(late);
    QCOMPARE(late->boundingRect(), QRectF(45, 60, 255, 470));
    QVERIFY(canvas.indexed(late, QRectF(100, 300, 5, 5)));
}

void TestCanvas::deletionInEitherOrder()
{
    // The main window deletes the boxes before the links; deleting a class or a link
    // alone leaves the other items.
    Canvas canvas;
    ClassItem *master = canvas.box(QPointF(0, 0));
    ClassItem *slave = canvas.box(QPointF(200, 0));
    Link *link = canvas.link(master, slave);
    // A file may name one class at both ends: top to bottom, as boxes at one place.
    Link *loop = canvas.link(master, master);
    QCOMPARE(loop->boundingRect(), QRectF(45, 0, 0, 60));
    delete canvas.link(slave, master);
    slave->getModel()->setName(QStringLiteral("Renamed and longer"));
    slave->getModel()->updateSize();

    delete master;
    // Neither painting nor a move of the other end reaches the deleted box.
    canvas.render();
    slave->setPos(300, 300);
    QCOMPARE(link->boundingRect(), QRectF(90, 30, 110, 0));
    delete slave;
    delete link;
    delete loop;
    QVERIFY(canvas.scene.items().isEmpty());
}

QTEST_MAIN(TestCanvas)
#include "tst_canvas.moc"
