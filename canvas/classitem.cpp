#include "canvas/classitem.h"

#include "canvas/diagramscene.h"
#include "canvas/link.h"
#include "model/classmodel.h"

#include <QApplication>
#include <QCache>
#include <QCursor>
#include <QFontMetrics>
#include <QGraphicsSceneMouseEvent>
#include <QGuiApplication>
#include <QLineF>
#include <QPainter>
#include <QPalette>
#include <QPen>
#include <QRawFont>
#include <QStaticText>
#include <QStyleOptionGraphicsItem>
#include <QWidget>

#include <cmath>

namespace {

// Least pixel figures of a box; a font that needs more room gets more.
constexpr int CharWidth = 9;
constexpr int LinePitch = 15;
constexpr int TitleBand = 20;
constexpr int SectionGap = 20;
constexpr int ExtraHeight = 30;
constexpr int TextIndent = 5;
// Room under the last line: the least height is the lines, the two bands and this.
constexpr int BottomMargin = ExtraHeight - TitleBand - SectionGap + LinePitch;
// Text may run past the right edge by the indent; keep it inside the extent.
constexpr int ExtraWidth = 6;
// Below this many device pixels of line height, text is a smudge: the box is drawn as
// its outline and name band only, which is also what keeps a zoomed-out diagram fast.
constexpr qreal ReadablePixels = 5;

QPalette paletteOf(const QWidget *widget)
{
    return widget ? widget->palette() : QGuiApplication::palette();
}

// The laid-out lines of the boxes painted last: shaping the text again at every paint
// was most of the cost of a repaint. Bounded, so that scrolling through a large
// diagram does not keep the text of every box.
struct TextLines
{
    QList<QStaticText> lines;
    int attributes = 0;
};
QCache<const ClassItem *, TextLines> &laidOutText()
{
    static QCache<const ClassItem *, TextLines> cache(4000);
    return cache;
}

// The width of a line of text in a font. Shaping every line of every class is most of
// the time a large diagram takes to open, so text that needs no shaping (no script
// that joins or reorders, every character in the font itself) is measured from the
// glyph advances; anything else is shaped as it will be drawn.
class LineMeasure
{
public:
    explicit LineMeasure(const QFont &font)
        : metrics(font)
        , raw(QRawFont::fromFont(font))
    {}

    int width(const QString &text) const
    {
        bool simple = raw.isValid();
        for (const QChar c : text) {
            if (c.unicode() >= 0x0590 || c.isSurrogate()) {
                simple = false;
                break;
            }
        }
        if (simple) {
            const QList<quint32> glyphs = raw.glyphIndexesForString(text);
            if (!glyphs.contains(0u)) {
                qreal total = 0;
                for (const QPointF &advance : raw.advancesForGlyphIndexes(glyphs))
                    total += advance.x();
                return int(qMin(std::ceil(total), double(ClassItem::canvasSize)));
            }
        }
        return metrics.horizontalAdvance(text);
    }

private:
    QFontMetrics metrics;
    QRawFont raw;
};

QStaticText staticLine(const QString &text)
{
    QStaticText line(text);
    line.setTextFormat(Qt::PlainText);
    line.setPerformanceHint(QStaticText::AggressiveCaching);
    return line;
}

} // namespace

ClassItem::ClassItem(const QFont *font)
    : ClassItem(new ClassModel, font)
{}

ClassItem::ClassItem(ClassModel *model, const QFont *font)
    : model(model)
    , font(font)
{
    relayout();
    // Moves must reach the links that end on this box. Set together: each call is costly.
    setFlags(ItemSendsGeometryChanges | ItemIsSelectable);
    // updateSize() always ends with this notice, whether or not the figures changed:
    // an edit that keeps the character count may still change the measured text.
    QObject::connect(model, &ClassModel::linesUpdated, model, [this] { relayout(); });
}

ClassItem::~ClassItem()
{
    laidOutText().remove(this);
    // The links may outlive this box (their models only point at it): make them forget it.
    for (Link *link : std::as_const(links))
        link->forgetBox(this);
    delete model;
}

int ClassItem::getWidth() const
{
    return width;
}

int ClassItem::getHeight() const
{
    return height;
}

QRectF ClassItem::boundingRect() const
{
    return extent;
}

void ClassItem::relayout()
{
    laidOutText().remove(this);
    // A box never grows beyond the canvas, however long its text: the figures are
    // computed wide enough not to overflow first.
    const qint64 limit = canvasSize;
    qint64 w = qMin(qint64(CharWidth) * model->maxLineLength(), limit - ExtraWidth);
    int pitch = LinePitch;
    int title = TitleBand;
    int gap = SectionGap;
    int bottom = BottomMargin;
    // Without a font nothing is drawn (a headless run): the character count is the size.
    if (font) {
        const QFontMetrics metrics(*font);
        const LineMeasure measure(*font);
        pitch = qMax(LinePitch, metrics.lineSpacing());
        title = qMax(TitleBand, pitch + TitleBand - LinePitch);
        gap = qMax(SectionGap, pitch + SectionGap - LinePitch);
        bottom = qMax(BottomMargin, metrics.descent() + 1);
        fontPixels = metrics.height();
        qint64 text = measure.width(model->name());
        // Only a box that is drawn needs its lines' text.
        for (const QString &line : model->attributeLines())
            text = qMax(text, qint64(TextIndent) + measure.width(line));
        for (const QString &line : model->methodLines())
            text = qMax(text, qint64(TextIndent) + measure.width(line));
        w = qMin(qMax(w, text + TextIndent), limit - ExtraWidth);
    }
    const qint64 lines = model->attributes().size() + model->methods().size();
    const qint64 measured = title + pitch * lines + gap + bottom;
    const qint64 h =
        qMin(qMax(qint64(LinePitch) * model->lineCount() + ExtraHeight, measured), limit);
    linePitch = pitch;
    titleBand = title;
    sectionGap = gap;
    width = int(w);
    height = int(h);

    const QRectF newExtent(0, 0, w + ExtraWidth, h);
    if (newExtent != extent) {
        prepareGeometryChange();
        extent = newExtent;
    }
    adjustLinks();
    update();
}

void ClassItem::paint(QPainter *painter, const QStyleOptionGraphicsItem *option, QWidget *widget)
{
    const QPalette palette = paletteOf(widget);
    const qreal scale = option->levelOfDetailFromTransform(painter->worldTransform());
    const qreal textPixels = (font ? fontPixels : LinePitch) * scale;

    // Filled, so that links and boxes behind do not show through the text.
    painter->setPen(QPen(isSelected() ? palette.color(QPalette::Highlight) : Qt::black, 0));
    painter->setBrush(palette.base());
    painter->drawRect(QRect(0, 0, width, height));

    if (textPixels < ReadablePixels) {
        // Zoomed out: the name band tells a class box from any other rectangle.
        const bool antialiased = painter->testRenderHint(QPainter::Antialiasing);
        painter->setRenderHint(QPainter::Antialiasing, false);
        painter->fillRect(QRect(1, 1, width - 1, titleBand - 1), palette.button());
        painter->drawLine(0, titleBand, width, titleBand);
        painter->setRenderHint(QPainter::Antialiasing, antialiased);
        return;
    }

    if (font)
        painter->setFont(*font);
    TextLines *lines = laidOutText().object(this);
    if (!lines) {
        lines = new TextLines;
        lines->lines.append(staticLine(model->name()));
        const QStringList attributes = model->attributeLines();
        for (const QString &line : attributes)
            lines->lines.append(staticLine(line));
        lines->attributes = int(attributes.size());
        const QStringList methods = model->methodLines();
        for (const QString &line : methods)
            lines->lines.append(staticLine(line));
        laidOutText().insert(this, lines);
    }
    painter->drawLine(0, titleBand, width, titleBand);
    const QStaticText &name = lines->lines.at(0);
    painter->drawStaticText(QPointF((width - name.size().width()) / 2, 0), name);

    // The box was measured to hold every line, so each is drawn at a point: laying
    // out the text in a rectangle would cost most of the paint.
    int y = titleBand;
    for (int i = 1; i <= lines->attributes; ++i) {
        painter->drawStaticText(QPointF(TextIndent, y), lines->lines.at(i));
        y += linePitch;
    }
    y += sectionGap;
    painter->drawLine(0, y, width, y);
    for (int i = lines->attributes + 1; i < lines->lines.size(); ++i) {
        painter->drawStaticText(QPointF(TextIndent, y), lines->lines.at(i));
        y += linePitch;
    }
}

void ClassItem::mousePressEvent(QGraphicsSceneMouseEvent *event)
{
    // The press stays accepted whatever the button, so that this box keeps the mouse
    // until the release.
    dragging = false;
    if (event->button() == Qt::LeftButton) {
        setCursor(Qt::ClosedHandCursor);
        // A selected box keeps the others selected: the drag that may follow carries
        // them all. A plain click on it selects it alone at the release.
        selectedAtPress = isSelected();
        if (!selectedAtPress) {
            if (!(event->modifiers() & Qt::ControlModifier))
                scene()->clearSelection();
            setSelected(true);
        }
    } else if (event->button() == Qt::RightButton) {
        model->requestEdit();
    }
}

void ClassItem::mouseMoveEvent(QGraphicsSceneMouseEvent *event)
{
    // Only the left button drags; a right press asks for editing and nothing else.
    if (!(event->buttons() & Qt::LeftButton))
        return;
    if (!dragging) {
        const QLineF travel(event->screenPos(), event->buttonDownScreenPos(Qt::LeftButton));
        dragging = travel.length() >= QApplication::startDragDistance();
        if (dragging) {
            carried = {this};
            const QList<QGraphicsItem *> selected = scene()->selectedItems();
            for (QGraphicsItem *item : selected) {
                if (item != this && item->type() == Type)
                    carried.append(static_cast<ClassItem *>(item));
            }
            pickedUpAt.clear();
            for (const ClassItem *box : std::as_const(carried))
                pickedUpAt.append(box->pos());
        }
        return;
    }
    const QPointF target = event->scenePos() - event->buttonDownPos(Qt::LeftButton);
    const QPointF shift = target - pos();
    // No box leaves the positive quadrant; they do not slide along the edge either.
    for (const ClassItem *box : std::as_const(carried)) {
        const QPointF moved = box == this ? target : box->pos() + shift;
        if (moved.x() < 0 || moved.y() < 0)
            return;
    }
    for (ClassItem *box : std::as_const(carried))
        box->setPos(box == this ? target : box->pos() + shift);
}

void ClassItem::mouseReleaseEvent(QGraphicsSceneMouseEvent *event)
{
    setCursor(Qt::OpenHandCursor);
    if (event->button() == Qt::LeftButton && !dragging) {
        if (event->modifiers() & Qt::ControlModifier) {
            if (selectedAtPress)
                setSelected(false);
        } else {
            scene()->clearSelection();
            setSelected(true);
        }
    }
    if (dragging) {
        QList<ClassItem *> moved;
        QList<QPointF> from;
        for (qsizetype i = 0; i < carried.size(); ++i) {
            // A box deleted during the drag is no longer this scene's to report.
            if (carried.at(i)->pos() != pickedUpAt.at(i) && carried.at(i)->scene() == scene()) {
                moved.append(carried.at(i));
                from.append(pickedUpAt.at(i));
            }
        }
        if (auto *diagram = qobject_cast<DiagramScene *>(scene()); diagram && !moved.isEmpty())
            diagram->reportMove(moved, from);
    }
    dragging = false;
    carried.clear();
    pickedUpAt.clear();
}

QVariant ClassItem::itemChange(GraphicsItemChange change, const QVariant &value)
{
    if (change == ItemPositionHasChanged)
        adjustLinks();
    return QGraphicsItem::itemChange(change, value);
}

void ClassItem::adjustLinks()
{
    for (Link *link : std::as_const(links))
        link->adjust();
}
