// tst_lists runs several test classes; each file registers its class here.
#include "tests/lists/ListTests.h"
#include "tests/support/JoinedReport.h"

#include <QApplication>
#include <QProcess>
#include <QStandardPaths>
#include <QtTest>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    app.setAttribute(Qt::AA_Use96Dpi, true);

    // A session bus of our own, so showing a file in its folder can be watched; the tests
    // that need it skip when none can be started.
    QProcess bus;
    const QString daemon = QStandardPaths::findExecutable(QStringLiteral("dbus-daemon"));
    if (!daemon.isEmpty()) {
        bus.start(daemon, {"--session", "--nofork", "--print-address=1"});
        if (bus.waitForStarted(5000) && bus.waitForReadyRead(5000)) {
            const QByteArray address = bus.readLine().trimmed();
            if (!address.isEmpty())
                qputenv("DBUS_SESSION_BUS_ADDRESS", address);
        }
    }
    JoinedReport report(app.arguments());
    int failures = 0;
    for (const auto &make : listTestFactories()) {
        std::unique_ptr<QObject> test(make());
        failures += QTest::qExec(test.get(), report.arguments);
        report.collect();
    }
    failures = report.finish(failures);
    if (bus.state() != QProcess::NotRunning) {
        bus.kill();
        bus.waitForFinished(5000);
    }
    return failures == 0 ? 0 : 1;
}
