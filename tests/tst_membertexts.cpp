// The texts of attributes and methods: UML lines and the C++ code of generated files.
#include "model/argatt.h"
#include "model/function.h"

#include <QTest>

using namespace Qt::StringLiterals;

class TestMemberTexts : public QObject
{
    Q_OBJECT

private slots:
    void umlLines();
    void circleExample();
    void accessorWithoutItsParts();
    void ownership();
};

static ArgAtt *arg(const QString &name, const QString &type)
{
    return new ArgAtt(name, type, QString(), ArgAtt::Protected);
}

void TestMemberTexts::umlLines()
{
    // The " = " stays without a default; arguments (code 2) and unknown codes get no mark.
    const QString marks[] = {u"- "_s, u"+ "_s, QString(), QString(), QString(), QString()};
    const QString methodMarks[] = {u"- "_s, u"+ "_s, u"# "_s, u"+ "_s, u"+ "_s, QString()};
    for (int range = 0; range <= 5; ++range) {
        QCOMPARE(ArgAtt(u"count"_s, u"int"_s, u"1.5"_s, range).umlText(),
                 marks[range] + u"count : int = 1.5"_s);
        QCOMPARE(Function(u"mix"_s, u"float"_s, range, {arg(u"a"_s, u"int"_s)}).umlText(),
                 methodMarks[range] + u"mix (a:int) : float"_s);
    }
    QCOMPARE(ArgAtt(u"count"_s, u"int"_s, QString(), 0).umlText(), u"- count : int = "_s);
    QCOMPARE(Function(u"run"_s, QString(), -1, {}).umlText(), u"run () : "_s);
    const Function two(u"mix"_s, u"float"_s, 2, {arg(u"a"_s, u"int"_s), arg(u"b"_s, u"double"_s)});
    QCOMPARE(two.umlText(), u"# mix (a:int, b:double) : float"_s);
    QCOMPARE(two.argLines(), (QStringList{u"a : int = "_s, u"b : double = "_s}));
}

void TestMemberTexts::circleExample()
{
    ArgAtt radius(u"m_radius"_s, u"double"_s, u"1"_s, 0);
    const Function scale(u"scale"_s, u"void"_s, 1,
                         {arg(u"factor"_s, u"double"_s), arg(u"origin"_s, u"Point"_s)});
    Function setRadius(u"setRadius"_s, u"void"_s, 3, {arg(u"radius"_s, u"double"_s)});
    Function getRadius(u"getRadius"_s, u"double"_s, 4, {});
    const Function redraw(u"redraw"_s, u"bool"_s, 2, {});
    setRadius.setLinkedAtt(&radius);
    getRadius.setLinkedAtt(&radius);

    QCOMPARE(radius.codeDeclaration(), u"    double m_radius;"_s);
    QCOMPARE(scale.codeDeclaration(), u"    void scale(double factor, Point origin);"_s);
    QCOMPARE(setRadius.codeDeclaration(), u"    void setRadius(const double& radius);"_s);
    QCOMPARE(getRadius.codeDeclaration(), u"    double getRadius()const;"_s);
    QCOMPARE(redraw.codeDeclaration(), u"    bool redraw();"_s);

    const QString circle = u"Circle"_s;
    QCOMPARE(scale.codeDefinition(circle),
             u"void Circle::scale(double factor, Point origin)\n{\n\n}"_s);
    QCOMPARE(setRadius.codeDefinition(circle),
             u"void Circle::setRadius(const double &radius)\n{\n    m_radius = radius;\n}"_s);
    QCOMPARE(getRadius.codeDefinition(circle),
             u"double Circle::getRadius()const\n{\n    return m_radius;\n}"_s);
    QCOMPARE(redraw.codeDefinition(circle), u"bool Circle::redraw()\n{\n\n}"_s);

    // Every argument of a setter is a const reference; the body assigns from the first.
    setRadius.addArg(arg(u"b"_s, u"Foo"_s));
    QCOMPARE(setRadius.codeDeclaration(),
             u"    void setRadius(const double& radius, const Foo& b);"_s);
    QCOMPARE(
        setRadius.codeDefinition(u"K"_s),
        u"void K::setRadius(const double &radius, const Foo &b)\n{\n    m_radius = radius;\n}"_s);

    // An empty return type is written as empty.
    const Function run(u"run"_s, QString(), 1, {});
    QCOMPARE(run.codeDeclaration(), u"     run();"_s);
    QCOMPARE(run.codeDefinition(u"K"_s), u" K::run()\n{\n\n}"_s);
}

void TestMemberTexts::accessorWithoutItsParts()
{
    // A setter without argument (a hand-edited file) or accessors without their
    // attribute render an empty body rather than crash.
    ArgAtt value(u"m_v"_s, u"int"_s, QString(), 0);
    Function setter(u"setV"_s, u"void"_s, 3, {});
    setter.setLinkedAtt(&value);
    QCOMPARE(setter.codeDefinition(u"K"_s), u"void K::setV()\n{\n\n}"_s);

    QCOMPARE(Function(u"getV"_s, u"int"_s, 4, {}).codeDefinition(u"K"_s),
             u"int K::getV()const\n{\n\n}"_s);
    QCOMPARE(Function(u"setV"_s, u"void"_s, 3, {arg(u"v"_s, u"int"_s)}).codeDefinition(u"K"_s),
             u"void K::setV(const int &v)\n{\n\n}"_s);
}

void TestMemberTexts::ownership()
{
    auto *attribute = new ArgAtt(u"m_v"_s, u"int"_s, QString(), 0);
    auto *first = new ArgAtt(u"x"_s, u"int"_s, u"1"_s, 2);
    auto *method = new Function(
        u"f"_s, u"void"_s, 4,
        {first, arg(u"x"_s, u"long"_s), arg(u"y"_s, u"int"_s), arg(u"x"_s, u"char"_s)});
    method->setLinkedAtt(attribute);
    QCOMPARE(method->findArg(u"x"_s), first);
    QVERIFY(!method->findArg(u"X"_s));
    method->removeArg(u"z"_s);
    QCOMPARE(method->args().size(), 4);
    // Adjacent and scattered records of the name all go; the sanitizer run checks that
    // each argument is deleted once, and that the method leaves its attribute alone.
    method->removeArg(u"x"_s);
    QCOMPARE(method->umlText(), u"+ f (y:int) : void"_s);
    delete method;
    QCOMPARE(attribute->name(), u"m_v"_s);
    delete attribute;
}

QTEST_GUILESS_MAIN(TestMemberTexts)
#include "tst_membertexts.moc"
