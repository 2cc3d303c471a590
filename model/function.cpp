#include "model/function.h"

#include "model/argatt.h"
#include "model/namedrecords.h"

#include <QDomDocument>
#include <QDomElement>

Function::Function(const QString &name, const QString &returnType, int range,
                   const QList<ArgAtt *> &args)
    : m_name(name)
    , m_returnType(returnType)
    , m_range(range)
    , m_args(args)
{}

Function::~Function()
{
    qDeleteAll(m_args);
}

void Function::addArg(ArgAtt *arg)
{
    m_args.append(arg);
}

ArgAtt *Function::findArg(const QString &name) const
{
    return NamedRecords::find(m_args, name);
}

void Function::removeArg(const QString &name)
{
    NamedRecords::remove(m_args, name);
}

bool Function::takeArg(ArgAtt *arg)
{
    return m_args.removeOne(arg);
}

QStringList Function::argLines() const
{
    QStringList lines;
    for (const ArgAtt *arg : m_args)
        lines.append(arg->umlText());
    return lines;
}

QString Function::umlText() const
{
    QString line;
    switch (m_range) {
    case ArgAtt::Public:
    case ArgAtt::Setter:
    case ArgAtt::Getter:
        line = QStringLiteral("+ ");
        break;
    case ArgAtt::Private:
        line = QStringLiteral("- ");
        break;
    case ArgAtt::Protected:
        line = QStringLiteral("# ");
        break;
    default:
        break;
    }
    line += m_name + QStringLiteral(" (");
    QStringList args;
    for (const ArgAtt *arg : m_args)
        args.append(arg->name() + QLatin1Char(':') + arg->type());
    return line + args.join(QStringLiteral(", ")) + QStringLiteral(") : ") + m_returnType;
}

// The type of a setter's argument: "const T" would make a pointer type point at constant
// data, which the attribute cannot be assigned from, so a pointer is made constant itself.
static QString constType(const QString &type)
{
    if (type.trimmed().endsWith(QLatin1Char('*')))
        return type + QStringLiteral(" const");
    return QStringLiteral("const ") + type;
}

QString Function::codeDeclaration() const
{
    const bool setter = m_range == ArgAtt::Setter;
    QStringList args;
    for (const ArgAtt *arg : m_args) {
        QString text = setter ? constType(arg->type()) : arg->type();
        if (setter)
            text += QLatin1Char('&');
        args.append(text + QLatin1Char(' ') + arg->name());
    }
    QString line = QStringLiteral("    ") + m_returnType + QLatin1Char(' ') + m_name
                   + QLatin1Char('(') + args.join(QStringLiteral(", ")) + QLatin1Char(')');
    if (m_range == ArgAtt::Getter)
        line += QStringLiteral("const");
    return line + QLatin1Char(';');
}

QString Function::codeDefinition(const QString &className) const
{
    const bool setter = m_range == ArgAtt::Setter;
    QStringList args;
    for (const ArgAtt *arg : m_args) {
        QString text = (setter ? constType(arg->type()) : arg->type()) + QLatin1Char(' ');
        if (setter)
            text += QLatin1Char('&');
        args.append(text + arg->name());
    }
    QString text = m_returnType + QLatin1Char(' ') + className + QStringLiteral("::") + m_name
                   + QLatin1Char('(') + args.join(QStringLiteral(", ")) + QLatin1Char(')');
    if (m_range == ArgAtt::Getter)
        text += QStringLiteral("const");
    text += QStringLiteral("\n{\n");
    // An accessor whose attribute or argument went missing (a hand-edited file) gets
    // an empty body rather than a dangling read.
    if (m_range == ArgAtt::Getter && m_linkedAtt)
        text += QStringLiteral("    return ") + m_linkedAtt->name() + QLatin1Char(';');
    else if (setter && m_linkedAtt && !m_args.isEmpty())
        text += QStringLiteral("    ") + m_linkedAtt->name() + QStringLiteral(" = ")
                + m_args.first()->name() + QLatin1Char(';');
    return text + QStringLiteral("\n}");
}

QDomElement Function::toXml(QDomDocument &doc) const
{
    QDomElement element = doc.createElement(QStringLiteral("function"));
    element.setAttribute(QStringLiteral("name"), m_name);
    element.setAttribute(QStringLiteral("returnType"), m_returnType);
    element.setAttribute(QStringLiteral("range"), QString::number(m_range));
    if (m_linkedAtt)
        element.setAttribute(QStringLiteral("linkedAtt"), m_linkedAtt->name());
    for (const ArgAtt *arg : m_args)
        element.appendChild(arg->toXml(doc));
    return element;
}
