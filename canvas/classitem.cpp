#include "canvas/classitem.h"

#include "canvas/link.h"
#include "model/classmodel.h"

#include <QApplication>
#include <QCursor>
#include <QGraphicsSceneMouseEvent>
#include <QLineF>
#include <QPainter>
#include <QPen>
#include <QTextOption>

namespace {

// Fixed pixel figures of a box: they do not follow the font.
constexpr int CharWidth = 9;
constexpr int LinePitch = 15;
constexpr int TitleBand = 20;
constexpr int SectionGap = 20;
constexpr int ExtraHeight = 30;
constexpr int TextIndent = 5;
constexpr int TextHeight = 50;
// Text may run past the right edge by the indent; keep it inside the extent.
constexpr int ExtraWidth = 6;

} // namespace

ClassItem::ClassItem(const QFont *font)
    : model(new ClassModel)
    , font(font)
{
    extent = QRectF(0, 0, getWidth() + ExtraWidth, getHeight());
    // Moves must reach the links that end on this box.
    setFlag(ItemSendsGeometryChanges);
    QObject::connect(model, &ClassModel::sizeChanged, model, [this] { sizeChanged(); });
    // An edit that keeps the size changes the text all the same.
    QObject::connect(model, &ClassModel::linesUpdated, model, [this] { update(); });
}

ClassItem::~ClassItem()
{
    // The links may outlive this box (their models only point at it): make them forget it.
    for (Link *link : std::as_const(links))
        link->forgetBox(this);
    delete model;
}

// A box never grows beyond the canvas, however long its text: the figures are
// computed wide enough not to overflow first.
int ClassItem::getWidth() const
{
    return int(qMin(qint64(CharWidth) * model->maxLineLength(), qint64(canvasSize - ExtraWidth)));
}

int ClassItem::getHeight() const
{
    return int(qMin(qint64(LinePitch) * model->lineCount() + ExtraHeight, qint64(canvasSize)));
}

QRectF ClassItem::boundingRect() const
{
    return extent;
}

void ClassItem::paint(QPainter *painter, const QStyleOptionGraphicsItem *, QWidget *)
{
    const int w = getWidth();
    const int h = getHeight();

    painter->setPen(QPen(Qt::black, 0));
    if (font)
        painter->setFont(*font);

    painter->drawRect(QRect(0, 0, w, h));
    // QTextOption wraps at the rectangle's width, like the rest of the toolkit's
    // default text layout.
    painter->drawText(QRectF(0, 0, w, TextHeight), model->name(),
                      QTextOption(Qt::AlignHCenter | Qt::AlignTop));
    painter->drawLine(0, TitleBand, w, TitleBand);

    const QTextOption lineOption(Qt::AlignLeft | Qt::AlignTop);
    int y = TitleBand;
    const QStringList attributes = model->attributeLines();
    for (const QString &line : attributes) {
        painter->drawText(QRectF(TextIndent, y, w, TextHeight), line, lineOption);
        y += LinePitch;
    }
    y += SectionGap;
    painter->drawLine(0, y, w, y);
    const QStringList methods = model->methodLines();
    for (const QString &line : methods) {
        painter->drawText(QRectF(TextIndent, y, w, TextHeight), line, lineOption);
        y += LinePitch;
    }
}

void ClassItem::mousePressEvent(QGraphicsSceneMouseEvent *event)
{
    // The press stays accepted whatever the button, so that this box keeps the mouse
    // until the release.
    if (event->button() == Qt::LeftButton)
        setCursor(Qt::ClosedHandCursor);
    else if (event->button() == Qt::RightButton)
        model->requestEdit();
}

void ClassItem::mouseMoveEvent(QGraphicsSceneMouseEvent *event)
{
    // Only the left button drags; a right press asks for editing and nothing else.
    if (!(event->buttons() & Qt::LeftButton))
        return;
    if (!dragging) {
        const QLineF travel(event->screenPos(), event->buttonDownScreenPos(Qt::LeftButton));
        dragging = travel.length() >= QApplication::startDragDistance();
        return;
    }
    const QPointF target = event->scenePos() - event->buttonDownPos(Qt::LeftButton);
    // A box never leaves the positive quadrant; it does not slide along the edge either.
    if (target.x() >= 0 && target.y() >= 0)
        setPos(target);
}

void ClassItem::mouseReleaseEvent(QGraphicsSceneMouseEvent *)
{
    setCursor(Qt::OpenHandCursor);
    dragging = false;
}

QVariant ClassItem::itemChange(GraphicsItemChange change, const QVariant &value)
{
    if (change == ItemPositionHasChanged)
        adjustLinks();
    return QGraphicsItem::itemChange(change, value);
}

void ClassItem::sizeChanged()
{
    const QRectF newExtent(0, 0, getWidth() + ExtraWidth, getHeight());
    if (newExtent != extent) {
        prepareGeometryChange();
        extent = newExtent;
    }
    adjustLinks();
}

void ClassItem::adjustLinks()
{
    for (Link *link : std::as_const(links))
        link->adjust();
}
