#include "commands/editlinkcommand.h"

#include "canvas/link.h"
#include "commands/addlinkcommand.h"
#include "model/linkmodel.h"

EditLinkCommand::Ends EditLinkCommand::endsOf(const Link *link)
{
    return {link->getModel()->master(), link->getModel()->slave()};
}

EditLinkCommand::EditLinkCommand(Link *link, const Ends &before)
    : QUndoCommand(tr("modifier le lien %1").arg(AddLinkCommand::linkName(link)))
    , link(link)
    , before(before)
    , after(endsOf(link))
{}

void EditLinkCommand::redo()
{
    setEnds(after);
}

void EditLinkCommand::undo()
{
    setEnds(before);
}

void EditLinkCommand::setEnds(const Ends &ends)
{
    if (endsOf(link) == ends)
        return;
    link->getModel()->setMaster(ends.master);
    link->getModel()->setSlave(ends.slave);
}
