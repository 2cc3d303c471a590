#include "persistence/filewriting.h"

#include <QFile>
#include <QSaveFile>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <functional>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool writeAll(int fd, const QByteArray &bytes)
{
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t written = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        done += written;
    }
    return true;
}

// A new file beside the target holding the bytes; its name, or empty when it failed.
QByteArray stage(const QByteArray &target, const QByteArray &bytes, unsigned permissions)
{
    static unsigned counter = 0;
    static const QByteArray process = QByteArray::number(::getpid());
    const int slash = int(target.lastIndexOf('/'));
    const QByteArray folder = target.left(slash + 1);
    const QByteArray name = target.mid(slash + 1);
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QByteArray path =
            folder + '.' + name + ".tmp" + process + '-' + QByteArray::number(counter++);
        const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno == EEXIST)
            continue;
        if (fd < 0)
            return QByteArray();
        const bool written =
            (permissions == 0 || ::fchmod(fd, mode_t(permissions)) == 0) && writeAll(fd, bytes);
        if (::close(fd) == 0 && written)
            return path;
        ::unlink(path.constData());
        return QByteArray();
    }
    return QByteArray();
}

// What read() tells, on a path already in the system's encoding; also whether nothing is
// there.
FileWriting::Existing readTarget(const QByteArray &target, const QByteArray &expected,
                                 bool *absent = nullptr)
{
    FileWriting::Existing existing;
    // Not blocking, so that a pipe of that name cannot stop the generation.
    const int fd = ::open(target.constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (absent)
        *absent = fd < 0 && errno == ENOENT;
    if (fd < 0)
        return existing;
    const auto readInto = [fd](char *to, qsizetype size) {
        qsizetype done = 0;
        while (done < size) {
            const ssize_t got = ::read(fd, to + done, size_t(size - done));
            if (got < 0 && errno == EINTR)
                continue;
            if (got <= 0)
                break;
            done += got;
        }
        return done;
    };
    // Most targets of a regeneration already hold the new text: one read tells, without
    // the cost of a stat per file. Whatever reads back as that text is left as it is.
    // A regular file gives all it holds up to the size asked for in one read.
    if (!expected.isEmpty()) {
        existing.bytes.resize(expected.size() + 1);
        ssize_t got = -1;
        do {
            got = ::read(fd, existing.bytes.data(), size_t(existing.bytes.size()));
        } while (got < 0 && errno == EINTR);
        if (got == expected.size()
            && std::memcmp(existing.bytes.constData(), expected.constData(), size_t(got)) == 0) {
            existing.bytes.resize(got);
            existing.regular = true;
            ::close(fd);
            return existing;
        }
    }
    struct stat info;
    if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode)) {
        // Read from the start again: what was read for the comparison may be only a part.
        const qsizetype size = qsizetype(info.st_size);
        existing.bytes.resize(size);
        existing.regular =
            ::lseek(fd, 0, SEEK_SET) == 0 && readInto(existing.bytes.data(), size) == size;
        existing.permissions = info.st_mode & 07777;
    }
    if (!existing.regular)
        existing.bytes.clear();
    ::close(fd);
    return existing;
}

} // namespace

namespace FileWriting {

bool save(const QString &path, const QByteArray &bytes)
{
    if (path.isEmpty())
        return false;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return false;
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

Existing read(const QString &path, const QByteArray &expected)
{
    return readTarget(QFile::encodeName(path), expected);
}

Existing readOrCreate(const QString &path, const QByteArray &bytes, bool probablyThere)
{
    const QByteArray target = QFile::encodeName(path);
    bool absent = true;
    if (probablyThere) {
        Existing existing = readTarget(target, bytes, &absent);
        if (!absent)
            return existing;
    }
    // Exclusive and not following links: whatever is there already, even a dangling link,
    // goes the way of a replacement.
    const int fd =
        ::open(target.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd < 0)
        return errno == EEXIST ? readTarget(target, bytes) : Existing();
    const bool written = writeAll(fd, bytes);
    if (::close(fd) == 0 && written) {
        Existing made;
        made.created = true;
        return made;
    }
    // Nothing half written stays; the replacement that follows meets the same fault and
    // reports it.
    ::unlink(target.constData());
    return Existing();
}

int replaceTogether(const QList<Replacement> &files)
{
    // An unchanged regeneration: every file already in place.
    if (std::none_of(files.cbegin(), files.cend(), std::mem_fn(&Replacement::toReplace)))
        return -1;
    QList<QByteArray> targets;
    QList<QByteArray> staged;
    for (const Replacement &file : files) {
        targets.append(QFile::encodeName(file.path));
        staged.append(QByteArray());
    }
    const auto discard = [&staged, &files, &targets]() {
        for (const QByteArray &path : std::as_const(staged)) {
            if (!path.isEmpty())
                ::unlink(path.constData());
        }
        for (int i = 0; i < files.size(); ++i) {
            if (files.at(i).existing.created)
                ::unlink(targets.at(i).constData());
        }
    };
    for (int i = 0; i < files.size(); ++i) {
        if (!files.at(i).toReplace())
            continue;
        staged[i] = stage(targets.at(i), files.at(i).bytes, files.at(i).existing.permissions);
        if (staged.at(i).isEmpty()) {
            discard();
            return i;
        }
    }
    for (int i = 0; i < files.size(); ++i) {
        if (staged.at(i).isEmpty())
            continue;
        if (::rename(staged.at(i).constData(), targets.at(i).constData()) == 0) {
            staged[i].clear();
            continue;
        }
        discard();
        // Put back what the files before this one replaced.
        for (int j = 0; j < i; ++j) {
            if (!files.at(j).toReplace())
                continue;
            if (!files.at(j).existing.regular) {
                ::unlink(targets.at(j).constData());
                continue;
            }
            const QByteArray back =
                stage(targets.at(j), files.at(j).existing.bytes, files.at(j).existing.permissions);
            if (!back.isEmpty() && ::rename(back.constData(), targets.at(j).constData()) != 0)
                ::unlink(back.constData());
        }
        return i;
    }
    return -1;
}

} // namespace FileWriting
