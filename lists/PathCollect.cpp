#include "lists/PathCollect.h"

#include <QDir>
#include <QFileInfo>

namespace {

void walk(const QString &folder, QSet<QString> &visited, QStringList &out)
{
    const QString canonical = QFileInfo(folder).canonicalFilePath();
    if (canonical.isEmpty() || visited.contains(canonical))
        return;
    visited.insert(canonical);

    const QDir dir(folder);
    const QStringList names
        = dir.entryList(QDir::Dirs | QDir::Files | QDir::NoDotAndDotDot, QDir::NoSort);
    // Backslashes are separators only on Windows; elsewhere they belong to the name.
    QString prefix = QDir::fromNativeSeparators(folder);
    if (!prefix.endsWith(QLatin1Char('/')))
        prefix += QLatin1Char('/');
    for (const QString &name : names) {
        const QString path = prefix + name;
        const QFileInfo info(path);
        if (info.isFile())
            out.append(path);
        else if (info.isDir())
            walk(path, visited, out);
    }
}

} // namespace

QStringList collectFiles(const QString &folder)
{
    QStringList out;
    QSet<QString> visited;
    walk(folder, visited, out);
    return out;
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
