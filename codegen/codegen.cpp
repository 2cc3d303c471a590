#include "codegen/codegen.h"

CodeGen::CodeGen(QList<ClassItem *> *classItems, QList<Link *> *linkItems, QWidget *parent)
    : QWidget(parent)
    , classItems(classItems)
    , linkItems(linkItems)
{}

CodeGen::~CodeGen() = default;

void CodeGen::openGenerator()
{
    show();
}
