#pragma once

#include "lists/ListEntries.h"
#include "text/SequenceText.h"

#include <QList>
#include <QVariant>

// The names of the custom creation rule: `count` names, each `baseName` (as typed, not
// trimmed) with the sequence text of its row placed at numberPos (0 front, 1 behind, 2 after
// numberBehindCount characters). A time sequence always shows the present local time. Each
// name gets a fresh UUID.
QList<CreateEntry> customCreateNames(const QString &baseName, int count,
    const SequenceSettings &sequence, int numberPos, int numberBehindCount);

// The names of the import creation rule, from the rows a workbook read delivers: the first
// text of each non-empty row, exactly as read, in order, at most `capacity` of them.
struct ImportedNames
{
    QList<CreateEntry> names;
    bool overCapacity = false; // rows were dropped past the capacity
};
ImportedNames importedCreateNames(const QList<QVariant> &rows, int capacity = kListCapacity);
