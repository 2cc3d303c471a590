#include "codegen/commandline.h"

#include "canvas/classitem.h"
#include "canvas/diagramitems.h"
#include "canvas/link.h"
#include "codegen/codegenerator.h"
#include "export/exportcommand.h"
#include "mainwindow/startup.h"
#include "model/classmodel.h"
#include "persistence/diagramreader.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QTextStream>

#include <cstdlib>
#include <cstring>
#include <memory>

#if defined(__GLIBC__)
#include <malloc.h>
#include <sys/mman.h>
#include <unistd.h>
#endif

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
    static int readDiagram(const QString &path, const QFont *font, Diagram *diagram);

private:
    static int generate(const QCommandLineParser &parser, const Diagram &diagram);

    static QTextStream &out();
    static QTextStream &err();
};

// A large generation makes tens of megabytes of small allocations; on pages of 4 KiB the
// faults alone cost about as much as writing the files. The heap grows in one piece that
// is asked for large pages, as glibc's "malloc.hugetlb" setting would do.
void preferLargePages()
{
#if defined(__GLIBC__) && defined(MADV_HUGEPAGE)
    const int reserve = 256 << 20; // address space only: pages are taken as they are used
    mallopt(M_TOP_PAD, reserve);
    mallopt(M_TRIM_THRESHOLD, 2 * reserve);
    mallopt(M_MMAP_THRESHOLD, 64 << 20);
    const auto before = reinterpret_cast<quintptr>(sbrk(0));
    void *volatile grown = std::malloc(1 << 20); // volatile: the pair must not be elided
    std::free(grown);
    const auto after = reinterpret_cast<quintptr>(sbrk(0));
    const quintptr huge = quintptr(2) << 20;
    const quintptr from = (before + huge - 1) & ~(huge - 1);
    if (after > from)
        madvise(reinterpret_cast<void *>(from), after - from, MADV_HUGEPAGE);
#endif
}

} // namespace

bool isHeadless(int argc, char **argv)
{
    static const char *const options[] = {"--generate", "-g",     "--output",   "-o", "--class",
                                          "-c",         "--help", "--help-all", "-h", "-?",
                                          "--version",  "-v",     "--overwrite"};
    if (ExportCommand::isRequested(argc, argv))
        return true;
    // Anything that looks like an option goes to the parser, which names what it does not
    // know; only a lone "--" or a diagram path opens the window.
    if (argc > 1 && argv[1][0] == '-' && std::strcmp(argv[1], "--") != 0)
        return true;
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

QTextStream &Runner::out()
{
    static QTextStream stream(stdout);
    return stream;
}

QTextStream &Runner::err()
{
    static QTextStream stream(stderr);
    return stream;
}

int Runner::run(int argc, char **argv)
{
    const std::unique_ptr<QCoreApplication> app = ExportCommand::makeApplication(argc, argv);
    // The user's language applies here too, found as the window finds it.
    Startup::prepare();

    QTextStream &out = Runner::out();
    QTextStream &err = Runner::err();

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
    const QCommandLineOption overwriteOption(
        QStringLiteral("overwrite"),
        tr("Écrit des squelettes neufs sur les fichiers existants, sans garder le code "
           "écrit dans les fichiers source."));
    parser.addOption(generateOption);
    parser.addOption(outputOption);
    parser.addOption(classOption);
    const QCommandLineOption exportOption(
        QLatin1String(ExportCommand::optionName + 2),
        tr("Diagramme (.vnls) dont l'image est écrite dans le fichier --output, au format "
           "de son suffixe (.png, .svg ou .pdf)."),
        tr("diagramme"));
    parser.addOption(exportOption);
    parser.addOption(overwriteOption);

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
    if (parser.isSet(exportOption)) {
        const QStringList exports = parser.values(exportOption);
        const QStringList outputs = parser.values(outputOption);
        if (parser.isSet(generateOption) || parser.isSet(classOption) || exports.size() > 1
            || outputs.size() != 1) {
            err << tr("--export demande un diagramme et un seul fichier --output, sans "
                      "--generate ni --class.")
                << Qt::endl;
            return UsageError;
        }
        return ExportCommand::run(exports.constFirst(), outputs.constFirst(), out, err);
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

    // The process ends with the run, and the system takes the items back at once: freeing
    // them one by one would add nearly a tenth to a large generation. Kept reachable, so
    // that the leak checker does not count them.
    preferLargePages();
    static Diagram *const diagram = new Diagram;
    const int readFailure = readDiagram(generates.constFirst(), nullptr, diagram);
    if (readFailure >= 0)
        return readFailure;
    return generate(parser, *diagram);
}

int readDiagram(const QString &path, const QFont *font, DiagramItems *diagram)
{
    return Runner::readDiagram(path, font, diagram);
}

int Runner::readDiagram(const QString &path, const QFont *font, Diagram *diagram)
{
    DiagramReader reader(font);
    const DiagramReader::Status status = reader.readFile(path);
    diagram->classes = reader.takeClasses();
    diagram->links = reader.takeLinks();
    if (status == DiagramReader::CannotOpen) {
        err() << tr("Impossible d'ouvrir le fichier à cet emplacement :") << QLatin1Char(' ')
              << QDir::toNativeSeparators(path) << Qt::endl;
        return GenerationFailed;
    }
    if (status != DiagramReader::ReadOk) {
        err() << tr("Le fichier de sauvegarde a bien été ouvert mais il est impossible de le lire.")
              << QLatin1Char(' ') << QDir::toNativeSeparators(path) << Qt::endl;
        return GenerationFailed;
    }
    for (const DiagramReader::DroppedLink &link : reader.droppedLinkList()) {
        if (!link.sameClass)
            err() << tr("Lien ignoré, classe introuvable : ") << link.missing << Qt::endl;
    }
    return -1;
}

int Runner::generate(const QCommandLineParser &parser, const Diagram &diagram)
{
    QTextStream &err = Runner::err();
    const QString folder = parser.value(QStringLiteral("output"));
    bool ok = true;
    QList<ClassItem *> items;
    if (!parser.isSet(QStringLiteral("class"))) {
        items = diagram.classes;
    } else {
        QStringList missing;
        items = CodeGenerator::classesNamed(diagram.classes, parser.values(QStringLiteral("class")),
                                            &missing);
        for (const QString &name : std::as_const(missing))
            err << tr("Classe absente du diagramme : ") << name << Qt::endl;
        ok = missing.isEmpty();
    }

    if (!items.isEmpty() && !QDir().mkpath(folder)) {
        err << tr("Impossible de créer le dossier ") << QDir::toNativeSeparators(folder)
            << Qt::endl;
        return GenerationFailed;
    }

    CodeGenerator generator(diagram.links, diagram.classes);
    generator.setOverwrite(parser.isSet(QStringLiteral("overwrite")));
    generator.setProblemHandler([&err](CodeGenerator::Problem problem, const QString &name) {
        err << CodeGenerator::problemText(problem, name) << Qt::endl;
    });
    generator.setWrittenHandler([](const QString &path) { out() << path << '\n'; });
    int unchanged = 0;
    generator.setUnchangedHandler([&unchanged](const QString &) { ++unchanged; });
    if (items.isEmpty() && !parser.isSet(QStringLiteral("class")))
        err << tr("Aucune classe à générer.") << Qt::endl;
    if (!generator.generate(items, folder))
        ok = false;
    // Only the files written are listed, so that a build script can tell what changed.
    if (unchanged > 0)
        err << tr("Fichiers inchangés : %1").arg(unchanged) << Qt::endl;
    return ok ? Success : GenerationFailed;
}

} // namespace CommandLine
