#ifndef EDITLINKCOMMAND_H
#define EDITLINKCOMMAND_H

#include <QCoreApplication>
#include <QUndoCommand>

class ClassItem;
class Link;

// New ends chosen for a link in its editor.
class EditLinkCommand : public QUndoCommand
{
    Q_DECLARE_TR_FUNCTIONS(EditLinkCommand)

public:
    struct Ends
    {
        ClassItem *master = nullptr;
        ClassItem *slave = nullptr;
        bool operator==(const Ends &other) const
        {
            return master == other.master && slave == other.slave;
        }
    };

    static Ends endsOf(const Link *link);

    EditLinkCommand(Link *link, const Ends &before);

    void redo() override;
    void undo() override;

private:
    void setEnds(const Ends &ends);

    Link *link;
    Ends before;
    Ends after;
};

#endif // EDITLINKCOMMAND_H
