#pragma once

#include "filetime/CaptureTime.h"
#include "filetime/LocalDateTime.h"

#include <QDateTime>
#include <QString>

#include <optional>

// Where a time the run writes comes from, in the order of the panel's lists.
enum class TimeSource {
    Chosen, // "指定时间": the panel's date and time
    Capture, // "拍摄时间": the photo's own time of capture
    NameDate, // "文件名中的时间": the first date in the entry's name
    Creation, // "创建时间": the entry's own creation time
    Modification, // "修改时间": the entry's own modification time
};

// The time rule of one page kind: which times a run sets, from which source, moved by how many
// seconds (local date and time, to the second). The page's panel writes it; the page's list
// reads it.
struct TimeRule
{
    bool setBirthTime = false;
    bool setModifiedTime = false;
    QDateTime birthTime;
    QDateTime modifiedTime;
    TimeSource birthSource = TimeSource::Chosen;
    TimeSource modifiedSource = TimeSource::Chosen;
    qint64 birthShift = 0; // seconds, added to the source's time
    qint64 modifiedShift = 0;

    // Whether a switched-on time needs the photos' capture times.
    bool needsCaptureTimes() const;

    // The two process-wide rules: the file time page's and the folder time page's.
    static TimeRule *fileRule();
    static TimeRule *folderRule();
    static TimeRule *forPage(bool isFolder) { return isFolder ? folderRule() : fileRule(); }
};

// What a row's result is computed from.
struct EntryFacts
{
    QString fileName;
    PresentTimes present; // the entry's own times
    bool captureKnown = false; // the photo has been read (whatever it held)
    std::optional<CaptureTime> capture;
};

// One time of a row's result.
struct RowTime
{
    enum Outcome {
        Kept, // the switch is off: the entry keeps its own time
        Set, // the time is written
        NoCapture, // the source is the capture time and the photo has none
        NoNameDate, // the source is the name and it carries no date
        NoOwnTime, // the source is one of the entry's own times and it has none
        Waiting, // the photo has not been read yet
    };
    Outcome outcome = Kept;
    QDateTime time; // what the row shows: the new time when Set, else the present one

    bool fails() const { return outcome != Kept && outcome != Set && outcome != Waiting; }
};

struct RowTimes
{
    RowTime birth;
    RowTime modified;
};

// The times the rule gives one entry. A source without a value leaves the present time in
// place, for the row to show, and says why.
RowTimes ruleTimes(const TimeRule &rule, const EntryFacts &facts);

// The message a run reports for a time whose source had no value; empty for any other.
QString rowTimeMessage(const RowTime &time, const QString &path);

// time moved by seconds on the local clock's face (a day later is the same hour), then taken
// as a local reading again. An exact moment from a photo's offset moves as a moment.
QDateTime shiftedLocal(const QDateTime &time, qint64 seconds);
