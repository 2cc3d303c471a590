// The main window's operations on the links of the diagram.
#include "mainwindow/mainwindow.h"
#include "ui_mainwindow.h"

#include "canvas/classitem.h"
#include "canvas/link.h"
#include "commands/addlinkcommand.h"
#include "editors/linkeditor.h"
#include "model/linkmodel.h"

#include <algorithm>

#include <QMessageBox>

void MainWindow::on_actionAddInheritanceLink_triggered()
{
    addLinkOfType(LinkModel::Inheritance);
}

void MainWindow::on_actionAddAgragationLink_triggered()
{
    addLinkOfType(LinkModel::Aggregation);
}

void MainWindow::on_actionAddAssociationLink_triggered()
{
    addLinkOfType(LinkModel::Association);
}

void MainWindow::addLinkOfType(int type)
{
    // A link needs two classes; without them the action is silently inert.
    if (classItems.size() < 2)
        return;

    // An earlier addition that was never answered: its item is on no list.
    delete pendingLink;

    pendingLink = new Link;
    pendingLink->getModel()->setType(type);
    linkEditor->openLink(pendingLink->getModel(), false, classItems);
}

void MainWindow::addLink()
{
    if (!pendingLink)
        return;
    LinkModel *pending = pendingLink->getModel();
    // Only a link between two different classes can be drawn.
    if (!pending->isComplete()) {
        linkCanceled();
        return;
    }

    // Two classes are joined by one link at most, whatever its kind or direction.
    bool duplicate = false;
    const QList<Link *> links = linkItems;
    for (const Link *link : links) {
        const LinkModel *existing = link->getModel();
        bool same = false;
        if (existing->master() == pending->master())
            same = existing->slave() == pending->slave();
        else if (existing->slave() == pending->master())
            same = existing->master() == pending->slave();
        if (same) {
            duplicate = true;
            // Over the editor when it is still open, so the box is not hidden behind it.
            QWidget *parent = linkEditor->isVisible() ? static_cast<QWidget *>(linkEditor)
                                                      : static_cast<QWidget *>(this);
            QMessageBox::warning(parent, tr("Erreur"),
                                 tr("Un lien existe déjà entre ces deux classes."),
                                 QMessageBox::Ok);
        }
    }
    if (duplicate) {
        delete pendingLink;
        pendingLink = nullptr;
        return;
    }

    Link *item = pendingLink;
    pendingLink = nullptr;
    connect(item->getModel(), &LinkModel::editing, this, &MainWindow::editLink);
    undoSteps.push(new AddLinkCommand(diagramLists(), item));
    ui->gra_graphicsView->updateSceneRect(scene.sceneRect());
}

void MainWindow::linkCanceled()
{
    // Also sent when an edit is left incomplete; then there is nothing to drop. Nothing
    // reached the diagram: no step, and the mark stays.
    if (!pendingLink)
        return;
    delete pendingLink;
    pendingLink = nullptr;
}

void MainWindow::editLink(LinkModel *link)
{
    // Opening the editor changes nothing by itself; a confirmed change becomes a step.
    editedLink = linkOf(link);
    if (editedLink)
        editedLinkBefore = EditLinkCommand::endsOf(editedLink);
    linkEditor->openLink(link, true, classItems);
}

void MainWindow::linkEdited(LinkModel *link)
{
    Link *item = std::exchange(editedLink, nullptr);
    if (item && item->getModel() == link && !(EditLinkCommand::endsOf(item) == editedLinkBefore))
        undoSteps.push(new EditLinkCommand(item, editedLinkBefore));
}

void MainWindow::linkDeleted(LinkModel *link)
{
    if (Link *item = linkOf(link))
        deleteItems({}, {item});
}

Link *MainWindow::linkOf(const LinkModel *model) const
{
    const auto found =
        std::find_if(linkItems.cbegin(), linkItems.cend(),
                     [model](const Link *item) { return item->getModel() == model; });
    return found == linkItems.cend() ? nullptr : *found;
}
