#ifndef LINK_H
#define LINK_H

#include <QGraphicsItem>

class LinkModel;

// The drawn relation between two class boxes. It owns its model.
class Link : public QGraphicsItem
{
public:
    enum { Type = UserType + 2 };

    Link();
    ~Link() override;

    Link(const Link &) = delete;
    Link &operator=(const Link &) = delete;

    int type() const override { return Type; }
    LinkModel *getModel() const { return model; }

    QRectF boundingRect() const override;
    void paint(QPainter *painter, const QStyleOptionGraphicsItem *option, QWidget *widget) override;

private:
    int boundWidth = 0;
    int boundHeight = 0;
    LinkModel *model;
    QPointF masterPoint{5000, 5000};
    QPointF slavePoint{5000, 5000};
};

#endif // LINK_H
