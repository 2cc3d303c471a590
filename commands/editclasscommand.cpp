#include "commands/editclasscommand.h"

#include "canvas/classitem.h"

EditClassCommand::EditClassCommand(ClassItem *box, const ClassSnapshot &before,
                                   const ClassSnapshot &after)
    : QUndoCommand(tr("modifier %1").arg(after.name))
    , box(box)
    , before(before)
    , after(after)
{}

void EditClassCommand::redo()
{
    if (!applied)
        after.applyTo(*box->getModel());
    applied = true;
}

void EditClassCommand::undo()
{
    before.applyTo(*box->getModel());
    applied = false;
}
