// What the window does with files besides saving and opening: pictures and paper (also
// through varnel --export), the recent diagrams and where its file dialogs start.
#include "mainwindowtesting.h"
#include "testsupport/filesizelimit.h"
#include "testsupport/modalanswerer.h"

#include "codegen/codegen.h"
#include "export/diagramrenderer.h"

#include <QDir>
#include <QDomDocument>
#include <QMenu>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QSlider>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>

#include <memory>

using namespace MainWindowTesting;
using namespace Qt::StringLiterals;

namespace {

// The window opens the diagram named by its first argument; "--" names none.
int appArgc = 2;
QByteArray diagramArgument = "--";
char programArgument[] = "varnel";
char *appArgv[] = {programArgument, diagramArgument.data(), nullptr};
void setDiagramArgument(const QByteArray &argument)
{
    diagramArgument = argument;
    appArgv[1] = diagramArgument.data();
}

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
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != qRgb(255, 255, 255))
                found |= QRect(x, y, 1, 1);
    return found;
}

} // namespace

class TestFileActions : public QObject
{
    Q_OBJECT

private:
    // Acts, answering the next file dialog with path (and filter); the dialog's title or
    // start folder, then the boxes shown.
    QStringList answering(const std::function<void()> &act, const QString &path,
                          const QString &filter = QString(), bool folder = false)
    {
        ModalAnswerer answerer;
        answerer.answerFileDialog(path, filter);
        answerer.answerMessageBox(QMessageBox::No);
        act();
        QStringList shown;
        for (const ModalAnswerer::Seen &seen : answerer.seen())
            shown << (seen.kind != u"QFileDialog"_s ? seen.summary()
                      : folder                      ? seen.directory
                                                    : seen.title);
        return shown;
    }
    QStringList exportAs(const QString &path, const QString &filter = QString())
    {
        return answering([this] { action(m_window.get(), "actionExportImage")->trigger(); }, path,
                         filter);
    }
    QString file(const QString &name) const
    {
        const QString path = m_dir->filePath(name);
        QDir().mkpath(QFileInfo(path).path());
        if (!QFileInfo::exists(path))
            QFile::copy(shapes, path);
        return path;
    }
    // The recent entries as "name path", then the last entry.
    QStringList menu() const
    {
        QStringList entries;
        for (const QAction *a : m_window->findChild<QMenu *>(u"menuRecentFiles"_s)->actions())
            if (!a->isSeparator())
                entries << a->text() + u' ' + (a->isEnabled() ? a->statusTip() : u"off"_s);
        return entries;
    }
    static QStringList recent(const QStringList &paths)
    {
        QStringList entries;
        for (const QString &path : paths)
            entries << QFileInfo(path).fileName() + u' ' + path;
        return entries << u"Vider la liste "_s;
    }
    void trigger(const QString &path) const
    {
        for (QAction *a : m_window->findChild<QMenu *>(u"menuRecentFiles"_s)->actions())
            if (a->statusTip() == path)
                a->trigger();
    }

    QTemporaryDir m_settings;
    QString m_program;
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<MainWindow> m_window;

private slots:
    void initTestCase()
    {
        // A copy of the program reads the window's settings, so that both draw alike.
        QVERIFY(writeFile(m_settings.filePath(u"cfgs.xml"_s), cfgText()));
        m_program = m_settings.filePath(u"varnel"_s);
        QVERIFY(QFile::copy(QStringLiteral(VARNEL_BINARY), m_program));
    }

    void init()
    {
        // The recent list lives beside the settings: a folder of its own each time.
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(QFile::copy(m_settings.filePath(u"cfgs.xml"_s), m_dir->filePath(u"cfgs.xml"_s)));
        Cfg::setPathOverride(m_dir->filePath(u"cfgs.xml"_s));
        setDiagramArgument("--");
        m_window = std::make_unique<MainWindow>();
    }

    void cleanup()
    {
        m_window.reset();
        m_dir.reset();
    }

    void exportFormats_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QString>("written");
        QTest::newRow("png") << u"d.png"_s << QString() << u"d.png"_s;
        QTest::newRow("svg") << u"d.SVG"_s << QString() << u"d.SVG"_s;
        QTest::newRow("pdf") << u"d.pdf"_s << QString() << u"d.pdf"_s;
        QTest::newRow("no suffix, svg filter") << u"d"_s << u"Image SVG (*.svg)"_s << u"d.svg"_s;
        QTest::newRow("other suffix, pdf filter")
            << u"d.v2"_s << u"Document PDF (*.pdf)"_s << u"d.v2.pdf"_s;
    }

    void exportFormats()
    {
        QFETCH(QString, name);
        QFETCH(QString, filter);
        QFETCH(QString, written);
        QVERIFY(m_window->load(shapes));
        const QString path = m_dir->filePath(written);
        // The dialog, then the status bar: success needs no box.
        QCOMPARE(exportAs(m_dir->filePath(name), filter), QStringList{u"Exporter l'image"_s});
        QCOMPARE(m_window->statusBar()->currentMessage(), u"Image exportée - "_s + path);
        const QByteArray data = contents(path);
        const QRect extent =
            DiagramRenderer(m_window->diagramClasses(), m_window->diagramLinks()).extent();
        if (path.endsWith(u".svg"_s, Qt::CaseInsensitive)) {
            // Every name and member line is text, to be found and selected.
            QDomDocument svg;
            QVERIFY(svg.setContent(data));
            QStringList texts, expected;
            const QDomNodeList nodes = svg.elementsByTagName(u"text"_s);
            for (int i = 0; i < nodes.size(); ++i)
                texts << nodes.at(i).toElement().text();
            for (const ClassItem *item : m_window->diagramClasses())
                expected << item->getModel()->name() << item->getModel()->attributeLines()
                         << item->getModel()->methodLines();
            texts.sort();
            expected.sort();
            QCOMPARE(texts, expected);
        }
        if (path.endsWith(u".pdf"_s)) {
            // One page, sized to the diagram (a pixel is 3/4 of a point).
            QVERIFY(data.startsWith("%PDF"));
            QCOMPARE(data.count("/Type /Page\n") + data.count("/Type /Page "), 1);
            const QRegularExpressionMatch box =
                QRegularExpression(uR"(/MediaBox \[0 0 ([\d.]+) ([\d.]+)\])"_s)
                    .match(QString::fromLatin1(data));
            QVERIFY(qAbs(box.captured(1).toDouble() - extent.width() * 0.75) <= 1);
            QVERIFY(qAbs(box.captured(2).toDouble() - extent.height() * 0.75) <= 1);
        }
    }

    void wholeDiagramWhateverTheZoom()
    {
        // A box far from the others, out of view, widens the picture up to it, and nothing
        // but the margin is left around the drawing (and the 6 pixels a box keeps right of
        // its frame for text).
        QVERIFY(m_window->load(shapes));
        addClass(m_window.get(), u"Far"_s)->setPos(1300, 950);
        QRectF bounds;
        for (const ClassItem *item : m_window->diagramClasses())
            bounds |= item->sceneBoundingRect();
        const QString path = m_dir->filePath(u"whole.png"_s);
        QCOMPARE(exportAs(path).size(), 1);
        const QImage whole(path);
        QCOMPARE(whole.size(), bounds.adjusted(-20, -20, 20, 20).toAlignedRect().size() * 2);
        const QRect drawn = ink(whole).adjusted(-40, -40, 40 + 12, 40);
        QVERIFY(qAbs(drawn.left()) + qAbs(drawn.top()) + qAbs(drawn.right() + 1 - whole.width())
                    + qAbs(drawn.bottom() + 1 - whole.height())
                <= 4);

        m_window->findChild<QSlider *>(u"sli_zoom"_s)->setValue(30);
        QCOMPARE(exportAs(m_dir->filePath(u"zoomed.png"_s)).size(), 1);
        QCOMPARE(QImage(m_dir->filePath(u"zoomed.png"_s)), whole);
    }

    void failedWrites()
    {
        // A folder that does not exist: the box, and no file.
        const QString nowhere = m_dir->filePath(u"missing/d.png"_s);
        QCOMPARE(exportAs(nowhere).value(1),
                 u"Critical | Erreur | Impossible d'écrire l'image : %1 | Ok"_s.arg(nowhere));
        QVERIFY(!QFileInfo::exists(nowhere));

        // A disk that fills up half way: the file already there stays, nothing is added.
        QVERIFY(m_window->load(shapes));
        const DiagramRenderer renderer(m_window->diagramClasses(), m_window->diagramLinks());
        QTemporaryDir full;
        for (const QString &name : {u"d.png"_s, u"d.svg"_s, u"d.pdf"_s}) {
            const QString path = full.filePath(name);
            QVERIFY(writeFile(path, "before"));
            const auto limit = std::make_unique<FileSizeLimit>(1000);
            QVERIFY2(!renderer.write(path, DiagramRenderer::formatOf(path)), qPrintable(name));
            QCOMPARE(contents(path), QByteArray("before"));
            QCOMPARE(QDir(full.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
            QFile::remove(path);
        }
    }

    void printPreview()
    {
        // The whole diagram on one page, turned to landscape as the diagram is wide.
        QVERIFY(m_window->load(shapes));
        QString shown;
        QTimer::singleShot(100, this, [&] {
            if (auto *preview =
                    qobject_cast<QPrintPreviewDialog *>(QApplication::activeModalWidget())) {
                shown = u"%1 %2"_s.arg(preview->findChild<QPrintPreviewWidget *>()->pageCount())
                            .arg(preview->printer()->pageLayout().orientation());
                preview->reject();
            }
        });
        action(m_window.get(), "actionPrintPreview")->trigger();
        QCOMPARE(shown, u"1 %1"_s.arg(QPageLayout::Landscape));
    }

    void commandLine_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("says"); // a piece of what the program prints
        const QString png = u"OUT/d.png"_s;
        QTest::newRow("png") << QStringList{u"--export"_s, shapes, u"--output"_s, png} << 0 << png;
        QTest::newRow("empty diagram")
            << QStringList{u"--export"_s, u"OUT/empty.vnls"_s, u"--output"_s, png} << 0 << png;
        QTest::newRow("unknown suffix")
            << QStringList{u"--export"_s, shapes, u"--output"_s, u"OUT/d.jpg"_s} << 2
            << u"(.png, .svg ou .pdf attendu)"_s;
        QTest::newRow("with --generate")
            << QStringList{u"--export"_s, shapes, u"--generate"_s, shapes, u"--output"_s, png} << 2
            << u"sans --generate"_s;
        QTest::newRow("missing diagram")
            << QStringList{u"--export"_s, u"OUT/none.vnls"_s, u"--output"_s, png} << 1
            << u"Impossible d'ouvrir"_s;
        QTest::newRow("missing folder")
            << QStringList{u"--export"_s, shapes, u"--output"_s, u"OUT/no/d.png"_s} << 1
            << u"Impossible d'écrire l'image"_s;
        QTest::newRow("help") << QStringList{u"--help"_s} << 0 << u"--export <diagramme>"_s;
        // Each link to a missing class is named (a link from A to itself is not), and the run
        // still succeeds.
        QTest::newRow("hand-edited links")
            << QStringList{u"--generate"_s, u"OUT/hand.vnls"_s, u"--output"_s, u"OUT"_s} << 0
            << u"Lien ignoré, classe introuvable : Ghost\nLien ignoré, classe introuvable : Ghost\n"
               "Lien ignoré, classe introuvable : Nobody\n"_s;
    }

    void commandLine()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QString, says);
        QVERIFY(writeFile(m_dir->filePath(u"empty.vnls"_s), "<main version=\"1\" name=\"D\"/>"));
        QVERIFY(writeFile(m_dir->filePath(u"hand.vnls"_s),
                          "<main><class name='A'/><link master='A' slave='Ghost'/><link master='A' "
                          "slave='A'/><link master='Ghost' slave='A'/><link master='Nobody' "
                          "slave='Nobody'/></main>"));
        arguments.replaceInStrings(u"OUT"_s, m_dir->path());
        says.replace(u"OUT"_s, m_dir->path());

        // Without a display: anything that needed one would fail here.
        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove(u"DISPLAY"_s);
        env.insert(u"QT_QPA_PLATFORM"_s, u"xcb"_s);
        process.setProcessEnvironment(env);
        process.start(m_program, arguments);
        QVERIFY(process.waitForFinished(60000));
        QCOMPARE(process.exitCode(), exitCode);
        QVERIFY(
            QString::fromUtf8(process.readAll() + process.readAllStandardError()).contains(says));
        QImage picture(m_dir->filePath(u"d.png"_s));
        QCOMPARE(picture.isNull(), exitCode != 0 || !arguments.contains(u"--export"_s));
        if (arguments.contains(m_dir->filePath(u"empty.vnls"_s))) {
            // A small blank picture, not an error.
            QCOMPARE(picture.size(), QSize(80, 80));
            QVERIFY(ink(picture).isNull());
        } else if (!picture.isNull()) {
            // The same picture as the window's.
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
        setDiagramArgument(QFile::encodeName(a));
        m_window = std::make_unique<MainWindow>();
        QCOMPARE(u"%1 %2 %3"_s.arg(m_window->diagramClasses().size())
                     .arg(m_window->windowTitle(), m_window->currentFilePath()),
                 u"5 Varnel 1.0 - mon diagramme \u00e9t\u00e9 \u0394.vnls "_s + a);
        QCOMPARE(menu(), recent({a}));
        answering([this] { action(m_window.get(), "actionLoad")->trigger(); }, b);
        answering([this] { action(m_window.get(), "actionSaveAs")->trigger(); }, c);
        QCOMPARE(menu(), recent({c, b, a}));

        // Kept for the next run; an entry opens its diagram as "Charger" does, the question
        // about unsaved work included, and comes first, once.
        setDiagramArgument("--");
        m_window = std::make_unique<MainWindow>();
        QCOMPARE(menu(), recent({c, b, a}));
        addClass(m_window.get(), u"Unsaved"_s);
        ModalAnswerer answerer;
        answerer.answerMessageBox(QMessageBox::No);
        trigger(b);
        QCOMPARE(answerer.seen().value(0).title, u"Charger"_s);
        QCOMPARE(m_window->currentFilePath(), b);
        QCOMPARE(menu(), recent({b, c, a}));

        // Eight at most; one gone from the disk leaves the list and the diagram stays.
        QStringList opened;
        for (int i = 0; i < 9; ++i) {
            opened.prepend(file(u"d%1.vnls"_s.arg(i)));
            QVERIFY(m_window->load(opened.constFirst()));
        }
        QCOMPARE(menu(), recent(opened.mid(0, 8)));
        const QString gone = opened.takeAt(2);
        QFile::remove(gone);
        trigger(gone);
        QCOMPARE(m_window->statusBar()->currentMessage(),
                 u"Ce diagramme n'existe plus, il est retiré des fichiers récents : "_s + gone);
        QCOMPARE(m_window->currentFileName(), u"d8.vnls"_s);
        QCOMPARE(menu(), recent(opened.mid(0, 7)));

        // A missing diagram named at start shows why; the window opens, empty.
        action(m_window.get(), "actionClearRecentFiles")->trigger();
        answerer.answerMessageBox(QMessageBox::Ok);
        setDiagramArgument(QFile::encodeName(gone));
        m_window = std::make_unique<MainWindow>();
        QCOMPARE(answerer.seen().constLast().summary(),
                 u"Critical | Erreur | Impossible d'ouvrir le fichier à cet emplacement :"_s + gone
                     + u" | Ok"_s);
        QCOMPARE(m_window->windowTitle(), u"Varnel 1.0 - Sans nom"_s);
        QCOMPARE(menu(), QStringList{u"Vider la liste off"_s});
    }

    void dialogFolders_data()
    {
        QTest::addColumn<QString>("dialog");
        QTest::addColumn<QString>("picked"); // in the folder used; "" for the folder itself
        QTest::newRow("open") << u"actionLoad"_s << u"other.vnls"_s;
        QTest::newRow("save as") << u"actionSaveAs"_s << u"saved.vnls"_s;
        QTest::newRow("export") << u"actionExportImage"_s << u"picture.png"_s;
        QTest::newRow("generation folder") << u"generation"_s << QString();
    }

    void dialogFolders()
    {
        QFETCH(QString, dialog);
        QFETCH(QString, picked);
        const QString used = QFileInfo(file(u"used/other.vnls"_s)).path();
        const auto open = [&](const QString &answer) {
            return answering(
                       [&] {
                           if (dialog != u"generation"_s)
                               return action(m_window.get(), qPrintable(dialog))->trigger();
                           action(m_window.get(), "actionGenerate")->trigger();
                           topLevel<CodeGen>()->findChild<QToolButton *>(u"too_dirPath"_s)->click();
                           topLevel<CodeGen>()->hide();
                       },
                       answer, QString(), true)
                .value(0);
        };
        // No diagram file and no folder used yet: the home folder.
        QCOMPARE(open(picked.isEmpty() ? used : used + u'/' + picked), QDir::homePath());
        // A new diagram has no file: the folder last used in that dialog, in a later run too.
        action(m_window.get(), "actionNew")->trigger();
        m_window = std::make_unique<MainWindow>();
        QCOMPARE(open(QString()), used);
        // The open diagram's folder comes first, wherever it was opened from.
        QVERIFY(m_window->load(file(u"elsewhere/d.vnls"_s)));
        QCOMPARE(open(QString()), m_dir->filePath(u"elsewhere"_s));
    }
};

int main(int argc, char *argv[])
{
    QApplication app(appArgc, appArgv);
    TestFileActions test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_fileactions.moc"
