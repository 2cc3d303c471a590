#ifndef CLASSMODEL_H
#define CLASSMODEL_H

#include "model/namelist.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

class ArgAtt;
class Function;
class QDomDocument;
class QDomElement;

// Everything known about one class of the diagram. It owns its member records.
class ClassModel : public QObject
{
    Q_OBJECT

public:
    explicit ClassModel(QObject *parent = nullptr);
    ~ClassModel() override;

    QString name() const { return m_name; }
    QString comment() const { return m_comment; }
    QString parentName() const { return m_parentName; }
    void setName(const QString &name) { m_name = name; }
    void setComment(const QString &comment) { m_comment = comment; }
    void setParentName(const QString &parentName) { m_parentName = parentName; }

    QList<Function *> methods() const { return m_methods; }
    QList<ArgAtt *> attributes() const { return m_attributes; }
    // Replace the lists without deleting anything; the model owns the new records.
    void setMethods(const QList<Function *> &methods) { m_methods = methods; }
    void setAttributes(const QList<ArgAtt *> &attributes) { m_attributes = attributes; }
    void addMethod(Function *method);
    void addAttribute(ArgAtt *attribute);
    Function *findMethod(const QString &name) const;
    ArgAtt *findAttribute(const QString &name) const;
    void removeMethod(const QString &name);
    void removeAttribute(const QString &name);

    QStringList includes() const { return m_includes; }
    void setIncludes(const QStringList &includes);
    QStringList neededIncludes() const { return m_neededIncludes.names(); }

    QStringList attributeLines() const;
    QStringList methodLines() const;

    void updateSize();
    int maxLineLength() const { return m_maxLineLength; }
    int lineCount() const { return m_lineCount; }

    // Type scan for the includes of a generated header (attribute types, return types,
    // then argument types); appends to neededIncludes.
    void gatherIncludeTypes();
    void gatherTemplateTypes(const QString &type);
    // Forgets what earlier scans gathered, so that a scan reflects the model as it is.
    void clearNeededIncludes();
    // True when every use of a gathered name goes through a pointer or a reference, so that
    // a declaration of the class is enough for the header.
    bool usesOnlyIndirectly(const QString &name) const;

    void requestEdit();
    QDomElement toXml(QDomDocument &doc) const;

signals:
    void editing(ClassModel *model);
    // updateSize() changed the figures that the box takes its size from.
    void sizeChanged();
    // updateSize() ran: whoever shows the lines must show them again, even when the
    // size stayed (a renamed member of the same length).
    void linesUpdated();

private:
    // Lists the name that a piece of a type gives, unless it gives none.
    void gatherName(QStringView piece, const QString &name);

    QString m_name;
    QString m_comment;
    QString m_parentName;
    QList<Function *> m_methods;
    QList<ArgAtt *> m_attributes;
    NameList m_neededIncludes;
    // For each needed include, whether some use of it is by value rather than through a
    // pointer or a reference.
    QList<bool> m_usedByValue;
    QStringList m_includes;
    int m_maxLineLength = 10;
    int m_lineCount = 20;
};

#endif // CLASSMODEL_H
