// The settings record and its file cfgs.xml, and the XML writer that lays out our files.
#include "persistence/cfg.h"
#include "persistence/xmlwriter.h"

#include <QDir>
#include <QDomDocument>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestCfg : public QObject
{
    Q_OBJECT

private slots:
    void writesTheExactFileAndReadsItBack();
    void readingRules_data();
    void readingRules();
    void cannotOpenCannotParseAndMissing();
    void unwritableFolder();
    void paths();
    void writerLayoutMatchesQDom();
    void writerOrderAndEscaping();

private:
    QTemporaryDir m_dir;
};

void TestCfg::writesTheExactFileAndReadsItBack()
{
    Cfg written;
    written.setPrefixe(QStringLiteral("\u03bc_\u00e9\"<&>") + QString::fromUcs4(U"\U0001F600"));
    written.setFont(QFont(QStringLiteral("Noto \u4e2d\u6587")));
    written.setActionBar(false);
    written.setActionBarIconSize(128);
    written.setItemBarIconSize(32);
    written.setAutoSave(true);
    written.setAskForClose(false);
    written.setAutoAddSetGetFct(false);
    written.setLanguage(QStringLiteral("en"));
    const QString path = m_dir.filePath(QStringLiteral("cfgs.xml"));
    QCOMPARE(written.writeCfg(path), 0);
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    // Characters outside Latin-1 as references, never as "?", so that they read back.
    QCOMPARE(file.readAll(),
             QByteArray("<?xml version='1.0' encoding='ISO-8859-1'?>\n"
                        "<cfgs prefixe=\"&#x3bc;_\xe9&quot;&lt;&amp;>&#x1f600;\" "
                        "font=\"Noto &#x4e2d;&#x6587;\" actionBar=\"false\" itemBar=\"true\" "
                        "actionBarIconSize=\"128\" itemBarIconSize=\"32\" autoSave=\"true\" "
                        "askForClose=\"false\" autoAddSetGetFct=\"false\" wellWin=\"true\" "
                        "language=\"en\"/>\n"));
    Cfg read;
    QCOMPARE(read.readCfg(path), Cfg::ReadOk);
    QCOMPARE(read.toBytes(), written.toBytes());
}

void TestCfg::readingRules_data()
{
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<bool>("flag");
    QTest::addColumn<int>("size");
    QTest::newRow("true") << QByteArray("true") << true << 0;
    QTest::newRow("True") << QByteArray("True") << false << 0;
    QTest::newRow("1") << QByteArray("1") << false << 1;
    QTest::newRow("padded") << QByteArray(" true") << false << 0;
    QTest::newRow("leading zero, still base 10") << QByteArray("032") << false << 32;
    QTest::newRow("hexadecimal") << QByteArray("0x20") << false << 0;
    QTest::newRow("too large") << QByteArray("99999999999999999999") << false << 0;
    QTest::newRow("empty") << QByteArray() << false << 0;
}

void TestCfg::readingRules()
{
    QFETCH(QByteArray, value);
    QFETCH(bool, flag);
    QFETCH(int, size);
    // The first element is read whatever its tag.
    Cfg cfg;
    QCOMPARE(cfg.readCfgData("<?xml version='1.0'?>\n<!-- by hand -->\n<settings wellWin=\"" + value
                             + "\" askForClose=\"" + value + "\" itemBarIconSize=\"" + value
                             + "\" language=\"fr\"/>"),
             Cfg::ReadOk);
    QCOMPARE(cfg.wellWin(), flag);
    QCOMPARE(cfg.askForClose(), flag);
    QCOMPARE(cfg.itemBarIconSize(), size);
    QCOMPARE(cfg.language(), QStringLiteral("fr"));
}

void TestCfg::cannotOpenCannotParseAndMissing()
{
    Cfg cfg;
    QCOMPARE(cfg.readCfg(m_dir.filePath(QStringLiteral("absent.xml"))), Cfg::CannotOpen);
    QCOMPARE(cfg.readCfg(m_dir.path()), Cfg::CannotOpen);
    for (const char *data : {"", "not xml", "<cfgs prefixe=\"m_\"", "<cfgs/><cfgs/>",
                             "<!DOCTYPE cfgs [<!ENTITY a \"a\">]><cfgs prefixe=\"&b;\"/>"})
        QCOMPARE(cfg.readCfgData(data), Cfg::CannotParse);
    // A failed read changes nothing; missing attributes read as false, 0 and empty.
    QCOMPARE(cfg.toBytes(), Cfg().toBytes());
    QCOMPARE(cfg.readCfgData("<cfgs/>"), Cfg::ReadOk);
    QVERIFY(!cfg.actionBar() && !cfg.wellWin() && !*cfg.autoAddSetGetFct());
    QCOMPARE(cfg.itemBarIconSize(), 0);
    QCOMPARE(*cfg.prefixe() + cfg.language() + cfg.font()->family(), QString());
}

void TestCfg::unwritableFolder()
{
    // A path below a regular file cannot be created, even by root.
    QFile blocker(m_dir.filePath(QStringLiteral("blocker")));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    const QString below = m_dir.filePath(QStringLiteral("blocker/cfgs.xml"));
    QCOMPARE(Cfg().writeCfg(below), 1);
    QVERIFY(!QFile::exists(below));
}

void TestCfg::paths()
{
    // A folder this process can write: the file beside the executable.
    const QString beside = QDir::toNativeSeparators(QCoreApplication::applicationDirPath()
                                                    + QStringLiteral("/cfgs.xml"));
    QCOMPARE(Cfg::readPath(), beside);
    QCOMPARE(Cfg::writePath(), beside);
    const QString file = m_dir.filePath(QStringLiteral("language.xml"));
    Cfg::setPathOverride(file);
    QCOMPARE(Cfg::readPath(), file);
    QCOMPARE(Cfg::writePath(), file);
    Cfg::setPathOverride(QString());
    // The language alone is read before any window, from a root of any name.
    QFile out(file);
    QVERIFY(out.open(QIODevice::WriteOnly) && out.write("<x language=\"en\"/>") > 0);
    out.close();
    QCOMPARE(Cfg::readLanguage(file), QStringLiteral("en"));
    QCOMPARE(Cfg::readLanguage(m_dir.filePath(QStringLiteral("absent.xml"))), QString());
}

void TestCfg::writerLayoutMatchesQDom()
{
    // One attribute per element, so that QDom's hash order cannot differ from ours.
    QDomDocument doc;
    QDomElement root = doc.appendChild(doc.createElement(QStringLiteral("main"))).toElement();
    QDomElement cls = root.appendChild(doc.createElement(QStringLiteral("class"))).toElement();
    cls.setAttribute(QStringLiteral("comment"),
                     QStringLiteral("a \"b\" <c> & d]]> e\r\nnext\tline"));
    QDomElement fct = cls.appendChild(doc.createElement(QStringLiteral("function"))).toElement();
    fct.setAttribute(QStringLiteral("returnType"), QStringLiteral("QList<Shape*>"));
    fct.appendChild(doc.createElement(QStringLiteral("arg-att")));
    cls.appendChild(doc.createElement(QStringLiteral("arg-att")));
    root.appendChild(doc.createElement(QStringLiteral("link")));
    QCOMPARE(XmlWriter({}).toLatin1(doc), XmlWriter::declaration() + doc.toString(1).toLatin1());
}

void TestCfg::writerOrderAndEscaping()
{
    QDomDocument doc;
    QDomElement root = doc.appendChild(doc.createElement(QStringLiteral("link"))).toElement();
    for (const char *name : {"zeta", "type", "slave", "alpha", "master"})
        root.setAttribute(QLatin1String(name), QString::fromLatin1(name).left(1));
    const QString value = QStringLiteral("caf\u00e9 \u20ac") + QString::fromUcs4(U"\U0001F600")
                          + QChar(0x01) + QChar(0xD800);
    root.setAttribute(QStringLiteral("v"), value);
    // The listed attributes in their order (one the element lacks left out), the others
    // after them alphabetically. What XML cannot carry becomes a replacement character,
    // never a document that no longer parses.
    const XmlWriter writer({{QStringLiteral("link"),
                             {QStringLiteral("master"), QStringLiteral("absent"),
                              QStringLiteral("slave"), QStringLiteral("type")}}});
    const QByteArray bytes = writer.toLatin1(doc);
    QCOMPARE(bytes, QByteArray("<?xml version='1.0' encoding='ISO-8859-1'?>\n<link master=\"m\" "
                               "slave=\"s\" type=\"t\" alpha=\"a\" v=\"caf\xe9 &#x20ac;&#x1f600;"
                               "&#xfffd;&#xfffd;\" zeta=\"z\"/>\n"));
    QDomDocument read;
    QVERIFY(read.setContent(bytes));
    QCOMPARE(read.documentElement().attribute(QStringLiteral("v")),
             value.chopped(2) + QChar(0xFFFD) + QChar(0xFFFD));
}

QTEST_GUILESS_MAIN(TestCfg)
#include "tst_cfg.moc"
