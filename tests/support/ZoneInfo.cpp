#include "tests/support/ZoneInfo.h"

#include <QProcess>

#include <ctime>

ZoneInfo ZoneInfo::of(const QString &zone, const QString &reading)
{
    const char *script
        = "import sys,datetime,zoneinfo\n"
          "z=zoneinfo.ZoneInfo(sys.argv[1])\n"
          "d=datetime.datetime.strptime(sys.argv[2],'%Y-%m-%d %H:%M:%S')\n"
          "t=int(d.replace(tzinfo=z).timestamp())\n"
          "print(t,datetime.datetime.fromtimestamp(t,z).strftime('%Y/%m/%d %H:%M:%S'))\n";
    QProcess python;
    python.start(QStringLiteral("/usr/bin/python3"), {QStringLiteral("-c"), script, zone, reading});
    ZoneInfo info;
    if (!python.waitForFinished(60000) || python.exitCode() != 0)
        return info;
    const QString out = QString::fromUtf8(python.readAllStandardOutput()).trimmed();
    const int space = out.indexOf(QLatin1Char(' '));
    info.utcSeconds = out.left(space).toLongLong(&info.ok);
    info.shown = out.mid(space + 1);
    return info;
}

void useZone(const QString &zone)
{
    qputenv("TZ", zone.toUtf8());
    tzset();
}
