#ifndef FUNCTION_H
#define FUNCTION_H

#include <QList>
#include <QString>
#include <QStringList>

class ArgAtt;
class QDomDocument;
class QDomElement;

// One method of a class. It owns its argument records; linkedAtt, the attribute
// that a generated accessor reads or writes, belongs to the class.
class Function
{
public:
    Function(const QString &name, const QString &returnType, int range,
             const QList<ArgAtt *> &args);
    ~Function();

    Function(const Function &) = delete;
    Function &operator=(const Function &) = delete;

    QString name() const { return m_name; }
    QString returnType() const { return m_returnType; }
    int range() const { return m_range; }
    QList<ArgAtt *> args() const { return m_args; }
    ArgAtt *linkedAtt() const { return m_linkedAtt; }
    QString linkedAttName() const { return m_linkedAttName; }

    void setName(const QString &name) { m_name = name; }
    void setReturnType(const QString &returnType) { m_returnType = returnType; }
    void setRange(int range) { m_range = range; }
    void setLinkedAtt(ArgAtt *att) { m_linkedAtt = att; }
    void setLinkedAttName(const QString &name) { m_linkedAttName = name; }
    // Replaces the list without deleting anything: the caller keeps track of records
    // that leave it.
    void setArgs(const QList<ArgAtt *> &args) { m_args = args; }
    void addArg(ArgAtt *arg);
    ArgAtt *findArg(const QString &name) const;
    void removeArg(const QString &name);
    // Takes one record out of the list without deleting it; false when it is not there.
    bool takeArg(ArgAtt *arg);

    QStringList argLines() const;
    QString umlText() const;
    // The length of umlText(), without building it: what sizes a box.
    qsizetype umlLength() const;
    QString codeDeclaration() const;
    QString codeDefinition(const QString &className) const;
    // The same texts written at the end of text: a generated file is built in one string.
    void appendDeclaration(QString &text) const;
    void appendDefinition(QString &text, const QString &className) const;
    QDomElement toXml(QDomDocument &doc) const;

private:
    QString m_name;
    QString m_returnType;
    int m_range;
    QList<ArgAtt *> m_args;
    ArgAtt *m_linkedAtt = nullptr;
    QString m_linkedAttName;
};

#endif // FUNCTION_H
