// The header and source files written for a list of classes.
#include "canvas/classitem.h"
#include "canvas/link.h"
#include "codegen/codegenerator.h"
#include "codegenexample.h"
#include "model/argatt.h"
#include "model/classmodel.h"
#include "model/function.h"
#include "model/linkmodel.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

// The boxes and links of one test diagram; deletes them, links first.
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

    ClassItem *addClass(const QString &name)
    {
        auto *item = new ClassItem(nullptr);
        item->getModel()->setName(name);
        classes.append(item);
        return item;
    }

    Link *addLink(ClassItem *master, ClassItem *slave, int type = LinkModel::Inheritance)
    {
        auto *link = new Link;
        link->getModel()->setType(type);
        link->getModel()->setMaster(master);
        link->getModel()->setSlave(slave);
        links.append(link);
        return link;
    }
};

ClassModel *model(ClassItem *item)
{
    return item->getModel();
}

void addAttribute(ClassItem *item, const QString &name, const QString &type, int range)
{
    model(item)->addAttribute(new ArgAtt(name, type, QString(), range));
}

void addMethod(ClassItem *item, const QString &name, const QString &returnType, int range)
{
    model(item)->addMethod(new Function(name, returnType, range, {}));
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray("<missing>");
    return file.readAll();
}

const char bannerText[] = "/*\n"
                          "*************************************************\n"
                          "********************! WARNING !********************\n"
                          "This file contain source code automatically generate by\n"
                          "Varnel. Errors are possibles.\n"
                          "*************************************************\n"
                          "*/";

// The text of a header from its guard line on, the part the class shapes.
QString headerBody(const QString &header)
{
    const int at = int(header.indexOf(QLatin1String("#ifndef")));
    return at < 0 ? header : header.mid(at);
}

// The Shape and Circle diagram of the worked example.
void buildShapes(Diagram *diagram)
{
    ClassItem *shape = diagram->addClass(QStringLiteral("Shape"));
    addAttribute(shape, QStringLiteral("m_name"), QStringLiteral("QString"), ArgAtt::Public);

    ClassItem *circle = diagram->addClass(QStringLiteral("Circle"));
    ClassModel *c = model(circle);
    c->setComment(QStringLiteral("Geometric circle"));
    c->setParentName(QStringLiteral("QObject"));
    c->setIncludes({QStringLiteral("QList"), QStringLiteral("Canvas")});
    auto *radius = new ArgAtt(QStringLiteral("m_radius"), QStringLiteral("double"),
                              QStringLiteral("1.0"), ArgAtt::Private);
    c->addAttribute(radius);
    addAttribute(circle, QStringLiteral("m_label"), QStringLiteral("QString"), ArgAtt::Public);
    addAttribute(circle, QStringLiteral("m_center"), QStringLiteral("Point*"), ArgAtt::Private);

    c->addMethod(new Function(
        QStringLiteral("scale"), QStringLiteral("void"), ArgAtt::Public,
        {new ArgAtt(QStringLiteral("factor"), QStringLiteral("double"), QString(), 2),
         new ArgAtt(QStringLiteral("origin"), QStringLiteral("Point"), QString(), 2)}));
    auto *setter = new Function(
        QStringLiteral("setRadius"), QStringLiteral("void"), ArgAtt::Setter,
        {new ArgAtt(QStringLiteral("radius"), QStringLiteral("double"), QString(), 2)});
    setter->setLinkedAtt(radius);
    c->addMethod(setter);
    auto *getter =
        new Function(QStringLiteral("getRadius"), QStringLiteral("double"), ArgAtt::Getter, {});
    getter->setLinkedAtt(radius);
    c->addMethod(getter);
    addMethod(circle, QStringLiteral("redraw"), QStringLiteral("bool"), ArgAtt::Protected);

    diagram->addLink(shape, circle);
}

} // namespace

class TestCodeGenerator : public QObject
{
    Q_OBJECT

private slots:
    void workedExample();
    void shapeOfTheWorkedExample();
    void emptyClass();
    void header_data();
    void header();
    void sourceWithoutMethods();
    void fileNames();
    void sameNameTwice();
    void includesFollowTheModel();
    void filesDoNotDependOnThePick();
    void otherLinkKindsPruneNothing_data();
    void otherLinkKindsPruneNothing();
    void brokenLinksAreIgnored();
    void invalidNames_data();
    void invalidNames();
    void unwritableFolder();
    void sourceCannotBeWritten();
    void headerCannotBeCreated();
    void utf8AndLineFeeds();
};

void TestCodeGenerator::workedExample()
{
    Diagram diagram;
    buildShapes(&diagram);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());

    CodeGenerator generator(diagram.links);
    QStringList written;
    QStringList problems;
    generator.setWrittenHandler([&written](const QString &path) { written.append(path); });
    generator.setProblemHandler(
        [&problems](CodeGenerator::Problem, const QString &name) { problems.append(name); });
    QVERIFY(generator.generate(diagram.classes, dir.path()));
    QVERIFY(problems.isEmpty());

    const QString base = dir.path() + QDir::separator();
    QCOMPARE(written,
             QStringList({base + QStringLiteral("shape.cpp"), base + QStringLiteral("shape.h"),
                          base + QStringLiteral("circle.cpp"), base + QStringLiteral("circle.h")}));
    QCOMPARE(readAll(base + QStringLiteral("circle.h")), QByteArray(circleHeader));
    QCOMPARE(readAll(base + QStringLiteral("circle.cpp")), QByteArray(circleSource));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name),
             QStringList({QStringLiteral("circle.cpp"), QStringLiteral("circle.h"),
                          QStringLiteral("shape.cpp"), QStringLiteral("shape.h")}));
}

void TestCodeGenerator::shapeOfTheWorkedExample()
{
    Diagram diagram;
    buildShapes(&diagram);
    const CodeGenerator generator(diagram.links);
    QCOMPARE(headerBody(generator.headerText(diagram.classes.at(0))),
             QStringLiteral("#ifndef SHAPE_H\n#define SHAPE_H\n\n#include <QString>\n\n"
                            "class Shape\n{\n\npublic:\n    QString m_name;\n\n};\n\n"
                            "#endif // SHAPE_H"));
}

void TestCodeGenerator::emptyClass()
{
    Diagram diagram;
    ClassItem *item = diagram.addClass(QStringLiteral("Empty"));
    const CodeGenerator generator(diagram.links);
    // The comment block stays, with one empty line, and two empty lines separate the
    // guard from the class line when there is nothing to include.
    QCOMPARE(generator.headerText(item),
             QLatin1String(bannerText)
                 + QStringLiteral("\n\n/*\n\n*/\n\n#ifndef EMPTY_H\n#define EMPTY_H\n\n\n"
                                  "class Empty\n{\n\npublic:\n\n};\n\n#endif // EMPTY_H"));
    QCOMPARE(generator.sourceText(item),
             QLatin1String(bannerText) + QStringLiteral("\n\n/*\n\n*/\n\n#include <empty.h>\n\n"));
}

void TestCodeGenerator::header_data()
{
    QTest::addColumn<QString>("parentName");
    QTest::addColumn<QStringList>("includes");
    QTest::addColumn<QStringList>("attributeTypes");
    QTest::addColumn<QStringList>("linkParents");
    QTest::addColumn<QString>("expected");

    const QStringList none;
    QTest::newRow("typed parent keeps its case")
        << "Animal" << QStringList{QStringLiteral("Canvas")} << QStringList{QStringLiteral("Point")}
        << none
        << "\n#include <point.h>\n#include <Animal.h>\n#include <canvas.h>\n\n"
           "class C : public Animal\n";
    QTest::newRow("typed toolkit parent") << "QWidget" << none << none << none
                                          << "\n#include <QWidget>\n\nclass C : public QWidget\n";
    QTest::newRow("Q rule on every kind of name")
        << "" << QStringList{QStringLiteral("QList"), QStringLiteral("qlist")}
        << QStringList{QStringLiteral("QMap<Quux, Zed*>")} << QStringList{QStringLiteral("Qt3D")}
        << "\n#include <QMap>\n#include <Quux>\n#include <zed.h>\n"
           "#include <QList>\n#include <qlist.h>\n#include <Qt3D>\n\nclass C : public Qt3D\n";
    QTest::newRow("link parents come before the typed one")
        << "QObject" << none << none << QStringList{QStringLiteral("Base"), QStringLiteral("Mixin")}
        << "\n#include <QObject>\n#include <base.h>\n#include <mixin.h>\n\n"
           "class C : public Base, public Mixin, public QObject\n";
    QTest::newRow("only link parents")
        << "" << none << none << QStringList{QStringLiteral("Base"), QStringLiteral("Mixin")}
        << "\n#include <base.h>\n#include <mixin.h>\n\nclass C : public Base, public Mixin\n";
    QTest::newRow("gathered and user names are lower-cased")
        << "" << QStringList{QStringLiteral("MyWidget")}
        << QStringList{QStringLiteral("GeoPoint"), QStringLiteral("QList<Item*>")} << none
        << "\n#include <geopoint.h>\n#include <QList>\n#include <item.h>\n"
           "#include <mywidget.h>\n\nclass C\n";
}

void TestCodeGenerator::header()
{
    QFETCH(QString, parentName);
    QFETCH(QStringList, includes);
    QFETCH(QStringList, attributeTypes);
    QFETCH(QStringList, linkParents);
    QFETCH(QString, expected);

    Diagram diagram;
    ClassItem *item = diagram.addClass(QStringLiteral("C"));
    model(item)->setParentName(parentName);
    model(item)->setIncludes(includes);
    for (int i = 0; i < attributeTypes.size(); ++i)
        addAttribute(item, QStringLiteral("a%1").arg(i), attributeTypes.at(i), ArgAtt::Public);
    for (const QString &parent : std::as_const(linkParents))
        diagram.addLink(diagram.addClass(parent), item);

    const QString header = CodeGenerator(diagram.links).headerText(item);
    const QString from = QStringLiteral("#define C_H\n");
    const int start = int(header.indexOf(from)) + int(from.size());
    const int end = int(header.indexOf(QLatin1String("{\n"), start));
    QVERIFY(start > int(from.size()) && end > start);
    QCOMPARE(header.mid(start, end - start), expected);
}

void TestCodeGenerator::sourceWithoutMethods()
{
    Diagram diagram;
    ClassItem *item = diagram.addClass(QStringLiteral("Plain"));
    addAttribute(item, QStringLiteral("count"), QStringLiteral("int"), ArgAtt::Private);
    addMethod(item, QStringLiteral("size"), QStringLiteral("int"), ArgAtt::Private);
    addMethod(item, QStringLiteral("name"), QStringLiteral("QString"), ArgAtt::Public);
    const CodeGenerator generator(diagram.links);
    // A method that returns a value still gets an empty body.
    QVERIFY(generator.sourceText(item).endsWith(
        QStringLiteral("#include <plain.h>\n\nint Plain::size()\n{\n\n}\n\n"
                       "QString Plain::name()\n{\n\n}\n\n")));
    // Public then private, methods before attributes; no protected heading.
    QVERIFY(generator.headerText(item).endsWith(
        QStringLiteral("class Plain\n{\n\npublic:\n    QString name();\n\n"
                       "private:\n    int size();\n    int count;\n\n};\n\n#endif // PLAIN_H")));
}

void TestCodeGenerator::fileNames()
{
    Diagram diagram;
    diagram.addClass(QStringLiteral("MyWidget_2"));
    QTemporaryDir dir;
    // A trailing separator must not double up in the written paths.
    const QString folder = dir.path() + QLatin1Char('/');
    CodeGenerator generator(diagram.links);
    QStringList written;
    generator.setWrittenHandler([&written](const QString &path) { written.append(path); });
    QVERIFY(generator.generate(diagram.classes, folder));
    QCOMPARE(written,
             QStringList({QDir::toNativeSeparators(dir.filePath(QStringLiteral("mywidget_2.cpp"))),
                          QDir::toNativeSeparators(dir.filePath(QStringLiteral("mywidget_2.h")))}));
    QVERIFY(readAll(dir.filePath(QStringLiteral("mywidget_2.h")))
                .contains("#ifndef MYWIDGET_2_H\n#define MYWIDGET_2_H\n"));
    QVERIFY(readAll(dir.filePath(QStringLiteral("mywidget_2.cpp")))
                .endsWith("\n#include <mywidget_2.h>\n\n"));
}

void TestCodeGenerator::sameNameTwice()
{
    Diagram diagram;
    addAttribute(diagram.addClass(QStringLiteral("Twin")), QStringLiteral("first"),
                 QStringLiteral("int"), ArgAtt::Public);
    addAttribute(diagram.addClass(QStringLiteral("Twin")), QStringLiteral("second"),
                 QStringLiteral("int"), ArgAtt::Public);
    QTemporaryDir dir;
    CodeGenerator generator(diagram.links);
    int written = 0;
    generator.setWrittenHandler([&written](const QString &) { ++written; });
    QVERIFY(generator.generate(diagram.classes, dir.path()));
    // Both are generated; the later one's files are the ones left.
    QCOMPARE(written, 4);
    const QByteArray header = readAll(dir.filePath(QStringLiteral("twin.h")));
    QVERIFY(header.contains("    int second;\n"));
    QVERIFY(!header.contains("first"));
}

void TestCodeGenerator::includesFollowTheModel()
{
    Diagram diagram;
    ClassItem *item = diagram.addClass(QStringLiteral("Holder"));
    addAttribute(item, QStringLiteral("m_value"), QStringLiteral("Point"), ArgAtt::Private);
    const CodeGenerator generator(diagram.links);
    QVERIFY(generator.headerText(item).contains(QLatin1String("#include <point.h>")));

    // Retyped since the last generation: the old type is no longer included.
    model(item)->attributes().first()->setType(QStringLiteral("Line"));
    const QString header = generator.headerText(item);
    QVERIFY(header.contains(QLatin1String("\n#include <line.h>\n\nclass Holder")));
    QVERIFY(!header.contains(QLatin1String("point.h")));
}

void TestCodeGenerator::filesDoNotDependOnThePick()
{
    Diagram diagram;
    buildShapes(&diagram);
    ClassItem *shape = diagram.classes.at(0);
    ClassItem *circle = diagram.classes.at(1);
    // An earlier scan of Shape, when it still held a Point, must not hide Circle's Point;
    // and Shape, though never picked, still takes QString out of Circle's includes.
    addAttribute(shape, QStringLiteral("m_origin"), QStringLiteral("Point"), ArgAtt::Public);
    model(shape)->gatherIncludeTypes();
    model(shape)->removeAttribute(QStringLiteral("m_origin"));

    QTemporaryDir alone;
    QVERIFY(CodeGenerator(diagram.links).generate({circle}, alone.path()));
    QCOMPARE(readAll(alone.filePath(QStringLiteral("circle.h"))), QByteArray(circleHeader));

    QTemporaryDir both;
    QVERIFY(CodeGenerator(diagram.links).generate({circle, shape}, both.path()));
    QCOMPARE(readAll(both.filePath(QStringLiteral("circle.h"))), QByteArray(circleHeader));
}

void TestCodeGenerator::otherLinkKindsPruneNothing_data()
{
    QTest::addColumn<int>("type");
    QTest::newRow("aggregation") << int(LinkModel::Aggregation);
    QTest::newRow("association") << int(LinkModel::Association);
}

void TestCodeGenerator::otherLinkKindsPruneNothing()
{
    QFETCH(int, type);
    Diagram diagram;
    ClassItem *owner = diagram.addClass(QStringLiteral("Owner"));
    addAttribute(owner, QStringLiteral("m_name"), QStringLiteral("QString"), ArgAtt::Public);
    ClassItem *part = diagram.addClass(QStringLiteral("Part"));
    addAttribute(part, QStringLiteral("m_name"), QStringLiteral("QString"), ArgAtt::Public);
    // Both directions: neither end takes anything out of the other.
    diagram.addLink(owner, part, type);
    diagram.addLink(part, owner, type);

    const CodeGenerator generator(diagram.links);
    for (ClassItem *item : {owner, part}) {
        const QString name = model(item)->name();
        QCOMPARE(
            headerBody(generator.headerText(item)),
            QStringLiteral("#ifndef %1_H\n#define %1_H\n\n#include <QString>\n\nclass %2\n{\n\n"
                           "public:\n    QString m_name;\n\n};\n\n#endif // %1_H")
                .arg(name.toUpper(), name));
    }
}

void TestCodeGenerator::brokenLinksAreIgnored()
{
    Diagram diagram;
    ClassItem *item = diagram.addClass(QStringLiteral("Lone"));
    addAttribute(item, QStringLiteral("m_name"), QStringLiteral("QString"), ArgAtt::Public);
    diagram.addLink(nullptr, item);
    diagram.addLink(item, nullptr);
    diagram.addLink(item, item);
    const QString header = CodeGenerator(diagram.links).headerText(item);
    QVERIFY(header.contains(QLatin1String("#include <QString>\n\nclass Lone\n{")));
    QVERIFY(!header.contains(QLatin1String("lone.h")));
}

void TestCodeGenerator::invalidNames_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("empty") << "";
    QTest::newRow("parent folder") << "../Evil";
    QTest::newRow("slash") << "sub/Evil";
    QTest::newRow("backslash") << "sub\\Evil";
    QTest::newRow("absolute") << "/tmp/Evil";
    QTest::newRow("dot") << "Evil.h";
    QTest::newRow("blank") << "My Class";
    QTest::newRow("accent") << QStringLiteral("Cercl\u00e9");
    QTest::newRow("template") << "List<int>";
}

void TestCodeGenerator::invalidNames()
{
    QFETCH(QString, name);
    Diagram diagram;
    diagram.addClass(QStringLiteral("Before"));
    diagram.addClass(name);
    diagram.addClass(QStringLiteral("~After_1"));

    QTemporaryDir top;
    const QString folder = top.filePath(QStringLiteral("out"));
    QVERIFY(QDir().mkpath(folder + QStringLiteral("/sub")));
    CodeGenerator generator(diagram.links);
    QList<QPair<CodeGenerator::Problem, QString>> problems;
    QStringList written;
    generator.setProblemHandler(
        [&problems](CodeGenerator::Problem problem, const QString &className) {
            problems.append({problem, className});
        });
    generator.setWrittenHandler([&written](const QString &path) { written.append(path); });
    QVERIFY(!generator.generate(diagram.classes, folder));

    QCOMPARE(problems.size(), 1);
    QCOMPARE(problems.first().first, CodeGenerator::Problem::InvalidName);
    QCOMPARE(problems.first().second, name);
    // The classes around it are written, and nothing else anywhere.
    QCOMPARE(written.size(), 4);
    QCOMPARE(
        QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name),
        QStringList({QStringLiteral("before.cpp"), QStringLiteral("before.h"),
                     QStringLiteral("sub"), QStringLiteral("~after_1.cpp"),
                     QStringLiteral("~after_1.h")}));
    QVERIFY(QDir(folder + QStringLiteral("/sub")).isEmpty());
    QCOMPARE(QDir(top.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
             QStringList{QStringLiteral("out")});
    QVERIFY(!QFile::exists(QStringLiteral("/tmp/Evil.cpp")));
}

void TestCodeGenerator::unwritableFolder()
{
    Diagram diagram;
    diagram.addClass(QStringLiteral("First"));
    diagram.addClass(QStringLiteral("Second"));
    QTemporaryDir dir;
    const QString plainFile = dir.filePath(QStringLiteral("afile"));
    QFile file(plainFile);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();

    CodeGenerator generator(diagram.links);
    QStringList problems;
    generator.setProblemHandler([&problems](CodeGenerator::Problem problem, const QString &name) {
        QCOMPARE(problem, CodeGenerator::Problem::CannotWriteSource);
        problems.append(name);
    });
    QVERIFY(!generator.generate(diagram.classes, plainFile + QStringLiteral("/below")));
    // Each class is tried in turn.
    QCOMPARE(problems, QStringList({QStringLiteral("First"), QStringLiteral("Second")}));
}

void TestCodeGenerator::sourceCannotBeWritten()
{
    Diagram diagram;
    diagram.addClass(QStringLiteral("Blocked"));
    diagram.addClass(QStringLiteral("Next"));
    QTemporaryDir dir;
    // A folder stands where the source file should go.
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("blocked.cpp")));

    CodeGenerator generator(diagram.links);
    QList<CodeGenerator::Problem> problems;
    generator.setProblemHandler([&problems](CodeGenerator::Problem problem, const QString &name) {
        QCOMPARE(name, QStringLiteral("Blocked"));
        problems.append(problem);
    });
    QVERIFY(!generator.generate(diagram.classes, dir.path()));
    QCOMPARE(problems.size(), 1);
    QCOMPARE(problems.first(), CodeGenerator::Problem::CannotWriteSource);
    QVERIFY(QFileInfo(dir.filePath(QStringLiteral("blocked.cpp"))).isDir());
    QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("blocked.h"))));
    QVERIFY(QFile::exists(dir.filePath(QStringLiteral("next.h"))));
    QVERIFY(QFile::exists(dir.filePath(QStringLiteral("next.cpp"))));
}

void TestCodeGenerator::headerCannotBeCreated()
{
    Diagram diagram;
    diagram.addClass(QStringLiteral("Blocked"));
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("blocked.h")));
    // A source file from an earlier generation is left as it was, not emptied.
    QFile old(dir.filePath(QStringLiteral("blocked.cpp")));
    QVERIFY(old.open(QIODevice::WriteOnly));
    old.write("earlier text");
    old.close();

    CodeGenerator generator(diagram.links);
    QList<CodeGenerator::Problem> problems;
    generator.setProblemHandler(
        [&problems](CodeGenerator::Problem problem, const QString &) { problems.append(problem); });
    QVERIFY(!generator.generate(diagram.classes, dir.path()));
    QCOMPARE(problems, QList<CodeGenerator::Problem>{CodeGenerator::Problem::CannotWriteHeader});
    QCOMPARE(readAll(dir.filePath(QStringLiteral("blocked.cpp"))), QByteArray("earlier text"));
    // No temporary file is left behind.
    QCOMPARE(QDir(dir.path())
                 .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name),
             QStringList({QStringLiteral("blocked.cpp"), QStringLiteral("blocked.h")}));
}

void TestCodeGenerator::utf8AndLineFeeds()
{
    Diagram diagram;
    ClassItem *item = diagram.addClass(QStringLiteral("Cercle"));
    model(item)->setComment(QStringLiteral("Cercle \u00e9largi\nsur deux lignes"));
    QTemporaryDir dir;
    QVERIFY(CodeGenerator(diagram.links).generate(diagram.classes, dir.path()));
    for (const QString &file : {QStringLiteral("cercle.h"), QStringLiteral("cercle.cpp")}) {
        const QByteArray bytes = readAll(dir.filePath(file));
        QVERIFY(bytes.contains("/*\nCercle \xc3\xa9largi\nsur deux lignes\n*/\n"));
        QVERIFY(!bytes.contains('\r'));
        QVERIFY(!bytes.startsWith("\xef\xbb\xbf"));
    }
}

QTEST_GUILESS_MAIN(TestCodeGenerator)
#include "tst_codegenerator.moc"
