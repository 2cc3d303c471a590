#ifndef XMLWRITER_H
#define XMLWRITER_H

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>

class QDomDocument;
class QDomElement;

// Serialises a DOM tree the way our files are written: an ISO-8859-1 declaration
// line, one blank of indentation a level, and the attributes of each element in a
// fixed order. QDom itself writes attributes in hash order and turns characters that
// Latin-1 cannot hold into "?"; both would break diffs and round trips.
class XmlWriter
{
public:
    // Attribute names per element tag, in the order they are written. Attributes an
    // element has beyond its list follow in alphabetical order.
    explicit XmlWriter(const QHash<QString, QStringList> &attributeOrder);

    // The whole file: declaration line then the document element.
    QByteArray toLatin1(const QDomDocument &doc) const;

    // Escapes an attribute value; characters outside Latin-1 and line breaks become
    // character references.
    static QString escapeAttribute(const QString &value);
    static QByteArray declaration();

private:
    void writeElement(const QDomElement &element, int depth, QString *out) const;

    QHash<QString, QStringList> m_attributeOrder;
};

#endif // XMLWRITER_H
