#pragma once

#include <QString>
#include <QStringList>

// Where the program's shipped files (converter data, templates, help page) are looked for, and
// where its log goes. The program runs from its build's run-time folder, from anywhere after an
// install (<prefix>/bin/quorvex with its data in <prefix>/share/quorvex), or from a folder that
// holds its data.
namespace DataFolders {

// The folder of the running program, links resolved; works before the application object exists.
QString programDir();

// <prefix>/share/quorvex for a program installed as <prefix>/bin/...; empty otherwise.
QString installedDataDir();

// The folders to look in, in order, each once: the working directory, the program's folder,
// then installedDataDir() when there is one.
QStringList searchFolders();

// The first of `folders` that holds every one of `files` (relative paths); empty when none does.
QString firstHolding(const QStringList &folders, const QStringList &files);

// True when the working directory is the program's own run-time folder (data beside the
// program), where the log stays in ./log/ as it always has.
bool runsFromRuntimeFolder();

// The user's state folder for the log: $XDG_STATE_HOME/quorvex/log when that is an absolute
// path, else ~/.local/state/quorvex/log (on Windows %LOCALAPPDATA%\Quorvex\log).
QString stateLogDir();

// "./log/" when running from the run-time folder, else stateLogDir(): never a log in whatever
// folder the program was started from.
QString logDir();

// The folders as message lines, one per line, with native separators.
QString describe(const QStringList &folders);

} // namespace DataFolders
