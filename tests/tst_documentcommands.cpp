// New, open, save, save as and closing, driven as the user drives them, with an unlucky
// user's full disk and hand-edited files.
#include "mainwindowtesting.h"
#include "persistence/diagramwriter.h"
#include "testsupport/filesizelimit.h"
#include "testsupport/modalanswerer.h"

#include <QDir>
#include <QFileDialog>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>

#include <functional>
#include <memory>

using namespace Qt::StringLiterals;

namespace {

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
const QString replace = question(u"Enregistrer sous ..."_s,
                                 u"Le fichier FILE existe déjà.\nVoulez-vous le remplacer ?"_s);

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

private:
    QString path(const QString &name) const { return QDir(m_dir->path()).filePath(name); }
    // Queues the answers, acts and returns what the user saw, one line a box or dialog.
    QStringList run(QStringList answers, const std::function<void()> &act)
    {
        const int before = int(m_answerer->seen().size());
        for (const QString &answer : withFile(answers)) {
            if (const int b = QStringList{yes, no, ok}.indexOf(answer); b >= 0)
                m_answerer->answerMessageBox(
                    QList{QMessageBox::Yes, QMessageBox::No, QMessageBox::Ok}[b]);
            else
                m_answerer->answerFileDialog(answer == cancel ? QString() : path(answer));
        }
        act();
        if (!m_answerer->waitUntilAnswered())
            return {u"an expected dialog never came"_s};
        QStringList lines;
        for (const ModalAnswerer::Seen &seen : m_answerer->seen().mid(before)) {
            // A box nobody answered was closed, and shows here as "unexpected".
            if (seen.kind != QLatin1String("QFileDialog")) {
                lines << (seen.kind == QLatin1String("QMessageBox") ? QString()
                                                                    : seen.kind + u" | "_s)
                             + seen.summary();
                continue;
            }
            const bool fits = seen.acceptMode == QFileDialog::AcceptSave
                              || seen.fileMode == QFileDialog::ExistingFile;
            lines << u"Dialog | "_s + seen.title + u" | "_s + seen.nameFilters.join(u';')
                         + (fits ? QString() : u" | wrong mode"_s);
        }
        return lines;
    }
    QString state() const
    {
        return u"%1 classes %2 links|%3|%4|%5|%6"_s.arg(m_window->diagramClasses().size())
            .arg(m_window->diagramLinks().size())
            .arg(m_window->windowTitle(), m_window->currentFileName(), m_window->currentFilePath(),
                 m_window->statusBar()->currentMessage());
    }
    void trigger(const char *name) { MainWindowTesting::action(m_window.get(), name)->trigger(); }
    QStringList withFile(QStringList lines) const { return lines.replaceInStrings(file, m_file); }

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<ModalAnswerer> m_answerer;
    std::unique_ptr<MainWindow> m_window;
    QString m_file;
    const QByteArray m_shapes = readAll(examples + u"shapes.vnls"_s);

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(MainWindowTesting::writeFile(path(u"cfgs.xml"_s), MainWindowTesting::cfgText()));
        QVERIFY(MainWindowTesting::writeFile(path(u"old.vnls"_s), "old"));
        Cfg::setPathOverride(path(u"cfgs.xml"_s));
        m_answerer = std::make_unique<ModalAnswerer>();
        m_window = std::make_unique<MainWindow>();
    }

    void cleanup()
    {
        QVERIFY2(m_answerer->pending() == 0, "an expected dialog never came");
        m_window.reset(); // before the answerer and the folder, which init() replaces
    }

    void commands_data()
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
        const QString cjk = u"\u56fe.VNLS"_s;
        row("save as, CJK",
            {"actionSaveAs", true, old, {}, {cjk}, {saveAs}, cjk + u".vnls"_s, keep});
        // The name typed lacked ".vnls": the window asks, the dialog could not.
        row("save as onto a file, no",
            {"actionSaveAs", true, {}, old, {u"old"_s, no}, {saveAs, replace}, {}, keep});
        row("save as onto a file, yes",
            {"actionSaveAs", true, {}, old, {u"old"_s, yes}, {saveAs, replace}, old, keep});
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
        // A save the user declined lets the close go on to its question; one that failed stops.
        row("close, auto save, save as cancelled",
            {"close auto ask", true, {}, {}, {cancel, yes}, {saveAs, sure}, {}, close});
        row("close, auto save, overwrite refused",
            {"close auto ask", true, old, {}, {no, yes}, {overwrite, sure}, {}, close});
        row("close, auto save, disk full",
            {"close auto ask", true, old, {}, {yes, ok}, {overwrite, writeFailed}, {}, keep, true});
    }

    void commands()
    {
        QFETCH(Case, c);
        const QByteArray action = c.action;
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
                         // The disk fills up while the diagram is written; the signal that
                         // raises kills the test unless the window ignores it.
                         const FileSizeLimit limit(c.diskFull ? 1000 : RLIM_INFINITY, false);
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

    void abandonedLinkKeepsTheMark()
    {
        QVERIFY(m_window->load(examples + u"shapes.vnls"_s));
        QVERIFY(m_window->save(path(u"saved.vnls"_s)));
        // A link addition given up on the clean diagram leaves it clean.
        trigger("actionAddAssociationLink");
        MainWindowTesting::topLevel<LinkEditor>()->close();
        QCOMPARE(m_window->windowTitle(), u"Varnel 1.0 - saved.vnls"_s);
        // So does one whose two ends are the same class.
        ClassItem *first = m_window->diagramClasses().at(0);
        QVERIFY(
            MainWindowTesting::addLink(m_window.get(), "actionAddAgragationLink", first, first));
        QCOMPARE(m_window->windowTitle(), u"Varnel 1.0 - saved.vnls"_s);
        QCOMPARE(m_window->diagramLinks().size(), 4);
    }

    void handEditedFiles()
    {
        // Links to missing classes and from a class to itself, boxes off the canvas and a name
        // wider than it: the links are dropped with a word, every box can be seen and dragged.
        const QByteArray hand = "<main><class name='A' posX='-40' posY='25000'/><class name='"
                                + QByteArray(2000, 'W')
                                + "' posX='9000' posY='-3'/><link master='A' slave='Ghost'/>"
                                  "<link master='Ghost' slave='A'/><link master='Nobody' "
                                  "slave='Nobody'/><link master='A' slave='A'/></main>";
        QVERIFY(MainWindowTesting::writeFile(path(u"hand.vnls"_s), hand));
        QVERIFY(m_window->load(path(u"hand.vnls"_s)));
        QCOMPARE(m_window->statusBar()->currentMessage(),
                 u"3 liens ignorés : classe introuvable"_s);
        const QRectF canvas = m_window->diagramScene()->sceneRect();
        QCOMPARE(m_window->diagramClasses().size(), 2);
        for (const ClassItem *box : m_window->diagramClasses())
            QVERIFY(canvas.contains(box->sceneBoundingRect()));
        const ClassItem *first = m_window->diagramClasses().constFirst();
        QCOMPARE(first->pos(), QPointF(0, canvas.bottom() - first->boundingRect().height()));
        QVERIFY(MainWindowTesting::writeFile(
            path(u"one.vnls"_s), "<main><class name='A'/><link master='A' slave='B'/></main>"));
        QVERIFY(m_window->load(path(u"one.vnls"_s)));
        QCOMPARE(m_window->statusBar()->currentMessage(), u"1 lien ignoré : classe introuvable"_s);

        // Icon sizes no screen shows are taken as the default where they are used; the
        // settings keep what the file says.
        const struct
        {
            const char *size;
            int shown;
        } rows[] = {{"100000", 64}, {"-64", 64}, {"7", 64}, {"8", 8}, {"512", 512}, {"513", 64}};
        for (const auto &row : rows) {
            const QByteArray size(row.size);
            QVERIFY(MainWindowTesting::writeFile(
                path(u"cfgs.xml"_s),
                MainWindowTesting::cfgText(" actionBarIconSize=\"" + size + "\" itemBarIconSize=\""
                                           + size + "\"")));
            m_window = std::make_unique<MainWindow>();
            for (const char *bar : {"FileToolBar", "ItemToolBar"})
                QCOMPARE(m_window->findChild<QToolBar *>(QLatin1String(bar))->iconSize(),
                         QSize(row.shown, row.shown));
            QCOMPARE(m_window->settings()->actionBarIconSize(), size.toInt());
        }
    }
};

VARNEL_WINDOW_TEST_MAIN(TestDocumentCommands)
#include "tst_documentcommands.moc"
