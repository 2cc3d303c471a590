#ifndef ARGATT_H
#define ARGATT_H

#include <QString>

class QDomDocument;
class QDomElement;

// One attribute of a class or one argument of a method.
class ArgAtt
{
public:
    // Visibility and accessor codes shared by attributes, arguments and methods.
    enum Range { Private = 0, Public = 1, Protected = 2, Setter = 3, Getter = 4 };

    ArgAtt(const QString &name, const QString &type, const QString &defValue, int range);

    QString name() const { return m_name; }
    QString type() const { return m_type; }
    QString defValue() const { return m_defValue; }
    int range() const { return m_range; }

    void setName(const QString &name) { m_name = name; }
    void setType(const QString &type) { m_type = type; }
    void setDefValue(const QString &defValue) { m_defValue = defValue; }
    void setRange(int range) { m_range = range; }

    // "- count : int = 0": the line shown in class boxes and editor lists.
    QString umlText() const;
    // The length of umlText(), without building it: what sizes a box.
    qsizetype umlLength() const;
    // "    int count;": the line of a generated header.
    QString codeDeclaration() const;
    // The same line written at the end of text, without a string of its own.
    void appendDeclaration(QString &text) const;
    QDomElement toXml(QDomDocument &doc) const;

private:
    QString m_name;
    QString m_type;
    QString m_defValue;
    int m_range;
};

#endif // ARGATT_H
