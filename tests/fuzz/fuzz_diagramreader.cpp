// Feeds arbitrary bytes to the .vnls reader. Whatever it accepts must be writable,
// and what is written must read back to the very same bytes.
#include "canvas/classitem.h"
#include "canvas/link.h"
#include "persistence/diagramreader.h"
#include "persistence/diagramwriter.h"

#include "fuzzsupport.h"

#include <QByteArray>

#include <cstddef>
#include <cstdint>

namespace {

struct Taken
{
    QList<ClassItem *> classes;
    QList<Link *> links;
    explicit Taken(DiagramReader &reader)
        : classes(reader.takeClasses())
        , links(reader.takeLinks())
    {}
    ~Taken()
    {
        qDeleteAll(links);
        qDeleteAll(classes);
    }
};

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    FuzzSupport::startApplication();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray input(reinterpret_cast<const char *>(data), qsizetype(size));
    DiagramReader reader(nullptr);
    if (reader.readData(input) != DiagramReader::ReadOk)
        return 0;
    const Taken first(reader);
    const QByteArray written = DiagramWriter::toBytes(first.classes, first.links);

    if (reader.readData(written) != DiagramReader::ReadOk)
        FuzzSupport::fail("the reader refused what the writer wrote");
    if (reader.droppedLinks() != 0)
        FuzzSupport::fail("the writer wrote a link that the reader drops");
    const Taken second(reader);
    if (second.classes.size() != first.classes.size() || second.links.size() != first.links.size())
        FuzzSupport::fail("a written diagram read back with other counts");
    if (DiagramWriter::toBytes(second.classes, second.links) != written)
        FuzzSupport::fail("a written diagram read back differently");
    return 0;
}
