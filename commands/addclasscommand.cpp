#include "commands/addclasscommand.h"

#include "canvas/classitem.h"
#include "model/classmodel.h"

AddClassCommand::AddClassCommand(const DiagramLists &diagram, ClassItem *box)
    : QUndoCommand(tr("ajouter %1").arg(box->getModel()->name()))
    , diagram(diagram)
    , box(box)
    , index(diagram.classes.size())
{}

AddClassCommand::~AddClassCommand()
{
    if (owned)
        delete box;
}

void AddClassCommand::redo()
{
    diagram.insert(index, box);
    owned = false;
}

void AddClassCommand::undo()
{
    index = diagram.take(box);
    owned = true;
}
