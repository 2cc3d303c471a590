// The shipped translations: complete, reaching real windows, found where the program looks.
#include "mainwindowtesting.h"

#include "mainwindow/translations.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QMenu>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTranslator>

using namespace MainWindowTesting;
using namespace Qt::StringLiterals;

static const QString qmFile = u"" VARNEL_QM_DIR "/Varnel_en.qm"_s;

// The %1 ... markers that the code fills in; a translation must keep every one.
static QStringList placeholders(const QString &text)
{
    QStringList found;
    for (auto it = QRegularExpression(u"%L?\\d+"_s).globalMatch(text); it.hasNext();)
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
};

void TestTranslations::everyTextIsTranslated()
{
    static const QRegularExpression message(
        u"<source>([^<]*)</source>\\s*<translation([^>]*)>([^<]*)</translation>"_s);
    const QStringList lupdate =
        u"-silent -locations none -source-language fr @translations/sources.lst -ts"_s.split(u' ');
    QTemporaryDir dir;
    QVERIFY(QDir::setCurrent(u"" VARNEL_SOURCE_DIR ""_s));
    QStringList faults;
    for (const QString &language : {u"en"_s, u"fr"_s}) {
        // Merged as tools/update-translations.sh does: new texts unfinished, old ones vanished.
        const QString merged = dir.filePath(language + u".ts"_s);
        QVERIFY(QFile::copy(u"translations/Varnel_%1.ts"_s.arg(language), merged));
        QCOMPARE(QProcess::execute(u"" VARNEL_LUPDATE ""_s, QStringList(lupdate) << merged), 0);
        QFile file(merged);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QString ts = QString::fromUtf8(file.readAll());
        qsizetype messages = 0;
        for (auto it = message.globalMatch(ts); it.hasNext(); ++messages) {
            const QRegularExpressionMatch m = it.next();
            const QString source = m.captured(1), type = m.captured(2), text = m.captured(3);
            if (!type.isEmpty() || text.isEmpty() || placeholders(text) != placeholders(source)
                || (language == u"fr"_s && text != source))
                faults << language + type + u": "_s + source;
        }
        // Every message read: none hidden from the pattern by an element it does not know.
        QVERIFY(messages > 100 && messages == ts.count(u"<message>"_s));
    }
    // Mended by running tools/update-translations.sh and translating.
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(u'\n')));
}

void TestTranslations::englishReachesTheWindows()
{
    // With no language chosen the interface is French, and Qt's own boxes answer in French.
    const QList<QTranslator *> installed = Translations::install(QString());
    QCOMPARE(QDialogButtonBox(QDialogButtonBox::Yes).button(QDialogButtonBox::Yes)->text(),
             u"&Oui"_s);
    qDeleteAll(installed); // each leaves the application as it goes

    QTemporaryDir dir;
    Cfg::setPathOverride(dir.filePath(u"cfgs.xml"_s));
    QVERIFY(writeFile(dir.filePath(u"cfgs.xml"_s), cfgText()));
    QTranslator translator;
    QVERIFY2(translator.load(qmFile), qPrintable(qmFile));
    QCoreApplication::installTranslator(&translator);
    MainWindow window;
    QCOMPARE(window.findChild<QMenu *>(u"menuMod_lisation"_s)->title(), u"Modeling"_s);
    QCOMPARE(window.windowTitle(), u"Varnel 1.0 - Untitled"_s); // set by the code, not the form
}

void TestTranslations::lookupOrder()
{
    // Where the package installs them, inside the same prefix, after the executable's folder.
    QTemporaryDir prefix;
    const QString bin = prefix.filePath(u"bin"_s);
    const QStringList folders = Translations::appFolders(bin);
    QVERIFY2(folders.first() == QDir::cleanPath(bin)
                 && folders.last().startsWith(QDir::cleanPath(prefix.path()) + u'/')
                 && folders.last().endsWith(u"/varnel/translations"_s),
             qPrintable(folders.join(u' ')));
    const QString beside = folders.first() + u"/Varnel_en.qm"_s;
    const QString installed = folders.last() + u"/Varnel_en.qm"_s;
    QVERIFY(QDir().mkpath(folders.first()) && QDir().mkpath(folders.last())
            && QFile::copy(qmFile, beside) && QFile::copy(qmFile, installed));
    QTranslator translator;
    QCOMPARE(Translations::loadFirst(&translator, u"Varnel_en"_s, folders), beside);
    // A damaged copy beside the executable does not hide the installed one.
    QVERIFY(QFile::remove(beside) && writeFile(beside, "not a translation"));
    QCOMPARE(Translations::loadFirst(&translator, u"Varnel_en"_s, folders), installed);
    // A language from a hand-edited file never names a file elsewhere.
    QVERIFY(Translations::isLanguageName(u"fr_CA"_s) && !Translations::isLanguageName(u"../fr"_s));
}

VARNEL_WINDOW_TEST_MAIN(TestTranslations)
#include "tst_translations.moc"
