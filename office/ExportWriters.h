#pragma once

#include <QFutureWatcher>
#include <QList>
#include <QString>
#include <QVariant>

class QObject;

// Rows of an export: each row a list of values, written with QVariant::toString().
using ExportRows = QList<QList<QVariant>>;

// Writes rows to a new workbook at path: row i to sheet row i + 1, value j to
// column j + 1 (A, B, ...), every value as it is (texts stay texts). Returns
// false with no file for no rows; returns false and posts "保存文件失败！" to
// receiver when the file cannot be written. An existing file is replaced only
// by a complete new one.
bool writeExcelRows(const ExportRows &rows, const QString &path, QObject *receiver);

// Writes one line per row, the values joined by one space, each line ending
// in "\n", in UTF-8 (on Windows with a byte-order mark and CR LF, for the
// editors there). An existing file is replaced by a complete new one (written
// in place only where the folder takes no temporary file). Returns false and
// posts "保存文件失败！" when the file cannot be written.
bool writeTextRows(const QString &path, const ExportRows &rows, QObject *receiver);

// Start the matching writer on the global thread pool and return at once.
// When the write finishes, a MyCustomEvent with the writer's result reaches
// the receiver that started it, on the GUI thread, also when newer writes have
// started since. Its list is `tag`, so that a receiver with several writes
// under way knows which one ended. Call from the GUI thread.
void writeExcelAsync(const QString &path, const ExportRows &rows, QObject *receiver,
    const QList<QVariant> &tag = {});
void writeWordAsync(const QString &path, const ExportRows &rows, QObject *receiver,
    const QList<QVariant> &tag = {});
void writeTextAsync(const QString &path, const ExportRows &rows, QObject *receiver,
    const QList<QVariant> &tag = {});

// One row as text: its values joined by one space (a line of a text export, a
// Word paragraph).
QString exportRowText(const QList<QVariant> &row);

// The process-wide watcher that follows the newest write of any format.
QFutureWatcher<bool> &writeWatcher();
