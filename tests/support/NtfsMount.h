#pragma once

#include <QString>
#include <QTemporaryDir>

// A small NTFS image made by mkntfs and mounted through ntfs-3g: a file system on which Linux
// can set a creation time. Unmounted when destroyed.
class NtfsMount
{
public:
    NtfsMount();
    ~NtfsMount();
    NtfsMount(const NtfsMount &) = delete;
    NtfsMount &operator=(const NtfsMount &) = delete;

    bool isMounted() const { return mounted; }
    // Why the mount is missing (tools not installed, FUSE not allowed here), for QSKIP.
    QString skipReason() const { return reason; }
    QString path() const { return mountPoint; }

private:
    QTemporaryDir work;
    QString mountPoint;
    QString reason;
    bool mounted = false;
};
