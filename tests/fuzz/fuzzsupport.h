#ifndef FUZZSUPPORT_H
#define FUZZSUPPORT_H

#include <QGuiApplication>

#include <cstdio>
#include <cstdlib>

namespace FuzzSupport {

// Fonts and graphics items want an application object; no display is needed.
inline void startApplication()
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "fuzz";
    static char *argv[] = {name, nullptr};
    static QGuiApplication app(argc, argv);
}

// A broken promise of the reader or the writer: libFuzzer keeps the input.
[[noreturn]] inline void fail(const char *what)
{
    std::fprintf(stderr, "fuzz check failed: %s\n", what);
    std::abort();
}

} // namespace FuzzSupport

#endif // FUZZSUPPORT_H
