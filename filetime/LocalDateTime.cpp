#include "filetime/LocalDateTime.h"

#include <QDir>
#include <QFile>

namespace {

FileTimes::LocalReading readingOf(const QDate &date, const QTime &time)
{
    FileTimes::LocalReading r;
    r.year = date.year();
    r.month = date.month();
    r.day = date.day();
    r.hour = time.hour();
    r.minute = time.minute();
    r.second = time.second();
    r.nanoseconds = std::uint32_t(time.msec()) * 1000000u;
    return r;
}

} // namespace

QDateTime localFromUtc(const FileTimes::UtcTime &utc)
{
    FileTimes::LocalReading r;
    int offset = 0;
    if (!FileTimes::toLocal(utc, &r, &offset))
        return QDateTime();
    return QDateTime(QDate(r.year, r.month, r.day),
        QTime(r.hour, r.minute, r.second, int(r.nanoseconds / 1000000u)), Qt::OffsetFromUTC,
        offset);
}

QDateTime localReading(const QDate &date, const QTime &time)
{
    FileTimes::UtcTime utc;
    if (!date.isValid() || !time.isValid() || !FileTimes::toUtc(readingOf(date, time), &utc))
        return QDateTime();
    return localFromUtc(utc);
}

std::optional<FileTimes::UtcTime> utcFromLocal(const QDateTime &time)
{
    FileTimes::UtcTime t;
    if (time.timeSpec() == Qt::LocalTime) {
        if (time.date().isValid() && time.time().isValid()
            && FileTimes::toUtc(readingOf(time.date(), time.time()), &t))
            return t;
        return std::nullopt;
    }
    if (!time.isValid())
        return std::nullopt;
    const qint64 ms = time.toMSecsSinceEpoch();
    t.seconds = ms >= 0 ? ms / 1000 : -((-ms + 999) / 1000);
    t.nanoseconds = std::uint32_t(ms - t.seconds * 1000) * 1000000u;
    return t;
}

FileTimes::Path nativeTimePath(const QString &path)
{
#ifdef _WIN32
    return QDir::toNativeSeparators(path).toStdWString();
#else
    return QFile::encodeName(path).toStdString();
#endif
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
    if (path.isEmpty() || !FileTimes::readFileTimes(nativeTimePath(path), &p))
        return times;
    times.readable = true;
    if (p.hasCreation)
        times.creation = p.creation;
    times.modification = p.modification;
    return times;
}
