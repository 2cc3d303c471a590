// The one-line texts of attributes and methods: UML lines and C++ code.
#include "model/argatt.h"
#include "model/function.h"

#include <QTest>

class TestMemberTexts : public QObject
{
    Q_OBJECT

private slots:
    void attributeLine_data();
    void attributeLine();
    void methodLine_data();
    void methodLine();
    void declarations();
    void definitions();
    void accessorWithoutItsParts();
    void emptyReturnType();
    void findAndRemoveArguments();
    void destroyingMethodKeepsLinkedAttribute();
};

void TestMemberTexts::attributeLine_data()
{
    QTest::addColumn<int>("range");
    QTest::addColumn<QString>("defValue");
    QTest::addColumn<QString>("expected");

    QTest::newRow("private") << 0 << "0"
                             << "- count : int = 0";
    QTest::newRow("public") << 1 << "0"
                            << "+ count : int = 0";
    QTest::newRow("argument has no prefix") << 2 << "1.5"
                                            << "count : int = 1.5";
    QTest::newRow("empty default keeps its equals") << 0 << ""
                                                    << "- count : int = ";
    QTest::newRow("unknown code") << 7 << ""
                                  << "count : int = ";
}

void TestMemberTexts::attributeLine()
{
    QFETCH(int, range);
    QFETCH(QString, defValue);
    QFETCH(QString, expected);
    QCOMPARE(ArgAtt(QStringLiteral("count"), QStringLiteral("int"), defValue, range).umlText(),
             expected);
}

void TestMemberTexts::methodLine_data()
{
    QTest::addColumn<int>("range");
    QTest::addColumn<int>("argCount");
    QTest::addColumn<QString>("expected");

    QTest::newRow("private, no argument") << 0 << 0 << "- mix () : float";
    QTest::newRow("public") << 1 << 1 << "+ mix (a:int) : float";
    QTest::newRow("protected, two arguments") << 2 << 2 << "# mix (a:int, b:double) : float";
    QTest::newRow("setter") << 3 << 1 << "+ mix (a:int) : float";
    QTest::newRow("getter") << 4 << 0 << "+ mix () : float";
    QTest::newRow("code 5") << 5 << 0 << "mix () : float";
    QTest::newRow("negative code") << -1 << 0 << "mix () : float";
}

void TestMemberTexts::methodLine()
{
    QFETCH(int, range);
    QFETCH(int, argCount);
    QFETCH(QString, expected);
    QList<ArgAtt *> args{new ArgAtt(QStringLiteral("a"), QStringLiteral("int"), QString(), 2),
                         new ArgAtt(QStringLiteral("b"), QStringLiteral("double"), QString(), 2)};
    while (args.size() > argCount)
        delete args.takeLast();
    const Function method(QStringLiteral("mix"), QStringLiteral("float"), range, args);
    QCOMPARE(method.umlText(), expected);
    QCOMPARE(method.argLines().size(), argCount);
}

namespace {
// The members of the Circle example: scale, setRadius, getRadius, redraw.
struct Circle
{
    ArgAtt radius{QStringLiteral("m_radius"), QStringLiteral("double"), QString(), 0};
    Function scale{QStringLiteral("scale"),
                   QStringLiteral("void"),
                   1,
                   {new ArgAtt(QStringLiteral("factor"), QStringLiteral("double"), QString(), 2),
                    new ArgAtt(QStringLiteral("origin"), QStringLiteral("Point"), QString(), 2)}};
    Function setRadius{
        QStringLiteral("setRadius"),
        QStringLiteral("void"),
        3,
        {new ArgAtt(QStringLiteral("radius"), QStringLiteral("double"), QString(), 2)}};
    Function getRadius{QStringLiteral("getRadius"), QStringLiteral("double"), 4, {}};
    Function redraw{QStringLiteral("redraw"), QStringLiteral("bool"), 2, {}};

    Circle()
    {
        setRadius.setLinkedAtt(&radius);
        getRadius.setLinkedAtt(&radius);
    }
};
} // namespace

void TestMemberTexts::declarations()
{
    const Circle circle;
    QCOMPARE(circle.scale.codeDeclaration(),
             QStringLiteral("    void scale(double factor, Point origin);"));
    QCOMPARE(circle.setRadius.codeDeclaration(),
             QStringLiteral("    void setRadius(const double& radius);"));
    QCOMPARE(circle.getRadius.codeDeclaration(), QStringLiteral("    double getRadius()const;"));
    QCOMPARE(circle.redraw.codeDeclaration(), QStringLiteral("    bool redraw();"));
    QCOMPARE(circle.radius.codeDeclaration(), QStringLiteral("    double m_radius;"));
}

void TestMemberTexts::definitions()
{
    const Circle circle;
    const QString circleName = QStringLiteral("Circle");
    QCOMPARE(circle.scale.codeDefinition(circleName),
             QStringLiteral("void Circle::scale(double factor, Point origin)\n{\n\n}"));
    QCOMPARE(circle.setRadius.codeDefinition(circleName),
             QStringLiteral("void Circle::setRadius(const double &radius)\n{\n"
                            "    m_radius = radius;\n}"));
    QCOMPARE(circle.getRadius.codeDefinition(circleName),
             QStringLiteral("double Circle::getRadius()const\n{\n    return m_radius;\n}"));
    QCOMPARE(circle.redraw.codeDefinition(circleName),
             QStringLiteral("bool Circle::redraw()\n{\n\n}"));

    // A setter with two arguments qualifies both and assigns from the first.
    ArgAtt value(QStringLiteral("m_v"), QStringLiteral("int"), QString(), 0);
    Function twoArgs(QStringLiteral("setV"), QStringLiteral("void"), 3,
                     {new ArgAtt(QStringLiteral("a"), QStringLiteral("int"), QString(), 2),
                      new ArgAtt(QStringLiteral("b"), QStringLiteral("Foo"), QString(), 2)});
    twoArgs.setLinkedAtt(&value);
    QCOMPARE(twoArgs.codeDeclaration(),
             QStringLiteral("    void setV(const int& a, const Foo& b);"));
    QCOMPARE(twoArgs.codeDefinition(QStringLiteral("K")),
             QStringLiteral("void K::setV(const int &a, const Foo &b)\n{\n    m_v = a;\n}"));
}

void TestMemberTexts::accessorWithoutItsParts()
{
    // A setter that lost its argument, or accessors whose attribute is unknown, render
    // an empty body instead of crashing.
    ArgAtt value(QStringLiteral("m_v"), QStringLiteral("int"), QString(), 0);
    Function setter(QStringLiteral("setV"), QStringLiteral("void"), 3, {});
    setter.setLinkedAtt(&value);
    QCOMPARE(setter.codeDefinition(QStringLiteral("K")), QStringLiteral("void K::setV()\n{\n\n}"));

    const Function orphanGetter(QStringLiteral("getV"), QStringLiteral("int"), 4, {});
    QCOMPARE(orphanGetter.codeDefinition(QStringLiteral("K")),
             QStringLiteral("int K::getV()const\n{\n\n}"));
    const Function orphanSetter(
        QStringLiteral("setV"), QStringLiteral("void"), 3,
        {new ArgAtt(QStringLiteral("v"), QStringLiteral("int"), QString(), 2)});
    QCOMPARE(orphanSetter.codeDefinition(QStringLiteral("K")),
             QStringLiteral("void K::setV(const int &v)\n{\n\n}"));
}

void TestMemberTexts::emptyReturnType()
{
    const Function run(QStringLiteral("run"), QString(), 1, {});
    QCOMPARE(run.umlText(), QStringLiteral("+ run () : "));
    QCOMPARE(run.codeDeclaration(), QStringLiteral("     run();"));
    QCOMPARE(run.codeDefinition(QStringLiteral("K")), QStringLiteral(" K::run()\n{\n\n}"));
}

void TestMemberTexts::findAndRemoveArguments()
{
    Function method(QStringLiteral("f"), QStringLiteral("void"), 1,
                    {new ArgAtt(QStringLiteral("x"), QStringLiteral("int"), QStringLiteral("1"), 2),
                     new ArgAtt(QStringLiteral("x"), QStringLiteral("long int"), QString(), 2),
                     new ArgAtt(QStringLiteral("y"), QStringLiteral("int"), QString(), 2),
                     new ArgAtt(QStringLiteral("x"), QStringLiteral("char"), QString(), 2)});
    QCOMPARE(method.findArg(QStringLiteral("x"))->defValue(), QStringLiteral("1"));
    QVERIFY(!method.findArg(QStringLiteral("X")));
    QVERIFY(!method.findArg(QStringLiteral("z")));

    method.removeArg(QStringLiteral("z"));
    QCOMPARE(method.args().size(), 4);

    // Adjacent and scattered records of the name all go; the sanitizer run checks that
    // each is deleted exactly once.
    method.removeArg(QStringLiteral("x"));
    QCOMPARE(method.args().size(), 1);
    QCOMPARE(method.args().first()->name(), QStringLiteral("y"));
    QCOMPARE(method.umlText(), QStringLiteral("+ f (y:int) : void"));

    method.addArg(new ArgAtt(QStringLiteral("w"), QStringLiteral("Foo"), QString(), 2));
    QCOMPARE(method.argLines(),
             QStringList({QStringLiteral("y : int = "), QStringLiteral("w : Foo = ")}));
}

void TestMemberTexts::destroyingMethodKeepsLinkedAttribute()
{
    auto *attribute = new ArgAtt(QStringLiteral("m_v"), QStringLiteral("int"), QString(), 0);
    auto *getter = new Function(QStringLiteral("getV"), QStringLiteral("int"), 4, {});
    getter->setLinkedAtt(attribute);
    delete getter;
    // Under AddressSanitizer a freed attribute would fail here.
    QCOMPARE(attribute->name(), QStringLiteral("m_v"));
    delete attribute;
}

QTEST_GUILESS_MAIN(TestMemberTexts)
#include "tst_membertexts.moc"
