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

#include <circle.h>

void Circle::scale(double factor, Point origin)
{

}

void Circle::setRadius(const double &radius)
{
    m_radius = radius;
}

double Circle::getRadius()const
{
    return m_radius;
}

bool Circle::redraw()
{

}

