#ifndef STARTUP_H
#define STARTUP_H

// What the window and the command line both do before any other work.
namespace Startup {

// Names the application, then installs the translators of the user's language. The
// names come first: the user's configuration folder, where an installed copy keeps
// cfgs.xml, is derived from them.
void prepare();

// A write beyond the file size limit (a full quota) must fail like any other write,
// with its error shown, rather than kill the program and the unsaved diagram with it.
void ignoreFileSizeSignal();

} // namespace Startup

#endif // STARTUP_H
