// New, open, save, save as, closing and the diagram named on the command line,
// driven as the user drives them.
#include "mainwindowtesting.h"
#include "persistence/diagramwriter.h"
#include "testsupport/modalanswerer.h"

#include <QDir>
#include <QFileDialog>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <functional>
#include <memory>
#include <sys/resource.h>

namespace {

// The window reads its first argument when it is built; "--" names no diagram.
int appArgc = 2;
QByteArray diagramArgument = "--";
char programArgument[] = "varnel";
char *appArgv[] = {programArgument, diagramArgument.data(), nullptr};

void setDiagramArgument(const QByteArray &argument)
{
    diagramArgument = argument;
    appArgv[1] = diagramArgument.data();
}

// Answers: "Yes", "No", "OK" press that button of the next box; "cancel" cancels the
// next file dialog; anything else is picked in it (FILE stands for the test's file).
const QString yes = QStringLiteral("Yes");
const QString no = QStringLiteral("No");
const QString ok = QStringLiteral("OK");
const QString cancel = QStringLiteral("cancel");
const QString file = QStringLiteral("FILE");

// What the user saw, as ModalAnswerer::Seen::summary() gives it.
QString question(const char *title, const char *text)
{
    return QStringLiteral("Question | %1 | %2 | Yes|No")
        .arg(QString::fromUtf8(title), QString::fromUtf8(text));
}
QString error(const char *text)
{
    return QStringLiteral("Critical | Erreur | ") + QString::fromUtf8(text)
           + QStringLiteral(" | Ok");
}
const QString saveAs = QStringLiteral("Dialog | Enregistrer sous ... | Sauvegarde VNL (*.vnls)");
const QString openDialog = QStringLiteral("Dialog | Ouvrir un diagramme | Sauvegardes VNL (*vnls)");
const QString overwrite =
    question("Enregistrer", "Etês vous sur de vouloir écraser votre ancienne sauvegarde ?");
const QString writeFailed = error("Impossible de créer un fichier de sauvegarde.");
const QString cannotOpen = error("Impossible d'ouvrir le fichier à cet emplacement :FILE");
const QString cannotParse =
    error("Le fichier de sauvegarde a bien été ouvert mais il est impossible de le lire.\n"
          "Le fichier a sûrement subie une mauvaise modification. Contactez le support pour "
          "trouver une solution.");
const QString newQuestion = question(
    "Nouveau", "Voulez-vous sauvegarder votre travail actuel avant de crer un nouveau diagramme ?");
const QString loadQuestion = question(
    "Charger", "Voulez-vous sauvegarder votre travail actuel avant d'ouvrir un autre diagramme ?");
const QString wantSave =
    question("Fermeture", "Voulez-vous sauvegarder votre travail avant de fermer le logiciel ?");
const QString sure = question("Fermeture", "Êtes vous sûr de vouloir fermer VNL ?");

QString example(const char *name)
{
    return QStringLiteral(VARNEL_SOURCE_DIR "/examples/") + QLatin1String(name);
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class TestDocumentCommands : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void save_data();
    void save();
    void load_data();
    void load();
    void newDiagram_data();
    void newDiagram();
    void closing_data();
    void closing();
    void abandonedLinkKeepsTheMark();
    void startupDiagram_data();
    void startupDiagram();

private:
    QString path(const QString &name) const { return QDir(m_dir->path()).filePath(name); }
    void makeWindow();
    // Queues the answers, acts and returns what the user saw, one line a box or dialog.
    QStringList run(QStringList answers, const std::function<void()> &act);
    // What must not change when a command fails or is cancelled.
    QString state() const;
    void trigger(const char *action)
    {
        MainWindowTesting::action(m_window.get(), action)->trigger();
    }
    QStringList withFile(QStringList lines) const { return lines.replaceInStrings(file, m_file); }

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<ModalAnswerer> m_answerer;
    std::unique_ptr<MainWindow> m_window;
    QString m_file;
};

void TestDocumentCommands::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    QVERIFY(MainWindowTesting::writeFile(path(QStringLiteral("cfgs.xml")),
                                         MainWindowTesting::cfgText()));
    Cfg::setPathOverride(path(QStringLiteral("cfgs.xml")));
    // A folder with the extension, and a file nothing can be created below, even by root.
    QVERIFY(QDir().mkpath(path(QStringLiteral("dir.vnls"))));
    QVERIFY(MainWindowTesting::writeFile(path(QStringLiteral("afile")), "x"));
    m_answerer = std::make_unique<ModalAnswerer>();
    setDiagramArgument("--");
}

void TestDocumentCommands::cleanup()
{
    QVERIFY2(m_answerer->pending() == 0, "an expected dialog never came");
    m_window.reset();
    m_answerer.reset();
    m_dir.reset();
}

void TestDocumentCommands::makeWindow()
{
    m_window = std::make_unique<MainWindow>();
    QVERIFY(m_window->load(example("shapes.vnls")));
}

QStringList TestDocumentCommands::run(QStringList answers, const std::function<void()> &act)
{
    const int before = int(m_answerer->seen().size());
    for (const QString &answer : withFile(answers)) {
        if (answer == yes || answer == no || answer == ok)
            m_answerer->answerMessageBox(answer == yes  ? QMessageBox::Yes
                                         : answer == no ? QMessageBox::No
                                                        : QMessageBox::Ok);
        else
            m_answerer->answerFileDialog(answer == cancel ? QString() : path(answer));
    }
    act();
    if (!m_answerer->waitUntilAnswered())
        return {QStringLiteral("an expected dialog never came")};
    QStringList lines;
    for (const ModalAnswerer::Seen &seen : m_answerer->seen().mid(before)) {
        if (seen.kind == QLatin1String("QMessageBox")) {
            lines << seen.summary();
            continue;
        }
        // The file dialogs start in the user's home folder, to save or to open a file.
        const bool home = QFileInfo(seen.directory).canonicalFilePath()
                          == QFileInfo(QDir::homePath()).canonicalFilePath();
        const bool saving = seen.acceptMode == QFileDialog::AcceptSave;
        const bool opening = seen.acceptMode == QFileDialog::AcceptOpen
                             && seen.fileMode == QFileDialog::ExistingFile;
        lines << QStringLiteral("Dialog | ") + seen.title + QStringLiteral(" | ")
                     + seen.nameFilters.join(QLatin1Char(';'))
                     + (home && (saving || opening) ? QString() : QStringLiteral(" | misplaced"));
    }
    return lines;
}

QString TestDocumentCommands::state() const
{
    return QStringLiteral("%1 classes %2 links|%3|%4|%5|%6")
        .arg(m_window->diagramClasses().size())
        .arg(m_window->diagramLinks().size())
        .arg(m_window->windowTitle(), m_window->currentFileName(), m_window->currentFilePath(),
             m_window->statusBar()->currentMessage());
}

void TestDocumentCommands::save_data()
{
    // The file Save writes to ("" for none; "old.vnls" holds "old"), what the user
    // does, what is shown and the file written ("" when nothing is).
    QTest::addColumn<QString>("preset");
    QTest::addColumn<QByteArray>("action");
    QTest::addColumn<QStringList>("answers");
    QTest::addColumn<QStringList>("seen");
    QTest::addColumn<QString>("written");
    QTest::addColumn<bool>("diskFull");
    const QString old = QStringLiteral("old.vnls");
    const QByteArray save = "actionSave";
    const QByteArray saveAsAction = "actionSaveAs";
    QTest::newRow("no path: save as")
        << QString() << save << QStringList{QStringLiteral("first")} << QStringList{saveAs}
        << QStringLiteral("first.vnls") << false;
    QTest::newRow("overwrite") << old << save << QStringList{yes} << QStringList{overwrite} << old
                               << false;
    QTest::newRow("overwrite refused")
        << old << save << QStringList{no} << QStringList{overwrite} << QString() << false;
    QTest::newRow("save as cancelled")
        << old << saveAsAction << QStringList{cancel} << QStringList{saveAs} << QString() << false;
    QTest::newRow("unwritable folder")
        << QStringLiteral("afile/x.vnls") << save << QStringList{yes, ok}
        << QStringList{overwrite, writeFailed} << QString() << false;
    QTest::newRow("save as, disk full")
        << old << saveAsAction << QStringList{QStringLiteral("new"), ok}
        << QStringList{saveAs, writeFailed} << QString() << true;
    QTest::newRow("disk full keeps the previous file")
        << old << save << QStringList{yes, ok} << QStringList{overwrite, writeFailed} << QString()
        << true;
    // ".vnls" is added only when it is nowhere in the chosen path.
    const QList<QPair<const char *, const char *>> names = {
        {"shapes", "shapes.vnls"},
        {"shapes.vnls", "shapes.vnls"},
        {"shapes.vnls.bak", "shapes.vnls.bak"},
        {"dir.vnls/shapes", "dir.vnls/shapes"},
        {"Shapes.VNLS", "Shapes.VNLS.vnls"},
        {"mon diagramme d'été", "mon diagramme d'été.vnls"},
        {"\u56fe\u8868 \u0394", "\u56fe\u8868 \u0394.vnls"},
        {"a'b#1;&c.xml", "a'b#1;&c.xml.vnls"}};
    for (const auto &name : names)
        QTest::newRow(name.first) << old << saveAsAction
                                  << QStringList{QString::fromUtf8(name.first)}
                                  << QStringList{saveAs} << QString::fromUtf8(name.second) << false;
}

void TestDocumentCommands::save()
{
    QFETCH(QString, preset);
    QFETCH(QByteArray, action);
    QFETCH(QStringList, answers);
    QFETCH(QStringList, seen);
    QFETCH(QString, written);
    QFETCH(bool, diskFull);
    makeWindow();
    QVERIFY(MainWindowTesting::writeFile(path(QStringLiteral("old.vnls")), "old"));
    m_window->filePath = preset.isEmpty() ? QString() : path(preset);
    m_window->setModified(true);
    const QString before = state();

    struct rlimit limit;
    QCOMPARE(::getrlimit(RLIMIT_FSIZE, &limit), 0);
    const rlim_t unlimited = limit.rlim_cur;
    const auto handler = std::signal(SIGXFSZ, SIG_IGN);
    const QStringList shown = run(answers, [&] {
        // The disk fills up while the diagram is written.
        limit.rlim_cur = diskFull ? 1000 : unlimited;
        ::setrlimit(RLIMIT_FSIZE, &limit);
        trigger(action.constData());
        limit.rlim_cur = unlimited;
        ::setrlimit(RLIMIT_FSIZE, &limit);
    });
    std::signal(SIGXFSZ, handler);
    QCOMPARE(shown, seen);

    if (written.isEmpty()) {
        QCOMPARE(state(), before);
        QVERIFY(m_window->isModified());
        QCOMPARE(readAll(path(QStringLiteral("old.vnls"))), QByteArray("old"));
        QCOMPARE(QDir(m_dir->path()).entryList({QStringLiteral("*.vnls*")}, QDir::Files),
                 QStringList{QStringLiteral("old.vnls")});
        return;
    }
    QCOMPARE(readAll(path(written)), readAll(example("shapes.vnls")));
    QCOMPARE(m_window->currentFilePath(), path(written));
    QVERIFY(!m_window->isModified());
    QCOMPARE(m_window->windowTitle(),
             QStringLiteral("Varnel 1.0 - ") + QFileInfo(written).fileName());
    QCOMPARE(m_window->statusBar()->currentMessage(),
             QStringLiteral("Sauvegarde effectuée - ") + path(written));
}

void TestDocumentCommands::load_data()
{
    // Whether the open diagram has changes, the file picked (FILE), what is shown and
    // the end: "loaded", "unchanged", or "saved" (the open diagram to its file).
    QTest::addColumn<bool>("modified");
    QTest::addColumn<QString>("pick");
    QTest::addColumn<QStringList>("answers");
    QTest::addColumn<QStringList>("seen");
    QTest::addColumn<QString>("end");
    const QString library = example("library.vnls");
    QTest::newRow("open") << false << library << QStringList{file} << QStringList{openDialog}
                          << QStringLiteral("loaded");
    QTest::newRow("cancelled") << false << library << QStringList{cancel} << QStringList{openDialog}
                               << QStringLiteral("unchanged");
    QTest::newRow("changes, no") << true << library << QStringList{no, file}
                                 << QStringList{loadQuestion, openDialog}
                                 << QStringLiteral("loaded");
    QTest::newRow("changes, yes saves and stops")
        << true << library << QStringList{yes, yes} << QStringList{loadQuestion, overwrite}
        << QStringLiteral("saved");
    // A dialog that opens only existing files cannot pick these: they are opened directly.
    QTest::newRow("missing") << true << QStringLiteral("missing.vnls") << QStringList{ok}
                             << QStringList{cannotOpen} << QStringLiteral("unchanged");
    QTest::newRow("folder") << true << QStringLiteral("dir.vnls") << QStringList{ok}
                            << QStringList{cannotOpen} << QStringLiteral("unchanged");
    for (const char *name : {"refused-empty.vnls", "refused-truncated.vnls",
                             "refused-binary-garbage.vnls", "refused-billion-laughs.vnls"})
        QTest::newRow(name) << true
                            << QStringLiteral(VARNEL_TEST_DATA "/regressions/diagram/")
                                   + QLatin1String(name)
                            << QStringList{no, file, ok}
                            << QStringList{loadQuestion, openDialog, cannotParse}
                            << QStringLiteral("unchanged");
}

void TestDocumentCommands::load()
{
    QFETCH(bool, modified);
    QFETCH(QString, pick);
    QFETCH(QStringList, answers);
    QFETCH(QStringList, seen);
    QFETCH(QString, end);
    makeWindow();
    const QString saved = path(QStringLiteral("saved.vnls"));
    m_window->filePath = saved;
    m_window->setModified(modified);
    m_file = path(pick);
    const QString before = state();

    QCOMPARE(run(answers,
                 [this] {
                     if (QFileInfo(m_file).isFile())
                         trigger("actionLoad");
                     else
                         QVERIFY(!m_window->load(m_file));
                 }),
             withFile(seen));
    QCOMPARE(m_window->isModified(), modified && end != QLatin1String("saved"));
    if (end == QLatin1String("saved")) {
        QCOMPARE(readAll(saved), readAll(example("shapes.vnls")));
        QCOMPARE(m_window->diagramClasses().size(), 5);
        return;
    }
    if (end == QLatin1String("unchanged")) {
        QCOMPARE(state(), before);
        QCOMPARE(m_window->diagramClasses().first()->getModel()->name(), QStringLiteral("Shape"));
        return;
    }
    // Only the loaded classes and links are left, on the canvas and in the lists; the
    // file read becomes the one that Save writes; the mark is left as it was.
    QCOMPARE(state(),
             QStringLiteral("6 classes 6 links|Varnel 1.0 - %1library.vnls|library.vnls|%2|")
                 .arg(modified ? QStringLiteral("*") : QString(), m_file));
    QCOMPARE(m_window->diagramScene()->items().size(), 12);
    for (ClassItem *item : m_window->diagramClasses()) {
        QCOMPARE(item->zValue(), 1.0);
        // Double-clicking a loaded box opens its editor.
        QVERIFY(QObject::disconnect(item->getModel(), &ClassModel::editing, m_window.get(),
                                    &MainWindow::modClass));
    }
    for (Link *link : m_window->diagramLinks())
        QVERIFY(QObject::disconnect(link->getModel(), &LinkModel::editing, m_window.get(),
                                    &MainWindow::editLink));
    QCOMPARE(DiagramWriter::toBytes(m_window->classItems, m_window->linkItems), readAll(m_file));
}

void TestDocumentCommands::newDiagram_data()
{
    QTest::addColumn<bool>("modified");
    QTest::addColumn<bool>("hasPath");
    QTest::addColumn<QStringList>("answers");
    QTest::addColumn<QStringList>("seen");
    QTest::addColumn<bool>("cleared");
    QTest::newRow("unchanged") << false << true << QStringList() << QStringList() << true;
    QTest::newRow("changes, no") << true << true << QStringList{no} << QStringList{newQuestion}
                                 << true;
    QTest::newRow("changes, yes, save as cancelled")
        << true << false << QStringList{yes, cancel} << QStringList{newQuestion, saveAs} << false;
    QTest::newRow("changes, yes saves and keeps the diagram")
        << true << true << QStringList{yes, yes} << QStringList{newQuestion, overwrite} << false;
}

void TestDocumentCommands::newDiagram()
{
    QFETCH(bool, modified);
    QFETCH(bool, hasPath);
    QFETCH(QStringList, answers);
    QFETCH(QStringList, seen);
    QFETCH(bool, cleared);
    makeWindow();
    const QString saved = hasPath ? path(QStringLiteral("saved.vnls")) : QString();
    m_window->filePath = saved;
    m_window->setModified(modified);
    QCOMPARE(run(answers, [this] { trigger("actionNew"); }), seen);
    // The file last saved stays the one Save offers to overwrite.
    QCOMPARE(m_window->currentFilePath(), saved);
    if (cleared) {
        QCOMPARE(state(),
                 QStringLiteral("0 classes 0 links|Varnel 1.0 - Sans nom|Sans nom|%1|").arg(saved));
        QVERIFY(m_window->diagramScene()->items().isEmpty());
        QVERIFY(!m_window->isModified());
        return;
    }
    QCOMPARE(m_window->diagramClasses().size(), 5);
    const bool wasSaved = seen.contains(overwrite);
    QCOMPARE(m_window->isModified(), !wasSaved);
    QCOMPARE(readAll(saved), wasSaved ? readAll(example("shapes.vnls")) : QByteArray());
}

void TestDocumentCommands::closing_data()
{
    QTest::addColumn<bool>("modified");
    QTest::addColumn<bool>("autoSave");
    QTest::addColumn<bool>("askForClose");
    QTest::addColumn<QString>("target"); // the file Save writes to; "" for none
    QTest::addColumn<QStringList>("answers");
    QTest::addColumn<QStringList>("seen");
    QTest::addColumn<bool>("closes");
    QTest::addColumn<bool>("written");
    const QString saved = QStringLiteral("saved.vnls");
    const QString unwritable = QStringLiteral("afile/x.vnls");
    const auto row = [&](const char *name, bool modified, bool autoSave, bool askForClose,
                         const QString &target, const QStringList &answers, const QStringList &seen,
                         bool closes, bool written = false) {
        QTest::newRow(name) << modified << autoSave << askForClose << target << answers << seen
                            << closes << written;
    };
    row("unchanged", false, false, false, saved, {}, {}, true);
    row("unchanged, auto save", false, true, false, saved, {}, {}, true);
    row("unchanged, sure", false, false, true, saved, {yes}, {sure}, true);
    row("unchanged, not sure", false, true, true, saved, {no}, {sure}, false);
    row("changes, not saved", true, false, false, saved, {no}, {wantSave}, true);
    row("changes, not saved, sure", true, false, true, saved, {no, yes}, {wantSave, sure}, true);
    row("changes, not saved, not sure", true, false, true, saved, {no, no}, {wantSave, sure},
        false);
    row("changes, saved", true, false, false, saved, {yes, yes}, {wantSave, overwrite}, true, true);
    row("changes, saved, not sure", true, false, true, saved, {yes, yes, no},
        {wantSave, overwrite, sure}, false, true);
    row("changes, overwrite refused", true, false, true, saved, {yes, no}, {wantSave, overwrite},
        false);
    row("changes, save as cancelled", true, false, false, QString(), {yes, cancel},
        {wantSave, saveAs}, false);
    row("changes, save as", true, false, true, QString(), {yes, saved, yes},
        {wantSave, saveAs, sure}, true, true);
    row("changes, write failed", true, false, true, unwritable, {yes, yes, ok},
        {wantSave, overwrite, writeFailed}, false);
    row("auto save", true, true, false, saved, {yes}, {overwrite}, true, true);
    row("auto save, sure", true, true, true, saved, {yes, yes}, {overwrite, sure}, true, true);
    row("auto save, overwrite refused", true, true, true, saved, {no}, {overwrite}, false);
    row("auto save, save as cancelled", true, true, true, QString(), {cancel}, {saveAs}, false);
    row("auto save, save as", true, true, false, QString(), {saved}, {saveAs}, true, true);
    row("auto save, write failed", true, true, false, unwritable, {yes, ok},
        {overwrite, writeFailed}, false);
}

void TestDocumentCommands::closing()
{
    QFETCH(bool, modified);
    QFETCH(bool, autoSave);
    QFETCH(bool, askForClose);
    QFETCH(QString, target);
    QFETCH(QStringList, answers);
    QFETCH(QStringList, seen);
    QFETCH(bool, closes);
    QFETCH(bool, written);
    makeWindow();
    m_window->filePath = target.isEmpty() ? QString() : path(target);
    m_window->settings()->setAutoSave(autoSave);
    m_window->settings()->setAskForClose(askForClose);
    m_window->setModified(modified);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));

    bool closed = false;
    QCOMPARE(run(answers, [&] { closed = m_window->close(); }), seen);
    QCOMPARE(closed, closes);
    QCOMPARE(m_window->isVisible(), !closes);
    QCOMPARE(QFile::exists(path(QStringLiteral("saved.vnls"))), written);
    if (written)
        QCOMPARE(readAll(path(QStringLiteral("saved.vnls"))), readAll(example("shapes.vnls")));
    // A window that stays open keeps its diagram.
    QCOMPARE(m_window->diagramClasses().size(), 5);
}

void TestDocumentCommands::abandonedLinkKeepsTheMark()
{
    makeWindow();
    ClassItem *first = m_window->diagramClasses().at(0);
    // Additions the editors never answered, then the diagram is saved.
    m_window->setModified(true);
    trigger("actionAddInheritanceLink");
    MainWindowTesting::topLevel<LinkEditor>()->hide();
    trigger("actionAddClass");
    MainWindowTesting::topLevel<ClassEditor>()->hide();
    QVERIFY(m_window->save(path(QStringLiteral("saved.vnls"))));
    trigger("actionAddClass");
    MainWindowTesting::topLevel<ClassEditor>()->close();
    QCOMPARE(m_window->windowTitle(), QStringLiteral("Varnel 1.0 - saved.vnls"));

    // A link addition given up on the clean diagram leaves it clean.
    trigger("actionAddAssociationLink");
    MainWindowTesting::topLevel<LinkEditor>()->close();
    QVERIFY(!m_window->isModified());
    QCOMPARE(m_window->windowTitle(), QStringLiteral("Varnel 1.0 - saved.vnls"));
    // So does one whose two ends are the same class.
    QVERIFY(MainWindowTesting::addLink(m_window.get(), "actionAddAgragationLink", first, first));
    QCOMPARE(m_window->windowTitle(), QStringLiteral("Varnel 1.0 - saved.vnls"));
    QCOMPARE(m_window->diagramLinks().size(), 4);
}

void TestDocumentCommands::startupDiagram_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QStringList>("seen");
    QTest::newRow("opened") << QStringLiteral("un dossier/mon diagramme \u00e9t\u00e9 \u0394.vnls")
                            << readAll(example("shapes.vnls")) << QStringList();
    QTest::newRow("missing") << QStringLiteral("missing.vnls") << QByteArray()
                             << QStringList{cannotOpen};
    QTest::newRow("unreadable") << QStringLiteral("broken.vnls") << QByteArray("<main><class")
                                << QStringList{cannotParse};
}

void TestDocumentCommands::startupDiagram()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, content);
    QFETCH(QStringList, seen);
    m_file = path(name);
    QVERIFY(QDir().mkpath(QFileInfo(m_file).path()));
    if (!content.isEmpty())
        QVERIFY(MainWindowTesting::writeFile(m_file, content));
    setDiagramArgument(QFile::encodeName(m_file));
    QStringList answers;
    if (!seen.isEmpty())
        answers << ok;
    QCOMPARE(run(answers, [this] { m_window = std::make_unique<MainWindow>(); }), withFile(seen));
    // Only the open command makes a file the one that Save overwrites.
    QCOMPARE(state(), seen.isEmpty()
                          ? QStringLiteral("5 classes 4 links|Varnel 1.0 - %1|%1||")
                                .arg(QFileInfo(m_file).fileName())
                          : QStringLiteral("0 classes 0 links|Varnel 1.0 - Sans nom|Sans nom||"));
    QVERIFY(!m_window->isModified());
}

int main(int argc, char *argv[])
{
    QApplication app(appArgc, appArgv);
    TestDocumentCommands test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_documentcommands.moc"
