#include "extract/ExportTimes.h"

#include "filetime/LocalDateTime.h"

#include <cstdio>

namespace {

// Straight from the clock's reading: no QDateTime for thousands of rows.
QString localText(const FileTimes::UtcTime &utc)
{
    FileTimes::LocalReading r;
    if (!FileTimes::toLocal(utc, &r))
        return QString();
    char text[64];
    const int n = std::snprintf(text, sizeof text, "%04d/%02d/%02d %02d:%02d:%02d", r.year, r.month,
        r.day, r.hour, r.minute, r.second);
    return n > 0 ? QString::fromLatin1(text, n) : QString();
}

} // namespace

ExportTimes readExportTimes(const QString &path, bool birth, bool modified)
{
    ExportTimes times;
    if (!birth && !modified)
        return times;
    const PresentTimes present = presentTimes(path);
    if (!present.readable)
        return times; // gone or unreadable: no times
    if (birth && present.creation)
        times.birth = localText(*present.creation);
    if (modified)
        times.modified = localText(present.modification);
    return times;
}
