#include "picker/FolderDialog.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QListView>
#include <QTreeView>

QStringList showFolderDialog(const QString &title, const QString &startFolder)
{
    // Widgets need the host's application object; without one there is nothing to show.
    if (!qobject_cast<QApplication *>(QCoreApplication::instance()))
        return {};
    QFileDialog dialog(nullptr, title, startFolder);
    dialog.setFileMode(QFileDialog::Directory);
    // Only Qt's own dialog lets several folders be selected at once.
    dialog.setOptions(QFileDialog::ShowDirsOnly | QFileDialog::DontUseNativeDialog);
    if (auto *list = dialog.findChild<QListView *>(QStringLiteral("listView")))
        list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    if (auto *tree = dialog.findChild<QTreeView *>(QStringLiteral("treeView")))
        tree->setSelectionMode(QAbstractItemView::ExtendedSelection);
    if (dialog.exec() != QDialog::Accepted)
        return {};
    QStringList folders;
    for (const QString &path : dialog.selectedFiles())
        folders.append(QDir::cleanPath(path));
    return folders;
}
