// The main window's operations on the classes of the diagram.
#include "mainwindow/mainwindow.h"
#include "ui_mainwindow.h"

#include "canvas/classitem.h"
#include "canvas/link.h"
#include "editors/classeditor.h"
#include "model/classmodel.h"
#include "model/linkmodel.h"

#include <algorithm>

void MainWindow::on_actionAddClass_triggered()
{
    // The editor is modal, so a pending box is left by an earlier addition that was
    // never answered; it is on no list and would otherwise be lost. It did not touch
    // the mark, which a save may have cleared since: the present mark is the one to
    // restore on cancel.
    delete pendingClass;
    modifiedBeforeAdd = modified;

    pendingClass = new ClassItem(cfg.font());
    connect(pendingClass->getModel(), &ClassModel::editing, this, &MainWindow::modClass);
    classEditor->openToAdd(pendingClass->getModel());
}

void MainWindow::addClass()
{
    if (!pendingClass)
        return;
    ClassItem *item = pendingClass;
    pendingClass = nullptr;

    classItems.append(item);
    scene.addItem(item);
    item->setZValue(1);
    item->setPos(newClassPosition(item));
    setModified(true);
}

QPointF MainWindow::newClassPosition(const ClassItem *item) const
{
    // The centre of the canvas while it is in sight, else the centre of what is seen.
    const QGraphicsView *view = ui->gra_graphicsView;
    const QRectF seen =
        view->mapToScene(view->viewport()->rect()).boundingRect() & scene.sceneRect();
    QPointF place(5000, 5000);
    if (!seen.isEmpty() && !seen.contains(place))
        place = QPointF(qRound(seen.center().x()), qRound(seen.center().y()));
    // A box exactly there would hide the new one: step down and right past it.
    const auto taken = [&](const QPointF &point) {
        return std::any_of(classItems.cbegin(), classItems.cend(), [&](const ClassItem *other) {
            return other != item && other->pos() == point;
        });
    };
    while (taken(place))
        place += QPointF(20, 20);
    return place;
}

void MainWindow::addCanceled()
{
    if (!pendingClass)
        return;
    delete pendingClass;
    pendingClass = nullptr;
    // Nothing reached the diagram, so its mark is what it was before.
    setModified(modifiedBeforeAdd);
}

void MainWindow::modClass(ClassModel *model)
{
    // Opening a class for editing counts as a change, whatever the user then does.
    setModified(true);
    classEditor->openToEdit(model);
}

void MainWindow::classDeleted(ClassModel *classMod)
{
    ClassItem *box = nullptr;
    for (ClassItem *item : std::as_const(classItems)) {
        if (item->getModel() == classMod) {
            box = item;
            break;
        }
    }
    if (!box)
        return;

    // Its links go first so that none is ever left pointing at a deleted box. One
    // pass: a link with the box at both ends is still collected only once.
    QList<Link *> attached;
    for (Link *link : std::as_const(linkItems)) {
        const LinkModel *model = link->getModel();
        if (model->master() == box || model->slave() == box)
            attached.append(link);
    }
    for (Link *link : std::as_const(attached)) {
        linkItems.removeOne(link);
        delete link;
    }

    classItems.removeOne(box);
    delete box;
    setModified(true);
}
