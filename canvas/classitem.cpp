#include "canvas/classitem.h"

#include "canvas/diagramscene.h"
#include "canvas/link.h"
#include "model/classmodel.h"

#include <QApplication>
#include <QCursor>
#include <QGraphicsSceneMouseEvent>
#include <QLineF>
#include <QPainter>
#include <QPen>
#include <QStyleOptionGraphicsItem>
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
    setFlag(ItemIsSelectable);
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

int ClassItem::getWidth() const
{
    return CharWidth * model->maxLineLength();
}

int ClassItem::getHeight() const
{
    return LinePitch * model->lineCount() + ExtraHeight;
}

QRectF ClassItem::boundingRect() const
{
    return extent;
}

void ClassItem::paint(QPainter *painter, const QStyleOptionGraphicsItem *option, QWidget *)
{
    const int w = getWidth();
    const int h = getHeight();

    painter->setPen(QPen(isSelected() ? option->palette.color(QPalette::Highlight) : Qt::black, 0));
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
