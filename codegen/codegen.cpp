#include "codegen/codegen.h"

#include "canvas/classitem.h"
#include "codegen/codegenerator.h"
#include "model/classmodel.h"
#include "persistence/sessionstate.h"
#include "ui_codegen.h"

#include <QDir>
#include <QEvent>
#include <QFileDialog>
#include <QMessageBox>

namespace {

// The end of a folder path tells most about it: what does not fit is cut from the
// front, keeping the last folders whole when possible.
QString elidedPath(const QString &path, const QFontMetrics &metrics, int width)
{
    if (metrics.horizontalAdvance(path) <= width)
        return path;
    const QString ellipsis = QStringLiteral("…");
    const QChar separator = QDir::separator();
    QStringList parts = path.split(separator, Qt::SkipEmptyParts);
    QString tail;
    while (!parts.isEmpty()) {
        const QString longer = separator + parts.takeLast() + tail;
        if (metrics.horizontalAdvance(ellipsis + longer) > width)
            break;
        tail = longer;
    }
    if (tail.isEmpty())
        return metrics.elidedText(path, Qt::ElideLeft, width);
    return ellipsis + tail;
}

} // namespace

CodeGen::CodeGen(QList<ClassItem *> *classItems, QList<Link *> *linkItems, QWidget *parent)
    : QWidget(parent)
    , ui(new Ui_CodeGen)
    , classItems(classItems)
    , linkItems(linkItems)
{
    ui->setupUi(this);
    setWindowFlags(windowFlags() | Qt::Tool);
    ui->lis_classes->setModel(&classListModel);
    // A long folder is shown shortened rather than widening the window, and the label
    // takes all the room of its row: the spacer only keeps the button at the right end.
    ui->lab_dirPath->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    ui->horizontalSpacer->changeSize(0, 0, QSizePolicy::Expanding, QSizePolicy::Minimum);
    ui->lab_dirPath->setMinimumWidth(
        ui->lab_dirPath->fontMetrics().horizontalAdvance(QStringLiteral("…/generated")));
    ui->lab_dirPath->installEventFilter(this);
}

CodeGen::~CodeGen()
{
    // The label outlives the form pointers while the children are deleted.
    ui->lab_dirPath->removeEventFilter(this);
    delete ui;
}

void CodeGen::openGenerator()
{
    resetForm();
    QStringList names;
    for (const ClassItem *item : std::as_const(*classItems))
        names.append(item->getModel()->name());
    classListModel.setStringList(names);
    show();
}

void CodeGen::resetForm()
{
    selectedItems.clear();
    classListModel.setStringList(QStringList());
    dirPath.clear();
    showDirPath();
    ui->che_genAll->setChecked(false);
    ui->lis_classes->setEnabled(true);
}

void CodeGen::on_che_genAll_clicked(bool checked)
{
    ui->lis_classes->setEnabled(!checked);
}

void CodeGen::on_too_dirPath_clicked()
{
    // The widget-based dialog looks the same everywhere and can be driven by tests.
    const QString folderDialog = QStringLiteral("generation");
    const QString chosen = QFileDialog::getExistingDirectory(
        this, tr("Dossier de destination"), SessionState::dialogFolder(folderDialog, diagramFile),
        QFileDialog::ShowDirsOnly | QFileDialog::DontUseNativeDialog);
    // Cancelling keeps whatever was chosen before.
    if (chosen.isEmpty())
        return;
    SessionState::rememberDialogFolder(folderDialog, chosen, true);
    dirPath = chosen;
    showDirPath();
}

bool CodeGen::eventFilter(QObject *watched, QEvent *event)
{
    // The folder is shortened to the label's width, so it follows that width.
    if (watched == ui->lab_dirPath && event->type() == QEvent::Resize)
        showDirPath();
    return QWidget::eventFilter(watched, event);
}

void CodeGen::showDirPath()
{
    if (dirPath.isEmpty()) {
        ui->lab_dirPath->setText(QStringLiteral("-"));
        ui->lab_dirPath->setToolTip(QString());
        return;
    }
    const QString path = QDir::toNativeSeparators(dirPath);
    const int width = qMax(ui->lab_dirPath->width(), ui->lab_dirPath->minimumWidth());
    ui->lab_dirPath->setText(elidedPath(path, ui->lab_dirPath->fontMetrics(), width));
    ui->lab_dirPath->setToolTip(path);
}

QList<ClassItem *> CodeGen::pickedItems() const
{
    if (ui->che_genAll->isChecked())
        return *classItems;

    // Every class of a picked name is generated once, however many rows bear it, in the
    // order the names were picked.
    QStringList names;
    for (const QModelIndex &index : ui->lis_classes->selectionModel()->selectedIndexes())
        names.append(index.data(Qt::DisplayRole).toString());
    return CodeGenerator::classesNamed(*classItems, names);
}

void CodeGen::on_com_gen_clicked()
{
    if (dirPath.isEmpty()) {
        QMessageBox::critical(this, tr("Erreur"),
                              tr("Vous n'avez pas spécifié le dossier de destination"),
                              QMessageBox::Ok);
        return;
    }

    selectedItems = pickedItems();
    if (selectedItems.isEmpty()) {
        QMessageBox::information(this, tr("Génération"), tr("Aucune classe sélectionnée."),
                                 QMessageBox::Ok);
        return;
    }

    CodeGenerator generator(*linkItems, *classItems);
    // One box at the end lists every problem, rather than one box per class.
    QStringList problems;
    generator.setProblemHandler([&problems](CodeGenerator::Problem problem, const QString &name) {
        problems.append(CodeGenerator::problemText(problem, name));
    });
    const bool allWritten = generator.generate(selectedItems, dirPath);
    selectedItems.clear();

    if (allWritten) {
        QMessageBox::information(this, tr("Génération"),
                                 tr("La générération s'est correctement éffectuée."),
                                 QMessageBox::Ok);
    } else {
        // A box stays on the screen: beyond a screenful, the whole list is in its details.
        constexpr int shown = 20;
        QStringList lines = problems.mid(0, shown);
        if (problems.size() > shown)
            lines.append(tr("… et %1 autres, dans les détails").arg(problems.size() - shown));
        QMessageBox box(QMessageBox::Warning, tr("Génération"),
                        tr("La génération est terminée avec des erreurs.") + QStringLiteral("\n\n")
                            + lines.join(QLatin1Char('\n')),
                        QMessageBox::Ok, this);
        if (problems.size() > shown)
            box.setDetailedText(problems.join(QLatin1Char('\n')));
        box.exec();
    }
    hide();
}
