#include "create/CreatePlan.h"

#include "create/CreateRun.h"
#include "disk/DiskNames.h"

#include <QFileInfo>

namespace {

// makeUniquePath's form: the number goes before the last dot of the name.
void split(const QString &path, QString *stem, QString *suffix)
{
    const int slash = path.lastIndexOf(QLatin1Char('/'));
    const int dot = path.lastIndexOf(QLatin1Char('.'));
    *stem = dot > slash ? path.left(dot) : path;
    *suffix = dot > slash ? path.mid(dot) : QString();
}

QString variant(const QString &wanted, qint64 k)
{
    QString stem, suffix;
    split(wanted, &stem, &suffix);
    return stem + QLatin1Char('(') + QString::number(k) + QLatin1Char(')') + suffix;
}

qint64 numberOf(const QString &wanted, const QString &target)
{
    if (target == wanted)
        return 0;
    QString stem, suffix;
    split(wanted, &stem, &suffix);
    const QString digits
        = target.mid(stem.size() + 1, target.size() - stem.size() - 2 - suffix.size());
    bool ok = false;
    const qint64 k = digits.toLongLong(&ok);
    return ok ? k : 0;
}

QString refusal(const QString &path)
{
    const QString reason = nameRefusal(namePart(path));
    return reason.isEmpty() ? pathRefusal(path) : reason;
}

CreatePlan planned(CreatePlan::Kind kind, const QString &target, const QString &reason = {})
{
    CreatePlan plan;
    plan.kind = kind;
    plan.target = target;
    plan.reason = reason;
    return plan;
}

} // namespace

CreatePlanner::CreatePlanner(
    const DiskView &disk, const CreateSettings &settings, bool haveTemplate)
    : disk(disk), settings(settings), extension(CreateKinds::extension(settings.fileType)),
      haveTemplate(haveTemplate)
{ }

QString CreatePlanner::wanted(int row) const
{
    return settings.targetDir + QLatin1Char('/') + settings.names.at(row).name + extension;
}

QString CreatePlanner::numbered(const QString &wanted) const
{
    const auto it = lastNumber.constFind(wanted);
    if (it == lastNumber.cend())
        return makeUniquePath(wanted, [this](const QString &p) { return disk.occupied(p); });
    for (qint64 k = *it + 1;; ++k) {
        const QString candidate = variant(wanted, k);
        if (!disk.occupied(candidate))
            return candidate;
    }
}

CreatePlan CreatePlanner::plan(int row) const
{
    const bool isFolder = settings.fileType == 0;
    const QString name = settings.names.at(row).name;
    const QString path = wanted(row);
    // A name is a name in the target folder, never a way out of it; the name alone is checked
    // too, as an extension could hide a trailing dot or space.
    if (settings.targetDir.isEmpty())
        return planned(CreatePlan::Refused, path, QStringLiteral("没有目标文件夹"));
    QString reason = nameRefusal(name);
    if (reason.isEmpty())
        reason = refusal(path);
    if (!reason.isEmpty())
        return planned(CreatePlan::Refused, path, reason);
    if (!isFolder && !haveTemplate)
        return planned(CreatePlan::NoTemplate, path);
    if (!settings.autoResolve) {
        if (isFolder && disk.present(path, true))
            return planned(CreatePlan::Existing, path);
        return planned(disk.occupied(path) ? CreatePlan::Taken : CreatePlan::Create, path);
    }
    const QString target = numbered(path);
    if (target == path)
        return planned(CreatePlan::Create, path);
    // A number can make a name too long.
    reason = refusal(target);
    return reason.isEmpty() ? planned(CreatePlan::Numbered, target)
                            : planned(CreatePlan::Refused, target, reason);
}

void CreatePlanner::made(int row, const QString &target)
{
    if (settings.autoResolve)
        lastNumber.insert(wanted(row), numberOf(wanted(row), target));
}

QVector<CreatePlan> planCreate(
    const FolderPicture &picture, const CreateSettings &settings, bool haveTemplate)
{
    PictureDisk disk(picture);
    CreatePlanner planner(disk, settings, haveTemplate);
    QVector<CreatePlan> plans;
    plans.reserve(settings.names.size());
    for (int row = 0; row < settings.names.size(); ++row) {
        plans.append(planner.plan(row));
        const CreatePlan &plan = plans.constLast();
        if (plan.kind == CreatePlan::Create || plan.kind == CreatePlan::Numbered) {
            disk.add(plan.target, settings.fileType == 0);
            planner.made(row, plan.target);
        }
    }
    return plans;
}

bool templateReadable(int fileType, const QString &templateDir)
{
    if (fileType == 0)
        return true;
    const QFileInfo info(CreateKinds::templatePath(fileType, templateDir));
    return info.isFile() && info.isReadable();
}

QString createPlanMark(const CreatePlan &plan)
{
    switch (plan.kind) {
    case CreatePlan::Numbered:
        return QStringLiteral("将命名为“%1”").arg(namePart(plan.target));
    case CreatePlan::Existing:
        return QStringLiteral("文件夹已存在，将保留原文件夹");
    case CreatePlan::Taken:
        return QStringLiteral("与已有文件重名，将不会创建");
    case CreatePlan::Refused:
        return QStringLiteral("名称不可用：%1").arg(plan.reason);
    case CreatePlan::NoTemplate:
        return QStringLiteral("找不到模板文件，将不会创建");
    case CreatePlan::Create:
        break;
    }
    return QString();
}
