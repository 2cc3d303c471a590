#include "codegen/codegenerator.h"

#include "canvas/classitem.h"
#include "canvas/link.h"
#include "codegen/sourcemerger.h"
#include "model/argatt.h"
#include "model/classmodel.h"
#include "model/function.h"
#include "model/linkmodel.h"
#include "model/typescan.h"
#include "persistence/filewriting.h"

#include <QDir>
#include <QSet>

namespace {

QString banner()
{
    // The same for every file: built once.
    static const QString text = []() -> QString {
        const QString stars49(49, QLatin1Char('*'));
        const QString stars20(20, QLatin1Char('*'));
        return QStringLiteral("/*\n") + stars49 + QLatin1Char('\n') + stars20
               + QStringLiteral("! WARNING !") + stars20
               + QStringLiteral("\nThis file contain source code automatically generate by\n"
                                "Varnel. Errors are possibles.\n")
               + stars49 + QStringLiteral("\n*/");
    }();
    return text;
}

QString commentBlock(const ClassModel *model)
{
    // A "*/" in the comment would end the block early and leave the rest as code; a "/*"
    // would draw a warning.
    QString comment = model->comment();
    comment.replace(QStringLiteral("*/"), QStringLiteral("* /"));
    comment.replace(QStringLiteral("/*"), QStringLiteral("/ *"));
    return QStringLiteral("\n\n/*\n") + comment + QStringLiteral("\n*/\n");
}

QString includeLine(const QString &header)
{
    return QStringLiteral("#include <") + header + QStringLiteral(">\n");
}

// A fresh scan, so that a type the class no longer uses is not included and the result
// does not depend on earlier generations.
void rescan(ClassModel *model)
{
    model->clearNeededIncludes();
    model->gatherIncludeTypes();
}

// Which class headers each header would include, all in one list: the targets of node n
// run from targets[first[n]] to targets[first[n + 1]].
struct Edges
{
    QList<int> first;
    QList<int> targets;
};

// Tarjan's strongly connected components, without recursion so that a long chain of
// classes cannot overflow the stack. Gives each node its component, or -1 when the node
// lies on no cycle of two or more nodes.
QList<int> cycles(const Edges &edges)
{
    const qsizetype count = edges.first.size() - 1;
    QList<int> index(count, -1), low(count, 0), component(count, -1);
    QList<bool> onStack(count, false);
    QList<int> stack;
    QList<QPair<int, int>> work; // a node and the place of its next edge to follow
    QList<int> members;
    int counter = 0;
    int components = 0;
    const auto visit = [&](int node) {
        index[node] = low[node] = counter++;
        stack.append(node);
        onStack[node] = true;
        work.append({node, edges.first.at(node)});
    };
    for (int root = 0; root < count; ++root) {
        if (index.at(root) >= 0)
            continue;
        visit(root);
        while (!work.isEmpty()) {
            const int node = work.last().first;
            if (work.last().second < edges.first.at(node + 1)) {
                const int next = edges.targets.at(work.last().second++);
                if (index.at(next) < 0)
                    visit(next);
                else if (onStack.at(next))
                    low[node] = qMin(low.at(node), index.at(next));
                continue;
            }
            work.removeLast();
            if (!work.isEmpty())
                low[work.last().first] = qMin(low.at(work.last().first), low.at(node));
            if (low.at(node) != index.at(node))
                continue;
            members.clear();
            do {
                members.append(stack.takeLast());
                onStack[members.last()] = false;
            } while (members.last() != node);
            if (members.size() > 1) {
                for (int member : std::as_const(members))
                    component[member] = components;
                ++components;
            }
        }
    }
    return component;
}

} // namespace

// What the whole diagram tells the header of one class.
struct CodeGenerator::Context
{
    // The base classes that inheritance links give each derived class, in link order.
    QHash<const ClassItem *, QList<ClassItem *>> parents;
    // The first class of each lower-case name: the class whose header a name includes.
    QHash<QString, ClassItem *> classes;
    // The cycle of headers that would include each other that a class lies on.
    QHash<const ClassItem *, int> cycle;

    ClassItem *classOf(const QString &name) const
    {
        // Every header asks for several names: their lower-case keys are made on the stack.
        TypeScan::NameBuffer buffer;
        const QStringView lower = TypeScan::lowerName(name, buffer);
        return classes.value(QString::fromRawData(lower.constData(), lower.size()));
    }

    // A class of the diagram is included by its file, whatever its name looks like.
    QString headerOf(const QString &name) const
    {
        return classOf(name) ? CodeGenerator::headerFileName(name) : TypeScan::headerName(name);
    }

    // Headers that would include each other cannot both be complete first: a class on the
    // same cycle that is only pointed at is declared ahead, and included by the source.
    bool declaresAhead(const ClassItem *item, const QString &name) const
    {
        // Most classes lie on no cycle: that is told without looking the name up.
        const auto onCycle = cycle.constFind(item);
        if (onCycle == cycle.cend())
            return false;
        const ClassItem *target = classOf(name);
        return target && target != item && *onCycle == cycle.value(target, -1)
               && item->getModel()->usesOnlyIndirectly(name);
    }

    QStringList aheadOf(const ClassItem *item) const
    {
        QStringList names;
        for (const QString &name : item->getModel()->neededIncludes()) {
            if (declaresAhead(item, name))
                names.append(name);
        }
        return names;
    }
};

CodeGenerator::CodeGenerator(const QList<Link *> &links, const QList<ClassItem *> &classes)
    : m_links(links)
    , m_classes(classes)
{}

QList<ClassItem *> CodeGenerator::classesNamed(const QList<ClassItem *> &classes,
                                               const QStringList &names, QStringList *missing)
{
    QHash<QString, QList<ClassItem *>> byName;
    for (ClassItem *item : classes)
        byName[item->getModel()->name()].append(item);
    QList<ClassItem *> items;
    QSet<QString> seen;
    for (const QString &name : names) {
        if (seen.contains(name))
            continue;
        seen.insert(name);
        const QList<ClassItem *> named = byName.value(name);
        if (named.isEmpty() && missing)
            missing->append(name);
        items += named;
    }
    return items;
}

QString CodeGenerator::problemText(Problem problem, const QString &className)
{
    switch (problem) {
    case Problem::InvalidName:
        return tr("Nom de classe invalide pour un fichier : ") + className;
    case Problem::CannotWriteSource:
        return tr("Impossible de créer le fichier ") + className + QStringLiteral(".cpp");
    case Problem::CannotWriteHeader:
        return tr("Impossible de créer le fichier ") + className + QStringLiteral(".h");
    case Problem::SourceKeptAside:
        return tr("%1 n'a pas pu être relu sans risque : il reste tel quel et le nouveau "
                  "squelette est écrit dans %2")
            .arg(sourceFileName(className), sourceFileName(className) + QStringLiteral(".new"));
    }
    return QString();
}

bool CodeGenerator::isValidFileName(const QString &className)
{
    return TypeScan::isIdentifier(className);
}

QString CodeGenerator::headerFileName(const QString &className)
{
    return TypeScan::lowerName(className) + QStringLiteral(".h");
}

QString CodeGenerator::sourceFileName(const QString &className)
{
    return TypeScan::lowerName(className) + QStringLiteral(".cpp");
}

CodeGenerator::Context CodeGenerator::context(const QList<ClassItem *> &items) const
{
    Context context;
    QList<ClassItem *> all;
    QHash<const ClassItem *, int> number;
    all.reserve(m_classes.size() + items.size());
    number.reserve(m_classes.size() + items.size());
    context.classes.reserve(m_classes.size() + items.size());
    context.parents.reserve(m_links.size());
    const auto count = [&all, &number](ClassItem *item) {
        if (item && !number.contains(item)) {
            number.insert(item, int(all.size()));
            all.append(item);
        }
    };
    for (ClassItem *item : m_classes)
        count(item);
    for (ClassItem *item : items)
        count(item);
    for (const Link *link : m_links) {
        const LinkModel *linkModel = link->getModel();
        count(linkModel->master());
        count(linkModel->slave());
        // Aggregations and associations bring no base class and no include of their own.
        if (linkModel->type() == LinkModel::Inheritance && linkModel->isComplete())
            context.parents[linkModel->slave()].append(linkModel->master());
    }

    for (ClassItem *item : std::as_const(all)) {
        rescan(item->getModel());
        const QString name = item->getModel()->name();
        if (!isValidFileName(name))
            continue;
        // The first class of each name keeps it.
        ClassItem *&first = context.classes[TypeScan::lowerName(name)];
        if (!first)
            first = item;
    }

    // Which class headers each header would include.
    Edges edges;
    edges.first.reserve(all.size() + 1);
    for (const ClassItem *item : std::as_const(all)) {
        edges.first.append(int(edges.targets.size()));
        const ClassModel *model = item->getModel();
        const auto target = [&](const QString &name) {
            if (const ClassItem *other = context.classOf(name))
                edges.targets.append(number.value(other));
        };
        // The scanned names and the includes are trimmed already.
        const QStringList needed = model->neededIncludes();
        for (const QString &name : needed)
            target(name);
        if (!model->parentName().isEmpty())
            target(model->parentName().trimmed());
        const QStringList includes = model->includes();
        for (const QString &include : includes)
            target(include);
        const QList<ClassItem *> parents = context.parents.value(item);
        for (const ClassItem *parent : parents)
            edges.targets.append(number.value(parent));
    }
    edges.first.append(int(edges.targets.size()));
    const QList<int> component = cycles(edges);
    for (qsizetype i = 0; i < all.size(); ++i) {
        if (component.at(i) >= 0)
            context.cycle.insert(all.at(i), component.at(i));
    }
    return context;
}

QString CodeGenerator::headerText(ClassItem *item) const
{
    return headerText(item, context({item}));
}

QString CodeGenerator::sourceText(ClassItem *item) const
{
    return sourceText(item, context({item}));
}

QString CodeGenerator::headerText(ClassItem *item, const Context &context) const
{
    const ClassModel *model = item->getModel();
    const QString name = model->name();
    const QString guard = name.toUpper() + QStringLiteral("_H");

    QString text = banner() + commentBlock(model);
    text.reserve(text.size() + 1024); // most headers fit; appending would reallocate often
    text += QStringLiteral("\n#ifndef ") + guard + QStringLiteral("\n#define ") + guard
            + QLatin1Char('\n');

    // What the parents' headers include reaches this class through them.
    QSet<QString> inherited;
    const QList<ClassItem *> linkParents = context.parents.value(item);
    for (const ClassItem *parent : linkParents) {
        for (const QString &used : parent->getModel()->neededIncludes()) {
            if (!context.declaresAhead(parent, used))
                inherited.insert(used);
        }
    }

    // Each header once, where it first comes.
    QSet<QString> included;
    const auto firstTime = [&included](const QString &header) {
        const qsizetype before = included.size();
        included.insert(header);
        return included.size() != before;
    };
    QStringList ahead;
    for (const QString &include : model->neededIncludes()) {
        if (inherited.contains(include))
            continue;
        if (context.declaresAhead(item, include)) {
            ahead.append(include);
            continue;
        }
        const QString header = context.headerOf(include);
        if (firstTime(header))
            text += QStringLiteral("\n#include <") + header + QLatin1Char('>');
    }
    text += QLatin1Char('\n');

    // A typed parent off the diagram has its header named as the user typed it.
    const QString typedParent = model->parentName();
    if (!typedParent.isEmpty()) {
        QString header = typedParent;
        if (context.classOf(typedParent))
            header = headerFileName(typedParent);
        else if (!typedParent.startsWith(QLatin1Char('Q')))
            header += QStringLiteral(".h");
        if (firstTime(header))
            text += includeLine(header);
    }
    for (const QString &include : model->includes()) {
        const QString trimmed = include.trimmed();
        if (trimmed.isEmpty())
            continue;
        const QString header = context.headerOf(trimmed);
        if (firstTime(header))
            text += includeLine(header);
    }

    // Links first, then the typed parent; every base is public.
    QStringList inheritance;
    for (const ClassItem *parent : linkParents) {
        const QString parentName = parent->getModel()->name();
        if (firstTime(headerFileName(parentName)))
            text += includeLine(headerFileName(parentName));
        inheritance.append(QStringLiteral("public ") + parentName);
    }
    if (!typedParent.isEmpty())
        inheritance.append(QStringLiteral("public ") + typedParent);

    if (!ahead.isEmpty())
        text += QLatin1Char('\n');
    for (const QString &declared : std::as_const(ahead))
        text += QStringLiteral("class ") + declared + QStringLiteral(";\n");

    text += QStringLiteral("\nclass ") + name;
    if (!inheritance.isEmpty())
        text += QStringLiteral(" : ") + inheritance.join(QStringLiteral(", "));
    text += QStringLiteral("\n{\n\n");

    QStringList publicLines;
    QStringList protectedLines;
    QStringList privateLines;
    for (const Function *method : model->methods()) {
        switch (method->range()) {
        case ArgAtt::Public:
        case ArgAtt::Setter:
        case ArgAtt::Getter:
            publicLines.append(method->codeDeclaration());
            break;
        case ArgAtt::Protected:
            protectedLines.append(method->codeDeclaration());
            break;
        case ArgAtt::Private:
            privateLines.append(method->codeDeclaration());
            break;
        default:
            break;
        }
    }
    for (const ArgAtt *attribute : model->attributes()) {
        if (attribute->range() == ArgAtt::Public)
            publicLines.append(attribute->codeDeclaration());
        else if (attribute->range() == ArgAtt::Private)
            privateLines.append(attribute->codeDeclaration());
    }

    text += QStringLiteral("public:\n");
    for (const QString &line : std::as_const(publicLines))
        text += line + QLatin1Char('\n');
    if (!protectedLines.isEmpty()) {
        text += QStringLiteral("\nprotected:\n");
        for (const QString &line : std::as_const(protectedLines))
            text += line + QLatin1Char('\n');
    }
    if (!privateLines.isEmpty()) {
        text += QStringLiteral("\nprivate:\n");
        for (const QString &line : std::as_const(privateLines))
            text += line + QLatin1Char('\n');
    }
    text += QStringLiteral("\n};\n\n#endif // ") + guard;
    return text;
}

QString CodeGenerator::sourceText(ClassItem *item, const Context &context) const
{
    const ClassModel *model = item->getModel();
    QString text = banner() + commentBlock(model);
    text.reserve(text.size() + 1024);
    text += QLatin1Char('\n') + includeLine(headerFileName(model->name()));
    // What the header only declares, the definitions may need in full.
    QSet<QString> included;
    for (const QString &declared : context.aheadOf(item)) {
        const QString header = headerFileName(declared);
        if (!included.contains(header)) {
            included.insert(header);
            text += includeLine(header);
        }
    }
    text += QLatin1Char('\n');
    for (const Function *method : model->methods())
        text += method->codeDefinition(model->name()) + QStringLiteral("\n\n");
    return text;
}

bool CodeGenerator::generate(const QList<ClassItem *> &items, const QString &folder)
{
    const QDir dir(folder);
    bool allWritten = true;
    const auto report = [this, &allWritten](Problem problem, const QString &className) {
        allWritten = false;
        if (m_onProblem)
            m_onProblem(problem, className);
    };
    const auto written = [this](const QString &path) {
        if (m_onWritten)
            m_onWritten(path);
    };

    // One scan of the diagram for the whole generation, not one per class.
    const Context diagram = context(items);
    // Names differing only in case share their files.
    QSet<QString> taken;

    for (ClassItem *item : items) {
        const QString name = item->getModel()->name();
        if (!isValidFileName(name) || taken.contains(TypeScan::lowerName(name))) {
            report(Problem::InvalidName, name);
            continue;
        }
        taken.insert(TypeScan::lowerName(name));
        const QString sourcePath = QDir::toNativeSeparators(dir.filePath(sourceFileName(name)));
        const QString headerPath = QDir::toNativeSeparators(dir.filePath(headerFileName(name)));

        const QString freshSource = sourceText(item, diagram);
        const QByteArray freshBytes = freshSource.toUtf8();
        FileWriting::Replacement source{sourcePath, freshBytes,
                                        FileWriting::read(sourcePath, freshBytes)};
        const QByteArray &old = source.existing.bytes;
        bool keptAside = false;
        if (!m_overwrite && source.existing.regular && old != source.bytes) {
            const QString oldText = QString::fromUtf8(old);
            QString merged;
            // A file that is not UTF-8 would not come back byte for byte.
            if (oldText.toUtf8() == old
                && SourceMerger::merge(oldText, freshSource, name, &merged)) {
                source.bytes = merged.toUtf8();
            } else {
                keptAside = true;
                source.path += QStringLiteral(".new");
                source.existing = FileWriting::read(source.path, source.bytes);
            }
        }
        const QByteArray headerBytes = headerText(item, diagram).toUtf8();
        const FileWriting::Replacement header{headerPath, headerBytes,
                                              FileWriting::read(headerPath, headerBytes)};

        const int failed = FileWriting::replaceTogether({source, header});
        if (failed >= 0) {
            report(failed == 0 ? Problem::CannotWriteSource : Problem::CannotWriteHeader, name);
            continue;
        }
        for (const FileWriting::Replacement &file : {source, header}) {
            if (file.changed())
                written(file.path);
            else if (m_onUnchanged)
                m_onUnchanged(file.path);
        }
        if (keptAside)
            report(Problem::SourceKeptAside, name);
    }
    return allWritten;
}
