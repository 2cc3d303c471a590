// The main window's operations on the links of the diagram.
#include "mainwindow/mainwindow.h"

#include "canvas/classitem.h"
#include "canvas/link.h"
#include "model/linkmodel.h"

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

void MainWindow::addLinkOfType(int)
{}

void MainWindow::addLink()
{}

void MainWindow::linkCanceled()
{}

void MainWindow::editLink(LinkModel *)
{}

void MainWindow::linkDeleted(LinkModel *)
{}
