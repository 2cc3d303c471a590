#ifndef CLASSEDITOR_H
#define CLASSEDITOR_H

#include <QWidget>

class ClassModel;

// Window in which a class is created or changed.
class ClassEditor : public QWidget
{
    Q_OBJECT

public:
    ClassEditor(QWidget *parent, const QString *attPrefix, const bool *autoSetGet);
    ~ClassEditor() override;

    void openToAdd(ClassModel *classModel);

public slots:
    void openToEdit(ClassModel *classModel);

signals:
    void addClass();
    void addCanceled();
    void classCanceled(ClassModel *classMod);

private:
    ClassModel *classModel = nullptr;
    const QString *attPrefix;
    const bool *autoSetGet;
};

#endif // CLASSEDITOR_H
