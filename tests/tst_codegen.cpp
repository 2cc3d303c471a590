// The generation window, driven through its widgets and its message boxes.
#include "canvas/classitem.h"
#include "canvas/link.h"
#include "codegen/codegen.h"
#include "mainwindowtesting.h"
#include "model/argatt.h"
#include "model/classmodel.h"
#include "model/linkmodel.h"
#include "testsupport/modalanswerer.h"

#include <QCheckBox>
#include <QCommandLinkButton>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QListView>
#include <QStringListModel>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

namespace {

// The main window's lists, as the generation window sees them.
struct Diagram
{
    QList<ClassItem *> classes;
    QList<Link *> links;

    Diagram() = default;
    Diagram(const Diagram &) = delete;
    Diagram &operator=(const Diagram &) = delete;
    ~Diagram()
    {
        qDeleteAll(links);
        qDeleteAll(classes);
    }

    ClassItem *addClass(const QString &name, const QString &attribute = QString())
    {
        auto *item = new ClassItem(nullptr);
        item->getModel()->setName(name);
        if (!attribute.isEmpty())
            item->getModel()->addAttribute(
                new ArgAtt(attribute, QStringLiteral("int"), QString(), ArgAtt::Public));
        classes.append(item);
        return item;
    }
};

QByteArray readAll(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray("<missing>");
    return file.readAll();
}

QStringList filesIn(const QString &path)
{
    return QDir(path).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}

} // namespace

class TestCodeGen : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void form();
    void openingListsTheClasses();
    void openingStartsFresh();
    void generateAllLocksTheList();
    void folderDialog();
    void cancelledFolderDialog();
    void longFolderShowsItsEnd();
    void noDestination();
    void noClassPicked();
    void generateAll();
    void selectionOrder_data();
    void selectionOrder();
    void clickedRows();
    void sameNameBothGenerated();
    void invalidName();
    void unwritableFolder();
    void headerCannotBeCreated();
    void fromTheMainWindow();

private:
    CodeGen *window() const { return m_window; }
    QListView *list() const
    {
        return m_window->findChild<QListView *>(QStringLiteral("lis_classes"));
    }
    QCheckBox *genAll() const
    {
        return m_window->findChild<QCheckBox *>(QStringLiteral("che_genAll"));
    }
    QLabel *dirLabel() const
    {
        return m_window->findChild<QLabel *>(QStringLiteral("lab_dirPath"));
    }
    QToolButton *dirButton() const
    {
        return m_window->findChild<QToolButton *>(QStringLiteral("too_dirPath"));
    }
    QCommandLinkButton *genButton() const
    {
        return m_window->findChild<QCommandLinkButton *>(QStringLiteral("com_gen"));
    }
    // Picks the folder through the dialog, as the user would.
    void chooseFolder(const QString &path);
    // Clicks "Générer le code" and answers the expected boxes with OK.
    QList<ModalAnswerer::Seen> generate(int boxes);
    void selectRow(int row);
    // Clicks the box of "Tout générer" (its middle lies past the text, which ignores clicks).
    void clickGenAll();

    Diagram *m_diagram = nullptr;
    CodeGen *m_window = nullptr;
    QTemporaryDir *m_dir = nullptr;
    QTemporaryDir m_settingsDir;
};

void TestCodeGen::initTestCase()
{
    QVERIFY(m_settingsDir.isValid());
    const QString path = m_settingsDir.filePath(QStringLiteral("cfgs.xml"));
    QVERIFY(MainWindowTesting::writeFile(path, MainWindowTesting::cfgText()));
    Cfg::setPathOverride(path);
}

void TestCodeGen::init()
{
    m_diagram = new Diagram;
    m_window = new CodeGen(&m_diagram->classes, &m_diagram->links);
    m_dir = new QTemporaryDir;
    QVERIFY(m_dir->isValid());
}

void TestCodeGen::cleanup()
{
    delete m_window;
    delete m_diagram;
    delete m_dir;
    m_window = nullptr;
    m_diagram = nullptr;
    m_dir = nullptr;
}

void TestCodeGen::chooseFolder(const QString &path)
{
    ModalAnswerer answerer;
    answerer.answerFileDialog(path);
    dirButton()->click();
    QVERIFY(answerer.waitUntilAnswered());
}

QList<ModalAnswerer::Seen> TestCodeGen::generate(int boxes)
{
    ModalAnswerer answerer;
    for (int i = 0; i < boxes; ++i)
        answerer.answerMessageBox(QMessageBox::Ok);
    genButton()->click();
    if (!answerer.waitUntilAnswered())
        qWarning("a message box was not shown");
    return answerer.seen();
}

void TestCodeGen::selectRow(int row)
{
    list()->selectionModel()->select(list()->model()->index(row, 0), QItemSelectionModel::Select);
}

void TestCodeGen::clickGenAll()
{
    QStyleOptionButton option;
    option.initFrom(genAll());
    const QRect box =
        genAll()->style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, genAll());
    QTest::mouseClick(genAll(), Qt::LeftButton, {}, box.center());
}

void TestCodeGen::form()
{
    QCOMPARE(window()->windowTitle(), QStringLiteral("Fenêtre de génération"));
    QCOMPARE(window()->windowModality(), Qt::ApplicationModal);
    QVERIFY(window()->windowFlags().testFlag(Qt::Tool));
    QCOMPARE(window()->size(), QSize(294, 386));
    QCOMPARE(window()->findChild<QLabel *>(QStringLiteral("label"))->text(),
             QStringLiteral("Sélectionnez la ou les classe(s) à générer :"));
    QCOMPARE(window()->findChild<QLabel *>(QStringLiteral("label_3"))->text(),
             QStringLiteral("Dossier de destination :"));
    QCOMPARE(list()->editTriggers(), QAbstractItemView::NoEditTriggers);
    QCOMPARE(list()->selectionMode(), QAbstractItemView::MultiSelection);
    QCOMPARE(genAll()->text(), QStringLiteral("Tout générer"));
    QCOMPARE(dirLabel()->text(), QStringLiteral("-"));
    QCOMPARE(dirButton()->text(), QStringLiteral("..."));
    QCOMPARE(genButton()->text(), QStringLiteral("Générer le code"));
    QCOMPARE(genButton()->description(),
             QStringLiteral("Genère le code source de base pour les classes sélectionnées avec "
                            "les options définies."));
    QCOMPARE(genButton()->iconSize(), QSize(64, 64));
    QVERIFY(!genButton()->icon().isNull());
}

void TestCodeGen::openingListsTheClasses()
{
    m_diagram->addClass(QStringLiteral("Zeta"));
    m_diagram->addClass(QStringLiteral("Alpha"));
    m_diagram->addClass(QStringLiteral("Alpha"));
    window()->openGenerator();
    QVERIFY(window()->isVisible());
    auto *model = qobject_cast<QStringListModel *>(list()->model());
    QVERIFY(model);
    QCOMPARE(model->stringList(), QStringList({QStringLiteral("Zeta"), QStringLiteral("Alpha"),
                                               QStringLiteral("Alpha")}));

    // A class added while the window was closed shows at the next opening.
    window()->hide();
    m_diagram->addClass(QStringLiteral("Late"));
    window()->openGenerator();
    QCOMPARE(model->rowCount(), 4);
}

void TestCodeGen::openingStartsFresh()
{
    m_diagram->addClass(QStringLiteral("A"));
    m_diagram->addClass(QStringLiteral("B"));
    window()->openGenerator();
    chooseFolder(m_dir->path());
    clickGenAll();
    window()->hide();
    window()->openGenerator();
    selectRow(1);
    window()->hide();

    window()->openGenerator();
    QCOMPARE(dirLabel()->text(), QStringLiteral("-"));
    QVERIFY(!genAll()->isChecked());
    QVERIFY(list()->isEnabled());
    QVERIFY(!list()->selectionModel()->hasSelection());
    // Without a folder, the generation refuses to start.
    const QList<ModalAnswerer::Seen> seen = generate(1);
    QCOMPARE(seen.size(), 1);
    QCOMPARE(seen.first().text,
             QStringLiteral("Vous n'avez pas spécifié le dossier de destination"));
}

void TestCodeGen::generateAllLocksTheList()
{
    window()->openGenerator();
    clickGenAll();
    QVERIFY(genAll()->isChecked());
    QVERIFY(!list()->isEnabled());
    clickGenAll();
    QVERIFY(list()->isEnabled());
}

void TestCodeGen::folderDialog()
{
    window()->openGenerator();
    ModalAnswerer answerer;
    answerer.answerFileDialog(m_dir->path());
    dirButton()->click();
    QVERIFY(answerer.waitUntilAnswered());
    QCOMPARE(answerer.seen().size(), 1);
    const ModalAnswerer::Seen &dialog = answerer.seen().first();
    QCOMPARE(dialog.title, QStringLiteral("Dossier de destination"));
    QCOMPARE(dialog.directory, QDir(QDir::homePath()).absolutePath());
    QCOMPARE(dialog.fileMode, int(QFileDialog::Directory));
    // The full folder is always at hand, even when the label must shorten it.
    QCOMPARE(dirLabel()->toolTip(), QDir::toNativeSeparators(m_dir->path()));
    QVERIFY(dirLabel()->text() != QStringLiteral("-"));
}

void TestCodeGen::cancelledFolderDialog()
{
    window()->openGenerator();
    chooseFolder(QString());
    QCOMPARE(dirLabel()->text(), QStringLiteral("-"));

    // A cancelled second choice keeps the first, and generation still goes there.
    m_diagram->addClass(QStringLiteral("Kept"));
    window()->openGenerator();
    chooseFolder(m_dir->path());
    const QString shown = dirLabel()->text();
    chooseFolder(QString());
    QCOMPARE(dirLabel()->text(), shown);
    QCOMPARE(dirLabel()->toolTip(), QDir::toNativeSeparators(m_dir->path()));
    selectRow(0);
    generate(1);
    QCOMPARE(filesIn(m_dir->path()),
             QStringList({QStringLiteral("kept.cpp"), QStringLiteral("kept.h")}));
}

void TestCodeGen::longFolderShowsItsEnd()
{
    const QString folder =
        m_dir->filePath(QStringLiteral("a-folder-name-far-too-long-for-so-small-a-window/gen"));
    QVERIFY(QDir().mkpath(folder));
    window()->openGenerator();
    QVERIFY(QTest::qWaitForWindowExposed(window()));
    chooseFolder(folder);
    // Cut from the front, with the last folder kept whole, and within the label.
    const QString shown = dirLabel()->text();
    QVERIFY2(shown.startsWith(QStringLiteral("…")), qPrintable(shown));
    QVERIFY2(shown.endsWith(QDir::separator() + QStringLiteral("gen")), qPrintable(shown));
    QVERIFY(dirLabel()->fontMetrics().horizontalAdvance(shown) <= dirLabel()->width());
    // The label has the row to itself, up to the button.
    const int gap = dirButton()->x() - (dirLabel()->x() + dirLabel()->width());
    QVERIFY2(gap <= window()->style()->pixelMetric(QStyle::PM_LayoutHorizontalSpacing) + 1,
             qPrintable(QString::number(gap)));

    // Given the room, the whole folder shows.
    window()->resize(window()->width() + window()->fontMetrics().horizontalAdvance(folder),
                     window()->height());
    QTRY_COMPARE(dirLabel()->text(), QDir::toNativeSeparators(folder));
}

void TestCodeGen::noDestination()
{
    m_diagram->addClass(QStringLiteral("A"));
    window()->openGenerator();
    clickGenAll();
    const QList<ModalAnswerer::Seen> seen = generate(1);
    QCOMPARE(seen.size(), 1);
    QCOMPARE(seen.first().kind, QStringLiteral("QMessageBox"));
    QCOMPARE(seen.first().title, QStringLiteral("Erreur"));
    QCOMPARE(seen.first().text,
             QStringLiteral("Vous n'avez pas spécifié le dossier de destination"));
    QCOMPARE(seen.first().icon, QMessageBox::Critical);
    QCOMPARE(seen.first().buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    // The window stays open with its choices.
    QVERIFY(window()->isVisible());
    QVERIFY(genAll()->isChecked());
}

void TestCodeGen::noClassPicked()
{
    m_diagram->addClass(QStringLiteral("A"));
    window()->openGenerator();
    chooseFolder(m_dir->path());
    const QList<ModalAnswerer::Seen> seen = generate(1);
    QCOMPARE(seen.size(), 1);
    QCOMPARE(seen.first().title, QStringLiteral("Génération"));
    QCOMPARE(seen.first().text, QStringLiteral("Aucune classe sélectionnée."));
    QCOMPARE(seen.first().icon, QMessageBox::Information);
    QCOMPARE(seen.first().buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    QVERIFY(window()->isVisible());
    QVERIFY(filesIn(m_dir->path()).isEmpty());
}

void TestCodeGen::generateAll()
{
    ClassItem *shape = m_diagram->addClass(QStringLiteral("Shape"));
    shape->getModel()->addAttribute(
        new ArgAtt(QStringLiteral("m_name"), QStringLiteral("QString"), QString(), ArgAtt::Public));
    ClassItem *circle = m_diagram->addClass(QStringLiteral("Circle"));
    circle->getModel()->addAttribute(new ArgAtt(
        QStringLiteral("m_label"), QStringLiteral("QString"), QString(), ArgAtt::Public));
    auto *link = new Link;
    link->getModel()->setType(LinkModel::Inheritance);
    link->getModel()->setMaster(shape);
    link->getModel()->setSlave(circle);
    m_diagram->links.append(link);

    window()->openGenerator();
    chooseFolder(m_dir->path());
    clickGenAll();
    const QList<ModalAnswerer::Seen> seen = generate(1);
    QCOMPARE(seen.size(), 1);
    QCOMPARE(seen.first().title, QStringLiteral("Génération"));
    QCOMPARE(seen.first().text, QStringLiteral("La générération s'est correctement éffectuée."));
    QCOMPARE(seen.first().icon, QMessageBox::Information);
    QCOMPARE(seen.first().buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    QVERIFY(!window()->isVisible());

    QCOMPARE(filesIn(m_dir->path()),
             QStringList({QStringLiteral("circle.cpp"), QStringLiteral("circle.h"),
                          QStringLiteral("shape.cpp"), QStringLiteral("shape.h")}));
    QVERIFY(
        readAll(m_dir->filePath(QStringLiteral("circle.h")))
            .contains("#define CIRCLE_H\n\n#include <shape.h>\n\nclass Circle : public Shape\n"));
}

void TestCodeGen::selectionOrder_data()
{
    QTest::addColumn<QList<int>>("rows");
    QTest::addColumn<QByteArray>("winner");
    // Foo and FOO both write foo.h: the class generated last is the one left.
    QTest::newRow("first row last") << QList<int>{1, 0} << QByteArray("class Foo\n");
    QTest::newRow("second row last") << QList<int>{0, 1} << QByteArray("class FOO\n");
}

void TestCodeGen::selectionOrder()
{
    QFETCH(QList<int>, rows);
    QFETCH(QByteArray, winner);
    m_diagram->addClass(QStringLiteral("Foo"));
    m_diagram->addClass(QStringLiteral("FOO"));
    window()->openGenerator();
    chooseFolder(m_dir->path());
    for (int row : rows)
        selectRow(row);
    generate(1);
    QVERIFY(readAll(m_dir->filePath(QStringLiteral("foo.h"))).contains(winner));
}

void TestCodeGen::clickedRows()
{
    m_diagram->addClass(QStringLiteral("One"));
    m_diagram->addClass(QStringLiteral("Two"));
    m_diagram->addClass(QStringLiteral("Three"));
    window()->openGenerator();
    QVERIFY(QTest::qWaitForWindowExposed(window()));
    chooseFolder(m_dir->path());
    // A click toggles a row: Two is picked then dropped again.
    for (int row : {2, 1, 0, 1}) {
        const QRect rect = list()->visualRect(list()->model()->index(row, 0));
        QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, rect.center());
    }
    generate(1);
    QCOMPARE(filesIn(m_dir->path()),
             QStringList({QStringLiteral("one.cpp"), QStringLiteral("one.h"),
                          QStringLiteral("three.cpp"), QStringLiteral("three.h")}));
}

void TestCodeGen::sameNameBothGenerated()
{
    m_diagram->addClass(QStringLiteral("Twin"), QStringLiteral("first"));
    m_diagram->addClass(QStringLiteral("Other"));
    m_diagram->addClass(QStringLiteral("Twin"), QStringLiteral("second"));
    window()->openGenerator();
    chooseFolder(m_dir->path());
    selectRow(0);
    const QList<ModalAnswerer::Seen> seen = generate(1);
    QCOMPARE(seen.size(), 1);
    QCOMPARE(seen.first().icon, QMessageBox::Information);
    // The second Twin was written after the first.
    const QByteArray header = readAll(m_dir->filePath(QStringLiteral("twin.h")));
    QVERIFY(header.contains("    int second;\n"));
    QVERIFY(!header.contains("first"));
    QCOMPARE(filesIn(m_dir->path()),
             QStringList({QStringLiteral("twin.cpp"), QStringLiteral("twin.h")}));
}

void TestCodeGen::invalidName()
{
    m_diagram->addClass(QStringLiteral("../Escape"));
    m_diagram->addClass(QStringLiteral("Fine"));
    const QString folder = m_dir->filePath(QStringLiteral("out"));
    QVERIFY(QDir().mkpath(folder));
    window()->openGenerator();
    chooseFolder(folder);
    clickGenAll();
    const QList<ModalAnswerer::Seen> seen = generate(2);
    QCOMPARE(seen.size(), 2);
    QCOMPARE(seen.at(0).title, QStringLiteral("Erreur"));
    QCOMPARE(seen.at(0).text, QStringLiteral("Nom de classe invalide pour un fichier : ../Escape"));
    QCOMPARE(seen.at(0).icon, QMessageBox::Critical);
    QCOMPARE(seen.at(0).buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    QCOMPARE(seen.at(1).title, QStringLiteral("Génération"));
    QCOMPARE(seen.at(1).text, QStringLiteral("La génération est terminée avec des erreurs."));
    QCOMPARE(seen.at(1).icon, QMessageBox::Warning);
    QCOMPARE(seen.at(1).buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    QVERIFY(!window()->isVisible());
    QCOMPARE(filesIn(folder), QStringList({QStringLiteral("fine.cpp"), QStringLiteral("fine.h")}));
    QCOMPARE(filesIn(m_dir->path()), QStringList{QStringLiteral("out")});
}

void TestCodeGen::unwritableFolder()
{
    m_diagram->addClass(QStringLiteral("First"));
    m_diagram->addClass(QStringLiteral("Second"));
    const QString folder = m_dir->filePath(QStringLiteral("gone"));
    QVERIFY(QDir().mkpath(folder));
    window()->openGenerator();
    chooseFolder(folder);
    // The folder chosen was replaced by a plain file before the generation.
    QVERIFY(QDir().rmdir(folder));
    QFile file(folder);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();

    clickGenAll();
    const QList<ModalAnswerer::Seen> seen = generate(3);
    QCOMPARE(seen.size(), 3);
    QCOMPARE(seen.at(0).title, QStringLiteral("Erreur"));
    QCOMPARE(seen.at(0).text, QStringLiteral("Impossible de créer le fichier First.cpp"));
    QCOMPARE(seen.at(0).icon, QMessageBox::Critical);
    QCOMPARE(seen.at(1).text, QStringLiteral("Impossible de créer le fichier Second.cpp"));
    QCOMPARE(seen.at(2).text, QStringLiteral("La génération est terminée avec des erreurs."));
    QCOMPARE(seen.at(2).icon, QMessageBox::Warning);
    QVERIFY(!window()->isVisible());
}

void TestCodeGen::headerCannotBeCreated()
{
    m_diagram->addClass(QStringLiteral("Boxed"));
    QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("boxed.h")));
    window()->openGenerator();
    chooseFolder(m_dir->path());
    selectRow(0);
    const QList<ModalAnswerer::Seen> seen = generate(2);
    QCOMPARE(seen.size(), 2);
    QCOMPARE(seen.at(0).title, QStringLiteral("Erreur"));
    QCOMPARE(seen.at(0).text, QStringLiteral("Impossible de créer le fichier Boxed.h"));
    QCOMPARE(seen.at(0).icon, QMessageBox::Critical);
    QCOMPARE(seen.at(1).text, QStringLiteral("La génération est terminée avec des erreurs."));
    QCOMPARE(filesIn(m_dir->path()), QStringList{QStringLiteral("boxed.h")});
}

void TestCodeGen::fromTheMainWindow()
{
    using namespace MainWindowTesting;
    MainWindow mainWindow;
    ClassItem *shape = addClass(&mainWindow, QStringLiteral("Shape"));
    ClassItem *circle = addClass(&mainWindow, QStringLiteral("Circle"));
    QVERIFY(shape && circle);
    QVERIFY(addLink(&mainWindow, "actionAddInheritanceLink", shape, circle));

    // The window the main window opens works on the diagram as it stands.
    action(&mainWindow, "actionGenerate")->trigger();
    CodeGen *generator = nullptr;
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (auto *found = qobject_cast<CodeGen *>(widget); found && found != m_window)
            generator = found;
    }
    QVERIFY(generator);
    QTRY_VERIFY(generator->isVisible());
    auto *classList = generator->findChild<QListView *>(QStringLiteral("lis_classes"));
    QCOMPARE(qobject_cast<QStringListModel *>(classList->model())->stringList(),
             QStringList({QStringLiteral("Shape"), QStringLiteral("Circle")}));

    ModalAnswerer answerer;
    answerer.answerFileDialog(m_dir->path());
    answerer.answerMessageBox(QMessageBox::Ok);
    generator->findChild<QToolButton *>(QStringLiteral("too_dirPath"))->click();
    classList->selectionModel()->select(classList->model()->index(1, 0),
                                        QItemSelectionModel::Select);
    generator->findChild<QCommandLinkButton *>(QStringLiteral("com_gen"))->click();
    QVERIFY(answerer.waitUntilAnswered());
    QCOMPARE(answerer.seen().last().text,
             QStringLiteral("La générération s'est correctement éffectuée."));
    QVERIFY(!generator->isVisible());
    QCOMPARE(filesIn(m_dir->path()),
             QStringList({QStringLiteral("circle.cpp"), QStringLiteral("circle.h")}));
    QVERIFY(
        readAll(m_dir->filePath(QStringLiteral("circle.h")))
            .contains("#define CIRCLE_H\n\n#include <shape.h>\n\nclass Circle : public Shape\n"));
}

VARNEL_WINDOW_TEST_MAIN(TestCodeGen)
#include "tst_codegen.moc"
