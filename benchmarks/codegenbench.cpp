// Times headless generation of large diagrams through the varnel program, next to a
// trivial writer of the same files, and reports the peak memory of each; then times a
// second generation of the same diagram into the same folder, where nothing changes.
//   codegenbench [CLASSES...]      (default: 1000 5000)
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QString>
#include <QTemporaryDir>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

extern char **environ;

namespace {

struct Measure
{
    double seconds = 0;
    // User and system time: on a machine busy with other work, the wall time says more
    // about the others than about the program.
    double cpuSeconds = 0;
    long peakKiB = 0;
    int status = -1;
};

// A diagram of `count` classes with a few members each; nine classes in ten inherit
// from the one before, so the link rules have work to do.
QByteArray diagram(int count)
{
    QByteArray xml = "<?xml version='1.0' encoding='ISO-8859-1'?>\n"
                     "<main version=\"1\" name=\"DEFAULT\">\n";
    for (int i = 0; i < count; ++i) {
        const QByteArray n = QByteArray::number(i);
        xml += " <class name=\"Class" + n + "\" comment=\"Class number " + n + "\" parentName=\""
               + (i % 7 == 0 ? "QObject" : "") + "\" includes=\"QList;Helper" + n + ";\" posX=\""
               + n + "\" posY=\"0\">\n" + "  <function name=\"compute\" returnType=\"Result" + n
               + "\" range=\"1\">\n"
               + "   <arg-att name=\"factor\" range=\"2\" type=\"double\" defValue=\"\"/>\n"
               + "   <arg-att name=\"origin\" range=\"2\" type=\"Point\" defValue=\"\"/>\n"
               + "  </function>\n"
               + "  <function name=\"setValue\" returnType=\"void\" range=\"3\" "
                 "linkedAtt=\"m_value\">\n"
               + "   <arg-att name=\"value\" range=\"2\" type=\"int\" defValue=\"\"/>\n"
               + "  </function>\n"
               + "  <function name=\"getValue\" returnType=\"int\" range=\"4\" "
                 "linkedAtt=\"m_value\"/>\n"
               + "  <function name=\"redraw\" returnType=\"bool\" range=\"2\"/>\n"
               + "  <arg-att name=\"m_value\" range=\"0\" type=\"int\" defValue=\"0\"/>\n"
               + "  <arg-att name=\"m_label\" range=\"1\" type=\"QString\" defValue=\"\"/>\n"
               + "  <arg-att name=\"m_items\" range=\"0\" type=\"QList&lt;Item" + n
               + "*&gt;\" defValue=\"\"/>\n" + " </class>\n";
    }
    for (int i = 1; i < count; ++i) {
        if (i % 10 != 0) {
            xml += " <link master=\"Class" + QByteArray::number(i - 1) + "\" slave=\"Class"
                   + QByteArray::number(i) + "\" type=\"0\"/>\n";
        }
    }
    return xml + "</main>\n";
}

Measure waitFor(pid_t pid, std::chrono::steady_clock::time_point start)
{
    Measure measure;
    int status = 0;
    rusage usage{};
    if (wait4(pid, &status, 0, &usage) < 0)
        return measure;
    measure.seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    measure.peakKiB = usage.ru_maxrss;
    const auto seconds = [](const timeval &t) { return double(t.tv_sec) + t.tv_usec / 1e6; };
    measure.cpuSeconds = seconds(usage.ru_utime) + seconds(usage.ru_stime);
    measure.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return measure;
}

// varnel --generate, with what it prints thrown away (its exit status tells failures).
Measure runVarnel(const QString &diagramPath, const QString &outPath)
{
    const QByteArray program = VARNEL_BINARY;
    const QByteArray diagramArg = QFile::encodeName(diagramPath);
    const QByteArray outArg = QFile::encodeName(outPath);
    char *argv[] = {const_cast<char *>(program.constData()),    const_cast<char *>("--generate"),
                    const_cast<char *>(diagramArg.constData()), const_cast<char *>("--output"),
                    const_cast<char *>(outArg.constData()),     nullptr};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    // A second run says how many files were unchanged there; only failures matter here.
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    const auto start = std::chrono::steady_clock::now();
    pid_t pid = 0;
    const int failed = posix_spawn(&pid, program.constData(), &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    if (failed)
        return Measure();
    return waitFor(pid, start);
}

// The floor: a child that writes files of the same names and sizes with plain writes.
Measure runReference(const QString &outPath, const QList<QPair<QByteArray, qint64>> &files)
{
    QList<QByteArray> paths;
    for (const auto &file : files)
        paths.append(QFile::encodeName(outPath) + '/' + file.first);
    const QByteArray fill(1 << 16, 'x');
    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        for (int i = 0; i < files.size(); ++i) {
            const int fd = ::open(paths.at(i).constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
            if (fd < 0)
                _exit(1);
            qint64 left = files.at(i).second;
            while (left > 0) {
                const ssize_t done =
                    ::write(fd, fill.constData(), size_t(qMin<qint64>(left, fill.size())));
                if (done <= 0)
                    _exit(1);
                left -= done;
            }
            ::close(fd);
        }
        _exit(0);
    }
    if (pid < 0)
        return Measure();
    return waitFor(pid, start);
}

} // namespace

int main(int argc, char **argv)
{
    QList<int> counts;
    for (int i = 1; i < argc; ++i)
        counts.append(std::atoi(argv[i]));
    if (counts.isEmpty())
        counts = {1000, 5000};

    // The reference is a fork of this program, so only its time is telling. Each figure is
    // the best of five runs, fresh folders for the first generations, and the three kinds of
    // run take turns, so that a machine busy with other work skews each of them alike.
    const int runs = 5;
    // Times as "wall (cpu)" in seconds; the ratios are of cpu times, next to their limit.
    std::printf("%8s %7s %10s | %15s %6s | %15s | %11s | %15s | %11s\n", "classes", "files",
                "bytes", "varnel", "MiB", "reference", "ratio (<=3)", "again", "ratio (<=2)");
    const auto best = [](const Measure &a, const Measure &b) {
        return a.status != 0 || (b.status == 0 && b.cpuSeconds < a.cpuSeconds) ? b : a;
    };
    for (const int count : counts) {
        QTemporaryDir dir;
        const QString diagramPath = dir.filePath(QStringLiteral("big.vnls"));
        QFile file(diagramPath);
        if (!file.open(QIODevice::WriteOnly) || file.write(diagram(count)) < 0)
            return 1;
        file.close();

        Measure varnel;
        Measure reference;
        // Regenerating an unchanged diagram reads every file and writes none.
        Measure again;
        QList<QPair<QByteArray, qint64>> files;
        qint64 bytes = 0;
        const QString firstOut = dir.filePath(QStringLiteral("out0"));
        for (int run = 0; run < runs; ++run) {
            const QString outPath = dir.filePath(QStringLiteral("out%1").arg(run));
            QDir().mkpath(outPath);
            varnel = run == 0 ? runVarnel(diagramPath, outPath)
                              : best(varnel, runVarnel(diagramPath, outPath));
            if (varnel.status != 0) {
                std::fprintf(stderr, "varnel failed (%d) on %d classes\n", varnel.status, count);
                return 1;
            }
            if (run == 0) {
                for (const QFileInfo &info : QDir(outPath).entryInfoList(QDir::Files)) {
                    files.append({QFile::encodeName(info.fileName()), info.size()});
                    bytes += info.size();
                }
                if (files.size() != 2 * count) {
                    std::fprintf(stderr, "expected %d files, found %lld\n", 2 * count,
                                 static_cast<long long>(files.size()));
                    return 1;
                }
            }
            const QString refPath = dir.filePath(QStringLiteral("reference%1").arg(run));
            QDir().mkpath(refPath);
            reference = run == 0 ? runReference(refPath, files)
                                 : best(reference, runReference(refPath, files));
            again = run == 0 ? runVarnel(diagramPath, firstOut)
                             : best(again, runVarnel(diagramPath, firstOut));
            if (reference.status != 0 || again.status != 0)
                return 1;
        }

        std::printf("%8d %7lld %10lld | %6.3f (%6.3f) %6.1f | %6.3f (%6.3f) | %10.1fx | "
                    "%6.3f (%6.3f) | %10.1fx\n",
                    count, static_cast<long long>(files.size()), static_cast<long long>(bytes),
                    varnel.seconds, varnel.cpuSeconds, varnel.peakKiB / 1024.0, reference.seconds,
                    reference.cpuSeconds, varnel.cpuSeconds / reference.cpuSeconds, again.seconds,
                    again.cpuSeconds, again.cpuSeconds / reference.cpuSeconds);
        std::fflush(stdout);
    }
    return 0;
}
