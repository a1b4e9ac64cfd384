#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVector>

// A program of several test classes: Qt Test writes "-o file[,format]" afresh for each class.
// Each class writes a part instead, and the parts are joined into the file at the end.
class JoinedReport
{
public:
    explicit JoinedReport(const QStringList &arguments);

    // The arguments for each qExec, with the part in place of the report.
    QStringList arguments;
    int argc() const { return pointers.size() - 1; }
    char **argv() { return pointers.data(); }

    // After each qExec: adds its part to the report.
    void collect();
    // `status`, with 1 added when the report could not be written.
    int finish(int status);

private:
    QString report;
    QString part;
    QByteArray joined;
    bool saved = false;
    QList<QByteArray> storage;
    QVector<char *> pointers;
};
