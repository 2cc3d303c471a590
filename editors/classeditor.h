#ifndef CLASSEDITOR_H
#define CLASSEDITOR_H

// Complete, so that the meta-object knows the type that classCanceled() carries.
#include "model/classmodel.h"

#include <QHash>
#include <QList>
#include <QMessageBox>
#include <QStringListModel>
#include <QWidget>

class ArgAtt;
class ClassItem;
class Function;
class QCloseEvent;
class QRegularExpressionValidator;
class QToolButton;
class Ui_ClassEditor;

// Window in which a class is created or changed. Member edits reach the model at
// once; the class-level fields only when the user confirms.
class ClassEditor : public QWidget
{
    Q_OBJECT

public:
    ClassEditor(QWidget *parent, const QString *attPrefix, const bool *autoSetGet);
    ~ClassEditor() override;

    void openToAdd(ClassModel *classModel);
    // The classes of the diagram, whose names a class may not take; the list must outlive
    // the editor.
    void setDiagramClasses(const QList<ClassItem *> *classes) { diagramClasses = classes; }

public slots:
    void openToEdit(ClassModel *classModel);

signals:
    void addClass();
    void addCanceled();
    void classCanceled(ClassModel *classMod);
    // An edit of an existing class ended, confirmed or not: its changes are complete.
    void editFinished(ClassModel *classMod);

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private slots:
    void on_com_addModClass_clicked();
    void on_com_deleteClass_clicked();
    void on_too_attMore_clicked();
    void on_too_modAtt_clicked();
    void on_too_attLess_clicked();
    void on_too_fctMore_clicked();
    void on_too_modFct_clicked();
    void on_too_fctLess_clicked();
    void on_too_argMore_clicked();
    void on_too_modArg_clicked();
    void on_too_argLess_clicked();

private:
    void resetForm();
    void clearAttFields();
    void clearFctFields();
    void clearArgFields();
    QString selectedAttName() const;
    QString selectedFctName() const;
    QString selectedArgName() const;

    void showError(QMessageBox::Icon icon, const QString &text);
    QString baseName(const QString &attName) const;
    static QString stem(const QString &base);
    void addAccessors(ArgAtt *att);

    // Loaded-member bookkeeping: a member loaded with ">>" that leaves the class must
    // not stay loaded, and argument records that no method holds belong to the editor.
    void endAttLoad();
    void endFctLoad();
    void endArgLoad();
    void forgetFctArgs();
    void forgetClass();
    void deleteArg(ArgAtt *arg);
    void removeMethods(const QString &name, QStringList &lines);
    void removeAttributes(const QString &name);

    Ui_ClassEditor *ui;
    QRegularExpressionValidator *nameValidator;
    QRegularExpressionValidator *classNameValidator;
    QStringListModel attModel;
    QStringListModel fctModel;
    QStringListModel argModel;

    ClassModel *classModel = nullptr;
    bool editMode = false;
    ArgAtt *editedAtt = nullptr;
    Function *editedFct = nullptr;
    ArgAtt *editedArg = nullptr;
    QList<ArgAtt *> fctArgs;
    // The records of fctArgs that no method holds (arguments of a method still being
    // composed, or one a loaded setter lost): the editor deletes them when it drops them.
    QList<ArgAtt *> unheldArgs;
    const QString *attPrefix;
    const bool *autoSetGet;
    const QList<ClassItem *> *diagramClasses = nullptr;
    // The "+" button that Return in a member field presses.
    QHash<QObject *, QToolButton *> returnButtons;
};

#endif // CLASSEDITOR_H
