#include "filetime/CaptureTimes.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QMutexLocker>

#include <QtConcurrent>

namespace {

CaptureTimes *theStore = nullptr;

} // namespace

CaptureTimes *CaptureTimes::instance()
{
    if (!theStore)
        theStore = new CaptureTimes(QCoreApplication::instance());
    return theStore;
}

CaptureTimes::CaptureTimes(QObject *parent) : QObject(parent)
{
    // Reading is mostly waiting on the disk and parsing small headers; two readers keep a
    // list of photos filling without taking the machine.
    pool.setMaxThreadCount(2);
}

CaptureTimes::~CaptureTimes()
{
    stopping = true;
    pool.waitForDone();
    if (theStore == this)
        theStore = nullptr;
}

bool CaptureTimes::lookup(
    const QString &path, const FileTimes::UtcTime &modified, std::optional<CaptureTime> *out) const
{
    QMutexLocker lock(&mutex);
    const auto it = known.constFind(path);
    if (it == known.constEnd() || it->modified != modified)
        return false;
    *out = it->time;
    return true;
}

void CaptureTimes::request(const QVector<Wanted> &files)
{
    QVector<Wanted> todo;
    {
        QMutexLocker lock(&mutex);
        for (const Wanted &file : files) {
            const auto it = known.constFind(file.path);
            if (it != known.constEnd() && it->modified == file.modified)
                continue;
            const auto q = queued.constFind(file.path);
            if (q != queued.constEnd() && *q == file.modified)
                continue;
            queued.insert(file.path, file.modified);
            todo.append(file);
        }
    }
    if (todo.isEmpty())
        return;
    // Two halves, one per reader.
    const int half = (todo.size() + 1) / 2;
    QVector<QVector<Wanted>> parts {todo.mid(0, half), todo.mid(half)};
    for (const QVector<Wanted> &part : parts) {
        if (!part.isEmpty())
            QtConcurrent::run(&pool, [this, part] { readAll(part); });
    }
}

void CaptureTimes::readAll(QVector<Wanted> files)
{
    QStringList done;
    QElapsedTimer sinceTold;
    sinceTold.start();
    for (const Wanted &file : files) {
        if (stopping)
            return;
        store(file, readCaptureTime(file.path));
        done.append(file.path);
        // Rows update as their dates arrive, a few times a second rather than per file.
        if (sinceTold.elapsed() >= 40) {
            emit arrived(done);
            done.clear();
            sinceTold.restart();
        }
    }
    if (!done.isEmpty())
        emit arrived(done);
}

void CaptureTimes::store(const Wanted &file, const std::optional<CaptureTime> &time)
{
    QMutexLocker lock(&mutex);
    known.insert(file.path, Known {file.modified, time});
    const auto q = queued.find(file.path);
    if (q != queued.end() && *q == file.modified)
        queued.erase(q);
}

std::optional<CaptureTime> CaptureTimes::readNow(
    const QString &path, const FileTimes::UtcTime &modified)
{
    std::optional<CaptureTime> time;
    if (lookup(path, modified, &time))
        return time;
    time = readCaptureTime(path);
    store(Wanted {path, modified}, time);
    return time;
}

void CaptureTimes::retime(
    const QString &path, const FileTimes::UtcTime &from, const FileTimes::UtcTime &to)
{
    QMutexLocker lock(&mutex);
    const auto it = known.find(path);
    if (it != known.end() && it->modified == from)
        it->modified = to;
}

void CaptureTimes::waitForReads()
{
    pool.waitForDone();
    QCoreApplication::sendPostedEvents(this);
    QCoreApplication::processEvents();
}
