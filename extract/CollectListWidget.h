#pragma once

#include "lists/EntryListBase.h"
#include "lists/ListEntries.h"

#include <QFileIconProvider>
#include <QList>

namespace Ui {
class CollectListWidget;
}

// The list of an extraction page: one InfoEntry per row with the name, path and times taken
// when the entry was added.
class CollectListWidget : public EntryListBase
{
    Q_OBJECT
public:
    enum Column { NameColumn, PathColumn, BirthColumn, ModifiedColumn, StateColumn, OperateColumn };

    explicit CollectListWidget(QWidget *parent = nullptr);
    ~CollectListWidget() override;

    int entryCount() const override { return entries.size(); }
    const QList<InfoEntry *> &entryList() const { return entries; }

    // Sets the state of row (its entry and its state label).
    void setEntryState(int row, int state);

protected:
    QString storedPath(const QString &path) const override;
    QString entryUuid(int index) const override;
    int entryState(int index) const override;
    QString entryPath(int index) const override;
    QStringList entryPaths() const override;
    void appendEntry(int row, const QString &path) override;
    void refreshRow(int row) override;
    bool sortEntries(int column, bool descending) override;
    void moveEntry(int from, int to) override;
    void removeEntry(int index) override;
    void removeAllEntries() override;

private:
    void writeCells(int row, const InfoEntry &entry);

    Ui::CollectListWidget *ui;
    QStringList headers;
    QList<InfoEntry *> entries;
    QFileIconProvider iconProvider;
};
