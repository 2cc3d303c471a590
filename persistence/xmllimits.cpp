#include "persistence/xmllimits.h"

namespace {

bool acceptedEncoding(QStringView declared)
{
    // No declaration means UTF-8 (or UTF-16 with a byte order mark).
    if (declared.isEmpty())
        return true;
    static const char *const accepted[] = {"UTF-8", "UTF-16", "UTF-16LE", "UTF-16BE", "ISO-8859-1"};
    for (const char *name : accepted) {
        if (declared.compare(QLatin1String(name), Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

bool declaresExpansions(const QXmlStreamReader &xml)
{
    // A parameter entity is declared with "<!ENTITY" too; the external subset is never
    // loaded.
    const QStringView dtd = xml.text();
    return !xml.entityDeclarations().isEmpty() || dtd.contains(QLatin1String("<!ENTITY"))
           || dtd.contains(QLatin1String("<!ATTLIST"));
}

} // namespace

bool XmlLimits::Guard::admit(const QXmlStreamReader &xml, QXmlStreamReader::TokenType token)
{
    switch (token) {
    case QXmlStreamReader::StartDocument:
        return acceptedEncoding(xml.documentEncoding());
    case QXmlStreamReader::DTD:
        return !declaresExpansions(xml);
    case QXmlStreamReader::StartElement: {
        if (++m_depth > maxDepth)
            return false;
        qint64 characters = xml.qualifiedName().size();
        const QXmlStreamAttributes attributes = xml.attributes();
        for (const QXmlStreamAttribute &attribute : attributes)
            characters += attribute.qualifiedName().size() + attribute.value().size();
        m_characters += characters;
        break;
    }
    case QXmlStreamReader::EndElement:
        --m_depth;
        return true;
    case QXmlStreamReader::Characters:
    case QXmlStreamReader::Comment:
    case QXmlStreamReader::ProcessingInstruction:
    case QXmlStreamReader::EntityReference:
        m_characters += xml.text().size() + xml.processingInstructionData().size();
        break;
    default:
        return true;
    }
    return m_characters <= maxCharacters;
}

bool XmlLimits::withinLimits(const QByteArray &document)
{
    QXmlStreamReader xml(document);
    xml.setNamespaceProcessing(false);
    Guard guard;
    while (!xml.atEnd()) {
        if (!guard.admit(xml, xml.readNext()))
            return false;
    }
    return true;
}
