// Times the canvas of the main window on large synthetic diagrams packed so that every
// box is in view at 10 %: opening (read, build the items, first paint) against
// xmllint's parse of the same file, peak memory, repainting the whole view and
// dragging one box, at 100 % and at 10 %. Each figure is printed beside its limit.
//
//   canvasbench [CLASSES...]      default: 5000 20000
//
// Each size runs in a process of its own, so that its peak memory is its own.
#include "benchmarks/benchsupport.h"
#include "canvas/classitem.h"
#include "canvas/diagramitems.h"
#include "canvas/link.h"
#include "mainwindow/mainwindow.h"
#include "model/argatt.h"
#include "model/classmodel.h"
#include "model/function.h"
#include "model/linkmodel.h"
#include "persistence/diagramwriter.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QGraphicsView>
#include <QMouseEvent>
#include <QProcess>
#include <QSlider>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <time.h>

namespace {

constexpr double FrameMs = 16;
constexpr double OpenFactor = 5;
// At 20,000 classes; smaller diagrams must stay in proportion (see the README).
constexpr double MemoryMiBAt20000 = 400;
// The area the boxes are spread over: all of it is in view at 10 %.
constexpr double SpreadWidth = 9000;
constexpr double SpreadHeight = 6500;

// As the diagram benchmark's classes: five attributes, five methods, one link to the
// next class, of the three kinds in turn.
void generate(int count, DiagramItems *diagram)
{
    const QStringList types = {QStringLiteral("int"), QStringLiteral("double"),
                               QStringLiteral("QString"), QStringLiteral("QList<Item*>"),
                               QStringLiteral("const Point&")};
    const int columns = int(std::ceil(std::sqrt(count * SpreadWidth / SpreadHeight)));
    const int rows = (count + columns - 1) / columns;
    for (int i = 0; i < count; ++i) {
        auto *item = new ClassItem(nullptr);
        ClassModel *model = item->getModel();
        model->setName(QStringLiteral("Class%1").arg(i));
        for (int a = 0; a < 5; ++a)
            model->addAttribute(
                new ArgAtt(QStringLiteral("m_value%1").arg(a), types.at(a), QString(), a % 2));
        for (int m = 0; m < 5; ++m)
            model->addMethod(
                new Function(QStringLiteral("operation%1").arg(m), types.at(m % 3), m % 3,
                             {new ArgAtt(QStringLiteral("a"), types.at(m % 4), QString(), 2)}));
        model->updateSize();
        item->setPos(20 + (i % columns) * SpreadWidth / columns,
                     20 + double(i / columns) * SpreadHeight / rows);
        diagram->classes.append(item);
    }
    for (int i = 0; i + 1 < count; ++i) {
        auto *link = new Link;
        link->getModel()->setMaster(diagram->classes.at(i));
        link->getModel()->setSlave(diagram->classes.at(i + 1));
        link->getModel()->setType(i % 3);
        diagram->links.append(link);
    }
}

double median(QList<double> times)
{
    std::sort(times.begin(), times.end());
    return times.at(times.size() / 2);
}

double timed(const std::function<void()> &work)
{
    QElapsedTimer clock;
    clock.start();
    work();
    return double(clock.nsecsElapsed()) / 1e6;
}

// Processor time of this thread: a frame's cost that other programs sharing the
// machine do not inflate.
double cpuTimed(const std::function<void()> &work)
{
    timespec start{};
    timespec end{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &start);
    work();
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &end);
    return double(end.tv_sec - start.tv_sec) * 1e3 + double(end.tv_nsec - start.tv_nsec) / 1e6;
}

void row(const char *what, double value, double limit, const char *unit = "ms")
{
    std::printf("  %-40s %9.1f %-3s  limit %8.1f %-3s %s\n", what, value, unit, limit, unit,
                value <= limit ? "ok" : "OVER");
    std::fflush(stdout);
}

double xmllintMs(const QString &path)
{
    const QString xmllint = QStandardPaths::findExecutable(QStringLiteral("xmllint"));
    if (xmllint.isEmpty())
        return -1;
    QList<double> times;
    for (int run = 0; run < 3; ++run) {
        times.append(timed([&] {
            QProcess process;
            process.start(xmllint, {QStringLiteral("--noout"), path});
            process.waitForFinished(-1);
        }));
    }
    return median(times);
}

// Events as a mouse sends them, and what the window does with them before the next.
struct Mouse
{
    QWidget *viewport;

    void send(QEvent::Type type, QPoint at, Qt::MouseButtons held)
    {
        QMouseEvent event(type, QPointF(at), QPointF(viewport->mapToGlobal(at)),
                          type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, held,
                          Qt::NoModifier);
        QApplication::sendEvent(viewport, &event);
        // The scene's updates, its notice of them and the repaint they ask for are
        // each queued behind the one before.
        for (int round = 0; round < 4; ++round)
            QApplication::processEvents();
    }
};

// The median time of one mouse move that drags the box in the middle of the diagram.
double dragMs(QGraphicsView *view)
{
    Mouse mouse{view->viewport()};
    const QPoint start = view->mapFromScene(SpreadWidth / 2, SpreadHeight / 2);
    QGraphicsItem *box = view->itemAt(start);
    const QPointF from = box ? box->pos() : QPointF();
    mouse.send(QEvent::MouseButtonPress, start, Qt::LeftButton);
    mouse.send(QEvent::MouseMove, start + QPoint(QApplication::startDragDistance() + 1, 0),
               Qt::LeftButton);
    QList<double> times;
    for (int step = 1; step <= 30; ++step) {
        const QPoint at = start + QPoint(10 + step * 3, step * 2);
        times.append(cpuTimed([&] { mouse.send(QEvent::MouseMove, at, Qt::LeftButton); }));
    }
    mouse.send(QEvent::MouseButtonRelease, start, Qt::NoButton);
    if (!box || box->type() != ClassItem::Type || box->pos() == from)
        std::printf("  (no box was dragged)\n");
    return median(times);
}

double repaintMs(QGraphicsView *view)
{
    QList<double> times;
    for (int run = 0; run < 9; ++run)
        times.append(cpuTimed([&] { view->viewport()->repaint(); }));
    return median(times);
}

int writeOne(int count, const QString &path)
{
    DiagramItems diagram;
    generate(count, &diagram);
    return DiagramWriter::writeFile(path, diagram.classes, diagram.links) ? 0 : 1;
}

int runOne(int count, const QString &path)
{
    QTemporaryDir folder;
    if (!folder.isValid())
        return 1;
    if (!BenchSupport::useQuietSettings(folder.path()))
        return 1;

    std::printf("%d classes, %d links, every box in view at 10 %%\n", count, count - 1);

    MainWindow window;
    window.showNormal();
    window.resize(1400, 950);
    QApplication::processEvents();
    auto *view = window.findChild<QGraphicsView *>(QStringLiteral("gra_graphicsView"));
    auto *slider = window.findChild<QSlider *>(QStringLiteral("sli_zoom"));

    const double openMs = timed([&] {
        window.load(path);
        view->viewport()->repaint();
    });
    const double lint = xmllintMs(path);
    if (lint > 0)
        row("open (read, build, first paint)", openMs, OpenFactor * lint);
    else
        std::printf("  %-40s %9.1f ms   (xmllint not installed: libxml2-utils)\n",
                    "open (read, build, first paint)", openMs);
    row("peak memory after opening", BenchSupport::statusMiB("VmHWM:"), MemoryMiBAt20000, "MiB");

    view->centerOn(SpreadWidth / 2, SpreadHeight / 2);
    QApplication::processEvents();
    // CANVASBENCH_SHOTS=folder keeps what the view shows at both sizes.
    const QString shots = qEnvironmentVariable("CANVASBENCH_SHOTS");
    const auto shoot = [&](int zoom) {
        if (!shots.isEmpty())
            view->viewport()->grab().save(
                QStringLiteral("%1/canvas-%2-%3.png").arg(shots).arg(count).arg(zoom));
    };
    row("repaint the whole view at 100 %", repaintMs(view), FrameMs);
    row("drag one box at 100 %, a mouse move", dragMs(view), FrameMs);
    shoot(100);

    slider->setValue(10);
    std::printf("  %-40s %9.1f ms   (once per zoom or scroll)\n",
                "first repaint at 10 % (picture drawn)",
                cpuTimed([&] { view->viewport()->repaint(); }));
    row("repaint the whole view at 10 %", repaintMs(view), FrameMs);
    row("drag one box at 10 %, a mouse move", dragMs(view), FrameMs);
    shoot(10);
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // The parent runs each step in a child: writing the file, then opening it.
    if (argc == 4 && (QByteArray(argv[1]) == "--write" || QByteArray(argv[1]) == "--open")) {
        int appArgc = 1;
        QApplication app(appArgc, argv);
        const int count = QByteArray(argv[2]).toInt();
        const QString path = QString::fromLocal8Bit(argv[3]);
        return QByteArray(argv[1]) == "--write" ? writeOne(count, path) : runOne(count, path);
    }

    QCoreApplication app(argc, argv);
    QStringList counts;
    for (int i = 1; i < argc; ++i) {
        bool ok = false;
        if (QByteArray(argv[i]).toInt(&ok) < 1 || !ok) {
            std::fprintf(stderr, "usage: canvasbench [CLASSES...]\n");
            return 2;
        }
        counts.append(QString::fromLocal8Bit(argv[i]));
    }
    if (counts.isEmpty())
        counts = {QStringLiteral("5000"), QStringLiteral("20000")};
    QTemporaryDir folder;
    if (!folder.isValid())
        return 1;
    for (const QString &count : std::as_const(counts)) {
        const QString path = folder.filePath(QStringLiteral("canvas-%1.vnls").arg(count));
        for (const char *step : {"--write", "--open"}) {
            QProcess child;
            child.setProcessChannelMode(QProcess::ForwardedChannels);
            child.start(QCoreApplication::applicationFilePath(),
                        {QLatin1String(step), count, path});
            child.waitForFinished(-1);
            if (child.exitStatus() != QProcess::NormalExit || child.exitCode() != 0)
                return 1;
        }
    }
    return 0;
}
