/*
*************************************************
********************! WARNING !********************
This file contain source code automatically generate by
Varnel. Errors are possibles.
*************************************************
*/

/*
Geometric circle
*/

#ifndef CIRCLE_H
#define CIRCLE_H

#include <point.h>
#include <QObject>
#include <QList>
#include <canvas.h>
#include <shape.h>

class Circle : public Shape, public QObject
{

public:
    void scale(double factor, Point origin);
    void setRadius(const double& radius);
    double getRadius()const;
    QString m_label;

protected:
    bool redraw();

private:
    double m_radius;
    Point* m_center;

};

#endif // CIRCLE_H