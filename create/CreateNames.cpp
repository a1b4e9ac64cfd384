#include "create/CreateNames.h"

#include <QUuid>

namespace {

CreateEntry newEntry(const QString &name)
{
    return CreateEntry {name, QUuid::createUuid().toString()};
}

} // namespace

QList<CreateEntry> customCreateNames(const QString &baseName, int count,
    const SequenceSettings &sequence, int numberPos, int numberBehindCount)
{
    SequenceSettings settings = sequence;
    settings.timeType = 0; // this rule has no entry whose times it could show
    QList<CreateEntry> names;
    names.reserve(qMax(0, count));
    for (int row = 0; row < count; ++row) {
        const QString text = sequenceText(settings, row);
        names.append(newEntry(placeSequence(baseName, text, numberPos, numberBehindCount)));
    }
    return names;
}

ImportedNames importedCreateNames(const QList<QVariant> &rows, int capacity)
{
    ImportedNames result;
    for (const QVariant &row : rows) {
        const QStringList cells = row.toStringList();
        if (cells.isEmpty())
            continue;
        // Only a name that would be dropped is over the capacity, not a trailing empty row.
        if (result.names.size() >= capacity) {
            result.overCapacity = true;
            break;
        }
        result.names.append(newEntry(cells.first()));
    }
    return result;
}
