#include "persistence/diagramreader.h"

#include "canvas/classitem.h"
#include "canvas/link.h"
#include "model/argatt.h"
#include "model/classmodel.h"
#include "model/function.h"
#include "model/linkmodel.h"
#include "persistence/xmllimits.h"
#include "persistence/xmlscanner.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QXmlStreamReader>

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

namespace {

// What the file says, gathered before any box is built. Members are built as they are
// read, which spares copying every value through a record of its own.
struct MethodRecord
{
    std::unique_ptr<Function> method;
    // Resolved against the class's attributes once the whole class is read.
    bool hasLinkedAtt = false;
    QString linkedAtt;
};

struct ClassRecord
{
    QString name;
    QString comment;
    QString parentName;
    QString includes;
    float x = 0;
    float y = 0;
    std::vector<MethodRecord> methods;
    std::vector<std::unique_ptr<ArgAtt>> attributes;
};

struct LinkRecord
{
    QString master;
    QString slave;
    int type = 0;
    // A link only sees the classes written before it.
    qsizetype classesBefore = 0;
};

struct DiagramRecord
{
    std::vector<ClassRecord> classes;
    QList<LinkRecord> links;
};

// Numbers are almost always plain digits: those are read digit by digit, as the general
// conversion costs hundreds of instructions a number. False otherwise.
template<typename Text>
bool wholeNumber(Text text, double *value)
{
    const bool negative = !text.isEmpty() && text.at(0).unicode() == u'-';
    const qsizetype first = negative ? 1 : 0;
    if (text.size() == first || text.size() - first > 9)
        return false;
    int whole = 0;
    for (qsizetype i = first; i < text.size(); ++i) {
        const auto c = text.at(i).unicode();
        if (c < u'0' || c > u'9')
            return false;
        whole = whole * 10 + (c - u'0');
    }
    *value = negative ? -double(whole) : double(whole);
    return true;
}

// The two readers describe an attribute each in their own way. Names are compared with
// Latin-1 literals, which the scanner's names are too: no conversion on the common path.
QStringView nameOf(const QXmlStreamAttribute &attribute)
{
    return attribute.qualifiedName();
}

QLatin1String nameOf(const XmlScanner::Attribute &attribute)
{
    return attribute.name;
}

// A value as the file has it, where plain digits look the same as the text they decode to.
QStringView writtenOf(const QXmlStreamAttribute &attribute)
{
    return attribute.value();
}

QLatin1String writtenOf(const XmlScanner::Attribute &attribute)
{
    return attribute.written;
}

template<typename Reader, typename Attribute>
int integer(Reader &xml, const Attribute &attribute)
{
    double value = 0;
    if (wholeNumber(writtenOf(attribute), &value))
        return int(value);
    bool ok = false;
    const int number = xml.value(attribute).toInt(&ok, 10);
    return ok ? number : 0;
}

template<typename Reader, typename Attribute>
float coordinate(Reader &xml, const Attribute &attribute)
{
    double value = 0;
    if (!wholeNumber(writtenOf(attribute), &value)) {
        bool ok = false;
        value = xml.value(attribute).toDouble(&ok);
        if (!ok || !std::isfinite(value))
            return 0;
    }
    // Brought inside the canvas where the box is built, once its size is known.
    return float(qBound(-double(ClassItem::canvasSize), value, double(ClassItem::canvasSize)));
}

// The attributes of an element are read in one pass, each name compared in place.
template<typename Reader>
ClassRecord classRecord(Reader &xml)
{
    ClassRecord record;
    for (const auto &attribute : xml.attributes()) {
        const auto name = nameOf(attribute);
        if (name == QLatin1String("name"))
            record.name = xml.value(attribute);
        else if (name == QLatin1String("comment"))
            record.comment = xml.value(attribute);
        else if (name == QLatin1String("parentName"))
            record.parentName = xml.value(attribute);
        else if (name == QLatin1String("includes"))
            record.includes = xml.value(attribute);
        else if (name == QLatin1String("posX"))
            record.x = coordinate(xml, attribute);
        else if (name == QLatin1String("posY"))
            record.y = coordinate(xml, attribute);
    }
    return record;
}

template<typename Reader>
MethodRecord methodRecord(Reader &xml)
{
    MethodRecord record;
    QString name;
    QString returnType;
    int range = 0;
    for (const auto &attribute : xml.attributes()) {
        const auto key = nameOf(attribute);
        if (key == QLatin1String("name")) {
            name = xml.value(attribute);
        } else if (key == QLatin1String("returnType")) {
            returnType = xml.value(attribute);
        } else if (key == QLatin1String("range")) {
            range = integer(xml, attribute);
        } else if (key == QLatin1String("linkedAtt")) {
            record.hasLinkedAtt = true;
            record.linkedAtt = xml.value(attribute);
        }
    }
    record.method = std::make_unique<Function>(name, returnType, range, QList<ArgAtt *>());
    return record;
}

template<typename Reader>
std::unique_ptr<ArgAtt> argAtt(Reader &xml)
{
    QString name;
    QString type;
    QString defValue;
    int range = 0;
    for (const auto &attribute : xml.attributes()) {
        const auto key = nameOf(attribute);
        if (key == QLatin1String("name"))
            name = xml.value(attribute);
        else if (key == QLatin1String("type"))
            type = xml.value(attribute);
        else if (key == QLatin1String("defValue"))
            defValue = xml.value(attribute);
        else if (key == QLatin1String("range"))
            range = integer(xml, attribute);
    }
    return std::make_unique<ArgAtt>(name, type, defValue, range);
}

template<typename Reader>
LinkRecord linkRecord(Reader &xml, qsizetype classesBefore)
{
    LinkRecord record;
    record.classesBefore = classesBefore;
    for (const auto &attribute : xml.attributes()) {
        const auto name = nameOf(attribute);
        if (name == QLatin1String("master"))
            record.master = xml.value(attribute);
        else if (name == QLatin1String("slave"))
            record.slave = xml.value(attribute);
        else if (name == QLatin1String("type"))
            record.type = integer(xml, attribute);
    }
    return record;
}

// QXmlStreamReader behind the scanner's interface: every encoding and construct that XML
// allows, within our limits.
class GeneralReader
{
public:
    explicit GeneralReader(const QByteArray &data)
        : m_xml(data)
    {
        m_xml.setNamespaceProcessing(false);
    }

    XmlScanner::Token readNext()
    {
        while (!m_xml.atEnd()) {
            const QXmlStreamReader::TokenType token = m_xml.readNext();
            if (!m_guard.admit(m_xml, token))
                return XmlScanner::GaveUp;
            if (token == QXmlStreamReader::StartElement) {
                m_attributes = m_xml.attributes();
                return XmlScanner::StartElement;
            }
            if (token == QXmlStreamReader::EndElement)
                return XmlScanner::EndElement;
        }
        return m_xml.hasError() ? XmlScanner::GaveUp : XmlScanner::EndDocument;
    }
    QStringView name() const { return m_xml.qualifiedName(); }
    const QXmlStreamAttributes &attributes() const { return m_attributes; }
    QString value(const QXmlStreamAttribute &attribute) const
    {
        return attribute.value().toString();
    }
    int depth() const { return m_guard.depth(); }

private:
    QXmlStreamReader m_xml;
    XmlLimits::Guard m_guard;
    QXmlStreamAttributes m_attributes;
};

template<typename Reader>
bool parse(Reader &xml, DiagramRecord *diagram)
{
    // Depth 1 is the document element, whatever its tag; 2 its classes and links;
    // 3 the members of a class; 4 the arguments of a method.
    ClassRecord *currentClass = nullptr;
    Function *currentFunction = nullptr;
    for (;;) {
        switch (xml.readNext()) {
        case XmlScanner::StartElement: {
            const int depth = xml.depth();
            const auto tag = xml.name();
            if (depth == 2 && tag == QLatin1String("class")) {
                diagram->classes.push_back(classRecord(xml));
                currentClass = &diagram->classes.back();
            } else if (depth == 2 && tag == QLatin1String("link")) {
                diagram->links.append(linkRecord(xml, qsizetype(diagram->classes.size())));
            } else if (depth == 3 && currentClass && tag == QLatin1String("function")) {
                currentClass->methods.push_back(methodRecord(xml));
                currentFunction = currentClass->methods.back().method.get();
            } else if (depth == 3 && currentClass && tag == QLatin1String("arg-att")) {
                currentClass->attributes.push_back(argAtt(xml));
            } else if (depth == 4 && currentFunction && tag == QLatin1String("arg-att")) {
                currentFunction->addArg(argAtt(xml).release());
            }
            break;
        }
        case XmlScanner::EndElement:
            if (xml.depth() == 1)
                currentClass = nullptr;
            else if (xml.depth() == 2)
                currentFunction = nullptr;
            break;
        case XmlScanner::EndDocument:
            return true;
        case XmlScanner::GaveUp:
            return false;
        }
    }
}

// Our own files go through the scanner; anything it leaves, the general reader judges.
bool parse(const QByteArray &data, DiagramRecord *diagram)
{
    XmlScanner scanner(data);
    if (parse(scanner, diagram))
        return true;
    *diagram = DiagramRecord();
    GeneralReader general(data);
    return parse(general, diagram);
}

// The class's members pass to its model, which owns them from then on.
ClassItem *buildClass(ClassRecord &record, const QFont *font)
{
    auto *item = new ClassItem(font);
    ClassModel *model = item->getModel();
    model->setName(record.name);

    QList<Function *> methods;
    methods.reserve(qsizetype(record.methods.size()));
    for (MethodRecord &method : record.methods)
        methods.append(method.method.release());
    QList<ArgAtt *> attributes;
    attributes.reserve(qsizetype(record.attributes.size()));
    for (std::unique_ptr<ArgAtt> &attribute : record.attributes)
        attributes.append(attribute.release());

    // An accessor points at the last attribute bearing its name. A method written
    // without "linkedAtt" stays unlinked even beside an attribute with an empty name.
    QHash<QString, ArgAtt *> attributeByName;
    for (qsizetype i = 0; i < methods.size(); ++i) {
        const MethodRecord &method = record.methods.at(size_t(i));
        if (!method.hasLinkedAtt)
            continue;
        if (attributeByName.isEmpty()) {
            for (ArgAtt *attribute : std::as_const(attributes))
                attributeByName.insert(attribute->name(), attribute);
        }
        if (ArgAtt *attribute = attributeByName.value(method.linkedAtt))
            methods.at(i)->setLinkedAtt(attribute);
    }

    model->setComment(record.comment);
    model->setParentName(record.parentName);
    model->setMethods(methods);
    model->setAttributes(attributes);
    model->setIncludes(record.includes.split(QLatin1Char(';'), Qt::SkipEmptyParts));
    model->updateSize();

    item->setZValue(1); // boxes are drawn above the links
    // A box placed off the canvas by hand could be neither seen nor dragged back.
    const QRectF extent = item->boundingRect();
    const float right = float(qMax(0.0, ClassItem::canvasSize - extent.width()));
    const float bottom = float(qMax(0.0, ClassItem::canvasSize - extent.height()));
    // "+ 0.0f": "-0" lands at 0 like any other zero.
    item->setPos(qBound(0.0f, record.x, right) + 0.0f, qBound(0.0f, record.y, bottom) + 0.0f);
    return item;
}

} // namespace

DiagramReader::DiagramReader(const QFont *font)
    : m_font(font)
{}

void DiagramReader::clear()
{
    m_items.clear();
    m_droppedLinks.clear();
}

DiagramReader::Status DiagramReader::readFile(const QString &path)
{
    clear();
    // Directories, devices and pipes are no diagrams, and reading some never ends.
    const QFileInfo info(path);
    if (!info.isFile())
        return CannotOpen;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return CannotOpen;
    if (file.size() > maxFileSize)
        return CannotParse;
    // Sized by the file, not by the cap: a buffer of the cap would be taken for every read.
    const QByteArray data = file.read(file.size() + 1);
    if (file.error() != QFileDevice::NoError)
        return CannotOpen;
    if (data.size() > maxFileSize)
        return CannotParse;
    return readData(data);
}

DiagramReader::Status DiagramReader::readData(const QByteArray &data)
{
    clear();
    DiagramRecord diagram;
    if (!parse(data, &diagram))
        return CannotParse;

    m_items.classes.reserve(qsizetype(diagram.classes.size()));
    for (ClassRecord &record : diagram.classes)
        m_items.classes.append(buildClass(record, m_font));

    // The classes a link may name are those read before it; of several that bear a
    // name, the last one. Links come in file order, so the index only grows.
    QHash<QString, ClassItem *> byName;
    qsizetype indexed = 0;
    for (const LinkRecord &record : std::as_const(diagram.links)) {
        for (; indexed < record.classesBefore; ++indexed)
            byName.insert(m_items.classes.at(indexed)->getModel()->name(),
                          m_items.classes.at(indexed));
        ClassItem *master = byName.value(record.master);
        // Both ends naming one class would make it its own link.
        ClassItem *slave = record.slave == record.master ? nullptr : byName.value(record.slave);
        // A link missing an end could be neither drawn, edited nor saved: it is left
        // out rather than kept as an invisible item.
        if (!master || !slave) {
            const bool sameClass = master && record.slave == record.master;
            m_droppedLinks.append({record.master, record.slave,
                                   !master     ? record.master
                                   : sameClass ? QString()
                                               : record.slave,
                                   sameClass});
            continue;
        }
        auto *link = new Link;
        link->getModel()->setMaster(master);
        link->getModel()->setSlave(slave);
        link->getModel()->setType(record.type);
        m_items.links.append(link);
    }
    return ReadOk;
}

QList<ClassItem *> DiagramReader::takeClasses()
{
    return std::exchange(m_items.classes, {});
}

QList<Link *> DiagramReader::takeLinks()
{
    return std::exchange(m_items.links, {});
}

int DiagramReader::linksToMissingClasses() const
{
    return int(std::count_if(m_droppedLinks.cbegin(), m_droppedLinks.cend(),
                             [](const DroppedLink &link) { return !link.sameClass; }));
}
