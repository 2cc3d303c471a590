#ifndef EXPORTCOMMAND_H
#define EXPORTCOMMAND_H

#include <QString>

#include <memory>

class QCoreApplication;
class QTextStream;

// Headless picture of a diagram for documentation builds:
//   varnel --export DIAGRAM.vnls --output FILE.png|svg|pdf
namespace ExportCommand {

// The option's name, as given on the command line.
inline constexpr char optionName[] = "--export";

// True when the arguments hold --export before any "--".
bool isRequested(int argc, char **argv);

// Drawing text needs a GUI application; it runs on the offscreen platform, so that no
// display is needed. Any other headless run keeps a plain core application.
std::unique_ptr<QCoreApplication> makeApplication(int &argc, char **argv);

// Writes the picture of the diagram to output, the format taken from its suffix.
// Returns the command line's exit code: 0 written, 1 unreadable diagram or failed
// write, 2 unknown suffix.
int run(const QString &diagramPath, const QString &output, QTextStream &out, QTextStream &err);

} // namespace ExportCommand

#endif // EXPORTCOMMAND_H
