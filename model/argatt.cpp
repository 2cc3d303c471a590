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
    QString line;
    if (m_range == Private)
        line = QStringLiteral("- ");
    else if (m_range == Public)
        line = QStringLiteral("+ ");
    // The " = " stays even without a default value: users read it as "no default".
    return line + m_name + QStringLiteral(" : ") + m_type + QStringLiteral(" = ") + m_defValue;
}

QString ArgAtt::codeDeclaration() const
{
    return QStringLiteral("    ") + m_type + QLatin1Char(' ') + m_name + QLatin1Char(';');
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
