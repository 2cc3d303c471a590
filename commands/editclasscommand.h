#ifndef EDITCLASSCOMMAND_H
#define EDITCLASSCOMMAND_H

#include "model/classsnapshot.h"

#include <QCoreApplication>
#include <QUndoCommand>

class ClassItem;

// One editor session on an existing class, from the snapshot taken when the editor
// opened to the one taken when it closed. The session already changed the model, so
// the first redo has nothing to do.
class EditClassCommand : public QUndoCommand
{
    Q_DECLARE_TR_FUNCTIONS(EditClassCommand)

public:
    EditClassCommand(ClassItem *box, const ClassSnapshot &before, const ClassSnapshot &after);

    void redo() override;
    void undo() override;

private:
    ClassItem *box;
    ClassSnapshot before;
    ClassSnapshot after;
    bool applied = true;
};

#endif // EDITCLASSCOMMAND_H
