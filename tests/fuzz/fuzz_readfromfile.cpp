// Feeds arbitrary bytes to both readers through the file system, so that what surrounds
// the parsers (the kind of file, its size, how it is read) is fuzzed too. The first byte
// picks what the path is: a regular file, a link to one, a named pipe or a folder; the
// rest is the file's content. A file must read as its bytes do; anything else cannot
// be opened, and never blocks.
#include "persistence/cfg.h"

#include "fuzzsupport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <sys/stat.h>

enum Kind { Regular, SymbolicLink, Pipe, Folder, Kinds };

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    const Kind kind = Kind(data[0] % Kinds);
    const QByteArray content(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1));
    QTemporaryDir dir;
    const QString target = dir.filePath(QStringLiteral("target"));
    const QString path = dir.filePath(QStringLiteral("input"));
    QFile file(kind == SymbolicLink ? target : path);
    if (kind == Regular || kind == SymbolicLink) {
        if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size())
            return 0;
        file.close();
    }
    if ((kind == SymbolicLink && !QFile::link(target, path))
        || (kind == Pipe && ::mkfifo(QFile::encodeName(path), 0600) != 0)
        || (kind == Folder && !QDir().mkdir(path)))
        return 0;
    const bool isFile = kind == Regular || kind == SymbolicLink;

    DiagramReader reader(nullptr);
    const DiagramReader::Status fromFile = reader.readFile(path);
    FuzzSupport::discard(reader);
    const DiagramReader::Status fromBytes =
        isFile ? reader.readData(content) : DiagramReader::CannotOpen;
    FuzzSupport::discard(reader);
    if (fromFile != fromBytes)
        FuzzSupport::fail("a diagram file read otherwise than its bytes");

    Cfg cfg;
    const Cfg::ReadStatus cfgFromFile = cfg.readCfg(path);
    const Cfg::ReadStatus cfgFromBytes = !isFile ? Cfg::CannotOpen
                                         : content.size() > Cfg::maxFileSize
                                             ? Cfg::CannotParse
                                             : Cfg().readCfgData(content);
    if (cfgFromFile != cfgFromBytes)
        FuzzSupport::fail("a settings file read otherwise than its bytes");
    if (isFile
        && Cfg::readLanguage(path) != (cfgFromFile == Cfg::ReadOk ? cfg.language() : QString()))
        FuzzSupport::fail("the language read alone differs from the settings'");
    return 0;
}
