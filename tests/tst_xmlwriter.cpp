// The serialiser of our XML files: QDom's layout, a fixed attribute order and
// ISO-8859-1 output that loses no character.
#include "persistence/xmlwriter.h"

#include <QDomDocument>
#include <QDomElement>
#include <QTest>

class TestXmlWriter : public QObject
{
    Q_OBJECT

private slots:
    void layoutMatchesQDom();
    void attributeOrder();
    void charactersOutsideLatin1();
};

void TestXmlWriter::layoutMatchesQDom()
{
    // One attribute per element, so that QDom's hash order cannot differ from ours.
    QDomDocument doc;
    QDomElement root = doc.createElement(QStringLiteral("main"));
    doc.appendChild(root);
    QDomElement cls = doc.createElement(QStringLiteral("class"));
    cls.setAttribute(QStringLiteral("comment"),
                     QStringLiteral("a \"b\" <c> & d]]> e\r\nnext\tline"));
    root.appendChild(cls);
    QDomElement fct = doc.createElement(QStringLiteral("function"));
    fct.setAttribute(QStringLiteral("returnType"), QStringLiteral("QList<Shape*>"));
    cls.appendChild(fct);
    QDomElement arg = doc.createElement(QStringLiteral("arg-att"));
    arg.setAttribute(QStringLiteral("name"), QStringLiteral("x"));
    fct.appendChild(arg);
    cls.appendChild(doc.createElement(QStringLiteral("arg-att")));
    root.appendChild(doc.createElement(QStringLiteral("link")));

    const XmlWriter writer({});
    QCOMPARE(writer.toLatin1(doc), XmlWriter::declaration() + doc.toString(1).toLatin1());
}

void TestXmlWriter::attributeOrder()
{
    QDomDocument doc;
    QDomElement root = doc.createElement(QStringLiteral("link"));
    for (const char *name : {"zeta", "type", "slave", "alpha", "master"})
        root.setAttribute(QLatin1String(name), QString::fromLatin1(name).left(1));
    doc.appendChild(root);

    // The listed attributes in their order, any other one after them alphabetically;
    // a listed attribute the element lacks is left out.
    const XmlWriter writer({{QStringLiteral("link"),
                             {QStringLiteral("master"), QStringLiteral("absent"),
                              QStringLiteral("slave"), QStringLiteral("type")}}});
    QCOMPARE(writer.toLatin1(doc),
             QByteArray("<?xml version='1.0' encoding='ISO-8859-1'?>\n"
                        "<link master=\"m\" slave=\"s\" type=\"t\" alpha=\"a\" zeta=\"z\"/>\n"));
}

void TestXmlWriter::charactersOutsideLatin1()
{
    const QString value = QStringLiteral("caf\u00e9 \u20ac \u4e2d")
                          + QString::fromUcs4(U"\U0001F600") + QChar(0x01) + QChar(0xD800);
    QDomDocument doc;
    QDomElement root = doc.createElement(QStringLiteral("cfgs"));
    root.setAttribute(QStringLiteral("v"), value);
    doc.appendChild(root);

    const QByteArray bytes = XmlWriter({}).toLatin1(doc);
    QCOMPARE(bytes,
             QByteArray("<?xml version='1.0' encoding='ISO-8859-1'?>\n"
                        "<cfgs v=\"caf\xe9 &#x20ac; &#x4e2d;&#x1f600;&#xfffd;&#xfffd;\"/>\n"));

    // What XML can carry comes back unchanged; the rest as a replacement character,
    // never as a document that no longer parses.
    QDomDocument read;
    QVERIFY(read.setContent(bytes));
    QCOMPARE(read.documentElement().attribute(QStringLiteral("v")),
             value.left(value.size() - 2) + QChar(0xFFFD) + QChar(0xFFFD));
}

QTEST_GUILESS_MAIN(TestXmlWriter)
#include "tst_xmlwriter.moc"
