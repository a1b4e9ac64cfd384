#include "office/ExportWriters.h"

#include "office/MyCustomEvent.h"
#include "office/OfficeDelivery.h"
#include "office/WordWriter.h"
#include "office/Xlsx.h"

#include <QCoreApplication>
#include <QPointer>
#include <QSaveFile>
#include <QTextStream>
#include <QThreadPool>
#include <QtConcurrent>

namespace {

const QString saveFailedMessage = QStringLiteral("保存文件失败！");

QString columnLetters(int index)
{
    return Xlsx::columnName(index + 1);
}

bool writeExcelGuarded(
    const ExportRows &rows, const QString &path, const QPointer<QObject> &receiver)
{
    if (rows.isEmpty())
        return false;
    Xlsx::Document document;
    bool ok = true;
    for (int i = 0; i < rows.size() && ok; ++i) {
        const QList<QVariant> &row = rows.at(i);
        for (int j = 0; j < row.size() && ok; ++j)
            ok = document.write(columnLetters(j) + QString::number(i + 1), row.at(j));
    }
    ok = ok && document.saveAs(path);
    if (!ok) {
        qWarning() << "Cannot save workbook" << path << ":" << document.errorString();
        OfficeDelivery::postMessage(receiver, saveFailedMessage);
    }
    return ok;
}

bool writeTextGuarded(
    const QString &path, const ExportRows &rows, const QPointer<QObject> &receiver)
{
    QSaveFile file(path);
    file.setDirectWriteFallback(true);
    bool ok = file.open(QIODevice::WriteOnly | QIODevice::Text);
    if (ok) {
        QTextStream stream(&file);
        // Not the local 8-bit code page: on Windows it cannot hold every name.
        stream.setCodec("UTF-8");
#ifdef _WIN32
        stream.setGenerateByteOrderMark(true);
#endif
        for (const QList<QVariant> &row : rows)
            stream << exportRowText(row) << '\n';
        stream.flush();
        ok = stream.status() == QTextStream::Ok && file.commit();
    }
    if (!ok) {
        qWarning() << "Cannot save text file" << path << ":" << file.errorString();
        file.cancelWriting();
        OfficeDelivery::postMessage(receiver, saveFailedMessage);
    }
    return ok;
}

// Reports the end of one write to its own receiver, whatever writes follow.
void follow(const QFuture<bool> &future, QObject *receiver, const QList<QVariant> &tag)
{
    auto *own = new QFutureWatcher<bool>;
    const QPointer<QObject> target(receiver);
    QObject::connect(own, &QFutureWatcherBase::finished, own, [own, target, tag] {
        if (target)
            QCoreApplication::postEvent(target.data(), new MyCustomEvent(tag, own->result()));
        own->deleteLater();
    });
    own->setFuture(future);
    writeWatcher().setFuture(future);
}

} // namespace

bool writeExcelRows(const ExportRows &rows, const QString &path, QObject *receiver)
{
    return writeExcelGuarded(rows, path, QPointer<QObject>(receiver));
}

bool writeTextRows(const QString &path, const ExportRows &rows, QObject *receiver)
{
    return writeTextGuarded(path, rows, QPointer<QObject>(receiver));
}

QString exportRowText(const QList<QVariant> &row)
{
    QStringList texts;
    texts.reserve(row.size());
    for (const QVariant &value : row)
        texts.append(value.toString());
    return texts.join(QLatin1Char(' '));
}

QFutureWatcher<bool> &writeWatcher()
{
    static auto *watcher = [] {
        auto *w = new QFutureWatcher<bool>;
        if (QCoreApplication::instance())
            w->moveToThread(QCoreApplication::instance()->thread());
        return w;
    }();
    return *watcher;
}

void writeExcelAsync(
    const QString &path, const ExportRows &rows, QObject *receiver, const QList<QVariant> &tag)
{
    follow(QtConcurrent::run(QThreadPool::globalInstance(), writeExcelGuarded, rows, path,
               QPointer<QObject>(receiver)),
        receiver, tag);
}

void writeWordAsync(
    const QString &path, const ExportRows &rows, QObject *receiver, const QList<QVariant> &tag)
{
    follow(QtConcurrent::run(QThreadPool::globalInstance(), writeWordRowsGuarded, rows, path,
               QPointer<QObject>(receiver)),
        receiver, tag);
}

void writeTextAsync(
    const QString &path, const ExportRows &rows, QObject *receiver, const QList<QVariant> &tag)
{
    follow(QtConcurrent::run(QThreadPool::globalInstance(), writeTextGuarded, path, rows,
               QPointer<QObject>(receiver)),
        receiver, tag);
}
