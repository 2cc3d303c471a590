// icongen: draws the pictograms embedded in Varnel and writes them as PNG files.
//
// Usage: icongen <resources-directory>
//
// Every picture is drawn with QPainter in a "design space": the origin sits at the centre of
// the image and the shorter side of the image spans 100 units (-50..50). The longer side spans
// proportionally more, so tall or wide formats keep a free margin that a drawing may use.
// Stroke widths are given in design units too, so they scale with the image size.

#include <QDir>
#include <QFileInfo>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QTextStream>

#include <cmath>
#include <cstdio>

namespace {

// ---------------------------------------------------------------------------------------------
// Palette and common measures

namespace Colour {
const QColor outline(0x2b, 0x2b, 0x2b);
const QColor paper(0xff, 0xff, 0xff);
const QColor paperShade(0xd9, 0xde, 0xe3);
const QColor detail(0x9a, 0xa1, 0xa8);    // grey lines inside boxes and sheets
const QColor classBand(0x1f, 0x6f, 0x8b); // title band of a class, product colour
const QColor add(0x2e, 0xa0, 0x4f);       // positive actions: add, apply
const QColor remove(0xd6, 0x3c, 0x3c);    // destructive action
const QColor folderBack(0xe0, 0x92, 0x1a);
const QColor folderFront(0xf7, 0xc1, 0x3e);
const QColor disk(0x27, 0x4b, 0x8a);
const QColor metal(0xc3, 0xcb, 0xd3);
const QColor gear(0x60, 0x70, 0x80); // settings
const QColor gearLight(0x8f, 0xa0, 0xb2);
const QColor gearAccent(0xe8, 0x8a, 0x1f); // generation
const QColor wood(0xb5, 0x6a, 0x2e);
const QColor doorway(0x3a, 0x40, 0x48);
const QColor knob(0xf2, 0xc9, 0x4c);
} // namespace Colour

constexpr qreal kOutline = 6.0; // main outline width, design units
constexpr qreal kDetail = 4.5;  // inner detail lines

QPen outlinePen(qreal width = kOutline, const QColor &colour = Colour::outline)
{
    QPen pen(colour, width);
    pen.setJoinStyle(Qt::RoundJoin);
    pen.setCapStyle(Qt::RoundCap);
    return pen;
}

// Fills a path and strokes it with the dark outline.
void drawShape(QPainter &p, const QPainterPath &path, const QColor &fill, qreal width = kOutline)
{
    p.setPen(outlinePen(width));
    p.setBrush(fill);
    p.drawPath(path);
}

void drawLine(QPainter &p, QPointF a, QPointF b, const QColor &colour, qreal width)
{
    p.setPen(outlinePen(width, colour));
    p.drawLine(a, b);
}

QPointF polar(QPointF centre, qreal radius, qreal radians)
{
    return centre + QPointF(radius * std::cos(radians), radius * std::sin(radians));
}

// ---------------------------------------------------------------------------------------------
// Shared building blocks

struct ClassBoxStyle
{
    qreal bandHeight = 20.0;     // height of the coloured title band
    int linesPerCompartment = 2; // grey lines standing for attributes / operations
    bool nameBar = false;        // white bar in the title band standing for the class name
    qreal outlineWidth = kOutline;
    qreal separatorWidth = kDetail; // lines between title band and compartments
    qreal corner = 4.0;
};

// A UML class: white box, coloured title band, two compartments.
void drawClassBox(QPainter &p, const QRectF &r, const ClassBoxStyle &style = {})
{
    QPainterPath box;
    box.addRoundedRect(r, style.corner, style.corner);

    p.setPen(Qt::NoPen);
    p.setBrush(Colour::paper);
    p.drawPath(box);

    const qreal bandBottom = r.top() + style.bandHeight;
    const qreal middle = bandBottom + (r.bottom() - bandBottom) / 2.0;

    p.save();
    p.setClipPath(box);
    p.setBrush(Colour::classBand);
    p.drawRect(QRectF(r.left(), r.top(), r.width(), style.bandHeight));
    p.restore();

    if (style.nameBar) {
        const qreal h = style.bandHeight * 0.26;
        const QRectF bar(r.center().x() - r.width() * 0.25, r.top() + (style.bandHeight - h) / 2,
                         r.width() * 0.5, h);
        p.setBrush(Colour::paper);
        p.drawRoundedRect(bar, h / 2, h / 2);
    }

    // Grey lines, alternately long and short, in each compartment.
    const qreal lineWidth = style.outlineWidth * 0.75;
    const qreal left = r.left() + r.width() * 0.16;
    const qreal lengths[] = {0.62, 0.42, 0.52};
    const qreal tops[] = {bandBottom, middle};
    for (qreal top : tops) {
        const qreal h = middle - bandBottom;
        const int n = style.linesPerCompartment;
        for (int i = 0; i < n; ++i) {
            const qreal y = top + h * (i + 1) / (n + 1);
            const qreal len = r.width() * lengths[i % 3];
            drawLine(p, QPointF(left, y), QPointF(left + len, y), Colour::detail, lineWidth);
        }
    }

    p.setPen(outlinePen(style.separatorWidth));
    p.setBrush(Qt::NoBrush);
    p.drawLine(QPointF(r.left(), bandBottom), QPointF(r.right(), bandBottom));
    p.drawLine(QPointF(r.left(), middle), QPointF(r.right(), middle));
    p.setPen(outlinePen(style.outlineWidth));
    p.drawPath(box);
}

// Outline of a spur gear. `phase` is the angle (radians) of the centre of the first tooth.
QPainterPath gearPath(QPointF centre, qreal tipRadius, qreal rootRadius, int teeth,
                      qreal holeRadius, qreal phase)
{
    const qreal pitch = 2.0 * M_PI / teeth;
    QPolygonF outline;
    for (int i = 0; i < teeth; ++i) {
        const qreal a = phase + i * pitch;
        outline << polar(centre, rootRadius, a - pitch * 0.5)
                << polar(centre, rootRadius, a - pitch * 0.27)
                << polar(centre, tipRadius, a - pitch * 0.15)
                << polar(centre, tipRadius, a + pitch * 0.15)
                << polar(centre, rootRadius, a + pitch * 0.27);
    }
    QPainterPath path;
    path.addPolygon(outline);
    path.closeSubpath();
    if (holeRadius > 0)
        path.addEllipse(centre, holeRadius, holeRadius);
    path.setFillRule(Qt::OddEvenFill);
    return path;
}

void drawGear(QPainter &p, QPointF centre, qreal tipRadius, qreal rootRadius, int teeth,
              qreal holeRadius, qreal phase, const QColor &colour, qreal outlineWidth = kOutline)
{
    drawShape(p, gearPath(centre, tipRadius, rootRadius, teeth, holeRadius, phase), colour,
              outlineWidth);
}

// Round disc with a white "+" or "x" on it.
enum class Sign { Plus, Cross };

void drawSignDisc(QPainter &p, QPointF centre, qreal radius, const QColor &colour, Sign sign,
                  qreal outlineWidth = kOutline)
{
    p.setPen(outlinePen(outlineWidth));
    p.setBrush(colour);
    p.drawEllipse(centre, radius, radius);

    const qreal arm = radius * 0.56;
    const qreal thickness = radius * 0.32;
    p.save();
    p.translate(centre);
    if (sign == Sign::Cross)
        p.rotate(45);
    drawLine(p, QPointF(-arm, 0), QPointF(arm, 0), Colour::paper, thickness);
    drawLine(p, QPointF(0, -arm), QPointF(0, arm), Colour::paper, thickness);
    p.restore();
}

// A sheet of paper with a folded top-right corner.
void drawSheet(QPainter &p, const QRectF &r, qreal fold, const QColor &fill = Colour::paper)
{
    QPainterPath sheet;
    sheet.moveTo(r.topLeft());
    sheet.lineTo(r.right() - fold, r.top());
    sheet.lineTo(r.right(), r.top() + fold);
    sheet.lineTo(r.bottomRight());
    sheet.lineTo(r.bottomLeft());
    sheet.closeSubpath();
    drawShape(p, sheet, fill);

    QPainterPath flap;
    flap.moveTo(r.right() - fold, r.top());
    flap.lineTo(r.right() - fold, r.top() + fold);
    flap.lineTo(r.right(), r.top() + fold);
    flap.closeSubpath();
    drawShape(p, flap, Colour::paperShade);
}

// ---------------------------------------------------------------------------------------------
// The pictograms. Each receives the design-space rectangle of its image.

void drawLogo(QPainter &p, const QRectF &area)
{
    const QRectF box(area.left() + 4, -36, 50, 72);
    ClassBoxStyle style;
    style.bandHeight = 20;
    style.linesPerCompartment = 2;
    drawClassBox(p, box, style);

    QFont font(QStringLiteral("DejaVu Sans"));
    font.setBold(true);
    font.setPixelSize(40);
    font.setHintingPreference(QFont::PreferNoHinting);
    QPainterPath text;
    text.addText(0, 0, font, QStringLiteral("Varnel"));

    // Fit the word in the room right of the box, vertically centred.
    const QRectF room(box.right() + 8, area.top() + 4, area.right() - 4 - (box.right() + 8),
                      area.height() - 8);
    const QRectF bounds = text.boundingRect();
    const qreal scale = std::min(room.width() / bounds.width(), room.height() / bounds.height());
    p.save();
    p.translate(room.left(), 0);
    p.scale(scale, scale);
    p.translate(-bounds.left(), -bounds.center().y());
    p.setPen(Qt::NoPen);
    p.setBrush(Colour::classBand);
    p.drawPath(text);
    p.restore();
}

void drawApply(QPainter &p, const QRectF &)
{
    QPainterPath check;
    check.moveTo(-46, -2);
    check.lineTo(-16, 30);
    check.lineTo(46, -34);
    p.setBrush(Qt::NoBrush);
    p.setPen(outlinePen(30));
    p.drawPath(check);
    p.setPen(outlinePen(18, Colour::add));
    p.drawPath(check);
}

void drawAdd(QPainter &p, const QRectF &)
{
    drawSignDisc(p, QPointF(0, 0), 44, Colour::add, Sign::Plus);
}

void drawDelete(QPainter &p, const QRectF &)
{
    drawSignDisc(p, QPointF(0, 0), 44, Colour::remove, Sign::Cross);
}

// Small image: drawn in pixel coordinates so the edges fall on the pixel grid.
void drawFavIcon(QPainter &p, const QRectF &)
{
    p.resetTransform();
    const QRectF outer(1, 2, 25, 29); // outer edge of the outline
    const qreal w = 2.0;
    const QRectF box = outer.adjusted(w / 2, w / 2, -w / 2, -w / 2);

    p.setPen(Qt::NoPen);
    p.setBrush(Colour::paper);
    p.drawRect(box);
    p.setBrush(Colour::classBand);
    p.drawRect(QRectF(outer.left(), outer.top(), outer.width(), 10));

    p.setBrush(Colour::detail);
    p.drawRect(QRectF(5, 15, 13, 2));
    p.drawRect(QRectF(5, 24, 10, 2));

    p.setBrush(Colour::outline);
    p.drawRect(QRectF(outer.left(), 11, outer.width(), 2));
    p.drawRect(QRectF(outer.left(), 20, outer.width(), 2));
    p.setPen(QPen(Colour::outline, w, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.setBrush(Qt::NoBrush);
    p.drawRect(box);
}

void drawAddClass(QPainter &p, const QRectF &)
{
    ClassBoxStyle style;
    style.bandHeight = 22;
    style.nameBar = true;
    drawClassBox(p, QRectF(-42, -44, 74, 84), style);
    drawSignDisc(p, QPointF(27, 27), 20, Colour::add, Sign::Plus, 5);
}

enum class LinkHead { Triangle, Diamond, OpenArrow };

// Two class boxes stacked vertically, the lower one pointing at the upper one.
void drawLink(QPainter &p, const QRectF &area, LinkHead head)
{
    const qreal boxW = 68;
    const qreal boxH = 30;
    const qreal margin = kOutline / 2 + 1;
    const QRectF upper(-boxW / 2, area.top() + margin, boxW, boxH);
    const QRectF lower(-boxW / 2, area.bottom() - margin - boxH, boxW, boxH);
    ClassBoxStyle style;
    style.bandHeight = 11;
    style.linesPerCompartment = 0;
    style.separatorWidth = 3.5;
    drawClassBox(p, upper, style);
    drawClassBox(p, lower, style);

    const QPointF tip(0, upper.bottom() + kOutline / 2);
    const qreal headW = 38;
    const qreal headH = 28;
    qreal lineEnd = tip.y();

    QPainterPath path;
    switch (head) {
    case LinkHead::Triangle:
        path.moveTo(tip);
        path.lineTo(tip.x() + headW / 2, tip.y() + headH);
        path.lineTo(tip.x() - headW / 2, tip.y() + headH);
        path.closeSubpath();
        lineEnd = tip.y() + headH;
        break;
    case LinkHead::Diamond:
        path.moveTo(tip);
        path.lineTo(tip.x() + headW * 0.4, tip.y() + headH * 0.6);
        path.lineTo(tip.x(), tip.y() + headH * 1.2);
        path.lineTo(tip.x() - headW * 0.4, tip.y() + headH * 0.6);
        path.closeSubpath();
        lineEnd = tip.y() + headH * 1.2;
        break;
    case LinkHead::OpenArrow:
        path.moveTo(tip.x() - headW / 2, tip.y() + headH * 0.8);
        path.lineTo(tip);
        path.lineTo(tip.x() + headW / 2, tip.y() + headH * 0.8);
        break;
    }

    drawLine(p, QPointF(0, lower.top()), QPointF(0, lineEnd), Colour::outline, kOutline);
    if (head == LinkHead::OpenArrow) {
        p.setBrush(Qt::NoBrush);
        p.setPen(outlinePen());
        p.drawPath(path);
    } else {
        drawShape(p, path, Colour::paper);
    }
}

void drawInheritance(QPainter &p, const QRectF &area)
{
    drawLink(p, area, LinkHead::Triangle);
}

void drawAggregation(QPainter &p, const QRectF &area)
{
    drawLink(p, area, LinkHead::Diamond);
}

void drawAssociation(QPainter &p, const QRectF &area)
{
    drawLink(p, area, LinkHead::OpenArrow);
}

// The application's own icon: a tile holding a base class and a derived class joined by an
// inheritance elbow, so that it reads as "class diagram" in a launcher or a task bar.
void drawAppIcon(QPainter &p, const QRectF &)
{
    QPainterPath tile;
    tile.addRoundedRect(QRectF(-47, -47, 94, 94), 18, 18);
    drawShape(p, tile, Colour::paperShade, 3);

    const qreal line = 3.5;
    ClassBoxStyle style;
    style.bandHeight = 11;
    style.linesPerCompartment = 1;
    style.outlineWidth = line;
    style.separatorWidth = 2.5;
    const QRectF base(-36, -38, 40, 30);
    const QRectF derived(-4, 10, 40, 28);
    drawClassBox(p, base, style);
    drawClassBox(p, derived, style);

    // Elbow from the derived class's left side up to a hollow triangle under the base class.
    const QPointF tip(base.center().x(), base.bottom() + line / 2);
    const qreal headW = 16;
    const qreal headH = 12;
    const QPointF corner(tip.x(), derived.center().y());
    drawLine(p, QPointF(derived.left(), corner.y()), corner, Colour::outline, line);
    drawLine(p, corner, QPointF(tip.x(), tip.y() + headH), Colour::outline, line);
    QPainterPath head;
    head.moveTo(tip);
    head.lineTo(tip.x() + headW / 2, tip.y() + headH);
    head.lineTo(tip.x() - headW / 2, tip.y() + headH);
    head.closeSubpath();
    drawShape(p, head, Colour::paper, line);
}

void drawGenerate(QPainter &p, const QRectF &area)
{
    // Source file behind the gears.
    const QRectF sheet(-44, area.top() + 5, 62, 72);
    drawSheet(p, sheet, 16);
    const qreal x = sheet.left() + 9;
    const qreal rows[][2] = {{0, 22}, {8, 22}, {8, 14}, {0, 10}};
    for (int i = 0; i < 4; ++i) {
        const qreal y = sheet.top() + 26 + i * 11;
        drawLine(p, QPointF(x + rows[i][0], y), QPointF(x + rows[i][0] + rows[i][1], y),
                 Colour::detail, kDetail);
    }

    // Two meshing gears: the big one shows a gap toward the small one, which shows a tooth.
    const QPointF big(-6, area.bottom() - 33);
    const qreal bigTip = 28, bigRoot = 21;
    const int bigTeeth = 10;
    const qreal smallTip = 21, smallRoot = 14;
    const int smallTeeth = 7;
    const qreal toward = -M_PI / 4; // direction from the big gear to the small one
    const qreal distance = (bigTip + bigRoot) / 2 + (smallTip + smallRoot) / 2 + 1.5;
    const QPointF small = polar(big, distance, toward);

    drawGear(p, small, smallTip, smallRoot, smallTeeth, 5, toward + M_PI, Colour::gearLight,
             kDetail);
    drawGear(p, big, bigTip, bigRoot, bigTeeth, 8, toward + M_PI / bigTeeth, Colour::gearAccent);
}

void drawNew(QPainter &p, const QRectF &area)
{
    drawSheet(p, QRectF(-38, area.top() + 6, 76, area.height() - 12), 26);
}

void drawLoad(QPainter &p, const QRectF &)
{
    // Back of the folder with its tab.
    QPainterPath back;
    back.moveTo(-45, 36);
    back.lineTo(-45, -34);
    back.lineTo(-14, -34);
    back.lineTo(-6, -24);
    back.lineTo(36, -24);
    back.lineTo(36, 36);
    back.closeSubpath();
    drawShape(p, back, Colour::folderBack);

    // A sheet sticking out of the open folder.
    QPainterPath sheet;
    sheet.addRect(QRectF(-32, -16, 58, 40));
    drawShape(p, sheet, Colour::paper, kDetail);

    // Front flap, tilted open.
    QPainterPath front;
    front.moveTo(-45, 36);
    front.lineTo(-30, -4);
    front.lineTo(48, -4);
    front.lineTo(36, 36);
    front.closeSubpath();
    drawShape(p, front, Colour::folderFront);
}

void drawSave(QPainter &p, const QRectF &)
{
    const qreal s = 44;   // half size of the body
    const qreal cut = 12; // bevelled top-right corner
    QPainterPath body;
    body.moveTo(-s, -s + 4);
    body.quadTo(-s, -s, -s + 4, -s);
    body.lineTo(s - cut, -s);
    body.lineTo(s, -s + cut);
    body.lineTo(s, s - 4);
    body.quadTo(s, s, s - 4, s);
    body.lineTo(-s + 4, s);
    body.quadTo(-s, s, -s, s - 4);
    body.closeSubpath();
    drawShape(p, body, Colour::disk);

    // Metal shutter with its window.
    QPainterPath shutter;
    shutter.addRect(QRectF(-24, -s, 44, 34));
    drawShape(p, shutter, Colour::metal);
    QPainterPath window;
    window.addRect(QRectF(4, -s + 7, 10, 20));
    drawShape(p, window, Colour::disk, kDetail);

    // Label.
    QPainterPath label;
    label.addRoundedRect(QRectF(-32, 2, 64, s - 2), 3, 3);
    drawShape(p, label, Colour::paper);
    drawLine(p, QPointF(-22, 16), QPointF(22, 16), Colour::detail, kDetail);
    drawLine(p, QPointF(-22, 28), QPointF(10, 28), Colour::detail, kDetail);
}

void drawQuit(QPainter &p, const QRectF &area)
{
    const qreal top = area.top() + 14;
    const qreal bottom = area.bottom() - 14;
    const QRectF opening(-42, top, 52, bottom - top);

    // Frame and the dark doorway.
    QPainterPath frame;
    frame.addRect(opening.adjusted(-4, -4, 4, 0));
    drawShape(p, frame, Colour::doorway);

    // Door panel hinged on the left, swung toward the viewer: its free edge looks taller.
    const qreal freeX = opening.left() + 28;
    const qreal grow = 9;
    QPainterPath door;
    door.moveTo(opening.left(), opening.top());
    door.lineTo(freeX, opening.top() - grow);
    door.lineTo(freeX, opening.bottom() + grow);
    door.lineTo(opening.left(), opening.bottom());
    door.closeSubpath();
    drawShape(p, door, Colour::wood);

    p.setPen(outlinePen(kDetail));
    p.setBrush(Colour::knob);
    p.drawEllipse(QPointF(freeX - 7, 4), 4.5, 4.5);

    // Exit arrow leaving through the doorway.
    QPainterPath arrow;
    const qreal y = 4;
    const qreal tipX = 45;
    const qreal headX = 26;
    arrow.moveTo(freeX + 4, y - 6);
    arrow.lineTo(headX, y - 6);
    arrow.lineTo(headX, y - 17);
    arrow.lineTo(tipX, y);
    arrow.lineTo(headX, y + 17);
    arrow.lineTo(headX, y + 6);
    arrow.lineTo(freeX + 4, y + 6);
    arrow.closeSubpath();
    drawShape(p, arrow, Colour::add, kDetail);
}

// A sheet holding a small diagram, with an arrow carrying it out: the picture leaves
// the program as a file.
void drawExport(QPainter &p, const QRectF &)
{
    const QRectF sheet(-46, -46, 66, 86);
    drawSheet(p, sheet, 18);

    ClassBoxStyle style;
    style.bandHeight = 8;
    style.linesPerCompartment = 1;
    style.outlineWidth = 3.5;
    style.separatorWidth = 2.5;
    style.corner = 2;
    drawClassBox(p, QRectF(-38, -22, 30, 26), style);
    drawClassBox(p, QRectF(-20, 14, 30, 20), style);
    drawLine(p, QPointF(-23, 4), QPointF(-23, 24), Colour::outline, 3);
    drawLine(p, QPointF(-23, 24), QPointF(-20, 24), Colour::outline, 3);

    QPainterPath arrow;
    const qreal y = 6;
    arrow.moveTo(4, y - 7);
    arrow.lineTo(26, y - 7);
    arrow.lineTo(26, y - 19);
    arrow.lineTo(48, y);
    arrow.lineTo(26, y + 19);
    arrow.lineTo(26, y + 7);
    arrow.lineTo(4, y + 7);
    arrow.closeSubpath();
    drawShape(p, arrow, Colour::add, kDetail);
}

void drawCfgs(QPainter &p, const QRectF &)
{
    drawGear(p, QPointF(0, 0), 46, 34, 8, 14, -M_PI / 2, Colour::gear);
}

// A hooked arrow turning back to the left; redo is its mirror image.
void drawTurnBack(QPainter &p)
{
    QPainterPath shaft;
    shaft.moveTo(-24, -16);
    shaft.lineTo(10, -16);
    shaft.arcTo(QRectF(-16, -16, 52, 52), 90, -180);
    shaft.lineTo(-6, 36);
    p.setBrush(Qt::NoBrush);
    p.setPen(outlinePen(24));
    p.drawPath(shaft);
    p.setPen(outlinePen(12, Colour::classBand));
    p.drawPath(shaft);

    QPainterPath head;
    head.moveTo(-46, -16);
    head.lineTo(-18, -40);
    head.lineTo(-18, 8);
    head.closeSubpath();
    drawShape(p, head, Colour::classBand);
}

void drawUndo(QPainter &p, const QRectF &)
{
    drawTurnBack(p);
}

void drawRedo(QPainter &p, const QRectF &)
{
    p.scale(-1, 1);
    drawTurnBack(p);
}

// ---------------------------------------------------------------------------------------------

struct Picture
{
    const char *path;
    int width;
    int height;
    void (*draw)(QPainter &, const QRectF &);
};

const Picture kPictures[] = {
    {"OtherIcone/IconeVNL-200x110.png", 200, 110, drawLogo},
    {"OtherIcone/Apply.png", 152, 114, drawApply},
    {"OtherIcone/Add.png", 77, 77, drawAdd},
    {"OtherIcone/FavIcon.png", 27, 32, drawFavIcon},
    {"OtherIcone/Delete.png", 132, 125, drawDelete},
    {"IconeMainWindow/AddClass.png", 179, 179, drawAddClass},
    {"IconeMainWindow/InheritanceLink.png", 114, 134, drawInheritance},
    {"IconeMainWindow/AgregationLink.png", 114, 133, drawAggregation},
    {"IconeMainWindow/AssociationLink.png", 114, 133, drawAssociation},
    {"IconeMainWindow/Generate.png", 95, 114, drawGenerate},
    {"IconeMainWindow/New.png", 58, 77, drawNew},
    {"IconeMainWindow/Load.png", 80, 152, drawLoad},
    {"IconeMainWindow/Save.png", 152, 152, drawSave},
    {"IconeMainWindow/Quit.png", 101, 156, drawQuit},
    {"IconeMainWindow/Cfgs.png", 115, 156, drawCfgs},
    {"IconeMainWindow/Export.png", 152, 152, drawExport},
    {"IconeMainWindow/Undo.png", 120, 120, drawUndo},
    {"IconeMainWindow/Redo.png", 120, 120, drawRedo},
};

// The launcher icon at the sizes of the desktop's icon theme.
const int kAppIconSizes[] = {16, 24, 32, 48, 64, 128, 256};

QImage render(const Picture &picture)
{
    QImage image(picture.width, picture.height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);

    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);

    const qreal unit = std::min(picture.width, picture.height) / 100.0;
    p.translate(picture.width / 2.0, picture.height / 2.0);
    p.scale(unit, unit);
    const qreal halfW = picture.width / unit / 2.0;
    const qreal halfH = picture.height / unit / 2.0;
    picture.draw(p, QRectF(-halfW, -halfH, 2 * halfW, 2 * halfH));
    p.end();

    return image.convertToFormat(QImage::Format_ARGB32);
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    const QStringList args = app.arguments();
    if (args.size() != 2 && args.size() != 3) {
        std::fprintf(stderr, "usage: icongen <resources-directory> [<icon-theme-directory>]\n");
        return 2;
    }
    const QDir root(args.at(1));

    QList<Picture> pictures(std::begin(kPictures), std::end(kPictures));
    QList<QByteArray> appIconPaths; // keeps the paths alive for the Picture records
    if (args.size() == 3) {
        for (int size : kAppIconSizes) {
            appIconPaths.append(
                QDir(args.at(2))
                    .absoluteFilePath(QStringLiteral("%1x%1/apps/varnel.png").arg(size))
                    .toLocal8Bit());
        }
        for (int i = 0; i < appIconPaths.size(); ++i)
            pictures.append(
                {appIconPaths.at(i).constData(), kAppIconSizes[i], kAppIconSizes[i], drawAppIcon});
    }

    int failures = 0;
    for (const Picture &picture : pictures) {
        const QString file = root.filePath(QString::fromLatin1(picture.path));
        if (!QDir().mkpath(QFileInfo(file).absolutePath()) || !render(picture).save(file, "PNG")) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
            ++failures;
            continue;
        }
        std::printf("%s (%dx%d)\n", qPrintable(file), picture.width, picture.height);
    }
    return failures == 0 ? 0 : 1;
}
