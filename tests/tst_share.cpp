// The files a desktop reads besides the program: the launcher must pass the desktop's own
// validator, and the file type must be recognised by name and by content once installed.
#include "persistence/cfg.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QMimeDatabase>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QString shareDir()
{
    return QStringLiteral(VARNEL_SOURCE_DIR "/share");
}

// Runs a tool and returns its exit code; stderr and stdout land in `output`.
int runTool(const QString &program, const QStringList &arguments, QString *output,
            const QProcessEnvironment &env = QProcessEnvironment::systemEnvironment())
{
    QProcess process;
    process.setProcessEnvironment(env);
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    if (!process.waitForFinished(60000))
        return -1;
    *output = QString::fromLocal8Bit(process.readAll());
    return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
}

QString requireTool(const char *name)
{
    const QString path = QStandardPaths::findExecutable(QString::fromLatin1(name));
    if (path.isEmpty())
        qWarning("%s is missing: install it (tools/dev.sh test does)", name);
    return path;
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

} // namespace

class TestShare : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void launcherPassesTheValidator();
    void fileTypeIsWellFormed();
    void fileTypeRecognisesDiagrams();
    void iconsHaveTheirSizes();
    void shippedSettingsAreTheFirstStartDefaults();

private:
    QTemporaryDir dataHome;
};

void TestShare::initTestCase()
{
    QVERIFY(dataHome.isValid());
    // Install the file type beside the desktop's own types into a private data folder, as
    // a package install into /usr/share does, and let this process see only that folder.
    const QString packages = dataHome.filePath(QStringLiteral("mime/packages"));
    QVERIFY(QDir().mkpath(packages));
    QVERIFY(QFile::copy(shareDir() + QStringLiteral("/mime/packages/varnel.xml"),
                        packages + QStringLiteral("/varnel.xml")));
    const QString system = QStringLiteral("/usr/share/mime/packages/freedesktop.org.xml");
    QVERIFY2(QFile::copy(system, packages + QStringLiteral("/freedesktop.org.xml")),
             "shared-mime-info is missing: install it (tools/dev.sh test does)");
    const QString updater = requireTool("update-mime-database");
    QVERIFY(!updater.isEmpty());
    QString output;
    QCOMPARE(runTool(updater, {dataHome.filePath(QStringLiteral("mime"))}, &output), 0);
    QVERIFY2(!output.contains(QLatin1String("rror")), qPrintable(output));
    qputenv("XDG_DATA_DIRS", QFile::encodeName(dataHome.path()));
    qputenv("XDG_DATA_HOME", QFile::encodeName(dataHome.filePath(QStringLiteral("none"))));
}

void TestShare::launcherPassesTheValidator()
{
    const QString validator = requireTool("desktop-file-validate");
    QVERIFY(!validator.isEmpty());
    QString output;
    const int code =
        runTool(validator, {shareDir() + QStringLiteral("/applications/varnel.desktop")}, &output);
    QVERIFY2(code == 0 && output.trimmed().isEmpty(), qPrintable(output));

    // The launcher must open diagrams of the type we install, with the icon we install.
    QFile launcher(shareDir() + QStringLiteral("/applications/varnel.desktop"));
    QVERIFY(launcher.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(launcher.readAll());
    QVERIFY(text.contains(QLatin1String("\nMimeType=application/x-varnel-diagram;")));
    QVERIFY(text.contains(QLatin1String("\nExec=varnel %f")));
    QVERIFY(text.contains(QLatin1String("\nIcon=varnel\n")));
}

void TestShare::fileTypeIsWellFormed()
{
    const QString xmllint = requireTool("xmllint");
    QVERIFY(!xmllint.isEmpty());
    QString output;
    QCOMPARE(runTool(xmllint,
                     {QStringLiteral("--noout"),
                      shareDir() + QStringLiteral("/mime/packages/varnel.xml")},
                     &output),
             0);
    QVERIFY2(output.trimmed().isEmpty(), qPrintable(output));
}

void TestShare::fileTypeRecognisesDiagrams()
{
    QTemporaryDir files;
    QVERIFY(files.isValid());
    const QByteArray diagram = "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n"
                               "<main name=\"Shapes\" >\n</main>\n";
    writeFile(files.filePath(QStringLiteral("shapes.vnls")), diagram);
    // No extension: a diagram sent by mail or renamed is still known by its content.
    writeFile(files.filePath(QStringLiteral("shapes")), diagram);
    writeFile(files.filePath(QStringLiteral("other")),
              "<?xml version=\"1.0\"?>\n<svg xmlns=\"http://www.w3.org/2000/svg\"/>\n");

    const QMimeDatabase db;
    const QString type = QStringLiteral("application/x-varnel-diagram");
    QVERIFY(db.mimeTypeForName(type).isValid());
    QCOMPARE(db.mimeTypeForFile(files.filePath(QStringLiteral("shapes.vnls"))).name(), type);
    QCOMPARE(
        db.mimeTypeForFile(files.filePath(QStringLiteral("shapes")), QMimeDatabase::MatchContent)
            .name(),
        type);
    QVERIFY(db.mimeTypeForFile(files.filePath(QStringLiteral("other")), QMimeDatabase::MatchContent)
                .name()
            != type);
    QVERIFY(db.mimeTypeForName(type).inherits(QStringLiteral("application/xml")));
}

void TestShare::iconsHaveTheirSizes()
{
    for (int size : {16, 24, 32, 48, 64, 128, 256}) {
        const QString path =
            shareDir() + QStringLiteral("/icons/hicolor/%1x%1/apps/varnel.png").arg(size);
        const QImage icon(path);
        QVERIFY2(!icon.isNull(), qPrintable(path));
        QCOMPARE(icon.size(), QSize(size, size));
        // A launcher icon is drawn on transparency and is not blank.
        QCOMPARE(icon.pixelColor(0, 0).alpha(), 0);
        QVERIFY(icon.pixelColor(size / 2, size / 2).alpha() > 0);
    }
}

void TestShare::shippedSettingsAreTheFirstStartDefaults()
{
    Cfg shipped;
    QCOMPARE(shipped.readCfg(shareDir() + QStringLiteral("/cfgs.xml")), Cfg::ReadOk);
    // What a first start without any file runs with, in French.
    Cfg defaults;
    defaults.setLanguage(QStringLiteral("fr"));
    defaults.setFont(QFont(QStringLiteral("Sans")));
    QCOMPARE(shipped.toBytes(), defaults.toBytes());
}

QTEST_GUILESS_MAIN(TestShare)
#include "tst_share.moc"
