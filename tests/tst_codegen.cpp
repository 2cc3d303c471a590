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
QByteArray example(const QString &name)
{
    return readAll(u"" VARNEL_TEST_DATA "/codegen/"_s + name);
}

QStringList filesIn(const QString &path)
{
    return QDir(path).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}

// The main window's lists of boxes and links; deletes them, links first.
struct Diagram : DiagramItems
{
    ClassItem *add(const QString &name)
    {
        classes.append(new ClassItem(nullptr));
        classes.last()->getModel()->setName(name);
        return classes.last();
    }

    bool read(const QByteArray &data)
    {
        DiagramReader reader(nullptr);
        const bool read = reader.readData(data) == DiagramReader::ReadOk;
        classes = reader.takeClasses();
        links = reader.takeLinks();
        return read;
    }
};

using Problems = QList<QPair<CodeGenerator::Problem, QString>>;

// Generates the items into the folder; true when every file was written. The problems
// reported go to `problems` when given.
bool generateCode(const Diagram &diagram, const QList<ClassItem *> &items, const QString &folder,
                  Problems *problems = nullptr)
{
    CodeGenerator generator(diagram.links, diagram.classes);
    generator.setProblemHandler([problems](CodeGenerator::Problem problem, const QString &name) {
        if (problems)
            problems->append({problem, name});
    });
    return generator.generate(items, folder);
}

// Runs a program in the folder: its exit code on a line, then its output and its errors.
QString run(const QString &program, const QStringList &arguments, const QString &folder = {})
{
    QProcess process;
    process.setWorkingDirectory(folder);
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit)
        return u"crashed or hung"_s;
    return QString::number(process.exitCode()) + u'\n'
           + QString::fromUtf8(process.readAllStandardOutput() + process.readAllStandardError());
}

// g++ on every source of the folder, in one translation unit to keep it fast, with the
// toolkit's flags and these: "0" and a line when it compiles.
QString compile(const QString &folder, const QString &flags = {})
{
    return run(u"sh"_s,
               {u"-c"_s, u"g++ -std=c++17 -fsyntax-only -fPIC -I. -I'" VARNEL_TEST_DATA
                         "/compile/include' $(pkg-config --cflags Qt6Core Qt6Widgets) "
                         "$(printf ' -include %s' *.cpp) -x c++ /dev/null "_s
                             + flags},
               folder);
}

} // namespace

class TestCodeGen : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void workedExample();
    void noPartialFiles();
    void compiles();
    void regeneration();
    void window();
    void commandLine();

private:
    QTemporaryDir m_settings;
    // A copy of the real program beside the suite's own settings, which it reads.
    QString m_program;
};

void TestCodeGen::initTestCase()
{
    const QString path = m_settings.filePath(u"cfgs.xml"_s);
    QVERIFY(writeFile(path, MainWindowTesting::cfgText()));
    Cfg::setPathOverride(path);
    m_program = m_settings.filePath(u"varnel"_s);
    QVERIFY(QFile::copy(u"" VARNEL_BINARY ""_s, m_program));
    // The program runs without a display, as in a build: anything that needed one would fail.
    qunsetenv("DISPLAY");
    qunsetenv("WAYLAND_DISPLAY");
    qputenv("QT_QPA_PLATFORM", "xcb");
}

void TestCodeGen::workedExample()
{
    Diagram diagram;
    QVERIFY(diagram.read(example(u"shapes.vnls"_s)));
    ClassItem *shape = diagram.classes.at(0), *circle = diagram.classes.at(1);
    // A header has no place for a protected attribute: it is left out.
    circle->getModel()->addAttribute(
        new ArgAtt(u"m_hidden"_s, u"int"_s, QString(), ArgAtt::Protected));
    // Names that cannot be files are each refused, the classes after them still written, and
    // nothing written anywhere else.
    QList<ClassItem *> items{shape};
    Problems refused;
    for (const char *name :
         {"", "../Evil", "sub/Evil", "/tmp/Evil", "My Class", "List<int>", "Tilde~", "2D", "int"}) {
        items.append(diagram.add(QString::fromUtf8(name)));
        refused.append({CodeGenerator::Problem::InvalidName, QString::fromUtf8(name)});
    }
    items.append(circle);
    QTemporaryDir top;
    const QString dir = top.filePath(u"out"_s);
    QVERIFY(QDir().mkpath(dir + u"/sub"_s));
    Problems problems;
    QVERIFY(!generateCode(diagram, items, dir, &problems));
    QCOMPARE(problems, refused);
    for (const QString &name : {u"circle.h"_s, u"circle.cpp"_s})
        QCOMPARE(readAll(dir + u'/' + name), example(name));
    QCOMPARE(filesIn(dir), u"circle.cpp circle.h shape.cpp shape.h sub"_s.split(u' '));
    QCOMPARE(filesIn(top.path()), QStringList{u"out"_s});

    // Circle alone, after a scan of Shape when it still held a Point: Shape is scanned
    // afresh, so Circle keeps its Point and still leaves out Shape's QString.
    shape->getModel()->addAttribute(new ArgAtt(u"m_1"_s, u"Point"_s, QString(), ArgAtt::Public));
    shape->getModel()->gatherIncludeTypes();
    shape->getModel()->removeAttribute(u"m_1"_s);
    QVERIFY(generateCode(diagram, {circle}, dir));
    QCOMPARE(readAll(dir + u"/circle.h"_s), example(u"circle.h"_s));
}

void TestCodeGen::noPartialFiles()
{
    Diagram diagram;
    diagram.add(u"Blocked"_s);
    QTemporaryDir dir;
    const QString source = dir.filePath(u"blocked.cpp"_s), header = dir.filePath(u"blocked.h"_s);
    const QByteArray earlier = "int earlier;\n";
    QVERIFY(writeFile(source, earlier) && QDir().mkdir(header));
    // The header fails after the source is in place: the earlier source comes back, and
    // no temporary file is left behind.
    QVERIFY(!generateCode(diagram, diagram.classes, dir.path()));
    QCOMPARE(readAll(source), earlier);
    QCOMPARE(filesIn(dir.path()), u"blocked.cpp blocked.h"_s.split(u' '));
    // A source made new is taken back as well.
    QVERIFY(QFile::remove(source));
    QVERIFY(!generateCode(diagram, diagram.classes, dir.path()));
    QCOMPARE(filesIn(dir.path()), QStringList{u"blocked.h"_s});
    QVERIFY(writeFile(source, earlier));

    // A disk full half way leaves the earlier files as they were.
    QVERIFY(QDir().rmdir(header));
    diagram.classes.first()->getModel()->setComment(QString(4000, u'c'));
    QVERIFY([&] {
        const FileSizeLimit limit(1000);
        return limit.isActive() && !generateCode(diagram, diagram.classes, dir.path());
    }());
    QCOMPARE(readAll(source), earlier);
    QCOMPARE(filesIn(dir.path()), QStringList{u"blocked.cpp"_s});

    // A link in the folder is replaced by a file; what it pointed at is not written. The
    // source replaced keeps its permissions.
    const QString target = m_settings.filePath(u"target.txt"_s);
    QVERIFY(writeFile(target, "outside") && QFile::link(target, header));
    QVERIFY(QFile::setPermissions(source, QFile::ReadOwner | QFile::WriteOwner));
    const QFile::Permissions permissions = QFile::permissions(source);
    QVERIFY(generateCode(diagram, diagram.classes, dir.path()));
    QCOMPARE(QFile::permissions(source), permissions);
    QCOMPARE(readAll(target), QByteArray("outside"));
    QVERIFY(!QFileInfo(header).isSymLink() && readAll(header).contains("class Blocked"));
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
    const QString gone = u"// No longer in the diagram.\n"_s, endIf = u"\n#endif\n"_s;
    const QString ifZero = u"#if 0\n"_s + gone, include = u"#include <QList>\n\n"_s;
    const QString overload = u"QString Person::describe(double x) { return {}; }\n\n"_s;
    const QString helper = u"static int twice(int v)\n{\n    return 2 * v;\n}\n\n"_s;
    const QString unbalanced = describe + u"{\n"_s + getter;
    using Change = std::function<void(ClassModel *)>;
    const auto argument = [](ClassModel *m) { return m->methods().first()->args().first(); };
    const Change retype = [&](ClassModel *m) { argument(m)->setType(u"long"_s); };
    const struct
    {
        const char *name;
        Change change;
        QString oldTail;
        QString newTail; // the old one: the file is kept and the skeleton goes beside it
    } rows[] = {
        {"argument type changed, method added",
         [&](ClassModel *m) {
             retype(m);
             m->addMethod(new Function(u"greet"_s, u"void"_s, ArgAtt::Public, {}));
         },
         kept + getter,
         u"QString Person::describe(long depth)\n"_s + body + u"\n\n"_s + getter
             + u"void Person::greet()\n{\n\n}\n\n"_s},
        {"argument renamed, beside an overload",
         [&](ClassModel *m) { argument(m)->setName(u"level"_s); }, kept + overload + getter,
         u"QString Person::describe(int level)\n"_s + body + u"\n\n"_s + getter + ifZero
             + overload.trimmed() + endIf},
        {"overload ambiguous", retype, kept + overload + getter,
         u"QString Person::describe(long depth)\n{\n\n}\n\n"_s + getter + ifZero + kept + gone
             + overload.trimmed() + endIf},
        {"include and helper kept, method removed, accessor follows",
         [](ClassModel *m) {
             m->removeMethod(u"describe"_s);
             m->attributes().first()->setName(u"m_years"_s);
         },
         include + kept + helper + getter,
         include + helper + QString(getter).replace(u"m_age"_s, u"m_years"_s) + ifZero + describe
             + body + endIf},
        {"unbalanced", Change([](ClassModel *) {}), unbalanced, unbalanced},
    };
    const QString keptAside =
        CodeGenerator::problemText(CodeGenerator::Problem::SourceKeptAside, u"Person"_s) + u'\n';
    for (const auto &row : rows) {
        for (const bool viaProgram : {false, true}) {
            Diagram diagram;
            ClassModel *person = diagram.add(u"Person"_s)->getModel();
            person->addAttribute(new ArgAtt(u"m_age"_s, u"int"_s, QString(), ArgAtt::Private));
            person->addMethod(new Function(u"describe"_s, u"QString"_s, ArgAtt::Public,
                                           {new ArgAtt(u"depth"_s, u"int"_s, QString(), 2)}));
            person->addMethod(new Function(u"getAge"_s, u"int"_s, ArgAtt::Getter, {}));
            person->methods().last()->setLinkedAtt(person->attributes().first());
            QTemporaryDir dir;
            const QString source = dir.filePath(u"person.cpp"_s);
            // The program tells what it wrote and left alone; the generator only if it succeeded.
            const auto generate = [&] {
                if (!viaProgram)
                    return generateCode(diagram, diagram.classes, dir.path()) ? u"0"_s : u"1"_s;
                const QString file = m_settings.filePath(u"person.vnls"_s);
                DiagramWriter::writeFile(file, diagram.classes, diagram.links);
                return run(m_program, {u"-g"_s, file, u"--output="_s + dir.path()})
                    .replace(dir.path() + u'/', QString());
            };
            const auto says = [&](const QString &all) { return viaProgram ? all : all.left(1); };
            const QString written = u"0\nperson.cpp\nperson.h\n"_s;
            QCOMPARE(generate(), says(written));
            const QString preamble = QString::fromUtf8(readAll(source)).section(describe, 0, 0);
            QVERIFY(writeFile(source, (preamble + row.oldTail).toUtf8()));
            row.change(person);
            const bool aside = row.newTail == row.oldTail;
            QCOMPARE(generate(), says(aside ? u"1\nperson.cpp.new\n"_s + keptAside
                                                  + u"Fichiers inchangés : 1\n"_s
                                            : written));
            QCOMPARE(QString::fromUtf8(readAll(source)), preamble + row.newTail);
            if (aside)
                QCOMPARE(readAll(source + u".new"_s),
                         CodeGenerator(diagram.links).sourceText(diagram.classes.first()).toUtf8());
            if (!viaProgram && row.oldTail.startsWith(include))
                QCOMPARE(compile(dir.path()), u"0\n"_s);

            // Regenerating what is on disk writes nothing, dates included.
            const QStringList touch{u"-c"_s, u"touch -d @1000 \"$0\"/*"_s, dir.path()};
            QCOMPARE(QProcess::execute(u"sh"_s, touch), 0);
            QCOMPARE(generate(), says((aside ? u"1\n"_s + keptAside : u"0\n"_s)
                                      + u"Fichiers inchangés : 2\n"_s));
            for (const QString &name : filesIn(dir.path()))
                QVERIFY2(QFileInfo(dir.filePath(name)).lastModified().toSecsSinceEpoch() == 1000,
                         qPrintable(QLatin1String(row.name) + u' ' + name));
        }
    }

    // A class with new files before one with written code: taking the second for new as
    // well must not lose the code.
    Diagram diagram;
    const QList<ClassItem *> items{diagram.add(u"Fresh"_s), diagram.add(u"Person"_s)};
    QTemporaryDir dir;
    QVERIFY(writeFile(dir.filePath(u"person.cpp"_s), kept.toUtf8()));
    QVERIFY(generateCode(diagram, items, dir.path()));
    QVERIFY(readAll(dir.filePath(u"person.cpp"_s)).contains(body.toUtf8()));
}

void TestCodeGen::compiles()
{
    for (const QString &path : {u"" VARNEL_SOURCE_DIR "/examples/library.vnls"_s,
                                u"" VARNEL_TEST_DATA "/compile/cycles.vnls"_s,
                                u"" VARNEL_TEST_DATA "/compile/types.vnls"_s}) {
        Diagram diagram;
        QVERIFY2(diagram.read(readAll(path)), qPrintable(path));
        QTemporaryDir dir;
        QVERIFY(generateCode(diagram, diagram.classes, dir.path()));
        for (const QString &file : filesIn(dir.path())) {
            QStringList lines = QString::fromUtf8(readAll(dir.filePath(file))).split(u'\n');
            QVERIFY2(lines.filter(u"#include"_s).removeDuplicates() == 0, qPrintable(file));
        }
        // The bodies of the skeleton are empty: only a missing return may warn.
        QCOMPARE(compile(dir.path(), u"-Wall -Wno-return-type -Werror"_s), u"0\n"_s);
    }
}

void TestCodeGen::window()
{
    Diagram diagram;
    for (const char *name : {"../Escape", "First", "Fine", "FINE", "Odd"})
        diagram.add(QLatin1String(name));
    CodeGen window(&diagram.classes, &diagram.links);
    QCheckBox *all = window.findChild<QCheckBox *>(u"che_genAll"_s);
    QListView *view = window.findChild<QListView *>(u"lis_classes"_s);
    QTemporaryDir dir;
    const QString folder = dir.filePath(u"out"_s);
    QVERIFY(QDir().mkpath(folder + u"/first.h"_s)
            && writeFile(folder + u"/odd.cpp"_s, "int x = {;\n"));
    const auto open = [&] {
        window.openGenerator();
        ModalAnswerer answerer;
        answerer.answerFileDialog(folder);
        window.findChild<QToolButton *>(u"too_dirPath"_s)->click();
        return answerer.waitUntilAnswered();
    };
    // Clicks "Générer le code", answering the one box expected with OK; what it said.
    const auto generate = [&] {
        ModalAnswerer answerer;
        answerer.answerMessageBox(QMessageBox::Ok);
        window.findChild<QCommandLinkButton *>(u"com_gen"_s)->click();
        answerer.waitUntilAnswered();
        return answerer.seen().size() == 1 ? answerer.seen().first().summary() : u"not one"_s;
    };

    window.openGenerator();
    all->click();
    QCOMPARE(generate(),
             u"Critical | Erreur | Vous n'avez pas spécifié le dossier de destination | Ok"_s);
    // Opened again, the window starts afresh: nothing picked.
    QVERIFY(open());
    QVERIFY(!all->isChecked());
    QCOMPARE(generate(), u"Information | Génération | Aucune classe sélectionnée. | Ok"_s);
    QVERIFY(window.isVisible());
    // The classes go in the order picked: of FINE and Fine, which share their files, the
    // first picked is written. One box at the end names every class that failed and why.
    for (int row : {3, 0, 1, 2, 4})
        view->selectionModel()->select(view->model()->index(row, 0), QItemSelectionModel::Select);
    QCOMPARE(generate(), u"Warning | Génération | La génération est terminée avec des erreurs.\n\n"
                         "Nom de classe invalide pour un fichier : ../Escape\n"
                         "Impossible de créer le fichier First.h\n"
                         "Nom de classe invalide pour un fichier : Fine\n"
                         "odd.cpp n'a pas pu être relu sans risque : il reste tel quel et "
                         "le nouveau squelette est écrit dans odd.cpp.new | Ok"_s);
    QVERIFY(!window.isVisible());
    QVERIFY(readAll(folder + u"/fine.h"_s).contains("class FINE\n"));
    QCOMPARE(filesIn(folder), u"fine.cpp fine.h first.h odd.cpp odd.cpp.new odd.h"_s.split(u' '));

    // Past twenty problems, the box keeps its size and says how many more there are.
    for (int i = 0; i < 20; ++i)
        diagram.add(u"Bad %1"_s.arg(i));
    QVERIFY(open());
    all->click();
    QVERIFY(generate().contains(u"fichier : Bad 15\n… et 4 autres, dans les détails |"_s));
}

// The real program as a build script runs it. In the arguments and the messages "@" stands
// for the test's folder, which holds shapes.vnls and an unreadable bad.vnls.
void TestCodeGen::commandLine()
{
    const int usage = CommandLine::UsageError, failed = CommandLine::GenerationFailed;
    const struct
    {
        const char *arguments;
        int exitCode;
        const char *err;
        const char *written = "";      // in order, below @/build/out
        const char *present = nullptr; // what circle.cpp holds there already; "": a folder
    } rows[] = {
        // One line that says what is wrong, and nothing written. Anything that looks like an
        // option reaches the parser, even without a display.
        {"-g @/shapes.vnls -o@/build/out b.vnls", usage, "Argument inattendu : b.vnls\n"},
        {"--generate @/shapes.vnls", usage, "L'option --output est manquante.\n"},
        {"--output=@/build/out", usage, "L'option --generate est manquante.\n"},
        {"-g @/shapes.vnls -gb.vnls -o@/build/out", usage,
         "Un seul diagramme et un seul dossier de destination sont admis.\n"},
        {"--bogus @/shapes.vnls", usage, "Option inconnue \"bogus\".\n"},
        {"-g @/none.vnls -o@/build/out", failed,
         "Impossible d'ouvrir le fichier à cet emplacement : @/none.vnls\n"},
        {"-g @/bad.vnls -o@/build/out", failed,
         "Le fichier de sauvegarde a bien été ouvert mais il est impossible de le lire. "
         "@/bad.vnls\n"},
        // The folder is created; the parent not generated still shapes the header.
        {"--generate @/shapes.vnls --output @/build/out", CommandLine::Success, "",
         "shape.cpp shape.h circle.cpp circle.h"},
        {"-g @/shapes.vnls -o @/build/out --class Square --class Circle --class shape", failed,
         "Classe absente du diagramme : Square\nClasse absente du diagramme : shape\n",
         "circle.cpp circle.h"},
        // A fresh skeleton on request, over code that would otherwise be kept.
        {"-g @/shapes.vnls -o @/build/out -cCircle --overwrite", CommandLine::Success, "",
         "circle.cpp circle.h", "int kept;\n"},
        {"-g @/shapes.vnls -o @/build/out -cCircle", failed,
         "Impossible de créer le fichier Circle.cpp\n", "", ""},
    };
    for (const auto &row : rows) {
        QTemporaryDir dir;
        QVERIFY(writeFile(dir.filePath(u"shapes.vnls"_s), example(u"shapes.vnls"_s))
                && writeFile(dir.filePath(u"bad.vnls"_s), "<main><class name=\"A\">"));
        const QString output = dir.filePath(u"build/out"_s), cpp = output + u"/circle.cpp"_s;
        if (row.present)
            QVERIFY(QDir().mkpath(*row.present ? output : cpp)
                    && (!*row.present || writeFile(cpp, row.present)));
        const QStringList written = QString::fromUtf8(row.written).split(u' ', Qt::SkipEmptyParts);
        QString said = QString::number(row.exitCode) + u'\n';
        for (const QString &name : written)
            said += u"@/build/out/"_s + name + u'\n';
        const QString arguments = QString::fromUtf8(row.arguments).replace(u'@', dir.path());
        QCOMPARE(run(m_program, arguments.split(u' ')).replace(dir.path(), u"@"_s),
                 said + QString::fromUtf8(row.err));
        for (const QString &name : written)
            if (name.startsWith(u"circle"_s))
                QCOMPARE(readAll(output + u'/' + name), example(name));
        QStringList files = written + QStringList(row.present ? 1 : 0, u"circle.cpp"_s);
        files.removeDuplicates();
        files.sort();
        QCOMPARE(filesIn(output), files);
    }
}

VARNEL_WINDOW_TEST_MAIN(TestCodeGen)
#include "tst_codegen.moc"
