#ifndef COMMANDLINE_H
#define COMMANDLINE_H

// Headless code generation for build scripts: varnel --generate FILE --output DIR.
namespace CommandLine {

// True when the arguments ask for work without a window (--generate, --help, --version).
bool isHeadless(int argc, char **argv);
// Runs that work inside its own QCoreApplication and returns the exit code.
int run(int argc, char **argv);

} // namespace CommandLine

#endif // COMMANDLINE_H
