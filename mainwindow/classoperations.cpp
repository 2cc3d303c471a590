// The main window's operations on the classes of the diagram.
#include "mainwindow/mainwindow.h"
#include "ui_mainwindow.h"

#include "canvas/classitem.h"
#include "canvas/link.h"
#include "commands/addclasscommand.h"
#include "commands/deleteitemscommand.h"
#include "commands/editclasscommand.h"
#include "commands/moveboxescommand.h"
#include "editors/classeditor.h"
#include "model/classmodel.h"
#include "model/linkmodel.h"

#include <algorithm>

void MainWindow::on_actionAddClass_triggered()
{
    // The editor is modal, so a pending box is left by an earlier addition that was
    // never answered; it is on no list and would otherwise be lost.
    delete pendingClass;

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

    item->setZValue(1);
    item->setPos(newClassPosition(item));
    undoSteps.push(new AddClassCommand(diagramLists(), item));
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
    // Nothing reached the diagram: no step, and the mark stays.
    delete pendingClass;
    pendingClass = nullptr;
}

void MainWindow::modClass(ClassModel *model)
{
    // Opening the editor changes nothing by itself: its session becomes one step when
    // it ends, if it changed the class.
    editedClass = boxOf(model);
    if (editedClass)
        editedClassBefore = ClassSnapshot::of(*model);
    classEditor->openToEdit(model);
}

void MainWindow::classEdited(ClassModel *classMod)
{
    ClassItem *box = std::exchange(editedClass, nullptr);
    if (!box || box->getModel() != classMod)
        return;
    const ClassSnapshot after = ClassSnapshot::of(*classMod);
    if (after != editedClassBefore)
        undoSteps.push(new EditClassCommand(box, editedClassBefore, after));
}

void MainWindow::classDeleted(ClassModel *classMod)
{
    ClassItem *box = boxOf(classMod);
    if (!box)
        return;

    // What the session changed before the class was deleted is undone with the deletion.
    const bool edited = std::exchange(editedClass, nullptr) == box
                        && ClassSnapshot::of(*classMod) != editedClassBefore;
    if (edited) {
        undoSteps.beginMacro(DeleteItemsCommand::tr("supprimer %1").arg(editedClassBefore.name));
        undoSteps.push(new EditClassCommand(box, editedClassBefore, ClassSnapshot::of(*classMod)));
    }
    deleteItems({box}, {});
    if (edited)
        undoSteps.endMacro();
}

ClassItem *MainWindow::boxOf(const ClassModel *model) const
{
    const auto found =
        std::find_if(classItems.cbegin(), classItems.cend(),
                     [model](const ClassItem *item) { return item->getModel() == model; });
    return found == classItems.cend() ? nullptr : *found;
}

void MainWindow::deleteItems(const QList<ClassItem *> &boxes, const QList<Link *> &links)
{
    if (!boxes.isEmpty() || !links.isEmpty())
        undoSteps.push(new DeleteItemsCommand(diagramLists(), boxes, links));
}

void MainWindow::deleteSelection()
{
    QList<ClassItem *> boxes;
    QList<Link *> links;
    // In list order, so that the step names them as the diagram does.
    for (ClassItem *box : std::as_const(classItems)) {
        if (box->isSelected())
            boxes.append(box);
    }
    for (Link *link : std::as_const(linkItems)) {
        if (link->isSelected())
            links.append(link);
    }
    deleteItems(boxes, links);
}

void MainWindow::boxesMoved(const QList<ClassItem *> &boxes, const QList<QPointF> &from)
{
    undoSteps.push(new MoveBoxesCommand(boxes, from));
}
