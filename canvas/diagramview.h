#ifndef DIAGRAMVIEW_H
#define DIAGRAMVIEW_H

#include <QGraphicsView>
#include <QPixmap>
#include <QPointer>
#include <QRegion>

// The view of the diagram canvas. Ctrl+wheel asks for zoom steps; a zoom keeps a
// chosen point of the viewport on the same place of the diagram. Zoomed out, where
// the boxes are drawn as outlines, it paints from a picture of the viewport that only
// changed parts of the scene are drawn into again: redrawing thousands of items on
// every repaint is what makes a large diagram slow.
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
    // Whether repaints are served from the picture at the current scale.
    bool paintsFromPicture() const;

    // Below this scale the view paints from its picture.
    static constexpr qreal PictureBelow = 0.35;

signals:
    // Ctrl+wheel: steps up (positive) or down, around this viewport point.
    void zoomStepsRequested(int steps, QPointF anchor);

protected:
    void wheelEvent(QWheelEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void followScene();
    void sceneChanged(const QList<QRectF> &rects);
    void refreshPicture();

    // Where the last zoom meant the viewport's top-left corner to be, and at which
    // scale; forgotten as soon as the user scrolls.
    QPointF intendedOrigin;
    qreal intendedScale = 0;
    bool zooming = false;
    int wheelRemainder = 0;

    QPointer<QGraphicsScene> followed;
    QPixmap picture;
    QTransform pictureTransform;
    // Viewport parts of the picture that no longer show the scene.
    QRegion stale;
};

#endif // DIAGRAMVIEW_H
