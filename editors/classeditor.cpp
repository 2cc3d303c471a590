#include "editors/classeditor.h"

ClassEditor::ClassEditor(QWidget *parent, const QString *attPrefix, const bool *autoSetGet)
    : QWidget(parent)
    , attPrefix(attPrefix)
    , autoSetGet(autoSetGet)
{}

ClassEditor::~ClassEditor() = default;

void ClassEditor::openToAdd(ClassModel *model)
{
    classModel = model;
    show();
}

void ClassEditor::openToEdit(ClassModel *model)
{
    classModel = model;
    show();
}
