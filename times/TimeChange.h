#pragma once

#include "filetime/LocalDateTime.h"

#include <QDateTime>
#include <QString>
#include <QVector>

#include <optional>

// One entry's step of a time run or undo, and what undo keeps.

// The times a run writes for one entry; a time not given keeps the file's own.
struct TimeWrite
{
    std::optional<FileTimes::UtcTime> creation;
    std::optional<FileTimes::UtcTime> modification;
    bool isEmpty() const { return !creation && !modification; }
};

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
    // The entry's times as read back after a written step.
    PresentTimes after;
};

// Writes times to the entry at path (a missing path is told apart), noting the times it had.
// known: the entry's times as the caller has just read them (presentTimes), which the step then
// starts from rather than reading them again.
TimeStep applyEntryTimes(
    const QString &path, const TimeWrite &times, const PresentTimes *known = nullptr);

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
