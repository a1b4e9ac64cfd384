#pragma once

#include <QByteArray>
#include <QFile>
#include <QHash>
#include <QIODevice>
#include <QPair>
#include <QString>
#include <QVector>

#include <memory>

// Zip containers of OOXML packages, through minizip over Qt's own file I/O
// (so that any path Qt can open works, and a package can be built in memory).

class ZipEntryDevice;

// Reads the entries of a zip file. Only one entry may be open at a time.
class ZipReader
{
public:
    // More entries than any real workbook has; keeps a hostile directory cheap.
    static constexpr int maxEntries = 65536;

    explicit ZipReader(const QString &path);
    ~ZipReader();
    ZipReader(const ZipReader &) = delete;
    ZipReader &operator=(const ZipReader &) = delete;

    bool isOpen() const { return zip != nullptr; }
    // Part names compare without case, as OPC asks.
    bool contains(const QString &name) const;
    // A sequential device over the inflated entry, or null when the entry is
    // missing, cannot be opened or declares more than limit bytes.
    std::unique_ptr<ZipEntryDevice> openEntry(const QString &name, qint64 limit);

private:
    struct Position
    {
        quint64 directoryOffset;
        quint64 fileNumber;
        quint64 uncompressedSize;
    };
    QFile file;
    void *zip = nullptr;
    QHash<QString, Position> entries;
};

// Inflates one entry on demand. Reading past the limit, a damaged stream or a
// checksum mismatch marks the device failed; the reader then sees an early end.
class ZipEntryDevice : public QIODevice
{
public:
    ZipEntryDevice(void *zip, qint64 limit);
    ~ZipEntryDevice() override;

    bool isSequential() const override { return true; }
    void close() override;
    bool failed() const { return broken; }
    // Reads the rest of the entry into memory (bounded by the limit).
    QByteArray readWhole();

protected:
    qint64 readData(char *data, qint64 maxSize) override;
    qint64 writeData(const char *, qint64) override { return -1; }

private:
    void *zip;
    qint64 limit;
    qint64 total = 0;
    bool finished = false;
    bool broken = false;
};

// Builds a zip archive in memory from (name, content) pairs, deflated.
// Returns an empty array when minizip fails.
QByteArray buildZip(const QVector<QPair<QString, QByteArray>> &files);
