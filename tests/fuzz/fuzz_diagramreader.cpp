// Feeds arbitrary bytes to the .vnls reader. Whatever it accepts must be writable,
// and what is written must read back to the very same bytes.
#include "persistence/diagramwriter.h"

#include "fuzzsupport.h"

// What a read built, written out and deleted; the counts in front of the bytes.
static QByteArray takeWritten(DiagramReader &reader)
{
    const QList<ClassItem *> classes = reader.takeClasses();
    const QList<Link *> links = reader.takeLinks();
    const QByteArray written = QByteArray::number(classes.size()) + ' '
                               + QByteArray::number(links.size()) + '\n'
                               + DiagramWriter::toBytes(classes, links);
    qDeleteAll(links);
    qDeleteAll(classes);
    return written;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray input(reinterpret_cast<const char *>(data), qsizetype(size));
    DiagramReader reader(nullptr);
    if (reader.readData(input) != DiagramReader::ReadOk)
        return 0;
    const QByteArray written = takeWritten(reader);
    if (reader.readData(written.mid(written.indexOf('\n') + 1)) != DiagramReader::ReadOk)
        FuzzSupport::fail("the reader refused what the writer wrote");
    if (reader.droppedLinks() != 0)
        FuzzSupport::fail("the writer wrote a link that the reader drops");
    if (takeWritten(reader) != written)
        FuzzSupport::fail("a written diagram read back differently");
    return 0;
}
