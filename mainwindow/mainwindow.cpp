#include "mainwindow/mainwindow.h"
#include "ui_mainwindow.h"

#include "canvas/classitem.h"
#include "canvas/link.h"
#include "codegen/codegen.h"
#include "editors/classeditor.h"
#include "editors/linkeditor.h"
#include "model/classmodel.h"
#include "model/linkmodel.h"
#include "windows/aboutus.h"
#include "windows/cfgeditor.h"
#include "windows/wellwin.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QMessageBox>

MainWindow::MainWindow(QWidget *parent)
    : QMainWindow(parent)
    , ui(new Ui::MainWindow)
{
    ui->setupUi(this);
    setWindowState(Qt::WindowMaximized);
    loadCfg();

    cfgEditor = new CfgEditor(nullptr, &cfg);
    connect(cfgEditor, &CfgEditor::applyCfg, this, &MainWindow::applyCfg);

    modified = false;
    fileName = tr("Sans nom");
    filePath.clear();
    updateTitle();

    classEditor = new ClassEditor(nullptr, cfg.prefixe(), cfg.autoAddSetGetFct());
    scene.setSceneRect(0, 0, 10000, 10000);
    ui->gra_graphicsView->setScene(&scene);
    linkEditor = new LinkEditor(nullptr);
    codeGen = new CodeGen(&classItems, &linkItems, nullptr);
    statusBar()->addWidget(new QLabel(tr("Prêt")));

    connect(classEditor, &ClassEditor::addClass, this, &MainWindow::addClass);
    connect(classEditor, &ClassEditor::addCanceled, this, &MainWindow::addCanceled);
    connect(classEditor, &ClassEditor::classCanceled, this, &MainWindow::classDeleted);
    connect(linkEditor, &LinkEditor::linkAdded, this, &MainWindow::addLink);
    connect(linkEditor, &LinkEditor::linkDeleted, this, &MainWindow::linkDeleted);

    aboutUs = new AboutUs(nullptr);

    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() > 1)
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
    // Links first: they point at the boxes.
    qDeleteAll(linkItems);
    qDeleteAll(classItems);
    delete pendingClass;
    delete pendingLink;
}

void MainWindow::updateTitle()
{
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
                              tr("Impossible d'ouvrir le fichier de configuration."));
        break;
    case Cfg::CannotParse:
        QMessageBox::critical(this, tr("Erreur"),
                              tr("Impossible de parser le fichier de configuration."));
        break;
    case Cfg::ReadOk:
        applyCfg();
        break;
    }
}

void MainWindow::applyCfg()
{}

void MainWindow::on_sli_zoom_valueChanged(int value)
{
    ui->lab_zoom->setText(QString::number(value));
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
    QApplication::aboutQt();
}

void MainWindow::on_actionAboutVNL_triggered()
{
    aboutUs->show();
}
