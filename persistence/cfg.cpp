#include "persistence/cfg.h"

#include "persistence/filewriting.h"
#include "persistence/xmllimits.h"
#include "persistence/xmlwriter.h"

#include <QCoreApplication>
#include <QDir>
#include <QDomDocument>
#include <QDomElement>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

const char fileNameText[] = "cfgs.xml";

QString &pathOverride()
{
    static QString path;
    return path;
}

QString besideExecutable()
{
    return QDir::toNativeSeparators(QCoreApplication::applicationDirPath() + QLatin1Char('/')
                                    + QLatin1String(fileNameText));
}

// The settings an installed copy ships with, read until the user applies his own.
QString installedDefaults()
{
    return QDir::toNativeSeparators(QDir::cleanPath(
        QCoreApplication::applicationDirPath() + QLatin1Char('/')
        + QLatin1String(VARNEL_DATA_FROM_BINDIR) + QLatin1Char('/') + QLatin1String(fileNameText)));
}

QString userConfigFile()
{
    const QString dir = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    return QDir::toNativeSeparators(dir + QLatin1Char('/') + QLatin1String(fileNameText));
}

bool executableFolderWritable()
{
    // The file is replaced through a temporary file beside it, so a writable file in a
    // read-only folder cannot be written either.
    const QFileInfo file(besideExecutable());
    return QFileInfo(QCoreApplication::applicationDirPath()).isWritable()
           && (!file.exists() || file.isWritable());
}

QString boolText(bool value)
{
    return value ? QStringLiteral("true") : QStringLiteral("false");
}

bool readBool(const QDomElement &element, const QString &name)
{
    return element.attribute(name) == QLatin1String("true");
}

int readInt(const QDomElement &element, const QString &name)
{
    bool ok = false;
    const int value = element.attribute(name).toInt(&ok, 10);
    return ok ? value : 0;
}

// The settings are a few hundred bytes; a pipe, a device or a huge file is no
// settings file, and reading some of them never ends.
Cfg::ReadStatus readBounded(const QString &path, QByteArray *data)
{
    if (!QFileInfo(path).isFile())
        return Cfg::CannotOpen;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Cfg::CannotOpen;
    if (file.size() > Cfg::maxFileSize)
        return Cfg::CannotParse;
    *data = file.read(file.size() + 1);
    if (file.error() != QFileDevice::NoError)
        return Cfg::CannotOpen;
    return data->size() > Cfg::maxFileSize ? Cfg::CannotParse : Cfg::ReadOk;
}

bool parse(const QByteArray &data, QDomDocument *doc)
{
    // QDom takes time growing with the square of the nesting depth and frees its tree
    // recursively: a hostile file must not reach it.
    return XmlLimits::withinLimits(data) && bool(doc->setContent(data));
}

} // namespace

Cfg::Cfg() = default;

void Cfg::setPathOverride(const QString &path)
{
    pathOverride() = path;
}

QString Cfg::readPath()
{
    if (!pathOverride().isEmpty())
        return pathOverride();
    if (executableFolderWritable())
        return besideExecutable();
    const QString user = userConfigFile();
    if (QFileInfo::exists(user))
        return user;
    const QString beside = besideExecutable();
    return QFileInfo::exists(beside) ? beside : installedDefaults();
}

QString Cfg::writePath()
{
    if (!pathOverride().isEmpty())
        return pathOverride();
    return executableFolderWritable() ? besideExecutable() : userConfigFile();
}

QByteArray Cfg::toBytes() const
{
    QDomDocument doc;
    QDomElement root = doc.createElement(QStringLiteral("cfgs"));
    root.setAttribute(QStringLiteral("prefixe"), m_prefixe);
    root.setAttribute(QStringLiteral("font"), m_font.family());
    root.setAttribute(QStringLiteral("actionBar"), boolText(m_actionBar));
    root.setAttribute(QStringLiteral("itemBar"), boolText(m_itemBar));
    root.setAttribute(QStringLiteral("actionBarIconSize"), QString::number(m_actionBarIconSize));
    root.setAttribute(QStringLiteral("itemBarIconSize"), QString::number(m_itemBarIconSize));
    root.setAttribute(QStringLiteral("autoSave"), boolText(m_autoSave));
    root.setAttribute(QStringLiteral("askForClose"), boolText(m_askForClose));
    root.setAttribute(QStringLiteral("autoAddSetGetFct"), boolText(m_autoAddSetGetFct));
    root.setAttribute(QStringLiteral("wellWin"), boolText(m_wellWin));
    root.setAttribute(QStringLiteral("language"), m_language);
    doc.appendChild(root);

    const XmlWriter writer(
        {{QStringLiteral("cfgs"),
          {QStringLiteral("prefixe"), QStringLiteral("font"), QStringLiteral("actionBar"),
           QStringLiteral("itemBar"), QStringLiteral("actionBarIconSize"),
           QStringLiteral("itemBarIconSize"), QStringLiteral("autoSave"),
           QStringLiteral("askForClose"), QStringLiteral("autoAddSetGetFct"),
           QStringLiteral("wellWin"), QStringLiteral("language")}}});
    return writer.toLatin1(doc);
}

int Cfg::writeCfg() const
{
    return writeCfg(writePath());
}

int Cfg::writeCfg(const QString &path) const
{
    const QFileInfo info(path);
    if (!info.dir().exists())
        QDir().mkpath(info.absolutePath());
    return FileWriting::save(path, toBytes()) ? 0 : 1;
}

Cfg::ReadStatus Cfg::readCfg()
{
    return readCfg(readPath());
}

Cfg::ReadStatus Cfg::readCfg(const QString &path)
{
    QByteArray data;
    const ReadStatus status = readBounded(path, &data);
    return status == ReadOk ? readCfgData(data) : status;
}

Cfg::ReadStatus Cfg::readCfgData(const QByteArray &data)
{
    QDomDocument doc;
    if (!parse(data, &doc))
        return CannotParse;

    const QDomElement root = doc.firstChildElement();
    m_actionBar = readBool(root, QStringLiteral("actionBar"));
    m_itemBar = readBool(root, QStringLiteral("itemBar"));
    m_autoSave = readBool(root, QStringLiteral("autoSave"));
    m_askForClose = readBool(root, QStringLiteral("askForClose"));
    m_autoAddSetGetFct = readBool(root, QStringLiteral("autoAddSetGetFct"));
    m_wellWin = readBool(root, QStringLiteral("wellWin"));
    m_actionBarIconSize = readInt(root, QStringLiteral("actionBarIconSize"));
    m_itemBarIconSize = readInt(root, QStringLiteral("itemBarIconSize"));
    m_prefixe = root.attribute(QStringLiteral("prefixe"));
    m_font = QFont(root.attribute(QStringLiteral("font")));
    m_language = root.attribute(QStringLiteral("language"));
    return ReadOk;
}

QString Cfg::readLanguage(const QString &path)
{
    QByteArray data;
    QDomDocument doc;
    if (readBounded(path, &data) != ReadOk || !parse(data, &doc))
        return QString();
    return doc.firstChildElement().attribute(QStringLiteral("language"));
}

int Cfg::usableIconSize(int size)
{
    return size >= 8 && size <= 512 ? size : 64;
}
