#include "office/ExcelReader.h"

#include "office/MyCustomEvent.h"
#include "office/OfficeDelivery.h"
#include "office/Xlsx.h"

#include <QCoreApplication>
#include <QPointer>
#include <QThreadPool>
#include <QtConcurrent>

namespace {

const QString badPackageMessage = QStringLiteral("请确保文件是正确的xlsx格式！");
const QString noSheetMessage = QStringLiteral("请确保第一个sheet表有数据！");

QList<QVariant> readRows(const QString &path, const QPointer<QObject> &receiver)
{
    Xlsx::Document document(path);
    if (!document.isLoadPackage()) {
        qWarning() << "Cannot read workbook" << path << ":" << document.errorString();
        OfficeDelivery::postMessage(receiver, badPackageMessage);
        return {};
    }
    const Xlsx::Worksheet *sheet = document.currentWorksheet();
    if (!sheet) {
        OfficeDelivery::postMessage(receiver, noSheetMessage);
        return {};
    }
    QList<QVariant> rows;
    const Xlsx::CellRange range = sheet->dimension();
    if (!range.isValid())
        return rows;
    // Walks the existing cells instead of every position of the range: the
    // same rows, without touching billions of empty positions when a lone
    // cell sits far out.
    rows.reserve(range.lastRow());
    const QVector<Xlsx::Worksheet::Entry> &cells = sheet->cells();
    int next = 0;
    for (int row = 1; row <= range.lastRow(); ++row) {
        QStringList texts;
        while (next < cells.size() && cells.at(next).row == row) {
            texts.append(cells.at(next).cell.value().toString());
            ++next;
        }
        rows.append(QVariant(texts));
    }
    return rows;
}

// Who asked for the newest read; the watcher itself follows that read.
QPointer<QObject> &newestRequester()
{
    static QPointer<QObject> requester;
    return requester;
}

} // namespace

QList<QVariant> readExcelRows(const QString &path, QObject *receiver)
{
    return readRows(path, QPointer<QObject>(receiver));
}

QFutureWatcher<QList<QVariant>> &rowsWatcher()
{
    // Lives for the whole process, like the reads it follows.
    static auto *watcher = [] {
        auto *w = new QFutureWatcher<QList<QVariant>>;
        if (QCoreApplication::instance())
            w->moveToThread(QCoreApplication::instance()->thread());
        QObject::connect(w, &QFutureWatcherBase::finished, w, [w] {
            QPointer<QObject> &requester = newestRequester();
            // The watcher only reports the future it follows now, so this is the newest read.
            if (requester && w->future().resultCount() > 0)
                QCoreApplication::postEvent(
                    requester.data(), new MyCustomEvent(w->future().result()));
            requester.clear();
        });
        return w;
    }();
    return *watcher;
}

void readExcelRowsAsync(const QString &path, QObject *receiver)
{
    QFutureWatcher<QList<QVariant>> &watcher = rowsWatcher();
    const QPointer<QObject> guarded(receiver);
    newestRequester() = guarded;
    watcher.setFuture(QtConcurrent::run(QThreadPool::globalInstance(), readRows, path, guarded));
}
