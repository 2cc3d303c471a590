#ifndef MAINWINDOW_H
#define MAINWINDOW_H

#include "persistence/cfg.h"

#include <QGraphicsScene>
#include <QList>
#include <QMainWindow>
#include <QString>

class AboutUs;
class CfgEditor;
class ClassEditor;
class ClassItem;
class ClassModel;
class CodeGen;
class Link;
class LinkEditor;
class LinkModel;
class WellWin;

namespace Ui {
class MainWindow;
}

// The application's frame: the diagram canvas, its class boxes and links, the
// settings record and every auxiliary window.
class MainWindow : public QMainWindow
{
    Q_OBJECT
    // Drives the document commands from a known diagram state.
    friend class TestDocumentCommands;

public:
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

    // Writes the open diagram; false (after telling the user) when it could not be.
    bool save(const QString &path);
    // Replaces the open diagram by the file's; on failure the open diagram stays.
    bool load(const QString &path);

    // Read-only views for the tests and the windows that report on the diagram.
    const QList<ClassItem *> &diagramClasses() const { return classItems; }
    const QList<Link *> &diagramLinks() const { return linkItems; }
    bool isModified() const { return modified; }
    QString currentFilePath() const { return filePath; }
    QString currentFileName() const { return fileName; }
    Cfg *settings() { return &cfg; }
    QGraphicsScene *diagramScene() { return &scene; }
    // The class box or link item whose editor is open for an addition; null otherwise.
    ClassItem *pendingClassItem() const { return pendingClass; }
    Link *pendingLinkItem() const { return pendingLink; }

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    // What came of a save the user asked for.
    enum class SaveOutcome { Saved, Declined, Failed };
    SaveOutcome saveDocument();
    SaveOutcome saveDocumentAs();

private slots:
    void on_actionAddClass_triggered();
    void addClass();
    void modClass(ClassModel *model);
    void addCanceled();
    void addLink();
    void linkCanceled();
    void on_actionAddInheritanceLink_triggered();
    void on_actionAddAgragationLink_triggered();
    void editLink(LinkModel *link);
    void on_actionAddAssociationLink_triggered();
    void linkDeleted(LinkModel *link);
    void classDeleted(ClassModel *classMod);
    void on_actionGenerate_triggered();
    void on_actionSave_triggered();
    void on_actionLoad_triggered();
    void on_actionSaveAs_triggered();
    void on_sli_zoom_valueChanged(int value);
    void on_actionNew_triggered();
    void on_actionQuitter_triggered();
    void on_actionConfiguration_triggered();
    void applyCfg();
    void on_actionAboutQt_triggered();
    void on_actionAboutVNL_triggered();

private:
    void updateTitle();
    void loadCfg();
    void setModified(bool on);
    void addLinkOfType(int type);
    void clearDiagram();
    void showDiagram();

    Ui::MainWindow *ui;
    QGraphicsScene scene;
    WellWin *wellWin = nullptr;
    ClassEditor *classEditor = nullptr;
    ClassItem *pendingClass = nullptr;
    bool modifiedBeforeAdd = false;
    LinkEditor *linkEditor = nullptr;
    Cfg cfg;
    CfgEditor *cfgEditor = nullptr;
    Link *pendingLink = nullptr;
    bool modifiedBeforeLink = false;
    CodeGen *codeGen = nullptr;
    QString filePath;
    QString fileName;
    AboutUs *aboutUs = nullptr;
    QList<ClassItem *> classItems;
    QList<Link *> linkItems;
    bool modified = false;
};

#endif // MAINWINDOW_H
