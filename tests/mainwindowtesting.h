#ifndef MAINWINDOWTESTING_H
#define MAINWINDOWTESTING_H

// What the main window suites share: a settings file of their own, the window's
// top-level editors, and the step of adding a class as a user would.

#include "canvas/classitem.h"
#include "canvas/link.h"
#include "editors/classeditor.h"
#include "editors/linkeditor.h"
#include "mainwindow/mainwindow.h"
#include "model/classmodel.h"
#include "model/linkmodel.h"
#include "persistence/cfg.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QTest>

namespace MainWindowTesting {

// A complete settings file; the welcome window stays hidden so that nothing modal
// stands in the way of the test's input.
inline QByteArray cfgText(const QByteArray &attributes = QByteArray())
{
    QByteArray text = "<?xml version='1.0' encoding='ISO-8859-1'?>\n<cfgs";
    const QByteArray defaults = "prefixe=m_ font=Sans actionBar=true itemBar=true "
                                "actionBarIconSize=64 itemBarIconSize=64 autoSave=false "
                                "askForClose=false autoAddSetGetFct=true wellWin=false language=";
    for (const QByteArray &attribute : defaults.split(' ')) {
        const QByteArray name = attribute.left(attribute.indexOf('='));
        if (!attributes.contains(" " + name + "="))
            text += " " + name + "=\"" + attribute.mid(name.size() + 1) + "\"";
    }
    return text + attributes + "/>\n";
}

inline bool writeFile(const QString &path, const QByteArray &data)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(data) == data.size();
}

template<class T>
T *topLevel()
{
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (auto *found = qobject_cast<T *>(widget))
            return found;
    }
    return nullptr;
}

inline QAction *action(MainWindow *window, const char *name)
{
    return window->findChild<QAction *>(QLatin1String(name));
}

// "Ajouter une classe" confirmed in the editor: the box is placed and returned.
inline ClassItem *addClass(MainWindow *window, const QString &name)
{
    action(window, "actionAddClass")->trigger();
    ClassItem *pending = window->pendingClassItem();
    ClassEditor *editor = topLevel<ClassEditor>();
    if (!pending || !editor)
        return nullptr;
    pending->getModel()->setName(name);
    emit editor->addClass();
    editor->hide(); // as it does once it has confirmed
    return window->diagramClasses().value(window->diagramClasses().size() - 1);
}

// One of the add-link actions answered with these two ends; false when the action
// opened no editor.
inline bool addLink(MainWindow *window, const char *actionName, ClassItem *master, ClassItem *slave)
{
    action(window, actionName)->trigger();
    Link *pending = window->pendingLinkItem();
    LinkEditor *editor = topLevel<LinkEditor>();
    if (!pending || !editor)
        return false;
    pending->getModel()->setMaster(master);
    pending->getModel()->setSlave(slave);
    emit editor->linkAdded();
    editor->hide();
    return true;
}

} // namespace MainWindowTesting

// The window takes its first argument for a diagram to open, so the application is
// given none of the test runner's options.
#define VARNEL_WINDOW_TEST_MAIN(TestClass)                                                         \
    int main(int argc, char *argv[])                                                               \
    {                                                                                              \
        int appArgc = 1;                                                                           \
        QApplication app(appArgc, argv);                                                           \
        TestClass test;                                                                            \
        return QTest::qExec(&test, argc, argv);                                                    \
    }

#endif // MAINWINDOWTESTING_H
