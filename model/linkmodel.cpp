#include "model/linkmodel.h"

#include "canvas/classitem.h"
#include "model/classmodel.h"

#include <QDomDocument>
#include <QDomElement>

LinkModel::LinkModel(QObject *parent)
    : QObject(parent)
{}

void LinkModel::setMaster(ClassItem *master)
{
    m_master = master;
    emit endsChanged();
}

void LinkModel::setSlave(ClassItem *slave)
{
    m_slave = slave;
    emit endsChanged();
}

bool LinkModel::isComplete() const
{
    return m_master && m_slave && m_master != m_slave;
}

QString LinkModel::masterName() const
{
    return m_master ? m_master->getModel()->name() : QString();
}

QString LinkModel::slaveName() const
{
    return m_slave ? m_slave->getModel()->name() : QString();
}

void LinkModel::requestEdit()
{
    emit editing(this);
}

QDomElement LinkModel::toXml(QDomDocument &doc) const
{
    QDomElement element = doc.createElement(QStringLiteral("link"));
    element.setAttribute(QStringLiteral("master"), masterName());
    element.setAttribute(QStringLiteral("slave"), slaveName());
    element.setAttribute(QStringLiteral("type"), QString::number(m_type));
    return element;
}
