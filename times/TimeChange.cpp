#include "times/TimeChange.h"

#include <QFileInfo>

int setFileTimes(const QString &path, const TimeWrite &times)
{
    if (path.isEmpty())
        return FileTimes::EmptyPath;
    return FileTimes::setFileTimes(nativeTimePath(path),
        times.creation ? &*times.creation : nullptr,
        times.modification ? &*times.modification : nullptr, nullptr);
}

TimeStep applyEntryTimes(const QString &path, const TimeWrite &times)
{
    TimeStep step;
    // Noted before anything is written.
    const PresentTimes present = presentTimes(path);
    if (!QFileInfo::exists(path)) {
        step.kind = TimeStep::Missing;
        return step;
    }
    step.result = setFileTimes(path, times);
    if (step.result != FileTimes::Written) {
        step.kind = TimeStep::Failed;
        return step;
    }
    step.kind = TimeStep::Written;
    // A creation time asked for equals one that exists, so the present one is known.
    if (times.creation && present.readable)
        step.before.creation = present.creation ? *present.creation : *times.creation;
    if (times.modification && present.readable)
        step.before.modification = present.modification;
    return step;
}

QString timeStepMessage(const TimeStep &step, const QString &path)
{
    if (step.kind == TimeStep::Missing)
        return QStringLiteral("文件“%1”不存在").arg(path);
    if (step.kind != TimeStep::Failed)
        return QString();
    if (step.result == FileTimes::ReadFailed)
        return QStringLiteral("获取文件“%1”原时间失败，请确认权限！").arg(path);
    if (step.result == FileTimes::WriteFailed)
        return QStringLiteral("设置文件“%1”时间失败，请确认权限！").arg(path);
    return QString();
}
