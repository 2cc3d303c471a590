#ifndef DIAGRAMVIEW_H
#define DIAGRAMVIEW_H

#include <QGraphicsView>
#include <QPixmap>
#include <QRegion>

// The view of the diagram canvas. Ctrl+wheel asks for zoom steps; a zoom keeps a
// chosen point of the viewport on the same place of the diagram. It paints from a
// picture of the viewport into which only the parts of the scene that changed are
// drawn again, and which a scroll moves: redrawing every item in sight on every
// repaint is what made a large diagram slow (a zoomed-out view holds thousands).
class DiagramView : public QGraphicsView
{
    Q_OBJECT

public:
    explicit DiagramView(QWidget *parent = nullptr);

    // Sets the scale factor, keeping the translation, so that the scene point under
    // anchor (viewport coordinates) stays under it. Successive zooms keep the point
    // exactly, even where the scroll bars had to round or stop at their ends.
    void zoomTo(qreal factor, const QPointF &anchor);
    QPointF viewportCentre() const;

public slots:
    // Declared here so that the toolkit reports the scene's changes to this view as
    // rectangles, which the picture needs; it hides the base slot on purpose.
    void updateScene(const QList<QRectF> &rects);

signals:
    // Ctrl+wheel: steps up (positive) or down, around this viewport point.
    void zoomStepsRequested(int steps, QPointF anchor);

protected:
    void wheelEvent(QWheelEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void refreshPicture();

    // Where the last zoom meant the viewport's top-left corner to be, and at which
    // scale; forgotten as soon as the user scrolls.
    QPointF intendedOrigin;
    qreal intendedScale = 0;
    bool zooming = false;
    int wheelRemainder = 0;

    QPixmap picture;
    QTransform pictureTransform;
    // Viewport parts of the picture that no longer show the scene.
    QRegion stale;
};

#endif // DIAGRAMVIEW_H
