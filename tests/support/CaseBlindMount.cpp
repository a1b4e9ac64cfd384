#include "CaseBlindMount.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>

namespace {

// Runs a helper program without letting its chatter into the test log.
int quietly(const QString &program, const QStringList &arguments)
{
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.setStandardOutputFile(QProcess::nullDevice());
    p.start(program, arguments);
    if (!p.waitForFinished(30000))
        return -1;
    return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
}

} // namespace

CaseBlindMount::CaseBlindMount(int megabytes)
{
#ifdef _WIN32
    Q_UNUSED(megabytes)
    reason = QStringLiteral("FUSE mounts are Linux's: not on Windows");
    return;
#endif
    for (const char *tool : {"fusefat", "mkfs.vfat", "fusermount"}) {
        if (QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty()) {
            reason = QStringLiteral("%1 not installed").arg(QLatin1String(tool));
            return;
        }
    }
    const QString image = work.filePath(QStringLiteral("fat.img"));
    mountPoint = work.filePath(QStringLiteral("mnt"));
    QFile img(image);
    if (!work.isValid() || !QDir(work.path()).mkdir(QStringLiteral("mnt"))
        || !img.open(QIODevice::WriteOnly) || !img.resize(qint64(megabytes) * 1024 * 1024)) {
        reason = QStringLiteral("cannot make the image file");
        return;
    }
    img.close();
    if (quietly(QStringLiteral("mkfs.vfat"), {image}) != 0) {
        reason = QStringLiteral("mkfs.vfat failed");
        return;
    }
    if (quietly(QStringLiteral("fusefat"),
            {QStringLiteral("-o"), QStringLiteral("rw+,use_ino"), image, mountPoint})
        != 0) {
        reason = QStringLiteral("cannot mount a FUSE file system here");
        return;
    }
    mounted = true;
}

CaseBlindMount::~CaseBlindMount()
{
    if (mounted)
        quietly(QStringLiteral("fusermount"), {QStringLiteral("-u"), mountPoint});
}
