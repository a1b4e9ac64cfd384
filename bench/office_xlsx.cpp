// Reads and writes a 3000-row export workbook and compares reading it with
// openpyxl (Debian's /usr/bin/python3) on the same file, in the same run.
#include "office/ExcelReader.h"
#include "office/ExportWriters.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>
#include <cstdio>

namespace {

constexpr int rowCount = 3000;

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
    for (int i = 0; i < repeats; ++i) {
        QElapsedTimer timer;
        timer.start();
        if (!writeExcelRows(rows, path, nullptr)) {
            std::fprintf(stderr, "writing failed\n");
            return 1;
        }
        writes.append(timer.nsecsElapsed() / 1e6);
    }

    QVector<double> reads;
    int rowsRead = 0;
    for (int i = 0; i < repeats; ++i) {
        QElapsedTimer timer;
        timer.start();
        rowsRead = readExcelRows(path, nullptr).size();
        reads.append(timer.nsecsElapsed() / 1e6);
    }

    // openpyxl: load and turn every row into texts, timed inside Python so the
    // interpreter's start-up is not counted.
    const QString script = QStringLiteral(
        "import sys,time,statistics,openpyxl\n"
        "times=[]\n"
        "for _ in range(%1):\n"
        "    t=time.perf_counter()\n"
        "    ws=openpyxl.load_workbook(sys.argv[1]).active\n"
        "    rows=[[str(c.value) for c in r if c.value is not None] for r in ws.iter_rows()]\n"
        "    times.append((time.perf_counter()-t)*1000)\n"
        "print(statistics.median(times), len(rows))\n")
                               .arg(repeats);
    QProcess python;
    python.start("/usr/bin/python3", {"-c", script, path});
    if (!python.waitForFinished(300000) || python.exitCode() != 0) {
        std::fprintf(stderr, "openpyxl failed: %s\n", python.readAllStandardError().constData());
        return 1;
    }
    const QStringList answer = QString::fromUtf8(python.readAllStandardOutput()).split(' ');
    const double openpyxlRead = answer.value(0).toDouble();

    const double ourRead = median(reads);
    QTextStream out(stdout);
    out << "workbook: " << rowCount << " rows + header, 4 columns, "
        << QFileInfo(path).size() / 1024 << " KiB\n";
    out << "write (writeExcelRows):       " << QString::number(median(writes), 'f', 1)
        << " ms (median of " << repeats << ")\n";
    out << "read  (readExcelRows):        " << QString::number(ourRead, 'f', 1) << " ms, "
        << rowsRead << " rows\n";
    out << "read  (openpyxl, same file):  " << QString::number(openpyxlRead, 'f', 1) << " ms, "
        << answer.value(1).trimmed() << " rows\n";
    out << "ratio openpyxl / ours (read): " << QString::number(openpyxlRead / ourRead, 'f', 1)
        << "x\n";
    return 0;
}
