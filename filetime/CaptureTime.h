#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QTime>

#include <optional>

// When a photo was taken, as its camera wrote it (EXIF DateTimeOriginal, else CreateDate).
struct CaptureTime
{
    QDate date;
    QTime time; // with the milliseconds of the sub-second tag, where there is one
    std::optional<int> offsetSeconds; // east of UTC, from the offset tag, where there is one

    // As a local time: with an offset the moment is exact; without, the camera's reading is
    // taken as local time here. Invalid where it names no moment.
    QDateTime localTime() const;
};

// Reads the capture time of the image at path. None for a file without one, one that is no
// image exiv2 knows, or one that cannot be read. Safe from any thread.
std::optional<CaptureTime> readCaptureTime(const QString &path);
