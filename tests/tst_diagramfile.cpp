// The .vnls file: its exact bytes, its reading rules and what damaged or hostile files do.
#include "canvas/classitem.h"
#include "canvas/diagramitems.h"
#include "canvas/link.h"
#include "model/argatt.h"
#include "model/classmodel.h"
#include "model/function.h"
#include "model/linkmodel.h"
#include "persistence/cfg.h"
#include "persistence/diagramreader.h"
#include "persistence/diagramwriter.h"
#include "testsupport/filesizelimit.h"
#include "testsupport/xmlevents.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

using namespace Qt::StringLiterals;

namespace {

// A diagram that deletes what it holds, links first.
struct Diagram : DiagramItems
{
    ClassModel *addClass(const QString &name, double x = 0, double y = 0)
    {
        auto *item = new ClassItem(nullptr);
        item->getModel()->setName(name);
        item->setPos(x, y);
        classes.append(item);
        return item->getModel();
    }

    void addLink(int master, int slave, int type)
    {
        auto *link = new Link;
        link->getModel()->setMaster(master < 0 ? nullptr : classes.at(master));
        link->getModel()->setSlave(slave < 0 ? nullptr : classes.at(slave));
        link->getModel()->setType(type);
        links.append(link);
    }

    // Takes what a reader built from the data or, when given, the file.
    DiagramReader::Status read(const QByteArray &data, const QString &path = QString())
    {
        DiagramReader reader(nullptr);
        const auto status = path.isEmpty() ? reader.readData(data) : reader.readFile(path);
        classes = reader.takeClasses();
        links = reader.takeLinks();
        return status;
    }

    QByteArray bytes() const { return DiagramWriter::toBytes(classes, links); }

    // Every field, a line each joined by '/', with link ends and accessor links as
    // indexes so that a wrong target shows as well as a wrong name.
    QString describe() const
    {
        const auto field = [](const char *kind, const ArgAtt *a) {
            return u"%1 %2|%3|%4|%5"_s.arg(QLatin1String(kind), a->name(), a->type(), a->defValue())
                .arg(a->range());
        };
        QStringList lines;
        for (const ClassItem *item : classes) {
            const ClassModel *m = item->getModel();
            lines << u"class %1|%2|%3|%4|%5|%6"_s.arg(m->name(), m->comment(), m->parentName(),
                                                      m->includes().join(u','),
                                                      QString::number(item->pos().x(), 'g', 17),
                                                      QString::number(item->pos().y(), 'g', 17));
            for (const Function *f : m->methods()) {
                lines << u" method %1|%2|%3|linked %4"_s.arg(f->name(), f->returnType())
                             .arg(f->range())
                             .arg(m->attributes().indexOf(f->linkedAtt()));
                for (const ArgAtt *arg : f->args())
                    lines << field("  arg", arg);
            }
            for (const ArgAtt *att : m->attributes())
                lines << field(" attribute", att);
        }
        for (const Link *link : links)
            lines << u"link %1 %2 %3"_s.arg(classes.indexOf(link->getModel()->master()))
                         .arg(classes.indexOf(link->getModel()->slave()))
                         .arg(link->getModel()->type());
        return lines.join(u'/');
    }
};

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class TestDiagramFile : public QObject
{
    Q_OBJECT

private slots:
    void writesAndReadsBackExactly();
    void readingRules();
    void scannerAgreesWithQtsReader();
    void examplesAreInTheirWrittenForm();
    void settingsRegressionInputs();

private:
    QTemporaryDir m_dir;
};

void TestDiagramFile::writesAndReadsBackExactly()
{
    const QByteArray smallFile =
        "<?xml version='1.0' encoding='ISO-8859-1'?>\n"
        "<main version=\"1\" name=\"DEFAULT\">\n"
        " <class name=\"Shape\" comment=\"Base of all shapes\" parentName=\"\" "
        "includes=\"QString;\" "
        "posX=\"40\" posY=\"60\">\n"
        "  <function name=\"moveBy\" returnType=\"void\" range=\"1\">\n"
        "   <arg-att name=\"dx\" range=\"2\" type=\"double\" defValue=\"\"/>\n"
        "   <arg-att name=\"dy\" range=\"2\" type=\"double\" defValue=\"0\"/>\n"
        "  </function>\n"
        "  <function name=\"getLabel\" returnType=\"QString\" range=\"4\" linkedAtt=\"m_label\"/>\n"
        "  <arg-att name=\"m_label\" range=\"0\" type=\"QString\" defValue=\"\"/>\n"
        " </class>\n"
        " <class name=\"Circle\" comment=\"\" parentName=\"\" includes=\"\" posX=\"300\" "
        "posY=\"60.5\">\n"
        "  <arg-att name=\"m_radius\" range=\"0\" type=\"double\" defValue=\"1.0\"/>\n"
        " </class>\n"
        " <link master=\"Shape\" slave=\"Circle\" type=\"0\"/>\n"
        "</main>\n";
    Diagram diagram;
    QCOMPARE(diagram.read(smallFile), DiagramReader::ReadOk);
    QCOMPARE(diagram.describe(),
             QLatin1String(
                 "class Shape|Base of all shapes||QString|40|60/ method moveBy|void|1|linked -1/"
                 "  arg dx|double||2/  arg dy|double|0|2/ method getLabel|QString|4|linked 0/"
                 " attribute m_label|QString||0/class Circle||||300|60.5/"
                 " attribute m_radius|double|1.0|0/link 0 1 0"));
    QCOMPARE(diagram.bytes(), smallFile);

    // Text outside Latin-1, line breaks, blanks and markup in every field.
    const QString odd =
        u" \u20ac\u0152 \u65e5\u672c \U0001F600 \u00ff\t<a b='c'> &amp; ]]>\nnext\r\n "_s;
    Diagram odds;
    ClassModel *model = odds.addClass(odd, double(60.1f), 35.25);
    model->setComment(odd);
    model->setParentName(odd);
    model->addAttribute(new ArgAtt(odd, odd, odd, 1));
    model->addMethod(new Function(odd, odd, 7, {new ArgAtt(odd, odd, odd, 2)}));
    odds.addClass(QString(), 9993.75, 0.125); // an unnamed class keeps its place
    odds.addLink(1, 0, LinkModel::Association);
    const QByteArray bytes = odds.bytes();
    QVERIFY(bytes.contains(" posX=\"60.09999847412109\" posY=\"35.25\">")); // float noise kept
    QVERIFY(bytes.contains("=\" &#x20ac;&#x152; &#x65e5;&#x672c; &#x1f600; \xff&#x9;&lt;a b='c'> "
                           "&amp;amp; ]]&gt;&#xa;next&#xd;&#xa; \""));

    Diagram back;
    QCOMPARE(back.read(bytes), DiagramReader::ReadOk);
    QCOMPARE(back.describe(), odds.describe());
    QCOMPARE(back.bytes(), bytes);

    // A link short of an end is not written (nor read: see the reading rules).
    odds.addLink(0, -1, LinkModel::Inheritance);
    odds.addLink(-1, 1, LinkModel::Aggregation);
    QCOMPARE(odds.bytes(), bytes);

    // The disk fills up half way: the previous file is kept, and no other is left.
    const QString path = m_dir.filePath(u"previous.vnls"_s);
    QFile previous(path);
    QVERIFY(previous.open(QIODevice::WriteOnly) && previous.write("previous") == 8);
    previous.close();
    {
        const FileSizeLimit limit(bytes.size() / 2);
        QVERIFY(limit.isActive());
        QVERIFY(!DiagramWriter::writeFile(path, odds.classes, odds.links));
    }
    QCOMPARE(readAll(path), QByteArray("previous"));
    QCOMPARE(QDir(m_dir.path()).entryList(QDir::Files), QStringList{u"previous.vnls"_s});
    QVERIFY(!DiagramWriter::writeFile(path + u"/x.vnls"_s, {}, {})); // below a file
    QVERIFY(!DiagramWriter::writeFile(m_dir.path(), {}, {}));
    QVERIFY(DiagramWriter::writeFile(path, odds.classes, odds.links));
    QCOMPARE(readAll(path), bytes);
}

void TestDiagramFile::readingRules()
{
    // Bodies of <main> (where "<c " stands for "<class ") and what is read from them: numbers,
    // unknown elements, ranges and accessor links, link ends. Each is read by our scanner and,
    // behind a document type that it leaves alone, by Qt's reader.
    const QList<QPair<QByteArray, const char *>> rules = {
        {"<c includes=';;A;; B ' posX='60.5' posY='-2E1'/><c posX='1e999' posY='nan'/>"
         "<c posX='1e300'/><c posX='-50' posY='70'/>",
         "class |||A,B|60.5|0/class ||||0|0/class ||||9994|0/class ||||0|70"},
        {"<note><c name='Hidden'/></note><arg-att name='stray'/><c name='A'><note/><c name='N'/>"
         "<function name='f'><note><arg-att name='deep'/></note>text\n"
         "<arg-att name='x'/></function><arg-att name='a'><arg-att name='child'/></arg-att></c>"
         "<c name='B'/><link master='A' slave='B' type='2'><note/></link>",
         "class A||||0|0/ method f||0|linked -1/  arg x|||0/ attribute a|||0/class B||||0|0/"
         "link 0 1 2"},
        {"<c ><function range='7' linkedAtt='a'><arg-att range='-3'/></function><function "
         "linkedAtt='x'><arg-att name='x'/></function><arg-att name='a' range='0x1'/>"
         "<arg-att name='a'/><arg-att/></c>",
         "class ||||0|0/ method ||7|linked 1/  arg |||-3/ method ||0|linked -1/  arg x|||0/"
         " attribute a|||0/ attribute a|||0/ attribute |||0"},
        // A class of many attributes looks them up another way, with the same outcome.
        {"<c ><function linkedAtt='a'/><arg-att name='a'/>" + QByteArray("<arg-att/>").repeated(16)
             + "<arg-att name='a'/></c>",
         "class ||||0|0/ method ||0|linked 17/ attribute a|||0/ attribute |||0/ attribute |||0/"
         " attribute |||0/ attribute |||0/ attribute |||0/ attribute |||0/ attribute |||0/"
         " attribute |||0/ attribute |||0/ attribute |||0/ attribute |||0/ attribute |||0/"
         " attribute |||0/ attribute |||0/ attribute |||0/ attribute |||0/ attribute a|||0"},
        {"<link master='A' slave='B'/><c name='A'/><c name='B'/><link master='A' slave='Z'/>"
         "<link slave='B'/><link master='A' slave='A'/><c name='A'/>"
         "<link master='B' slave='A' type='1'/>",
         "class A||||0|0/class B||||0|0/class A||||0|0/link 1 2 1"},
    };
    for (const auto &[rule, read] : rules) {
        const QByteArray body =
            QByteArray(rule).replace("<c ", "<class ").replace("</c>", "</class>");
        Diagram diagram, general;
        QCOMPARE(diagram.read("<main>" + body + "</main>"), DiagramReader::ReadOk);
        QCOMPARE(diagram.describe(), QLatin1String(read));
        QCOMPARE(general.read("<!DOCTYPE main><main>" + body + "</main>"), DiagramReader::ReadOk);
        QCOMPARE(general.describe(), QLatin1String(read));
        // Only resolved accessor links are written, and what is written reads back the same.
        const QByteArray bytes = diagram.bytes();
        QCOMPARE(bytes.count("linkedAtt="), diagram.describe().count(u"linked 1"_s));
        Diagram again;
        QCOMPARE(again.read(bytes), DiagramReader::ReadOk);
        QCOMPARE(again.bytes(), bytes);
    }
}

void TestDiagramFile::scannerAgreesWithQtsReader()
{
    // Our files are read by our own scanner; it must see what Qt's reader sees, and leave
    // to that reader every document it is not sure of (malformed ones included).
    const QList<QByteArray> read = {
        "<?xml version='1.0' encoding='ISO-8859-1'?>\n<a x=\"&lt;&gt;&amp;&quot;&apos;&#233;"
        "&#x20AC;&#x1F600;\" y='\xe9\"'>\n <b/></a>\n",
        "\xEF\xBB\xBF<a b=\"\xc3\xa9\xe2\x82\xac\xf0\x9f\x98\x80\"><c/>text</a>\n",
        "<?xml version=\"1.0\" encoding=\"utf-8\" standalone='yes' ?><a  b = 'x' ></a >",
    };
    const QList<QByteArray> leftToQt = {
        "<a></b>",
        "<a b='1' b='2'/>",
        "<a b='<'/>",
        "<a b='&foo;'/>",
        "<a b='&#0;'/>",
        "<a b='&#x;'/>",
        "<a b='&#65'/>",
        "<a/><b/>",
        "x<a/>",
        "<a/>x",
        "<a>]]></a>",
        "<a>&amp;</a>",
        "<a b='1'c='2'/>",
        "<a b=1/>",
        "<a",
        "<a>",
        "",
        " ",
        "<a/>\x01",
        "<a>\x01</a>",
        "<a>\xc0\xaf</a>",
        "<a b='\x85'/>",
        "<a b='\xff'/>",
        "<a b='\xed\xa0\x80'/>",
        "<a b='\xc0\xaf'/>",
        "<a b='\xef\xbf\xbe'/>",
        "<a b='\xef\xbb\xbf'/>",
        "<a b='\xe2\x82'/>",
        "<a/><!-- c -->",
        "<!DOCTYPE a><a/>",
        "<a><![CDATA[x]]></a>",
        "<a><?pi x?></a>",
        " <?xml version='1.0'?><a/>",
        "<?xml version='1.1'?><a/>",
        "<?xml version='1.0' encoding='UTF-16'?><a/>",
        "\xEF\xBB\xBF<?xml version='1.0' encoding='ISO-8859-1'?><a/>",
        "<xmlns/>",
        "<a xml:lang='fr'/>",
        "<a:b/>",
        "<a b='x\ny'/>",
        "<\xc3\xa9/>",
        "<a></a >x",
        QByteArray("<a b='\0'/>", 9),
        "\xff\xfe<\0a\0/\0>\0",
    };
    for (const QByteArray &document : read) {
        QString scanned, streamed;
        QVERIFY2(XmlEvents::scanned(document, &scanned), document.constData());
        QVERIFY(XmlEvents::streamed(document, &streamed));
        QCOMPARE(scanned, streamed);
    }
    for (const QByteArray &document : leftToQt) {
        QString events;
        QVERIFY2(!XmlEvents::scanned(document, &events), document.constData());
    }
    // Deeper than our limits: refused, whichever reader decides.
    Diagram deep;
    QCOMPARE(deep.read(QByteArray("<a>").repeated(300) + QByteArray("</a>").repeated(300)),
             DiagramReader::CannotParse);
}

void TestDiagramFile::examplesAreInTheirWrittenForm()
{
    // The examples read and are written back byte for byte. Paths that give no file
    // and the regression corpus (hostile inputs and those the fuzzer found):
    // "refused-" files are refused with nothing read, others read, write and read back
    // to the same bytes.
    QVERIFY(QDir().mkpath(m_dir.filePath(u"dir.vnls"_s)));
    QVERIFY(::mkfifo(QFile::encodeName(m_dir.filePath(u"pipe.vnls"_s)), 0600) == 0);
    const QDir examples(QStringLiteral(VARNEL_SOURCE_DIR "/examples"));
    const QDir corpus(QStringLiteral(VARNEL_TEST_DATA "/regressions/diagram"));
    QStringList paths = {u"missing.vnls"_s, u"dir.vnls"_s, u"pipe.vnls"_s, u"/dev/zero"_s};
    for (const QDir &dir : {examples, corpus})
        for (const QString &name : dir.entryList({u"*.vnls"_s}, QDir::Files))
            paths << dir.filePath(name);
    QVERIFY(paths.contains(examples.filePath(u"shapes.vnls"_s)));
    for (const QString &name : std::as_const(paths)) {
        const QFileInfo info(QDir(m_dir.path()).filePath(name));
        const auto expected = !info.isFile() ? DiagramReader::CannotOpen
                              : info.fileName().startsWith(u"refused-"_s)
                                  ? DiagramReader::CannotParse
                                  : DiagramReader::ReadOk;
        Diagram first;
        QVERIFY2(first.read({}, info.filePath()) == expected, qPrintable(name));
        if (expected != DiagramReader::ReadOk) {
            QVERIFY(first.classes.isEmpty());
            continue;
        }
        if (info.path() == examples.path())
            QVERIFY2(first.bytes() == readAll(info.filePath()), qPrintable(name));
        Diagram second;
        QVERIFY2(second.read(first.bytes()) == DiagramReader::ReadOk, qPrintable(name));
        QCOMPARE(second.describe(), first.describe());
        QCOMPARE(second.bytes(), first.bytes());
    }
}

void TestDiagramFile::settingsRegressionInputs()
{
    // The settings file goes through the same guards against hostile XML.
    const QDir cfgCorpus(QStringLiteral(VARNEL_TEST_DATA "/regressions/cfg"));
    QVERIFY(!cfgCorpus.entryList(QDir::Files).isEmpty());
    for (const QString &name : cfgCorpus.entryList(QDir::Files)) {
        const QString path = cfgCorpus.filePath(name);
        Cfg cfg;
        cfg.setPrefixe(u"kept_"_s);
        const bool refused = name.startsWith(u"refused-"_s);
        QVERIFY2(cfg.readCfgData(readAll(path)) == (refused ? Cfg::CannotParse : Cfg::ReadOk),
                 qPrintable(name));
        QCOMPARE(Cfg::readLanguage(path), refused ? QString() : cfg.language());
        if (refused)
            QCOMPARE(*cfg.prefixe(), u"kept_"_s);
    }
}

QTEST_MAIN(TestDiagramFile)
#include "tst_diagramfile.moc"
