#include "mainwindow/mainwindow.h"
#include "ui_mainwindow.h"

#include "canvas/classitem.h"
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
#include <QLabel>
#include <QMessageBox>
#include <QTransform>

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

    scene.setSceneRect(0, 0, ClassItem::canvasSize, ClassItem::canvasSize);
    ui->gra_graphicsView->setScene(&scene);

    linkEditor = new LinkEditor(nullptr);
    codeGen = new CodeGen(&classItems, &linkItems, nullptr);

    auto *ready = new QLabel(tr("Prêt"));
    ready->setObjectName(QStringLiteral("lab_ready"));
    ui->statusBar->addWidget(ready, 0);

    connect(classEditor, &ClassEditor::addClass, this, &MainWindow::addClass);
    connect(classEditor, &ClassEditor::addCanceled, this, &MainWindow::addCanceled);
    connect(classEditor, &ClassEditor::classCanceled, this, &MainWindow::classDeleted);
    connect(linkEditor, &LinkEditor::linkAdded, this, &MainWindow::addLink);
    connect(linkEditor, &LinkEditor::linkDeleted, this, &MainWindow::linkDeleted);
    // An abandoned addition must not leave its link item behind.
    connect(linkEditor, &LinkEditor::linkCanceled, this, &MainWindow::linkCanceled);

    aboutUs = new AboutUs(nullptr);

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
    delete ui;
    delete classEditor;
    delete linkEditor;
    delete codeGen;
    delete cfgEditor;
    delete wellWin;
    delete aboutUs;
    // Boxes, then links: a box that goes tells its links to forget it, so the links
    // still to be deleted never reach a deleted box.
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
    modified = on;
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
    // The boxes read the configured font when they paint: show an applied font now.
    scene.update();
}

void MainWindow::on_sli_zoom_valueChanged(int value)
{
    ui->lab_zoom->setText(QString::number(value));

    // Absolute zoom: rebuilt from the identity each time so that no rounding piles
    // up, keeping whatever translation the view had.
    const qreal factor = value / 100.0;
    QGraphicsView *view = ui->gra_graphicsView;
    const QTransform old = view->transform();
    view->resetTransform();
    view->translate(old.dx(), old.dy());
    view->scale(factor, factor);
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
