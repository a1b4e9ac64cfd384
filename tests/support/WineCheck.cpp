#include "tests/support/WineCheck.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

WineCheck::WineCheck()
{
    compiler = QStandardPaths::findExecutable(QStringLiteral("x86_64-w64-mingw32-g++"));
    wine = QStandardPaths::findExecutable(QStringLiteral("wine64"));
    if (wine.isEmpty() && QFileInfo::exists(QStringLiteral("/usr/lib/wine/wine64")))
        wine = QStringLiteral("/usr/lib/wine/wine64");
    if (compiler.isEmpty() || wine.isEmpty())
        reason = QStringLiteral("MinGW cross-compiler or Wine not installed");
}

bool WineCheck::build(const QStringList &sources, QString *log)
{
    const QString source = QStringLiteral(QUORVEX_SOURCE_DIR);
    QStringList args = {"-std=c++17", "-municode", "-static", "-I", source};
    for (const QString &file : sources)
        args << source + QLatin1Char('/') + file;
    args << "-o" << work.filePath(QStringLiteral("check.exe"));
    QProcess build;
    build.setProcessChannelMode(QProcess::MergedChannels);
    build.start(compiler, args);
    const bool finished = build.waitForFinished(240000);
    *log = QString::fromLocal8Bit(build.readAll());
    return finished && build.exitStatus() == QProcess::NormalExit && build.exitCode() == 0;
}

QString WineCheck::makeFolder(const QString &name) const
{
    const QString path = work.filePath(name);
    QDir().mkpath(path);
    return path;
}

QString WineCheck::windowsPath(const QString &path)
{
    return QStringLiteral("Z:") + QDir::toNativeSeparators(path);
}

int WineCheck::run(const QStringList &args, QByteArray *output, const QProcessEnvironment &extra)
{
    QProcess run;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("WINEPREFIX"), work.filePath(QStringLiteral("prefix")));
    env.insert(QStringLiteral("WINEDEBUG"), QStringLiteral("-all"));
    env.insert(extra);
    run.setProcessEnvironment(env);
    run.start(wine, QStringList {work.filePath(QStringLiteral("check.exe"))} + args);
    const bool finished = run.waitForFinished(240000);
    *output = run.readAllStandardOutput();
    return finished && run.exitStatus() == QProcess::NormalExit ? run.exitCode() : -1;
}
