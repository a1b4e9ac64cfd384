#pragma once

#include <QString>
#include <QStringList>

// Qt's own folder dialog, set up so that several folders can be chosen at once. Returns them in
// the order the dialog reports them; empty when cancelled or when there is no QApplication.
QStringList showFolderDialog(const QString &title, const QString &startFolder);
