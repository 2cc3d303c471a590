// Times saving and loading of large synthetic diagrams and reports peak memory, with
// xmllint's parse of the same file as a yardstick.
//
//   diagrambench [CLASSES...]      default: 1000 5000
#include "benchmarks/benchsupport.h"
#include "canvas/classitem.h"
#include "canvas/diagramitems.h"
#include "canvas/link.h"
#include "mainwindow/mainwindow.h"
#include "model/argatt.h"
#include "model/classmodel.h"
#include "model/function.h"
#include "model/linkmodel.h"
#include "persistence/diagramreader.h"
#include "persistence/diagramwriter.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>

namespace {

constexpr int runs = 5;

using Diagram = DiagramItems;

ArgAtt *attribute(const QString &name, const QString &type, int range)
{
    return new ArgAtt(name, type, QString(), range);
}

// Each class: five attributes, five methods (two of them accessors of the first
// attribute), and one link to the next class, of the three kinds in turn.
void generate(int count, Diagram *diagram)
{
    const QStringList types = {QStringLiteral("int"), QStringLiteral("double"),
                               QStringLiteral("QString"), QStringLiteral("QList<Item*>"),
                               QStringLiteral("const Point&")};
    for (int i = 0; i < count; ++i) {
        auto *item = new ClassItem(nullptr);
        ClassModel *model = item->getModel();
        model->setName(QStringLiteral("Class%1").arg(i));
        model->setComment(QStringLiteral("Synthetic class number %1.\nSecond line.").arg(i));
        model->setIncludes({QStringLiteral("QString"), QStringLiteral("QList")});
        for (int a = 0; a < 5; ++a)
            model->addAttribute(attribute(QStringLiteral("m_value%1").arg(a), types.at(a), a % 2));
        ArgAtt *first = model->attributes().constFirst();
        auto *setter =
            new Function(QStringLiteral("setValue0"), QStringLiteral("void"), ArgAtt::Setter,
                         {attribute(QStringLiteral("value0"), types.at(0), 2)});
        setter->setLinkedAtt(first);
        auto *getter = new Function(QStringLiteral("getValue0"), types.at(0), ArgAtt::Getter, {});
        getter->setLinkedAtt(first);
        model->addMethod(setter);
        model->addMethod(getter);
        for (int m = 0; m < 3; ++m)
            model->addMethod(new Function(QStringLiteral("operation%1").arg(m), types.at(m), m,
                                          {attribute(QStringLiteral("a"), types.at(m + 1), 2),
                                           attribute(QStringLiteral("b"), types.at(m + 2), 2)}));
        model->updateSize();
        item->setPos(40 + (i % 50) * 400, 40 + (i / 50) * 300.5);
        diagram->classes.append(item);
    }
    for (int i = 0; i < count && count > 1; ++i) {
        auto *link = new Link;
        link->getModel()->setMaster(diagram->classes.at(i));
        link->getModel()->setSlave(diagram->classes.at((i + 1) % count));
        link->getModel()->setType(i % 3);
        diagram->links.append(link);
    }
}

// Starts a new peak of resident memory, so that VmHWM tells what comes next.
void resetPeakMemory()
{
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    if (clear.open(QIODevice::WriteOnly))
        clear.write("5");
}

struct Measure
{
    double medianMs = 0;
    double peakMiB = 0;
    // How far the peak rose above what the process held when the work began.
    double growthMiB = 0;
};

// The median of several runs; setUp and tearDown are not timed.
Measure measure(const std::function<void()> &setUp, const std::function<void()> &work,
                const std::function<void()> &tearDown)
{
    QList<double> times;
    double peak = 0;
    double growth = 0;
    for (int run = 0; run < runs; ++run) {
        setUp();
        resetPeakMemory();
        const double before = BenchSupport::statusMiB("VmRSS:");
        QElapsedTimer clock;
        clock.start();
        work();
        times.append(double(clock.nsecsElapsed()) / 1e6);
        const double high = BenchSupport::statusMiB("VmHWM:");
        peak = std::max(peak, high);
        growth = std::max(growth, high - before);
        tearDown();
    }
    std::sort(times.begin(), times.end());
    return {times.at(times.size() / 2), peak, growth};
}

void report(const char *what, const Measure &m)
{
    std::printf("  %-36s %9.1f ms   peak %7.1f MiB (+%.1f)\n", what, m.medianMs, m.peakMiB,
                m.growthMiB);
}

void xmllintReference(const QString &path)
{
    const QString xmllint = QStandardPaths::findExecutable(QStringLiteral("xmllint"));
    if (xmllint.isEmpty()) {
        std::printf("  %-36s not installed (Debian package libxml2-utils)\n", "xmllint --noout");
        return;
    }
    QList<double> times;
    for (int run = 0; run < runs; ++run) {
        QProcess process;
        QElapsedTimer clock;
        clock.start();
        process.start(xmllint, {QStringLiteral("--noout"), path});
        process.waitForFinished(-1);
        times.append(double(clock.nsecsElapsed()) / 1e6);
    }
    std::sort(times.begin(), times.end());
    std::printf("  %-36s %9.1f ms   (a whole process, start-up included)\n", "xmllint --noout",
                times.at(times.size() / 2));
}

void bench(int count, const QString &folder, MainWindow *window)
{
    Diagram diagram;
    generate(count, &diagram);
    const QString path = folder + QStringLiteral("/bench-%1.vnls").arg(count);
    if (!DiagramWriter::writeFile(path, diagram.classes, diagram.links)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return;
    }
    std::printf("%d classes, %d links: %.1f MiB on disk\n", count, int(diagram.links.size()),
                double(QFileInfo(path).size()) / (1024.0 * 1024.0));

    const auto nothing = [] {};
    report("write (build XML, save atomically)",
           measure(
               nothing, [&] { DiagramWriter::writeFile(path, diagram.classes, diagram.links); },
               nothing));

    DiagramReader reader(nullptr);
    report("read (parse, build items)", measure(
                                            nothing, [&] { reader.readFile(path); },
                                            [&] {
                                                Diagram taken;
                                                taken.links = reader.takeLinks();
                                                taken.classes = reader.takeClasses();
                                            }));

    report("window load (read, place on canvas)",
           measure(
               nothing, [&] { window->load(path); }, nothing));
    report("window save", measure(
                              nothing, [&] { window->save(path); }, nothing));
    xmllintReference(path);
}

// One class whose accessors each name one of its attributes: matching them must not
// compare every accessor with every attribute.
void benchAccessors(int accessors, const QString &folder)
{
    Diagram diagram;
    auto *item = new ClassItem(nullptr);
    diagram.classes.append(item);
    ClassModel *model = item->getModel();
    model->setName(QStringLiteral("Accessors"));
    for (int i = 0; i < accessors / 2; ++i) {
        ArgAtt *value = attribute(QStringLiteral("m_value%1").arg(i), QStringLiteral("int"), 0);
        model->addAttribute(value);
        for (const char *prefix : {"get", "set"}) {
            auto *accessor = new Function(QLatin1String(prefix) + QString::number(i),
                                          QStringLiteral("int"), ArgAtt::Getter, {});
            accessor->setLinkedAtt(value);
            model->addMethod(accessor);
        }
    }
    const QString path = folder + QStringLiteral("/accessors-%1.vnls").arg(accessors);
    if (!DiagramWriter::writeFile(path, diagram.classes, diagram.links))
        return;
    DiagramReader reader(nullptr);
    char what[64];
    std::snprintf(what, sizeof what, "read one class, %d accessors", accessors);
    report(what, measure([] {}, [&] { reader.readFile(path); },
                         [&] {
                             Diagram taken;
                             taken.classes = reader.takeClasses();
                         }));
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // The window would take a first argument for a diagram to open.
    int appArgc = 1;
    QApplication app(appArgc, argv);
    QList<int> counts;
    for (int i = 1; i < argc; ++i) {
        bool ok = false;
        const int count = QByteArray(argv[i]).toInt(&ok);
        if (!ok || count < 1) {
            std::fprintf(stderr, "usage: diagrambench [CLASSES...]\n");
            return 2;
        }
        counts.append(count);
    }
    if (counts.isEmpty())
        counts = {1000, 5000};

    QTemporaryDir folder;
    if (!folder.isValid())
        return 1;
    if (!BenchSupport::useQuietSettings(folder.path()))
        return 1;

    MainWindow window;
    for (int count : std::as_const(counts))
        bench(count, folder.path(), &window);
    std::printf("Accessors (target: well under 1000 ms)\n");
    benchAccessors(20000, folder.path());
    return 0;
}
