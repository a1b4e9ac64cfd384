#include "filetime/LocalTime.h"

#include <atomic>
#include <ctime>

namespace FileTimes::Platform {

namespace {

// localtime_r keeps the zone it first read; a change of the system's zone is taken up within a
// second, without a look at the zone file for every one of thousands of conversions.
void followZone()
{
    static std::atomic<std::int64_t> lastLook {-1};
    timespec now {};
    clock_gettime(CLOCK_MONOTONIC_COARSE, &now);
    const std::int64_t second = now.tv_sec;
    std::int64_t last = lastLook.load(std::memory_order_relaxed);
    if (last != second && lastLook.compare_exchange_strong(last, second))
        tzset();
}

} // namespace

bool localOf(std::int64_t utcSeconds, LocalReading *out)
{
    const time_t t = time_t(utcSeconds);
    if (std::int64_t(t) != utcSeconds)
        return false;
    followZone();
    tm local {};
    if (!localtime_r(&t, &local))
        return false;
    out->year = local.tm_year + 1900;
    out->month = local.tm_mon + 1;
    out->day = local.tm_mday;
    out->hour = local.tm_hour;
    out->minute = local.tm_min;
    out->second = local.tm_sec;
    return true;
}

bool utcOf(const LocalReading &local, std::int64_t *utcSeconds)
{
    tm fields {};
    fields.tm_year = local.year - 1900;
    fields.tm_mon = local.month - 1;
    fields.tm_mday = local.day;
    fields.tm_hour = local.hour;
    fields.tm_min = local.minute;
    fields.tm_sec = local.second;
    fields.tm_isdst = -1; // the zone's rules for that date decide
    // mktime answers -1 both for failure and for 1969-12-31 23:59:59 UTC; tm_wday tells.
    fields.tm_wday = -1;
    const time_t t = mktime(&fields);
    if (t == time_t(-1) && fields.tm_wday == -1)
        return false;
    *utcSeconds = std::int64_t(t);
    return true;
}

} // namespace FileTimes::Platform
