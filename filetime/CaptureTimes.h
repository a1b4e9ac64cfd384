#pragma once

#include "filetime/CaptureTime.h"
#include "filetime/FileTimes.h"

#include <QHash>
#include <QMutex>
#include <QObject>
#include <QStringList>
#include <QThreadPool>
#include <QVector>

#include <atomic>

// The capture times of the photos the lists hold: each file is read once, off the GUI thread,
// and its time kept while the file's modification time stays the one it was read under.
class CaptureTimes : public QObject
{
    Q_OBJECT
public:
    // The process-wide store; it lives as long as the application object.
    static CaptureTimes *instance();
    ~CaptureTimes() override;

    struct Wanted
    {
        QString path;
        FileTimes::UtcTime modified; // the file's modification time as its list knows it
    };

    // True when path was read under that modification time; its capture time (or none) in out.
    bool lookup(const QString &path, const FileTimes::UtcTime &modified,
        std::optional<CaptureTime> *out) const;
    // Reads, in the background, those of files not known yet; `arrived` tells as they come.
    void request(const QVector<Wanted> &files);
    // Reads path now where it is not known (a run cannot wait).
    std::optional<CaptureTime> readNow(const QString &path, const FileTimes::UtcTime &modified);
    // A write of the file's times leaves its pictures as they were.
    void retime(const QString &path, const FileTimes::UtcTime &from, const FileTimes::UtcTime &to);
    // Waits for the reads under way (tests and benchmarks).
    void waitForReads();

signals:
    void arrived(const QStringList &paths);

private:
    explicit CaptureTimes(QObject *parent);
    void readAll(QVector<Wanted> files);
    void store(const Wanted &file, const std::optional<CaptureTime> &time);

    struct Known
    {
        FileTimes::UtcTime modified;
        std::optional<CaptureTime> time;
    };
    mutable QMutex mutex;
    QHash<QString, Known> known;
    QHash<QString, FileTimes::UtcTime> queued;
    QThreadPool pool;
    std::atomic<bool> stopping {false};
};
