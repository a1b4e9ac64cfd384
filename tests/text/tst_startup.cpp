#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include "tests/support/LinuxTools.h"
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
    QTest::addColumn<QString>("damaged");
    QTest::addColumn<QStringList>("told");
    QTest::addColumn<QString>("folder");

    const QStringList all {"s2t.json", "STPhrases.ocd2", "STCharacters.ocd2", "t2s.json",
        "TSPhrases.ocd2", "TSCharacters.ocd2"};
    QTest::newRow("empty folder/s2t.json")
        << QStringList() << "" << QStringList {"缺少", "s2t.json"} << "";
    QTest::newRow("only s2t files/t2s.json")
        << QStringList(all.mid(0, 3)) << "" << QStringList {"缺少", "t2s.json"} << "";
    QTest::newRow("folder with Chinese and spaces/t2s.json")
        << QStringList(all.mid(0, 3)) << "" << QStringList {"缺少", "t2s.json"}
        << "照片 备份 (2024)";
    QTest::newRow("configurations without a dictionary/TSCharacters.ocd2")
        << QStringList(all.mid(0, 5)) << "" << QStringList {"缺少", "TSCharacters.ocd2", "t2s.json"}
        << "";
    QTest::newRow("damaged dictionary/STPhrases.ocd2")
        << all << "STPhrases.ocd2" << QStringList {"损坏", "s2t.json"} << "";
}

void StartupTest::missingConfiguration()
{
    SKIP_WITHOUT_LINUX_TOOLS(); // the program on Xvfb, driven by xdotool
    QFETCH(QStringList, present);
    QFETCH(QString, damaged);
    QFETCH(QStringList, told);
    QFETCH(QString, folder);

    for (const char *tool : {"Xvfb", "xdotool"})
        QVERIFY2(!QStandardPaths::findExecutable(QLatin1String(tool)).isEmpty(),
            "scripts/setup installs Xvfb and xdotool, which this test needs");

    QTemporaryDir temporary;
    QVERIFY(temporary.isValid());
    QDir dir(temporary.path());
    if (!folder.isEmpty())
        QVERIFY(dir.mkdir(folder) && dir.cd(folder));
    const QDir runtime(QStringLiteral(QUORVEX_RUNTIME_DIR));
    for (const QString &name : present)
        QVERIFY(QFile::copy(runtime.filePath(name), dir.filePath(name)));
    if (!damaged.isEmpty()) {
        QFile file(dir.filePath(damaged));
        QVERIFY(file.open(QIODevice::ReadWrite));
        QVERIFY(file.resize(1000));
    }

    VirtualDisplay x;
    QVERIFY2(!x.display.isEmpty(), "Xvfb did not start");

    QProcess program;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), x.display);
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    // Sanitizer builds check for leaks at exit. Full stacks let the suppressions tell the
    // graphics driver's own allocations (below Qt, which has no frame pointers) from ours.
    const QString asan = env.value(QStringLiteral("ASAN_OPTIONS"));
    env.insert(QStringLiteral("ASAN_OPTIONS"),
        (asan.isEmpty() ? QString() : asan + QLatin1Char(':'))
            + QStringLiteral("fast_unwind_on_malloc=0"));
    program.setProcessEnvironment(env);
    program.setWorkingDirectory(dir.absolutePath());
    // A copy of the program alone in a folder: the run-time folder's data beside the original
    // would be found.
    const QString alone = temporary.filePath(QStringLiteral("program"));
    QVERIFY(QDir().mkpath(alone));
    QVERIFY(QFile::copy(runtime.filePath(QStringLiteral("Quorvex")), alone + "/Quorvex"));
    program.start(alone + "/Quorvex", QStringList());
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
    const QString err = QString::fromUtf8(program.readAllStandardError());
    // 2 and nothing else: also a leak report at exit (sanitizer builds) must not change it.
    QVERIFY2(program.exitCode() == 2, qPrintable(err));
    for (const QString &text : told)
        QVERIFY2(err.contains(text), qPrintable(err));
    // Every folder it looked in is named.
    for (const QString &looked : {dir.absolutePath(), alone})
        QVERIFY2(err.contains(QDir::toNativeSeparators(QFileInfo(looked).canonicalFilePath())),
            qPrintable(err));
}
