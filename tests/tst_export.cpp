// Pictures and paper: the window's export and print preview, the files each format
// gives, and varnel --export on the real program.
#include "mainwindowtesting.h"
#include "testsupport/filesizelimit.h"
#include "testsupport/modalanswerer.h"

#include "export/diagramrenderer.h"

#include <QDir>
#include <QDomDocument>
#include <QImage>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QSlider>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTimer>

#include <memory>

using namespace MainWindowTesting;
using namespace Qt::StringLiterals;

namespace {

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
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) != qRgb(255, 255, 255))
                found |= QRect(x, y, 1, 1);
        }
    }
    return found;
}

} // namespace

class TestExport : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup() { m_window.reset(); }

    void windowExport_data();
    void windowExport();
    void wholeDiagramWhateverTheZoom();
    void failedWrites();
    void printPreview();
    void commandLine_data();
    void commandLine();

private:
    // Exports through the window's action and dialog; what the user was shown.
    QStringList exportAs(const QString &path, const QString &filter = QString());

    QTemporaryDir m_settings;
    QTemporaryDir m_dir;
    QString m_program;
    std::unique_ptr<MainWindow> m_window;
};

void TestExport::initTestCase()
{
    // The window and a copy of the program read the same settings, so they draw alike.
    const QString cfgs = m_settings.filePath(u"cfgs.xml"_s);
    QVERIFY(writeFile(cfgs, cfgText()));
    Cfg::setPathOverride(cfgs);
    m_program = m_settings.filePath(u"varnel"_s);
    QVERIFY(QFile::copy(QStringLiteral(VARNEL_BINARY), m_program));
}

void TestExport::init()
{
    m_window = std::make_unique<MainWindow>();
    QVERIFY(m_window->load(shapes));
}

QStringList TestExport::exportAs(const QString &path, const QString &filter)
{
    ModalAnswerer answerer;
    answerer.answerFileDialog(path, filter);
    answerer.answerMessageBox(QMessageBox::Ok);
    action(m_window.get(), "actionExportImage")->trigger();
    QStringList shown;
    for (const ModalAnswerer::Seen &seen : answerer.seen())
        shown << (seen.kind == u"QFileDialog"_s ? seen.title : seen.summary());
    return shown;
}

void TestExport::windowExport_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QString>("written");
    QTest::newRow("png") << u"d.png"_s << QString() << u"d.png"_s;
    QTest::newRow("svg") << u"d.SVG"_s << QString() << u"d.SVG"_s;
    QTest::newRow("pdf") << u"d.pdf"_s << QString() << u"d.pdf"_s;
    QTest::newRow("no suffix, png filter") << u"d"_s << u"Image PNG (*.png)"_s << u"d.png"_s;
    QTest::newRow("no suffix, svg filter") << u"d"_s << u"Image SVG (*.svg)"_s << u"d.svg"_s;
    QTest::newRow("other suffix, pdf filter")
        << u"d.v2"_s << u"Document PDF (*.pdf)"_s << u"d.v2.pdf"_s;
}

void TestExport::windowExport()
{
    QFETCH(QString, name);
    QFETCH(QString, filter);
    QFETCH(QString, written);
    const QString path = m_dir.filePath(written);
    // Only the dialog, then the status bar: success needs no box.
    QCOMPARE(exportAs(m_dir.filePath(name), filter), QStringList{u"Exporter l'image"_s});
    QCOMPARE(m_window->statusBar()->currentMessage(), u"Image exportée - "_s + path);
    const QByteArray data = contents(path);
    QFile::remove(path);

    const QRect extent =
        DiagramRenderer(m_window->diagramClasses(), m_window->diagramLinks()).extent();
    switch (DiagramRenderer::formatOf(path)) {
    case DiagramRenderer::Format::Png:
        QCOMPARE(QImage::fromData(data).size(), extent.size() * 2);
        break;
    case DiagramRenderer::Format::Svg: {
        // Every name and member line is text that can be found and selected.
        QDomDocument svg;
        QVERIFY(svg.setContent(data));
        QStringList texts;
        const QDomNodeList nodes = svg.elementsByTagName(u"text"_s);
        for (int i = 0; i < nodes.size(); ++i)
            texts << nodes.at(i).toElement().text();
        QStringList expected;
        for (const ClassItem *item : m_window->diagramClasses())
            expected << item->getModel()->name() << item->getModel()->attributeLines()
                     << item->getModel()->methodLines();
        QCOMPARE(texts.size(), expected.size());
        for (const QString &line : std::as_const(expected))
            QVERIFY2(texts.contains(line), qPrintable(line));
        break;
    }
    case DiagramRenderer::Format::Pdf: {
        // One page, sized to the diagram (a scene pixel is 3/4 of a point).
        QVERIFY(data.startsWith("%PDF"));
        QCOMPARE(data.count("/Type /Page\n") + data.count("/Type /Page "), 1);
        const QRegularExpressionMatch box =
            QRegularExpression(uR"(/MediaBox \[0 0 ([\d.]+) ([\d.]+)\])"_s)
                .match(QString::fromLatin1(data));
        QVERIFY(box.hasMatch());
        QVERIFY(qAbs(box.captured(1).toDouble() - extent.width() * 0.75) <= 1);
        QVERIFY(qAbs(box.captured(2).toDouble() - extent.height() * 0.75) <= 1);
        break;
    }
    case DiagramRenderer::Format::Unknown:
        QFAIL("no picture written");
    }
}

void TestExport::wholeDiagramWhateverTheZoom()
{
    // A box far from the others, outside the view, widens the picture up to it, and
    // nothing but the margin is left around the drawing.
    ClassItem *far = addClass(m_window.get(), u"Far"_s);
    far->setPos(2500, 1800);
    QRectF bounds;
    for (const ClassItem *item : m_window->diagramClasses())
        bounds |= item->sceneBoundingRect();
    const QString path = m_dir.filePath(u"whole.png"_s);
    QCOMPARE(exportAs(path).size(), 1);
    const QImage whole(path);
    QCOMPARE(whole.size(), bounds.adjusted(-20, -20, 20, 20).toAlignedRect().size() * 2);
    // A box keeps 6 pixels right of its frame for text that runs past it.
    const QRect drawn = ink(whole);
    const QRect inner = whole.rect().adjusted(40, 40, -40, -40);
    QVERIFY2(
        qAbs(drawn.left() - inner.left()) <= 2 && qAbs(drawn.top() - inner.top()) <= 2
            && qAbs(drawn.right() + 2 * 6 - inner.right()) <= 2
            && qAbs(drawn.bottom() - inner.bottom()) <= 2,
        qPrintable(
            u"%1,%2 %3x%4"_s.arg(drawn.x()).arg(drawn.y()).arg(drawn.width()).arg(drawn.height())));

    m_window->findChild<QSlider *>(u"sli_zoom"_s)->setValue(30);
    const QString zoomed = m_dir.filePath(u"zoomed.png"_s);
    QCOMPARE(exportAs(zoomed).size(), 1);
    QCOMPARE(QImage(zoomed), whole);
}

void TestExport::failedWrites()
{
    // A folder that does not exist: the box, and no file.
    const QString nowhere = m_dir.filePath(u"missing/d.png"_s);
    QCOMPARE(
        exportAs(nowhere),
        (QStringList{u"Exporter l'image"_s,
                     u"Critical | Erreur | Impossible d'écrire l'image : %1 | Ok"_s.arg(nowhere)}));
    QVERIFY(!QFileInfo::exists(nowhere));
    QVERIFY(m_window->statusBar()->currentMessage().isEmpty());

    // A disk that fills up half way: the file already there stays, nothing is added.
    QTemporaryDir full;
    const DiagramRenderer renderer(m_window->diagramClasses(), m_window->diagramLinks());
    for (const QString &name : {u"d.png"_s, u"d.svg"_s, u"d.pdf"_s}) {
        const QString path = full.filePath(name);
        QVERIFY(writeFile(path, "before"));
        {
            FileSizeLimit limit(1000);
            QVERIFY(limit.isActive());
            QVERIFY2(!renderer.write(path, DiagramRenderer::formatOf(path)), qPrintable(name));
        }
        QCOMPARE(contents(path), QByteArray("before"));
        QCOMPARE(QDir(full.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
        QFile::remove(path);
    }
}

void TestExport::printPreview()
{
    // The whole diagram on one page, turned to landscape as the diagram is wide.
    int pages = -1;
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
    QTimer::singleShot(100, this, [&] {
        auto *preview = qobject_cast<QPrintPreviewDialog *>(QApplication::activeModalWidget());
        if (!preview)
            return;
        pages = preview->findChild<QPrintPreviewWidget *>()->pageCount();
        orientation = preview->printer()->pageLayout().orientation();
        preview->reject();
    });
    action(m_window.get(), "actionPrintPreview")->trigger();
    QCOMPARE(pages, 1);
    QCOMPARE(orientation, QPageLayout::Landscape);
}

void TestExport::commandLine_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    // The start of the file written; null when none may be.
    QTest::addColumn<QByteArray>("written");
    // A piece of what the program prints.
    QTest::addColumn<QString>("says");

    const QString out = u"OUT/d"_s;
    const QString png = out + u".png"_s;
    QTest::newRow("png") << QStringList{u"--export"_s, shapes, u"--output"_s, png} << 0
                         << QByteArray("\x89PNG") << png;
    QTest::newRow("svg") << QStringList{u"--export"_s, shapes, u"--output"_s, out + u".svg"_s} << 0
                         << QByteArray("<?xml") << u"d.svg"_s;
    QTest::newRow("pdf") << QStringList{u"--export"_s, shapes, u"--output"_s, out + u".pdf"_s} << 0
                         << QByteArray("%PDF") << u"d.pdf"_s;
    QTest::newRow("empty diagram")
        << QStringList{u"--export"_s, u"OUT/empty.vnls"_s, u"--output"_s, png} << 0
        << QByteArray("\x89PNG") << png;
    QTest::newRow("unknown suffix")
        << QStringList{u"--export"_s, shapes, u"--output"_s, out + u".jpg"_s} << 2 << QByteArray()
        << u"(.png, .svg ou .pdf attendu)"_s;
    QTest::newRow("no suffix") << QStringList{u"--export"_s, shapes, u"--output"_s, out} << 2
                               << QByteArray() << u"(.png, .svg ou .pdf attendu)"_s;
    QTest::newRow("with --generate")
        << QStringList{u"--export"_s, shapes, u"--generate"_s, shapes, u"--output"_s, png} << 2
        << QByteArray() << u"sans --generate"_s;
    QTest::newRow("no --output") << QStringList{u"--export"_s, shapes} << 2 << QByteArray()
                                 << u"un seul fichier --output"_s;
    QTest::newRow("missing diagram")
        << QStringList{u"--export"_s, u"OUT/none.vnls"_s, u"--output"_s, png} << 1 << QByteArray()
        << u"Impossible d'ouvrir"_s;
    QTest::newRow("missing folder")
        << QStringList{u"--export"_s, shapes, u"--output"_s, u"OUT/no/d.png"_s} << 1 << QByteArray()
        << u"Impossible d'écrire l'image"_s;
    QTest::newRow("help") << QStringList{u"--help"_s} << 0 << QByteArray()
                          << u"--export <diagramme>"_s;
}

void TestExport::commandLine()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QByteArray, written);
    QFETCH(QString, says);
    QTemporaryDir dir;
    QVERIFY(writeFile(dir.filePath(u"empty.vnls"_s),
                      "<?xml version='1.0' encoding='ISO-8859-1'?>\n<main version=\"1\" "
                      "name=\"DEFAULT\"/>\n"));
    arguments.replaceInStrings(u"OUT"_s, dir.path());
    says.replace(u"OUT"_s, dir.path());
    const QString output = arguments.value(arguments.indexOf(u"--output"_s) + 1, u"-"_s);

    // Without a display: anything that needed one would fail here.
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(u"DISPLAY"_s);
    env.insert(u"QT_QPA_PLATFORM"_s, u"xcb"_s);
    process.setProcessEnvironment(env);
    process.start(m_program, arguments);
    QVERIFY(process.waitForFinished(60000));
    QCOMPARE(process.exitCode(), exitCode);
    const QString printed =
        QString::fromUtf8(process.readAllStandardOutput() + process.readAllStandardError());
    QVERIFY2(printed.contains(says), qPrintable(printed));
    const QByteArray data = contents(output);
    if (written.isNull()) {
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{u"empty.vnls"_s});
        return;
    }
    QVERIFY(data.startsWith(written));
    if (arguments.contains(u"%1/empty.vnls"_s.arg(dir.path()))) {
        // A small blank picture, not an error.
        const QImage blank = QImage::fromData(data);
        QCOMPARE(blank.size(), QSize(80, 80));
        QVERIFY(ink(blank).isNull());
    } else if (output.endsWith(u".png"_s)) {
        // The same picture as the window's.
        const DiagramRenderer renderer(m_window->diagramClasses(), m_window->diagramLinks());
        QImage window = renderer.image();
        window.setDevicePixelRatio(1);
        QCOMPARE(QImage::fromData(data).convertToFormat(QImage::Format_RGB32),
                 window.convertToFormat(QImage::Format_RGB32));
    }
}

VARNEL_WINDOW_TEST_MAIN(TestExport)

#include "tst_export.moc"
