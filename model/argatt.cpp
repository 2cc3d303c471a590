#include "model/argatt.h"

#include <QDomDocument>
#include <QDomElement>

ArgAtt::ArgAtt(const QString &name, const QString &type, const QString &defValue, int range)
    : m_name(name)
    , m_type(type)
    , m_defValue(defValue)
    , m_range(range)
{}

// The visibility in front of a line; arguments and unknown codes have none.
static QLatin1String umlMark(int range)
{
    return range == ArgAtt::Private  ? QLatin1String("- ")
           : range == ArgAtt::Public ? QLatin1String("+ ")
                                     : QLatin1String();
}

QString ArgAtt::umlText() const
{
    // Built in one buffer: boxes of large diagrams ask for every line when they are sized.
    QString line;
    line.reserve(umlLength());
    line += umlMark(m_range);
    line += m_name;
    line += QLatin1String(" : ");
    line += m_type;
    // The " = " stays even without a default value: users read it as "no default".
    line += QLatin1String(" = ");
    line += m_defValue;
    return line;
}

qsizetype ArgAtt::umlLength() const
{
    return umlMark(m_range).size() + m_name.size() + 3 + m_type.size() + 3 + m_defValue.size();
}

QString ArgAtt::codeDeclaration() const
{
    QString line;
    line.reserve(m_type.size() + m_name.size() + 6);
    appendDeclaration(line);
    return line;
}

void ArgAtt::appendDeclaration(QString &text) const
{
    text += u"    " + m_type + u' ' + m_name + u';';
}

QDomElement ArgAtt::toXml(QDomDocument &doc) const
{
    QDomElement element = doc.createElement(QStringLiteral("arg-att"));
    element.setAttribute(QStringLiteral("name"), m_name);
    element.setAttribute(QStringLiteral("range"), QString::number(m_range));
    element.setAttribute(QStringLiteral("type"), m_type);
    element.setAttribute(QStringLiteral("defValue"), m_defValue);
    return element;
}
