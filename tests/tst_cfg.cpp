// The settings record and its file cfgs.xml.
#include "persistence/cfg.h"

#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

class TestCfg : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void defaults();
    void writesTheExactFile();
    void roundTrip();
    void textOutsideLatin1RoundTrips();
    void booleans_data();
    void booleans();
    void sizes_data();
    void sizes();
    void rootOfAnyName();
    void missingAttributes();
    void unreadableFiles();
    void failedReadChangesNothing();
    void unwritableFolder();
    void language();

private:
    QTemporaryDir m_dir;
    QString path(const QString &name) const { return m_dir.filePath(name); }
};

void TestCfg::initTestCase()
{
    QVERIFY(m_dir.isValid());
}

void TestCfg::defaults()
{
    Cfg cfg;
    QCOMPARE(*cfg.prefixe(), QStringLiteral("m_"));
    QVERIFY(cfg.actionBar());
    QVERIFY(cfg.itemBar());
    QCOMPARE(cfg.actionBarIconSize(), 64);
    QCOMPARE(cfg.itemBarIconSize(), 64);
    QVERIFY(!cfg.autoSave());
    QVERIFY(cfg.askForClose());
    QVERIFY(*cfg.autoAddSetGetFct());
    QVERIFY(cfg.wellWin());
    QCOMPARE(cfg.language(), QString());
    QCOMPARE(*cfg.font(), QFont());
}

void TestCfg::writesTheExactFile()
{
    Cfg cfg;
    cfg.setFont(QFont(QStringLiteral("Kalinga")));
    cfg.setLanguage(QStringLiteral("fr"));
    QCOMPARE(cfg.writeCfg(path(QStringLiteral("exact.xml"))), 0);
    QFile file(path(QStringLiteral("exact.xml")));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(),
             QByteArray("<?xml version='1.0' encoding='ISO-8859-1'?>\n"
                        "<cfgs prefixe=\"m_\" font=\"Kalinga\" actionBar=\"true\" itemBar=\"true\" "
                        "actionBarIconSize=\"64\" itemBarIconSize=\"64\" autoSave=\"false\" "
                        "askForClose=\"true\" autoAddSetGetFct=\"true\" wellWin=\"true\" "
                        "language=\"fr\"/>\n"));
}

void TestCfg::roundTrip()
{
    Cfg written;
    written.setPrefixe(QStringLiteral("_"));
    QFont font(QStringLiteral("Ubuntu"), 23);
    font.setItalic(true);
    written.setFont(font);
    written.setActionBar(false);
    written.setItemBar(true);
    written.setActionBarIconSize(128);
    written.setItemBarIconSize(32);
    written.setAutoSave(true);
    written.setAskForClose(false);
    written.setAutoAddSetGetFct(false);
    written.setWellWin(false);
    written.setLanguage(QStringLiteral("en"));
    QCOMPARE(written.writeCfg(path(QStringLiteral("round.xml"))), 0);

    Cfg read;
    QCOMPARE(read.readCfg(path(QStringLiteral("round.xml"))), Cfg::ReadOk);
    QCOMPARE(*read.prefixe(), QStringLiteral("_"));
    QCOMPARE(read.font()->family(), QStringLiteral("Ubuntu"));
    QVERIFY(!read.font()->italic()); // only the family is stored
    QVERIFY(!read.actionBar());
    QVERIFY(read.itemBar());
    QCOMPARE(read.actionBarIconSize(), 128);
    QCOMPARE(read.itemBarIconSize(), 32);
    QVERIFY(read.autoSave());
    QVERIFY(!read.askForClose());
    QVERIFY(!*read.autoAddSetGetFct());
    QVERIFY(!read.wellWin());
    QCOMPARE(read.language(), QStringLiteral("en"));
}

void TestCfg::textOutsideLatin1RoundTrips()
{
    Cfg written;
    const QString prefix = QStringLiteral("\u03bc_\u00e9\"<&>") + QString::fromUcs4(U"\U0001F600");
    written.setPrefixe(prefix);
    written.setFont(QFont(QStringLiteral("Noto \u4e2d\u6587")));
    QCOMPARE(written.writeCfg(path(QStringLiteral("unicode.xml"))), 0);

    QFile file(path(QStringLiteral("unicode.xml")));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    QVERIFY(!bytes.contains('?' + QByteArray("_")));
    QVERIFY(bytes.contains("&#x3bc;_\xe9&quot;&lt;&amp;>&#x1f600;"));

    Cfg read;
    QCOMPARE(read.readCfg(path(QStringLiteral("unicode.xml"))), Cfg::ReadOk);
    QCOMPARE(*read.prefixe(), prefix);
    QCOMPARE(read.font()->family(), QStringLiteral("Noto \u4e2d\u6587"));
}

void TestCfg::booleans_data()
{
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<bool>("expected");
    QTest::newRow("true") << QByteArray("true") << true;
    QTest::newRow("True") << QByteArray("True") << false;
    QTest::newRow("TRUE") << QByteArray("TRUE") << false;
    QTest::newRow("1") << QByteArray("1") << false;
    QTest::newRow("yes") << QByteArray("yes") << false;
    QTest::newRow("padded") << QByteArray(" true") << false;
}

void TestCfg::booleans()
{
    QFETCH(QByteArray, value);
    QFETCH(bool, expected);
    Cfg cfg;
    QCOMPARE(cfg.readCfgData("<cfgs wellWin=\"" + value + "\" askForClose=\"" + value + "\"/>"),
             Cfg::ReadOk);
    QCOMPARE(cfg.wellWin(), expected);
    QCOMPARE(cfg.askForClose(), expected);
}

void TestCfg::sizes_data()
{
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<int>("expected");
    QTest::newRow("decimal") << QByteArray("128") << 128;
    QTest::newRow("leading zero is still base 10") << QByteArray("032") << 32;
    QTest::newRow("hexadecimal is not a number") << QByteArray("0x20") << 0;
    QTest::newRow("text") << QByteArray("big") << 0;
    QTest::newRow("empty") << QByteArray("") << 0;
    QTest::newRow("too large") << QByteArray("99999999999999999999") << 0;
}

void TestCfg::sizes()
{
    QFETCH(QByteArray, value);
    QFETCH(int, expected);
    Cfg cfg;
    QCOMPARE(cfg.readCfgData("<cfgs itemBarIconSize=\"" + value + "\"/>"), Cfg::ReadOk);
    QCOMPARE(cfg.itemBarIconSize(), expected);
}

void TestCfg::rootOfAnyName()
{
    Cfg cfg;
    QCOMPARE(cfg.readCfgData("<?xml version='1.0' encoding='ISO-8859-1'?>\n"
                             "<!-- kept by hand -->\n"
                             "<settings prefixe=\"p\xe9_\" language=\"en\" itemBar=\"true\"/>"),
             Cfg::ReadOk);
    QCOMPARE(*cfg.prefixe(), QStringLiteral("p\u00e9_"));
    QCOMPARE(cfg.language(), QStringLiteral("en"));
    QVERIFY(cfg.itemBar());
}

void TestCfg::missingAttributes()
{
    Cfg cfg;
    QCOMPARE(cfg.readCfgData("<cfgs/>"), Cfg::ReadOk);
    QVERIFY(!cfg.actionBar());
    QVERIFY(!cfg.itemBar());
    QVERIFY(!cfg.askForClose());
    QVERIFY(!*cfg.autoAddSetGetFct());
    QVERIFY(!cfg.wellWin());
    QCOMPARE(cfg.actionBarIconSize(), 0);
    QCOMPARE(cfg.itemBarIconSize(), 0);
    QCOMPARE(*cfg.prefixe(), QString());
    QCOMPARE(cfg.language(), QString());
    QCOMPARE(cfg.font()->family(), QString());
}

void TestCfg::unreadableFiles()
{
    Cfg cfg;
    QCOMPARE(cfg.readCfg(path(QStringLiteral("absent.xml"))), Cfg::CannotOpen);
    QCOMPARE(cfg.readCfg(m_dir.path()), Cfg::CannotOpen); // a folder

    const QList<QByteArray> malformed = {
        QByteArray(),
        QByteArray("not xml"),
        QByteArray("<cfgs prefixe=\"m_\""),
        QByteArray("<cfgs/><cfgs/>"),
        QByteArray("\x00\x01\x02", 3),
        QByteArray("<!DOCTYPE cfgs [<!ENTITY a \"aaaa\">]><cfgs prefixe=\"&b;\"/>")};
    for (const QByteArray &data : malformed)
        QCOMPARE(cfg.readCfgData(data), Cfg::CannotParse);
}

void TestCfg::failedReadChangesNothing()
{
    Cfg cfg;
    QCOMPARE(cfg.readCfgData("<cfgs"), Cfg::CannotParse);
    QCOMPARE(*cfg.prefixe(), QStringLiteral("m_"));
    QVERIFY(cfg.wellWin());
    QCOMPARE(cfg.actionBarIconSize(), 64);
}

void TestCfg::unwritableFolder()
{
    // A path below a regular file cannot be created, even by root.
    QFile blocker(path(QStringLiteral("blocker")));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const Cfg cfg;
    QCOMPARE(cfg.writeCfg(path(QStringLiteral("blocker/cfgs.xml"))), 1);
    QVERIFY(!QFile::exists(path(QStringLiteral("blocker/cfgs.xml"))));
}

void TestCfg::language()
{
    const QString file = path(QStringLiteral("language.xml"));
    QFile out(file);
    QVERIFY(out.open(QIODevice::WriteOnly));
    out.write("<whatever language=\"en\"/>");
    out.close();
    QCOMPARE(Cfg::readLanguage(file), QStringLiteral("en"));
    QCOMPARE(Cfg::readLanguage(path(QStringLiteral("absent.xml"))), QString());

    Cfg::setPathOverride(file);
    QCOMPARE(Cfg::readPath(), file);
    QCOMPARE(Cfg::writePath(), file);
    Cfg::setPathOverride(QString());
    QVERIFY(Cfg::readPath().endsWith(QStringLiteral("cfgs.xml")));
}

QTEST_GUILESS_MAIN(TestCfg)
#include "tst_cfg.moc"
