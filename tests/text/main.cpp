#include <QCoreApplication>
#include <QDir>
#include <QtTest>

#include <functional>
#include <memory>
#include <vector>

#include "tests/support/JoinedReport.h"
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

    JoinedReport report(args);
    int status = 0;
    for (const auto &c : classes) {
        if (!only.isEmpty() && only != QLatin1String(c.first))
            continue;
        std::unique_ptr<QObject> test(c.second());
        status |= QTest::qExec(test.get(), report.arguments);
        report.collect();
    }
    return report.finish(status);
}
