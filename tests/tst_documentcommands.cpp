// New, open, save, save as and closing, driven as the user drives them.
#include "canvas/classitem.h"
#include "canvas/link.h"
#include "mainwindow/mainwindow.h"
#include "mainwindowtesting.h"
#include "model/classmodel.h"
#include "model/linkmodel.h"
#include "persistence/cfg.h"
#include "persistence/diagramwriter.h"
#include "testsupport/modalanswerer.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QGraphicsView>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <sys/stat.h>

namespace {

const QString yes = QStringLiteral("Yes");
const QString no = QStringLiteral("No");
const QString ok = QStringLiteral("OK");
const QString cancel = QStringLiteral("cancel");

const QString saveAsTitle = QStringLiteral("Enregistrer sous ...");
const QString openTitle = QStringLiteral("Ouvrir un diagramme");
const QString overwriteText =
    QStringLiteral("Etês vous sur de vouloir écraser votre ancienne sauvegarde ?");
const QString newText = QStringLiteral(
    "Voulez-vous sauvegarder votre travail actuel avant de crer un nouveau diagramme ?");
const QString loadText = QStringLiteral(
    "Voulez-vous sauvegarder votre travail actuel avant d'ouvrir un autre diagramme ?");
const QString closeSaveText =
    QStringLiteral("Voulez-vous sauvegarder votre travail avant de fermer le logiciel ?");
const QString closeText = QStringLiteral("Êtes vous sûr de vouloir fermer VNL ?");
const QString writeFailedText = QStringLiteral("Impossible de créer un fichier de sauvegarde.");
const QString openFailedText = QStringLiteral("Impossible d'ouvrir le fichier à cet emplacement :");
const QString parseFailedText = QStringLiteral(
    "Le fichier de sauvegarde a bien été ouvert mais il est impossible de le lire.\n"
    "Le fichier a sûrement subie une mauvaise modification. Contactez le support pour "
    "trouver une solution.");

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeAll(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QString example(const QString &name)
{
    return QStringLiteral(VARNEL_SOURCE_DIR "/examples/") + name;
}

QString describeSeen(const ModalAnswerer::Seen &seen)
{
    return seen.title + QLatin1Char('|') + seen.text;
}

} // namespace

class TestDocumentCommands : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void saveWithoutPathShowsSaveAs();
    void saveAsExtension_data();
    void saveAsExtension();
    void saveAsCancelledDoesNothing();
    void saveAsksBeforeOverwriting_data();
    void saveAsksBeforeOverwriting();
    void failedSaveChangesNothing();
    void savedTextComesBackUnchanged();

    void loadReplacesTheDiagram();
    void loadCancelledDoesNothing();
    void loadAsksAboutUnsavedChanges();
    void loadAnswerYesSavesAndStops();
    void unreadableFileKeepsTheDiagram_data();
    void unreadableFileKeepsTheDiagram();
    void failedLoadKeepsTheSavePath();
    void loadedFileNameUsesTheLastPiece();
    void loadedDiagramIsInSight_data();
    void loadedDiagramIsInSight();

    void newWithoutChangesClears();
    void newAsksAboutUnsavedChanges_data();
    void newAsksAboutUnsavedChanges();
    void newAnswerYesSavesAndKeepsTheDiagram();

    void closing_data();
    void closing();

private:
    void trigger(const char *action);
    void queue(const QStringList &answers);
    QStringList seenTitlesAndTexts() const;
    void checkQuestion(int index, const QString &title, const QString &text) const;
    void checkError(int index, const QString &text) const;
    void checkFileDialog(int index, const QString &title, const QString &filter,
                         QFileDialog::AcceptMode mode) const;
    void loadExample(const QString &name);
    void setModified(bool on) { m_window->setModified(on); }
    void setFilePath(const QString &path) { m_window->filePath = path; }
    QString path(const QString &name) const { return m_dir->filePath(name); }

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<MainWindow> m_window;
    std::unique_ptr<ModalAnswerer> m_answerer;
};

void TestDocumentCommands::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    const QString cfgPath = path(QStringLiteral("cfgs.xml"));
    Cfg cfg;
    cfg.setWellWin(false); // the welcome window is modal and would take the input
    QCOMPARE(cfg.writeCfg(cfgPath), 0);
    Cfg::setPathOverride(cfgPath);
    m_window = std::make_unique<MainWindow>();
    m_answerer = std::make_unique<ModalAnswerer>();
}

void TestDocumentCommands::cleanup()
{
    QVERIFY2(m_answerer->pending() == 0, "an expected dialog never came");
    m_answerer.reset();
    m_window.reset();
    m_dir.reset();
}

void TestDocumentCommands::trigger(const char *action)
{
    // The form's action when it is there, otherwise the slot it is connected to.
    if (auto *found = m_window->findChild<QAction *>(QLatin1String(action))) {
        found->trigger();
        return;
    }
    const QByteArray slot = "on_" + QByteArray(action) + "_triggered";
    QVERIFY(QMetaObject::invokeMethod(m_window.get(), slot.constData()));
}

// "Yes", "No", "OK" press that button of the next message box; "cancel" cancels the
// next file dialog; anything else is a file name picked in it, below the test folder.
void TestDocumentCommands::queue(const QStringList &answers)
{
    for (const QString &answer : answers) {
        if (answer == yes)
            m_answerer->answerMessageBox(QMessageBox::Yes);
        else if (answer == no)
            m_answerer->answerMessageBox(QMessageBox::No);
        else if (answer == ok)
            m_answerer->answerMessageBox(QMessageBox::Ok);
        else if (answer == cancel)
            m_answerer->answerFileDialog(QString());
        else
            m_answerer->answerFileDialog(QDir::isAbsolutePath(answer) ? answer : path(answer));
    }
}

QStringList TestDocumentCommands::seenTitlesAndTexts() const
{
    QStringList seen;
    for (const ModalAnswerer::Seen &one : m_answerer->seen())
        seen << describeSeen(one);
    return seen;
}

void TestDocumentCommands::checkQuestion(int index, const QString &title, const QString &text) const
{
    QVERIFY(m_answerer->seen().size() > index);
    const ModalAnswerer::Seen &seen = m_answerer->seen().at(index);
    QCOMPARE(seen.kind, QStringLiteral("QMessageBox"));
    QCOMPARE(seen.title, title);
    QCOMPARE(seen.text, text);
    QCOMPARE(seen.icon, QMessageBox::Question);
    QCOMPARE(seen.buttons, QMessageBox::Yes | QMessageBox::No);
    QCOMPARE(seen.defaultButton, QMessageBox::NoButton);
}

void TestDocumentCommands::checkError(int index, const QString &text) const
{
    QVERIFY(m_answerer->seen().size() > index);
    const ModalAnswerer::Seen &seen = m_answerer->seen().at(index);
    QCOMPARE(seen.kind, QStringLiteral("QMessageBox"));
    QCOMPARE(seen.title, QStringLiteral("Erreur"));
    QCOMPARE(seen.text, text);
    QCOMPARE(seen.icon, QMessageBox::Critical);
    QCOMPARE(seen.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
}

void TestDocumentCommands::checkFileDialog(int index, const QString &title, const QString &filter,
                                           QFileDialog::AcceptMode mode) const
{
    QVERIFY(m_answerer->seen().size() > index);
    const ModalAnswerer::Seen &seen = m_answerer->seen().at(index);
    QCOMPARE(seen.kind, QStringLiteral("QFileDialog"));
    QCOMPARE(seen.title, title);
    QCOMPARE(seen.nameFilters, QStringList{filter});
    QCOMPARE(seen.acceptMode, int(mode));
    if (mode == QFileDialog::AcceptOpen)
        QCOMPARE(seen.fileMode, int(QFileDialog::ExistingFile));
}

void TestDocumentCommands::loadExample(const QString &name)
{
    QVERIFY(m_window->load(example(name)));
    QCOMPARE(m_answerer->seen().size(), 0);
}

void TestDocumentCommands::saveWithoutPathShowsSaveAs()
{
    loadExample(QStringLiteral("shapes.vnls"));
    setModified(true);
    queue({QStringLiteral("first")});
    trigger("actionSave");
    QVERIFY(m_answerer->waitUntilAnswered());

    QCOMPARE(m_answerer->seen().size(), 1); // no overwrite question
    checkFileDialog(0, saveAsTitle, QStringLiteral("Sauvegarde VNL (*.vnls)"),
                    QFileDialog::AcceptSave);
    // The dialog starts in the user's home folder (the directory it shows may be the
    // canonical form of that path).
    QCOMPARE(QFileInfo(m_answerer->seen().at(0).directory).canonicalFilePath(),
             QFileInfo(QDir::homePath()).canonicalFilePath());

    const QString saved = path(QStringLiteral("first.vnls"));
    QCOMPARE(readAll(saved), readAll(example(QStringLiteral("shapes.vnls"))));
    QCOMPARE(m_window->currentFilePath(), saved);
    QCOMPARE(m_window->currentFileName(), QStringLiteral("first.vnls"));
    QVERIFY(!m_window->isModified());
    QCOMPARE(m_window->windowTitle(), QStringLiteral("Varnel 1.0 - first.vnls"));
    QCOMPARE(m_window->statusBar()->currentMessage(),
             QStringLiteral("Sauvegarde effectuée - ") + saved);
}

void TestDocumentCommands::saveAsExtension_data()
{
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("written");
    QTest::newRow("no extension") << QStringLiteral("shapes") << QStringLiteral("shapes.vnls");
    QTest::newRow("extension") << QStringLiteral("shapes.vnls") << QStringLiteral("shapes.vnls");
    QTest::newRow("extension inside the name")
        << QStringLiteral("shapes.vnls.bak") << QStringLiteral("shapes.vnls.bak");
    QTest::newRow("extension in a folder name")
        << QStringLiteral("old.vnls/shapes") << QStringLiteral("old.vnls/shapes");
    QTest::newRow("other extension")
        << QStringLiteral("shapes.xml") << QStringLiteral("shapes.xml.vnls");
    QTest::newRow("case matters") << QStringLiteral("Shapes.VNLS")
                                  << QStringLiteral("Shapes.VNLS.vnls");
    QTest::newRow("blanks and accents")
        << QStringLiteral("mon diagramme d'été") << QStringLiteral("mon diagramme d'été.vnls");
    QTest::newRow("outside Latin-1")
        << QStringLiteral("\u56fe\u8868 \u0394") << QStringLiteral("\u56fe\u8868 \u0394.vnls");
    QTest::newRow("apostrophe, hash, semicolon")
        << QStringLiteral("a'b#1;&c") << QStringLiteral("a'b#1;&c.vnls");
}

void TestDocumentCommands::saveAsExtension()
{
    QFETCH(QString, chosen);
    QFETCH(QString, written);
    QVERIFY(QDir().mkpath(path(QStringLiteral("old.vnls"))));
    loadExample(QStringLiteral("shapes.vnls"));
    queue({chosen});
    trigger("actionSaveAs");
    QVERIFY(m_answerer->waitUntilAnswered());
    QCOMPARE(m_answerer->seen().size(), 1);
    QCOMPARE(readAll(path(written)), readAll(example(QStringLiteral("shapes.vnls"))));
    QCOMPARE(m_window->currentFilePath(), path(written));
    QCOMPARE(m_window->currentFileName(), QFileInfo(written).fileName());
}

void TestDocumentCommands::saveAsCancelledDoesNothing()
{
    loadExample(QStringLiteral("shapes.vnls"));
    setModified(true);
    setFilePath(path(QStringLiteral("kept.vnls")));
    const QString title = m_window->windowTitle();
    queue({cancel});
    trigger("actionSaveAs");
    QVERIFY(m_answerer->waitUntilAnswered());
    QCOMPARE(m_answerer->seen().size(), 1);
    QVERIFY(m_window->isModified());
    QCOMPARE(m_window->currentFilePath(), path(QStringLiteral("kept.vnls")));
    QCOMPARE(m_window->windowTitle(), title);
    QCOMPARE(QDir(m_dir->path()).entryList({QStringLiteral("*.vnls")}), QStringList());
}

void TestDocumentCommands::saveAsksBeforeOverwriting_data()
{
    QTest::addColumn<bool>("modified");
    QTest::addColumn<QString>("answer");
    QTest::newRow("modified, yes") << true << yes;
    QTest::newRow("modified, no") << true << no;
    QTest::newRow("unchanged, yes") << false << yes;
    QTest::newRow("unchanged, no") << false << no;
}

void TestDocumentCommands::saveAsksBeforeOverwriting()
{
    QFETCH(bool, modified);
    QFETCH(QString, answer);
    loadExample(QStringLiteral("library.vnls"));
    const QString target = path(QStringLiteral("old.vnls"));
    QVERIFY(writeAll(target, "old content"));
    setFilePath(target);
    setModified(modified);

    queue({answer});
    trigger("actionSave");
    QVERIFY(m_answerer->waitUntilAnswered());
    QCOMPARE(m_answerer->seen().size(), 1);
    checkQuestion(0, QStringLiteral("Enregistrer"), overwriteText);
    if (answer == yes) {
        QCOMPARE(readAll(target), readAll(example(QStringLiteral("library.vnls"))));
        QVERIFY(!m_window->isModified());
        QCOMPARE(m_window->windowTitle(), QStringLiteral("Varnel 1.0 - old.vnls"));
    } else {
        QCOMPARE(readAll(target), QByteArray("old content"));
        QCOMPARE(m_window->isModified(), modified);
        QCOMPARE(m_window->statusBar()->currentMessage(), QString());
    }
}

void TestDocumentCommands::failedSaveChangesNothing()
{
    loadExample(QStringLiteral("shapes.vnls"));
    setModified(true);
    // Nothing can be created below a regular file, not even by root.
    QVERIFY(writeAll(path(QStringLiteral("afile")), "x"));
    const QString target = path(QStringLiteral("afile/x.vnls"));
    setFilePath(target);
    const QString title = m_window->windowTitle();

    queue({yes, ok});
    trigger("actionSave");
    QVERIFY(m_answerer->waitUntilAnswered());
    QCOMPARE(m_answerer->seen().size(), 2);
    checkError(1, writeFailedText);
    QVERIFY(m_window->isModified());
    QCOMPARE(m_window->currentFilePath(), target);
    QCOMPARE(m_window->currentFileName(), QStringLiteral("shapes.vnls"));
    QCOMPARE(m_window->windowTitle(), title);
    QCOMPARE(m_window->statusBar()->currentMessage(), QString());
    QCOMPARE(readAll(path(QStringLiteral("afile"))), QByteArray("x"));

    // Through "Enregistrer sous ..." as well: the earlier path stays the one to save to.
    const QString folder = path(QStringLiteral("taken.vnls"));
    QVERIFY(QDir().mkpath(folder + QStringLiteral("/inside")));
    queue({ok});
    QVERIFY(!m_window->save(folder));
    QCOMPARE(m_window->currentFilePath(), target);
    QVERIFY(QFileInfo(folder + QStringLiteral("/inside")).isDir());
    QVERIFY(m_answerer->waitUntilAnswered());
}

void TestDocumentCommands::savedTextComesBackUnchanged()
{
    loadExample(QStringLiteral("geometry.vnls"));
    ClassModel *model = m_window->classItems.first()->getModel();
    const QString comment =
        QStringLiteral("Ligne 1\nLigne 2 \u2014 \u20ac \u65e5\u672c \U0001F600");
    model->setComment(comment);
    model->setName(QStringLiteral("Punkt\u00df\u0141"));
    m_window->classItems.first()->setPos(60.5, -35.25);
    const QString target = path(QStringLiteral("text.vnls"));
    QVERIFY(m_window->save(target));

    m_window->clearDiagram();
    QVERIFY(m_window->load(target));
    const ClassModel *back = m_window->classItems.first()->getModel();
    QCOMPARE(back->comment(), comment);
    QCOMPARE(back->name(), QStringLiteral("Punkt\u00df\u0141"));
    QCOMPARE(m_window->classItems.first()->pos(), QPointF(60.5, -35.25));
    // The links still reach the renamed class.
    QCOMPARE(m_window->linkItems.size(), 5);
    for (const Link *link : std::as_const(m_window->linkItems))
        QVERIFY(link->getModel()->isComplete());
}

void TestDocumentCommands::loadReplacesTheDiagram()
{
    loadExample(QStringLiteral("shapes.vnls"));
    QCOMPARE(m_window->classItems.size(), 5);
    const QString copy = path(QStringLiteral("library.vnls"));
    QVERIFY(QFile::copy(example(QStringLiteral("library.vnls")), copy));

    queue({copy});
    trigger("actionLoad");
    QVERIFY(m_answerer->waitUntilAnswered());
    QCOMPARE(m_answerer->seen().size(), 1); // nothing to save, so no question
    checkFileDialog(0, openTitle, QStringLiteral("Sauvegardes VNL (*vnls)"),
                    QFileDialog::AcceptOpen);
    QCOMPARE(QFileInfo(m_answerer->seen().at(0).directory).canonicalFilePath(),
             QFileInfo(QDir::homePath()).canonicalFilePath());

    QCOMPARE(m_window->currentFilePath(), copy);
    QCOMPARE(m_window->currentFileName(), QStringLiteral("library.vnls"));
    QCOMPARE(m_window->windowTitle(), QStringLiteral("Varnel 1.0 - library.vnls"));
    QVERIFY(!m_window->isModified());

    // Only the loaded classes and links are left, on the canvas and in the lists.
    QCOMPARE(m_window->classItems.size(), 6);
    QCOMPARE(m_window->linkItems.size(), 6);
    QCOMPARE(m_window->scene.items().size(), 12);
    QCOMPARE(m_window->classItems.first()->getModel()->name(), QStringLiteral("Item"));
    for (ClassItem *item : std::as_const(m_window->classItems)) {
        QCOMPARE(item->scene(), &m_window->scene);
        QCOMPARE(item->zValue(), 1.0);
        QVERIFY(QObject::disconnect(item->getModel(), &ClassModel::editing, m_window.get(),
                                    &MainWindow::modClass));
    }
    for (Link *link : std::as_const(m_window->linkItems)) {
        QCOMPARE(link->scene(), &m_window->scene);
        QCOMPARE(link->zValue(), 0.0);
        QVERIFY(QObject::disconnect(link->getModel(), &LinkModel::editing, m_window.get(),
                                    &MainWindow::editLink));
    }
    // Saved again, it is the same file.
    QCOMPARE(DiagramWriter::toBytes(m_window->classItems, m_window->linkItems), readAll(copy));
}

void TestDocumentCommands::loadCancelledDoesNothing()
{
    loadExample(QStringLiteral("shapes.vnls"));
    const QList<ClassItem *> before = m_window->classItems;
    queue({cancel});
    trigger("actionLoad");
    QVERIFY(m_answerer->waitUntilAnswered());
    QCOMPARE(m_window->classItems, before);
    QCOMPARE(m_window->currentFilePath(), QString());
    QCOMPARE(m_window->currentFileName(), QStringLiteral("shapes.vnls"));
}

void TestDocumentCommands::loadAsksAboutUnsavedChanges()
{
    loadExample(QStringLiteral("shapes.vnls"));
    setModified(true);
    queue({no, example(QStringLiteral("library.vnls"))});
    trigger("actionLoad");
    QVERIFY(m_answerer->waitUntilAnswered());
    QCOMPARE(m_answerer->seen().size(), 2);
    checkQuestion(0, QStringLiteral("Charger"), loadText);
    QCOMPARE(m_window->classItems.size(), 6);
    QCOMPARE(m_window->classItems.first()->getModel()->name(), QStringLiteral("Item"));
    QCOMPARE(m_window->currentFilePath(), example(QStringLiteral("library.vnls")));
    // The mark is left as it was.
    QVERIFY(m_window->isModified());
    QCOMPARE(m_window->windowTitle(), QStringLiteral("Varnel 1.0 - *library.vnls"));
}

void TestDocumentCommands::loadAnswerYesSavesAndStops()
{
    loadExample(QStringLiteral("shapes.vnls"));
    setModified(true);
    const QList<ClassItem *> before = m_window->classItems;
    queue({yes, QStringLiteral("kept")});
    trigger("actionLoad");
    QVERIFY(m_answerer->waitUntilAnswered());
    // The question, then "Enregistrer sous ...", and no open dialog.
    QCOMPARE(m_answerer->seen().size(), 2);
    checkFileDialog(1, saveAsTitle, QStringLiteral("Sauvegarde VNL (*.vnls)"),
                    QFileDialog::AcceptSave);
    QCOMPARE(m_window->classItems, before);
    QCOMPARE(readAll(path(QStringLiteral("kept.vnls"))),
             readAll(example(QStringLiteral("shapes.vnls"))));
    QVERIFY(!m_window->isModified());
}

void TestDocumentCommands::unreadableFileKeepsTheDiagram_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("opens");
    QTest::newRow("missing") << QStringLiteral("missing.vnls") << QByteArray() << false;
    QTest::newRow("directory") << QStringLiteral("folder.vnls") << QByteArray() << false;
    QTest::newRow("below a file") << QStringLiteral("afile/x.vnls") << QByteArray() << false;
    QTest::newRow("empty") << QStringLiteral("empty.vnls") << QByteArray("") << true;
    QTest::newRow("not xml") << QStringLiteral("text.vnls") << QByteArray("hello") << true;
    QTest::newRow("truncated") << QStringLiteral("cut.vnls") << QByteArray("<main><class name='A'>")
                               << true;
    QByteArray deep;
    for (int i = 0; i < 100000; ++i)
        deep += "<a>";
    for (int i = 0; i < 100000; ++i)
        deep += "</a>";
    QTest::newRow("deep nesting") << QStringLiteral("deep.vnls") << deep << true;
    QByteArray laughs = "<!DOCTYPE main [<!ENTITY l0 \"lol\">";
    for (int i = 1; i <= 9; ++i) {
        laughs += "<!ENTITY l" + QByteArray::number(i) + " \"";
        for (int j = 0; j < 10; ++j)
            laughs += "&l" + QByteArray::number(i - 1) + ';';
        laughs += "\">";
    }
    QTest::newRow("billion laughs")
        << QStringLiteral("laughs.vnls") << laughs + "]><main><class name='&l9;'/></main>" << true;
}

void TestDocumentCommands::unreadableFileKeepsTheDiagram()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, content);
    QFETCH(bool, opens);
    QVERIFY(QDir().mkpath(path(QStringLiteral("folder.vnls"))));
    QVERIFY(writeAll(path(QStringLiteral("afile")), "x"));
    if (opens)
        QVERIFY(writeAll(path(name), content));

    loadExample(QStringLiteral("shapes.vnls"));
    setModified(true);
    const QList<ClassItem *> classes = m_window->classItems;
    const QList<Link *> links = m_window->linkItems;
    const QString title = m_window->windowTitle();

    queue({ok});
    QVERIFY(!m_window->load(path(name)));
    QVERIFY(m_answerer->waitUntilAnswered());
    QCOMPARE(m_answerer->seen().size(), 1);
    checkError(0, opens ? parseFailedText : openFailedText + path(name));

    QCOMPARE(m_window->classItems, classes);
    QCOMPARE(m_window->linkItems, links);
    QCOMPARE(m_window->scene.items().size(), 9);
    QCOMPARE(m_window->classItems.first()->getModel()->name(), QStringLiteral("Shape"));
    QCOMPARE(m_window->windowTitle(), title);
    QCOMPARE(m_window->currentFileName(), QStringLiteral("shapes.vnls"));
    QVERIFY(m_window->isModified());
}

void TestDocumentCommands::failedLoadKeepsTheSavePath()
{
    loadExample(QStringLiteral("shapes.vnls"));
    const QString saved = path(QStringLiteral("saved.vnls"));
    QVERIFY(m_window->save(saved));
    const QString broken = path(QStringLiteral("broken.vnls"));
    QVERIFY(writeAll(broken, "<main>"));

    queue({broken, ok});
    trigger("actionLoad");
    QVERIFY(m_answerer->waitUntilAnswered());
    checkError(1, parseFailedText);
    QCOMPARE(m_window->currentFilePath(), saved);

    // A later Save writes where the diagram came from, not over the unreadable file.
    setModified(true);
    queue({yes});
    trigger("actionSave");
    QVERIFY(m_answerer->waitUntilAnswered());
    QCOMPARE(readAll(broken), QByteArray("<main>"));
    QCOMPARE(readAll(saved), readAll(example(QStringLiteral("shapes.vnls"))));
    QVERIFY(!m_window->isModified());
}

void TestDocumentCommands::loadedFileNameUsesTheLastPiece()
{
    const QString nested = path(QStringLiteral("a/b"));
    QVERIFY(QDir().mkpath(nested));
    const QString copy = nested + QStringLiteral("/my diagram.vnls");
    QVERIFY(QFile::copy(example(QStringLiteral("shapes.vnls")), copy));
    QVERIFY(m_window->load(QDir::toNativeSeparators(copy)));
    QCOMPARE(m_window->currentFileName(), QStringLiteral("my diagram.vnls"));
    // Loading does not choose the file that Save writes.
    QCOMPARE(m_window->currentFilePath(), QString());
}

void TestDocumentCommands::loadedDiagramIsInSight_data()
{
    QTest::addColumn<QByteArray>("classes");
    QTest::addColumn<QPointF>("topLeft");
    QTest::newRow("near the origin")
        << QByteArray("<class name='A' posX='40' posY='60'/><class name='B' posX='300' posY='90'/>")
        << QPointF(40, 60);
    QTest::newRow("far corner") << QByteArray("<class name='A' posX='9100' posY='9300'/>")
                                << QPointF(9100, 9300);
    QTest::newRow("middle") << QByteArray("<class name='B' posX='5200' posY='5100'/>"
                                          "<class name='A' posX='4900' posY='5000'/>")
                            << QPointF(4900, 5000);
}

void TestDocumentCommands::loadedDiagramIsInSight()
{
    QFETCH(QByteArray, classes);
    QFETCH(QPointF, topLeft);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    const QString file = path(QStringLiteral("placed.vnls"));
    QVERIFY(writeAll(file, "<main>" + classes + "</main>"));
    QVERIFY(m_window->load(file));

    const QGraphicsView *view =
        m_window->findChild<QGraphicsView *>(QStringLiteral("gra_graphicsView"));
    QVERIFY(view);
    const QRectF visible = view->mapToScene(view->viewport()->rect()).boundingRect();
    QVERIFY2(visible.contains(topLeft), qPrintable(QStringLiteral("%1,%2 %3x%4")
                                                       .arg(visible.x())
                                                       .arg(visible.y())
                                                       .arg(visible.width())
                                                       .arg(visible.height())));
    // The corner of the diagram, not its middle, is at the corner of the view.
    QVERIFY(topLeft.x() - visible.left() < 100);
    QVERIFY(topLeft.y() - visible.top() < 100);
}

void TestDocumentCommands::newWithoutChangesClears()
{
    loadExample(QStringLiteral("library.vnls"));
    setFilePath(path(QStringLiteral("library.vnls")));
    trigger("actionNew");
    QCOMPARE(m_answerer->seen().size(), 0);
    QVERIFY(m_window->classItems.isEmpty());
    QVERIFY(m_window->linkItems.isEmpty());
    QVERIFY(m_window->scene.items().isEmpty());
    QCOMPARE(m_window->currentFileName(), QStringLiteral("Sans nom"));
    QCOMPARE(m_window->windowTitle(), QStringLiteral("Varnel 1.0 - Sans nom"));
    QVERIFY(!m_window->isModified());
    // A later Save offers to overwrite the file last opened.
    QCOMPARE(m_window->currentFilePath(), path(QStringLiteral("library.vnls")));
}

void TestDocumentCommands::newAsksAboutUnsavedChanges_data()
{
    QTest::addColumn<QString>("answer");
    QTest::addColumn<bool>("cleared");
    QTest::newRow("no") << no << true;
    QTest::newRow("yes, then cancel the save") << yes << false;
}

void TestDocumentCommands::newAsksAboutUnsavedChanges()
{
    QFETCH(QString, answer);
    QFETCH(bool, cleared);
    loadExample(QStringLiteral("shapes.vnls"));
    setModified(true);
    queue({answer});
    if (answer == yes)
        queue({cancel}); // no file yet: Save goes to "Enregistrer sous ..."
    trigger("actionNew");
    QVERIFY(m_answerer->waitUntilAnswered());
    checkQuestion(0, QStringLiteral("Nouveau"), newText);
    QCOMPARE(m_window->classItems.isEmpty(), cleared);
    QCOMPARE(m_window->isModified(), !cleared);
    QCOMPARE(m_window->currentFileName(),
             cleared ? QStringLiteral("Sans nom") : QStringLiteral("shapes.vnls"));
}

void TestDocumentCommands::newAnswerYesSavesAndKeepsTheDiagram()
{
    loadExample(QStringLiteral("shapes.vnls"));
    const QString target = path(QStringLiteral("work.vnls"));
    setFilePath(target);
    setModified(true);
    queue({yes, yes});
    trigger("actionNew");
    QVERIFY(m_answerer->waitUntilAnswered());
    QCOMPARE(m_answerer->seen().size(), 2);
    checkQuestion(0, QStringLiteral("Nouveau"), newText);
    checkQuestion(1, QStringLiteral("Enregistrer"), overwriteText);
    QCOMPARE(readAll(target), readAll(example(QStringLiteral("shapes.vnls"))));
    QCOMPARE(m_window->classItems.size(), 5);
    QVERIFY(!m_window->isModified());

    // Nothing is unsaved now: New clears without a question.
    trigger("actionNew");
    QCOMPARE(m_answerer->seen().size(), 2);
    QVERIFY(m_window->classItems.isEmpty());
    QCOMPARE(m_window->currentFilePath(), target);
}

void TestDocumentCommands::closing_data()
{
    QTest::addColumn<bool>("modified");
    QTest::addColumn<bool>("autoSave");
    QTest::addColumn<bool>("askForClose");
    // "saved", "unwritable" or "" (no file yet)
    QTest::addColumn<QString>("file");
    QTest::addColumn<QStringList>("answers");
    QTest::addColumn<QStringList>("titles");
    QTest::addColumn<bool>("closes");
    QTest::addColumn<bool>("written");

    const QString saveAs = saveAsTitle + QLatin1Char('|');
    const QString wantSave = QStringLiteral("Fermeture|") + closeSaveText;
    const QString sure = QStringLiteral("Fermeture|") + closeText;
    const QString overwrite = QStringLiteral("Enregistrer|") + overwriteText;
    const QString failed = QStringLiteral("Erreur|") + writeFailedText;
    const QString saved = QStringLiteral("saved");

    // Nothing to save.
    QTest::newRow("unchanged, no question")
        << false << false << false << saved << QStringList() << QStringList() << true << false;
    QTest::newRow("unchanged, auto save, no question")
        << false << true << false << saved << QStringList() << QStringList() << true << false;
    QTest::newRow("unchanged, sure yes") << false << false << true << saved << QStringList{yes}
                                         << QStringList{sure} << true << false;
    QTest::newRow("unchanged, sure no")
        << false << true << true << saved << QStringList{no} << QStringList{sure} << false << false;

    // Unsaved changes, asked.
    QTest::newRow("changed, not saved") << true << false << false << saved << QStringList{no}
                                        << QStringList{wantSave} << true << false;
    QTest::newRow("changed, not saved, sure yes")
        << true << false << true << saved << QStringList{no, yes} << QStringList{wantSave, sure}
        << true << false;
    QTest::newRow("changed, not saved, sure no")
        << true << false << true << saved << QStringList{no, no} << QStringList{wantSave, sure}
        << false << false;
    QTest::newRow("changed, saved") << true << false << false << saved << QStringList{yes, yes}
                                    << QStringList{wantSave, overwrite} << true << true;
    QTest::newRow("changed, saved, sure no")
        << true << false << true << saved << QStringList{yes, yes, no}
        << QStringList{wantSave, overwrite, sure} << false << true;
    QTest::newRow("changed, overwrite refused")
        << true << false << true << saved << QStringList{yes, no}
        << QStringList{wantSave, overwrite} << false << false;
    QTest::newRow("changed, save as cancelled")
        << true << false << false << QString() << QStringList{yes, cancel}
        << QStringList{wantSave, saveAs} << false << false;
    QTest::newRow("changed, save as")
        << true << false << true << QString() << QStringList{yes, QStringLiteral("new"), yes}
        << QStringList{wantSave, saveAs, sure} << true << true;
    QTest::newRow("changed, write failed")
        << true << false << true << QStringLiteral("unwritable") << QStringList{yes, yes, ok}
        << QStringList{wantSave, overwrite, failed} << false << false;

    // Unsaved changes, saved without asking.
    QTest::newRow("auto save") << true << true << false << saved << QStringList{yes}
                               << QStringList{overwrite} << true << true;
    QTest::newRow("auto save, sure yes") << true << true << true << saved << QStringList{yes, yes}
                                         << QStringList{overwrite, sure} << true << true;
    QTest::newRow("auto save, overwrite refused")
        << true << true << true << saved << QStringList{no} << QStringList{overwrite} << false
        << false;
    QTest::newRow("auto save, save as cancelled")
        << true << true << true << QString() << QStringList{cancel} << QStringList{saveAs} << false
        << false;
    QTest::newRow("auto save, save as")
        << true << true << false << QString() << QStringList{QStringLiteral("new")}
        << QStringList{saveAs} << true << true;
    QTest::newRow("auto save, write failed")
        << true << true << false << QStringLiteral("unwritable") << QStringList{yes, ok}
        << QStringList{overwrite, failed} << false << false;
}

void TestDocumentCommands::closing()
{
    QFETCH(bool, modified);
    QFETCH(bool, autoSave);
    QFETCH(bool, askForClose);
    QFETCH(QString, file);
    QFETCH(QStringList, answers);
    QFETCH(QStringList, titles);
    QFETCH(bool, closes);
    QFETCH(bool, written);

    loadExample(QStringLiteral("shapes.vnls"));
    QVERIFY(writeAll(path(QStringLiteral("afile")), "x"));
    QString target;
    if (file == QLatin1String("saved"))
        target = path(QStringLiteral("saved.vnls"));
    else if (file == QLatin1String("unwritable"))
        target = path(QStringLiteral("afile/x.vnls"));
    else
        target = path(QStringLiteral("new.vnls"));
    if (!file.isEmpty())
        setFilePath(target);
    m_window->settings()->setAutoSave(autoSave);
    m_window->settings()->setAskForClose(askForClose);
    setModified(modified);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));

    queue(answers);
    const bool closed = m_window->close();
    QVERIFY(m_answerer->waitUntilAnswered());
    QCOMPARE(seenTitlesAndTexts(), titles);
    for (int i = 0; i < m_answerer->seen().size(); ++i) {
        const ModalAnswerer::Seen &seen = m_answerer->seen().at(i);
        if (seen.kind == QLatin1String("QMessageBox") && seen.title != QLatin1String("Erreur"))
            checkQuestion(i, seen.title, seen.text);
    }
    QCOMPARE(closed, closes);
    QCOMPARE(m_window->isVisible(), !closes);
    QCOMPARE(QFileInfo::exists(target), written);
    if (written)
        QCOMPARE(readAll(target), readAll(example(QStringLiteral("shapes.vnls"))));
    // A window that stays open keeps its diagram.
    QCOMPARE(m_window->classItems.size(), 5);
}

VARNEL_WINDOW_TEST_MAIN(TestDocumentCommands)
#include "tst_documentcommands.moc"
