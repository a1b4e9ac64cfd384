#pragma once

#include "disk/DiskView.h"

#include <QString>
#include <QVector>

struct RenameItem;

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

// Every row's decision, in list order, as runRename will take them: each planned rename
// changes the picture (and carries along the rows inside a renamed folder) before the next
// row is decided. The picture itself is not changed.
QVector<RowPlan> planRename(const FolderPicture &picture, const QVector<RenameItem> &items,
    bool isFolder, bool autoResolve);

// The tooltip that marks a row whose run will not give the name shown, or empty.
QString planMark(const RowPlan &plan);

// A path the way the list should hold it: "/" separators, no trailing separator.
QString tidyPath(const QString &path);
