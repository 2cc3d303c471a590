#include "model/classmodel.h"

#include "model/argatt.h"
#include "model/function.h"
#include "model/namedrecords.h"
#include "model/typescan.h"

#include <QDomDocument>
#include <QDomElement>

#include <algorithm>

namespace {

// Every class shares one copy of the list: building it again for each class of a large
// diagram cost more than the rest of the model's construction.
const QStringList &sharedPrimitiveTypes()
{
    static const QStringList types = TypeScan::primitiveTypes();
    return types;
}

} // namespace

ClassModel::ClassModel(QObject *parent)
    : QObject(parent)
    , m_primitiveTypes(sharedPrimitiveTypes())
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

void ClassModel::gatherIncludeTypes()
{
    QStringList types;
    qsizetype count = m_attributes.size() + m_methods.size();
    for (const Function *method : std::as_const(m_methods))
        count += method->args().size();
    types.reserve(count);
    for (const ArgAtt *attribute : std::as_const(m_attributes))
        types.append(attribute->type());
    for (const Function *method : std::as_const(m_methods)) {
        if (!method->returnType().isEmpty())
            types.append(method->returnType());
    }
    for (const Function *method : std::as_const(m_methods)) {
        for (const ArgAtt *arg : method->args())
            types.append(arg->type());
    }

    for (const QString &type : std::as_const(types)) {
        if (m_primitiveTypes.contains(type))
            continue;
        if (type.contains(QLatin1Char('<')))
            gatherTemplateTypes(type);
        else
            gatherName(type);
    }
}

void ClassModel::gatherTemplateTypes(const QString &type)
{
    QStringList pieces = type.split(QLatin1Char('<'));
    // A piece holding template arguments is replaced by its comma-separated parts,
    // appended at the end so that they are walked in turn.
    for (int i = 0; i < pieces.size();) {
        if (pieces.at(i).contains(QLatin1Char(','))) {
            const QStringList parts = pieces.takeAt(i).split(QLatin1Char(','));
            pieces.append(parts);
        } else {
            ++i;
        }
    }
    for (const QString &piece : std::as_const(pieces))
        gatherName(piece);
}

void ClassModel::gatherName(const QString &piece)
{
    const QString name = TypeScan::includableName(piece, m_primitiveTypes);
    if (name.isEmpty())
        return;
    if (!m_neededSet.contains(name)) {
        m_neededSet.insert(name);
        m_neededIncludes.append(name);
    }
    if (!piece.contains(QLatin1Char('*')) && !piece.contains(QLatin1Char('&')))
        m_usedByValue.insert(name);
}

void ClassModel::clearNeededIncludes()
{
    m_neededIncludes.clear();
    m_neededSet.clear();
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
