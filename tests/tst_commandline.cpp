// Headless generation: the real varnel program run with --generate, as a build script would.
#include "canvas/classitem.h"
#include "canvas/link.h"
#include "codegen/commandline.h"
#include "codegenexample.h"
#include "persistence/diagramreader.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <vector>

namespace {

struct Run
{
    int exitCode = -1;
    QString out;
    QString err;
};

// Runs varnel without a display: anything that needed one would fail here.
Run runVarnel(const QStringList &arguments, const QString &program = QStringLiteral(VARNEL_BINARY))
{
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("DISPLAY"));
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    process.setProcessEnvironment(env);
    process.start(program, arguments);
    Run run;
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit) {
        process.kill();
        process.waitForFinished();
        return run;
    }
    run.exitCode = process.exitCode();
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

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

QStringList args(std::initializer_list<const char *> texts)
{
    QStringList list;
    for (const char *text : texts)
        list.append(QString::fromUtf8(text));
    return list;
}

QString native(const QString &path)
{
    return QDir::toNativeSeparators(path);
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
// the argument handling and the unreadable file can be checked.
bool readerReads()
{
    DiagramReader reader(nullptr);
    const bool read = reader.readData(QByteArray(shapesDiagram)) == DiagramReader::ReadOk;
    const QList<ClassItem *> classes = reader.takeClasses();
    qDeleteAll(reader.takeLinks());
    qDeleteAll(classes);
    return read && classes.size() == 2;
}

} // namespace

class TestCommandLine : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void headless_data();
    void headless();
    void help();
    void version();
    void usageErrors_data();
    void usageErrors();
    void everyClass();
    void pickedClass();
    void unknownClass();
    void invalidClassName();
    void missingDiagram();
    void unparsableDiagram();
    void outputIsCreated();
    void outputBelowAFile();
    void headerCannotBeWritten();
    void emptyDiagram();
    void settingsLanguage();

private:
    QString shapesPath() const { return m_dir->filePath(QStringLiteral("shapes.vnls")); }
    QString outPath() const { return m_dir->filePath(QStringLiteral("out")); }

    QTemporaryDir *m_dir = nullptr;
};

void TestCommandLine::init()
{
    m_dir = new QTemporaryDir;
    QVERIFY(m_dir->isValid());
    QVERIFY(writeFile(shapesPath(), shapesDiagram));
    QVERIFY(QDir().mkpath(outPath()));
}

void TestCommandLine::cleanup()
{
    delete m_dir;
    m_dir = nullptr;
}

void TestCommandLine::headless_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("headless");
    QTest::newRow("no argument") << QStringList() << false;
    QTest::newRow("a diagram to open") << args({"shapes.vnls"}) << false;
    QTest::newRow("toolkit option") << args({"-style", "fusion", "shapes.vnls"}) << false;
    QTest::newRow("generate") << args({"--generate", "a.vnls", "--output", "d"}) << true;
    QTest::newRow("generate with equals") << args({"--generate=a.vnls"}) << true;
    QTest::newRow("output alone") << args({"a.vnls", "--output", "d"}) << true;
    QTest::newRow("class alone") << args({"--class", "A"}) << true;
    QTest::newRow("help") << args({"--help"}) << true;
    QTest::newRow("short help") << args({"-h"}) << true;
    QTest::newRow("version") << args({"--version"}) << true;
    QTest::newRow("a file that only starts like an option") << args({"--generated.vnls"}) << false;
    QTest::newRow("after the end of options") << args({"--", "--help"}) << false;
}

void TestCommandLine::headless()
{
    QFETCH(QStringList, arguments);
    QFETCH(bool, headless);
    arguments.prepend(QStringLiteral("varnel"));
    std::vector<QByteArray> bytes;
    for (const QString &argument : std::as_const(arguments))
        bytes.push_back(argument.toLocal8Bit());
    std::vector<char *> argv;
    for (QByteArray &argument : bytes)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    QCOMPARE(CommandLine::isHeadless(int(arguments.size()), argv.data()), headless);
}

void TestCommandLine::help()
{
    const Run run = runVarnel({QStringLiteral("--help")});
    QCOMPARE(run.exitCode, 0);
    for (const char *option : {"--generate", "--output", "--class", "--version"})
        QVERIFY2(run.out.contains(QLatin1String(option)), option);
    QCOMPARE(run.err, QString());
}

void TestCommandLine::version()
{
    const Run run = runVarnel({QStringLiteral("--version")});
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.out, QStringLiteral("varnel 1.0\n"));
    QCOMPARE(run.err, QString());
}

void TestCommandLine::usageErrors_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("message");
    QTest::newRow("no --output") << args({"--generate", "@shapes"})
                                 << "L'option --output est manquante.";
    QTest::newRow("no --generate")
        << args({"--output", "@out"}) << "L'option --generate est manquante.";
    QTest::newRow("--generate without its value")
        << args({"--output", "@out", "--generate"}) << "'--generate'";
    QTest::newRow("unknown option")
        << args({"--generate", "@shapes", "--output", "@out", "--force"}) << "'force'";
    QTest::newRow("stray argument")
        << args({"--generate", "@shapes", "--output", "@out", "more.vnls"})
        << "Argument inattendu : more.vnls";
    QTest::newRow("two diagrams") << args(
        {"--generate", "@shapes", "--generate", "@shapes", "--output",
         "@out"}) << "Un seul diagramme et un seul dossier de destination sont admis.";
}

void TestCommandLine::usageErrors()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, message);
    arguments.replaceInStrings(QStringLiteral("@shapes"), shapesPath());
    arguments.replaceInStrings(QStringLiteral("@out"), outPath());
    const Run run = runVarnel(arguments);
    QCOMPARE(run.exitCode, int(CommandLine::UsageError));
    // One line that says what is wrong; the parser's own messages are its own words.
    QVERIFY2(run.err.contains(message), qPrintable(run.err));
    QCOMPARE(run.err.count(QLatin1Char('\n')), 1);
    QVERIFY(run.err.endsWith(QLatin1Char('\n')));
    QCOMPARE(run.out, QString());
    QVERIFY(filesIn(outPath()).isEmpty());
}

void TestCommandLine::everyClass()
{
    if (!readerReads())
        QSKIP("the diagram reader cannot read diagrams yet");
    const Run run = runVarnel(
        {QStringLiteral("--generate"), shapesPath(), QStringLiteral("--output"), outPath()});
    QCOMPARE(run.err, QString());
    QCOMPARE(run.exitCode, 0);
    const QString base = native(outPath()) + QDir::separator();
    QCOMPARE(run.out, base + QStringLiteral("shape.cpp\n") + base + QStringLiteral("shape.h\n")
                          + base + QStringLiteral("circle.cpp\n") + base
                          + QStringLiteral("circle.h\n"));
    QCOMPARE(readAll(base + QStringLiteral("circle.h")), QByteArray(circleHeader));
    QCOMPARE(readAll(base + QStringLiteral("circle.cpp")), QByteArray(circleSource));
    QVERIFY(readAll(base + QStringLiteral("shape.h"))
                .contains("class Shape\n{\n\npublic:\n    QString m_name;\n"));
    QCOMPARE(filesIn(outPath()),
             QStringList({QStringLiteral("circle.cpp"), QStringLiteral("circle.h"),
                          QStringLiteral("shape.cpp"), QStringLiteral("shape.h")}));
}

void TestCommandLine::pickedClass()
{
    if (!readerReads())
        QSKIP("the diagram reader cannot read diagrams yet");
    // The parent is not generated, yet its includes still shape the header.
    const Run run =
        runVarnel({QStringLiteral("--generate"), shapesPath(), QStringLiteral("--output"),
                   outPath(), QStringLiteral("--class"), QStringLiteral("Circle")});
    QCOMPARE(run.err, QString());
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.out.count(QLatin1Char('\n')), 2);
    QCOMPARE(filesIn(outPath()),
             QStringList({QStringLiteral("circle.cpp"), QStringLiteral("circle.h")}));
    QCOMPARE(readAll(QDir(outPath()).filePath(QStringLiteral("circle.h"))),
             QByteArray(circleHeader));
}

void TestCommandLine::unknownClass()
{
    if (!readerReads())
        QSKIP("the diagram reader cannot read diagrams yet");
    const Run run = runVarnel(
        {QStringLiteral("--generate"), shapesPath(), QStringLiteral("--output"), outPath(),
         QStringLiteral("--class"), QStringLiteral("Square"), QStringLiteral("--class"),
         QStringLiteral("Shape"), QStringLiteral("--class"), QStringLiteral("shape")});
    QCOMPARE(run.exitCode, int(CommandLine::GenerationFailed));
    QCOMPARE(run.err, QStringLiteral("Classe absente du diagramme : Square\n"
                                     "Classe absente du diagramme : shape\n"));
    // The classes that exist are written all the same.
    QCOMPARE(filesIn(outPath()),
             QStringList({QStringLiteral("shape.cpp"), QStringLiteral("shape.h")}));
    QCOMPARE(run.out.count(QLatin1Char('\n')), 2);
}

void TestCommandLine::invalidClassName()
{
    if (!readerReads())
        QSKIP("the diagram reader cannot read diagrams yet");
    QVERIFY(writeFile(shapesPath(), diagramOf({QStringLiteral("../Up"), QStringLiteral("Kept")})));
    const Run run = runVarnel(
        {QStringLiteral("--generate"), shapesPath(), QStringLiteral("--output"), outPath()});
    QCOMPARE(run.exitCode, int(CommandLine::GenerationFailed));
    QCOMPARE(run.err, QStringLiteral("Nom de classe invalide pour un fichier : ../Up\n"));
    QCOMPARE(filesIn(outPath()),
             QStringList({QStringLiteral("kept.cpp"), QStringLiteral("kept.h")}));
    QCOMPARE(filesIn(m_dir->path()),
             QStringList({QStringLiteral("out"), QStringLiteral("shapes.vnls")}));
}

void TestCommandLine::missingDiagram()
{
    const QString missing = m_dir->filePath(QStringLiteral("absent.vnls"));
    const Run run =
        runVarnel({QStringLiteral("--generate"), missing, QStringLiteral("--output"), outPath()});
    QCOMPARE(run.exitCode, int(CommandLine::GenerationFailed));
    QCOMPARE(run.err, QStringLiteral("Impossible d'ouvrir le fichier à cet emplacement : ")
                          + native(missing) + QLatin1Char('\n'));
    QCOMPARE(run.out, QString());
    QVERIFY(filesIn(outPath()).isEmpty());
}

void TestCommandLine::unparsableDiagram()
{
    if (!readerReads())
        QSKIP("the diagram reader cannot read diagrams yet");
    QVERIFY(writeFile(shapesPath(), "<main><class name=\"A\">"));
    const Run run = runVarnel(
        {QStringLiteral("--generate"), shapesPath(), QStringLiteral("--output"), outPath()});
    QCOMPARE(run.exitCode, int(CommandLine::GenerationFailed));
    QCOMPARE(run.err, QStringLiteral("Le fichier de sauvegarde a bien été ouvert mais il est "
                                     "impossible de le lire. ")
                          + native(shapesPath()) + QLatin1Char('\n'));
    QCOMPARE(run.out, QString());
    QVERIFY(filesIn(outPath()).isEmpty());
}

void TestCommandLine::outputIsCreated()
{
    if (!readerReads())
        QSKIP("the diagram reader cannot read diagrams yet");
    const QString nested = m_dir->filePath(QStringLiteral("build/generated"));
    const Run run =
        runVarnel({QStringLiteral("--generate"), shapesPath(), QStringLiteral("--output"), nested});
    QCOMPARE(run.err, QString());
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(filesIn(nested).size(), 4);
}

void TestCommandLine::outputBelowAFile()
{
    if (!readerReads())
        QSKIP("the diagram reader cannot read diagrams yet");
    const QString below = shapesPath() + QStringLiteral("/out");
    const Run run =
        runVarnel({QStringLiteral("--generate"), shapesPath(), QStringLiteral("--output"), below});
    QCOMPARE(run.exitCode, int(CommandLine::GenerationFailed));
    QCOMPARE(run.err,
             QStringLiteral("Impossible de créer le dossier ") + native(below) + QLatin1Char('\n'));
    QCOMPARE(run.out, QString());
}

void TestCommandLine::headerCannotBeWritten()
{
    if (!readerReads())
        QSKIP("the diagram reader cannot read diagrams yet");
    QVERIFY(QDir(outPath()).mkdir(QStringLiteral("circle.h")));
    const Run run = runVarnel(
        {QStringLiteral("--generate"), shapesPath(), QStringLiteral("--output"), outPath()});
    QCOMPARE(run.exitCode, int(CommandLine::GenerationFailed));
    QCOMPARE(run.err, QStringLiteral("Impossible de créer le fichier Circle.h\n"));
    // Shape is written; Circle leaves no lone source file.
    QCOMPARE(filesIn(outPath()),
             QStringList({QStringLiteral("circle.h"), QStringLiteral("shape.cpp"),
                          QStringLiteral("shape.h")}));
    QCOMPARE(run.out.count(QLatin1Char('\n')), 2);
}

void TestCommandLine::emptyDiagram()
{
    if (!readerReads())
        QSKIP("the diagram reader cannot read diagrams yet");
    QVERIFY(writeFile(shapesPath(), diagramOf({})));
    const Run run = runVarnel(
        {QStringLiteral("--generate"), shapesPath(), QStringLiteral("--output"), outPath()});
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.out, QString());
    QCOMPARE(run.err, QStringLiteral("Aucune classe à générer.\n"));
}

void TestCommandLine::settingsLanguage()
{
    // A copy of the program beside its settings and its English translation.
    const QString binary = QStringLiteral(VARNEL_BINARY);
    const QString copy = m_dir->filePath(QStringLiteral("varnel"));
    QVERIFY(QFile::copy(binary, copy));
    QVERIFY(QFile::copy(QFileInfo(binary).dir().filePath(QStringLiteral("Varnel_en.qm")),
                        m_dir->filePath(QStringLiteral("Varnel_en.qm"))));
    QVERIFY(writeFile(m_dir->filePath(QStringLiteral("cfgs.xml")),
                      "<?xml version='1.0' encoding='ISO-8859-1'?>\n<cfgs language=\"en\"/>\n"));

    const QString missing = m_dir->filePath(QStringLiteral("absent.vnls"));
    const Run failed = runVarnel(
        {QStringLiteral("--generate"), missing, QStringLiteral("--output"), outPath()}, copy);
    QCOMPARE(failed.exitCode, int(CommandLine::GenerationFailed));
    QCOMPARE(failed.err, QStringLiteral("Cannot open the file at this location: ") + native(missing)
                             + QLatin1Char('\n'));

    const Run help = runVarnel({QStringLiteral("--help")}, copy);
    QCOMPARE(help.exitCode, 0);
    QVERIFY2(help.out.contains(QLatin1String("--output <folder>")), qPrintable(help.out));
    QVERIFY2(help.out.contains(QLatin1String("Folder where the files are written.")),
             qPrintable(help.out));
}

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
