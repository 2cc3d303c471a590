#include "canvas/diagramview.h"

#include <QGraphicsScene>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionRubberBand>
#include <QWheelEvent>

namespace {

// One notch of a common mouse wheel.
constexpr int WheelStep = 120;

} // namespace

DiagramView::DiagramView(QWidget *parent)
    : QGraphicsView(parent)
{
    // zoomTo() places the view itself; the toolkit's own anchoring would move it first.
    setTransformationAnchor(NoAnchor);
    const auto forgetZoom = [this] {
        if (!zooming)
            intendedScale = 0;
    };
    connect(horizontalScrollBar(), &QScrollBar::valueChanged, this, forgetZoom);
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, forgetZoom);
}

QPointF DiagramView::viewportCentre() const
{
    return QRectF(viewport()->rect()).center();
}

void DiagramView::zoomTo(qreal factor, const QPointF &anchor)
{
    // The scene point meant to be under the anchor: from the last zoom while the user
    // has not scrolled since, so that no rounding of the scroll bars piles up.
    const QPointF sceneAnchor = intendedScale > 0 ? intendedOrigin + anchor / intendedScale
                                                  : viewportTransform().inverted().map(anchor);
    zooming = true;
    const QTransform old = transform();
    setTransform(QTransform(factor, 0, 0, factor, old.dx(), old.dy()));
    const QPointF off = viewportTransform().map(sceneAnchor) - anchor;
    horizontalScrollBar()->setValue(horizontalScrollBar()->value() + qRound(off.x()));
    verticalScrollBar()->setValue(verticalScrollBar()->value() + qRound(off.y()));
    zooming = false;
    intendedScale = factor;
    intendedOrigin = sceneAnchor - anchor / factor;
}

void DiagramView::wheelEvent(QWheelEvent *event)
{
    if (!(event->modifiers() & Qt::ControlModifier)) {
        QGraphicsView::wheelEvent(event);
        return;
    }
    // Touch pads send small deltas: they add up to whole steps.
    wheelRemainder += event->angleDelta().y();
    const int steps = wheelRemainder / WheelStep;
    wheelRemainder -= steps * WheelStep;
    if (steps != 0)
        emit zoomStepsRequested(steps, event->position());
    event->accept();
}

void DiagramView::updateScene(const QList<QRectF> &rects)
{
    // A pixel of slack for antialiased edges that round outwards.
    if (!picture.isNull()) {
        for (const QRectF &rect : rects)
            stale += mapFromScene(rect).boundingRect().adjusted(-2, -2, 2, 2) & viewport()->rect();
    }
    QGraphicsView::updateScene(rects);
}

void DiagramView::refreshPicture()
{
    const qreal ratio = viewport()->devicePixelRatioF();
    const QSize size = viewport()->size() * ratio;
    const QTransform now = viewportTransform();
    const QPointF shift(now.dx() - pictureTransform.dx(), now.dy() - pictureTransform.dy());
    // Scrolled by whole pixels: what is still in sight is moved, not drawn again.
    if (!picture.isNull() && picture.size() == size && ratio == 1 && now != pictureTransform
        && now * QTransform::fromTranslate(-shift.x(), -shift.y()) == pictureTransform
        && shift == QPointF(shift.toPoint())) {
        QRegion exposed;
        picture.scroll(shift.toPoint().x(), shift.toPoint().y(), picture.rect(), &exposed);
        stale.translate(shift.toPoint());
        stale += exposed;
        pictureTransform = now;
    }
    if (picture.size() != size || pictureTransform != now) {
        picture = QPixmap(size);
        picture.setDevicePixelRatio(ratio);
        pictureTransform = now;
        stale = QRegion(viewport()->rect());
    }
    if (stale.isEmpty())
        return;
    QPainter painter(&picture);
    painter.setRenderHints(renderHints());
    const QBrush background = viewport()->palette().brush(viewport()->backgroundRole());
    for (const QRect &rect : std::as_const(stale)) {
        painter.fillRect(rect, background);
        render(&painter, QRectF(rect), rect);
    }
    stale = QRegion();
}

void DiagramView::paintEvent(QPaintEvent *event)
{
    if (!scene()) {
        picture = QPixmap();
        QGraphicsView::paintEvent(event);
        return;
    }
    // The toolkit's own paint, over nothing: it is where the scene learns that its
    // views are painted and takes update requests again.
    QPaintEvent nothing{QRegion()};
    QGraphicsView::paintEvent(&nothing);
    refreshPicture();
    QPainter painter(viewport());
    painter.setClipRegion(event->region());
    painter.drawPixmap(0, 0, picture);

    // The toolkit draws the rubber band in the paint this replaces.
    const QRect band = rubberBandRect();
    if (band.isEmpty())
        return;
    QStyleOptionRubberBand option;
    option.initFrom(viewport());
    option.rect = band;
    option.shape = QRubberBand::Rectangle;
    QStyleHintReturnMask mask;
    if (viewport()->style()->styleHint(QStyle::SH_RubberBand_Mask, &option, viewport(), &mask))
        painter.setClipRegion(mask.region, Qt::IntersectClip);
    viewport()->style()->drawControl(QStyle::CE_RubberBand, &option, &painter, viewport());
}
