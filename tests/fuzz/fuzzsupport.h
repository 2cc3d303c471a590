#ifndef FUZZSUPPORT_H
#define FUZZSUPPORT_H

// Included by the one source file of each fuzzer.
#include "canvas/classitem.h"
#include "canvas/link.h"
#include "persistence/diagramreader.h"

#include <QGuiApplication>

#include <cstdio>
#include <cstdlib>

// Fonts and graphics items want an application object; no display is needed.
extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "fuzz";
    static char *argv[] = {name, nullptr};
    static QGuiApplication app(argc, argv);
    return 0;
}

namespace FuzzSupport {

// A broken promise of the reader or the writer: libFuzzer keeps the input.
[[noreturn]] inline void fail(const char *what)
{
    std::fprintf(stderr, "fuzz check failed: %s\n", what);
    std::abort();
}

inline void discard(DiagramReader &reader)
{
    qDeleteAll(reader.takeLinks());
    qDeleteAll(reader.takeClasses());
}

} // namespace FuzzSupport

#endif // FUZZSUPPORT_H
