#include "filetime/FileTimes.h"

namespace FileTimes {

namespace {
// Seconds from 1601-01-01 to 1970-01-01, both UTC.
constexpr std::int64_t kEpochGap = 11644473600LL;
constexpr std::int64_t kTicksPerSecond = 10000000LL;
} // namespace

bool toTicks(const UtcTime &time, std::uint64_t *ticks)
{
    const std::int64_t since1601 = time.seconds + kEpochGap;
    if (since1601 < 0 || since1601 > std::int64_t(UINT64_MAX / kTicksPerSecond) - 1)
        return false;
    *ticks = std::uint64_t(since1601) * kTicksPerSecond + time.nanoseconds / 100;
    return true;
}

UtcTime fromTicks(std::uint64_t ticks)
{
    UtcTime t;
    t.seconds = std::int64_t(ticks / kTicksPerSecond) - kEpochGap;
    t.nanoseconds = std::uint32_t(ticks % kTicksPerSecond) * 100;
    return t;
}

} // namespace FileTimes
