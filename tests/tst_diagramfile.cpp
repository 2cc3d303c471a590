// The .vnls file: its exact bytes, its reading rules and what damaged or hostile files do.
#include "canvas/classitem.h"
#include "canvas/link.h"
#include "model/argatt.h"
#include "model/classmodel.h"
#include "model/function.h"
#include "model/linkmodel.h"
#include "persistence/cfg.h"
#include "persistence/diagramreader.h"
#include "persistence/diagramwriter.h"
#include "testsupport/filesizelimit.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

namespace {

// A diagram that deletes what it holds, links first.
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

    ClassModel *addClass(const QString &name, double x = 0, double y = 0)
    {
        auto *item = new ClassItem(nullptr);
        item->getModel()->setName(name);
        item->setPos(x, y);
        classes.append(item);
        return item->getModel();
    }

    void addLink(int master, int slave, int type)
    {
        auto *link = new Link;
        link->getModel()->setMaster(master < 0 ? nullptr : classes.at(master));
        link->getModel()->setSlave(slave < 0 ? nullptr : classes.at(slave));
        link->getModel()->setType(type);
        links.append(link);
    }

    // Takes what a reader built; the status of the read is returned.
    DiagramReader::Status read(const QByteArray &data)
    {
        DiagramReader reader(nullptr);
        const DiagramReader::Status status = reader.readData(data);
        classes = reader.takeClasses();
        links = reader.takeLinks();
        return status;
    }

    QByteArray bytes() const { return DiagramWriter::toBytes(classes, links); }

    // Every field, with link ends and accessor links as indexes so that a wrong
    // target shows as well as a wrong name.
    QStringList describe() const
    {
        QStringList lines;
        for (const ClassItem *item : classes) {
            const ClassModel *model = item->getModel();
            lines << QStringLiteral("class %1|%2|%3|%4|%5|%6")
                         .arg(model->name(), model->comment(), model->parentName(),
                              model->includes().join(QLatin1Char(',')),
                              QString::number(item->pos().x(), 'g', 17),
                              QString::number(item->pos().y(), 'g', 17));
            const QList<ArgAtt *> attributes = model->attributes();
            for (const Function *method : model->methods()) {
                lines << QStringLiteral(" method %1|%2|%3|linked %4")
                             .arg(method->name(), method->returnType())
                             .arg(method->range())
                             .arg(attributes.indexOf(method->linkedAtt()));
                for (const ArgAtt *arg : method->args())
                    lines << QStringLiteral("  arg %1|%2|%3|%4")
                                 .arg(arg->name(), arg->type(), arg->defValue())
                                 .arg(arg->range());
            }
            for (const ArgAtt *attribute : attributes)
                lines << QStringLiteral(" attribute %1|%2|%3|%4")
                             .arg(attribute->name(), attribute->type(), attribute->defValue())
                             .arg(attribute->range());
        }
        for (const Link *link : links)
            lines << QStringLiteral("link %1 %2 %3")
                         .arg(classes.indexOf(link->getModel()->master()))
                         .arg(classes.indexOf(link->getModel()->slave()))
                         .arg(link->getModel()->type());
        return lines;
    }
};

const char smallFile[] =
    "<?xml version='1.0' encoding='ISO-8859-1'?>\n"
    "<main version=\"1\" name=\"DEFAULT\">\n"
    " <class name=\"Shape\" comment=\"Base of all shapes\" parentName=\"\" includes=\"QString;\" "
    "posX=\"40\" posY=\"60\">\n"
    "  <function name=\"moveBy\" returnType=\"void\" range=\"1\">\n"
    "   <arg-att name=\"dx\" range=\"2\" type=\"double\" defValue=\"\"/>\n"
    "   <arg-att name=\"dy\" range=\"2\" type=\"double\" defValue=\"0\"/>\n"
    "  </function>\n"
    "  <function name=\"getLabel\" returnType=\"QString\" range=\"4\" linkedAtt=\"m_label\"/>\n"
    "  <arg-att name=\"m_label\" range=\"0\" type=\"QString\" defValue=\"\"/>\n"
    " </class>\n"
    " <class name=\"Circle\" comment=\"\" parentName=\"\" includes=\"\" posX=\"300\" "
    "posY=\"60.5\">\n"
    "  <arg-att name=\"m_radius\" range=\"0\" type=\"double\" defValue=\"1.0\"/>\n"
    " </class>\n"
    " <link master=\"Shape\" slave=\"Circle\" type=\"0\"/>\n"
    "</main>\n";

ArgAtt *argAtt(const QString &name, const QString &type, const QString &value, int range)
{
    return new ArgAtt(name, type, value, range);
}

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

QByteArray nested(int depth)
{
    return "<class name='A'>" + QByteArray("<n>").repeated(depth)
           + QByteArray("</n>").repeated(depth) + "</class>";
}

} // namespace

class TestDiagramFile : public QObject
{
    Q_OBJECT

private slots:
    void writesTheSmallFileExactly();
    void numbers_data();
    void numbers();
    void escapesMarkupAndTextOutsideLatin1();
    void skipsLinksWithoutTwoEnds();
    void failedWriteKeepsThePreviousFile();
    void roundTripKeepsEverything();
    void readingRules_data();
    void readingRules();
    void examplesAreInTheirWrittenForm();
    void refusedInputs_data();
    void refusedInputs();
    void regressionInputs();
    void settingsRegressionInputs();

private:
    QTemporaryDir m_dir;
};

void TestDiagramFile::writesTheSmallFileExactly()
{
    Diagram diagram;
    ClassModel *shape = diagram.addClass(QStringLiteral("Shape"), 40, 60);
    shape->setComment(QStringLiteral("Base of all shapes"));
    shape->setIncludes({QStringLiteral("QString")});
    shape->addMethod(new Function(
        QStringLiteral("moveBy"), QStringLiteral("void"), ArgAtt::Public,
        {argAtt(QStringLiteral("dx"), QStringLiteral("double"), QString(), ArgAtt::Protected),
         argAtt(QStringLiteral("dy"), QStringLiteral("double"), QStringLiteral("0"),
                ArgAtt::Protected)}));
    ArgAtt *label =
        argAtt(QStringLiteral("m_label"), QStringLiteral("QString"), QString(), ArgAtt::Private);
    auto *getter =
        new Function(QStringLiteral("getLabel"), QStringLiteral("QString"), ArgAtt::Getter, {});
    getter->setLinkedAtt(label);
    shape->addMethod(getter);
    shape->addAttribute(label);
    diagram.addClass(QStringLiteral("Circle"), 300, 60.5)
        ->addAttribute(argAtt(QStringLiteral("m_radius"), QStringLiteral("double"),
                              QStringLiteral("1.0"), ArgAtt::Private));
    diagram.addLink(0, 1, LinkModel::Inheritance);
    QCOMPARE(diagram.bytes(), QByteArray(smallFile));

    // Read back, it is the same diagram, and the boxes lie above the links.
    Diagram back;
    QCOMPARE(back.read(smallFile), DiagramReader::ReadOk);
    QCOMPARE(back.describe(), diagram.describe());
    QCOMPARE(back.classes.at(1)->zValue(), 1.0);
    QCOMPARE(back.links.at(0)->zValue(), 0.0);

    QCOMPARE(DiagramWriter::toBytes({}, {}),
             QByteArray("<?xml version='1.0' encoding='ISO-8859-1'?>\n"
                        "<main version=\"1\" name=\"DEFAULT\"/>\n"));
}

void TestDiagramFile::numbers_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QByteArray>("text");
    QTest::newRow("whole") << 1.0 << QByteArray("1");
    QTest::newRow("negative half") << -35.25 << QByteArray("-35.25");
    QTest::newRow("negative zero") << -0.0 << QByteArray("0");
    QTest::newRow("sixteen digits") << 0.1 + 0.2 << QByteArray("0.3");
    QTest::newRow("large") << 5000.0 << QByteArray("5000");
    QTest::newRow("float noise") << double(60.1f) << QByteArray("60.09999847412109");
}

void TestDiagramFile::numbers()
{
    QFETCH(double, value);
    QFETCH(QByteArray, text);
    Diagram diagram;
    diagram.addClass(QStringLiteral("A"), value, 0);
    QVERIFY(diagram.bytes().contains(" posX=\"" + text + "\" posY=\"0\""));
}

void TestDiagramFile::escapesMarkupAndTextOutsideLatin1()
{
    Diagram diagram;
    ClassModel *model = diagram.addClass(QStringLiteral("Tom & \"Jerry\""));
    model->setComment(QStringLiteral("a < b > c\r\nnext\tline"));
    model->setParentName(QStringLiteral("Caf\u00e9"));
    model->setIncludes({QStringLiteral("A"), QStringLiteral("B")});
    model->addAttribute(argAtt(QStringLiteral("m_price"), QStringLiteral("QList<Shape*>"),
                               QStringLiteral("\u20ac \U0001F600"), 0));
    const QByteArray bytes = diagram.bytes();
    QVERIFY(bytes.contains("<class name=\"Tom &amp; &quot;Jerry&quot;\" "
                           "comment=\"a &lt; b > c&#xd;&#xa;next&#x9;line\" "
                           "parentName=\"Caf\xe9\" includes=\"A;B;\""));
    QVERIFY(bytes.contains("type=\"QList&lt;Shape*>\" defValue=\"&#x20ac; &#x1f600;\""));
}

void TestDiagramFile::skipsLinksWithoutTwoEnds()
{
    Diagram diagram;
    diagram.addClass(QStringLiteral("A"));
    diagram.addClass(QStringLiteral("B"));
    diagram.addLink(0, -1, LinkModel::Inheritance);
    diagram.addLink(-1, 1, LinkModel::Aggregation);
    diagram.addLink(1, 1, LinkModel::Association);
    diagram.addLink(1, 0, LinkModel::Aggregation);
    const QByteArray bytes = diagram.bytes();
    QCOMPARE(bytes.count("<link "), 1);
    QVERIFY(bytes.contains(" <link master=\"B\" slave=\"A\" type=\"1\"/>\n"));
}

void TestDiagramFile::failedWriteKeepsThePreviousFile()
{
    Diagram diagram;
    diagram.addClass(QStringLiteral("A"))->setComment(QString(4000, QLatin1Char('c')));
    const QString path = m_dir.filePath(QStringLiteral("previous.vnls"));
    QVERIFY(writeAll(path, "previous"));

    // The disk fills up half way.
    bool written = true;
    {
        const FileSizeLimit limit(1000);
        QVERIFY(limit.isActive());
        written = DiagramWriter::writeFile(path, diagram.classes, diagram.links);
    }
    QVERIFY(!written);
    QCOMPARE(readAll(path), QByteArray("previous"));
    QCOMPARE(QDir(m_dir.path()).entryList(QDir::Files),
             QStringList{QStringLiteral("previous.vnls")});

    // No file can go below a file or over a folder.
    QVERIFY(!DiagramWriter::writeFile(path + QStringLiteral("/x.vnls"), {}, {}));
    QVERIFY(!DiagramWriter::writeFile(m_dir.path(), {}, {}));
    QVERIFY(!DiagramWriter::writeFile(QString(), {}, {}));

    QVERIFY(DiagramWriter::writeFile(path, diagram.classes, diagram.links));
    QCOMPARE(readAll(path), diagram.bytes());
}

void TestDiagramFile::roundTripKeepsEverything()
{
    // The examples keep accessor links, ranges, includes and links (see below); this
    // adds text outside Latin-1, line breaks, blanks and markup in every field.
    const QString odd = QStringLiteral(
        " \u20ac\u0152 \u65e5\u672c \U0001F600 \u00ff\t<a b='c'> &amp; ]]>\nnext\r\n ");
    Diagram diagram;
    ClassModel *model = diagram.addClass(odd, 60.5, -35.25);
    model->setComment(odd);
    model->setParentName(odd);
    model->addAttribute(argAtt(odd, odd, odd, 1));
    model->addMethod(new Function(odd, odd, 7, {argAtt(odd, odd, odd, 2)}));
    diagram.addClass(QString(), 9999.75, 0.125); // an unnamed class keeps its place
    diagram.addLink(1, 0, LinkModel::Association);

    const QByteArray bytes = diagram.bytes();
    Diagram back;
    QCOMPARE(back.read(bytes), DiagramReader::ReadOk);
    QCOMPARE(back.describe(), diagram.describe());
    QCOMPARE(back.bytes(), bytes);
}

void TestDiagramFile::readingRules_data()
{
    // The body of <main> (where "<c " stands for "<class ") and what is read from it.
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QStringList>("read");
    const auto row = [](const char *name, const char *body, const QString &lines) {
        QTest::newRow(name) << QByteArray(body)
                                   .replace("<c ", "<class ")
                                   .replace("<c>", "<class>")
                                   .replace("</c>", "</class>")
                            << lines.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    };
    row("includes both ways", "<c name='A' includes='A;B;'/><c name='B' includes=';;A;; B '/>",
        QStringLiteral("class A|||A,B|0|0/class B|||A, B |0|0"));
    row("positions", "<c posX='60.5' posY='-2E1'/><c posY='12'/><c posX='' posY='px'/>",
        QStringLiteral("class ||||60.5|-20/class ||||0|12/class ||||0|0"));
    row("odd numbers", "<c posX='1e999' posY='nan'/><c posX='-0' posY='-inf'/><c posX='1e300'/>",
        QStringLiteral("class ||||0|0/class ||||0|0/class ||||1000000|0"));
    row("ranges",
        "<c><function range='7'><arg-att range='-3'/></function>"
        "<arg-att range='2147483648'/><arg-att range='1.0'/><arg-att range='0x1'/></c>",
        QStringLiteral("class ||||0|0/ method ||7|linked -1/  arg |||-3/"
                       " attribute |||0/ attribute |||0/ attribute |||0"));
    row("missing attributes", "<c><function><arg-att/></function><arg-att/></c>",
        QStringLiteral("class ||||0|0/ method ||0|linked -1/  arg |||0/ attribute |||0"));
    row("unknown elements",
        "<note><c name='Hidden'/></note><arg-att name='stray'/><c name='A'><note/><c name='N'/>"
        "<function name='f'><note><arg-att name='deep'/></note>text<![CDATA[x]]><?pi x?>"
        "<arg-att name='x'/></function><arg-att name='a'><arg-att name='child'/></arg-att></c>"
        "<c name='B'/><link master='A' slave='B' type='2'><note/></link>",
        QStringLiteral("class A||||0|0/ method f||0|linked -1/  arg x|||0/ attribute a|||0/"
                       "class B||||0|0/link 0 1 2"));
    row("linkedAtt names an attribute, the last of its name",
        "<c><function linkedAtt='a'/><arg-att name='a'/><arg-att name='a'/></c>",
        QStringLiteral("class ||||0|0/ method ||0|linked 1/ attribute a|||0/ attribute a|||0"));
    row("linkedAtt names no attribute",
        "<c><function linkedAtt='x'><arg-att name='x'/></function><arg-att name='X'/></c>",
        QStringLiteral("class ||||0|0/ method ||0|linked -1/  arg x|||0/ attribute X|||0"));
    row("links need two ends read before them",
        "<link master='A' slave='B'/><c name='A'/><c name='B'/><link master='A' slave='Z'/>"
        "<link slave='B'/><link master='A' slave='A'/><link master='B' slave='A' type='1'/>",
        QStringLiteral("class A||||0|0/class B||||0|0/link 1 0 1"));
    row("links take the last class of a name read so far",
        "<c name='A'/><c name='B'/><link master='A' slave='B'/><c name='A'/>"
        "<link master='A' slave='B'/>",
        QStringLiteral("class A||||0|0/class B||||0|0/class A||||0|0/link 0 1 0/link 2 1 0"));
    row("internal entity", "<!DOCTYPE main [<!ENTITY s \"Shape\">]><c name='&s;2'/>",
        QStringLiteral("class Shape2||||0|0"));
    row("external entity in content is not loaded",
        "<!DOCTYPE main [<!ENTITY e SYSTEM \"file:///etc/passwd\">]>&e;<c name='A'/>",
        QStringLiteral("class A||||0|0"));
    row("nesting within the limit", nested(200).constData(), QStringLiteral("class A||||0|0"));
}

void TestDiagramFile::readingRules()
{
    QFETCH(QByteArray, body);
    QFETCH(QStringList, read);
    // A document type must come first.
    const qsizetype split = body.startsWith("<!") ? body.indexOf("]>") + 2 : 0;
    Diagram diagram;
    QCOMPARE(diagram.read(body.left(split) + "<main>" + body.mid(split) + "</main>"),
             DiagramReader::ReadOk);
    QCOMPARE(diagram.describe(), read);
    // Only resolved accessor links are written, and what is written reads back the same.
    const QByteArray bytes = diagram.bytes();
    QCOMPARE(bytes.count("linkedAtt="),
             read.filter(QRegularExpression(QStringLiteral("linked \\d"))).size());
    Diagram again;
    QCOMPARE(again.read(bytes), DiagramReader::ReadOk);
    QCOMPARE(again.bytes(), bytes);
}

void TestDiagramFile::examplesAreInTheirWrittenForm()
{
    const QDir examples(QStringLiteral(VARNEL_SOURCE_DIR "/examples"));
    const QStringList files = examples.entryList({QStringLiteral("*.vnls")}, QDir::Files);
    QVERIFY(files.contains(QStringLiteral("shapes.vnls")));
    for (const QString &name : files) {
        DiagramReader reader(nullptr);
        QCOMPARE(reader.readFile(examples.filePath(name)), DiagramReader::ReadOk);
        QCOMPARE(reader.droppedLinks(), 0);
        Diagram diagram;
        diagram.classes = reader.takeClasses();
        diagram.links = reader.takeLinks();
        QVERIFY2(!diagram.classes.isEmpty(), qPrintable(name));
        QVERIFY2(diagram.bytes() == readAll(examples.filePath(name)), qPrintable(name));
    }
}

void TestDiagramFile::refusedInputs_data()
{
    // A path below the test folder, or data written to a file there.
    QTest::addColumn<QString>("path");
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<int>("status");
    QVERIFY(QDir().mkpath(m_dir.filePath(QStringLiteral("dir.vnls"))));
    QVERIFY(::mkfifo(QFile::encodeName(m_dir.filePath(QStringLiteral("pipe.vnls"))), 0600) == 0);
    const int cannotOpen = DiagramReader::CannotOpen;
    const int cannotParse = DiagramReader::CannotParse;
    QTest::newRow("missing") << QStringLiteral("nothing.vnls") << QByteArray() << cannotOpen;
    QTest::newRow("directory") << QStringLiteral("dir.vnls") << QByteArray() << cannotOpen;
    QTest::newRow("pipe nobody writes")
        << QStringLiteral("pipe.vnls") << QByteArray() << cannotOpen;
    QTest::newRow("endless device") << QStringLiteral("/dev/zero") << QByteArray() << cannotOpen;
    QTest::newRow("two roots") << QString() << QByteArray("<main/><main/>") << cannotParse;
    QTest::newRow("mismatched") << QString() << QByteArray("<main><c></main></c>") << cannotParse;
    QTest::newRow("bare ampersand")
        << QString() << QByteArray("<main><class name='&'/></main>") << cannotParse;
    QTest::newRow("nul bytes") << QString() << QByteArray(1000, '\0') << cannotParse;
    QTest::newRow("deep nesting") << QString() << "<main>" + nested(100000) + "</main>"
                                  << cannotParse;
}

void TestDiagramFile::refusedInputs()
{
    QFETCH(QString, path);
    QFETCH(QByteArray, data);
    QFETCH(int, status);
    if (path.isEmpty()) {
        path = m_dir.filePath(QStringLiteral("bad.vnls"));
        QVERIFY(writeAll(path, data));
    }
    DiagramReader reader(nullptr);
    QCOMPARE(int(reader.readFile(QDir(m_dir.path()).filePath(path))), status);
    QVERIFY(reader.takeClasses().isEmpty());
}

void TestDiagramFile::regressionInputs()
{
    // Hostile inputs, and those the fuzzer found: "refused-" files are refused,
    // "read-" files read; any other ends with a status. Whatever is read writes and
    // reads back to the same bytes.
    const QDir dir(QStringLiteral(VARNEL_TEST_DATA "/regressions/diagram"));
    const QStringList files = dir.entryList(QDir::Files);
    QVERIFY(!files.isEmpty());
    for (const QString &name : files) {
        DiagramReader reader(nullptr);
        const DiagramReader::Status status = reader.readFile(dir.filePath(name));
        if (name.startsWith(QLatin1String("refused-")))
            QVERIFY2(status == DiagramReader::CannotParse, qPrintable(name));
        else if (name.startsWith(QLatin1String("read-")))
            QVERIFY2(status == DiagramReader::ReadOk, qPrintable(name));
        Diagram first;
        first.classes = reader.takeClasses();
        first.links = reader.takeLinks();
        if (status != DiagramReader::ReadOk) {
            QVERIFY2(status == DiagramReader::CannotParse, qPrintable(name));
            QVERIFY(first.classes.isEmpty());
            continue;
        }
        Diagram second;
        QVERIFY2(second.read(first.bytes()) == DiagramReader::ReadOk, qPrintable(name));
        QCOMPARE(second.describe(), first.describe());
        QCOMPARE(second.bytes(), first.bytes());
    }
}

void TestDiagramFile::settingsRegressionInputs()
{
    // The settings file goes through the same guards against hostile XML.
    const QDir dir(QStringLiteral(VARNEL_TEST_DATA "/regressions/cfg"));
    const QStringList files = dir.entryList(QDir::Files);
    QVERIFY(!files.isEmpty());
    for (const QString &name : files) {
        const QString path = dir.filePath(name);
        Cfg cfg;
        cfg.setPrefixe(QStringLiteral("kept_"));
        const Cfg::ReadStatus status = cfg.readCfgData(readAll(path));
        if (name.startsWith(QLatin1String("refused-"))) {
            QVERIFY2(status == Cfg::CannotParse, qPrintable(name));
            QCOMPARE(*cfg.prefixe(), QStringLiteral("kept_"));
            QCOMPARE(Cfg::readLanguage(path), QString());
            continue;
        }
        QVERIFY2(status == Cfg::ReadOk, qPrintable(name));
        QCOMPARE(Cfg::readLanguage(path), cfg.language());
        Cfg again;
        QCOMPARE(again.readCfgData(cfg.toBytes()), Cfg::ReadOk);
        QCOMPARE(again.toBytes(), cfg.toBytes());
    }
}

QTEST_MAIN(TestDiagramFile)
#include "tst_diagramfile.moc"
