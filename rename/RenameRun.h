#pragma once

#include <QString>
#include <QVector>

#include <functional>

// Entry states of a rename list row, as its state label shows them.
namespace RenameState {
enum { Pending = 0, Success = 1, Failed = 2, Running = 3, Missing = 4 };
}

// True when `target` names the very object at `source` (same device and inode), as a name
// that differs only in letter case does on a file system that ignores case.
bool targetIsEntryItself(const QString &source, const QString &target);

// Rewrites the paths that lie below a folder that just moved from `from` to `to`.
void followFolderMove(QVector<QString> &paths, const QString &from, const QString &to);

// Result of moving one entry to a new name within its folder.
struct MoveResult
{
    enum Status { Done, TargetExists, Failed };
    Status status = Failed;
    QString path; // where the entry is afterwards (the target when done, else the source)
};

// Renames `source` to `target` without ever replacing anything. When the occupant of
// `target` is the entry itself (a case-only change on a case-blind file system), the entry
// takes exactly that name, through a temporary name.
MoveResult moveEntry(const QString &source, const QString &target);

// One row of a rename run, in list order.
struct RenameItem
{
    QString uuid;
    QString filePath;
    QString newName; // the preview
};

// One rename a run performed; an undo replays them backwards.
struct RenameStep
{
    QString uuid;
    QString fromPath; // before the run
    QString toPath; // after the run
    QString previewBefore; // the row's preview when the run started
};

struct RenameSnapshot
{
    QVector<RenameStep> steps; // in the order they were done
    bool isEmpty() const { return steps.isEmpty(); }
};

// What happened to one row.
struct RowOutcome
{
    enum Kind { Untouched, Renamed, Failed, Missing };
    Kind kind = Untouched;
    QString path; // the entry's path after this row (the new one when renamed)
    QString target; // the refused target when failed
    QString newName; // renamed in an undo: the preview the row had before the run
};

struct RunResult
{
    QVector<RowOutcome> rows; // one per item, in item order
    QVector<QString> paths; // every item's path at the end (folders renamed above move it)
    RenameSnapshot snapshot; // the renames a run did, for its undo (empty after an undo)
    int renamed = 0;
    int failed = 0;
    int missing = 0;
};

// Called as soon as a row is done, so the caller can show it and report a failure before the
// run goes on.
using RowCallback = std::function<void(int row, const RowOutcome &outcome)>;

// Renames every item whose preview is non-empty and differs from its name on disk, in order,
// as planRow decides on the disk as it is at that row (planRename foresees it).
// With `autoResolve` an occupied target is replaced by makeUniquePath's variant; without it
// the row fails. A missing source (a file on a file page, a folder on a folder page) marks
// the row Missing. Nothing existing is ever replaced.
RunResult runRename(const QVector<RenameItem> &items, bool isFolder, bool autoResolve,
    const RowCallback &onRow = {});

// Reverses `snapshot` on the rows of `items` matched by uuid, newest rename first; rows no
// longer in the list, and rows the run did not rename, are left alone.
RunResult undoRename(const QVector<RenameItem> &items, const RenameSnapshot &snapshot,
    bool isFolder, bool autoResolve, const RowCallback &onRow = {});

// The message published for a failed rename of `target`.
QString renameFailedMessage(const QString &target);
