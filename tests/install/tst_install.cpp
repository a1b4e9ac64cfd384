#include "logging/LogMessageHandler.h"

#include <QDirIterator>
#include <QElapsedTimer>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// Runs a program to its end; its exit code, or -1 when it did not end normally.
int run(const QString &program, const QStringList &arguments, QString *output = nullptr)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    const bool done = process.waitForFinished(300000);
    if (output)
        *output = QString::fromUtf8(process.readAll());
    return done && process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
}

QStringList filesBelow(const QString &root)
{
    QStringList files;
    QDirIterator it(root, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext())
        files << it.next().mid(root.size());
    files.sort();
    return files;
}

} // namespace

class InstallTest : public QObject
{
    Q_OBJECT
    QTemporaryDir tmp;
    QString prefix = tmp.path() + "/prefix";
    QString expand(QString s) const
    {
        return s.replace("%p", prefix).replace("%r", QUORVEX_RUNTIME_DIR).replace("%t", tmp.path());
    }

private slots:
    void initTestCase()
    {
        QString out;
        QVERIFY2(
            run(QUORVEX_CMAKE, {"--install", QUORVEX_BUILD_DIR, "--prefix", prefix}, &out) == 0,
            qPrintable(out));
    }

    void startsFromAnyFolder_data()
    {
        for (const char *column : {"program", "workDir", "stateHome", "dataDir", "logDir"})
            QTest::addColumn<QString>(column);
        QTest::newRow("installed/unrelated folder") << "%p/bin/quorvex"
                                                    << "%t/work"
                                                    << "%t/state"
                                                    << "%p/share/quorvex"
                                                    << "%t/state/quorvex/log";
        QTest::newRow("installed/no XDG_STATE_HOME") << "%p/bin/quorvex"
                                                     << "%t/work"
                                                     << ""
                                                     << "%p/share/quorvex"
                                                     << "%t/home/.local/state/quorvex/log";
        QTest::newRow("installed/its own bin folder") << "%p/bin/quorvex"
                                                      << "%p/bin"
                                                      << "%t/state"
                                                      << "%p/share/quorvex"
                                                      << "%t/state/quorvex/log";
        QTest::newRow("run-time folder/itself") << "%r/Quorvex"
                                                << "%r"
                                                << "%t/state"
                                                << "%r"
                                                << "%r/log";
        QTest::newRow("run-time program/unrelated folder") << "%r/Quorvex"
                                                           << "%t/work"
                                                           << "%t/state"
                                                           << "%r"
                                                           << "%t/state/quorvex/log";
    }

    // Started offscreen, the program reaches its main window with the data of its row, logs
    // where its row says, and writes nothing into the folder it was started from.
    void startsFromAnyFolder()
    {
        QFETCH(QString, program);
        QFETCH(QString, workDir);
        QFETCH(QString, stateHome);
        QFETCH(QString, dataDir);
        QFETCH(QString, logDir);
        workDir = expand(workDir);
        logDir = expand(logDir);
        QVERIFY(QDir().mkpath(workDir) && QDir().mkpath(tmp.path() + "/home"));
        QStringList before = QDir(workDir).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
        const QStringList oldLogs = QDir(logDir).entryList(QDir::Files);

        QProcess quorvex;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("HOME", tmp.path() + "/home");
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.insert("ASAN_OPTIONS", "detect_leaks=0"); // it is killed, not closed
        env.remove("XDG_STATE_HOME");
        if (!stateHome.isEmpty())
            env.insert("XDG_STATE_HOME", expand(stateHome));
        quorvex.setProcessEnvironment(env);
        quorvex.setWorkingDirectory(workDir);
        quorvex.start(expand(program), QStringList());
        QVERIFY(quorvex.waitForStarted(10000));

        QString shown;
        QElapsedTimer timer;
        timer.start();
        while (shown.isEmpty() && timer.elapsed() < 60000 && !quorvex.waitForFinished(200)) {
            for (const QString &name : QDir(logDir).entryList(QDir::Files)) {
                QFile log(logDir + "/" + name);
                if (oldLogs.contains(name) || !log.open(QIODevice::ReadOnly))
                    continue;
                for (const QByteArray &line : log.readAll().split('\n'))
                    if (decryptText(line).startsWith("Debug: main window shown"))
                        shown = decryptText(line);
            }
        }
        quorvex.kill();
        quorvex.waitForFinished();
        QVERIFY2(!shown.isEmpty(), qPrintable(quorvex.readAllStandardError()));
        const QString data = QFileInfo(expand(dataDir)).canonicalFilePath();
        QVERIFY2(shown.contains("converter data from " + data + ";"), qPrintable(shown));
        QVERIFY2(shown.endsWith("templates from " + data + "/template"), qPrintable(shown));
        QStringList after = QDir(workDir).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
        if (logDir.startsWith(workDir + "/")) { // the run-time folder keeps its ./log/
            before.removeAll("log");
            after.removeAll("log");
        }
        QCOMPARE(after, before);
    }

    void validators_data()
    {
        QTest::addColumn<QString>("tool");
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("desktop entry/desktop-file-validate")
            << "desktop-file-validate"
            << QStringList {prefix + "/share/applications/com.tovask.Quorvex.desktop"};
        QTest::newRow("metainfo/appstreamcli")
            << "appstreamcli"
            << QStringList {"validate", "--no-net",
                   prefix + "/share/metainfo/com.tovask.Quorvex.metainfo.xml"};
    }

    void validators()
    {
        QFETCH(QString, tool);
        QFETCH(QStringList, arguments);
        if (QStandardPaths::findExecutable(tool).isEmpty())
            QSKIP("validator not installed");
        QString out;
        QVERIFY2(run(tool, arguments, &out) == 0, qPrintable(out));
    }

    // The package holds exactly what an install puts below its prefix, all of it below /usr,
    // and depends on the libraries the program loads.
    void package()
    {
        QString out;
        const QString dir = tmp.path() + "/package";
        QVERIFY2(
            run(QUORVEX_CPACK,
                {"-G", "DEB", "-B", dir, "--config", QUORVEX_BUILD_DIR "/CPackConfig.cmake"}, &out)
                == 0,
            qPrintable(out));
        const QStringList debs = QDir(dir).entryList({"quorvex_*_amd64.deb"}, QDir::Files);
        QCOMPARE(debs.size(), 1);
        const QString deb = dir + "/" + debs.first();
        QCOMPARE(run("dpkg-deb", {"--contents", deb}, &out), 0);
        QStringList packaged;
        for (const QString &line : out.split('\n', Qt::SkipEmptyParts)) {
            const QString path = line.section(QRegularExpression(" +"), 5).section(" -> ", 0, 0);
            QVERIFY2(path.startsWith("./usr/") || path == "./", qPrintable(path));
            if (!line.startsWith('d'))
                packaged << path.mid(5);
        }
        packaged.sort();
        QCOMPARE(packaged, filesBelow(prefix));
        QCOMPARE(run("dpkg-deb", {"-f", deb, "Depends"}, &out), 0);
        for (const char *library : {"libc6", "libqt5widgets5", "libqt5svg5", "libopencc", "libxlsxwriter"})
            QVERIFY2(out.contains(library), qPrintable(out));
    }
};

QTEST_GUILESS_MAIN(InstallTest)
#include "tst_install.moc"
