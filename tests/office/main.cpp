#include "tests/support/JoinedReport.h"

#include <QtTest>

int runReaderTests(int argc, char **argv);
int runWriterTests(int argc, char **argv);
int runWordTests(int argc, char **argv);

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    JoinedReport report(app.arguments());
    int failures = 0;
    for (auto run : {runReaderTests, runWriterTests, runWordTests}) {
        failures += run(report.argc(), report.argv());
        report.collect();
    }
    return report.finish(failures);
}
