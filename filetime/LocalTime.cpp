#include "filetime/LocalTime.h"

namespace FileTimes {

namespace {

constexpr std::int64_t kDay = 86400;

// Days from 1970-01-01 to a date of the proleptic Gregorian calendar.
std::int64_t daysFromCivil(std::int64_t y, int m, int d)
{
    y -= m <= 2;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const std::int64_t yoe = y - era * 400;
    const std::int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

// The reading as if it were UTC: readings compare and subtract as plain numbers.
std::int64_t wallSeconds(const LocalReading &r)
{
    return daysFromCivil(r.year, r.month, r.day) * kDay + r.hour * 3600 + r.minute * 60 + r.second;
}

bool offsetAt(std::int64_t utcSeconds, std::int64_t *offset)
{
    LocalReading r;
    if (!Platform::localOf(utcSeconds, &r))
        return false;
    *offset = wallSeconds(r) - utcSeconds;
    return true;
}

bool shows(std::int64_t utcSeconds, std::int64_t wall)
{
    LocalReading r;
    return Platform::localOf(utcSeconds, &r) && wallSeconds(r) == wall;
}

} // namespace

bool toLocal(const UtcTime &utc, LocalReading *out, int *offsetSeconds)
{
    LocalReading r;
    if (!Platform::localOf(utc.seconds, &r))
        return false;
    r.nanoseconds = utc.nanoseconds;
    if (offsetSeconds)
        *offsetSeconds = int(wallSeconds(r) - utc.seconds);
    *out = r;
    return true;
}

bool toUtc(const LocalReading &local, UtcTime *out)
{
    const std::int64_t wall = wallSeconds(local);
    // The moments that can show this reading: the system's own answer, and the reading taken
    // with the offsets in force a day before and a day after (the two sides of a change).
    std::int64_t before = 0, after = 0, system = 0;
    const bool hasBefore = offsetAt(wall - kDay, &before);
    const bool hasAfter = offsetAt(wall + kDay, &after);
    std::int64_t candidates[3];
    int n = 0;
    if (Platform::utcOf(local, &system))
        candidates[n++] = system;
    if (hasBefore)
        candidates[n++] = wall - before;
    if (hasAfter)
        candidates[n++] = wall - after;

    bool found = false;
    std::int64_t best = 0;
    for (int i = 0; i < n; ++i) {
        if (shows(candidates[i], wall) && (!found || candidates[i] < best)) {
            best = candidates[i];
            found = true;
        }
    }
    if (!found) {
        // Skipped: with the offset from before the change the reading lands past the gap.
        if (!hasBefore)
            return false;
        best = wall - before;
    }
    out->seconds = best;
    out->nanoseconds = local.nanoseconds;
    return true;
}

} // namespace FileTimes
