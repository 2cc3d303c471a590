#include "canvas/classitem.h"

#include "model/classmodel.h"

#include <QPainter>

ClassItem::ClassItem(const QFont *font)
    : model(new ClassModel)
    , font(font)
{}

ClassItem::~ClassItem()
{
    delete model;
}

int ClassItem::getWidth() const
{
    return 9 * model->maxLineLength();
}

int ClassItem::getHeight() const
{
    return 15 * model->lineCount() + 30;
}

QRectF ClassItem::boundingRect() const
{
    return QRectF(0, 0, getWidth() + 6, getHeight());
}

void ClassItem::paint(QPainter *painter, const QStyleOptionGraphicsItem *, QWidget *)
{
    painter->drawRect(QRect(0, 0, getWidth(), getHeight()));
}
