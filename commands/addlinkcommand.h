#ifndef ADDLINKCOMMAND_H
#define ADDLINKCOMMAND_H

#include "commands/diagramlists.h"

#include <QCoreApplication>
#include <QUndoCommand>

// A link confirmed in the editor. While the step is undone the link is off the canvas
// and belongs to the step; its ends are boxes that the steps below it keep alive.
class AddLinkCommand : public QUndoCommand
{
    Q_DECLARE_TR_FUNCTIONS(AddLinkCommand)

public:
    AddLinkCommand(const DiagramLists &diagram, Link *link);
    ~AddLinkCommand() override;

    void redo() override;
    void undo() override;

    // "A - B", the way the steps name a link.
    static QString linkName(const Link *link);

private:
    DiagramLists diagram;
    Link *link;
    qsizetype index;
    bool owned = true;
};

#endif // ADDLINKCOMMAND_H
