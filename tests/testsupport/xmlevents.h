#ifndef XMLEVENTS_H
#define XMLEVENTS_H

#include "persistence/xmlscanner.h"

#include <QXmlStreamReader>

// The elements each XML reader sees in a document, as "<name a=value" and "/" for an end,
// with false when the reader did not reach the end: the scanner must see what Qt's reader
// sees wherever it does not give up.
namespace XmlEvents {

inline bool scanned(const QByteArray &document, QString *events)
{
    XmlScanner xml(document);
    for (;;) {
        switch (xml.readNext()) {
        case XmlScanner::StartElement:
            events->append(u'<').append(xml.name());
            for (const XmlScanner::Attribute &a : xml.attributes())
                events->append(u' ').append(a.name).append(u'=').append(xml.value(a));
            break;
        case XmlScanner::EndElement:
            *events += u'/';
            break;
        case XmlScanner::EndDocument:
            return true;
        case XmlScanner::GaveUp:
            return false;
        }
    }
}

inline bool streamed(const QByteArray &document, QString *events)
{
    QXmlStreamReader xml(document);
    xml.setNamespaceProcessing(false);
    while (!xml.atEnd()) {
        const QXmlStreamReader::TokenType token = xml.readNext();
        if (token == QXmlStreamReader::StartElement) {
            events->append(u'<').append(xml.qualifiedName());
            for (const QXmlStreamAttribute &a : xml.attributes())
                events->append(u' ').append(a.qualifiedName()).append(u'=').append(a.value());
        } else if (token == QXmlStreamReader::EndElement) {
            *events += u'/';
        }
    }
    return !xml.hasError();
}

} // namespace XmlEvents

#endif // XMLEVENTS_H
