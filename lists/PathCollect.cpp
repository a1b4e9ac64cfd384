#include "lists/PathCollect.h"

#include <QDir>
#include <QFileInfo>

namespace {

struct Walk
{
    QSet<QString> visited;
    QStringList out;
    int wanted = -1; // new files still wanted; -1: all
    std::function<bool(const QString &)> isNew;
    bool done() const { return wanted == 0; }
};

void walk(const QString &folder, Walk &w)
{
    const QString canonical = QFileInfo(folder).canonicalFilePath();
    if (canonical.isEmpty() || w.visited.contains(canonical))
        return;
    w.visited.insert(canonical);

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
