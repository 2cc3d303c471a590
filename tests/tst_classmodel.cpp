// The class model: members, box size figures and the type scan for includes.
#include "model/argatt.h"
#include "model/classmodel.h"
#include "model/function.h"

#include <QSignalSpy>
#include <QTest>

using namespace Qt::StringLiterals;

class TestClassModel : public QObject
{
    Q_OBJECT

private slots:
    void sizeFigures();
    void repeatedNames();
    void scan_data();
    void scan();
};

static ArgAtt *att(const QString &name, const QString &type = u"int"_s)
{
    return new ArgAtt(name, type, QString(), 0);
}

static Function *method(const QString &name, const QString &returnType = u"void"_s, int range = 1)
{
    return new Function(name, returnType, range, {});
}

// The longest line's length and the number of lines, which the box takes its size from.
static QString figures(const ClassModel &model)
{
    return u"%1 x %2"_s.arg(model.maxLineLength()).arg(model.lineCount());
}

void TestClassModel::sizeFigures()
{
    ClassModel model;
    QCOMPARE(figures(model), u"10 x 20"_s); // until the first update
    QSignalSpy sizeChanged(&model, &ClassModel::sizeChanged);
    model.updateSize();
    QCOMPARE(figures(model), u"0 x 1"_s);
    model.setName(u"A"_s);
    model.updateSize();
    model.updateSize();
    QCOMPARE(figures(model), u"1 x 1"_s);
    QCOMPARE(sizeChanged.size(), 2); // the repeated update changed nothing

    model.addAttribute(new ArgAtt(u"count"_s, u"int"_s, u"0"_s, 0)); // "- count : int = 0"
    model.updateSize();
    QCOMPARE(figures(model), u"17 x 2"_s);
    model.addMethod(method(u"longerThanTheRest"_s)); // "+ longerThanTheRest () : void"
    model.updateSize();
    QCOMPARE(figures(model), u"29 x 3"_s);
}

void TestClassModel::repeatedNames()
{
    ClassModel model;
    model.setMethods({method(u"getCount"_s), method(u"getCount"_s), method(u"setCount"_s),
                      method(u"getCount"_s)});
    model.setAttributes({att(u"a"_s), att(u"b"_s), att(u"a"_s, u"long"_s)});
    QCOMPARE(model.findAttribute(u"a"_s), model.attributes().first());
    QVERIFY(!model.findMethod(u"getcount"_s));
    Function *getter = method(u"getA"_s, u"int"_s, 4);
    getter->setLinkedAtt(model.attributes().last());
    model.addMethod(getter);

    // Every record of the name goes, adjacent or not; the sanitizer run checks that
    // each record is deleted once, here or with the model.
    model.removeMethod(u"getCount"_s);
    model.removeAttribute(u"a"_s);
    model.removeMethod(u"absent"_s);
    QCOMPARE(model.methodLines(), (QStringList{u"+ setCount () : void"_s, u"+ getA () : int"_s}));
    QCOMPARE(model.attributeLines(), QStringList{u"- b : int = "_s});
    // The accessor of a removed attribute must not read freed memory.
    QCOMPARE(getter->linkedAtt(), nullptr);
    QCOMPARE(getter->codeDefinition(u"K"_s), u"int K::getA()const\n{\n\n}"_s);

    // The user's includes never hold an empty entry.
    model.setIncludes({u"QString"_s, QString(), u" QList"_s});
    QCOMPARE(model.includes(), (QStringList{u"QString"_s, u" QList"_s}));
}

void TestClassModel::scan_data()
{
    QTest::addColumn<QStringList>("attributeTypes");
    QTest::addColumn<QStringList>("returnTypes");
    QTest::addColumn<QStringList>("gathered");

    const QStringList none;
    const auto row = [](const char *name, const QStringList &types, const QStringList &returns,
                        const QStringList &gathered) {
        QTest::newRow(name) << types << returns << gathered;
    };
    row("map of string and int", {u"QMap<QString, int>"_s}, none, {u"QMap"_s, u"QString"_s});
    row("list of pointers", {u"QList<Point*>"_s}, none, {u"QList"_s, u"Point"_s});
    row("nested", {u"A<B,C<D,E>>"_s}, none, {u"A"_s, u"B"_s, u"C"_s, u"D"_s, u"E"_s});
    row("list of int", {u"QList<int>"_s}, none, {u"QList"_s});
    row("pointer to primitive", {u"int*"_s}, none, none);
    row("double pointer, twice", {u"Point**"_s, u"Point*"_s}, none, {u"Point"_s});
    row("other case is not primitive", {u"Int"_s}, none, {u"Int"_s});
    row("const reference", none, {u"const Foo&"_s}, {u"Foo"_s});
    row("fundamental words",
        {u"unsigned int"_s, u"long long"_s, u"signed char"_s, u"wchar_t"_s, u"const char*"_s}, none,
        none);
    row("qualified names", {u"std::string"_s, u"QList<std::string>"_s}, none, {u"QList"_s});
    row("volatile and blanks", {u" volatile  Bar * "_s}, none, {u"Bar"_s});
    row("worked example, with a pointer to its own class",
        {u"double"_s, u"QString"_s, u"Point*"_s, u"Circle*"_s},
        {u"void"_s, u"double"_s, u"void"_s, u"bool"_s}, {u"QString"_s, u"Point"_s, u"Circle"_s});
    row("attributes first, empty return skipped", {u"B"_s}, {QString(), u"A"_s}, {u"B"_s, u"A"_s});
}

void TestClassModel::scan()
{
    QFETCH(QStringList, attributeTypes);
    QFETCH(QStringList, returnTypes);
    QFETCH(QStringList, gathered);

    ClassModel model;
    for (const QString &type : std::as_const(attributeTypes))
        model.addAttribute(att(u"a"_s, type));
    for (const QString &type : std::as_const(returnTypes))
        model.addMethod(method(u"f"_s, type));
    model.gatherIncludeTypes();
    QCOMPARE(model.neededIncludes(), gathered);
    model.gatherIncludeTypes();
    QCOMPARE(model.neededIncludes(), gathered); // a second scan adds nothing
}

QTEST_GUILESS_MAIN(TestClassModel)
#include "tst_classmodel.moc"
