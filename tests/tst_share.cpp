// The files a desktop reads besides the program: the launcher and the file type must pass
// the desktop's own tools, and diagrams must be recognised by name and by content.
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

const QString shareDir = QStringLiteral(VARNEL_SOURCE_DIR "/share");
const QString mimeFile = shareDir + QStringLiteral("/mime/packages/varnel.xml");

// Runs a desktop tool; its messages land in output. -1 when it is missing or crashed.
int run(const char *tool, const QStringList &arguments, QString *output)
{
    *output = QString::fromLatin1(tool) + QStringLiteral(" is missing: tools/dev.sh installs it");
    const QString path = QStandardPaths::findExecutable(QString::fromLatin1(tool));
    if (path.isEmpty())
        return -1;
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(path, arguments);
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit)
        return -1;
    *output = QString::fromLocal8Bit(process.readAll()).trimmed();
    return process.exitCode();
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace

class TestShare : public QObject
{
    Q_OBJECT

private slots:
    void launcherAndFileTypePassTheTools();
    void fileTypeRecognisesDiagrams();
    void iconsHaveTheirSizes();
    void shippedSettingsAreTheFirstStartDefaults();
};

void TestShare::launcherAndFileTypePassTheTools()
{
    QString output;
    const QString launcher = shareDir + QStringLiteral("/applications/varnel.desktop");
    QVERIFY2(run("desktop-file-validate", {launcher}, &output) == 0 && output.isEmpty(),
             qPrintable(output));
    QVERIFY2(run("xmllint", {QStringLiteral("--noout"), mimeFile}, &output) == 0
                 && output.isEmpty(),
             qPrintable(output));
    // The launcher opens diagrams of the type we install, with the icon we install.
    QFile file(launcher);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray text = file.readAll();
    for (const char *line :
         {"\nMimeType=application/x-varnel-diagram;", "\nExec=varnel %f", "\nIcon=varnel\n"})
        QVERIFY2(text.contains(line), line);
}

void TestShare::fileTypeRecognisesDiagrams()
{
    // Installed beside the desktop's own types in a private data folder, as a package
    // installs into /usr/share, and the only one this process sees.
    QTemporaryDir data;
    const QString packages = data.filePath(QStringLiteral("mime/packages"));
    QVERIFY(QDir().mkpath(packages));
    QVERIFY(QFile::copy(mimeFile, packages + QStringLiteral("/varnel.xml")));
    QVERIFY2(QFile::copy(QStringLiteral("/usr/share/mime/packages/freedesktop.org.xml"),
                         packages + QStringLiteral("/freedesktop.org.xml")),
             "shared-mime-info is missing: tools/dev.sh installs it");
    QString output;
    QVERIFY2(run("update-mime-database", {data.filePath(QStringLiteral("mime"))}, &output) == 0
                 && !output.contains(QLatin1String("rror")),
             qPrintable(output));
    qputenv("XDG_DATA_DIRS", QFile::encodeName(data.path()));
    qputenv("XDG_DATA_HOME", QFile::encodeName(data.filePath(QStringLiteral("none"))));

    const QByteArray diagram = "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n"
                               "<main name=\"Shapes\" >\n</main>\n";
    // Without its extension a diagram, sent by mail or renamed, is known by its content.
    QVERIFY(writeFile(data.filePath(QStringLiteral("shapes.vnls")), diagram));
    QVERIFY(writeFile(data.filePath(QStringLiteral("shapes")), diagram));
    QVERIFY(writeFile(data.filePath(QStringLiteral("other")),
                      "<?xml version=\"1.0\"?>\n<svg xmlns=\"http://www.w3.org/2000/svg\"/>\n"));
    const QMimeDatabase db;
    const QString type = QStringLiteral("application/x-varnel-diagram");
    QVERIFY(db.mimeTypeForName(type).inherits(QStringLiteral("application/xml")));
    QCOMPARE(db.mimeTypeForFile(data.filePath(QStringLiteral("shapes.vnls"))).name(), type);
    const auto byContent = [&](const char *name) {
        return db.mimeTypeForFile(data.filePath(QLatin1String(name)), QMimeDatabase::MatchContent)
            .name();
    };
    QCOMPARE(byContent("shapes"), type);
    QVERIFY(byContent("other") != type);
}

void TestShare::iconsHaveTheirSizes()
{
    for (int size : {16, 24, 32, 48, 64, 128, 256}) {
        const QString path =
            shareDir + QStringLiteral("/icons/hicolor/%1x%1/apps/varnel.png").arg(size);
        const QImage icon(path);
        QVERIFY2(icon.size() == QSize(size, size), qPrintable(path));
        // Drawn on transparency, and not blank.
        QCOMPARE(icon.pixelColor(0, 0).alpha(), 0);
        QVERIFY(icon.pixelColor(size / 2, size / 2).alpha() > 0);
    }
}

void TestShare::shippedSettingsAreTheFirstStartDefaults()
{
    Cfg shipped;
    QCOMPARE(shipped.readCfg(shareDir + QStringLiteral("/cfgs.xml")), Cfg::ReadOk);
    // What a first start without any file runs with, in French.
    Cfg defaults;
    defaults.setLanguage(QStringLiteral("fr"));
    defaults.setFont(QFont(QStringLiteral("Sans")));
    QCOMPARE(shipped.toBytes(), defaults.toBytes());
}

QTEST_GUILESS_MAIN(TestShare)
#include "tst_share.moc"
