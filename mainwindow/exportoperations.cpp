// The main window's ways out for the diagram besides its file: pictures and paper.
#include "mainwindow/mainwindow.h"

#include "export/diagramrenderer.h"
#include "persistence/sessionstate.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QStatusBar>

namespace {

// A wide diagram goes on a landscape page, where it is drawn larger.
void orientFor(QPrinter *printer, const DiagramRenderer &renderer)
{
    const QRect extent = renderer.extent();
    printer->setPageOrientation(extent.width() > extent.height() ? QPageLayout::Landscape
                                                                 : QPageLayout::Portrait);
}

} // namespace

void MainWindow::on_actionExportImage_triggered()
{
    const QString png = tr("Image PNG (*.png)");
    const QString svg = tr("Image SVG (*.svg)");
    const QString pdf = tr("Document PDF (*.pdf)");
    const QString exportDialog = QStringLiteral("export");
    QString filter = png;
    QString path = QFileDialog::getSaveFileName(
        this, tr("Exporter l'image"), SessionState::dialogFolder(exportDialog, diagramFile),
        QStringList{png, svg, pdf}.join(QLatin1String(";;")), &filter,
        QFileDialog::DontUseNativeDialog);
    if (path.isEmpty())
        return;
    SessionState::rememberDialogFolder(exportDialog, path, false);
    // A name without a known suffix takes the one of the chosen filter.
    if (DiagramRenderer::formatOf(path) == DiagramRenderer::Format::Unknown)
        path += filter == svg   ? QLatin1String(".svg")
                : filter == pdf ? QLatin1String(".pdf")
                                : QLatin1String(".png");

    const DiagramRenderer renderer(classItems, linkItems);
    if (!renderer.write(path, DiagramRenderer::formatOf(path))) {
        QMessageBox::critical(this, tr("Erreur"), tr("Impossible d'écrire l'image : ") + path);
        return;
    }
    statusBar()->showMessage(tr("Image exportée - ") + path, 10000);
}

void MainWindow::on_actionPrint_triggered()
{
    const DiagramRenderer renderer(classItems, linkItems);
    QPrinter printer;
    orientFor(&printer, renderer);
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() == QDialog::Accepted)
        renderer.print(&printer);
}

void MainWindow::on_actionPrintPreview_triggered()
{
    const DiagramRenderer renderer(classItems, linkItems);
    QPrinter printer;
    orientFor(&printer, renderer);
    QPrintPreviewDialog preview(&printer, this);
    preview.setObjectName(QStringLiteral("printPreview"));
    connect(&preview, &QPrintPreviewDialog::paintRequested, this,
            [&renderer](QPrinter *target) { renderer.print(target); });
    preview.exec();
}
