#include "codegen/commandline.h"

namespace CommandLine {

bool isHeadless(int, char **)
{
    return false;
}

int run(int, char **)
{
    return 0;
}

} // namespace CommandLine
