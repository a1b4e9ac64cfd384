#include "NtfsMount.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>

namespace {

int quietly(const QString &program, const QStringList &arguments)
{
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.setStandardOutputFile(QProcess::nullDevice());
    p.start(program, arguments);
    if (!p.waitForFinished(60000))
        return -1;
    return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
}

QString findTool(const char *name)
{
    // mkntfs lives in sbin, which an ordinary user's PATH may lack.
    return QStandardPaths::findExecutable(QString::fromLatin1(name),
        {QStringLiteral("/usr/sbin"), QStringLiteral("/sbin"), QStringLiteral("/usr/bin"),
            QStringLiteral("/bin")});
}

} // namespace

NtfsMount::NtfsMount()
{
#ifdef _WIN32
    reason = QStringLiteral("FUSE mounts are Linux's: not on Windows");
    return;
#endif
    const QString mkntfs = findTool("mkntfs");
    const QString ntfs3g = findTool("ntfs-3g");
    const QString fusermount = findTool("fusermount");
    if (mkntfs.isEmpty() || ntfs3g.isEmpty() || fusermount.isEmpty()) {
        reason = QStringLiteral("mkntfs, ntfs-3g or fusermount not installed");
        return;
    }
    const QString image = work.filePath(QStringLiteral("ntfs.img"));
    mountPoint = work.filePath(QStringLiteral("mnt"));
    QFile img(image);
    if (!work.isValid() || !QDir(work.path()).mkdir(QStringLiteral("mnt"))
        || !img.open(QIODevice::WriteOnly) || !img.resize(qint64(16) * 1024 * 1024)) {
        reason = QStringLiteral("cannot make the image file");
        return;
    }
    img.close();
    if (quietly(mkntfs, {QStringLiteral("-F"), QStringLiteral("-q"), QStringLiteral("-f"), image})
        != 0) {
        reason = QStringLiteral("mkntfs failed");
        return;
    }
    if (quietly(ntfs3g, {image, mountPoint}) != 0) {
        reason = QStringLiteral("cannot mount a FUSE file system here");
        return;
    }
    mounted = true;
}

NtfsMount::~NtfsMount()
{
    if (mounted)
        quietly(QStringLiteral("fusermount"), {QStringLiteral("-u"), mountPoint});
}
