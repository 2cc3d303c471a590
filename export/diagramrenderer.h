#ifndef DIAGRAMRENDERER_H
#define DIAGRAMRENDERER_H

#include <QList>
#include <QRect>
#include <QString>

class ClassItem;
class Link;
class QImage;
class QIODevice;
class QPainter;
class QPrinter;

// Draws a whole diagram, at 100 % on white, for pictures and paper. It needs no window:
// the main window and the command line share it, so both give the same picture.
class DiagramRenderer
{
public:
    enum class Format { Unknown, Png, Svg, Pdf };

    // Room left around the boxes and links, in scene pixels.
    static constexpr int Margin = 20;
    // PNG pictures hold two pixels per scene pixel, so that their text stays sharp.
    static constexpr int PngScale = 2;

    DiagramRenderer(const QList<ClassItem *> &classes, const QList<Link *> &links);

    // From the file's suffix, whatever its case.
    static Format formatOf(const QString &path);

    // The part of the scene drawn: every box and link plus the margin. An empty
    // diagram gives a small blank square.
    QRect extent() const;

    // Draws the extent scaled to fit target, keeping its proportions, centred. Selected
    // items are drawn as if they were not.
    void render(QPainter *painter, const QRectF &target) const;

    QImage image() const;
    // Writes the picture in the given format. The file appears only once complete: a
    // write that fails leaves no file behind (nor changes one already there).
    bool write(const QString &path, Format format) const;
    // The diagram scaled to fit the printer's page.
    void print(QPrinter *printer) const;

private:
    bool writePng(QIODevice *device) const;
    bool writeSvg(QIODevice *device, const QString &title) const;
    bool writePdf(QIODevice *device, const QString &title) const;

    QList<ClassItem *> classes;
    QList<Link *> links;
};

#endif // DIAGRAMRENDERER_H
