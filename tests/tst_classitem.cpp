// The class box: its size, what it paints, dragging and the edit request.
#include "canvas/classitem.h"
#include "model/argatt.h"
#include "model/classmodel.h"
#include "model/function.h"
#include "testsupport/viewmouse.h"

#include <QApplication>
#include <QGraphicsScene>
#include <QGraphicsView>
#include <QImage>
#include <QPainter>
#include <QSignalSpy>
#include <QStyleOptionGraphicsItem>
#include <QTest>

class TestClassItem : public QObject
{
    Q_OBJECT

private slots:
    void freshBox();
    void singleLetterBox();
    void membersSetTheSize();
    void paintsTheLayout();
    void paintsWithOwnPen();
    void fontIsReadAtEveryPaint();
    void paintsWithoutFont();
    void sizeChangeIsAnnounced();
    void sameSizeEditIsRedrawn();
    void dragStartsPastTheDistance_data();
    void dragStartsPastTheDistance();
    void dragStopsAtTheEdges();
    void rightPressRequestsEditing();
    void otherButtonsDoNothing();
};

namespace {

// A class with two attributes and three methods whose longest line has 20 characters.
// Every line holds a parenthesis, the tallest and lowest glyph, so that all lines
// reach equally far below the top of their rectangle.
void fillFiveMembers(ClassModel *model)
{
    model->setName(QStringLiteral("H(H"));
    model->addAttribute(new ArgAtt(QStringLiteral("Ha"), QStringLiteral("H("), QString(), 0));
    model->addAttribute(new ArgAtt(QStringLiteral("Hb"), QStringLiteral("H("), QString(), 0));
    model->addMethod(new Function(QStringLiteral("Hm"), QStringLiteral("H("), 0, {}));
    model->addMethod(new Function(QStringLiteral("Hmmmmmmmmm"), QStringLiteral("H("), 0, {}));
    model->addMethod(new Function(QStringLiteral("Ho"), QStringLiteral("H("), 0, {}));
    model->updateSize();
}

QFont testFont(int pixelSize = 10)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(pixelSize);
    // Crisp glyphs: rows of ink do not depend on where a glyph falls within a pixel.
    font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

QImage paintedBox(ClassItem &box, const QPen &pen = QPen(), const QBrush &brush = QBrush())
{
    QImage image(box.getWidth() + 20, box.getHeight() + 20, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setPen(pen);
    painter.setBrush(brush);
    QStyleOptionGraphicsItem option;
    box.paint(&painter, &option, nullptr);
    return image;
}

bool isDark(const QImage &image, int x, int y)
{
    return qGray(image.pixel(x, y)) < 128;
}

// The last row of [top, top + 15) with ink between the outline's sides.
int lastInkRow(const QImage &image, int top, int width)
{
    for (int y = top + 14; y >= top; --y) {
        for (int x = 2; x < width - 2; ++x) {
            if (isDark(image, x, y))
                return y;
        }
    }
    return -1;
}

// Leftmost and rightmost inked columns of the rows (top, top + 15), outline excluded.
QPair<int, int> inkColumns(const QImage &image, int top, int width)
{
    int first = width;
    int last = -1;
    for (int y = top + 1; y < top + 15; ++y) {
        for (int x = 2; x < width - 2; ++x) {
            if (isDark(image, x, y)) {
                first = qMin(first, x);
                last = qMax(last, x);
            }
        }
    }
    return {first, last};
}

// A scene whose top-left corner shows some negative room, so that the mouse can go
// past the edges of the positive quadrant.
struct Canvas
{
    QGraphicsScene scene{-100, -100, 1000, 800};
    QGraphicsView view{&scene};

    Canvas()
    {
        view.setAlignment(Qt::AlignLeft | Qt::AlignTop);
        view.resize(1100, 900);
        view.show();
    }

    QPoint at(const QPointF &scenePos) const { return view.mapFromScene(scenePos); }
};

} // namespace

void TestClassItem::freshBox()
{
    const QFont font = testFont();
    ClassItem box(&font);
    QVERIFY(box.getModel());
    QCOMPARE(box.type(), int(QGraphicsItem::UserType + 1));
    // The model's figures before the first size computation: 10 characters, 20 lines.
    QCOMPARE(box.getWidth(), 90);
    QCOMPARE(box.getHeight(), 330);
    QCOMPARE(box.boundingRect(), QRectF(0, 0, 96, 330));
    QVERIFY(!box.hasCursor());
    QCOMPARE(box.zValue(), 0.0);
    QVERIFY(!box.scene());
}

void TestClassItem::singleLetterBox()
{
    const QFont font = testFont();
    ClassItem box(&font);
    box.getModel()->setName(QStringLiteral("A"));
    box.getModel()->updateSize();
    QCOMPARE(box.getWidth(), 9);
    QCOMPARE(box.getHeight(), 45);
    QCOMPARE(box.boundingRect(), QRectF(0, 0, 15, 45));

    const QImage image = paintedBox(box);
    // Separators at 20 and 40 (no attributes), nothing between them.
    QVERIFY(isDark(image, 4, 20));
    QVERIFY(isDark(image, 4, 40));
    for (int y = 21; y < 40; ++y)
        QVERIFY2(!isDark(image, 4, y), qPrintable(QString::number(y)));
}

void TestClassItem::membersSetTheSize()
{
    const QFont font = testFont();
    ClassItem box(&font);
    fillFiveMembers(box.getModel());
    QCOMPARE(box.getModel()->maxLineLength(), 20);
    QCOMPARE(box.getModel()->lineCount(), 6);
    QCOMPARE(box.getWidth(), 180);
    QCOMPARE(box.getHeight(), 120);
    QCOMPARE(box.boundingRect(), QRectF(0, 0, 186, 120));
}

void TestClassItem::paintsTheLayout()
{
    const QFont font = testFont();
    ClassItem box(&font);
    fillFiveMembers(box.getModel());
    const QImage image = paintedBox(box);
    const int w = 180;

    // Outline: both vertical sides and the top and bottom edges, not filled.
    for (int y = 0; y < 120; ++y) {
        QVERIFY(isDark(image, 0, y));
        QVERIFY(isDark(image, w - 1, y) || isDark(image, w, y));
    }
    for (int x = 0; x < w; ++x) {
        QVERIFY(isDark(image, x, 0));
        QVERIFY(isDark(image, x, 119) || isDark(image, x, 120));
    }
    QVERIFY(!isDark(image, w - 5, 60));

    // Separators at 20 and 40 + 15 × 2, across the whole width; the gap between the
    // last attribute and the section separator stays empty.
    for (int x = 0; x < w; ++x) {
        QVERIFY(isDark(image, x, 20));
        QVERIFY(isDark(image, x, 70));
    }
    for (int y = 51; y < 70; ++y) {
        for (int x = 2; x < w - 2; ++x)
            QVERIFY2(!isDark(image, x, y), qPrintable(QStringLiteral("%1,%2").arg(x).arg(y)));
    }

    // Every line sits at the same depth below the top of its rectangle: name at 0,
    // attributes at 20 and 35, methods at 70, 85 and 100.
    const int depth = lastInkRow(image, 0, w);
    QVERIFY(depth > 0);
    const QList<int> tops{20, 35, 70, 85, 100};
    for (int top : tops)
        QCOMPARE(lastInkRow(image, top, w) - top, depth);

    // The name is centred; the member lines start at the indent, all at the same place.
    const QPair<int, int> name = inkColumns(image, 0, w);
    QVERIFY2(qAbs(name.first + name.second - w) <= 3,
             qPrintable(QStringLiteral("%1..%2").arg(name.first).arg(name.second)));
    const int indent = inkColumns(image, 20, w).first;
    QVERIFY2(indent >= 5 && indent <= 8, qPrintable(QString::number(indent)));
    for (int top : tops)
        QCOMPARE(inkColumns(image, top, w).first, indent);
}

void TestClassItem::paintsWithOwnPen()
{
    const QFont font = testFont();
    ClassItem box(&font);
    fillFiveMembers(box.getModel());
    // Whatever pen the painter carries, the box uses a thin black one; the brush is left
    // alone, and without one the box stays transparent.
    const QImage image = paintedBox(box, QPen(Qt::red, 6));
    QCOMPARE(image.pixel(0, 60), qRgb(0, 0, 0));
    QCOMPARE(image.pixel(2, 60), qRgb(255, 255, 255));
    QCOMPARE(image.pixel(90, 20), qRgb(0, 0, 0));
    QCOMPARE(image.pixel(90, 21), qRgb(255, 255, 255));
    QCOMPARE(image.pixel(150, 110), qRgb(255, 255, 255));
}

void TestClassItem::fontIsReadAtEveryPaint()
{
    QFont font = testFont(10);
    ClassItem box(&font);
    fillFiveMembers(box.getModel());
    const QPair<int, int> small = inkColumns(paintedBox(box), 0, 180);

    font.setPixelSize(14);
    const QPair<int, int> large = inkColumns(paintedBox(box), 0, 180);
    QVERIFY(large.second - large.first > small.second - small.first);
    // The size of the box does not follow the font.
    QCOMPARE(box.boundingRect(), QRectF(0, 0, 186, 120));
}

void TestClassItem::paintsWithoutFont()
{
    ClassItem box(nullptr);
    fillFiveMembers(box.getModel());
    const QImage image = paintedBox(box);
    QVERIFY(isDark(image, 0, 60));
    QVERIFY(inkColumns(image, 0, 180).second > 0);
}

void TestClassItem::sizeChangeIsAnnounced()
{
    QGraphicsScene scene(0, 0, 4000, 4000);
    // A deep index keeps the scene from finding an item anywhere but where it was told.
    scene.setBspTreeDepth(10);
    const QFont font = testFont();
    auto *box = new ClassItem(&font);
    box->getModel()->setName(QStringLiteral("A"));
    box->getModel()->updateSize();
    scene.addItem(box);
    box->setPos(1000, 1000);
    QVERIFY(scene.items(QPointF(1005, 1030)).contains(box));
    QVERIFY(!scene.items(QPointF(1150, 1100)).contains(box));

    fillFiveMembers(box->getModel());
    QCOMPARE(box->boundingRect(), QRectF(0, 0, 186, 120));
    QVERIFY(scene.items(QPointF(1150, 1100)).contains(box));
    QCOMPARE(scene.itemsBoundingRect(), QRectF(1000, 1000, 186, 120));
}

namespace {

class PaintCounter : public QObject
{
public:
    int paints = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

} // namespace

void TestClassItem::sameSizeEditIsRedrawn()
{
    Canvas canvas;
    QVERIFY(QTest::qWaitForWindowExposed(&canvas.view));
    const QFont font = testFont();
    auto *box = new ClassItem(&font);
    fillFiveMembers(box->getModel());
    canvas.scene.addItem(box);
    box->setPos(200, 150);
    // Let the repaints of the placement happen first.
    QTest::qWait(200);

    PaintCounter counter;
    canvas.view.viewport()->installEventFilter(&counter);
    QSignalSpy sizeChanged(box->getModel(), &ClassModel::sizeChanged);
    // What the class editor does on confirming a renamed member of the same length.
    box->getModel()->attributes().first()->setName(QStringLiteral("Hz"));
    box->getModel()->updateSize();
    QCOMPARE(sizeChanged.size(), 0);
    QTRY_VERIFY(counter.paints > 0);
}

void TestClassItem::dragStartsPastTheDistance_data()
{
    QTest::addColumn<qreal>("zoom");
    QTest::newRow("100 %") << 1.0;
    // The distance is counted on the screen, not on the diagram.
    QTest::newRow("50 %") << 0.5;
}

void TestClassItem::dragStartsPastTheDistance()
{
    QFETCH(qreal, zoom);
    Canvas canvas;
    canvas.view.scale(zoom, zoom);
    const QFont font = testFont();
    auto *box = new ClassItem(&font);
    fillFiveMembers(box->getModel());
    canvas.scene.addItem(box);
    box->setPos(200, 150);
    ViewMouse mouse(&canvas.view);

    const int distance = QApplication::startDragDistance();
    QVERIFY(distance > 1);
    const QPoint down = canvas.at(QPointF(230, 170)); // 30, 20 inside the box
    mouse.press(Qt::LeftButton, down);
    QCOMPARE(canvas.scene.mouseGrabberItem(), box);
    QCOMPARE(box->cursor().shape(), Qt::ClosedHandCursor);

    mouse.move(down + QPoint(distance - 1, 0));
    mouse.move(down + QPoint(0, distance - 1));
    QCOMPARE(box->pos(), QPointF(200, 150));

    // Reaching the distance starts the drag; the box follows from the next move on.
    mouse.move(down + QPoint(distance, 0));
    QCOMPARE(box->pos(), QPointF(200, 150));
    const QPoint to = down + QPoint(40, 60);
    mouse.move(to);
    const QPointF grab = box->mapFromScene(canvas.view.mapToScene(to));
    QCOMPARE(grab, QPointF(30, 20));
    QVERIFY(box->pos() != QPointF(200, 150));

    mouse.release(Qt::LeftButton, to);
    QCOMPARE(box->cursor().shape(), Qt::OpenHandCursor);
    const QPointF dropped = box->pos();

    // After the release a new press has to travel the distance again.
    mouse.press(Qt::LeftButton, to);
    mouse.move(to + QPoint(distance - 1, 0));
    QCOMPARE(box->pos(), dropped);
    mouse.release(Qt::LeftButton, to + QPoint(distance - 1, 0));
}

void TestClassItem::dragStopsAtTheEdges()
{
    Canvas canvas;
    const QFont font = testFont();
    auto *box = new ClassItem(&font);
    fillFiveMembers(box->getModel());
    canvas.scene.addItem(box);
    box->setPos(50, 5);
    ViewMouse mouse(&canvas.view);

    mouse.press(Qt::LeftButton, canvas.at(QPointF(70, 15)));
    mouse.move(canvas.at(QPointF(100, 40)));
    QCOMPARE(box->pos(), QPointF(50, 5));
    mouse.move(canvas.at(QPointF(40, 12)));
    QCOMPARE(box->pos(), QPointF(20, 2));

    // Up and to the left past the top edge: the box moves in neither direction.
    mouse.move(canvas.at(QPointF(30, 8)));
    QCOMPARE(box->pos(), QPointF(20, 2));
    // Past the left edge while going down: the same.
    mouse.move(canvas.at(QPointF(15, 40)));
    QCOMPARE(box->pos(), QPointF(20, 2));
    // Right onto the corner is allowed.
    mouse.move(canvas.at(QPointF(20, 10)));
    QCOMPARE(box->pos(), QPointF(0, 0));
    mouse.release(Qt::LeftButton, canvas.at(QPointF(20, 10)));
}

void TestClassItem::rightPressRequestsEditing()
{
    Canvas canvas;
    const QFont font = testFont();
    auto *box = new ClassItem(&font);
    fillFiveMembers(box->getModel());
    canvas.scene.addItem(box);
    box->setPos(200, 150);
    QSignalSpy editing(box->getModel(), &ClassModel::editing);
    ViewMouse mouse(&canvas.view);

    const QPoint down = canvas.at(QPointF(230, 170));
    mouse.press(Qt::RightButton, down);
    QCOMPARE(editing.size(), 1);
    QCOMPARE(editing.at(0).at(0).value<ClassModel *>(), box->getModel());
    QCOMPARE(canvas.scene.mouseGrabberItem(), box);
    QVERIFY(!box->hasCursor());

    // Moving with the right button held does not drag.
    mouse.move(down + QPoint(50, 50));
    mouse.move(down + QPoint(100, 80));
    QCOMPARE(box->pos(), QPointF(200, 150));
    mouse.release(Qt::RightButton, down + QPoint(100, 80));
    QCOMPARE(box->pos(), QPointF(200, 150));
    QCOMPARE(editing.size(), 1);
    QCOMPARE(box->cursor().shape(), Qt::OpenHandCursor);
}

void TestClassItem::otherButtonsDoNothing()
{
    Canvas canvas;
    const QFont font = testFont();
    auto *box = new ClassItem(&font);
    fillFiveMembers(box->getModel());
    canvas.scene.addItem(box);
    box->setPos(200, 150);
    QSignalSpy editing(box->getModel(), &ClassModel::editing);
    ViewMouse mouse(&canvas.view);

    const QPoint down = canvas.at(QPointF(230, 170));
    mouse.press(Qt::MiddleButton, down);
    QCOMPARE(canvas.scene.mouseGrabberItem(), box);
    QVERIFY(!box->hasCursor());
    mouse.move(down + QPoint(60, 60));
    mouse.move(down + QPoint(90, 90));
    mouse.release(Qt::MiddleButton, down + QPoint(90, 90));
    QCOMPARE(box->pos(), QPointF(200, 150));
    QCOMPARE(editing.size(), 0);
}

QTEST_MAIN(TestClassItem)
#include "tst_classitem.moc"
