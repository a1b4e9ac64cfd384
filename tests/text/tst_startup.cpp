#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include "tests/text/TextTests.h"

namespace {

// A virtual X server of its own, so the start-up message is a real window on a real display
// that the test closes with the keyboard, as a user would.
class VirtualDisplay
{
public:
    VirtualDisplay()
    {
        server.setProgram(QStringLiteral("Xvfb"));
        server.setArguments({QStringLiteral("-displayfd"), QStringLiteral("1"),
            QStringLiteral("-screen"), QStringLiteral("0"), QStringLiteral("1280x800x24"),
            QStringLiteral("-nolisten"), QStringLiteral("tcp")});
        server.start();
        if (!server.waitForStarted(10000))
            return;
        QElapsedTimer timer;
        timer.start();
        while (timer.elapsed() < 10000 && !server.canReadLine())
            server.waitForReadyRead(200);
        const QByteArray line = server.readLine().trimmed();
        if (!line.isEmpty())
            display = QStringLiteral(":") + QString::fromLatin1(line);
    }
    ~VirtualDisplay()
    {
        server.terminate();
        server.waitForFinished(5000);
    }

    // Runs xdotool on this display; returns its output, or a null string when it failed.
    QString xdotool(const QStringList &arguments, int timeoutMs = 15000) const
    {
        QProcess tool;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("DISPLAY"), display);
        tool.setProcessEnvironment(env);
        tool.start(QStringLiteral("xdotool"), arguments);
        if (!tool.waitForFinished(timeoutMs) || tool.exitCode() != 0) {
            tool.kill();
            tool.waitForFinished();
            return QString();
        }
        return QString::fromUtf8(tool.readAllStandardOutput()) + QStringLiteral(" ");
    }

    QString display;

private:
    QProcess server;
};

} // namespace

void StartupTest::missingConfiguration_data()
{
    QTest::addColumn<QStringList>("present");
    QTest::addColumn<QString>("missing");

    QTest::newRow("empty folder/s2t.json") << QStringList() << "s2t.json";
    QTest::newRow("only s2t files/t2s.json")
        << QStringList {"s2t.json", "STPhrases.ocd2", "STCharacters.ocd2"} << "t2s.json";
    QTest::newRow("configurations without a dictionary/TSCharacters.ocd2") << QStringList {
        "s2t.json", "STPhrases.ocd2", "STCharacters.ocd2", "t2s.json",
        "TSPhrases.ocd2"} << "TSCharacters.ocd2";
}

void StartupTest::missingConfiguration()
{
    QFETCH(QStringList, present);
    QFETCH(QString, missing);

    for (const char *tool : {"Xvfb", "xdotool"})
        QVERIFY2(!QStandardPaths::findExecutable(QLatin1String(tool)).isEmpty(),
            "scripts/setup installs Xvfb and xdotool, which this test needs");

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QDir runtime(QStringLiteral(QUORVEX_RUNTIME_DIR));
    for (const QString &name : present)
        QVERIFY(QFile::copy(runtime.filePath(name), dir.filePath(name)));

    VirtualDisplay x;
    QVERIFY2(!x.display.isEmpty(), "Xvfb did not start");

    QProcess program;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), x.display);
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    program.setProcessEnvironment(env);
    program.setWorkingDirectory(dir.path());
    program.start(runtime.filePath(QStringLiteral("Quorvex")), QStringList());
    QVERIFY(program.waitForStarted(10000));
    const QString pid = QString::number(program.processId());

    // The message comes up, and it is the only window the program shows.
    const QString windows
        = x.xdotool({QStringLiteral("search"), QStringLiteral("--sync"),
                        QStringLiteral("--onlyvisible"), QStringLiteral("--pid"), pid},
            60000);
    if (windows.isNull()) {
        program.kill();
        program.waitForFinished();
        QFAIL(qPrintable(QStringLiteral("no window came up; the program said: ")
            + QString::fromUtf8(program.readAllStandardError())));
    }
    const QStringList ids
        = windows.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
    QCOMPARE(ids.size(), 1);
    QVERIFY(program.state() == QProcess::Running);

    // Escape closes it, as it would for a user.
    QVERIFY(!x.xdotool({QStringLiteral("windowfocus"), QStringLiteral("--sync"), ids.first(),
                           QStringLiteral("key"), QStringLiteral("Escape")})
                 .isNull());
    QVERIFY2(program.waitForFinished(30000), "the program did not end after its message closed");

    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QVERIFY(program.exitCode() != 0);
    const QString err = QString::fromUtf8(program.readAllStandardError());
    QVERIFY2(err.contains(missing), qPrintable(err));
    QVERIFY2(
        err.contains(QDir::toNativeSeparators(QDir(dir.path()).absolutePath())), qPrintable(err));
    QVERIFY2(err.contains(QStringLiteral("缺少")), qPrintable(err));
}
