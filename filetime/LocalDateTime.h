#pragma once

#include "filetime/LocalTime.h"

#include <QDateTime>
#include <QString>

#include <optional>

// The Qt side of the local-time conversion and of reading file times. Qt 5's own local time
// applies the standard offset to every date before 1970 and 2037's rules to every later year,
// so a local time here is a QDateTime with an explicit offset (Qt::OffsetFromUTC), found by the
// conversion of LocalTime.h: its date and time are what the clock showed, its offset is the
// zone's at that moment, and it compares and converts to UTC without Qt's zone code.

// The local time of a moment; invalid where the system cannot convert it.
QDateTime localFromUtc(const FileTimes::UtcTime &utc);

// The moment a local date and time names (a skipped reading moves on past the change, a
// repeated one is the first of the two), as a local time; invalid where it names none.
QDateTime localReading(const QDate &date, const QTime &time);

// The moment of a date-time: one with Qt::LocalTime is taken as a local reading (its date and
// time, through the conversion above), any other as the moment it holds. None for an invalid one.
std::optional<FileTimes::UtcTime> utcFromLocal(const QDateTime &time);

// The native path the file-time layer takes.
FileTimes::Path nativeTimePath(const QString &path);

// The present times of path, exactly as the file system keeps them.
struct PresentTimes
{
    bool readable = false;
    std::optional<FileTimes::UtcTime> creation; // none where the file system keeps none
    FileTimes::UtcTime modification;

    // As local times; invalid when unknown.
    QDateTime birthTime() const;
    QDateTime modifiedTime() const;
};
PresentTimes presentTimes(const QString &path);
