#include "rename/RenamePlan.h"

#include "disk/DiskNames.h"
#include "rename/RenameRun.h"

#include <QDir>

QString tidyPath(const QString &path)
{
    QString p = QDir::fromNativeSeparators(path);
    while (p.size() > 1 && p.endsWith(QLatin1Char('/')))
        p.chop(1);
    return p;
}

RowPlan planRow(const DiskView &disk, const QString &source, const QString &newName, bool isFolder,
    bool autoResolve)
{
    RowPlan plan;
    // A path the system would read as another entry's is not the entry listed.
    if (!pathReachesItself(source) || !disk.present(source, isFolder)) {
        plan.kind = RowPlan::Missing;
        return plan;
    }
    if (newName.isEmpty() || newName == namePart(source))
        return plan;
    plan.target = folderPart(source) + newName;
    plan.reason = nameRefusal(newName);
    if (plan.reason.isEmpty())
        plan.reason = pathRefusal(plan.target);
    if (!plan.reason.isEmpty()) {
        plan.kind = RowPlan::Refused;
        return plan;
    }
    if (!disk.occupied(plan.target) || disk.isSameEntry(source, plan.target)) {
        plan.kind = RowPlan::Rename;
        return plan;
    }
    if (!autoResolve) {
        plan.kind = RowPlan::Taken;
        return plan;
    }
    plan.target
        = makeUniquePath(plan.target, [&disk](const QString &p) { return disk.occupied(p); });
    // A number can make a name too long.
    plan.reason = nameRefusal(namePart(plan.target));
    if (plan.reason.isEmpty())
        plan.reason = pathRefusal(plan.target);
    plan.kind = plan.reason.isEmpty() ? RowPlan::Numbered : RowPlan::Refused;
    return plan;
}

QVector<RowPlan> planRename(
    const FolderPicture &picture, const QVector<RenameItem> &items, bool isFolder, bool autoResolve)
{
    PictureDisk view(picture);
    QVector<QString> paths;
    paths.reserve(items.size());
    for (const RenameItem &item : items)
        paths.append(tidyPath(item.filePath));
    QVector<RowPlan> plans(items.size());
    for (int i = 0; i < items.size(); ++i) {
        const QString source = paths.at(i);
        plans[i] = planRow(view, source, items.at(i).newName, isFolder, autoResolve);
        if (plans.at(i).kind != RowPlan::Rename && plans.at(i).kind != RowPlan::Numbered)
            continue;
        const QString target = plans.at(i).target;
        view.move(source, target);
        paths[i] = target;
        if (isFolder)
            followFolderMove(paths, source, target);
    }
    return plans;
}

QString planMark(const RowPlan &plan)
{
    switch (plan.kind) {
    case RowPlan::Numbered:
        return QStringLiteral("将命名为“%1”").arg(namePart(plan.target));
    case RowPlan::Taken:
        return QStringLiteral("与已有文件重名，将不会重命名");
    case RowPlan::Refused:
        return QStringLiteral("名称不可用：%1").arg(plan.reason);
    case RowPlan::Missing:
        return QStringLiteral("文件不存在");
    case RowPlan::Untouched:
    case RowPlan::Rename:
        break;
    }
    return QString();
}
