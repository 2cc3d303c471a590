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

#include <tuple>

using namespace Qt::StringLiterals;

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

    // A 90 × 60 box: ten characters wide, a name and two attribute lines high.
    ClassItem *box(QPointF pos)
    {
        auto *box = new ClassItem(nullptr);
        box->getModel()->setName(u"NNNNNNNNNN"_s);
        box->getModel()->addAttribute(new ArgAtt(u"a"_s, u"b"_s, {}, 2));
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
    QSet<QGraphicsItem *> selected() const
    {
        const QList<QGraphicsItem *> items = scene.selectedItems();
        return {items.begin(), items.end()};
    }

    QPoint at(QPointF scenePos) const { return view.mapFromScene(scenePos); }
    // What a user's mouse sends: screen positions that follow the viewport pixels.
    void send(QEvent::Type type, QPoint at, Qt::MouseButton button = Qt::LeftButton,
              Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        if (type == QEvent::MouseMove)
            button = Qt::NoButton;
        else
            held = type == QEvent::MouseButtonPress ? button : Qt::NoButton;
        QWidget *viewport = view.viewport();
        QMouseEvent event(type, QPointF(at), QPointF(viewport->mapToGlobal(at)), button, held,
                          modifiers);
        QApplication::sendEvent(viewport, &event);
    }
    void move(QPoint to) { send(QEvent::MouseMove, to); }
    void click(QPointF scenePos, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        send(QEvent::MouseButtonPress, at(scenePos), Qt::LeftButton, modifiers);
        send(QEvent::MouseButtonRelease, at(scenePos), Qt::LeftButton, modifiers);
    }
};

} // namespace

class TestCanvas : public QObject
{
    Q_OBJECT

private slots:
    void boxLayout()
    {
        // A name, two attributes and three methods, the longest line 20 characters.
        const auto fill = [](ClassModel *model) {
            model->setName(u"H"_s);
            for (const char *name : {"Ha", "Hb"})
                model->addAttribute(new ArgAtt(QLatin1String(name), u"H"_s, {}, 0));
            for (const char *name : {"Hm", "Hmmmmmmmmm", "Ho"})
                model->addMethod(new Function(QLatin1String(name), u"H("_s, 0, {}));
            model->updateSize();
        };
        ClassItem box(nullptr); // without a font, sized by the character count
        fill(box.getModel());
        QCOMPARE(QSize(box.getWidth(), box.getHeight()), QSize(180, 120));
        QCOMPARE(box.boundingRect(), QRectF(0, 0, 186, 120));
        // Whatever pen the painter carries: a thin black outline filled with the base
        // colour, and separators at 20 and 40 + 15 × 2 across the width.
        QImage image = paintItem(box, QPen(Qt::red, 6), Qt::darkGreen);
        const QRgb base = QGuiApplication::palette().base().color().rgb();
        QVERIFY(image.pixel(0, 60) == qRgb(0, 0, 0) && image.pixel(2, 60) == base);
        for (int x : {0, 90, 179})
            QVERIFY(image.pixel(x, 20) == qRgb(0, 0, 0) && image.pixel(x, 70) == qRgb(0, 0, 0));
        box.setSelected(true);
        QCOMPARE(QColor(paintItem(box).pixel(0, 60)),
                 QApplication::palette().color(QPalette::Highlight));

        // A large font needs more room than the character count gives: every line fits.
        QFont large;
        large.setPixelSize(40);
        ClassItem wide(&large);
        fill(wide.getModel());
        const QFontMetrics metrics(large);
        QVERIFY(wide.getWidth()
                >= metrics.horizontalAdvance(wide.getModel()->methodLines().at(1)) + 10);
        QVERIFY(wide.getHeight() >= 6 * metrics.lineSpacing());
    }

    void mouseButtons_data()
    {
        QTest::addColumn<Qt::MouseButton>("button");
        QTest::addColumn<bool>("edits");
        QTest::addColumn<QPointF>("boxAt");
        QTest::newRow("left drags the box only") << Qt::LeftButton << false << QPointF(100, 80);
        QTest::newRow("middle does nothing") << Qt::MiddleButton << false << QPointF(0, 0);
        QTest::newRow("right edits, drags nothing") << Qt::RightButton << true << QPointF(0, 0);
    }

    void mouseButtons()
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
            canvas.send(QEvent::MouseButtonPress, on, button);
            canvas.move(on + QPoint(50, 50));
            canvas.move(on + QPoint(100, 80));
            canvas.send(QEvent::MouseButtonRelease, on + QPoint(100, 80), button);
        }
        QCOMPARE(linkEdits.size(), edits ? 3 : 0);
        QCOMPARE(boxEdits.size(), edits ? 1 : 0);
        QCOMPARE(box->pos(), boxAt);
    }

    void selection()
    {
        // At half size, where the distance that starts a drag is counted on the screen.
        Canvas canvas;
        canvas.view.scale(0.5, 0.5);
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

        // Reaching the distance starts the drag of both selected boxes; the next move
        // carries the grab point under the mouse, and the link follows.
        const int distance = QApplication::startDragDistance();
        const QPoint down = canvas.at(QPointF(80, 220));
        canvas.send(QEvent::MouseButtonPress, down);
        for (QPoint by : {QPoint(distance - 1, 0), QPoint(0, distance - 1), QPoint(distance, 0)})
            canvas.move(down + by);
        QCOMPARE(b->pos(), QPointF(60, 200));
        canvas.move(canvas.at(QPointF(130, 260)));
        QCOMPARE(a->pos(), QPointF(50, 40));
        QCOMPARE(b->pos(), QPointF(110, 240));
        QCOMPARE(link->getSlavePoint(), QPointF(155, 240));
        // No box goes past the edge, even when the grabbed box could; up to it, they do.
        canvas.move(canvas.at(QPointF(60, 260)));
        QCOMPARE(b->pos(), QPointF(110, 240));
        canvas.move(down);
        QCOMPARE(a->pos(), QPointF(0, 0));
        canvas.send(QEvent::MouseButtonRelease, down);
        QCOMPARE(canvas.selected(), (Items{a, b}));
        canvas.click(QPointF(20, 20));
        QCOMPARE(canvas.selected(), (Items{a}));
    }

    void linkPlacement()
    {
        // Master and slave boxes; the side the link leaves by; its path from master to slave.
        using R = QRectF;
        using P = QPointF;
        using G = LinkGeometry;
        const auto box = [](qreal x, qreal y) { return R(x, y, 90, 60); };
        const std::tuple<R, R, int, QList<P>> rows[] = {
            {box(0, 0), box(0, 200), G::Bottom, {P(45, 60), P(45, 200)}},
            {box(30, 200), box(0, 0), G::Top, {P(75, 200), P(45, 60)}},
            {box(0, 0), box(200, 0), G::Right, {P(90, 30), P(200, 30)}},
            {box(0, 0), box(200, 100), G::Bottom, {P(45, 60), P(45, 130), P(200, 130)}},
            {box(0, 300), box(200, 0), G::Top, {P(45, 300), P(45, 30), P(200, 30)}},
            {box(300, 20), box(0, 0), G::Left, {P(300, 50), P(90, 30)}},
            {box(300, 0), box(0, 200), G::Bottom, {P(345, 60), P(345, 230), P(90, 230)}},
            // The limit of an overlap belongs to the side; odd sizes take integer halves.
            {box(0, 0), box(90, 0), G::Right, {P(90, 30), P(90, 30)}},
            {R(0, 0, 9, 45), R(0, 100, 9, 45), G::Bottom, {P(4, 45), P(4, 100)}},
        };
        for (const auto &[master, slave, side, path] : rows) {
            const LinkGeometry g =
                LinkGeometry::between(master.topLeft(), int(master.width()), int(master.height()),
                                      slave.topLeft(), int(slave.width()), int(slave.height()));
            QList<QPointF> drawn{g.masterPoint, g.slavePoint};
            if (g.elbow)
                drawn.insert(1, g.corner);
            QCOMPARE(drawn, path);
            QCOMPARE(g.side, side);
        }
    }

    void endMarks()
    {
        // Around a tip at the origin, for each kind and side.
        using P = QPointF;
        using G = LinkGeometry;
        const std::tuple<int, int, QPolygonF> rows[] = {
            {LinkModel::Inheritance, G::Bottom, {P(0, 0), P(-10, 10), P(10, 10)}},
            {LinkModel::Inheritance, G::Top, {P(0, 0), P(-10, -10), P(10, -10)}},
            {LinkModel::Inheritance, G::Left, {P(0, 0), P(-10, 10), P(-10, -10)}},
            {LinkModel::Inheritance, G::Right, {P(0, 0), P(10, 10), P(10, -10)}},
            {LinkModel::Aggregation, G::Bottom, {P(0, 0), P(-5, 5), P(0, 10), P(5, 5)}},
            {LinkModel::Aggregation, G::Top, {P(0, 0), P(-5, -5), P(0, -10), P(5, -5)}},
            {LinkModel::Aggregation, G::Left, {P(0, 0), P(-5, -5), P(-10, 0), P(-5, 5)}},
            {LinkModel::Aggregation, G::Right, {P(0, 0), P(5, -5), P(10, 0), P(5, 5)}},
            // An open arrowhead: out and back along each stroke.
            {LinkModel::Association, G::Bottom, {P(0, 0), P(-5, 10), P(0, 0), P(5, 10), P(0, 0)}},
            {LinkModel::Association, G::Top, {P(0, 0), P(-5, -10), P(0, 0), P(5, -10), P(0, 0)}},
            {LinkModel::Association, G::Left, {P(0, 0), P(-10, -5), P(0, 0), P(-10, 5), P(0, 0)}},
            {LinkModel::Association, G::Right, {P(0, 0), P(10, -5), P(0, 0), P(10, 5), P(0, 0)}},
        };
        for (const auto &[kind, side, mark] : rows) {
            Link link;
            link.getModel()->setType(kind);
            QCOMPARE(link.endMark(QPointF(100, 100), side), mark.translated(100, 100));
        }
    }

    void paintedLink()
    {
        // From a box at the origin to one right of and below it: a hollow diamond under the
        // master, down from its far end to the slave's middle height, then right to the slave.
        Canvas canvas;
        ClassItem *master = canvas.box(QPointF(0, 0));
        ClassItem *slave = canvas.box(QPointF(200, 100));
        Link *link = canvas.link(master, slave);
        link->getModel()->setType(LinkModel::Aggregation);
        QString black;
        for (QPoint p : {QPoint(45, 60), QPoint(40, 65), QPoint(50, 65), QPoint(45, 70),
                         QPoint(45, 100), QPoint(45, 130), QPoint(120, 130), QPoint(199, 130),
                         QPoint(45, 65), QPoint(45, 140), QPoint(120, 100), QPoint(201, 130)})
            black += paintItem(*link).pixel(p) == qRgb(0, 0, 0) ? u'1' : u'0';
        QCOMPARE(black, QStringLiteral("11111111") + QStringLiteral("0000"));
        // Its extent holds the marks and the band that takes the mouse.
        QVERIFY(link->boundingRect().contains(link->shape().boundingRect()));
        // At a tenth of its size the line is still a whole pixel dark: a cosmetic pen.
        const QImage small = paintItem(*link, QPen(Qt::black, 1), QBrush(), 0.1);
        int darkness = 0;
        for (int y = 8; y < 18; ++y)
            darkness += 255 - qGray(small.pixel(15, y));
        QVERIFY2(darkness >= 200, qPrintable(QString::number(darkness)));

        // Querying builds the scene's index: from now on it knows only what it is told.
        QVERIFY(canvas.indexed(link, QRectF(140, 125, 10, 10)));
        QVERIFY(!canvas.indexed(link, QRectF(230, 70, 5, 5)));
        QVERIFY(!canvas.indexed(master, QRectF(250, 30, 5, 5)));
        // Grown to 270 pixels, the master now lies above the slave; then the slave moves
        // down. The scene was told of each new extent.
        master->getModel()->setName(QString(30, QLatin1Char('N')));
        master->getModel()->updateSize();
        QVERIFY(canvas.indexed(link, QRectF(230, 70, 5, 5)));
        QVERIFY(canvas.indexed(master, QRectF(250, 30, 5, 5)));
        slave->setPos(200, 200);
        QVERIFY(canvas.indexed(link, QRectF(240, 150, 5, 5)));

        // Its slave gone, the link keeps its model but draws nothing and takes no mouse.
        delete slave;
        QImage blank(300, 300, QImage::Format_RGB32);
        blank.fill(Qt::white);
        QCOMPARE(paintItem(*link), blank);
        QVERIFY(link->shape().isEmpty());
    }
};

QTEST_MAIN(TestCanvas)
#include "tst_canvas.moc"
