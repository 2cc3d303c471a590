// Undo and redo of every change of the diagram, and the mark that follows the stack.
#include "mainwindowtesting.h"
#include "model/function.h"
#include "persistence/diagramwriter.h"
#include "testsupport/modalanswerer.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QGraphicsView>
#include <QLineEdit>
#include <QListView>
#include <QMenuBar>
#include <QMouseEvent>
#include <QStringListModel>
#include <QTemporaryDir>
#include <QUndoStack>

#include <memory>

using namespace MainWindowTesting;
using namespace Qt::StringLiterals;

class TestUndo : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void everyStep_data();
    void everyStep();
    void editorSessions();
    void markAndActions();

private:
    QByteArray bytes() const
    {
        return DiagramWriter::toBytes(window->diagramClasses(), window->diagramLinks());
    }
    // The scene shows what the lists hold, and every link ends on boxes of the diagram.
    bool consistent() const
    {
        const QList<ClassItem *> &boxes = window->diagramClasses();
        for (const Link *link : window->diagramLinks()) {
            if (!boxes.contains(link->getModel()->master())
                || !boxes.contains(link->getModel()->slave()))
                return false;
        }
        return window->diagramScene()->items().size()
               == boxes.size() + window->diagramLinks().size();
    }
    // Where the links are drawn: they follow their boxes.
    QList<QPointF> ends() const
    {
        QList<QPointF> points;
        for (const Link *link : window->diagramLinks())
            points << link->getMasterPoint() << link->getSlavePoint();
        return points;
    }
    ClassItem *box(int i) const { return window->diagramClasses().at(i); }
    Link *link(int i) const { return window->diagramLinks().at(i); }
    template<class T = QWidget>
    T *in(QWidget *parent, const char *name)
    {
        return parent->findChild<T *>(QLatin1String(name));
    }
    // Drags from a point of the diagram by `by` pixels with the left button, as a
    // user's mouse would.
    void drag(QPointF from, QPoint by);
    // The title with its mark, the two actions' texts and whether each is enabled.
    QStringList state() const
    {
        const QAction *undo = action(window, "actionUndo"), *redo = action(window, "actionRedo");
        return {window->windowTitle(), undo->text(), redo->text(),
                u"%1%2"_s.arg(undo->isEnabled()).arg(redo->isEnabled())};
    }

    QTemporaryDir m_dir;
    // Closes any question the steps would ask, for cleanup() to fail on.
    std::unique_ptr<ModalAnswerer> m_answerer;
    std::unique_ptr<MainWindow> m_window;
    MainWindow *window = nullptr;
    QUndoStack *stack = nullptr;
};

void TestUndo::init()
{
    Cfg::setPathOverride(m_dir.filePath(u"cfgs.xml"_s));
    QVERIFY(writeFile(m_dir.filePath(u"cfgs.xml"_s), cfgText()));
    m_answerer = std::make_unique<ModalAnswerer>();
    m_window = std::make_unique<MainWindow>();
    window = m_window.get();
    stack = window->undoStack();
    QVERIFY(window->load(QStringLiteral(VARNEL_SOURCE_DIR "/examples/shapes.vnls")));
    // Shape, Circle, Rectangle, Point, Canvas; Shape-Circle, Shape-Rectangle,
    // Canvas-Shape, Point-Circle.
    window->show();
    QVERIFY(QTest::qWaitForWindowActive(window));
}

void TestUndo::cleanup()
{
    m_window.reset();
    for (const ModalAnswerer::Seen &seen : m_answerer->seen())
        QVERIFY2(!seen.kind.startsWith(u"unexpected"_s), qPrintable(seen.summary()));
}

void TestUndo::drag(QPointF from, QPoint by)
{
    auto *view = in<QGraphicsView>(window, "gra_graphicsView");
    view->centerOn(from);
    QWidget *viewport = view->viewport();
    const QPoint down = view->mapFromScene(from);
    const auto send = [&](QEvent::Type type, QPoint at, Qt::MouseButtons held) {
        QMouseEvent event(type, QPointF(at), QPointF(viewport->mapToGlobal(at)), Qt::LeftButton,
                          held, Qt::NoModifier);
        QApplication::sendEvent(viewport, &event);
    };
    send(QEvent::MouseButtonPress, down, Qt::LeftButton);
    for (int step = 1; step <= 4; ++step)
        send(QEvent::MouseMove, down + by * step / 4, Qt::LeftButton);
    send(QEvent::MouseButtonRelease, down + by, Qt::NoButton);
}

void TestUndo::everyStep_data()
{
    QTest::addColumn<QString>("step");
    for (const char *step :
         {"ajouter Extra", "modifier Disc", "supprimer Circle", "ajouter le lien Rectangle - Point",
          "modifier le lien Point - Rectangle", "supprimer le lien Shape - Rectangle",
          "supprimer 2 éléments", "déplacer 2 classes"})
        QTest::newRow(step) << QString::fromUtf8(step);
}

void TestUndo::everyStep()
{
    QFETCH(QString, step);
    const QByteArray before = bytes();
    const QList<ClassItem *> boxes = window->diagramClasses();
    const QList<Link *> links = window->diagramLinks();
    const QList<QPointF> endsBefore = ends();

    if (step.startsWith(u"ajouter E")) {
        QVERIFY(addClass(window, u"Extra"_s));
    } else if (step.startsWith(u"modifier D") || step == u"supprimer Circle") {
        // Renamed, its attribute removed with its accessors; or deleted with its links.
        box(1)->getModel()->requestEdit();
        auto *editor = topLevel<ClassEditor>();
        if (step.startsWith(u"modifier")) {
            in<QLineEdit>(editor, "lin_name")->setText(u"Disc"_s);
            auto *atts = in<QListView>(editor, "lis_attView");
            atts->setCurrentIndex(atts->model()->index(0, 0));
            in<QAbstractButton>(editor, "too_attLess")->click();
            in<QAbstractButton>(editor, "com_addModClass")->click();
        } else {
            in<QAbstractButton>(editor, "com_deleteClass")->click();
        }
    } else if (step.startsWith(u"ajouter le")) {
        QVERIFY(addLink(window, "actionAddAssociationLink", box(2), box(3)));
    } else if (step.startsWith(u"modifier le") || step.startsWith(u"supprimer le")) {
        link(step.startsWith(u"modifier") ? 3 : 1)->getModel()->requestEdit();
        auto *editor = topLevel<LinkEditor>();
        auto *slave = in<QComboBox>(editor, "com_itemTwo");
        slave->setCurrentIndex(slave->findText(u"Rectangle"_s));
        in<QAbstractButton>(editor, step.startsWith(u"modifier") ? "pus_addMod" : "pus_delete")
            ->click();
    } else if (step.startsWith(u"supprimer 2")) {
        // Selected, cleared with Escape, selected again: the Delete key takes them, and
        // the links that end on the box, without a question.
        box(1)->setSelected(true);
        QTest::keyClick(window, Qt::Key_Escape);
        QVERIFY(window->diagramScene()->selectedItems().isEmpty());
        box(1)->setSelected(true);
        link(1)->setSelected(true);
        QTest::keyClick(window, Qt::Key_Delete);
    } else {
        // Chosen with a rubber band from empty canvas.
        drag(QPointF(5, 220), QPoint(55, 240));
        const QList<QGraphicsItem *> chosen = window->diagramScene()->selectedItems();
        QCOMPARE(QSet(chosen.begin(), chosen.end()), (QSet<QGraphicsItem *>{box(1), box(3)}));
        drag(box(3)->pos() + QPointF(5, 5), QPoint(60, -40));
        QCOMPARE(box(3)->pos() - box(1)->pos(), boxes.at(3)->pos() - boxes.at(1)->pos());
    }
    QCOMPARE(stack->count(), 1);
    QCOMPARE(stack->undoText(), step);
    QVERIFY(consistent());
    const QByteArray after = bytes();
    QVERIFY(after != before);

    // The same boxes and links come back, at the same places, with their models.
    stack->undo();
    QCOMPARE(bytes(), before);
    QCOMPARE(window->diagramClasses(), boxes);
    QCOMPARE(window->diagramLinks(), links);
    QVERIFY(consistent());
    QCOMPARE(ends(), endsBefore);
    stack->redo();
    QCOMPARE(bytes(), after);
    QVERIFY(consistent());
}

void TestUndo::editorSessions()
{
    ClassModel *circle = box(1)->getModel();
    // Opened and confirmed, or closed, without a change: no step, no mark.
    for (const char *end : {"com_addModClass", ""}) {
        circle->requestEdit();
        auto *editor = topLevel<ClassEditor>();
        if (*end)
            in<QAbstractButton>(editor, end)->click();
        else
            editor->close();
        QCOMPARE(stack->count(), 0);
        QVERIFY(!window->isModified());
    }
    link(0)->getModel()->requestEdit();
    in<QAbstractButton>(topLevel<LinkEditor>(), "pus_addMod")->click();
    QCOMPARE(stack->count(), 0);

    // Members changed, then the class deleted: one step, undone to the class as it was
    // when the editor opened, its accessors linked to its attribute.
    const QByteArray before = bytes();
    circle->requestEdit();
    auto *editor = topLevel<ClassEditor>();
    auto *atts = in<QListView>(editor, "lis_attView");
    atts->setCurrentIndex(atts->model()->index(0, 0));
    in<QAbstractButton>(editor, "too_attLess")->click();
    in<QAbstractButton>(editor, "com_deleteClass")->click();
    QCOMPARE(stack->count(), 1);
    QCOMPARE(stack->undoText(), u"supprimer Circle"_s);
    stack->undo();
    QCOMPARE(bytes(), before);
    const Function *setter = circle->findMethod(u"setRadius"_s);
    QVERIFY(setter && setter->linkedAtt() == circle->findAttribute(u"m_radius"_s));
}

void TestUndo::markAndActions()
{
    QStringList menus;
    for (const QAction *menu : window->menuBar()->actions())
        menus << menu->text();
    QCOMPARE(menus, (QStringList{u"VNL"_s, u"Édition"_s, u"Modélisation"_s, u"A propos"_s}));
    QCOMPARE(action(window, "actionRedo")->shortcuts(),
             (QList<QKeySequence>{QKeySequence(u"Ctrl+Shift+Z"_s), QKeySequence(u"Ctrl+Y"_s)}));

    // Moving a box marks the diagram; saved, the stack is clean there, and undo and redo
    // leave and reach that state again.
    QCOMPARE(state(),
             (QStringList{u"Varnel 1.0 - shapes.vnls"_s, u"Annuler"_s, u"Rétablir"_s, u"00"_s}));
    drag(box(1)->pos() + QPointF(5, 5), QPoint(30, 30));
    QCOMPARE(window->windowTitle(), u"Varnel 1.0 - *shapes.vnls"_s);
    QVERIFY(window->save(m_dir.filePath(u"saved.vnls"_s)));
    const QString clean = u"Varnel 1.0 - saved.vnls"_s;
    QCOMPARE(state(), (QStringList{clean, u"Annuler : déplacer Circle"_s, u"Rétablir"_s, u"10"_s}));
    QTest::keyClick(window, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(state(), (QStringList{u"Varnel 1.0 - *saved.vnls"_s, u"Annuler"_s,
                                   u"Rétablir : déplacer Circle"_s, u"01"_s}));
    QTest::keyClick(window, Qt::Key_Y, Qt::ControlModifier);
    QCOMPARE(window->windowTitle(), clean);

    // Open and New start from an empty, clean stack.
    QVERIFY(addClass(window, u"Extra"_s));
    QVERIFY(window->load(m_dir.filePath(u"saved.vnls"_s)));
    QCOMPARE(stack->count(), 0);
    QVERIFY(addClass(window, u"Extra"_s));
    m_answerer->answerMessageBox(QMessageBox::No);
    action(window, "actionNew")->trigger();
    QVERIFY(m_answerer->waitUntilAnswered());
    QCOMPARE(stack->count(), 0);
    QCOMPARE(window->windowTitle(), u"Varnel 1.0 - Sans nom"_s);
}

VARNEL_WINDOW_TEST_MAIN(TestUndo)
#include "tst_undo.moc"
