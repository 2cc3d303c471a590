#include "mainwindow/mainwindow.h"
#include "ui_mainwindow.h"

#include "canvas/classitem.h"
#include "canvas/diagramview.h"
#include "canvas/link.h"
#include "codegen/codegen.h"
#include "editors/classeditor.h"
#include "editors/linkeditor.h"
#include "mainwindow/startup.h"
#include "model/classmodel.h"
#include "model/linkmodel.h"
#include "windows/aboutus.h"
#include "windows/cfgeditor.h"
#include "windows/wellwin.h"

#include <QApplication>
#include <QKeySequence>
#include <QLabel>
#include <QMessageBox>
#include <QTransform>

namespace {

constexpr int BspDepth = 8;

} // namespace

MainWindow::MainWindow(QWidget *parent)
    : QMainWindow(parent)
    , ui(new Ui::MainWindow)
{
    Startup::ignoreFileSizeSignal();
    ui->setupUi(this);
    setWindowState(Qt::WindowMaximized);
    loadCfg();

    cfgEditor = new CfgEditor(nullptr, &cfg);
    connect(cfgEditor, &CfgEditor::applyCfg, this, &MainWindow::applyCfg);

    modified = false;
    fileName = tr("Sans nom");
    filePath.clear();
    updateTitle();

    // The editor keeps these two pointers, so applied preferences reach it directly.
    classEditor = new ClassEditor(nullptr, cfg.prefixe(), cfg.autoAddSetGetFct());
    classEditor->setDiagramClasses(&classItems);

    scene.setSceneRect(0, 0, ClassItem::canvasSize, ClassItem::canvasSize);
    // The depth Qt derives from the item count files a long link in thousands of
    // cells; a fixed depth keeps memory and the first paint in proportion.
    scene.setBspTreeDepth(BspDepth);
    ui->gra_graphicsView->setScene(&scene);
    // A drag that starts on empty canvas selects what its rectangle touches.
    ui->gra_graphicsView->setDragMode(QGraphicsView::RubberBandDrag);
    connect(&scene, &DiagramScene::boxesMoved, this, &MainWindow::boxesMoved);

    ui->actionRedo->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    connect(ui->actionUndo, &QAction::triggered, &undoSteps, &QUndoStack::undo);
    connect(ui->actionRedo, &QAction::triggered, &undoSteps, &QUndoStack::redo);
    connect(&undoSteps, &QUndoStack::canUndoChanged, ui->actionUndo, &QAction::setEnabled);
    connect(&undoSteps, &QUndoStack::canRedoChanged, ui->actionRedo, &QAction::setEnabled);
    connect(&undoSteps, &QUndoStack::undoTextChanged, this, [this](const QString &step) {
        ui->actionUndo->setText(step.isEmpty() ? tr("Annuler") : tr("Annuler : %1").arg(step));
    });
    connect(&undoSteps, &QUndoStack::redoTextChanged, this, [this](const QString &step) {
        ui->actionRedo->setText(step.isEmpty() ? tr("Rétablir") : tr("Rétablir : %1").arg(step));
    });
    connect(&undoSteps, &QUndoStack::cleanChanged, this, &MainWindow::showMark);
    connect(ui->actionDelete, &QAction::triggered, this, &MainWindow::deleteSelection);
    connect(ui->actionClearSelection, &QAction::triggered, &scene, &QGraphicsScene::clearSelection);
    connect(ui->gra_graphicsView, &DiagramView::zoomStepsRequested, this, &MainWindow::stepZoom);
    // Shortcuts without a menu entry of their own; Ctrl+= is Ctrl++ without Shift.
    ui->actionZoomIn->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::Key_Equal)});
    addActions({ui->actionZoomIn, ui->actionZoomOut});

    linkEditor = new LinkEditor(nullptr);
    codeGen = new CodeGen(&classItems, &linkItems, nullptr);

    auto *ready = new QLabel(tr("Prêt"));
    ready->setObjectName(QStringLiteral("lab_ready"));
    ui->statusBar->addWidget(ready, 0);

    connect(classEditor, &ClassEditor::addClass, this, &MainWindow::addClass);
    connect(classEditor, &ClassEditor::addCanceled, this, &MainWindow::addCanceled);
    connect(classEditor, &ClassEditor::classCanceled, this, &MainWindow::classDeleted);
    connect(classEditor, &ClassEditor::editFinished, this, &MainWindow::classEdited);
    connect(linkEditor, &LinkEditor::linkEdited, this, &MainWindow::linkEdited);
    connect(linkEditor, &LinkEditor::linkAdded, this, &MainWindow::addLink);
    connect(linkEditor, &LinkEditor::linkDeleted, this, &MainWindow::linkDeleted);
    // An abandoned addition must not leave its link item behind.
    connect(linkEditor, &LinkEditor::linkCanceled, this, &MainWindow::linkCanceled);

    aboutUs = new AboutUs(nullptr);

    clearRecentAction = new QAction(tr("Vider la liste"), this);
    clearRecentAction->setObjectName(QStringLiteral("actionClearRecentFiles"));
    connect(clearRecentAction, &QAction::triggered, this, &MainWindow::clearRecentFiles);
    updateRecentFilesMenu();

    QStringList arguments = QCoreApplication::arguments();
    // "--" ends the options, so that a diagram whose name starts with "-" can be opened.
    if (arguments.size() > 2 && arguments.at(1) == QLatin1String("--"))
        arguments.removeAt(1);
    if (arguments.size() > 1 && arguments.at(1) != QLatin1String("--"))
        load(arguments.at(1));

    wellWin = new WellWin(nullptr);
    if (cfg.wellWin())
        wellWin->show();
}

MainWindow::~MainWindow()
{
    // The steps first: those that hold deleted boxes and links delete them.
    undoSteps.clear();
    delete ui;
    delete classEditor;
    delete linkEditor;
    delete codeGen;
    delete cfgEditor;
    delete wellWin;
    delete aboutUs;
    qDeleteAll(classItems);
    classItems.clear();
    qDeleteAll(linkItems);
    linkItems.clear();
    // An addition still open when the window goes: its item is on no list.
    delete pendingLink;
    delete pendingClass;
}

void MainWindow::updateTitle()
{
    // Only the file name is translated; the product prefix and the mark are not.
    setWindowTitle(QStringLiteral("Varnel 1.0 - ") + (modified ? QStringLiteral("*") : QString())
                   + fileName);
}

void MainWindow::setModified(bool on)
{
    if (on)
        undoSteps.resetClean();
    else
        undoSteps.setClean();
    showMark();
}

void MainWindow::showMark()
{
    modified = !undoSteps.isClean();
    updateTitle();
}

void MainWindow::loadCfg()
{
    switch (cfg.readCfg()) {
    case Cfg::CannotOpen:
        QMessageBox::critical(this, tr("Erreur"),
                              tr("Impossible d'ouvrir le fichier de configuration."),
                              QMessageBox::Ok);
        break;
    case Cfg::CannotParse:
        QMessageBox::critical(this, tr("Erreur"),
                              tr("Impossible de parser le fichier de configuration."),
                              QMessageBox::Ok);
        break;
    case Cfg::ReadOk:
        applyCfg();
        break;
    }
}

void MainWindow::applyCfg()
{
    ui->ItemToolBar->setVisible(cfg.itemBar());
    const int itemIcons = Cfg::usableIconSize(cfg.itemBarIconSize());
    ui->ItemToolBar->setIconSize(QSize(itemIcons, itemIcons));
    ui->FileToolBar->setVisible(cfg.actionBar());
    const int actionIcons = Cfg::usableIconSize(cfg.actionBarIconSize());
    ui->FileToolBar->setIconSize(QSize(actionIcons, actionIcons));
    // The boxes take their size from the configured font: measure again.
    for (ClassItem *item : std::as_const(classItems))
        item->relayout();
    scene.update();
}

void MainWindow::on_sli_zoom_valueChanged(int value)
{
    ui->lab_zoom->setText(QString::number(value));

    // Absolute zoom: rebuilt from the identity each time so that no rounding piles
    // up, keeping whatever translation the view had.
    DiagramView *view = ui->gra_graphicsView;
    view->zoomTo(value / 100.0, zoomAnchor.value_or(view->viewportCentre()));
}

void MainWindow::stepZoom(int steps, const QPointF &anchor)
{
    zoomAnchor = anchor;
    ui->sli_zoom->setValue(ui->sli_zoom->value() + steps * 10);
    zoomAnchor.reset();
}

void MainWindow::on_actionZoomIn_triggered()
{
    stepZoom(1, ui->gra_graphicsView->viewportCentre());
}

void MainWindow::on_actionZoomOut_triggered()
{
    stepZoom(-1, ui->gra_graphicsView->viewportCentre());
}

void MainWindow::on_actionFitToWindow_triggered()
{
    QRectF bounds;
    for (const ClassItem *item : std::as_const(classItems))
        bounds |= item->sceneBoundingRect();
    if (bounds.isEmpty())
        return;
    // A few pixels of room so that no outline lies on the viewport's edge.
    const int margin = 4;
    DiagramView *view = ui->gra_graphicsView;
    const QSizeF room = view->viewport()->size() - QSize(2 * margin, 2 * margin);
    const qreal fit = qMin(room.width() / bounds.width(), room.height() / bounds.height());
    // The slider keeps the value within its range.
    ui->sli_zoom->setValue(int(fit * 100));
    view->centerOn(bounds.center());
}

void MainWindow::on_actionGenerate_triggered()
{
    codeGen->openGenerator();
}

void MainWindow::on_actionConfiguration_triggered()
{
    cfgEditor->openPreferences();
}

void MainWindow::on_actionQuitter_triggered()
{
    close();
}

void MainWindow::on_actionAboutQt_triggered()
{
    QMessageBox::aboutQt(this);
}

void MainWindow::on_actionAboutVNL_triggered()
{
    aboutUs->show();
    aboutUs->raise();
    aboutUs->activateWindow();
}
