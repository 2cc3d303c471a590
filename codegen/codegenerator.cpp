#include "codegen/codegenerator.h"

#include "canvas/classitem.h"
#include "canvas/link.h"
#include "codegen/sourcemerger.h"
#include "model/argatt.h"
#include "model/classmodel.h"
#include "model/function.h"
#include "model/linkmodel.h"
#include "persistence/filewriting.h"

#include <QDir>
#include <QSet>

namespace {

QString banner()
{
    const QString stars49(49, QLatin1Char('*'));
    const QString stars20(20, QLatin1Char('*'));
    return QStringLiteral("/*\n") + stars49 + QLatin1Char('\n') + stars20
           + QStringLiteral("! WARNING !") + stars20
           + QStringLiteral("\nThis file contain source code automatically generate by\n"
                            "Varnel. Errors are possibles.\n")
           + stars49 + QStringLiteral("\n*/");
}

QString commentBlock(const ClassModel *model)
{
    return QStringLiteral("\n\n/*\n") + model->comment() + QStringLiteral("\n*/\n");
}

// Toolkit classes are included by their bare name, everything else as a header.
bool isToolkitName(const QString &name)
{
    return name.startsWith(QLatin1Char('Q'));
}

QString includeLine(const QString &name)
{
    if (isToolkitName(name))
        return QStringLiteral("#include <") + name + QStringLiteral(">\n");
    return QStringLiteral("#include <") + name.toLower() + QStringLiteral(".h>\n");
}

// A fresh scan, so that a type the class no longer uses is not included and the result
// does not depend on earlier generations.
void rescan(ClassModel *model)
{
    model->clearNeededIncludes();
    model->gatherIncludeTypes();
}

} // namespace

CodeGenerator::CodeGenerator(const QList<Link *> &links)
    : m_links(links)
{}

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
    if (className.isEmpty())
        return false;
    for (const QChar c : className) {
        const bool ok = (c >= QLatin1Char('a') && c <= QLatin1Char('z'))
                        || (c >= QLatin1Char('A') && c <= QLatin1Char('Z'))
                        || (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || c == QLatin1Char('_')
                        || c == QLatin1Char('~');
        if (!ok)
            return false;
    }
    return true;
}

QString CodeGenerator::headerFileName(const QString &className)
{
    return className.toLower() + QStringLiteral(".h");
}

QString CodeGenerator::sourceFileName(const QString &className)
{
    return className.toLower() + QStringLiteral(".cpp");
}

QHash<const ClassItem *, QList<ClassItem *>> CodeGenerator::linkParents() const
{
    QHash<const ClassItem *, QList<ClassItem *>> parents;
    for (const Link *link : m_links) {
        const LinkModel *linkModel = link->getModel();
        // Aggregations and associations bring no base class and no include of their own.
        if (linkModel->type() == LinkModel::Inheritance && linkModel->isComplete())
            parents[linkModel->slave()].append(linkModel->master());
    }
    return parents;
}

QString CodeGenerator::headerText(ClassItem *item) const
{
    return headerText(item, linkParents().value(item));
}

QString CodeGenerator::headerText(ClassItem *item, const QList<ClassItem *> &linkParents) const
{
    ClassModel *model = item->getModel();
    rescan(model);
    const QString name = model->name();
    const QString guard = name.toUpper() + QStringLiteral("_H");

    QString text = banner() + commentBlock(model);
    text += QStringLiteral("\n#ifndef ") + guard + QStringLiteral("\n#define ") + guard
            + QLatin1Char('\n');

    QStringList parentNames;
    QStringList includeNames = model->neededIncludes();
    for (ClassItem *parent : linkParents) {
        ClassModel *master = parent->getModel();
        parentNames.append(master->name());
        // What the parent's header includes reaches this class through it.
        rescan(master);
        const QStringList inherited = master->neededIncludes();
        includeNames.removeIf(
            [&inherited](const QString &name) { return inherited.contains(name); });
    }

    for (const QString &include : std::as_const(includeNames)) {
        if (isToolkitName(include))
            text += QStringLiteral("\n#include <") + include + QLatin1Char('>');
        else
            text += QStringLiteral("\n#include <") + include.toLower() + QStringLiteral(".h>");
    }
    text += QLatin1Char('\n');

    // The typed parent is not on the diagram: its header is named as the user typed it.
    const QString typedParent = model->parentName();
    if (!typedParent.isEmpty()) {
        if (isToolkitName(typedParent))
            text += QStringLiteral("#include <") + typedParent + QStringLiteral(">\n");
        else
            text += QStringLiteral("#include <") + typedParent + QStringLiteral(".h>\n");
    }
    for (const QString &include : model->includes())
        text += includeLine(include);

    // Links first, then the typed parent; every base is public.
    QStringList inheritance;
    for (const QString &parent : std::as_const(parentNames)) {
        text += includeLine(parent);
        inheritance.append(QStringLiteral("public ") + parent);
    }
    if (!typedParent.isEmpty())
        inheritance.append(QStringLiteral("public ") + typedParent);

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

QString CodeGenerator::sourceText(ClassItem *item) const
{
    const ClassModel *model = item->getModel();
    QString text = banner() + commentBlock(model);
    text +=
        QStringLiteral("\n#include <") + headerFileName(model->name()) + QStringLiteral(">\n\n");
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

    // One walk over the links for the whole generation, not one per class.
    const QHash<const ClassItem *, QList<ClassItem *>> parents = linkParents();
    QSet<QString> generatedSources;

    for (ClassItem *item : items) {
        const QString name = item->getModel()->name();
        if (!isValidFileName(name)) {
            report(Problem::InvalidName, name);
            continue;
        }
        const QString sourcePath = QDir::toNativeSeparators(dir.filePath(sourceFileName(name)));
        const QString headerPath = QDir::toNativeSeparators(dir.filePath(headerFileName(name)));

        const QString freshSource = sourceText(item);
        FileWriting::Replacement source{sourcePath, freshSource.toUtf8(),
                                        FileWriting::read(sourcePath)};
        const QByteArray &old = source.existing.bytes;
        bool keptAside = false;
        // A source this generation wrote for a class of the same file name is replaced,
        // not merged: its code belongs to the other class.
        const bool writtenEarlier = generatedSources.contains(sourcePath);
        if (!m_overwrite && !writtenEarlier && source.existing.regular && old != source.bytes) {
            const QString oldText = QString::fromUtf8(old);
            QString merged;
            // A file that is not UTF-8 would not come back byte for byte.
            if (oldText.toUtf8() == old
                && SourceMerger::merge(oldText, freshSource, name, &merged)) {
                source.bytes = merged.toUtf8();
            } else {
                keptAside = true;
                source.path += QStringLiteral(".new");
                source.existing = FileWriting::read(source.path);
            }
        }
        const QByteArray headerBytes = headerText(item, parents.value(item)).toUtf8();
        const FileWriting::Replacement header{headerPath, headerBytes,
                                              FileWriting::read(headerPath)};

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
        generatedSources.insert(sourcePath);
        if (keptAside)
            report(Problem::SourceKeptAside, name);
    }
    return allWritten;
}
