// The class model and its members: UML lines, incomplete members' C++, removals and the
// type scan for includes. The box sizes the figures give: tst_canvas.
#include "model/argatt.h"
#include "model/classmodel.h"
#include "model/function.h"
#include "model/typescan.h"

#include <QTest>

using namespace Qt::StringLiterals;

class TestModel : public QObject
{
    Q_OBJECT

private slots:
    void umlLines();
    void incompleteSetter();
    void repeatedNames();
    void scan_data();
    void scan();
};

static ArgAtt *att(const QString &name, const QString &type = u"int"_s, int range = 0)
{
    return new ArgAtt(name, type, QString(), range);
}

static Function *method(const QString &name, const QString &returnType = u"void"_s, int range = 1,
                        const QList<ArgAtt *> &args = {})
{
    return new Function(name, returnType, range, args);
}

void TestModel::umlLines()
{
    // Arguments (code 2) and unknown codes get no mark; the " = " stays without a default.
    const QString marks[] = {u"- "_s, u"+ "_s, QString(), QString(), QString(), QString()};
    const QString methodMarks[] = {u"- "_s, u"+ "_s, u"# "_s, u"+ "_s, u"+ "_s, QString()};
    // Boxes are sized by the lengths, which must be those of the lines.
    for (int range = 0; range <= 5; ++range) {
        const ArgAtt attribute(u"count"_s, u"int"_s, u"1.5"_s, range);
        QCOMPARE(attribute.umlText(), marks[range] + u"count : int = 1.5"_s);
        QCOMPARE(attribute.umlLength(), attribute.umlText().size());
        const Function one(u"mix"_s, u"float"_s, range, {att(u"a"_s)});
        QCOMPARE(one.umlText(), methodMarks[range] + u"mix (a:int) : float"_s);
        QCOMPARE(one.umlLength(), one.umlText().size());
    }
    const Function two(u"mix"_s, u"float"_s, 2, {att(u"a"_s), att(u"b"_s, u"double"_s, 2)});
    QCOMPARE(two.umlText(), u"# mix (a:int, b:double) : float"_s);
    QCOMPARE(two.umlLength(), two.umlText().size());
    QCOMPARE(two.argLines(), (QStringList{u"- a : int = "_s, u"b : double = "_s}));
}

void TestModel::incompleteSetter()
{
    // A setter without argument (a hand-edited file) or without its attribute gets an
    // empty body rather than a crash. Complete members: tst_codegen's worked example.
    ArgAtt value(u"m_v"_s, u"int"_s, QString(), 0);
    Function bare(u"setV"_s, u"void"_s, 3, {});
    bare.setLinkedAtt(&value);
    QCOMPARE(bare.codeDefinition(u"K"_s), u"void K::setV()\n{\n\n}"_s);
    QCOMPARE(Function(u"setV"_s, u"void"_s, 3, {att(u"v"_s)}).codeDefinition(u"K"_s),
             u"void K::setV(const int &v)\n{\n\n}"_s);
}

void TestModel::repeatedNames()
{
    // Every record of the name goes, adjacent or not; the others stay.
    ClassModel model;
    model.setMethods({method(u"getCount"_s), method(u"getCount"_s), method(u"setCount"_s),
                      method(u"getCount"_s)});
    model.setAttributes({att(u"a"_s), att(u"b"_s), att(u"a"_s, u"long"_s)});
    Function *getter = method(u"getA"_s, u"int"_s, 4);
    getter->setLinkedAtt(model.attributes().last());
    model.addMethod(getter);
    model.removeMethod(u"getCount"_s);
    model.removeAttribute(u"a"_s);
    QCOMPARE(model.methodLines(), (QStringList{u"+ setCount () : void"_s, u"+ getA () : int"_s}));
    QCOMPARE(model.attributeLines(), QStringList{u"- b : int = "_s});
    // The accessor of a removed attribute must not read freed memory.
    QCOMPARE(getter->linkedAtt(), nullptr);
    QCOMPARE(getter->codeDefinition(u"K"_s), u"int K::getA()const\n{\n\n}"_s);

    getter->setArgs({att(u"x"_s), att(u"x"_s), att(u"y"_s), att(u"x"_s, u"char"_s)});
    getter->removeArg(u"x"_s);
    QCOMPARE(getter->umlText(), u"+ getA (y:int) : int"_s);
}

void TestModel::scan_data()
{
    // Types of the attributes, of the returns and of one method's arguments, split at
    // ';', the headers they ask for and the names only pointed or referred to.
    QTest::addColumn<QString>("types");
    QTest::addColumn<QString>("headers");
    QTest::addColumn<QString>("indirect");
    QTest::newRow("trimmed, nested, pointers once")
        << "QMap<QString, int>; volatile  Bar * ;A<B,C<D,E>>;Point**;QList<Point*>||"
        << "QMap;QString;bar.h;a.h;b.h;c.h;d.h;e.h;point.h;QList"
        << "Bar;Point";
    QTest::newRow("standard library")
        << "std::vector<Book*>;QList<std::string>|std::map<std::size_t, "
           "std::unique_ptr<Loan>>;std::chrono::seconds|uint8_t;std::pair<int, "
           "int>;std::function<void(int)>;std::optional<std::int64_t>"
        << "vector;book.h;QList;string;map;loan.h;cstddef;memory;chrono;cstdint;utility;"
           "functional;optional;cstdint"
        << "Book";
    QTest::newRow("no header for fundamental, primitive or impossible names")
        << "unsigned int;const char*;string;int[4];struct Node*;void(*)(int);ns::Thing;"
           "std::nothing;My Type;Cell[2][3]|quint;qint|"
        << "node.h;cell.h"
        << "Node";
    QTest::newRow("attributes, returns, then arguments; empty return skipped") << "B|;A|const C&;B*"
                                                                               << "b.h;a.h;c.h"
                                                                               << "C";
    // Past sixteen names a class indexes them: those listed before and after are found.
    QTest::newRow("many names") << "T1*;T2;T3;T4;T5;T6;T7;T8;T9;T10;T11;T12;T13;T14;T15;T16;T17;"
                                   "T18*||T1;T18*;T2*"
                                << "t1.h;t2.h;t3.h;t4.h;t5.h;t6.h;t7.h;t8.h;t9.h;t10.h;t11.h;t12.h;"
                                   "t13.h;t14.h;t15.h;t16.h;t17.h;t18.h"
                                << "T18";
}

void TestModel::scan()
{
    QFETCH(QString, types);
    QFETCH(QString, headers);
    QFETCH(QString, indirect);
    const auto list = [&types](int part) { return types.section(u'|', part, part).split(u';'); };
    ClassModel model;
    for (const QString &type : list(0))
        model.addAttribute(att(u"a"_s, type));
    // An empty return type is kept, as a method without one.
    for (const QString &type : list(1))
        model.addMethod(method(u"f"_s, type));
    QList<ArgAtt *> arguments;
    for (const QString &type : list(2))
        arguments.append(att(u"x"_s, type, 2));
    model.addMethod(method(u"g"_s, QString(), 1, arguments));
    for (int scan = 0; scan < 2; ++scan) { // a second scan adds nothing
        model.gatherIncludeTypes();
        QStringList names;
        QStringList pointedTo;
        for (const QString &name : model.neededIncludes()) {
            names.append(TypeScan::headerName(name));
            if (model.usesOnlyIndirectly(name))
                pointedTo.append(name);
        }
        QCOMPARE(names.join(u';'), headers);
        QCOMPARE(pointedTo.join(u';'), indirect);
    }
}

QTEST_GUILESS_MAIN(TestModel)
#include "tst_model.moc"
