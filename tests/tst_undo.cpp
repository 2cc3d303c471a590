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
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QUndoStack>

using namespace MainWindowTesting;
using namespace Qt::StringLiterals;

class TestUndo : public QObject
{
    Q_OBJECT

    QByteArray bytes() const
    {
        return DiagramWriter::toBytes(window->diagramClasses(), window->diagramLinks());
    }
    // The scene shows what the lists hold, every link ends on boxes of the diagram and
    // every accessor on an attribute of its class.
    bool consistent() const
    {
        const QList<ClassItem *> &boxes = window->diagramClasses();
        const QList<Link *> &links = window->diagramLinks();
        bool ok = window->diagramScene()->items().size() == boxes.size() + links.size();
        for (const Link *link : links)
            ok = ok && boxes.contains(link->getModel()->master())
                 && boxes.contains(link->getModel()->slave());
        for (const ClassItem *box : boxes) {
            const QList<ArgAtt *> atts = box->getModel()->attributes();
            for (const Function *method : box->getModel()->methods())
                ok = ok && (!method->linkedAtt() || atts.contains(method->linkedAtt()));
        }
        return ok;
    }
    ClassItem *box(int i) const { return window->diagramClasses().at(i); }
    Link *link(int i) const { return window->diagramLinks().at(i); }
    template<class T = QAbstractButton>
    T *in(QWidget *parent, const char *name)
    {
        return parent->findChild<T *>(QLatin1String(name));
    }
    // A left-button drag from a point of the diagram, as a user's mouse sends it.
    void drag(QPointF from, QPoint by)
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
    // The title with its mark, the two actions' texts and whether each is enabled.
    QString state() const
    {
        const QAction *undo = action(window, "actionUndo"), *redo = action(window, "actionRedo");
        return u"%1|%2|%3|%4%5"_s.arg(window->windowTitle(), undo->text(), redo->text())
            .arg(undo->isEnabled())
            .arg(redo->isEnabled());
    }

    QTemporaryDir m_dir;
    // Closes any question the steps would ask, for cleanup() to fail on.
    ModalAnswerer m_answerer;
    MainWindow *window = nullptr;
    QUndoStack *stack = nullptr;

private slots:
    void init()
    {
        Cfg::setPathOverride(m_dir.filePath(u"cfgs.xml"_s));
        QVERIFY(writeFile(m_dir.filePath(u"cfgs.xml"_s), cfgText()));
        window = new MainWindow;
        stack = window->undoStack();
        // Shape, Circle, Rectangle, Point, Canvas; links S-C, S-R, Canvas-S, Point-C.
        QVERIFY(window->load(QStringLiteral(VARNEL_SOURCE_DIR "/examples/shapes.vnls")));
        window->show();
        QVERIFY(QTest::qWaitForWindowActive(window));
    }

    void cleanup()
    {
        delete std::exchange(window, nullptr);
        for (const ModalAnswerer::Seen &seen : m_answerer.seen())
            QVERIFY2(!seen.kind.startsWith(u"unexpected"_s), qPrintable(seen.summary()));
    }

    void everyStep_data()
    {
        QTest::addColumn<QString>("step");
        for (const char *step :
             {"ajouter Extra", "modifier Disc", "supprimer Circle",
              "ajouter le lien Rectangle - Point", "modifier le lien Point - Rectangle",
              "supprimer le lien Shape - Rectangle", "supprimer 2 éléments", "déplacer 2 classes"})
            QTest::newRow(step) << QString::fromUtf8(step);
    }

    void everyStep()
    {
        QFETCH(QString, step);
        const QByteArray before = bytes();
        const QList<ClassItem *> boxes = window->diagramClasses();
        const QList<Link *> links = window->diagramLinks();

        if (step.startsWith(u"ajouter E")) {
            QVERIFY(addClass(window, u"Extra"_s));
        } else if (step.startsWith(u"modifier D") || step == u"supprimer Circle") {
            // Its attribute removed with its accessors, then renamed; or then deleted with its
            // links, the removal undone with the deletion.
            box(1)->getModel()->requestEdit();
            auto *editor = topLevel<ClassEditor>();
            auto *atts = in<QListView>(editor, "lis_attView");
            atts->setCurrentIndex(atts->model()->index(0, 0));
            in(editor, "too_attLess")->click();
            const bool rename = step.startsWith(u"modifier");
            if (rename)
                in<QLineEdit>(editor, "lin_name")->setText(u"Disc"_s);
            in(editor, rename ? "com_addModClass" : "com_deleteClass")->click();
        } else if (step.startsWith(u"ajouter le")) {
            QVERIFY(addLink(window, "actionAddAssociationLink", box(2), box(3)));
        } else if (step.startsWith(u"modifier le") || step.startsWith(u"supprimer le")) {
            const bool edit = step.startsWith(u"modifier");
            link(edit ? 3 : 1)->getModel()->requestEdit();
            auto *editor = topLevel<LinkEditor>();
            auto *slave = in<QComboBox>(editor, "com_itemTwo");
            slave->setCurrentIndex(slave->findText(u"Rectangle"_s));
            in(editor, edit ? "pus_addMod" : "pus_delete")->click();
        } else if (step.startsWith(u"supprimer 2")) {
            // Selected, cleared with Escape, selected again: Delete takes them and the box's links.
            box(1)->setSelected(true);
            QTest::keyClick(window, Qt::Key_Escape);
            QVERIFY(window->diagramScene()->selectedItems().isEmpty());
            box(1)->setSelected(true);
            link(1)->setSelected(true);
            QTest::keyClick(window, Qt::Key_Delete);
        } else {
            // Chosen with a rubber band from empty canvas: Circle and Point.
            drag(QPointF(5, 220), QPoint(55, 240));
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
        QVERIFY(consistent());
        QCOMPARE(bytes(), before);
        QCOMPARE(window->diagramClasses(), boxes);
        QCOMPARE(window->diagramLinks(), links);
        stack->redo();
        QVERIFY(consistent());
        QCOMPARE(bytes(), after);
    }

    void markAndActions()
    {
        // An editor confirmed, or closed, without a change: no step, no mark.
        for (const char *end : {"com_addModClass", ""}) {
            box(1)->getModel()->requestEdit();
            auto *editor = topLevel<ClassEditor>();
            if (*end)
                in(editor, end)->click();
            else
                editor->close();
        }
        link(0)->getModel()->requestEdit();
        in(topLevel<LinkEditor>(), "pus_addMod")->click();
        // So does a link addition given up, or one whose two ends are the same class.
        action(window, "actionAddAssociationLink")->trigger();
        topLevel<LinkEditor>()->close();
        QVERIFY(addLink(window, "actionAddAgragationLink", box(0), box(0)));
        QCOMPARE(state(), u"Varnel 1.0 - shapes.vnls|Annuler|Rétablir|00"_s);

        // Moving a box marks the diagram; saved, the stack is clean there, and undo and redo
        // leave and reach that state again.
        drag(box(1)->pos() + QPointF(5, 5), QPoint(30, 30));
        QVERIFY(window->save(m_dir.filePath(u"saved.vnls"_s)));
        QCOMPARE(state(), u"Varnel 1.0 - saved.vnls|Annuler : déplacer Circle|Rétablir|10"_s);
        QTest::keyClick(window, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(state(), u"Varnel 1.0 - *saved.vnls|Annuler|Rétablir : déplacer Circle|01"_s);
        QTest::keyClick(window, Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(window->windowTitle(), u"Varnel 1.0 - saved.vnls"_s);

        // Another diagram (opened or new) starts from an empty stack.
        QVERIFY(window->load(m_dir.filePath(u"saved.vnls"_s)));
        QCOMPARE(stack->count(), 0);
    }
};

VARNEL_WINDOW_TEST_MAIN(TestUndo)
#include "tst_undo.moc"
