#pragma once

#include <QString>

// Local time as Python's zoneinfo reads the tz database (Debian's /usr/bin/python3): a
// conversion independent of the program's own.
struct ZoneInfo
{
    bool ok = false;
    qint64 utcSeconds = 0; // what "yyyy-MM-dd hh:mm:ss" names in zone (fold 0)
    QString shown; // what the clock shows then, "yyyy/MM/dd hh:mm:ss"
    static ZoneInfo of(const QString &zone, const QString &reading);
};

// Sets TZ for this process and the programs it starts, and has the C library take it up. Not on
// Windows, where a program cannot change its zone.
void useZone(const QString &zone);
