#pragma once

#include <QString>

// Local time as Python's zoneinfo reads the tz database: a conversion independent of the
// program's own (Debian's /usr/bin/python3).
struct ZoneInfo
{
    bool ok = false;
    qint64 utcSeconds
        = 0; // the moment a reading names (a skipped one: past the gap; a repeated one: the first)
    QString shown; // what the clock shows at that moment, "yyyy/MM/dd hh:mm:ss"

    // reading: "yyyy-MM-dd hh:mm:ss" in zone (an IANA name).
    static ZoneInfo of(const QString &zone, const QString &reading);
};

// Sets TZ for this process and the programs it starts, and has the C library take it up.
void useZone(const QString &zone);
