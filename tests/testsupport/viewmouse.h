#ifndef VIEWMOUSE_H
#define VIEWMOUSE_H

#include <QApplication>
#include <QGraphicsView>
#include <QMouseEvent>

// Drives a graphics view the way a user's mouse does: events at viewport pixels, with
// screen positions that follow them and the buttons held so far.
class ViewMouse
{
public:
    explicit ViewMouse(QGraphicsView *view)
        : view(view)
    {}

    void press(Qt::MouseButton button, QPoint at)
    {
        held |= button;
        send(QEvent::MouseButtonPress, button, at);
    }
    void move(QPoint to) { send(QEvent::MouseMove, Qt::NoButton, to); }
    void release(Qt::MouseButton button, QPoint at)
    {
        held &= ~Qt::MouseButtons(button);
        send(QEvent::MouseButtonRelease, button, at);
    }

private:
    void send(QEvent::Type type, Qt::MouseButton button, QPoint at)
    {
        QWidget *viewport = view->viewport();
        QMouseEvent event(type, QPointF(at), QPointF(viewport->mapToGlobal(at)), button, held,
                          Qt::NoModifier);
        QApplication::sendEvent(viewport, &event);
    }

    QGraphicsView *view;
    Qt::MouseButtons held;
};

#endif // VIEWMOUSE_H
