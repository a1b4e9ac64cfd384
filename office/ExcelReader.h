#pragma once

#include <QFutureWatcher>
#include <QList>
#include <QString>
#include <QVariant>

class QObject;

// Reads the current worksheet of the workbook at path into rows of texts: one
// QStringList per row from row 1 to the last used row, each holding the texts
// of the cells that exist in that row, left to right (packed; empty rows stay).
// On failure posts a MyDialogMessageEvent to receiver ("请确保文件是正确的xlsx格式！"
// or "请确保第一个sheet表有数据！") and returns an empty list. Safe on any
// thread; never crashes or runs away on a hostile file.
QList<QVariant> readExcelRows(const QString &path, QObject *receiver);

// Reads on the global thread pool and returns at once. When the read finishes,
// its rows arrive at receiver as a MyCustomEvent (after any message event),
// unless a newer read has started meanwhile: only the newest read is delivered,
// and only to the object that asked for it. Call from the GUI thread.
void readExcelRowsAsync(const QString &path, QObject *receiver);

// The process-wide watcher that follows the newest read.
QFutureWatcher<QList<QVariant>> &rowsWatcher();
