// The main window: title, zoom, settings, its windows, and classes and links added or deleted.
#include "mainwindowtesting.h"
#include "testsupport/modalanswerer.h"

#include "windows/aboutus.h"
#include "windows/cfgeditor.h"
#include "windows/wellwin.h"

#include <QAbstractButton>
#include <QFontComboBox>
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

using namespace MainWindowTesting;
using namespace Qt::StringLiterals;

class TestMainWindow : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    std::unique_ptr<MainWindow> m_window;
    MainWindow *window = nullptr;
    QList<ClassItem *> boxes;

    // On this settings file, none if null.
    MainWindow *makeWindow(const QByteArray &cfgs)
    {
        m_window.reset();
        boxes.clear();
        const QString path = m_dir.filePath(u"cfgs.xml"_s);
        Cfg::setPathOverride(path);
        QFile::remove(path);
        if (!cfgs.isNull() && !writeFile(path, cfgs))
            return nullptr;
        m_window = std::make_unique<MainWindow>();
        return window = m_window.get();
    }
    // Classes "A", "B", ... added through the class editor.
    void addClasses(int count)
    {
        for (int i = 0; i < count; ++i)
            boxes << addClass(window, QString(QLatin1Char('A' + i)));
    }
    // A link added as "Kind Master Slave"; its model while it lives.
    QPointer<LinkModel> link(const QString &kindAndEnds)
    {
        action(window, qPrintable(u"actionAdd%1Link"_s.arg(kindAndEnds.section(u' ', 0, 0))))
            ->trigger();
        QPointer<LinkModel> model = window->pendingLinkItem()->getModel();
        model->setMaster(boxes.value(kindAndEnds.at(kindAndEnds.size() - 3).unicode() - 'A'));
        model->setSlave(boxes.value(kindAndEnds.back().unicode() - 'A'));
        emit topLevel<LinkEditor>()->linkAdded();
        return model;
    }
    // Shown and icon size of the file bar, then of the item bar.
    QString barState() const
    {
        const auto *file = window->findChild<QToolBar *>(u"FileToolBar"_s);
        const auto *items = window->findChild<QToolBar *>(u"ItemToolBar"_s);
        return QString::asprintf("%d %d %d %d", file->isVisible(), file->iconSize().width(),
                                 items->isVisible(), items->iconSize().width());
    }

private slots:
    void init() { QVERIFY(makeWindow(cfgText())); }

    void additions()
    {
        QVERIFY(!topLevel<WellWin>()->isVisible()); // as the settings ask
        // A cancelled class addition leaves the mark as it was, and no box.
        action(window, "actionAddClass")->trigger();
        QPointer<ClassModel> dropped = window->pendingClassItem()->getModel();
        emit topLevel<ClassEditor>()->addCanceled();
        QVERIFY(!dropped);

        // The link actions do nothing with no class or one; with two each opens the editor
        // on a link of its kind, replacing (deleting) the one left pending.
        const char *actions[] = {"actionAddInheritanceLink", "actionAddAgragationLink",
                                 "actionAddAssociationLink"}; // in the order of LinkModel::Type
        QPointer<LinkModel> pending;
        for (int classes = 0; classes <= 2; ++classes) {
            for (int type = 0; type < 3; ++type) {
                QCOMPARE(window->windowTitle().contains(u'*'), classes > 0);
                action(window, actions[type])->trigger();
                QVERIFY(!pending);
                QCOMPARE(topLevel<LinkEditor>()->isVisible(), classes == 2);
                pending =
                    window->pendingLinkItem() ? window->pendingLinkItem()->getModel() : nullptr;
                QCOMPARE(pending ? pending->type() : -1, classes == 2 ? type : -1);
            }
            if (classes < 2)
                addClasses(1);
        }
        // An abandoned link addition deletes its pending link.
        emit topLevel<LinkEditor>()->linkCanceled();
        QVERIFY(!pending);
        // A new link is appended under the boxes.
        QVERIFY(link(u"Agragation A B"_s) && !window->pendingLinkItem());
        QVERIFY(window->diagramLinks().first()->zValue() < boxes.at(0)->zValue());

        // Two classes are joined once at most, whatever the kinds and directions.
        addClasses(1);
        const QString refused = u"Un lien existe déjà entre ces deux classes."_s;
        for (const auto &[added, box] : {std::pair(u"Agragation B A"_s, refused),
                                         {u"Inheritance A B"_s, refused},
                                         {u"Agragation A C"_s, QString()}}) {
            ModalAnswerer answerer;
            answerer.answerMessageBox(QMessageBox::Ok);
            QCOMPARE(link(added).isNull(), !box.isEmpty());
            QCOMPARE(answerer.seen().value(0).text, box);
        }
        QCOMPARE(window->diagramScene()->items().size(), 5); // the boxes and two links
    }

    void zoomKeepsItsAnchor()
    {
        auto *view = window->findChild<QGraphicsView *>(u"gra_graphicsView"_s);
        auto *slider = window->findChild<QSlider *>(u"sli_zoom"_s);
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
        // What the user does, the zoom after it (exactly, not a product of rounded factors),
        // and the viewport point that must show the same scene point as before.
        const auto step = [&](const std::function<void()> &act, int zoom, QPointF anchor) {
            const QPointF before = view->mapToScene(anchor.toPoint());
            act();
            QCOMPARE(window->findChild<QLabel *>(u"lab_zoom"_s)->text(), QString::number(zoom));
            QCOMPARE(view->transform().m11(), zoom / 100.0);
            QVERIFY(QLineF(view->mapToScene(anchor.toPoint()), before).length() <= 100.0 / zoom);
        };
        step([&] { QTest::keyClick(window, Qt::Key_Minus, Qt::ControlModifier); }, 90, centre);
        step([&] { wheel(-120, QPointF(200, 150), Qt::ControlModifier); }, 80, QPointF(200, 150));
        step([&] { QTest::keyClick(window, Qt::Key_Plus, Qt::ControlModifier); }, 90, centre);
        step([&] { wheel(240, QPointF(600, 400), Qt::ControlModifier); }, 100, QPointF(600, 400));
        // Down to the smallest size, where the whole canvas is seen, and back: the same
        // place, to the pixel.
        const QPoint before = scrolled();
        slider->setValue(10);
        wheel(-120, QPointF(20, 20), Qt::ControlModifier);
        slider->setValue(100);
        QCOMPARE(scrolled(), before);
        // Without Ctrl the wheel scrolls.
        wheel(-120, centre, Qt::NoModifier);
        QVERIFY(slider->value() == 100 && scrolled().y() > before.y());

        // Fit to window: every box in sight, as large as that allows.
        addClasses(2);
        boxes.at(0)->setPos(300, 200);
        boxes.at(1)->setPos(3000, 3500);
        view->centerOn(9000, 9000);
        action(window, "actionFitToWindow")->trigger();
        const auto showsBoth = [&] {
            const QRectF seen = view->mapToScene(view->viewport()->rect()).boundingRect();
            return seen.contains(boxes.at(0)->sceneBoundingRect()
                                 | boxes.at(1)->sceneBoundingRect());
        };
        QVERIFY(showsBoth());
        // Closer by more than the few pixels of margin no longer shows both.
        slider->setValue(slider->value() + 2);
        QVERIFY(!showsBoth());
    }

    void newClassesInSight()
    {
        // Opened far from the centre of the canvas: new boxes come where the user looks,
        // the second one beside the first, not on it.
        QVERIFY(window->load(QStringLiteral(VARNEL_SOURCE_DIR "/examples/shapes.vnls")));
        window->showNormal();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        auto *view = window->findChild<QGraphicsView *>(u"gra_graphicsView"_s);
        addClasses(2);
        const QRectF seen = view->mapToScene(view->viewport()->rect()).boundingRect();
        QVERIFY(seen.contains(boxes.at(0)->pos()) && seen.contains(boxes.at(1)->pos())
                && boxes.at(0)->pos() != boxes.at(1)->pos());
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

    void settingsReachTheWindow()
    {
        QVERIFY(makeWindow(cfgText(" itemBar=\"false\" actionBarIconSize=\"32\""
                                   " itemBarIconSize=\"128\"")));
        window->show();
        QCOMPARE(barState(), u"1 32 0 128"_s);
        addClasses(1);
        QTest::qWait(100); // the redraws the addition asked for

        // Both bars switched, "Moyennes" for the items and another font: applied at once,
        // the boxes (which read the font when they paint) redrawn.
        action(window, "actionConfiguration")->trigger();
        auto *prefs = topLevel<CfgEditor>();
        for (const char *name : {"che_itemBar", "che_actionBar", "rad_itemMedium"})
            prefs->findChild<QAbstractButton *>(QLatin1String(name))->click();
        prefs->findChild<QFontComboBox *>(u"fon_font"_s)->setCurrentFont(QFont(u"DejaVu Serif"_s));
        QSignalSpy redrawn(window->diagramScene(), &QGraphicsScene::changed);
        prefs->findChild<QAbstractButton *>(u"com_apply"_s)->click();
        QCOMPARE(barState(), u"0 32 1 64"_s);
        QTRY_VERIFY(!redrawn.isEmpty());

        // Unreadable: why, then the defaults (both bars shown at 64, the welcome window).
        for (const char *broken : {"", "<cfgs itemBar=\"false\" actionBarIconSize=\"32\"><"}) {
            ModalAnswerer answerer;
            answerer.answerMessageBox(QMessageBox::Ok);
            QVERIFY(makeWindow(*broken ? QByteArray(broken) : QByteArray()));
            QCOMPARE(answerer.seen().value(0).text,
                     u"Impossible %1 le fichier de configuration."_s.arg(
                         QLatin1String(*broken ? "de parser" : "d'ouvrir")));
            window->show();
            QCOMPARE(barState(), u"1 64 1 64"_s);
            QVERIFY(topLevel<WellWin>()->isVisible());
        }
    }

    void escapeClosesTheSmallWindows()
    {
        action(window, "actionConfiguration")->trigger();
        action(window, "actionAboutVNL")->trigger();
        topLevel<WellWin>()->show();
        for (QWidget *shown : std::initializer_list<QWidget *>{
                 topLevel<CfgEditor>(), topLevel<AboutUs>(), topLevel<WellWin>()}) {
            QVERIFY(shown->isVisible());
            QTest::keyClick(shown, Qt::Key_Escape);
            QVERIFY2(!shown->isVisible(), shown->metaObject()->className());
        }
    }

    void deletionsAndDestruction()
    {
        // What the window owns (its editors and small windows among them), all gone with it.
        QList<QPointer<QObject>> owned;
        for (QWidget *shown : QApplication::topLevelWidgets())
            owned << shown;
        addClasses(4);
        for (const char *ends : {"Association B C", "Inheritance A B", "Agragation C D",
                                 "Association D A", "Inheritance D B"})
            QVERIFY(link(QLatin1String(ends)));
        const QList<Link *> links = window->diagramLinks();
        // A link goes alone; a class takes the link it is master of and the one it is slave of.
        emit topLevel<LinkEditor>()->linkDeleted(links.at(2)->getModel());
        QCOMPARE(window->diagramLinks(),
                 (QList{links.at(0), links.at(1), links.at(3), links.at(4)}));
        emit topLevel<ClassEditor>()->classCanceled(boxes.at(0)->getModel());
        QCOMPARE(window->diagramLinks(), (QList{links.at(0), links.at(4)}));
        QCOMPARE(window->diagramClasses(), boxes.mid(1));

        // The deleted ones that the undo steps keep, and the additions left open, too.
        for (ClassItem *box : std::as_const(boxes))
            owned << box->getModel();
        for (Link *link : links)
            owned << link->getModel();
        action(window, "actionAddClass")->trigger();
        owned << window->pendingClassItem()->getModel();
        action(window, "actionAddAgragationLink")->trigger();
        owned << window->pendingLinkItem()->getModel();
        m_window.reset();
        for (const QPointer<QObject> &object : std::as_const(owned))
            QVERIFY(!object);
    }
};

VARNEL_WINDOW_TEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
