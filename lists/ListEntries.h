#pragma once

#include "filetime/LocalDateTime.h"

#include <QDateTime>
#include <QString>

// Row states shared by every list; the number is also the state label's "Success" property.
enum EntryState {
    StatePending = 0,
    StateSuccess = 1,
    StateFailed = 2,
    StateRunning = 3,
    StateMissing = 4,
};

// The text a state label shows for a state number ("待操作" for anything unknown).
QString entryStateText(int state);

// A list never holds more entries than this.
inline constexpr int kListCapacity = 3000;

// Data roles on the items of a row.
inline constexpr int kUuidRole = Qt::UserRole + 1;
inline constexpr int kTimeTextRole = Qt::UserRole + 2;
inline constexpr int kSuffixRole = Qt::UserRole + 3;

// One entry of a rename list.
struct RenameEntry
{
    QString oldName;
    QString newName;
    QString filePath;
    QString stateText;
    QString uuid;
    int state = StatePending;
};

// One entry of a time or extraction list.
struct InfoEntry
{
    QString fileName;
    QString filePath;
    QDateTime birthTime;
    QDateTime modifiedTime;
    QString stateText;
    QString uuid;
    int state = StatePending;
    // The entry's own times as last read from the disk (the time list computes from them).
    PresentTimes ownTimes;
};

// A pending entry for path with a fresh UUID, its name and times read from the disk now.
InfoEntry *newInfoEntry(const QString &path);

// One name the batch creation will create.
struct CreateEntry
{
    QString name;
    QString uuid;
};
