// The files a desktop reads besides the program: launcher, file type, shipped settings.
#include "persistence/cfg.h"

#include <QDir>
#include <QMimeDatabase>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QString shareDir = QStringLiteral(VARNEL_SOURCE_DIR "/share");

// Runs a desktop tool: what it said, or why it did not succeed (tools/dev.sh installs them).
QByteArray complaint(const char *tool, const QStringList &arguments)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(QStandardPaths::findExecutable(QString::fromLatin1(tool)), arguments);
    const bool ran = process.waitForFinished(60000) && process.exitStatus() == QProcess::NormalExit;
    return ran && process.exitCode() == 0 ? process.readAll()
                                          : tool + (" failed " + process.readAll());
}

} // namespace

class TestShare : public QObject
{
    Q_OBJECT

private slots:
    void desktopFilesPassTheToolsAndDiagramsAreRecognised();
    void shippedSettingsAreTheFirstStartDefaults();
};

void TestShare::desktopFilesPassTheToolsAndDiagramsAreRecognised()
{
    const QString mime = shareDir + QStringLiteral("/mime/packages/varnel.xml");
    const QByteArray fault = complaint("desktop-file-validate",
                                       {shareDir + QStringLiteral("/applications/varnel.desktop")})
                             + complaint("xmllint", {QStringLiteral("--noout"), mime});
    QVERIFY2(fault.isEmpty(), fault.constData());
    // Installed with the desktop's own types into a private data folder, the only one seen.
    QTemporaryDir data;
    const QString packages = data.filePath(QStringLiteral("mime/packages/"));
    QVERIFY(QDir().mkpath(packages) && QFile::copy(mime, packages + QStringLiteral("varnel.xml"))
            && QFile::copy(QStringLiteral("/usr/share/mime/packages/freedesktop.org.xml"),
                           packages + QStringLiteral("freedesktop.org.xml")));
    const auto out = complaint("update-mime-database", {data.filePath(QStringLiteral("mime"))});
    QVERIFY2(!out.contains("rror") && !out.contains("failed"), out.constData());
    qputenv("XDG_DATA_DIRS", QFile::encodeName(data.path()));
    qputenv("XDG_DATA_HOME", QFile::encodeName(data.filePath(QStringLiteral("none"))));
    // Without its extension, sent by mail or renamed, a diagram is known by its content.
    const QMimeDatabase db;
    const auto typeOf = [&](const QByteArray &content) {
        QFile file(data.filePath(QStringLiteral("renamed")));
        if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size())
            return QStringLiteral("unwritten");
        file.close();
        return db.mimeTypeForFile(file.fileName(), QMimeDatabase::MatchContent).name();
    };
    const QString type = QStringLiteral("application/x-varnel-diagram");
    QCOMPARE(typeOf("<?xml version='1.0'?>\n<main name=\"S\" >\n</main>\n"), type);
    QCOMPARE(typeOf("<?xml version='1.0'?>\n<svg xmlns=\"http://www.w3.org/2000/svg\"/>\n"),
             QStringLiteral("image/svg+xml"));
}

void TestShare::shippedSettingsAreTheFirstStartDefaults()
{
    Cfg shipped;
    QCOMPARE(shipped.readCfg(shareDir + QStringLiteral("/cfgs.xml")), Cfg::ReadOk);
    Cfg defaults; // what a first start without any file runs with, in French
    defaults.setLanguage(QStringLiteral("fr"));
    defaults.setFont(QFont(QStringLiteral("Sans")));
    QCOMPARE(shipped.toBytes(), defaults.toBytes());
}

QTEST_GUILESS_MAIN(TestShare)
#include "tst_share.moc"
