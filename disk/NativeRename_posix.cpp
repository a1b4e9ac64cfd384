#include "disk/NativeRename.h"

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#if defined(__linux__)
#include <sys/syscall.h>
#endif

namespace NativeRename {

namespace {

std::atomic<bool> atomicDisabled {false};

enum class Atomic { Done, Exists, Unsupported, Failed };

Atomic atomicRename(const Path &from, const Path &to, int &err)
{
    if (atomicDisabled)
        return Atomic::Unsupported;
#if defined(__linux__) && defined(SYS_renameat2)
    constexpr unsigned noReplace = 1; // RENAME_NOREPLACE
    if (syscall(SYS_renameat2, AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), noReplace) == 0)
        return Atomic::Done;
    err = errno;
    if (err == EEXIST)
        return Atomic::Exists;
    // Old kernels and some file systems (network, FUSE) do not know the flag.
    if (err == ENOSYS || err == EINVAL || err == ENOTSUP || err == EOPNOTSUPP)
        return Atomic::Unsupported;
    return Atomic::Failed;
#elif defined(__APPLE__) && defined(RENAME_EXCL)
    if (renamex_np(from.c_str(), to.c_str(), RENAME_EXCL) == 0)
        return Atomic::Done;
    err = errno;
    if (err == EEXIST)
        return Atomic::Exists;
    if (err == ENOTSUP || err == EINVAL)
        return Atomic::Unsupported;
    return Atomic::Failed;
#else
    (void)from;
    (void)to;
    (void)err;
    return Atomic::Unsupported;
#endif
}

// Without an atomic call, first claim the target name with a call that fails when the name
// is taken (mkdir for folders, link for files), so that a plain rename never replaces
// anything but our own placeholder.
Outcome fallbackRename(const Path &from, const Path &to, int &err)
{
    struct stat st;
    if (lstat(from.c_str(), &st) != 0) {
        err = errno;
        return Outcome::Failed;
    }
    if (S_ISDIR(st.st_mode)) {
        if (mkdir(to.c_str(), 0700) != 0) {
            err = errno;
            return err == EEXIST ? Outcome::TargetExists : Outcome::Failed;
        }
        if (rename(from.c_str(), to.c_str()) != 0) {
            err = errno;
            rmdir(to.c_str());
            return Outcome::Failed;
        }
        return Outcome::Done;
    }
    if (link(from.c_str(), to.c_str()) == 0) {
        if (unlink(from.c_str()) != 0) {
            err = errno;
            unlink(to.c_str());
            return Outcome::Failed;
        }
        return Outcome::Done;
    }
    err = errno;
    if (err == EEXIST)
        return Outcome::TargetExists;
    // No hard links here (FAT, some network shares): check, then rename. The window between
    // the two calls is the best this file system allows.
    if (occupied(to))
        return Outcome::TargetExists;
    if (rename(from.c_str(), to.c_str()) != 0) {
        err = errno;
        return Outcome::Failed;
    }
    return Outcome::Done;
}

} // namespace

bool occupied(const Path &path)
{
    struct stat st;
    return lstat(path.c_str(), &st) == 0;
}

namespace {

Identity identityOf(const struct stat &st)
{
    Identity id;
    id.valid = true;
    id.device = static_cast<unsigned long long>(st.st_dev);
    id.index = static_cast<unsigned long long>(st.st_ino);
    return id;
}

} // namespace

Identity identity(const Path &path)
{
    struct stat st;
    return lstat(path.c_str(), &st) == 0 ? identityOf(st) : Identity();
}

Identity reachedIdentity(const Path &path)
{
    struct stat st;
    return stat(path.c_str(), &st) == 0 ? identityOf(st) : Identity();
}

bool isDirectory(const Path &path)
{
    struct stat st;
    return lstat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

Outcome renameNoReplace(const Path &from, const Path &to, int *error)
{
    int err = 0;
    Outcome outcome = Outcome::Failed;
    switch (atomicRename(from, to, err)) {
    case Atomic::Done:
        outcome = Outcome::Done;
        break;
    case Atomic::Exists:
        outcome = Outcome::TargetExists;
        break;
    case Atomic::Failed:
        outcome = Outcome::Failed;
        break;
    case Atomic::Unsupported:
        err = 0;
        outcome = fallbackRename(from, to, err);
        break;
    }
    if (error)
        *error = outcome == Outcome::Done ? 0 : err;
    return outcome;
}

Outcome renameReplacing(const Path &from, const Path &to, int *error)
{
    const bool done = rename(from.c_str(), to.c_str()) == 0;
    if (error)
        *error = done ? 0 : errno;
    return done ? Outcome::Done : Outcome::Failed;
}

void setAtomicCallDisabled(bool disabled)
{
    atomicDisabled = disabled;
}

} // namespace NativeRename
