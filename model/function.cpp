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

// The visibility in front of the line; unknown codes have none.
static QLatin1String umlMark(int range)
{
    switch (range) {
    case ArgAtt::Public:
    case ArgAtt::Setter:
    case ArgAtt::Getter:
        return QLatin1String("+ ");
    case ArgAtt::Private:
        return QLatin1String("- ");
    case ArgAtt::Protected:
        return QLatin1String("# ");
    default:
        return QLatin1String();
    }
}

QString Function::umlText() const
{
    // Built in place: boxes of large diagrams ask for every line when they are sized.
    QString line;
    line.reserve(umlLength());
    line += umlMark(m_range);
    line += m_name;
    line += QLatin1String(" (");
    for (qsizetype i = 0; i < m_args.size(); ++i) {
        if (i > 0)
            line += QLatin1String(", ");
        line += m_args.at(i)->name();
        line += QLatin1Char(':');
        line += m_args.at(i)->type();
    }
    line += QLatin1String(") : ");
    line += m_returnType;
    return line;
}

qsizetype Function::umlLength() const
{
    qsizetype length = umlMark(m_range).size() + m_name.size() + 2 + 4 + m_returnType.size();
    for (qsizetype i = 0; i < m_args.size(); ++i)
        length += (i > 0 ? 2 : 0) + m_args.at(i)->name().size() + 1 + m_args.at(i)->type().size();
    return length;
}

// The type of a setter's argument: "const T" would make a pointer type point at constant
// data, which the attribute cannot be assigned from, so a pointer is made constant itself.
static void appendConstType(QString &text, const QString &type)
{
    if (QStringView(type).trimmed().endsWith(u'*'))
        text += type + u" const";
    else
        text += u"const " + type;
}

// The argument list between the parentheses; a setter takes its value by constant
// reference, its "&" written as `reference` gives it.
static void appendArgs(QString &text, const QList<ArgAtt *> &args, bool setter,
                       QStringView reference)
{
    for (qsizetype i = 0; i < args.size(); ++i) {
        const ArgAtt *arg = args.at(i);
        if (i > 0)
            text += u", ";
        if (setter) {
            appendConstType(text, arg->type());
            text += reference + arg->name();
        } else {
            text += arg->type() + u' ' + arg->name();
        }
    }
}

QString Function::codeDeclaration() const
{
    QString line;
    line.reserve(m_returnType.size() + m_name.size() + 16 + 32 * m_args.size());
    appendDeclaration(line);
    return line;
}

QString Function::codeDefinition(const QString &className) const
{
    QString text;
    text.reserve(m_returnType.size() + className.size() + m_name.size() + 48 + 32 * m_args.size());
    appendDefinition(text, className);
    return text;
}

// A getter leaves its object as it is.
static QStringView closingParenthesis(int range)
{
    return range == ArgAtt::Getter ? QStringView(u")const") : QStringView(u")");
}

void Function::appendDeclaration(QString &text) const
{
    text += u"    " + m_returnType + u' ' + m_name + u'(';
    appendArgs(text, m_args, m_range == ArgAtt::Setter, u"& ");
    text += closingParenthesis(m_range) + u';';
}

void Function::appendDefinition(QString &text, const QString &className) const
{
    const bool setter = m_range == ArgAtt::Setter;
    text += m_returnType + u' ' + className + u"::" + m_name + u'(';
    appendArgs(text, m_args, setter, u" &");
    text += closingParenthesis(m_range) + u"\n{\n";
    // An accessor whose attribute or argument went missing (a hand-edited file) gets
    // an empty body rather than a dangling read.
    if (m_range == ArgAtt::Getter && m_linkedAtt)
        text += u"    return " + m_linkedAtt->name() + u';';
    else if (setter && m_linkedAtt && !m_args.isEmpty())
        text += u"    " + m_linkedAtt->name() + u" = " + m_args.first()->name() + u';';
    text += u"\n}";
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
