#include <QCoreApplication>
#include <QDir>
#include <QtTest>

#include <functional>
#include <memory>
#include <vector>

#include "tests/text/TextTests.h"

// Several test classes share one program; each runs in turn and any failure fails the whole.
// "tst_text StartupTest [Qt Test options]" runs one class only.
int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    // The converters read ./s2t.json and ./t2s.json, which the build lays out here.
    QDir::setCurrent(QStringLiteral(QUORVEX_RUNTIME_DIR));

    const std::vector<std::pair<const char *, std::function<QObject *()>>> classes = {
        {"SequenceTest", [] { return new SequenceTest; }},
        {"CaseTest", [] { return new CaseTest; }},
        {"PinyinTest", [] { return new PinyinTest; }},
        {"ScriptConversionTest", [] { return new ScriptConversionTest; }},
        {"StartupTest", [] { return new StartupTest; }},
    };
    QStringList args = app.arguments();
    QString only;
    if (args.size() > 1 && std::any_of(classes.begin(), classes.end(), [&](const auto &c) {
            return args.at(1) == QLatin1String(c.first);
        }))
        only = args.takeAt(1);

    // Each class would write "-o file[,format]" afresh: each writes a part, joined after.
    const int o = args.indexOf(QStringLiteral("-o"));
    const QString report
        = o > 0 && o + 1 < args.size() ? args.at(o + 1).section(',', 0, 0) : QString();
    const QString part = report + QStringLiteral(".part");
    if (!report.isEmpty())
        args[o + 1] = part + args.at(o + 1).mid(report.size());
    QByteArray joined;
    int status = 0;
    for (const auto &c : classes) {
        if (!only.isEmpty() && only != QLatin1String(c.first))
            continue;
        std::unique_ptr<QObject> test(c.second());
        status |= QTest::qExec(test.get(), args);
        QFile written(part);
        if (!report.isEmpty() && written.open(QIODevice::ReadOnly)) {
            joined += written.readAll();
            written.close();
            written.remove();
        }
    }
    QFile all(report);
    if (!report.isEmpty()
        && !(all.open(QIODevice::WriteOnly) && all.write(joined) == joined.size()))
        status |= 1;
    return status;
}
