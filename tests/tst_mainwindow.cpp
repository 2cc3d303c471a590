// The main window: title, zoom, settings, the windows it owns, and the classes and
// links added, edited and deleted through it.
#include "mainwindowtesting.h"
#include "testsupport/modalanswerer.h"

#include "codegen/codegen.h"
#include "windows/aboutus.h"
#include "windows/cfgeditor.h"
#include "windows/wellwin.h"

#include <QComboBox>
#include <QCheckBox>
#include <QCommandLinkButton>
#include <QGraphicsView>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QSlider>
#include <QTemporaryDir>
#include <QToolBar>

#include <memory>

using namespace MainWindowTesting;

namespace {

const QString Clean = QStringLiteral("Varnel 1.0 - Sans nom");
const QString Changed = QStringLiteral("Varnel 1.0 - *Sans nom");

// Counts the paint events of a widget.
class PaintCounter : public QObject
{
public:
    int paints = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        paints += event->type() == QEvent::Paint;
        return false;
    }
};

void checkBox(const ModalAnswerer::Seen &box, const QString &text, QMessageBox::Icon icon)
{
    QCOMPARE(box.kind, QStringLiteral("QMessageBox"));
    QCOMPARE(box.title, QStringLiteral("Erreur"));
    QCOMPARE(box.text, text);
    QCOMPARE(box.icon, icon);
    QCOMPARE(box.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
}

} // namespace

class TestMainWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();

    void titleFollowsTheChanges();
    void zoomIsAbsolute();
    void toolBarSettings_data();
    void toolBarSettings();
    void preferencesReachTheWindow();
    void unreadableSettings_data();
    void unreadableSettings();
    void welcomeWindow_data();
    void welcomeWindow();
    void actionsOpenTheirWindows();
    void destructionDeletesEverything();

    void linkActionsNeedTwoClasses_data();
    void linkActionsNeedTwoClasses();
    void duplicateLinks_data();
    void duplicateLinks();
    void incompleteLinkIsNotPlaced_data();
    void incompleteLinkIsNotPlaced();
    void editingALinkRewritesIt();
    void deletingALinkKeepsTheBoxes();
    void deletingAClassTakesItsLinks();

private:
    MainWindow *makeWindow(const QByteArray &attributes = QByteArray());
    QList<ClassItem *> addClasses(int count);
    template<class T>
    T *child(const char *name) const
    {
        return m_window->findChild<T *>(QLatin1String(name));
    }
    QString cfgPath() const { return m_dir.filePath(QStringLiteral("cfgs.xml")); }

    QTemporaryDir m_dir;
    std::unique_ptr<MainWindow> m_window;
};

void TestMainWindow::initTestCase()
{
    QVERIFY(m_dir.isValid());
    Cfg::setPathOverride(cfgPath());
}

void TestMainWindow::cleanup()
{
    m_window.reset();
    Cfg::setPathOverride(cfgPath());
}

MainWindow *TestMainWindow::makeWindow(const QByteArray &attributes)
{
    if (!writeFile(cfgPath(), cfgText(attributes)))
        return nullptr;
    m_window = std::make_unique<MainWindow>();
    return m_window.get();
}

// Classes "A", "B", ... added through the class editor.
QList<ClassItem *> TestMainWindow::addClasses(int count)
{
    QList<ClassItem *> boxes;
    for (int i = 0; i < count; ++i)
        boxes << addClass(m_window.get(), QString(QLatin1Char('A' + i)));
    return boxes;
}

void TestMainWindow::titleFollowsTheChanges()
{
    MainWindow *window = makeWindow();
    QVERIFY(window);
    auto *classEditor = topLevel<ClassEditor>();
    QCOMPARE(window->windowTitle(), Clean);

    // A cancelled class addition leaves the mark as it was, and no box.
    action(window, "actionAddClass")->trigger();
    QPointer<ClassModel> dropped = window->pendingClassItem()->getModel();
    emit classEditor->addCanceled();
    QVERIFY(!dropped);
    QCOMPARE(window->windowTitle(), Clean);

    const QList<ClassItem *> boxes = addClasses(2);
    QCOMPARE(window->diagramClasses(), boxes);
    QCOMPARE(boxes.at(1)->scene(), window->diagramScene());
    QCOMPARE(window->windowTitle(), Changed);
    action(window, "actionAddClass")->trigger();
    emit classEditor->addCanceled();
    QCOMPARE(window->windowTitle(), Changed);

    // An abandoned link addition deletes its pending link and keeps the mark.
    for (const char *abandon : {"linkCanceled", "replaced"}) {
        action(window, "actionAddInheritanceLink")->trigger();
        QPointer<LinkModel> pending = window->pendingLinkItem()->getModel();
        if (qstrcmp(abandon, "linkCanceled") == 0)
            emit topLevel<LinkEditor>()->linkCanceled();
        else
            action(window, "actionAddAssociationLink")->trigger();
        QVERIFY2(!pending, abandon);
        QCOMPARE(window->windowTitle(), Changed);
    }
    emit topLevel<LinkEditor>()->linkCanceled();

    // A new link is appended under the boxes.
    QVERIFY(addLink(window, "actionAddAgragationLink", boxes.at(0), boxes.at(1)));
    Link *placed = window->diagramLinks().value(0);
    QVERIFY(placed && !window->pendingLinkItem());
    QCOMPARE(placed->scene(), window->diagramScene());
    QCOMPARE(placed->getModel()->type(), int(LinkModel::Aggregation));
    QVERIFY(placed->zValue() < boxes.at(0)->zValue());
    QCOMPARE(window->windowTitle(), Changed);
}

void TestMainWindow::zoomIsAbsolute()
{
    MainWindow *window = makeWindow();
    QVERIFY(window);
    auto *view = child<QGraphicsView>("gra_graphicsView");
    auto *slider = child<QSlider>("sli_zoom");
    view->setTransform(QTransform::fromTranslate(7, -3));

    slider->setValue(50);
    slider->setValue(30);
    QCOMPARE(child<QLabel>("lab_zoom")->text(), QStringLiteral("30"));
    QCOMPARE(view->transform(), QTransform(0.3, 0, 0, 0.3, 7, -3));

    // Back to 100 is exactly the translation, not a product of rounded factors.
    slider->setValue(10);
    slider->setValue(100);
    const QTransform t = view->transform();
    QCOMPARE(t.m11(), 1.0);
    QCOMPARE(t.m22(), 1.0);
    QCOMPARE(t, QTransform::fromTranslate(7, -3));
}

void TestMainWindow::toolBarSettings_data()
{
    QTest::addColumn<QByteArray>("attributes");
    QTest::addColumn<bool>("fileShown");
    QTest::addColumn<int>("fileSize");
    QTest::addColumn<bool>("itemShown");
    QTest::addColumn<int>("itemSize");
    QTest::newRow("both shown") << QByteArray(" actionBarIconSize=\"32\" itemBarIconSize=\"128\"")
                                << true << 32 << true << 128;
    QTest::newRow("item bar hidden")
        << QByteArray(" itemBar=\"false\" itemBarIconSize=\"32\"") << true << 64 << false << 32;
    QTest::newRow("file bar hidden") << QByteArray(" actionBar=\"false\" actionBarIconSize=\"128\"")
                                     << false << 128 << true << 64;
}

void TestMainWindow::toolBarSettings()
{
    QFETCH(QByteArray, attributes);
    QFETCH(bool, fileShown);
    QFETCH(int, fileSize);
    QFETCH(bool, itemShown);
    QFETCH(int, itemSize);
    MainWindow *window = makeWindow(attributes);
    QVERIFY(window);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    auto *file = child<QToolBar>("FileToolBar");
    auto *item = child<QToolBar>("ItemToolBar");
    const auto check = [&](bool fileOn, int fileIcons, bool itemOn, int itemIcons) {
        QCOMPARE(file->isVisible(), fileOn);
        QCOMPARE(file->iconSize(), QSize(fileIcons, fileIcons));
        QCOMPARE(item->isVisible(), itemOn);
        QCOMPARE(item->iconSize(), QSize(itemIcons, itemIcons));
    };
    check(fileShown, fileSize, itemShown, itemSize);

    // Applied settings swap both bars at once.
    Cfg *cfg = window->settings();
    cfg->setActionBar(!fileShown);
    cfg->setItemBar(!itemShown);
    cfg->setActionBarIconSize(itemSize);
    cfg->setItemBarIconSize(fileSize);
    emit topLevel<CfgEditor>()->applyCfg();
    check(!fileShown, itemSize, !itemShown, fileSize);
}

void TestMainWindow::preferencesReachTheWindow()
{
    MainWindow *window = makeWindow();
    QVERIFY(window);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    ClassItem *box = addClasses(1).value(0);
    QVERIFY(box);
    child<QGraphicsView>("gra_graphicsView")->centerOn(box);
    QTest::qWait(200); // the repaints the addition asked for

    action(window, "actionConfiguration")->trigger();
    auto *prefs = topLevel<CfgEditor>();
    QVERIFY(prefs->isVisible());
    prefs->findChild<QCheckBox *>(QStringLiteral("che_itemBar"))->click();
    prefs->findChild<QLineEdit *>(QStringLiteral("lin_prefix"))->setText(QStringLiteral("the"));
    auto *font = prefs->findChild<QComboBox *>(QStringLiteral("fon_font"));
    font->setCurrentIndex(font->findText(QStringLiteral("DejaVu Serif")));
    PaintCounter counter;
    child<QGraphicsView>("gra_graphicsView")->viewport()->installEventFilter(&counter);
    prefs->findChild<QCommandLinkButton *>(QStringLiteral("com_apply"))->click();

    QVERIFY(!prefs->isVisible());
    QVERIFY(!child<QToolBar>("ItemToolBar")->isVisible());
    // The class editor and the boxes keep pointers into this record.
    QCOMPARE(*window->settings()->prefixe(), QStringLiteral("the"));
    QCOMPARE(window->settings()->font()->family(), QStringLiteral("DejaVu Serif"));
    // The boxes read the font when they paint: they must paint again now.
    QTRY_VERIFY(counter.paints > 0);
}

void TestMainWindow::unreadableSettings_data()
{
    QTest::addColumn<int>("kind"); // 0 missing, 1 a folder, 2 not XML
    QTest::addColumn<QString>("message");
    const QString cannotOpen = QStringLiteral("Impossible d'ouvrir le fichier de configuration.");
    QTest::newRow("missing") << 0 << cannotOpen;
    QTest::newRow("folder") << 1 << cannotOpen;
    QTest::newRow("not XML") << 2
                             << QStringLiteral("Impossible de parser le fichier de configuration.");
}

void TestMainWindow::unreadableSettings()
{
    QFETCH(int, kind);
    QFETCH(QString, message);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("cfgs.xml"));
    if (kind == 1)
        QVERIFY(QDir().mkpath(path));
    if (kind == 2)
        QVERIFY(writeFile(path, "<cfgs itemBar=\"false\" actionBarIconSize=\"32\"><"));
    Cfg::setPathOverride(path);

    ModalAnswerer answerer;
    answerer.answerMessageBox(QMessageBox::Ok);
    answerer.answerMessageBox(QMessageBox::Ok); // a second box would take this one
    m_window = std::make_unique<MainWindow>();
    QCOMPARE(answerer.seen().size(), 1);
    checkBox(answerer.seen().first(), message, QMessageBox::Critical);

    // The defaults: both bars shown at 64, the welcome window asked for.
    Cfg *cfg = m_window->settings();
    QCOMPARE(*cfg->prefixe(), QStringLiteral("m_"));
    QVERIFY(cfg->askForClose() && !cfg->autoSave());
    QVERIFY(!child<QToolBar>("FileToolBar")->isHidden());
    QVERIFY(!child<QToolBar>("ItemToolBar")->isHidden());
    QCOMPARE(child<QToolBar>("FileToolBar")->iconSize(), QSize(64, 64));
    QCOMPARE(child<QToolBar>("ItemToolBar")->iconSize(), QSize(64, 64));
    QVERIFY(topLevel<WellWin>()->isVisible());
    QCOMPARE(QFileInfo::exists(path), kind != 0);
}

void TestMainWindow::welcomeWindow_data()
{
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<bool>("shown");
    QTest::newRow("true") << QByteArray("true") << true;
    QTest::newRow("false") << QByteArray("false") << false;
}

void TestMainWindow::welcomeWindow()
{
    QFETCH(QByteArray, value);
    QFETCH(bool, shown);
    QVERIFY(makeWindow(" wellWin=\"" + value + "\""));
    QCOMPARE(topLevel<WellWin>()->isVisible(), shown);
}

void TestMainWindow::actionsOpenTheirWindows()
{
    MainWindow *window = makeWindow();
    QVERIFY(window);
    const QList<QPair<const char *, QWidget *>> targets = {
        {"actionGenerate", topLevel<CodeGen>()},
        {"actionConfiguration", topLevel<CfgEditor>()},
        {"actionAboutVNL", topLevel<AboutUs>()}};
    for (const auto &target : targets) {
        QVERIFY2(target.second && !target.second->isVisible(), target.first);
        action(window, target.first)->trigger();
        QTRY_VERIFY2(target.second->isVisible(), target.first);
        target.second->hide();
    }
}

void TestMainWindow::destructionDeletesEverything()
{
    MainWindow *window = makeWindow();
    QVERIFY(window);
    const QList<QPointer<QWidget>> windows = {topLevel<ClassEditor>(), topLevel<LinkEditor>(),
                                              topLevel<CodeGen>(),     topLevel<CfgEditor>(),
                                              topLevel<WellWin>(),     topLevel<AboutUs>()};
    const QList<ClassItem *> boxes = addClasses(3);
    QVERIFY(addLink(window, "actionAddInheritanceLink", boxes.at(0), boxes.at(1)));
    QVERIFY(addLink(window, "actionAddAssociationLink", boxes.at(2), boxes.at(0)));

    // The boxes go in their order, then the links in theirs; shared, as the models
    // may outlive this function if a check fails first.
    auto gone = std::make_shared<QStringList>();
    for (ClassItem *box : boxes) {
        connect(box->getModel(), &QObject::destroyed, this,
                [gone, name = box->getModel()->name()] { *gone << name; });
    }
    for (Link *link : window->diagramLinks()) {
        connect(link->getModel(), &QObject::destroyed, this,
                [gone, name = link->getModel()->masterName()] { *gone << QStringLiteral("link ") + name; });
    }
    // Additions left open when the window goes.
    action(window, "actionAddClass")->trigger();
    QPointer<ClassModel> pendingClass = window->pendingClassItem()->getModel();
    action(window, "actionAddAgragationLink")->trigger();
    QPointer<LinkModel> pendingLink = window->pendingLinkItem()->getModel();

    m_window.reset();
    QCOMPARE(*gone, QStringLiteral("A,B,C,link A,link C").split(QLatin1Char(',')));
    for (const QPointer<QWidget> &w : windows)
        QVERIFY(!w);
    QVERIFY(!pendingClass && !pendingLink);
}

void TestMainWindow::linkActionsNeedTwoClasses_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("type");
    QTest::newRow("Ctrl+I") << int(Qt::Key_I) << int(LinkModel::Inheritance);
    QTest::newRow("Ctrl+L") << int(Qt::Key_L) << int(LinkModel::Aggregation);
    QTest::newRow("Ctrl+M") << int(Qt::Key_M) << int(LinkModel::Association);
}

void TestMainWindow::linkActionsNeedTwoClasses()
{
    QFETCH(int, key);
    QFETCH(int, type);
    MainWindow *window = makeWindow();
    QVERIFY(window);
    window->show();
    for (int classes = 0; classes <= 2; ++classes) {
        if (classes > 0)
            QVERIFY(addClass(window, QStringLiteral("C%1").arg(classes)));
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window));
        const QString title = window->windowTitle();
        QTest::keyClick(window, Qt::Key(key), Qt::ControlModifier);
        // Nothing at all with no class or one; the editor on a link of the kind with two.
        QCOMPARE(topLevel<LinkEditor>()->isVisible(), classes == 2);
        QCOMPARE(window->pendingLinkItem() != nullptr, classes == 2);
        QCOMPARE(window->windowTitle(), title);
    }
    QCOMPARE(window->pendingLinkItem()->getModel()->type(), type);
}

void TestMainWindow::duplicateLinks_data()
{
    QTest::addColumn<QString>("existing"); // action, master, slave
    QTest::addColumn<QString>("added");
    QTest::addColumn<bool>("refused");
    QTest::newRow("same kind, same way") << "Inheritance A B"
                                         << "Inheritance A B" << true;
    QTest::newRow("same kind, other way") << "Inheritance A B"
                                          << "Inheritance B A" << true;
    QTest::newRow("other kind, other way") << "Inheritance B A"
                                           << "Association A B" << true;
    QTest::newRow("other kind, same way") << "Association A B"
                                          << "Agragation A B" << true;
    QTest::newRow("same master") << "Inheritance A B"
                                 << "Inheritance A C" << false;
    QTest::newRow("slave as master") << "Inheritance A B"
                                     << "Association B C" << false;
    QTest::newRow("same slave") << "Agragation A B"
                                << "Agragation C B" << false;
}

void TestMainWindow::duplicateLinks()
{
    QFETCH(QString, existing);
    QFETCH(QString, added);
    QFETCH(bool, refused);
    MainWindow *window = makeWindow();
    QVERIFY(window);
    const QList<ClassItem *> boxes = addClasses(3);
    const auto add = [&](const QString &spec) {
        const QStringList parts = spec.split(QLatin1Char(' '));
        const QByteArray name = "actionAdd" + parts.at(0).toLatin1() + "Link";
        return addLink(window, name.constData(), boxes.at(parts.at(1).at(0).unicode() - 'A'),
                       boxes.at(parts.at(2).at(0).unicode() - 'A'));
    };
    QVERIFY(add(existing));
    const QList<Link *> before = window->diagramLinks();
    const QString title = window->windowTitle();

    ModalAnswerer answerer;
    answerer.answerMessageBox(QMessageBox::Ok);
    answerer.answerMessageBox(QMessageBox::Ok); // a second warning would take this one
    QVERIFY(add(added));
    QVERIFY(!window->pendingLinkItem());
    QCOMPARE(answerer.seen().size(), refused ? 1 : 0);
    QCOMPARE(window->diagramLinks().size(), refused ? 1 : 2);
    QCOMPARE(window->diagramScene()->items().size(), refused ? 4 : 5);
    QCOMPARE(window->diagramLinks().first(), before.first());
    QCOMPARE(window->windowTitle(), title);
    if (refused)
        checkBox(answerer.seen().first(),
                 QStringLiteral("Un lien existe déjà entre ces deux classes."),
                 QMessageBox::Warning);
}

void TestMainWindow::incompleteLinkIsNotPlaced_data()
{
    QTest::addColumn<int>("master"); // -1 unset
    QTest::addColumn<int>("slave");
    QTest::newRow("no master") << -1 << 1;
    QTest::newRow("no slave") << 0 << -1;
    QTest::newRow("same class") << 1 << 1;
}

void TestMainWindow::incompleteLinkIsNotPlaced()
{
    QFETCH(int, master);
    QFETCH(int, slave);
    MainWindow *window = makeWindow();
    QVERIFY(window);
    const QList<ClassItem *> boxes = addClasses(2);
    action(window, "actionAddInheritanceLink")->trigger();
    QPointer<LinkModel> pending = window->pendingLinkItem()->getModel();
    pending->setMaster(boxes.value(master));
    pending->setSlave(boxes.value(slave));

    ModalAnswerer answerer;
    emit topLevel<LinkEditor>()->linkAdded();
    QVERIFY(!pending);
    QVERIFY(!window->pendingLinkItem());
    QVERIFY(window->diagramLinks().isEmpty());
    QCOMPARE(window->diagramScene()->items().size(), 2);
    QVERIFY(answerer.seen().isEmpty());
}

void TestMainWindow::editingALinkRewritesIt()
{
    MainWindow *window = makeWindow();
    QVERIFY(window);
    const QList<ClassItem *> boxes = addClasses(3);
    QVERIFY(addLink(window, "actionAddInheritanceLink", boxes.at(0), boxes.at(1)));
    QVERIFY(addLink(window, "actionAddAssociationLink", boxes.at(0), boxes.at(2)));
    LinkModel *second = window->diagramLinks().at(1)->getModel();

    // Through the editor's own boxes: A-C becomes B-A, which joins the classes of the
    // first link; an edit is not an addition and is not refused.
    second->requestEdit();
    auto *editor = topLevel<LinkEditor>();
    QVERIFY(editor->isVisible());
    QVERIFY(!window->pendingLinkItem());
    auto *one = editor->findChild<QComboBox *>(QStringLiteral("com_itemOne"));
    auto *two = editor->findChild<QComboBox *>(QStringLiteral("com_itemTwo"));
    two->setCurrentIndex(two->findText(QStringLiteral("A")));
    one->setCurrentIndex(one->findText(QStringLiteral("B")));
    ModalAnswerer answerer;
    editor->findChild<QPushButton *>(QStringLiteral("pus_addMod"))->click();
    QVERIFY(answerer.seen().isEmpty());
    QCOMPARE(second->master(), boxes.at(1));
    QCOMPARE(second->slave(), boxes.at(0));
    QCOMPARE(window->diagramLinks().size(), 2);

    // An edit left incomplete reports a cancellation, which changes nothing.
    second->requestEdit();
    emit editor->linkCanceled();
    QCOMPARE(window->diagramLinks().size(), 2);
    QCOMPARE(window->diagramLinks().at(1)->getModel(), second);
}

void TestMainWindow::deletingALinkKeepsTheBoxes()
{
    MainWindow *window = makeWindow();
    QVERIFY(window);
    const QList<ClassItem *> boxes = addClasses(3);
    QVERIFY(addLink(window, "actionAddInheritanceLink", boxes.at(0), boxes.at(1)));
    QVERIFY(addLink(window, "actionAddAgragationLink", boxes.at(1), boxes.at(2)));
    QVERIFY(addLink(window, "actionAddAssociationLink", boxes.at(2), boxes.at(0)));
    const QList<Link *> links = window->diagramLinks();
    QPointer<LinkModel> middle = links.at(1)->getModel();

    emit topLevel<LinkEditor>()->linkDeleted(middle);
    QVERIFY(!middle);
    QCOMPARE(window->diagramLinks(), (QList<Link *>{links.at(0), links.at(2)}));
    QCOMPARE(window->diagramClasses(), boxes);
    QCOMPARE(window->diagramScene()->items().size(), 5);
}

void TestMainWindow::deletingAClassTakesItsLinks()
{
    MainWindow *window = makeWindow();
    QVERIFY(window);
    const QList<ClassItem *> boxes = addClasses(4);
    ClassItem *a = boxes.at(0), *b = boxes.at(1), *c = boxes.at(2), *d = boxes.at(3);
    QVERIFY(addLink(window, "actionAddAssociationLink", b, c)); // kept
    QVERIFY(addLink(window, "actionAddInheritanceLink", a, b)); // A master
    QVERIFY(addLink(window, "actionAddAgragationLink", c, d));  // kept
    QVERIFY(addLink(window, "actionAddAssociationLink", d, a)); // A slave
    const QList<Link *> links = window->diagramLinks();
    QPointer<LinkModel> aMaster = links.at(1)->getModel();
    QPointer<LinkModel> aSlave = links.at(3)->getModel();

    emit topLevel<ClassEditor>()->classCanceled(a->getModel());
    QVERIFY(!aMaster && !aSlave);
    QCOMPARE(window->diagramLinks(), (QList<Link *>{links.at(0), links.at(2)}));
    QCOMPARE(window->diagramClasses(), (QList<ClassItem *>{b, c, d}));
    QCOMPARE(window->diagramScene()->items().size(), 5);
}

VARNEL_WINDOW_TEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
