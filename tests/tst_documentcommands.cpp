// New, open, save, save as, closing and the diagram named on the command line,
// driven as the user drives them.
#include "mainwindowtesting.h"
#include "persistence/diagramwriter.h"
#include "testsupport/filesizelimit.h"
#include "testsupport/modalanswerer.h"

#include <QDir>
#include <QFileDialog>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>

#include <functional>
#include <memory>

using namespace Qt::StringLiterals;

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
const QString yes = u"Yes"_s, no = u"No"_s, ok = u"OK"_s, cancel = u"cancel"_s, file = u"FILE"_s;

// What the user saw, as ModalAnswerer::Seen::summary() gives it.
QString question(const QString &title, const QString &text)
{
    return u"Question | %1 | %2 | Yes|No"_s.arg(title, text);
}
const QString saveAs = u"Dialog | Enregistrer sous ... | Sauvegarde VNL (*.vnls)"_s;
const QString openDialog = u"Dialog | Ouvrir un diagramme | Sauvegardes VNL (*vnls)"_s;
const QString overwrite =
    question(u"Enregistrer"_s, u"Etês vous sur de vouloir écraser votre ancienne sauvegarde ?"_s);
const QString writeFailed =
    u"Critical | Erreur | Impossible de créer un fichier de sauvegarde. | Ok"_s;
const QString cannotOpen =
    u"Critical | Erreur | Impossible d'ouvrir le fichier à cet emplacement :FILE | Ok"_s;
const QString wantSave = question(
    u"Fermeture"_s, u"Voulez-vous sauvegarder votre travail avant de fermer le logiciel ?"_s);
const QString sure = question(u"Fermeture"_s, u"Êtes vous sûr de vouloir fermer VNL ?"_s);

const QString examples = QStringLiteral(VARNEL_SOURCE_DIR "/examples/");

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A command on the example diagram: action ("" opens the pick directly; "close" with "auto"
// and "ask" for autoSave and askForClose), changes, the file Save writes to ("old.vnls" holds
// "old"), the pick, answers, what is shown, the file written, end (kept, cleared, loaded...).
struct Case
{
    const char *action;
    bool modified;
    QString saveTo, pick;
    QStringList answers, seen;
    QString written, end;
    bool diskFull = false;
};

} // namespace

Q_DECLARE_METATYPE(Case)

class TestDocumentCommands : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void commands_data();
    void commands();
    void abandonedLinkKeepsTheMark();
    void startupDiagram();

private:
    QString path(const QString &name) const { return QDir(m_dir->path()).filePath(name); }
    // Queues the answers, acts and returns what the user saw, one line a box or dialog.
    QStringList run(QStringList answers, const std::function<void()> &act);
    QString state() const;
    void trigger(const char *name) { MainWindowTesting::action(m_window.get(), name)->trigger(); }
    QStringList withFile(QStringList lines) const { return lines.replaceInStrings(file, m_file); }

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<ModalAnswerer> m_answerer;
    std::unique_ptr<MainWindow> m_window;
    QString m_file;
    const QByteArray m_shapes = readAll(examples + u"shapes.vnls"_s);
};

void TestDocumentCommands::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(MainWindowTesting::writeFile(path(u"cfgs.xml"_s), MainWindowTesting::cfgText()));
    QVERIFY(MainWindowTesting::writeFile(path(u"old.vnls"_s), "old"));
    Cfg::setPathOverride(path(u"cfgs.xml"_s));
    m_answerer = std::make_unique<ModalAnswerer>();
    setDiagramArgument("--");
}

void TestDocumentCommands::cleanup()
{
    QVERIFY2(m_answerer->pending() == 0, "an expected dialog never came");
    m_window.reset(); // before the answerer and the folder, which init() replaces
}

QStringList TestDocumentCommands::run(QStringList answers, const std::function<void()> &act)
{
    const int before = int(m_answerer->seen().size());
    for (const QString &answer : withFile(answers)) {
        if (const int b = QStringList{yes, no, ok}.indexOf(answer); b >= 0)
            m_answerer->answerMessageBox(
                QList{QMessageBox::Yes, QMessageBox::No, QMessageBox::Ok}[b]);
        else
            m_answerer->answerFileDialog(answer == cancel ? QString() : path(answer));
    }
    // The file dialogs start beside the open diagram's file, else in the user's home folder.
    const QString start = m_window && !m_window->diagramFile.isEmpty()
                              ? QFileInfo(m_window->diagramFile).absolutePath()
                              : QDir::homePath();
    act();
    if (!m_answerer->waitUntilAnswered())
        return {u"an expected dialog never came"_s};
    QStringList lines;
    for (const ModalAnswerer::Seen &seen : m_answerer->seen().mid(before)) {
        // A box nobody answered was closed, and shows here as "unexpected".
        if (seen.kind != QLatin1String("QFileDialog")) {
            lines << (seen.kind == QLatin1String("QMessageBox") ? QString() : seen.kind + u" | "_s)
                         + seen.summary();
            continue;
        }
        const bool home =
            QFileInfo(seen.directory).canonicalFilePath() == QFileInfo(start).canonicalFilePath();
        const bool fits = seen.acceptMode == QFileDialog::AcceptSave
                          || seen.fileMode == QFileDialog::ExistingFile;
        lines << u"Dialog | "_s + seen.title + u" | "_s + seen.nameFilters.join(u';')
                     + (home && fits ? QString() : u" | misplaced"_s);
    }
    return lines;
}

QString TestDocumentCommands::state() const
{
    return u"%1 classes %2 links|%3|%4|%5|%6"_s.arg(m_window->diagramClasses().size())
        .arg(m_window->diagramLinks().size())
        .arg(m_window->windowTitle(), m_window->currentFileName(), m_window->currentFilePath(),
             m_window->statusBar()->currentMessage());
}

void TestDocumentCommands::commands_data()
{
    QTest::addColumn<Case>("c");
    const QString old = u"old.vnls"_s, library = examples + u"library.vnls"_s, keep = u"kept"_s,
                  clear = u"cleared"_s, load = u"loaded"_s, close = u"closed"_s;
    const QString before = u"Voulez-vous sauvegarder votre travail actuel avant %1 ?"_s;
    const QString loadQuestion =
        question(u"Charger"_s, before.arg(u"d'ouvrir un autre diagramme"_s));
    const QString newQuestion =
        question(u"Nouveau"_s, before.arg(u"de crer un nouveau diagramme"_s));
    const auto row = [](const char *name, const Case &c) { QTest::newRow(name) << c; };
    row("save, no path: save as",
        {"actionSave", true, {}, {}, {u"first"_s}, {saveAs}, u"first.vnls"_s, keep});
    row("save, overwrite", {"actionSave", true, old, {}, {yes}, {overwrite}, old, keep});
    row("save, overwrite refused", {"actionSave", true, old, {}, {no}, {overwrite}, {}, keep});
    row("save, disk full",
        {"actionSave", true, old, {}, {yes, ok}, {overwrite, writeFailed}, {}, keep, true});
    // ".vnls" is added only when it is nowhere in the chosen path.
    row("save as .bak",
        {"actionSaveAs", true, old, {}, {u"a.vnls.bak"_s}, {saveAs}, u"a.vnls.bak"_s, keep});
    row("save as, outside Latin-1",
        {"actionSaveAs", true, old, {}, {u"\u56fe.VNLS"_s}, {saveAs}, u"\u56fe.VNLS.vnls"_s, keep});
    row("open", {"actionLoad", false, old, library, {file}, {openDialog}, {}, load});
    row("open, changes, no",
        {"actionLoad", true, old, library, {no, file}, {loadQuestion, openDialog}, {}, load});
    row("open, changes, yes saves and stops",
        {"actionLoad", true, old, library, {yes, yes}, {loadQuestion, overwrite}, old, keep});
    // A dialog that opens only existing files cannot pick this one: it is opened directly.
    row("open missing", {"", true, old, u"missing.vnls"_s, {ok}, {cannotOpen}, {}, keep});
    row("new", {"actionNew", false, old, {}, {}, {}, {}, clear});
    row("new, changes, no", {"actionNew", true, old, {}, {no}, {newQuestion}, {}, clear});
    row("new, changes, save as cancelled",
        {"actionNew", true, {}, {}, {yes, cancel}, {newQuestion, saveAs}, {}, keep});
    row("close", {"close auto", false, old, {}, {}, {}, {}, close});
    row("close, changes, not saved, sure",
        {"close ask", true, old, {}, {no, yes}, {wantSave, sure}, {}, close});
    row("close, changes, saved",
        {"close", true, old, {}, {yes, yes}, {wantSave, overwrite}, old, close});
    // A save the user wanted but that did not happen keeps the window open.
    row("close, changes, overwrite refused",
        {"close ask", true, old, {}, {yes, no}, {wantSave, overwrite}, {}, keep});
    row("close, auto save", {"close auto", true, old, {}, {yes}, {overwrite}, old, close});
    row("close, auto save, not sure",
        {"close auto ask", true, old, {}, {yes, no}, {overwrite, sure}, old, keep});
    // A save the user declined lets the close go on to its question.
    row("close, auto save, save as cancelled",
        {"close auto ask", true, {}, {}, {cancel, no}, {saveAs, sure}, {}, keep});
}

void TestDocumentCommands::commands()
{
    QFETCH(Case, c);
    const QByteArray action = c.action;
    m_window = std::make_unique<MainWindow>();
    QVERIFY(m_window->load(examples + u"shapes.vnls"_s));
    m_window->filePath = c.saveTo.isEmpty() ? QString() : path(c.saveTo);
    m_window->settings()->setAutoSave(action.contains("auto"));
    m_window->settings()->setAskForClose(action.contains("ask"));
    m_window->setModified(c.modified);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    // What must not change when a command fails or is cancelled.
    m_file = c.pick.isEmpty() ? QString() : path(c.pick);
    const QString before = state();
    bool closed = false;
    QCOMPARE(run(c.answers,
                 [&] {
                     // The disk fills up while the diagram is written.
                     const FileSizeLimit limit(c.diskFull ? 1000 : RLIM_INFINITY);
                     if (action.startsWith("close"))
                         closed = m_window->close();
                     else if (action.isEmpty())
                         QVERIFY(!m_window->load(m_file));
                     else
                         trigger(c.action);
                 }),
             withFile(c.seen));
    QCOMPARE(closed, c.end == u"closed"_s);
    QCOMPARE(m_window->isVisible(), !closed);
    // A failed or refused write leaves the previous file alone, and no other.
    if (c.written.isEmpty()) {
        QCOMPARE(readAll(path(u"old.vnls"_s)), QByteArray("old"));
        QCOMPARE(QDir(m_dir->path()).entryList({u"*.vnls*"_s}, QDir::Files),
                 QStringList{u"old.vnls"_s});
    } else {
        QCOMPARE(readAll(path(c.written)), m_shapes);
    }
    if (c.end == u"cleared"_s) {
        // The file last saved stays the one Save offers to overwrite.
        QCOMPARE(state(),
                 u"0 classes 0 links|Varnel 1.0 - Sans nom|Sans nom|%1|"_s.arg(path(c.saveTo)));
        QVERIFY(m_window->diagramScene()->items().isEmpty());
    } else if (c.end == u"loaded"_s) {
        // Only what was read is left, boxes above links, unmarked; Save writes to it.
        QCOMPARE(state(),
                 u"6 classes 6 links|Varnel 1.0 - library.vnls|library.vnls|%1|"_s.arg(m_file));
        QCOMPARE(m_window->diagramScene()->items().size(), 12);
        for (ClassItem *item : m_window->diagramClasses()) {
            QCOMPARE(item->zValue(), 1.0);
            // Double-clicking a loaded box opens its editor.
            QVERIFY(QObject::disconnect(item->getModel(), &ClassModel::editing, m_window.get(),
                                        &MainWindow::modClass));
        }
        QCOMPARE(DiagramWriter::toBytes(m_window->classItems, m_window->linkItems),
                 readAll(m_file));
    } else if (c.written.isEmpty()) {
        QCOMPARE(state(), before); // with its mark
    } else {
        QCOMPARE(state(),
                 u"5 classes 4 links|Varnel 1.0 - %1|%1|%2|Sauvegarde effectuée - %2"_s.arg(
                     QFileInfo(c.written).fileName(), path(c.written)));
    }
}

void TestDocumentCommands::abandonedLinkKeepsTheMark()
{
    m_window = std::make_unique<MainWindow>();
    QVERIFY(m_window->load(examples + u"shapes.vnls"_s));
    QVERIFY(m_window->save(path(u"saved.vnls"_s)));
    // A link addition given up on the clean diagram leaves it clean.
    trigger("actionAddAssociationLink");
    MainWindowTesting::topLevel<LinkEditor>()->close();
    QCOMPARE(m_window->windowTitle(), u"Varnel 1.0 - saved.vnls"_s);
    // So does one whose two ends are the same class.
    ClassItem *first = m_window->diagramClasses().at(0);
    QVERIFY(MainWindowTesting::addLink(m_window.get(), "actionAddAgragationLink", first, first));
    QCOMPARE(m_window->windowTitle(), u"Varnel 1.0 - saved.vnls"_s);
    QCOMPARE(m_window->diagramLinks().size(), 4);
}

void TestDocumentCommands::startupDiagram()
{
    // A diagram named on the command line opens; a missing one shows why and the window
    // still opens, empty. A diagram that was read is the one Save overwrites.
    m_file = path(u"un dossier/mon diagramme \u00e9t\u00e9 \u0394.vnls"_s);
    QVERIFY(QDir().mkpath(QFileInfo(m_file).path()));
    QVERIFY(MainWindowTesting::writeFile(m_file, m_shapes));
    setDiagramArgument(QFile::encodeName(m_file));
    QCOMPARE(run({}, [this] { m_window = std::make_unique<MainWindow>(); }), QStringList());
    QCOMPARE(state(), u"5 classes 4 links|Varnel 1.0 - %1|%1|%2|"_s.arg(
                          QFileInfo(m_file).fileName(), m_file));

    m_file = path(u"missing.vnls"_s);
    setDiagramArgument(QFile::encodeName(m_file));
    QCOMPARE(run({ok}, [this] { m_window = std::make_unique<MainWindow>(); }),
             withFile({cannotOpen}));
    QCOMPARE(state(), u"0 classes 0 links|Varnel 1.0 - Sans nom|Sans nom||"_s);
}

int main(int argc, char *argv[])
{
    QApplication app(appArgc, appArgv);
    TestDocumentCommands test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_documentcommands.moc"
