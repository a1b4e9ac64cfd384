#include "picker/Pikvale.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QListView>
#include <QTreeView>

#include <cstring>

namespace {

char *copyOut(const QByteArray &bytes)
{
    char *buffer = new char[size_t(bytes.size()) + 1];
    std::memcpy(buffer, bytes.constData(), size_t(bytes.size()));
    buffer[bytes.size()] = '\0';
    return buffer;
}

QStringList pickFolders(const QString &title)
{
    // Widgets need the host's application object; without one there is nothing to show.
    if (!qobject_cast<QApplication *>(QCoreApplication::instance()))
        return {};
    QFileDialog dialog(nullptr, title, QDir::homePath());
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

} // namespace

extern "C" const char *Pikvale(const char *title)
{
    const QStringList folders = pickFolders(QString::fromUtf8(title ? title : ""));
    return copyOut(folders.join(QLatin1Char(';')).toUtf8());
}

extern "C" void PikvaleRelease(const char *buffer)
{
    delete[] buffer;
}
