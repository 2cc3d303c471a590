#ifndef LINKMODEL_H
#define LINKMODEL_H

#include <QObject>
#include <QString>

class ClassItem;
class QDomDocument;
class QDomElement;

// One relation between two class boxes. The ends are boxes, not names, so that a
// renamed class stays linked; only the file stores names.
class LinkModel : public QObject
{
    Q_OBJECT

public:
    enum Type { Inheritance = 0, Aggregation = 1, Association = 2 };

    explicit LinkModel(QObject *parent = nullptr);

    ClassItem *master() const { return m_master; }
    ClassItem *slave() const { return m_slave; }
    int type() const { return m_type; }
    void setMaster(ClassItem *master);
    void setSlave(ClassItem *slave);
    void setType(int type) { m_type = type; }

    // A link is complete when both ends are set and are two different boxes.
    bool isComplete() const;
    QString masterName() const;
    QString slaveName() const;

    void requestEdit();
    QDomElement toXml(QDomDocument &doc) const;

signals:
    void editing(LinkModel *link);
    // setMaster() or setSlave() ran: the drawn link follows its ends through it.
    void endsChanged();

private:
    ClassItem *m_master = nullptr;
    ClassItem *m_slave = nullptr;
    int m_type = Inheritance;
};

#endif // LINKMODEL_H
