#ifndef MOVEBOXESCOMMAND_H
#define MOVEBOXESCOMMAND_H

#include <QCoreApplication>
#include <QList>
#include <QPointF>
#include <QUndoCommand>

class ClassItem;

// One drag: every box it moved, from where it was to where it was let go. The boxes
// are already there when the step is pushed.
class MoveBoxesCommand : public QUndoCommand
{
    Q_DECLARE_TR_FUNCTIONS(MoveBoxesCommand)

public:
    MoveBoxesCommand(const QList<ClassItem *> &boxes, const QList<QPointF> &from);

    void redo() override;
    void undo() override;

private:
    QList<ClassItem *> boxes;
    QList<QPointF> from;
    QList<QPointF> to;
};

#endif // MOVEBOXESCOMMAND_H
