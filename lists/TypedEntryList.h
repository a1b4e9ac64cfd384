#pragma once

#include "lists/EntryListBase.h"

#include <QList>
#include <QString>
#include <QStringList>

// The hooks of EntryListBase over a list of owned records, for every list whose records carry
// `uuid`, `state` and `filePath`. The list itself writes its cells (writeCells), creates its
// records and says how its columns sort.
template<class Entry> class TypedEntryList : public EntryListBase
{
public:
    using EntryListBase::EntryListBase;
    ~TypedEntryList() override { qDeleteAll(entries); }

    int entryCount() const override { return entries.size(); }
    const QList<Entry *> &entryList() const { return entries; }

    // Sets the state of row (its entry and its state label).
    void setEntryState(int row, int state)
    {
        if (row < 0 || row >= entries.size())
            return;
        entries[row]->state = state;
        showState(row, state);
    }

protected:
    // Writes the list's own cells of row from entry, creating the items the first time.
    virtual void writeCells(int row, const Entry &entry) = 0;

    // Takes entry as the last one and fills its row (which exists already).
    void appendFilled(int row, Entry *entry)
    {
        entries.append(entry);
        writeCells(row, *entry);
        fillCommonCells(row, entry->uuid);
    }

    QString entryUuid(int index) const override { return entries.at(index)->uuid; }
    int entryState(int index) const override { return entries.at(index)->state; }
    QString entryPath(int index) const override { return entries.at(index)->filePath; }
    QStringList entryPaths() const override
    {
        QStringList paths;
        paths.reserve(entries.size());
        for (const Entry *entry : entries)
            paths.append(entry->filePath);
        return paths;
    }
    void refreshRow(int row) override
    {
        const Entry &entry = *entries.at(row);
        writeCells(row, entry);
        refreshCommonCells(row, entry.uuid, entry.state);
    }
    void moveEntry(int from, int to) override { entries.insert(to, entries.takeAt(from)); }
    void removeEntry(int index) override { delete entries.takeAt(index); }
    void removeAllEntries() override
    {
        qDeleteAll(entries);
        entries.clear();
    }

    QList<Entry *> entries;
};
