// Class boxes and the links between them: size, painting, mouse, placement, end marks.
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
    void drag();
    void mouseButtons_data();
    void mouseButtons();
    void selection();
    void linkPlacement_data();
    void linkPlacement();
    void endMarks_data();
    void endMarks();
    void paintedElbow();
    void linksFollowTheirBoxes();
};

namespace {

// Zoomed out, the painter smooths as the window's view does.
QImage paintItem(QGraphicsItem &item, const QPen &pen = QPen(), const QBrush &brush = QBrush(),
                 qreal scale = 1)
{
    QImage image(300, 300, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setPen(pen);
    painter.setBrush(brush);
    painter.scale(scale, scale);
    painter.setRenderHint(QPainter::Antialiasing, scale != 1);
    QStyleOptionGraphicsItem option;
    item.paint(&painter, &option, nullptr);
    return image;
}

// A shown view on a scene with room above and left of the origin. The deep index
// finds an item only where the scene was told it is.
struct Canvas
{
    QGraphicsScene scene{-100, -100, 1000, 800};
    QGraphicsView view{&scene};
    Qt::MouseButtons held;

    Canvas()
    {
        scene.setBspTreeDepth(10);
        view.setDragMode(QGraphicsView::RubberBandDrag);
        view.setAlignment(Qt::AlignLeft | Qt::AlignTop);
        view.resize(1100, 900);
        view.show();
    }

    // A 90 × 60 box: a name of ten characters and two attribute lines, sized by the
    // character count.
    ClassItem *box(QPointF pos)
    {
        auto *box = new ClassItem(nullptr);
        box->getModel()->setName(QStringLiteral("NNNNNNNNNN"));
        box->getModel()->addAttribute(new ArgAtt(QStringLiteral("a"), QStringLiteral("b"), {}, 2));
        box->getModel()->updateSize();
        scene.addItem(box);
        box->setPos(pos);
        return box;
    }

    Link *link(ClassItem *master, ClassItem *slave)
    {
        auto *link = new Link;
        link->getModel()->setMaster(master);
        link->getModel()->setSlave(slave);
        scene.addItem(link);
        return link;
    }

    bool indexed(QGraphicsItem *item, const QRectF &area) const
    {
        return scene.items(area, Qt::IntersectsItemBoundingRect).contains(item);
    }

    QPoint at(QPointF scenePos) const { return view.mapFromScene(scenePos); }
    // What a user's mouse sends: screen positions that follow the viewport pixels.
    void send(QEvent::Type type, Qt::MouseButton button, QPoint at,
              Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        held = type == QEvent::MouseButtonPress     ? held | button
               : type == QEvent::MouseButtonRelease ? held & ~Qt::MouseButtons(button)
                                                    : held;
        QWidget *viewport = view.viewport();
        QMouseEvent event(type, QPointF(at), QPointF(viewport->mapToGlobal(at)), button, held,
                          modifiers);
        QApplication::sendEvent(viewport, &event);
    }
    void move(QPoint to) { send(QEvent::MouseMove, Qt::NoButton, to); }
    void click(QPointF scenePos, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        send(QEvent::MouseButtonPress, Qt::LeftButton, at(scenePos), modifiers);
        send(QEvent::MouseButtonRelease, Qt::LeftButton, at(scenePos), modifiers);
    }
    QSet<QGraphicsItem *> selected() const
    {
        const QList<QGraphicsItem *> items = scene.selectedItems();
        return {items.begin(), items.end()};
    }
};

} // namespace

void TestCanvas::boxLayout()
{
    // Without a font the character count alone gives the size.
    const QFont *font = nullptr;
    ClassItem single(font);
    single.getModel()->setName(QStringLiteral("A"));
    single.getModel()->updateSize();
    QCOMPARE(QSize(single.getWidth(), single.getHeight()), QSize(9, 45));
    QCOMPARE(single.boundingRect(), QRectF(0, 0, 15, 45));

    // Two attributes and three methods, the longest line 20 characters.
    ClassItem box(font);
    box.getModel()->setName(QStringLiteral("H"));
    for (const char *name : {"Ha", "Hb"})
        box.getModel()->addAttribute(new ArgAtt(QLatin1String(name), QStringLiteral("H"), {}, 0));
    for (const char *name : {"Hm", "Hmmmmmmmmm", "Ho"})
        box.getModel()->addMethod(new Function(QLatin1String(name), QStringLiteral("H("), 0, {}));
    box.getModel()->updateSize();
    QCOMPARE(QSize(box.getWidth(), box.getHeight()), QSize(180, 120));
    QCOMPARE(box.boundingRect(), QRectF(0, 0, 186, 120));
    // Whatever pen the painter carries: a thin black outline filled with the base
    // colour, and separators at 20 and 40 + 15 × 2 across the width.
    QImage image = paintItem(box, QPen(Qt::red, 6), Qt::darkGreen);
    const QRgb base = QGuiApplication::palette().base().color().rgb();
    QVERIFY(image.pixel(0, 60) == qRgb(0, 0, 0) && image.pixel(2, 60) == base);
    for (int x : {0, 90, 179})
        QVERIFY(image.pixel(x, 20) == qRgb(0, 0, 0) && image.pixel(x, 70) == qRgb(0, 0, 0));
    // Selected, in the palette's highlight colour.
    box.setSelected(true);
    QCOMPARE(QColor(paintItem(box).pixel(0, 60)),
             QApplication::palette().color(QPalette::Highlight));

    // A large font needs more room than the character count gives: every line fits.
    QFont large;
    large.setPixelSize(40);
    ClassItem wide(&large);
    wide.getModel()->setName(QStringLiteral("Wide"));
    wide.getModel()->addAttribute(
        new ArgAtt(QStringLiteral("WWWWWWWWWW"), QStringLiteral("WWWW"), {}, 0));
    wide.getModel()->addMethod(new Function(QStringLiteral("m"), QStringLiteral("void"), 0, {}));
    wide.getModel()->updateSize();
    const QFontMetrics metrics(large);
    QVERIFY(wide.getWidth()
            >= metrics.horizontalAdvance(wide.getModel()->attributeLines().constFirst()) + 10);
    QVERIFY(wide.getHeight() >= 3 * metrics.lineSpacing());
}

void TestCanvas::drag()
{
    // Half size: the distance is counted on the screen, not on the diagram.
    Canvas canvas;
    canvas.view.scale(0.5, 0.5);
    ClassItem *box = canvas.box(QPointF(50, 6));
    const int distance = QApplication::startDragDistance();
    const QPoint down = canvas.at(QPointF(70, 16));
    canvas.send(QEvent::MouseButtonPress, Qt::LeftButton, down);
    canvas.move(down + QPoint(distance - 1, 0));
    canvas.move(down + QPoint(0, distance - 1));
    QCOMPARE(box->pos(), QPointF(50, 6));
    // Reaching it starts the drag; the next move carries the grab point under the mouse.
    canvas.move(down + QPoint(distance, 0));
    QCOMPARE(box->pos(), QPointF(50, 6));
    canvas.move(canvas.at(QPointF(100, 40)));
    QCOMPARE(box->pos(), QPointF(80, 30));
    // Up and left past the top edge, then down past the left edge: the box moves in
    // neither direction rather than sliding along the edge.
    canvas.move(canvas.at(QPointF(30, 8)));
    QCOMPARE(box->pos(), QPointF(80, 30));
    canvas.move(canvas.at(QPointF(14, 40)));
    QCOMPARE(box->pos(), QPointF(80, 30));
    canvas.move(canvas.at(QPointF(20, 10)));
    QCOMPARE(box->pos(), QPointF(0, 0));
    canvas.send(QEvent::MouseButtonRelease, Qt::LeftButton, canvas.at(QPointF(20, 10)));

    // After the release a new press has to travel the distance again.
    canvas.send(QEvent::MouseButtonPress, Qt::LeftButton, canvas.at(QPointF(20, 10)));
    canvas.move(canvas.at(QPointF(20, 10)) + QPoint(distance - 1, 0));
    QCOMPARE(box->pos(), QPointF(0, 0));
}

void TestCanvas::mouseButtons_data()
{
    QTest::addColumn<Qt::MouseButton>("button");
    QTest::addColumn<bool>("edits"); // the link and the box each ask once
    QTest::addColumn<QPointF>("boxAt");
    QTest::newRow("left drags the box only") << Qt::LeftButton << false << QPointF(100, 80);
    QTest::newRow("middle does nothing") << Qt::MiddleButton << false << QPointF(0, 0);
    QTest::newRow("right edits, drags nothing") << Qt::RightButton << true << QPointF(0, 0);
}

void TestCanvas::mouseButtons()
{
    QFETCH(Qt::MouseButton, button);
    QFETCH(bool, edits);
    QFETCH(QPointF, boxAt);
    Canvas canvas;
    ClassItem *box = canvas.box(QPointF(0, 0));
    // An elbow from (45, 60) down to (45, 230) and right to (300, 230): it takes the
    // mouse on its line only, not in the empty corner of its rectangle.
    Link *link = canvas.link(box, canvas.box(QPointF(300, 200)));
    QSignalSpy boxEdits(box->getModel(), &ClassModel::editing);
    QSignalSpy linkEdits(link->getModel(), &LinkModel::editing);
    // Pressed in the empty corner, on the link's two lines and its mark, then on the box,
    // each time carried away before the release.
    for (QPointF at : {QPointF(200, 120), QPointF(47, 150), QPointF(200, 228), QPointF(45, 66),
                       QPointF(30, 20)}) {
        const QPoint on = canvas.at(at);
        canvas.send(QEvent::MouseButtonPress, button, on);
        canvas.move(on + QPoint(50, 50));
        canvas.move(on + QPoint(100, 80));
        canvas.send(QEvent::MouseButtonRelease, button, on + QPoint(100, 80));
    }
    QCOMPARE(linkEdits.size(), edits ? 3 : 0);
    QCOMPARE(boxEdits.size(), edits ? 1 : 0);
    QCOMPARE(box->pos(), boxAt);
}

void TestCanvas::selection()
{
    Canvas canvas;
    ClassItem *a = canvas.box(QPointF(0, 0));
    ClassItem *b = canvas.box(QPointF(60, 200));
    Link *link = canvas.link(a, b); // its line from (45, 70) to (105, 200)
    using Items = QSet<QGraphicsItem *>;
    // A click selects one item; Ctrl+click adds or takes away; a click on a selected
    // box among others keeps only it.
    canvas.click(QPointF(20, 20));
    QCOMPARE(canvas.selected(), (Items{a}));
    canvas.click(QPointF(75, 135), Qt::ControlModifier);
    canvas.click(QPointF(80, 220), Qt::ControlModifier);
    QCOMPARE(canvas.selected(), (Items{a, link, b}));
    canvas.click(QPointF(75, 135), Qt::ControlModifier);
    canvas.click(QPointF(20, 20), Qt::ControlModifier);
    QCOMPARE(canvas.selected(), (Items{b}));
    canvas.click(QPointF(20, 20), Qt::ControlModifier);
    QCOMPARE(canvas.selected(), (Items{a, b}));

    // Both selected boxes follow a drag, and so does their link; none goes past the
    // edge, even when the grabbed box could.
    const int distance = QApplication::startDragDistance();
    const QPoint down = canvas.at(QPointF(80, 220));
    canvas.send(QEvent::MouseButtonPress, Qt::LeftButton, down);
    canvas.move(down + QPoint(distance, distance));
    canvas.move(canvas.at(QPointF(130, 260)));
    QCOMPARE(a->pos(), QPointF(50, 40));
    QCOMPARE(b->pos(), QPointF(110, 240));
    QCOMPARE(link->getSlavePoint(), QPointF(155, 240));
    canvas.move(canvas.at(QPointF(60, 260)));
    QCOMPARE(b->pos(), QPointF(110, 240));
    canvas.send(QEvent::MouseButtonRelease, Qt::LeftButton, canvas.at(QPointF(60, 260)));
    QCOMPARE(canvas.selected(), (Items{a, b}));
    canvas.click(QPointF(130, 260));
    QCOMPARE(canvas.selected(), (Items{b}));

    // A rubber band from empty canvas selects what it touches; a click there, nothing.
    canvas.send(QEvent::MouseButtonPress, Qt::LeftButton, canvas.at(QPointF(-50, -50)));
    canvas.move(canvas.at(QPointF(0, 0)));
    canvas.move(canvas.at(QPointF(60, 50)));
    canvas.send(QEvent::MouseButtonRelease, Qt::LeftButton, canvas.at(QPointF(60, 50)));
    QCOMPARE(canvas.selected(), (Items{a}));
    canvas.click(QPointF(600, 600));
    QVERIFY(canvas.selected().isEmpty());
}

void TestCanvas::linkPlacement_data()
{
    // Each box as its position and size; the path's points from master to slave.
    QTest::addColumn<QRectF>("master");
    QTest::addColumn<QRectF>("slave");
    QTest::addColumn<int>("side");
    QTest::addColumn<QList<QPointF>>("path");
    using R = QRectF;
    using P = QPointF;
    enum { Down, Up, Left, Right };
    const auto row = [](const char *name, R master, R slave, int side, QList<QPointF> path) {
        QTest::newRow(name) << master << slave << side << path;
    };
    const R box(0, 0, 90, 60);
    row("above", box, R(0, 200, 90, 60), Down, {P(45, 60), P(45, 200)});
    row("below", R(30, 200, 90, 60), box, Up, {P(75, 200), P(45, 60)});
    row("left", box, R(200, 0, 90, 60), Right, {P(90, 30), P(200, 30)});
    row("left and above", box, R(200, 100, 90, 60), Down, {P(45, 60), P(45, 130), P(200, 130)});
    row("left and below", R(0, 300, 90, 60), R(200, 0, 90, 60), Up,
        {P(45, 300), P(45, 30), P(200, 30)});
    row("right", R(300, 20, 90, 60), box, Left, {P(300, 50), P(90, 30)});
    row("right and above", R(300, 0, 90, 60), R(0, 200, 90, 60), Down,
        {P(345, 60), P(345, 230), P(90, 230)});
    row("right and below", R(300, 300, 90, 60), box, Up, {P(345, 300), P(345, 30), P(90, 30)});
    // The limit of an overlap belongs to the side; odd sizes take integer halves.
    row("touching", box, R(90, 0, 90, 60), Right, {P(90, 30), P(90, 30)});
    row("odd sizes", R(0, 0, 9, 45), R(0, 100, 9, 45), Down, {P(4, 45), P(4, 100)});
}

void TestCanvas::linkPlacement()
{
    QFETCH(QRectF, master);
    QFETCH(QRectF, slave);
    QFETCH(int, side);
    QFETCH(QList<QPointF>, path);
    const LinkGeometry g =
        LinkGeometry::between(master.topLeft(), int(master.width()), int(master.height()),
                              slave.topLeft(), int(slave.width()), int(slave.height()));
    QList<QPointF> drawn{g.masterPoint, g.slavePoint};
    if (g.elbow)
        drawn.insert(1, g.corner);
    QCOMPARE(drawn, path);
    QCOMPARE(g.side, side);
}

void TestCanvas::endMarks_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("side");
    QTest::addColumn<QPolygonF>("mark"); // around a tip at the origin
    using P = QPointF;
    enum { Bottom, Top, Left, Right };
    const auto row = [](int kind, int side, const QPolygonF &mark) {
        QTest::addRow("kind %d, side %d", kind, side) << kind << side << mark;
    };
    row(LinkModel::Inheritance, Bottom, {P(0, 0), P(-10, 10), P(10, 10)});
    row(LinkModel::Inheritance, Top, {P(0, 0), P(-10, -10), P(10, -10)});
    row(LinkModel::Inheritance, Left, {P(0, 0), P(-10, 10), P(-10, -10)});
    row(LinkModel::Inheritance, Right, {P(0, 0), P(10, 10), P(10, -10)});
    row(LinkModel::Aggregation, Bottom, {P(0, 0), P(-5, 5), P(0, 10), P(5, 5)});
    row(LinkModel::Aggregation, Top, {P(0, 0), P(-5, -5), P(0, -10), P(5, -5)});
    row(LinkModel::Aggregation, Left, {P(0, 0), P(-5, -5), P(-10, 0), P(-5, 5)});
    row(LinkModel::Aggregation, Right, {P(0, 0), P(5, -5), P(10, 0), P(5, 5)});
    // An open arrowhead: out and back along each stroke.
    row(LinkModel::Association, Bottom, {P(0, 0), P(-5, 10), P(0, 0), P(5, 10), P(0, 0)});
    row(LinkModel::Association, Top, {P(0, 0), P(-5, -10), P(0, 0), P(5, -10), P(0, 0)});
    row(LinkModel::Association, Left, {P(0, 0), P(-10, -5), P(0, 0), P(-10, 5), P(0, 0)});
    row(LinkModel::Association, Right, {P(0, 0), P(10, -5), P(0, 0), P(10, 5), P(0, 0)});
    row(3, Bottom, {});
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

void TestCanvas::paintedElbow()
{
    // From a box at the origin to one right of and below it: a hollow diamond under the
    // master, down from its far end to the slave's middle height, then right to the slave.
    Canvas canvas;
    Link *link = canvas.link(canvas.box(QPointF(0, 0)), canvas.box(QPointF(200, 100)));
    link->getModel()->setType(LinkModel::Aggregation);
    const QImage image = paintItem(*link);
    QString black;
    for (QPoint p : {QPoint(45, 60), QPoint(40, 65), QPoint(50, 65), QPoint(45, 70),
                     QPoint(45, 100), QPoint(45, 130), QPoint(120, 130), QPoint(199, 130),
                     QPoint(45, 65), QPoint(45, 140), QPoint(120, 100), QPoint(201, 130)})
        black += image.pixel(p) == qRgb(0, 0, 0) ? u'1' : u'0';
    QCOMPARE(black, QStringLiteral("11111111") + QStringLiteral("0000"));
}

void TestCanvas::linksFollowTheirBoxes()
{
    Canvas canvas;
    ClassItem *master = canvas.box(QPointF(0, 0));
    ClassItem *slave = canvas.box(QPointF(200, 0));
    // Without both ends a link has no place and draws nothing.
    Link *link = canvas.link(master, nullptr);
    // The extent is the span of the end points with room for the marks and the pen.
    const QMarginsF room(14, 14, 14, 14);
    QCOMPARE(link->boundingRect(), QRectF(5000, 5000, 0, 0) + room);
    QImage blank(300, 300, QImage::Format_RGB32);
    blank.fill(Qt::white);
    QCOMPARE(paintItem(*link), blank);

    link->getModel()->setSlave(slave);
    QCOMPARE(link->boundingRect(), QRectF(90, 30, 110, 0) + room);
    QVERIFY(link->boundingRect().contains(link->shape().boundingRect()));
    // At a tenth of its size the line is still a whole pixel dark: a cosmetic pen.
    const QImage small = paintItem(*link, QPen(Qt::black, 1), QBrush(), 0.1);
    int darkness = 0;
    for (int y = 0; y < 8; ++y)
        darkness += 255 - qGray(small.pixel(15, y));
    QVERIFY2(darkness >= 200, qPrintable(QString::number(darkness)));
    // Querying builds the scene's index: from now on it knows only what it is told.
    QVERIFY(canvas.indexed(link, QRectF(140, 25, 10, 10)));
    QVERIFY(!canvas.indexed(master, QRectF(250, 30, 5, 5)));

    // Grown to 270 pixels: the slave now lies within the master's width. The scene was
    // told of both new extents.
    master->getModel()->setName(QString(30, QLatin1Char('N')));
    master->getModel()->updateSize();
    QCOMPARE(link->boundingRect(), QRectF(135, 0, 110, 60) + room);
    QVERIFY(canvas.indexed(link, QRectF(150, 20, 5, 5)));
    QVERIFY(canvas.indexed(master, QRectF(250, 30, 5, 5)));

    // Moved, by the program or by a drag: the same.
    slave->setPos(600, 400);
    master->setPos(300, 0);
    QCOMPARE(link->boundingRect(), QRectF(435, 60, 165, 370) + room);
    QVERIFY(canvas.indexed(link, QRectF(500, 400, 5, 5)));
    QVERIFY(!canvas.indexed(link, QRectF(150, 20, 5, 5)));
}

QTEST_MAIN(TestCanvas)
#include "tst_canvas.moc"
