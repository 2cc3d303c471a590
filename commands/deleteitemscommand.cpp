#include "commands/deleteitemscommand.h"

#include "canvas/classitem.h"
#include "canvas/link.h"
#include "commands/addlinkcommand.h"
#include "model/classmodel.h"
#include "model/linkmodel.h"

#include <algorithm>

namespace {

// Takes the items off from the end of their list backwards, so that each recorded
// place is the one to insert back at when they return in list order.
template<class Item>
void takeAll(DiagramLists &diagram, const QList<Item *> &list,
             QList<std::pair<qsizetype, Item *>> &items)
{
    for (auto &entry : items)
        entry.first = list.indexOf(entry.second);
    std::sort(items.begin(), items.end());
    for (auto it = items.rbegin(); it != items.rend(); ++it)
        diagram.take(it->second);
}

template<class Item>
void insertAll(DiagramLists &diagram, const QList<std::pair<qsizetype, Item *>> &items)
{
    for (const auto &[index, item] : items)
        diagram.insert(index, item);
}

} // namespace

DeleteItemsCommand::DeleteItemsCommand(const DiagramLists &diagram, const QList<ClassItem *> &boxes,
                                       const QList<Link *> &links)
    : diagram(diagram)
{
    for (ClassItem *box : boxes)
        this->boxes.append({-1, box});
    QList<Link *> taken = links;
    for (Link *link : std::as_const(diagram.links)) {
        const LinkModel *model = link->getModel();
        if (!taken.contains(link)
            && (boxes.contains(model->master()) || boxes.contains(model->slave())))
            taken.append(link);
    }
    for (Link *link : std::as_const(taken))
        this->links.append({-1, link});

    if (boxes.size() == 1 && links.isEmpty())
        setText(tr("supprimer %1").arg(boxes.first()->getModel()->name()));
    else if (boxes.isEmpty() && links.size() == 1)
        setText(tr("supprimer le lien %1").arg(AddLinkCommand::linkName(links.first())));
    else
        setText(tr("supprimer %1 éléments").arg(boxes.size() + links.size()));
}

DeleteItemsCommand::~DeleteItemsCommand()
{
    if (!owned)
        return;
    // Links first: they point at the boxes.
    for (const auto &entry : std::as_const(links))
        delete entry.second;
    for (const auto &entry : std::as_const(boxes))
        delete entry.second;
}

void DeleteItemsCommand::redo()
{
    // Links first, so that none is ever on the canvas without its boxes.
    takeAll(diagram, diagram.links, links);
    takeAll(diagram, diagram.classes, boxes);
    owned = true;
}

void DeleteItemsCommand::undo()
{
    insertAll(diagram, boxes);
    insertAll(diagram, links);
    owned = false;
}
