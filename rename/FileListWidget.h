#pragma once

#include "lists/EntryListBase.h"
#include "lists/ListEntries.h"

#include <QFileIconProvider>
#include <QList>

namespace Ui {
class FileListWidget;
}

class QFileInfo;

// The list of a rename page: one RenameEntry per row, with the current name, the preview of the
// new name, the folder, the state and the row buttons.
class FileListWidget : public EntryListBase
{
    Q_OBJECT
public:
    enum Column { OldNameColumn, NewNameColumn, LocationColumn, StateColumn, OperateColumn };

    explicit FileListWidget(QWidget *parent = nullptr);
    ~FileListWidget() override;

    int entryCount() const override { return entries.size(); }
    const QList<RenameEntry *> &entryList() const { return entries; }

    // Shows name as the preview of row (its entry's newName and the "新文件名" cell).
    void setPreview(int row, const QString &name);
    // Sets the state of row (its entry and its state label).
    void setEntryState(int row, int state);

signals:
    void canUndo(bool isCan);

protected:
    QString entryUuid(int index) const override;
    QString entryPath(int index) const override;
    QStringList entryPaths() const override;
    void appendEntry(int row, const QString &path) override;
    void refreshRow(int row) override;
    bool sortEntries(int column, bool descending) override;
    void moveEntry(int from, int to) override;
    void removeEntry(int index) override;
    void removeAllEntries() override;
    void forgetHistory() override;

private:
    // Writes the list's own cells of row from entry, creating the items the first time.
    void writeCells(int row, const RenameEntry &entry);

    Ui::FileListWidget *ui;
    QStringList headers;
    QList<RenameEntry *> entries;
    QFileIconProvider iconProvider;
};
