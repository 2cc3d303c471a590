#ifndef CLASSITEM_H
#define CLASSITEM_H

#include <QGraphicsItem>
#include <QList>

class ClassModel;
class Link;
class QFont;

// The UML box of one class on the canvas. It owns the class's model.
class ClassItem : public QGraphicsItem
{
public:
    enum { Type = UserType + 1 };
    // The canvas spans this many pixels in both directions from the origin.
    static constexpr int canvasSize = 10000;

    explicit ClassItem(const QFont *font);
    // A box for a model already filled, which it takes over: measured once, as it is.
    ClassItem(ClassModel *model, const QFont *font);
    ~ClassItem() override;

    ClassItem(const ClassItem &) = delete;
    ClassItem &operator=(const ClassItem &) = delete;

    int type() const override { return Type; }
    ClassModel *getModel() const { return model; }
    int getWidth() const;
    int getHeight() const;

    QRectF boundingRect() const override;
    void paint(QPainter *painter, const QStyleOptionGraphicsItem *option, QWidget *widget) override;

    // Measures the text again in the box's font, for a font that changed in place.
    void relayout();

protected:
    void mousePressEvent(QGraphicsSceneMouseEvent *event) override;
    void mouseMoveEvent(QGraphicsSceneMouseEvent *event) override;
    void mouseReleaseEvent(QGraphicsSceneMouseEvent *event) override;
    QVariant itemChange(GraphicsItemChange change, const QVariant &value) override;

private:
    // Links register here while this box is one of their ends, so that a move or a
    // new size reaches exactly the links it concerns.
    friend class Link;
    void adjustLinks();

    bool dragging = false;
    // Whether the box was selected before the press; a Ctrl+click then deselects it.
    bool selectedAtPress = false;
    // The boxes a drag carries and where it picked them up.
    QList<ClassItem *> carried;
    QList<QPointF> pickedUpAt;
    ClassModel *model;
    const QFont *font;
    // The layout last announced to the scene; the model's figures change before the
    // box hears of it. Measured once per change rather than at every paint.
    QRectF extent;
    int width = 0;
    int height = 0;
    int linePitch = 0;
    int titleBand = 0;
    int sectionGap = 0;
    qreal fontPixels = 0;
    QList<Link *> links;
};

#endif // CLASSITEM_H
