// Takes the user guide's pictures of the real windows: the main window with a diagram,
// the class editor, the generation window and the code it writes. Run it through
// tools/screenshots.sh, which gives it a display of its own.
#include "canvas/classitem.h"
#include "codegen/codegen.h"
#include "codegen/codegenerator.h"
#include "editors/classeditor.h"
#include "mainwindow/mainwindow.h"
#include "mainwindow/translations.h"
#include "model/classmodel.h"
#include "persistence/cfg.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTimer>
#include <QVBoxLayout>

#include <cstdio>

namespace {

template<class T>
T *topLevel()
{
    const QList<QWidget *> widgets = QApplication::topLevelWidgets();
    for (QWidget *widget : widgets) {
        if (auto *found = qobject_cast<T *>(widget); found && found->isVisible())
            return found;
    }
    return nullptr;
}

// Lets the window system lay out and paint before the picture is taken.
void settle()
{
    for (int i = 0; i < 10; ++i) {
        QApplication::processEvents();
        QTimer timer;
        timer.setSingleShot(true);
        QEventLoop loop;
        QObject::connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
        timer.start(30);
        loop.exec();
    }
}

bool save(QWidget *widget, const QString &folder, const QString &name)
{
    settle();
    const QString path = folder + QLatin1Char('/') + name;
    if (!widget->grab().save(path)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    std::printf("%s\n", qPrintable(path));
    return true;
}

QPlainTextEdit *codeView(const QString &text)
{
    auto *view = new QPlainTextEdit(text);
    view->setReadOnly(true);
    view->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    view->setLineWrapMode(QPlainTextEdit::NoWrap);
    return view;
}

} // namespace

int main(int argc, char *argv[])
{
    int appArgc = 1;
    QApplication app(appArgc, argv);
    if (argc != 4) {
        std::fprintf(stderr, "usage: %s <output folder> <diagram.vnls> <class to show>\n", argv[0]);
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    const QString diagram = QString::fromLocal8Bit(argv[2]);
    const QString shown = QString::fromLocal8Bit(argv[3]);
    QDir().mkpath(folder);
    // VARNEL_LANGUAGE=en takes the pictures of the English interface.
    Translations::install(qEnvironmentVariable("VARNEL_LANGUAGE"));

    // Default settings, without the welcome window, whatever the user running this has.
    QTemporaryDir settingsDir;
    Cfg::setPathOverride(settingsDir.filePath(QStringLiteral("cfgs.xml")));
    Cfg defaults;
    defaults.setWellWin(false);
    if (defaults.writeCfg() != 0)
        return 1;

    MainWindow window;
    window.resize(1180, 760);
    window.show();
    if (!window.load(diagram)) {
        std::fprintf(stderr, "cannot open %s\n", qPrintable(diagram));
        return 1;
    }
    bool ok = save(&window, folder, QStringLiteral("main-window.png"));

    ClassItem *item = nullptr;
    for (ClassItem *candidate : window.diagramClasses()) {
        if (candidate->getModel()->name() == shown)
            item = candidate;
    }
    if (!item) {
        std::fprintf(stderr, "no class %s in the diagram\n", qPrintable(shown));
        return 1;
    }
    item->getModel()->requestEdit();
    if (ClassEditor *editor = topLevel<ClassEditor>()) {
        editor->showNormal();
        editor->resize(980, 700);
        ok = save(editor, folder, QStringLiteral("class-editor.png")) && ok;
        editor->close();
    }

    window.findChild<QAction *>(QStringLiteral("actionGenerate"))->trigger();
    if (CodeGen *generation = topLevel<CodeGen>()) {
        ok = save(generation, folder, QStringLiteral("generation.png")) && ok;
        generation->close();
    }

    const CodeGenerator generator(window.diagramLinks());
    QWidget code;
    auto *layout = new QHBoxLayout(&code);
    const QString className = item->getModel()->name();
    for (const auto &[name, text] :
         {std::pair{CodeGenerator::headerFileName(className), generator.headerText(item)},
          std::pair{CodeGenerator::sourceFileName(className), generator.sourceText(item)}}) {
        auto *column = new QVBoxLayout;
        column->addWidget(new QLabel(name));
        column->addWidget(codeView(text));
        layout->addLayout(column);
    }
    code.resize(1180, 620);
    code.show();
    ok = save(&code, folder, QStringLiteral("generated-code.png")) && ok;

    return ok ? 0 : 1;
}
