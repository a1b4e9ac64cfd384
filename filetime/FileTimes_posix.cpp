#include "filetime/FileTimes.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#if defined(__linux__)
#include <sys/xattr.h>
#endif

namespace FileTimes {

namespace {

// NTFS volumes mounted through ntfs-3g offer the creation time as this attribute: the raw
// FILETIME, 8 bytes little-endian. statx reports no creation time there.
const char kNtfsCreation[] = "system.ntfs_crtime";

// A file system may store a time coarser than asked (FAT keeps two-second steps); anything
// further off means it did not take the time (a date beyond its range is clamped silently).
constexpr std::int64_t kToleranceNs = 2000000000LL;

struct State
{
    Present times;
    bool ntfsCreation = false; // the creation time lives in kNtfsCreation and can be written
};

UtcTime fromTimespec(std::int64_t sec, std::uint32_t nsec)
{
    UtcTime t;
    t.seconds = sec;
    t.nanoseconds = nsec;
    return t;
}

timespec toTimespec(const UtcTime &t)
{
    timespec ts {};
    ts.tv_sec = time_t(t.seconds);
    ts.tv_nsec = long(t.nanoseconds);
    return ts;
}

std::int64_t differenceNs(const UtcTime &a, const UtcTime &b)
{
    return (a.seconds - b.seconds) * 1000000000LL + (std::int64_t(a.nanoseconds) - b.nanoseconds);
}

#if defined(__linux__)
bool writeNtfsCreation(const Path &path, const UtcTime &time)
{
    std::uint64_t ticks = 0;
    if (!toTicks(time, &ticks))
        return false;
    unsigned char raw[8];
    for (unsigned char &byte : raw) {
        byte = static_cast<unsigned char>(ticks & 0xff);
        ticks >>= 8;
    }
    return setxattr(path.c_str(), kNtfsCreation, raw, sizeof raw, 0) == 0;
}
#else
bool writeNtfsCreation(const Path &, const UtcTime &)
{
    return false;
}
#endif

// ntfsAttribute: take the creation time from ntfs-3g's attribute even where statx has one (one
// more call per entry, needed only to check a creation time just written there). Where statx
// has none, the attribute is always looked at.
bool readState(const Path &path, State *state, bool ntfsAttribute)
{
    *state = State();
    Present &p = state->times;
#if defined(__linux__) && defined(STATX_BTIME)
    struct statx sx;
    if (statx(AT_FDCWD, path.c_str(), 0, STATX_BTIME | STATX_MTIME | STATX_ATIME, &sx) == 0) {
        p.modification = fromTimespec(sx.stx_mtime.tv_sec, sx.stx_mtime.tv_nsec);
        p.access = fromTimespec(sx.stx_atime.tv_sec, sx.stx_atime.tv_nsec);
        if (sx.stx_mask & STATX_BTIME) {
            p.hasCreation = true;
            p.creation = fromTimespec(sx.stx_btime.tv_sec, sx.stx_btime.tv_nsec);
        }
    } else if (errno != ENOSYS) {
        return false;
    } else
#endif
    {
        struct stat st;
        if (stat(path.c_str(), &st) != 0)
            return false;
        p.modification = fromTimespec(st.st_mtim.tv_sec, st.st_mtim.tv_nsec);
        p.access = fromTimespec(st.st_atim.tv_sec, st.st_atim.tv_nsec);
    }
    UtcTime ntfs;
    if ((ntfsAttribute || !p.hasCreation) && readNtfsCreation(path, &ntfs)) {
        state->ntfsCreation = true;
        p.hasCreation = true;
        p.creation = ntfs;
    }
    return true;
}

// Writes the modification and access times given; the others stay untouched (UTIME_OMIT).
bool writeTimes(const Path &path, const UtcTime *modification, const UtcTime *access)
{
    if (!modification && !access)
        return true;
    timespec ts[2];
    ts[0].tv_sec = 0;
    ts[0].tv_nsec = UTIME_OMIT;
    ts[1] = ts[0];
    if (access)
        ts[0] = toTimespec(*access);
    if (modification)
        ts[1] = toTimespec(*modification);
    return utimensat(AT_FDCWD, path.c_str(), ts, 0) == 0;
}

bool closeTo(const UtcTime &stored, const UtcTime &asked)
{
    return std::llabs(differenceNs(stored, asked)) < kToleranceNs;
}

} // namespace

#if defined(__linux__)
bool readNtfsCreation(const Path &path, UtcTime *out)
{
    unsigned char raw[8];
    if (getxattr(path.c_str(), kNtfsCreation, raw, sizeof raw) != ssize_t(sizeof raw))
        return false;
    std::uint64_t ticks = 0;
    for (int i = 7; i >= 0; --i)
        ticks = (ticks << 8) | raw[i];
    *out = fromTicks(ticks);
    return true;
}
#else
bool readNtfsCreation(const Path &, UtcTime *)
{
    return false;
}
#endif

bool readFileTimes(const Path &path, Present *out)
{
    State state;
    if (path.empty() || !readState(path, &state, false))
        return false;
    *out = state.times;
    return true;
}

int setFileTimes(const Path &path, const UtcTime *creation, const UtcTime *modification,
    const UtcTime *access, const Present *known, Present *after)
{
    if (path.empty())
        return EmptyPath;
    State before;
    if (known && !access)
        before.times = *known;
    else if (!readState(path, &before, false))
        return ReadFailed;

    // Decided before anything is written: a creation time that cannot be stored fails the
    // entry as a whole. Only ntfs-3g's attribute takes one, and it is looked for only when a
    // new creation time is asked for.
    bool newCreation
        = creation && !(before.times.hasCreation && before.times.creation == *creation);
    if (newCreation && !before.ntfsCreation) {
        UtcTime ntfs;
        if (!readNtfsCreation(path, &ntfs))
            return WriteFailed;
        before.ntfsCreation = true;
        before.times.hasCreation = true;
        before.times.creation = ntfs;
        newCreation = ntfs != *creation;
    }
    std::uint64_t unused = 0;
    if (newCreation && !toTicks(*creation, &unused))
        return WriteFailed;

    auto rollBack = [&](bool creationWritten) {
        if (creationWritten)
            writeNtfsCreation(path, before.times.creation);
        writeTimes(path, modification ? &before.times.modification : nullptr,
            access ? &before.times.access : nullptr);
    };

    if (newCreation && !writeNtfsCreation(path, *creation))
        return WriteFailed;
    if (!writeTimes(path, modification, access)) {
        rollBack(newCreation);
        return WriteFailed;
    }

    State kept;
    bool stored = readState(path, &kept, newCreation);
    if (stored && newCreation)
        stored = kept.times.hasCreation && closeTo(kept.times.creation, *creation);
    if (stored && modification)
        stored = closeTo(kept.times.modification, *modification);
    if (stored && access)
        stored = closeTo(kept.times.access, *access);
    if (!stored) {
        rollBack(newCreation);
        return WriteFailed;
    }
    if (after)
        *after = kept.times;
    return Written;
}

} // namespace FileTimes
