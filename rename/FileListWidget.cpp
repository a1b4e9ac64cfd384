#include "rename/FileListWidget.h"

#include "lists/CustomTabelWidget.h"
#include "lists/EntrySort.h"
#include "ui_FileListWidget.h"

#include <QFileInfo>
#include <QUuid>

FileListWidget::FileListWidget(QWidget *parent) : TypedEntryList(parent), ui(new Ui::FileListWidget)
{
    ui->setupUi(this);
    headers = QStringList {QStringLiteral("原文件名"), QStringLiteral("新文件名"),
        QStringLiteral("文件位置"), QStringLiteral("状态"), QStringLiteral("操作")};
    setUpTable(ui->tableWidget, ui->emptyList, ui->addFileAreaWidget, headers,
        {200, 200, 300, 100, 150}, {StateColumn, OperateColumn}, true);
    setAcceptDrops(true);
    subscribeRenameTopics();
}

FileListWidget::~FileListWidget()
{
    unsubscribeRenameTopics();
    delete ui;
}

void FileListWidget::writeCells(int row, const RenameEntry &entry)
{
    const QFileInfo info(entry.filePath);

    QTableWidgetItem *name = cellItem(row, OldNameColumn);
    name->setIcon(iconProvider.icon(info));
    name->setText(entry.oldName);
    name->setData(kUuidRole, entry.uuid);

    QTableWidgetItem *preview = cellItem(row, NewNameColumn, true);
    preview->setText(entry.newName);
    preview->setData(kUuidRole, entry.uuid);
    // A folder's name is all stem: it has no extension to keep.
    preview->setData(kSuffixRole, isFolder ? QString() : info.suffix());

    cellItem(row, LocationColumn)->setText(info.absolutePath());
}

void FileListWidget::appendEntry(int row, const QString &path)
{
    auto *entry = new RenameEntry;
    entry->oldName = QFileInfo(path).fileName();
    entry->newName = entry->oldName;
    entry->filePath = path;
    entry->stateText = entryStateText(StatePending);
    entry->uuid = QUuid::createUuid().toString();
    entry->state = StatePending;
    appendFilled(row, entry);
}

void FileListWidget::setPreview(int row, const QString &name)
{
    if (row < 0 || row >= entries.size())
        return;
    entries[row]->newName = name;
    if (QTableWidgetItem *item = ui->tableWidget->item(row, NewNameColumn))
        item->setText(name);
}

bool FileListWidget::sortEntries(int column, bool descending)
{
    switch (column) {
    case OldNameColumn:
        sortByText(
            entries, [](const RenameEntry *e) { return e->oldName; }, descending);
        return true;
    case NewNameColumn:
        sortByText(
            entries, [](const RenameEntry *e) { return e->newName; }, descending);
        return true;
    case LocationColumn:
        sortByText(
            entries, [](const RenameEntry *e) { return QFileInfo(e->filePath).absolutePath(); },
            descending);
        return true;
    default:
        return false;
    }
}

void FileListWidget::forgetHistory()
{
    undoStack.clear();
    emit canUndo(false);
}
