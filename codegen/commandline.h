#ifndef COMMANDLINE_H
#define COMMANDLINE_H

#include <QString>

class QFont;
struct DiagramItems;

// Headless code generation and pictures for build scripts:
//   varnel --generate DIAGRAM.vnls --output DIR [--class NAME]... [--overwrite]
//   varnel --export DIAGRAM.vnls --output FILE.png|svg|pdf
namespace CommandLine {

// Exit codes of run().
enum ExitCode {
    Success = 0,
    // The diagram could not be read, a named class is not in it, or a file was not written.
    GenerationFailed = 1,
    // The arguments themselves are wrong (unknown option, missing --output...).
    UsageError = 2,
};

// True when the arguments ask for work without a window (--generate, --output, --class,
// --export, --help, --version), or when the first one looks like an option (other than a
// lone "--"), so that a mistyped option is reported rather than opening a window. A lone
// diagram path is left to the window.
bool isHeadless(int argc, char **argv);
// Runs that work inside its own application and returns the exit code. No window is
// created, so it needs no display: a picture is drawn on the offscreen platform.
int run(int argc, char **argv);

// Reads the diagram of a headless run into diagram, its boxes measured with font (null
// where nothing is drawn). What went wrong and the links dropped go to the error
// output. Returns -1 when the diagram was read, else the exit code.
int readDiagram(const QString &path, const QFont *font, DiagramItems *diagram);

} // namespace CommandLine

#endif // COMMANDLINE_H
