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

namespace {

// What the file says, gathered before any item is built.
struct ArgRecord
{
    QString name;
    QString type;
    QString defValue;
    int range = 0;
};

struct FunctionRecord
{
    QString name;
    QString returnType;
    int range = 0;
    bool hasLinkedAtt = false;
    QString linkedAtt;
    QList<ArgRecord> args;
};

struct ClassRecord
{
    QString name;
    QString comment;
    QString parentName;
    QString includes;
    float x = 0;
    float y = 0;
    QList<FunctionRecord> methods;
    QList<ArgRecord> attributes;
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
    QList<ClassRecord> classes;
    QList<LinkRecord> links;
};

// The attributes of an element are read in one pass, each name compared in place: most
// of the reading time goes to the stream reader, and this keeps the rest small.
int integer(QStringView value)
{
    bool ok = false;
    const int number = value.toInt(&ok, 10);
    return ok ? number : 0;
}

// Positions are almost always plain whole numbers: those are read digit by digit, as
// the general conversion costs thousands of instructions a number. False otherwise.
bool wholeNumber(QStringView text, double *value)
{
    const bool negative = text.startsWith(u'-');
    const QStringView digits = negative ? text.mid(1) : text;
    if (digits.isEmpty() || digits.size() > 9)
        return false;
    int whole = 0;
    for (const QChar c : digits) {
        if (c < u'0' || c > u'9')
            return false;
        whole = whole * 10 + (c.unicode() - u'0');
    }
    *value = negative ? -double(whole) : double(whole);
    return true;
}

float coordinate(QStringView text)
{
    double value = 0;
    if (!wholeNumber(text, &value)) {
        bool ok = false;
        value = text.toDouble(&ok);
        if (!ok || !std::isfinite(value))
            return 0;
    }
    // Brought inside the canvas where the box is built, once its size is known.
    return float(qBound(-double(ClassItem::canvasSize), value, double(ClassItem::canvasSize)));
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

QString valueOf(const QXmlStreamAttribute &attribute)
{
    return attribute.value().toString();
}

const QString &valueOf(const XmlScanner::Attribute &attribute)
{
    return attribute.value;
}

template<typename Attributes>
ClassRecord classRecord(const Attributes &attributes)
{
    ClassRecord record;
    for (const auto &attribute : attributes) {
        const auto name = nameOf(attribute);
        if (name == QLatin1String("name"))
            record.name = valueOf(attribute);
        else if (name == QLatin1String("comment"))
            record.comment = valueOf(attribute);
        else if (name == QLatin1String("parentName"))
            record.parentName = valueOf(attribute);
        else if (name == QLatin1String("includes"))
            record.includes = valueOf(attribute);
        else if (name == QLatin1String("posX"))
            record.x = coordinate(valueOf(attribute));
        else if (name == QLatin1String("posY"))
            record.y = coordinate(valueOf(attribute));
    }
    return record;
}

template<typename Attributes>
FunctionRecord functionRecord(const Attributes &attributes)
{
    FunctionRecord record;
    for (const auto &attribute : attributes) {
        const auto name = nameOf(attribute);
        if (name == QLatin1String("name")) {
            record.name = valueOf(attribute);
        } else if (name == QLatin1String("returnType")) {
            record.returnType = valueOf(attribute);
        } else if (name == QLatin1String("range")) {
            record.range = integer(valueOf(attribute));
        } else if (name == QLatin1String("linkedAtt")) {
            record.hasLinkedAtt = true;
            record.linkedAtt = valueOf(attribute);
        }
    }
    return record;
}

template<typename Attributes>
ArgRecord argRecord(const Attributes &attributes)
{
    ArgRecord record;
    for (const auto &attribute : attributes) {
        const auto name = nameOf(attribute);
        if (name == QLatin1String("name"))
            record.name = valueOf(attribute);
        else if (name == QLatin1String("type"))
            record.type = valueOf(attribute);
        else if (name == QLatin1String("defValue"))
            record.defValue = valueOf(attribute);
        else if (name == QLatin1String("range"))
            record.range = integer(valueOf(attribute));
    }
    return record;
}

template<typename Attributes>
LinkRecord linkRecord(const Attributes &attributes, qsizetype classesBefore)
{
    LinkRecord record;
    record.classesBefore = classesBefore;
    for (const auto &attribute : attributes) {
        const auto name = nameOf(attribute);
        if (name == QLatin1String("master"))
            record.master = valueOf(attribute);
        else if (name == QLatin1String("slave"))
            record.slave = valueOf(attribute);
        else if (name == QLatin1String("type"))
            record.type = integer(valueOf(attribute));
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
    FunctionRecord *currentFunction = nullptr;
    for (;;) {
        switch (xml.readNext()) {
        case XmlScanner::StartElement: {
            const int depth = xml.depth();
            const auto tag = xml.name();
            const auto &attributes = xml.attributes();
            if (depth == 2 && tag == QLatin1String("class")) {
                diagram->classes.append(classRecord(attributes));
                currentClass = &diagram->classes.last();
            } else if (depth == 2 && tag == QLatin1String("link")) {
                diagram->links.append(linkRecord(attributes, diagram->classes.size()));
            } else if (depth == 3 && currentClass && tag == QLatin1String("function")) {
                currentClass->methods.append(functionRecord(attributes));
                currentFunction = &currentClass->methods.last();
            } else if (depth == 3 && currentClass && tag == QLatin1String("arg-att")) {
                currentClass->attributes.append(argRecord(attributes));
            } else if (depth == 4 && currentFunction && tag == QLatin1String("arg-att")) {
                currentFunction->args.append(argRecord(attributes));
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

ArgAtt *argAtt(const ArgRecord &record)
{
    return new ArgAtt(record.name, record.type, record.defValue, record.range);
}

ClassItem *buildClass(const ClassRecord &record, const QFont *font)
{
    auto *item = new ClassItem(font);
    ClassModel *model = item->getModel();
    model->setName(record.name);

    QList<Function *> methods;
    QList<ArgAtt *> attributes;
    for (const FunctionRecord &method : record.methods) {
        QList<ArgAtt *> args;
        for (const ArgRecord &arg : method.args)
            args.append(argAtt(arg));
        methods.append(new Function(method.name, method.returnType, method.range, args));
        methods.last()->setLinkedAttName(method.linkedAtt);
    }
    for (const ArgRecord &attribute : record.attributes)
        attributes.append(argAtt(attribute));

    // An accessor points at the last attribute bearing its name. A method written
    // without "linkedAtt" stays unlinked even beside an attribute with an empty name.
    QHash<QString, ArgAtt *> attributeByName;
    for (qsizetype i = 0; i < methods.size(); ++i) {
        if (!record.methods.at(i).hasLinkedAtt)
            continue;
        if (attributeByName.isEmpty()) {
            for (ArgAtt *attribute : std::as_const(attributes))
                attributeByName.insert(attribute->name(), attribute);
        }
        if (ArgAtt *attribute = attributeByName.value(methods.at(i)->linkedAttName()))
            methods.at(i)->setLinkedAtt(attribute);
        methods.at(i)->setLinkedAttName(QString());
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

    for (const ClassRecord &record : std::as_const(diagram.classes))
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
