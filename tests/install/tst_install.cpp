#include "logging/LogMessageHandler.h"

#include <QtTest>

// Installs this build into a temporary prefix and starts, validates and packages what it got.
class InstallTest : public QObject
{
    Q_OBJECT
    QTemporaryDir tmp;
    QString prefix = tmp.path() + "/prefix", out;
    QString at(QString s) const
    {
        return s.replace("%p", prefix).replace("%r", QUORVEX_RUNTIME_DIR).replace("%t", tmp.path());
    }
    // Runs a tool to its end: its exit code (-1 if it did not end normally), its output in out.
    int run(const QString &program, const QStringList &arguments)
    {
        QProcess process;
        process.setProcessChannelMode(QProcess::MergedChannels);
        process.start(program, arguments);
        const bool done = process.waitForFinished(300000);
        out = QString::fromUtf8(process.readAll());
        return done && process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    }

private slots:
    void initTestCase()
    {
        QVERIFY2(run(QUORVEX_CMAKE, {"--install", QUORVEX_BUILD_DIR, "--prefix", prefix}) == 0,
            qPrintable(out));
    }

    // program, working folder, XDG_STATE_HOME, where the data is found, where the log goes.
    void startsFromAnyFolder_data()
    {
        QTest::addColumn<QStringList>("row");
        const QString installed = "%p/bin/quorvex", data = "%p/share/quorvex";
        const QString state = "%t/state/quorvex/log";
        QTest::newRow("installed/unrelated folder")
            << QStringList {installed, "%t/work", "%t/state", data, state};
        QTest::newRow("installed/XDG_STATE_HOME empty")
            << QStringList {installed, "%t/work", "", data, "%t/home/.local/state/quorvex/log"};
        QTest::newRow("installed/its bin folder")
            << QStringList {installed, "%p/bin", "%t/state", data, state};
        QTest::newRow("run-time folder/itself")
            << QStringList {"%r/Quorvex", "%r", "%t/state", "%r", "%r/log"};
        QTest::newRow("run-time program/unrelated folder")
            << QStringList {"%r/Quorvex", "%t/work", "%t/state", "%r", state};
    }

    // Offscreen, it reaches its main window with the data of its row, logs where its row says,
    // and writes nothing into the folder it was started from (the run-time folder keeps ./log).
    void startsFromAnyFolder()
    {
        QFETCH(QStringList, row);
        const QString work = at(row[1]), logDir = at(row[4]);
        QVERIFY(QDir().mkpath(work) && QDir().mkpath(at("%t/home")));
        const auto listing = [&] {
            return QDir(work)
                .entryList(QDir::AllEntries | QDir::NoDotAndDotDot)
                .filter(QRegularExpression("^(?!log$)"));
        };
        const QStringList before = listing(), oldLogs = QDir(logDir).entryList(QDir::Files);
        QProcess quorvex;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("HOME", at("%t/home"));
        env.insert("XDG_STATE_HOME", at(row[2])); // empty counts as unset
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.insert("ASAN_OPTIONS", "detect_leaks=0"); // it is killed, not closed
        quorvex.setProcessEnvironment(env);
        quorvex.setWorkingDirectory(work);
        quorvex.start(at(row[0]), QStringList());
        QString logged; // its new log, up to the line it writes once its main window is up
        for (QDeadlineTimer t(60000); !logged.contains("main window shown") && !t.hasExpired();
             quorvex.waitForFinished(200)) {
            logged.clear();
            for (const QString &name : QDir(logDir).entryList(QDir::Files)) {
                QFile log(logDir + "/" + name);
                if (!oldLogs.contains(name) && log.open(QIODevice::ReadOnly))
                    for (const QByteArray &line : log.readAll().split('\n'))
                        logged += decryptText(line) + "\n";
            }
        }
        quorvex.kill(); // the window asks before closing
        quorvex.waitForFinished();
        const QString data = QFileInfo(at(row[3])).canonicalFilePath();
        QVERIFY2(logged.contains(QString("data from %1; templates from %1/template\n").arg(data)),
            qPrintable(logged + quorvex.readAllStandardError()));
        QCOMPARE(listing(), before);
    }

    void validators_data()
    {
        QTest::addColumn<QStringList>("command");
        QTest::newRow("desktop entry/desktop-file-validate") << QStringList {
            "desktop-file-validate", prefix + "/share/applications/com.tovask.Quorvex.desktop"};
        QTest::newRow("metainfo/appstreamcli") << QStringList {"appstreamcli", "validate",
            "--no-net", prefix + "/share/metainfo/com.tovask.Quorvex.metainfo.xml"};
    }

    void validators()
    {
        QFETCH(QStringList, command);
        if (QStandardPaths::findExecutable(command.first()).isEmpty())
            QSKIP("validator not installed");
        QVERIFY2(run(command.first(), command.mid(1)) == 0, qPrintable(out));
    }

    // The package holds exactly the files an install puts below its prefix, all below /usr, and
    // depends on the libraries the program loads.
    void package()
    {
        const QString dir = tmp.path() + "/package", deb = dir + "/quorvex_0.1_amd64.deb";
        QVERIFY2(run(QUORVEX_CPACK,
                     {"-G", "DEB", "-B", dir, "--config", QUORVEX_BUILD_DIR "/CPackConfig.cmake"})
                == 0,
            qPrintable(out));
        QCOMPARE(run("dpkg-deb", {"--contents", deb}), 0);
        QStringList packaged, installed;
        for (const QString &line : out.split('\n', Qt::SkipEmptyParts)) {
            const QString path = line.section(QRegularExpression(" +"), 5);
            QVERIFY2(path.startsWith("./usr/") || path == "./", qPrintable(path));
            if (!line.startsWith('d'))
                packaged << path.mid(5);
        }
        for (QDirIterator it(prefix, QDir::Files, QDirIterator::Subdirectories); it.hasNext();)
            installed << it.next().mid(prefix.size());
        packaged.sort();
        installed.sort();
        QCOMPARE(packaged, installed);
        QCOMPARE(run("dpkg-deb", {"-f", deb, "Depends"}), 0);
        for (const char *library :
            {"libc6", "libqt5widgets5", "libqt5svg5", "libopencc", "libxlsxwriter"})
            QVERIFY2(out.contains(library), qPrintable(out));
    }
};

QTEST_GUILESS_MAIN(InstallTest)
#include "tst_install.moc"
