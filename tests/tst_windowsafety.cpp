// What the window and the command line do for an unlucky user or with a hand-edited file:
// a full disk, a Save as onto another file, closing with autoSave, dropped links, boxes
// off the canvas and absurd settings.
#include "mainwindowtesting.h"
#include "testsupport/filesizelimit.h"
#include "testsupport/modalanswerer.h"

#include <QDir>
#include <QGraphicsScene>
#include <QProcess>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QToolBar>

#include <memory>

using namespace Qt::StringLiterals;
using namespace MainWindowTesting;

namespace {

const QByteArray yes = "Yes", no = "No", ok = "OK", cancel = "cancel";

// Links to missing classes ("Ghost" twice, "Nobody") and one from a class to itself,
// boxes off the canvas and a name wider than it.
const QByteArray handEdited =
    "<main><class name='A' posX='-40' posY='25000'/><class name='" + QByteArray(2000, 'W')
    + "' posX='9000' posY='-3'/><link master='A' slave='Ghost'/><link master='Ghost' slave='A'/>"
      "<link master='Nobody' slave='Nobody'/><link master='A' slave='A'/></main>";

} // namespace

class TestWindowSafety : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void saveOnAFullDiskKeepsTheWindow();
    void saveAsAsksAboutTheFileWritten();
    void closeWithAutoSave_data();
    void closeWithAutoSave();
    void handEditedFiles();
    void absurdIconSizes();

private:
    QString path(const QString &name) const { return m_dir->filePath(name); }
    // Queues the answers ("Yes", "No", "OK", "cancel" or a path to pick), acts, and
    // returns the title and text of each box and dialog shown.
    QStringList run(const QList<QByteArray> &answers, const std::function<void()> &act);

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<ModalAnswerer> m_answerer;
    std::unique_ptr<MainWindow> m_window;
};

void TestWindowSafety::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(writeFile(path(u"cfgs.xml"_s), cfgText(" askForClose=\"true\" autoSave=\"true\"")));
    Cfg::setPathOverride(path(u"cfgs.xml"_s));
    m_answerer = std::make_unique<ModalAnswerer>();
    m_window = std::make_unique<MainWindow>();
    QVERIFY(addClass(m_window.get(), u"Kept"_s));
}

void TestWindowSafety::cleanup()
{
    QVERIFY2(m_answerer->pending() == 0, "an expected dialog never came");
    m_window.reset();
}

QStringList TestWindowSafety::run(const QList<QByteArray> &answers,
                                  const std::function<void()> &act)
{
    for (const QByteArray &answer : answers) {
        if (answer == yes || answer == no || answer == ok)
            m_answerer->answerMessageBox(answer == yes  ? QMessageBox::Yes
                                         : answer == no ? QMessageBox::No
                                                        : QMessageBox::Ok);
        else
            m_answerer->answerFileDialog(answer == cancel ? QString()
                                                          : path(QString::fromUtf8(answer)));
    }
    act();
    if (!m_answerer->waitUntilAnswered())
        return {u"unanswered"_s};
    QStringList lines;
    for (const ModalAnswerer::Seen &seen : m_answerer->seen())
        lines << seen.title + u" | "_s + QString(seen.text).replace(m_dir->path(), u"DIR"_s);
    return lines;
}

void TestWindowSafety::saveOnAFullDiskKeepsTheWindow()
{
    // The limit leaves the signal as the window set it: a write past the limit kills
    // the test unless the window ignores it.
    bool saved = true;
    QCOMPARE(run({ok},
                 [&] {
                     const FileSizeLimit limit(100, false);
                     QVERIFY(limit.isActive());
                     saved = m_window->save(path(u"full.vnls"_s));
                 }),
             QStringList{u"Erreur | Impossible de créer un fichier de sauvegarde."_s});
    QVERIFY(!saved);
    QVERIFY(m_window->isModified());
    QVERIFY(!QFile::exists(path(u"full.vnls"_s)));
}

void TestWindowSafety::saveAsAsksAboutTheFileWritten()
{
    // "a" is saved as "a.vnls", which exists: the window asks, the dialog could not.
    const QString dialog = u"Enregistrer sous ... | "_s;
    const QString question =
        dialog + u"Le fichier DIR/a.vnls existe déjà.\nVoulez-vous le remplacer ?"_s;
    const struct
    {
        QList<QByteArray> answers;
        QStringList seen;
        QString written; // none when nothing was saved
    } rows[] = {{{"a", no}, {dialog, question}, {}},
                {{"b"}, {dialog}, u"b.vnls"_s},
                {{"a", yes}, {dialog, question}, u"a.vnls"_s}};
    QVERIFY(writeFile(path(u"a.vnls"_s), "previous"));
    for (const auto &row : rows) {
        m_answerer = std::make_unique<ModalAnswerer>();
        QCOMPARE(run(row.answers, [&] { action(m_window.get(), "actionSaveAs")->trigger(); }),
                 row.seen);
        QFile file(path(u"a.vnls"_s));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll() != "previous", row.written == u"a.vnls"_s);
        QCOMPARE(m_window->currentFilePath(),
                 row.written.isEmpty() ? QString() : path(row.written));
    }
}

void TestWindowSafety::closeWithAutoSave_data()
{
    QTest::addColumn<QString>("saveTo"); // where Save writes: "old.vnls", "dir.vnls" or none
    QTest::addColumn<QList<QByteArray>>("answers");
    QTest::addColumn<QStringList>("seen");
    QTest::addColumn<bool>("closed");
    const QString overwrite =
        u"Enregistrer | Etês vous sur de vouloir écraser votre ancienne sauvegarde ?"_s;
    const QString saveAs = u"Enregistrer sous ... | "_s;
    const QString sure = u"Fermeture | Êtes vous sûr de vouloir fermer VNL ?"_s;
    const QString failed = u"Erreur | Impossible de créer un fichier de sauvegarde."_s;
    // A save the user declined goes on to the last question; one that failed stops there.
    QTest::newRow("save as cancelled")
        << QString() << QList<QByteArray>{cancel, yes} << QStringList{saveAs, sure} << true;
    QTest::newRow("overwrite refused")
        << u"old.vnls"_s << QList<QByteArray>{no, yes} << QStringList{overwrite, sure} << true;
    QTest::newRow("overwrite refused, not sure")
        << u"old.vnls"_s << QList<QByteArray>{no, no} << QStringList{overwrite, sure} << false;
    QTest::newRow("write failed") << u"dir.vnls"_s << QList<QByteArray>{yes, ok}
                                  << QStringList{overwrite, failed} << false;
}

void TestWindowSafety::closeWithAutoSave()
{
    QFETCH(QString, saveTo);
    QFETCH(QList<QByteArray>, answers);
    QFETCH(QStringList, seen);
    QFETCH(bool, closed);
    // Save writes where the last save did; a folder put there since makes it fail.
    if (!saveTo.isEmpty())
        QVERIFY(m_window->save(path(saveTo)) && QFile::remove(path(saveTo)));
    QVERIFY(saveTo == u"dir.vnls"_s ? QDir().mkdir(path(saveTo))
                                    : writeFile(path(u"old.vnls"_s), "old"));
    QVERIFY(addClass(m_window.get(), u"Changed"_s) && m_window->isModified());
    m_window->show();
    bool result = !closed;
    QCOMPARE(run(answers, [&] { result = m_window->close(); }), seen);
    QCOMPARE(result, closed);
    QCOMPARE(QDir(m_dir->path()).entryList({u"*.vnls"_s}),
             QStringList{saveTo == u"dir.vnls"_s ? saveTo : u"old.vnls"_s});
    QFile old(path(u"old.vnls"_s));
    QVERIFY(saveTo == u"dir.vnls"_s || (old.open(QIODevice::ReadOnly) && old.readAll() == "old"));
}

void TestWindowSafety::handEditedFiles()
{
    QVERIFY(writeFile(path(u"hand.vnls"_s), handEdited));
    QVERIFY(m_window->load(path(u"hand.vnls"_s)));
    QCOMPARE(m_window->statusBar()->currentMessage(), u"3 liens ignorés : classe introuvable"_s);
    // Every box can be seen and dragged.
    const QRectF canvas = m_window->diagramScene()->sceneRect();
    QCOMPARE(m_window->diagramClasses().size(), 2);
    for (const ClassItem *box : m_window->diagramClasses())
        QVERIFY(canvas.contains(box->sceneBoundingRect()));
    const ClassItem *first = m_window->diagramClasses().constFirst();
    QCOMPARE(first->pos(), QPointF(0, canvas.bottom() - first->boundingRect().height()));

    QVERIFY(writeFile(path(u"one.vnls"_s),
                      "<main><class name='A'/><link master='A' slave='B'/></main>"));
    QVERIFY(m_window->load(path(u"one.vnls"_s)));
    QCOMPARE(m_window->statusBar()->currentMessage(), u"1 lien ignoré : classe introuvable"_s);

    // The command line names each missing class, and the run still succeeds.
    QProcess process;
    process.start(QStringLiteral(VARNEL_BINARY), {u"--generate"_s, path(u"hand.vnls"_s),
                                                  u"--output"_s, path(u"out"_s), u"-c"_s, u"A"_s});
    QVERIFY(process.waitForFinished(30000));
    QCOMPARE(process.exitCode(), 0);
    QCOMPARE(QString::fromUtf8(process.readAllStandardError()),
             u"Lien ignoré, classe introuvable : Ghost\n"
             "Lien ignoré, classe introuvable : Ghost\n"
             "Lien ignoré, classe introuvable : Nobody\n"_s);
}

void TestWindowSafety::absurdIconSizes()
{
    // Sizes no screen shows are taken as the default where they are used; the
    // settings keep what the file says.
    const struct
    {
        const char *size;
        int shown;
    } rows[] = {{"100000", 64}, {"-64", 64}, {"7", 64}, {"8", 8}, {"512", 512}, {"513", 64}};
    for (const auto &row : rows) {
        const QByteArray size(row.size);
        QVERIFY(writeFile(path(u"cfgs.xml"_s), cfgText(" actionBarIconSize=\"" + size
                                                       + "\" itemBarIconSize=\"" + size + "\"")));
        m_window = std::make_unique<MainWindow>();
        for (const char *bar : {"FileToolBar", "ItemToolBar"})
            QCOMPARE(m_window->findChild<QToolBar *>(QLatin1String(bar))->iconSize(),
                     QSize(row.shown, row.shown));
        QCOMPARE(m_window->settings()->actionBarIconSize(), size.toInt());
    }
}

VARNEL_WINDOW_TEST_MAIN(TestWindowSafety)
#include "tst_windowsafety.moc"
