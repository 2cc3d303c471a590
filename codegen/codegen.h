#ifndef CODEGEN_H
#define CODEGEN_H

#include <QList>
#include <QWidget>

class ClassItem;
class Link;

// Window that writes a header and a source file for the chosen classes.
class CodeGen : public QWidget
{
    Q_OBJECT

public:
    CodeGen(QList<ClassItem *> *classItems, QList<Link *> *linkItems, QWidget *parent = nullptr);
    ~CodeGen() override;

    void openGenerator();

private:
    QList<ClassItem *> *classItems;
    QList<Link *> *linkItems;
};

#endif // CODEGEN_H
