#include "lists/PathCollect.h"

#include "disk/DiskNames.h"

#include <QDir>
#include <QFileInfo>

namespace {

struct Walk
{
    // Folders by what they are, not by name: a link or junction back up, which names one folder
    // under ever longer paths, is seen as the folder it leads to.
    QSet<QPair<quint64, quint64>> visited;
    QStringList out;
    int wanted = -1; // new files still wanted; -1: all
    std::function<bool(const QString &)> isNew;
    bool done() const { return wanted == 0; }
};

void walk(const QString &folder, Walk &w)
{
    const NativeRename::Identity id = NativeRename::reachedIdentity(nativeDiskPath(folder));
    if (!id.valid || w.visited.contains({id.device, id.index}))
        return;
    w.visited.insert({id.device, id.index});

    const QDir dir(folder);
    const QStringList names
        = dir.entryList(QDir::Dirs | QDir::Files | QDir::NoDotAndDotDot, QDir::NoSort);
    // Backslashes are separators only on Windows; elsewhere they belong to the name.
    QString prefix = QDir::fromNativeSeparators(folder);
    if (!prefix.endsWith(QLatin1Char('/')))
        prefix += QLatin1Char('/');
    for (const QString &name : names) {
        if (w.done())
            return;
        const QString path = prefix + name;
        const QFileInfo info(path);
        if (info.isFile()) {
            w.out.append(path);
            if (w.wanted > 0 && w.isNew(path))
                --w.wanted;
        } else if (info.isDir()) {
            walk(path, w);
        }
    }
}

} // namespace

QStringList collectFiles(const QString &folder)
{
    Walk w;
    walk(folder, w);
    return w.out;
}

QStringList collectFilesUpTo(
    const QString &folder, int wanted, const std::function<bool(const QString &)> &isNew)
{
    Walk w;
    w.wanted = qMax(0, wanted);
    w.isNew = isNew;
    if (!w.done())
        walk(folder, w);
    return w.out;
}

AddPlan planAddition(
    const QSet<QString> &existing, int rowCount, const QStringList &paths, int capacity)
{
    AddPlan plan;
    QSet<QString> taken;
    taken.reserve(paths.size());
    int next = rowCount + 1;
    for (const QString &path : paths) {
        if (existing.contains(path) || taken.contains(path)) {
            ++plan.skipped;
            continue;
        }
        if (next > capacity) {
            plan.limitReached = true;
            break;
        }
        taken.insert(path);
        plan.accepted.append(path);
        ++next;
    }
    return plan;
}
