// Reads and writes a 3000-row export workbook and compares reading it with
// openpyxl (Debian's /usr/bin/python3) on the same file, in the same run.
#include "office/ExcelReader.h"
#include "office/ExportWriters.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>
#include <cstdio>
#include <ctime>

#include <sys/resource.h>

namespace {

constexpr int rowCount = 3000;

// CPU time of the calling thread: fairer than wall time on a shared machine.
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

ExportRows exportRows()
{
    ExportRows rows {{"文件名称", "文件路径", "创建时间", "修改时间"}};
    const QDateTime base(QDate(2024, 3, 1), QTime(9, 0));
    for (int i = 0; i < rowCount; ++i) {
        const QString name
            = QStringLiteral("项目报告_%1 final.docx").arg(i, 4, 10, QLatin1Char('0'));
        rows.append({name, QStringLiteral("/home/user/文档/projects/batch %1/").arg(i / 100) + name,
            base.addSecs(i * 61).toString("yyyy/MM/dd hh:mm:ss"),
            base.addSecs(i * 97).toString("yyyy/MM/dd hh:mm:ss")});
    }
    return rows;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const QString path = dir.filePath("bench.xlsx");
    const ExportRows rows = exportRows();
    const int repeats = 7;

    QVector<double> writes;
    QVector<double> writesCpu;
    for (int i = 0; i < repeats; ++i) {
        QElapsedTimer timer;
        timer.start();
        const double cpu = threadCpuMs();
        if (!writeExcelRows(rows, path, nullptr)) {
            std::fprintf(stderr, "writing failed\n");
            return 1;
        }
        writesCpu.append(threadCpuMs() - cpu);
        writes.append(timer.nsecsElapsed() / 1e6);
    }

    QVector<double> reads;
    QVector<double> readsCpu;
    int rowsRead = 0;
    for (int i = 0; i < repeats; ++i) {
        QElapsedTimer timer;
        timer.start();
        const double cpu = threadCpuMs();
        rowsRead = readExcelRows(path, nullptr).size();
        readsCpu.append(threadCpuMs() - cpu);
        reads.append(timer.nsecsElapsed() / 1e6);
    }

    // openpyxl: load and turn every row into texts, timed inside Python so the
    // interpreter's start-up is not counted.
    const QString script = QStringLiteral(
        "import sys,time,statistics,openpyxl\n"
        "times=[]\n"
        "cpus=[]\n"
        "for _ in range(%1):\n"
        "    t=time.perf_counter()\n"
        "    c=time.thread_time()\n"
        "    ws=openpyxl.load_workbook(sys.argv[1]).active\n"
        "    rows=[[str(c.value) for c in r if c.value is not None] for r in ws.iter_rows()]\n"
        "    cpus.append((time.thread_time()-c)*1000)\n"
        "    times.append((time.perf_counter()-t)*1000)\n"
        "print(statistics.median(times), len(rows), statistics.median(cpus))\n")
                               .arg(repeats);
    QProcess python;
    python.start("/usr/bin/python3", {"-c", script, path});
    if (!python.waitForFinished(300000) || python.exitCode() != 0) {
        std::fprintf(stderr, "openpyxl failed: %s\n", python.readAllStandardError().constData());
        return 1;
    }
    const QStringList answer = QString::fromUtf8(python.readAllStandardOutput()).split(' ');
    const double openpyxlRead = answer.value(0).toDouble();
    const double openpyxlCpu = answer.value(2).toDouble();

    const double ourRead = median(reads);
    const double ourCpu = median(readsCpu);
    const auto ms = [](double value) { return QString::number(value, 'f', 1); };
    QTextStream out(stdout);
    out << "workbook: " << rowCount << " rows + header, 4 columns, "
        << QFileInfo(path).size() / 1024 << " KiB\n";
    out << "medians of " << repeats << " runs; wall time / CPU time of the working thread\n";
    out << "write (writeExcelRows):       " << ms(median(writes)) << " ms / "
        << ms(median(writesCpu)) << " ms\n";
    out << "read  (readExcelRows):        " << ms(ourRead) << " ms / " << ms(ourCpu) << " ms, "
        << rowsRead << " rows\n";
    out << "read  (openpyxl, same file):  " << ms(openpyxlRead) << " ms / " << ms(openpyxlCpu)
        << " ms, " << answer.value(1).trimmed() << " rows\n";
    out << "ratio openpyxl / ours (read): " << QString::number(openpyxlRead / ourRead, 'f', 1)
        << "x wall, " << QString::number(openpyxlCpu / ourCpu, 'f', 1) << "x CPU\n";

    // Hostile workbooks: how long the reader takes to give up or finish, and
    // the peak memory of the whole run.
    const QString maker = QStringLiteral(QUORVEX_SOURCE_DIR "/tests/office/make_books.py");
    for (const char *caseName : {"cell at the last row and column", "too many cells",
             "blanks near the limit", "inflates past the limit"}) {
        const QString hostile = dir.filePath(QStringLiteral("hostile.xlsx"));
        QProcess make;
        make.start("/usr/bin/python3", {maker, QString::fromLatin1(caseName), hostile});
        if (!make.waitForFinished(300000) || make.exitCode() != 0) {
            out << "hostile/" << caseName << ": could not be made\n";
            continue;
        }
        QElapsedTimer timer;
        timer.start();
        const int n = readExcelRows(hostile, nullptr).size();
        out << "hostile/" << caseName << ": " << QString::number(timer.nsecsElapsed() / 1e6, 'f', 0)
            << " ms, " << n << " rows\n";
        out.flush();
    }
    struct rusage usage;
    getrusage(RUSAGE_SELF, &usage);
    out << "peak resident memory of the run: " << usage.ru_maxrss / 1024 << " MiB\n";
    return 0;
}
