#ifndef LINKEDITOR_H
#define LINKEDITOR_H

#include <QList>
#include <QWidget>

class ClassItem;
class LinkModel;

// Small window in which the two classes of a link are chosen.
class LinkEditor : public QWidget
{
    Q_OBJECT

public:
    explicit LinkEditor(QWidget *parent = nullptr);
    ~LinkEditor() override;

    void openLink(LinkModel *link, bool editMode, const QList<ClassItem *> &classItems);

signals:
    void linkAdded();
    void linkCanceled();
    void linkDeleted(LinkModel *link);

private:
    LinkModel *link = nullptr;
};

#endif // LINKEDITOR_H
