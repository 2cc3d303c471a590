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

namespace {

// Documents whose few bytes the stream reader would multiply: entities written in UTF-7
// (where "&" is "+ACY-"), and a default attribute value copied into every element.
QByteArray utf7EntityBomb(const char *root)
{
    const QByteArray references = QByteArray("+ACY-a;").repeated(100000);
    return QByteArray("<?xml version=\"1.0\" encoding=\"UTF-7\"?>\n<!DOCTYPE ") + root
           + " [<!ENTITY a \"" + QByteArray(10000, 'x') + "\">]>\n<" + root + "><class name=\""
           + references + "\" prefixe=\"" + references + "\"/></" + root + ">\n";
}

QByteArray attributeDefaultBomb(const char *root)
{
    return QByteArray("<!DOCTYPE ") + root + " [<!ATTLIST class comment CDATA \""
           + QByteArray(1000000, 'x') + "\">]>\n<" + root + ">"
           + QByteArray("<class/>").repeated(7000) + "</" + root + ">\n";
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// The program and its English messages copied into this folder; the copy's path.
QString copyProgram(const QString &dir)
{
    const QString program = dir + QStringLiteral("/varnel");
    const bool copied = QFile::copy(QStringLiteral(VARNEL_BINARY), program)
                        && QFile::copy(QStringLiteral(VARNEL_QM_DIR "/Varnel_en.qm"),
                                       dir + QStringLiteral("/Varnel_en.qm"));
    return copied ? program : QString();
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
    void eachSpecialCharacterAlone_data();
    void eachSpecialCharacterAlone();
    void shippedSettingsAreTheFirstStartDefaults();
    void installedCopyFindsItsSettings();
    void hostileFilesUnderLimits();

private:
    QTemporaryDir m_dir;
};

void TestCfg::writesTheExactFileAndReadsItBack()
{
    Cfg written;
    written.setPrefixe(QStringLiteral("\u03bc_"));
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
        QCOMPARE(cfg.language(), QStringLiteral("fr"));
        QVERIFY(!cfg.actionBar()); // missing reads as false
    }
}

void TestCfg::failures()
{
    Cfg cfg;
    QCOMPARE(cfg.readCfg(m_dir.filePath(QStringLiteral("absent.xml"))), Cfg::CannotOpen);
    QCOMPARE(cfg.readCfgData("<cfgs prefixe=\"x_\" wellWin=\"false\""), Cfg::CannotParse);
    QCOMPARE(cfg.toBytes(), Cfg().toBytes()); // a failed read changes nothing
    // A path below a regular file cannot be created, even by root. A disk full half way:
    // tst_diagramfile, as both writers write through FileWriting::save().
    QVERIFY(writeFile(m_dir.filePath(QStringLiteral("blocker")), {}));
    QCOMPARE(Cfg().writeCfg(m_dir.filePath(QStringLiteral("blocker/cfgs.xml"))), 1);
}

void TestCfg::writerOrderAndEscaping()
{
    QDomDocument doc;
    QDomElement root = doc.appendChild(doc.createElement(QStringLiteral("link"))).toElement();
    for (const char *name : {"zeta", "type", "slave", "alpha", "master"})
        root.setAttribute(QLatin1String(name), QString::fromLatin1(name).left(1));
    const QString value = QStringLiteral("caf\u00e9 \u20ac") + QChar(0x01) + QChar(0xD800);
    root.setAttribute(QStringLiteral("v"), value);
    // The listed attributes in their order (one the element lacks left out), the others
    // after them alphabetically. What XML cannot carry becomes a replacement character,
    // never a document that no longer parses.
    const XmlWriter writer({{QStringLiteral("link"),
                             {QStringLiteral("master"), QStringLiteral("absent"),
                              QStringLiteral("slave"), QStringLiteral("type")}}});
    const QByteArray bytes = writer.toLatin1(doc);
    QCOMPARE(bytes, QByteArray("<?xml version='1.0' encoding='ISO-8859-1'?>\n<link master=\"m\" "
                               "slave=\"s\" type=\"t\" alpha=\"a\" v=\"caf\xe9 &#x20ac;"
                               "&#xfffd;&#xfffd;\" zeta=\"z\"/>\n"));
    QVERIFY(QDomDocument().setContent(bytes));
}

void TestCfg::eachSpecialCharacterAlone_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<QByteArray>("written");
    QTest::newRow("<") << QStringLiteral("<") << QByteArray("&lt;");
    QTest::newRow(">") << QStringLiteral(">") << QByteArray(">");
    QTest::newRow("&") << QStringLiteral("&") << QByteArray("&amp;");
    QTest::newRow("quote") << QStringLiteral("\"") << QByteArray("&quot;");
    QTest::newRow("line break") << QStringLiteral("\n") << QByteArray("&#xa;");
    QTest::newRow("e acute") << QStringLiteral("\u00e9") << QByteArray("\xe9");
    QTest::newRow("euro") << QStringLiteral("\u20ac") << QByteArray("&#x20ac;");
    QTest::newRow("outside the BMP") << QString::fromUcs4(U"\U0001F600") << QByteArray("&#x1f600;");
    QTest::newRow("]]>") << QStringLiteral("]]>") << QByteArray("]]&gt;");
}

// Alone, so that no other character sends the value down the escaping path, in the
// settings and in a diagram: written as expected and read back unchanged.
void TestCfg::eachSpecialCharacterAlone()
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
    defaults.setLanguage(QStringLiteral("fr"));
    defaults.setFont(QFont(QStringLiteral("Sans")));
    QCOMPARE(shipped.toBytes(), defaults.toBytes());
}

// An installed copy cannot write beside itself: it reads the user's settings when there
// are some, else a file beside it, else the settings installed in share/varnel. Which
// file it read shows in the language of its messages.
void TestCfg::installedCopyFindsItsSettings()
{
    QTemporaryDir root;
    const QString bin = root.filePath(QStringLiteral("bin"));
    const QString shared = QDir(bin).filePath(QStringLiteral(VARNEL_DATA_FROM_BINDIR));
    const QString user = root.filePath(QStringLiteral("home/Varnel/varnel"));
    for (const QString &dir : {bin, shared, user})
        QVERIFY(QDir().mkpath(dir));
    const QString program = copyProgram(bin);
    QVERIFY(!program.isEmpty());
    QVERIFY(writeFile(shared + QStringLiteral("/cfgs.xml"), "<cfgs language=\"en\"/>"));
    QVERIFY(writeFile(user + QStringLiteral("/cfgs.xml"), "<cfgs language=\"fr\"/>"));
    // Root writes anywhere: the program then runs as nobody, who may only read.
    QProcess::execute(QStringLiteral("chmod"),
                      {QStringLiteral("-R"), QStringLiteral("a+rX,a-w"), root.path()});
    const auto firstWords = [&](const char *configHome) {
        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), root.filePath(QLatin1String(configHome)));
        process.setProcessEnvironment(env);
        QStringList arguments{program, QStringLiteral("--generate"), QStringLiteral("/none.vnls"),
                              QStringLiteral("--output"), root.path()};
        if (geteuid() == 0)
            arguments =
                QStringList{QStringLiteral("--reuid=65534"), QStringLiteral("--regid=65534"),
                            QStringLiteral("--clear-groups")}
                + arguments;
        process.start(geteuid() == 0 ? QStringLiteral("setpriv") : arguments.takeFirst(),
                      arguments);
        process.waitForFinished();
        return QString::fromUtf8(process.readAllStandardError()).section(QLatin1Char(' '), 0, 1);
    };
    QCOMPARE(firstWords("home"), QStringLiteral("Impossible d'ouvrir"));
    QCOMPARE(firstWords("no settings here"), QStringLiteral("Cannot open"));
    QProcess::execute(QStringLiteral("chmod"),
                      {QStringLiteral("-R"), QStringLiteral("u+w"), root.path()});
}

// Settings files and diagrams that once hung the program or exhausted its memory, given to
// the real program under a memory limit: it refuses them and ends with the usual message
// and status. A refused settings file leaves the messages in French.
void TestCfg::hostileFilesUnderLimits()
{
    QTemporaryDir root;
    const QString program = copyProgram(root.path());
    QVERIFY(!program.isEmpty());
    const QString cfgs = root.filePath(QStringLiteral("cfgs.xml"));
    const QString diagram = root.filePath(QStringLiteral("d.vnls"));
    const QByteArray english = "<cfgs language=\"en\"/>";
    const QByteArray oversized = english + QByteArray(Cfg::maxFileSize, ' ');
    const QByteArray cannotOpen = "Impossible d'ouvrir";
    const QByteArray cannotRead = "Le fichier de";
    const struct
    {
        const char *name;
        QByteArray cfg;  // "fifo" and "zero" for a named pipe and a link to /dev/zero
        QByteArray vnls; // none when empty
        QByteArray firstWords;
    } rows[] = {
        {"settings in a pipe", "fifo", {}, cannotOpen},
        {"settings linked to /dev/zero", "zero", {}, cannotOpen},
        {"settings too large", oversized, {}, cannotOpen},
        {"settings with entities in UTF-7", utf7EntityBomb("cfgs"), {}, cannotOpen},
        {"settings with an attribute default", attributeDefaultBomb("cfgs"), {}, cannotOpen},
        {"diagram with entities in UTF-7", english, utf7EntityBomb("main"), "The saved file"},
        {"diagram with an attribute default", {}, attributeDefaultBomb("main"), cannotRead},
    };
    for (const auto &row : rows) {
        QFile::remove(cfgs);
        QFile::remove(diagram);
        if (row.cfg == "fifo")
            QVERIFY(::mkfifo(QFile::encodeName(cfgs), 0600) == 0);
        else if (row.cfg == "zero")
            QVERIFY(QFile::link(QStringLiteral("/dev/zero"), cfgs));
        else if (!row.cfg.isEmpty())
            QVERIFY(writeFile(cfgs, row.cfg));
        if (!row.vnls.isEmpty())
            QVERIFY(writeFile(diagram, row.vnls));

        QProcess process;
        const QStringList arguments{QStringLiteral("--generate"), diagram,
                                    QStringLiteral("--output"),
                                    root.filePath(QStringLiteral("out"))};
#if defined(__SANITIZE_ADDRESS__)
        // The address sanitizer reserves more address space than any such limit.
        process.start(program, arguments);
#else
        process.start(QStringLiteral("prlimit"),
                      QStringList{QStringLiteral("--as=%1").arg(qint64(1) << 30), program}
                          + arguments);
#endif
        if (!process.waitForFinished(30000))
            process.kill();
        process.waitForFinished();
        QVERIFY2(process.exitStatus() == QProcess::NormalExit && process.exitCode() == 1, row.name);
        QVERIFY2(process.readAllStandardError().startsWith(row.firstWords), row.name);
    }
    // The window reads its settings through the same guards.
    QVERIFY(::mkfifo(QFile::encodeName(cfgs), 0600) == 0);
    QCOMPARE(Cfg().readCfg(cfgs), Cfg::CannotOpen);
    QVERIFY(QFile::remove(cfgs) && writeFile(cfgs, oversized));
    QCOMPARE(Cfg().readCfg(cfgs), Cfg::CannotParse);
}

QTEST_GUILESS_MAIN(TestCfg)
#include "tst_cfg.moc"
