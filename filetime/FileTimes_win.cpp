#include "filetime/FileTimes.h"

#include <windows.h>

namespace FileTimes {

namespace {

// Attribute access is all that times need: read-only files and folders can be opened so, and a
// file that another program holds open for writing as well. Reading asks for no write access,
// so that a read-only volume or share still shows its times.
HANDLE openForTimes(const Path &path, bool write)
{
    return CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES | (write ? FILE_WRITE_ATTRIBUTES : 0),
        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
        FILE_FLAG_BACKUP_SEMANTICS, nullptr);
}

class Handle
{
public:
    explicit Handle(HANDLE h) : h(h) { }
    ~Handle()
    {
        if (valid())
            CloseHandle(h);
    }
    Handle(const Handle &) = delete;
    Handle &operator=(const Handle &) = delete;
    bool valid() const { return h != INVALID_HANDLE_VALUE; }
    HANDLE get() const { return h; }

private:
    HANDLE h;
};

std::uint64_t ticksOf(const FILETIME &ft)
{
    return (std::uint64_t(ft.dwHighDateTime) << 32) | ft.dwLowDateTime;
}

bool toFileTime(const UtcTime &time, FILETIME *ft)
{
    std::uint64_t ticks = 0;
    if (!toTicks(time, &ticks) || ticks > 0x7fffffffffffffffULL)
        return false;
    ft->dwLowDateTime = DWORD(ticks & 0xffffffffULL);
    ft->dwHighDateTime = DWORD(ticks >> 32);
    return true;
}

// FAT keeps modification times in two-second steps; anything further off was not kept.
bool closeTo(const UtcTime &kept, const UtcTime &asked)
{
    const std::int64_t ns = (kept.seconds - asked.seconds) * 1000000000LL
        + (std::int64_t(kept.nanoseconds) - std::int64_t(asked.nanoseconds));
    return ns > -2000000000LL && ns < 2000000000LL;
}

bool readHandle(HANDLE h, Present *out)
{
    FILETIME c {}, a {}, w {};
    if (!GetFileTime(h, &c, &a, &w))
        return false;
    // A zero creation time is how a file system without one answers.
    out->hasCreation = ticksOf(c) != 0;
    out->creation = fromTicks(ticksOf(c));
    out->access = fromTicks(ticksOf(a));
    out->modification = fromTicks(ticksOf(w));
    return true;
}

} // namespace

bool readFileTimes(const Path &path, Present *out)
{
    if (path.empty())
        return false;
    Handle h(openForTimes(path, false));
    return h.valid() && readHandle(h.get(), out);
}

// The open handle is what tells whether the times can be written, so known is not needed here.
int setFileTimes(const Path &path, const UtcTime *creation, const UtcTime *modification,
    const UtcTime *access, const Present *, Present *written)
{
    if (path.empty())
        return EmptyPath;
    Handle h(openForTimes(path, true));
    Present before;
    if (!h.valid()) {
        // Cannot be opened for writing: tell "cannot read" from "cannot write".
        Present readable;
        return readFileTimes(path, &readable) ? WriteFailed : ReadFailed;
    }
    if (!readHandle(h.get(), &before))
        return ReadFailed;

    // The present time is compared in the file system's own unit, 100 ns.
    FILETIME c {}, a {}, w {};
    bool newCreation = false;
    if (creation) {
        if (!toFileTime(*creation, &c))
            return WriteFailed;
        const bool same = before.hasCreation && fromTicks(ticksOf(c)) == before.creation;
        if (!same && !before.hasCreation)
            return WriteFailed;
        newCreation = !same;
    }
    if (modification && !toFileTime(*modification, &w))
        return WriteFailed;
    if (access && !toFileTime(*access, &a))
        return WriteFailed;

    Present after;
    FILETIME oldC {}, oldA {}, oldW {};
    toFileTime(before.creation, &oldC);
    toFileTime(before.access, &oldA);
    toFileTime(before.modification, &oldW);
    // The creation time goes first and alone: a file system that keeps none (Wine on ext4
    // reports the modification time as the creation time and drops the one written) would
    // otherwise seem to keep it whenever it equals the new modification time.
    if (newCreation) {
        if (!SetFileTime(h.get(), &c, nullptr, nullptr))
            return WriteFailed;
        if (!readHandle(h.get(), &after) || !closeTo(after.creation, fromTicks(ticksOf(c)))) {
            SetFileTime(h.get(), &oldC, nullptr, nullptr);
            return WriteFailed;
        }
    }
    // A null pointer leaves that time as it is.
    if ((access || modification)
        && !SetFileTime(h.get(), nullptr, access ? &a : nullptr, modification ? &w : nullptr)) {
        if (newCreation)
            SetFileTime(h.get(), &oldC, nullptr, nullptr);
        return WriteFailed;
    }

    // Some file systems take a time and keep another (no creation time, or a coarser one):
    // what was kept is read back, and an entry that did not get its times is put back. The
    // creation time asked for must still be there after the other times were written.
    bool kept = readHandle(h.get(), &after);
    if (kept && creation)
        kept = closeTo(after.creation, fromTicks(ticksOf(c)));
    if (kept && modification)
        kept = closeTo(after.modification, fromTicks(ticksOf(w)));
    if (kept && access)
        kept = closeTo(after.access, fromTicks(ticksOf(a)));
    if (!kept) {
        SetFileTime(h.get(), newCreation ? &oldC : nullptr, access ? &oldA : nullptr,
            modification ? &oldW : nullptr);
        return WriteFailed;
    }
    if (written)
        *written = after;
    return Written;
}

} // namespace FileTimes
