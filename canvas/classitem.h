#ifndef CLASSITEM_H
#define CLASSITEM_H

#include <QGraphicsItem>

class ClassModel;
class QFont;

// The UML box of one class on the canvas. It owns the class's model.
class ClassItem : public QGraphicsItem
{
public:
    enum { Type = UserType + 1 };

    explicit ClassItem(const QFont *font);
    ~ClassItem() override;

    ClassItem(const ClassItem &) = delete;
    ClassItem &operator=(const ClassItem &) = delete;

    int type() const override { return Type; }
    ClassModel *getModel() const { return model; }
    int getWidth() const;
    int getHeight() const;

    QRectF boundingRect() const override;
    void paint(QPainter *painter, const QStyleOptionGraphicsItem *option, QWidget *widget) override;

private:
    bool dragging = false;
    ClassModel *model;
    const QFont *font;
};

#endif // CLASSITEM_H
