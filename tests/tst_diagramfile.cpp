// The .vnls file: its exact bytes, its reader and what damaged or hostile files do.
#include "canvas/classitem.h"
#include "canvas/link.h"
#include "model/argatt.h"
#include "model/classmodel.h"
#include "model/function.h"
#include "model/linkmodel.h"
#include "persistence/cfg.h"
#include "persistence/diagramreader.h"
#include "persistence/diagramwriter.h"

#include <QDir>
#include <QFile>
#include <QFont>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>
#include <sys/stat.h>
#include <unistd.h>

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

    ClassModel *addClass(const QString &name, double x, double y)
    {
        auto *item = new ClassItem(nullptr);
        item->getModel()->setName(name);
        item->setPos(x, y);
        classes.append(item);
        return item->getModel();
    }

    LinkModel *addLink(int master, int slave, int type)
    {
        auto *link = new Link;
        link->getModel()->setMaster(master < 0 ? nullptr : classes.at(master));
        link->getModel()->setSlave(slave < 0 ? nullptr : classes.at(slave));
        link->getModel()->setType(type);
        links.append(link);
        return link->getModel();
    }

    QByteArray bytes() const { return DiagramWriter::toBytes(classes, links); }
};

void takeAll(DiagramReader &reader, Diagram *diagram)
{
    diagram->classes = reader.takeClasses();
    diagram->links = reader.takeLinks();
}

// Every field of a diagram, with the ends of links and accessors given as indexes so
// that a wrong target shows as well as a wrong name.
QStringList describe(const Diagram &diagram)
{
    QStringList lines;
    for (const ClassItem *item : diagram.classes) {
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
    for (const Link *link : diagram.links) {
        const LinkModel *model = link->getModel();
        lines << QStringLiteral("link %1 %2 %3")
                     .arg(diagram.classes.indexOf(model->master()))
                     .arg(diagram.classes.indexOf(model->slave()))
                     .arg(model->type());
    }
    return lines;
}

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

void buildShapes(Diagram *diagram)
{
    ClassModel *shape = diagram->addClass(QStringLiteral("Shape"), 40, 60);
    shape->setComment(QStringLiteral("Base of all shapes"));
    shape->setIncludes({QStringLiteral("QString")});
    shape->addMethod(new Function(
        QStringLiteral("moveBy"), QStringLiteral("void"), ArgAtt::Public,
        {new ArgAtt(QStringLiteral("dx"), QStringLiteral("double"), QString(), ArgAtt::Protected),
         new ArgAtt(QStringLiteral("dy"), QStringLiteral("double"), QStringLiteral("0"),
                    ArgAtt::Protected)}));
    auto *label = new ArgAtt(QStringLiteral("m_label"), QStringLiteral("QString"), QString(),
                             ArgAtt::Private);
    auto *getter =
        new Function(QStringLiteral("getLabel"), QStringLiteral("QString"), ArgAtt::Getter, {});
    getter->setLinkedAtt(label);
    shape->addMethod(getter);
    shape->addAttribute(label);

    ClassModel *circle = diagram->addClass(QStringLiteral("Circle"), 300, 60.5);
    circle->addAttribute(new ArgAtt(QStringLiteral("m_radius"), QStringLiteral("double"),
                                    QStringLiteral("1.0"), ArgAtt::Private));
    diagram->addLink(0, 1, LinkModel::Inheritance);
}

QByteArray classWith(const QByteArray &attributes, const QByteArray &children = QByteArray())
{
    return "<main><class name=\"A\" " + attributes + ">" + children + "</class></main>";
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

} // namespace

class TestDiagramFile : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    // Writing
    void writesTheSmallFileExactly();
    void writesAnEmptyDiagram();
    void writesTheSameBytesEveryTime();
    void numbers_data();
    void numbers();
    void includesAreWrittenWithSemicolons();
    void escapesMarkupAndTextOutsideLatin1();
    void skipsLinksWithoutTwoEnds();
    void writeFileReplacesAtomically();
    void failedWriteKeepsThePreviousFile();

    // Reading
    void readsTheSmallFile();
    void roundTripKeepsEverything();
    void textOutsideLatin1AndLineBreaksRoundTrip();
    void attributeOrderDoesNotMatter();
    void includes_data();
    void includes();
    void positions_data();
    void positions();
    void rangeNumbers_data();
    void rangeNumbers();
    void missingAttributesReadEmpty();
    void unknownElementsAreIgnored();
    void accessorLinks_data();
    void accessorLinks();
    void linkEnds_data();
    void linkEnds();
    void readingAgainReplacesTheFirstRead();
    void examplesAreInTheirWrittenForm();

    // Bad input
    void unopenableFiles_data();
    void unopenableFiles();
    void permissionsAreRespected();
    void unparsableData_data();
    void unparsableData();
    void veryDeepNesting();
    void hugeAttributeValue();
    void entities_data();
    void entities();
    void regressionInputs();
    void settingsFileRefusesHostileXml_data();
    void settingsFileRefusesHostileXml();
    void settingsRegressionInputs();

private:
    QTemporaryDir m_dir;
};

void TestDiagramFile::initTestCase()
{
    QVERIFY(m_dir.isValid());
}

void TestDiagramFile::writesTheSmallFileExactly()
{
    Diagram diagram;
    buildShapes(&diagram);
    QCOMPARE(diagram.bytes(), QByteArray(smallFile));

    const QString path = m_dir.filePath(QStringLiteral("shapes.vnls"));
    QVERIFY(DiagramWriter::writeFile(path, diagram.classes, diagram.links));
    QCOMPARE(readAll(path), QByteArray(smallFile));
}

void TestDiagramFile::writesAnEmptyDiagram()
{
    QCOMPARE(DiagramWriter::toBytes({}, {}),
             QByteArray("<?xml version='1.0' encoding='ISO-8859-1'?>\n"
                        "<main version=\"1\" name=\"DEFAULT\"/>\n"));
}

void TestDiagramFile::writesTheSameBytesEveryTime()
{
    // Attributes come out in the same order whatever QDom's hashing does.
    Diagram diagram;
    buildShapes(&diagram);
    ClassModel *extra = diagram.addClass(QStringLiteral("Extra"), 1, 2);
    for (int i = 0; i < 40; ++i)
        extra->addAttribute(new ArgAtt(QStringLiteral("a%1").arg(i), QStringLiteral("int"),
                                       QString::number(i), i % 2));
    const QByteArray first = diagram.bytes();
    for (int i = 0; i < 5; ++i)
        QCOMPARE(diagram.bytes(), first);
    QVERIFY(first.contains("<arg-att name=\"a39\" range=\"1\" type=\"int\" defValue=\"39\"/>"));
}

void TestDiagramFile::numbers_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("whole") << 1.0 << QStringLiteral("1");
    QTest::newRow("half") << 120.5 << QStringLiteral("120.5");
    QTest::newRow("negative") << -35.25 << QStringLiteral("-35.25");
    QTest::newRow("zero") << 0.0 << QStringLiteral("0");
    QTest::newRow("negative zero") << -0.0 << QStringLiteral("0");
    QTest::newRow("sixteen digits") << 0.1 + 0.2 << QStringLiteral("0.3");
    QTest::newRow("large") << 5000.0 << QStringLiteral("5000");
    QTest::newRow("float noise") << double(60.1f) << QStringLiteral("60.09999847412109");
}

void TestDiagramFile::numbers()
{
    QFETCH(double, value);
    QFETCH(QString, text);
    QCOMPARE(DiagramWriter::number(value), text);

    Diagram diagram;
    diagram.addClass(QStringLiteral("A"), value, 0);
    QVERIFY(diagram.bytes().contains(" posX=\"" + text.toLatin1() + "\" posY=\"0\""));
}

void TestDiagramFile::includesAreWrittenWithSemicolons()
{
    Diagram diagram;
    diagram.addClass(QStringLiteral("A"), 0, 0)
        ->setIncludes({QStringLiteral("A"), QStringLiteral("B")});
    diagram.addClass(QStringLiteral("B"), 0, 0);
    const QByteArray bytes = diagram.bytes();
    QVERIFY(bytes.contains("<class name=\"A\" comment=\"\" parentName=\"\" includes=\"A;B;\""));
    QVERIFY(bytes.contains("<class name=\"B\" comment=\"\" parentName=\"\" includes=\"\""));
}

void TestDiagramFile::escapesMarkupAndTextOutsideLatin1()
{
    Diagram diagram;
    ClassModel *model = diagram.addClass(QStringLiteral("Tom & \"Jerry\""), 0, 0);
    model->setComment(QStringLiteral("a < b > c\r\nnext\tline"));
    model->setParentName(QStringLiteral("Caf\u00e9"));
    model->addAttribute(new ArgAtt(QStringLiteral("m_price"), QStringLiteral("QList<Shape*>"),
                                   QStringLiteral("\u20ac \U0001F600"), 0));
    const QByteArray bytes = diagram.bytes();
    QVERIFY(bytes.contains("name=\"Tom &amp; &quot;Jerry&quot;\""));
    QVERIFY(bytes.contains("comment=\"a &lt; b > c&#xd;&#xa;next&#x9;line\""));
    QVERIFY(bytes.contains("parentName=\"Caf\xe9\""));
    QVERIFY(bytes.contains("type=\"QList&lt;Shape*>\" defValue=\"&#x20ac; &#x1f600;\""));
}

void TestDiagramFile::skipsLinksWithoutTwoEnds()
{
    Diagram diagram;
    diagram.addClass(QStringLiteral("A"), 0, 0);
    diagram.addClass(QStringLiteral("B"), 0, 0);
    diagram.addLink(0, -1, LinkModel::Inheritance);
    diagram.addLink(-1, 1, LinkModel::Aggregation);
    diagram.addLink(-1, -1, LinkModel::Association);
    diagram.addLink(1, 1, LinkModel::Association);
    diagram.addLink(1, 0, LinkModel::Aggregation);
    const QByteArray bytes = diagram.bytes();
    QCOMPARE(bytes.count("<link "), 1);
    QVERIFY(bytes.contains(" <link master=\"B\" slave=\"A\" type=\"1\"/>\n"));
}

void TestDiagramFile::writeFileReplacesAtomically()
{
    const QString path = m_dir.filePath(QStringLiteral("replace.vnls"));
    QVERIFY(writeAll(path, QByteArray(100000, 'x')));
    Diagram diagram;
    buildShapes(&diagram);
    QVERIFY(DiagramWriter::writeFile(path, diagram.classes, diagram.links));
    QCOMPARE(readAll(path), QByteArray(smallFile));
    // Nothing is left beside it.
    QCOMPARE(QDir(m_dir.path()).entryList({QStringLiteral("replace*")}, QDir::Files),
             QStringList{QStringLiteral("replace.vnls")});
}

void TestDiagramFile::failedWriteKeepsThePreviousFile()
{
    Diagram diagram;
    buildShapes(&diagram);
    // Below a regular file nothing can be created, even by root.
    const QString blocker = m_dir.filePath(QStringLiteral("afile"));
    QVERIFY(writeAll(blocker, "keep me"));
    QVERIFY(!DiagramWriter::writeFile(blocker + QStringLiteral("/x.vnls"), diagram.classes,
                                      diagram.links));
    QVERIFY(!DiagramWriter::writeFile(QString(), diagram.classes, diagram.links));
    // A directory where the file should go stays a directory.
    const QString folder = m_dir.filePath(QStringLiteral("folder.vnls"));
    QVERIFY(QDir().mkpath(folder));
    QVERIFY(!DiagramWriter::writeFile(folder, diagram.classes, diagram.links));
    QVERIFY(QFileInfo(folder).isDir());
    QCOMPARE(readAll(blocker), QByteArray("keep me"));
}

void TestDiagramFile::readsTheSmallFile()
{
    const QFont font;
    DiagramReader reader(&font);
    QCOMPARE(reader.readData(smallFile), DiagramReader::ReadOk);
    Diagram diagram;
    takeAll(reader, &diagram);
    QCOMPARE(describe(diagram), QStringList({
                                    QStringLiteral("class Shape|Base of all shapes||QString|40|60"),
                                    QStringLiteral(" method moveBy|void|1|linked -1"),
                                    QStringLiteral("  arg dx|double||2"),
                                    QStringLiteral("  arg dy|double|0|2"),
                                    QStringLiteral(" method getLabel|QString|4|linked 0"),
                                    QStringLiteral(" attribute m_label|QString||0"),
                                    QStringLiteral("class Circle||||300|60.5"),
                                    QStringLiteral(" attribute m_radius|double|1.0|0"),
                                    QStringLiteral("link 0 1 0"),
                                }));
    // The boxes know their size and lie above the links.
    const ClassModel *shape = diagram.classes.at(0)->getModel();
    QCOMPARE(shape->lineCount(), 4);
    QCOMPARE(shape->maxLineLength(),
             int(QStringLiteral("+ moveBy (dx:double, dy:double) : void").size()));
    QCOMPARE(diagram.classes.at(1)->zValue(), 1.0);
    QCOMPARE(diagram.links.at(0)->zValue(), 0.0);
    QCOMPARE(diagram.bytes(), QByteArray(smallFile));
}

void TestDiagramFile::roundTripKeepsEverything()
{
    Diagram diagram;
    ClassModel *library = diagram.addClass(QStringLiteral("Library"), 60.5, -35.25);
    library->setComment(QStringLiteral("Holds the books"));
    library->setParentName(QStringLiteral("QObject"));
    library->setIncludes(
        {QStringLiteral("QList"), QStringLiteral("QString"), QStringLiteral("Book")});
    auto *books = new ArgAtt(QStringLiteral("m_books"), QStringLiteral("QList<Book*>"), QString(),
                             ArgAtt::Private);
    auto *name = new ArgAtt(QStringLiteral("m_name"), QStringLiteral("QString"),
                            QStringLiteral("\"City\""), ArgAtt::Public);
    auto *setter = new Function(QStringLiteral("setName"), QStringLiteral("void"), ArgAtt::Setter,
                                {new ArgAtt(QStringLiteral("name"), QStringLiteral("QString"),
                                            QString(), ArgAtt::Protected)});
    setter->setLinkedAtt(name);
    auto *getter = new Function(QStringLiteral("getBooks"), QStringLiteral("QList<Book*>"),
                                ArgAtt::Getter, {});
    getter->setLinkedAtt(books);
    library->addMethod(
        new Function(QStringLiteral("run"), QStringLiteral("void"), ArgAtt::Private, {}));
    library->addMethod(setter);
    library->addMethod(new Function(
        QStringLiteral("mix"), QStringLiteral("float"), ArgAtt::Protected,
        {new ArgAtt(QStringLiteral("b"), QStringLiteral("double"), QStringLiteral("1.5"), 2),
         new ArgAtt(QStringLiteral("a"), QStringLiteral("int"), QString(), 2),
         new ArgAtt(QStringLiteral("c"), QStringLiteral("const Foo&"), QStringLiteral("Foo()"),
                    2)}));
    library->addMethod(getter);
    library->addMethod(new Function(QStringLiteral("odd"), QStringLiteral("int"), 7, {}));
    library->addAttribute(books);
    library->addAttribute(name);
    library->addAttribute(new ArgAtt(QStringLiteral("m_count"), QStringLiteral("int"),
                                     QStringLiteral("0"), ArgAtt::Private));

    ClassModel *book = diagram.addClass(QStringLiteral("Book"), 0, 5000);
    book->addAttribute(new ArgAtt(QStringLiteral("m_title"), QStringLiteral("QString"), QString(),
                                  ArgAtt::Private));
    diagram.addClass(QStringLiteral("Item"), 9999.75, 0.125);
    diagram.addClass(QString(), 0, 0); // an unnamed class keeps its place
    diagram.addLink(0, 1, LinkModel::Aggregation);
    diagram.addLink(2, 1, LinkModel::Inheritance);
    diagram.addLink(0, 2, LinkModel::Association);

    const QByteArray bytes = diagram.bytes();
    const QFont font;
    DiagramReader reader(&font);
    QCOMPARE(reader.readData(bytes), DiagramReader::ReadOk);
    QCOMPARE(reader.droppedLinks(), 0);
    Diagram back;
    takeAll(reader, &back);
    QCOMPARE(describe(back), describe(diagram));
    QCOMPARE(back.bytes(), bytes);
}

void TestDiagramFile::textOutsideLatin1AndLineBreaksRoundTrip()
{
    const QStringList texts = {
        QStringLiteral("Ligne un\nLigne deux\r\nLigne trois\rfin"),
        QStringLiteral("\ttabulée  et  blancs  "),
        QStringLiteral("\u20ac\u0152\u0153 \u65e5\u672c\u8a9e \U0001F600 \u00e9\u00e8\u00ff"),
        QStringLiteral("<tag attr=\"v\" other='w'> & &amp; ]]>"),
        QStringLiteral(" leading and trailing "),
    };
    Diagram diagram;
    for (const QString &text : texts) {
        ClassModel *model = diagram.addClass(text, 1, 2);
        model->setComment(text);
        model->setParentName(text);
        model->addAttribute(new ArgAtt(text, text, text, 1));
        model->addMethod(new Function(text, text, 1, {new ArgAtt(text, text, text, 2)}));
    }
    const QByteArray bytes = diagram.bytes();
    // Latin-1 holds everything: nothing was turned into a question mark.
    QVERIFY(!bytes.contains('?' + QByteArray("\n")));
    QCOMPARE(QString::fromLatin1(bytes).toLatin1(), bytes);

    DiagramReader reader(nullptr);
    QCOMPARE(reader.readData(bytes), DiagramReader::ReadOk);
    Diagram back;
    takeAll(reader, &back);
    QCOMPARE(back.classes.size(), texts.size());
    for (int i = 0; i < texts.size(); ++i) {
        const ClassModel *model = back.classes.at(i)->getModel();
        QCOMPARE(model->name(), texts.at(i));
        QCOMPARE(model->comment(), texts.at(i));
        QCOMPARE(model->parentName(), texts.at(i));
        QCOMPARE(model->attributes().at(0)->type(), texts.at(i));
        QCOMPARE(model->attributes().at(0)->defValue(), texts.at(i));
        QCOMPARE(model->methods().at(0)->returnType(), texts.at(i));
        QCOMPARE(model->methods().at(0)->args().at(0)->name(), texts.at(i));
    }
}

void TestDiagramFile::attributeOrderDoesNotMatter()
{
    const QByteArray shuffled =
        "<?xml version='1.0' encoding='ISO-8859-1'?>\n"
        "<main name='DEFAULT' version='1'>\n"
        " <class posY='60' posX='40' includes='QString;' parentName='' comment='Base of all "
        "shapes' name='Shape'>\n"
        "  <function range='1' returnType='void' name='moveBy'>\n"
        "   <arg-att defValue='' type='double' range='2' name='dx'/>\n"
        "   <arg-att defValue='0' type='double' range='2' name='dy'/>\n"
        "  </function>\n"
        "  <function linkedAtt='m_label' range='4' returnType='QString' name='getLabel'/>\n"
        "  <arg-att defValue='' type='QString' range='0' name='m_label'/>\n"
        " </class>\n"
        " <class posY='60.5' posX='300' includes='' parentName='' comment='' name='Circle'>"
        "<arg-att defValue='1.0' type='double' range='0' name='m_radius'/></class>\n"
        " <link type='0' slave='Circle' master='Shape'/>\n"
        "</main>\n";
    DiagramReader reader(nullptr);
    QCOMPARE(reader.readData(shuffled), DiagramReader::ReadOk);
    Diagram diagram;
    takeAll(reader, &diagram);
    QCOMPARE(diagram.bytes(), QByteArray(smallFile));
}

void TestDiagramFile::includes_data()
{
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<QStringList>("includes");
    QTest::newRow("written form") << QByteArray("A;B;")
                                  << QStringList{QStringLiteral("A"), QStringLiteral("B")};
    QTest::newRow("no final semicolon")
        << QByteArray("A;B") << QStringList{QStringLiteral("A"), QStringLiteral("B")};
    QTest::newRow("empty pieces") << QByteArray(";;A;;;B;;")
                                  << QStringList{QStringLiteral("A"), QStringLiteral("B")};
    QTest::newRow("empty") << QByteArray("") << QStringList();
    QTest::newRow("only semicolons") << QByteArray(";;;") << QStringList();
    QTest::newRow("blanks are kept")
        << QByteArray(" A ;B") << QStringList{QStringLiteral(" A "), QStringLiteral("B")};
}

void TestDiagramFile::includes()
{
    QFETCH(QByteArray, value);
    QFETCH(QStringList, includes);
    DiagramReader reader(nullptr);
    QCOMPARE(reader.readData(classWith("includes=\"" + value + "\"")), DiagramReader::ReadOk);
    Diagram diagram;
    takeAll(reader, &diagram);
    QCOMPARE(diagram.classes.at(0)->getModel()->includes(), includes);
}

void TestDiagramFile::positions_data()
{
    QTest::addColumn<QByteArray>("attributes");
    QTest::addColumn<double>("x");
    QTest::addColumn<double>("y");
    QTest::newRow("halves") << QByteArray("posX='60.5' posY='-35.25'") << 60.5 << -35.25;
    QTest::newRow("missing posX") << QByteArray("posY='12'") << 0.0 << 12.0;
    QTest::newRow("both missing") << QByteArray() << 0.0 << 0.0;
    QTest::newRow("empty") << QByteArray("posX='' posY=''") << 0.0 << 0.0;
    QTest::newRow("words") << QByteArray("posX='left' posY='12px'") << 0.0 << 0.0;
    QTest::newRow("exponent") << QByteArray("posX='1.5e2' posY='-2E1'") << 150.0 << -20.0;
    QTest::newRow("overflow") << QByteArray("posX='1e999' posY='-1e999'") << 0.0 << 0.0;
    QTest::newRow("not a number") << QByteArray("posX='nan' posY='NaN'") << 0.0 << 0.0;
    QTest::newRow("infinite") << QByteArray("posX='inf' posY='-inf'") << 0.0 << 0.0;
    QTest::newRow("huge but finite")
        << QByteArray("posX='1e300' posY='-3.4e38'") << DiagramReader::maxCoordinate
        << -DiagramReader::maxCoordinate;
    QTest::newRow("single precision")
        << QByteArray("posX='60.1' posY='0.1'") << double(60.1f) << double(0.1f);
}

void TestDiagramFile::positions()
{
    QFETCH(QByteArray, attributes);
    QFETCH(double, x);
    QFETCH(double, y);
    DiagramReader reader(nullptr);
    QCOMPARE(reader.readData(classWith(attributes)), DiagramReader::ReadOk);
    Diagram diagram;
    takeAll(reader, &diagram);
    const QPointF pos = diagram.classes.at(0)->pos();
    QCOMPARE(pos.x(), x);
    QCOMPARE(pos.y(), y);
}

void TestDiagramFile::rangeNumbers_data()
{
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<int>("range");
    QTest::newRow("public") << QByteArray("1") << 1;
    QTest::newRow("getter") << QByteArray("4") << 4;
    QTest::newRow("out of the table") << QByteArray("7") << 7;
    QTest::newRow("negative") << QByteArray("-3") << -3;
    QTest::newRow("huge") << QByteArray("99999999999999999999999") << 0;
    QTest::newRow("beyond int") << QByteArray("2147483648") << 0;
    QTest::newRow("hexadecimal") << QByteArray("0x1") << 0;
    QTest::newRow("decimal point") << QByteArray("1.0") << 0;
    QTest::newRow("exponent") << QByteArray("1e999") << 0;
    QTest::newRow("nan") << QByteArray("nan") << 0;
    QTest::newRow("negative zero") << QByteArray("-0") << 0;
    QTest::newRow("empty") << QByteArray("") << 0;
}

void TestDiagramFile::rangeNumbers()
{
    QFETCH(QByteArray, value);
    QFETCH(int, range);
    const QByteArray data =
        "<main><class name='A'><function name='f' range='" + value + "'><arg-att name='x' range='"
        + value + "'/></function><arg-att name='a' range='" + value
        + "'/></class><class name='B'/><link master='A' slave='B' type='" + value + "'/></main>";
    DiagramReader reader(nullptr);
    QCOMPARE(reader.readData(data), DiagramReader::ReadOk);
    Diagram diagram;
    takeAll(reader, &diagram);
    const ClassModel *model = diagram.classes.at(0)->getModel();
    QCOMPARE(model->methods().at(0)->range(), range);
    QCOMPARE(model->methods().at(0)->args().at(0)->range(), range);
    QCOMPARE(model->attributes().at(0)->range(), range);
    QCOMPARE(diagram.links.at(0)->getModel()->type(), range);
}

void TestDiagramFile::missingAttributesReadEmpty()
{
    DiagramReader reader(nullptr);
    QCOMPARE(reader.readData("<main><class><function><arg-att/></function><arg-att/></class>"
                             "</main>"),
             DiagramReader::ReadOk);
    Diagram diagram;
    takeAll(reader, &diagram);
    QCOMPARE(describe(diagram), QStringList({
                                    QStringLiteral("class ||||0|0"),
                                    QStringLiteral(" method ||0|linked -1"),
                                    QStringLiteral("  arg |||0"),
                                    QStringLiteral(" attribute |||0"),
                                }));
}

void TestDiagramFile::unknownElementsAreIgnored()
{
    // Whatever the root's tag, its classes and links are read; elements out of their
    // place are skipped with everything inside them.
    const QByteArray data = "<?xml version='1.0'?>\n<!-- a comment -->\n<diagram version='9'>\n"
                            " <note text='hi'><class name='Hidden'/></note>\n"
                            " <arg-att name='stray'/>\n"
                            " <function name='stray'/>\n"
                            " <class name='A' posX='1'>\n"
                            "  <note/>\n"
                            "  <class name='Nested'/>\n"
                            "  <function name='f' range='1'>\n"
                            "   <note><arg-att name='deep'/></note>\n"
                            "   <function name='inner'/>\n"
                            "   <arg-att name='x' type='int' range='2'/>\n"
                            "   text <![CDATA[ignored]]> <?pi ignored?>\n"
                            "  </function>\n"
                            "  <link master='A' slave='B'/>\n"
                            "  <arg-att name='a' type='int'><arg-att name='child'/></arg-att>\n"
                            " </class>\n"
                            " <class name='B'/>\n"
                            " <link master='A' slave='B' type='2'><note/></link>\n"
                            " <x:class xmlns:x='urn:other' name='Prefixed'/>\n"
                            "</diagram>\n";
    DiagramReader reader(nullptr);
    QCOMPARE(reader.readData(data), DiagramReader::ReadOk);
    Diagram diagram;
    takeAll(reader, &diagram);
    QCOMPARE(describe(diagram), QStringList({
                                    QStringLiteral("class A||||1|0"),
                                    QStringLiteral(" method f||1|linked -1"),
                                    QStringLiteral("  arg x|int||2"),
                                    QStringLiteral(" attribute a|int||0"),
                                    QStringLiteral("class B||||0|0"),
                                    QStringLiteral("link 0 1 2"),
                                }));
}

void TestDiagramFile::accessorLinks_data()
{
    QTest::addColumn<QByteArray>("children");
    QTest::addColumn<int>("linked");
    QTest::newRow("names an attribute")
        << QByteArray("<function name='g' linkedAtt='b'/><arg-att name='a'/><arg-att name='b'/>")
        << 1;
    QTest::newRow("names no attribute")
        << QByteArray("<function name='g' linkedAtt='zz'/><arg-att name='a'/>") << -1;
    QTest::newRow("names an argument only")
        << QByteArray("<function name='g' linkedAtt='x'><arg-att name='x'/></function>") << -1;
    QTest::newRow("last equal attribute wins")
        << QByteArray("<function name='g' linkedAtt='a'/><arg-att name='a'/><arg-att name='a'/>"
                      "<arg-att name='c'/>")
        << 1;
    QTest::newRow("case matters") << QByteArray(
        "<function name='g' linkedAtt='A'/><arg-att name='a'/>")
                                  << -1;
    QTest::newRow("absent beside an unnamed attribute")
        << QByteArray("<function name='g'/><arg-att name=''/>") << -1;
    QTest::newRow("empty names the unnamed attribute")
        << QByteArray("<function name='g' linkedAtt=''/><arg-att name='a'/><arg-att name=''/>")
        << 1;
}

void TestDiagramFile::accessorLinks()
{
    QFETCH(QByteArray, children);
    QFETCH(int, linked);
    DiagramReader reader(nullptr);
    QCOMPARE(reader.readData(classWith(QByteArray(), children)), DiagramReader::ReadOk);
    Diagram diagram;
    takeAll(reader, &diagram);
    const ClassModel *model = diagram.classes.at(0)->getModel();
    const Function *method = model->methods().at(0);
    QCOMPARE(model->attributes().indexOf(method->linkedAtt()), linked);
    QCOMPARE(method->linkedAttName(), QString());
    // An unresolved accessor is written back without "linkedAtt".
    QCOMPARE(diagram.bytes().contains("linkedAtt="), linked >= 0);
}

void TestDiagramFile::linkEnds_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QStringList>("links");
    QTest::addColumn<int>("dropped");
    QTest::newRow("both ends") << QByteArray(
        "<c name='A'/><c name='B'/><link master='B' slave='A' type='1'/>")
                               << QStringList{QStringLiteral("link 1 0 1")} << 0;
    QTest::newRow("link before its classes")
        << QByteArray("<link master='A' slave='B'/><c name='A'/><c name='B'/>") << QStringList()
        << 1;
    QTest::newRow("link between its classes")
        << QByteArray("<c name='A'/><link master='A' slave='B'/><c name='B'/>") << QStringList()
        << 1;
    QTest::newRow("unknown slave")
        << QByteArray("<c name='A'/><link master='A' slave='Z'/>") << QStringList() << 1;
    QTest::newRow("missing master")
        << QByteArray("<c name='A'/><c name='B'/><link slave='B'/>") << QStringList() << 1;
    QTest::newRow("both ends one class")
        << QByteArray("<c name='A'/><c name='B'/><link master='A' slave='A'/>") << QStringList()
        << 1;
    QTest::newRow("last of a name wins")
        << QByteArray("<c name='A'/><c name='B'/><c name='A'/><c name='B'/>"
                      "<link master='A' slave='B' type='2'/>")
        << QStringList{QStringLiteral("link 2 3 2")} << 0;
    QTest::newRow("earlier link sees fewer classes")
        << QByteArray("<c name='A'/><c name='B'/><link master='A' slave='B'/><c name='A'/>"
                      "<link master='A' slave='B'/>")
        << QStringList{QStringLiteral("link 0 1 0"), QStringLiteral("link 2 1 0")} << 0;
    QTest::newRow("kept links keep their order")
        << QByteArray("<c name='A'/><c name='B'/><c name='C'/><link master='C' slave='A' "
                      "type='2'/><link master='A' slave='A'/><link master='A' slave='B'/>")
        << QStringList{QStringLiteral("link 2 0 2"), QStringLiteral("link 0 1 0")} << 1;
}

void TestDiagramFile::linkEnds()
{
    QFETCH(QByteArray, data);
    QFETCH(QStringList, links);
    QFETCH(int, dropped);
    data.replace("<c ", "<class ");
    DiagramReader reader(nullptr);
    QCOMPARE(reader.readData("<main>" + data + "</main>"), DiagramReader::ReadOk);
    QCOMPARE(reader.droppedLinks(), dropped);
    Diagram diagram;
    takeAll(reader, &diagram);
    QStringList read = describe(diagram).filter(QRegularExpression(QStringLiteral("^link ")));
    QCOMPARE(read, links);
    // What was kept is written back and read again the same.
    DiagramReader again(nullptr);
    QCOMPARE(again.readData(diagram.bytes()), DiagramReader::ReadOk);
    QCOMPARE(again.droppedLinks(), 0);
}

void TestDiagramFile::readingAgainReplacesTheFirstRead()
{
    DiagramReader reader(nullptr);
    QCOMPARE(reader.readData(smallFile), DiagramReader::ReadOk);
    QCOMPARE(reader.readData("<main><class name='Only'/></main>"), DiagramReader::ReadOk);
    Diagram diagram;
    takeAll(reader, &diagram);
    QCOMPARE(diagram.classes.size(), 1);
    QVERIFY(diagram.links.isEmpty());
    // A failed read leaves nothing to take.
    QCOMPARE(reader.readData(smallFile), DiagramReader::ReadOk);
    QCOMPARE(reader.readData("<main>"), DiagramReader::CannotParse);
    QVERIFY(reader.takeClasses().isEmpty());
    QVERIFY(reader.takeLinks().isEmpty());
}

void TestDiagramFile::examplesAreInTheirWrittenForm()
{
    const QDir examples(QStringLiteral(VARNEL_SOURCE_DIR "/examples"));
    const QStringList files = examples.entryList({QStringLiteral("*.vnls")}, QDir::Files);
    QVERIFY(files.contains(QStringLiteral("shapes.vnls")));
    QVERIFY(files.size() >= 2);
    for (const QString &name : files) {
        DiagramReader reader(nullptr);
        QCOMPARE(reader.readFile(examples.filePath(name)), DiagramReader::ReadOk);
        QCOMPARE(reader.droppedLinks(), 0);
        Diagram diagram;
        takeAll(reader, &diagram);
        QVERIFY2(!diagram.classes.isEmpty(), qPrintable(name));
        QVERIFY2(diagram.bytes() == readAll(examples.filePath(name)), qPrintable(name));
    }
}

void TestDiagramFile::unopenableFiles_data()
{
    QTest::addColumn<QString>("path");
    const QString blocker = m_dir.filePath(QStringLiteral("plain"));
    QVERIFY(writeAll(blocker, "x"));
    const QString folder = m_dir.filePath(QStringLiteral("dir.vnls"));
    QVERIFY(QDir().mkpath(folder));
    const QString fifo = m_dir.filePath(QStringLiteral("pipe.vnls"));
    QVERIFY(::mkfifo(QFile::encodeName(fifo).constData(), 0600) == 0);
    QTest::newRow("missing") << m_dir.filePath(QStringLiteral("nothing.vnls"));
    QTest::newRow("below a file") << blocker + QStringLiteral("/x.vnls");
    QTest::newRow("directory") << folder;
    QTest::newRow("empty path") << QString();
    QTest::newRow("pipe that nobody writes") << fifo;
    QTest::newRow("endless device") << QStringLiteral("/dev/zero");
}

void TestDiagramFile::unopenableFiles()
{
    QFETCH(QString, path);
    DiagramReader reader(nullptr);
    QCOMPARE(reader.readFile(path), DiagramReader::CannotOpen);
    QVERIFY(reader.takeClasses().isEmpty());
}

void TestDiagramFile::permissionsAreRespected()
{
    if (::geteuid() == 0)
        QSKIP("the superuser reads and writes whatever the permissions say");
    const QString locked = m_dir.filePath(QStringLiteral("locked"));
    QVERIFY(QDir().mkpath(locked));
    const QString file = locked + QStringLiteral("/secret.vnls");
    QVERIFY(writeAll(file, smallFile));
    QVERIFY(QFile::setPermissions(file, QFileDevice::WriteOwner));
    DiagramReader reader(nullptr);
    QCOMPARE(reader.readFile(file), DiagramReader::CannotOpen);

    // A folder that cannot be written keeps its file as it was.
    QVERIFY(QFile::setPermissions(file, QFileDevice::ReadOwner | QFileDevice::WriteOwner));
    QVERIFY(QFile::setPermissions(locked, QFileDevice::ReadOwner | QFileDevice::ExeOwner));
    Diagram diagram;
    diagram.addClass(QStringLiteral("Other"), 0, 0);
    QVERIFY(!DiagramWriter::writeFile(file, diagram.classes, diagram.links));
    QVERIFY(!DiagramWriter::writeFile(locked + QStringLiteral("/new.vnls"), diagram.classes,
                                      diagram.links));
    QCOMPARE(readAll(file), QByteArray(smallFile));
    QVERIFY(QFile::setPermissions(locked, QFileDevice::ReadOwner | QFileDevice::WriteOwner
                                              | QFileDevice::ExeOwner));
}

void TestDiagramFile::unparsableData_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("blanks") << QByteArray(" \n\t ");
    QTest::newRow("declaration only")
        << QByteArray("<?xml version='1.0' encoding='ISO-8859-1'?>\n");
    QTest::newRow("unclosed") << QByteArray("<main><class name='A'>");
    QTest::newRow("truncated") << QByteArray(smallFile).left(int(qstrlen(smallFile)) / 2);
    QTest::newRow("two roots") << QByteArray("<main/><main/>");
    QTest::newRow("mismatched") << QByteArray("<main><class></main></class>");
    QTest::newRow("duplicate attribute") << QByteArray("<main><class name='A' name='B'/></main>");
    QTest::newRow("bare ampersand") << QByteArray("<main><class name='A&B'/></main>");
    QTest::newRow("undeclared entity") << QByteArray("<main><class name='&nbsp;'/></main>");
    QTest::newRow("less-than in value") << QByteArray("<main><class name='a<b'/></main>");
    QTest::newRow("control character") << QByteArray("<main><class name='\x01'/></main>");
    QTest::newRow("bad character reference") << QByteArray("<main><class name='&#x0;'/></main>");
    QByteArray garbage;
    quint32 state = 12345;
    for (int i = 0; i < 65536; ++i) {
        state = state * 1103515245u + 12345u;
        garbage.append(char(state >> 24));
    }
    QTest::newRow("binary garbage") << garbage;
    QTest::newRow("garbage after xml") << QByteArray("<main/>") + garbage;
    QTest::newRow("nul bytes") << QByteArray(1000, '\0');
    QTest::newRow("utf-16 without mark, cut")
        << QByteArray(reinterpret_cast<const char *>(u"<main"), 10);
}

void TestDiagramFile::unparsableData()
{
    QFETCH(QByteArray, data);
    DiagramReader reader(nullptr);
    QCOMPARE(reader.readData(data), DiagramReader::CannotParse);
    QVERIFY(reader.takeClasses().isEmpty());

    const QString path = m_dir.filePath(QStringLiteral("bad.vnls"));
    QVERIFY(writeAll(path, data));
    QCOMPARE(reader.readFile(path), DiagramReader::CannotParse);
}

void TestDiagramFile::veryDeepNesting()
{
    const int depth = 100000;
    QByteArray data = "<main><class name='A'>";
    data.reserve(depth * 7 + 100);
    for (int i = 0; i < depth; ++i)
        data += "<n>";
    for (int i = 0; i < depth; ++i)
        data += "</n>";
    data += "</class></main>";
    DiagramReader reader(nullptr);
    QCOMPARE(reader.readData(data), DiagramReader::CannotParse);

    // Unknown nesting within the limit is simply skipped.
    QByteArray fine = "<main><class name='A'>";
    for (int i = 0; i < 200; ++i)
        fine += "<n>";
    for (int i = 0; i < 200; ++i)
        fine += "</n>";
    fine += "</class></main>";
    QCOMPARE(reader.readData(fine), DiagramReader::ReadOk);
    Diagram diagram;
    takeAll(reader, &diagram);
    QCOMPARE(diagram.classes.size(), 1);
}

void TestDiagramFile::hugeAttributeValue()
{
    const QByteArray huge(50 * 1024 * 1024, 'c');
    const QByteArray data =
        "<main><class name='Big' comment='" + huge + "' unknown='" + huge + "'/></main>";
    const QString path = m_dir.filePath(QStringLiteral("huge.vnls"));
    QVERIFY(writeAll(path, data));
    DiagramReader reader(nullptr);
    QCOMPARE(reader.readFile(path), DiagramReader::ReadOk);
    Diagram diagram;
    takeAll(reader, &diagram);
    QCOMPARE(diagram.classes.size(), 1);
    QCOMPARE(diagram.classes.at(0)->getModel()->comment().size(), huge.size());
    QFile::remove(path);
}

void TestDiagramFile::entities_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("name");

    QTest::newRow("internal entity") << QByteArray("<!DOCTYPE main [<!ENTITY shape \"Shape\">]>"
                                                   "<main><class name='&shape;2'/></main>")
                                     << int(DiagramReader::ReadOk) << QStringLiteral("Shape2");
    QTest::newRow("doctype without entities")
        << QByteArray("<!DOCTYPE main><main><class name='A'/></main>") << int(DiagramReader::ReadOk)
        << QStringLiteral("A");

    QByteArray laughs = "<!DOCTYPE main [<!ENTITY l0 \"lol\">";
    for (int i = 1; i <= 9; ++i) {
        laughs += "<!ENTITY l" + QByteArray::number(i) + " \"";
        for (int j = 0; j < 10; ++j)
            laughs += "&l" + QByteArray::number(i - 1) + ';';
        laughs += "\">";
    }
    laughs += "]><main><class name='&l9;'/></main>";
    QTest::newRow("billion laughs") << laughs << int(DiagramReader::CannotParse) << QString();

    // Each reference stays under the parser's own limit; together they would not.
    QByteArray quadratic =
        "<!DOCTYPE main [<!ENTITY a \"" + QByteArray(4000, 'a') + "\">]><main><class name='";
    for (int i = 0; i < 200000; ++i)
        quadratic += "&a;";
    quadratic += "'/></main>";
    QTest::newRow("many references") << quadratic << int(DiagramReader::CannotParse) << QString();

    QTest::newRow("recursive entity")
        << QByteArray("<!DOCTYPE main [<!ENTITY a \"&b;\"><!ENTITY b \"&a;\">]>"
                      "<main><class name='&a;'/></main>")
        << int(DiagramReader::CannotParse) << QString();
    QTest::newRow("external entity in a value")
        << QByteArray("<!DOCTYPE main [<!ENTITY e SYSTEM \"file:///etc/passwd\">]>"
                      "<main><class name='&e;'/></main>")
        << int(DiagramReader::CannotParse) << QString();
    QTest::newRow("external entity in content is not loaded")
        << QByteArray("<!DOCTYPE main [<!ENTITY e SYSTEM \"file:///etc/passwd\">]>"
                      "<main>&e;<class name='A'/></main>")
        << int(DiagramReader::ReadOk) << QStringLiteral("A");
}

void TestDiagramFile::entities()
{
    QFETCH(QByteArray, data);
    QFETCH(int, status);
    QFETCH(QString, name);
    DiagramReader reader(nullptr);
    QCOMPARE(int(reader.readData(data)), status);
    Diagram diagram;
    takeAll(reader, &diagram);
    if (status == DiagramReader::ReadOk)
        QCOMPARE(diagram.classes.at(0)->getModel()->name(), name);
    else
        QVERIFY(diagram.classes.isEmpty());
}

void TestDiagramFile::regressionInputs()
{
    // Hostile inputs, and those the fuzzer found: "refused-" files must be refused,
    // "read-" files read; any other must end with a status. Whatever is read writes
    // and reads back to the same bytes.
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
        else
            QVERIFY2(status != DiagramReader::CannotOpen, qPrintable(name));
        if (status != DiagramReader::ReadOk) {
            QVERIFY(reader.takeClasses().isEmpty());
            continue;
        }
        Diagram first;
        takeAll(reader, &first);
        const QByteArray written = first.bytes();
        QVERIFY2(reader.readData(written) == DiagramReader::ReadOk, qPrintable(name));
        QCOMPARE(reader.droppedLinks(), 0);
        Diagram second;
        takeAll(reader, &second);
        QCOMPARE(describe(second), describe(first));
        QCOMPARE(second.bytes(), written);
    }
}

void TestDiagramFile::settingsFileRefusesHostileXml_data()
{
    // cfgs.xml goes through QDom, whose parse time grows with the square of the
    // nesting depth: the same limits guard it.
    QTest::addColumn<QByteArray>("data");
    QByteArray deep = "<cfgs language='fr'>";
    for (int i = 0; i < 100000; ++i)
        deep += "<n>";
    for (int i = 0; i < 100000; ++i)
        deep += "</n>";
    QTest::newRow("deep nesting") << deep + "</cfgs>";
    QByteArray laughs = "<!DOCTYPE cfgs [<!ENTITY l0 \"lol\">";
    for (int i = 1; i <= 9; ++i) {
        laughs += "<!ENTITY l" + QByteArray::number(i) + " \"";
        for (int j = 0; j < 10; ++j)
            laughs += "&l" + QByteArray::number(i - 1) + ';';
        laughs += "\">";
    }
    QTest::newRow("billion laughs") << laughs + "]><cfgs language='&l9;'/>";
    QByteArray quadratic =
        "<!DOCTYPE cfgs [<!ENTITY a \"" + QByteArray(4000, 'a') + "\">]><cfgs language='";
    for (int i = 0; i < 200000; ++i)
        quadratic += "&a;";
    QTest::newRow("many references") << quadratic + "'/>";
}

void TestDiagramFile::settingsFileRefusesHostileXml()
{
    QFETCH(QByteArray, data);
    Cfg cfg;
    cfg.setPrefixe(QStringLiteral("kept_"));
    QCOMPARE(cfg.readCfgData(data), Cfg::CannotParse);
    QCOMPARE(*cfg.prefixe(), QStringLiteral("kept_"));
    const QString path = m_dir.filePath(QStringLiteral("hostile-cfgs.xml"));
    QVERIFY(writeAll(path, data));
    QCOMPARE(Cfg::readLanguage(path), QString());
}

void TestDiagramFile::settingsRegressionInputs()
{
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
        if (name.startsWith(QLatin1String("read-")))
            QVERIFY2(status == Cfg::ReadOk, qPrintable(name));
        if (status != Cfg::ReadOk)
            continue;
        QCOMPARE(Cfg::readLanguage(path), cfg.language());
        Cfg again;
        QCOMPARE(again.readCfgData(cfg.toBytes()), Cfg::ReadOk);
        QCOMPARE(again.toBytes(), cfg.toBytes());
    }
}

QTEST_MAIN(TestDiagramFile)
#include "tst_diagramfile.moc"
