#include "commands/addlinkcommand.h"

#include "canvas/link.h"
#include "model/linkmodel.h"

AddLinkCommand::AddLinkCommand(const DiagramLists &diagram, Link *link)
    : QUndoCommand(tr("ajouter le lien %1").arg(linkName(link)))
    , diagram(diagram)
    , link(link)
    , index(diagram.links.size())
{}

AddLinkCommand::~AddLinkCommand()
{
    if (owned)
        delete link;
}

QString AddLinkCommand::linkName(const Link *link)
{
    return link->getModel()->masterName() + QStringLiteral(" - ") + link->getModel()->slaveName();
}

void AddLinkCommand::redo()
{
    diagram.insert(index, link);
    owned = false;
}

void AddLinkCommand::undo()
{
    index = diagram.take(link);
    owned = true;
}
