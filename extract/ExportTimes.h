#pragma once

#include <QString>

// The two times an export writes for an entry, as "yyyy/MM/dd hh:mm:ss" in local time; empty
// for a time the file system does not give (or for an entry that is gone). Only the times
// asked for are written; the list shows the same texts, through the same conversion.
struct ExportTimes
{
    QString birth;
    QString modified;
};

ExportTimes readExportTimes(const QString &path, bool birth, bool modified);
