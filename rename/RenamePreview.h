#pragma once

#include "rename/RenameRules.h"
#include "rename/ReplacePattern.h"

#include <QDateTime>
#include <QString>

class QFileInfo;

// One rule as the list applies it: a copy of the record taken when the computation starts.
struct RenameRule
{
    enum Kind { Custom, Insert, Replace, Delete };
    Kind kind = Custom;
    RenameCustomSetting custom; // Custom and Insert
    RenameReplaceSetting replace; // Replace
    RenameDeleteSetting erase; // Delete

    // A copy of the record behind a rule nameSpace; false for any other nameSpace.
    static bool fromNameSpace(const QString &nameSpace, RenameRule *rule);

    // Whether a run after this preview resolves name conflicts.
    bool autoResolve() const;
    // Whether the rule reads the entries' file times (time sequence of the entry).
    bool needsEntryTimes() const;
    // Whether the rule names files by the time their photos were taken.
    bool needsCaptureTimes() const;
    // The replace rule's search, built on first use and kept with this copy of the rule.
    const ReplacePattern &replacePattern() const;
    // Why the rule cannot be applied (an invalid pattern), or empty.
    QString problem() const;

private:
    mutable ReplacePattern pattern;
    mutable QString patternKey;
};

// What the preview needs to know about one entry.
struct PreviewEntry
{
    QString stem; // the name before the last dot (file page) or the whole name (folder page)
    QString extension; // after the last dot, file page only
    QDateTime birthTime;
    QDateTime modifiedTime;
    QDateTime captureTime; // the photo's, where the rule asks for it and it is known
};

// Stem and extension of an entry as the page kind says; the times are read only when asked.
PreviewEntry previewEntryFor(const QFileInfo &info, bool isFolder, bool withTimes = false);

// The new name of one row: the rule's own step on the stem, then script (Pinyin wins over
// simplified/traditional), case, and on a file page the extension. When the rule cannot be
// applied to this entry (its pattern is invalid or runs into the limits), `*trouble` says why.
QString previewName(const RenameRule &rule, bool isFolder, const PreviewEntry &entry, int row,
    QString *trouble = nullptr);

// The new name of one row under the import rule: the imported name, plus the entry's own
// extension on a file page.
QString importedName(const QString &name, bool isFolder, const PreviewEntry &entry);

// The rule-specific steps, on a stem.
QString swapAroundSeparator(const QString &stem, const QString &separator);
QString deleteFromStem(const QString &stem, const RenameDeleteSetting &rule);
