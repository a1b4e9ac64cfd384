#include "runtime/DataFolders.h"

#include <QDir>
#include <QFileInfo>

namespace {

// Same folder however it was written (trailing slash, "..", links).
QString canonical(const QString &path)
{
    const QString resolved = QFileInfo(path).canonicalFilePath();
    return resolved.isEmpty() ? QDir::cleanPath(QFileInfo(path).absoluteFilePath()) : resolved;
}

} // namespace

namespace DataFolders {

QString installedDataDir()
{
    const QString program = programDir();
    if (program.isEmpty() || QFileInfo(program).fileName() != QLatin1String("bin"))
        return QString();
    return QDir::cleanPath(program + QStringLiteral("/../share/quorvex"));
}

QStringList searchFolders()
{
    QStringList folders;
    for (const QString &folder : {QDir::currentPath(), programDir(), installedDataDir()}) {
        if (folder.isEmpty())
            continue;
        const QString path = canonical(folder);
        if (!folders.contains(path))
            folders << path;
    }
    return folders;
}

QString firstHolding(const QStringList &folders, const QStringList &files)
{
    for (const QString &folder : folders) {
        const QDir dir(folder);
        bool all = true;
        for (const QString &file : files) {
            const QFileInfo info(dir.filePath(file));
            if (!info.isFile() || !info.isReadable()) {
                all = false;
                break;
            }
        }
        if (all)
            return folder;
    }
    return QString();
}

bool runsFromRuntimeFolder()
{
    // An installed bin/ holds no data, so starting from there does not count.
    const QString program = programDir();
    return !program.isEmpty() && canonical(QDir::currentPath()) == canonical(program)
        && QFileInfo(QDir(program).filePath(QStringLiteral("s2t.json"))).isFile();
}

QString stateLogDir()
{
#ifdef Q_OS_WIN
    QString base = qEnvironmentVariable("LOCALAPPDATA");
    if (base.isEmpty())
        base = QDir::homePath() + QStringLiteral("/AppData/Local");
    return QDir::cleanPath(base + QStringLiteral("/Quorvex/log"));
#else
    // A relative XDG_STATE_HOME is invalid and is to be ignored.
    QString base = qEnvironmentVariable("XDG_STATE_HOME");
    if (base.isEmpty() || QDir::isRelativePath(base))
        base = QDir::homePath() + QStringLiteral("/.local/state");
    return QDir::cleanPath(base + QStringLiteral("/quorvex/log"));
#endif
}

QString logDir()
{
    return runsFromRuntimeFolder() ? QStringLiteral("./log/") : stateLogDir();
}

QString describe(const QStringList &folders)
{
    QStringList lines;
    for (const QString &folder : folders)
        lines << QDir::toNativeSeparators(folder);
    return lines.join(QLatin1Char('\n'));
}

} // namespace DataFolders
