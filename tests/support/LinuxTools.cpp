#include "tests/support/LinuxTools.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QThread>
#include <QUuid>

namespace {

#ifdef Q_OS_WIN
// The one place where Wine's drive of the Unix root becomes the Unix path it is.
QString unixPath(const QString &text)
{
    if (text.size() >= 3 && text.at(0).toUpper() == QLatin1Char('Z') && text.at(1) == ':'
        && (text.at(2) == '/' || text.at(2) == '\\'))
        return text.mid(2).replace(QLatin1Char('\\'), QLatin1Char('/'));
    return text;
}

// Writes elsewhere, then renames: the runner never reads half a request. Wine now and then
// fails a rename just after the close ("File not found"); a moment later it goes through.
QString writeAtomically(const QString &path, const QByteArray &bytes)
{
    QFile file(path + QStringLiteral(".tmp"));
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.flush())
        return file.errorString();
    file.close();
    for (int attempt = 0; !file.rename(path); ++attempt) {
        if (attempt == 20)
            return file.errorString();
        QThread::msleep(10);
    }
    return QString();
}

ToolRun throughRunner(const QString &program, const QStringList &args, const QByteArray &input,
    const QProcessEnvironment &extra, const QString &workDir, int timeoutMs)
{
    ToolRun run;
    const auto fail = [&run](const QString &why) {
        run.error = why;
        return run;
    };
    const QString spool = qEnvironmentVariable("QUORVEX_TOOL_SPOOL");
    if (spool.isEmpty() || !QFileInfo::exists(spool + QStringLiteral("/runner.pid")))
        return fail(QStringLiteral("no Linux tool runner: scripts/test-windows starts one and "
                                   "names its spool folder in QUORVEX_TOOL_SPOOL"));
    QJsonArray arguments;
    for (const QString &arg : args)
        arguments.append(unixPath(arg));
    QJsonObject environment;
    for (const QString &name : extra.keys())
        environment.insert(name, unixPath(extra.value(name)));
    const QJsonObject request {{"program", unixPath(program)}, {"args", arguments},
        {"env", environment}, {"cwd", unixPath(workDir)},
        {"stdin", QString::fromLatin1(input.toBase64())}, {"timeout", timeoutMs / 1000.0}};
    const QString base = spool + '/' + QUuid::createUuid().toString(QUuid::WithoutBraces);
    const QString failed = writeAtomically(base + ".req", QJsonDocument(request).toJson());
    if (!failed.isEmpty())
        return fail(QStringLiteral("cannot write the request into %1: %2").arg(spool, failed));
    // The runner renames a request it takes; after the tool's own time it kills the tool.
    QElapsedTimer waited;
    waited.start();
    QFile answer(base + QStringLiteral(".out"));
    while (!answer.exists()) {
        if (QFileInfo::exists(base + QStringLiteral(".req")) && waited.elapsed() > 15000) {
            QFile::remove(base + QStringLiteral(".req"));
            return fail(QStringLiteral("the Linux tool runner took no request for 15 s"));
        }
        if (waited.elapsed() > timeoutMs + 15000)
            return fail(QStringLiteral("the Linux tool runner gave no answer in time"));
        QThread::msleep(5);
    }
    if (!answer.open(QIODevice::ReadOnly))
        return fail(QStringLiteral("cannot read the answer of the Linux tool runner"));
    const QJsonObject reply = QJsonDocument::fromJson(answer.readAll()).object();
    answer.remove();
    run.exitCode = reply.value("code").toInt(-1);
    run.out = QByteArray::fromBase64(reply.value("out").toString().toLatin1());
    run.err = QByteArray::fromBase64(reply.value("err").toString().toLatin1());
    run.error = reply.value("error").toString();
    return run;
}
#endif

} // namespace

ToolRun runLinuxTool(const QString &program, const QStringList &args, const QByteArray &input,
    const QProcessEnvironment &extra, const QString &workDir, int timeoutMs)
{
#ifdef Q_OS_WIN
    return throughRunner(program, args, input, extra, workDir, timeoutMs);
#else
    ToolRun run;
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(extra);
    process.setProcessEnvironment(env);
    process.setWorkingDirectory(workDir);
    process.start(program, args);
    if (process.waitForStarted(30000)) {
        process.write(input);
        process.closeWriteChannel();
        if (process.waitForFinished(timeoutMs) && process.exitStatus() == QProcess::NormalExit)
            run.exitCode = process.exitCode();
    }
    process.kill(); // one that ran out of time
    process.waitForFinished(10000);
    if (run.exitCode == -1)
        run.error = program + QStringLiteral(": ") + process.errorString();
    run.out = process.readAllStandardOutput();
    run.err = process.readAllStandardError();
    return run;
#endif
}
