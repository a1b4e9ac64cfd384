#include "times/TimeChange.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

FileTimes::Path nativePath(const QString &path)
{
#ifdef _WIN32
    return QDir::toNativeSeparators(path).toStdWString();
#else
    return QFile::encodeName(path).toStdString();
#endif
}

} // namespace

FileTimes::UtcTime utcFromLocal(const QDateTime &local)
{
    // toMSecsSinceEpoch applies the zone's rules for that very date.
    const qint64 ms = local.toMSecsSinceEpoch();
    FileTimes::UtcTime t;
    t.seconds = ms >= 0 ? ms / 1000 : -((-ms + 999) / 1000);
    t.nanoseconds = std::uint32_t(ms - t.seconds * 1000) * 1000000u;
    return t;
}

QDateTime localFromUtc(const FileTimes::UtcTime &utc)
{
    return QDateTime::fromMSecsSinceEpoch(
        utc.seconds * 1000 + utc.nanoseconds / 1000000, Qt::LocalTime);
}

QDateTime PresentTimes::birthTime() const
{
    return readable && creation ? localFromUtc(*creation) : QDateTime();
}

QDateTime PresentTimes::modifiedTime() const
{
    return readable ? localFromUtc(modification) : QDateTime();
}

PresentTimes presentTimes(const QString &path)
{
    PresentTimes times;
    FileTimes::Present p;
    if (path.isEmpty() || !FileTimes::readFileTimes(nativePath(path), &p))
        return times;
    times.readable = true;
    if (p.hasCreation)
        times.creation = p.creation;
    times.modification = p.modification;
    return times;
}

QDateTime ntfsBirthTime(const QString &path)
{
#ifdef _WIN32
    Q_UNUSED(path)
    return QDateTime();
#else
    FileTimes::UtcTime creation;
    if (path.isEmpty() || !FileTimes::readNtfsCreation(nativePath(path), &creation))
        return QDateTime();
    return localFromUtc(creation);
#endif
}

int setFileTimes(const QString &path, const TimeWrite &times)
{
    if (path.isEmpty())
        return FileTimes::EmptyPath;
    return FileTimes::setFileTimes(nativePath(path), times.creation ? &*times.creation : nullptr,
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
