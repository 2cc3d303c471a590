#include "persistence/diagramreader.h"

#include "canvas/classitem.h"
#include "canvas/link.h"
#include "model/argatt.h"
#include "model/classmodel.h"
#include "model/function.h"
#include "model/linkmodel.h"
#include "model/namedrecords.h"
#include "persistence/xmllimits.h"
#include "persistence/xmlscanner.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QStringTokenizer>
#include <QXmlStreamReader>

#include <algorithm>
#include <cmath>

namespace {

// What the file says, gathered before any box is built. Members are built as they are
// read, which spares copying every value through a record of its own.

// A method written with "linkedAtt": the attribute it names is looked up once the whole
// class is read.
struct Accessor
{
    Function *method = nullptr;
    QString attribute;
};

// Where the members of one class lie in one of the diagram's lists.
struct Run
{
    qsizetype first = 0;
    qsizetype count = 0;
};

struct ClassRecord
{
    QString name;
    QString comment;
    QString parentName;
    QString includes;
    float x = 0;
    float y = 0;
    // Its runs in the diagram's lists of members.
    Run methods;
    Run attributes;
    Run accessors;
};

struct LinkRecord
{
    QString master;
    QString slave;
    int type = 0;
    // A link only sees the classes written before it.
    qsizetype classesBefore = 0;
};

// The members of all classes are kept in file order, each class's in one run: lists of
// their own cost each class an allocation or two more. The record deletes the members
// that no model took, as when a document is given up halfway.
struct DiagramRecord
{
    DiagramRecord() = default;
    DiagramRecord(const DiagramRecord &) = delete;
    DiagramRecord &operator=(const DiagramRecord &) = delete;
    ~DiagramRecord() { clear(); }

    void clear()
    {
        qDeleteAll(methods);
        qDeleteAll(attributes);
        classes.clear();
        links.clear();
        methods.clear();
        attributes.clear();
        accessors.clear();
    }

    QList<ClassRecord> classes;
    QList<LinkRecord> links;
    QList<Function *> methods;
    QList<ArgAtt *> attributes;
    QList<Accessor> accessors;
};

// Numbers are almost always plain digits: those are read digit by digit, as the general
// conversions cost hundreds or thousands of instructions a number. False otherwise.
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

// A method of `owner`, and its accessor's entry if it names an attribute.
template<typename Reader>
Function *readMethod(Reader &xml, ClassRecord *owner, DiagramRecord *diagram)
{
    QString name;
    QString returnType;
    int range = 0;
    bool linked = false;
    QString linkedAtt;
    for (const auto &attribute : xml.attributes()) {
        const auto key = nameOf(attribute);
        if (key == QLatin1String("name")) {
            name = xml.value(attribute);
        } else if (key == QLatin1String("returnType")) {
            returnType = xml.value(attribute);
        } else if (key == QLatin1String("range")) {
            range = integer(xml, attribute);
        } else if (key == QLatin1String("linkedAtt")) {
            linked = true;
            linkedAtt = xml.value(attribute);
        }
    }
    auto *method = new Function(name, returnType, range, QList<ArgAtt *>());
    diagram->methods.append(method);
    ++owner->methods.count;
    if (linked) {
        diagram->accessors.append({method, linkedAtt});
        ++owner->accessors.count;
    }
    return method;
}

template<typename Reader>
ArgAtt *argAtt(Reader &xml)
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
    return new ArgAtt(name, type, defValue, range);
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
                diagram->classes.append(classRecord(xml));
                currentClass = &diagram->classes.last();
                currentClass->methods.first = diagram->methods.size();
                currentClass->attributes.first = diagram->attributes.size();
                currentClass->accessors.first = diagram->accessors.size();
            } else if (depth == 2 && tag == QLatin1String("link")) {
                diagram->links.append(linkRecord(xml, diagram->classes.size()));
            } else if (depth == 3 && currentClass && tag == QLatin1String("function")) {
                currentFunction = readMethod(xml, currentClass, diagram);
            } else if (depth == 3 && currentClass && tag == QLatin1String("arg-att")) {
                diagram->attributes.append(argAtt(xml));
                ++currentClass->attributes.count;
            } else if (depth == 4 && currentFunction && tag == QLatin1String("arg-att")) {
                currentFunction->addArg(argAtt(xml));
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
    diagram->clear();
    GeneralReader general(data);
    return parse(general, diagram);
}

// An accessor points at the last attribute bearing its name. A method written without
// "linkedAtt" stays unlinked even beside an attribute with an empty name.
void linkAccessors(const QList<Accessor> &accessors, Run run, const QList<ArgAtt *> &attributes)
{
    // Most classes have a few attributes, which a search passes faster than a hash is
    // built; a large class is hashed, so that it still takes linear time.
    constexpr qsizetype searched = 16;
    const bool hashed = attributes.size() > searched;
    QHash<QString, ArgAtt *> byName;
    if (hashed) {
        for (ArgAtt *attribute : attributes)
            byName.insert(attribute->name(), attribute);
    }
    for (qsizetype i = run.first; i < run.first + run.count; ++i) {
        const Accessor &accessor = accessors.at(i);
        ArgAtt *attribute = hashed ? byName.value(accessor.attribute)
                                   : NamedRecords::findLast(attributes, accessor.attribute);
        if (attribute)
            accessor.method->setLinkedAtt(attribute);
    }
}

// The entries of "QList;Helper;", empty ones left out.
QStringList includeList(QStringView includes)
{
    QStringList list;
    for (const QStringView entry : qTokenize(includes, u';', Qt::SkipEmptyParts))
        list.append(entry.toString());
    return list;
}

// The members of a run, which the caller owns from then on.
template<typename Member>
QList<Member *> take(QList<Member *> &owned, Run run)
{
    const auto first = owned.begin() + run.first;
    const auto last = first + run.count;
    QList<Member *> taken(first, last);
    std::fill(first, last, nullptr);
    return taken;
}

// The class's members pass to its model, which owns them from then on. The box is made
// for the filled model, so that it is measured once.
ClassItem *buildClass(const ClassRecord &record, DiagramRecord *diagram, const QFont *font)
{
    auto *model = new ClassModel;
    model->setName(record.name);
    const QList<ArgAtt *> attributes = take(diagram->attributes, record.attributes);
    linkAccessors(diagram->accessors, record.accessors, attributes);
    model->setMethods(take(diagram->methods, record.methods));
    model->setAttributes(attributes);
    model->setComment(record.comment);
    model->setParentName(record.parentName);
    model->setIncludes(includeList(record.includes));
    model->updateSize();

    auto *item = new ClassItem(model, font);
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

    m_items.classes.reserve(diagram.classes.size());
    for (const ClassRecord &record : std::as_const(diagram.classes))
        m_items.classes.append(buildClass(record, &diagram, m_font));

    // The classes a link may name are those read before it; of several that bear a
    // name, the last one. Links come in file order, so the index only grows.
    QHash<QString, ClassItem *> byName;
    if (!diagram.links.isEmpty())
        byName.reserve(m_items.classes.size());
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
