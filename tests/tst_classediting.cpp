// The class editor inside the main window: classes added, edited and deleted through
// the editor's own widgets, and preferences applied while the program runs.
#include "mainwindowtesting.h"
#include "model/argatt.h"
#include "model/function.h"
#include "testsupport/modalanswerer.h"
#include "windows/cfgeditor.h"

#include <QCheckBox>
#include <QCommandLinkButton>
#include <QGraphicsScene>
#include <QLineEdit>
#include <QListView>
#include <QTemporaryDir>
#include <QToolButton>

#include <memory>

using namespace MainWindowTesting;

class TestClassEditing : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void addThroughTheEditor();
    void cancelledAdditionKeepsTheMark_data();
    void cancelledAdditionKeepsTheMark();
    void editKeepsMemberChanges();
    void deleteTakesTheLinksOnBothSides();
    void appliedPreferencesReachTheEditor();

private:
    MainWindow *window() const { return m_window.get(); }
    ClassEditor *editor() const { return topLevel<ClassEditor>(); }
    template<class T>
    T *editorChild(const char *name) const
    {
        return editor()->findChild<T *>(QLatin1String(name));
    }
    void type(const char *field, const QString &text);
    void click(const char *button) { editorChild<QAbstractButton>(button)->click(); }
    void addAttribute(const QString &name, const QString &type);
    bool selectMethod(const QString &line);

    QTemporaryDir m_dir;
    QString m_cfgPath;
    std::unique_ptr<MainWindow> m_window;
};

void TestClassEditing::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_cfgPath = m_dir.filePath(QStringLiteral("cfgs.xml"));
    Cfg::setPathOverride(m_cfgPath);
}

void TestClassEditing::init()
{
    // Applying preferences rewrites the file: every case starts from the same one.
    QVERIFY(writeFile(m_cfgPath, cfgText()));
    m_window = std::make_unique<MainWindow>();
    QVERIFY(editor());
}

void TestClassEditing::cleanup()
{
    m_window.reset();
}

void TestClassEditing::type(const char *field, const QString &text)
{
    auto *edit = editorChild<QLineEdit>(field);
    edit->clear();
    QTest::keyClicks(edit, text);
}

void TestClassEditing::addAttribute(const QString &name, const QString &attType)
{
    type("lin_attName", name);
    type("lin_attType", attType);
    click("too_attMore");
}

bool TestClassEditing::selectMethod(const QString &line)
{
    auto *view = editorChild<QListView>("lis_fctView");
    for (int row = 0; row < view->model()->rowCount(); ++row) {
        const QModelIndex index = view->model()->index(row, 0);
        if (index.data().toString() == line) {
            view->setCurrentIndex(index);
            return true;
        }
    }
    return false;
}

void TestClassEditing::addThroughTheEditor()
{
    action(window(), "actionAddClass")->trigger();
    QVERIFY(editor()->isVisible());
    QCOMPARE(editor()->windowTitle(), QStringLiteral("Ajouter une nouvelle classe"));
    type("lin_name", QStringLiteral("Shape"));
    addAttribute(QStringLiteral("m_count"), QStringLiteral("int"));
    type("lin_include", QStringLiteral("QString;QList"));
    QVERIFY(window()->diagramClasses().isEmpty());

    ModalAnswerer answerer;
    answerer.answerMessageBox(QMessageBox::Ok);
    click("com_addModClass");
    // The spare answer is left: no box was shown.
    QCOMPARE(answerer.seen().size(), 0);

    QVERIFY(!editor()->isVisible());
    QCOMPARE(window()->diagramClasses().size(), 1);
    ClassItem *box = window()->diagramClasses().first();
    QCOMPARE(box->scene(), window()->diagramScene());
    QCOMPARE(box->pos(), QPointF(5000, 5000));
    const ClassModel *model = box->getModel();
    QCOMPARE(model->name(), QStringLiteral("Shape"));
    QCOMPARE(model->includes(), (QStringList{QStringLiteral("QString"), QStringLiteral("QList")}));
    QCOMPARE(model->methodLines(), (QStringList{QStringLiteral("+ setCount (count:int) : void"),
                                                QStringLiteral("+ getCount () : int")}));
    // Sized on confirmation: the name line and three member lines.
    QCOMPARE(model->lineCount(), 4);
    QCOMPARE(window()->windowTitle(), QStringLiteral("Varnel 1.0 - *Sans nom"));
}

void TestClassEditing::cancelledAdditionKeepsTheMark_data()
{
    QTest::addColumn<bool>("modifiedBefore");
    QTest::newRow("unchanged diagram") << false;
    QTest::newRow("unsaved diagram") << true;
}

void TestClassEditing::cancelledAdditionKeepsTheMark()
{
    QFETCH(bool, modifiedBefore);
    if (modifiedBefore)
        QVERIFY(addClass(window(), QStringLiteral("Kept")));
    const QList<ClassItem *> before = window()->diagramClasses();
    const int sceneItems = int(window()->diagramScene()->items().size());
    const QString title = window()->windowTitle();
    QCOMPARE(window()->isModified(), modifiedBefore);

    action(window(), "actionAddClass")->trigger();
    type("lin_name", QStringLiteral("Dropped"));
    addAttribute(QStringLiteral("m_count"), QStringLiteral("int"));
    QVERIFY(editor()->close());

    QVERIFY(!window()->pendingClassItem());
    QCOMPARE(window()->diagramClasses(), before);
    QCOMPARE(window()->diagramScene()->items().size(), sceneItems);
    QCOMPARE(window()->isModified(), modifiedBefore);
    QCOMPARE(window()->windowTitle(), title);
}

void TestClassEditing::editKeepsMemberChanges()
{
    ClassItem *box = addClass(window(), QStringLiteral("Shape"));
    QVERIFY(box);
    ClassModel *model = box->getModel();
    auto *att = new ArgAtt(QStringLiteral("m_count"), QStringLiteral("int"), QString(), 0);
    model->addAttribute(att);
    auto *getter = new Function(QStringLiteral("getCount"), QStringLiteral("int"), 4, {});
    getter->setLinkedAtt(att);
    model->addMethod(getter);
    model->addMethod(new Function(QStringLiteral("run"), QStringLiteral("void"), 1, {}));

    // What a right click on the box does.
    model->requestEdit();
    QVERIFY(editor()->isVisible());
    QCOMPARE(editor()->windowTitle(), QStringLiteral("Editer la classes - Shape"));
    QVERIFY(editorChild<QWidget>("com_deleteClass")->isVisible());
    type("lin_name", QStringLiteral("Renamed"));
    QVERIFY(selectMethod(QStringLiteral("+ run () : void")));
    click("too_fctLess");
    QVERIFY(editor()->close());

    // The member change stays, the unconfirmed name does not, and the box is kept.
    QCOMPARE(window()->diagramClasses(), QList<ClassItem *>{box});
    QCOMPARE(model->name(), QStringLiteral("Shape"));
    QCOMPARE(model->methodLines(), QStringList{QStringLiteral("+ getCount () : int")});
    QCOMPARE(window()->windowTitle(), QStringLiteral("Varnel 1.0 - *Sans nom"));
    // The box already has the size of the lines it shows, so none overflows it.
    const QRectF shown = box->boundingRect();
    model->updateSize();
    QCOMPARE(box->boundingRect(), shown);
}

void TestClassEditing::deleteTakesTheLinksOnBothSides()
{
    ClassItem *a = addClass(window(), QStringLiteral("A"));
    ClassItem *b = addClass(window(), QStringLiteral("B"));
    ClassItem *c = addClass(window(), QStringLiteral("C"));
    QVERIFY(addLink(window(), "actionAddInheritanceLink", a, b));
    QVERIFY(addLink(window(), "actionAddAgragationLink", c, a));
    QVERIFY(addLink(window(), "actionAddAssociationLink", b, c));

    a->getModel()->requestEdit();
    QCOMPARE(editorChild<QCommandLinkButton>("com_deleteClass")->text(),
             QStringLiteral("Supprimer A"));
    click("com_deleteClass");

    QVERIFY(!editor()->isVisible());
    QCOMPARE(window()->diagramClasses(), (QList<ClassItem *>{b, c}));
    QCOMPARE(window()->diagramLinks().size(), 1);
    const LinkModel *kept = window()->diagramLinks().first()->getModel();
    QCOMPARE(kept->master(), b);
    QCOMPARE(kept->slave(), c);
    // Two boxes and the one link are all that is left to draw.
    QCOMPARE(window()->diagramScene()->items().size(), 3);
    QVERIFY(window()->isModified());
}

void TestClassEditing::appliedPreferencesReachTheEditor()
{
    const auto applyPreferences = [this](const QString &prefix, bool autoAccessors) {
        action(window(), "actionConfiguration")->trigger();
        auto *prefs = topLevel<CfgEditor>();
        QVERIFY(prefs && prefs->isVisible());
        auto *prefixField = prefs->findChild<QLineEdit *>(QStringLiteral("lin_prefix"));
        prefixField->clear();
        QTest::keyClicks(prefixField, prefix);
        prefs->findChild<QCheckBox *>(QStringLiteral("che_autoAddSetGetFct"))
            ->setChecked(autoAccessors);
        prefs->findChild<QCommandLinkButton *>(QStringLiteral("com_apply"))->click();
        QVERIFY(!prefs->isVisible());
    };

    applyPreferences(QStringLiteral("the"), false);
    action(window(), "actionAddClass")->trigger();
    {
        ModalAnswerer answerer;
        answerer.answerMessageBox(QMessageBox::Yes);
        addAttribute(QStringLiteral("thesize"), QStringLiteral("int"));
        QVERIFY(answerer.waitUntilAnswered());
        QCOMPARE(answerer.seen().size(), 1);
        QCOMPARE(answerer.seen().first().title, QStringLiteral("Méthodes << Set >> - << Get >>"));
    }
    QCOMPARE(window()->pendingClassItem()->getModel()->methodLines(),
             (QStringList{QStringLiteral("+ setSize (size:int) : void"),
                          QStringLiteral("+ getSize () : int")}));
    QVERIFY(editor()->close());

    // The editor stays the same window; the next change reaches it as well.
    applyPreferences(QString(), true);
    action(window(), "actionAddClass")->trigger();
    ModalAnswerer answerer;
    answerer.answerMessageBox(QMessageBox::No);
    addAttribute(QStringLiteral("size"), QStringLiteral("int"));
    QCOMPARE(answerer.seen().size(), 0);
    type("lin_name", QStringLiteral("Box"));
    click("com_addModClass");
    QCOMPARE(window()->diagramClasses().last()->getModel()->methodLines(),
             (QStringList{QStringLiteral("+ setSize (size:int) : void"),
                          QStringLiteral("+ getSize () : int")}));
}

VARNEL_WINDOW_TEST_MAIN(TestClassEditing)
#include "tst_classediting.moc"
