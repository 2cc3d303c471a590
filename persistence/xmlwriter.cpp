#include "persistence/xmlwriter.h"

#include <QDomAttr>
#include <QDomDocument>
#include <QDomElement>
#include <QDomNamedNodeMap>

#include <algorithm>

XmlWriter::XmlWriter(const QHash<QString, QStringList> &attributeOrder)
    : m_attributeOrder(attributeOrder)
{}

QByteArray XmlWriter::declaration()
{
    return QByteArrayLiteral("<?xml version='1.0' encoding='ISO-8859-1'?>\n");
}

static bool isXmlChar(char32_t c)
{
    return c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c <= 0xD7FF)
           || (c >= 0xE000 && c <= 0xFFFD) || (c >= 0x10000 && c <= 0x10FFFF);
}

static QString characterReference(char32_t c)
{
    return QStringLiteral("&#x") + QString::number(uint(c), 16) + QLatin1Char(';');
}

// True when the value goes into the file as it is, which most names and types do.
static bool isPlainLatin1(const QString &value)
{
    for (const QChar ch : value) {
        const char16_t c = ch.unicode();
        if (c < 0x20 || c > 0xFF || c == u'&' || c == u'<' || c == u'>' || c == u'"')
            return false;
    }
    return true;
}

QString XmlWriter::escapeAttribute(const QString &value)
{
    if (isPlainLatin1(value))
        return value;
    QString out;
    out.reserve(value.size());
    const QList<uint> codePoints = value.toUcs4();
    for (qsizetype i = 0; i < codePoints.size(); ++i) {
        const auto c = char32_t(codePoints.at(i));
        switch (c) {
        case U'&':
            out += QStringLiteral("&amp;");
            break;
        case U'<':
            out += QStringLiteral("&lt;");
            break;
        case U'>':
            // Like QDom, only where it would close a "]]>"; files stay byte for byte
            // what QDom writes.
            if (i >= 2 && codePoints.at(i - 1) == U']' && codePoints.at(i - 2) == U']')
                out += QStringLiteral("&gt;");
            else
                out += QLatin1Char('>');
            break;
        case U'"':
            out += QStringLiteral("&quot;");
            break;
        case U'\n':
        case U'\r':
        case U'\t':
            // A raw line break in an attribute is read back as a blank.
            out += characterReference(c);
            break;
        default:
            if (!isXmlChar(c))
                out += characterReference(0xFFFD); // XML 1.0 cannot carry it at all
            else if (c > 0xFF)
                out += characterReference(c);
            else
                out += QChar(char16_t(c));
        }
    }
    return out;
}

QByteArray XmlWriter::toLatin1(const QDomDocument &doc) const
{
    QString out;
    const QDomElement root = doc.documentElement();
    if (!root.isNull())
        writeElement(root, 0, &out);
    // Every character above U+00FF was turned into a reference, so this is lossless.
    return declaration() + out.toLatin1();
}

void XmlWriter::writeElement(const QDomElement &element, int depth, QString *out) const
{
    const QString indent(depth, QLatin1Char(' '));
    const QString tag = element.tagName();
    *out += indent + QLatin1Char('<') + tag;

    // Each attribute once, placed by its rank in the element's list; those not in it
    // follow, by name.
    struct Attribute
    {
        qsizetype rank;
        QString name;
        QString value;
    };
    const QStringList known = m_attributeOrder.value(tag);
    const QDomNamedNodeMap attributes = element.attributes();
    QList<Attribute> ordered;
    ordered.reserve(attributes.count());
    for (int i = 0; i < attributes.count(); ++i) {
        const QDomAttr attribute = attributes.item(i).toAttr();
        const qsizetype rank = known.indexOf(attribute.name());
        ordered.append({rank < 0 ? known.size() : rank, attribute.name(), attribute.value()});
    }
    std::sort(ordered.begin(), ordered.end(), [](const Attribute &a, const Attribute &b) {
        return a.rank != b.rank ? a.rank < b.rank : a.name < b.name;
    });
    for (const Attribute &attribute : std::as_const(ordered)) {
        *out += QLatin1Char(' ') + attribute.name + QStringLiteral("=\"")
                + escapeAttribute(attribute.value) + QLatin1Char('"');
    }

    bool hasChildren = false;
    for (QDomElement child = element.firstChildElement(); !child.isNull();
         child = child.nextSiblingElement()) {
        if (!hasChildren)
            *out += QStringLiteral(">\n");
        hasChildren = true;
        writeElement(child, depth + 1, out);
    }
    if (hasChildren)
        *out += indent + QStringLiteral("</") + element.tagName() + QStringLiteral(">\n");
    else
        *out += QStringLiteral("/>\n");
}
