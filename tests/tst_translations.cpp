// The shipped translations: every interface text of the sources has its English and
// its French, the compiled English reaches real windows, and the files are found
// where the program looks for them.
#include "mainwindowtesting.h"

#include "mainwindow/translations.h"
#include "windows/cfgeditor.h"
#include "windows/wellwin.h"

#include <QDir>
#include <QGroupBox>
#include <QLibraryInfo>
#include <QMenu>
#include <QProcess>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTranslator>
#include <QXmlStreamReader>

using namespace MainWindowTesting;

namespace {

// The %1 ... markers that the code fills in; a translation must keep every one.
QStringList placeholders(const QString &text)
{
    static const QRegularExpression marker(QStringLiteral("%L?\\d+"));
    QStringList found;
    for (auto it = marker.globalMatch(text); it.hasNext();)
        found.append(it.next().captured());
    found.sort();
    return found;
}

const QString qmFile = QStringLiteral(VARNEL_QM_DIR "/Varnel_en.qm");

} // namespace

class TestTranslations : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();
    void everyTextIsTranslated_data();
    void everyTextIsTranslated();
    void windowsSpeakTheLanguage_data();
    void windowsSpeakTheLanguage();
    void lookupOrder_data();
    void lookupOrder();
    void languageNames_data();
    void languageNames();

private:
    QTemporaryDir m_dir;
    QList<QTranslator *> m_installed;
};

void TestTranslations::initTestCase()
{
    Cfg::setPathOverride(m_dir.filePath(QStringLiteral("cfgs.xml")));
    QVERIFY(writeFile(m_dir.filePath(QStringLiteral("cfgs.xml")), cfgText()));
}

void TestTranslations::cleanup()
{
    for (QTranslator *translator : std::as_const(m_installed)) {
        QCoreApplication::removeTranslator(translator);
        delete translator;
    }
    m_installed.clear();
}

void TestTranslations::everyTextIsTranslated_data()
{
    QTest::addColumn<QString>("language");
    QTest::newRow("English") << QStringLiteral("en");
    QTest::newRow("French") << QStringLiteral("fr");
}

void TestTranslations::everyTextIsTranslated()
{
    QFETCH(QString, language);
    // The sources merged into a copy of the shipped file, as tools/update-translations.sh
    // does: a text missing from it comes in unfinished, a removed one is marked vanished.
    const QString merged = m_dir.filePath(language + QStringLiteral(".ts"));
    QFile::remove(merged);
    QVERIFY(QFile::copy(QStringLiteral(VARNEL_SOURCE_DIR "/translations/Varnel_") + language
                            + QStringLiteral(".ts"),
                        merged));
    QProcess lupdate;
    lupdate.setWorkingDirectory(QStringLiteral(VARNEL_SOURCE_DIR));
    lupdate.setProcessChannelMode(QProcess::MergedChannels);
    lupdate.start(QStringLiteral(VARNEL_LUPDATE),
                  {QStringLiteral("-silent"), QStringLiteral("-locations"), QStringLiteral("none"),
                   QStringLiteral("-source-language"), QStringLiteral("fr"),
                   QStringLiteral("@translations/sources.lst"), QStringLiteral("-ts"), merged});
    QVERIFY2(lupdate.waitForFinished(120000) && lupdate.exitCode() == 0,
             lupdate.readAll().constData());

    QFile file(merged);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&file);
    QString context;
    QString source;
    QStringList faults;
    int messages = 0;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == QLatin1String("name")) {
            context = xml.readElementText();
        } else if (xml.name() == QLatin1String("source")) {
            source = xml.readElementText();
        } else if (xml.name() == QLatin1String("translation")) {
            ++messages;
            const QString type = xml.attributes().value(QLatin1String("type")).toString();
            const QString text = xml.readElementText(QXmlStreamReader::IncludeChildElements);
            const QString where = context + QStringLiteral(": \"") + source + QLatin1Char('"');
            if (!type.isEmpty())
                faults << type + QLatin1Char(' ') + where;
            else if (text.isEmpty())
                faults << QStringLiteral("empty ") + where;
            else if (placeholders(text) != placeholders(source))
                faults << QStringLiteral("placeholders differ in ") + where;
            else if (language == QLatin1String("fr") && text != source)
                faults << QStringLiteral("French differs from its source: ") + where;
        }
    }
    QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
    QVERIFY(messages > 100);
    QVERIFY2(faults.isEmpty(),
             qPrintable(QStringLiteral("run tools/update-translations.sh and translate:\n  ")
                        + faults.join(QStringLiteral("\n  "))));
}

void TestTranslations::windowsSpeakTheLanguage_data()
{
    QTest::addColumn<bool>("english");
    // A menu, the title and a tab that the code sets, the class editor, the welcome window.
    QTest::addColumn<QStringList>("texts");
    QTest::newRow("English") << true
                             << QStringList{QStringLiteral("Modeling"),
                                            QStringLiteral("Varnel 1.0 - Untitled"),
                                            QStringLiteral("General"), QStringLiteral("Attributes"),
                                            QStringLiteral("Welcome!")};
    // No translator: an empty or unknown language.
    QTest::newRow("French") << false
                            << QStringList{QStringLiteral("Modélisation"),
                                           QStringLiteral("Varnel 1.0 - Sans nom"),
                                           QStringLiteral("Général"), QStringLiteral("Attributs"),
                                           QStringLiteral("Bienvenue !")};
}

void TestTranslations::windowsSpeakTheLanguage()
{
    QFETCH(bool, english);
    QFETCH(QStringList, texts);
    if (english) {
        m_installed.append(new QTranslator);
        QVERIFY2(m_installed.last()->load(qmFile), qPrintable(qmFile));
        QCoreApplication::installTranslator(m_installed.last());
    }
    MainWindow window;
    ClassEditor *editor = topLevel<ClassEditor>();
    const QStringList shown{
        window.findChild<QMenu *>(QStringLiteral("menuMod_lisation"))->title(),
        window.windowTitle(),
        topLevel<CfgEditor>()->findChild<QTabWidget *>(QStringLiteral("tabWidget"))->tabText(0),
        editor->findChild<QGroupBox *>(QStringLiteral("groupBox"))->title(),
        topLevel<WellWin>()->windowTitle()};
    QCOMPARE(shown, texts);
}

void TestTranslations::lookupOrder_data()
{
    QTest::addColumn<QString>("besideExecutable"); // "good", "damaged" or none
    QTest::addColumn<bool>("installed");
    QTest::addColumn<int>("expectedFolder"); // -1: none
    QTest::newRow("beside the executable wins") << "good" << true << 0;
    QTest::newRow("installed only") << "" << true << 1;
    QTest::newRow("damaged copy beside, good one installed") << "damaged" << true << 1;
    QTest::newRow("damaged copy only") << "damaged" << false << -1;
    QTest::newRow("neither") << "" << false << -1;
}

void TestTranslations::lookupOrder()
{
    QFETCH(QString, besideExecutable);
    QFETCH(bool, installed);
    QFETCH(int, expectedFolder);
    QTemporaryDir prefix;
    const QString bin = prefix.filePath(QStringLiteral("bin"));
    const QStringList folders = Translations::appFolders(bin);
    // Where the package installs them, inside the same prefix.
    QCOMPARE(folders.first(), QDir::cleanPath(bin));
    QVERIFY2(folders.last().startsWith(QDir::cleanPath(prefix.path()) + QLatin1Char('/'))
                 && folders.last().endsWith(QStringLiteral("/varnel/translations")),
             qPrintable(folders.last()));
    const QString name = QStringLiteral("/Varnel_en.qm");
    for (const QString &folder : folders)
        QVERIFY(QDir().mkpath(folder));
    if (besideExecutable == QLatin1String("good"))
        QVERIFY(QFile::copy(qmFile, folders.first() + name));
    if (besideExecutable == QLatin1String("damaged"))
        QVERIFY(writeFile(folders.first() + name, "not a translation"));
    if (installed)
        QVERIFY(QFile::copy(qmFile, folders.last() + name));

    QTranslator translator;
    const QString loaded =
        Translations::loadFirst(&translator, QStringLiteral("Varnel_en"), folders);
    QCOMPARE(loaded, expectedFolder < 0 ? QString() : folders.at(expectedFolder) + name);
    QCOMPARE(translator.translate("MainWindow", "Modélisation"),
             expectedFolder < 0 ? QString() : QStringLiteral("Modeling"));
    // Qt's own translations: the executable's folder first, then Qt's.
    QCOMPARE(
        Translations::qtFolders(bin),
        QStringList({QDir::cleanPath(bin), QLibraryInfo::path(QLibraryInfo::TranslationsPath)}));
}

void TestTranslations::languageNames_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<bool>("valid");
    QTest::newRow("en") << QStringLiteral("en") << true;
    QTest::newRow("with a region") << QStringLiteral("fr_CA") << true;
    QTest::newRow("empty") << QString() << false;
    QTest::newRow("a path") << QStringLiteral("../fr") << false;
    QTest::newRow("a folder") << QStringLiteral("en/x") << false;
    QTest::newRow("trailing separator") << QStringLiteral("en_") << false;
}

void TestTranslations::languageNames()
{
    QFETCH(QString, language);
    QFETCH(bool, valid);
    // A language from a hand-edited file never names a file elsewhere.
    QCOMPARE(Translations::isLanguageName(language), valid);
    m_installed = Translations::install(language);
    QVERIFY(valid || m_installed.isEmpty());
    for (QTranslator *translator : std::as_const(m_installed)) {
        const QString file = QFileInfo(translator->filePath()).fileName();
        QVERIFY2(file == QStringLiteral("qt_%1.qm").arg(language)
                     || file == QStringLiteral("Varnel_%1.qm").arg(language),
                 qPrintable(file));
    }
}

VARNEL_WINDOW_TEST_MAIN(TestTranslations)
#include "tst_translations.moc"
