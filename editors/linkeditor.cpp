#include "editors/linkeditor.h"

LinkEditor::LinkEditor(QWidget *parent)
    : QWidget(parent)
{}

LinkEditor::~LinkEditor() = default;

void LinkEditor::openLink(LinkModel *model, bool, const QList<ClassItem *> &)
{
    link = model;
    show();
}
