// On Linux one statx per entry and glibc's localtime_r. QFileInfo gives the same values, but
// each of its local times costs a look at /etc/localtime when TZ is unset (Qt calls tzset()
// before every conversion), which made the rows of a 3000-entry export four times dearer.
// Where statx has no birth time (ntfs-3g), the time layer's attribute reader gives it.
#include "extract/ExportTimes.h"

#include "extract/CollectSettings.h"
#include "times/FileTimes.h"

#include <QFile>
#include <QFileInfo>

#include <fcntl.h>
#include <sys/stat.h>
#include <time.h>

#include <cerrno>
#include <cstdio>

namespace {

// As QFileInfo counts it: a time of exactly zero is no time.
QString localText(std::int64_t sec, std::uint32_t nsec)
{
    if (sec == 0 && nsec == 0)
        return QString();
    const time_t seconds = time_t(sec);
    tm local {};
    if (!localtime_r(&seconds, &local))
        return QString();
    char text[48];
    const int n
        = std::snprintf(text, sizeof text, "%04d/%02d/%02d %02d:%02d:%02d", local.tm_year + 1900,
            local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec);
    return QString::fromLatin1(text, n);
}

// ntfs-3g's attribute, read only where statx found no birth time.
QString ntfsBirthText(const QByteArray &path)
{
    FileTimes::UtcTime creation;
    if (!FileTimes::readNtfsCreation(path.toStdString(), &creation))
        return QString();
    return localText(creation.seconds, creation.nanoseconds);
}

#ifdef STATX_BTIME
QString localText(const statx_timestamp &stamp)
{
    return localText(stamp.tv_sec, stamp.tv_nsec);
}
#endif

} // namespace

void prepareExportTimes()
{
    tzset();
}

ExportTimes readExportTimes(const QString &path, bool birth, bool modified)
{
    ExportTimes times;
    if (!birth && !modified)
        return times;
#ifdef STATX_BTIME
    struct statx st
    {
    };
    const unsigned mask = (birth ? STATX_BTIME : 0u) | (modified ? STATX_MTIME : 0u);
    const QByteArray native = QFile::encodeName(path);
    const int result = statx(AT_FDCWD, native.constData(), AT_STATX_SYNC_AS_STAT, mask, &st);
    if (result == 0) {
        if (birth)
            times.birth
                = (st.stx_mask & STATX_BTIME) ? localText(st.stx_btime) : ntfsBirthText(native);
        if (modified && (st.stx_mask & STATX_MTIME))
            times.modified = localText(st.stx_mtime);
        return times;
    }
    if (errno != ENOSYS)
        return times; // gone or unreadable: no times
#endif
    const QFileInfo info(path);
    if (birth) {
        times.birth = CollectExport::timeText(info.birthTime());
        if (times.birth.isEmpty() && info.exists())
            times.birth = ntfsBirthText(QFile::encodeName(path));
    }
    if (modified)
        times.modified = CollectExport::timeText(info.lastModified());
    return times;
}
