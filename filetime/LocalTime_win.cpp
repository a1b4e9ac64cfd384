#include "filetime/LocalTime.h"

#include <windows.h>

namespace FileTimes::Platform {

namespace {

// The present zone with the rules it had, or will have, in that year (dynamic daylight saving
// time): the same rules Windows itself shows file times with.
bool zoneFor(int year, TIME_ZONE_INFORMATION *tz)
{
    *tz = TIME_ZONE_INFORMATION {};
    return year >= 1601 && year <= 30827
        && GetTimeZoneInformationForYear(USHORT(year), nullptr, tz);
}

} // namespace

bool localOf(std::int64_t utcSeconds, LocalReading *out)
{
    std::uint64_t ticks = 0;
    if (!toTicks(UtcTime {utcSeconds, 0}, &ticks) || ticks > 0x7fffffffffffffffULL)
        return false;
    FILETIME ft;
    ft.dwLowDateTime = DWORD(ticks & 0xffffffffULL);
    ft.dwHighDateTime = DWORD(ticks >> 32);
    SYSTEMTIME utc {}, local {};
    TIME_ZONE_INFORMATION tz;
    if (!FileTimeToSystemTime(&ft, &utc) || !zoneFor(utc.wYear, &tz)
        || !SystemTimeToTzSpecificLocalTime(&tz, &utc, &local))
        return false;
    // Around New Year the local year is another one, and so may be its rules.
    if (local.wYear != utc.wYear
        && (!zoneFor(local.wYear, &tz) || !SystemTimeToTzSpecificLocalTime(&tz, &utc, &local)))
        return false;
    out->year = local.wYear;
    out->month = local.wMonth;
    out->day = local.wDay;
    out->hour = local.wHour;
    out->minute = local.wMinute;
    out->second = local.wSecond;
    return true;
}

bool utcOf(const LocalReading &local, std::int64_t *utcSeconds)
{
    SYSTEMTIME wall {}, utc {};
    wall.wYear = WORD(local.year);
    wall.wMonth = WORD(local.month);
    wall.wDay = WORD(local.day);
    wall.wHour = WORD(local.hour);
    wall.wMinute = WORD(local.minute);
    wall.wSecond = WORD(local.second);
    TIME_ZONE_INFORMATION tz;
    FILETIME ft;
    if (!zoneFor(local.year, &tz) || !TzSpecificLocalTimeToSystemTime(&tz, &wall, &utc)
        || !SystemTimeToFileTime(&utc, &ft))
        return false;
    *utcSeconds = fromTicks((std::uint64_t(ft.dwHighDateTime) << 32) | ft.dwLowDateTime).seconds;
    return true;
}

} // namespace FileTimes::Platform
