// Adding, editing and deleting classes and links on the diagram through the main
// window, with the editors' answers given as their signals.
#include "mainwindowtesting.h"
#include "testsupport/modalanswerer.h"

#include <QGraphicsScene>
#include <QPointer>
#include <QTemporaryDir>

#include <memory>

using namespace MainWindowTesting;

class TestDiagramOperations : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    // classes
    void addedClassIsPlaced();
    void twoAdditionsStack();
    void cancelledAddition_data();
    void cancelledAddition();
    void boxAsksForEditing();
    void modClassMarksModified();
    void deletingAClassTakesItsLinks();
    void deletingAnUnknownClass();

    // links
    void linkNeedsTwoClasses_data();
    void linkNeedsTwoClasses();
    void linkShortcuts_data();
    void linkShortcuts();
    void linkKinds_data();
    void linkKinds();
    void duplicateLinks_data();
    void duplicateLinks();
    void oneWarningPerDuplicate();
    void incompleteLinkIsNotPlaced_data();
    void incompleteLinkIsNotPlaced();
    void abandonedLinkAddition();
    void cancelWhileEditingChangesNothing();
    void newAdditionReplacesTheOpenOne();
    void linkAsksForEditing();
    void deletingALinkKeepsTheBoxes();

private:
    MainWindow *window() const { return m_window.get(); }
    ClassEditor *classEditor() const { return topLevel<ClassEditor>(); }
    LinkEditor *linkEditor() const { return topLevel<LinkEditor>(); }
    QList<ClassItem *> addClasses(const QStringList &names);

    QTemporaryDir m_dir;
    std::unique_ptr<MainWindow> m_window;
};

void TestDiagramOperations::initTestCase()
{
    QVERIFY(m_dir.isValid());
    const QString path = m_dir.filePath(QStringLiteral("cfgs.xml"));
    QVERIFY(writeFile(path, cfgText()));
    Cfg::setPathOverride(path);
}

void TestDiagramOperations::init()
{
    m_window = std::make_unique<MainWindow>();
    QVERIFY(classEditor());
    QVERIFY(linkEditor());
}

void TestDiagramOperations::cleanup()
{
    m_window.reset();
}

QList<ClassItem *> TestDiagramOperations::addClasses(const QStringList &names)
{
    QList<ClassItem *> boxes;
    for (const QString &name : names)
        boxes << addClass(window(), name);
    return boxes;
}

void TestDiagramOperations::addedClassIsPlaced()
{
    action(window(), "actionAddClass")->trigger();
    ClassItem *pending = window()->pendingClassItem();
    QVERIFY(pending);
    QVERIFY(classEditor()->isVisible());
    // Not on the diagram until the editor confirms it, and nothing marked yet.
    QVERIFY(!pending->scene());
    QVERIFY(window()->diagramClasses().isEmpty());
    QVERIFY(!window()->isModified());
    pending->getModel()->setName(QStringLiteral("Shape"));

    emit classEditor()->addClass();
    QCOMPARE(window()->diagramClasses(), QList<ClassItem *>{pending});
    QCOMPARE(pending->scene(), window()->diagramScene());
    QCOMPARE(pending->zValue(), 1.0);
    QCOMPARE(pending->pos(), QPointF(5000, 5000));
    QVERIFY(!window()->pendingClassItem());
    QVERIFY(window()->isModified());
    QCOMPARE(window()->windowTitle(), QStringLiteral("Varnel 1.0 - *Sans nom"));

    // A stray confirmation without a pending class adds nothing.
    emit classEditor()->addClass();
    QCOMPARE(window()->diagramClasses().size(), 1);
}

void TestDiagramOperations::twoAdditionsStack()
{
    const QList<ClassItem *> boxes = addClasses({QStringLiteral("A"), QStringLiteral("B")});
    QVERIFY(boxes.at(0) && boxes.at(1));
    QCOMPARE(window()->diagramClasses(), boxes);
    QCOMPARE(boxes.at(0)->pos(), QPointF(5000, 5000));
    QCOMPARE(boxes.at(1)->pos(), QPointF(5000, 5000));
    const QList<QGraphicsItem *> atCentre = window()->diagramScene()->items(
        QPointF(5001, 5001), Qt::IntersectsItemShape, Qt::DescendingOrder);
    QCOMPARE(atCentre, (QList<QGraphicsItem *>{boxes.at(1), boxes.at(0)}));
}

void TestDiagramOperations::cancelledAddition_data()
{
    QTest::addColumn<bool>("modifiedBefore");
    QTest::newRow("clean diagram") << false;
    QTest::newRow("modified diagram") << true;
}

void TestDiagramOperations::cancelledAddition()
{
    QFETCH(bool, modifiedBefore);
    QList<ClassItem *> before;
    if (modifiedBefore)
        before << addClass(window(), QStringLiteral("Kept"));
    QCOMPARE(window()->isModified(), modifiedBefore);
    const QString title = window()->windowTitle();

    action(window(), "actionAddClass")->trigger();
    QVERIFY(window()->pendingClassItem());
    QPointer<ClassModel> pending = window()->pendingClassItem()->getModel();
    pending->setName(QStringLiteral("Dropped"));
    emit classEditor()->addCanceled();

    QVERIFY(!pending); // the box and its model are gone
    QVERIFY(!window()->pendingClassItem());
    QCOMPARE(window()->diagramClasses(), before);
    QCOMPARE(window()->diagramScene()->items().size(), before.size());
    QCOMPARE(window()->isModified(), modifiedBefore);
    QCOMPARE(window()->windowTitle(), title);

    // A second cancellation with nothing pending changes nothing either.
    emit classEditor()->addCanceled();
    QCOMPARE(window()->isModified(), modifiedBefore);
}

void TestDiagramOperations::boxAsksForEditing()
{
    ClassItem *box = addClass(window(), QStringLiteral("A"));
    QVERIFY(box);
    QVERIFY(!classEditor()->isVisible());
    box->getModel()->requestEdit();
    QVERIFY(classEditor()->isVisible());
    QVERIFY(window()->isModified());
}

void TestDiagramOperations::modClassMarksModified()
{
    // A class opened for editing counts as a change even if nothing is typed.
    ClassModel model;
    QVERIFY(!window()->isModified());
    QVERIFY(QMetaObject::invokeMethod(window(), "modClass", Q_ARG(ClassModel *, &model)));
    QVERIFY(window()->isModified());
    QCOMPARE(window()->windowTitle(), QStringLiteral("Varnel 1.0 - *Sans nom"));
    QVERIFY(classEditor()->isVisible());
}

void TestDiagramOperations::deletingAClassTakesItsLinks()
{
    const QList<ClassItem *> boxes = addClasses(
        {QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C"), QStringLiteral("D")});
    ClassItem *a = boxes.at(0), *b = boxes.at(1), *c = boxes.at(2), *d = boxes.at(3);
    QVERIFY(a && b && c && d);
    QVERIFY(addLink(window(), "actionAddAssociationLink", b, c)); // kept
    QVERIFY(addLink(window(), "actionAddInheritanceLink", a, b)); // A master
    QVERIFY(addLink(window(), "actionAddAgragationLink", c, d));  // kept
    QVERIFY(addLink(window(), "actionAddAssociationLink", d, a)); // A slave
    QVERIFY(addLink(window(), "actionAddInheritanceLink", b, d)); // kept
    const QList<Link *> links = window()->diagramLinks();
    QCOMPARE(links.size(), 5);
    QPointer<LinkModel> aMaster = links.at(1)->getModel();
    QPointer<LinkModel> aSlave = links.at(3)->getModel();
    QPointer<ClassModel> modelA = a->getModel();

    emit classEditor()->classCanceled(a->getModel());

    QVERIFY(!aMaster);
    QVERIFY(!aSlave);
    QVERIFY(!modelA);
    QCOMPARE(window()->diagramLinks(), (QList<Link *>{links.at(0), links.at(2), links.at(4)}));
    QCOMPARE(window()->diagramClasses(), (QList<ClassItem *>{b, c, d}));
    const QList<QGraphicsItem *> onScene = window()->diagramScene()->items();
    QCOMPARE(onScene.size(), 6);
    for (QGraphicsItem *item :
         {static_cast<QGraphicsItem *>(b), static_cast<QGraphicsItem *>(c),
          static_cast<QGraphicsItem *>(d), static_cast<QGraphicsItem *>(links.at(0)),
          static_cast<QGraphicsItem *>(links.at(2)), static_cast<QGraphicsItem *>(links.at(4))})
        QVERIFY(onScene.contains(item));
    QVERIFY(window()->isModified());

    // A class without links goes alone.
    ClassItem *e = addClass(window(), QStringLiteral("E"));
    emit classEditor()->classCanceled(e->getModel());
    QCOMPARE(window()->diagramClasses(), (QList<ClassItem *>{b, c, d}));
    QCOMPARE(window()->diagramLinks().size(), 3);
}

void TestDiagramOperations::deletingAnUnknownClass()
{
    ClassModel stray;
    emit classEditor()->classCanceled(&stray);
    QVERIFY(!window()->isModified());
    QCOMPARE(window()->windowTitle(), QStringLiteral("Varnel 1.0 - Sans nom"));
}

void TestDiagramOperations::linkNeedsTwoClasses_data()
{
    QTest::addColumn<int>("classes");
    QTest::addColumn<QString>("actionName");
    for (int classes : {0, 1}) {
        for (const char *name :
             {"actionAddInheritanceLink", "actionAddAgragationLink", "actionAddAssociationLink"})
            QTest::addRow("%d %s", classes, name) << classes << QString::fromLatin1(name);
    }
}

void TestDiagramOperations::linkNeedsTwoClasses()
{
    QFETCH(int, classes);
    QFETCH(QString, actionName);
    for (int i = 0; i < classes; ++i)
        QVERIFY(addClass(window(), QStringLiteral("A")));
    const bool modified = window()->isModified();

    window()->findChild<QAction *>(actionName)->trigger();
    QVERIFY(!window()->pendingLinkItem());
    QVERIFY(!linkEditor()->isVisible());
    QVERIFY(window()->diagramLinks().isEmpty());
    QCOMPARE(window()->isModified(), modified);
}

void TestDiagramOperations::linkShortcuts_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("type");
    QTest::newRow("Ctrl+I") << int(Qt::Key_I) << int(LinkModel::Inheritance);
    QTest::newRow("Ctrl+L") << int(Qt::Key_L) << int(LinkModel::Aggregation);
    QTest::newRow("Ctrl+M") << int(Qt::Key_M) << int(LinkModel::Association);
}

void TestDiagramOperations::linkShortcuts()
{
    QFETCH(int, key);
    QFETCH(int, type);
    window()->show();
    window()->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window()));

    // Nothing with no class, nor with one.
    for (int classes = 0; classes < 2; ++classes) {
        QTest::keyClick(window(), Qt::Key(key), Qt::ControlModifier);
        QVERIFY(!window()->pendingLinkItem());
        QVERIFY(!linkEditor()->isVisible());
        QVERIFY(addClass(window(), QStringLiteral("C%1").arg(classes)));
        window()->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window()));
    }

    // With two classes the same keys open the editor on a link of their kind.
    QTest::keyClick(window(), Qt::Key(key), Qt::ControlModifier);
    QVERIFY(window()->pendingLinkItem());
    QCOMPARE(window()->pendingLinkItem()->getModel()->type(), type);
    QVERIFY(linkEditor()->isVisible());
}

void TestDiagramOperations::linkKinds_data()
{
    QTest::addColumn<QString>("actionName");
    QTest::addColumn<int>("type");
    QTest::newRow("inheritance") << "actionAddInheritanceLink" << int(LinkModel::Inheritance);
    QTest::newRow("aggregation") << "actionAddAgragationLink" << int(LinkModel::Aggregation);
    QTest::newRow("association") << "actionAddAssociationLink" << int(LinkModel::Association);
}

void TestDiagramOperations::linkKinds()
{
    QFETCH(QString, actionName);
    QFETCH(int, type);
    const QList<ClassItem *> boxes =
        addClasses({QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")});
    QVERIFY(addLink(window(), "actionAddInheritanceLink", boxes.at(0), boxes.at(1)));
    Link *first = window()->diagramLinks().value(0);
    QVERIFY(first);

    window()->findChild<QAction *>(actionName)->trigger();
    Link *pending = window()->pendingLinkItem();
    QVERIFY(pending);
    QCOMPARE(pending->getModel()->type(), type);
    QVERIFY(linkEditor()->isVisible());
    QVERIFY(!pending->scene());
    QCOMPARE(window()->diagramLinks().size(), 1);

    pending->getModel()->setMaster(boxes.at(2));
    pending->getModel()->setSlave(boxes.at(1));
    emit linkEditor()->linkAdded();

    // Appended at the end, on the canvas under the boxes, and marked.
    QCOMPARE(window()->diagramLinks(), (QList<Link *>{first, pending}));
    QCOMPARE(pending->scene(), window()->diagramScene());
    QCOMPARE(pending->zValue(), 0.0);
    QCOMPARE(pending->getModel()->type(), type);
    QCOMPARE(pending->getModel()->master(), boxes.at(2));
    QCOMPARE(pending->getModel()->slave(), boxes.at(1));
    QVERIFY(!window()->pendingLinkItem());
    QVERIFY(window()->isModified());
    QCOMPARE(window()->windowTitle(), QStringLiteral("Varnel 1.0 - *Sans nom"));
}

void TestDiagramOperations::duplicateLinks_data()
{
    QTest::addColumn<QString>("existingAction");
    QTest::addColumn<int>("existingMaster");
    QTest::addColumn<int>("existingSlave");
    QTest::addColumn<QString>("newAction");
    QTest::addColumn<int>("newMaster");
    QTest::addColumn<int>("newSlave");
    QTest::addColumn<bool>("refused");

    const QString inh = QStringLiteral("actionAddInheritanceLink");
    const QString agg = QStringLiteral("actionAddAgragationLink");
    const QString ass = QStringLiteral("actionAddAssociationLink");
    QTest::newRow("same kind, same way") << inh << 0 << 1 << inh << 0 << 1 << true;
    QTest::newRow("same kind, other way") << inh << 0 << 1 << inh << 1 << 0 << true;
    QTest::newRow("association over inheritance the other way")
        << inh << 1 << 0 << ass << 0 << 1 << true;
    QTest::newRow("aggregation over inheritance the other way")
        << inh << 0 << 1 << agg << 1 << 0 << true;
    QTest::newRow("other kind, same way") << ass << 0 << 1 << agg << 0 << 1 << true;
    QTest::newRow("same master, other slave") << inh << 0 << 1 << inh << 0 << 2 << false;
    QTest::newRow("existing slave as master") << inh << 0 << 1 << ass << 1 << 2 << false;
    QTest::newRow("same slave, other master") << agg << 0 << 1 << agg << 2 << 1 << false;
}

void TestDiagramOperations::duplicateLinks()
{
    QFETCH(QString, existingAction);
    QFETCH(int, existingMaster);
    QFETCH(int, existingSlave);
    QFETCH(QString, newAction);
    QFETCH(int, newMaster);
    QFETCH(int, newSlave);
    QFETCH(bool, refused);

    const QList<ClassItem *> boxes =
        addClasses({QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")});
    QVERIFY(addLink(window(), qPrintable(existingAction), boxes.at(existingMaster),
                    boxes.at(existingSlave)));
    const QList<Link *> before = window()->diagramLinks();
    QCOMPARE(before.size(), 1);
    const QString title = window()->windowTitle();

    window()->findChild<QAction *>(newAction)->trigger();
    Link *pending = window()->pendingLinkItem();
    QVERIFY(pending);
    QPointer<LinkModel> pendingModel = pending->getModel();
    pendingModel->setMaster(boxes.at(newMaster));
    pendingModel->setSlave(boxes.at(newSlave));

    ModalAnswerer answerer;
    if (refused)
        answerer.answerMessageBox(QMessageBox::Ok);
    emit linkEditor()->linkAdded();
    QVERIFY(answerer.waitUntilAnswered());
    QVERIFY(!window()->pendingLinkItem());

    if (refused) {
        QCOMPARE(answerer.seen().size(), 1);
        const ModalAnswerer::Seen box = answerer.seen().first();
        QCOMPARE(box.title, QStringLiteral("Erreur"));
        QCOMPARE(box.text, QStringLiteral("Un lien existe déjà entre ces deux classes."));
        QCOMPARE(box.icon, QMessageBox::Warning);
        QCOMPARE(box.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        QVERIFY(!pendingModel);
        QCOMPARE(window()->diagramLinks(), before);
        QCOMPARE(window()->diagramScene()->items().size(), 4);
        QCOMPARE(window()->windowTitle(), title);
    } else {
        QVERIFY(answerer.seen().isEmpty());
        QVERIFY(pendingModel);
        QCOMPARE(window()->diagramLinks(), (QList<Link *>{before.first(), pending}));
        QCOMPARE(pending->scene(), window()->diagramScene());
    }
}

void TestDiagramOperations::oneWarningPerDuplicate()
{
    const QList<ClassItem *> boxes =
        addClasses({QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")});
    QVERIFY(addLink(window(), "actionAddInheritanceLink", boxes.at(0), boxes.at(1)));
    QVERIFY(addLink(window(), "actionAddAssociationLink", boxes.at(0), boxes.at(2)));
    // An edit may join the same two classes twice.
    window()->diagramLinks().at(1)->getModel()->setMaster(boxes.at(1));
    window()->diagramLinks().at(1)->getModel()->setSlave(boxes.at(0));

    ModalAnswerer answerer;
    answerer.answerMessageBox(QMessageBox::Ok);
    answerer.answerMessageBox(QMessageBox::Ok);
    answerer.answerMessageBox(QMessageBox::Ok); // a third one would be a fault
    QVERIFY(addLink(window(), "actionAddAgragationLink", boxes.at(0), boxes.at(1)));
    QCOMPARE(answerer.pending(), 1);
    QCOMPARE(answerer.seen().size(), 2);
    QCOMPARE(window()->diagramLinks().size(), 2);
    QVERIFY(!window()->pendingLinkItem());
}

void TestDiagramOperations::incompleteLinkIsNotPlaced_data()
{
    QTest::addColumn<int>("master"); // -1 unset
    QTest::addColumn<int>("slave");
    QTest::newRow("no master") << -1 << 1;
    QTest::newRow("no slave") << 0 << -1;
    QTest::newRow("neither") << -1 << -1;
    QTest::newRow("same class") << 1 << 1;
}

void TestDiagramOperations::incompleteLinkIsNotPlaced()
{
    QFETCH(int, master);
    QFETCH(int, slave);
    const QList<ClassItem *> boxes = addClasses({QStringLiteral("A"), QStringLiteral("B")});
    action(window(), "actionAddInheritanceLink")->trigger();
    QVERIFY(window()->pendingLinkItem());
    QPointer<LinkModel> pending = window()->pendingLinkItem()->getModel();
    pending->setMaster(boxes.value(master));
    pending->setSlave(boxes.value(slave));

    ModalAnswerer answerer;
    emit linkEditor()->linkAdded();
    QVERIFY(!pending);
    QVERIFY(!window()->pendingLinkItem());
    QVERIFY(window()->diagramLinks().isEmpty());
    QCOMPARE(window()->diagramScene()->items().size(), 2);
    QVERIFY(answerer.seen().isEmpty());
    QVERIFY(window()->isModified());
}

void TestDiagramOperations::abandonedLinkAddition()
{
    const QList<ClassItem *> boxes = addClasses({QStringLiteral("A"), QStringLiteral("B")});
    QVERIFY(addLink(window(), "actionAddInheritanceLink", boxes.at(0), boxes.at(1)));
    QVERIFY(window()->isModified());
    const QString title = window()->windowTitle();

    action(window(), "actionAddAssociationLink")->trigger();
    QPointer<LinkModel> pending = window()->pendingLinkItem()->getModel();
    QVERIFY(pending);
    // The user closes the editor: the pending item goes, the diagram keeps its mark.
    emit linkEditor()->linkCanceled();
    QVERIFY(!pending);
    QVERIFY(!window()->pendingLinkItem());
    QCOMPARE(window()->diagramLinks().size(), 1);
    QVERIFY(window()->isModified());
    QCOMPARE(window()->windowTitle(), title);
}

void TestDiagramOperations::cancelWhileEditingChangesNothing()
{
    const QList<ClassItem *> boxes = addClasses({QStringLiteral("A"), QStringLiteral("B")});
    QVERIFY(addLink(window(), "actionAddInheritanceLink", boxes.at(0), boxes.at(1)));
    QPointer<LinkModel> placed = window()->diagramLinks().first()->getModel();

    // An incomplete choice in edit mode reports a cancellation too.
    placed->requestEdit();
    emit linkEditor()->linkCanceled();
    QVERIFY(placed);
    QCOMPARE(window()->diagramLinks().size(), 1);
    QCOMPARE(window()->diagramLinks().first()->getModel(), placed.data());
    QVERIFY(window()->isModified());
}

void TestDiagramOperations::newAdditionReplacesTheOpenOne()
{
    addClasses({QStringLiteral("A"), QStringLiteral("B")});
    action(window(), "actionAddInheritanceLink")->trigger();
    QPointer<LinkModel> first = window()->pendingLinkItem()->getModel();
    QVERIFY(first);
    action(window(), "actionAddAssociationLink")->trigger();
    QVERIFY(!first);
    QVERIFY(window()->pendingLinkItem());
    QCOMPARE(window()->pendingLinkItem()->getModel()->type(), int(LinkModel::Association));
    QVERIFY(window()->diagramLinks().isEmpty());
}

void TestDiagramOperations::linkAsksForEditing()
{
    const QList<ClassItem *> boxes = addClasses({QStringLiteral("A"), QStringLiteral("B")});
    QVERIFY(addLink(window(), "actionAddInheritanceLink", boxes.at(0), boxes.at(1)));
    QVERIFY(!linkEditor()->isVisible());
    window()->diagramLinks().first()->getModel()->requestEdit();
    QVERIFY(linkEditor()->isVisible());
    QVERIFY(window()->isModified());
    // Editing creates nothing pending.
    QVERIFY(!window()->pendingLinkItem());
}

void TestDiagramOperations::deletingALinkKeepsTheBoxes()
{
    const QList<ClassItem *> boxes =
        addClasses({QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")});
    QVERIFY(addLink(window(), "actionAddInheritanceLink", boxes.at(0), boxes.at(1)));
    QVERIFY(addLink(window(), "actionAddAgragationLink", boxes.at(1), boxes.at(2)));
    QVERIFY(addLink(window(), "actionAddAssociationLink", boxes.at(2), boxes.at(0)));
    const QList<Link *> links = window()->diagramLinks();
    QPointer<LinkModel> middle = links.at(1)->getModel();

    emit linkEditor()->linkDeleted(middle);
    QVERIFY(!middle);
    QCOMPARE(window()->diagramLinks(), (QList<Link *>{links.at(0), links.at(2)}));
    QCOMPARE(window()->diagramClasses(), boxes);
    QCOMPARE(window()->diagramScene()->items().size(), 5);
    QVERIFY(window()->isModified());

    // A model that belongs to no link changes nothing.
    LinkModel stray;
    emit linkEditor()->linkDeleted(&stray);
    QCOMPARE(window()->diagramLinks().size(), 2);
}

VARNEL_WINDOW_TEST_MAIN(TestDiagramOperations)
#include "tst_diagramoperations.moc"
