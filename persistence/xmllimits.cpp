#include "persistence/xmllimits.h"

#include <QHash>
#include <QSet>
#include <QXmlStreamReader>

namespace {

constexpr qint64 tooMuch = XmlLimits::maxEntityExpansion + 1;

qint64 cappedSum(qint64 a, qint64 b)
{
    return qMin(a + b, tooMuch);
}

class ExpansionCounter
{
public:
    explicit ExpansionCounter(const QXmlStreamEntityDeclarations &declarations)
    {
        for (const QXmlStreamEntityDeclaration &entity : declarations) {
            // An external entity is never loaded; only internal ones expand.
            if (entity.systemId().isEmpty() && entity.publicId().isEmpty())
                m_values.insert(entity.name().toString(), entity.value().toString());
        }
    }

    qint64 largest()
    {
        qint64 most = 0;
        for (auto it = m_values.cbegin(); it != m_values.cend(); ++it)
            most = qMax(most, expandedLength(it.key()));
        return most;
    }

private:
    qint64 expandedLength(const QString &name)
    {
        const auto known = m_lengths.constFind(name);
        if (known != m_lengths.cend())
            return *known;
        const auto value = m_values.constFind(name);
        if (value == m_values.cend())
            return 1; // predefined (amp, lt...) or undeclared, which the parser refuses
        if (m_open.contains(name))
            return tooMuch; // recursive: the parser refuses it, we need not count it
        m_open.insert(name);
        qint64 length = 0;
        const QString &text = *value;
        for (qsizetype i = 0; i < text.size() && length < tooMuch; ++i) {
            const qsizetype end =
                text.at(i) == QLatin1Char('&') ? text.indexOf(QLatin1Char(';'), i + 1) : -1;
            if (end < 0) {
                length = cappedSum(length, 1);
                continue;
            }
            const QString reference = text.mid(i + 1, end - i - 1);
            length = cappedSum(
                length, reference.startsWith(QLatin1Char('#')) ? 1 : expandedLength(reference));
            i = end;
        }
        m_open.remove(name);
        m_lengths.insert(name, length);
        return length;
    }

    QHash<QString, QString> m_values;
    QHash<QString, qint64> m_lengths;
    QSet<QString> m_open;
};

} // namespace

bool XmlLimits::entitiesWithinLimit(const QXmlStreamEntityDeclarations &declarations,
                                    const QByteArray &document)
{
    if (declarations.isEmpty())
        return true;
    const qint64 largest = ExpansionCounter(declarations).largest();
    if (largest >= tooMuch)
        return false;
    if (largest <= 1)
        return true;
    // Every reference starts with an ampersand, in any encoding we read: counting the
    // bytes bounds the references without decoding the document.
    const qint64 references = document.count('&');
    return references <= maxEntityExpansion / largest;
}

bool XmlLimits::withinLimits(const QByteArray &document)
{
    QXmlStreamReader xml(document);
    xml.setNamespaceProcessing(false);
    int depth = 0;
    while (!xml.atEnd()) {
        switch (xml.readNext()) {
        case QXmlStreamReader::DTD:
            if (!entitiesWithinLimit(xml.entityDeclarations(), document))
                return false;
            break;
        case QXmlStreamReader::StartElement:
            if (++depth > maxDepth)
                return false;
            break;
        case QXmlStreamReader::EndElement:
            --depth;
            break;
        default:
            break;
        }
    }
    return true;
}
