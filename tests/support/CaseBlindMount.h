#pragma once

#include <QString>
#include <QTemporaryDir>

// A small FAT image mounted through FUSE: a file system that ignores letter case, as
// Windows does. Unmounted when destroyed.
class CaseBlindMount
{
public:
    explicit CaseBlindMount(int megabytes);
    ~CaseBlindMount();
    CaseBlindMount(const CaseBlindMount &) = delete;
    CaseBlindMount &operator=(const CaseBlindMount &) = delete;

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
