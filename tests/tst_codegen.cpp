// Code generation: the files written for a class, the generation window driven through its
// widgets and boxes, and the real varnel program run with --generate as a build script would.
#include "canvas/diagramitems.h"
#include "codegen/codegen.h"
#include "codegen/codegenerator.h"
#include "codegen/commandline.h"
#include "mainwindowtesting.h"
#include "model/argatt.h"
#include "model/function.h"
#include "persistence/diagramreader.h"
#include "persistence/diagramwriter.h"
#include "testsupport/filesizelimit.h"
#include "testsupport/modalanswerer.h"

#include <QCheckBox>
#include <QCommandLinkButton>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QListView>
#include <QProcess>
#include <QTemporaryDir>
#include <QToolButton>

using namespace Qt::StringLiterals;
using MainWindowTesting::writeFile;

namespace {

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

// The worked example (tests/data/codegen): Circle's files, Circle deriving from Shape through
// a link and from QObject by its typed parent, and the diagram as a .vnls file.
QByteArray example(const char *name)
{
    return readAll(u"" VARNEL_TEST_DATA "/codegen/"_s + QLatin1String(name));
}

QStringList list(std::initializer_list<const char *> texts)
{
    QStringList strings;
    for (const char *text : texts)
        strings.append(QString::fromUtf8(text));
    return strings;
}

QStringList filesIn(const QString &path)
{
    return QDir(path).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}

// The main window's lists of boxes and links; deletes them, links first.
struct Diagram : DiagramItems
{
    ClassItem *add(const QString &name, const QString &attributeType = QString())
    {
        classes.append(new ClassItem(nullptr));
        classes.last()->getModel()->setName(name);
        if (!attributeType.isEmpty())
            attribute(classes.last(), attributeType);
        return classes.last();
    }

    static void attribute(ClassItem *item, const QString &type)
    {
        const QString name = u"m_%1"_s.arg(item->getModel()->attributes().size());
        item->getModel()->addAttribute(new ArgAtt(name, type, QString(), ArgAtt::Public));
    }

    void link(ClassItem *master, ClassItem *slave, int type = LinkModel::Inheritance)
    {
        links.append(new Link);
        links.last()->getModel()->setType(type);
        links.last()->getModel()->setMaster(master);
        links.last()->getModel()->setSlave(slave);
    }

    bool read(const QByteArray &data)
    {
        DiagramReader reader(nullptr);
        if (reader.readData(data) != DiagramReader::ReadOk)
            return false;
        classes = reader.takeClasses();
        links = reader.takeLinks();
        return true;
    }
};

using Problems = QList<QPair<CodeGenerator::Problem, QString>>;

// A generator that records what it reports: the names of the files written, the problems and
// how many files were left as they were.
struct Recorder
{
    QStringList written;
    Problems problems;
    int unchanged = 0;

    bool generate(const Diagram &diagram, const QList<ClassItem *> &items, const QString &folder)
    {
        CodeGenerator generator(diagram.links, diagram.classes);
        generator.setWrittenHandler(
            [this](const QString &path) { written.append(QFileInfo(path).fileName()); });
        generator.setUnchangedHandler([this](const QString &) { ++unchanged; });
        generator.setProblemHandler([this](CodeGenerator::Problem problem, const QString &name) {
            problems.append({problem, name});
        });
        return generator.generate(items, folder);
    }
};

QString box(int icon, const QString &title, const QString &text)
{
    return u"%1 %2: %3"_s.arg(icon).arg(title, text);
}

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
    void open(const QString &folder)
    {
        window.openGenerator();
        ModalAnswerer answerer;
        answerer.answerFileDialog(folder);
        child<QToolButton>("too_dirPath")->click();
        QVERIFY(answerer.waitUntilAnswered());
    }
    void select(int row)
    {
        QListView *view = child<QListView>("lis_classes");
        view->selectionModel()->select(view->model()->index(row, 0), QItemSelectionModel::Select);
    }
    // Clicks "Générer le code", answering the one box expected with OK; what the boxes said.
    QString generate()
    {
        ModalAnswerer answerer;
        answerer.answerMessageBox(QMessageBox::Ok);
        child<QCommandLinkButton>("com_gen")->click();
        answerer.waitUntilAnswered();
        QStringList said;
        for (const ModalAnswerer::Seen &seen : answerer.seen())
            said << box(seen.icon, seen.title, seen.text);
        return said.join(u'\n');
    }
};

struct Run
{
    int exitCode = -1;
    QString out, err;
};

// Runs the real program without a display: anything that needed one would fail here.
Run runVarnel(const QString &program, const QStringList &arguments)
{
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(u"DISPLAY"_s);
    env.remove(u"WAYLAND_DISPLAY"_s);
    env.insert(u"QT_QPA_PLATFORM"_s, u"xcb"_s);
    process.setProcessEnvironment(env);
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit)
        return {};
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

// g++ in the folder with the toolkit's flags: what it complains of, empty when it compiles.
QString compileErrors(const QString &folder, const QString &arguments)
{
    QProcess gcc;
    gcc.setWorkingDirectory(folder);
    gcc.start(u"sh"_s, {u"-c"_s, u"g++ -std=c++17 -fsyntax-only -fPIC -I. -I'" VARNEL_TEST_DATA
                                 "/compile/include' $(pkg-config --cflags Qt6Core Qt6Widgets) "_s
                                     + arguments + u" 2>&1"_s});
    if (!gcc.waitForFinished(60000))
        return u"g++ did not finish"_s;
    return gcc.exitCode() == 0 ? QString() : QString::fromUtf8(gcc.readAll());
}

} // namespace

class TestCodeGen : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void workedExample();
    void otherLinksPruneNothing();
    void invalidNames();
    void noPartialFiles();
    void compiles_data();
    void compiles();
    void regeneration();
    void windowGeneratesTheSelection();
    void windowBoxes();
    void commandLine();

private:
    QTemporaryDir m_settings;
    // A copy of the real program beside the suite's own settings, so that what it prints
    // does not depend on the settings of the build folder.
    QString m_program;
};

void TestCodeGen::initTestCase()
{
    const QString path = m_settings.filePath(u"cfgs.xml"_s);
    QVERIFY(writeFile(path, MainWindowTesting::cfgText()));
    Cfg::setPathOverride(path);
    m_program = m_settings.filePath(u"varnel"_s);
    QVERIFY(QFile::copy(u"" VARNEL_BINARY ""_s, m_program));
}

void TestCodeGen::workedExample()
{
    Diagram diagram;
    QVERIFY(diagram.read(example("shapes.vnls")));
    ClassItem *shape = diagram.classes.at(0);
    QTemporaryDir dir;
    Recorder recorder;
    QVERIFY(recorder.generate(diagram, diagram.classes, dir.path()));
    QVERIFY(recorder.problems.isEmpty());
    QCOMPARE(recorder.written, list({"shape.cpp", "shape.h", "circle.cpp", "circle.h"}));
    for (const char *name : {"circle.h", "circle.cpp"})
        QCOMPARE(readAll(dir.filePath(QLatin1String(name))), example(name));
    QCOMPARE(filesIn(dir.path()), list({"circle.cpp", "circle.h", "shape.cpp", "shape.h"}));

    // Circle alone, after a scan of Shape when it still held a Point: Shape is scanned
    // afresh, so Circle keeps its Point and still leaves out Shape's QString.
    Diagram::attribute(shape, u"Point"_s);
    shape->getModel()->gatherIncludeTypes();
    shape->getModel()->removeAttribute(u"m_1"_s);
    QTemporaryDir alone;
    QVERIFY(Recorder().generate(diagram, {diagram.classes.at(1)}, alone.path()));
    QCOMPARE(readAll(alone.filePath(u"circle.h"_s)), example("circle.h"));
}

void TestCodeGen::otherLinksPruneNothing()
{
    Diagram diagram;
    ClassItem *owner = diagram.add(u"Owner"_s, u"QString"_s);
    ClassItem *part = diagram.add(u"Part"_s, u"QString"_s);
    // Both kinds in both directions, and links with a missing end or one class at both ends.
    for (int type : {int(LinkModel::Aggregation), int(LinkModel::Association)}) {
        diagram.link(owner, part, type);
        diagram.link(part, owner, type);
    }
    diagram.link(nullptr, owner);
    diagram.link(owner, nullptr);
    diagram.link(owner, owner);
    const CodeGenerator generator(diagram.links);
    for (ClassItem *item : {owner, part}) {
        const QString text = generator.headerText(item);
        QVERIFY2(
            text.contains(u"\n#include <QString>\n\nclass %1\n{"_s.arg(item->getModel()->name())),
            qPrintable(text));
    }
}

void TestCodeGen::invalidNames()
{
    for (const char *name :
         {"", "../Evil", "sub/Evil", "/tmp/Evil", "My Class", "List<int>", "Tilde~", "2D", "int"}) {
        Diagram diagram;
        diagram.add(u"Before"_s);
        diagram.add(QString::fromUtf8(name));
        diagram.add(u"After_1"_s);
        QTemporaryDir top;
        const QString folder = top.filePath(u"out"_s);
        QVERIFY(QDir().mkpath(folder + u"/sub"_s));
        Recorder recorder;
        QVERIFY2(!recorder.generate(diagram, diagram.classes, folder), name);
        QCOMPARE(recorder.problems,
                 Problems({{CodeGenerator::Problem::InvalidName, QLatin1String(name)}}));
        // The classes around it are written, and nothing else anywhere.
        QCOMPARE(filesIn(folder),
                 list({"after_1.cpp", "after_1.h", "before.cpp", "before.h", "sub"}));
        QVERIFY(filesIn(folder + u"/sub"_s).isEmpty());
        QCOMPARE(filesIn(top.path()), list({"out"}));
        QVERIFY(!QFile::exists(u"/tmp/Evil.cpp"_s));
    }
}

void TestCodeGen::noPartialFiles()
{
    Diagram diagram;
    diagram.add(u"Blocked"_s);
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir(u"blocked.h"_s));
    const QString source = dir.filePath(u"blocked.cpp"_s);
    // The header fails after the source is in place: the earlier source comes back, and
    // no temporary file is left behind.
    const QByteArray earlier = "int earlier;\n";
    QVERIFY(writeFile(source, earlier));
    Recorder recorder;
    QVERIFY(!recorder.generate(diagram, diagram.classes, dir.path()));
    QCOMPARE(recorder.problems,
             Problems({{CodeGenerator::Problem::CannotWriteHeader, u"Blocked"_s}}));
    QCOMPARE(readAll(source), earlier);
    QCOMPARE(filesIn(dir.path()), list({"blocked.cpp", "blocked.h"}));

    // A disk full half way leaves the earlier files as they were.
    QVERIFY(QDir(dir.path()).rmdir(u"blocked.h"_s));
    diagram.classes.first()->getModel()->setComment(QString(4000, u'c'));
    {
        const FileSizeLimit limit(1000);
        QVERIFY(limit.isActive());
        QVERIFY(!recorder.generate(diagram, diagram.classes, dir.path()));
    }
    QCOMPARE(readAll(source), earlier);
    QCOMPARE(filesIn(dir.path()), list({"blocked.cpp"}));

    // A link in the folder is replaced by a file; what it pointed at is not written.
    QTemporaryDir outside;
    const QString target = outside.filePath(u"target.txt"_s);
    QVERIFY(writeFile(target, "outside"));
    QVERIFY(QFile::link(target, dir.filePath(u"blocked.h"_s)));
    // The source replaced keeps its permissions.
    QVERIFY(QFile::setPermissions(source, QFile::ReadOwner | QFile::WriteOwner));
    const QFile::Permissions permissions = QFile::permissions(source);
    QVERIFY(recorder.generate(diagram, diagram.classes, dir.path()));
    QVERIFY(readAll(source).contains("int earlier;"));
    QCOMPARE(QFile::permissions(source), permissions);
    QCOMPARE(readAll(target), QByteArray("outside"));
    QVERIFY(!QFileInfo(dir.filePath(u"blocked.h"_s)).isSymLink());
    QVERIFY(readAll(dir.filePath(u"blocked.h"_s)).contains("class Blocked"));
}

void TestCodeGen::regeneration()
{
    // Person::describe(int depth) and the getter of m_age, generated once; then the old
    // source is rewritten after the banner and the diagram changes.
    const QString describe = u"QString Person::describe(int depth)\n"_s;
    const QString body = u"{\n    // } in a comment\n    return QStringLiteral(\"}{\") "
                         "+ QChar('}') + R\"x(}\")x\";\n}"_s;
    const QString kept = describe + body + u"\n\n"_s;
    const QString getter = u"int Person::getAge()const\n{\n    return m_age;\n}\n\n"_s;
    const QString gone = u"// No longer in the diagram.\n"_s;
    const QString ifZero = u"#if 0\n"_s + gone;
    const QString endIf = u"\n#endif\n"_s;
    const QString overload = u"QString Person::describe(double x) { return {}; }"_s;
    const QString include = u"#include <QList>\n\n"_s;
    const QString helper = u"static int twice(int v)\n{\n    return 2 * v;\n}\n\n"_s;
    using Change = std::function<void(ClassModel *)>;
    const auto argument = [](ClassModel *m) { return m->methods().first()->args().first(); };
    const Change retype = [&](ClassModel *m) { argument(m)->setType(u"long"_s); };
    const struct
    {
        const char *name;
        Change change;
        QString oldTail;
        QString newTail; // empty: the old file is kept and the skeleton goes beside it
    } rows[] = {
        {"method added",
         [](ClassModel *m) {
             m->addMethod(new Function(u"greet"_s, u"void"_s, ArgAtt::Public, {}));
         },
         kept + getter, kept + getter + u"void Person::greet()\n{\n\n}\n\n"_s},
        {"argument renamed, beside an overload",
         [&](ClassModel *m) { argument(m)->setName(u"level"_s); },
         kept + overload + u"\n\n"_s + getter,
         u"QString Person::describe(int level)\n"_s + body + u"\n\n"_s + getter + ifZero + overload
             + endIf},
        {"argument type changed", retype, kept + getter,
         u"QString Person::describe(long depth)\n"_s + body + u"\n\n"_s + getter},
        {"overload ambiguous", retype, kept + overload + u"\n\n"_s + getter,
         u"QString Person::describe(long depth)\n{\n\n}\n\n"_s + getter + ifZero + kept + gone
             + overload + endIf},
        {"method removed", [](ClassModel *m) { m->removeMethod(u"describe"_s); }, kept + getter,
         getter + ifZero + describe + body + endIf},
        {"include and helper kept, accessor follows",
         [](ClassModel *m) { m->attributes().first()->setName(u"m_years"_s); },
         include + kept + helper + getter,
         include + kept + helper + QString(getter).replace(u"m_age"_s, u"m_years"_s)},
        {"unbalanced", Change([](ClassModel *) {}), describe + u"{\n"_s + getter, QString()},
    };
    for (const auto &row : rows) {
        for (const bool viaProgram : {false, true}) {
            const QString tag =
                QLatin1String(row.name) + QLatin1String(viaProgram ? " (program) " : " ");
            Diagram diagram;
            ClassModel *person = diagram.add(u"Person"_s)->getModel();
            person->addAttribute(new ArgAtt(u"m_age"_s, u"int"_s, QString(), ArgAtt::Private));
            person->addMethod(new Function(u"describe"_s, u"QString"_s, ArgAtt::Public,
                                           {new ArgAtt(u"depth"_s, u"int"_s, QString(), 2)}));
            person->addMethod(new Function(u"getAge"_s, u"int"_s, ArgAtt::Getter, {}));
            person->methods().last()->setLinkedAtt(person->attributes().first());
            QTemporaryDir dir;
            const QString source = dir.filePath(u"person.cpp"_s);
            // Returns the files written, and how many were left alone.
            const auto generate = [&](int expectedExit) {
                Recorder recorder;
                if (!viaProgram) {
                    const bool ok = recorder.generate(diagram, diagram.classes, dir.path());
                    [&] { QCOMPARE(ok, expectedExit == 0); }();
                    return qMakePair(recorder.written, recorder.unchanged);
                }
                const QString file = m_settings.filePath(u"person.vnls"_s);
                [&] { QVERIFY(DiagramWriter::writeFile(file, diagram.classes, diagram.links)); }();
                const Run run = runVarnel(m_program, {u"-g"_s, file, u"--output="_s + dir.path()});
                [&] {
                    QCOMPARE(run.exitCode, expectedExit);
                    QCOMPARE(run.err.contains(u"person.cpp.new"_s), expectedExit != 0);
                }();
                for (const QString &line : run.out.split(u'\n', Qt::SkipEmptyParts))
                    recorder.written.append(QFileInfo(line).fileName());
                const auto unchanged = QRegularExpression(u"inchangés : (\\d+)"_s).match(run.err);
                return qMakePair(recorder.written, unchanged.captured(1).toInt());
            };
            QCOMPARE(generate(0).first, list({"person.cpp", "person.h"}));
            const QString fresh = QString::fromUtf8(readAll(source));
            const QString preamble = fresh.left(fresh.indexOf(describe));
            QVERIFY(writeFile(source, (preamble + row.oldTail).toUtf8()));
            row.change(person);
            const int exit = row.newTail.isEmpty() ? 1 : 0;
            QCOMPARE(generate(exit).first,
                     exit ? list({"person.cpp.new"}) : list({"person.cpp", "person.h"}));
            if (exit) {
                QCOMPARE(readAll(source), (preamble + row.oldTail).toUtf8());
                QCOMPARE(readAll(source + u".new"_s),
                         CodeGenerator(diagram.links).sourceText(diagram.classes.first()).toUtf8());
            } else {
                QCOMPARE(QString::fromUtf8(readAll(source)), preamble + row.newTail);
            }
            if (!viaProgram && QLatin1String(row.name).startsWith(QLatin1String("include")))
                QCOMPARE(compileErrors(dir.path(), u"person.cpp"_s), QString());

            // Regenerating what is on disk writes nothing, dates included.
            const QDateTime past(QDate(2001, 2, 3), QTime(4, 5, 6), Qt::UTC);
            for (const QString &name : filesIn(dir.path())) {
                QFile file(dir.filePath(name));
                QVERIFY(file.open(QIODevice::ReadOnly)
                        && file.setFileTime(past, QFileDevice::FileModificationTime));
            }
            QCOMPARE(generate(exit), qMakePair(QStringList(), 2));
            for (const QString &name : filesIn(dir.path()))
                QVERIFY2(QFileInfo(dir.filePath(name)).lastModified() == past,
                         qPrintable(tag + name));
        }
    }
}

void TestCodeGen::compiles_data()
{
    QTest::addColumn<QString>("diagram");
    QTest::newRow("library example") << u"" VARNEL_SOURCE_DIR "/examples/library.vnls"_s;
    QTest::newRow("cycles") << u"" VARNEL_TEST_DATA "/compile/cycles.vnls"_s;
    QTest::newRow("types") << u"" VARNEL_TEST_DATA "/compile/types.vnls"_s;
}

void TestCodeGen::compiles()
{
    QFETCH(QString, diagram);
    Diagram items;
    QVERIFY(items.read(readAll(diagram)));
    QTemporaryDir dir;
    QVERIFY(Recorder().generate(items, items.classes, dir.path()));

    // One translation unit for all the sources keeps the test fast.
    QByteArray unit;
    for (const QString &file : filesIn(dir.path())) {
        QList<QByteArray> includes;
        for (const QByteArray &line : readAll(dir.filePath(file)).split('\n')) {
            if (line.startsWith("#include"))
                includes.append(line);
        }
        QVERIFY2(QSet<QByteArray>(includes.begin(), includes.end()).size() == includes.size(),
                 qPrintable(file + u" includes a header twice"_s));
        if (file.endsWith(u".cpp"_s))
            unit += "#include <" + file.toUtf8() + ">\n";
    }
    QVERIFY(writeFile(dir.filePath(u"unit.cc"_s), unit));
    // The bodies of the skeleton are empty: only a missing return may warn.
    QCOMPARE(compileErrors(dir.path(), u"-Wall -Wno-return-type -Werror unit.cc"_s), QString());
}

void TestCodeGen::windowGeneratesTheSelection()
{
    // Foo and FOO would both write foo.h: the class picked first is written, the other refused.
    for (const bool fooFirst : {true, false}) {
        Window w;
        for (const QString &name : {u"Foo"_s, u"FOO"_s}) {
            w.diagram.add(name)->getModel()->addMethod(
                new Function(u"run"_s, u"void"_s, ArgAtt::Public, {}));
        }
        w.open(w.dir.path());
        w.select(fooFirst ? 0 : 1);
        w.select(fooFirst ? 1 : 0);
        const QByteArray written = fooFirst ? "Foo" : "FOO";
        QCOMPARE(w.generate(), box(QMessageBox::Warning, u"Génération"_s,
                                   u"La génération est terminée avec des erreurs.\n\n"
                                   "Nom de classe invalide pour un fichier : "_s
                                       + (fooFirst ? u"FOO"_s : u"Foo"_s)));
        QVERIFY(!w.window.isVisible());
        QVERIFY(readAll(w.dir.filePath(u"foo.h"_s)).contains("class " + written + '\n'));
        QVERIFY(readAll(w.dir.filePath(u"foo.cpp"_s)).contains(written + "::run"));
        QCOMPARE(filesIn(w.dir.path()), list({"foo.cpp", "foo.h"}));
    }
}

void TestCodeGen::windowBoxes()
{
    Window w;
    w.diagram.add(u"../Escape"_s);
    w.diagram.add(u"First"_s);
    w.diagram.add(u"Fine"_s);
    const QString folder = w.dir.filePath(u"out"_s);
    QVERIFY(QDir().mkpath(folder + u"/first.h"_s));
    w.window.openGenerator();
    w.child<QCheckBox>("che_genAll")->click();
    QCOMPARE(w.generate(), box(QMessageBox::Critical, u"Erreur"_s,
                               u"Vous n'avez pas spécifié le dossier de destination"_s));
    // Reopened, the window starts afresh: nothing picked.
    w.window.hide();
    w.open(folder);
    QVERIFY(!w.child<QCheckBox>("che_genAll")->isChecked());
    QCOMPARE(w.generate(),
             box(QMessageBox::Information, u"Génération"_s, u"Aucune classe sélectionnée."_s));
    QVERIFY(w.window.isVisible());
    w.child<QCheckBox>("che_genAll")->click();
    w.diagram.add(u"Odd"_s);
    QVERIFY(writeFile(folder + u"/odd.cpp"_s, "int x = {;\n"));
    // One box at the end names every class that failed and why.
    QCOMPARE(w.generate(), box(QMessageBox::Warning, u"Génération"_s,
                               u"La génération est terminée avec des erreurs.\n\n"
                               "Nom de classe invalide pour un fichier : ../Escape\n"
                               "Impossible de créer le fichier First.h\n"
                               "odd.cpp n'a pas pu être relu sans risque : il reste tel quel et "
                               "le nouveau squelette est écrit dans odd.cpp.new"_s));
    QCOMPARE(filesIn(folder),
             list({"fine.cpp", "fine.h", "first.h", "odd.cpp", "odd.cpp.new", "odd.h"}));
    QCOMPARE(readAll(folder + u"/odd.cpp"_s), QByteArray("int x = {;\n"));
    QCOMPARE(filesIn(w.dir.path()), list({"out"}));

    // Past twenty problems, the box keeps its size and says how many more there are.
    for (int i = 0; i < 20; ++i)
        w.diagram.add(u"Bad %1"_s.arg(i));
    w.open(folder);
    w.child<QCheckBox>("che_genAll")->click();
    QVERIFY(w.generate().endsWith(u"pour un fichier : Bad 16\n… et 3 autres, dans les détails"_s));
}

// The real program as a build script runs it. In the arguments and the messages "@" stands
// for the test's folder, which holds shapes.vnls and an unreadable bad.vnls.
void TestCodeGen::commandLine()
{
    const Run help = runVarnel(m_program, {u"--help"_s});
    QCOMPARE(help.exitCode, int(CommandLine::Success));
    QVERIFY2(help.out.contains(QLatin1String("--output <dossier>")) && help.err.isEmpty(),
             qPrintable(help.out + help.err));
    const QStringList usual = list({"--generate", "@/shapes.vnls", "--output", "@/build/out"});
    const struct
    {
        QStringList arguments;
        int exitCode;
        const char *err;
        QStringList written = {};      // in order, below @/build/out
        const char *present = nullptr; // what circle.cpp holds there already; "": a folder
    } rows[] = {
        // One line that says what is wrong, and nothing written. Anything that looks like an
        // option reaches the parser, even without a display.
        {list({"-g", "@/shapes.vnls", "-o@/build/out", "b.vnls"}), CommandLine::UsageError,
         "Argument inattendu : b.vnls\n"},
        {list({"--generate", "@/shapes.vnls"}), CommandLine::UsageError,
         "L'option --output est manquante.\n"},
        {list({"--output=@/build/out"}), CommandLine::UsageError,
         "L'option --generate est manquante.\n"},
        {list({"-g", "@/shapes.vnls", "-gb.vnls", "-o@/build/out"}), CommandLine::UsageError,
         "Un seul diagramme et un seul dossier de destination sont admis.\n"},
        {list({"--bogus", "@/shapes.vnls"}), CommandLine::UsageError,
         "Option inconnue \"bogus\".\n"},
        {list({"-help"}), CommandLine::UsageError, "Options inconnues : e, l, p.\n"},
        {list({"-gX", "-o@/build/out"}), CommandLine::GenerationFailed,
         "Impossible d'ouvrir le fichier à cet emplacement : X\n"},
        {list({"-g", "@/bad.vnls", "-o@/build/out"}), CommandLine::GenerationFailed,
         "Le fichier de sauvegarde a bien été ouvert mais il est impossible de le lire. "
         "@/bad.vnls\n"},
        // The folder is created; the parent not generated still shapes the header.
        {usual, CommandLine::Success, "", list({"shape.cpp", "shape.h", "circle.cpp", "circle.h"})},
        {usual + list({"--class", "Square", "--class", "Circle", "--class", "shape"}),
         CommandLine::GenerationFailed,
         "Classe absente du diagramme : Square\nClasse absente du diagramme : shape\n",
         list({"circle.cpp", "circle.h"})},
        // A fresh skeleton on request, over code that would otherwise be kept.
        {usual + list({"-cCircle", "--overwrite"}), CommandLine::Success, "",
         list({"circle.cpp", "circle.h"}), "int kept;\n"},
        {usual + list({"-cCircle"}),
         CommandLine::GenerationFailed,
         "Impossible de créer le fichier Circle.cpp\n",
         {},
         ""},
    };
    for (const auto &row : rows) {
        QTemporaryDir dir;
        QVERIFY(writeFile(dir.filePath(u"shapes.vnls"_s), example("shapes.vnls")));
        QVERIFY(writeFile(dir.filePath(u"bad.vnls"_s), "<main><class name=\"A\">"));
        const QString output = dir.filePath(u"build/out"_s);
        QStringList files = row.written;
        if (row.present) {
            const QString cpp = output + u"/circle.cpp"_s;
            QVERIFY(QDir().mkpath(*row.present ? output : cpp));
            QVERIFY(!*row.present || writeFile(cpp, row.present));
            files.append(u"circle.cpp"_s);
            files.removeDuplicates();
        }
        const Run run =
            runVarnel(m_program, QStringList(row.arguments).replaceInStrings(u"@"_s, dir.path()));
        QCOMPARE(run.err,
                 QString::fromUtf8(row.err).replace(u"@"_s, QDir::toNativeSeparators(dir.path())));
        QCOMPARE(run.exitCode, row.exitCode);
        QString out;
        for (const QString &name : std::as_const(row.written))
            out += QDir::toNativeSeparators(output) + QDir::separator() + name + u'\n';
        QCOMPARE(run.out, out);
        files.sort();
        QCOMPARE(filesIn(output), files);
        for (const char *name : {"circle.h", "circle.cpp"}) {
            if (row.written.contains(QLatin1String(name)))
                QCOMPARE(readAll(output + u'/' + QLatin1String(name)), example(name));
        }
    }
}

VARNEL_WINDOW_TEST_MAIN(TestCodeGen)
#include "tst_codegen.moc"
