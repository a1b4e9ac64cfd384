#pragma once

#include <string>

// The system calls a rename run needs, over native paths and free of Qt, so that the Windows
// implementation builds with a plain cross-compiler. One implementation per platform.
namespace NativeRename {

#ifdef _WIN32
using Path = std::wstring;
#else
using Path = std::string;
#endif

enum class Outcome { Done, TargetExists, Failed };

// Identity of a file-system object: device (volume) and inode (file index).
struct Identity
{
    bool valid = false;
    unsigned long long device = 0;
    unsigned long long index = 0;
    bool operator==(const Identity &o) const
    {
        return valid && o.valid && device == o.device && index == o.index;
    }
};

// True when anything has this name: file, folder, or link (also a dangling one).
bool occupied(const Path &path);

// Identity of the object named by `path`; a link is not followed.
Identity identity(const Path &path);

// Identity of the object `path` leads to, links (and Windows junctions) followed.
Identity reachedIdentity(const Path &path);

// True when `path` names a folder (a link is not followed).
bool isDirectory(const Path &path);

// Renames `from` to `to` and never replaces anything that exists at `to`, not even an empty
// folder. `error` receives the system's error code on failure.
Outcome renameNoReplace(const Path &from, const Path &to, int *error = nullptr);

// Moves the file `from` over `to` in one step, replacing a file (not a folder) that is there,
// so that `to` names either the old or the new file at any moment.
Outcome renameReplacing(const Path &from, const Path &to, int *error = nullptr);

// Tests: pretend the atomic no-replace call is missing, to exercise the fallback.
void setAtomicCallDisabled(bool disabled);

} // namespace NativeRename
