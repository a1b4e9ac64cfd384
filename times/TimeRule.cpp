#include "times/TimeRule.h"

#include "filetime/DateInName.h"

namespace {

RowTime resultFor(bool set, TimeSource source, const QDateTime &chosen, qint64 shift,
    const EntryFacts &facts, const QDateTime &present)
{
    RowTime out;
    out.time = present;
    if (!set)
        return out;
    QDateTime value;
    switch (source) {
    case TimeSource::Chosen:
        value = chosen;
        break;
    case TimeSource::Capture:
        if (!facts.captureKnown) {
            out.outcome = RowTime::Waiting;
            return out;
        }
        if (!facts.capture) {
            out.outcome = RowTime::NoCapture;
            return out;
        }
        value = facts.capture->localTime();
        if (facts.capture->offsetSeconds) {
            out.outcome = RowTime::Set;
            out.time = value.isValid() ? value.addSecs(shift) : value;
            // Shown and written as the local time of that moment.
            if (out.time.isValid()) {
                if (const auto utc = utcFromLocal(out.time))
                    out.time = localFromUtc(*utc);
            }
            return out;
        }
        break;
    case TimeSource::NameDate:
        if (const std::optional<NameDate> found = dateInName(facts.fileName)) {
            value = localReading(found->date, found->time);
        } else {
            out.outcome = RowTime::NoNameDate;
            return out;
        }
        break;
    case TimeSource::Creation:
        value = facts.present.birthTime();
        break;
    case TimeSource::Modification:
        value = facts.present.modifiedTime();
        break;
    }
    if (!value.isValid()) {
        out.outcome = source == TimeSource::Chosen ? RowTime::Set : RowTime::NoOwnTime;
        out.time = value; // a chosen time that names no moment fails at the write
        return out;
    }
    out.outcome = RowTime::Set;
    out.time = shiftedLocal(value, shift);
    return out;
}

} // namespace

bool TimeRule::needsCaptureTimes() const
{
    return (setBirthTime && birthSource == TimeSource::Capture)
        || (setModifiedTime && modifiedSource == TimeSource::Capture);
}

TimeRule *TimeRule::fileRule()
{
    static TimeRule rule;
    return &rule;
}

TimeRule *TimeRule::folderRule()
{
    static TimeRule rule;
    return &rule;
}

QDateTime shiftedLocal(const QDateTime &time, qint64 seconds)
{
    if (seconds == 0 || !time.isValid())
        return time;
    // The reading as plain numbers (UTC has no gaps), moved, then found again on the clock.
    const QDateTime face = QDateTime(time.date(), time.time(), Qt::UTC).addSecs(seconds);
    return localReading(face.date(), face.time());
}

RowTimes ruleTimes(const TimeRule &rule, const EntryFacts &facts)
{
    return {resultFor(rule.setBirthTime, rule.birthSource, rule.birthTime, rule.birthShift, facts,
                facts.present.birthTime()),
        resultFor(rule.setModifiedTime, rule.modifiedSource, rule.modifiedTime, rule.modifiedShift,
            facts, facts.present.modifiedTime())};
}

QString rowTimeMessage(const RowTime &time, const QString &path)
{
    switch (time.outcome) {
    case RowTime::NoCapture:
        return QStringLiteral("文件“%1”没有拍摄时间").arg(path);
    case RowTime::NoNameDate:
        return QStringLiteral("文件名“%1”中没有日期").arg(path);
    case RowTime::NoOwnTime:
        return QStringLiteral("获取文件“%1”原时间失败，请确认权限！").arg(path);
    default:
        return QString();
    }
}
