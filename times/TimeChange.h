#pragma once

#include "times/FileTimes.h"

#include <QDateTime>
#include <QString>
#include <QVector>

#include <optional>

// The Qt side of file times: the one conversion between the user's local time and UTC, the
// present times of an entry, and one entry's step of a time run or undo.

// A local date and time becomes a moment in UTC through the offset in force at that date
// (summer or winter time), not today's.
FileTimes::UtcTime utcFromLocal(const QDateTime &local);
QDateTime localFromUtc(const FileTimes::UtcTime &utc);

// The times a run writes for one entry; a time not given keeps the file's own.
struct TimeWrite
{
    std::optional<FileTimes::UtcTime> creation;
    std::optional<FileTimes::UtcTime> modification;
    bool isEmpty() const { return !creation && !modification; }
};

// The present times of path, exactly as the file system keeps them.
struct PresentTimes
{
    bool readable = false;
    std::optional<FileTimes::UtcTime> creation; // none where the file system keeps none
    FileTimes::UtcTime modification;

    // As local date-times; invalid when unknown.
    QDateTime birthTime() const;
    QDateTime modifiedTime() const;
};
PresentTimes presentTimes(const QString &path);

// The creation time of path for a caller whose QFileInfo or statx found none: the one ntfs-3g
// keeps in an attribute, as a local date-time; invalid where there is none (and on Windows,
// where QFileInfo already reads it).
QDateTime ntfsBirthTime(const QString &path);

// setFileTimes over a Qt path; the result is a FileTimes::Result.
int setFileTimes(const QString &path, const TimeWrite &times);

// What one entry's step did.
struct TimeStep
{
    enum Kind { Written, Missing, Failed };
    Kind kind = Failed;
    int result = FileTimes::ReadFailed;
    // The entry's times just before the step, for each part the step wrote.
    TimeWrite before;
};

// Writes times to the entry at path (a missing path is told apart), noting the times it had.
TimeStep applyEntryTimes(const QString &path, const TimeWrite &times);

// The message for a failed step ("文件“%1”不存在" and the two of setFileTimes), or an empty one
// where the step has nothing to tell.
QString timeStepMessage(const TimeStep &step, const QString &path);

// One entry a run changed: how to put it back.
struct TimeUndoEntry
{
    QString uuid;
    TimeWrite before;
};
using TimeSnapshot = QVector<TimeUndoEntry>;
