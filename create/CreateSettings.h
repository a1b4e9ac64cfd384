#pragma once

#include "lists/ListEntries.h"

#include <QList>
#include <QString>

// The outcome of one creation rule: what to create, where, and under which names.
struct CreateSettings
{
    int fileType = 0; // 0 folder, 1 Word, 2 Excel, 3 PowerPoint, 4 PDF, 5 text
    QString targetDir;
    QList<CreateEntry> names;
    QList<int> states; // one per name
    bool autoResolve = true;
};

// The two process-wide records: the custom rule's and the import rule's.
CreateSettings *customCreateSettings();
CreateSettings *importCreateSettings();

// The user's desktop folder, where a rule creates until the user picks another folder.
QString desktopFolder();

// Puts a record back to its start: folders on the desktop, no names, conflicts resolved.
void resetCreateSettings(CreateSettings &settings);
