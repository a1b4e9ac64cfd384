#pragma once

#include <QByteArray>
#include <QProcessEnvironment>
#include <QStringList>
#include <QtTest>

// How a Linux tool ended: exitCode is -1 when it did not start, crashed or ran out of time, and
// error then says why.
struct ToolRun
{
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
    QString error;
    bool ok() const { return exitCode == 0; }
};

// Runs a Linux program of the checks (Debian's python3 with openpyxl, python-docx and zoneinfo,
// exiftool, openssl, opencc) and waits for it. A Windows test program under Wine can start one
// but gets no handle to wait on: there the request goes through the spool folder named by
// QUORVEX_TOOL_SPOOL to tests/support/linux-tool-runner (started by scripts/test-windows), and
// arguments, working folder and extra variables on Wine's drive of the Unix root ("Z:/..." or
// "Z:\...") are handed over as the Unix paths they are.
ToolRun runLinuxTool(const QString &program, const QStringList &args, const QByteArray &input = {},
    const QProcessEnvironment &extra = {}, const QString &workDir = {}, int timeoutMs = 120000);

// Checks that still start Linux programs themselves (QProcess) and wait for them.
#ifdef Q_OS_WIN
#define SKIP_WITHOUT_LINUX_TOOLS()                                                                 \
    QSKIP("starts a Linux program, which a Windows program under Wine cannot wait for")
#else
#define SKIP_WITHOUT_LINUX_TOOLS()                                                                 \
    do {                                                                                           \
    } while (false)
#endif
