#ifndef CLASSSNAPSHOT_H
#define CLASSSNAPSHOT_H

#include <QList>
#include <QString>
#include <QStringList>

class ClassModel;

// What a class holds, by value: an editor session is undone by writing back the
// snapshot taken when it opened. Accessors keep their attribute as its index.
struct ClassSnapshot
{
    struct Member
    {
        QString name;
        QString type;
        QString defValue;
        int range = 0;
        bool operator==(const Member &other) const;
    };
    struct Method
    {
        QString name;
        QString returnType;
        int range = 0;
        QList<Member> args;
        int linkedAttribute = -1;
        QString linkedAttName;
        bool operator==(const Method &other) const;
    };

    static ClassSnapshot of(const ClassModel &model);
    // Replaces the model's content by this one; the model's old records are deleted.
    void applyTo(ClassModel &model) const;

    bool operator==(const ClassSnapshot &other) const;
    bool operator!=(const ClassSnapshot &other) const { return !(*this == other); }

    QString name;
    QString comment;
    QString parentName;
    QStringList includes;
    QList<Member> attributes;
    QList<Method> methods;
};

#endif // CLASSSNAPSHOT_H
