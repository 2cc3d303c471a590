// The main window's operations on the classes of the diagram.
#include "mainwindow/mainwindow.h"

#include "canvas/classitem.h"
#include "canvas/link.h"
#include "model/classmodel.h"

void MainWindow::on_actionAddClass_triggered()
{}

void MainWindow::addClass()
{}

void MainWindow::addCanceled()
{}

void MainWindow::modClass(ClassModel *)
{}

void MainWindow::classDeleted(ClassModel *)
{}
