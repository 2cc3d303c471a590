#ifndef BENCHSUPPORT_H
#define BENCHSUPPORT_H

#include "persistence/cfg.h"

#include <QByteArray>
#include <QDir>
#include <QFile>

namespace BenchSupport {

// A figure of /proc/self/status ("VmHWM:", "VmRSS:") in MiB; -1 where Linux does not say.
inline double statusMiB(const QByteArray &key)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith(key))
            return line.mid(key.size()).trimmed().split(' ').first().toDouble() / 1024.0;
    }
    return -1;
}

// Points the program at settings of its own in folder: no welcome window, no close
// question. False when they cannot be written.
inline bool useQuietSettings(const QString &folder)
{
    Cfg cfg;
    cfg.setWellWin(false);
    const QString cfgPath = QDir(folder).filePath(QStringLiteral("cfgs.xml"));
    if (cfg.writeCfg(cfgPath) != 0)
        return false;
    Cfg::setPathOverride(cfgPath);
    return true;
}

} // namespace BenchSupport

#endif // BENCHSUPPORT_H
