#pragma once

#include <QSet>
#include <QString>
#include <QStringList>

#include <functional>

// Every file below folder, at any depth, depth first in the order the file system lists them;
// hidden and system entries are left out. Each folder is walked at most once per call (by its
// canonical path), so a link back to a parent folder cannot make the walk endless.
QStringList collectFiles(const QString &folder);

// The same walk, stopped as soon as `wanted` files for which isNew holds have been found: the
// result is then the start of collectFiles(folder). An addition that can take only so many
// new paths gets the same outcome without walking a whole drive first.
QStringList collectFilesUpTo(
    const QString &folder, int wanted, const std::function<bool(const QString &)> &isNew);

// What one addition does with its paths, worked out before any row is filled.
struct AddPlan
{
    QStringList accepted; // the paths that become new rows, in order
    int skipped = 0; // duplicates counted before the walk stopped
    bool limitReached = false; // a path would have gone past the capacity
};

// Duplicates are tested against existing (the paths already in the list, in the form the list
// stores them) and against the paths accepted earlier in the same call. Paths are compared as
// given, so the caller brings them into stored form first. rowCount is the list's current size.
AddPlan planAddition(
    const QSet<QString> &existing, int rowCount, const QStringList &paths, int capacity);
