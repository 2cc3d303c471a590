#include "codegen/codegenerator.h"

#include "canvas/classitem.h"
#include "canvas/link.h"
#include "codegen/sourcemerger.h"
#include "model/argatt.h"
#include "model/classmodel.h"
#include "model/function.h"
#include "model/linkmodel.h"
#include "model/namelist.h"
#include "model/typescan.h"
#include "persistence/filewriting.h"

#include <QDir>
#include <QSet>

#include <algorithm>

namespace {

const QString &banner()
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

void appendCommentBlock(QString &text, QString comment)
{
    // A "*/" in the comment would end the block early and leave the rest as code; a "/*"
    // would draw a warning. Most comments hold no slash at all.
    if (comment.contains(u'/')) {
        comment.replace(QStringLiteral("*/"), QStringLiteral("* /"));
        comment.replace(QStringLiteral("/*"), QStringLiteral("/ *"));
    }
    text += u"\n\n/*\n" + comment + u"\n*/\n";
}

// The banner and the comment that open both files of a class, in a text with room for
// the rest.
QString openingText(const ClassModel *model)
{
    const QString comment = model->comment();
    QString text;
    // Twice what most files need: appending a built string (QStringBuilder's +=) reallocates
    // once the text takes more than half of its capacity.
    text.reserve(banner().size() + comment.size() + 2048);
    text += banner();
    appendCommentBlock(text, comment);
    return text;
}

void appendInclude(QString &text, const QString &header)
{
    text += u"#include <" + header + u">\n";
}

// Where a header declares a method or an attribute.
enum class Section { Public, Protected, Private, None };

Section sectionOf(const Function *method)
{
    switch (method->range()) {
    case ArgAtt::Public:
    case ArgAtt::Setter:
    case ArgAtt::Getter:
        return Section::Public;
    case ArgAtt::Protected:
        return Section::Protected;
    case ArgAtt::Private:
        return Section::Private;
    default:
        return Section::None;
    }
}

// Attributes are only public or private: the other codes are not declared.
Section sectionOf(const ArgAtt *attribute)
{
    switch (attribute->range()) {
    case ArgAtt::Public:
        return Section::Public;
    case ArgAtt::Private:
        return Section::Private;
    default:
        return Section::None;
    }
}

bool declaresIn(Section section, const QList<Function *> &methods,
                const QList<ArgAtt *> &attributes)
{
    const auto inSection = [section](const auto *member) { return sectionOf(member) == section; };
    return std::any_of(methods.cbegin(), methods.cend(), inSection)
           || std::any_of(attributes.cbegin(), attributes.cend(), inSection);
}

// The methods of a section, then its attributes, one line each.
void appendSection(QString &text, Section section, const QList<Function *> &methods,
                   const QList<ArgAtt *> &attributes)
{
    for (const Function *method : methods) {
        if (sectionOf(method) == section) {
            method->appendDeclaration(text);
            text += u'\n';
        }
    }
    for (const ArgAtt *attribute : attributes) {
        if (sectionOf(attribute) == section) {
            attribute->appendDeclaration(text);
            text += u'\n';
        }
    }
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
    const QString guard = QString(name + u"_H").toUpper(); // upper-cased in place

    QString text = openingText(model);
    text += u"\n#ifndef " + guard + u"\n#define " + guard + u'\n';

    // What the parents' headers include reaches this class through them.
    NameList inherited;
    const QList<ClassItem *> linkParents = context.parents.value(item);
    for (const ClassItem *parent : linkParents) {
        const QStringList parentIncludes = parent->getModel()->neededIncludes();
        for (const QString &used : parentIncludes) {
            if (!context.declaresAhead(parent, used))
                inherited.insert(used);
        }
    }

    // Each header once, where it first comes.
    NameList included;
    included.reserve(16); // one allocation for the headers of most classes
    QStringList ahead;
    const QStringList neededIncludes = model->neededIncludes();
    for (const QString &include : neededIncludes) {
        if (inherited.contains(include))
            continue;
        if (context.declaresAhead(item, include)) {
            ahead.append(include);
            continue;
        }
        const QString header = context.headerOf(include);
        if (included.add(header))
            text += u"\n#include <" + header + u'>';
    }
    text += u'\n';

    // A typed parent off the diagram has its header named as the user typed it.
    const QString typedParent = model->parentName();
    if (!typedParent.isEmpty()) {
        QString header = typedParent;
        if (context.classOf(typedParent))
            header = headerFileName(typedParent);
        else if (!typedParent.startsWith(QLatin1Char('Q')))
            header += QStringLiteral(".h");
        if (included.add(header))
            appendInclude(text, header);
    }
    const QStringList includes = model->includes();
    for (const QString &include : includes) {
        const QString trimmed = include.trimmed();
        if (trimmed.isEmpty())
            continue;
        const QString header = context.headerOf(trimmed);
        if (included.add(header))
            appendInclude(text, header);
    }
    for (const ClassItem *parent : linkParents) {
        const QString header = headerFileName(parent->getModel()->name());
        if (included.add(header))
            appendInclude(text, header);
    }

    if (!ahead.isEmpty())
        text += u'\n';
    for (const QString &declared : std::as_const(ahead))
        text += u"class " + declared + u";\n";

    // Links first, then the typed parent; every base is public.
    text += u"\nclass " + name;
    QStringView separator = u" : public ";
    for (const ClassItem *parent : linkParents) {
        text += separator + parent->getModel()->name();
        separator = u", public ";
    }
    if (!typedParent.isEmpty())
        text += separator + typedParent;
    text += u"\n{\n\n";

    const QList<Function *> methods = model->methods();
    const QList<ArgAtt *> attributes = model->attributes();
    text += u"public:\n";
    appendSection(text, Section::Public, methods, attributes);
    if (declaresIn(Section::Protected, methods, attributes)) {
        text += u"\nprotected:\n";
        appendSection(text, Section::Protected, methods, attributes);
    }
    if (declaresIn(Section::Private, methods, attributes)) {
        text += u"\nprivate:\n";
        appendSection(text, Section::Private, methods, attributes);
    }
    text += u"\n};\n\n#endif // " + guard;
    return text;
}

QString CodeGenerator::sourceText(ClassItem *item, const Context &context) const
{
    const ClassModel *model = item->getModel();
    const QString name = model->name();
    QString text = openingText(model);
    text += u'\n';
    appendInclude(text, headerFileName(name));
    // What the header only declares, the definitions may need in full.
    NameList included;
    const QStringList ahead = context.aheadOf(item);
    for (const QString &declared : ahead) {
        const QString header = headerFileName(declared);
        if (included.add(header))
            appendInclude(text, header);
    }
    text += u'\n';
    const QList<Function *> methods = model->methods();
    for (const Function *method : methods) {
        method->appendDefinition(text, name);
        text += u"\n\n";
    }
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
    // Each file is guessed to be like the one before: a regeneration finds them all, a first
    // generation none.
    bool filesThere = true;

    for (ClassItem *item : items) {
        const QString name = item->getModel()->name();
        const QString lower = TypeScan::lowerName(name); // as sourceFileName() and headerFileName()
        if (!isValidFileName(name) || taken.contains(lower)) {
            report(Problem::InvalidName, name);
            continue;
        }
        taken.insert(lower);
        const QString sourcePath = QDir::toNativeSeparators(dir.filePath(lower + u".cpp"));
        const QString headerPath = QDir::toNativeSeparators(dir.filePath(lower + u".h"));

        const QString freshSource = sourceText(item, diagram);
        const QByteArray freshBytes = freshSource.toUtf8();
        FileWriting::Replacement source{
            sourcePath, freshBytes, FileWriting::readOrCreate(sourcePath, freshBytes, filesThere)};
        filesThere = !source.existing.created;
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
        const FileWriting::Replacement header{
            headerPath, headerBytes,
            FileWriting::readOrCreate(headerPath, headerBytes, filesThere)};
        filesThere = !header.existing.created;

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
