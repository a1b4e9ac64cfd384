#pragma once

#include "office/ExportWriters.h"

#include <QPointer>

// Writes a Word document through the "Word.Application" automation object:
// one paragraph per row, the values joined by one space. Returns false and
// posts a message to receiver when Word cannot be driven or the document
// cannot be saved; an empty row list saves an empty document. Word saves under
// a fresh name beside the path, which replaces an existing file only once it
// is checked, so a failed save leaves the old file whole.
bool writeWordRows(const ExportRows &rows, const QString &path, QObject *receiver);

// The path handed to Word's SaveAs: "//" inside the path collapse to "/"
// (a folder that ends in "/" joined with a name), a leading "//" of a network
// path stays; then native separators.
QString wordSavePath(const QString &path);

// writeWordRows for pool tasks, whose receiver may be destroyed meanwhile.
bool writeWordRowsGuarded(
    const ExportRows &rows, const QString &path, const QPointer<QObject> &receiver);
