// The main window's document commands: new, open, save, save as and closing.
#include "mainwindow/mainwindow.h"

#include <QCloseEvent>

bool MainWindow::save(const QString &)
{
    return false;
}

bool MainWindow::load(const QString &)
{
    return false;
}

void MainWindow::clearDiagram()
{}

void MainWindow::on_actionNew_triggered()
{}

void MainWindow::on_actionLoad_triggered()
{}

void MainWindow::on_actionSave_triggered()
{}

void MainWindow::on_actionSaveAs_triggered()
{}

void MainWindow::closeEvent(QCloseEvent *event)
{
    event->accept();
}
