#pragma once

#include <QHash>
#include <QString>
#include <QVector>

struct RenameItem;

// What a run asks of the disk before it renames a row. The run asks the disk itself; the
// preview asks a picture of the folders read beforehand, kept up to date as the planned
// renames happen, so that both take their decisions with the same code (planRow).
class DiskView
{
public:
    virtual ~DiskView() = default;
    // The entry exists as the page kind takes it (a file, or a dangling link, on a file page;
    // a folder on a folder page).
    virtual bool present(const QString &path, bool isFolder) const = 0;
    // Anything has this name (case-blind where the file system is).
    virtual bool occupied(const QString &path) const = 0;
    // `target` names the entry at `source` itself (a case-only change on a case-blind system).
    virtual bool isSameEntry(const QString &source, const QString &target) const = 0;
};

// The disk as it is now.
class LiveDisk : public DiskView
{
public:
    bool present(const QString &path, bool isFolder) const override;
    bool occupied(const QString &path) const override;
    bool isSameEntry(const QString &source, const QString &target) const override;
};

// What a run will do with one row, decided before it renames.
struct RowPlan
{
    enum Kind {
        Untouched, // no preview, or the preview is the name on disk
        Rename, // to the name shown
        Numbered, // the name is taken: to the numbered variant in `target`
        Taken, // the name is taken and conflicts are not resolved: the row fails
        Refused, // the name cannot be used; `reason` says why
        Missing, // the entry is gone
    };
    Kind kind = Untouched;
    QString target; // the path the row is renamed to (or would have been, when it fails)
    QString reason;
};

// The decision for the entry at `source` (a tidy path) and its preview `newName`.
RowPlan planRow(const DiskView &disk, const QString &source, const QString &newName, bool isFolder,
    bool autoResolve);

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

// Every row's decision, in list order, as runRename will take them: each planned rename
// changes the picture (and carries along the rows inside a renamed folder) before the next
// row is decided. The picture itself is not changed.
QVector<RowPlan> planRename(const FolderPicture &picture, const QVector<RenameItem> &items,
    bool isFolder, bool autoResolve);

// The tooltip that marks a row whose run will not give the name shown, or empty.
QString planMark(const RowPlan &plan);

// A path the way the list should hold it: "/" separators, no trailing separator.
QString tidyPath(const QString &path);
