#include "export/exportcommand.h"

#include "canvas/diagramitems.h"
#include "codegen/commandline.h"
#include "export/diagramrenderer.h"
#include "persistence/cfg.h"

#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>
#include <QTextStream>

#include <cstring>

namespace ExportCommand {

namespace {

// Only so that the texts are translated under a context of their own.
class Texts
{
    Q_DECLARE_TR_FUNCTIONS(ExportCommand)
};

} // namespace

bool isRequested(int argc, char **argv)
{
    const size_t length = std::strlen(optionName);
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--") == 0)
            return false;
        if (std::strncmp(argv[i], optionName, length) == 0
            && (argv[i][length] == '\0' || argv[i][length] == '='))
            return true;
    }
    return false;
}

std::unique_ptr<QCoreApplication> makeApplication(int &argc, char **argv)
{
    if (!isRequested(argc, argv))
        return std::make_unique<QCoreApplication>(argc, argv);
    qputenv("QT_QPA_PLATFORM", "offscreen");
    return std::make_unique<QGuiApplication>(argc, argv);
}

int run(const QString &diagramPath, const QString &output, QTextStream &out, QTextStream &err)
{
    const DiagramRenderer::Format format = DiagramRenderer::formatOf(output);
    if (format == DiagramRenderer::Format::Unknown) {
        err << Texts::tr("Format d'image inconnu (.png, .svg ou .pdf attendu) : ")
            << QDir::toNativeSeparators(output) << Qt::endl;
        return CommandLine::UsageError;
    }

    // The boxes take the font of the user's settings, as in the window.
    Cfg cfg;
    cfg.readCfg();
    DiagramItems diagram;
    if (const int failed = CommandLine::readDiagram(diagramPath, cfg.font(), &diagram); failed >= 0)
        return failed;

    if (!DiagramRenderer(diagram.classes, diagram.links).write(output, format)) {
        err << Texts::tr("Impossible d'écrire l'image ") << QDir::toNativeSeparators(output)
            << Qt::endl;
        return CommandLine::GenerationFailed;
    }
    out << output << Qt::endl;
    return CommandLine::Success;
}

} // namespace ExportCommand
