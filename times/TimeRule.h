#pragma once

#include <QDateTime>

// The time rule of one page kind: which times a run sets, and to what (local date and time,
// to the second). The page's panel writes it; the page's list reads it.
struct TimeRule
{
    bool setBirthTime = false;
    bool setModifiedTime = false;
    QDateTime birthTime;
    QDateTime modifiedTime;

    // The two process-wide rules: the file time page's and the folder time page's.
    static TimeRule *fileRule();
    static TimeRule *folderRule();
    static TimeRule *forPage(bool isFolder) { return isFolder ? folderRule() : fileRule(); }
};
