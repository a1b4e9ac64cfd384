#pragma once

#include <cstdint>
#include <string>

// Reading and writing the creation and modification times of files and folders, over native
// paths and free of Qt, so that the Windows implementation builds with a plain cross-compiler.
// Every time here is a moment in UTC; turning the user's local time into one happens above.
namespace FileTimes {

#ifdef _WIN32
using Path = std::wstring;
#else
using Path = std::string;
#endif

// Seconds since 1970-01-01 00:00 UTC and the nanoseconds within that second.
struct UtcTime
{
    std::int64_t seconds = 0;
    std::uint32_t nanoseconds = 0;
    bool operator==(const UtcTime &o) const
    {
        return seconds == o.seconds && nanoseconds == o.nanoseconds;
    }
    bool operator!=(const UtcTime &o) const { return !(*this == o); }
};

// The results of setFileTimes.
enum Result {
    Written = 0, // the times were written
    EmptyPath = 1, // the path is empty
    ReadFailed = 2, // the present times could not be read (also: the object cannot be opened)
    WriteFailed = 3, // the new times could not be written; nothing was changed
};

struct Present
{
    bool hasCreation = false; // false where the file system keeps no creation time
    UtcTime creation;
    UtcTime modification;
    UtcTime access;
};

// Reads the present times of path (a link is followed). False when they cannot be read.
bool readFileTimes(const Path &path, Present *out);

// Writes the times that are given (a null pointer keeps the object's own value, the access time
// included), and returns a Result. A creation time equal to the present one needs no writing;
// one that the file system cannot store fails the whole call before anything is written, and
// a failed call leaves the object's times as they were.
// known: the object's times as the caller has just read them (readFileTimes), so that the call
// need not read them again (an access time to write is always read afresh). after: receives the
// times read back once the write is checked, so that the caller need not read them again.
int setFileTimes(const Path &path, const UtcTime *creation, const UtcTime *modification,
    const UtcTime *access, const Present *known = nullptr, Present *after = nullptr);

#ifndef _WIN32
// The creation time ntfs-3g keeps in an extended attribute, where statx reports none. For
// callers that did their own statx and found no birth time. False where there is none.
bool readNtfsCreation(const Path &path, UtcTime *out);
#endif

// Windows FILETIME ticks (100 ns since 1601-01-01 UTC). False for moments before 1601.
bool toTicks(const UtcTime &time, std::uint64_t *ticks);
UtcTime fromTicks(std::uint64_t ticks);

} // namespace FileTimes
