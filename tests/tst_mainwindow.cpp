// The main window's frame: its form, title, zoom, tool-bar settings, settings file
// errors and the windows it opens.
#include "mainwindowtesting.h"
#include "testsupport/modalanswerer.h"

#include "codegen/codegen.h"
#include "windows/aboutus.h"
#include "windows/cfgeditor.h"
#include "windows/wellwin.h"

#include <QGraphicsView>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QSlider>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QToolBar>

#include <memory>

using namespace MainWindowTesting;

class TestMainWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void startState();
    void welcomeWindow_data();
    void welcomeWindow();
    void actions_data();
    void actions();
    void menus();
    void toolBars();
    void centralWidget();
    void titleFollowsTheDiagram();
    void zoomIsAbsolute();
    void zoomKeepsTheTranslation();
    void toolBarSettingsAtStart_data();
    void toolBarSettingsAtStart();
    void appliedSettingsReachTheToolBars();
    void appliedFontRedrawsTheBoxes();
    void unreadableSettings_data();
    void unreadableSettings();
    void windowsOpenedByActions_data();
    void windowsOpenedByActions();
    void aboutQt();
    void quit();
    void destructionDeletesEverything();

private:
    MainWindow *makeWindow(const QByteArray &cfg = cfgText());
    QString cfgPath() const { return m_dir.filePath(QStringLiteral("cfgs.xml")); }

    QTemporaryDir m_dir;
    std::unique_ptr<MainWindow> m_window;
};

void TestMainWindow::initTestCase()
{
    QVERIFY(m_dir.isValid());
    Cfg::setPathOverride(cfgPath());
}

void TestMainWindow::init()
{
    QFile::remove(cfgPath());
}

void TestMainWindow::cleanup()
{
    m_window.reset();
}

MainWindow *TestMainWindow::makeWindow(const QByteArray &cfg)
{
    if (!writeFile(cfgPath(), cfg))
        return nullptr;
    m_window = std::make_unique<MainWindow>();
    return m_window.get();
}

void TestMainWindow::startState()
{
    MainWindow *window = makeWindow();
    QVERIFY(window);
    QCOMPARE(window->windowTitle(), QStringLiteral("Varnel 1.0 - Sans nom"));
    QVERIFY(!window->isModified());
    QCOMPARE(window->currentFileName(), QStringLiteral("Sans nom"));
    QCOMPARE(window->currentFilePath(), QString());
    QVERIFY(window->windowState() & Qt::WindowMaximized);
    QVERIFY(window->diagramClasses().isEmpty());
    QVERIFY(window->diagramLinks().isEmpty());

    auto *view = window->findChild<QGraphicsView *>(QStringLiteral("gra_graphicsView"));
    QVERIFY(view);
    QCOMPARE(view->scene(), window->diagramScene());
    QCOMPARE(window->diagramScene()->sceneRect(), QRectF(0, 0, 10000, 10000));
    QVERIFY(window->diagramScene()->items().isEmpty());

    // One label, "Prêt", in the status bar's normal area.
    const QList<QLabel *> labels = window->statusBar()->findChildren<QLabel *>();
    QStringList texts;
    for (const QLabel *label : labels)
        texts << label->text();
    QCOMPARE(texts, QStringList{QStringLiteral("Prêt")});

    // Every auxiliary window exists, once, hidden.
    QVERIFY(topLevel<ClassEditor>() && !topLevel<ClassEditor>()->isVisible());
    QVERIFY(topLevel<LinkEditor>() && !topLevel<LinkEditor>()->isVisible());
    QVERIFY(topLevel<CodeGen>() && !topLevel<CodeGen>()->isVisible());
    QVERIFY(topLevel<CfgEditor>() && !topLevel<CfgEditor>()->isVisible());
    QVERIFY(topLevel<AboutUs>() && !topLevel<AboutUs>()->isVisible());
    QVERIFY(topLevel<WellWin>());
}

void TestMainWindow::welcomeWindow_data()
{
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<bool>("shown");
    QTest::newRow("true") << QByteArray("true") << true;
    QTest::newRow("false") << QByteArray("false") << false;
    QTest::newRow("True") << QByteArray("True") << false;
}

void TestMainWindow::welcomeWindow()
{
    QFETCH(QByteArray, value);
    QFETCH(bool, shown);
    QVERIFY(makeWindow(cfgText(" wellWin=\"" + value + "\"")));
    QVERIFY(topLevel<WellWin>());
    QCOMPARE(topLevel<WellWin>()->isVisible(), shown);
}

void TestMainWindow::actions_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("statusTip");
    QTest::addColumn<QString>("shortcut");
    QTest::addColumn<QString>("icon");

    const QString tipLink = QStringLiteral("Ouvre l'éditeur de lien");
    QTest::newRow("add class") << "actionAddClass"
                               << "Ajouter une classe"
                               << "Ouvre l'éditeur de classe"
                               << "Ctrl+A"
                               << ":/IconeMainWindow/AddClass.png";
    QTest::newRow("inheritance") << "actionAddInheritanceLink"
                                 << "Ajouter un lien d'héritage" << tipLink << "Ctrl+I"
                                 << ":/IconeMainWindow/InheritanceLink.png";
    QTest::newRow("aggregation") << "actionAddAgragationLink"
                                 << "Ajouter un lien d'agrégation" << tipLink << "Ctrl+L"
                                 << ":/IconeMainWindow/AgregationLink.png";
    QTest::newRow("association") << "actionAddAssociationLink"
                                 << "Ajouter un lien d'association" << tipLink << "Ctrl+M"
                                 << ":/IconeMainWindow/AssociationLink.png";
    QTest::newRow("generate") << "actionGenerate"
                              << "Ouvrir la fenêtre de génération"
                              << "Ouvre la fenêtre de paramétrage de la génération de code"
                              << "Ctrl+G"
                              << ":/IconeMainWindow/Generate.png";
    QTest::newRow("save") << "actionSave"
                          << "Enregistrer"
                          << "Enregistre votre diagramme"
                          << "Ctrl+S"
                          << ":/IconeMainWindow/Save.png";
    QTest::newRow("load") << "actionLoad"
                          << "Charger"
                          << "Charge un diagramme précédement enregistré"
                          << "Ctrl+O"
                          << ":/IconeMainWindow/Load.png";
    QTest::newRow("save as") << "actionSaveAs"
                             << "Enregistrer sous ..." << QString() << "Alt+S" << QString();
    QTest::newRow("new") << "actionNew"
                         << "Nouveau"
                         << "Efface le diagramme actuel pour en faire un nouveau"
                         << "Ctrl+N"
                         << ":/IconeMainWindow/New.png";
    QTest::newRow("quit") << "actionQuitter"
                          << "Quitter"
                          << "Ferme VNL"
                          << "Ctrl+Q"
                          << ":/IconeMainWindow/Quit.png";
    QTest::newRow("settings") << "actionConfiguration"
                              << "Configuration"
                              << "Ouvre le gestionnaire de configuration" << QString()
                              << ":/IconeMainWindow/Cfgs.png";
    QTest::newRow("about Qt") << "actionAboutQt"
                              << "A propos de Qt" << QString() << QString() << QString();
    QTest::newRow("about") << "actionAboutVNL"
                           << "A propos d'VNL" << QString() << QString() << QString();
}

void TestMainWindow::actions()
{
    QFETCH(QString, name);
    QFETCH(QString, text);
    QFETCH(QString, statusTip);
    QFETCH(QString, shortcut);
    QFETCH(QString, icon);

    MainWindow *window = makeWindow();
    QVERIFY(window);
    auto *act = window->findChild<QAction *>(name);
    QVERIFY(act);
    QCOMPARE(act->parent(), window);
    QCOMPARE(act->text(), text);
    QCOMPARE(act->statusTip(), statusTip);
    QCOMPARE(act->shortcut(), QKeySequence(shortcut));
    if (name == QLatin1String("actionGenerate"))
        QCOMPARE(act->toolTip(), QStringLiteral("Générer le code source"));

    if (icon.isEmpty()) {
        QVERIFY(act->icon().isNull());
    } else {
        QVERIFY(!act->icon().isNull());
        const QImage expected = QIcon(icon).pixmap(QSize(32, 32)).toImage();
        QVERIFY(!expected.isNull());
        QCOMPARE(act->icon().pixmap(QSize(32, 32)).toImage(), expected);
    }
}

namespace {

// The entries of a menu or tool bar, "|" for a separator.
QStringList entries(const QWidget *widget)
{
    QStringList names;
    const QList<QAction *> acts = widget->actions();
    for (const QAction *act : acts) {
        if (act->isSeparator())
            names << QStringLiteral("|");
        else if (act->menu())
            names << act->menu()->objectName();
        else
            names << act->objectName();
    }
    return names;
}

QStringList split(const char *text)
{
    return QString::fromLatin1(text).split(QLatin1Char(' '));
}

} // namespace

void TestMainWindow::menus()
{
    MainWindow *window = makeWindow();
    QVERIFY(window);
    QMenuBar *bar = window->menuBar();
    QCOMPARE(bar->objectName(), QStringLiteral("menuBar"));
    QCOMPARE(bar->font().families().value(0), QStringLiteral("Kalinga"));
    QCOMPARE(window->font().families().value(0), QStringLiteral("Kalinga"));
    QCOMPARE(entries(bar), split("menuVNL menuMod_lisation menuA_propos"));

    auto *vnl = bar->findChild<QMenu *>(QStringLiteral("menuVNL"));
    auto *modelling = bar->findChild<QMenu *>(QStringLiteral("menuMod_lisation"));
    auto *about = bar->findChild<QMenu *>(QStringLiteral("menuA_propos"));
    QVERIFY(vnl && modelling && about);
    QCOMPARE(vnl->title(), QStringLiteral("VNL"));
    QCOMPARE(modelling->title(), QStringLiteral("Modélisation"));
    QCOMPARE(about->title(), QStringLiteral("A propos"));
    QCOMPARE(entries(vnl), split("actionNew | actionSave actionSaveAs actionLoad | actionGenerate "
                                 "actionConfiguration | actionQuitter"));
    QCOMPARE(entries(modelling), split("actionAddClass | actionAddInheritanceLink "
                                       "actionAddAgragationLink actionAddAssociationLink"));
    QCOMPARE(entries(about), split("actionAboutQt actionAboutVNL"));
}

void TestMainWindow::toolBars()
{
    MainWindow *window = makeWindow();
    QVERIFY(window);
    auto *file = window->findChild<QToolBar *>(QStringLiteral("FileToolBar"));
    auto *item = window->findChild<QToolBar *>(QStringLiteral("ItemToolBar"));
    QVERIFY(file && item);

    QCOMPARE(file->windowTitle(), QStringLiteral("Barre des fichiers"));
    QCOMPARE(window->toolBarArea(file), Qt::TopToolBarArea);
    QCOMPARE(file->allowedAreas(), Qt::AllToolBarAreas);
    QVERIFY(!file->isFloatable());
    QCOMPARE(entries(file), split("actionNew | actionSave actionLoad | actionGenerate "
                                  "actionConfiguration | actionQuitter"));

    QCOMPARE(item->windowTitle(), QStringLiteral("Barre d'item"));
    QCOMPARE(window->toolBarArea(item), Qt::LeftToolBarArea);
    QCOMPARE(item->allowedAreas(), Qt::AllToolBarAreas);
    QVERIFY(item->isFloatable());
    QCOMPARE(item->sizePolicy().horizontalPolicy(), QSizePolicy::Fixed);
    QCOMPARE(item->sizePolicy().verticalPolicy(), QSizePolicy::Preferred);
    QCOMPARE(entries(item), split("actionAddClass | actionAddInheritanceLink "
                                  "actionAddAgragationLink actionAddAssociationLink"));
}

void TestMainWindow::centralWidget()
{
    MainWindow *window = makeWindow();
    QVERIFY(window);
    auto *view = window->findChild<QGraphicsView *>(QStringLiteral("gra_graphicsView"));
    QVERIFY(view);
    QVERIFY(view->hasMouseTracking());
    QVERIFY(view->acceptDrops());
    QCOMPARE(view->alignment(), Qt::AlignLeft | Qt::AlignTop);
    // Qt's high-quality antialiasing is part of plain antialiasing now; nothing else.
    QCOMPARE(view->renderHints(), QPainter::Antialiasing | QPainter::TextAntialiasing);
    QCOMPARE(view->viewportUpdateMode(), QGraphicsView::FullViewportUpdate);

    auto *slider = window->findChild<QSlider *>(QStringLiteral("sli_zoom"));
    QVERIFY(slider);
    QCOMPARE(slider->orientation(), Qt::Horizontal);
    QCOMPARE(slider->minimum(), 10);
    QCOMPARE(slider->maximum(), 100);
    QCOMPARE(slider->value(), 100);
    QCOMPARE(slider->tickPosition(), QSlider::TicksBothSides);
    QCOMPARE(slider->tickInterval(), 10);

    // The row under the canvas, left to right, with the spacer between hint and zoom.
    auto *row = window->findChild<QHBoxLayout *>(QStringLiteral("horizontalLayout"));
    QVERIFY(row);
    QStringList order;
    for (int i = 0; i < row->count(); ++i) {
        QLayoutItem *entry = row->itemAt(i);
        if (auto *label = qobject_cast<QLabel *>(entry->widget()))
            order << label->objectName() + QLatin1Char('=') + label->text();
        else if (entry->widget())
            order << entry->widget()->objectName();
        else if (entry->spacerItem())
            order << QStringLiteral("spacer");
    }
    QCOMPARE(order, (QStringList{QStringLiteral("label_3=Pour éditer une classe ou un lien, faites "
                                                "un clique droite dessus."),
                                 QStringLiteral("spacer"), QStringLiteral("label=Zoom :"),
                                 QStringLiteral("sli_zoom"), QStringLiteral("lab_zoom=100"),
                                 QStringLiteral("label_2=%")}));
}

void TestMainWindow::titleFollowsTheDiagram()
{
    MainWindow *window = makeWindow();
    QVERIFY(window);
    const QString clean = QStringLiteral("Varnel 1.0 - Sans nom");
    const QString changed = QStringLiteral("Varnel 1.0 - *Sans nom");
    QCOMPARE(window->windowTitle(), clean);

    // An addition that is cancelled leaves no mark.
    action(window, "actionAddClass")->trigger();
    QCOMPARE(window->windowTitle(), clean);
    emit topLevel<ClassEditor>()->addCanceled();
    QCOMPARE(window->windowTitle(), clean);

    ClassItem *first = addClass(window, QStringLiteral("A"));
    QVERIFY(first);
    QCOMPARE(window->windowTitle(), changed);
    ClassItem *second = addClass(window, QStringLiteral("B"));
    QVERIFY(second);
    QCOMPARE(window->windowTitle(), changed);

    // The mark stays through a cancelled addition and a deletion.
    action(window, "actionAddClass")->trigger();
    emit topLevel<ClassEditor>()->addCanceled();
    QCOMPARE(window->windowTitle(), changed);
    emit topLevel<ClassEditor>()->classCanceled(first->getModel());
    QCOMPARE(window->windowTitle(), changed);
    QVERIFY(window->isModified());
}

void TestMainWindow::zoomIsAbsolute()
{
    MainWindow *window = makeWindow();
    QVERIFY(window);
    auto *view = window->findChild<QGraphicsView *>(QStringLiteral("gra_graphicsView"));
    auto *slider = window->findChild<QSlider *>(QStringLiteral("sli_zoom"));
    auto *value = window->findChild<QLabel *>(QStringLiteral("lab_zoom"));
    QVERIFY(view && slider && value);
    QCOMPARE(view->transform(), QTransform());

    slider->setValue(10);
    QCOMPARE(value->text(), QStringLiteral("10"));
    QCOMPARE(view->transform(), QTransform::fromScale(0.1, 0.1));

    // Not cumulative: 50 then 30 is 0.3, not 0.15.
    slider->setValue(50);
    slider->setValue(30);
    QCOMPARE(value->text(), QStringLiteral("30"));
    QCOMPARE(view->transform(), QTransform::fromScale(0.3, 0.3));

    slider->setValue(10);
    slider->setValue(100);
    QCOMPARE(value->text(), QStringLiteral("100"));
    // Exactly the identity, not a product of rounded factors.
    const QTransform t = view->transform();
    QVERIFY(t.isIdentity());
    QCOMPARE(t.m11(), 1.0);
    QCOMPARE(t.m22(), 1.0);
    QCOMPARE(t.type(), QTransform::TxNone);

    // The slider cannot go beyond its range.
    slider->setValue(150);
    QCOMPARE(slider->value(), 100);
    slider->setValue(1);
    QCOMPARE(slider->value(), 10);
    QCOMPARE(value->text(), QStringLiteral("10"));
}

void TestMainWindow::zoomKeepsTheTranslation()
{
    MainWindow *window = makeWindow();
    QVERIFY(window);
    auto *view = window->findChild<QGraphicsView *>(QStringLiteral("gra_graphicsView"));
    auto *slider = window->findChild<QSlider *>(QStringLiteral("sli_zoom"));
    QVERIFY(view && slider);
    view->setTransform(QTransform::fromTranslate(7, -3));

    slider->setValue(20);
    QCOMPARE(view->transform().dx(), 7.0);
    QCOMPARE(view->transform().dy(), -3.0);
    QCOMPARE(view->transform().m11(), 0.2);
    QCOMPARE(view->transform().m22(), 0.2);

    slider->setValue(100);
    QCOMPARE(view->transform(), QTransform::fromTranslate(7, -3));
}

void TestMainWindow::toolBarSettingsAtStart_data()
{
    QTest::addColumn<QByteArray>("attributes");
    QTest::addColumn<bool>("fileShown");
    QTest::addColumn<int>("fileSize");
    QTest::addColumn<bool>("itemShown");
    QTest::addColumn<int>("itemSize");
    QTest::newRow("defaults") << QByteArray() << true << 64 << true << 64;
    QTest::newRow("item bar hidden")
        << QByteArray(" itemBar=\"false\" itemBarIconSize=\"32\"") << true << 64 << false << 32;
    QTest::newRow("file bar hidden") << QByteArray(" actionBar=\"false\" actionBarIconSize=\"128\"")
                                     << false << 128 << true << 64;
    QTest::newRow("sizes apart") << QByteArray(" actionBarIconSize=\"32\" itemBarIconSize=\"128\"")
                                 << true << 32 << true << 128;
}

void TestMainWindow::toolBarSettingsAtStart()
{
    QFETCH(QByteArray, attributes);
    QFETCH(bool, fileShown);
    QFETCH(int, fileSize);
    QFETCH(bool, itemShown);
    QFETCH(int, itemSize);

    MainWindow *window = makeWindow(cfgText(attributes));
    QVERIFY(window);
    auto *file = window->findChild<QToolBar *>(QStringLiteral("FileToolBar"));
    auto *item = window->findChild<QToolBar *>(QStringLiteral("ItemToolBar"));
    QCOMPARE(!file->isHidden(), fileShown);
    QCOMPARE(file->iconSize(), QSize(fileSize, fileSize));
    QCOMPARE(!item->isHidden(), itemShown);
    QCOMPARE(item->iconSize(), QSize(itemSize, itemSize));

    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    QCOMPARE(file->isVisible(), fileShown);
    QCOMPARE(item->isVisible(), itemShown);
}

void TestMainWindow::appliedSettingsReachTheToolBars()
{
    MainWindow *window =
        makeWindow(cfgText(" itemBar=\"false\" itemBarIconSize=\"32\" actionBarIconSize=\"64\""));
    QVERIFY(window);
    auto *file = window->findChild<QToolBar *>(QStringLiteral("FileToolBar"));
    auto *item = window->findChild<QToolBar *>(QStringLiteral("ItemToolBar"));
    QVERIFY(item->isHidden());

    // What the preferences dialog does: change the record, then signal.
    Cfg *cfg = window->settings();
    cfg->setItemBar(true);
    cfg->setItemBarIconSize(128);
    cfg->setActionBar(false);
    cfg->setActionBarIconSize(32);
    QVERIFY(QMetaObject::invokeMethod(window, "applyCfg"));
    QVERIFY(!item->isHidden());
    QCOMPARE(item->iconSize(), QSize(128, 128));
    QVERIFY(file->isHidden());
    QCOMPARE(file->iconSize(), QSize(32, 32));

    // The preferences dialog's signal reaches the same slot.
    cfg->setActionBar(true);
    cfg->setItemBarIconSize(64);
    emit topLevel<CfgEditor>()->applyCfg();
    QVERIFY(!file->isHidden());
    QCOMPARE(item->iconSize(), QSize(64, 64));
}

namespace {

// Counts the paint events of a widget.
class PaintCounter : public QObject
{
public:
    int paints = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

} // namespace

void TestMainWindow::appliedFontRedrawsTheBoxes()
{
    MainWindow *window = makeWindow();
    QVERIFY(window);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    ClassItem *box = addClass(window, QStringLiteral("A"));
    QVERIFY(box);
    auto *view = window->findChild<QGraphicsView *>(QStringLiteral("gra_graphicsView"));
    view->centerOn(box);
    // Let every repaint the addition asked for happen first.
    QTest::qWait(200);

    PaintCounter counter;
    view->viewport()->installEventFilter(&counter);
    // The boxes read the font when they paint; applying must make them paint again,
    // not wait for some later change of the canvas.
    window->settings()->setFont(QFont(QStringLiteral("DejaVu Serif"), 20));
    emit topLevel<CfgEditor>()->applyCfg();
    QTRY_VERIFY(counter.paints > 0);
}

void TestMainWindow::unreadableSettings_data()
{
    QTest::addColumn<int>("kind"); // 0 missing, 1 a folder, 2 not XML
    QTest::addColumn<QString>("message");
    const QString cannotOpen = QStringLiteral("Impossible d'ouvrir le fichier de configuration.");
    const QString cannotParse = QStringLiteral("Impossible de parser le fichier de configuration.");
    QTest::newRow("missing") << 0 << cannotOpen;
    QTest::newRow("folder") << 1 << cannotOpen;
    QTest::newRow("not XML") << 2 << cannotParse;
}

void TestMainWindow::unreadableSettings()
{
    QFETCH(int, kind);
    QFETCH(QString, message);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("cfgs.xml"));
    if (kind == 1)
        QVERIFY(QDir().mkpath(path));
    if (kind == 2)
        QVERIFY(writeFile(path, "<cfgs itemBar=\"false\" wellWin=\"false\"><"));
    Cfg::setPathOverride(path);

    ModalAnswerer answerer;
    answerer.answerMessageBox(QMessageBox::Ok);
    // A second box would take this answer instead of blocking the test.
    answerer.answerMessageBox(QMessageBox::Ok);
    m_window = std::make_unique<MainWindow>();
    MainWindow *window = m_window.get();
    Cfg::setPathOverride(cfgPath());

    QCOMPARE(answerer.seen().size(), 1);
    QCOMPARE(answerer.pending(), 1);
    const ModalAnswerer::Seen box = answerer.seen().first();
    QCOMPARE(box.kind, QStringLiteral("QMessageBox"));
    QCOMPARE(box.title, QStringLiteral("Erreur"));
    QCOMPARE(box.text, message);
    QCOMPARE(box.icon, QMessageBox::Critical);
    QCOMPARE(box.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));

    // The record and the tool bars keep their defaults; nothing is written.
    Cfg *cfg = window->settings();
    QCOMPARE(*cfg->prefixe(), QStringLiteral("m_"));
    QVERIFY(cfg->actionBar());
    QVERIFY(cfg->itemBar());
    QVERIFY(!cfg->autoSave());
    QVERIFY(cfg->askForClose());
    QVERIFY(*cfg->autoAddSetGetFct());
    QVERIFY(cfg->wellWin());
    auto *file = window->findChild<QToolBar *>(QStringLiteral("FileToolBar"));
    auto *item = window->findChild<QToolBar *>(QStringLiteral("ItemToolBar"));
    QVERIFY(!file->isHidden());
    QVERIFY(!item->isHidden());
    QCOMPARE(file->iconSize(), QSize(64, 64));
    QCOMPARE(item->iconSize(), QSize(64, 64));
    if (kind == 0)
        QVERIFY(!QFileInfo::exists(path));
    // The default asks for the welcome window.
    QVERIFY(topLevel<WellWin>()->isVisible());
    QCOMPARE(window->windowTitle(), QStringLiteral("Varnel 1.0 - Sans nom"));
}

void TestMainWindow::windowsOpenedByActions_data()
{
    QTest::addColumn<QString>("actionName");
    QTest::addColumn<QString>("windowClass");
    QTest::newRow("generate") << "actionGenerate"
                              << "CodeGen";
    QTest::newRow("settings") << "actionConfiguration"
                              << "CfgEditor";
    QTest::newRow("about") << "actionAboutVNL"
                           << "AboutUs";
}

void TestMainWindow::windowsOpenedByActions()
{
    QFETCH(QString, actionName);
    QFETCH(QString, windowClass);
    MainWindow *window = makeWindow();
    QVERIFY(window);

    QWidget *target = nullptr;
    const QList<QWidget *> widgets = QApplication::topLevelWidgets();
    for (QWidget *widget : widgets) {
        if (QLatin1String(widget->metaObject()->className()) == windowClass)
            target = widget;
    }
    QVERIFY(target);
    QVERIFY(!target->isVisible());
    QVERIFY(!target->parentWidget());
    window->findChild<QAction *>(actionName)->trigger();
    QTRY_VERIFY(target->isVisible());
}

void TestMainWindow::aboutQt()
{
    MainWindow *window = makeWindow();
    QVERIFY(window);
    ModalAnswerer answerer;
    answerer.answerMessageBox(QMessageBox::Ok);
    action(window, "actionAboutQt")->trigger();
    QVERIFY(answerer.waitUntilAnswered());
    QCOMPARE(answerer.seen().size(), 1);
    QVERIFY(answerer.seen().first().title.contains(QLatin1String("Qt")));
}

void TestMainWindow::quit()
{
    MainWindow *window = makeWindow();
    QVERIFY(window);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    action(window, "actionQuitter")->trigger();
    QTRY_VERIFY(!window->isVisible());
}

void TestMainWindow::destructionDeletesEverything()
{
    MainWindow *window = makeWindow();
    QVERIFY(window);
    const QList<QPointer<QWidget>> windows = {topLevel<ClassEditor>(), topLevel<LinkEditor>(),
                                              topLevel<CodeGen>(),     topLevel<CfgEditor>(),
                                              topLevel<WellWin>(),     topLevel<AboutUs>()};
    for (const QPointer<QWidget> &w : windows)
        QVERIFY(w);

    ClassItem *a = addClass(window, QStringLiteral("A"));
    ClassItem *b = addClass(window, QStringLiteral("B"));
    ClassItem *c = addClass(window, QStringLiteral("C"));
    QVERIFY(a && b && c);
    QVERIFY(addLink(window, "actionAddInheritanceLink", a, b));
    QVERIFY(addLink(window, "actionAddAssociationLink", c, a));
    QPointer<ClassModel> modelA = a->getModel();
    QPointer<LinkModel> placed = window->diagramLinks().first()->getModel();

    // The boxes go in their order, then the links in theirs.
    // Shared: the models may outlive this function if a check fails before they go.
    auto gone = std::make_shared<QStringList>();
    for (ClassItem *box : window->diagramClasses()) {
        const QString name = box->getModel()->name();
        connect(box->getModel(), &QObject::destroyed, this, [gone, name] { *gone << name; });
    }
    for (int i = 0; i < window->diagramLinks().size(); ++i) {
        const QString name = QStringLiteral("link %1").arg(i);
        connect(window->diagramLinks().at(i)->getModel(), &QObject::destroyed, this,
                [gone, name] { *gone << name; });
    }

    // Additions left open when the window goes.
    action(window, "actionAddClass")->trigger();
    QPointer<ClassModel> pendingClass = window->pendingClassItem()->getModel();
    action(window, "actionAddAgragationLink")->trigger();
    QPointer<LinkModel> pendingLink = window->pendingLinkItem()->getModel();

    m_window.reset();
    QCOMPARE(*gone, QStringList({QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C"),
                                 QStringLiteral("link 0"), QStringLiteral("link 1")}));
    for (const QPointer<QWidget> &w : windows)
        QVERIFY(!w);
    QVERIFY(!modelA);
    QVERIFY(!placed);
    QVERIFY(!pendingClass);
    QVERIFY(!pendingLink);
}

VARNEL_WINDOW_TEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
