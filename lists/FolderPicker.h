#pragma once

#include <QString>
#include <QStringList>

// Shows Pikvale's multi-select folder picker and returns the chosen folders in the picker's
// order; empty when the user cancels or the library cannot be used (then an "Error" box has
// told why). GUI thread only.
QStringList openFolderPicker(const QString &title);

// The file Pikvale is loaded from: next to the program, or in <prefix>/lib/quorvex for a program
// installed in <prefix>/bin, unless set otherwise (tools and tests that do not run from the
// run-time folder point it there).
QString pikvaleLibraryPath();
void setPikvaleLibraryPath(const QString &path);
