// The main window: title, zoom, settings, the windows it owns and their images, and
// the classes and links added, edited and deleted through it.
#include "mainwindowtesting.h"
#include "testsupport/modalanswerer.h"

#include "codegen/codegen.h"
#include "windows/aboutus.h"
#include "windows/cfgeditor.h"
#include "windows/wellwin.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCommandLinkButton>
#include <QDesktopServices>
#include <QGraphicsView>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSlider>
#include <QTemporaryDir>
#include <QToolBar>
#include <QUrl>

#include <memory>

using namespace MainWindowTesting;

namespace {

const QString Clean = QStringLiteral("Varnel 1.0 - Sans nom");
const QString Changed = QStringLiteral("Varnel 1.0 - *Sans nom");

} // namespace

class TestMainWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init() { QVERIFY(makeWindow()); }
    void cleanup();

    void titleFollowsTheChanges();
    void zoomIsAbsolute();
    void toolBarSettings_data();
    void toolBarSettings();
    void preferencesReachTheWindow();
    void unreadableSettings_data();
    void unreadableSettings();
    void welcomeWindow();
    void feedbackOpensThePage();
    void images_data();
    void images();
    void destructionDeletesEverything();

    void linkActionsNeedTwoClasses_data();
    void linkActionsNeedTwoClasses();
    void linkAdditions_data();
    void linkAdditions();
    void deletions();

public slots:
    // Stands in for the web browser.
    void openUrl(const QUrl &url) { m_urls.append(url); }

private:
    MainWindow *makeWindow(const QByteArray &attributes = QByteArray());
    // Classes "A", "B", ... added through the class editor.
    void addClasses(int count);
    // A link added as "Kind Master Slave", "-" for an end left unset; the model while
    // it lives.
    QPointer<LinkModel> link(const QString &spec);
    template<class T>
    T *child(const char *name) const
    {
        return window->findChild<T *>(QLatin1String(name));
    }
    // Shown, icon width and icon height of the file bar, then of the item bar.
    QString barState() const
    {
        QStringList state;
        for (const char *name : {"FileToolBar", "ItemToolBar"}) {
            const QToolBar *bar = child<QToolBar>(name);
            state << QString::number(bar->isVisible()) << QString::number(bar->iconSize().width())
                  << QString::number(bar->iconSize().height());
        }
        return state.join(QLatin1Char(' '));
    }
    QString cfgPath() const { return m_dir.filePath(QStringLiteral("cfgs.xml")); }

    QTemporaryDir m_dir;
    std::unique_ptr<MainWindow> m_window;
    MainWindow *window = nullptr;
    QList<ClassItem *> boxes;
    QList<QUrl> m_urls;
};

void TestMainWindow::initTestCase()
{
    QVERIFY(m_dir.isValid());
}

void TestMainWindow::cleanup()
{
    m_window.reset();
    boxes.clear();
}

MainWindow *TestMainWindow::makeWindow(const QByteArray &attributes)
{
    m_window.reset();
    Cfg::setPathOverride(cfgPath());
    if (!writeFile(cfgPath(), cfgText(attributes)))
        return nullptr;
    m_window = std::make_unique<MainWindow>();
    return window = m_window.get();
}

void TestMainWindow::addClasses(int count)
{
    for (int i = 0; i < count; ++i)
        boxes << addClass(window, QString(QLatin1Char('A' + i)));
}

QPointer<LinkModel> TestMainWindow::link(const QString &spec)
{
    const QStringList parts = spec.split(QLatin1Char(' '));
    action(window, qPrintable(QStringLiteral("actionAdd%1Link").arg(parts.at(0))))->trigger();
    QPointer<LinkModel> model = window->pendingLinkItem()->getModel();
    model->setMaster(boxes.value(parts.at(1).at(0).unicode() - 'A'));
    model->setSlave(boxes.value(parts.at(2).at(0).unicode() - 'A'));
    emit topLevel<LinkEditor>()->linkAdded();
    return model;
}

void TestMainWindow::titleFollowsTheChanges()
{
    auto *classEditor = topLevel<ClassEditor>();
    QCOMPARE(window->windowTitle(), Clean);

    // A cancelled class addition leaves the mark as it was, and no box.
    action(window, "actionAddClass")->trigger();
    QPointer<ClassModel> dropped = window->pendingClassItem()->getModel();
    emit classEditor->addCanceled();
    QVERIFY(!dropped);
    QCOMPARE(window->windowTitle(), Clean);

    addClasses(2);
    QCOMPARE(window->diagramClasses(), boxes);
    QCOMPARE(boxes.at(1)->scene(), window->diagramScene());
    QCOMPARE(window->windowTitle(), Changed);
    action(window, "actionAddClass")->trigger();
    emit classEditor->addCanceled();
    QCOMPARE(window->windowTitle(), Changed);

    // An abandoned link addition deletes its pending link and keeps the mark.
    for (bool closed : {true, false}) {
        action(window, "actionAddInheritanceLink")->trigger();
        QPointer<LinkModel> pending = window->pendingLinkItem()->getModel();
        if (closed)
            emit topLevel<LinkEditor>()->linkCanceled();
        else
            action(window, "actionAddAssociationLink")->trigger(); // replaces it
        QVERIFY(!pending);
        QCOMPARE(window->windowTitle(), Changed);
    }
    emit topLevel<LinkEditor>()->linkCanceled();

    // A new link is appended under the boxes.
    QPointer<LinkModel> placed = link(QStringLiteral("Agragation A B"));
    QVERIFY(placed && !window->pendingLinkItem());
    QCOMPARE(window->diagramLinks().size(), 1);
    Link *item = window->diagramLinks().first();
    QCOMPARE(item->getModel(), placed.data());
    QCOMPARE(item->scene(), window->diagramScene());
    QCOMPARE(placed->type(), int(LinkModel::Aggregation));
    QVERIFY(item->zValue() < boxes.at(0)->zValue());
    QCOMPARE(window->windowTitle(), Changed);
}

void TestMainWindow::zoomIsAbsolute()
{
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
    QCOMPARE(view->transform().m11(), 1.0);
    QCOMPARE(view->transform().m22(), 1.0);
    QCOMPARE(view->transform(), QTransform::fromTranslate(7, -3));
}

void TestMainWindow::toolBarSettings_data()
{
    QTest::addColumn<QByteArray>("attributes");
    QTest::addColumn<QString>("bars");
    QTest::newRow("both") << QByteArray(" actionBarIconSize=\"32\" itemBarIconSize=\"128\"")
                          << "1 32 32 1 128 128";
    QTest::newRow("no item bar") << QByteArray(" itemBar=\"false\" itemBarIconSize=\"32\"")
                                 << "1 64 64 0 32 32";
    QTest::newRow("no file bar") << QByteArray(" actionBar=\"false\" actionBarIconSize=\"128\"")
                                 << "0 128 128 1 64 64";
}

void TestMainWindow::toolBarSettings()
{
    QFETCH(QByteArray, attributes);
    QFETCH(QString, bars);
    QVERIFY(makeWindow(attributes));
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    QCOMPARE(barState(), bars);
}

void TestMainWindow::preferencesReachTheWindow()
{
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    addClasses(1);
    QTest::qWait(100); // the redraws the addition asked for

    action(window, "actionConfiguration")->trigger();
    auto *prefs = topLevel<CfgEditor>();
    QVERIFY(prefs->isVisible());
    prefs->findChild<QCheckBox *>(QStringLiteral("che_itemBar"))->click();
    prefs->findChild<QRadioButton *>(QStringLiteral("rad_actBig"))->click();
    prefs->findChild<QLineEdit *>(QStringLiteral("lin_prefix"))->setText(QStringLiteral("the"));
    auto *font = prefs->findChild<QComboBox *>(QStringLiteral("fon_font"));
    font->setCurrentIndex(font->findText(QStringLiteral("DejaVu Serif")));
    QSignalSpy redrawn(window->diagramScene(), &QGraphicsScene::changed);
    prefs->findChild<QCommandLinkButton *>(QStringLiteral("com_apply"))->click();

    QVERIFY(!prefs->isVisible());
    QCOMPARE(barState(), QStringLiteral("1 128 128 0 64 64"));
    // The class editor and the boxes keep pointers into this record.
    QCOMPARE(*window->settings()->prefixe(), QStringLiteral("the"));
    QCOMPARE(window->settings()->font()->family(), QStringLiteral("DejaVu Serif"));
    // The boxes read the font when they paint: they must be redrawn now.
    QTRY_VERIFY(!redrawn.isEmpty());
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
    m_window.reset();
    m_window = std::make_unique<MainWindow>();
    window = m_window.get();
    QCOMPARE(answerer.seen().size(), 1);
    QCOMPARE(answerer.seen().first().summary(),
             QStringLiteral("Critical | Erreur | %1 | Ok").arg(message));

    // The defaults: both bars shown at 64, the welcome window asked for.
    Cfg *cfg = window->settings();
    QCOMPARE(*cfg->prefixe(), QStringLiteral("m_"));
    QVERIFY(cfg->askForClose() && !cfg->autoSave());
    window->show();
    QCOMPARE(barState(), QStringLiteral("1 64 64 1 64 64"));
    QVERIFY(topLevel<WellWin>()->isVisible());
    QCOMPARE(QFileInfo::exists(path), kind != 0);
}

void TestMainWindow::welcomeWindow()
{
    for (bool shown : {true, false}) {
        QVERIFY(makeWindow(shown ? " wellWin=\"true\"" : " wellWin=\"false\""));
        QCOMPARE(topLevel<WellWin>()->isVisible(), shown);
    }
}

void TestMainWindow::feedbackOpensThePage()
{
    QDesktopServices::setUrlHandler(QStringLiteral("https"), this, "openUrl");
    auto *welcome = topLevel<WellWin>();
    welcome->show();
    QVERIFY(QTest::qWaitForWindowExposed(welcome));
    QTest::mouseClick(welcome->findChild<QCommandLinkButton *>(QStringLiteral("com_feedback")),
                      Qt::LeftButton);
    QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
    QCOMPARE(m_urls, QList<QUrl>{QUrl(QStringLiteral("https://varnel.example.org/feedback"))});
    QVERIFY(welcome->isVisible());
}

void TestMainWindow::images_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QSize>("size");
    // Resource path, width, height.
    const QStringList table =
        QStringLiteral("OtherIcone/IconeVNL-200x110 200 110 OtherIcone/Apply 152 114 "
                       "OtherIcone/Add 77 77 OtherIcone/FavIcon 27 32 OtherIcone/Delete 132 125 "
                       "IconeMainWindow/AddClass 179 179 IconeMainWindow/AgregationLink 114 133 "
                       "IconeMainWindow/Generate 95 114 IconeMainWindow/New 58 77 "
                       "IconeMainWindow/Load 80 152 IconeMainWindow/Save 152 152 "
                       "IconeMainWindow/InheritanceLink 114 134 IconeMainWindow/Quit 101 156 "
                       "IconeMainWindow/Cfgs 115 156 IconeMainWindow/AssociationLink 114 133")
            .split(QLatin1Char(' '));
    for (int i = 0; i + 2 < table.size(); i += 3) {
        QTest::newRow(qPrintable(table.at(i)))
            << QStringLiteral(":/%1.png").arg(table.at(i))
            << QSize(table.at(i + 1).toInt(), table.at(i + 2).toInt());
    }
}

void TestMainWindow::images()
{
    QFETCH(QString, path);
    QFETCH(QSize, size);
    const QImage image(path);
    QCOMPARE(image.size(), size);

    // A pictogram, not a blank or single-colour square: transparent margins around
    // more than a couple of colours.
    QSet<QRgb> colours;
    int transparent = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            colours.insert(image.pixel(x, y));
            transparent += qAlpha(image.pixel(x, y)) == 0;
        }
    }
    QVERIFY(colours.size() > 3);
    QVERIFY(transparent > 0 && transparent < image.width() * image.height());
}

void TestMainWindow::destructionDeletesEverything()
{
    const QList<QPointer<QWidget>> windows = {topLevel<ClassEditor>(), topLevel<LinkEditor>(),
                                              topLevel<CodeGen>(),     topLevel<CfgEditor>(),
                                              topLevel<WellWin>(),     topLevel<AboutUs>()};
    addClasses(3);
    QVERIFY(link(QStringLiteral("Inheritance A B")));
    QVERIFY(link(QStringLiteral("Association C A")));

    // The boxes go in their order, then the links in theirs; shared, as the models
    // may outlive this function if a check fails first.
    auto gone = std::make_shared<QStringList>();
    for (ClassItem *box : boxes) {
        connect(box->getModel(), &QObject::destroyed, this,
                [gone, name = box->getModel()->name()] { *gone << name; });
    }
    for (Link *link : window->diagramLinks()) {
        connect(link->getModel(), &QObject::destroyed, this,
                [gone, name = link->getModel()->masterName()] {
                    *gone << QStringLiteral("link ") + name;
                });
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

void TestMainWindow::linkAdditions_data()
{
    QTest::addColumn<QString>("existing");
    QTest::addColumn<QString>("added");
    QTest::addColumn<QString>("outcome");
    const auto row = [](const char *name, const char *existing, const char *added,
                        const char *outcome) {
        QTest::newRow(name) << QString::fromLatin1(existing) << QString::fromLatin1(added)
                            << QString::fromLatin1(outcome);
    };
    // Two classes are joined once at most, whatever the kinds and directions.
    row("same kind, same way", "Inheritance A B", "Inheritance A B", "refused");
    row("same kind, other way", "Inheritance A B", "Inheritance B A", "refused");
    row("other kind, other way", "Inheritance B A", "Association A B", "refused");
    row("other kind, same way", "Association A B", "Agragation A B", "refused");
    row("same master", "Inheritance A B", "Inheritance A C", "placed");
    row("slave as master", "Inheritance A B", "Association B C", "placed");
    row("same slave", "Agragation A B", "Agragation C B", "placed");
    // A link without two different ends cannot be drawn: dropped without a word.
    row("no master", "Inheritance A B", "Inheritance - C", "dropped");
    row("no slave", "Inheritance A B", "Inheritance C -", "dropped");
    row("same class", "Inheritance A B", "Inheritance C C", "dropped");
}

void TestMainWindow::linkAdditions()
{
    QFETCH(QString, existing);
    QFETCH(QString, added);
    QFETCH(QString, outcome);
    addClasses(3);
    QVERIFY(link(existing));
    const QString title = window->windowTitle();

    ModalAnswerer answerer;
    answerer.answerMessageBox(QMessageBox::Ok);
    answerer.answerMessageBox(QMessageBox::Ok); // a second warning would take this one
    const QPointer<LinkModel> model = link(added);
    const bool placed = outcome == QLatin1String("placed");
    QCOMPARE(!model.isNull(), placed);
    QVERIFY(!window->pendingLinkItem());
    QCOMPARE(window->diagramLinks().size(), placed ? 2 : 1);
    QCOMPARE(window->diagramScene()->items().size(), placed ? 5 : 4);
    QCOMPARE(window->windowTitle(), title);
    QCOMPARE(answerer.seen().size(), int(outcome == QLatin1String("refused")));
    if (!answerer.seen().isEmpty())
        QCOMPARE(
            answerer.seen().first().summary(),
            QStringLiteral("Warning | Erreur | Un lien existe déjà entre ces deux classes. | Ok"));
}

void TestMainWindow::deletions()
{
    addClasses(4);
    QVERIFY(link(QStringLiteral("Association B C")));
    QPointer<LinkModel> aMaster = link(QStringLiteral("Inheritance A B"));
    QPointer<LinkModel> middle = link(QStringLiteral("Agragation C D"));
    QPointer<LinkModel> aSlave = link(QStringLiteral("Association D A"));
    QVERIFY(aMaster && middle && aSlave);

    // Opening a link for editing marks nothing pending; an edit left incomplete
    // reports a cancellation, which changes nothing.
    middle->requestEdit();
    QVERIFY(topLevel<LinkEditor>()->isVisible() && !window->pendingLinkItem());
    emit topLevel<LinkEditor>()->linkCanceled();
    QCOMPARE(window->diagramLinks().size(), 4);

    // A link goes alone.
    emit topLevel<LinkEditor>()->linkDeleted(middle);
    QVERIFY(!middle);
    QCOMPARE(window->diagramClasses(), boxes);
    QCOMPARE(window->diagramScene()->items().size(), 7);

    // A class takes the link it is master of and the one it is slave of.
    emit topLevel<ClassEditor>()->classCanceled(boxes.at(0)->getModel());
    QVERIFY(!aMaster && !aSlave);
    QCOMPARE(window->diagramClasses(), boxes.mid(1));
    QCOMPARE(window->diagramLinks().size(), 1);
    QCOMPARE(window->diagramScene()->items().size(), 4);
}

VARNEL_WINDOW_TEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
