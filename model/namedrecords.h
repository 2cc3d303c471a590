#ifndef NAMEDRECORDS_H
#define NAMEDRECORDS_H

#include <QList>
#include <QString>

// Lookups in the owned record lists of a class or a method, where names may repeat.
namespace NamedRecords {

// The first record of that name, or null.
template<class Record>
Record *find(const QList<Record *> &records, const QString &name)
{
    for (Record *record : records) {
        if (record->name() == name)
            return record;
    }
    return nullptr;
}

// The last record of that name, or null.
template<class Record>
Record *findLast(const QList<Record *> &records, const QString &name)
{
    for (auto record = records.crbegin(); record != records.crend(); ++record) {
        if ((*record)->name() == name)
            return *record;
    }
    return nullptr;
}

// Deletes every record of that name, after `beforeDelete` has seen each.
template<class Record, class BeforeDelete>
void remove(QList<Record *> &records, const QString &name, BeforeDelete beforeDelete)
{
    records.removeIf([&](Record *record) {
        if (record->name() != name)
            return false;
        beforeDelete(record);
        delete record;
        return true;
    });
}

template<class Record>
void remove(QList<Record *> &records, const QString &name)
{
    remove(records, name, [](Record *) {});
}

} // namespace NamedRecords

#endif // NAMEDRECORDS_H
