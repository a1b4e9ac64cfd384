// Figures for the lists at their capacity: adding 3000 files to an empty list, sorting them by
// name, clearing. Each step includes the repaint that follows it. Never fails on a time.
#include "extract/CollectListWidget.h"
#include "lists/CustomTabelWidget.h"
#include "lists/ListEntries.h"
#include "lists/PathCollect.h"
#include "rename/FileListWidget.h"
#include "times/TimeListWidget.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QHeaderView>
#include <QRandomGenerator>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>
#include <cstdio>
#include <ctime>

namespace {

// What the event loop does between two user actions, deferred deletes included.
void settle()
{
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

// CPU time of this process: the machine is shared, so wall time alone says little.
double cpuMs()
{
    timespec ts {};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return ts.tv_sec * 1e3 + ts.tv_nsec / 1e6;
}

struct Stopwatch
{
    QElapsedTimer wall;
    double cpu0 = 0;
    void start()
    {
        wall.start();
        cpu0 = cpuMs();
    }
    // wall ms, cpu ms
    QPair<double, double> lap() const { return {wall.nsecsElapsed() / 1e6, cpuMs() - cpu0}; }
};

double median(QVector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.at(v.size() / 2);
}

template<class List> void measure(const char *name, const QStringList &files, int rounds)
{
    QVector<double> add, sortName, clear, addCpu, sortCpu, clearCpu, jump, pageStep;
    for (int round = 0; round < rounds; ++round) {
        List list;
        list.resize(1200, 700);
        list.show();
        settle();
        Stopwatch watch;

        watch.start();
        list.addPaths(files);
        settle();
        add.append(watch.lap().first);
        addCpu.append(watch.lap().second);

        watch.start();
        QHeaderView *header = list.table()->horizontalHeader();
        header->setSortIndicator(0,
            header->sortIndicatorOrder() == Qt::AscendingOrder ? Qt::DescendingOrder
                                                               : Qt::AscendingOrder);
        settle();
        sortName.append(watch.lap().first);
        sortCpu.append(watch.lap().second);

        // Scrolling: one jump to the end, then page by page back up (worst step counts).
        watch.start();
        list.table()->scrollToBottom();
        settle();
        jump.append(watch.lap().first);

        double worst = 0;
        QScrollBar *bar = list.table()->verticalScrollBar();
        while (bar->value() > 0) {
            watch.start();
            bar->setValue(bar->value() - bar->pageStep());
            settle();
            worst = qMax(worst, watch.lap().first);
        }
        pageStep.append(worst);

        watch.start();
        list.clearList();
        settle();
        clear.append(watch.lap().first);
        clearCpu.append(watch.lap().second);
    }
    std::printf("%-18s add %d: %7.0f ms (cpu %6.0f)   sort by name: %6.0f ms (cpu %5.0f)   "
                "clear: %5.0f ms (cpu %5.0f)\n",
        name, int(files.size()), median(add), median(addCpu), median(sortName), median(sortCpu),
        median(clear), median(clearCpu));
    std::printf("%-18s scroll: jump to the end %5.1f ms, worst page step %5.1f ms\n", name,
        median(jump), median(pageStep));
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QFile qss(QStringLiteral(":/qss/main.qss"));
    if (qss.open(QIODevice::ReadOnly))
        app.setStyleSheet(QString::fromLatin1(qss.readAll()));

    QTemporaryDir dir;
    // Names in a shuffled order with numbers and Chinese, in 30 folders.
    QRandomGenerator random(7);
    for (int i = 0; i < kListCapacity; ++i) {
        const QString path = dir.path()
            + QStringLiteral("/folder%1/文件 %2.txt").arg(i % 30).arg(random.bounded(100000));
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly)) {
            std::printf("cannot create %s\n", qPrintable(path));
            return 1;
        }
    }
    QElapsedTimer walk;
    walk.start();
    const QStringList files = collectFiles(dir.path());
    std::printf("collectFiles over %d files in 30 folders: %.1f ms\n", int(files.size()),
        walk.nsecsElapsed() / 1e6);

    const int rounds = argc > 1 ? QString(argv[1]).toInt() : 3;
    const QString only = argc > 2 ? QString(argv[2]) : QString();
    if (only.isEmpty() || only == "rename")
        measure<FileListWidget>("FileListWidget", files, rounds);
    if (only.isEmpty() || only == "times")
        measure<TimeListWidget>("TimeListWidget", files, rounds);
    if (only.isEmpty() || only == "extract")
        measure<CollectListWidget>("CollectListWidget", files, rounds);
    return 0;
}
