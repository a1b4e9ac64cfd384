#pragma once

#include <QByteArray>
#include <QProcessEnvironment>
#include <QStringList>
#include <QTemporaryDir>

// A Windows check program of the tests' own: cross-built with MinGW from sources of this tree and
// run under Wine, in a prefix and a work folder of its own.
class WineCheck
{
public:
    WineCheck();

    // Without MinGW or Wine there is nothing to run; why, for QSKIP.
    bool isAvailable() const { return reason.isEmpty(); }
    QString skipReason() const { return reason; }

    // Builds the sources (paths below the source tree) into the check program; false with the
    // compiler's output in log when it fails.
    bool build(const QStringList &sources, QString *log);
    // A new folder in the work folder, and the same folder as the program sees it.
    QString makeFolder(const QString &name) const;
    static QString windowsPath(const QString &path);
    // Runs the program with args (and extra environment); its exit code, its output in output.
    int run(const QStringList &args, QByteArray *output,
        const QProcessEnvironment &extra = QProcessEnvironment());

private:
    QTemporaryDir work;
    QString compiler;
    QString wine;
    QString reason;
};
