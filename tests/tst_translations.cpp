// The shipped translations: complete in English and French, the English reaching real
// windows, and the files found where the program looks for them.
#include "mainwindowtesting.h"

#include "mainwindow/translations.h"

#include <QDir>
#include <QMenu>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTranslator>
#include <QXmlStreamReader>

using namespace MainWindowTesting;

static const QString qmFile = QStringLiteral(VARNEL_QM_DIR "/Varnel_en.qm");

// The %1 ... markers that the code fills in; a translation must keep every one.
static QStringList placeholders(const QString &text)
{
    QStringList found;
    for (auto it = QRegularExpression(QStringLiteral("%L?\\d+")).globalMatch(text); it.hasNext();)
        found.append(it.next().captured());
    found.sort();
    return found;
}

class TestTranslations : public QObject
{
    Q_OBJECT

private slots:
    void everyTextIsTranslated();
    void englishReachesTheWindows();
    void lookupOrder();

private:
    QTemporaryDir m_dir;
};

void TestTranslations::everyTextIsTranslated()
{
    for (const QString &language : {QStringLiteral("en"), QStringLiteral("fr")}) {
        // The sources merged into a copy of the shipped file, as tools/update-translations.sh
        // does: a text missing from it comes in unfinished, a removed one is marked vanished.
        const QString merged = m_dir.filePath(language + QStringLiteral(".ts"));
        QVERIFY(QFile::copy(
            QStringLiteral(VARNEL_SOURCE_DIR "/translations/Varnel_%1.ts").arg(language), merged));
        QProcess lupdate;
        lupdate.setWorkingDirectory(QStringLiteral(VARNEL_SOURCE_DIR));
        lupdate.setProcessChannelMode(QProcess::MergedChannels);
        lupdate.start(QStringLiteral(VARNEL_LUPDATE),
                      QStringLiteral("-silent -locations none -source-language fr "
                                     "@translations/sources.lst -ts")
                              .split(QLatin1Char(' '))
                          + QStringList(merged));
        QVERIFY2(lupdate.waitForFinished(120000) && lupdate.exitCode() == 0,
                 lupdate.readAll().constData());
        QFile file(merged);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QXmlStreamReader xml(&file);
        QString source;
        QStringList faults;
        int messages = 0;
        while (!xml.atEnd()) {
            if (xml.readNext() == QXmlStreamReader::StartElement
                && xml.name() == QLatin1String("source"))
                source = xml.readElementText();
            if (!xml.isStartElement() || xml.name() != QLatin1String("translation"))
                continue;
            ++messages;
            const QString type = xml.attributes().value(QLatin1String("type")).toString();
            const QString text = xml.readElementText(QXmlStreamReader::IncludeChildElements);
            if (!type.isEmpty() || text.isEmpty() || placeholders(text) != placeholders(source)
                || (language == QLatin1String("fr") && text != source))
                faults << language + QLatin1Char(' ') + type + QStringLiteral(": ") + source;
        }
        QVERIFY2(!xml.hasError() && messages > 100, qPrintable(xml.errorString()));
        // Mended by running tools/update-translations.sh and translating.
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
    }
}

void TestTranslations::englishReachesTheWindows()
{
    Cfg::setPathOverride(m_dir.filePath(QStringLiteral("cfgs.xml")));
    QVERIFY(writeFile(m_dir.filePath(QStringLiteral("cfgs.xml")), cfgText()));
    QTranslator translator;
    QVERIFY2(translator.load(qmFile), qPrintable(qmFile));
    QCoreApplication::installTranslator(&translator);
    // A menu from the form, the title that the code sets.
    MainWindow window;
    QCOMPARE(window.findChild<QMenu *>(QStringLiteral("menuMod_lisation"))->title(),
             QStringLiteral("Modeling"));
    QCOMPARE(window.windowTitle(), QStringLiteral("Varnel 1.0 - Untitled"));
    QCoreApplication::removeTranslator(&translator);

    // With the interface in French, Qt's own boxes answer in French as well.
    for (const QString &language : {QString(), QStringLiteral("fr")}) {
        const QList<QTranslator *> installed = Translations::install(language);
        QMessageBox question(QMessageBox::Question, QString(), QString(),
                             QMessageBox::Yes | QMessageBox::No);
        const QString answers = question.button(QMessageBox::Yes)->text() + QLatin1Char('/')
                                + question.button(QMessageBox::No)->text();
        for (QTranslator *installedOne : installed) {
            QCoreApplication::removeTranslator(installedOne);
            delete installedOne;
        }
        QCOMPARE(answers, QStringLiteral("&Oui/&Non"));
    }
}

void TestTranslations::lookupOrder()
{
    // Where the package installs them, inside the same prefix, after the executable's folder.
    QTemporaryDir prefix;
    const QString bin = prefix.filePath(QStringLiteral("bin"));
    const QStringList folders = Translations::appFolders(bin);
    QVERIFY2(folders.first() == QDir::cleanPath(bin)
                 && folders.last().endsWith(QStringLiteral("/varnel/translations"))
                 && folders.last().startsWith(QDir::cleanPath(prefix.path()) + QLatin1Char('/')),
             qPrintable(folders.join(QLatin1Char(' '))));
    const QString beside = folders.first() + QStringLiteral("/Varnel_en.qm");
    const QString installed = folders.last() + QStringLiteral("/Varnel_en.qm");
    QVERIFY(QDir().mkpath(folders.first()) && QDir().mkpath(folders.last()));
    const auto load = [&folders] {
        QTranslator translator;
        return Translations::loadFirst(&translator, QStringLiteral("Varnel_en"), folders);
    };
    QVERIFY(QFile::copy(qmFile, beside) && QFile::copy(qmFile, installed));
    QCOMPARE(load(), beside);
    // A damaged copy beside the executable does not hide the installed one.
    QVERIFY(QFile::remove(beside) && writeFile(beside, "not a translation"));
    QCOMPARE(load(), installed);
    QVERIFY(QFile::remove(installed));
    QCOMPARE(load(), QString());
    // A language from a hand-edited file never names a file elsewhere.
    QVERIFY(Translations::isLanguageName(QStringLiteral("fr_CA")));
    QVERIFY(!Translations::isLanguageName(QStringLiteral("../fr")));
}

VARNEL_WINDOW_TEST_MAIN(TestTranslations)
#include "tst_translations.moc"
