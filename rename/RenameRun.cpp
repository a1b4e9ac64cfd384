#include "rename/RenameRun.h"

#include "disk/DiskNames.h"
#include "disk/NativeRename.h"
#include "rename/RenamePlan.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>

namespace {

// Folder part (with its trailing "/") and name of a path, by string: the run must never
// resolve a path against the working directory or clean it into another one.
QString folderOf(const QString &path)
{
    const int slash = path.lastIndexOf(QLatin1Char('/'));
    return slash < 0 ? QString() : path.left(slash + 1);
}

QString nameOf(const QString &path)
{
    const int slash = path.lastIndexOf(QLatin1Char('/'));
    return slash < 0 ? path : path.mid(slash + 1);
}

MoveResult moveThroughTemporary(const QString &source, const QString &target)
{
    // A name in the entry's folder that nothing else uses, for a two-step rename.
    const QString temporary = unusedSiblingPath(source, QStringLiteral("rename"));
    if (NativeRename::renameNoReplace(nativeDiskPath(source), nativeDiskPath(temporary))
        != NativeRename::Outcome::Done)
        return {MoveResult::Failed, source};
    const auto second
        = NativeRename::renameNoReplace(nativeDiskPath(temporary), nativeDiskPath(target));
    if (second == NativeRename::Outcome::Done)
        return {MoveResult::Done, target};
    // The target was another name of the same file (a hard link): put the entry back.
    const MoveResult::Status status = second == NativeRename::Outcome::TargetExists
        ? MoveResult::TargetExists
        : MoveResult::Failed;
    if (NativeRename::renameNoReplace(nativeDiskPath(temporary), nativeDiskPath(source))
        == NativeRename::Outcome::Done)
        return {status, source};
    return {MoveResult::Failed, temporary};
}

// Carries out a planned rename of row i to plan.target, taking the next numbered name when
// someone took the planned one meanwhile; carries along the rows below a folder that moved,
// and counts the outcome. True when the row was renamed.
bool renameRow(RunResult &result, int i, const RowPlan &plan, const QString &newName, bool isFolder,
    bool autoResolve)
{
    const QString source = result.paths.at(i);
    RowOutcome &row = result.rows[i];
    row.path = source;
    row.target = plan.target;
    if (plan.kind == RowPlan::Rename || plan.kind == RowPlan::Numbered) {
        MoveResult moved = moveEntry(source, plan.target);
        const QString wanted = folderOf(source) + newName;
        for (int attempt = 0;
             autoResolve && moved.status == MoveResult::TargetExists && attempt < 64; ++attempt) {
            row.target = makeUniquePath(wanted);
            moved = moveEntry(source, row.target);
        }
        row.path = moved.path;
        row.kind = moved.status == MoveResult::Done ? RowOutcome::Renamed : RowOutcome::Failed;
    } else {
        row.kind = RowOutcome::Failed;
    }
    if (row.path != source) {
        result.paths[i] = row.path;
        if (isFolder)
            followFolderMove(result.paths, source, row.path);
    }
    if (row.kind != RowOutcome::Renamed) {
        ++result.failed;
        return false;
    }
    ++result.renamed;
    return true;
}

// Plans row i on the disk as it is now and carries it out. False when there is nothing to
// report for the row (nothing to do).
bool runRow(RunResult &result, int i, const QString &newName, bool isFolder, bool autoResolve)
{
    static const LiveDisk disk;
    const RowPlan plan = planRow(disk, result.paths.at(i), newName, isFolder, autoResolve);
    RowOutcome &row = result.rows[i];
    row.path = result.paths.at(i);
    switch (plan.kind) {
    case RowPlan::Untouched:
        return false;
    case RowPlan::Missing:
        row.kind = RowOutcome::Missing;
        ++result.missing;
        return true;
    default:
        renameRow(result, i, plan, newName, isFolder, autoResolve);
        return true;
    }
}

} // namespace

void followFolderMove(QVector<QString> &paths, const QString &from, const QString &to)
{
    const QString prefix = from + QLatin1Char('/');
    for (QString &p : paths) {
        if (p.startsWith(prefix))
            p = to + p.mid(from.size());
    }
}

bool targetIsEntryItself(const QString &source, const QString &target)
{
    return NativeRename::identity(nativeDiskPath(source))
        == NativeRename::identity(nativeDiskPath(target));
}

MoveResult moveEntry(const QString &source, const QString &target)
{
    if (isOccupied(target)) {
        if (targetIsEntryItself(source, target))
            return moveThroughTemporary(source, target);
        return {MoveResult::TargetExists, source};
    }
    switch (NativeRename::renameNoReplace(nativeDiskPath(source), nativeDiskPath(target))) {
    case NativeRename::Outcome::Done:
        return {MoveResult::Done, target};
    case NativeRename::Outcome::TargetExists:
        return {MoveResult::TargetExists, source};
    case NativeRename::Outcome::Failed:
        break;
    }
    return {MoveResult::Failed, source};
}

RunResult runRename(
    const QVector<RenameItem> &items, bool isFolder, bool autoResolve, const RowCallback &onRow)
{
    RunResult result;
    result.rows.resize(items.size());
    result.paths.reserve(items.size());
    for (const RenameItem &item : items)
        result.paths.append(tidyPath(item.filePath));

    for (int i = 0; i < items.size(); ++i) {
        const QString source = result.paths.at(i);
        if (!runRow(result, i, items.at(i).newName, isFolder, autoResolve))
            continue; // nothing to do; the row keeps its state
        const RowOutcome &row = result.rows.at(i);
        if (row.kind == RowOutcome::Renamed)
            result.snapshot.steps.append({items.at(i).uuid, source, row.path, items.at(i).newName});
        if (onRow)
            onRow(i, row);
    }
    return result;
}

RunResult undoRename(const QVector<RenameItem> &items, const RenameSnapshot &snapshot,
    bool isFolder, bool autoResolve, const RowCallback &onRow)
{
    RunResult result;
    result.rows.resize(items.size());
    QHash<QString, int> rowOf;
    for (int i = 0; i < items.size(); ++i) {
        result.paths.append(tidyPath(items.at(i).filePath));
        result.rows[i].path = result.paths.at(i);
        rowOf.insert(items.at(i).uuid, i);
    }

    // Newest rename first: each one then finds its old name free again.
    for (int s = snapshot.steps.size() - 1; s >= 0; --s) {
        const RenameStep &step = snapshot.steps.at(s);
        const int i = rowOf.value(step.uuid, -1);
        if (i < 0)
            continue; // the row was removed since the run
        if (!runRow(result, i, nameOf(step.fromPath), isFolder, autoResolve))
            continue;
        RowOutcome &row = result.rows[i];
        if (row.kind == RowOutcome::Renamed)
            row.newName = step.previewBefore;
        if (onRow)
            onRow(i, row);
    }
    return result;
}

QString renameFailedMessage(const QString &target)
{
    // Half a surrogate pair would not survive the dialog and the log: show it as U+FFFD.
    QString shown = target;
    for (int i = 0; i < shown.size(); ++i) {
        if (shown.at(i).isHighSurrogate() && i + 1 < shown.size()
            && shown.at(i + 1).isLowSurrogate())
            ++i;
        else if (shown.at(i).isSurrogate())
            shown[i] = QChar::ReplacementCharacter;
    }
    return QStringLiteral("命名文件“%1”已经存在或者路径错误").arg(shown);
}
