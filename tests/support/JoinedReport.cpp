#include "tests/support/JoinedReport.h"

#include <QFile>

JoinedReport::JoinedReport(const QStringList &args) : arguments(args)
{
    const int o = arguments.indexOf(QStringLiteral("-o"));
    if (o > 0 && o + 1 < arguments.size()) {
        report = arguments.at(o + 1).section(QLatin1Char(','), 0, 0);
        part = report + QStringLiteral(".part");
        arguments[o + 1] = part + arguments.at(o + 1).mid(report.size());
    }
    for (const QString &a : qAsConst(arguments))
        storage << a.toLocal8Bit();
    for (QByteArray &a : storage)
        pointers << a.data();
    pointers << nullptr;
}

void JoinedReport::collect()
{
    QFile written(part);
    if (report.isEmpty() || !written.open(QIODevice::ReadOnly))
        return;
    joined += written.readAll();
    written.close();
    written.remove();
    // Written after every class, so that a crash in a later one keeps the earlier reports.
    QFile all(report);
    saved = all.open(QIODevice::WriteOnly) && all.write(joined) == joined.size();
}

int JoinedReport::finish(int status)
{
    return report.isEmpty() || saved ? status : status | 1;
}
