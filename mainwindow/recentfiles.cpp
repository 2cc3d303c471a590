// The main window's list of recent diagrams, in the "VNL" menu.
#include "mainwindow/mainwindow.h"
#include "ui_mainwindow.h"

#include "codegen/codegen.h"
#include "persistence/sessionstate.h"

#include <QFileInfo>
#include <QStatusBar>

void MainWindow::setDiagramFile(const QString &path)
{
    diagramFile = path;
    codeGen->setDiagramFile(path);
    if (!path.isEmpty()) {
        SessionState::addRecentFile(path);
        updateRecentFilesMenu();
    }
}

void MainWindow::updateRecentFilesMenu()
{
    QMenu *menu = ui->menuRecentFiles;
    // The action being triggered may be among those replaced: deleted later, not now.
    const QList<QAction *> old = menu->actions();
    for (QAction *action : old) {
        menu->removeAction(action);
        if (action != clearRecentAction)
            action->deleteLater();
    }
    const QStringList files = SessionState::recentFiles();
    for (const QString &path : files) {
        QAction *action = menu->addAction(QFileInfo(path).fileName());
        action->setStatusTip(path);
        action->setData(path);
        connect(action, &QAction::triggered, this, [this, path] { openRecentFile(path); });
    }
    if (!files.isEmpty())
        menu->addSeparator();
    menu->addAction(clearRecentAction);
    clearRecentAction->setEnabled(!files.isEmpty());
}

void MainWindow::openRecentFile(const QString &path)
{
    if (!QFileInfo(path).isFile()) {
        SessionState::removeRecentFile(path);
        updateRecentFilesMenu();
        statusBar()->showMessage(
            tr("Ce diagramme n'existe plus, il est retiré des fichiers récents : ") + path, 10000);
        return;
    }
    // The rest of "Charger", with this path for the dialog's answer.
    if (savesBeforeLoading())
        return;
    load(path);
}

void MainWindow::clearRecentFiles()
{
    SessionState::clearRecentFiles();
    updateRecentFilesMenu();
}
