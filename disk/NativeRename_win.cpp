#include "disk/NativeRename.h"

#include <windows.h>

#include <atomic>

namespace NativeRename {

namespace {
std::atomic<bool> atomicDisabled {false};
}

bool occupied(const Path &path)
{
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

namespace {

Identity identityOf(const Path &path, DWORD flags)
{
    Identity id;
    // Backup semantics open folders too.
    HANDLE h = CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
        nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | flags, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return id;
    BY_HANDLE_FILE_INFORMATION info;
    if (GetFileInformationByHandle(h, &info)) {
        id.valid = true;
        id.device = info.dwVolumeSerialNumber;
        id.index
            = (static_cast<unsigned long long>(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
    }
    CloseHandle(h);
    return id;
}

} // namespace

Identity identity(const Path &path)
{
    // The reparse-point flag keeps links and junctions unfollowed.
    return identityOf(path, FILE_FLAG_OPEN_REPARSE_POINT);
}

Identity reachedIdentity(const Path &path)
{
    return identityOf(path, 0);
}

bool isDirectory(const Path &path)
{
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

Outcome renameNoReplace(const Path &from, const Path &to, int *error)
{
    // Without MOVEFILE_REPLACE_EXISTING the call never replaces an existing file or folder.
    (void)atomicDisabled;
    // A taken name is refused, even the entry's own in other letter case: the caller then moves
    // through a free name. Wine reports a case-only move, and a move onto another name of the
    // same file (a hard link), as done while the name stays.
    if (occupied(to)) {
        if (error)
            *error = ERROR_ALREADY_EXISTS;
        return Outcome::TargetExists;
    }
    if (MoveFileExW(from.c_str(), to.c_str(), 0)) {
        if (error)
            *error = 0;
        return Outcome::Done;
    }
    const DWORD err = GetLastError();
    if (error)
        *error = static_cast<int>(err);
    if (err == ERROR_ALREADY_EXISTS || err == ERROR_FILE_EXISTS)
        return Outcome::TargetExists;
    return Outcome::Failed;
}

Outcome renameReplacing(const Path &from, const Path &to, int *error)
{
    // Refuses a folder at `to`; write-through so that a stick pulled right after holds the file.
    const bool done
        = MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    if (error)
        *error = done ? 0 : static_cast<int>(GetLastError());
    return done ? Outcome::Done : Outcome::Failed;
}

void setAtomicCallDisabled(bool disabled)
{
    atomicDisabled = disabled;
}

} // namespace NativeRename
