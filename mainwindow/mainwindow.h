#ifndef MAINWINDOW_H
#define MAINWINDOW_H

#include "canvas/diagramscene.h"
#include "commands/diagramlists.h"
#include "commands/editlinkcommand.h"
#include "model/classsnapshot.h"
#include "persistence/cfg.h"

#include <QGraphicsScene>
#include <QList>
#include <QMainWindow>
#include <QString>
#include <QUndoStack>

#include <optional>

class AboutUs;
class CfgEditor;
class ClassEditor;
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
    QUndoStack *undoStack() { return &undoSteps; }
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
    void classEdited(ClassModel *classMod);
    void linkEdited(LinkModel *link);
    void boxesMoved(const QList<ClassItem *> &boxes, const QList<QPointF> &from);
    void deleteSelection();
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
    void on_actionExportImage_triggered();
    void on_actionPrint_triggered();
    void on_actionPrintPreview_triggered();
    void openRecentFile(const QString &path);
    void clearRecentFiles();
    void on_actionFitToWindow_triggered();
    void on_actionZoomIn_triggered();
    void on_actionZoomOut_triggered();

private:
    void updateTitle();
    void loadCfg();
    // The stack's clean state is the saved one: false makes the present state the saved
    // one, true leaves the saved state behind for good.
    void setModified(bool on);
    void showMark();
    DiagramLists diagramLists() { return {classItems, linkItems, scene}; }
    void deleteItems(const QList<ClassItem *> &boxes, const QList<Link *> &links);
    // The box or link of the diagram that shows this model; null when none does.
    ClassItem *boxOf(const ClassModel *model) const;
    Link *linkOf(const LinkModel *model) const;
    void addLinkOfType(int type);
    void clearDiagram();
    void showDiagram();
    // The question "Charger" asks before unsaved work is replaced; true when the user
    // chose to save first, which ends the command.
    bool savesBeforeLoading();
    // The open diagram now comes from this file (empty: from none).
    void setDiagramFile(const QString &path);
    void updateRecentFilesMenu();
    // Moves the slider by steps of ten, keeping anchor (viewport coordinates) in place.
    void stepZoom(int steps, const QPointF &anchor);
    QPointF newClassPosition(const ClassItem *item) const;

    Ui::MainWindow *ui;
    DiagramScene scene;
    QUndoStack undoSteps;
    WellWin *wellWin = nullptr;
    ClassEditor *classEditor = nullptr;
    ClassItem *pendingClass = nullptr;
    // The class and link whose editor is open on them, as they were when it opened.
    ClassItem *editedClass = nullptr;
    ClassSnapshot editedClassBefore;
    Link *editedLink = nullptr;
    EditLinkCommand::Ends editedLinkBefore;
    LinkEditor *linkEditor = nullptr;
    Cfg cfg;
    CfgEditor *cfgEditor = nullptr;
    Link *pendingLink = nullptr;
    CodeGen *codeGen = nullptr;
    QString filePath;
    QString fileName;
    AboutUs *aboutUs = nullptr;
    QList<ClassItem *> classItems;
    QList<Link *> linkItems;
    bool modified = false;
    // The file the open diagram was last read from or written to, wherever it was opened
    // (filePath keeps its file after "Nouveau"); the dialogs start beside it.
    QString diagramFile;
    QAction *clearRecentAction = nullptr;
    // Where the zoom the slider is about to apply is anchored; the view's centre
    // when not set.
    std::optional<QPointF> zoomAnchor;
};

#endif // MAINWINDOW_H
