// Pikvale's Windows side, cross-compiled and run under Wine where both are installed.
#include "tests/lists/ListTests.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QByteArray runTool(const QString &program, const QStringList &arguments,
    const QProcessEnvironment &env = QProcessEnvironment::systemEnvironment(), int *code = nullptr)
{
    QProcess process;
    process.setProcessEnvironment(env);
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    if (!process.waitForFinished(240000)) {
        process.kill();
        process.waitForFinished();
    }
    if (code)
        *code = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    return process.readAll();
}

} // namespace

class TestPikvaleWindows : public QObject
{
    Q_OBJECT

private slots:
    void exportsAndEmptyAnswerUnderWine()
    {
        const QString compiler = QStandardPaths::findExecutable("x86_64-w64-mingw32-g++");
        const QString objdump = QStandardPaths::findExecutable("x86_64-w64-mingw32-objdump");
        if (compiler.isEmpty() || objdump.isEmpty())
            QSKIP("MinGW cross-compiler not installed");
        QTemporaryDir work;
        const QString source = QStringLiteral(QUORVEX_SOURCE_DIR);
        const QString dll = work.filePath("Pikvale.dll");
        int code = 0;
        QByteArray out = runTool(compiler,
            {"-std=c++17", "-shared", "-static", "-O2", "-Wall", "-I", source,
                source + "/picker/Pikvale_win.cpp", "-o", dll, "-lole32", "-lshell32", "-luuid"},
            QProcessEnvironment::systemEnvironment(), &code);
        QVERIFY2(code == 0, out.constData());

        // Exactly the two plain, undecorated names.
        out = runTool(objdump, {"-p", dll});
        const int table = out.indexOf("[Ordinal/Name Pointer] Table");
        QVERIFY(table >= 0);
        QStringList names;
        for (const QByteArray &line : out.mid(table).split('\n').mid(1)) {
            const QByteArray name = line.mid(line.indexOf(']') + 1).trimmed();
            if (name.isEmpty())
                break;
            names.append(QString::fromLatin1(name));
        }
        QCOMPARE(names, QStringList({"Pikvale", "PikvaleFailure", "PikvaleRelease"}));

        QString wine = QStandardPaths::findExecutable("wine64");
        if (wine.isEmpty() && QFileInfo::exists("/usr/lib/wine/wine64"))
            wine = "/usr/lib/wine/wine64";
        if (wine.isEmpty())
            QSKIP("Wine not installed; the library was only built");
        const QString check = work.filePath("check.exe");
        out = runTool(compiler,
            {"-std=c++17", "-static", "-O2", source + "/tests/lists/win/pikvale_check.cpp", "-o",
                check},
            QProcessEnvironment::systemEnvironment(), &code);
        QVERIFY2(code == 0, out.constData());
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("WINEPREFIX", work.filePath("prefix"));
        env.insert("WINEDEBUG", "-all");
        env.remove("DISPLAY");
        env.remove("WAYLAND_DISPLAY");
        QProcess run;
        run.setProcessEnvironment(env);
        run.setWorkingDirectory(work.path());
        run.start(wine, {check});
        QVERIFY(run.waitForFinished(240000));
        const QByteArray output = run.readAllStandardOutput();
        QVERIFY2(run.exitCode() == 0, output.constData());
        QVERIFY2(output.contains("answer=[]"), output.constData());
    }
};

REGISTER_LIST_TEST(TestPikvaleWindows)
#include "test_windows.moc"
