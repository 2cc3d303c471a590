#include "model/classmodel.h"

#include "model/argatt.h"
#include "model/function.h"
#include "model/namedrecords.h"
#include "model/typescan.h"

#include <QDomDocument>
#include <QDomElement>
#include <QStringTokenizer>

#include <algorithm>

ClassModel::ClassModel(QObject *parent)
    : QObject(parent)
{}

ClassModel::~ClassModel()
{
    qDeleteAll(m_methods);
    qDeleteAll(m_attributes);
}

void ClassModel::addMethod(Function *method)
{
    m_methods.append(method);
}

void ClassModel::addAttribute(ArgAtt *attribute)
{
    m_attributes.append(attribute);
}

Function *ClassModel::findMethod(const QString &name) const
{
    return NamedRecords::find(m_methods, name);
}

ArgAtt *ClassModel::findAttribute(const QString &name) const
{
    return NamedRecords::find(m_attributes, name);
}

void ClassModel::removeMethod(const QString &name)
{
    NamedRecords::remove(m_methods, name);
}

void ClassModel::removeAttribute(const QString &name)
{
    NamedRecords::remove(m_attributes, name, [this](const ArgAtt *attribute) {
        // A method that still points at the attribute must not read freed memory.
        for (Function *method : std::as_const(m_methods)) {
            if (method->linkedAtt() == attribute)
                method->setLinkedAtt(nullptr);
        }
    });
}

void ClassModel::setIncludes(const QStringList &includes)
{
    // Entries are typed by hand, "QString; QList": the blanks are no part of a header name.
    const auto isTrimmed = [](const QString &include) {
        return !include.isEmpty() && !include.front().isSpace() && !include.back().isSpace();
    };
    // As when a diagram is read, every entry usually is already: the list is then shared.
    if (std::all_of(includes.cbegin(), includes.cend(), isTrimmed)) {
        m_includes = includes;
        return;
    }
    m_includes.clear();
    for (const QString &include : includes) {
        const QString trimmed = include.trimmed();
        if (!trimmed.isEmpty())
            m_includes.append(trimmed);
    }
}

QStringList ClassModel::attributeLines() const
{
    QStringList lines;
    for (const ArgAtt *attribute : m_attributes)
        lines.append(attribute->umlText());
    return lines;
}

QStringList ClassModel::methodLines() const
{
    QStringList lines;
    for (const Function *method : m_methods)
        lines.append(method->umlText());
    return lines;
}

void ClassModel::updateSize()
{
    const int oldLength = m_maxLineLength;
    const int oldCount = m_lineCount;
    m_lineCount = int(m_attributes.size() + m_methods.size()) + 1;
    m_maxLineLength = int(m_name.size());
    for (const ArgAtt *attribute : std::as_const(m_attributes))
        m_maxLineLength = qMax(m_maxLineLength, int(attribute->umlLength()));
    for (const Function *method : std::as_const(m_methods))
        m_maxLineLength = qMax(m_maxLineLength, int(method->umlLength()));
    if (m_maxLineLength != oldLength || m_lineCount != oldCount)
        emit sizeChanged();
    emit linesUpdated();
}

// The library's searches are made for long texts, and slow on the few letters of a type.
static bool holds(QStringView text, char16_t c)
{
    return std::find(text.begin(), text.end(), QChar(c)) != text.end();
}

void ClassModel::gatherIncludeTypes()
{
    // Most types name one class at most: the list is grown once.
    qsizetype count = m_attributes.size() + m_methods.size();
    for (const Function *method : std::as_const(m_methods))
        count += method->args().size();
    m_neededIncludes.reserve(m_neededIncludes.names().size() + count);
    m_usedByValue.reserve(m_usedByValue.size() + count);

    const auto gatherType = [this](const QString &type) {
        // The most frequent types, told at once.
        if (TypeScan::isPrimitive(type))
            return;
        if (holds(type, u'<'))
            gatherTemplateTypes(type);
        else
            gatherName(type, TypeScan::includableName(type));
    };
    for (const ArgAtt *attribute : std::as_const(m_attributes))
        gatherType(attribute->type());
    for (const Function *method : std::as_const(m_methods)) {
        if (!method->returnType().isEmpty())
            gatherType(method->returnType());
    }
    for (const Function *method : std::as_const(m_methods)) {
        const QList<ArgAtt *> args = method->args(); // walked as a copy, it would detach
        for (const ArgAtt *arg : args)
            gatherType(arg->type());
    }
}

void ClassModel::gatherTemplateTypes(const QString &type)
{
    // The pieces between the "<" in turn, but those holding template arguments are split
    // at their commas and walked after all the others.
    for (const QStringView piece : qTokenize(type, QLatin1Char('<'))) {
        if (!holds(piece, u','))
            gatherName(piece, TypeScan::includableName(piece));
    }
    if (!type.contains(QLatin1Char(',')))
        return;
    for (const QStringView piece : qTokenize(type, QLatin1Char('<'))) {
        if (!holds(piece, u','))
            continue;
        for (const QStringView part : qTokenize(piece, QLatin1Char(',')))
            gatherName(part, TypeScan::includableName(part));
    }
}

void ClassModel::gatherName(QStringView piece, const QString &name)
{
    if (name.isEmpty())
        return;
    bool added = false;
    const qsizetype index = m_neededIncludes.insert(name, &added);
    if (added)
        m_usedByValue.append(false);
    const auto indirect = [](QChar c) { return c == u'*' || c == u'&'; };
    if (std::none_of(piece.begin(), piece.end(), indirect))
        m_usedByValue[index] = true;
}

bool ClassModel::usesOnlyIndirectly(const QString &name) const
{
    const qsizetype index = m_neededIncludes.indexOf(name);
    return index >= 0 && !m_usedByValue.at(index);
}

void ClassModel::clearNeededIncludes()
{
    m_neededIncludes.clear();
    m_usedByValue.clear();
}

void ClassModel::requestEdit()
{
    emit editing(this);
}

QDomElement ClassModel::toXml(QDomDocument &doc) const
{
    QDomElement element = doc.createElement(QStringLiteral("class"));
    element.setAttribute(QStringLiteral("name"), m_name);
    element.setAttribute(QStringLiteral("comment"), m_comment);
    element.setAttribute(QStringLiteral("parentName"), m_parentName);
    QString includes;
    for (const QString &include : m_includes)
        includes += include + QLatin1Char(';');
    element.setAttribute(QStringLiteral("includes"), includes);
    for (const Function *method : m_methods)
        element.appendChild(method->toXml(doc));
    for (const ArgAtt *attribute : m_attributes)
        element.appendChild(attribute->toXml(doc));
    return element;
}
