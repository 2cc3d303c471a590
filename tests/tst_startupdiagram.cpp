// A diagram named on the command line is opened when the main window is built.
#include "canvas/classitem.h"
#include "mainwindow/mainwindow.h"
#include "mainwindowtesting.h"
#include "model/classmodel.h"
#include "testsupport/modalanswerer.h"

#include <QFileDialog>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {

// The application's own argument vector: the window reads it when it is built, so
// each test points the diagram slot at the file it needs.
int appArgc = 3;
QByteArray diagramArgument;
char programArgument[] = "varnel";
char extraArgument[] = "ignored.vnls";
char *appArgv[] = {programArgument, nullptr, extraArgument, nullptr};

void setDiagramArgument(const QString &path)
{
    diagramArgument = QFile::encodeName(path);
    appArgv[1] = diagramArgument.data();
}

QString example(const char *name)
{
    return QStringLiteral(VARNEL_SOURCE_DIR "/examples/") + QLatin1String(name);
}

} // namespace

class TestStartupDiagram : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void opensTheNamedDiagram();
    void firstSaveAsksForAName();
    void unreadableDiagramStillOpensTheWindow_data();
    void unreadableDiagramStillOpensTheWindow();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<ModalAnswerer> m_answerer;
};

void TestStartupDiagram::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    const QString cfgPath = m_dir->filePath(QStringLiteral("cfgs.xml"));
    QVERIFY(MainWindowTesting::writeFile(cfgPath, MainWindowTesting::cfgText()));
    Cfg::setPathOverride(cfgPath);
    m_answerer = std::make_unique<ModalAnswerer>();
}

void TestStartupDiagram::cleanup()
{
    QCOMPARE(m_answerer->pending(), 0);
    m_answerer.reset();
    m_dir.reset();
}

void TestStartupDiagram::opensTheNamedDiagram()
{
    setDiagramArgument(example("shapes.vnls"));
    MainWindow window;
    QVERIFY(m_answerer->seen().isEmpty());

    QStringList names;
    for (const ClassItem *item : window.diagramClasses()) {
        names << item->getModel()->name();
        QCOMPARE(item->scene(), window.diagramScene());
    }
    QCOMPARE(names, QStringList({QStringLiteral("Shape"), QStringLiteral("Circle"),
                                 QStringLiteral("Rectangle"), QStringLiteral("Point"),
                                 QStringLiteral("Canvas")}));
    QCOMPARE(window.diagramLinks().size(), 4);
    QCOMPARE(window.windowTitle(), QStringLiteral("Varnel 1.0 - shapes.vnls"));
    QVERIFY(!window.isModified());
    // Only the open command makes a file the one that Save overwrites.
    QCOMPARE(window.currentFilePath(), QString());
}

void TestStartupDiagram::firstSaveAsksForAName()
{
    setDiagramArgument(example("shapes.vnls"));
    MainWindow window;
    m_answerer->answerFileDialog(QString());
    MainWindowTesting::action(&window, "actionSave")->trigger();
    QVERIFY(m_answerer->waitUntilAnswered());
    QCOMPARE(m_answerer->seen().size(), 1);
    QCOMPARE(m_answerer->seen().at(0).kind, QStringLiteral("QFileDialog"));
    QCOMPARE(m_answerer->seen().at(0).title, QStringLiteral("Enregistrer sous ..."));
    QCOMPARE(m_answerer->seen().at(0).acceptMode, int(QFileDialog::AcceptSave));
}

void TestStartupDiagram::unreadableDiagramStillOpensTheWindow_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("message");
    const QString cannotOpen = QStringLiteral("Impossible d'ouvrir le fichier à cet emplacement :");
    QTest::newRow("missing") << QStringLiteral("missing.vnls") << QByteArray() << cannotOpen;
    QTest::newRow("not xml") << QStringLiteral("broken.vnls") << QByteArray("<main><class")
                             << QStringLiteral(
                                    "Le fichier de sauvegarde a bien été ouvert mais il est "
                                    "impossible de le lire.\nLe fichier a sûrement subie une "
                                    "mauvaise modification. Contactez le support pour trouver "
                                    "une solution.");
}

void TestStartupDiagram::unreadableDiagramStillOpensTheWindow()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, content);
    QFETCH(QString, message);
    const QString path = m_dir->filePath(name);
    if (!content.isEmpty())
        QVERIFY(MainWindowTesting::writeFile(path, content));
    setDiagramArgument(path);

    m_answerer->answerMessageBox(QMessageBox::Ok);
    MainWindow window;
    QVERIFY(m_answerer->waitUntilAnswered());
    QCOMPARE(m_answerer->seen().size(), 1);
    const ModalAnswerer::Seen &seen = m_answerer->seen().at(0);
    QCOMPARE(seen.title, QStringLiteral("Erreur"));
    QCOMPARE(seen.icon, QMessageBox::Critical);
    QCOMPARE(seen.text, content.isEmpty() ? message + path : message);

    QVERIFY(window.diagramClasses().isEmpty());
    QCOMPARE(window.windowTitle(), QStringLiteral("Varnel 1.0 - Sans nom"));
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
}

int main(int argc, char *argv[])
{
    setDiagramArgument(example("shapes.vnls"));
    QApplication app(appArgc, appArgv);
    TestStartupDiagram test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_startupdiagram.moc"
