#include "commands/moveboxescommand.h"

#include "canvas/classitem.h"
#include "model/classmodel.h"

MoveBoxesCommand::MoveBoxesCommand(const QList<ClassItem *> &boxes, const QList<QPointF> &from)
    : boxes(boxes)
    , from(from)
{
    for (const ClassItem *box : boxes)
        to.append(box->pos());
    setText(boxes.size() == 1 ? tr("déplacer %1").arg(boxes.first()->getModel()->name())
                              : tr("déplacer %1 classes").arg(boxes.size()));
}

void MoveBoxesCommand::redo()
{
    for (qsizetype i = 0; i < boxes.size(); ++i)
        boxes.at(i)->setPos(to.at(i));
}

void MoveBoxesCommand::undo()
{
    for (qsizetype i = 0; i < boxes.size(); ++i)
        boxes.at(i)->setPos(from.at(i));
}
