#ifndef DELETEITEMSCOMMAND_H
#define DELETEITEMSCOMMAND_H

#include "commands/diagramlists.h"

#include <QCoreApplication>
#include <QUndoCommand>

#include <utility>

// Boxes and links taken off the diagram, each box with every link that ends on it.
// They are kept, models intact, while the step is done, and put back at the same
// places on the lists when it is undone.
class DeleteItemsCommand : public QUndoCommand
{
    Q_DECLARE_TR_FUNCTIONS(DeleteItemsCommand)

public:
    DeleteItemsCommand(const DiagramLists &diagram, const QList<ClassItem *> &boxes,
                       const QList<Link *> &links);
    ~DeleteItemsCommand() override;

    void redo() override;
    void undo() override;

private:
    DiagramLists diagram;
    // With their places on the lists, in list order once the step is done.
    QList<std::pair<qsizetype, ClassItem *>> boxes;
    QList<std::pair<qsizetype, Link *>> links;
    bool owned = false;
};

#endif // DELETEITEMSCOMMAND_H
