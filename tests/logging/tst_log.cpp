#include "tst_logging.h"

#include "OpensslRunner.h"
#include "logging/LogMessageHandler.h"
#include "tests/support/LinuxTools.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QThread>
#include <QtConcurrent>
#include <QtTest>

#include <algorithm>

namespace {

const QDateTime fixedStart(QDate(2026, 12, 8), QTime(9, 8, 42));

QString keyHex()
{
    return QString::fromLatin1(QByteArray("rbtowna##K#3094X").toHex());
}

// A working directory of its own with the log open in it and the handler installed.
class LogSession
{
public:
    explicit LogSession(bool open = true)
    {
        previousDir = QDir::currentPath();
        QDir::setCurrent(dir.path());
        if (open)
            opened = openLogFile(fixedStart);
        previousHandler = qInstallMessageHandler(logMessageHandler);
    }
    ~LogSession()
    {
        qInstallMessageHandler(previousHandler);
        logFile.close();
        QDir::setCurrent(previousDir);
    }

    QString expectedPath() const
    {
        return QDir(dir.path()).absoluteFilePath(QStringLiteral("log/2026-12-08-09-08-42-log.txt"));
    }
    QByteArray content() const
    {
        QFile file(expectedPath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    QStringList lines() const
    {
        QStringList result = QString::fromLatin1(content()).split(QLatin1Char('\n'));
        if (!result.isEmpty() && result.last().isEmpty())
            result.removeLast();
        return result;
    }

    QTemporaryDir dir;
    QString previousDir;
    QtMessageHandler previousHandler = nullptr;
    bool opened = false;
};

QString opensslDecipher(const QString &line, bool *ok)
{
    const QByteArray plain = runOpensslEnc(
        {"-d", "-aes-128-ecb", "-K", keyHex(), "-a", "-A"}, line.toLatin1() + "\n", ok);
    return QString::fromUtf8(plain);
}

// What the reader prints for a message: line breaks shown as "\n".
QString oneLine(QString text)
{
    return text.replace(QLatin1String("\r\n"), QLatin1String("\\n"))
        .replace(QLatin1Char('\n'), QLatin1String("\\n"))
        .replace(QLatin1Char('\r'), QLatin1String("\\r"));
}

QStringList runReader(const QString &path, int *exitCode)
{
    QProcess reader;
    reader.start(QStringLiteral(QUORVEX_LOGREADER), {path});
    if (!reader.waitForFinished(60000)) {
        *exitCode = -1;
        return {};
    }
    *exitCode = reader.exitStatus() == QProcess::NormalExit ? reader.exitCode() : -1;
    // a Windows console program ends its lines with "\r\n"
    QStringList lines = QString::fromUtf8(reader.readAllStandardOutput().replace("\r\n", "\n"))
                            .split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

// Every line of the log deciphers with openssl to what the reader prints for it.
// Returns the deciphered texts.
QStringList checkReadsTheSame(const QString &path, int minLines)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        QTest::qFail(qPrintable("log file missing: " + path), __FILE__, __LINE__);
        return {};
    }
    const QByteArray content = file.readAll();
    QStringList lines = QString::fromLatin1(content).split(QLatin1Char('\n'));
    lines.removeLast(); // after the final line feed
    if (!content.endsWith('\n') || content.contains('\r') || lines.size() < minLines) {
        QTest::qFail(
            qPrintable(
                QStringLiteral("%1 lines, or not ended by a bare line feed").arg(lines.size())),
            __FILE__, __LINE__);
        return {};
    }

    int exitCode = 0;
    const QStringList printed = runReader(path, &exitCode);
    if (exitCode != 0 || printed.size() != lines.size()) {
        QTest::qFail(qPrintable(QStringLiteral("reader: exit %1, %2 lines for %3")
                                    .arg(exitCode)
                                    .arg(printed.size())
                                    .arg(lines.size())),
            __FILE__, __LINE__);
        return {};
    }

    // All lines through one openssl run (a log can hold thousands): the cipher blocks of every
    // line in a row, deciphered without padding, then split and unpadded here.
    QByteArray blocks;
    QVector<int> sizes;
    for (const QString &line : lines) {
        const auto decoded = QByteArray::fromBase64Encoding(
            line.toLatin1(), QByteArray::AbortOnBase64DecodingErrors);
        const QByteArray cipher = decoded.decoded;
        if (!decoded || cipher.isEmpty() || cipher.size() % 16) {
            QTest::qFail(qPrintable("not Base64 of whole blocks: " + line), __FILE__, __LINE__);
            return {};
        }
        blocks += cipher;
        sizes << cipher.size();
    }
    bool ok = false;
    const QByteArray plain
        = runOpensslEnc({"-d", "-aes-128-ecb", "-nopad", "-K", keyHex()}, blocks, &ok);
    if (!ok || plain.size() != blocks.size()) {
        QTest::qFail("openssl enc -d failed", __FILE__, __LINE__);
        return {};
    }

    QStringList texts;
    int at = 0;
    for (int i = 0; i < lines.size(); ++i) {
        const QByteArray padded = plain.mid(at, sizes.at(i));
        at += sizes.at(i);
        const int pad = quint8(padded.back());
        const bool padOk = pad >= 1 && pad <= 16 && padded.endsWith(QByteArray(pad, char(pad)));
        const QString text = QString::fromUtf8(padded.left(padded.size() - pad));
        if (!padOk || printed.at(i) != oneLine(text)) {
            QTest::qFail(qPrintable(QStringLiteral("line %1: openssl \"%2\", reader \"%3\"")
                                        .arg(i + 1)
                                        .arg(text, printed.at(i))),
                __FILE__, __LINE__);
            return {};
        }
        texts << text;
    }
    // And the first lines one by one, with openssl's own padding and Base64 reading.
    for (int i = 0; i < qMin(3, lines.size()); ++i) {
        if (opensslDecipher(lines.at(i), &ok) != texts.at(i) || !ok) {
            QTest::qFail(
                qPrintable(QStringLiteral("line %1 alone").arg(i + 1)), __FILE__, __LINE__);
            return {};
        }
    }
    return texts;
}

QString logIn(const QString &workDir)
{
    const QStringList logs = QDir(workDir + "/log").entryList({"*-log.txt"}, QDir::Files);
    return logs.size() == 1 ? workDir + "/log/" + logs.first() : QString();
}

} // namespace

void TestLogging::handlerWritesOneLine_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("lineLength");
    QTest::addColumn<QString>("text");

    QTest::newRow("warning/x") << int(QtWarningMsg) << "x" << 24 << "Warning: x";
    QTest::newRow("debug/16 bytes take a block of padding")
        << int(QtDebugMsg) << "123456789" << 44 << "Debug: 123456789";
    QTest::newRow("critical/prefix")
        << int(QtCriticalMsg) << "disk full" << 44 << "Critical: disk full";
    QTest::newRow("info/the empty text") << int(QtInfoMsg) << "not written" << 24 << "";
    QTest::newRow("warning/chinese survives")
        << int(QtWarningMsg) << QString::fromUtf8("文件重命名失败") << 44
        << QString::fromUtf8("Warning: 文件重命名失败");
    QTest::newRow("debug/32 bytes give 64 characters")
        << int(QtDebugMsg) << QString(25, QLatin1Char('m')) << 64
        << "Debug: " + QString(25, QLatin1Char('m'));
    QTest::newRow("warning/percent signs stay")
        << int(QtWarningMsg) << "100% %1 done" << 44 << "Warning: 100% %1 done";
}

void TestLogging::handlerWritesOneLine()
{
    QFETCH(int, type);
    QFETCH(QString, message);
    QFETCH(int, lineLength);
    QFETCH(QString, text);

    LogSession session;
    QVERIFY(session.opened);
    const QByteArray utf8 = message.toUtf8();
    switch (type) {
    case QtDebugMsg:
        qDebug("%s", utf8.constData());
        break;
    case QtWarningMsg:
        qWarning("%s", utf8.constData());
        break;
    case QtCriticalMsg:
        qCritical("%s", utf8.constData());
        break;
    default:
        qInfo("%s", utf8.constData());
        break;
    }

    QVERIFY(session.content().endsWith('\n'));
    const QStringList lines = session.lines();
    QCOMPARE(lines.size(), 1);
    const QString line = lines.first();
    QCOMPARE(line.size(), lineLength);
    QVERIFY(QRegularExpression("^[A-Za-z0-9+/]+={0,2}$").match(line).hasMatch());
    QCOMPARE(decryptText(line), text);

    // The same line from an independent implementation, with its own padding.
    bool ok = false;
    const QByteArray expected
        = runOpensslEnc({"-aes-128-ecb", "-K", keyHex(), "-a", "-A"}, text.toUtf8(), &ok);
    QVERIFY(ok);
    QCOMPARE(line, QString::fromLatin1(expected.trimmed()));
}

void TestLogging::roundTrip_data()
{
    QTest::addColumn<QString>("text");

    QTest::newRow("empty") << QString();
    QTest::newRow("ascii/one byte") << "a";
    QTest::newRow("ascii/15 bytes") << QString(15, QLatin1Char('o'));
    QTest::newRow("ascii/16 bytes") << QString(16, QLatin1Char('s'));
    QTest::newRow("chinese/path") << QString::fromUtf8("Warning: D:/照片/二〇二六年/旅行.jpg");
    QTest::newRow("emoji/outside the basic plane") << QString::fromUtf8("Debug: 😀 done");
    QTest::newRow("line breaks inside") << "Debug: first\nsecond\r\nthird";
    QTest::newRow("long/5000 characters") << QString(5000, QChar(0x6587));
}

void TestLogging::roundTrip()
{
    QFETCH(QString, text);
    const QString line = encryptText(text);
    const int n = text.toUtf8().size();
    const int cipherBytes = 16 * (n / 16 + 1);
    QCOMPARE(line.size(), 4 * ((cipherBytes + 2) / 3));
    QVERIFY(!line.contains(QLatin1Char('\n')));
    QCOMPARE(decryptText(line), text);
    QString strict;
    QVERIFY(decryptLogLine(line, &strict));
    QCOMPARE(strict, text);
}

void TestLogging::damagedLines_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<bool>("partialBlocks");

    const QString a = encryptText("Debug: the first message of a thread");
    const QString b = encryptText("Warning: the second one");
    QTest::newRow("empty line") << QString() << true;
    QTest::newRow("not whole blocks/10 bytes")
        << QString::fromLatin1(QByteArray(10, 'z').toBase64()) << true;
    QTest::newRow("not whole blocks/17 bytes")
        << QString::fromLatin1(QByteArray(17, 'z').toBase64()) << true;
    QTest::newRow("cut short") << a.left(a.size() - 4) << true;
    QTest::newRow("not base64") << "@@@@ this is not a log line @@@@" << true;
    QTest::newRow("interleaved/one line inside another") << a.left(10) + b + a.mid(10) << false;
    QTest::newRow("interleaved/two lines glued") << b + a << false;
}

void TestLogging::damagedLines()
{
    QFETCH(QString, line);
    QFETCH(bool, partialBlocks);
    // A line that is not whole blocks reads as the empty text; the strict reading tells any
    // broken line from the line of an empty message.
    if (partialBlocks)
        QCOMPARE(decryptText(line), QString());
    QString text = "unchanged";
    QVERIFY(!decryptLogLine(line, &text));
    QVERIFY(text.isEmpty());
}

void TestLogging::readerMarksDamagedLines_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QStringList>("printed");
    QTest::addColumn<int>("exitCode");

    const QByteArray warning = encryptText("Warning: x").toLatin1();
    const QByteArray chinese = encryptText(QString::fromUtf8("Debug: 批量改名\n第二行")).toLatin1();
    const QByteArray empty = encryptText(QString()).toLatin1();
    QTest::newRow("whole log") << warning + "\n" + chinese + "\n" + empty
            + "\n" << QStringList {"Warning: x", QString::fromUtf8("Debug: 批量改名\\n第二行"), ""}
                               << 0;
    QTest::newRow("last line without line feed")
        << warning + "\n" + warning << QStringList {"Warning: x", "Warning: x"} << 0;
    QTest::newRow("empty file") << QByteArray() << QStringList() << 0;
    QTest::newRow("damaged line in the middle")
        << warning + "\n" + warning.left(10) + chinese + "\n" + empty + "\n"
        << QStringList {"Warning: x", "[line 2: cannot be deciphered]", ""} << 1;
    QTest::newRow("windows line ends") << warning + "\r\n" + empty + "\r\n"
                                       << QStringList {"Warning: x", ""} << 0;
}

void TestLogging::readerMarksDamagedLines()
{
    QFETCH(QByteArray, content);
    QFETCH(QStringList, printed);
    QFETCH(int, exitCode);

    QTemporaryDir dir;
    const QString path = dir.filePath("2026-12-08-09-08-42-log.txt");
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
    file.close();

    int status = -1;
    QCOMPARE(runReader(path, &status), printed);
    QCOMPARE(status, exitCode);
    QCOMPARE((runReader(dir.filePath("missing.txt"), &status), status), 2);
}

void TestLogging::concurrentThreadsNeverBreakALine()
{
    LogSession session;
    QVERIFY(session.opened);

    const int threads = 6;
    const int perThread = 150;
    auto message = [](int t, int i) {
        // Lengths from one to many blocks, so writes of different sizes overlap.
        return QStringLiteral("thread %1 message %2 ").arg(t).arg(i)
            + QString(1 + (i % 9) * 45, t % 2 ? QChar(0x5b57) : QLatin1Char('x'));
    };

    QVector<QThread *> workers;
    for (int t = 0; t < threads; ++t) {
        workers << QThread::create([t, &message] {
            for (int i = 0; i < perThread; ++i)
                qDebug("%s", qUtf8Printable(message(t, i)));
        });
    }
    for (QThread *w : workers)
        w->start();
    // The thread-pool workers of the exports log as well.
    QVector<int> poolItems(perThread);
    std::iota(poolItems.begin(), poolItems.end(), 0);
    QtConcurrent::blockingMap(
        poolItems, [&message](int i) { qWarning("%s", qUtf8Printable(message(threads, i))); });
    for (QThread *w : workers) {
        QVERIFY(w->wait(120000));
        delete w;
    }

    QStringList expected;
    for (int t = 0; t < threads; ++t) {
        for (int i = 0; i < perThread; ++i)
            expected << "Debug: " + message(t, i);
    }
    for (int i = 0; i < perThread; ++i)
        expected << "Warning: " + message(threads, i);

    const QStringList lines = session.lines();
    QCOMPARE(lines.size(), expected.size());
    QStringList texts;
    for (int i = 0; i < lines.size(); ++i) {
        QString text;
        QVERIFY2(decryptLogLine(lines.at(i), &text), qPrintable(QString("line %1").arg(i + 1)));
        texts << text;
    }
    std::sort(texts.begin(), texts.end());
    std::sort(expected.begin(), expected.end());
    QCOMPARE(texts, expected);
}

void TestLogging::missingFolderIsCreated()
{
    LogSession session(false);
    QVERIFY(!QFileInfo::exists("log"));
    QVERIFY(openLogFile(fixedStart));
    QVERIFY(QFileInfo("log").isDir());
    QCOMPARE(logFile.fileName(), session.expectedPath());
    QVERIFY(QFileInfo::exists(session.expectedPath()));
    QCOMPARE(QFileInfo(logFile.fileName()).fileName(), "2026-12-08-09-08-42-log.txt");
}

void TestLogging::sameSecondAppends()
{
    LogSession session;
    QVERIFY(session.opened);
    qWarning("first start");
    QVERIFY(openLogFile(fixedStart)); // a second start within the same second
    qWarning("second start");
    const QStringList lines = session.lines();
    QCOMPARE(lines.size(), 2);
    QCOMPARE(decryptText(lines.at(0)), "Warning: first start");
    QCOMPARE(decryptText(lines.at(1)), "Warning: second start");
}

void TestLogging::unopenableLogKeepsRunning_data()
{
    QTest::addColumn<QString>("blocker");
    QTest::newRow("log is a file") << "log";
    QTest::newRow("log file name is a folder") << "log/2026-12-08-09-08-42-log.txt/";
}

void TestLogging::unopenableLogKeepsRunning()
{
    QFETCH(QString, blocker);
    LogSession session(false);
    if (blocker.endsWith('/')) {
        QVERIFY(QDir().mkpath(blocker));
    } else {
        QFile file(blocker);
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    QVERIFY(!openLogFile(fixedStart));
    // The handler must neither write to the closed device nor stop the program.
    qWarning("nowhere to go");
    qDebug("still nowhere");
    QVERIFY(!logFile.isOpen());
    QVERIFY(!QFileInfo(session.expectedPath()).isFile());
}

void TestLogging::fatalAbortsWithoutWriting()
{
    QTemporaryDir dir;
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QUORVEX_LOG_CHILD", "fatal");
    child.setProcessEnvironment(env);
    child.setWorkingDirectory(dir.path());
    child.start(QCoreApplication::applicationFilePath(), QStringList());
    QVERIFY(child.waitForFinished(60000));
#ifdef Q_OS_WIN
    QCOMPARE(child.exitCode(), 3); // abort()'s exit there, which QProcess counts as normal
#else
    QCOMPARE(child.exitStatus(), QProcess::CrashExit);
#endif

    const QString path = logIn(dir.path());
    QVERIFY(!path.isEmpty());
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = file.readAll().split('\n');
    QCOMPARE(lines.size(), 2); // one line and the empty rest after its line feed
    QCOMPARE(decryptText(QString::fromLatin1(lines.first())), "Warning: before the fatal one");
}

// A start the way the program starts (handler, log folder, application object, pool
// workers, exit) in a fresh working directory: openssl and the reader agree on every line.
void TestLogging::startupLogReadsTheSameEverywhere()
{
    QTemporaryDir dir;
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QUORVEX_LOG_CHILD", "startup");
    env.insert("QT_QPA_PLATFORM", "offscreen");
    child.setProcessEnvironment(env);
    child.setWorkingDirectory(dir.path());
    child.start(QCoreApplication::applicationFilePath(), QStringList());
    QVERIFY(child.waitForFinished(60000));
    QCOMPARE(child.exitStatus(), QProcess::NormalExit);
    QCOMPARE(child.exitCode(), 0);

    const QString path = logIn(dir.path());
    QVERIFY2(!path.isEmpty(), "no log file below ./log/");
    QVERIFY(QRegularExpression("/log/\\d{4}-\\d\\d-\\d\\d-\\d\\d-\\d\\d-\\d\\d-log\\.txt$")
                .match(path)
                .hasMatch());
    const QStringList texts = checkReadsTheSame(path, 1);
    if (QTest::currentTestFailed())
        return;

    // In the order they were raised on the main thread; Qt may add messages of its own.
    const QStringList inOrder {QString::fromUtf8("Debug: 启动，工作目录 ") + dir.path(),
        QString::fromUtf8("Warning: 无法读取 C:\\Users\\测试\\清单.xlsx"),
        "Critical: 3 of 5 failed", QString(), "Debug: two\nlines"};
    int from = 0;
    for (const QString &text : inOrder) {
        const int at = texts.indexOf(text, from);
        QVERIFY2(at >= 0, qPrintable("missing or out of order: " + text));
        from = at + 1;
    }
    for (int i = 0; i < 40; ++i)
        QCOMPARE(texts.count(QStringLiteral("Warning: worker %1 wrote its export").arg(i)), 1);
}

// The built program itself, started offscreen in a fresh working directory that holds the
// run-time folder's data: its log folder appears in the state folder, not there, and every line
// of its log deciphers with openssl to what the reader prints.
void TestLogging::programLogReadsTheSameEverywhere()
{
#ifdef Q_OS_WIN
    QSKIP("links the run-time folder's data in: QFile::link makes Windows shortcuts, which no "
          "program opens as the file they name");
#endif
    const QString runtime = QStringLiteral(QUORVEX_RUNTIME_DIR);
    const QString programPath = runtime + "/Quorvex";
    QVERIFY(QFileInfo(programPath).isExecutable());

    QTemporaryDir dir;
    const QFileInfoList entries
        = QDir(runtime).entryInfoList(QDir::NoDotAndDotDot | QDir::AllEntries | QDir::System);
    for (const QFileInfo &entry : entries) {
        if (entry.fileName() != "log" && entry.fileName() != "Quorvex")
            QVERIFY(QFile::link(entry.absoluteFilePath(), dir.filePath(entry.fileName())));
    }
    QVERIFY(!QFileInfo::exists(dir.filePath("log")));

    QProcess program;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir state;
    env.insert("XDG_STATE_HOME", state.path());
    const QString logDir = state.path() + "/quorvex";
    // Qt's own debug output gives the log something to hold from the first moments on.
    env.insert("QT_LOGGING_RULES", "qt.*.debug=true");
    program.setProcessEnvironment(env);
    program.setWorkingDirectory(dir.path());
    program.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    program.start(programPath, QStringList());
    QVERIFY(program.waitForStarted(30000));

    // Let it start up until its log stops growing, then end it.
    QElapsedTimer elapsed;
    elapsed.start();
    qint64 lastSize = -1;
    QElapsedTimer steady;
    steady.start();
    while (elapsed.elapsed() < 60000 && program.state() == QProcess::Running) {
        program.waitForFinished(250);
        const QString path = logIn(logDir);
        const qint64 size = path.isEmpty() ? 0 : QFileInfo(path).size();
        if (size != lastSize) {
            lastSize = size;
            steady.restart();
        } else if (size > 0 && steady.elapsed() > 2000) {
            break;
        }
    }
    if (program.state() == QProcess::Running) {
        program.terminate();
        if (!program.waitForFinished(10000)) {
            program.kill();
            program.waitForFinished(10000);
        }
    }

    QVERIFY(!QFileInfo::exists(dir.filePath("log")));
    const QString path = logIn(logDir);
    QVERIFY2(!path.isEmpty(), "no log file below ./log/");
    QVERIFY(QRegularExpression("/log/\\d{4}-\\d\\d-\\d\\d-\\d\\d-\\d\\d-\\d\\d-log\\.txt$")
                .match(path)
                .hasMatch());
    const QStringList texts = checkReadsTheSame(path, 1);
    if (QTest::currentTestFailed())
        return;
    const QRegularExpression prefixed("^(Debug|Warning|Critical): ");
    for (const QString &text : texts)
        QVERIFY2(text.isEmpty() || prefixed.match(text).hasMatch(), qPrintable(text));
}

int runLogChild(const QByteArray &mode, int argc, char **argv)
{
    qInstallMessageHandler(logMessageHandler);
    QCoreApplication::setAttribute(Qt::AA_DontCreateNativeWidgetSiblings);
    openLogFile();
    if (mode == "fatal") {
        qWarning("before the fatal one");
        qFatal("the fatal one");
        return 0;
    }
    QApplication app(argc, argv);
    qDebug("%s", qUtf8Printable(QString::fromUtf8("启动，工作目录 ") + QDir::currentPath()));
    qWarning("%s", "无法读取 C:\\Users\\测试\\清单.xlsx");
    qCritical("%d of %d failed", 3, 5);
    qInfo("information messages write the empty text");
    qDebug("two\nlines");
    QVector<int> items(40);
    std::iota(items.begin(), items.end(), 0);
    QtConcurrent::blockingMap(items, [](int i) { qWarning("worker %d wrote its export", i); });
    return 0;
}
