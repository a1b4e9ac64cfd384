// One rename run over 3000 files on disk, then its undo.
#include "rename/RenameRun.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>
#include <QUuid>

#include <fcntl.h>
#include <stdio.h>

namespace {

// The same renames as a bare loop of system calls, no checks: the floor a run stands on.
double bareLoop(int count)
{
    QTemporaryDir dir;
    QVector<QByteArray> from, to;
    for (int i = 0; i < count; ++i) {
        from << QFile::encodeName(dir.filePath(QStringLiteral("照片 %1.jpg").arg(i)));
        to << QFile::encodeName(
            dir.filePath(QStringLiteral("旅行%1.jpg").arg(i + 1, 4, 10, QLatin1Char('0'))));
        QFile f(QString::fromUtf8(from.last()));
        f.open(QIODevice::WriteOnly);
        f.write(QByteArray::number(i));
    }
    QElapsedTimer t;
    t.start();
    for (int i = 0; i < count; ++i)
        renameat2(
            AT_FDCWD, from.at(i).constData(), AT_FDCWD, to.at(i).constData(), RENAME_NOREPLACE);
    return t.nsecsElapsed() / 1e6;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    const double bareMs = bareLoop(3000);
    QTemporaryDir dir;
    QVector<RenameItem> items;
    for (int i = 0; i < 3000; ++i) {
        const QString path = dir.filePath(QStringLiteral("照片 %1.jpg").arg(i));
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly))
            return 1;
        f.write(QByteArray::number(i));
        items.append({QUuid::createUuid().toString(), path,
            QStringLiteral("旅行%1.jpg").arg(i + 1, 4, 10, QLatin1Char('0'))});
    }
    // every tenth target taken already, so conflict resolution has work to do
    for (int i = 0; i < 3000; i += 10) {
        QFile f(dir.filePath(QStringLiteral("旅行%1.jpg").arg(i + 1, 4, 10, QLatin1Char('0'))));
        f.open(QIODevice::WriteOnly);
    }

    QElapsedTimer t;
    t.start();
    const RunResult run = runRename(items, false, true);
    const double runMs = t.nsecsElapsed() / 1e6;
    for (int i = 0; i < items.size(); ++i)
        items[i].filePath = run.paths.at(i);
    t.restart();
    const RunResult undo = undoRename(items, run.snapshot, false, true);
    const double undoMs = t.nsecsElapsed() / 1e6;

    out << "run of 3000 files (300 conflicts): " << runMs << " ms, renamed " << run.renamed
        << ", failed " << run.failed << '\n';
    out << "bare loop of the same 3000 renames (renameat2): " << bareMs << " ms; run/bare "
        << runMs / bareMs << '\n';
    out << "undo of that run: " << undoMs << " ms, renamed back " << undo.renamed << ", failed "
        << undo.failed << '\n';
    return 0;
}
