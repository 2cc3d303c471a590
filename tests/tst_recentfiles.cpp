// What the window remembers between runs: the recent diagrams in the "VNL" menu and the
// folder each file dialog starts in.
#include "mainwindowtesting.h"
#include "testsupport/modalanswerer.h"

#include "codegen/codegen.h"

#include <QDir>
#include <QMenu>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QToolButton>

#include <memory>

using namespace MainWindowTesting;
using namespace Qt::StringLiterals;

namespace {

// The window opens the diagram named by its first argument; "--" names none.
int appArgc = 2;
QByteArray diagramArgument = "--";
char programArgument[] = "varnel";
char *appArgv[] = {programArgument, diagramArgument.data(), nullptr};

void setDiagramArgument(const QByteArray &argument)
{
    diagramArgument = argument;
    appArgv[1] = diagramArgument.data();
}

const QByteArray shapes = [] {
    QFile file(QStringLiteral(VARNEL_SOURCE_DIR "/examples/shapes.vnls"));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}();

} // namespace

class TestRecentFiles : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void recentList();
    void dialogFolders_data();
    void dialogFolders();

private:
    // A diagram file in the test's folder (made when missing); its path.
    QString diagram(const QString &name) const
    {
        const QString path = m_dir->filePath(name);
        QDir().mkpath(QFileInfo(path).path());
        if (!QFileInfo::exists(path))
            writeFile(path, shapes);
        return path;
    }
    // The recent entries of the menu as "name|path", then its last entry.
    QStringList menu() const
    {
        QStringList entries;
        const QList<QAction *> actions =
            m_window->findChild<QMenu *>(u"menuRecentFiles"_s)->actions();
        for (const QAction *action : actions) {
            if (!action->isSeparator())
                entries << (action->statusTip().isEmpty()
                                ? action->text() + (action->isEnabled() ? u""_s : u" (off)"_s)
                                : action->text() + u'|' + action->statusTip());
        }
        return entries;
    }
    QAction *entry(const QString &path) const
    {
        const QList<QAction *> actions =
            m_window->findChild<QMenu *>(u"menuRecentFiles"_s)->actions();
        for (QAction *action : actions) {
            if (action->statusTip() == path)
                return action;
        }
        return nullptr;
    }
    QStringList recent(const QStringList &paths) const
    {
        QStringList entries;
        for (const QString &path : paths)
            entries << QFileInfo(path).fileName() + u'|' + path;
        return entries << u"Vider la liste"_s;
    }
    void newWindow() { m_window = std::make_unique<MainWindow>(); }

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<ModalAnswerer> m_answerer;
    std::unique_ptr<MainWindow> m_window;
};

void TestRecentFiles::init()
{
    // The list lives beside the settings: a folder of its own keeps the user's apart.
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(writeFile(m_dir->filePath(u"cfgs.xml"_s), cfgText()));
    Cfg::setPathOverride(m_dir->filePath(u"cfgs.xml"_s));
    m_answerer = std::make_unique<ModalAnswerer>();
    setDiagramArgument("--");
}

void TestRecentFiles::cleanup()
{
    QVERIFY2(m_answerer->pending() == 0, "an expected dialog never came");
    m_window.reset();
    m_answerer.reset();
    m_dir.reset();
}

void TestRecentFiles::recentList()
{
    // Started with a file, then one opened and one saved as: most recent first.
    const QString a = diagram(u"a.vnls"_s), b = diagram(u"sub/b.vnls"_s);
    const QString c = m_dir->filePath(u"c.vnls"_s);
    setDiagramArgument(QFile::encodeName(a));
    newWindow();
    QCOMPARE(menu(), recent({a}));
    m_answerer->answerFileDialog(b);
    action(m_window.get(), "actionLoad")->trigger();
    m_answerer->answerFileDialog(c);
    action(m_window.get(), "actionSaveAs")->trigger();
    QVERIFY(m_answerer->waitUntilAnswered());
    QCOMPARE(menu(), recent({c, b, a}));

    // Kept for the next run; an entry opens its diagram as "Charger" does, the question
    // about unsaved work included, and comes first, once.
    setDiagramArgument("--");
    newWindow();
    QCOMPARE(menu(), recent({c, b, a}));
    addClass(m_window.get(), u"Unsaved"_s);
    m_answerer->answerMessageBox(QMessageBox::No);
    entry(b)->trigger();
    QCOMPARE(m_answerer->seen().constLast().title, u"Charger"_s);
    // The mark stays, as "Charger" leaves it.
    QCOMPARE(m_window->windowTitle(), u"Varnel 1.0 - *b.vnls"_s);
    QCOMPARE(m_window->currentFilePath(), b);
    QCOMPARE(menu(), recent({b, c, a}));

    // Eight at most.
    QStringList opened;
    for (int i = 0; i < 9; ++i) {
        opened.prepend(diagram(u"d%1.vnls"_s.arg(i)));
        QVERIFY(m_window->load(opened.constFirst()));
    }
    QCOMPARE(menu(), recent(opened.mid(0, 8)));

    // A diagram gone from the disk leaves the list and the diagram open stays.
    QFile::remove(opened.at(2));
    entry(opened.at(2))->trigger();
    QCOMPARE(m_window->statusBar()->currentMessage(),
             u"Ce diagramme n'existe plus, il est retiré des fichiers récents : "_s + opened.at(2));
    QCOMPARE(m_window->windowTitle(), u"Varnel 1.0 - *d8.vnls"_s);
    opened.removeAt(2);
    QCOMPARE(menu(), recent(opened.mid(0, 7)));

    action(m_window.get(), "actionClearRecentFiles")->trigger();
    QCOMPARE(menu(), QStringList{u"Vider la liste (off)"_s});
    newWindow();
    QCOMPARE(menu(), QStringList{u"Vider la liste (off)"_s});
}

void TestRecentFiles::dialogFolders_data()
{
    QTest::addColumn<QString>("dialog");
    // What is picked in the folder "used": a file name, or "" for the folder itself.
    QTest::addColumn<QString>("picked");
    QTest::newRow("open") << u"actionLoad"_s << u"other.vnls"_s;
    QTest::newRow("save as") << u"actionSaveAs"_s << u"saved.vnls"_s;
    QTest::newRow("export") << u"actionExportImage"_s << u"picture.png"_s;
    QTest::newRow("generation folder") << u"generation"_s << QString();
}

void TestRecentFiles::dialogFolders()
{
    QFETCH(QString, dialog);
    QFETCH(QString, picked);
    newWindow();
    const auto open = [&] {
        if (dialog == u"generation"_s) {
            action(m_window.get(), "actionGenerate")->trigger();
            topLevel<CodeGen>()->findChild<QToolButton *>(u"too_dirPath"_s)->click();
            topLevel<CodeGen>()->hide();
        } else {
            action(m_window.get(), qPrintable(dialog))->trigger();
        }
        return m_answerer->waitUntilAnswered() ? m_answerer->seen().constLast().directory
                                               : QString();
    };
    const QString used = QFileInfo(diagram(u"used/other.vnls"_s)).path();

    // No diagram file and no folder used yet: the home folder.
    m_answerer->answerFileDialog(picked.isEmpty() ? used : used + u'/' + picked);
    QCOMPARE(open(), QDir::homePath());
    // A new diagram has no file: the folder last used in that dialog, in a later run too.
    action(m_window.get(), "actionNew")->trigger();
    newWindow();
    m_answerer->answerFileDialog(QString());
    QCOMPARE(open(), used);
    // The open diagram's folder comes first, wherever it was opened from.
    const QString elsewhere = diagram(u"elsewhere/d.vnls"_s);
    QVERIFY(m_window->load(elsewhere));
    m_answerer->answerFileDialog(QString());
    QCOMPARE(open(), QFileInfo(elsewhere).path());
}

int main(int argc, char *argv[])
{
    QApplication app(appArgc, appArgv);
    TestRecentFiles test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_recentfiles.moc"
