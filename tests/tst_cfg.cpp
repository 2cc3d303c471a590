// The settings record and its file cfgs.xml, and the XML writer that lays out our files.
#include "canvas/diagramitems.h"
#include "model/classmodel.h"
#include "persistence/cfg.h"
#include "persistence/diagramreader.h"
#include "persistence/diagramwriter.h"
#include "persistence/xmlwriter.h"

#include <QDir>
#include <QDomDocument>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace

class TestCfg : public QObject
{
    Q_OBJECT

private slots:
    void writesTheExactFileAndReadsItBack();
    void readingRules();
    void failures();
    void writerOrderAndEscaping();
    void eachCharacterToEscapeAlone_data();
    void eachCharacterToEscapeAlone();
    void shippedSettingsAreTheFirstStartDefaults();
    void installedCopyFindsItsSettings();

private:
    QTemporaryDir m_dir;
};

void TestCfg::writesTheExactFileAndReadsItBack()
{
    Cfg written;
    written.setPrefixe(u"\u03bc_"_s);
    written.setFont(QFont(u"Noto \u4e2d\u6587"_s));
    written.setActionBar(false);
    written.setActionBarIconSize(128);
    written.setItemBarIconSize(32);
    written.setAutoSave(true);
    written.setAskForClose(false);
    written.setAutoAddSetGetFct(false);
    written.setLanguage(u"en"_s);
    const QString path = m_dir.filePath(u"cfgs.xml"_s);
    QCOMPARE(written.writeCfg(path), 0);
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(),
             QByteArray("<?xml version='1.0' encoding='ISO-8859-1'?>\n"
                        "<cfgs prefixe=\"&#x3bc;_\" "
                        "font=\"Noto &#x4e2d;&#x6587;\" actionBar=\"false\" itemBar=\"true\" "
                        "actionBarIconSize=\"128\" itemBarIconSize=\"32\" autoSave=\"true\" "
                        "askForClose=\"false\" autoAddSetGetFct=\"false\" wellWin=\"true\" "
                        "language=\"en\"/>\n"));
    Cfg read;
    QCOMPARE(read.readCfg(path), Cfg::ReadOk);
    QCOMPARE(read.toBytes(), written.toBytes());
}

void TestCfg::readingRules()
{
    // Value, flag it reads as, size it reads as: true only for "true", sizes in base 10
    // and 0 when unreadable. The first element is read whatever its tag.
    const struct
    {
        const char *value;
        bool flag;
        int size;
    } rows[] = {{"true", true, 0},  {"True", false, 0}, {"1", false, 1},
                {"032", false, 32}, {"0x20", false, 0}, {"", false, 0}};
    for (const auto &row : rows) {
        Cfg cfg;
        const QByteArray v(row.value);
        QCOMPARE(cfg.readCfgData("<!-- by hand -->\n<settings wellWin=\"" + v
                                 + "\" itemBarIconSize=\"" + v + "\" language=\"fr\"/>"),
                 Cfg::ReadOk);
        QVERIFY2(cfg.wellWin() == row.flag && cfg.itemBarIconSize() == row.size, row.value);
        QCOMPARE(cfg.language(), u"fr"_s);
        QVERIFY(!cfg.actionBar()); // missing reads as false
    }
}

// Files that are no settings, some of which once hung the program or exhausted its memory
// (the entity bombs: tst_diagramfile's corpus). A failed read changes nothing, and leaves
// the messages in French.
void TestCfg::failures()
{
    const QString path = m_dir.filePath(u"cfgs.xml"_s);
    // Values other than the defaults, so that a read that applied any of them shows.
    const QByteArray cut = "<cfgs prefixe=\"x_\" language=\"en\"";
    for (const char *kind : {"absent", "pipe", "linked to /dev/zero", "cut", "too large"}) {
        QFile::remove(path);
        const QByteArray name(kind);
        if (name == "pipe")
            QVERIFY(::mkfifo(QFile::encodeName(path), 0600) == 0);
        else if (name == "linked to /dev/zero")
            QVERIFY(QFile::link(u"/dev/zero"_s, path));
        else if (name != "absent")
            QVERIFY(writeFile(
                path, name == "cut" ? cut : cut + "/>" + QByteArray(Cfg::maxFileSize, ' ')));
        Cfg cfg;
        const bool opened = name == "cut" || name == "too large";
        QVERIFY2(cfg.readCfg(path) == (opened ? Cfg::CannotParse : Cfg::CannotOpen), kind);
        QVERIFY2(cfg.toBytes() == Cfg().toBytes() && Cfg::readLanguage(path).isEmpty(), kind);
    }
    // A path below a regular file cannot be created, even by root. A disk full half way:
    // tst_diagramfile, as both writers write through FileWriting::save().
    QCOMPARE(Cfg().writeCfg(path + u"/cfgs.xml"_s), 1);
}

void TestCfg::writerOrderAndEscaping()
{
    QDomDocument doc;
    QDomElement root = doc.appendChild(doc.createElement(u"link"_s)).toElement();
    for (const char *name : {"zeta", "type", "slave", "alpha", "master"})
        root.setAttribute(QLatin1String(name), QString::fromLatin1(name).left(1));
    const QString value = u"caf\u00e9 \u20ac"_s + QChar(0x01) + QChar(0xD800);
    root.setAttribute(u"v"_s, value);
    // The listed attributes in their order (one the element lacks left out), the others
    // after them alphabetically. What XML cannot carry becomes a replacement character,
    // never a document that no longer parses.
    const XmlWriter writer({{u"link"_s, {u"master"_s, u"absent"_s, u"slave"_s, u"type"_s}}});
    const QByteArray bytes = writer.toLatin1(doc);
    QCOMPARE(bytes, QByteArray("<?xml version='1.0' encoding='ISO-8859-1'?>\n<link master=\"m\" "
                               "slave=\"s\" type=\"t\" alpha=\"a\" v=\"caf\xe9 &#x20ac;"
                               "&#xfffd;&#xfffd;\" zeta=\"z\"/>\n"));
    QVERIFY(QDomDocument().setContent(bytes));
}

void TestCfg::eachCharacterToEscapeAlone_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<QByteArray>("written");
    QTest::newRow("<") << u"<"_s << QByteArray("&lt;");
    QTest::newRow(">") << u">"_s << QByteArray(">");
    QTest::newRow("&") << u"&"_s << QByteArray("&amp;");
    QTest::newRow("quote") << u"\""_s << QByteArray("&quot;");
    QTest::newRow("line break") << u"\n"_s << QByteArray("&#xa;");
    QTest::newRow("e acute") << u"\u00e9"_s << QByteArray("\xe9");
    QTest::newRow("euro") << u"\u20ac"_s << QByteArray("&#x20ac;");
    QTest::newRow("outside the BMP") << QString::fromUcs4(U"\U0001F600") << QByteArray("&#x1f600;");
    QTest::newRow("]]>") << u"]]>"_s << QByteArray("]]&gt;");
}

// Alone, so that no other character sends the value down the escaping path, in the
// settings and in a diagram: written as expected and read back unchanged.
void TestCfg::eachCharacterToEscapeAlone()
{
    QFETCH(QString, value);
    QFETCH(QByteArray, written);
    Cfg cfg;
    cfg.setPrefixe(value);
    const QByteArray settings = cfg.toBytes();
    QVERIFY2(settings.contains(" prefixe=\"" + written + "\" "), settings.constData());
    QCOMPARE(cfg.readCfgData(settings), Cfg::ReadOk);
    QCOMPARE(*cfg.prefixe(), value);

    DiagramItems diagram;
    diagram.classes.append(new ClassItem(nullptr));
    diagram.classes.first()->getModel()->setName(value);
    const QByteArray bytes = DiagramWriter::toBytes(diagram.classes, {});
    QVERIFY2(bytes.contains(" name=\"" + written + "\" "), bytes.constData());
    DiagramReader reader(nullptr);
    QCOMPARE(reader.readData(bytes), DiagramReader::ReadOk);
    diagram.clear();
    diagram.classes = reader.takeClasses();
    QCOMPARE(diagram.classes.size(), 1);
    QCOMPARE(diagram.classes.first()->getModel()->name(), value);
}

void TestCfg::shippedSettingsAreTheFirstStartDefaults()
{
    Cfg shipped;
    QCOMPARE(shipped.readCfg(QStringLiteral(VARNEL_SOURCE_DIR "/share/cfgs.xml")), Cfg::ReadOk);
    Cfg defaults; // what a first start without any file runs with, in French
    defaults.setLanguage(u"fr"_s);
    defaults.setFont(QFont(u"Sans"_s));
    QCOMPARE(shipped.toBytes(), defaults.toBytes());
}

// An installed copy cannot write beside itself: it reads the user's settings when there
// are some, else a file beside it, else the settings installed in share/varnel. Which
// file it read shows in the language of its messages.
void TestCfg::installedCopyFindsItsSettings()
{
    QTemporaryDir root;
    const QString bin = root.filePath(u"bin"_s);
    const QString shared = QDir(bin).filePath(QStringLiteral(VARNEL_DATA_FROM_BINDIR));
    const QString user = root.filePath(u"home/Varnel/varnel"_s);
    for (const QString &dir : {bin, shared, user})
        QVERIFY(QDir().mkpath(dir));
    const QString program = bin + u"/varnel"_s;
    QVERIFY(QFile::copy(QStringLiteral(VARNEL_BINARY), program));
    QVERIFY(QFile::copy(QStringLiteral(VARNEL_QM_DIR "/Varnel_en.qm"), bin + u"/Varnel_en.qm"_s));
    QVERIFY(writeFile(shared + u"/cfgs.xml"_s, "<cfgs language=\"en\"/>"));
    QVERIFY(writeFile(user + u"/cfgs.xml"_s, "<cfgs language=\"fr\"/>"));
    // Root writes anywhere: the program then runs as nobody, who may only read.
    QProcess::execute(u"chmod"_s, {u"-R"_s, u"a+rX,a-w"_s, root.path()});
    const auto firstWords = [&](const char *configHome) {
        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(u"XDG_CONFIG_HOME"_s, root.filePath(QLatin1String(configHome)));
        process.setProcessEnvironment(env);
        QStringList arguments{program, u"--generate"_s, u"/none.vnls"_s, u"--output"_s,
                              root.path()};
        if (geteuid() == 0)
            arguments = QStringList{u"--reuid=65534"_s, u"--regid=65534"_s, u"--clear-groups"_s}
                        + arguments;
        process.start(geteuid() == 0 ? u"setpriv"_s : arguments.takeFirst(), arguments);
        process.waitForFinished();
        return QString::fromUtf8(process.readAllStandardError()).section(QLatin1Char(' '), 0, 1);
    };
    QCOMPARE(firstWords("home"), u"Impossible d'ouvrir"_s);
    QCOMPARE(firstWords("no settings here"), u"Cannot open"_s);
    QProcess::execute(u"chmod"_s, {u"-R"_s, u"u+w"_s, root.path()});
}

QTEST_GUILESS_MAIN(TestCfg)
#include "tst_cfg.moc"
