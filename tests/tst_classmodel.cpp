// The class model: members, box size figures and the type scan for includes.
#include "model/argatt.h"
#include "model/classmodel.h"
#include "model/function.h"

#include <QSignalSpy>
#include <QTest>

class TestClassModel : public QObject
{
    Q_OBJECT

private slots:
    void sizeFigures();
    void findIsExact();
    void removeRepeatedNames();
    void removedAttributeIsForgottenByItsAccessors();
    void includesDropEmptyEntries();
    void requestEditEmits();
    void typeVocabulary();
    void scan_data();
    void scan();
    void workedScan();
    void secondScanAddsNothing();
    void clearedScanFollowsTheModel();
};

static ArgAtt *att(const QString &name, const QString &type, int range = 0,
                   const QString &def = QString())
{
    return new ArgAtt(name, type, def, range);
}

static Function *method(const QString &name, const QString &returnType = QStringLiteral("void"),
                        int range = 1)
{
    return new Function(name, returnType, range, {});
}

void TestClassModel::sizeFigures()
{
    ClassModel model;
    QCOMPARE(model.maxLineLength(), 10);
    QCOMPARE(model.lineCount(), 20);

    model.updateSize();
    QCOMPARE(model.lineCount(), 1);
    QCOMPARE(model.maxLineLength(), 0);

    QSignalSpy sizeChanged(&model, &ClassModel::sizeChanged);
    model.setName(QStringLiteral("A"));
    model.updateSize();
    QCOMPARE(model.maxLineLength(), 1);
    QCOMPARE(sizeChanged.size(), 1);
    model.updateSize();
    QCOMPARE(sizeChanged.size(), 1); // nothing changed, nothing announced

    model.addAttribute(att(QStringLiteral("count"), QStringLiteral("int"), 0, QStringLiteral("0")));
    model.updateSize();
    QCOMPARE(model.lineCount(), 2);
    QCOMPARE(model.maxLineLength(), 17); // "- count : int = 0"

    model.addMethod(
        method(QStringLiteral("somewhatLongerName"))); // "+ somewhatLongerName () : void"
    model.updateSize();
    QCOMPARE(model.lineCount(), 3);
    QCOMPARE(model.maxLineLength(), 30);
}

void TestClassModel::findIsExact()
{
    ClassModel model;
    model.addMethod(method(QStringLiteral("Foo")));
    model.addAttribute(att(QStringLiteral("Foo"), QStringLiteral("int")));
    QVERIFY(model.findMethod(QStringLiteral("Foo")));
    QVERIFY(!model.findMethod(QStringLiteral("foo")));
    QVERIFY(model.findAttribute(QStringLiteral("Foo")));
    QVERIFY(!model.findAttribute(QStringLiteral("Foo ")));
}

void TestClassModel::removeRepeatedNames()
{
    ClassModel model;
    model.setMethods({method(QStringLiteral("getCount")), method(QStringLiteral("getCount")),
                      method(QStringLiteral("setCount"))});
    model.setAttributes({att(QStringLiteral("a"), QStringLiteral("int")),
                         att(QStringLiteral("b"), QStringLiteral("int")),
                         att(QStringLiteral("a"), QStringLiteral("long int"))});

    model.removeMethod(QStringLiteral("getCount"));
    QCOMPARE(model.methods().size(), 1);
    QCOMPARE(model.methods().first()->name(), QStringLiteral("setCount"));

    model.removeAttribute(QStringLiteral("a"));
    QCOMPARE(model.attributeLines(), QStringList{QStringLiteral("- b : int = ")});

    model.removeMethod(QStringLiteral("absent"));
    model.removeAttribute(QStringLiteral("absent"));
    QCOMPARE(model.methods().size(), 1);
    QCOMPARE(model.attributes().size(), 1);
    // The remaining records go with the model; the sanitizer run checks every record
    // is freed exactly once.
}

void TestClassModel::removedAttributeIsForgottenByItsAccessors()
{
    ClassModel model;
    ArgAtt *value = att(QStringLiteral("m_v"), QStringLiteral("int"));
    model.addAttribute(value);
    Function *getter = method(QStringLiteral("getV"), QStringLiteral("int"), 4);
    getter->setLinkedAtt(value);
    model.addMethod(getter);

    model.removeAttribute(QStringLiteral("m_v"));
    QCOMPARE(getter->linkedAtt(), nullptr);
    QCOMPARE(getter->codeDefinition(QStringLiteral("K")),
             QStringLiteral("int K::getV()const\n{\n\n}"));
}

void TestClassModel::includesDropEmptyEntries()
{
    ClassModel model;
    model.setIncludes({QStringLiteral("QString"), QString(), QStringLiteral(" QList")});
    QCOMPARE(model.includes(), QStringList({QStringLiteral("QString"), QStringLiteral(" QList")}));
}

void TestClassModel::requestEditEmits()
{
    ClassModel model;
    QSignalSpy spy(&model, &ClassModel::editing);
    model.requestEdit();
    QCOMPARE(spy.size(), 1);
    QCOMPARE(spy.first().first().value<ClassModel *>(), &model);
}

void TestClassModel::typeVocabulary()
{
    const QStringList types = ClassModel().primitiveTypes();
    QCOMPARE(types.size(), 12);
    QCOMPARE(types.first(), QStringLiteral("int"));
    QCOMPARE(types.last(), QStringLiteral("bool"));
    QVERIFY(types.contains(QStringLiteral("unsigned long int")));
    QVERIFY(!types.contains(QStringLiteral("int ")));
    QVERIFY(!types.contains(QStringLiteral("Int")));
    QVERIFY(!types.contains(QStringLiteral("unsigned int")));
}

void TestClassModel::scan_data()
{
    QTest::addColumn<QStringList>("attributeTypes");
    QTest::addColumn<QStringList>("returnTypes");
    QTest::addColumn<QStringList>("gathered");

    const QStringList none;
    QTest::newRow("map of string and int")
        << QStringList{QStringLiteral("QMap<QString, int>")} << none
        << QStringList{QStringLiteral("QMap"), QStringLiteral("QString")};
    QTest::newRow("list of pointers")
        << QStringList{QStringLiteral("QList<Point*>")} << none
        << QStringList{QStringLiteral("QList"), QStringLiteral("Point")};
    QTest::newRow("nested templates")
        << QStringList{QStringLiteral("A<B,C<D,E>>")} << none
        << QStringList{QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C"),
                       QStringLiteral("D"), QStringLiteral("E")};
    QTest::newRow("list of int") << QStringList{QStringLiteral("QList<int>")} << none
                                 << QStringList{QStringLiteral("QList")};
    QTest::newRow("pointer to primitive") << QStringList{QStringLiteral("int*")} << none << none;
    QTest::newRow("double pointer")
        << QStringList{QStringLiteral("Point**")} << none << QStringList{QStringLiteral("Point")};
    QTest::newRow("same pointer twice")
        << QStringList{QStringLiteral("Point*"), QStringLiteral("Point*")} << none
        << QStringList{QStringLiteral("Point")};
    QTest::newRow("other case is not primitive")
        << QStringList{QStringLiteral("Int")} << none << QStringList{QStringLiteral("Int")};
    QTest::newRow("const reference return")
        << none << QStringList{QStringLiteral("const Foo&")} << QStringList{QStringLiteral("Foo")};
    QTest::newRow("fundamental words")
        << QStringList{QStringLiteral("unsigned int"), QStringLiteral("long long"),
                       QStringLiteral("signed char"), QStringLiteral("wchar_t"),
                       QStringLiteral("const char*")}
        << none << none;
    QTest::newRow("qualified names")
        << QStringList{QStringLiteral("std::string"), QStringLiteral("QList<std::string>")} << none
        << QStringList{QStringLiteral("QList")};
    QTest::newRow("volatile and blanks") << QStringList{QStringLiteral(" volatile  Bar * ")} << none
                                         << QStringList{QStringLiteral("Bar")};
    QTest::newRow("empty return types skipped") << none << QStringList{QString()} << none;
    QTest::newRow("attributes before return types")
        << QStringList{QStringLiteral("B")} << QStringList{QStringLiteral("A")}
        << QStringList{QStringLiteral("B"), QStringLiteral("A")};
}

void TestClassModel::scan()
{
    QFETCH(QStringList, attributeTypes);
    QFETCH(QStringList, returnTypes);
    QFETCH(QStringList, gathered);

    ClassModel model;
    for (const QString &type : std::as_const(attributeTypes))
        model.addAttribute(att(QStringLiteral("a"), type));
    for (const QString &type : std::as_const(returnTypes))
        model.addMethod(method(QStringLiteral("f"), type));
    model.gatherIncludeTypes();
    QCOMPARE(model.neededIncludes(), gathered);
}

void TestClassModel::workedScan()
{
    ClassModel model;
    model.setName(QStringLiteral("Circle"));
    model.addAttribute(att(QStringLiteral("m_radius"), QStringLiteral("double")));
    model.addAttribute(att(QStringLiteral("m_label"), QStringLiteral("QString"), 1));
    model.addAttribute(att(QStringLiteral("m_center"), QStringLiteral("Point*")));
    model.addMethod(method(QStringLiteral("scale"), QStringLiteral("void")));
    model.addMethod(method(QStringLiteral("getRadius"), QStringLiteral("double"), 4));
    model.addMethod(method(QStringLiteral("setRadius"), QStringLiteral("void"), 3));
    model.addMethod(method(QStringLiteral("redraw"), QStringLiteral("bool"), 2));
    model.addAttribute(att(QStringLiteral("m_self"), QStringLiteral("Circle*")));
    model.gatherIncludeTypes();
    QCOMPARE(model.neededIncludes(),
             QStringList(
                 {QStringLiteral("QString"), QStringLiteral("Point"), QStringLiteral("Circle")}));
}

void TestClassModel::secondScanAddsNothing()
{
    ClassModel model;
    model.addAttribute(att(QStringLiteral("a"), QStringLiteral("QHash<QString, Foo*>")));
    model.addMethod(method(QStringLiteral("f"), QStringLiteral("Bar")));
    model.gatherIncludeTypes();
    const QStringList first = model.neededIncludes();
    QCOMPARE(first.size(), 4);
    model.gatherIncludeTypes();
    QCOMPARE(model.neededIncludes(), first);
}

void TestClassModel::clearedScanFollowsTheModel()
{
    ClassModel model;
    model.addAttribute(att(QStringLiteral("a"), QStringLiteral("Foo")));
    model.gatherIncludeTypes();
    model.attributes().first()->setType(QStringLiteral("Bar"));
    model.clearNeededIncludes();
    model.gatherIncludeTypes();
    QCOMPARE(model.neededIncludes(), QStringList{QStringLiteral("Bar")});
}

QTEST_GUILESS_MAIN(TestClassModel)
#include "tst_classmodel.moc"
