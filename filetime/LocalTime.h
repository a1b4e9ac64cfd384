#pragma once

#include "filetime/FileTimes.h"

// The one conversion between the user's local time and UTC, with the zone's rules for the date
// in question (summer time in 1965 and in 2040 included), free of Qt like the file-time layer.
namespace FileTimes {

// What the local wall clock shows.
struct LocalReading
{
    int year = 1970;
    int month = 1; // 1 to 12
    int day = 1;
    int hour = 0;
    int minute = 0;
    int second = 0;
    std::uint32_t nanoseconds = 0;
};

// What the local clock showed at a moment, and the zone's offset from UTC then (seconds east).
// False where the system cannot convert that moment.
bool toLocal(const UtcTime &utc, LocalReading *out, int *offsetSeconds = nullptr);

// The moment a local reading names. A reading the clocks skip (spring forward) names the moment
// they moved on to: 02:30 becomes 03:30 of the new time. A reading they show twice (autumn) names
// the first of the two. False where the system cannot convert it.
bool toUtc(const LocalReading &local, UtcTime *out);

namespace Platform {
// The system's own conversions, whole seconds: localtime_r and mktime on POSIX,
// SystemTimeToTzSpecificLocalTime and TzSpecificLocalTimeToSystemTime with the zone's rules for
// that year (GetTimeZoneInformationForYear) on Windows.
bool localOf(std::int64_t utcSeconds, LocalReading *out);
bool utcOf(const LocalReading &local, std::int64_t *utcSeconds);
} // namespace Platform

} // namespace FileTimes
