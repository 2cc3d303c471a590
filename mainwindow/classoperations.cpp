// The main window's operations on the classes of the diagram.
#include "mainwindow/mainwindow.h"

#include "canvas/classitem.h"
#include "canvas/link.h"
#include "editors/classeditor.h"
#include "model/classmodel.h"
#include "model/linkmodel.h"

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
    // The centre of the canvas; the user drags the box away from there.
    item->setPos(5000, 5000);
    setModified(true);
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
