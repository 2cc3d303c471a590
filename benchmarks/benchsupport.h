#ifndef BENCHSUPPORT_H
#define BENCHSUPPORT_H

#include <QByteArray>
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

} // namespace BenchSupport

#endif // BENCHSUPPORT_H
