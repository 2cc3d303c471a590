#ifndef CODEGENERATOR_H
#define CODEGENERATOR_H

#include <QCoreApplication>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

class ClassItem;
class Link;

// Writes a C++ header and source skeleton for each class it is given. A source file that
// exists already keeps the bodies and the other code the user wrote in it; the header
// follows the diagram. It knows nothing of windows: the generation window lists its
// problems in its final box, the command line prints them.
class CodeGenerator
{
    Q_DECLARE_TR_FUNCTIONS(CodeGenerator)

public:
    enum class Problem {
        InvalidName,       // the class name cannot be used, or an earlier class has its files
        CannotWriteSource, // the .cpp file could not be written
        CannotWriteHeader, // the .h file could not be written
        SourceKeptAside,   // the old .cpp could not be split: the skeleton went to .cpp.new
    };
    using ProblemHandler = std::function<void(Problem problem, const QString &className)>;
    using WrittenHandler = std::function<void(const QString &path)>;

    // Every class of each name, in the order the names come, each name once, in one pass
    // over the classes; the names no class bears go to missing.
    static QList<ClassItem *> classesNamed(const QList<ClassItem *> &classes,
                                           const QStringList &names,
                                           QStringList *missing = nullptr);

    // The sentence the window and the command line show for a problem.
    static QString problemText(Problem problem, const QString &className);

    // The links are read to find base classes, the classes to find which headers would
    // include each other (the classes generated and the link ends are always counted); the
    // items must outlive the generator.
    explicit CodeGenerator(const QList<Link *> &links, const QList<ClassItem *> &classes = {});

    // Called at once, in generation order, for each problem and for each file written.
    void setProblemHandler(ProblemHandler handler) { m_onProblem = std::move(handler); }
    void setWrittenHandler(WrittenHandler handler) { m_onWritten = std::move(handler); }
    // Called for each file left alone because it already holds the new text.
    void setUnchangedHandler(WrittenHandler handler) { m_onUnchanged = std::move(handler); }
    // Plain skeletons over existing sources, dropping what the user wrote in them.
    void setOverwrite(bool overwrite) { m_overwrite = overwrite; }

    // Writes both files of every item into the folder, in order, both or neither; a class
    // whose files an earlier class of the same name (in any case) has written is reported
    // instead. True when every file was written.
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
    WrittenHandler m_onUnchanged;
    bool m_overwrite = false;
};

#endif // CODEGENERATOR_H
