#include "codegen/commandline.h"

#include "canvas/classitem.h"
#include "canvas/diagramitems.h"
#include "canvas/link.h"
#include "codegen/codegenerator.h"
#include "mainwindow/startup.h"
#include "model/classmodel.h"
#include "persistence/diagramreader.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QTextStream>

#include <cstring>

namespace CommandLine {

namespace {

// Owns what the reader built until the run ends.
using Diagram = DiagramItems;

// One headless run. A class only so that its texts are translated, like those of the
// windows, under a context of their own.
class Runner
{
    Q_DECLARE_TR_FUNCTIONS(CommandLine)

public:
    static int run(int argc, char **argv);
};

} // namespace

bool isHeadless(int argc, char **argv)
{
    static const char *const options[] = {"--generate", "-g", "--output",  "-o",
                                          "--class",    "-c", "--help",    "--help-all",
                                          "-h",         "-?", "--version", "-v"};
    for (int i = 1; i < argc; ++i) {
        const char *arg = argv[i];
        if (std::strcmp(arg, "--") == 0)
            return false;
        for (const char *option : options) {
            const size_t length = std::strlen(option);
            if (std::strncmp(arg, option, length) == 0
                && (arg[length] == '\0' || arg[length] == '='))
                return true;
        }
    }
    return false;
}

int run(int argc, char **argv)
{
    return Runner::run(argc, argv);
}

int Runner::run(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    // The user's language applies here too, found as the window finds it.
    Startup::prepare();

    QTextStream out(stdout);
    QTextStream err(stderr);

    QCommandLineParser parser;
    parser.setApplicationDescription(
        tr("Génère l'en-tête et le fichier source C++ des classes d'un diagramme Varnel.")
        + QLatin1Char('\n')
        + tr("Lancé avec un seul fichier et sans option, varnel ouvre ce diagramme dans sa "
             "fenêtre."));
    const QCommandLineOption helpOption = parser.addHelpOption();
    const QCommandLineOption versionOption = parser.addVersionOption();
    const QCommandLineOption generateOption({QStringLiteral("g"), QStringLiteral("generate")},
                                            tr("Diagramme (.vnls) dont les classes sont générées."),
                                            tr("diagramme"));
    const QCommandLineOption outputOption({QStringLiteral("o"), QStringLiteral("output")},
                                          tr("Dossier où les fichiers sont écrits."),
                                          tr("dossier"));
    const QCommandLineOption classOption(
        {QStringLiteral("c"), QStringLiteral("class")},
        tr("Classe à générer (répétable) ; toutes les classes sans cette option."), tr("nom"));
    parser.addOption(generateOption);
    parser.addOption(outputOption);
    parser.addOption(classOption);

    if (!parser.parse(QCoreApplication::arguments())) {
        err << parser.errorText() << Qt::endl;
        return UsageError;
    }
    if (parser.isSet(helpOption) || parser.isSet(QStringLiteral("help-all"))) {
        out << parser.helpText();
        return Success;
    }
    if (parser.isSet(versionOption)) {
        out << QCoreApplication::applicationName() << QLatin1Char(' ')
            << QCoreApplication::applicationVersion() << Qt::endl;
        return Success;
    }
    if (!parser.positionalArguments().isEmpty()) {
        err << tr("Argument inattendu : ") << parser.positionalArguments().constFirst() << Qt::endl;
        return UsageError;
    }
    if (!parser.isSet(generateOption)) {
        err << tr("L'option --generate est manquante.") << Qt::endl;
        return UsageError;
    }
    if (!parser.isSet(outputOption)) {
        err << tr("L'option --output est manquante.") << Qt::endl;
        return UsageError;
    }
    const QStringList generates = parser.values(generateOption);
    const QStringList outputs = parser.values(outputOption);
    if (generates.size() > 1 || outputs.size() > 1) {
        err << tr("Un seul diagramme et un seul dossier de destination sont admis.") << Qt::endl;
        return UsageError;
    }
    const QString diagramPath = generates.constFirst();
    const QString folder = outputs.constFirst();

    // Nothing here is drawn: the boxes get no font.
    DiagramReader reader(nullptr);
    const DiagramReader::Status status = reader.readFile(diagramPath);
    Diagram diagram;
    diagram.classes = reader.takeClasses();
    diagram.links = reader.takeLinks();
    if (status == DiagramReader::CannotOpen) {
        err << tr("Impossible d'ouvrir le fichier à cet emplacement :") << QLatin1Char(' ')
            << QDir::toNativeSeparators(diagramPath) << Qt::endl;
        return GenerationFailed;
    }
    if (status != DiagramReader::ReadOk) {
        err << tr("Le fichier de sauvegarde a bien été ouvert mais il est impossible de le lire.")
            << QLatin1Char(' ') << QDir::toNativeSeparators(diagramPath) << Qt::endl;
        return GenerationFailed;
    }
    for (const DiagramReader::DroppedLink &link : reader.droppedLinkList()) {
        if (!link.sameClass)
            err << tr("Lien ignoré, classe introuvable : ") << link.missing << Qt::endl;
    }

    bool ok = true;
    QList<ClassItem *> items;
    if (!parser.isSet(classOption)) {
        items = diagram.classes;
    } else {
        QStringList seen;
        for (const QString &name : parser.values(classOption)) {
            if (seen.contains(name))
                continue;
            seen.append(name);
            bool found = false;
            for (ClassItem *item : std::as_const(diagram.classes)) {
                if (item->getModel()->name() == name) {
                    items.append(item);
                    found = true;
                }
            }
            if (!found) {
                err << tr("Classe absente du diagramme : ") << name << Qt::endl;
                ok = false;
            }
        }
    }

    if (!items.isEmpty() && !QDir().mkpath(folder)) {
        err << tr("Impossible de créer le dossier ") << QDir::toNativeSeparators(folder)
            << Qt::endl;
        return GenerationFailed;
    }

    CodeGenerator generator(diagram.links);
    generator.setProblemHandler([&err](CodeGenerator::Problem problem, const QString &name) {
        switch (problem) {
        case CodeGenerator::Problem::InvalidName:
            err << tr("Nom de classe invalide pour un fichier : ") << name;
            break;
        case CodeGenerator::Problem::CannotWriteSource:
            err << tr("Impossible de créer le fichier ") << name << QStringLiteral(".cpp");
            break;
        case CodeGenerator::Problem::CannotWriteHeader:
            err << tr("Impossible de créer le fichier ") << name << QStringLiteral(".h");
            break;
        }
        err << Qt::endl;
    });
    generator.setWrittenHandler([&out](const QString &path) { out << path << '\n'; });
    if (items.isEmpty() && !parser.isSet(classOption))
        err << tr("Aucune classe à générer.") << Qt::endl;
    if (!generator.generate(items, folder))
        ok = false;
    return ok ? Success : GenerationFailed;
}

} // namespace CommandLine
