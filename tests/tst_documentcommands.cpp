// New, open, save, save as and closing, driven as the user drives them, with an unlucky
// user's full disk and hand-edited files.
#include "mainwindowtesting.h"
#include "testsupport/filesizelimit.h"
#include "testsupport/modalanswerer.h"

#include <QDir>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>

#include <memory>

using namespace MainWindowTesting;
using namespace Qt::StringLiterals;

namespace {

// Answers: "Yes", "No", "OK" press that button of the next box; "cancel" cancels the
// next file dialog; anything else is picked in it (FILE stands for the test's file).
const QString yes = u"Yes"_s, no = u"No"_s, ok = u"OK"_s, cancel = u"cancel"_s, file = u"FILE"_s;

// What the user saw, as ModalAnswerer::Seen::summary() gives it.
const QString saveAs = u"Dialog | Enregistrer sous ... | Sauvegarde VNL (*.vnls)"_s;
const QString openFile = u"Dialog | Ouvrir un diagramme | Sauvegardes VNL (*vnls)"_s;
const QString overwrite = u"Question | Enregistrer | Etês vous sur de vouloir écraser votre "
                          u"ancienne sauvegarde ? | Yes|No"_s;
const QString failed = u"Critical | Erreur | Impossible de créer un fichier de sauvegarde. | Ok"_s;
const QString cannotOpen =
    u"Critical | Erreur | Impossible d'ouvrir le fichier à cet emplacement :FILE | Ok"_s;
const QString wantSave = u"Question | Fermeture | Voulez-vous sauvegarder votre travail avant de "
                         u"fermer le logiciel ? | Yes|No"_s;
const QString sure = u"Question | Fermeture | Êtes vous sûr de vouloir fermer VNL ? | Yes|No"_s;
const QString replace =
    u"Question | Enregistrer sous ... | Le fichier FILE existe déjà.\nVoulez-vous "
    u"le remplacer ? | Yes|No"_s;
const QString askLoad = u"Question | Charger | Voulez-vous sauvegarder votre travail actuel avant "
                        u"d'ouvrir un autre diagramme ? | Yes|No"_s;
const QString askNew = u"Question | Nouveau | Voulez-vous sauvegarder votre travail actuel avant "
                       u"de crer un nouveau diagramme ? | Yes|No"_s;

const QString examples = QStringLiteral(VARNEL_SOURCE_DIR "/examples/"), old = u"old.vnls"_s;

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A command on the example diagram: the action, with "clean" for no changes, "unsaved" for
// no file to Save to (else "old.vnls", which holds "old"), "auto" and "ask" for autoSave and
// askForClose, "full" for a disk that fills up; "" opens the pick directly. Then the pick, each
// box or dialog shown followed by its answer, the file written, and "kept", "closed" or a state.
struct Case
{
    const char *action;
    QString pick;
    QStringList dialogs;
    QString written, end;
};

} // namespace

Q_DECLARE_METATYPE(Case)

class TestDocumentCommands : public QObject
{
    Q_OBJECT

    QString path(const QString &name) const { return QDir(m_dir->path()).filePath(name); }
    QString state() const
    {
        return u"%1 classes %2 links %3 items|%4|%5|%6|%7"_s.arg(m_window->diagramClasses().size())
            .arg(m_window->diagramLinks().size())
            .arg(m_window->diagramScene()->items().size())
            .arg(m_window->windowTitle(), m_window->currentFileName(), m_window->currentFilePath(),
                 m_window->statusBar()->currentMessage());
    }

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<ModalAnswerer> m_answerer;
    std::unique_ptr<MainWindow> m_window;
    QString m_file;

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(writeFile(path(u"cfgs.xml"_s), cfgText()));
        QVERIFY(writeFile(path(old), "old"));
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
        const QString library = examples + u"library.vnls"_s, keep = u"kept"_s, close = u"closed"_s,
                      cjk = u"\u56fe.VNLS"_s;
        // The file last saved stays the one Save offers to overwrite.
        const QString clear = u"0 classes 0 links 0 items|Varnel 1.0 - Sans nom|Sans nom|OLD|"_s;
        // Only what was read is left, unmarked; Save writes to it.
        const QString load =
            u"6 classes 6 links 12 items|Varnel 1.0 - library.vnls|library.vnls|FILE|"_s;
        const auto row = [](const char *name, const Case &c) { QTest::newRow(name) << c; };
        // ".vnls" is added only when it is nowhere in the chosen path.
        row("save, no path", {"actionSave unsaved", {}, {saveAs, cjk}, cjk + u".vnls"_s, keep});
        row("save", {"actionSave", {}, {overwrite, yes}, old, keep});
        row("save, refused", {"actionSave", {}, {overwrite, no}, {}, keep});
        row("save, disk full", {"actionSave full", {}, {overwrite, yes, failed, ok}, {}, keep});
        row("save as .bak", {"actionSaveAs", {}, {saveAs, u"a.vnls.bak"_s}, u"a.vnls.bak"_s, keep});
        // The name typed lacked ".vnls": the window asks, the dialog could not.
        row("save as old, no", {"actionSaveAs", old, {saveAs, u"old"_s, replace, no}, {}, keep});
        row("save as old, yes", {"actionSaveAs", old, {saveAs, u"old"_s, replace, yes}, old, keep});
        row("open", {"actionLoad clean", library, {openFile, file}, {}, load});
        row("open, no", {"actionLoad", library, {askLoad, no, openFile, file}, {}, load});
        row("open, yes", {"actionLoad", library, {askLoad, yes, overwrite, yes}, old, keep});
        // A dialog that opens only existing files cannot pick this one: it is opened directly.
        row("open missing", {"", u"missing.vnls"_s, {cannotOpen, ok}, {}, keep});
        row("new", {"actionNew clean", {}, {}, {}, clear});
        row("new, no", {"actionNew", {}, {askNew, no}, {}, clear});
        row("new, yes", {"actionNew unsaved", {}, {askNew, yes, saveAs, cancel}, {}, keep});
        row("close", {"close auto clean", {}, {}, {}, close});
        row("close, not saved", {"close ask", {}, {wantSave, no, sure, yes}, {}, close});
        row("close, saved", {"close", {}, {wantSave, yes, overwrite, yes}, old, close});
        // A save the user wanted but that did not happen keeps the window open.
        row("close, refused", {"close ask", {}, {wantSave, yes, overwrite, no}, {}, keep});
        row("auto close", {"close auto", {}, {overwrite, yes}, old, close});
        row("auto close, not sure", {"close auto ask", {}, {overwrite, yes, sure, no}, old, keep});
        // A save the user declined lets the close go on to its question; one that failed stops.
        row("auto close, cancelled",
            {"close auto ask unsaved", {}, {saveAs, cancel, sure, yes}, {}, close});
        row("auto close, refused", {"close auto ask", {}, {overwrite, no, sure, yes}, {}, close});
        row("auto close, disk full",
            {"close auto ask full", {}, {overwrite, yes, failed, ok}, {}, keep});
    }

    void commands()
    {
        QFETCH(Case, c);
        const QByteArray flags = c.action;
        QVERIFY(m_window->load(examples + u"shapes.vnls"_s));
        m_window->filePath = flags.contains("unsaved") ? QString() : path(old);
        m_window->settings()->setAutoSave(flags.contains("auto"));
        m_window->settings()->setAskForClose(flags.contains("ask"));
        m_window->setModified(!flags.contains("clean"));
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
        m_file = c.pick.isEmpty() ? QString() : path(c.pick);
        const QString before = state();
        QStringList dialogs = c.dialogs;
        dialogs.replaceInStrings(file, m_file);
        for (qsizetype i = 1; i < dialogs.size(); i += 2) {
            if (const int b = QStringList{yes, no, ok}.indexOf(dialogs.at(i)); b >= 0)
                m_answerer->answerMessageBox(
                    QList{QMessageBox::Yes, QMessageBox::No, QMessageBox::Ok}[b]);
            else
                m_answerer->answerFileDialog(dialogs.at(i) == cancel ? QString()
                                                                     : path(dialogs.at(i)));
        }
        bool closed = false;
        {
            // The disk fills up while the diagram is written; the signal that raises kills
            // the test unless the window ignores it.
            const FileSizeLimit limit(flags.contains("full") ? 1000 : RLIM_INFINITY, false);
            if (flags.startsWith("close"))
                closed = m_window->close();
            else if (flags.isEmpty())
                QVERIFY(!m_window->load(m_file));
            else
                action(m_window.get(), flags.split(' ')[0].constData())->trigger();
        }
        m_answerer->waitUntilAnswered();
        // What was shown, each followed by its answer; a box nobody answered was closed, and
        // shows as "unexpected".
        QStringList shown;
        for (const ModalAnswerer::Seen &seen : m_answerer->seen()) {
            shown << (seen.kind == u"QMessageBox"_s ? seen.summary()
                      : seen.kind == u"QFileDialog"_s
                          ? u"Dialog | %1 | %2"_s.arg(seen.title, seen.nameFilters.join(u';'))
                          : seen.kind + u" | "_s + seen.summary());
            shown << dialogs.value(shown.size());
        }
        QCOMPARE(shown, dialogs);
        QCOMPARE(closed, c.end == u"closed"_s);
        // A failed or refused write leaves the previous file alone, and no other.
        if (c.written.isEmpty()) {
            QCOMPARE(readAll(path(old)), QByteArray("old"));
            QCOMPARE(QDir(m_dir->path()).entryList({u"*.vnls*"_s}, QDir::Files),
                     QStringList{u"old.vnls"_s});
        } else {
            QCOMPARE(readAll(path(c.written)), readAll(examples + u"shapes.vnls"_s));
        }
        // Unless cleared or loaded, the diagram is as it was, mark included, or saved.
        const QString saved =
            u"5 classes 4 links 9 items|Varnel 1.0 - %1|%1|%2|Sauvegarde effectuée - %2"_s.arg(
                QFileInfo(c.written).fileName(), path(c.written));
        QCOMPARE(state(), c.end.contains(u'|')
                              ? QString(c.end).replace(file, m_file).replace(u"OLD"_s, path(old))
                          : c.written.isEmpty() ? before
                                                : saved);
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
        QVERIFY(writeFile(path(u"hand.vnls"_s), hand));
        QVERIFY(m_window->load(path(u"hand.vnls"_s)));
        QCOMPARE(m_window->statusBar()->currentMessage(),
                 u"3 liens ignorés : classe introuvable"_s);
        const QRectF canvas = m_window->diagramScene()->sceneRect();
        QCOMPARE(m_window->diagramClasses().size(), 2);
        for (const ClassItem *box : m_window->diagramClasses())
            QVERIFY(canvas.contains(box->sceneBoundingRect()) && box->zValue() > 0); // over links
        QVERIFY(writeFile(path(u"one.vnls"_s),
                          "<main><class name='A'/><link master='A' slave='B'/></main>"));
        QVERIFY(m_window->load(path(u"one.vnls"_s)));
        QCOMPARE(m_window->statusBar()->currentMessage(), u"1 lien ignoré : classe introuvable"_s);

        // Icon sizes no screen shows are taken as the default where they are used.
        for (const auto &[size, shown] :
             QList<std::pair<int, int>>{{-64, 64}, {7, 64}, {8, 8}, {512, 512}, {513, 64}})
            QCOMPARE(Cfg::usableIconSize(size), shown);
        QVERIFY(writeFile(path(u"cfgs.xml"_s),
                          cfgText(" actionBarIconSize=\"7\" itemBarIconSize=\"513\"")));
        m_window = std::make_unique<MainWindow>();
        for (const char *bar : {"FileToolBar", "ItemToolBar"})
            QCOMPARE(m_window->findChild<QToolBar *>(QLatin1String(bar))->iconSize(),
                     QSize(64, 64));
    }
};

VARNEL_WINDOW_TEST_MAIN(TestDocumentCommands)
#include "tst_documentcommands.moc"
