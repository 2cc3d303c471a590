// The main window's document commands: new, open, save, save as and closing.
#include "mainwindow/mainwindow.h"
#include "ui_mainwindow.h"

#include "canvas/classitem.h"
#include "canvas/link.h"
#include "model/classmodel.h"
#include "model/linkmodel.h"
#include "persistence/diagramreader.h"
#include "persistence/diagramwriter.h"
#include "persistence/sessionstate.h"

#include <QCloseEvent>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QStatusBar>

namespace {

// Qt's own dialog rather than the desktop's: it looks the same everywhere and the
// tests can answer it.
const QFileDialog::Options fileDialogOptions = QFileDialog::DontUseNativeDialog;

} // namespace

bool MainWindow::save(const QString &path)
{
    if (path.isEmpty())
        return false;
    if (!DiagramWriter::writeFile(path, classItems, linkItems)) {
        QMessageBox::critical(this, tr("Erreur"),
                              tr("Impossible de créer un fichier de sauvegarde."));
        return false;
    }
    filePath = path;
    setDiagramFile(path);
    statusBar()->showMessage(tr("Sauvegarde effectuée - ") + path, 10000);
    fileName = QFileInfo(path).fileName();
    setModified(false);
    return true;
}

bool MainWindow::load(const QString &path)
{
    // Everything is read before the open diagram is touched: a file that cannot be
    // read leaves it as it was.
    DiagramReader reader(cfg.font());
    switch (reader.readFile(path)) {
    case DiagramReader::CannotOpen:
        QMessageBox::critical(this, tr("Erreur"),
                              tr("Impossible d'ouvrir le fichier à cet emplacement :") + path);
        return false;
    case DiagramReader::CannotParse:
        QMessageBox::critical(
            this, tr("Erreur"),
            tr("Le fichier de sauvegarde a bien été ouvert mais il est impossible de le lire.")
                + QLatin1Char('\n')
                + tr("Le fichier a sûrement subie une mauvaise modification. Contactez le "
                     "support pour trouver une solution."));
        return false;
    case DiagramReader::ReadOk:
        break;
    }

    clearDiagram();
    // A diagram that was read is the one Save overwrites, however it was opened.
    filePath = path;
    classItems = reader.takeClasses();
    linkItems = reader.takeLinks();
    for (ClassItem *item : std::as_const(classItems)) {
        connect(item->getModel(), &ClassModel::editing, this, &MainWindow::modClass);
        scene.addItem(item);
    }
    for (Link *link : std::as_const(linkItems)) {
        connect(link->getModel(), &LinkModel::editing, this, &MainWindow::editLink);
        scene.addItem(link);
    }
    ui->gra_graphicsView->updateSceneRect(scene.sceneRect());
    showDiagram();
    if (const int dropped = reader.linksToMissingClasses())
        statusBar()->showMessage(dropped == 1
                                     ? tr("1 lien ignoré : classe introuvable")
                                     : tr("%1 liens ignorés : classe introuvable").arg(dropped),
                                 10000);

    fileName = QFileInfo(path).fileName();
    updateTitle();
    setDiagramFile(path);
    return true;
}

void MainWindow::showDiagram()
{
    // The view opens on the middle of the canvas, where a diagram drawn near its
    // corner would be out of sight. Its top left corner goes to the view's, which
    // stays in place when the window is then resized.
    if (classItems.isEmpty())
        return;
    QRectF bounds;
    for (const ClassItem *item : std::as_const(classItems))
        bounds |= item->sceneBoundingRect();
    QGraphicsView *view = ui->gra_graphicsView;
    const QRectF visible = view->mapToScene(view->viewport()->rect()).boundingRect();
    const qreal margin = 20;
    view->centerOn(bounds.topLeft() - QPointF(margin, margin)
                   + QPointF(visible.width() / 2, visible.height() / 2));
}

void MainWindow::clearDiagram()
{
    // The steps go with the diagram they change, and delete what they hold. An empty
    // stack that was marked is not made clean by clear() alone.
    undoSteps.clear();
    undoSteps.setClean();
    editedClass = nullptr;
    editedLink = nullptr;
    // Deleting an item takes it off the scene.
    qDeleteAll(std::exchange(linkItems, {}));
    qDeleteAll(std::exchange(classItems, {}));
}

void MainWindow::on_actionNew_triggered()
{
    if (modified
        && QMessageBox::question(this, tr("Nouveau"),
                                 tr("Voulez-vous sauvegarder votre travail actuel avant de crer "
                                    "un nouveau diagramme ?"),
                                 QMessageBox::Yes | QMessageBox::No)
               == QMessageBox::Yes) {
        // Saved, not cleared: the user chooses "Nouveau" again once the work is safe.
        on_actionSave_triggered();
        return;
    }
    clearDiagram();
    setDiagramFile(QString());
    fileName = tr("Sans nom");
    updateTitle();
}

bool MainWindow::savesBeforeLoading()
{
    if (modified
        && QMessageBox::question(this, tr("Charger"),
                                 tr("Voulez-vous sauvegarder votre travail actuel avant d'ouvrir "
                                    "un autre diagramme ?"),
                                 QMessageBox::Yes | QMessageBox::No)
               == QMessageBox::Yes) {
        on_actionSave_triggered();
        return true;
    }
    return false;
}

void MainWindow::on_actionLoad_triggered()
{
    if (savesBeforeLoading())
        return;
    const QString openDialog = QStringLiteral("open");
    const QString path = QFileDialog::getOpenFileName(
        this, tr("Ouvrir un diagramme"), SessionState::dialogFolder(openDialog, diagramFile),
        tr("Sauvegardes VNL (*vnls)"), nullptr, fileDialogOptions);
    if (path.isEmpty())
        return;
    SessionState::rememberDialogFolder(openDialog, path, false);
    load(path);
}

void MainWindow::on_actionSave_triggered()
{
    saveDocument();
}

MainWindow::SaveOutcome MainWindow::saveDocument()
{
    if (filePath.isEmpty())
        return saveDocumentAs();
    if (QMessageBox::question(this, tr("Enregistrer"),
                              tr("Etês vous sur de vouloir écraser votre ancienne sauvegarde ?"),
                              QMessageBox::Yes | QMessageBox::No)
        != QMessageBox::Yes)
        return SaveOutcome::Declined;
    return save(filePath) ? SaveOutcome::Saved : SaveOutcome::Failed;
}

void MainWindow::on_actionSaveAs_triggered()
{
    saveDocumentAs();
}

MainWindow::SaveOutcome MainWindow::saveDocumentAs()
{
    const QString saveAsDialog = QStringLiteral("saveAs");
    const QString typed = QFileDialog::getSaveFileName(
        this, tr("Enregistrer sous ..."), SessionState::dialogFolder(saveAsDialog, diagramFile),
        tr("Sauvegarde VNL (*.vnls)"), nullptr, fileDialogOptions);
    if (typed.isEmpty())
        return SaveOutcome::Declined;
    SessionState::rememberDialogFolder(saveAsDialog, typed, false);
    QString path = typed;
    if (!path.contains(QLatin1String(".vnls")))
        path += QLatin1String(".vnls");
    // The dialog asked about the name typed; the file written may be another one.
    if (path != typed && QFileInfo::exists(path)
        && QMessageBox::question(
               this, tr("Enregistrer sous ..."),
               tr("Le fichier %1 existe déjà.").arg(QDir::toNativeSeparators(path))
                   + QLatin1Char('\n') + tr("Voulez-vous le remplacer ?"),
               QMessageBox::Yes | QMessageBox::No)
               != QMessageBox::Yes)
        return SaveOutcome::Declined;
    return save(path) ? SaveOutcome::Saved : SaveOutcome::Failed;
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    if (modified && cfg.autoSave()) {
        // A failed save must not cost the user the diagram; one he declined lets him
        // quit without saving.
        if (saveDocument() == SaveOutcome::Failed) {
            event->ignore();
            return;
        }
    } else if (modified
               && QMessageBox::question(this, tr("Fermeture"),
                                        tr("Voulez-vous sauvegarder votre travail avant de "
                                           "fermer le logiciel ?"),
                                        QMessageBox::Yes | QMessageBox::No)
                      == QMessageBox::Yes) {
        on_actionSave_triggered();
        // A save that was cancelled or failed must not cost the user the diagram.
        if (modified) {
            event->ignore();
            return;
        }
    }
    if (!cfg.askForClose()) {
        event->accept();
        return;
    }
    if (QMessageBox::question(this, tr("Fermeture"), tr("Êtes vous sûr de vouloir fermer VNL ?"),
                              QMessageBox::Yes | QMessageBox::No)
        == QMessageBox::Yes)
        event->accept();
    else
        event->ignore();
}
