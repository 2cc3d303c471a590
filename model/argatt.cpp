#include "model/argatt.h"

#include <QDomDocument>
#include <QDomElement>

ArgAtt::ArgAtt(const QString &name, const QString &type, const QString &defValue, int range)
    : m_name(name)
    , m_type(type)
    , m_defValue(defValue)
    , m_range(range)
{}

QString ArgAtt::umlText() const
{
    // Built in one buffer: boxes of large diagrams ask for every line when they are sized.
    QString line;
    line.reserve(m_name.size() + m_type.size() + m_defValue.size() + 8);
    if (m_range == Private)
        line += QLatin1String("- ");
    else if (m_range == Public)
        line += QLatin1String("+ ");
    line += m_name;
    line += QLatin1String(" : ");
    line += m_type;
    // The " = " stays even without a default value: users read it as "no default".
    line += QLatin1String(" = ");
    line += m_defValue;
    return line;
}

QString ArgAtt::codeDeclaration() const
{
    QString line;
    line.reserve(m_type.size() + m_name.size() + 6);
    line += QLatin1String("    ");
    line += m_type;
    line += QLatin1Char(' ');
    line += m_name;
    line += QLatin1Char(';');
    return line;
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
