// An export of 3000 real files from the extraction list in each format: the time the GUI thread
// spends in "开始提取" (one QFileInfo per entry, the rows, the row states) and the writer's own
// time on the pool, until the list has marked every row.
#include "extract/CollectListWidget.h"
#include "extract/CollectSettings.h"
#include "extract/ExportTimes.h"
#include "office/ExportWriters.h"
#include "office/WordWriter.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTextStream>
#include <QThreadPool>

#include <algorithm>
#include <ctime>

namespace {

constexpr int entryCount = 3000;
constexpr int repeats = 5;

double threadCpuMs()
{
    timespec now {};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

double median(QVector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.at(values.size() / 2);
}

bool allMarked(const CollectListWidget &list)
{
    const auto &entries = list.entryList();
    return std::none_of(entries.cbegin(), entries.cend(),
        [](const InfoEntry *e) { return e->state == StateRunning; });
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QTemporaryDir dir;
    const QString in = dir.filePath("项目 文件");
    QDir().mkpath(in);
    QStringList paths;
    for (int i = 0; i < entryCount; ++i) {
        const QString path
            = in + QStringLiteral("/项目报告_%1 final.docx").arg(i, 4, 10, QLatin1Char('0'));
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly)) {
            QTextStream(stderr) << "cannot create " << path << "\n";
            return 1;
        }
        paths << path;
    }

    CollectListWidget list;
    list.resize(1000, 700);
    list.show();
    list.addPaths(paths);
    CollectSettings *settings = fileCollectSettings();
    resetCollectSettings(settings);
    settings->exportDir = dir.path();
    settings->exportName = QStringLiteral("导出");

    QTextStream out(stdout);
    out << entryCount << " entries, all four values; medians of " << repeats << " runs\n";
    out << "format  GUI thread (wall / CPU)   until all rows marked   writer alone\n";
    const QStringList formats {"xlsx", "docx", "txt"};
    for (int type = 0; type < 3; ++type) {
        settings->exportType = type;
        QVector<double> gui, guiCpu, total, writer;
        for (int r = 0; r < repeats; ++r) {
            QElapsedTimer timer;
            timer.start();
            const double cpu = threadCpuMs();
            list.startCollectInfo();
            guiCpu.append(threadCpuMs() - cpu);
            gui.append(timer.nsecsElapsed() / 1e6);
            while (!allMarked(list))
                QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
            total.append(timer.nsecsElapsed() / 1e6);
        }
        // The writer on its own, on this thread, with rows like those the list builds.
        ExportRows rows;
        QElapsedTimer building;
        building.start();
        if (type == 0)
            rows.append(CollectExport::headerRow(*settings));
        for (const QString &path : paths)
            rows.append(CollectExport::entryRow(QFileInfo(path), *settings, false));
        const double rowsOnly = building.nsecsElapsed() / 1e6;
        const QString path = CollectExport::outputPath(*settings);
        for (int r = 0; r < repeats; ++r) {
            QElapsedTimer timer;
            timer.start();
            const bool ok = type == 0 ? writeExcelRows(rows, path, nullptr)
                : type == 1           ? writeWordRows(rows, path, nullptr)
                                      : writeTextRows(path, rows, nullptr);
            writer.append(timer.nsecsElapsed() / 1e6);
            if (!ok)
                out << "  (" << formats[type] << " write failed)\n";
        }
        const auto ms = [](double v) { return QString::number(v, 'f', 1); };
        out << qSetFieldWidth(8) << left << formats[type] << qSetFieldWidth(0) << ms(median(gui))
            << " / " << ms(median(guiCpu)) << " ms            " << ms(median(total))
            << " ms              " << ms(median(writer)) << " ms, " << QFileInfo(path).size() / 1024
            << " KiB; rows alone " << ms(rowsOnly) << " ms\n";
        out.flush();
    }
    QThreadPool::globalInstance()->waitForDone();
    return 0;
}
