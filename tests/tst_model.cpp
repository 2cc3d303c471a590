// The class model and its members: UML lines, incomplete members' C++, removals and the
// type scan for includes. The box sizes the figures give: tst_canvas.
#include "model/argatt.h"
#include "model/classmodel.h"
#include "model/function.h"
#include "model/namedrecords.h"

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
    for (int range = 0; range <= 5; ++range) {
        QCOMPARE(ArgAtt(u"count"_s, u"int"_s, u"1.5"_s, range).umlText(),
                 marks[range] + u"count : int = 1.5"_s);
        QCOMPARE(Function(u"mix"_s, u"float"_s, range, {att(u"a"_s)}).umlText(),
                 methodMarks[range] + u"mix (a:int) : float"_s);
    }
    QCOMPARE(ArgAtt(u"count"_s, u"int"_s, QString(), 0).umlText(), u"- count : int = "_s);
    const Function two(u"mix"_s, u"float"_s, 2,
                       {att(u"a"_s, u"int"_s, 2), att(u"b"_s, u"double"_s, 2)});
    QCOMPARE(two.umlText(), u"# mix (a:int, b:double) : float"_s);
    QCOMPARE(two.argLines(), (QStringList{u"a : int = "_s, u"b : double = "_s}));
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
    // Every record of the name goes, adjacent or not, deleted once there; the others
    // are left to their owner. Each record here notes its place when deleted.
    struct Record
    {
        QString key;
        QString *log;
        QChar place;
        QString name() const { return key; }
        ~Record() { *log += place; }
    };
    QString deleted, seen;
    QList<Record *> records;
    for (const char *key : {"a", "b", "a", "a", "c"})
        records << new Record{QLatin1String(key), &deleted, QChar(u'0' + int(records.size()))};
    NamedRecords::remove(records, u"a"_s, [&](const Record *r) { seen += r->place; });
    QCOMPARE(seen + u'|' + deleted, u"023|023"_s);
    qDeleteAll(records);
    QCOMPARE(deleted, u"02314"_s);

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
    QTest::addColumn<QStringList>("attributeTypes");
    QTest::addColumn<QStringList>("returnTypes");
    QTest::addColumn<QStringList>("gathered");
    const QStringList none;
    const auto row = [](const char *name, const QStringList &types, const QStringList &returns,
                        const QStringList &gathered) {
        QTest::newRow(name) << types << returns << gathered;
    };
    row("blanks and qualifiers trimmed", {u"QMap<QString, int>"_s, u" volatile  Bar * "_s}, none,
        {u"QMap"_s, u"QString"_s, u"Bar"_s});
    row("nested", {u"A<B,C<D,E>>"_s}, none, {u"A"_s, u"B"_s, u"C"_s, u"D"_s, u"E"_s});
    row("pointers, twice", {u"Point**"_s, u"QList<Point*>"_s}, none, {u"Point"_s, u"QList"_s});
    row("const reference", none, {u"const Foo&"_s}, {u"Foo"_s});
    row("fundamental words", {u"unsigned int"_s, u"const char*"_s}, none, none);
    row("qualified names", {u"std::string"_s, u"QList<std::string>"_s}, none, {u"QList"_s});
    row("worked example, with a pointer to its own class",
        {u"double"_s, u"QString"_s, u"Point*"_s, u"Circle*"_s},
        {u"void"_s, u"double"_s, u"void"_s, u"bool"_s}, {u"QString"_s, u"Point"_s, u"Circle"_s});
    row("attributes first, empty return skipped", {u"B"_s}, {QString(), u"A"_s}, {u"B"_s, u"A"_s});
}

void TestModel::scan()
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

QTEST_GUILESS_MAIN(TestModel)
#include "tst_model.moc"
