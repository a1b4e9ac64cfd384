#include "tests/support/ZoneInfo.h"

#include <QProcess>

#include <ctime>

ZoneInfo ZoneInfo::of(const QString &zone, const QString &reading)
{
    QProcess python;
    python.start("/usr/bin/python3",
        {"-c",
            "import sys,datetime as d,zoneinfo\nz=zoneinfo.ZoneInfo(sys.argv[1])\n"
            "t=int(d.datetime.fromisoformat(sys.argv[2]).replace(tzinfo=z).timestamp())\n"
            "print(t,d.datetime.fromtimestamp(t,z).strftime('%Y/%m/%d %H:%M:%S'))",
            zone, reading});
    ZoneInfo info;
    python.waitForFinished(60000);
    const QString out = QString::fromUtf8(python.readAllStandardOutput()).trimmed();
    info.utcSeconds = out.section(' ', 0, 0).toLongLong(&info.ok);
    info.shown = out.section(' ', 1);
    return info;
}

void useZone(const QString &zone)
{
#ifdef Q_OS_WIN
    // Windows' C library reads TZ in a format of its own and would take these names for UTC;
    // the zone is the system's (under Wine, the one scripts/test-windows gives Wine).
    Q_UNUSED(zone);
#else
    qputenv("TZ", zone.toUtf8());
    tzset();
#endif
}
