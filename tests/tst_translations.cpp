// The shipped translations: every interface text of the sources has its English and
// its French, the compiled English reaches real windows, and the files are found
// where the program looks for them.
#include "mainwindowtesting.h"

#include "mainwindow/translations.h"
#include "windows/aboutus.h"
#include "windows/cfgeditor.h"
#include "windows/wellwin.h"

#include <QDir>
#include <QLabel>
#include <QLibraryInfo>
#include <QMap>
#include <QMenu>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QToolBar>
#include <QTranslator>
#include <QXmlStreamReader>

#include <memory>

using namespace MainWindowTesting;

namespace {

struct Message
{
    QString type;             // "", "unfinished", "vanished" or "obsolete"
    QStringList translations; // one, or one per plural form
};

// Context, source and comment: what tells two messages apart.
using MessageKey = std::tuple<QString, QString, QString>;

QString describe(const MessageKey &key)
{
    return std::get<0>(key) + QStringLiteral(": \"") + std::get<1>(key) + QLatin1Char('"');
}

bool readTs(const QString &path, QMap<MessageKey, Message> *messages, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("cannot open ") + path;
        return false;
    }
    QXmlStreamReader xml(&file);
    QString context;
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement())
            continue;
        if (xml.name() == QLatin1String("name")) {
            context = xml.readElementText();
        } else if (xml.name() == QLatin1String("message")) {
            QString source;
            QString comment;
            Message message;
            while (xml.readNextStartElement()) {
                if (xml.name() == QLatin1String("source")) {
                    source = xml.readElementText();
                } else if (xml.name() == QLatin1String("comment")) {
                    comment = xml.readElementText();
                } else if (xml.name() == QLatin1String("translation")) {
                    message.type = xml.attributes().value(QLatin1String("type")).toString();
                    QString text;
                    while (!xml.atEnd()) {
                        xml.readNext();
                        if (xml.isCharacters())
                            text += xml.text();
                        else if (xml.isStartElement() && xml.name() == QLatin1String("numerusform"))
                            message.translations.append(xml.readElementText());
                        else if (xml.isEndElement() && xml.name() == QLatin1String("translation"))
                            break;
                    }
                    if (message.translations.isEmpty())
                        message.translations.append(text);
                } else {
                    xml.skipCurrentElement();
                }
            }
            messages->insert({context, source, comment}, message);
        }
    }
    if (xml.hasError()) {
        *error = path + QStringLiteral(": ") + xml.errorString();
        return false;
    }
    return true;
}

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

QString shippedTs(const QString &language)
{
    return QStringLiteral(VARNEL_SOURCE_DIR "/translations/Varnel_") + language
           + QStringLiteral(".ts");
}

bool copyFile(const QString &from, const QString &to)
{
    QFile::remove(to);
    return QDir().mkpath(QFileInfo(to).absolutePath()) && QFile::copy(from, to);
}

QString withoutMnemonic(QString text)
{
    return text.remove(QLatin1Char('&'));
}

} // namespace

class TestTranslations : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();

    void everyTextIsTranslated_data();
    void everyTextIsTranslated();
    void compiledEnglishReachesTheWindows();
    void sourceTextsWithoutTranslation();
    void lookupOrder_data();
    void lookupOrder();
    void installFollowsTheLanguage_data();
    void installFollowsTheLanguage();
    void qtTextsFollowTheLanguage();

private:
    QTemporaryDir m_dir;
    QMap<MessageKey, Message> m_sourceTexts;
    QList<QTranslator *> m_installed;
};

void TestTranslations::initTestCase()
{
    QVERIFY(m_dir.isValid());
    Cfg::setPathOverride(m_dir.filePath(QStringLiteral("cfgs.xml")));
    QVERIFY(writeFile(m_dir.filePath(QStringLiteral("cfgs.xml")), cfgText()));

    // The texts as the sources have them now, gathered as tools/update-translations.sh does.
    const QString fresh = m_dir.filePath(QStringLiteral("fresh_en.ts"));
    QProcess lupdate;
    lupdate.setWorkingDirectory(QStringLiteral(VARNEL_SOURCE_DIR));
    lupdate.setProcessChannelMode(QProcess::MergedChannels);
    lupdate.start(QStringLiteral(VARNEL_LUPDATE),
                  {QStringLiteral("-silent"), QStringLiteral("-locations"), QStringLiteral("none"),
                   QStringLiteral("-source-language"), QStringLiteral("fr"),
                   QStringLiteral("@translations/sources.lst"), QStringLiteral("-ts"), fresh});
    QVERIFY2(lupdate.waitForFinished(120000), qPrintable(lupdate.errorString()));
    QVERIFY2(lupdate.exitStatus() == QProcess::NormalExit && lupdate.exitCode() == 0,
             lupdate.readAll().constData());

    QString error;
    QVERIFY2(readTs(fresh, &m_sourceTexts, &error), qPrintable(error));
    // A scan that found nothing would let every check below pass.
    QVERIFY(m_sourceTexts.contains(
        {QStringLiteral("MainWindow"), QStringLiteral("Modélisation"), QString()}));
    QVERIFY(m_sourceTexts.contains({QStringLiteral("CfgEditor"),
                                    QStringLiteral("Impossible de sauvegarder vos configurations."),
                                    QString()}));
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
    QMap<MessageKey, Message> shipped;
    QString error;
    QVERIFY2(readTs(shippedTs(language), &shipped, &error), qPrintable(error));

    // Everything is gathered first, so that one run lists every text left to translate.
    QStringList faults;
    for (auto it = m_sourceTexts.cbegin(); it != m_sourceTexts.cend(); ++it) {
        const MessageKey &key = it.key();
        const QString &source = std::get<1>(key);
        if (!shipped.contains(key)) {
            faults << QStringLiteral("missing ") + describe(key);
            continue;
        }
        const Message &message = shipped.value(key);
        if (!message.type.isEmpty()) {
            faults << message.type + QLatin1Char(' ') + describe(key);
            continue;
        }
        for (const QString &translation : message.translations) {
            if (translation.isEmpty())
                faults << QStringLiteral("empty ") + describe(key);
            else if (placeholders(translation) != placeholders(source))
                faults << QStringLiteral("placeholders differ in ") + describe(key);
            else if (language == QLatin1String("fr") && translation != source)
                faults << QStringLiteral("French differs from its source: ") + describe(key);
        }
    }
    // Left-overs of removed texts only weigh on the translators.
    for (auto it = shipped.cbegin(); it != shipped.cend(); ++it) {
        if (!m_sourceTexts.contains(it.key()))
            faults << QStringLiteral("no longer in the sources: ") + describe(it.key());
    }
    QVERIFY2(faults.isEmpty(),
             qPrintable(QStringLiteral("run tools/update-translations.sh and translate:\n  ")
                        + faults.join(QStringLiteral("\n  "))));
}

void TestTranslations::compiledEnglishReachesTheWindows()
{
    auto translator = std::make_unique<QTranslator>();
    const QString qm = QStringLiteral(VARNEL_QM_DIR "/Varnel_en.qm");
    QVERIFY2(translator->load(qm), qPrintable(qm));
    QCoreApplication::installTranslator(translator.get());
    m_installed.append(translator.release());

    MainWindow window;
    QCOMPARE(window.findChild<QMenu *>(QStringLiteral("menuVNL"))->title(), QStringLiteral("File"));
    QCOMPARE(window.findChild<QMenu *>(QStringLiteral("menuMod_lisation"))->title(),
             QStringLiteral("Modeling"));
    QCOMPARE(window.findChild<QMenu *>(QStringLiteral("menuA_propos"))->title(),
             QStringLiteral("Help"));
    QCOMPARE(action(&window, "actionAddClass")->text(), QStringLiteral("Add Class"));
    QCOMPARE(window.findChild<QToolBar *>(QStringLiteral("FileToolBar"))->windowTitle(),
             QStringLiteral("File Toolbar"));
    // Texts the window's code sets, beside those of its form.
    QCOMPARE(window.windowTitle(), QStringLiteral("Varnel 1.0 - Untitled"));
    QCOMPARE(window.findChild<QLabel *>(QStringLiteral("lab_ready"))->text(),
             QStringLiteral("Ready"));

    CfgEditor *preferences = topLevel<CfgEditor>();
    QVERIFY(preferences);
    preferences->openPreferences();
    auto *tabs = preferences->findChild<QTabWidget *>(QStringLiteral("tabWidget"));
    QCOMPARE(tabs->tabText(0), QStringLiteral("General"));
    QCOMPARE(tabs->tabText(1), QStringLiteral("Display"));
    QCOMPARE(preferences->windowTitle(), QStringLiteral("VNL - Preferences"));
    preferences->hide();

    QCOMPARE(topLevel<WellWin>()->windowTitle(), QStringLiteral("Welcome!"));
    QCOMPARE(topLevel<AboutUs>()->windowTitle(), QStringLiteral("About VNL"));
}

void TestTranslations::sourceTextsWithoutTranslation()
{
    // No translator (an empty or unknown language): the French source texts.
    MainWindow window;
    QCOMPARE(window.findChild<QMenu *>(QStringLiteral("menuMod_lisation"))->title(),
             QStringLiteral("Modélisation"));
    QCOMPARE(window.windowTitle(), QStringLiteral("Varnel 1.0 - Sans nom"));
    CfgEditor *preferences = topLevel<CfgEditor>();
    QVERIFY(preferences);
    QCOMPARE(preferences->findChild<QTabWidget *>(QStringLiteral("tabWidget"))->tabText(0),
             QStringLiteral("Général"));
}

void TestTranslations::lookupOrder_data()
{
    QTest::addColumn<bool>("besideExecutable");
    QTest::addColumn<bool>("damagedBesideExecutable");
    QTest::addColumn<bool>("installed");
    QTest::addColumn<int>("expectedFolder"); // -1: none

    QTest::newRow("both: beside the executable wins") << true << false << true << 0;
    QTest::newRow("beside the executable only") << true << false << false << 0;
    QTest::newRow("installed only") << false << false << true << 1;
    QTest::newRow("damaged copy beside, good one installed") << false << true << true << 1;
    QTest::newRow("damaged copy only") << false << true << false << -1;
    QTest::newRow("neither") << false << false << false << -1;
}

void TestTranslations::lookupOrder()
{
    QFETCH(bool, besideExecutable);
    QFETCH(bool, damagedBesideExecutable);
    QFETCH(bool, installed);
    QFETCH(int, expectedFolder);

    QTemporaryDir prefix;
    QVERIFY(prefix.isValid());
    const QString bin = prefix.filePath(QStringLiteral("bin"));
    QVERIFY(QDir().mkpath(bin));
    const QStringList folders = Translations::appFolders(bin);
    QCOMPARE(folders.size(), 2);
    QCOMPARE(folders.first(), QDir::cleanPath(bin));
    // Where the package installs them, inside the same prefix.
    QVERIFY2(folders.last().startsWith(QDir::cleanPath(prefix.path()) + QLatin1Char('/'))
                 && folders.last().endsWith(QStringLiteral("/varnel/translations")),
             qPrintable(folders.last()));

    const QString qm = QStringLiteral(VARNEL_QM_DIR "/Varnel_en.qm");
    const QString fileName = QStringLiteral("Varnel_en.qm");
    if (besideExecutable)
        QVERIFY(copyFile(qm, QDir(folders.first()).filePath(fileName)));
    if (damagedBesideExecutable)
        QVERIFY(writeFile(QDir(folders.first()).filePath(fileName), "not a translation"));
    if (installed)
        QVERIFY(copyFile(qm, QDir(folders.last()).filePath(fileName)));

    QTranslator translator;
    const QString loaded =
        Translations::loadFirst(&translator, QStringLiteral("Varnel_en"), folders);
    if (expectedFolder < 0) {
        QCOMPARE(loaded, QString());
        QVERIFY(translator.isEmpty());
    } else {
        QCOMPARE(loaded, QDir(folders.at(expectedFolder)).filePath(fileName));
        QCOMPARE(translator.translate("MainWindow", "Modélisation"), QStringLiteral("Modeling"));
    }

    // Qt's own translations: the executable's folder first, then Qt's.
    const QStringList qt = Translations::qtFolders(bin);
    QCOMPARE(qt, QStringList(
                     {QDir::cleanPath(bin), QLibraryInfo::path(QLibraryInfo::TranslationsPath)}));
}

void TestTranslations::installFollowsTheLanguage_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<bool>("valid");

    QTest::newRow("en") << QStringLiteral("en") << true;
    QTest::newRow("fr") << QStringLiteral("fr") << true;
    QTest::newRow("with a region") << QStringLiteral("fr_CA") << true;
    QTest::newRow("empty") << QString() << false;
    QTest::newRow("a path") << QStringLiteral("../fr") << false;
    QTest::newRow("a folder") << QStringLiteral("en/x") << false;
    QTest::newRow("trailing separator") << QStringLiteral("en_") << false;
}

void TestTranslations::installFollowsTheLanguage()
{
    QFETCH(QString, language);
    QFETCH(bool, valid);

    QCOMPARE(Translations::isLanguageName(language), valid);
    m_installed = Translations::install(language);
    if (!valid)
        QVERIFY(m_installed.isEmpty());
    for (QTranslator *translator : std::as_const(m_installed)) {
        const QString name = QFileInfo(translator->filePath()).fileName();
        QVERIFY2(name == QStringLiteral("qt_") + language + QStringLiteral(".qm")
                     || name == QStringLiteral("Varnel_") + language + QStringLiteral(".qm"),
                 qPrintable(translator->filePath()));
        QCOMPARE(translator->parent(), QCoreApplication::instance());
    }
}

void TestTranslations::qtTextsFollowTheLanguage()
{
    const QString qtFolder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    if (!QFileInfo::exists(QDir(qtFolder).filePath(QStringLiteral("qt_fr.qm"))))
        QSKIP("Qt's French translation is not installed (qt6-translations-l10n)");

    m_installed = Translations::install(QStringLiteral("fr"));
    QVERIFY(!m_installed.isEmpty());
    QCOMPARE(m_installed.first()->filePath(), QDir(qtFolder).filePath(QStringLiteral("qt_fr.qm")));

    // The standard buttons of the message boxes.
    QMessageBox box(QMessageBox::Question, QStringLiteral("t"), QStringLiteral("q"),
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    QCOMPARE(withoutMnemonic(box.button(QMessageBox::Yes)->text()), QStringLiteral("Oui"));
    QCOMPARE(withoutMnemonic(box.button(QMessageBox::No)->text()), QStringLiteral("Non"));
    QCOMPARE(withoutMnemonic(box.button(QMessageBox::Cancel)->text()), QStringLiteral("Annuler"));
}

VARNEL_WINDOW_TEST_MAIN(TestTranslations)
#include "tst_translations.moc"
