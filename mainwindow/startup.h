#ifndef STARTUP_H
#define STARTUP_H

// What the window and the command line both do before any other work.
namespace Startup {

// Names the application, then installs the translators of the user's language. The
// names come first: the user's configuration folder, where an installed copy keeps
// cfgs.xml, is derived from them.
void prepare();

} // namespace Startup

#endif // STARTUP_H
