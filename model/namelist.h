#ifndef NAMELIST_H
#define NAMELIST_H

#include <QHash>
#include <QString>
#include <QStringList>

// Distinct names in the order they came. A class uses a handful of types, found quicker by
// a search of the list than through a hash; past sixteen the names are indexed, so that a
// class of thousands of types still takes linear time.
class NameList
{
public:
    const QStringList &names() const { return m_names; }

    // Where the name is, or -1.
    qsizetype indexOf(const QString &name) const
    {
        return m_index.isEmpty() ? m_names.indexOf(name) : m_index.value(name, -1);
    }

    bool contains(const QString &name) const { return indexOf(name) >= 0; }

    // Where the name is; appended when it is new, which `added` tells.
    qsizetype insert(const QString &name, bool *added = nullptr)
    {
        qsizetype index = indexOf(name);
        if (added)
            *added = index < 0;
        if (index >= 0)
            return index;
        index = m_names.size();
        m_names.append(name);
        // A list grown long is indexed, with the names it held before.
        if (m_names.size() > searched) {
            for (qsizetype i = m_index.size(); i < m_names.size(); ++i)
                m_index.insert(m_names.at(i), i);
        }
        return index;
    }

    // True when the name is new.
    bool add(const QString &name)
    {
        bool added = false;
        insert(name, &added);
        return added;
    }

    void reserve(qsizetype size) { m_names.reserve(size); }
    void clear()
    {
        m_names.clear();
        m_index.clear();
    }

private:
    static constexpr qsizetype searched = 16;
    QStringList m_names;
    QHash<QString, qsizetype> m_index;
};

#endif // NAMELIST_H
