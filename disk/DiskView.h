#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

// What a run asks of the disk before it changes a row. The run asks the disk itself; a
// preview asks a picture of the folders read beforehand, kept up to date as the planned
// changes happen, so that both take their decisions with the same code.
class DiskView
{
public:
    virtual ~DiskView() = default;
    // The entry exists as the page kind takes it (a file, or a dangling link, on a file page;
    // a folder, or a link to one, on a folder page).
    virtual bool present(const QString &path, bool isFolder) const = 0;
    // Anything has this name (case-blind where the file system is).
    virtual bool occupied(const QString &path) const = 0;
    // `target` names the entry at `source` itself (a case-only change on a case-blind system).
    virtual bool isSameEntry(const QString &source, const QString &target) const = 0;
};

// True when `target` names the very object at `source` (same device and inode), as a name
// that differs only in letter case does on a file system that ignores case.
bool targetIsEntryItself(const QString &source, const QString &target);

// The disk as it is now.
class LiveDisk : public DiskView
{
public:
    bool present(const QString &path, bool isFolder) const override;
    bool occupied(const QString &path) const override;
    bool isSameEntry(const QString &source, const QString &target) const override;
};

// The folders that hold the entries of a list, read once: every name in them, what it is,
// and whether the folder ignores letter case.
class FolderPicture
{
public:
    // Reads the folders of `paths` (tidy paths), each once.
    void read(const QStringList &paths);
    bool isEmpty() const { return folders.isEmpty(); }

    struct Name
    {
        QString name; // as on disk
        bool isDir = false; // a folder, or a link to one
        bool isEntry = true; // a file or a link (also dangling): a file page's entry
    };
    struct Folder
    {
        bool caseBlind = false;
        QHash<QString, Name> names; // by key: the name, case-folded where case is ignored
    };
    QHash<QString, Folder> folders; // by folder path with its trailing "/"
};

// A copy of a picture that a plan changes as it goes, the way the run will change the disk.
class PictureDisk : public DiskView
{
public:
    explicit PictureDisk(const FolderPicture &picture) : picture(picture) { }

    bool present(const QString &path, bool isFolder) const override;
    bool occupied(const QString &path) const override;
    bool isSameEntry(const QString &source, const QString &target) const override;

    // The entry at `source` now has the name of `target` (same folder); the folders read
    // below a renamed folder follow it.
    void move(const QString &source, const QString &target);
    // A new entry at `path`, in a folder of the picture.
    void add(const QString &path, bool isDir);

private:
    const FolderPicture::Name *find(const QString &path) const;

    FolderPicture picture;
};
