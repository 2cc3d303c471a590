// Feeds arbitrary bytes to the cfgs.xml reader. A file it accepts gives settings
// that write and read back unchanged.
#include "persistence/cfg.h"

#include "fuzzsupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray input(reinterpret_cast<const char *>(data), qsizetype(size));
    Cfg cfg;
    if (cfg.readCfgData(input) != Cfg::ReadOk)
        return 0;
    const QByteArray written = cfg.toBytes();
    Cfg again;
    if (again.readCfgData(written) != Cfg::ReadOk)
        FuzzSupport::fail("the reader refused what the writer wrote");
    if (again.toBytes() != written)
        FuzzSupport::fail("written settings read back differently");
    return 0;
}
