#ifndef ADDCLASSCOMMAND_H
#define ADDCLASSCOMMAND_H

#include "commands/diagramlists.h"

#include <QCoreApplication>
#include <QUndoCommand>

// A class confirmed in the editor: the box goes at the end of the diagram. While the
// step is undone the box is off the canvas and belongs to the step.
class AddClassCommand : public QUndoCommand
{
    Q_DECLARE_TR_FUNCTIONS(AddClassCommand)

public:
    AddClassCommand(const DiagramLists &diagram, ClassItem *box);
    ~AddClassCommand() override;

    void redo() override;
    void undo() override;

private:
    DiagramLists diagram;
    ClassItem *box;
    qsizetype index;
    bool owned = true;
};

#endif // ADDCLASSCOMMAND_H
