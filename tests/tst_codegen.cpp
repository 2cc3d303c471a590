// Code generation: the texts written for a class, the generation window driven through
// its widgets and boxes, and the real varnel program run with --generate as a build
// script would.
#include "codegen/codegen.h"
#include "codegen/codegenerator.h"
#include "codegen/commandline.h"
#include "mainwindowtesting.h"
#include "model/argatt.h"
#include "model/function.h"
#include "persistence/diagramreader.h"
#include "testsupport/modalanswerer.h"

#include <QCheckBox>
#include <QCommandLinkButton>
#include <QDir>
#include <QFileInfo>
#include <QListView>
#include <QProcess>
#include <QStringListModel>
#include <QTemporaryDir>
#include <QToolButton>

#include <vector>

#include <unistd.h>

namespace {

#define BANNER                                                                                     \
    "/*\n*************************************************\n"                                      \
    "********************! WARNING !********************\n"                                        \
    "This file contain source code automatically generate by\nVarnel. Errors are possibles.\n"     \
    "*************************************************\n*/\n\n"

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

// The worked example, from tests/data/codegen: circle.h and circle.cpp as written for
// Circle, which derives from Shape through a link and from QObject by its typed parent,
// and the diagram as a .vnls file.
QByteArray example(const char *name)
{
    return readAll(QStringLiteral(VARNEL_TEST_DATA "/codegen/") + QLatin1String(name));
}

// The main window's lists of boxes and links; deletes them, links first.
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

    ClassItem *add(const QString &name, const QString &attributeType = QString())
    {
        classes.append(new ClassItem(nullptr));
        classes.last()->getModel()->setName(name);
        if (!attributeType.isEmpty())
            attribute(classes.last(), attributeType);
        return classes.last();
    }

    static void attribute(ClassItem *item, const QString &type, int range = ArgAtt::Public)
    {
        const QString name = QStringLiteral("m_%1").arg(item->getModel()->attributes().size());
        item->getModel()->addAttribute(new ArgAtt(name, type, QString(), range));
    }

    void link(ClassItem *master, ClassItem *slave, int type = LinkModel::Inheritance)
    {
        links.append(new Link);
        links.last()->getModel()->setType(type);
        links.last()->getModel()->setMaster(master);
        links.last()->getModel()->setSlave(slave);
    }

    // The Shape and Circle diagram of the worked example.
    void addShapes()
    {
        ClassItem *shape = add(QStringLiteral("Shape"), QStringLiteral("QString"));
        ClassModel *c = add(QStringLiteral("Circle"))->getModel();
        c->setComment(QStringLiteral("Geometric circle"));
        c->setParentName(QStringLiteral("QObject"));
        c->setIncludes({QStringLiteral("QList"), QStringLiteral("Canvas")});
        auto *radius = new ArgAtt(QStringLiteral("m_radius"), QStringLiteral("double"),
                                  QStringLiteral("1.0"), ArgAtt::Private);
        c->addAttribute(radius);
        c->addAttribute(new ArgAtt(QStringLiteral("m_label"), QStringLiteral("QString"), QString(),
                                   ArgAtt::Public));
        c->addAttribute(new ArgAtt(QStringLiteral("m_center"), QStringLiteral("Point*"), QString(),
                                   ArgAtt::Private));
        const auto argument = [](const char *name, const char *type) {
            return new ArgAtt(QLatin1String(name), QLatin1String(type), QString(), 2);
        };
        c->addMethod(new Function(QStringLiteral("scale"), QStringLiteral("void"), ArgAtt::Public,
                                  {argument("factor", "double"), argument("origin", "Point")}));
        auto *setter = new Function(QStringLiteral("setRadius"), QStringLiteral("void"),
                                    ArgAtt::Setter, {argument("radius", "double")});
        setter->setLinkedAtt(radius);
        c->addMethod(setter);
        auto *getter =
            new Function(QStringLiteral("getRadius"), QStringLiteral("double"), ArgAtt::Getter, {});
        getter->setLinkedAtt(radius);
        c->addMethod(getter);
        c->addMethod(
            new Function(QStringLiteral("redraw"), QStringLiteral("bool"), ArgAtt::Protected, {}));
        link(shape, classes.last());
    }
};

QStringList filesIn(const QString &path)
{
    return QDir(path).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}

QStringList list(std::initializer_list<const char *> texts)
{
    QStringList strings;
    for (const char *text : texts)
        strings.append(QString::fromUtf8(text));
    return strings;
}

// A generator that records what it reports.
struct Recorder
{
    QStringList written;
    QList<QPair<CodeGenerator::Problem, QString>> problems;

    bool generate(const Diagram &diagram, const QList<ClassItem *> &items, const QString &folder)
    {
        CodeGenerator generator(diagram.links);
        generator.setWrittenHandler([this](const QString &path) { written.append(path); });
        generator.setProblemHandler([this](CodeGenerator::Problem problem, const QString &name) {
            problems.append({problem, name});
        });
        return generator.generate(items, folder);
    }
};

// The generation window on a diagram of its own, driven as a user would.
struct Window
{
    Diagram diagram;
    CodeGen window{&diagram.classes, &diagram.links};
    QTemporaryDir dir;

    template<class T>
    T *child(const char *name)
    {
        return window.findChild<T *>(QLatin1String(name));
    }
    bool chooseFolder(const QString &path)
    {
        ModalAnswerer answerer;
        answerer.answerFileDialog(path);
        child<QToolButton>("too_dirPath")->click();
        return answerer.waitUntilAnswered();
    }
    void select(int row)
    {
        QListView *view = child<QListView>("lis_classes");
        view->selectionModel()->select(view->model()->index(row, 0), QItemSelectionModel::Select);
    }
    // Clicks "Générer le code", answering the expected boxes with OK; what they said.
    QStringList generate(int boxes)
    {
        ModalAnswerer answerer;
        for (int i = 0; i < boxes; ++i)
            answerer.answerMessageBox(QMessageBox::Ok);
        child<QCommandLinkButton>("com_gen")->click();
        answerer.waitUntilAnswered();
        QStringList said;
        for (const ModalAnswerer::Seen &box : answerer.seen()) {
            said << QStringLiteral("%1 %2: %3").arg(box.icon).arg(box.title, box.text);
        }
        return said;
    }
};

QString box(QMessageBox::Icon icon, const char *title, const QString &text)
{
    return QStringLiteral("%1 %2: %3").arg(icon).arg(QString::fromUtf8(title), text);
}

const QString success = box(QMessageBox::Information, "Génération",
                            QStringLiteral("La générération s'est correctement éffectuée."));
const QString withErrors = box(QMessageBox::Warning, "Génération",
                               QStringLiteral("La génération est terminée avec des erreurs."));

struct Run
{
    int exitCode = -1;
    QString out;
    QString err;
};

// A copy of the real program beside the suite's own settings, so that what it prints
// does not depend on the settings of the build folder.
QString &testProgram()
{
    static QString path;
    return path;
}

// Runs the real program without a display: anything that needed one would fail here.
// With a configuration folder it runs as a user who cannot write beside the program.
Run runVarnel(QStringList arguments, const QString &program = testProgram(),
              const QString &configHome = QString())
{
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("DISPLAY"));
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    QString command = program;
    if (!configHome.isEmpty()) {
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), configHome);
        // Root may write anywhere: run as nobody instead.
        if (geteuid() == 0) {
            arguments = list({"--reuid=65534", "--regid=65534", "--clear-groups"})
                        + QStringList(program) + arguments;
            command = QStringLiteral("setpriv");
        }
    }
    process.setProcessEnvironment(env);
    process.start(command, arguments);
    Run run;
    if (process.waitForFinished(60000) && process.exitStatus() == QProcess::NormalExit) {
        run = {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
               QString::fromUtf8(process.readAllStandardError())};
    }
    return run;
}

// A diagram of classes with no members, named as given.
QByteArray diagramOf(const QStringList &names)
{
    QByteArray xml = "<?xml version='1.0' encoding='ISO-8859-1'?>\n<main version=\"1\" "
                     "name=\"DEFAULT\">\n";
    for (const QString &name : names) {
        xml += " <class name=\"" + name.toHtmlEscaped().toLatin1()
               + "\" comment=\"\" parentName=\"\" includes=\"\" posX=\"0\" posY=\"0\"/>\n";
    }
    return xml + "</main>\n";
}

// Whether this build's diagram reader builds the example diagram. Until it does, only
// the argument handling and a missing file can be checked on the command line.
bool readerReads()
{
    DiagramReader reader(nullptr);
    const bool read = reader.readData(example("shapes.vnls")) == DiagramReader::ReadOk;
    const QList<ClassItem *> classes = reader.takeClasses();
    qDeleteAll(reader.takeLinks());
    qDeleteAll(classes);
    return read && classes.size() == 2;
}

} // namespace

class TestCodeGen : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void workedExample();
    void emptyClassAndSections();
    void header_data();
    void header();
    void includesFollowTheModel();
    void otherLinksPruneNothing_data();
    void otherLinksPruneNothing();
    void fileNamesAndEncoding();
    void invalidNames_data();
    void invalidNames();
    void noPartialFiles();
    void windowRefusals();
    void windowGeneratesTheSelection_data();
    void windowGeneratesTheSelection();
    void windowReportsEveryProblem();
    void commandLineIsHeadless_data();
    void commandLineIsHeadless();
    void commandLineUsage_data();
    void commandLineUsage();
    void commandLineGeneration_data();
    void commandLineGeneration();
    void commandLineSpeaksTheLanguage();

private:
    QTemporaryDir m_settings;
};

void TestCodeGen::initTestCase()
{
    const QString path = m_settings.filePath(QStringLiteral("cfgs.xml"));
    QVERIFY(MainWindowTesting::writeFile(path, MainWindowTesting::cfgText()));
    Cfg::setPathOverride(path);
    testProgram() = m_settings.filePath(QStringLiteral("varnel"));
    QVERIFY(QFile::copy(QStringLiteral(VARNEL_BINARY), testProgram()));
}

void TestCodeGen::workedExample()
{
    Diagram diagram;
    diagram.addShapes();
    ClassItem *shape = diagram.classes.at(0);
    ClassItem *circle = diagram.classes.at(1);
    QTemporaryDir dir;
    Recorder recorder;
    QVERIFY(recorder.generate(diagram, diagram.classes, dir.path()));
    QVERIFY(recorder.problems.isEmpty());
    const QString base = dir.path() + QDir::separator();
    QCOMPARE(recorder.written,
             QStringList({base + QStringLiteral("shape.cpp"), base + QStringLiteral("shape.h"),
                          base + QStringLiteral("circle.cpp"), base + QStringLiteral("circle.h")}));
    QCOMPARE(readAll(base + QStringLiteral("circle.h")), example("circle.h"));
    QCOMPARE(readAll(base + QStringLiteral("circle.cpp")), example("circle.cpp"));
    QCOMPARE(filesIn(dir.path()), list({"circle.cpp", "circle.h", "shape.cpp", "shape.h"}));

    // Circle alone, after a scan of Shape when it still held a Point: Shape is scanned
    // afresh, so Circle keeps its Point and still leaves out Shape's QString.
    Diagram::attribute(shape, QStringLiteral("Point"));
    shape->getModel()->gatherIncludeTypes();
    shape->getModel()->removeAttribute(QStringLiteral("m_1"));
    QTemporaryDir alone;
    QVERIFY(Recorder().generate(diagram, {circle}, alone.path()));
    QCOMPARE(readAll(alone.filePath(QStringLiteral("circle.h"))), example("circle.h"));
}

void TestCodeGen::emptyClassAndSections()
{
    Diagram diagram;
    ClassItem *empty = diagram.add(QStringLiteral("Empty"));
    const CodeGenerator generator(diagram.links);
    // The comment block stays, and two empty lines stand for the missing includes.
    QCOMPARE(generator.headerText(empty),
             QStringLiteral(BANNER "/*\n\n*/\n\n#ifndef EMPTY_H\n#define EMPTY_H\n\n\n"
                                   "class Empty\n{\n\npublic:\n\n};\n\n#endif // EMPTY_H"));
    QCOMPARE(generator.sourceText(empty),
             QStringLiteral(BANNER "/*\n\n*/\n\n#include <empty.h>\n\n"));

    // "public:" always, the others when needed; methods before attributes; a method that
    // returns a value still gets an empty body.
    ClassItem *plain = diagram.add(QStringLiteral("Plain"));
    Diagram::attribute(plain, QStringLiteral("int"), ArgAtt::Private);
    plain->getModel()->addMethod(
        new Function(QStringLiteral("size"), QStringLiteral("int"), ArgAtt::Private, {}));
    QVERIFY(generator.headerText(plain).endsWith(
        QStringLiteral("class Plain\n{\n\npublic:\n\nprivate:\n    int size();\n    int m_0;\n\n"
                       "};\n\n#endif // PLAIN_H")));
    QVERIFY(generator.sourceText(plain).endsWith(
        QStringLiteral("#include <plain.h>\n\nint Plain::size()\n{\n\n}\n\n")));
}

void TestCodeGen::header_data()
{
    QTest::addColumn<QString>("parentName");
    QTest::addColumn<QStringList>("includes");
    QTest::addColumn<QStringList>("attributeTypes");
    QTest::addColumn<QStringList>("linkParents");
    QTest::addColumn<QString>("expected"); // from the guard to the class line
    const QStringList none;
    QTest::newRow("typed parent keeps its case, other names are lower-cased")
        << "Animal" << list({"MyCanvas"}) << list({"GeoPoint"}) << none
        << "\n#include <geopoint.h>\n#include <Animal.h>\n#include <mycanvas.h>\n\n"
           "class C : public Animal\n";
    QTest::newRow("Q rule on every kind of name")
        << "QWidget" << list({"QList", "qlist"}) << list({"QMap<Quux, Zed*>"}) << list({"Qt3D"})
        << "\n#include <QMap>\n#include <Quux>\n#include <zed.h>\n#include <QWidget>\n"
           "#include <QList>\n#include <qlist.h>\n#include <Qt3D>\n\n"
           "class C : public Qt3D, public QWidget\n";
    QTest::newRow("link parents in link order")
        << "" << none << none << list({"Base", "Mixin"})
        << "\n#include <base.h>\n#include <mixin.h>\n\nclass C : public Base, public Mixin\n";
}

void TestCodeGen::header()
{
    QFETCH(QString, parentName);
    QFETCH(QStringList, includes);
    QFETCH(QStringList, attributeTypes);
    QFETCH(QStringList, linkParents);
    QFETCH(QString, expected);
    Diagram diagram;
    ClassItem *item = diagram.add(QStringLiteral("C"));
    item->getModel()->setParentName(parentName);
    item->getModel()->setIncludes(includes);
    for (const QString &type : std::as_const(attributeTypes))
        Diagram::attribute(item, type);
    for (const QString &parent : std::as_const(linkParents))
        diagram.link(diagram.add(parent), item);
    const QString header = CodeGenerator(diagram.links).headerText(item);
    const QString from = QStringLiteral("#define C_H\n");
    const int start = int(header.indexOf(from) + from.size());
    QCOMPARE(header.mid(start, header.indexOf(QLatin1String("{\n")) - start), expected);
}

void TestCodeGen::includesFollowTheModel()
{
    Diagram diagram;
    ClassItem *item = diagram.add(QStringLiteral("Holder"), QStringLiteral("Point"));
    const CodeGenerator generator(diagram.links);
    QVERIFY(generator.headerText(item).contains(QLatin1String("\n#include <point.h>\n")));
    // Retyped since the last generation: the old type is no longer included.
    item->getModel()->attributes().first()->setType(QStringLiteral("Line"));
    QVERIFY(generator.headerText(item).contains(
        QLatin1String("#define HOLDER_H\n\n#include <line.h>\n\nclass Holder\n")));
}

void TestCodeGen::otherLinksPruneNothing_data()
{
    QTest::addColumn<int>("type");
    QTest::newRow("aggregation") << int(LinkModel::Aggregation);
    QTest::newRow("association") << int(LinkModel::Association);
}

void TestCodeGen::otherLinksPruneNothing()
{
    QFETCH(int, type);
    Diagram diagram;
    ClassItem *owner = diagram.add(QStringLiteral("Owner"), QStringLiteral("QString"));
    ClassItem *part = diagram.add(QStringLiteral("Part"), QStringLiteral("QString"));
    // Both directions, and links with a missing end or one class at both ends.
    diagram.link(owner, part, type);
    diagram.link(part, owner, type);
    diagram.link(nullptr, owner);
    diagram.link(owner, nullptr);
    diagram.link(owner, owner);
    const CodeGenerator generator(diagram.links);
    for (const char *name : {"Owner", "Part"}) {
        const QString text = generator.headerText(name[0] == 'O' ? owner : part);
        QVERIFY2(
            text.contains(
                QStringLiteral("\n#include <QString>\n\nclass %1\n{").arg(QLatin1String(name))),
            qPrintable(text));
    }
}

void TestCodeGen::fileNamesAndEncoding()
{
    Diagram diagram;
    ClassItem *item = diagram.add(QStringLiteral("MyWidget_2"));
    item->getModel()->setComment(QStringLiteral("Cercle \u00e9largi\nsur deux lignes"));
    QTemporaryDir dir;
    Recorder recorder;
    // A trailing separator must not double up in the written paths.
    QVERIFY(recorder.generate(diagram, diagram.classes, dir.path() + QLatin1Char('/')));
    QCOMPARE(recorder.written.last(), dir.path() + QStringLiteral("/mywidget_2.h"));
    const QByteArray header = readAll(recorder.written.last());
    QVERIFY(header.contains("\n#ifndef MYWIDGET_2_H\n#define MYWIDGET_2_H\n"));
    // UTF-8 without a byte order mark, with line feeds only.
    QVERIFY(header.startsWith("/*\n"));
    QVERIFY(header.contains("\n/*\nCercle \xc3\xa9largi\nsur deux lignes\n*/\n"));
    QVERIFY(!header.contains('\r'));
}

void TestCodeGen::invalidNames_data()
{
    QTest::addColumn<QString>("name");
    for (const char *name : {"", "../Evil", "sub/Evil", "sub\\Evil", "/tmp/Evil", "Evil.h",
                             "My Class", "Cercl\u00e9", "List<int>"})
        QTest::newRow(name) << QString::fromUtf8(name);
}

void TestCodeGen::invalidNames()
{
    QFETCH(QString, name);
    Diagram diagram;
    diagram.add(QStringLiteral("Before"));
    diagram.add(name);
    diagram.add(QStringLiteral("~After_1"));
    QTemporaryDir top;
    const QString folder = top.filePath(QStringLiteral("out"));
    QVERIFY(QDir().mkpath(folder + QStringLiteral("/sub")));
    Recorder recorder;
    QVERIFY(!recorder.generate(diagram, diagram.classes, folder));
    QCOMPARE(recorder.problems.size(), 1);
    QCOMPARE(recorder.problems.first(), qMakePair(CodeGenerator::Problem::InvalidName, name));
    // The classes around it are written, and nothing else anywhere.
    QCOMPARE(filesIn(folder),
             list({"before.cpp", "before.h", "sub", "~after_1.cpp", "~after_1.h"}));
    QVERIFY(filesIn(folder + QStringLiteral("/sub")).isEmpty());
    QCOMPARE(filesIn(top.path()), list({"out"}));
    QVERIFY(!QFile::exists(QStringLiteral("/tmp/Evil.cpp")));
}

void TestCodeGen::noPartialFiles()
{
    Diagram diagram;
    diagram.add(QStringLiteral("Blocked"));
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("blocked.h")));
    // A source file of an earlier generation is left as it was, not emptied, and no
    // temporary file is left behind.
    QVERIFY(MainWindowTesting::writeFile(dir.filePath(QStringLiteral("blocked.cpp")), "earlier"));
    Recorder recorder;
    QVERIFY(!recorder.generate(diagram, diagram.classes, dir.path()));
    QCOMPARE(recorder.problems.size(), 1);
    QCOMPARE(recorder.problems.first().first, CodeGenerator::Problem::CannotWriteHeader);
    QCOMPARE(readAll(dir.filePath(QStringLiteral("blocked.cpp"))), QByteArray("earlier"));
    QCOMPARE(filesIn(dir.path()), list({"blocked.cpp", "blocked.h"}));
}

void TestCodeGen::windowRefusals()
{
    Window w;
    w.diagram.add(QStringLiteral("A"));
    w.window.openGenerator();
    w.child<QCheckBox>("che_genAll")->click();
    QVERIFY(!w.child<QListView>("lis_classes")->isEnabled());
    QCOMPARE(w.generate(1), QStringList{box(QMessageBox::Critical, "Erreur",
                                            QStringLiteral("Vous n'avez pas spécifié le dossier "
                                                           "de destination"))});
    // Reopened, the window starts afresh: no folder, nothing picked.
    w.window.hide();
    w.window.openGenerator();
    QVERIFY(!w.child<QCheckBox>("che_genAll")->isChecked());
    QVERIFY(w.chooseFolder(w.dir.path()));
    QCOMPARE(w.generate(1), QStringList{box(QMessageBox::Information, "Génération",
                                            QStringLiteral("Aucune classe sélectionnée."))});
    QVERIFY(w.window.isVisible());
    QVERIFY(filesIn(w.dir.path()).isEmpty());
}

void TestCodeGen::windowGeneratesTheSelection_data()
{
    QTest::addColumn<QList<int>>("rows");
    QTest::addColumn<QByteArray>("winner");
    // Foo and FOO both write foo.h: the class picked last is generated last.
    QTest::newRow("first row last") << QList<int>{1, 0} << QByteArray("class Foo\n");
    QTest::newRow("second row last") << QList<int>{0, 1} << QByteArray("class FOO\n");
    QTest::newRow("all, in diagram order") << QList<int>{} << QByteArray("class FOO\n");
}

void TestCodeGen::windowGeneratesTheSelection()
{
    QFETCH(QList<int>, rows);
    QFETCH(QByteArray, winner);
    Window w;
    w.diagram.add(QStringLiteral("Foo"));
    w.diagram.add(QStringLiteral("FOO"));
    w.window.openGenerator();
    QCOMPARE(
        qobject_cast<QStringListModel *>(w.child<QListView>("lis_classes")->model())->stringList(),
        list({"Foo", "FOO"}));
    QVERIFY(w.chooseFolder(w.dir.path()));
    for (int row : rows)
        w.select(row);
    if (rows.isEmpty())
        w.child<QCheckBox>("che_genAll")->click();
    QCOMPARE(w.generate(1), QStringList{success});
    QVERIFY(!w.window.isVisible());
    QVERIFY(readAll(w.dir.filePath(QStringLiteral("foo.h"))).contains(winner));
    QCOMPARE(filesIn(w.dir.path()), list({"foo.cpp", "foo.h"}));
}

void TestCodeGen::windowReportsEveryProblem()
{
    Window w;
    w.diagram.add(QStringLiteral("../Escape"));
    w.diagram.add(QStringLiteral("First"));
    w.diagram.add(QStringLiteral("Fine"));
    const QString folder = w.dir.filePath(QStringLiteral("out"));
    QVERIFY(QDir().mkpath(folder + QStringLiteral("/first.h")));
    w.window.openGenerator();
    QVERIFY(w.chooseFolder(folder));
    w.child<QCheckBox>("che_genAll")->click();
    const auto error = [](const QString &text) {
        return box(QMessageBox::Critical, "Erreur", text);
    };
    QCOMPARE(
        w.generate(3),
        QStringList({error(QStringLiteral("Nom de classe invalide pour un fichier : ../Escape")),
                     error(QStringLiteral("Impossible de créer le fichier First.h")), withErrors}));
    QCOMPARE(filesIn(folder), list({"fine.cpp", "fine.h", "first.h"}));

    // The folder chosen was replaced by a plain file before the generation.
    w.window.openGenerator();
    QVERIFY(w.chooseFolder(folder));
    QVERIFY(QDir(folder).removeRecursively());
    QVERIFY(MainWindowTesting::writeFile(folder, QByteArray()));
    w.select(1);
    w.select(2);
    QCOMPARE(w.generate(3),
             QStringList({error(QStringLiteral("Impossible de créer le fichier First.cpp")),
                          error(QStringLiteral("Impossible de créer le fichier Fine.cpp")),
                          withErrors}));
}

void TestCodeGen::commandLineIsHeadless_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("headless");
    QTest::newRow("no argument") << QStringList() << false;
    QTest::newRow("a diagram to open") << list({"shapes.vnls"}) << false;
    QTest::newRow("generate") << list({"--generate", "a.vnls", "--output", "d"}) << true;
    QTest::newRow("output alone") << list({"a.vnls", "--output", "d"}) << true;
    QTest::newRow("short help") << list({"-h"}) << true;
    QTest::newRow("version") << list({"--version"}) << true;
    QTest::newRow("a file that only starts like an option") << list({"--generated.vnls"}) << false;
    QTest::newRow("after the end of options") << list({"--", "--help"}) << false;
}

void TestCodeGen::commandLineIsHeadless()
{
    QFETCH(QStringList, arguments);
    QFETCH(bool, headless);
    arguments.prepend(QStringLiteral("varnel"));
    std::vector<QByteArray> bytes;
    std::vector<char *> argv;
    for (const QString &argument : std::as_const(arguments))
        bytes.push_back(argument.toLocal8Bit());
    for (QByteArray &argument : bytes)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    QCOMPARE(CommandLine::isHeadless(int(arguments.size()), argv.data()), headless);
}

void TestCodeGen::commandLineUsage_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("message"); // on stdout when all went well, else on stderr
    QTest::newRow("help") << list({"--help"}) << 0 << "--output <dossier>";
    QTest::newRow("version") << list({"--version"}) << 0 << "varnel 1.0\n";
    QTest::newRow("no --output") << list({"--generate", "a.vnls"}) << 2
                                 << "L'option --output est manquante.\n";
    QTest::newRow("no --generate")
        << list({"--output", "@"}) << 2 << "L'option --generate est manquante.\n";
    QTest::newRow("--generate without its value")
        << list({"--output", "@", "--generate"}) << 2 << "'--generate'";
    QTest::newRow("unknown option")
        << list({"--generate", "a.vnls", "--output", "@", "--force"}) << 2 << "'force'";
    QTest::newRow("stray argument") << list({"--generate", "a.vnls", "--output", "@", "b.vnls"})
                                    << 2 << "Argument inattendu : b.vnls\n";
    QTest::newRow("two diagrams") << list(
        {"--generate", "a.vnls", "--generate", "a.vnls", "--output",
         "@"}) << 2 << "Un seul diagramme et un seul dossier de destination sont admis.\n";
}

void TestCodeGen::commandLineUsage()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, message);
    QTemporaryDir dir;
    const Run run = runVarnel(arguments.replaceInStrings(QStringLiteral("@"), dir.path()));
    QCOMPARE(run.exitCode, exitCode);
    // One line that says what is wrong; the parser's own messages are its own words.
    QVERIFY2((exitCode ? run.err : run.out).contains(message), qPrintable(run.err + run.out));
    QCOMPARE((exitCode ? run.out : run.err), QString());
    if (exitCode)
        QCOMPARE(run.err.count(QLatin1Char('\n')), 1);
    QVERIFY(filesIn(dir.path()).isEmpty());
}

void TestCodeGen::commandLineGeneration_data()
{
    // Paths: "@" is the test's folder, whose "out" folder exists and "shapes.vnls" holds
    // the worked example unless the row gives another diagram.
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QByteArray>("diagram");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("err");
    QTest::addColumn<QStringList>("written"); // in order, below --output
    const QStringList shapes = list({"--generate", "@/shapes.vnls", "--output", "@/out"});
    const QStringList all = list({"shape.cpp", "shape.h", "circle.cpp", "circle.h"});
    QTest::newRow("every class") << shapes << example("shapes.vnls") << 0 << "" << all;
    // The parent is not generated, yet it still shapes the header.
    QTest::newRow("one class") << shapes + list({"--class", "Circle"}) << example("shapes.vnls")
                               << 0 << "" << list({"circle.cpp", "circle.h"});
    QTest::newRow("unknown classes")
        << shapes + list({"--class", "Square", "--class", "Shape", "--class", "shape"})
        << example("shapes.vnls") << 1
        << "Classe absente du diagramme : Square\nClasse absente du diagramme : shape\n"
        << list({"shape.cpp", "shape.h"});
    QTest::newRow("invalid class name") << shapes << diagramOf(list({"../Up", "Kept"})) << 1
                                        << "Nom de classe invalide pour un fichier : ../Up\n"
                                        << list({"kept.cpp", "kept.h"});
    QTest::newRow("missing diagram")
        << list({"--generate", "@/absent.vnls", "--output", "@/out"}) << QByteArray() << 1
        << "Impossible d'ouvrir le fichier à cet emplacement : @/absent.vnls\n"
        << QStringList();
    QTest::newRow("unreadable diagram")
        << shapes << QByteArray("<main><class name=\"A\">") << 1
        << "Le fichier de sauvegarde a bien été ouvert mais il est impossible de le lire. "
           "@/shapes.vnls\n"
        << QStringList();
    QTest::newRow("output created")
        << list({"--generate", "@/shapes.vnls", "--output", "@/build/generated"})
        << example("shapes.vnls") << 0 << "" << all;
    QTest::newRow("output below a file")
        << list({"--generate", "@/shapes.vnls", "--output", "@/shapes.vnls/out"})
        << example("shapes.vnls") << 1 << "Impossible de créer le dossier @/shapes.vnls/out\n"
        << QStringList();
    // A folder stands where Circle's header goes: Circle leaves no lone source file.
    QTest::newRow("header cannot be written")
        << shapes << example("shapes.vnls") << 1 << "Impossible de créer le fichier Circle.h\n"
        << list({"shape.cpp", "shape.h"});
    QTest::newRow("empty diagram") << shapes << diagramOf({}) << 0 << "Aucune classe à générer.\n"
                                   << QStringList();
}

void TestCodeGen::commandLineGeneration()
{
    QFETCH(QStringList, arguments);
    QFETCH(QByteArray, diagram);
    QFETCH(int, exitCode);
    QFETCH(QString, err);
    QFETCH(QStringList, written);
    const QLatin1String row(QTest::currentDataTag());
    if (row != QLatin1String("missing diagram") && !readerReads())
        QSKIP("the diagram reader cannot read diagrams yet");
    QTemporaryDir dir;
    const QString at = QDir::toNativeSeparators(dir.path());
    const bool blocked = row == QLatin1String("header cannot be written");
    QVERIFY(QDir().mkpath(
        dir.filePath(blocked ? QStringLiteral("out/circle.h") : QStringLiteral("out"))));
    if (!diagram.isEmpty())
        QVERIFY(MainWindowTesting::writeFile(dir.filePath(QStringLiteral("shapes.vnls")), diagram));
    const Run run = runVarnel(arguments.replaceInStrings(QStringLiteral("@"), dir.path()));
    QCOMPARE(run.err, QString(err).replace(QStringLiteral("@"), at));
    QCOMPARE(run.exitCode, exitCode);
    const QString output =
        QDir::cleanPath(arguments.at(arguments.indexOf(QStringLiteral("--output")) + 1));
    QString out;
    for (const QString &name : std::as_const(written))
        out += QDir::toNativeSeparators(output) + QDir::separator() + name + QLatin1Char('\n');
    QCOMPARE(run.out, out);
    QStringList files = written + (blocked ? list({"circle.h"}) : QStringList());
    files.sort();
    QCOMPARE(filesIn(output), files);
    if (written.contains(QStringLiteral("circle.cpp"))) {
        QCOMPARE(readAll(QDir(output).filePath(QStringLiteral("circle.h"))), example("circle.h"));
        QCOMPARE(readAll(QDir(output).filePath(QStringLiteral("circle.cpp"))),
                 example("circle.cpp"));
    }
}

void TestCodeGen::commandLineSpeaksTheLanguage()
{
    // A copy of the program beside its settings and its English translation.
    QTemporaryDir dir;
    const QString binary = QStringLiteral(VARNEL_BINARY);
    const QString copy = dir.filePath(QStringLiteral("varnel"));
    QVERIFY(QFile::copy(binary, copy));
    QVERIFY(QFile::copy(QFileInfo(binary).dir().filePath(QStringLiteral("Varnel_en.qm")),
                        dir.filePath(QStringLiteral("Varnel_en.qm"))));
    QVERIFY(MainWindowTesting::writeFile(dir.filePath(QStringLiteral("cfgs.xml")),
                                         "<cfgs language=\"en\"/>\n"));
    const QString missing = dir.filePath(QStringLiteral("absent.vnls"));
    const Run failed = runVarnel(
        {QStringLiteral("--generate"), missing, QStringLiteral("--output"), dir.path()}, copy);
    QCOMPARE(failed.exitCode, int(CommandLine::GenerationFailed));
    QCOMPARE(failed.err, QStringLiteral("Cannot open the file at this location: ")
                             + QDir::toNativeSeparators(missing) + QLatin1Char('\n'));
    const Run help = runVarnel({QStringLiteral("--help")}, copy);
    QVERIFY2(help.out.contains(QLatin1String("--output <folder>"))
                 && help.out.contains(QLatin1String("Folder where the files are written.")),
             qPrintable(help.out));

    // An installed copy, which cannot write beside itself, reads the settings of the
    // user's configuration folder when there are some (here: no language), else those
    // beside it.
    const QString config = dir.filePath(QStringLiteral("config"));
    const QString userFile = config + QStringLiteral("/Varnel/varnel/cfgs.xml");
    QVERIFY(QDir().mkpath(QFileInfo(userFile).path()));
    QVERIFY(MainWindowTesting::writeFile(userFile, "<cfgs language=\"\"/>\n"));
    const auto permissions = QFile::permissions(dir.path());
    QVERIFY(QFile::setPermissions(dir.path(), geteuid() == 0
                                                  ? permissions | QFile::ReadOther | QFile::ExeOther
                                                  : permissions & ~QFile::WriteOwner));
    const QStringList arguments{QStringLiteral("--generate"), missing, QStringLiteral("--output"),
                                config};
    const Run user = runVarnel(arguments, copy, config);
    QVERIFY(QFile::remove(userFile));
    const Run beside = runVarnel(arguments, copy, config);
    QVERIFY(QFile::setPermissions(dir.path(), permissions));
    QVERIFY2(user.err.startsWith(QStringLiteral("Impossible d'ouvrir")), qPrintable(user.err));
    QCOMPARE(beside.err, failed.err);
}

VARNEL_WINDOW_TEST_MAIN(TestCodeGen)
#include "tst_codegen.moc"
