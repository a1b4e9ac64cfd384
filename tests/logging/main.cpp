#include "tst_logging.h"

#include <QCoreApplication>
#include <QtTest>

// The tests start this program again as a child (QUORVEX_LOG_CHILD) to log the way the
// program does at start, and to see a fatal message end a process.
int main(int argc, char *argv[])
{
    const QByteArray child = qgetenv("QUORVEX_LOG_CHILD");
    if (!child.isEmpty())
        return runLogChild(child, argc, argv);

    QCoreApplication app(argc, argv);
    TestLogging tests;
    return QTest::qExec(&tests, argc, argv);
}
