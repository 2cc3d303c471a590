#ifndef CODEGENERATOR_H
#define CODEGENERATOR_H

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

class ClassItem;
class Link;

// Writes a C++ header and source skeleton for each class it is given. It knows nothing
// of windows: the generation window shows its problems in message boxes, the command
// line prints them.
class CodeGenerator
{
public:
    enum class Problem {
        InvalidName,       // the class name cannot be used, or an earlier class has its files
        CannotWriteSource, // the .cpp file could not be written
        CannotWriteHeader, // the .h file could not be written
    };
    using ProblemHandler = std::function<void(Problem problem, const QString &className)>;
    using WrittenHandler = std::function<void(const QString &path)>;

    // The links are read to find base classes, the classes to find which headers would
    // include each other (the classes generated and the link ends are always counted); the
    // items must outlive the generator.
    explicit CodeGenerator(const QList<Link *> &links, const QList<ClassItem *> &classes = {});

    // Called at once, in generation order, for each problem and for each file written.
    void setProblemHandler(ProblemHandler handler) { m_onProblem = std::move(handler); }
    void setWrittenHandler(WrittenHandler handler) { m_onWritten = std::move(handler); }

    // Writes both files of every item into the folder, in order; a class whose files an
    // earlier class of the same name (in any case) has written is reported instead. True
    // when every file was written.
    bool generate(const QList<ClassItem *> &items, const QString &folder);

    // The two texts of one class, from the models as they are now: the header scans
    // the class and its inheritance parents afresh for the types to include.
    QString headerText(ClassItem *item) const;
    QString sourceText(ClassItem *item) const;

    // A C++ identifier: it names the class, and nothing that could leave the folder.
    static bool isValidFileName(const QString &className);
    static QString headerFileName(const QString &className);
    static QString sourceFileName(const QString &className);

private:
    struct Context;
    // Scans every class afresh and reads the links, once for a whole generation.
    Context context(const QList<ClassItem *> &items) const;
    QString headerText(ClassItem *item, const Context &context) const;
    QString sourceText(ClassItem *item, const Context &context) const;

    QList<Link *> m_links;
    QList<ClassItem *> m_classes;
    ProblemHandler m_onProblem;
    WrittenHandler m_onWritten;
};

#endif // CODEGENERATOR_H
