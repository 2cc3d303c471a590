#include "export/diagramrenderer.h"

#include "canvas/classitem.h"
#include "canvas/link.h"
#include "model/linkmodel.h"
#include "persistence/filewriting.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QStyleOptionGraphicsItem>
#include <QSvgGenerator>

#include <algorithm>

namespace {

// The canvas's own resolution: fonts given in points take the size they have on screen,
// whatever the device the picture goes to.
constexpr int ScreenDpi = 96;
constexpr qreal InchesPerMeter = 1 / 0.0254;

bool hasEnds(const Link *link)
{
    return link->getModel()->master() && link->getModel()->slave();
}

} // namespace

DiagramRenderer::DiagramRenderer(const QList<ClassItem *> &classes, const QList<Link *> &links)
    : classes(classes)
    , links(links)
{}

DiagramRenderer::Format DiagramRenderer::formatOf(const QString &path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("png"))
        return Format::Png;
    if (suffix == QLatin1String("svg"))
        return Format::Svg;
    if (suffix == QLatin1String("pdf"))
        return Format::Pdf;
    return Format::Unknown;
}

QRect DiagramRenderer::extent() const
{
    QRectF bounds;
    for (const ClassItem *item : classes)
        bounds |= item->sceneBoundingRect();
    for (const Link *link : links) {
        if (hasEnds(link))
            bounds |= link->sceneBoundingRect();
    }
    if (bounds.isNull())
        return QRect(0, 0, 2 * Margin, 2 * Margin);
    return bounds.adjusted(-Margin, -Margin, Margin, Margin).toAlignedRect();
}

void DiagramRenderer::render(QPainter *painter, const QRectF &target) const
{
    const QRectF source = extent();
    const qreal scale =
        std::min(target.width() / source.width(), target.height() / source.height());
    const QSizeF drawn = source.size() * scale;

    painter->save();
    painter->setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    painter->translate(target.left() + (target.width() - drawn.width()) / 2,
                       target.top() + (target.height() - drawn.height()) / 2);
    painter->scale(scale, scale);
    painter->translate(-source.topLeft());
    painter->fillRect(source, Qt::white);

    // Drawn in the scene's stacking order: the links first, under the boxes.
    QList<QGraphicsItem *> items;
    for (Link *link : links) {
        if (hasEnds(link))
            items.append(link);
    }
    for (ClassItem *item : classes)
        items.append(item);
    std::stable_sort(
        items.begin(), items.end(),
        [](const QGraphicsItem *a, const QGraphicsItem *b) { return a->zValue() < b->zValue(); });

    // A selection belongs to the screen, not to the picture.
    QList<QGraphicsItem *> selected;
    for (QGraphicsItem *item : std::as_const(items)) {
        if (item->isSelected()) {
            selected.append(item);
            item->setSelected(false);
        }
    }
    const QStyleOptionGraphicsItem option;
    for (QGraphicsItem *item : std::as_const(items)) {
        painter->save();
        painter->setPen(QPen(Qt::black));
        painter->setBrush(Qt::NoBrush);
        painter->setTransform(item->sceneTransform(), true);
        item->paint(painter, &option, nullptr);
        painter->restore();
    }
    for (QGraphicsItem *item : std::as_const(selected))
        item->setSelected(true);
    painter->restore();
}

QImage DiagramRenderer::image() const
{
    const QRect source = extent();
    QImage picture(source.size() * PngScale, QImage::Format_RGB32);
    picture.setDevicePixelRatio(PngScale);
    // Drawn at the screen's resolution, then marked at twice that for the programs
    // that place the picture: it keeps the diagram's size on the page.
    picture.setDotsPerMeterX(qRound(ScreenDpi * InchesPerMeter));
    picture.setDotsPerMeterY(qRound(ScreenDpi * InchesPerMeter));
    picture.fill(Qt::white);
    QPainter painter(&picture);
    render(&painter, QRectF(QPointF(0, 0), source.size()));
    painter.end();
    picture.setDotsPerMeterX(qRound(PngScale * ScreenDpi * InchesPerMeter));
    picture.setDotsPerMeterY(qRound(PngScale * ScreenDpi * InchesPerMeter));
    return picture;
}

bool DiagramRenderer::write(const QString &path, Format format) const
{
    // Drawn in memory first: the SVG and PDF writers do not all notice a short write, so
    // the whole picture is written at once and its length checked.
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    const QString title = QFileInfo(path).completeBaseName();
    bool drawn = false;
    switch (format) {
    case Format::Png:
        drawn = writePng(&buffer);
        break;
    case Format::Svg:
        drawn = writeSvg(&buffer, title);
        break;
    case Format::Pdf:
        drawn = writePdf(&buffer, title);
        break;
    case Format::Unknown:
        break;
    }
    buffer.close();
    if (!drawn)
        return false;

    return FileWriting::save(path, data);
}

bool DiagramRenderer::writePng(QIODevice *device) const
{
    return image().save(device, "PNG");
}

bool DiagramRenderer::writeSvg(QIODevice *device, const QString &title) const
{
    const QRect source = extent();
    QSvgGenerator svg;
    svg.setOutputDevice(device);
    svg.setResolution(ScreenDpi);
    svg.setSize(source.size());
    svg.setViewBox(QRect(QPoint(0, 0), source.size()));
    svg.setTitle(title);
    QPainter painter;
    if (!painter.begin(&svg))
        return false;
    render(&painter, QRectF(QPointF(0, 0), source.size()));
    return painter.end();
}

bool DiagramRenderer::writePdf(QIODevice *device, const QString &title) const
{
    const QRect source = extent();
    QPdfWriter pdf(device);
    pdf.setResolution(ScreenDpi);
    pdf.setTitle(title);
    pdf.setCreator(QStringLiteral("Varnel"));
    // One page the size of the diagram, a scene pixel being a pixel of the screen.
    const QSizeF points = QSizeF(source.size()) * 72.0 / ScreenDpi;
    pdf.setPageSize(QPageSize(points, QPageSize::Point, QString(), QPageSize::ExactMatch));
    pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
    QPainter painter;
    if (!painter.begin(&pdf))
        return false;
    render(&painter, QRectF(0, 0, pdf.width(), pdf.height()));
    return painter.end();
}

void DiagramRenderer::print(QPrinter *printer) const
{
    // At the screen's resolution the fonts keep their size against the boxes; the
    // output stays vector all the same.
    printer->setResolution(ScreenDpi);
    QPainter painter;
    if (!painter.begin(printer))
        return;
    render(&painter, QRectF(0, 0, printer->width(), printer->height()));
}
