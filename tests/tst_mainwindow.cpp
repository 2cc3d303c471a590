// The main window: title, zoom, settings, the windows it owns and their images, and
// the classes and links added, edited and deleted through it.
#include "mainwindowtesting.h"
#include "testsupport/modalanswerer.h"

#include "codegen/codegen.h"
#include "windows/aboutus.h"
#include "windows/cfgeditor.h"
#include "windows/wellwin.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDir>
#include <QGraphicsView>
#include <QLabel>
#include <QPointer>
#include <QScrollBar>
#include <QSignalSpy>
#include <QSlider>
#include <QTemporaryDir>
#include <QToolBar>
#include <QWheelEvent>

#include <functional>
#include <memory>
#include <tuple>

using namespace MainWindowTesting;

static const QString Clean = QStringLiteral("Varnel 1.0 - Sans nom");
static const QString Changed = QStringLiteral("Varnel 1.0 - *Sans nom");

class TestMainWindow : public QObject
{
    Q_OBJECT

private slots:
    void init() { QVERIFY(makeWindow(cfgText())); }
    void cleanup() { m_window.reset(); }

    void titleFollowsTheChanges();
    void zoomKeepsItsAnchor();
    void newClassesInSight();
    void settingsReachTheWindow();
    void unreadableSettings();
    void images();
    void escapeClosesTheSmallWindows();
    void linkAdditions_data();
    void linkAdditions();
    void deletionsAndDestruction();

private:
    // On this settings file, none if null.
    MainWindow *makeWindow(const QByteArray &cfgs);
    // Classes "A", "B", ... added through the class editor.
    void addClasses(int count)
    {
        for (int i = 0; i < count; ++i)
            boxes << addClass(window, QString(QLatin1Char('A' + i)));
    }
    // A link added as "Kind Master Slave" ("-": no end); its model while it lives.
    QPointer<LinkModel> link(const QString &kindAndEnds);
    // Shown, icon width and icon height of the file bar, then of the item bar.
    QString barState() const
    {
        QStringList state;
        for (const char *name : {"FileToolBar", "ItemToolBar"}) {
            const QToolBar *bar = window->findChild<QToolBar *>(QLatin1String(name));
            state << QString::number(bar->isVisible()) << QString::number(bar->iconSize().width())
                  << QString::number(bar->iconSize().height());
        }
        return state.join(QLatin1Char(' '));
    }

    QTemporaryDir m_dir;
    std::unique_ptr<MainWindow> m_window;
    MainWindow *window = nullptr;
    QList<ClassItem *> boxes;
};

MainWindow *TestMainWindow::makeWindow(const QByteArray &cfgs)
{
    m_window.reset();
    boxes.clear();
    const QString path = m_dir.filePath(QStringLiteral("cfgs.xml"));
    Cfg::setPathOverride(path);
    QFile::remove(path);
    if (!cfgs.isNull() && !writeFile(path, cfgs))
        return nullptr;
    m_window = std::make_unique<MainWindow>();
    return window = m_window.get();
}

QPointer<LinkModel> TestMainWindow::link(const QString &kindAndEnds)
{
    action(window,
           qPrintable(QStringLiteral("actionAdd%1Link").arg(kindAndEnds.section(u' ', 0, 0))))
        ->trigger();
    QPointer<LinkModel> model = window->pendingLinkItem()->getModel();
    model->setMaster(boxes.value(kindAndEnds.at(kindAndEnds.size() - 3).unicode() - 'A'));
    model->setSlave(boxes.value(kindAndEnds.back().unicode() - 'A'));
    emit topLevel<LinkEditor>()->linkAdded();
    return model;
}

void TestMainWindow::titleFollowsTheChanges()
{
    QVERIFY(!topLevel<WellWin>()->isVisible()); // as the settings ask
    QCOMPARE(window->windowTitle(), Clean);
    // A cancelled class addition leaves the mark as it was, and no box.
    action(window, "actionAddClass")->trigger();
    QPointer<ClassModel> dropped = window->pendingClassItem()->getModel();
    emit topLevel<ClassEditor>()->addCanceled();
    QVERIFY(!dropped);

    // The link actions do nothing with no class or one; with two each opens the editor
    // on a link of its kind, replacing (deleting) the one left pending.
    const QList<QPair<const char *, int>> actions = {
        {"actionAddInheritanceLink", LinkModel::Inheritance},
        {"actionAddAgragationLink", LinkModel::Aggregation},
        {"actionAddAssociationLink", LinkModel::Association}};
    QPointer<LinkModel> pending;
    for (int classes = 0; classes <= 2; ++classes) {
        for (const auto &[name, type] : actions) {
            QCOMPARE(window->windowTitle(), classes ? Changed : Clean);
            action(window, name)->trigger();
            QVERIFY(!pending);
            QCOMPARE(topLevel<LinkEditor>()->isVisible(), classes == 2);
            pending = window->pendingLinkItem() ? window->pendingLinkItem()->getModel() : nullptr;
            QCOMPARE(pending ? pending->type() : -1, classes == 2 ? type : -1);
        }
        if (classes < 2)
            addClasses(1);
    }
    // An abandoned link addition deletes its pending link.
    emit topLevel<LinkEditor>()->linkCanceled();
    QVERIFY(!pending);
    QCOMPARE(window->windowTitle(), Changed);
    // A new link is appended under the boxes.
    QPointer<LinkModel> placed = link(QStringLiteral("Agragation A B"));
    QVERIFY(placed && !window->pendingLinkItem());
    QVERIFY(window->diagramLinks().first()->zValue() < boxes.at(0)->zValue());
}

void TestMainWindow::zoomKeepsItsAnchor()
{
    auto *view = window->findChild<QGraphicsView *>(QStringLiteral("gra_graphicsView"));
    auto *slider = window->findChild<QSlider *>(QStringLiteral("sli_zoom"));
    view->setTransform(QTransform::fromTranslate(7, -3));
    slider->setValue(30);
    QCOMPARE(window->findChild<QLabel *>(QStringLiteral("lab_zoom"))->text(), QStringLiteral("30"));
    QCOMPARE(view->transform(), QTransform(0.3, 0, 0, 0.3, 7, -3));
    // Back to 100 is exactly the translation, not a product of rounded factors.
    slider->setValue(10);
    slider->setValue(100);
    QCOMPARE(view->transform(), QTransform::fromTranslate(7, -3));

    view->resetTransform();
    window->showNormal();
    window->resize(900, 700);
    QVERIFY(QTest::qWaitForWindowActive(window));
    view->centerOn(3000, 2000);
    const auto scrolled = [view] {
        return QPoint(view->horizontalScrollBar()->value(), view->verticalScrollBar()->value());
    };
    const QPointF centre = QRectF(view->viewport()->rect()).center();
    const auto wheel = [&](int delta, QPointF at, Qt::KeyboardModifiers modifiers) {
        QWheelEvent event(at, view->viewport()->mapToGlobal(at), QPoint(), QPoint(0, delta),
                          Qt::NoButton, modifiers, Qt::NoScrollPhase, false);
        QApplication::sendEvent(view->viewport(), &event);
    };
    // Each step: what the user does, the zoom after it, and the viewport point that
    // must show the same scene point as before.
    const QList<std::tuple<std::function<void()>, int, QPointF>> steps = {
        {[&] { QTest::keyClick(window, Qt::Key_Minus, Qt::ControlModifier); }, 90, centre},
        {[&] { wheel(-120, QPointF(200, 150), Qt::ControlModifier); }, 80, QPointF(200, 150)},
        {[&] { wheel(240, QPointF(600, 400), Qt::ControlModifier); }, 100, QPointF(600, 400)},
        {[&] { QTest::keyClick(window, Qt::Key_Plus, Qt::ControlModifier); }, 100, centre}};
    for (const auto &[act, zoom, anchor] : steps) {
        const QPointF before = view->mapToScene(anchor.toPoint());
        act();
        QCOMPARE(slider->value(), zoom);
        QCOMPARE(view->transform().m11(), zoom / 100.0);
        if (!anchor.isNull())
            QVERIFY(QLineF(view->mapToScene(anchor.toPoint()), before).length() <= 100.0 / zoom);
    }
    // Down to the smallest size, where the whole canvas is seen, and back: the same
    // place, to the pixel.
    const QPoint before = scrolled();
    slider->setValue(10);
    wheel(-120, QPointF(20, 20), Qt::ControlModifier);
    QCOMPARE(slider->value(), 10);
    slider->setValue(100);
    QCOMPARE(scrolled(), before);
    // Without Ctrl the wheel scrolls.
    wheel(-120, centre, Qt::NoModifier);
    QCOMPARE(slider->value(), 100);
    QVERIFY(scrolled().y() > before.y());

    // Fit to window: every box in sight, as large as that allows.
    addClasses(2);
    boxes.at(0)->setPos(300, 200);
    boxes.at(1)->setPos(3000, 3500);
    view->centerOn(9000, 9000);
    QCOMPARE(action(window, "actionFitToWindow")->shortcut(),
             QKeySequence(QStringLiteral("Ctrl+0")));
    action(window, "actionFitToWindow")->trigger();
    const QRectF seen = view->mapToScene(view->viewport()->rect()).boundingRect();
    for (const ClassItem *box : std::as_const(boxes))
        QVERIFY(seen.contains(box->sceneBoundingRect()));
    // Closer by more than the few pixels of margin no longer shows both.
    slider->setValue(slider->value() + 2);
    const QRectF closer = view->mapToScene(view->viewport()->rect()).boundingRect();
    QVERIFY(!closer.contains(boxes.at(0)->sceneBoundingRect())
            || !closer.contains(boxes.at(1)->sceneBoundingRect()));
}

void TestMainWindow::newClassesInSight()
{
    // Opened far from the centre of the canvas: new boxes come where the user looks,
    // the second one beside the first, not on it.
    QVERIFY(window->load(QStringLiteral(VARNEL_SOURCE_DIR "/examples/shapes.vnls")));
    window->showNormal();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    auto *view = window->findChild<QGraphicsView *>(QStringLiteral("gra_graphicsView"));
    addClasses(2);
    const QRectF seen = view->mapToScene(view->viewport()->rect()).boundingRect();
    QVERIFY(seen.contains(boxes.at(0)->pos()) && seen.contains(boxes.at(1)->pos()));
    QVERIFY(boxes.at(0)->pos() != boxes.at(1)->pos());
    // With the centre of the canvas in sight, it is where a box goes.
    view->centerOn(5000, 5000);
    addClasses(1);
    QCOMPARE(boxes.at(2)->pos(), QPointF(5000, 5000));

    // The view paints from a picture: a box moved away leaves no outline behind.
    const QPoint inside = view->mapFromScene(5000, 5030);
    const auto shown = [&] { return view->viewport()->grab().toImage().pixel(inside); };
    const QRgb base = view->viewport()->palette().base().color().rgb();
    QTRY_VERIFY(shown() != base);
    boxes.at(2)->setPos(5500, 5300);
    QTRY_COMPARE(shown(), base);
}

void TestMainWindow::settingsReachTheWindow()
{
    QVERIFY(makeWindow(cfgText(" itemBar=\"false\" actionBarIconSize=\"32\" itemBarIconSize=\"128\""
                               " wellWin=\"true\"")));
    QVERIFY(topLevel<WellWin>()->isVisible());
    window->show();
    QCOMPARE(barState(), QStringLiteral("1 32 32 0 128 128"));
    addClasses(1);
    QTest::qWait(100); // the redraws the addition asked for

    action(window, "actionConfiguration")->trigger();
    auto *prefs = topLevel<CfgEditor>();
    for (const char *name : {"che_itemBar", "che_actionBar", "rad_itemMedium"})
        prefs->findChild<QAbstractButton *>(QLatin1String(name))->click();
    auto *font = prefs->findChild<QComboBox *>(QStringLiteral("fon_font"));
    font->setCurrentIndex(font->findText(QStringLiteral("DejaVu Serif")));
    QSignalSpy redrawn(window->diagramScene(), &QGraphicsScene::changed);
    prefs->findChild<QAbstractButton *>(QStringLiteral("com_apply"))->click();

    QCOMPARE(barState(), QStringLiteral("0 32 32 1 64 64"));
    // The boxes read the font when they paint: they must be redrawn now.
    QCOMPARE(window->settings()->font()->family(), QStringLiteral("DejaVu Serif"));
    QTRY_VERIFY(!redrawn.isEmpty());
}

void TestMainWindow::unreadableSettings()
{
    for (const char *broken : {"", "<cfgs itemBar=\"false\" actionBarIconSize=\"32\"><"}) {
        ModalAnswerer answerer;
        answerer.answerMessageBox(QMessageBox::Ok);
        QVERIFY(makeWindow(*broken ? QByteArray(broken) : QByteArray()));
        QCOMPARE(answerer.seen().size(), 1);
        QCOMPARE(
            answerer.seen().first().summary(),
            QStringLiteral("Critical | Erreur | Impossible %1 le fichier de configuration. | Ok")
                .arg(QLatin1String(*broken ? "de parser" : "d'ouvrir")));
        // The defaults: both bars shown at 64, the welcome window asked for.
        QCOMPARE(*window->settings()->prefixe(), QStringLiteral("m_"));
        window->show();
        QCOMPARE(barState(), QStringLiteral("1 64 64 1 64 64"));
        QVERIFY(topLevel<WellWin>()->isVisible());
    }
}

void TestMainWindow::images()
{
    // Each picture is a pictogram, not a blank or single-colour square.
    const QFileInfoList pictures = QDir(QStringLiteral(":/OtherIcone")).entryInfoList()
                                   + QDir(QStringLiteral(":/IconeMainWindow")).entryInfoList();
    QVERIFY(pictures.size() > 10);
    for (const QFileInfo &picture : pictures) {
        const QImage image(picture.filePath());
        QSet<QRgb> colours;
        for (int p = 0; p < image.width() * image.height() && colours.size() <= 3; ++p)
            colours.insert(image.pixel(p % image.width(), p / image.width()));
        QVERIFY2(colours.size() > 3, qPrintable(picture.filePath()));
    }
}

void TestMainWindow::escapeClosesTheSmallWindows()
{
    action(window, "actionConfiguration")->trigger();
    action(window, "actionAboutVNL")->trigger();
    topLevel<WellWin>()->show();
    for (QWidget *shown : {static_cast<QWidget *>(topLevel<CfgEditor>()),
                           static_cast<QWidget *>(topLevel<AboutUs>()),
                           static_cast<QWidget *>(topLevel<WellWin>())}) {
        QVERIFY(shown->isVisible());
        QTest::keyClick(shown, Qt::Key_Escape);
        QVERIFY2(!shown->isVisible(), shown->metaObject()->className());
    }
}

void TestMainWindow::linkAdditions_data()
{
    QTest::addColumn<QString>("links"); // the one there, the one added
    QTest::addColumn<int>("outcome");
    enum { Refused, Placed, Dropped };
    // Two classes are joined once at most, whatever the kinds and directions.
    QTest::newRow("same kind, other way") << "Inheritance A B/Inheritance B A" << int(Refused);
    QTest::newRow("other kind, same way") << "Association A B/Agragation A B" << int(Refused);
    QTest::newRow("same master") << "Inheritance A B/Inheritance A C" << int(Placed);
    // A link without two different ends cannot be drawn: dropped without a word.
    QTest::newRow("no slave") << "Inheritance A B/Inheritance C -" << int(Dropped);
    QTest::newRow("same class") << "Inheritance A B/Inheritance C C" << int(Dropped);
}

void TestMainWindow::linkAdditions()
{
    QFETCH(QString, links);
    QFETCH(int, outcome);
    addClasses(3);
    QVERIFY(link(links.section(QLatin1Char('/'), 0, 0)));
    const QString title = window->windowTitle();

    ModalAnswerer answerer;
    answerer.answerMessageBox(QMessageBox::Ok);
    const QPointer<LinkModel> model = link(links.section(QLatin1Char('/'), 1));
    const bool placed = outcome == 1;
    QCOMPARE(!model.isNull(), placed);
    QCOMPARE(window->diagramLinks().size(), placed ? 2 : 1);
    QCOMPARE(window->diagramScene()->items().size(), placed ? 5 : 4);
    QCOMPARE(window->windowTitle(), title);
    const QString warning =
        QStringLiteral("Warning | Erreur | Un lien existe déjà entre ces deux classes. | Ok");
    QCOMPARE(answerer.seen().size() == 1 && answerer.seen().first().summary() == warning,
             outcome == 0);
}

void TestMainWindow::deletionsAndDestruction()
{
    // What the window owns, all gone with it.
    QList<QPointer<QObject>> owned = {topLevel<ClassEditor>(), topLevel<LinkEditor>(),
                                      topLevel<CodeGen>(),     topLevel<CfgEditor>(),
                                      topLevel<WellWin>(),     topLevel<AboutUs>()};
    addClasses(4);
    QVERIFY(link(QStringLiteral("Association B C")));
    QPointer<LinkModel> aMaster = link(QStringLiteral("Inheritance A B"));
    QPointer<LinkModel> middle = link(QStringLiteral("Agragation C D"));
    QPointer<LinkModel> aSlave = link(QStringLiteral("Association D A"));
    QVERIFY(link(QStringLiteral("Inheritance D B")));

    // A link goes alone; a class takes the link it is master of and the one it is slave of.
    // The undo steps keep them until the window goes.
    const auto models = [this] {
        QList<LinkModel *> models;
        for (const Link *link : window->diagramLinks())
            models << link->getModel();
        return models;
    };
    emit topLevel<LinkEditor>()->linkDeleted(middle);
    QVERIFY(!models().contains(middle) && models().contains(aMaster) && models().contains(aSlave));
    QCOMPARE(window->diagramScene()->items().size(), 8);
    emit topLevel<ClassEditor>()->classCanceled(boxes.at(0)->getModel());
    QCOMPARE(models().size(), 2);
    QVERIFY(!models().contains(aMaster) && !models().contains(aSlave));
    QCOMPARE(window->diagramClasses(), boxes.mid(1));
    QCOMPARE(window->diagramScene()->items().size(), 5);

    for (ClassItem *box : window->diagramClasses())
        owned << box->getModel();
    for (Link *link : window->diagramLinks())
        owned << link->getModel();
    // Additions left open when the window goes.
    action(window, "actionAddClass")->trigger();
    owned << window->pendingClassItem()->getModel();
    action(window, "actionAddAgragationLink")->trigger();
    owned << window->pendingLinkItem()->getModel();
    m_window.reset();
    for (const QPointer<QObject> &object : std::as_const(owned))
        QVERIFY(!object);
    // The deleted ones too, which the undo steps kept.
    QVERIFY(!middle && !aMaster && !aSlave);
}

VARNEL_WINDOW_TEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
