// Pictures and paper (also through varnel --export), recent diagrams, where file dialogs start.
#include "mainwindowtesting.h"
#include "testsupport/modalanswerer.h"

#include "codegen/codegen.h"
#include "export/diagramrenderer.h"

#include <QDir>
#include <QMenu>
#include <QPrintPreviewWidget>
#include <QProcess>
#include <QRegularExpression>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>

#include <memory>
#include <tuple>

using namespace MainWindowTesting;
using namespace Qt::StringLiterals;

namespace {

// The window opens the diagram named by its first argument; "--" names none.
int appArgc = 2;
QByteArray diagramArgument = "--";
char programArgument[] = "varnel";
char *appArgv[] = {programArgument, diagramArgument.data(), nullptr};

const QString shapes = QStringLiteral(VARNEL_SOURCE_DIR "/examples/shapes.vnls");

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The smallest rectangle holding every pixel that is not white.
QRect ink(const QImage &image)
{
    QRect found;
    for (int p = 0; p < image.width() * image.height(); ++p)
        if (image.pixel(p % image.width(), p / image.width()) != qRgb(255, 255, 255))
            found |= QRect(p % image.width(), p / image.width(), 1, 1);
    return found;
}

} // namespace

class TestFileActions : public QObject
{
    Q_OBJECT

    QTemporaryDir m_settings;
    QString m_program;
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<MainWindow> m_window;

    void act(const char *name) { action(m_window.get(), name)->trigger(); }
    // A new window, as started with this argument.
    void start(const QByteArray &argument = "--")
    {
        diagramArgument = argument;
        appArgv[1] = diagramArgument.data();
        m_window = std::make_unique<MainWindow>();
    }
    // Triggers the window's action, or clicks the generation window's button, of this name,
    // answering the file dialog with path (and filter): where it started, then boxes shown.
    QStringList answering(const char *name, const QString &path, const QString &filter = QString())
    {
        ModalAnswerer answerer;
        answerer.answerFileDialog(path, filter);
        answerer.answerMessageBox(QMessageBox::No);
        if (QAction *a = action(m_window.get(), name))
            a->trigger();
        else
            topLevel<CodeGen>()->findChild<QToolButton *>(QLatin1String(name))->click();
        QStringList shown;
        for (const ModalAnswerer::Seen &seen : answerer.seen())
            shown << (seen.kind == u"QFileDialog"_s ? seen.directory : seen.summary());
        return shown;
    }
    // A copy of shapes.vnls at this place below the test's folder.
    QString file(const QString &name) const
    {
        const QString path = m_dir->filePath(name);
        QDir().mkpath(QFileInfo(path).path());
        QFile::copy(shapes, path);
        return path;
    }
    // The recent diagrams' paths, each shown by its file name; or opens the one given.
    QStringList recent(const QString &open = QString()) const
    {
        QStringList paths;
        for (QAction *a : m_window->findChild<QMenu *>(u"menuRecentFiles"_s)->actions()) {
            if (!open.isEmpty() && a->statusTip() == open)
                return a->trigger(), QStringList(); // the menu is built again
            if (!a->statusTip().isEmpty())
                paths << (a->text() == QFileInfo(a->statusTip()).fileName() ? a->statusTip()
                                                                            : a->text());
        }
        return paths;
    }

private slots:
    void initTestCase()
    {
        // A copy of the program reads the window's settings, so that both draw alike.
        QVERIFY(writeFile(m_settings.filePath(u"cfgs.xml"_s), cfgText()));
        m_program = m_settings.filePath(u"varnel"_s);
        QVERIFY(QFile::copy(QStringLiteral(VARNEL_BINARY), m_program));
        // The program runs without a display: anything that needed one would fail.
        qunsetenv("DISPLAY");
        qputenv("QT_QPA_PLATFORM", "xcb");
    }

    void init()
    {
        // The recent list lives beside the settings: a folder of its own each time.
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(QFile::copy(m_settings.filePath(u"cfgs.xml"_s), m_dir->filePath(u"cfgs.xml"_s)));
        Cfg::setPathOverride(m_dir->filePath(u"cfgs.xml"_s));
        start();
    }

    void cleanup() { m_window.reset(); }

    void pictures()
    {
        // A box far from the others, out of view, widens the picture up to it.
        QVERIFY(m_window->load(shapes));
        addClass(m_window.get(), u"Far"_s)->setPos(1300, 950);
        // The suffix (any case) decides, else the filter; success shows no box, only the status.
        const std::tuple<QString, QString, QString> exports[] = {
            {u"whole.png"_s, {}, u"whole.png"_s},
            {u"d.SVG"_s, {}, u"d.SVG"_s},
            {u"d"_s, u"Image SVG (*.svg)"_s, u"d.svg"_s},
            {u"d.v2"_s, u"Document PDF (*.pdf)"_s, u"d.v2.pdf"_s}};
        for (const auto &[name, filter, written] : exports) {
            QCOMPARE(answering("actionExportImage", m_dir->filePath(name), filter).size(), 1);
            QCOMPARE(m_window->statusBar()->currentMessage(),
                     u"Image exportée - "_s + m_dir->filePath(written));
        }

        // Only the margin around the drawing (and 6 pixels right of a box for text).
        const QImage whole(m_dir->filePath(u"whole.png"_s));
        const QRect drawn = ink(whole), edge = whole.rect() - QMargins(40, 40, 40 + 12, 40);
        const QMargins slack(4, 4, 4, 4); // antialiasing
        QVERIFY((edge + slack).contains(drawn) && drawn.contains(edge - slack));

        // Every name and member line is text, to be found and selected.
        const QString svg = QString::fromUtf8(contents(m_dir->filePath(u"d.svg"_s)));
        QStringList lines;
        for (const ClassItem *item : m_window->diagramClasses())
            lines << item->getModel()->name() << item->getModel()->attributeLines()
                  << item->getModel()->methodLines();
        for (const QString &line : std::as_const(lines))
            QVERIFY2(svg.contains(u'>' + line.toHtmlEscaped() + u"</text>"_s), qPrintable(line));

        // One page, sized to the picture: a point is 4/3 of a pixel, of which the PNG holds 2.
        const QByteArray pdf = contents(m_dir->filePath(u"d.v2.pdf"_s));
        QCOMPARE(pdf.count("/Type /Page\n") + pdf.count("/Type /Page "), 1);
        const QRegularExpressionMatch box =
            QRegularExpression(uR"(/MediaBox \[0 0 ([\d.]+) ([\d.]+)\])"_s)
                .match(QString::fromLatin1(pdf));
        QVERIFY(qAbs(box.captured(1).toDouble() - whole.width() * 0.375) <= 1
                && qAbs(box.captured(2).toDouble() - whole.height() * 0.375) <= 1);

        // Paper: the whole diagram on one page, turned to landscape as the diagram is wide.
        QString shown;
        QTimer::singleShot(100, this, [&] {
            auto *preview = QApplication::activeModalWidget()->findChild<QPrintPreviewWidget *>();
            shown = u"%1 %2"_s.arg(preview->pageCount()).arg(preview->orientation());
            QApplication::activeModalWidget()->close();
        });
        act("actionPrintPreview");
        QCOMPARE(shown, u"1 %1"_s.arg(QPageLayout::Landscape));

        // A folder that does not exist: the box, and no file.
        const QString nowhere = m_dir->filePath(u"missing/d.png"_s);
        QCOMPARE(answering("actionExportImage", nowhere).value(1),
                 u"Critical | Erreur | Impossible d'écrire l'image : %1 | Ok"_s.arg(nowhere));
        QVERIFY(!QFileInfo::exists(nowhere));
    }

    void commandLine_data()
    {
        QTest::addColumn<QString>("line"); // OUT: the test's folder
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("says"); // a piece of what the program prints
        QTest::newRow("png") << u"--export SHAPES --output OUT/d.png"_s << 0 << u"/d.png"_s;
        QTest::newRow("empty diagram")
            << u"--export OUT/empty.vnls --output OUT/d.png"_s << 0 << u"/d.png"_s;
        QTest::newRow("unknown suffix")
            << u"--export SHAPES --output OUT/d.jpg"_s << 2 << u"(.png, .svg ou .pdf attendu)"_s;
        QTest::newRow("with --generate")
            << u"--export SHAPES -g SHAPES --output OUT/d.png"_s << 2 << u"sans --generate"_s;
        QTest::newRow("missing folder")
            << u"--export SHAPES --output OUT/no/d.png"_s << 1 << u"Impossible d'écrire l'image"_s;
        // Each link to a missing class is named (not one from A to itself); the run succeeds.
        QTest::newRow("hand-edited links")
            << u"--generate OUT/hand.vnls --output OUT"_s << 0
            << u"Lien ignoré, classe introuvable : Ghost\nLien ignoré, classe introuvable : Ghost\n"
               "Lien ignoré, classe introuvable : Nobody\n"_s;
    }

    void commandLine()
    {
        QFETCH(QString, line);
        QFETCH(int, exitCode);
        QFETCH(QString, says);
        QVERIFY(writeFile(m_dir->filePath(u"empty.vnls"_s), "<main version=\"1\" name=\"D\"/>"));
        QVERIFY(writeFile(m_dir->filePath(u"hand.vnls"_s),
                          "<main><class name='A'/><link master='A' slave='Ghost'/><link master='A' "
                          "slave='A'/><link master='Ghost' slave='A'/><link master='Nobody' "
                          "slave='Nobody'/></main>"));
        const QStringList arguments =
            line.replace(u"OUT"_s, m_dir->path()).replace(u"SHAPES"_s, shapes).split(u' ');

        QProcess varnel;
        varnel.start(m_program, arguments);
        QVERIFY(varnel.waitForFinished(60000));
        QCOMPARE(varnel.exitCode(), exitCode);
        QVERIFY(QString::fromUtf8(varnel.readAll() + varnel.readAllStandardError()).contains(says));
        QImage picture(m_dir->filePath(u"d.png"_s));
        QCOMPARE(picture.isNull(), exitCode != 0 || !arguments.contains(u"--export"_s));
        // An empty diagram gives a picture, not an error; shapes.vnls the window's picture.
        if (!picture.isNull() && arguments.contains(shapes)) {
            QVERIFY(m_window->load(shapes));
            QImage window =
                DiagramRenderer(m_window->diagramClasses(), m_window->diagramLinks()).image();
            window.setDevicePixelRatio(1);
            QCOMPARE(picture.convertToFormat(QImage::Format_RGB32), window);
        }
    }

    void recentList()
    {
        // Started with a file (spaces and letters outside Latin-1 in its path): it opens,
        // unmarked, as the one Save writes. Then one opened and one saved as: most recent first.
        const QString a = file(u"un dossier/mon diagramme \u00e9t\u00e9 \u0394.vnls"_s);
        const QString b = file(u"sub/b.vnls"_s), c = m_dir->filePath(u"c.vnls"_s);
        start(QFile::encodeName(a));
        QCOMPARE(u"%1 %2 %3"_s.arg(m_window->diagramClasses().size())
                     .arg(m_window->windowTitle(), m_window->currentFilePath()),
                 u"5 Varnel 1.0 - mon diagramme \u00e9t\u00e9 \u0394.vnls "_s + a);
        answering("actionLoad", b);
        answering("actionSaveAs", c);

        // Kept for the next run; an entry opens its diagram as "Charger" does, the question
        // about unsaved work included, and comes first, once.
        start();
        addClass(m_window.get(), u"Unsaved"_s);
        ModalAnswerer answerer;
        answerer.answerMessageBox(QMessageBox::No);
        recent(b);
        QCOMPARE(answerer.seen().value(0).title, u"Charger"_s);
        QCOMPARE(recent(), (QStringList{b, c, a}));

        // One gone from the disk leaves the list, and the diagram stays.
        QFile::remove(c);
        recent(c);
        QCOMPARE(m_window->statusBar()->currentMessage(),
                 u"Ce diagramme n'existe plus, il est retiré des fichiers récents : "_s + c);
        QCOMPARE(m_window->currentFilePath(), b);
        QCOMPARE(recent(), (QStringList{b, a}));

        // A missing diagram named at start shows why; the window opens, empty.
        act("actionClearRecentFiles");
        answerer.answerMessageBox(QMessageBox::Ok);
        start(QFile::encodeName(c));
        QCOMPARE(answerer.seen().constLast().text,
                 u"Impossible d'ouvrir le fichier à cet emplacement :"_s + c);
        QCOMPARE(m_window->windowTitle(), u"Varnel 1.0 - Sans nom"_s);
        QVERIFY(recent().isEmpty()
                && !action(m_window.get(), "actionClearRecentFiles")->isEnabled());
    }

    void dialogFolders()
    {
        // Where each file dialog starts (the generation's folder last), picking in `used` or not.
        const QString used = QFileInfo(file(u"used/other.vnls"_s)).path();
        const char *dialogs[] = {"actionLoad", "actionSaveAs", "actionExportImage", "too_dirPath"};
        const QStringList picked = {u"/other.vnls"_s, u"/saved.vnls"_s, u"/picture.png"_s, {}};
        const auto starts = [&](bool pick) {
            QStringList folders;
            act("actionGenerate");
            for (int i = 0; i < 4; ++i) {
                folders << answering(dialogs[i], pick ? used + picked.at(i) : QString()).value(0);
                if (pick)
                    act("actionNew"); // no file, as the next dialog expects
            }
            return folders;
        };
        // No diagram file and no folder used yet: the home folder, each dialog on its own.
        QCOMPARE(starts(true), QStringList(4, QDir::homePath()));
        // A new diagram has no file: the folder last used in that dialog, in a later run too.
        start();
        QCOMPARE(starts(false), QStringList(4, used));
        // The open diagram's folder comes first, wherever it was opened from.
        QVERIFY(m_window->load(file(u"elsewhere/d.vnls"_s)));
        QCOMPARE(starts(false), QStringList(4, m_dir->filePath(u"elsewhere"_s)));
    }
};

int main(int argc, char *argv[])
{
    QApplication app(appArgc, appArgv);
    TestFileActions test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_fileactions.moc"
