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

TimeStep applyEntryTimes(const QString &path, const TimeWrite &times, const PresentTimes *known)
{
    TimeStep step;
    // Noted before anything is written.
    const PresentTimes present = known && known->readable ? *known : presentTimes(path);
    if (!present.readable) {
        step.kind = QFileInfo::exists(path) ? TimeStep::Failed : TimeStep::Missing;
        return step;
    }
    FileTimes::Present start;
    start.hasCreation = bool(present.creation);
    if (present.creation)
        start.creation = *present.creation;
    start.modification = present.modification;
    FileTimes::Present after;
    step.result
        = FileTimes::setFileTimes(nativeTimePath(path), times.creation ? &*times.creation : nullptr,
            times.modification ? &*times.modification : nullptr, nullptr, &start, &after);
    if (step.result != FileTimes::Written) {
        // Gone since it was read: told as missing, not as a refusal.
        step.kind = QFileInfo::exists(path) ? TimeStep::Failed : TimeStep::Missing;
        return step;
    }
    step.kind = TimeStep::Written;
    // A creation time asked for equals one that exists, so the present one is known.
    if (times.creation)
        step.before.creation = present.creation ? *present.creation : *times.creation;
    if (times.modification)
        step.before.modification = present.modification;
    step.after.readable = true;
    if (after.hasCreation)
        step.after.creation = after.creation;
    step.after.modification = after.modification;
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
