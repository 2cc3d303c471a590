// Feeds arbitrary bytes to the diagram reader's own XML scanner: wherever it reaches the
// end of a document, Qt's reader must accept the document and see the same elements.
#include "testsupport/xmlevents.h"

#include "fuzzsupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray input(reinterpret_cast<const char *>(data), qsizetype(size));
    QString scanned;
    if (!XmlEvents::scanned(input, &scanned))
        return 0;
    QString streamed;
    if (!XmlEvents::streamed(input, &streamed))
        FuzzSupport::fail("the scanner accepted a document that Qt's reader refuses");
    if (scanned != streamed)
        FuzzSupport::fail("the scanner saw other elements than Qt's reader");
    return 0;
}
