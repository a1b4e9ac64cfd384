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
